#pragma once
// Intervals for one normal population (mean, standard deviation) and for two (difference of
// means, ratio of standard deviations), each as the two-sided interval (lower, upper) and the
// one-sided ones (lowerOnly, ∞) and (lowestValue, upperOnly), at confidence level c; the upper
// one starts at −∞ for means and at 0 for standard deviations and their ratio.
// Samples are the summaries of ReadTwoSamples: n, mean, secondMoment (m2) and stdDev (s).
// Faults throw InputError:
//   a sample of fewer than 3 observations            "样本量错误"
//   c not strictly between 0 and 1                   "置信水平数据缺乏"
//   a negative standard deviation (typed summaries)  "样本标准差不能为负"
//   a negative known σ                               "已知标准差不能为负"
//   a negative sum of squared deviations (m2 typed too small for the mean)
//                                                    "偏差平方和为负,无法计算该区间"
//   a chi-square or F look-up of 0                   "查表值为0,无法计算该区间"
//   bounds that are not finite                       "无法计算该区间"
#include "core/estimation/IntervalResult.h"
#include "core/sample/SampleSummary.h"

namespace kelvo {

class TableStore;

// The nine intervals, one population (the first four) or two.
enum class NormalInterval {
  MeanKnownSigma,
  MeanUnknownSigma,
  SigmaKnownMean,
  SigmaUnknownMean,
  MeanDiffKnownSigmas,
  MeanDiffEqualSigmas,
  MeanDiffUnequalSigmas,
  SigmaRatioKnownMeans,
  SigmaRatioUnknownMeans,
};

// Whether the interval reads the second sample.
bool UsesSecondSample(NormalInterval kind);

// Whether the interval is of a standard deviation or a ratio of them: bounds from four
// quantiles, the one-sided upper interval starting at 0.
bool IsScaleInterval(NormalInterval kind);

// One interval computation. Each known value is read only by the interval named after it.
struct NormalIntervalInput {
  NormalInterval kind = NormalInterval::MeanUnknownSigma;
  TwoSampleSummary samples;  // the second read by the two-population intervals only
  double level = 0.95;       // confidence level c
  double sigma = 0.0;        // MeanKnownSigma
  double mu = 0.0;           // SigmaKnownMean
  double sigma1 = 0.0;       // MeanDiffKnownSigmas
  double sigma2 = 0.0;
  double mu1 = 0.0;          // SigmaRatioKnownMeans
  double mu2 = 0.0;
};

// μ with σ known: x̄ ∓ z·σ/√n, z = NormalQuantile(c/2 + 0.5); one-sided with NormalQuantile(c).
NormalIntervalResult ComputeMeanIntervalKnownSigma(TableStore& tables, const SampleSummary& sample,
                                                   double level, double sigma);

// μ with σ unknown: x̄ ∓ t·s/√n, t = TQuantile(n − 1, (1 − c)/2); one-sided at 1 − c.
NormalIntervalResult ComputeMeanIntervalUnknownSigma(TableStore& tables, const SampleSummary& sample,
                                                     double level);

// σ with μ known: √(Q/χ²(n, ·)), Q = n·(m2 − 2μ·x̄ + μ²).
NormalIntervalResult ComputeSigmaIntervalKnownMean(TableStore& tables, const SampleSummary& sample,
                                                   double level, double mu);

// σ with μ unknown: √(R/χ²(n − 1, ·)), R = (n − 1)·s².
NormalIntervalResult ComputeSigmaIntervalUnknownMean(TableStore& tables, const SampleSummary& sample,
                                                     double level);

// μ1 − μ2 with σ1, σ2 known: D ∓ z·√(σ1²/n1 + σ2²/n2).
NormalIntervalResult ComputeMeanDiffIntervalKnownSigmas(TableStore& tables, const TwoSampleSummary& samples,
                                                        double level, double sigma1, double sigma2);

// μ1 − μ2 with equal unknown σ: D ∓ t·Sw·√(1/n1 + 1/n2), t of n1 + n2 − 2 degrees of freedom.
NormalIntervalResult ComputeMeanDiffIntervalEqualSigmas(TableStore& tables, const TwoSampleSummary& samples,
                                                        double level);

// μ1 − μ2 with unequal unknown σ: D ∓ t·√(s1²/n1 + s2²/n2), t of ν degrees of freedom, ν the
// whole part of the approximate degrees of freedom. s2 = 0 throws "样本二的标准差为0,无法计算该区间".
NormalIntervalResult ComputeMeanDiffIntervalUnequalSigmas(TableStore& tables, const TwoSampleSummary& samples,
                                                          double level);

// σ1/σ2 with μ1, μ2 known: √(ρ/F(n1, n2, ·)), ρ = A/B the ratio of the mean squared
// deviations from the known means; B = 0 gives ρ = 0 and all four bounds 0.
NormalIntervalResult ComputeSigmaRatioIntervalKnownMeans(TableStore& tables, const TwoSampleSummary& samples,
                                                         double level, double mu1, double mu2);

// σ1/σ2 with μ1, μ2 unknown: q·√(1/F(n1 − 1, n2 − 1, ·)), q = s1/s2; s2 = 0 gives q = 0 and
// all four bounds 0.
NormalIntervalResult ComputeSigmaRatioIntervalUnknownMeans(TableStore& tables,
                                                           const TwoSampleSummary& samples, double level);

// The interval the input names, by the computation above that it names.
NormalIntervalResult ComputeNormalInterval(TableStore& tables, const NormalIntervalInput& input);

}  // namespace kelvo
