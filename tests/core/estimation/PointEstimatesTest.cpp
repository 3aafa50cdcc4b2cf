#include "core/estimation/PointEstimates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "../UserErrorChecks.h"
#include "core/sample/SampleSummary.h"

namespace kelvo {
namespace {

// Summary of one value per cell, accumulated in column order the way the grid reader does:
// sums first, then the squared deviations from the mean.
SampleSummary SummaryOf(const std::vector<double>& values) {
  SampleSummary s;
  double sum = 0.0, sumSquares = 0.0;
  for (double x : values) {
    ++s.n;
    sum += x;
    sumSquares += x * x;
    s.maximum = s.minimum = x;
  }
  if (s.n >= 1) {
    s.mean = sum / s.n;
    s.secondMoment = sumSquares / s.n;
  }
  double deviations = 0.0;
  for (double x : values) {
    deviations += (x - s.mean) * (x - s.mean);
    if (x > s.maximum) s.maximum = x;
    if (x < s.minimum) s.minimum = x;
  }
  if (s.n >= 2) s.variance = deviations / (s.n - 1);
  return s;
}

struct EstimateCase {
  const char* name;
  PointModel model;
  std::vector<double> values;
  int trialCount;
  double momentFirst;
  double likelihoodFirst;
  std::optional<double> momentSecond;
  std::optional<double> likelihoodSecond;
};

// Reference values worked by hand from the formulas of each distribution; tolerance 1e-12.
const std::vector<EstimateCase>& EstimateCases() {
  static const std::vector<EstimateCase> cases = {
      {"BernoulliThreeOfFour", PointModel::Bernoulli, {1, 0, 1, 1}, 0, 0.75, 0.75, {}, {}},
      {"BinomialTenTrials", PointModel::Binomial, {3, 5, 4}, 10, 0.4, 0.4, {}, {}},
      {"BinomialOneTrial", PointModel::Binomial, {1, 0, 1, 1}, 1, 0.75, 0.75, {}, {}},
      {"PoissonCounts", PointModel::Poisson, {2, 0, 1, 3}, 0, 1.5, 1.5, {}, {}},
      // A = 3 - sqrt(3 * 2), B = 3 + sqrt(6): the variance with divisor n of 1..5 is 2.
      {"UniformOneToFive", PointModel::Uniform, {1, 2, 3, 4, 5}, 0, 3 - std::sqrt(6.0), 1.0,
       3 + std::sqrt(6.0), 5.0},
      // Unordered values: likelihood bounds are the extremes, not the first and last cells.
      {"UniformUnordered", PointModel::Uniform, {4, -1, 7, 2}, 0, 3 - std::sqrt(3.0 * 8.5), -1.0,
       3 + std::sqrt(3.0 * 8.5), 7.0},
      {"UniformSingleValue", PointModel::Uniform, {5}, 0, 5.0, 5.0, 5.0, 5.0},
      // sigma = sqrt(((2-4)^2 + 0 + (6-4)^2) / 3) = sqrt(8/3).
      {"NormalTwoFourSix", PointModel::Normal, {2, 4, 6}, 0, 4.0, 4.0, std::sqrt(8.0 / 3.0),
       std::sqrt(8.0 / 3.0)},
      {"NormalSingleValue", PointModel::Normal, {5}, 0, 5.0, 5.0, 0.0, 0.0},
      {"ExponentialOneTwoThree", PointModel::Exponential, {1, 2, 3}, 0, 2.0, 2.0, {}, {}},
  };
  return cases;
}

class EstimateTable : public ::testing::TestWithParam<EstimateCase> {};

TEST_P(EstimateTable, MomentAndLikelihood) {
  const EstimateCase& c = GetParam();
  PointEstimates e = ComputePointEstimates({c.model, SummaryOf(c.values), c.trialCount});
  EXPECT_NEAR(e.momentFirst, c.momentFirst, 1e-12);
  EXPECT_NEAR(e.likelihoodFirst, c.likelihoodFirst, 1e-12);
  ASSERT_EQ(e.momentSecond.has_value(), c.momentSecond.has_value());
  ASSERT_EQ(e.likelihoodSecond.has_value(), c.likelihoodSecond.has_value());
  if (c.momentSecond) {
    EXPECT_NEAR(*e.momentSecond, *c.momentSecond, 1e-12);
  }
  if (c.likelihoodSecond) {
    EXPECT_NEAR(*e.likelihoodSecond, *c.likelihoodSecond, 1e-12);
  }
}

INSTANTIATE_TEST_SUITE_P(Models, EstimateTable, ::testing::ValuesIn(EstimateCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The number of trials matters to the binomial model only: the other windows leave it 0.
TEST(PointEstimates, TrialCountIgnoredOutsideBinomial) {
  SampleSummary s = SummaryOf({1, 2, 3});
  for (PointModel m : {PointModel::Bernoulli, PointModel::Poisson, PointModel::Uniform,
                       PointModel::Normal, PointModel::Exponential})
    EXPECT_NO_THROW(ComputePointEstimates({m, s, 0})) << static_cast<int>(m);
}

// Equal values can leave m2 - mean^2 a hair below 0 in doubles; it stands for 0, so both
// the uniform and the normal estimates take it as 0 (the normal sigma was once shown as -1).
TEST(PointEstimates, EqualValuesRoundingBelowZero) {
  // In doubles (Python, same order of sums): 0.1 x 3 leaves about -1.7e-18, 12.3 x 3 leaves
  // 151.29000000000002 - 12.300000000000002**2 = -2.842170943040401e-14.
  for (double value : {0.1, 12.3}) {
    SCOPED_TRACE(value);
    SampleSummary s = SummaryOf({value, value, value});
    ASSERT_LT(s.secondMoment - s.mean * s.mean, 0.0) << "data no longer exercise the guard";

    PointEstimates uniform = ComputePointEstimates({PointModel::Uniform, s, 0});
    EXPECT_EQ(uniform.momentFirst, s.mean);
    EXPECT_EQ(*uniform.momentSecond, s.mean);
    EXPECT_EQ(uniform.likelihoodFirst, value);
    EXPECT_EQ(*uniform.likelihoodSecond, value);

    PointEstimates normal = ComputePointEstimates({PointModel::Normal, s, 0});
    EXPECT_EQ(normal.momentFirst, s.mean);
    EXPECT_EQ(*normal.momentSecond, 0.0);
    EXPECT_EQ(*normal.likelihoodSecond, 0.0);
  }
  // Just above 0 the spread is a spread: sqrt(1e-20) = 1e-10.
  SampleSummary tiny = SummaryOf({0.0});
  tiny.secondMoment = 1e-20;
  EXPECT_DOUBLE_EQ(*ComputePointEstimates({PointModel::Normal, tiny, 0}).momentSecond, 1e-10);
}

struct OverflowCase {
  const char* name;
  PointModel model;
  SampleSummary sample;
};

SampleSummary WithMean(double mean) {
  SampleSummary s;
  s.n = 1;
  s.mean = s.maximum = s.minimum = mean;
  s.secondMoment = mean * mean;
  return s;
}

const std::vector<OverflowCase>& OverflowCases() {
  constexpr double inf = std::numeric_limits<double>::infinity();
  static const std::vector<OverflowCase> cases = {
      // 1e200 squared overflows: the mean is fine, m2 and the sigma built on it are not.
      {"NormalSquareOverflows", PointModel::Normal, SummaryOf({1e200, 1e200})},
      {"UniformSquareOverflows", PointModel::Uniform, SummaryOf({1e200, 1e200})},
      // Mean 0, but the shown variance overflows.
      {"BernoulliVarianceOverflows", PointModel::Bernoulli, SummaryOf({1e200, -1e200})},
      {"ExponentialVarianceOverflows", PointModel::Exponential, SummaryOf({-1e200, 1e200})},
      // A cell beyond the range of double reads as an infinity.
      {"PoissonInfiniteMean", PointModel::Poisson, WithMean(inf)},
      {"BinomialInfiniteMean", PointModel::Binomial, WithMean(-inf)},
      {"UniformInfiniteMean", PointModel::Uniform, WithMean(inf)},
      {"NormalNanMean", PointModel::Normal, WithMean(std::nan(""))},
      // 1.7e308 and 1.7e308 sum past the range although each value is finite.
      {"ExponentialSumOverflows", PointModel::Exponential, SummaryOf({1.7e308, 1.7e308})},
  };
  return cases;
}

class OverflowTable : public ::testing::TestWithParam<OverflowCase> {};

TEST_P(OverflowTable, ReportedNotShown) {
  const OverflowCase& c = GetParam();
  ExpectUserError([&] { ComputePointEstimates({c.model, c.sample, 10}); }, "计算结果超出范围");
}

INSTANTIATE_TEST_SUITE_P(Samples, OverflowTable, ::testing::ValuesIn(OverflowCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Huge but representable results are shown, not refused.
TEST(PointEstimates, LargeFiniteMeanAccepted) {
  PointEstimates e = ComputePointEstimates({PointModel::Poisson, SummaryOf({1e200, 1e200}), 0});
  EXPECT_EQ(e.momentFirst, 1e200);
}

TEST(PointEstimates, PreconditionsRejected) {
  ExpectUserError([] { ComputePointEstimates({PointModel::Poisson, SampleSummary{}, 1}); }, "样本量太小");
  ExpectUserError([] { ComputePointEstimates({PointModel::Binomial, SummaryOf({1, 2}), 0}); }, "二项分布的N必须是正整数");
}

}  // namespace
}  // namespace kelvo
