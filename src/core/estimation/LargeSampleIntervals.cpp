#include "core/estimation/LargeSampleIntervals.h"

#include <cmath>

#include "core/estimation/ConfidenceLevel.h"
#include "core/text/Errors.h"
#include "core/tables/Quantiles.h"

namespace kelvo {
namespace {

constexpr const char* kNoInterval = "无法计算该区间";

// Relative size below which a negative discriminant is the rounding of an exact 0 (z = 0 makes
// B² and 4AC equal in real arithmetic).
constexpr double kRoundingNoise = 1e-12;

void CheckSample(const SampleSummary& sample, double level) {
  if (sample.n < 1) throw InputError("样本量太小");
  CheckConfidenceLevel(level);
}

// z, looked up and recorded as the first critical value of the result.
double TwoSidedZ(TableStore& tables, double level, IntervalResult& result) {
  result.criticalValues.push_back(NormalQuantile(tables, level / 2 + 0.5));
  const double z = result.criticalValues.back().value;
  result.intermediates.add("z", z);
  return z;
}

void RequireFiniteBounds(const IntervalResult& result) {
  if (!std::isfinite(result.lower) || !std::isfinite(result.upper)) throw InputError(kNoInterval);
}

// The interval between the roots of A·t² − B·t + C = 0.
void SolveQuadratic(double a, double b, double c, IntervalResult& result) {
  double discriminant = b * b - 4 * a * c;
  if (discriminant < 0 && -discriminant <= kRoundingNoise * b * b) discriminant = 0;
  result.intermediates.add("A", a);
  result.intermediates.add("B", b);
  result.intermediates.add("C", c);
  result.intermediates.add("discriminant", discriminant);
  if (!(a > 0) || !(discriminant >= 0) || !std::isfinite(discriminant)) throw InputError(kNoInterval);
  const double root = std::sqrt(discriminant);
  result.lower = (b - root) / (2 * a);
  result.upper = (b + root) / (2 * a);
  RequireFiniteBounds(result);
}

}  // namespace

IntervalResult ComputeProportionInterval(TableStore& tables, const SampleSummary& sample, double level) {
  CheckSample(sample, level);
  IntervalResult result;
  const double z = TwoSidedZ(tables, level, result);
  const double n = sample.n, mean = sample.mean;
  SolveQuadratic(n + z * z, 2 * n * mean + z * z, n * mean * mean, result);
  return result;
}

IntervalResult ComputeBinomialInterval(TableStore& tables, const SampleSummary& sample, double level,
                                       int trialCount) {
  CheckSample(sample, level);
  if (trialCount < 1) throw InputError("二项分布的N必须是正整数");
  IntervalResult result;
  const double z = TwoSidedZ(tables, level, result);
  // In doubles: as an int, n·N² would overflow already for 3 observations of N = 32767.
  const double n = sample.n, trials = trialCount, mean = sample.mean;
  SolveQuadratic(n * trials * trials + trials * z * z, 2 * n * trials * mean + trials * z * z,
                 n * mean * mean, result);
  return result;
}

IntervalResult ComputePoissonInterval(TableStore& tables, const SampleSummary& sample, double level) {
  CheckSample(sample, level);
  IntervalResult result;
  const double z = TwoSidedZ(tables, level, result);
  const double n = sample.n, mean = sample.mean;
  SolveQuadratic(n, 2 * n * mean + z * z, n * mean * mean, result);
  return result;
}

IntervalResult ComputeExponentialInterval(TableStore& tables, const SampleSummary& sample, double level) {
  CheckSample(sample, level);
  IntervalResult result;
  const double z = TwoSidedZ(tables, level, result);
  const double rootN = std::sqrt(static_cast<double>(sample.n));
  result.intermediates.add("sqrtN", rootN);
  // The upper bound divides by √n − z: no interval unless the sample outweighs the quantile.
  if (rootN <= z) throw InputError("样本量太小,无法计算该区间");
  result.lower = rootN * sample.mean / (rootN + z);
  result.upper = rootN * sample.mean / (rootN - z);
  RequireFiniteBounds(result);
  return result;
}

Family PopulationOf(LargeSampleInterval kind) {
  switch (kind) {
    case LargeSampleInterval::BernoulliP: return Family::Bernoulli;
    case LargeSampleInterval::BinomialP: return Family::Binomial;
    case LargeSampleInterval::PoissonLambda: return Family::Poisson;
    case LargeSampleInterval::ExponentialTheta: break;
  }
  return Family::Exponential;
}

IntervalResult ComputeLargeSampleInterval(TableStore& tables, const LargeSampleIntervalInput& in) {
  switch (in.kind) {
    case LargeSampleInterval::BernoulliP: return ComputeProportionInterval(tables, in.sample, in.level);
    case LargeSampleInterval::BinomialP: return ComputeBinomialInterval(tables, in.sample, in.level,
                                                                        in.trialCount);
    case LargeSampleInterval::PoissonLambda: return ComputePoissonInterval(tables, in.sample, in.level);
    case LargeSampleInterval::ExponentialTheta: break;
  }
  return ComputeExponentialInterval(tables, in.sample, in.level);
}

}  // namespace kelvo
