#include "core/estimation/NormalIntervals.h"

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <utility>

#include "core/estimation/ConfidenceLevel.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"
#include "core/tables/Quantiles.h"

namespace kelvo {
namespace {

constexpr int kMinSize = 3;
constexpr const char* kNoInterval = "无法计算该区间";

/* A sum of squared deviations computed as m2 − 2μ·x̄ + μ² cancels: when every value equals μ
   the exact 0 comes out a few units in the last place either side of 0. A result that small
   against its terms is that 0, not a spread (nor, below 0, a fault of the data). */
constexpr double kRoundingNoise = 1e-12;

double MeanSquaredDeviation(double secondMoment, double mean, double mu) {
  const double value = secondMoment - 2 * mu * mean + mu * mu;
  const double scale = std::fabs(secondMoment) + std::fabs(2 * mu * mean) + mu * mu;
  return std::fabs(value) <= kRoundingNoise * scale ? 0.0 : value;
}

void CheckOneSample(const SampleSummary& sample, double level) {
  if (sample.n < kMinSize) throw InputError("样本量错误");
  CheckConfidenceLevel(level);
}

void CheckTwoSamples(const TwoSampleSummary& samples, double level) {
  if (samples.first.n < kMinSize || samples.second.n < kMinSize) throw InputError("样本量错误");
  CheckConfidenceLevel(level);
}

void CheckStdDev(double s) {
  if (s < 0) throw InputError("样本标准差不能为负");
}

void CheckKnownSigma(double sigma) {
  if (sigma < 0) throw InputError("已知标准差不能为负");
}

void CheckSquares(double squares) {
  if (squares < 0) throw InputError("偏差平方和为负,无法计算该区间");
}

NormalIntervalResult Finished(NormalIntervalResult result) {
  for (double bound : {result.lower, result.upper, result.lowerOnly, result.upperOnly})
    if (!std::isfinite(bound)) throw InputError(kNoInterval);
  return result;
}

// centre ∓ quantile·spread, two-sided with the first look-up and one-sided with the second;
// the quantiles appear among the intermediates as symbol and symbol + "1" ("t", "t1").
NormalIntervalResult Symmetric(double centre, double spread, const char* symbol, const CriticalValue& twoSided,
                               const CriticalValue& oneSided, NormalIntervalResult result) {
  result.criticalValues.push_back(twoSided);
  result.criticalValues.push_back(oneSided);
  result.intermediates.add(symbol, twoSided.value);
  result.intermediates.add(std::string(symbol) + "1", oneSided.value);
  const double d = twoSided.value * spread, d1 = oneSided.value * spread;
  result.intermediates.add("d", d);
  result.intermediates.add("d1", d1);
  result.lower = centre - d;
  result.upper = centre + d;
  result.lowerOnly = centre - d1;
  result.upperOnly = centre + d1;
  return Finished(std::move(result));
}

/* The scale intervals: each bound is factor·√(numerator / quantile) with the quantile looked up
   at (1 − c)/2 for the lower bound, c/2 + 0.5 for the upper, 1 − c for the one-sided lower
   limit and c for the one-sided upper limit (upper-tail probabilities). */
NormalIntervalResult ScaleBounds(double factor, double numerator, double level,
                                 const std::function<CriticalValue(double)>& lookUp,
                                 NormalIntervalResult result) {
  const std::array<double, 4> alphas = {(1 - level) / 2, level / 2 + 0.5, 1 - level, level};
  std::array<double, 4> bounds{};
  for (std::size_t i = 0; i < alphas.size(); ++i) {
    const CriticalValue value = lookUp(alphas[i]);
    if (!(value.value > 0)) throw InputError("查表值为0,无法计算该区间");
    result.criticalValues.push_back(value);
    bounds[i] = factor * std::sqrt(numerator / value.value);
  }
  result.lower = bounds[0];
  result.upper = bounds[1];
  result.lowerOnly = bounds[2];
  result.upperOnly = bounds[3];
  result.lowestValue = 0.0;
  return Finished(std::move(result));
}

NormalIntervalResult WithDifference(const TwoSampleSummary& samples) {
  NormalIntervalResult result;
  result.intermediates.add("D", samples.first.mean - samples.second.mean);
  return result;
}

}  // namespace

NormalIntervalResult ComputeMeanIntervalKnownSigma(TableStore& tables, const SampleSummary& sample,
                                                   double level, double sigma) {
  CheckOneSample(sample, level);
  CheckKnownSigma(sigma);
  const double spread = sigma / std::sqrt(static_cast<double>(sample.n));
  return Symmetric(sample.mean, spread, "z", NormalQuantile(tables, level / 2 + 0.5), NormalQuantile(tables,
                                                                                                     level), {});
}

NormalIntervalResult ComputeMeanIntervalUnknownSigma(TableStore& tables, const SampleSummary& sample,
                                                     double level) {
  CheckOneSample(sample, level);
  CheckStdDev(sample.stdDev);
  const double spread = sample.stdDev / std::sqrt(static_cast<double>(sample.n));
  const int df = sample.n - 1;
  return Symmetric(sample.mean, spread, "t", TQuantile(tables, df, (1 - level) / 2), TQuantile(tables, df,
                                                                                               1 - level), {});
}

NormalIntervalResult ComputeSigmaIntervalKnownMean(TableStore& tables, const SampleSummary& sample,
                                                   double level, double mu) {
  CheckOneSample(sample, level);
  const double q = sample.n * MeanSquaredDeviation(sample.secondMoment, sample.mean, mu);
  NormalIntervalResult result;
  result.intermediates.add("Q", q);
  CheckSquares(q);
  const int df = sample.n;
  return ScaleBounds(1.0, q, level, [&tables, df](double alpha) { return ChiSquareQuantile(tables, df,
                                                                                           alpha); },
                     std::move(result));
}

NormalIntervalResult ComputeSigmaIntervalUnknownMean(TableStore& tables, const SampleSummary& sample,
                                                     double level) {
  CheckOneSample(sample, level);
  CheckStdDev(sample.stdDev);
  const double r = (sample.n - 1) * sample.stdDev * sample.stdDev;
  NormalIntervalResult result;
  result.intermediates.add("R", r);
  const int df = sample.n - 1;
  return ScaleBounds(1.0, r, level, [&tables, df](double alpha) { return ChiSquareQuantile(tables, df,
                                                                                           alpha); },
                     std::move(result));
}

NormalIntervalResult ComputeMeanDiffIntervalKnownSigmas(TableStore& tables, const TwoSampleSummary& samples,
                                                        double level, double sigma1, double sigma2) {
  CheckTwoSamples(samples, level);
  CheckKnownSigma(sigma1);
  CheckKnownSigma(sigma2);
  NormalIntervalResult result = WithDifference(samples);
  const double w = std::sqrt(sigma1 * sigma1 / samples.first.n + sigma2 * sigma2 / samples.second.n);
  result.intermediates.add("w", w);
  return Symmetric(samples.first.mean - samples.second.mean, w, "z", NormalQuantile(tables, level / 2 + 0.5),
                   NormalQuantile(tables, level), std::move(result));
}

NormalIntervalResult ComputeMeanDiffIntervalEqualSigmas(TableStore& tables, const TwoSampleSummary& samples,
                                                        double level) {
  CheckTwoSamples(samples, level);
  const SampleSummary& a = samples.first;
  const SampleSummary& b = samples.second;
  CheckStdDev(a.stdDev);
  CheckStdDev(b.stdDev);
  NormalIntervalResult result = WithDifference(samples);
  const double n1 = a.n, n2 = b.n;
  const double sw = std::sqrt(((n1 - 1) * a.stdDev * a.stdDev + (n2 - 1) * b.stdDev * b.stdDev) / (n1 + n2 - 2));
  const double k = std::sqrt(1 / n1 + 1 / n2);
  result.intermediates.add("Sw", sw);
  result.intermediates.add("k", k);
  const int df = a.n + b.n - 2;
  return Symmetric(a.mean - b.mean, sw * k, "t", TQuantile(tables, df, (1 - level) / 2), TQuantile(tables, df,
                                                                                                   1 - level),
                   std::move(result));
}

NormalIntervalResult ComputeMeanDiffIntervalUnequalSigmas(TableStore& tables, const TwoSampleSummary& samples,
                                                          double level) {
  CheckTwoSamples(samples, level);
  const SampleSummary& a = samples.first;
  const SampleSummary& b = samples.second;
  CheckStdDev(a.stdDev);
  CheckStdDev(b.stdDev);
  if (b.stdDev == 0) throw InputError("样本二的标准差为0,无法计算该区间");
  NormalIntervalResult result = WithDifference(samples);
  // In doubles: as an int, n1²·(n1 − 1) would overflow from samples of 1291 on (2³¹ ≈ 2.1e9).
  const double n1 = a.n, n2 = b.n;
  const double r = a.stdDev * a.stdDev / (b.stdDev * b.stdDev);
  const double nu = (r / n1 + 1 / n2) * (r / n1 + 1 / n2) /
                    (r * r / (n1 * n1 * (n1 - 1)) + 1 / (n2 * n2 * (n2 - 1)));
  // The whole part, not the nearest whole number; WholePart keeps an exact 10 computed as
  // 9.999999999999998 at 10.
  const double nuWhole = WholePart(nu);
  result.intermediates.add("r", r);
  result.intermediates.add("nu", nu);
  result.intermediates.add("nuWhole", nuWhole);
  // ν lies between min(n1, n2) − 1 and n1 + n2 − 2 whenever it is finite.
  if (!(nuWhole >= 1 && nuWhole <= n1 + n2)) throw InputError(kNoInterval);
  const double w = std::sqrt(a.stdDev * a.stdDev / n1 + b.stdDev * b.stdDev / n2);
  result.intermediates.add("w", w);
  const int df = static_cast<int>(nuWhole);
  return Symmetric(a.mean - b.mean, w, "t", TQuantile(tables, df, (1 - level) / 2), TQuantile(tables, df,
                                                                                              1 - level),
                   std::move(result));
}

NormalIntervalResult ComputeSigmaRatioIntervalKnownMeans(TableStore& tables, const TwoSampleSummary& samples,
                                                         double level, double mu1, double mu2) {
  CheckTwoSamples(samples, level);
  const SampleSummary& a = samples.first;
  const SampleSummary& b = samples.second;
  const double squares1 = MeanSquaredDeviation(a.secondMoment, a.mean, mu1);
  const double squares2 = MeanSquaredDeviation(b.secondMoment, b.mean, mu2);
  NormalIntervalResult result;
  result.intermediates.add("A", squares1);
  result.intermediates.add("B", squares2);
  CheckSquares(squares1);
  CheckSquares(squares2);
  // A second sample without spread about its mean gives ρ = 0 and every bound 0, on purpose.
  const double rho = squares2 == 0 ? 0.0 : squares1 / squares2;
  result.intermediates.add("rho", rho);
  const int n1 = a.n, n2 = b.n;
  return ScaleBounds(1.0, rho, level, [&tables, n1, n2](double alpha) { return FQuantile(tables, n1, n2,
                                                                                         alpha); },
                     std::move(result));
}

NormalIntervalResult ComputeSigmaRatioIntervalUnknownMeans(TableStore& tables,
                                                           const TwoSampleSummary& samples, double level) {
  CheckTwoSamples(samples, level);
  const SampleSummary& a = samples.first;
  const SampleSummary& b = samples.second;
  CheckStdDev(a.stdDev);
  CheckStdDev(b.stdDev);
  // s2 = 0 gives q = 0 and every bound 0, on purpose.
  const double q = b.stdDev == 0 ? 0.0 : a.stdDev / b.stdDev;
  NormalIntervalResult result;
  result.intermediates.add("q", q);
  const int df1 = a.n - 1, df2 = b.n - 1;
  return ScaleBounds(q, 1.0, level, [&tables, df1, df2](double alpha) { return FQuantile(tables, df1, df2,
                                                                                         alpha); },
                     std::move(result));
}

bool UsesSecondSample(NormalInterval kind) {
  switch (kind) {
    case NormalInterval::MeanKnownSigma:
    case NormalInterval::MeanUnknownSigma:
    case NormalInterval::SigmaKnownMean:
    case NormalInterval::SigmaUnknownMean:
      return false;
    case NormalInterval::MeanDiffKnownSigmas:
    case NormalInterval::MeanDiffEqualSigmas:
    case NormalInterval::MeanDiffUnequalSigmas:
    case NormalInterval::SigmaRatioKnownMeans:
    case NormalInterval::SigmaRatioUnknownMeans:
      break;
  }
  return true;
}

bool IsScaleInterval(NormalInterval kind) {
  switch (kind) {
    case NormalInterval::SigmaKnownMean:
    case NormalInterval::SigmaUnknownMean:
    case NormalInterval::SigmaRatioKnownMeans:
    case NormalInterval::SigmaRatioUnknownMeans:
      return true;
    case NormalInterval::MeanKnownSigma:
    case NormalInterval::MeanUnknownSigma:
    case NormalInterval::MeanDiffKnownSigmas:
    case NormalInterval::MeanDiffEqualSigmas:
    case NormalInterval::MeanDiffUnequalSigmas:
      break;
  }
  return false;
}

NormalIntervalResult ComputeNormalInterval(TableStore& tables, const NormalIntervalInput& in) {
  const SampleSummary& first = in.samples.first;
  switch (in.kind) {
    case NormalInterval::MeanKnownSigma: return ComputeMeanIntervalKnownSigma(tables, first, in.level,
                                                                              in.sigma);
    case NormalInterval::MeanUnknownSigma: return ComputeMeanIntervalUnknownSigma(tables, first, in.level);
    case NormalInterval::SigmaKnownMean: return ComputeSigmaIntervalKnownMean(tables, first, in.level, in.mu);
    case NormalInterval::SigmaUnknownMean: return ComputeSigmaIntervalUnknownMean(tables, first, in.level);
    case NormalInterval::MeanDiffKnownSigmas:
      return ComputeMeanDiffIntervalKnownSigmas(tables, in.samples, in.level, in.sigma1, in.sigma2);
    case NormalInterval::MeanDiffEqualSigmas: return ComputeMeanDiffIntervalEqualSigmas(tables, in.samples,
                                                                                        in.level);
    case NormalInterval::MeanDiffUnequalSigmas: return ComputeMeanDiffIntervalUnequalSigmas(tables,
                                                                                            in.samples, in.level);
    case NormalInterval::SigmaRatioKnownMeans:
      return ComputeSigmaRatioIntervalKnownMeans(tables, in.samples, in.level, in.mu1, in.mu2);
    case NormalInterval::SigmaRatioUnknownMeans:
      break;
  }
  return ComputeSigmaRatioIntervalUnknownMeans(tables, in.samples, in.level);
}

}  // namespace kelvo
