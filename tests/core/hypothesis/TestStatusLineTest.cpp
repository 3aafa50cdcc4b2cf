// The status line of the test windows: statistic, the table critical values the decision used
// and the exact p-value, in one line. Reference p-values computed with mpmath 1.3 (30 digits)
// from the regularised incomplete beta and gamma functions; critical values as the printed
// tables hold them (t with 4 decimals, χ² with 3, the normal table by its nearest cell).
#include "core/hypothesis/TestStatusLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/hypothesis/AsymptoticTests.h"
#include "core/hypothesis/ParametricTests.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"
#include "../Summaries.h"

namespace kelvo {
namespace {

class StatusLineTest : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};

// One test per row: the statistic, the critical values of the choice and p, as written.
TEST_F(StatusLineTest, ParametricLinesNameTheValuesOfTheChoice) {
  struct Case {
    const char* name;
    TestResult result;
    Hypothesis hypothesis;
    const char* expected;
  };
  // t: n = 7, x̄ = 11, s = 2, μ0 = 10: T = √7/2 = 1.32288 with 6 df; t₀.₀₂₅(6) = 2.4469,
  // t₀.₀₅(6) = 1.9432; p two-sided = 2·P(t(6) ≥ 1.32288) = 0.234057, p less = 0.882971.
  // χ²: n = 10, s = 2, σ0 = 1.5: χ² = 9·4/2.25 = 16 with 9 df; χ²₀.₉₇₅(9) = 2.700,
  // χ²₀.₀₂₅(9) = 19.023, χ²₀.₉₅(9) = 3.325; P(χ²(9) ≤ 16) = 0.933118, two-sided p = 0.133763.
  const Case cases[] = {
      {"t two-sided", TestMeanUnknownSigma(tables, Summary(7, 11, 2), 10, Hypothesis::TwoSided, 0.05),
       Hypothesis::TwoSided, "T = 1.3229，临界值 t₀.₀₂₅(6) = 2.4469，p = 0.2341"},
      {"t less", TestMeanUnknownSigma(tables, Summary(7, 11, 2), 10, Hypothesis::Less, 0.05), Hypothesis::Less,
       "T = 1.3229，临界值 −t₀.₀₅(6) = −1.9432，p = 0.883"},
      {"chi-square two-sided", TestSigmaUnknownMean(tables, Summary(10, 0, 2), 1.5, Hypothesis::TwoSided, 0.05),
       Hypothesis::TwoSided, "χ² = 16.0000，临界值 χ²₀.₉₇₅(9) = 2.7000、χ²₀.₀₂₅(9) = 19.0230，p = 0.1338"},
      {"chi-square less", TestSigmaUnknownMean(tables, Summary(10, 0, 2), 1.5, Hypothesis::Less, 0.05),
       Hypothesis::Less, "χ² = 16.0000，临界值 χ²₀.₉₅(9) = 3.3250，p = 0.9331"},
      {"no spread", TestMeanUnknownSigma(tables, Summary(7, 11, 0), 10, Hypothesis::TwoSided, 0.05),
       Hypothesis::TwoSided, "T 无法计算（统计量的分母为 0，样本无离散）"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StatusLine(c.result, TestFamily::Parametric, c.hypothesis), c.expected) << c.name;
}

// Poisson mean, λ0 = 2, n = 100, x̄ = 2.3, two-sided at α = 0.05: e = √(2/100), Z = 2.12132,
// z₀.₀₂₅ = 1.96 (normal table), p = erfc(2.12132/√2) = 0.0338949.
TEST_F(StatusLineTest, BandLineShowsTheMeanAndItsStandardisedValue) {
  const TestResult r = TestPoissonMean(tables, Summary(100, 2.3, 1.0), 2.0, Hypothesis::TwoSided, 0.05);
  EXPECT_EQ(StatusLine(r, TestFamily::Band, Hypothesis::TwoSided),
            "x̄ = 2.3000，Z = 2.1213，临界值 z₀.₀₂₅ = 1.9600，p = 0.03389");
}

// χ² = 3.2 with 3 df against χ²₀.₀₅(3) = 7.815: P(χ²(3) ≥ 3.2) = 0.361805. An entry that only
// checked its data has no line.
TEST_F(StatusLineTest, FittingLineOrNothing) {
  FittingResult f;
  f.test.distribution = StatisticDistribution::ChiSquare;
  f.test.statistic = 3.2;
  f.test.df = 3;
  f.test.criticalValues = {ChiSquareQuantile(tables, 3, 0.05)};
  EXPECT_EQ(StatusLine(f), "χ² = 3.2000，临界值 χ²₀.₀₅(3) = 7.8150，p = 0.3618");
  f.dataMessage = "数据错误";
  EXPECT_EQ(StatusLine(f), "");
}

// Table branch: 1, 2, 3 against 4, 5, 6, 7, two-sided at α = 0.05: W = R1 = 6, the printed
// table's T1 = 6, T2 = 18, exact p = 2·P(W ≤ 6) = 2/35 = 0.0571429. Normal branch: 1..30
// against 21.5..50.5, μ1 < μ2: R1 = 510, Z = (510 − 915)/67.6387 = −5.98769, p = Φ(Z) ≈ 1.1e-9;
// z₀.₀₅ is the normal table's 1.64 (Φ(1.64) = 0.9495, the cell it reads for 0.95).
TEST_F(StatusLineTest, RankSumLines) {
  CellStore grid(3, 10);
  const std::vector<std::string> one = {"1", "2", "3"}, two = {"4", "5", "6", "7"};
  for (int c = 0; c < 3; ++c) grid.setText(1, c + 1, one[c]);
  for (int c = 0; c < 4; ++c) grid.setText(2, c + 1, two[c]);
  const RankSumResult table = ComputeRankSumTest(tables, grid, RankSumHypothesis::TwoSided, "0.05");
  EXPECT_EQ(StatusLine(table, RankSumHypothesis::TwoSided), "W = R₁ = 6，临界值 T₁ = 6、T₂ = 18，p = 0.05714");

  RankSumSamples samples;
  for (int i = 1; i <= 30; ++i) {
    samples.first.push_back(i);
    samples.second.push_back(i + 20.5);
  }
  const RankSumResult normal = RankSumDecision(tables, RankSumHypothesis::FirstLess, samples, 0.05);
  EXPECT_EQ(StatusLine(normal, RankSumHypothesis::FirstLess),
            "Z = −5.9877，临界值 −z₀.₀₅ = −1.6400，p < 0.0001");
}

}  // namespace
}  // namespace kelvo
