// Exact p-values of every test family for one hand-computed case each, and the decisions of
// the exact critical values, including cases where the printed tables decide otherwise.
//
// Reference values: the statistic is worked out by hand from the summary given; its tail
// probability was computed with mpmath 1.3 at 30 digits (independent of Boost), the rank-sum
// probabilities by listing every subset (Python itertools). Tolerance 1e-9 relative.
#include <cmath>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/hypothesis/AsymptoticTests.h"
#include "core/hypothesis/ParametricTests.h"
#include "core/hypothesis/PValues.h"
#include "core/hypothesis/RankSum.h"
#include "core/hypothesis/SkewnessKurtosis.h"
#include "core/tables/TableStore.h"
#include "TestSupport.h"
#include "../Summaries.h"

namespace kelvo {
namespace {

using testing::ChoiceName;
using testing::ExpectInputError;

constexpr double kRelative = 1e-9;

void ExpectP(std::optional<double> actual, double expected, const std::string& name) {
  ASSERT_TRUE(actual.has_value()) << name;
  EXPECT_NEAR(*actual, expected, kRelative * expected) << name;
}

// The tests look their critical values up in the built table database.
class PValueFamilies : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};

// Greater, Less and TwoSided p-values of one statistic.
struct ThreeP {
  double greater;
  double less;
  double twoSided;
};

void ExpectThree(const std::function<TestResult(Hypothesis)>& run, TestFamily family, ThreeP p,
                 const char* name) {
  const double expected[] = {p.greater, p.less, p.twoSided};
  for (Hypothesis h : testing::kChoices) {
    const TestResult r = run(h);
    ExpectP(PValue(r, family, h), expected[static_cast<int>(h)],
            std::string(name) + ", " + ChoiceName(h));
  }
}

TEST_F(PValueFamilies, ParametricStatistics) {
  // Mode 1: n = 16, x̄ = 0.98, σ = 2, μ0 = 0: U = 0.98·4/2 = 1.96; 1 − Φ(1.96) = 0.0249979.
  ExpectThree([&](Hypothesis h) { return TestMeanKnownSigma(tables, Summary(16, 0.98, 2.0), 2.0, 0.0, h, 0.05); },
              TestFamily::Parametric, {0.0249978951482204, 0.975002104851780, 0.0499957902964409},
              "normal U = 1.96");
  // Mode 2: n = 16, x̄ = 10.8, s = 1.6, μ0 = 10: T = 0.8·4/1.6 = 2 with 15 df.
  ExpectThree([&](Hypothesis h) { return TestMeanUnknownSigma(tables, Summary(16, 10.8, 1.6), 10.0, h, 0.05); },
              TestFamily::Parametric, {0.0319725036423601, 0.968027496357640, 0.0639450072847202},
              "t(15) = 2");
  // Mode 4: n = 10, s² = 19/9, σ0 = 1: C = 9·s² = 19 with 9 df; two-sided 2·P(χ² ≥ 19).
  ExpectThree([&](Hypothesis h) { return TestSigmaUnknownMean(tables, Summary(10, 0.0, std::sqrt(19.0 / 9.0)), 1.0, h, 0.05); },
              TestFamily::Parametric, {0.0251928950816689, 0.974807104918331, 0.0503857901633379},
              "χ²(9) = 19");
  // Mode 8: n1 = 5, n2 = 8, s1² = 2, s2² = 1: F = 2 with (4, 7) df.
  ExpectThree(
      [&](Hypothesis h) {
        return TestSigmaRatio(tables, {Summary(5, 0.0, std::sqrt(2.0)), Summary(8, 0.0, 1.0)}, h, 0.05);
      },
      TestFamily::Parametric, {0.199021928358371, 0.800978071641629, 0.398043856716742}, "F(4, 7) = 2");
}

TEST_F(PValueFamilies, ParametricWithoutStatisticHasNone) {
  // s = 0: the test rejects H0 without a statistic, so there is no p-value to show.
  const TestResult r = TestMeanUnknownSigma(tables, Summary(5, 3.0, 0.0), 1.0, Hypothesis::TwoSided, 0.05);
  ASSERT_TRUE(r.zeroDenominator);
  EXPECT_FALSE(PValue(r, TestFamily::Parametric, Hypothesis::TwoSided).has_value());
  EXPECT_EQ(ExactDecision(r, TestFamily::Parametric, Hypothesis::TwoSided, 0.05), Decision::AcceptH1);
}

TEST_F(PValueFamilies, BandTestStandardisesTheMean) {
  // Mode 1: n = 100, x̄ = 0.6, ρ0 = 0.5: e = √(0.25/100) = 0.05, z = 0.1/0.05 = 2.
  ExpectThree([&](Hypothesis h) { return TestProportion(tables, Summary(100, 0.6, 0.5), 0.5, h, 0.05); },
              TestFamily::Band, {0.0227501319481792, 0.977249868051821, 0.0455002638963584},
              "proportion z = 2");
}

TEST_F(PValueFamilies, SkewnessKurtosisTakesTheLargerStatistic) {
  // Values 1..9 and 16: u1 = 1.890599, u2 = 1.746661 (the test's own formulas, evaluated
  // with mpmath); p = 4·(1 − Φ(1.890599)) = 0.117356.
  CellStore grid(3, 101);
  const char* values[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "16"};
  for (int c = 0; c < 10; ++c) grid.setText(1, c + 1, values[c]);
  const TestResult r = TestSkewnessKurtosis(tables, grid, 0.05);
  ExpectP(PValue(r, TestFamily::SkewnessKurtosis, Hypothesis::TwoSided), 0.117355884851168,
          "1..9, 16");

  struct Case { const char* name; double u1, u2, p; };
  const Case cases[] = {
      {"u1 larger: 4·(1 − Φ(2))", 2.0, 1.5, 0.0910005277927168},
      {"u2 larger", 1.5, 2.0, 0.0910005277927168},
      {"capped at 1: 4·(1 − Φ(0.5)) = 1.23", 0.5, 0.1, 1.0},
  };
  for (const Case& c : cases) {
    TestResult manual;
    manual.distribution = StatisticDistribution::Normal;
    manual.intermediates.add("u1", c.u1);
    manual.intermediates.add("u2", c.u2);
    ExpectP(PValue(manual, TestFamily::SkewnessKurtosis, Hypothesis::TwoSided), c.p, c.name);
  }
}

TEST(PValueFitting, UpperTailOfChiSquare) {
  TestResult r;
  r.distribution = StatisticDistribution::ChiSquare;
  r.statistic = 19.0;
  r.df = 9;
  // P(χ²(9) ≥ 19) = 0.0251929, whatever the choice.
  for (Hypothesis h : testing::kChoices)
    ExpectP(PValue(r, TestFamily::GoodnessOfFit, h), 0.0251928950816689, ChoiceName(h));
  EXPECT_EQ(ExactDecision(r, TestFamily::GoodnessOfFit, Hypothesis::Greater, 0.05), Decision::AcceptH1);
  EXPECT_EQ(ExactDecision(r, TestFamily::GoodnessOfFit, Hypothesis::Greater, 0.025), Decision::AcceptH0);

  // The 0-1 entry that only checks its data: no statistic, its own decision stands.
  TestResult checkOnly;
  checkOnly.decision = Decision::AcceptH1;
  EXPECT_FALSE(PValue(checkOnly, TestFamily::GoodnessOfFit, Hypothesis::Greater).has_value());
  EXPECT_EQ(ExactDecision(checkOnly, TestFamily::GoodnessOfFit, Hypothesis::Greater, 0.05),
            Decision::AcceptH1);
}

TEST(PValueFamilyMismatch, RefusedAsAProgrammingFault) {
  TestResult noIntermediates;
  noIntermediates.distribution = StatisticDistribution::Normal;
  EXPECT_THROW(PValue(noIntermediates, TestFamily::Band, Hypothesis::Greater), std::invalid_argument);
  EXPECT_THROW(PValue(noIntermediates, TestFamily::SkewnessKurtosis, Hypothesis::Greater),
               std::invalid_argument);
  TestResult rankSum;
  rankSum.distribution = StatisticDistribution::RankSum;
  EXPECT_THROW(PValue(rankSum, TestFamily::Parametric, Hypothesis::Greater), std::invalid_argument);
  EXPECT_THROW(PValue(rankSum, TestFamily::GoodnessOfFit, Hypothesis::Greater), std::invalid_argument);
  ExpectInputError([&] { ExactDecision(rankSum, TestFamily::Parametric, Hypothesis::Less, 1.0); },
                   "置信水平应大于0小于1");
}

using RH = RankSumHypothesis;

TEST_F(PValueFamilies, RankSumExactAndApproximate) {
  struct Case {
    const char* name;
    std::vector<double> one, two;
    RH h;
    double p;
    RankSumPBasis basis;
  };
  const Case cases[] = {
      // 3 and 4 without ties, R1 = 1 + 2 + 3 = 6: P(W ≤ 6) = 1/35.
      {"R1 = 6, less", {1, 2, 3}, {4, 5, 6, 7}, RH::FirstLess, 1.0 / 35.0, RankSumPBasis::Exact},
      {"R1 = 6, greater", {1, 2, 3}, {4, 5, 6, 7}, RH::FirstGreater, 1.0, RankSumPBasis::Exact},
      {"R1 = 6, two-sided", {1, 2, 3}, {4, 5, 6, 7}, RH::TwoSided, 2.0 / 35.0, RankSumPBasis::Exact},
      // R1 = 1 + 2 + 4 = 7: P(W ≤ 7) = 2/35.
      {"R1 = 7, less", {1, 2, 4}, {3, 5, 6, 7}, RH::FirstLess, 2.0 / 35.0, RankSumPBasis::Exact},
      // Sample one the larger: R1 = 4 + 5 + 6 + 7 = 22, the largest sum: P(R1 ≥ 22) = 1/35.
      {"larger first sample", {4, 5, 6, 7}, {1, 2, 3}, RH::FirstGreater, 1.0 / 35.0, RankSumPBasis::Exact},
      // Ties: pooled 1 | 2 2 2 | 3 4 5 6 7, mid-ranks 1, 3, 3, 3, 5..9; R1 = 1 + 3 + 3 + 7 = 14.
      // Of the 126 choices of four positions, 11 have a rank sum ≤ 14 and 119 one ≥ 14.
      {"ties, less", {1, 2, 2, 5}, {2, 3, 4, 6, 7}, RH::FirstLess, 11.0 / 126.0, RankSumPBasis::ExactGivenTies},
      {"ties, greater", {1, 2, 2, 5}, {2, 3, 4, 6, 7}, RH::FirstGreater, 119.0 / 126.0, RankSumPBasis::ExactGivenTies},
      {"ties, two-sided", {1, 2, 2, 5}, {2, 3, 4, 6, 7}, RH::TwoSided, 22.0 / 126.0, RankSumPBasis::ExactGivenTies},
      // N = 22: R1 = 55 + 15 = 70, mean 126.5, sigma = √(121·23/12) = 15.228810,
      // z = −3.710073; Φ(z) = 1.035997e-4.
      {"normal branch, less", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15}, {11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 22},
       RH::FirstLess, 1.03599702123533e-4, RankSumPBasis::NormalApproximation},
      {"normal branch, two-sided", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 15}, {11, 12, 13, 14, 16, 17, 18, 19, 20, 21, 22},
       RH::TwoSided, 2.07199404247066e-4, RankSumPBasis::NormalApproximation},
  };
  for (const Case& c : cases) {
    const RankSumResult r = RankSumDecision(tables, c.h, {c.one, c.two}, 0.05);
    const RankSumPValue p = ComputeRankSumPValue(r, c.h);
    EXPECT_NEAR(p.value, c.p, kRelative * c.p) << c.name;
    EXPECT_EQ(p.basis, c.basis) << c.name;
    // The exact decision is the p-value against α (α′ on each side for two-sided).
    const bool reject = p.value <= 0.05 * (c.h == RH::TwoSided ? 2.0 : 1.0);
    EXPECT_EQ(ExactDecision(r, c.h), reject ? Decision::AcceptH1 : Decision::AcceptH0) << c.name;
  }
}

TEST_F(PValueFamilies, RankSumWithEveryValueEqualGivesOne) {
  // 11 and 11 equal values: sigma 0, R1 is its mean whatever happens.
  const std::vector<double> same(11, 4.0);
  const RankSumResult r = RankSumDecision(tables, RH::TwoSided, {same, same}, 0.05);
  for (RH h : {RH::FirstLess, RH::FirstGreater, RH::TwoSided}) {
    EXPECT_EQ(ComputeRankSumPValue(r, h).value, 1.0);
    EXPECT_EQ(ExactDecision(r, h), Decision::AcceptH0);
  }
}

// Statistics close to a printed critical value, where the table and the exact value disagree.
TEST_F(PValueFamilies, ExactDecisionDiffersFromTheTable) {
  struct Case {
    const char* name;
    std::function<TestResult()> run;
    TestFamily family;
    Hypothesis h;
    double alpha;
    double p;
  };
  const Case cases[] = {
      // n = 61, s = √61, x̄ − μ0 = 2.35: T = 2.35 with 60 df. The table reads z = 2.33 beyond
      // 45 df and rejects; t0.01(60) = 2.390119 keeps H0. P(T60 ≥ 2.35) = 0.0110403.
      {"t(60) beyond the table", [&] { return TestMeanUnknownSigma(tables, Summary(61, 2.35, std::sqrt(61.0)), 0.0, Hypothesis::Greater, 0.01); },
       TestFamily::Parametric, Hypothesis::Greater, 0.01, 0.0110402832381917},
      // U = 0.821·4/2 = 1.642: above the printed 1.64, below z0.95 = 1.644854.
      // 1 − Φ(1.642) = 0.0502950.
      {"normal between 1.64 and 1.6449", [&] { return TestMeanKnownSigma(tables, Summary(16, 0.821, 1.0), 2.0, 0.0, Hypothesis::Greater, 0.05); },
       TestFamily::Parametric, Hypothesis::Greater, 0.05, 0.0502950020416002},
      // x̄ = 0.5 + 1.642·0.05 = 0.5821: beyond the printed band edge 0.582, inside the exact
      // edge 0.58224.
      {"band edge", [&] { return TestProportion(tables, Summary(100, 0.5821, 0.5), 0.5, Hypothesis::Greater, 0.05); },
       TestFamily::Band, Hypothesis::Greater, 0.05, 0.0502950020416002},
  };
  for (const Case& c : cases) {
    const TestResult r = c.run();
    EXPECT_EQ(r.decision, Decision::AcceptH1) << c.name;
    EXPECT_EQ(ExactDecision(r, c.family, c.h, c.alpha), Decision::AcceptH0) << c.name;
    ExpectP(PValue(r, c.family, c.h), c.p, c.name);
  }
}

// For statistics away from the edges, the exact critical values reject exactly when p ≤ α.
TEST(ExactDecisionAgreesWithPValue, ParametricDistributions) {
  struct Law { const char* name; StatisticDistribution d; double df, df2; std::vector<double> points; };
  const Law laws[] = {
      {"normal", StatisticDistribution::Normal, 0, 0, {-2.7, -1.9, -1.7, -0.3, 0.0, 1.0, 1.7, 2.05, 3.1}},
      {"t(15)", StatisticDistribution::T, 15, 0, {-2.9, -2.0, -1.8, 0.4, 1.7, 1.8, 2.2, 3.5}},
      {"t(7.5)", StatisticDistribution::T, 7.5, 0, {-2.5, -1.9, 0.0, 1.85, 2.5}},
      {"χ²(9)", StatisticDistribution::ChiSquare, 9, 0, {2.0, 2.8, 3.4, 9.0, 16.5, 17.5, 19.5, 22.0}},
      {"F(4, 7)", StatisticDistribution::F, 4, 7, {0.05, 0.1, 0.2, 1.0, 4.0, 4.2, 5.6, 8.0}},
  };
  for (const Law& law : laws) {
    for (double x : law.points) {
      TestResult r;
      r.distribution = law.d;
      r.df = law.df;
      r.df2 = law.df2;
      r.statistic = x;
      for (Hypothesis h : testing::kChoices) {
        const double p = *PValue(r, TestFamily::Parametric, h);
        const Decision expected = p <= 0.05 ? Decision::AcceptH1 : Decision::AcceptH0;
        EXPECT_EQ(ExactDecision(r, TestFamily::Parametric, h, 0.05), expected)
            << law.name << " at " << x << ", " << ChoiceName(h) << ", p = " << p;
      }
    }
  }
}

TEST_F(PValueFamilies, ExactCriticalValuesFollowTheLookUps) {
  // Two-sided t test at α = 0.05 looks up t(15) at 0.05, then at 0.025.
  const TestResult r = TestMeanUnknownSigma(tables, Summary(16, 10.8, 1.6), 10.0, Hypothesis::TwoSided, 0.05);
  const std::vector<double> exact = ExactCriticalValues(r);
  ASSERT_EQ(exact.size(), 2u);
  EXPECT_NEAR(exact[0], 1.75305035569257, kRelative * 1.75305035569257);  // printed 1.753
  EXPECT_NEAR(exact[1], 2.13144954555978, kRelative * 2.13144954555978);  // printed 2.131
}

}  // namespace
}  // namespace kelvo
