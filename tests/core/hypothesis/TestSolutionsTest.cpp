// Worked solutions of the tests: each family's solution carries the statistic, the table and
// the exact critical values and the p-value of a worked example, and warns when the table and
// the exact values decide apart.
#include "core/hypothesis/TestSolutions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/hypothesis/AsymptoticTests.h"
#include "core/hypothesis/ParametricTests.h"
#include "core/hypothesis/SkewnessKurtosis.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"

namespace kelvo {
namespace {

constexpr double kShown = 1e-5;  // solutions show six significant digits
// p-values show four significant digits: within half a unit of the fourth, relative.
double ShownP(double p) { return 5e-4 * p; }
constexpr const char* kDiffers = "查表临界值与精确临界值给出的结论不同";

class SolutionTest : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};

// The number written right after `label` in the plain text ("−" read as a minus sign).
double NumberAfter(const std::string& text, const std::string& label) {
  const std::size_t at = text.find(label);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no \"" << label << "\" in\n" << text;
    return std::nan("");
  }
  std::string rest = text.substr(at + label.size(), 40);
  const std::string minus = "−";
  double sign = 1.0;
  if (rest.compare(0, minus.size(), minus) == 0) {
    sign = -1.0;
    rest = rest.substr(minus.size());
  }
  return sign * std::strtod(rest.c_str(), nullptr);
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

SampleSummary Typed(int n, double mean, double stdDev) {
  SampleSummary s;
  s.n = n;
  s.mean = mean;
  s.stdDev = stdDev;
  s.variance = stdDev * stdDev;
  return s;
}

// Pooled t test of 1, 2, 3 against 4, 5, 6 with δ = 0, H1 μ1 < μ2, α = 0.05: s_w² = 1,
// T = −3/√(2/3) = −3.67423 with 4 df. t₀.₀₅(4) = 2.1318 in the printed t table, 2.13185 exact;
// p = F_t(4)(−3.67423) = 0.0106558 from the closed form of the t(4) distribution function.
TEST_F(SolutionTest, PooledTShowsStatisticBothCriticalValuesAndPValue) {
  ParametricTestInput in;
  in.test = ParametricTest::MeanDiffEqualSigmas;
  in.hypothesis = Hypothesis::Less;
  in.alpha = 0.05;
  in.samples = {Typed(3, 2.0, 1.0), Typed(3, 5.0, 1.0)};
  const TestResult r = RunParametricTest(tables, in);
  const std::string text = ParametricTestSolution(r, in, {"μ1 = μ2", "μ1 < μ2"}).plainText();

  EXPECT_NEAR(NumberAfter(text, "s_w² = ((3 − 1) × 1 + (3 − 1) × 1) / 4 = "), 1.0, kShown);
  EXPECT_NEAR(NumberAfter(text, "√(1/3 + 1/3) = "), 0.816497, kShown);  // k = √(1/3 + 1/3)
  EXPECT_NEAR(NumberAfter(text, "(2 − 5 − 0) / (1 × 0.816497) = "), -3.67423, kShown);
  EXPECT_NEAR(NumberAfter(text, "t₀.₀₅(4) = "), 2.1318, 1e-9);
  EXPECT_TRUE(Contains(text, "查 t 分布表，自由度 4，α = 0.05 列")) << text;
  EXPECT_NEAR(NumberAfter(text, "精确值：t₀.₀₅(4) = "), 2.13185, kShown);
  EXPECT_TRUE(Contains(text, "查表：W = {T ≤ −2.1318}")) << text;
  EXPECT_NEAR(NumberAfter(text, "p = "), 0.0106558, ShownP(0.0106558));
  EXPECT_TRUE(Contains(text, "接受备选假设 H1")) << text;
  EXPECT_FALSE(Contains(text, kDiffers)) << text;
}

// t test of n = 7, x̄ = 20, s = 2 against μ0 = 10, two-sided: T = 10·√7/2 = 13.2288 with 6 df,
// p = I_{6/(6+T²)}(3, 1/2) = 1.15277e-5 (mpmath 1.3): below 0.0001 it is written so, with the
// value after it. The pane names no library.
TEST_F(SolutionTest, TinyPValueIsWrittenBelowItsBound) {
  ParametricTestInput in;
  in.test = ParametricTest::MeanUnknownSigma;
  in.hypothesis = Hypothesis::TwoSided;
  in.mu0 = 10.0;
  in.samples.first = Typed(7, 20.0, 2.0);
  const TestResult r = RunParametricTest(tables, in);
  const std::string text = ParametricTestSolution(r, in, {"μ = μ0", "μ ≠ μ0"}).plainText();
  EXPECT_TRUE(Contains(text, "p 值：p < 0.0001（精确值 1.15 × 10⁻⁵）")) << text;
  EXPECT_FALSE(Contains(text, "Boost")) << text;
}

// F test of s1² = 4 (n1 = 5) over s2² = 1 (n2 = 8), two-sided at α = 0.05: F₀.₀₂₅(4, 7) = 5.52
// and F₀.₉₇₅(4, 7) = 1 / F₀.₀₂₅(7, 4) = 1 / 9.07 from the printed F table (α = 0.025).
TEST_F(SolutionTest, SigmaRatioWritesTheLowerEdgeAsAReciprocal) {
  ParametricTestInput in;
  in.test = ParametricTest::SigmaRatio;
  in.hypothesis = Hypothesis::TwoSided;
  in.alpha = 0.05;
  in.samples = {Typed(5, 0.0, 2.0), Typed(8, 0.0, 1.0)};
  const TestResult r = RunParametricTest(tables, in);
  const std::string text = ParametricTestSolution(r, in, {"σ1² = σ2²", "σ1² ≠ σ2²"}).plainText();

  EXPECT_NEAR(NumberAfter(text, "F = 4 / 1 = "), 4.0, kShown);
  EXPECT_NEAR(NumberAfter(text, "F₀.₀₂₅(4, 7) = "), 5.52, 1e-9);
  EXPECT_TRUE(Contains(text, "附表（F 分布，α = 0.025）n₁ = 4，n₂ = 7")) << text;
  EXPECT_NEAR(NumberAfter(text, "F₀.₉₇₅(4, 7) = 1 / F₀.₀₂₅(7, 4) = 1 / "), 9.07, 1e-9);
  EXPECT_TRUE(Contains(text, "附表（F 分布，α = 0.025）n₁ = 7，n₂ = 4，取倒数")) << text;
  EXPECT_TRUE(Contains(text, "W = {F ≤ 0.110254} ∪ {F ≥ 5.52}")) << text;
  EXPECT_TRUE(Contains(text, "接受原假设 H0")) << text;
}

// Decisions taken without a statistic: a t test on a sample without spread (s = 0) rejects H0
// without a look-up, and the 0-1 fitting entry only checks its data. Neither shows a p-value.
TEST_F(SolutionTest, DecisionsWithoutStatisticShowNoPValue) {
  ParametricTestInput in;
  in.test = ParametricTest::MeanUnknownSigma;
  in.hypothesis = Hypothesis::TwoSided;
  in.mu0 = 1.0;
  in.samples.first = Typed(5, 3.0, 0.0);
  const TestResult r = RunParametricTest(tables, in);
  ASSERT_TRUE(r.zeroDenominator);
  const std::string spreadless = ParametricTestSolution(r, in, {"μ = μ0", "μ ≠ μ0"}).plainText();
  EXPECT_TRUE(Contains(spreadless, "统计量无法计算，接受备选假设 H1")) << spreadless;
  EXPECT_FALSE(Contains(spreadless, "p = ")) << spreadless;

  FittingResult f;
  f.entry = FittingEntry::ZeroOneUnknown;
  f.dataMessage = "样本数据不是0-1分布";
  f.test.decision = Decision::AcceptH1;
  const std::string zeroOne = FittingSolution(f, 0.05, "0-1 分布").plainText();
  EXPECT_TRUE(Contains(zeroOne, "样本数据不是0-1分布")) << zeroOne;
  EXPECT_TRUE(Contains(zeroOne, "接受备选假设 H1")) << zeroOne;
  EXPECT_FALSE(Contains(zeroOne, "p = ")) << zeroOne;
}

// The cell text says where the value came from: the t table's α = 0.05 column; no column at
// α = 0.04, so the exact t₀.₀₄(15) = 1.87774 (mpmath: root of betainc(7.5, 0.5, 0, 15/(15 + t²),
// regularized=True)/2 = 0.04); the F table has no numerator column 11 and reads the nearest, 12.
TEST_F(SolutionTest, CellTextNamesTheTabulatedCellOrTheExactValue) {
  struct Row {
    const char* name;
    ParametricTest test;
    TwoSampleSummary samples;
    double alpha;
    const char* cell;
  };
  const Row rows[] = {
      {"t column", ParametricTest::MeanUnknownSigma, {Typed(16, 1.0, 2.0), {}}, 0.05,
       "t₀.₀₅(15) = 1.7531（查 t 分布表，自由度 15，α = 0.05 列）"},
      {"t off the columns", ParametricTest::MeanUnknownSigma, {Typed(16, 1.0, 2.0), {}}, 0.04,
       "t₀.₀₄(15) = 1.87774（表中无 α = 0.04 的列，临界值取精确值）"},
      {"F numerator", ParametricTest::SigmaRatio, {Typed(12, 0.0, 2.0), Typed(16, 0.0, 1.0)}, 0.025,
       "附表（F 分布，α = 0.025）n₁ = 12，n₂ = 15；表中无 n₁ = 11，n₂ = 15，取最近的一格"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ParametricTestInput in;
    in.test = row.test;
    in.hypothesis = Hypothesis::Greater;
    in.alpha = row.alpha;
    in.samples = row.samples;
    const std::string text = ParametricTestSolution(RunParametricTest(tables, in), in, {"H0", "H1"}).plainText();
    EXPECT_TRUE(Contains(text, row.cell)) << text;
  }
}

/* The reported case: the χ² test of σ (μ unknown) at α = 0.2 with n = 10, so 9 df, and
   χ² = 9s²/σ0² = 11.8. No table column holds 0.2 (the 0.25 column reads 11.389); the exact
   χ²₀.₂(9) = 12.2421 (mpmath: root of gammainc(4.5, x/2, ∞, regularized=True) = 0.2; also
   boost::math::quantile(complement(chi_squared(9), 0.2))), so H0 stands, as the exact
   p = 0.224821 says. */
TEST_F(SolutionTest, LevelOffTheTableColumnsDecidesWithTheExactValue) {
  ParametricTestInput in;
  in.test = ParametricTest::SigmaUnknownMean;
  in.hypothesis = Hypothesis::Greater;
  in.alpha = 0.2;
  in.sigma0 = 1.0;
  in.samples.first = Typed(10, 0.0, std::sqrt(11.8 / 9.0));
  const TestResult r = RunParametricTest(tables, in);
  EXPECT_TRUE(r.acceptsH0());
  ASSERT_FALSE(r.criticalValues.empty());
  EXPECT_NEAR(r.criticalValues[0].value, 12.2421454698471, 1e-9);
  const std::string text = ParametricTestSolution(r, in, {"σ ≤ σ0", "σ > σ0"}).plainText();

  EXPECT_TRUE(Contains(text, "χ²₀.₂(9) = 12.2421（表中无 α = 0.2 的列，临界值取精确值）")) << text;
  EXPECT_FALSE(Contains(text, "查 χ² 分布表")) << text;
  EXPECT_FALSE(Contains(text, "查表：")) << text;  // no table region beside the exact one
  EXPECT_NEAR(NumberAfter(text, "精确：W = {χ² ≥ "), 12.2421, kShown);
  EXPECT_NEAR(NumberAfter(text, "p = "), 0.224821, ShownP(0.224821));
  EXPECT_TRUE(Contains(text, "∉ W，接受原假设 H0")) << text;
  EXPECT_FALSE(Contains(text, kDiffers)) << text;
}

// A t test with 50 df: the table has no row beyond 45 and stands in z₀.₀₅ = 1.64 or 1.65,
// the exact t₀.₀₅(50) is 1.67591. A statistic of 1.66 falls between: the table rejects H0, the
// exact value keeps it, and the solution says so.
TEST_F(SolutionTest, ParametricNoteWhenTableAndExactDecideApart) {
  ParametricTestInput in;
  in.test = ParametricTest::MeanUnknownSigma;
  in.hypothesis = Hypothesis::Greater;
  in.alpha = 0.05;
  in.samples.first = Typed(51, 1.66 / std::sqrt(51.0), 1.0);
  const TestResult r = RunParametricTest(tables, in);
  ASSERT_FALSE(r.acceptsH0());
  const std::string text = ParametricTestSolution(r, in, {"μ = μ0", "μ > μ0"}).plainText();

  EXPECT_TRUE(Contains(text, "自由度大于 45，用正态近似")) << text;
  EXPECT_NEAR(NumberAfter(text, "精确值：t₀.₀₅(50) = "), 1.67591, kShown);
  EXPECT_TRUE(Contains(text, kDiffers)) << text;
  EXPECT_TRUE(Contains(text, "按精确值应接受原假设 H0")) << text;
}

// Poisson mean, λ0 = 2, n = 100, x̄ = 2.3, two-sided at α = 0.05: e = √(2/100) = 0.141421,
// z₀.₀₂₅ = 1.96 (Φ(1.96) = 0.975 in the normal table), band [1.72281, 2.27718];
// z = 0.3/0.141421 = 2.12132 and p = erfc(2.12132/√2) = 0.0338949.
TEST_F(SolutionTest, BandShowsEdgesAndPValue) {
  AsymptoticTestInput in;
  in.test = AsymptoticTest::PoissonMean;
  in.sample = Typed(100, 2.3, 1.0);
  in.lambda0 = 2.0;
  in.hypothesis = Hypothesis::TwoSided;
  in.alpha = 0.05;
  const TestResult r = RunAsymptoticTest(tables, in);
  const std::string text = BandTestSolution(r, in, {"λ = λ0", "λ ≠ λ0"}).plainText();

  EXPECT_NEAR(NumberAfter(text, "√(2 / 100) = "), 0.141421, kShown);
  EXPECT_NEAR(NumberAfter(text, "z₀.₀₂₅ = "), 1.96, 1e-9);
  EXPECT_TRUE(Contains(text, "查标准正态分布表，Φ(1.96) = 0.975")) << text;
  EXPECT_NEAR(NumberAfter(text, "精确值：z₀.₀₂₅ = "), 1.95996, kShown);
  EXPECT_NEAR(NumberAfter(text, "查表：接受域 [c − z·e, c + z·e] = ["), 1.72281, kShown);
  EXPECT_NEAR(NumberAfter(text, "z = (x̄ − c) / e = (2.3 − 2) / 0.141421 = "), 2.12132, kShown);
  EXPECT_NEAR(NumberAfter(text, "p = "), 0.0338949, ShownP(0.0338949));
  EXPECT_TRUE(Contains(text, "接受备选假设 H1")) << text;
}

// The same test with H1 λ > λ0 and x̄ = 2.232: the table's z₀.₀₅ = 1.64 puts the upper edge at
// 2 + 1.64 × 0.141421 = 2.23193, the exact 1.64485 at 2.23262; x̄ lies between, so the table
// rejects H0 and the exact edge keeps it.
TEST_F(SolutionTest, BandNoteWhenTableAndExactDecideApart) {
  AsymptoticTestInput in;
  in.test = AsymptoticTest::PoissonMean;
  in.sample = Typed(100, 2.232, 1.0);
  in.lambda0 = 2.0;
  in.hypothesis = Hypothesis::Greater;
  in.alpha = 0.05;
  const TestResult r = RunAsymptoticTest(tables, in);
  ASSERT_FALSE(r.acceptsH0());
  const std::string text = BandTestSolution(r, in, {"λ = λ0", "λ > λ0"}).plainText();

  EXPECT_NEAR(NumberAfter(text, "查表：接受域 x̄ ≤ c + z·e = "), 2.23193, kShown);
  EXPECT_NEAR(NumberAfter(text, "精确：接受域 x̄ ≤ c + z·e = "), 2.23262, kShown);
  EXPECT_TRUE(Contains(text, "按精确值应接受原假设 H0")) << text;
}

// The values 1, 2, ..., 10: g1 = 0, B2 = 8.25, B4 = 120.8625 by hand, g2 = 1.77576;
// at α = 0.1 both tests use z₀.₀₂₅ = 1.96 (normal table), exact 1.95996.
TEST_F(SolutionTest, SkewnessKurtosisShowsBothStatistics) {
  CellStore grid(3, 12);
  for (int c = 1; c <= 10; ++c) grid.setText(1, c, std::to_string(c));
  const TestResult r = TestSkewnessKurtosis(tables, grid, 0.1);
  const std::string text = SkewnessKurtosisSolution(r, 0.1).plainText();

  EXPECT_NEAR(NumberAfter(text, "g₁ = B₃ / B₂^(3/2) = "), 0.0, kShown);
  EXPECT_NEAR(NumberAfter(text, "g₂ = B₄ / B₂² = "), 1.77576, kShown);
  EXPECT_NEAR(NumberAfter(text, "z₀.₀₂₅ = "), 1.96, 1e-9);
  EXPECT_NEAR(NumberAfter(text, "精确值：z₀.₀₂₅ = "), 1.95996, kShown);
  const double u2 = NumberAfter(text, "u₂ = |(g₂ − 3 + 6/(n + 1)) / σ₂| = ");
  // p is the Bonferroni bound 4·P(Z ≥ max(u1, u2)) = 2·erfc(u2/√2).
  const double p = std::min(1.0, 2.0 * std::erfc(u2 / std::sqrt(2.0)));
  EXPECT_NEAR(NumberAfter(text, "p = "), p, ShownP(p));
}

// Sample one 1, 2, 3 against 4, 5, 6, 7, two-sided at α = 0.05 (α′ = 0.025): R1 = 6. The
// printed rank-sum table gives T1 = 6, T2 = 18 for n1 = 3, n2 = 4, so W = 6 rejects; but
// P(W ≤ 6) = 1/35 = 0.0286 > α′, no exact lower bound exists and p = 2/35 = 0.0571 keeps H0.
TEST_F(SolutionTest, RankSumTablePairAgainstExactPair) {
  CellStore grid(3, 10);
  const std::vector<std::string> one = {"1", "2", "3"}, two = {"4", "5", "6", "7"};
  for (int c = 0; c < 3; ++c) grid.setText(1, c + 1, one[c]);
  for (int c = 0; c < 4; ++c) grid.setText(2, c + 1, two[c]);
  RankSumSolutionInput in;
  in.hypothesis = RankSumHypothesis::TwoSided;
  in.texts = {"μ1 = μ2", "μ1 ≠ μ2"};
  in.alpha = 0.05;
  const RankSumResult r = ComputeRankSumTest(tables, grid, in.hypothesis, "0.05");
  const std::string text = RankSumSolution(r, in).plainText();

  EXPECT_TRUE(Contains(text, "4\t样本二\t4")) << text;  // a row of the pooled ranking
  EXPECT_NEAR(NumberAfter(text, "R₁ = "), 6.0, kShown);
  EXPECT_NEAR(NumberAfter(text, "R₂ = "), 22.0, kShown);
  EXPECT_NEAR(NumberAfter(text, "：T₁ = "), 6.0, kShown);
  EXPECT_NEAR(NumberAfter(text, "，T₂ = "), 18.0, kShown);
  EXPECT_TRUE(Contains(text, "精确（无结的秩和分布）：T₁ = 无")) << text;
  EXPECT_TRUE(Contains(text, "查表：拒绝域 {W ≤ 6} ∪ {W ≥ 18}")) << text;
  EXPECT_NEAR(NumberAfter(text, "p = "), 2.0 / 35.0, ShownP(2.0 / 35.0));
  EXPECT_TRUE(Contains(text, kDiffers)) << text;
}

// 30 against 30 distinct values: sizes beyond the table take the normal branch with
// E(R1) = 30·61/2 = 915 and σ = √(30·30·61/12) = 67.6387 (no ties).
TEST_F(SolutionTest, RankSumNormalBranchShowsMomentsAndZ) {
  RankSumSamples samples;
  for (int i = 1; i <= 30; ++i) {
    samples.first.push_back(i);
    samples.second.push_back(i + 20.5);
  }
  RankSumSolutionInput in;
  in.hypothesis = RankSumHypothesis::FirstLess;
  in.texts = {"μ1 = μ2", "μ1 < μ2"};
  in.alpha = 0.05;
  const RankSumResult r = RankSumDecision(tables, in.hypothesis, samples, 0.05);
  const std::string text = RankSumSolution(r, in).plainText();

  EXPECT_NEAR(NumberAfter(text, "E(R₁) = n₁(N + 1)/2 = "), 915.0, kShown);
  EXPECT_NEAR(NumberAfter(text, "(12N(N − 1))) = "), 67.6387, 1e-4);
  EXPECT_NEAR(NumberAfter(text, "Z = (R₁ − E(R₁)) / σ = "), (r.ranking.r1 - 915.0) / 67.6387, 1e-4);
  EXPECT_NEAR(NumberAfter(text, "精确值：z₀.₀₅ = "), 1.64485, kShown);
  EXPECT_TRUE(Contains(text, "接受备选假设 H1")) << text;
}

// Five classes of n = 100 with E = 30, 35, 25, 6, 4, the first open below and the last open
// above: the last two merge into [3, +∞) with O = 10, E = 10. χ² = 0 + 25/35 + 25/25 + 0 =
// 1.71429 with 3 df;
// χ²₀.₀₅(3) = 7.815 (printed χ² table), exact 7.81473; p = P(χ²(3) ≥ 1.71429) = 0.633762 from
// the closed form 2(1 − Φ(√x)) + √(2x/π)·e^(−x/2).
TEST_F(SolutionTest, FittingMarksMergedClassesAndShowsShares) {
  FittingResult f;
  f.entry = FittingEntry::UserLaw;
  f.n = 100;
  const double observed[] = {30, 40, 20, 6, 4}, p[] = {0.3, 0.35, 0.25, 0.06, 0.04};
  for (int i = 0; i < 5; ++i) f.classes.push_back({double(i), double(i + 1), observed[i], p[i], 100 * p[i]});
  f.classes.front().openBelow = f.classes.back().openAbove = true;
  f.merged = MergeSmallClasses(f.classes);
  ASSERT_EQ(f.merged.size(), 4u);
  f.test.distribution = StatisticDistribution::ChiSquare;
  f.test.intermediates.add("n", 100);
  f.test.statistic = ChiSquareStatistic(f.merged);
  f.test.df = 3;
  f.test.criticalValues.push_back(ChiSquareQuantile(tables, 3, 0.05));
  f.test.decision = Decision::AcceptH0;
  const WorkedSolution solution = FittingSolution(f, 0.05, "给定的分布");
  const std::string text = solution.plainText();

  std::vector<std::vector<bool>> marks;
  for (const WorkedSolution::Block& b : solution.blocks())
    if (b.kind == WorkedSolution::Kind::Table) marks.push_back(b.marked);
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(marks[0], (std::vector<bool>{false, false, false, true, true}));
  EXPECT_EQ(marks[1], (std::vector<bool>{false, false, false, true}));
  EXPECT_TRUE(Contains(text, "(−∞, 1)\t30\t0.3\t30\n")) << text;
  EXPECT_TRUE(Contains(text, "[1, 2)\t40\t0.35\t35\t0.714286")) << text;  // (O − E)²/E
  EXPECT_TRUE(Contains(text, "[3, +∞)\t10\t0.1\t10\t0")) << text;
  EXPECT_NEAR(NumberAfter(text, "Σp = "), 1.0, kShown);
  EXPECT_NEAR(NumberAfter(text, "ΣE = "), 100.0, kShown);
  EXPECT_NEAR(NumberAfter(text, "χ² = Σ (Oᵢ − Eᵢ)²/Eᵢ = "), 1.71429, kShown);
  EXPECT_NEAR(NumberAfter(text, "χ²₀.₀₅(3) = "), 7.815, 1e-9);
  EXPECT_NEAR(NumberAfter(text, "精确值：χ²₀.₀₅(3) = "), 7.81473, kShown);
  EXPECT_NEAR(NumberAfter(text, "p 值：p = "), 0.633762, ShownP(0.633762));
  EXPECT_TRUE(Contains(text, "接受原假设 H0")) << text;
}

}  // namespace
}  // namespace kelvo
