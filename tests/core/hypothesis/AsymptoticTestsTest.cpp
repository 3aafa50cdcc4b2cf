// The band tests of the asymptotic window and the skewness and kurtosis test, on the built
// table database.
#include "core/hypothesis/AsymptoticTests.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "core/hypothesis/SkewnessKurtosis.h"
#include "core/sample/Readers.h"
#include "core/text/Errors.h"
#include "core/tables/TableStore.h"
#include "TestSupport.h"

namespace kelvo {
namespace {

using testing::ChoiceName;
using testing::ExpectInputError;
using testing::Intermediate;
using testing::kChoices;

SampleSummary Summary(int n, double mean) {
  SampleSummary s;
  s.n = n;
  s.mean = mean;
  return s;
}

// Row 1 of a grid, from column 1 on.
CellStore Row(const std::vector<std::string>& values) {
  CellStore store(2, static_cast<int>(values.size()) + 1);
  for (std::size_t i = 0; i < values.size(); ++i) store.setText(1, static_cast<int>(i) + 1, values[i]);
  return store;
}

std::vector<std::string> Repeated(const std::string& text, int count) {
  return std::vector<std::string>(count, text);
}

class AsymptoticTables : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};
using BandTests = AsymptoticTables;
using SkewnessKurtosisTests = AsymptoticTables;

// Worked example: 70 ones among 100 at ρ0 = 0.5, α = 0.05: e = 0.05, the upper edge
// 0.5 + 1.64·0.05 = 0.582; greater and two-sided reject, less accepts.
TEST_F(BandTests, ProportionWorkedExample) {
  // Read as repeated data: value 0 thirty times, value 1 seventy times.
  CellStore grid(3, 4);
  grid.setText(1, 1, "0");
  grid.setText(2, 1, "30");
  grid.setText(1, 2, "1");
  grid.setText(2, 2, "70");
  const SampleSummary s = ReadOneSample(grid, InputMode::Two);
  ASSERT_EQ(s.n, 100);
  ASSERT_DOUBLE_EQ(s.mean, 0.7);
  struct Case {
    Hypothesis h;
    bool accepts;
    double lowerEdge;
    double upperEdge;
    std::vector<double> z;
  };
  const double inf = HUGE_VAL;
  const Case cases[] = {
      {Hypothesis::Greater, false, -inf, 0.582, {1.64}},
      {Hypothesis::Less, true, 0.418, inf, {1.64}},
      {Hypothesis::TwoSided, false, 0.402, 0.598, {1.64, 1.96}},
  };
  for (const Case& c : cases) {
    const TestResult r = TestProportion(tables, s, 0.5, c.h, 0.05);
    EXPECT_EQ(r.acceptsH0(), c.accepts) << ChoiceName(c.h);
    EXPECT_EQ(r.statistic, s.mean) << ChoiceName(c.h);
    EXPECT_DOUBLE_EQ(Intermediate(r, "standardError"), 0.05) << ChoiceName(c.h);
    EXPECT_EQ(Intermediate(r, "centre"), 0.5) << ChoiceName(c.h);
    EXPECT_DOUBLE_EQ(Intermediate(r, "lowerEdge"), c.lowerEdge) << ChoiceName(c.h);
    EXPECT_DOUBLE_EQ(Intermediate(r, "upperEdge"), c.upperEdge) << ChoiceName(c.h);
    ASSERT_EQ(r.criticalValues.size(), c.z.size()) << ChoiceName(c.h);
    for (std::size_t i = 0; i < c.z.size(); ++i) {
      EXPECT_EQ(r.criticalValues[i].value, c.z[i]) << ChoiceName(c.h);
      EXPECT_EQ(r.criticalValues[i].kind, TableKind::Normal);
    }
  }
}

// A mean exactly on an edge of the band accepts H0; the next double outside rejects.
TEST_F(BandTests, MeanOnTheEdgeAccepts) {
  for (Hypothesis h : kChoices) {
    const TestResult band = TestProportion(tables, Summary(100, 0.5), 0.5, h, 0.05);
    std::vector<double> edges;
    if (h != Hypothesis::Less) edges.push_back(Intermediate(band, "upperEdge"));
    if (h != Hypothesis::Greater) edges.push_back(Intermediate(band, "lowerEdge"));
    for (double edge : edges) {
      const double outside = std::nextafter(edge, edge > 0.5 ? 1.0 : 0.0);
      EXPECT_TRUE(TestProportion(tables, Summary(100, edge), 0.5, h, 0.05).acceptsH0()) << ChoiceName(h) << edge;
      EXPECT_FALSE(TestProportion(tables, Summary(100, outside), 0.5, h, 0.05).acceptsH0()) << ChoiceName(h) << edge;
    }
  }
}

// Each test reads its own fields of the input: every hypothesised value is set in every case.
TEST_F(BandTests, CentresAndStandardErrors) {
  struct Case {
    const char* name;
    AsymptoticTest test;
    SampleSummary sample;
    int trialCount;
    double value;  // ρ0, λ0 or θ0
    double centre;
    double standardError;  // worked examples
  };
  const Case cases[] = {
      // N = 10, ρ0 = 0.3, n = 20, x̄ = 3: the mean is the centre, e = √(10·0.3·0.7/20).
      {"binomial", AsymptoticTest::BinomialProportion, Summary(20, 3.0), 10, 0.3, 3.0, std::sqrt(0.105)},
      {"Poisson λ0 = 4, n = 16", AsymptoticTest::PoissonMean, Summary(16, 4.0), 0, 4.0, 4.0, 0.5},
      {"exponential θ0 = 2, n = 25", AsymptoticTest::ExponentialMean, Summary(25, 2.0), 0, 2.0, 2.0, 0.4},
      // N and n at the 16-bit limit: N·ρ0(1 − ρ0)/n in doubles, e = 0.5.
      {"binomial N = n = 32767", AsymptoticTest::BinomialProportion, Summary(32767, 16383.5), 32767,
       0.5, 16383.5, 0.5},
  };
  for (const Case& c : cases) {
    AsymptoticTestInput in;
    in.test = c.test;
    in.sample = c.sample;
    in.trialCount = c.trialCount;
    // The values of the other tests, in ranges of their own: one read by mistake shows.
    in.rho0 = c.test == AsymptoticTest::BinomialProportion ? c.value : 0.9;
    in.lambda0 = c.test == AsymptoticTest::PoissonMean ? c.value : 70.0;
    in.theta0 = c.test == AsymptoticTest::ExponentialMean ? c.value : 90.0;
    for (Hypothesis h : kChoices) {
      in.hypothesis = h;
      const TestResult r = RunAsymptoticTest(tables, in);
      EXPECT_DOUBLE_EQ(Intermediate(r, "centre"), c.centre) << c.name;
      EXPECT_NEAR(Intermediate(r, "standardError"), c.standardError, 1e-14) << c.name;
      EXPECT_TRUE(r.acceptsH0()) << c.name << " " << ChoiceName(h);
    }
  }
  // Poisson, a mean of 5 against λ0 = 4 with e = 0.5: 4 + 1.64·0.5 = 4.82 < 5 rejects.
  EXPECT_FALSE(TestPoissonMean(tables, Summary(16, 5.0), 4.0, Hypothesis::Greater, 0.05).acceptsH0());
  // Exponential, a mean of 1.2 against θ0 = 2 with e = 0.4: 2 − 1.64·0.4 = 1.344 > 1.2 rejects.
  EXPECT_FALSE(TestExponentialMean(tables, Summary(25, 1.2), 2.0, Hypothesis::Less, 0.05).acceptsH0());
}

// α = 0.01 widens the band: z = 2.33 instead of 1.64, and a mean of 0.6 at ρ0 = 0.5, e = 0.05
// is rejected at 0.05 but not at 0.01.
TEST_F(BandTests, LevelSetsTheBandWidth) {
  const TestResult wide = TestProportion(tables, Summary(100, 0.6), 0.5, Hypothesis::Greater, 0.01);
  const TestResult narrow = TestProportion(tables, Summary(100, 0.6), 0.5, Hypothesis::Greater, 0.05);
  EXPECT_DOUBLE_EQ(Intermediate(wide, "upperEdge"), 0.5 + 2.33 * 0.05);
  EXPECT_DOUBLE_EQ(Intermediate(narrow, "upperEdge"), 0.5 + 1.64 * 0.05);
  EXPECT_TRUE(wide.acceptsH0());
  EXPECT_FALSE(narrow.acceptsH0());
}

TEST_F(BandTests, RefusedInputs) {
  struct Case {
    const char* name;
    std::function<void()> call;
    const char* message;
  };
  const SampleSummary s = Summary(50, 0.4);
  const Case cases[] = {
      {"one observation", [&] { TestPoissonMean(tables, Summary(1, 3.0), 3.0, Hypothesis::Greater, 0.05); }, "样本量太小"},
      {"α = 0", [&] { TestProportion(tables, s, 0.5, Hypothesis::Greater, 0.0); }, "置信水平数据缺乏"},
      {"α = 1", [&] { TestProportion(tables, s, 0.5, Hypothesis::Greater, 1.0); }, "置信水平应大于0小于1"},
      {"ρ0 = 0", [&] { TestProportion(tables, s, 0.0, Hypothesis::Less, 0.05); }, "ρ0数据错误"},
      {"ρ0 = 1", [&] { TestBinomialProportion(tables, s, 5, 1.0, Hypothesis::Less, 0.05); }, "ρ0数据错误"},
      {"N = 1", [&] { TestBinomialProportion(tables, s, 1, 0.5, Hypothesis::Less, 0.05); }, "N数据错误"},
      {"λ0 = 0", [&] { TestPoissonMean(tables, s, 0.0, Hypothesis::TwoSided, 0.05); }, "λ0数据错误"},
      {"θ0 negative", [&] { TestExponentialMean(tables, s, -2.0, Hypothesis::TwoSided, 0.05); }, "θ0数据错误"},
      {"infinite mean", [&] { TestPoissonMean(tables, Summary(5, HUGE_VAL), 1.0, Hypothesis::Greater, 0.05); }, "计算结果超出范围"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectInputError(c.call, c.message);
  }
}

// Worked example, the sample 1, 2, …, 10: g1 = 0, g2 = 1.776, σ1 = 0.579, σ2 = 0.755,
// u1 = 0, u2 = 0.899; z = NormalQuantile(0.9875) = 2.24 at α = 0.05, so H0 is accepted.
TEST_F(SkewnessKurtosisTests, OneToTen) {
  const TestResult r = TestSkewnessKurtosis(tables,
      Row({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}), 0.05);
  EXPECT_EQ(Intermediate(r, "n"), 10.0);
  EXPECT_NEAR(Intermediate(r, "g1"), 0.0, 1e-12);
  EXPECT_NEAR(Intermediate(r, "g2"), 1.776, 1e-3);
  EXPECT_NEAR(Intermediate(r, "sigma1"), 0.579, 1e-3);
  EXPECT_NEAR(Intermediate(r, "sigma2"), std::sqrt(24.0 * 10 * 8 * 7 / (121.0 * 13 * 15)), 1e-12);
  EXPECT_NEAR(Intermediate(r, "u1"), 0.0, 1e-11);
  EXPECT_NEAR(Intermediate(r, "u2"), 0.899, 1e-3);
  ASSERT_EQ(r.criticalValues.size(), 1u);
  EXPECT_EQ(r.criticalValues[0].probability, 1.0 - 0.05 / 4.0);
  EXPECT_NEAR(r.criticalValues[0].value, 2.24, 0.005);
  EXPECT_TRUE(r.acceptsH0());
}

// Worked example: nine values 1 and one 100: g1 = 2.667, u1 = 4.60, g2 = 8.111, u2 = 7.49.
TEST_F(SkewnessKurtosisTests, RejectsAnOutlier) {
  std::vector<std::string> values = Repeated("1", 9);
  values.push_back("100");
  const TestResult r = TestSkewnessKurtosis(tables, Row(values), 0.05);
  EXPECT_NEAR(Intermediate(r, "g1"), 2.667, 1e-3);
  EXPECT_NEAR(Intermediate(r, "u1"), 4.60, 5e-3);
  EXPECT_NEAR(Intermediate(r, "g2"), 8.111, 1e-3);
  EXPECT_NEAR(Intermediate(r, "u2"), 7.49, 5e-3);
  EXPECT_FALSE(r.acceptsH0());
}

// Only the first 100 data columns count; empty cells among them are skipped.
TEST_F(SkewnessKurtosisTests, ReadsFirstHundredColumns) {
  std::vector<std::string> cells(110);
  for (int k = 0; k < 10; ++k) cells[k * 11] = std::to_string(k + 1);  // columns 1, 12, …, 100
  for (int c = 100; c < 110; ++c) cells[c] = "1000";                    // columns 101..110
  const TestResult r = TestSkewnessKurtosis(tables, Row(cells), 0.05);
  EXPECT_EQ(Intermediate(r, "n"), 10.0);
  EXPECT_NEAR(Intermediate(r, "u2"), 0.899, 1e-3);
  EXPECT_TRUE(r.acceptsH0());
}

TEST_F(SkewnessKurtosisTests, RefusesSamples) {
  std::vector<std::string> nine = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
  ExpectInputError([&] { TestSkewnessKurtosis(tables, Row(nine), 0.05); }, "样本量太少数据错误");
  // 0.1 is not exact in binary: B2 = A2 − A1² must not come out as a speck of rounding.
  for (const char* value : {"0.1", "7", "-3.3"}) {
    SCOPED_TRACE(value);
    ExpectInputError([&] { TestSkewnessKurtosis(tables, Row(Repeated(value, 12)), 0.05); },
                     "样本方差为0,无法检验");
  }
  nine.push_back("1O");
  ExpectInputError([&] { TestSkewnessKurtosis(tables, Row(nine), 0.05); }, "数据错误");
  ExpectInputError([&] { TestSkewnessKurtosis(tables, Row(Repeated("1", 20)), 1.0); }, "置信水平应大于0小于1");
}

}  // namespace
}  // namespace kelvo
