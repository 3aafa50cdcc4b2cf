// The nine tests on normal populations, the acceptance-region rule they share, and the
// paired reading of the grid. Critical values come from the built table database; textbook
// values are quoted to the table's three decimals.
#include "core/hypothesis/ParametricTests.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "core/hypothesis/AcceptanceRegion.h"
#include "core/sample/Readers.h"
#include "core/text/Errors.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"
#include "TestSupport.h"

namespace kelvo {
namespace {

using testing::ChoiceName;
using testing::ExpectInputError;
using testing::Intermediate;
using testing::kChoices;

constexpr double kTable = 1e-3;  // printed tables carry three decimals

// The grid of the test window: row 1 sample one, row 2 sample two (or the second members).
CellStore Grid(const std::vector<std::string>& row1, const std::vector<std::string>& row2 = {}) {
  const int cols = static_cast<int>(std::max(row1.size(), row2.size())) + 2;
  CellStore store(3, cols);
  for (std::size_t i = 0; i < row1.size(); ++i) store.setText(1, static_cast<int>(i) + 1, row1[i]);
  for (std::size_t i = 0; i < row2.size(); ++i) store.setText(2, static_cast<int>(i) + 1, row2[i]);
  return store;
}

TwoSampleSummary Samples(const std::vector<std::string>& row1,
                         const std::vector<std::string>& row2 = {}) {
  return ReadTwoSamples(Grid(row1, row2), InputMode::One);
}

// A typed summary: size, mean and standard deviation.
SampleSummary Typed(int n, double mean, double stdDev) {
  SampleSummary s;
  s.n = n;
  s.mean = mean;
  s.stdDev = stdDev;
  return s;
}

TwoSampleSummary TypedPair(SampleSummary a, SampleSummary b) { return {a, b}; }

std::vector<double> CriticalValues(const TestResult& r) {
  std::vector<double> values;
  for (const CriticalValue& c : r.criticalValues) values.push_back(c.value);
  return values;
}

void ExpectNear(const std::vector<double>& actual, const std::vector<double>& expected,
                double tolerance, const std::string& what) {
  ASSERT_EQ(actual.size(), expected.size()) << what;
  for (std::size_t i = 0; i < actual.size(); ++i)
    EXPECT_NEAR(actual[i], expected[i], tolerance) << what << " #" << i;
}

class ParametricTests : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};

// The shared rule, with edges that name the probability they were asked for.
TEST(AcceptanceRegion, ChoicesEdgesAndTies) {
  struct Case {
    const char* name;
    Hypothesis h;
    double x;
    EdgeRule rule;
    Decision expected;
  };
  // Edges at p: (−10p, 10p), so α = 0.1 gives (−1, 1) and α/2 gives (−0.5, 0.5).
  const Case cases[] = {
      {"greater inside", Hypothesis::Greater, 0.9, EdgeRule::Rejects, Decision::AcceptH0},
      {"greater far below", Hypothesis::Greater, -50.0, EdgeRule::Rejects, Decision::AcceptH0},
      {"greater on edge rejects", Hypothesis::Greater, 1.0, EdgeRule::Rejects, Decision::AcceptH1},
      {"greater on edge accepts", Hypothesis::Greater, 1.0, EdgeRule::Accepts, Decision::AcceptH0},
      {"less on edge rejects", Hypothesis::Less, -1.0, EdgeRule::Rejects, Decision::AcceptH1},
      {"less on edge accepts", Hypothesis::Less, -1.0, EdgeRule::Accepts, Decision::AcceptH0},
      {"less far above", Hypothesis::Less, 50.0, EdgeRule::Rejects, Decision::AcceptH0},
      {"two-sided uses the α/2 edges", Hypothesis::TwoSided, 0.7, EdgeRule::Accepts, Decision::AcceptH1},
      {"two-sided inside", Hypothesis::TwoSided, -0.4, EdgeRule::Rejects, Decision::AcceptH0},
      {"two-sided lower edge rejects", Hypothesis::TwoSided, -0.5, EdgeRule::Rejects, Decision::AcceptH1},
      {"two-sided upper edge accepts", Hypothesis::TwoSided, 0.5, EdgeRule::Accepts, Decision::AcceptH0},
  };
  for (const Case& c : cases) {
    std::vector<double> asked;
    const RegionDecision d = DecideByHypothesis(c.h, c.x, 0.1, c.rule, [&](double p) {
      asked.push_back(p);
      return Edges{-10 * p, 10 * p};
    });
    EXPECT_EQ(d.decision, c.expected) << c.name;
    // α for every choice, then α/2 for the two-sided one.
    const std::vector<double> order =
        c.h == Hypothesis::TwoSided ? std::vector<double>{0.1, 0.05} : std::vector<double>{0.1};
    EXPECT_EQ(asked, order) << c.name;
  }
}

// Each test reads its own fields of the input: every field holds a different value, so a test
// fed the wrong one lands elsewhere. By hand from sample one (n 4, x̄ 3, m2 10, s 2) and two
// (n 9, x̄ 1, s 3), e.g. Sp² = (3·4 + 8·9)/11, U = (3 − 1 − 0.5)/√((1/4 + 1/9)·Sp²) = 0.903291.
TEST_F(ParametricTests, InputFieldsReachTheirTest) {
  using P = ParametricTest;
  const std::tuple<P, double, double> rows[] = {  // test, statistic, hypothesised value
      {P::MeanKnownSigma, 0.5, 1.0},             // (3 − 1)·√4 / 8
      {P::MeanUnknownSigma, 2.0, 1.0},           // (3 − 1)·√4 / 2
      {P::SigmaKnownMean, 0.5, 4.0},             // 4·(10 − 2·3·2 + 2²) / 4²
      {P::SigmaUnknownMean, 0.75, 4.0},          // 3·2² / 4²
      {P::MeanDiffKnownSigmas, 0.353553, 0.5},   // 1.5 / √(6²/4 + 9²/9)
      {P::MeanDiffEqualSigmas, 0.903291, 0.5},
      {P::MeanDiffUnequalSigmas, 1.06066, 0.5},  // 1.5 / √(2²/4 + 3²/9)
      {P::SigmaRatio, 0.444444, 0.0},            // 2² / 3²
      {P::PairedMeanDiff, 3.0, 0.0}};            // √4·3 / 2
  ParametricTestInput in{P::MeanKnownSigma, {Typed(4, 3.0, 2.0), Typed(9, 1.0, 3.0)}, 1.0, 4.0, 0.5,
                         8.0, 2.0, 6.0, 9.0};  // μ0, σ0, δ, σ, μ, σ1, σ2
  in.samples.first.secondMoment = 10.0;
  for (const auto& [test, statistic, hypothesised] : rows) {
    in.test = test;
    EXPECT_NEAR(RunParametricTest(tables, in).statistic, statistic, 1e-6) << static_cast<int>(test);
    EXPECT_EQ(HypothesisedValue(in), hypothesised) << static_cast<int>(test);
  }
}

// Mode 1 worked example: n = 25, x̄ = 5.2, σ = 1, μ0 = 5, α = 0.05 gives U = 1.0, accepted.
TEST_F(ParametricTests, MeanKnownSigmaWorkedExample) {
  const SampleSummary s = Typed(25, 5.2, 0.0);
  for (Hypothesis h : kChoices) {
    const TestResult r = TestMeanKnownSigma(tables, s, 1.0, 5.0, h, 0.05);
    EXPECT_NEAR(r.statistic, 1.0, 1e-12) << ChoiceName(h);
    EXPECT_EQ(r.distribution, StatisticDistribution::Normal);
    EXPECT_TRUE(r.acceptsH0()) << ChoiceName(h);
    EXPECT_NEAR(Intermediate(r, "standardError"), 0.2, 1e-15);
    // z(0.05) = 1.64 (the table's 0.95 tie keeps the earlier cell), z(0.025) = 1.96.
    ExpectNear(CriticalValues(r), h == Hypothesis::TwoSided ? std::vector<double>{1.64, 1.96}
                                                            : std::vector<double>{1.64},
               1e-12, ChoiceName(h));
  }
}

// U exactly on the critical value rejects H0; just inside it accepts.
TEST_F(ParametricTests, MeanKnownSigmaStatisticOnCriticalValueRejects) {
  const double z = NormalQuantile(tables, 0.95).value;
  const double z2 = NormalQuantile(tables, 0.975).value;
  struct Case {
    const char* name;
    Hypothesis h;
    double mean;  // n = 4, σ = 2, μ0 = 0: U = x̄ exactly
    bool accepts;
  };
  const Case cases[] = {
      {"greater on z", Hypothesis::Greater, z, false},
      {"greater just below z", Hypothesis::Greater, std::nextafter(z, 0.0), true},
      {"less on -z", Hypothesis::Less, -z, false},
      {"less just above -z", Hypothesis::Less, std::nextafter(-z, 0.0), true},
      {"two-sided on z(α/2)", Hypothesis::TwoSided, z2, false},
      {"two-sided on -z(α/2)", Hypothesis::TwoSided, -z2, false},
      {"two-sided just inside", Hypothesis::TwoSided, std::nextafter(z2, 0.0), true},
  };
  for (const Case& c : cases) {
    const TestResult r = TestMeanKnownSigma(tables, Typed(4, c.mean, 0.0), 2.0, 0.0, c.h, 0.05);
    EXPECT_EQ(r.statistic, c.mean) << c.name;
    EXPECT_EQ(r.acceptsH0(), c.accepts) << c.name;
  }
}

TEST_F(ParametricTests, MeanUnknownSigma) {
  // Sample 3, 3, 3: s = 0 rejects H0 for every choice, without a statistic or a look-up.
  for (Hypothesis h : kChoices) {
    const TestResult r = TestMeanUnknownSigma(tables, Samples({"3", "3", "3"}).first, 3.0, h, 0.05);
    EXPECT_FALSE(r.acceptsH0()) << ChoiceName(h);
    EXPECT_TRUE(r.zeroDenominator) << ChoiceName(h);
    EXPECT_TRUE(r.criticalValues.empty()) << ChoiceName(h);
    EXPECT_EQ(Intermediate(r, "mean"), 3.0);
    EXPECT_EQ(Intermediate(r, "variance"), 0.0);
  }
  // Sample 1..5 with μ0 = 3: U = 0 with 4 df, accepted for every choice; t(4, 0.05) = 2.132,
  // t(4, 0.025) = 2.776.
  for (Hypothesis h : kChoices) {
    const TestResult r =
        TestMeanUnknownSigma(tables, Samples({"1", "2", "3", "4", "5"}).first, 3.0, h, 0.05);
    EXPECT_EQ(r.statistic, 0.0) << ChoiceName(h);
    EXPECT_EQ(r.df, 4.0);
    EXPECT_FALSE(r.zeroDenominator);
    EXPECT_TRUE(r.acceptsH0()) << ChoiceName(h);
    ExpectNear(CriticalValues(r), h == Hypothesis::TwoSided ? std::vector<double>{2.132, 2.776}
                                                            : std::vector<double>{2.132},
               kTable, ChoiceName(h));
  }
  // The shown values of the sample 2, 4, 6: mean 4 and s² = 4.
  const TestResult shown = TestMeanUnknownSigma(tables, Samples({"2", "4", "6"}).first, 0.0,
                                                Hypothesis::Greater, 0.05);
  EXPECT_NEAR(Intermediate(shown, "mean"), 4.0, 1e-12);
  EXPECT_NEAR(Intermediate(shown, "variance"), 4.0, 1e-12);
  // x̄ = 4, s = 2, n = 3, μ0 = 0: U = 2√3 = 3.464 > t(2, 0.05) = 2.920.
  EXPECT_NEAR(shown.statistic, 2.0 * std::sqrt(3.0), 1e-12);
  EXPECT_FALSE(shown.acceptsH0());
}

TEST_F(ParametricTests, SigmaTests) {
  // Known mean, worked example: sample 1, 2, 3, μ = 2, σ0 = 1 gives C = 2 with 3 df.
  // χ²(3): 0.05 → 7.815, 0.95 → 0.352, 0.025 → 9.348, 0.975 → 0.216.
  for (Hypothesis h : kChoices) {
    const TestResult r = TestSigmaKnownMean(tables, Samples({"1", "2", "3"}).first, 2.0, 1.0, h, 0.05);
    EXPECT_NEAR(r.statistic, 2.0, 1e-12) << ChoiceName(h);
    EXPECT_EQ(r.df, 3.0);
    EXPECT_EQ(r.distribution, StatisticDistribution::ChiSquare);
    EXPECT_TRUE(r.acceptsH0()) << ChoiceName(h);
    std::vector<double> expected = {7.815, 0.352};
    if (h == Hypothesis::TwoSided) expected.insert(expected.end(), {9.348, 0.216});
    ExpectNear(CriticalValues(r), expected, kTable, ChoiceName(h));
  }
  // Unknown mean, worked example: n = 10, s = 2, σ0 = 2 gives C = 9 with 9 df.
  // χ²(9): 0.05 → 16.919, 0.95 → 3.325, 0.025 → 19.023, 0.975 → 2.700.
  for (Hypothesis h : kChoices) {
    const TestResult r = TestSigmaUnknownMean(tables, Typed(10, 0.0, 2.0), 2.0, h, 0.05);
    EXPECT_NEAR(r.statistic, 9.0, 1e-12) << ChoiceName(h);
    EXPECT_EQ(r.df, 9.0);
    EXPECT_TRUE(r.acceptsH0()) << ChoiceName(h);
    std::vector<double> expected = {16.919, 3.325};
    if (h == Hypothesis::TwoSided) expected.insert(expected.end(), {19.023, 2.700});
    ExpectNear(CriticalValues(r), expected, kTable, ChoiceName(h));
  }
  // A small spread: n = 10, s = 0.5, σ0 = 2 gives C = 0.5625, below χ²(9, 0.95) = 3.325.
  const SampleSummary narrow = Typed(10, 0.0, 0.5);
  EXPECT_TRUE(TestSigmaUnknownMean(tables, narrow, 2.0, Hypothesis::Greater, 0.05).acceptsH0());
  EXPECT_FALSE(TestSigmaUnknownMean(tables, narrow, 2.0, Hypothesis::Less, 0.05).acceptsH0());
  EXPECT_FALSE(TestSigmaUnknownMean(tables, narrow, 2.0, Hypothesis::TwoSided, 0.05).acceptsH0());
}

// σ0 = 0 (or never set, which reads as 0) would divide by 0.
TEST_F(ParametricTests, SigmaTestsRefuseZeroSigma0) {
  const SampleSummary s = Samples({"1", "2", "3"}).first;
  ExpectInputError([&] { TestSigmaKnownMean(tables, s, 2.0, 0.0, Hypothesis::Greater, 0.05); }, "σ0数据错误");
  ExpectInputError([&] { TestSigmaUnknownMean(tables, s, 0.0, Hypothesis::TwoSided, 0.05); }, "σ0数据错误");
}

// Worked example: n1 = n2 = 4, x̄1 = 10, x̄2 = 8, σ1 = σ2 = 2, δ = 0: U = √2.
TEST_F(ParametricTests, MeanDiffKnownSigmas) {
  const TwoSampleSummary s = TypedPair(Typed(4, 10.0, 0.0), Typed(4, 8.0, 0.0));
  const TestResult twoSided = TestMeanDiffKnownSigmas(tables, s, 2.0, 2.0, 0.0, Hypothesis::TwoSided, 0.05);
  EXPECT_NEAR(twoSided.statistic, std::sqrt(2.0), 1e-12);
  EXPECT_NEAR(Intermediate(twoSided, "standardError"), std::sqrt(2.0), 1e-12);
  EXPECT_TRUE(twoSided.acceptsH0());
  EXPECT_TRUE(TestMeanDiffKnownSigmas(tables, s, 2.0, 2.0, 0.0, Hypothesis::Greater, 0.05).acceptsH0());
  // δ = −1: U = 3/√2 = 2.121 passes z(0.025) = 1.96.
  EXPECT_FALSE(TestMeanDiffKnownSigmas(tables, s, 2.0, 2.0, -1.0, Hypothesis::TwoSided, 0.05).acceptsH0());
  ExpectInputError([&] { TestMeanDiffKnownSigmas(tables, s, 2.0, 0.0, 0.0, Hypothesis::Less, 0.05); }, "σ数据缺乏");
}

TEST_F(ParametricTests, MeanDiffEqualSigmas) {
  // Worked example: 1, 2, 3 against 4, 5, 6, δ = 0: Sp² = 1, U = −3/√(2/3) = −3.674, 4 df;
  // t(4, 0.05) = 2.132.
  const TwoSampleSummary s = Samples({"1", "2", "3"}, {"4", "5", "6"});
  const TestResult less = TestMeanDiffEqualSigmas(tables, s, 0.0, Hypothesis::Less, 0.05);
  EXPECT_NEAR(Intermediate(less, "pooledVariance"), 1.0, 1e-12);
  EXPECT_NEAR(less.statistic, -3.674, 1e-3);
  EXPECT_EQ(less.df, 4.0);
  EXPECT_FALSE(less.acceptsH0());
  ExpectNear(CriticalValues(less), {2.132}, kTable, "less");
  EXPECT_TRUE(TestMeanDiffEqualSigmas(tables, s, 0.0, Hypothesis::Greater, 0.05).acceptsH0());
  // n1 = 5 and n2 = 8: 11 df for every choice.
  const TwoSampleSummary sizes = TypedPair(Typed(5, 1.0, 1.0), Typed(8, 0.0, 2.0));
  for (Hypothesis h : kChoices) {
    const TestResult r = TestMeanDiffEqualSigmas(tables, sizes, 0.0, h, 0.05);
    EXPECT_EQ(r.df, 11.0) << ChoiceName(h);
    for (const CriticalValue& c : r.criticalValues) EXPECT_EQ(c.df, 11) << ChoiceName(h);
  }
}

// Two constant samples leave the pooled variance at 0 and U without a denominator.
TEST_F(ParametricTests, MeanDiffEqualSigmasRefusesTwoConstantSamples) {
  const TwoSampleSummary s = Samples({"2", "2", "2"}, {"5", "5"});
  for (Hypothesis h : kChoices)
    ExpectInputError([&] { TestMeanDiffEqualSigmas(tables, s, 0.0, h, 0.05); }, "样本方差为0,无法检验");
}

TEST_F(ParametricTests, MeanDiffUnequalSigmasDegreesOfFreedom) {
  struct Case {
    const char* name;
    int n1;
    double s1;
    int n2;
    double s2;
    double nu;  // approximate df before the whole part (worked examples)
    double nuWhole;
  };
  const Case cases[] = {
      {"3 and 3, equal spread", 3, 1.5, 3, 1.5, 4.0, 4.0},
      {"5.03 rounds down to 5", 5, 2.0, 10, 1.0, 5.03, 5.0},
      // (1/6 + 1/6)² / (2/180) = 10 exactly; the quotient falls a hair below it in doubles.
      {"6 and 6, equal spread: 10, not 9", 6, 3.0, 6, 3.0, 10.0, 10.0},
      {"second sample constant: n2 - 1", 4, 1.0, 7, 0.0, 6.0, 6.0},
      // n1²·(n1 − 1) is about 3.5e13: beyond int, exact in doubles; ν = 2(n − 1).
      {"sizes at the 16-bit limit", 32767, 1.0, 32767, 1.0, 65532.0, 65532.0},
  };
  for (const Case& c : cases) {
    const TwoSampleSummary s = TypedPair(Typed(c.n1, 1.0, c.s1), Typed(c.n2, 0.0, c.s2));
    const TestResult r = TestMeanDiffUnequalSigmas(tables, s, 0.0, Hypothesis::Greater, 0.05);
    EXPECT_NEAR(Intermediate(r, "nu"), c.nu, 0.01) << c.name;
    EXPECT_EQ(Intermediate(r, "nuWhole"), c.nuWhole) << c.name;
    EXPECT_EQ(r.df, c.nuWhole) << c.name;
    ASSERT_EQ(r.criticalValues.size(), 1u) << c.name;
    EXPECT_EQ(r.criticalValues[0].df, static_cast<int>(c.nuWhole)) << c.name;
  }
}

TEST_F(ParametricTests, MeanDiffUnequalSigmasDecision) {
  // 1, 2, 3 against 4, 5, 6: d = √(2/3), U = −3.674 with ν = 4; t(4, 0.025) = 2.776.
  const TwoSampleSummary s = Samples({"1", "2", "3"}, {"4", "5", "6"});
  const TestResult r = TestMeanDiffUnequalSigmas(tables, s, 0.0, Hypothesis::TwoSided, 0.05);
  EXPECT_NEAR(Intermediate(r, "standardError"), std::sqrt(2.0 / 3.0), 1e-12);
  EXPECT_NEAR(r.statistic, -3.674, 1e-3);
  EXPECT_FALSE(r.acceptsH0());
  ExpectNear(CriticalValues(r), {2.132, 2.776}, kTable, "two-sided");
  // With δ = −3 the difference is the hypothesised one: U = 0.
  EXPECT_TRUE(TestMeanDiffUnequalSigmas(tables, s, -3.0, Hypothesis::TwoSided, 0.05).acceptsH0());
  // Both samples constant: d = 0 rejects H0 for every choice, before any look-up.
  for (Hypothesis h : kChoices) {
    const TestResult flat =
        TestMeanDiffUnequalSigmas(tables, Samples({"1", "1"}, {"1", "1", "1"}), 0.0, h, 0.05);
    EXPECT_FALSE(flat.acceptsH0()) << ChoiceName(h);
    EXPECT_TRUE(flat.zeroDenominator) << ChoiceName(h);
    EXPECT_TRUE(flat.criticalValues.empty()) << ChoiceName(h);
  }
}

TEST_F(ParametricTests, SigmaRatio) {
  // Worked example s1 = 2, s2 = 1: F = 4, here with n1 = n2 = 10. F(9, 9): 0.05 → 3.18,
  // 0.025 → 4.03 (F tables, two decimals); the lower values are their reciprocals.
  const TwoSampleSummary s = TypedPair(Typed(10, 0.0, 2.0), Typed(10, 0.0, 1.0));
  struct Case {
    Hypothesis h;
    bool accepts;
    std::vector<double> critical;
  };
  const Case cases[] = {
      {Hypothesis::Greater, false, {3.18, 1 / 3.18}},
      {Hypothesis::Less, true, {3.18, 1 / 3.18}},
      {Hypothesis::TwoSided, true, {3.18, 1 / 3.18, 4.03, 1 / 4.03}},
  };
  for (const Case& c : cases) {
    const TestResult r = TestSigmaRatio(tables, s, c.h, 0.05);
    EXPECT_NEAR(r.statistic, 4.0, 1e-12) << ChoiceName(c.h);
    EXPECT_EQ(r.df, 9.0);
    EXPECT_EQ(r.df2, 9.0);
    EXPECT_EQ(r.acceptsH0(), c.accepts) << ChoiceName(c.h);
    ExpectNear(CriticalValues(r), c.critical, 0.005, ChoiceName(c.h));
  }
  // Degrees of freedom follow the samples: numerator n1 − 1, denominator n2 − 1.
  const TestResult uneven =
      TestSigmaRatio(tables, TypedPair(Typed(6, 0.0, 2.0), Typed(11, 0.0, 1.0)), Hypothesis::Greater, 0.05);
  EXPECT_EQ(uneven.criticalValues[0].df, 5);
  EXPECT_EQ(uneven.criticalValues[0].df2, 10);
  // A second sample of equal values rejects H0, after the look-ups at α.
  const TestResult flat =
      TestSigmaRatio(tables, Samples({"1", "2", "3"}, {"7", "7", "7"}), Hypothesis::TwoSided, 0.05);
  EXPECT_FALSE(flat.acceptsH0());
  EXPECT_TRUE(flat.zeroDenominator);
  EXPECT_EQ(flat.criticalValues.size(), 2u);
}

TEST_F(ParametricTests, PairedTest) {
  // Worked example, pairs (5, 3), (6, 4), (7, 4): d = 2, 2, 3, d̄ = 7/3, s_d = 0.577,
  // U = √3·(7/3)/s_d = 7.0 with 2 df; the window shows s_d² = 0.333. t(2, 0.05) = 2.920.
  const CellStore grid = Grid({"5", "6", "7"}, {"3", "4", "4"});
  const SampleSummary d = ReadPairedDifferences(grid, InputMode::One);
  EXPECT_EQ(d.n, 3);
  EXPECT_NEAR(d.mean, 7.0 / 3.0, 1e-12);
  EXPECT_NEAR(d.stdDev, std::sqrt(1.0 / 3.0), 1e-12);
  for (Hypothesis h : kChoices) {
    const TestResult r = TestPairedMeanDiff(tables, d, h, 0.05);
    EXPECT_NEAR(r.statistic, 7.0, 1e-9) << ChoiceName(h);
    EXPECT_EQ(r.df, 2.0);
    EXPECT_NEAR(Intermediate(r, "mean"), 7.0 / 3.0, 1e-12);
    EXPECT_NEAR(Intermediate(r, "variance"), 1.0 / 3.0, 1e-12);
    // Greater and two-sided (t(2, 0.025) = 4.303) reject; Less keeps H0.
    EXPECT_EQ(r.acceptsH0(), h == Hypothesis::Less) << ChoiceName(h);
  }
  ExpectNear(CriticalValues(TestPairedMeanDiff(tables, d, Hypothesis::TwoSided, 0.05)), {2.920, 4.303},
             kTable, "two-sided");
}

TEST(PairedReading, SkipsEmptyColumnsAndReadsSummaries) {
  // A column empty in both rows is no pair.
  const SampleSummary skipped =
      ReadPairedDifferences(Grid({"5", "", "7", "4"}, {"3", "", "4", "1"}), InputMode::One);
  EXPECT_EQ(skipped.n, 3);                                  // d = 2, 3, 3
  EXPECT_DOUBLE_EQ(skipped.mean, 8.0 / 3.0);
  EXPECT_DOUBLE_EQ(skipped.variance, 1.0 / 3.0);
  // One pair: no spread can be computed.
  const SampleSummary one = ReadPairedDifferences(Grid({"5"}, {"1"}), InputMode::One);
  EXPECT_EQ(one.n, 1);
  EXPECT_EQ(one.mean, 4.0);
  EXPECT_EQ(one.stdDev, 0.0);
  EXPECT_FALSE(one.hasSpread);
  // Summary entry: the summary of the differences typed in row 1; row 2 is not read.
  CellStore typed = Grid({"12.7", "1.5", "×", "0.5"}, {"4", "9", "×", "3"});
  const SampleSummary t = ReadPairedDifferences(typed, InputMode::Two);
  EXPECT_EQ(t.n, 12);
  EXPECT_EQ(t.mean, 1.5);
  EXPECT_EQ(t.stdDev, 0.5);
  EXPECT_EQ(t.variance, 0.25);
  // A pasted text that is not a number is refused, not read as 0.
  ExpectInputError([] { ReadPairedDifferences(Grid({"5", "x6"}, {"3", "4"}), InputMode::One); },
                   "数据错误");
  ExpectInputError([] { ReadPairedDifferences(Grid({"5", "6"}, {"3", "abc"}), InputMode::One); },
                   "数据错误");
}

// A column with one member of its pair is refused, naming the column, rather than read with 0
// for the missing member (which once turned d̄ = −0.22 into 0.86 without a word).
TEST(PairedReading, RefusesAnIncompletePair) {
  const std::vector<std::string> x = {"5.1", "4.8", "5.6", "5.0", "5.3"};
  const std::vector<std::string> y = {"5.4", "5.0", "5.7", "5.2", "5.6"};
  // By hand: d = −0.3, −0.2, −0.1, −0.2, −0.3, Σd = −1.1, d̄ = −0.22.
  EXPECT_NEAR(ReadPairedDifferences(Grid(x, y), InputMode::One).mean, -0.22, 1e-12);
  struct Case {
    const char* name;
    std::vector<std::string> row1, row2;
    const char* message;
  };
  const Case cases[] = {
      {"second member emptied", x, {"", "5.0", "5.7", "5.2", "5.6"}, "第 1 列的成对数据不全"},
      {"first member only, last column", {"1", "2", "3"}, {"1", "2"}, "第 3 列的成对数据不全"},
      {"second member only, after a gap", {"1", "", "3"}, {"1", "", "3", "4"}, "第 4 列的成对数据不全"},
      {"first of two incomplete columns", {"1", "2", ""}, {"1", "", "3"}, "第 2 列的成对数据不全"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectInputError([&] { ReadPairedDifferences(Grid(c.row1, c.row2), InputMode::One); }, c.message);
  }
}

TEST(PairedReading, RefusesMorePairsThanA16BitCount) {
  CellStore store(3, 32770);
  for (int c = 1; c < store.cols(); ++c) store.setText(1, c, "1"), store.setText(2, c, "0");
  ExpectInputError([&] { ReadPairedDifferences(store, InputMode::One); }, "样本量超出范围");
}

// Differences without spread reject H0 after the look-up at α.
TEST_F(ParametricTests, PairedTestWithConstantDifferences) {
  const SampleSummary d = ReadPairedDifferences(Grid({"5", "6", "7"}, {"3", "4", "5"}), InputMode::One);
  for (Hypothesis h : kChoices) {
    const TestResult r = TestPairedMeanDiff(tables, d, h, 0.05);
    EXPECT_FALSE(r.acceptsH0()) << ChoiceName(h);
    EXPECT_TRUE(r.zeroDenominator) << ChoiceName(h);
    EXPECT_EQ(r.criticalValues.size(), 1u) << ChoiceName(h);
  }
}

// Input no test may compute with; each is refused before a decision is taken.
TEST_F(ParametricTests, RefusedInputs) {
  const SampleSummary s = Samples({"1", "2", "3"}).first;
  const TwoSampleSummary two = Samples({"1", "2", "3"}, {"2", "4"});
  struct Case {
    const char* name;
    std::function<void()> call;
    const char* message;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {"α = 0", [&] { TestMeanUnknownSigma(tables, s, 0, Hypothesis::Greater, 0.0); }, "置信水平数据缺乏"},
      {"α NaN", [&] { TestMeanUnknownSigma(tables, s, 0, Hypothesis::Greater, std::nan("")); }, "置信水平数据缺乏"},
      {"α = 1", [&] { TestSigmaRatio(tables, two, Hypothesis::Greater, 1.0); }, "置信水平应大于0小于1"},
      {"one observation", [&] { TestMeanUnknownSigma(tables, Typed(1, 2, 0), 0, Hypothesis::Less, 0.05); }, "样本量太小"},
      {"second sample of one", [&] { TestMeanDiffEqualSigmas(tables, TypedPair(s, Typed(1, 2, 0)), 0, Hypothesis::Less, 0.05); }, "样本量太小"},
      {"one pair", [&] { TestPairedMeanDiff(tables, Typed(1, 2, 0), Hypothesis::Less, 0.05); }, "样本量太小"},
      {"σ = 0, σ known", [&] { TestMeanKnownSigma(tables, s, 0.0, 0, Hypothesis::Greater, 0.05); }, "σ数据缺乏"},
      {"σ negative, σ known", [&] { TestMeanKnownSigma(tables, s, -1.0, 0, Hypothesis::Greater, 0.05); }, "σ数据缺乏"},
      {"typed s negative", [&] { TestMeanUnknownSigma(tables, Typed(5, 1, -2), 0, Hypothesis::Greater, 0.05); }, "样本标准差不能为负"},
      {"typed s_d negative", [&] { TestPairedMeanDiff(tables, Typed(5, 1, -2), Hypothesis::Greater, 0.05); }, "样本标准差不能为负"},
      {"infinite mean", [&] { TestMeanKnownSigma(tables, Typed(5, inf, 0), 1.0, 0, Hypothesis::Greater, 0.05); }, "计算结果超出范围"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectInputError(c.call, c.message);
  }
}

// A look-up that cannot give a value throws through the test: no decision from a stand-in.
TEST_F(ParametricTests, FailedLookUpReachesTheCaller) {
  tables.open(::testing::TempDir() + "/kelvo_no_such_tables.db");
  const SampleSummary s = Samples({"1", "2", "4"}).first;
  EXPECT_THROW(TestMeanUnknownSigma(tables, s, 0.0, Hypothesis::TwoSided, 0.05), TableStoreError);
  EXPECT_THROW(TestSigmaRatio(tables, Samples({"1", "2"}, {"1", "3"}), Hypothesis::Less, 0.05),
               TableStoreError);
}

}  // namespace
}  // namespace kelvo
