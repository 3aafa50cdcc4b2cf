#pragma once
// Large-sample two-sided intervals for the parameter of a 0-1, binomial, Poisson or
// exponential population, from the normal approximation with z = NormalQuantile(c/2 + 0.5).
// Each takes the one-sample summary (n and mean are read) and the confidence level c.
// Faults throw InputError: c not strictly between 0 and 1 "置信水平数据缺乏"; n < 1 "样本量太小";
// a quadratic without real roots, or bounds that are not finite, "无法计算该区间".
#include "core/estimation/IntervalResult.h"
#include "core/sample/Domain.h"
#include "core/sample/SampleSummary.h"

namespace kelvo {

class TableStore;

// The four intervals, by the parameter they estimate.
enum class LargeSampleInterval {
  BernoulliP,        // P of a 0-1 population
  BinomialP,         // P of a binomial population of trialCount trials
  PoissonLambda,     // λ of a Poisson population
  ExponentialTheta,  // θ (the mean) of an exponential population
};

// The population whose values the interval's sample must hold.
Family PopulationOf(LargeSampleInterval kind);

// One interval computation.
struct LargeSampleIntervalInput {
  LargeSampleInterval kind = LargeSampleInterval::BernoulliP;
  SampleSummary sample;  // n, mean; the variance is shown in the worked solution
  double level = 0.95;   // confidence level c
  int trialCount = 0;    // N, read by BinomialP only
};

// P of a 0-1 population: roots of (n + z²)t² − (2n·x̄ + z²)t + n·x̄² = 0.
IntervalResult ComputeProportionInterval(TableStore& tables, const SampleSummary& sample, double level);

// P of a binomial population of trialCount trials: roots of
// (n·N² + N·z²)t² − (2n·N·x̄ + N·z²)t + n·x̄² = 0. trialCount < 1 throws "二项分布的N必须是正整数".
IntervalResult ComputeBinomialInterval(TableStore& tables, const SampleSummary& sample, double level,
                                       int trialCount);

// λ of a Poisson population: roots of n·t² − (2n·x̄ + z²)t + n·x̄² = 0.
IntervalResult ComputePoissonInterval(TableStore& tables, const SampleSummary& sample, double level);

// θ of an exponential population: (√n·x̄ / (√n + z), √n·x̄ / (√n − z)).
// √n <= z throws "样本量太小,无法计算该区间".
IntervalResult ComputeExponentialInterval(TableStore& tables, const SampleSummary& sample, double level);

// The interval the input names, by the computation above that it names.
IntervalResult ComputeLargeSampleInterval(TableStore& tables, const LargeSampleIntervalInput& input);

}  // namespace kelvo
