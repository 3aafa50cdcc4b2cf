#pragma once
// The large-sample tests of the parameter of a 0-1, binomial, Poisson or exponential
// population: the sample mean is
// judged against a band around the mean that H0 implies, c ± z·e with the standard error e
// under H0 and z the upper α point of the standard normal (α/2 for the two-sided choice).
// A mean exactly on an edge of the band accepts H0.
//
// Each test takes the summary from ReadOneSample (n and the mean are used), the hypothesised
// value, the hypothesis choice and α, and returns: statistic = the sample mean (distribution
// Normal), the z look-ups as critical values (z at α first, then for the two-sided choice z at
// α/2), the decision, and the intermediates "n", "mean", "centre", "standardError", and
// "lowerEdge", "upperEdge" of the band the decision was taken against (an edge a one-sided
// choice does not use is infinite).
//
// Throws InputError for α outside (0, 1) ("置信水平数据缺乏", "置信水平应大于0小于1"), a
// sample of fewer than 2 ("样本量太小"), a hypothesised value outside its range (messages
// below) and a mean that is not finite ("计算结果超出范围").
#include "core/hypothesis/TestResult.h"
#include "core/sample/SampleSummary.h"

namespace kelvo {

class TableStore;

enum class AsymptoticTest { Proportion, BinomialProportion, PoissonMean, ExponentialMean };

// Everything one band test reads; a field its test does not read is ignored.
struct AsymptoticTestInput {
  AsymptoticTest test = AsymptoticTest::Proportion;
  SampleSummary sample;
  double rho0 = 0.0;     // Proportion, BinomialProportion
  int trialCount = 0;    // N: BinomialProportion
  double lambda0 = 0.0;  // PoissonMean
  double theta0 = 0.0;   // ExponentialMean
  Hypothesis hypothesis = Hypothesis::TwoSided;
  double alpha = 0.05;
};

// Runs the input's test with the fields it reads (the functions below).
TestResult RunAsymptoticTest(TableStore& tables, const AsymptoticTestInput& input);

// The hypothesised value of the input's test: ρ0, λ0 or θ0.
double HypothesisedValue(const AsymptoticTestInput& input);

// Proportion, 0-1 population: c = ρ0, e = √(ρ0(1 − ρ0)/n). ρ0 outside (0, 1): "ρ0数据错误".
TestResult TestProportion(TableStore& tables, const SampleSummary& sample, double rho0, Hypothesis hypothesis,
                          double alpha);

// BinomialProportion, binomial population of trialCount trials per observation: c = N·ρ0,
// e = √(N·ρ0(1 − ρ0)/n). ρ0 outside (0, 1): "ρ0数据错误"; N below 2: "N数据错误".
TestResult TestBinomialProportion(TableStore& tables, const SampleSummary& sample, int trialCount,
                                  double rho0, Hypothesis hypothesis, double alpha);

// PoissonMean, Poisson population: c = λ0, e = √(λ0/n). λ0 not above 0: "λ0数据错误".
TestResult TestPoissonMean(TableStore& tables, const SampleSummary& sample, double lambda0,
                           Hypothesis hypothesis, double alpha);

// ExponentialMean, exponential population of mean θ: c = θ0, e = θ0/√n. θ0 not above 0: "θ0数据错误".
TestResult TestExponentialMean(TableStore& tables, const SampleSummary& sample, double theta0,
                               Hypothesis hypothesis, double alpha);

}  // namespace kelvo
