// Worked solutions of the estimation windows: each must carry the numbers of a worked example,
// the quantile from the printed table beside the exact one, and the bounds computed both ways.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/estimation/EstimationSolutions.h"
#include "core/estimation/LargeSampleIntervals.h"
#include "core/estimation/NormalIntervals.h"
#include "core/estimation/PointEstimates.h"
#include "core/sample/Readers.h"
#include "core/tables/TableStore.h"

namespace kelvo {
namespace {

// Every decimal number written in the text ("−" read as a minus sign); subscript digits are
// not plain digits and are skipped.
std::vector<double> NumbersIn(const std::string& text) {
  static const std::string kMinus = "−";
  std::vector<double> numbers;
  std::size_t i = 0;
  while (i < text.size()) {
    const bool digit = text[i] >= '0' && text[i] <= '9';
    if (!digit) {
      ++i;
      continue;
    }
    char* end = nullptr;
    double value = std::strtod(text.c_str() + i, &end);
    const bool negative = i >= kMinus.size() && text.compare(i - kMinus.size(), kMinus.size(), kMinus) == 0;
    numbers.push_back(negative ? -value : value);
    i = static_cast<std::size_t>(end - text.c_str());
  }
  return numbers;
}

bool HasNumber(const std::string& text, double value, double tolerance) {
  for (double n : NumbersIn(text))
    if (std::fabs(n - value) <= tolerance) return true;
  return false;
}

// The text of the blocks after a heading, up to the next heading.
std::string Section(const WorkedSolution& s, const std::string& heading) {
  std::string text;
  bool inside = false;
  for (const auto& block : s.blocks()) {
    if (block.kind == WorkedSolution::Kind::Heading) {
      inside = block.text == heading;
      continue;
    }
    if (inside) text += block.text + "\n";
  }
  return text;
}

// The rows of the closing table that sets the table-based and the exact results side by side.
const std::vector<std::vector<std::string>>& Comparison(const WorkedSolution& s) {
  for (const auto& block : s.blocks())
    if (block.kind == WorkedSolution::Kind::Table) return block.rows;
  throw std::runtime_error("no comparison table");
}

// A comparison row by its first cell: {name, table quantile, table result, exact quantile, exact result}.
std::vector<std::string> Row(const WorkedSolution& s, const std::string& name) {
  for (const auto& row : Comparison(s))
    if (!row.empty() && row[0] == name) return row;
  ADD_FAILURE() << "no row " << name;
  return std::vector<std::string>(5);
}

void ExpectNumbers(const std::string& text, const std::vector<double>& expected, double tolerance,
                   const std::string& what) {
  const std::vector<double> found = NumbersIn(text);
  ASSERT_EQ(found.size(), expected.size()) << what << ": " << text;
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_NEAR(found[i], expected[i], tolerance) << what << ": " << text;
}

class EstimationSolutions : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};

SampleSummary Summary(int n, double mean, double stdDev = 0.0, double secondMoment = 0.0) {
  SampleSummary s;
  s.n = n;
  s.mean = mean;
  s.stdDev = stdDev;
  s.secondMoment = secondMoment;
  s.variance = stdDev * stdDev;
  return s;
}

WorkedSolution NormalSolution(TableStore& tables, const NormalIntervalInput& input) {
  return BuildNormalIntervalSolution(ComputeNormalInterval(tables, input), input);
}

// ---- normal populations ----

/* Worked example (mean, σ unknown): n = 16, x̄ = 10, s = 2, c = 0.95. The printed t table gives
   t₀.₀₂₅(15) = 2.1314 and t₀.₀₅(15) = 1.7531; five-decimal references from tables of the
   t distribution with more digits: 2.13145, 1.75305. Tolerance: the last of the six significant
   digits a solution shows (11.0657 for 11.065725). */
TEST_F(EstimationSolutions, MeanIntervalShowsTableAndExactQuantilesAndBothIntervals) {
  const WorkedSolution s = NormalSolution(tables, {NormalInterval::MeanUnknownSigma, {Summary(16, 10, 2), {}}});
  const auto twoSided = Row(s, "双侧置信区间");
  ExpectNumbers(twoSided[1], {15, 2.1314}, 1e-9, "table t");
  ExpectNumbers(twoSided[2], {8.9343, 11.0657}, 1e-9, "table interval");
  ExpectNumbers(twoSided[3], {2.13145}, 5e-6, "exact t");
  ExpectNumbers(twoSided[4], {10 - 2.13145 * 0.5, 10 + 2.13145 * 0.5}, 5e-5, "exact interval");
  const auto lower = Row(s, "单侧置信下限");
  ExpectNumbers(lower[2], {9.12345}, 1e-9, "table one-sided");
  ExpectNumbers(lower[4], {10 - 1.75305 * 0.5}, 1e-5, "exact one-sided");
  ExpectNumbers(Row(s, "单侧置信上限")[2], {10.87655}, 5e-5, "table one-sided upper");
  const std::string plain = s.plainText();
  EXPECT_NE(plain.find("t₀.₀₂₅(15) = 2.1314"), std::string::npos);
  EXPECT_NE(plain.find("查 t 分布表，自由度 15，α = 0.025 列"), std::string::npos);
  // The exact value is called so, with no library named.
  EXPECT_NE(plain.find("精确值：t₀.₀₂₅(15) = 2.13145"), std::string::npos) << plain;
  EXPECT_EQ(plain.find("Boost"), std::string::npos) << plain;
}

/* Every interval against a worked example (c = 0.95). Table values are those the printed tables
   give; exact quantiles come from tables to six digits. Rows:
   - μ, σ = 2 known, n = 16, x̄ = 10: z = 1.96 gives (9.02, 10.98); exact z₀.₀₂₅ = 1.959964;
   - σ, μ = 0 known, n = 10, Σx² = 36: χ²₀.₀₂₅(10) = 20.483, χ²₀.₉₇₅(10) = 3.247;
     exact 20.4832, 3.24697;
   - σ, μ unknown, n = 10, s = 2: χ² table values 19.023 and 2.700 give (1.37566, 3.65148);
     exact χ²₀.₀₂₅(9) = 19.0228, χ²₀.₉₇₅(9) = 2.70039;
   - μ1 − μ2, σ1 = σ2 = 2 known, n1 = n2 = 10, D = 1: w = √0.8;
   - μ1 − μ2, equal σ, n1 = n2 = 10, D = 1, s1 = s2 = 2: Sw = 2, t = 2.1009 gives
     (−0.8791, 2.8791); exact t₀.₀₂₅(18) = 2.10092;
   - σ1/σ2, μ1 = μ2 = 0 known, n1 = n2 = 10, equal spreads (ρ = 1): F₀.₀₂₅(10, 10) = 3.72;
     exact 3.71679;
   - σ1/σ2, means unknown, n1 = n2 = 10, s1 = s2: F table 4.03 gives (0.49814, 2.00749);
     exact F₀.₀₂₅(9, 9) = 4.02599.
   Tolerance 5e-5: the last of the six significant digits a solution shows. */
TEST_F(EstimationSolutions, EveryModeMatchesItsWorkedExample) {
  struct Case {
    const char* name;
    NormalIntervalInput input;  // at c = 0.95
    std::vector<double> tableQuantiles, tableInterval, exactQuantiles, exactInterval;
  };
  const double z = 1.959964, w = std::sqrt(0.8);
  const double k = std::sqrt(0.2) * 2;  // Sw·√(1/10 + 1/10)
  const Case cases[] = {
      {"mean, sigma known", {.kind = NormalInterval::MeanKnownSigma, .samples = {Summary(16, 10), {}}, .sigma = 2},
       {1.96}, {9.02, 10.98}, {z}, {10 - z * 0.5, 10 + z * 0.5}},
      {"sigma, mean known", {NormalInterval::SigmaKnownMean, {Summary(10, 0, 0, 3.6), {}}}, {10, 20.483, 10, 3.247},
       {std::sqrt(36 / 20.483), std::sqrt(36 / 3.247)}, {20.4832, 3.24697},
       {std::sqrt(36 / 20.4832), std::sqrt(36 / 3.24697)}},
      {"sigma, mean unknown", {NormalInterval::SigmaUnknownMean, {Summary(10, 0, 2), {}}}, {9, 19.023, 9, 2.7}, {1.37566, 3.65148},
       {19.0228, 2.70039}, {std::sqrt(36 / 19.0228), std::sqrt(36 / 2.70039)}},
      {"difference of means, sigmas known", {.kind = NormalInterval::MeanDiffKnownSigmas,
        .samples = {Summary(10, 1), Summary(10, 0)}, .sigma1 = 2, .sigma2 = 2}, {1.96},
       {1 - 1.96 * w, 1 + 1.96 * w}, {z}, {1 - z * w, 1 + z * w}},
      {"difference of means, equal sigmas", {NormalInterval::MeanDiffEqualSigmas, {Summary(10, 1, 2), Summary(10, 0, 2)}},
       {18, 2.1009},
       {-0.8791, 2.8791}, {2.10092}, {1 - 2.10092 * k, 1 + 2.10092 * k}},
      {"sigma ratio, means known", {NormalInterval::SigmaRatioKnownMeans, {Summary(10, 0, 0, 4), Summary(10, 0, 0, 4)}},
       {10, 10, 3.72, 10, 10, 1 / 3.72}, {std::sqrt(1 / 3.72), std::sqrt(3.72)}, {3.71679, 1 / 3.71679},
       {std::sqrt(1 / 3.71679), std::sqrt(3.71679)}},
      {"sigma ratio, means unknown", {NormalInterval::SigmaRatioUnknownMeans, {Summary(10, 0, 2), Summary(10, 0, 2)}},
       {9, 9, 4.03, 9, 9, 1 / 4.03}, {0.49814, 2.00749}, {4.02599, 1 / 4.02599},
       {std::sqrt(1 / 4.02599), std::sqrt(4.02599)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const WorkedSolution s = NormalSolution(tables, c.input);
    const auto row = Row(s, "双侧置信区间");
    ExpectNumbers(row[1], c.tableQuantiles, 5e-5, "table quantiles with their degrees of freedom");
    ExpectNumbers(row[2], c.tableInterval, 5e-5, "table interval");
    ExpectNumbers(row[3], c.exactQuantiles, 5e-5, "exact quantiles");
    ExpectNumbers(row[4], c.exactInterval, 5e-5, "exact interval");
  }
}

// A standard deviation and a ratio of them are positive: their one-sided upper interval runs
// from 0, a mean's from −∞ (once "(−∞, 3.29)" for σ).
TEST_F(EstimationSolutions, OneSidedUpperIntervalStartsWhereTheParameterCan) {
  const struct {
    NormalIntervalInput input;
    const char* start;
  } cases[] = {
      {{NormalInterval::MeanUnknownSigma, {Summary(16, 10, 2), {}}}, "(−∞, "},
      {{NormalInterval::MeanDiffEqualSigmas, {Summary(10, 1, 2), Summary(10, 0, 2)}}, "(−∞, "},
      {{NormalInterval::SigmaUnknownMean, {Summary(10, 0, 2), {}}}, "(0, "},
      {{NormalInterval::SigmaRatioUnknownMeans, {Summary(10, 0, 2), Summary(10, 0, 2)}}, "(0, "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start);
    const NormalIntervalResult r = ComputeNormalInterval(tables, c.input);
    EXPECT_EQ(r.lowestValue, std::string(c.start) == "(0, " ? 0.0 : -HUGE_VAL);
    const WorkedSolution s = BuildNormalIntervalSolution(r, c.input);
    const auto row = Row(s, "单侧置信上限");
    EXPECT_EQ(row[2].rfind(c.start, 0), 0u) << row[2];
    EXPECT_EQ(row[4].rfind(c.start, 0), 0u) << row[4];
    EXPECT_NE(Section(s, "单侧置信限").find(c.start), std::string::npos);
  }
}

TEST_F(EstimationSolutions, SigmaRatioNamesTheReciprocalCell) {
  const WorkedSolution s = NormalSolution(tables, {NormalInterval::SigmaRatioUnknownMeans, {Summary(10, 0, 2), Summary(10, 0, 2)}});
  const std::string plain = s.plainText();
  // F₀.₉₇₅(9, 9) is read as the reciprocal of the printed F₀.₀₂₅(9, 9) = 4.03.
  EXPECT_NE(plain.find("F₀.₉₇₅(9, 9) = 1/4.03"), std::string::npos) << plain;
  EXPECT_NE(plain.find("附表（F 分布，α = 0.025）n₁ = 9，n₂ = 9"), std::string::npos) << plain;
}

// F tables hold some degrees of freedom only: the cell read is the nearest, and says so.
TEST_F(EstimationSolutions, SigmaRatioNamesTheNearestTabulatedRowAndColumn) {
  const WorkedSolution s = NormalSolution(tables, {NormalInterval::SigmaRatioUnknownMeans, {Summary(16, 0, 2), Summary(50, 0, 3)}});
  const std::string plain = s.plainText();
  EXPECT_NE(plain.find("n₁ = 15，n₂ = 40（表中无 n₂ = 49 行，取 40 行）"), std::string::npos) << plain;
  EXPECT_NE(plain.find("n₁ = 40，n₂ = 15（表中无 n₁ = 49 列，取 40 列）"), std::string::npos) << plain;
  // Printed F tables, α = 0.025: F(15, 40) = 2.18 and F(40, 15) = 2.59.
  ExpectNumbers(Row(s, "双侧置信区间")[1], {15, 49, 2.18, 15, 49, 1 / 2.59}, 5e-5, "table quantiles");
}

/* Approximate degrees of freedom: n1 = 10, n2 = 15, s1 = 2, s2 = 3 give
   ν = 1/(0.4²/9 + 0.6²/14) = 22.9927, whole part 22; printed t₀.₀₂₅(22) = 2.0739. */
TEST_F(EstimationSolutions, WelchShowsDegreesOfFreedomBeforeAndAfterTheWholePart) {
  const WorkedSolution s = NormalSolution(tables, {NormalInterval::MeanDiffUnequalSigmas, {Summary(10, 5, 2), Summary(15, 4, 3)}});
  const std::string sample = Section(s, "样本");
  EXPECT_TRUE(HasNumber(sample, 22.9927, 5e-5)) << sample;
  EXPECT_NE(sample.find("ν = 22"), std::string::npos) << sample;
  ExpectNumbers(Row(s, "双侧置信区间")[1], {22, 2.0739}, 1e-9, "table t");
  ExpectNumbers(Row(s, "双侧置信区间")[2], {1 - 2.0739, 1 + 2.0739}, 1e-9, "table interval");
}

/* A level whose α/2 is no column of the table takes the exact quantile and says so: c = 0.93,
   α/2 = 0.035, t₀.₀₃₅(15) = 1.95094 (mpmath: root of betainc(7.5, 0.5, 0, 15/(15 + t²),
   regularized=True)/2 = 0.035), not the 0.025 column's 2.1314; bounds 10 ∓ 1.95094 × 2/4. */
TEST_F(EstimationSolutions, QuantileOutsideTheTableColumnsIsExact) {
  const WorkedSolution s = NormalSolution(tables, {NormalInterval::MeanUnknownSigma, {Summary(16, 10, 2), {}}, 0.93});
  const std::string plain = s.plainText();
  EXPECT_NE(plain.find("表中无 α = 0.035 的列，临界值取精确值"), std::string::npos) << plain;
  const auto row = Row(s, "双侧置信区间");
  ExpectNumbers(row[1], {15, 1.95094}, 5e-6, "the quantile used, exact");
  EXPECT_NE(row[1].find("（精确值）"), std::string::npos) << row[1];
  ExpectNumbers(row[2], {10 - 1.95094 * 0.5, 10 + 1.95094 * 0.5}, 5e-5, "interval");
  ExpectNumbers(row[3], {1.95094}, 5e-6, "exact t");
}

TEST_F(EstimationSolutions, BeyondTheLastTabulatedRowTheNormalStandsIn) {
  const WorkedSolution s = NormalSolution(tables, {NormalInterval::MeanUnknownSigma, {Summary(61, 10, 2), {}}});
  EXPECT_NE(s.plainText().find("自由度大于 45，用正态近似"), std::string::npos);
  // z₀.₀₂₅ = 1.96 from the normal table; exact t₀.₀₂₅(60) = 2.00030 (t tables).
  const auto row = Row(s, "双侧置信区间");
  ExpectNumbers(row[1], {60, 1.96}, 1e-9, "normal stand-in");
  ExpectNumbers(row[3], {2.0003}, 5e-5, "exact t");
}

TEST(EstimationSolutionsInput, RefusesModesAndResultsItCannotWrite) {
  NormalIntervalResult empty;
  EXPECT_THROW(BuildNormalIntervalSolution(empty, {NormalInterval::MeanUnknownSigma, {}}), std::invalid_argument);
  EXPECT_THROW(BuildLargeSampleIntervalSolution(IntervalResult{}, {}), std::invalid_argument);
}

// ---- large samples ----

/* Worked examples with c = 0.95 (table z = 1.96): 0-1, n = 100, x̄ = 0.5: (0.40383, 0.59617);
   exponential, n = 100, x̄ = 10: (8.36120, 12.43781). Exact z₀.₀₂₅ = 1.959964 (normal table
   to six decimals); the exact 0-1 interval is the score (Wilson) interval
   (p + z²/2n ∓ z·√(p(1 − p)/n + z²/4n²)) / (1 + z²/n). */
TEST_F(EstimationSolutions, LargeSampleIntervalsBothWays) {
  const double z = 1.959964;
  auto wilson = [z](double n, double p, double sign) {
    return (p + z * z / (2 * n) + sign * z * std::sqrt(p * (1 - p) / n + z * z / (4 * n * n))) / (1 + z * z / n);
  };
  struct Case {
    const char* name;
    LargeSampleInterval kind;
    std::vector<double> tableInterval, exactInterval;
  };
  const Case cases[] = {
      {"0-1", LargeSampleInterval::BernoulliP, {0.40383, 0.59617}, {wilson(100, 0.5, -1), wilson(100, 0.5, 1)}},
      {"exponential", LargeSampleInterval::ExponentialTheta, {8.36120, 12.43781}, {100 / (10 + z), 100 / (10 - z)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const LargeSampleIntervalInput input{c.kind, Summary(100, c.kind == LargeSampleInterval::BernoulliP ? 0.5 : 10)};
    const WorkedSolution s = BuildLargeSampleIntervalSolution(ComputeLargeSampleInterval(tables, input), input);
    const auto row = Row(s, "双侧置信区间");
    // Six significant digits are shown: 5e-5 covers the last one of 12.4378.
    ExpectNumbers(row[1], {1.96}, 1e-9, "table z");
    ExpectNumbers(row[2], c.tableInterval, 5e-5, "table interval");
    ExpectNumbers(row[3], {z}, 5e-6, "exact z");
    ExpectNumbers(row[4], c.exactInterval, 5e-5, "exact interval");
    EXPECT_NE(s.plainText().find("查标准正态分布表：Φ(1.96) = 0.9750"), std::string::npos);
  }
}

/* Poisson, n = 50, x̄ = 2, z = 1.96: A = 50, B = 2·50·2 + 1.96² = 203.8416, C = 200; roots
   (1.64454, 2.43229) (worked example). */
TEST_F(EstimationSolutions, PoissonQuadraticWrittenOut) {
  const SampleSummary sample = Summary(50, 2);
  const IntervalResult result = ComputePoissonInterval(tables, sample, 0.95);
  const WorkedSolution s = BuildLargeSampleIntervalSolution(result, {LargeSampleInterval::PoissonLambda, sample});
  const std::string interval = Section(s, "置信区间");
  for (double value : {203.842, 200.0, 1.64454, 2.43229})
    EXPECT_TRUE(HasNumber(interval, value, 5e-6)) << value << "\n" << interval;
}

// ---- point estimation ----

/* Worked examples: binomial N = 10, values 3, 5, 4: P = 0.4 both ways; uniform, values 1..5:
   moment A = 3 − √6, B = 3 + √6, likelihood A = 1, B = 5; normal, values 2, 4, 6: μ = 4,
   σ = √(8/3) both ways. */
TEST(EstimationSolutionsPoint, EstimatesAppearInTheirSections) {
  struct Case {
    const char* name;
    PointModel model;
    SampleSummary sample;
    int trialCount;
    std::vector<double> moment, likelihood;
  };
  SampleSummary binomial = Summary(3, 4, 1, 50.0 / 3);
  SampleSummary uniform = Summary(5, 3, std::sqrt(2.5), 11);
  uniform.minimum = 1;
  uniform.maximum = 5;
  const SampleSummary normal = Summary(3, 4, 2, 56.0 / 3);
  const Case cases[] = {
      {"binomial", PointModel::Binomial, binomial, 10, {0.4}, {0.4, 12}},
      {"uniform", PointModel::Uniform, uniform, 0, {3 - std::sqrt(6.0), 3 + std::sqrt(6.0)}, {1, 5}},
      {"normal", PointModel::Normal, normal, 0, {4, std::sqrt(8.0 / 3)}, {4, std::sqrt(8.0 / 3)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PointEstimates e = ComputePointEstimates({c.model, c.sample, c.trialCount});
    const WorkedSolution s = BuildPointEstimationSolution(e, {c.model, c.sample, c.trialCount});
    const std::string moment = Section(s, "矩估计"), likelihood = Section(s, "最大似然估计");
    for (double v : c.moment) EXPECT_TRUE(HasNumber(moment, v, 5e-6)) << v << "\n" << moment;
    for (double v : c.likelihood) EXPECT_TRUE(HasNumber(likelihood, v, 5e-6)) << v << "\n" << likelihood;
  }
}

// Equal values can leave m2 − x̄² a hair below 0 (12.3 × 3: −2.84217e-14, computed in
// Python with the same sums); it counts as 0, and the solution shows σ̂ = 0 as the window does.
TEST(EstimationSolutionsPoint, NegativeRoundingOfTheSpreadShowsZero) {
  const SampleSummary sample = ReadOneSample([] {
    CellStore grid(3, 5);
    for (int c = 1; c <= 3; ++c) grid.setText(1, c, "12.3");
    return grid;
  }(), InputMode::One);
  ASSERT_LT(sample.secondMoment - sample.mean * sample.mean, 0.0) << "data no longer exercise the guard";
  const PointEstimates e = ComputePointEstimates({PointModel::Normal, sample, 0});
  const WorkedSolution s = BuildPointEstimationSolution(e, {PointModel::Normal, sample, 0});
  const std::string moment = Section(s, "矩估计"), plain = s.plainText();
  EXPECT_NE(moment.find("m₂ − x̄² = 151.29 − 12.3² = 0（"), std::string::npos) << moment;
  EXPECT_NE(moment.find("σ̂ = √(m₂ − x̄²) = 0"), std::string::npos) << moment;
  EXPECT_NE(Section(s, "最大似然估计").find("σ̂ = 0"), std::string::npos) << plain;
  EXPECT_EQ(plain.find("−1"), std::string::npos) << plain;
}

// S² has divisor n − 1: with one value the solution says it needs two instead of writing 0,
// as the window leaves its label empty; from two values on it is written out.
TEST_F(EstimationSolutions, SampleVarianceNeedsTwoValues) {
  auto sampleOf = [](std::vector<std::string> values) {
    CellStore grid(3, 6);
    for (std::size_t i = 0; i < values.size(); ++i) grid.setText(1, static_cast<int>(i) + 1, values[i]);
    return ReadOneSample(grid, InputMode::One);
  };
  for (const auto& [values, written] : {std::pair{std::vector<std::string>{"7"}, false},
                                        std::pair{std::vector<std::string>{"7", "9"}, true}}) {
    SCOPED_TRACE(values.size());
    const SampleSummary x = sampleOf(values);
    const std::string point =
        Section(BuildPointEstimationSolution(ComputePointEstimates({PointModel::Poisson, x, 0}),
                                             {PointModel::Poisson, x, 0}), "样本");
    const std::string large =
        Section(BuildLargeSampleIntervalSolution(ComputeLargeSampleInterval(tables, {LargeSampleInterval::PoissonLambda, x}),
                                                 {LargeSampleInterval::PoissonLambda, x}), "样本");
    for (const std::string& text : {point, large}) {
      // By hand: values 7, 9 give S² = ((7 − 8)² + (9 − 8)²)/1 = 2.
      EXPECT_EQ(text.find("S² = ") != std::string::npos, written) << text;
      EXPECT_EQ(text.find("至少需要两个观测值") != std::string::npos, !written) << text;
      if (written) {
        EXPECT_TRUE(HasNumber(text, 2.0, 1e-12)) << text;
      }
    }
  }
}

}  // namespace
}  // namespace kelvo
