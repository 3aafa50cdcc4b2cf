#include "core/hypothesis/AsymptoticTests.h"

#include <cmath>
#include <stdexcept>

#include "core/hypothesis/AcceptanceRegion.h"
#include "core/text/Errors.h"
#include "core/tables/Quantiles.h"

namespace kelvo {
namespace {

void RequireProportion(double rho0) {
  if (!(rho0 > 0.0 && rho0 < 1.0)) throw InputError("ρ0数据错误");
}

void RequirePositive(double value, const char* message) {
  if (!(value > 0.0 && std::isfinite(value))) throw InputError(message);
}

// The band c ± z·e around the mean under H0, z = NormalQuantile(1 − p).
TestResult BandTest(TableStore& tables, const SampleSummary& sample, double centre, double standardError,
                    Hypothesis hypothesis, double alpha) {
  TestResult result;
  result.distribution = StatisticDistribution::Normal;
  result.intermediates.add("n", sample.n);
  result.intermediates.add("mean", sample.mean);
  result.intermediates.add("centre", centre);
  result.intermediates.add("standardError", standardError);
  RequireFiniteStatistic(sample.mean);
  result.statistic = sample.mean;
  const RegionDecision decided =
      DecideByHypothesis(hypothesis, sample.mean, alpha, EdgeRule::Accepts, [&](double p) {
        result.criticalValues.push_back(NormalQuantile(tables, 1.0 - p));
        const double z = result.criticalValues.back().value;
        return Edges{centre - z * standardError, centre + z * standardError};
      });
  result.decision = decided.decision;
  result.intermediates.add("lowerEdge", decided.edges.lower);
  result.intermediates.add("upperEdge", decided.edges.upper);
  return result;
}

// The checks every band test makes before its own.
double CheckedSize(const SampleSummary& sample, double alpha) {
  if (sample.n < 2) throw InputError("样本量太小");
  RequireSignificanceLevel(alpha);
  return sample.n;
}

}  // namespace

TestResult TestProportion(TableStore& tables, const SampleSummary& sample, double rho0, Hypothesis hypothesis,
                          double alpha) {
  const double n = CheckedSize(sample, alpha);
  RequireProportion(rho0);
  return BandTest(tables, sample, rho0, std::sqrt(rho0 * (1.0 - rho0) / n), hypothesis, alpha);
}

TestResult TestBinomialProportion(TableStore& tables, const SampleSummary& sample, int trialCount,
                                  double rho0, Hypothesis hypothesis, double alpha) {
  const double n = CheckedSize(sample, alpha);
  RequireProportion(rho0);
  if (trialCount < 2) throw InputError("N数据错误");
  // In doubles: N and n are each up to 32767, but their product can pass the range of int.
  const double trials = trialCount;
  return BandTest(tables, sample, trials * rho0, std::sqrt(trials * rho0 * (1.0 - rho0) / n), hypothesis,
                  alpha);
}

TestResult TestPoissonMean(TableStore& tables, const SampleSummary& sample, double lambda0,
                           Hypothesis hypothesis, double alpha) {
  const double n = CheckedSize(sample, alpha);
  RequirePositive(lambda0, "λ0数据错误");
  return BandTest(tables, sample, lambda0, std::sqrt(lambda0 / n), hypothesis, alpha);
}

TestResult TestExponentialMean(TableStore& tables, const SampleSummary& sample, double theta0,
                               Hypothesis hypothesis, double alpha) {
  const double n = CheckedSize(sample, alpha);
  RequirePositive(theta0, "θ0数据错误");
  return BandTest(tables, sample, theta0, theta0 / std::sqrt(n), hypothesis, alpha);
}

TestResult RunAsymptoticTest(TableStore& tables, const AsymptoticTestInput& in) {
  switch (in.test) {
    case AsymptoticTest::Proportion:
      return TestProportion(tables, in.sample, in.rho0, in.hypothesis, in.alpha);
    case AsymptoticTest::BinomialProportion:
      return TestBinomialProportion(tables, in.sample, in.trialCount, in.rho0, in.hypothesis, in.alpha);
    case AsymptoticTest::PoissonMean:
      return TestPoissonMean(tables, in.sample, in.lambda0, in.hypothesis, in.alpha);
    case AsymptoticTest::ExponentialMean:
      return TestExponentialMean(tables, in.sample, in.theta0, in.hypothesis, in.alpha);
  }
  throw std::logic_error("RunAsymptoticTest: a test without a computation");
}

double HypothesisedValue(const AsymptoticTestInput& in) {
  switch (in.test) {
    case AsymptoticTest::Proportion:
    case AsymptoticTest::BinomialProportion: return in.rho0;
    case AsymptoticTest::PoissonMean: return in.lambda0;
    case AsymptoticTest::ExponentialMean: return in.theta0;
  }
  return 0.0;
}

}  // namespace kelvo
