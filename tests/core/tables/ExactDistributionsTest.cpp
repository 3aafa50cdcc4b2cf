// Exact quantiles and tail probabilities against independent reference values, grouped by
// distribution, and the exact rank-sum null distribution.
//
// Sources of the reference values. Printed percentage-point tables (NIST/SEMATECH
// e-Handbook of Statistical Methods 1.3.6.7, textbook appendices) give 3 to 5 digits; the
// digits below were recomputed with mpmath 1.3 at 30 significant digits (its own error
// function and incomplete beta and gamma functions, not Boost) and agree with the printed
// ones. Rows marked "closed form" follow from a formula by hand. Tolerance: 1e-9 relative
// unless noted.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/text/Errors.h"
#include "core/tables/ExactDistributions.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"
#include "../UserErrorChecks.h"

namespace kelvo {
namespace {

constexpr double kRelative = 1e-9;

void ExpectClose(double actual, double expected, const char* name) {
  EXPECT_NEAR(actual, expected, kRelative * std::fabs(expected)) << name;
}

TEST(ExactNormal, QuantilesAndTails) {
  struct Case { const char* name; double p; double z; };
  // Printed: z0.975 = 1.959964, z0.95 = 1.644854, z0.995 = 2.575829.
  const Case quantiles[] = {
      {"z 0.975", 0.975, 1.95996398454005},
      {"z 0.95", 0.95, 1.64485362695147},
      {"z 0.995", 0.995, 2.57582930354890},
      {"lower-tail p below 1/2 is negative", 0.025, -1.95996398454005},
      {"median", 0.5, 0.0},
  };
  for (const Case& c : quantiles) {
    if (c.z == 0.0) EXPECT_NEAR(ExactNormalQuantile(c.p), 0.0, 1e-15) << c.name;
    else ExpectClose(ExactNormalQuantile(c.p), c.z, c.name);
  }
  // Printed normal tables: Φ(1.96) = 0.97500, Φ(1) = 0.84134, Φ(−2) = 0.02275.
  ExpectClose(NormalLowerTail(1.96), 0.975002104851780, "Φ(1.96)");
  ExpectClose(NormalUpperTail(1.96), 0.0249978951482204, "1 − Φ(1.96), not by subtraction");
  ExpectClose(NormalLowerTail(1.0), 0.841344746068543, "Φ(1)");
  ExpectClose(NormalLowerTail(-2.0), 0.0227501319481792, "Φ(−2)");
  ExpectClose(NormalUpperTail(2.0), 0.0227501319481792, "1 − Φ(2)");
  // A far tail keeps its digits (mpmath): 1 − Φ(8) = 6.22096057427178e-16, tolerance 1e-24.
  EXPECT_NEAR(NormalUpperTail(8.0), 6.22096057427178e-16, 1e-24);
  EXPECT_EQ(NormalLowerTail(-HUGE_VAL), 0.0);
  EXPECT_EQ(NormalUpperTail(-HUGE_VAL), 1.0);
}

TEST(ExactT, QuantilesAndTails) {
  struct Case { const char* name; double df; double alpha; double t; };
  const Case quantiles[] = {
      // The printed t table gives 2.131, 1.812, 2.228, 2.390.
      {"t0.025(15)", 15, 0.025, 2.13144954555978},
      {"t0.05(10)", 10, 0.05, 1.81246112281168},
      {"t0.025(10)", 10, 0.025, 2.22813885198627},
      {"t0.01(60)", 60, 0.01, 2.39011947262491},
      // Closed form: t(1) is Cauchy, t_α(1) = tan(π(1/2 − α)).
      {"t0.025(1)", 1, 0.025, 12.7062047361747},
      {"upper α above 1/2 is negative", 10, 0.975, -2.22813885198627},
      {"non-integer df 2.5", 2.5, 0.05, 2.55821861413594},
  };
  for (const Case& c : quantiles) ExpectClose(ExactTQuantile(c.df, c.alpha), c.t, c.name);

  struct Tail { const char* name; double df; double x; double upper; };
  const Tail tails[] = {
      {"P(T15 ≥ 2.1314) ≈ 0.025", 15, 2.1314, 0.0250023414622995},
      {"P(T15 ≥ 2)", 15, 2.0, 0.0319725036423601},
      // Closed form for two df: P(T ≥ t) = 1/2 − t / (2√(2 + t²)).
      {"P(T2 ≥ 2) = 1/2 − 1/√6", 2, 2.0, 0.0917517095361370},
      // Closed form for one df: P(T ≥ 1) = 1/4.
      {"P(T1 ≥ 1) = 1/4", 1, 1.0, 0.25},
      {"negative point", 10, -1.5, 0.917746336777280},
  };
  for (const Tail& c : tails) {
    ExpectClose(TUpperTail(c.df, c.x), c.upper, c.name);
    ExpectClose(TLowerTail(c.df, c.x), 1.0 - c.upper, c.name);
  }
}

TEST(ExactChiSquare, QuantilesAndTails) {
  struct Case { const char* name; double df; double alpha; double x; };
  const Case quantiles[] = {
      // The printed χ² table gives 19.023, 2.700, 18.307.
      {"χ²0.025(9)", 9, 0.025, 19.0227677986416},
      {"χ²0.975(9)", 9, 0.975, 2.70038949998036},
      {"χ²0.05(10)", 10, 0.05, 18.3070380532751},
      // Closed form: χ²(2) is exponential with mean 2, χ²_α(2) = −2 ln α.
      {"χ²0.05(2) = −2 ln 0.05", 2, 0.05, 5.99146454710798},
      // Closed form: χ²(1) is Z², χ²_α(1) = z²_{1−α/2}.
      {"χ²0.05(1) = 1.959964²", 1, 0.05, 3.84145882069412},
  };
  for (const Case& c : quantiles) ExpectClose(ExactChiSquareQuantile(c.df, c.alpha), c.x, c.name);

  struct Tail { const char* name; double df; double x; double upper; };
  const Tail tails[] = {
      {"P(χ²9 ≥ 19)", 9, 19.0, 0.0251928950816689},
      {"P(χ²9 ≥ 3)", 9, 3.0, 1.0 - 0.0357050273149109},
      {"closed form P(χ²2 ≥ 4) = e^−2", 2, 4.0, std::exp(-2.0)},
      {"non-integer df 4.5", 4.5, 3.0, 0.632769451790025},
  };
  for (const Tail& c : tails) {
    ExpectClose(ChiSquareUpperTail(c.df, c.x), c.upper, c.name);
    ExpectClose(ChiSquareLowerTail(c.df, c.x), 1.0 - c.upper, c.name);
  }
  // The support starts at 0: every point below it lies in the upper tail.
  EXPECT_EQ(ChiSquareLowerTail(3, -1.0), 0.0);
  EXPECT_EQ(ChiSquareUpperTail(3, -1.0), 1.0);
  EXPECT_EQ(ChiSquareUpperTail(3, HUGE_VAL), 0.0);
}

TEST(ExactF, QuantilesAndTails) {
  struct Case { const char* name; double df1; double df2; double alpha; double x; };
  const Case quantiles[] = {
      // Printed F tables give 4.03 and 4.12.
      {"F0.025(9, 9)", 9, 9, 0.025, 4.02599415828298},
      {"F0.05(4, 7)", 4, 7, 0.05, 4.12031172689763},
      // The lower point is the reciprocal of the upper one with the df swapped.
      {"F0.975(9, 9) = 1 / 4.025994", 9, 9, 0.975, 0.248385854694455},
      // Closed form: F(2, 2) has P(F ≥ x) = 1 / (1 + x), so F0.01(2, 2) = 99.
      {"F0.01(2, 2) = 99", 2, 2, 0.01, 99.0},
      {"non-integer df", 3.5, 12.25, 0.05, 3.34016689947464},
  };
  for (const Case& c : quantiles) ExpectClose(ExactFQuantile(c.df1, c.df2, c.alpha), c.x, c.name);

  struct Tail { const char* name; double df1; double df2; double x; double upper; };
  const Tail tails[] = {
      {"P(F(4, 7) ≥ 2)", 4, 7, 2.0, 0.199021928358371},
      // Closed form: P(F(2, ν) ≥ x) = (1 + 2x/ν)^(−ν/2); ν = 7.5, x = 3 gives 1.8^−3.75.
      {"P(F(2, 7.5) ≥ 3) = 1.8^−3.75", 2, 7.5, 3.0, 0.110338761744424},
  };
  for (const Tail& c : tails) {
    ExpectClose(FUpperTail(c.df1, c.df2, c.x), c.upper, c.name);
    ExpectClose(FLowerTail(c.df1, c.df2, c.x), 1.0 - c.upper, c.name);
  }
  EXPECT_EQ(FLowerTail(4, 7, 0.0), 0.0);
  EXPECT_EQ(FUpperTail(4, 7, 0.0), 1.0);
}

TEST(ExactArguments, RefusedWithTheirMessage) {
  const std::string probability = "概率值应大于0小于1";
  const std::string df = "自由度应大于0";
  const std::string point = "计算结果超出范围";
  ExpectUserError([] { ExactNormalQuantile(0.0); }, probability);
  ExpectUserError([] { ExactNormalQuantile(1.0); }, probability);
  ExpectUserError([] { ExactTQuantile(10, std::nan("")); }, probability);
  ExpectUserError([] { ExactChiSquareQuantile(5, 1.5); }, probability);
  ExpectUserError([] { ExactTQuantile(0, 0.05); }, df);
  ExpectUserError([] { ExactChiSquareQuantile(-1, 0.05); }, df);
  ExpectUserError([] { ExactFQuantile(3, 0, 0.05); }, df);
  ExpectUserError([] { FUpperTail(HUGE_VAL, 3, 1.0); }, df);
  ExpectUserError([] { TUpperTail(5, std::nan("")); }, point);
  ExpectUserError([] { NormalLowerTail(std::nan("")); }, point);
  // Tiny degrees of freedom far in the tail: Boost overflows (t) or returns infinity (F).
  ExpectUserError([] { ExactTQuantile(1e-6, 1e-20); }, point);
  ExpectUserError([] { ExactFQuantile(1e-6, 1e-6, 1e-10); }, point);
}

// ExactQuantile undoes none of the table's tricks by hand: whatever a look-up approximated
// (a mirrored t, a reciprocal F, a normal stand-in beyond 45 df) is the plain quantile at the
// probability asked.
class ExactOfLookUps : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};

TEST_F(ExactOfLookUps, SameKindProbabilityAndDegreesOfFreedom) {
  // tableGap: how far the printed value may lie from the exact one (half a unit of its last
  // decimal; the normal stand-in for t(60) at 0.01 reads 2.33 against 2.390).
  struct Case { const char* name; CriticalValue lookedUp; double exact; double tableGap; };
  const Case cases[] = {
      {"normal, lower-tail p", NormalQuantile(tables, 0.975), 1.95996398454005, 0.005},
      {"normal, mirrored", NormalQuantile(tables, 0.025), -1.95996398454005, 0.005},
      {"t", TQuantile(tables, 15, 0.025), 2.13144954555978, 0.0005},
      {"t, mirrored", TQuantile(tables, 10, 0.975), -2.22813885198627, 0.0005},
      {"t beyond 45 df (normal in the table)", TQuantile(tables, 60, 0.01), 2.39011947262491, 0.07},
      {"χ² upper", ChiSquareQuantile(tables, 9, 0.025), 19.0227677986416, 0.0005},
      {"χ² lower", ChiSquareQuantile(tables, 9, 0.975), 2.70038949998036, 0.0005},
      {"F", FQuantile(tables, 4, 7, 0.05), 4.12031172689763, 0.005},
      {"F, reciprocal", FQuantile(tables, 9, 9, 0.975), 0.248385854694455, 0.0005},
  };
  for (const Case& c : cases) {
    ExpectClose(ExactQuantile(c.lookedUp), c.exact, c.name);
    EXPECT_NEAR(c.lookedUp.value, c.exact, c.tableGap) << c.name;
  }
}

TEST(ExactRankSumNull, ThreeAndFourWithoutTies) {
  const RankSumNullDistribution w = RankSumNullDistribution::WithoutTies(3, 4);
  // Worked example: the C(7, 3) = 35 choices of 3 ranks from 1..7, listed by sum 6..18,
  // number 1 1 2 3 4 4 5 4 4 3 2 1 1 (symmetric about 12).
  const double counts[] = {1, 1, 2, 3, 4, 4, 5, 4, 4, 3, 2, 1, 1};
  EXPECT_EQ(w.choiceCount(), 35.0);
  EXPECT_EQ(w.smallest(), 6.0);
  EXPECT_EQ(w.largest(), 18.0);
  for (int s = 6; s <= 18; ++s)
    EXPECT_NEAR(w.exactly(s), counts[s - 6] / 35.0, 1e-15) << "W = " << s;
  EXPECT_NEAR(w.atMost(6), 1.0 / 35.0, 1e-15);   // 0.0285714
  EXPECT_NEAR(w.atMost(7), 2.0 / 35.0, 1e-15);   // 0.0571429
  EXPECT_NEAR(w.atLeast(18), 1.0 / 35.0, 1e-15);
  EXPECT_NEAR(w.atLeast(12), 20.0 / 35.0, 1e-15);
  EXPECT_NEAR(w.atMost(7.5), 2.0 / 35.0, 1e-15);  // between steps
  EXPECT_EQ(w.atMost(5), 0.0);
  EXPECT_EQ(w.atLeast(5), 1.0);
  EXPECT_EQ(w.atMost(100), 1.0);
  EXPECT_EQ(w.exactly(6.5), 0.0);
}

TEST(ExactRankSumNull, MidRanksAndLargerSizes) {
  // Worked example with ties: ranks 1, 2.5, 2.5, 4 (two equal values in the middle), samples
  // of two. The six choices have sums 3.5, 3.5, 5, 5, 6.5, 6.5.
  const RankSumNullDistribution tied({1.0, 2.5, 2.5, 4.0}, 2);
  EXPECT_EQ(tied.choiceCount(), 6.0);
  EXPECT_NEAR(tied.exactly(3.5), 2.0 / 6.0, 1e-15);
  EXPECT_NEAR(tied.atMost(5.0), 4.0 / 6.0, 1e-15);
  EXPECT_NEAR(tied.atLeast(6.5), 2.0 / 6.0, 1e-15);
  EXPECT_EQ(tied.exactly(4.0), 0.0);

  // 10 and 10: C(20, 10) = 184756 choices. Printed rank-sum tables put the two-sided 0.05
  // bounds at 78 and 132; listing all 184756 subsets (Python itertools) counts 3996 with a
  // sum of at most 78, P = 0.0216285.
  const RankSumNullDistribution big = RankSumNullDistribution::WithoutTies(10, 10);
  EXPECT_EQ(big.choiceCount(), 184756.0);
  EXPECT_NEAR(big.atMost(78), 3996.0 / 184756.0, 1e-15);
  EXPECT_NEAR(big.atLeast(132), 3996.0 / 184756.0, 1e-15);
  EXPECT_NEAR(big.atMost(104.5) + big.atLeast(105), 1.0, 1e-12);  // symmetric about 105
}

TEST(ExactRankSumNull, CriticalValuesFromTheDistribution) {
  struct Case { const char* name; int n1, n2; double alphaPrime; int lower, upper; double pLower; };
  const Case cases[] = {
      // Rank-sum tables for (3, 4): T1 = 6, T2 = 18 at α = 0.05 one-sided (P = 1/35).
      {"3 and 4 at 0.05", 3, 4, 0.05, 6, 18, 1.0 / 35.0},
      {"order of the sizes does not matter", 4, 3, 0.05, 6, 18, 1.0 / 35.0},
      {"3 and 4 at 0.06", 3, 4, 0.06, 7, 17, 2.0 / 35.0},
  };
  for (const Case& c : cases) {
    const ExactRankSumBounds b = ExactRankSumCriticalValues(c.n1, c.n2, c.alphaPrime);
    EXPECT_TRUE(b.lowerExists && b.upperExists) << c.name;
    EXPECT_EQ(b.lower, c.lower) << c.name;
    EXPECT_EQ(b.upper, c.upper) << c.name;
    EXPECT_NEAR(b.lowerProbability, c.pLower, 1e-15) << c.name;
    EXPECT_NEAR(b.upperProbability, c.pLower, 1e-15) << c.name;
  }
  // Two and two: the smallest tail is 1/6 > 0.05, so no value is critical.
  const ExactRankSumBounds none = ExactRankSumCriticalValues(2, 2, 0.05);
  EXPECT_FALSE(none.lowerExists);
  EXPECT_FALSE(none.upperExists);
  EXPECT_EQ(none.lower, 2);  // just below the smallest sum 3
  EXPECT_EQ(none.upper, 8);  // just above the largest sum 7

  ExpectUserError([] { RankSumNullDistribution::WithoutTies(0, 4); }, "样本量太小");
  ExpectUserError([] { ExactRankSumCriticalValues(3, 4, 0.0); }, "置信水平应大于0小于1");
  EXPECT_THROW(RankSumNullDistribution({1.0, 2.25, 3.0}, 1), std::invalid_argument);
}

}  // namespace
}  // namespace kelvo
