#include "core/estimation/PointEstimates.h"

#include <cmath>

#include "core/text/Errors.h"

namespace kelvo {
namespace {

void RequireFinite(double value) {
  if (!std::isfinite(value)) throw InputError("计算结果超出范围");
}

void RequireFinite(const std::optional<double>& value) {
  if (value) RequireFinite(*value);
}

}  // namespace

PointEstimates ComputePointEstimates(const PointEstimateInput& input) {
  const SampleSummary& sample = input.sample;
  if (sample.n < 1) throw InputError("样本量太小");
  // The window shows the mean and the variance beside the estimates, so neither may be lost.
  RequireFinite(sample.mean);
  RequireFinite(sample.variance);

  const double mean = sample.mean;
  // Variance with divisor n; for equal values rounding can leave it a hair below 0, which
  // stands for 0. (A NaN from overflowing moments stays NaN and is refused below.)
  const double raw = sample.secondMoment - mean * mean;
  const double spread = raw < 0.0 ? 0.0 : raw;
  PointEstimates result;
  switch (input.model) {
    case PointModel::Bernoulli:
    case PointModel::Poisson:
    case PointModel::Exponential:
      result.momentFirst = result.likelihoodFirst = mean;
      break;
    case PointModel::Binomial:
      if (input.trialCount < 1) throw InputError("二项分布的N必须是正整数");
      result.momentFirst = result.likelihoodFirst = mean / input.trialCount;
      break;
    case PointModel::Uniform: {
      const double half = std::sqrt(3.0 * spread);
      result.momentFirst = mean - half;
      result.momentSecond = mean + half;
      result.likelihoodFirst = sample.minimum;
      result.likelihoodSecond = sample.maximum;
      break;
    }
    case PointModel::Normal: {
      const double sigma = std::sqrt(spread);
      result.momentFirst = result.likelihoodFirst = mean;
      result.momentSecond = result.likelihoodSecond = sigma;
      break;
    }
  }
  RequireFinite(result.momentFirst);
  RequireFinite(result.likelihoodFirst);
  RequireFinite(result.momentSecond);
  RequireFinite(result.likelihoodSecond);
  return result;
}

}  // namespace kelvo
