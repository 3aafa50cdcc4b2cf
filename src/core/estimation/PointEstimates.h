#pragma once
// Moment and maximum-likelihood estimates of the point-estimation window's six distributions.
#include <optional>

#include "core/sample/SampleSummary.h"

namespace kelvo {

// The six distributions whose parameters are estimated.
enum class PointModel { Bernoulli, Binomial, Poisson, Uniform, Normal, Exponential };

// One estimation.
struct PointEstimateInput {
  PointModel model = PointModel::Bernoulli;
  SampleSummary sample;  // n, mean, secondMoment, variance; minimum and maximum for the uniform
  int trialCount = 0;    // N, read by the binomial model only
};

struct PointEstimates {
  double momentFirst = 0.0;
  double likelihoodFirst = 0.0;
  // Present for the uniform (B) and the normal (sigma) distribution only.
  std::optional<double> momentSecond;
  std::optional<double> likelihoodSecond;
};

// Both estimates of the model's parameters. The variance with divisor n that the uniform and
// normal estimates use can come out slightly negative by rounding when all values are equal:
// both models take it as 0 (B = A, sigma = 0).
// Faults throw InputError: n < 1 "样本量太小"; a binomial trialCount < 1 "二项分布的N必须是正整数";
// a sample mean, sample variance or estimate that is not finite "计算结果超出范围".
PointEstimates ComputePointEstimates(const PointEstimateInput& input);

}  // namespace kelvo
