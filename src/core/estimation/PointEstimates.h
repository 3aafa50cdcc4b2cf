#pragma once
// Moment and maximum-likelihood estimates of the point-estimation window's six distributions.
#include <optional>

#include "core/sample/SampleSummary.h"

namespace kelvo {

// The distributions in the order of the window's mode numbers.
enum class PointModel {
  Bernoulli = 1,
  Binomial = 2,
  Poisson = 3,
  Uniform = 4,
  Normal = 5,
  Exponential = 6
};

struct PointEstimates {
  double momentFirst = 0.0;
  double likelihoodFirst = 0.0;
  // Present for the uniform (B) and the normal (sigma) distribution only.
  std::optional<double> momentSecond;
  std::optional<double> likelihoodSecond;
};

// Both estimates of the model's parameters from a sample of n >= 1 (binomialN >= 1 is the
// number of trials, read only for the binomial model). The variance with divisor n that the
// uniform and normal estimates use can come out slightly negative by rounding when all values
// are equal: both models take it as 0 (B = A, sigma = 0).
// Throws InputError when the sample mean, the sample variance or an estimate is not finite,
// and std::invalid_argument when n or binomialN is below 1.
PointEstimates ComputePointEstimates(PointModel model, const SampleSummary& sample, int binomialN);

}  // namespace kelvo
