#include "core/hypothesis/FittingProbabilities.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include <boost/math/distributions/normal.hpp>

#include "core/text/Errors.h"
#include "core/text/TextNumber.h"

namespace kelvo {
namespace {

const char* const kNoSample = "没有样本数据,无法检验";
const char* const kOutOfRange = "计算结果超出范围";

void RequireFinite(double value) {
  if (!std::isfinite(value)) throw InputError(kOutOfRange);
}

bool Filled(const CellStore& store, int row, int col) { return !store.text(row, col).empty(); }

double Value(const CellStore& store, int row, int col) {
  return LeadingValue(store.text(row, col));
}

// The probability of one whole number x, by the running products of PoissonTerm and
// BinomialCoefficient. Beyond 1000 trials, or for λ above 700 or x above 1000, a product
// overflows or e^-λ underflows (0 × ∞); the same quantity is then taken through logarithms.
constexpr double kLargestRunningProduct = 1000.0;
constexpr double kLargestExpArgument = 700.0;

double BinomialTerm(double x, double trials, double wholeTrials, double p) {
  if (x < 0.0 || x > wholeTrials) return 0.0;
  if (wholeTrials <= kLargestRunningProduct)
    return BinomialCoefficient(static_cast<int>(wholeTrials), static_cast<int>(x)) *
           std::exp(x * std::log(p)) * std::exp((trials - x) * std::log(1.0 - p));
  return std::exp(std::lgamma(wholeTrials + 1.0) - std::lgamma(x + 1.0) -
                  std::lgamma(wholeTrials - x + 1.0) + x * std::log(p) +
                  (trials - x) * std::log(1.0 - p));
}

double PoissonProbability(double x, double lambda) {
  if (x < 0.0) return 0.0;
  if (x <= kLargestRunningProduct && lambda <= kLargestExpArgument)
    return std::exp(-lambda) * PoissonTerm(static_cast<int>(x), lambda);
  if (lambda == 0.0) return x == 0.0 ? 1.0 : 0.0;
  return std::exp(-lambda + x * std::log(lambda) - std::lgamma(x + 1.0));
}

// Σ term(x) over the whole numbers first..last. Terms further than 40 standard deviations
// plus 200 from the mean are below 1e-130 together (Bernstein's inequality), so they are
// skipped: a class of a billion whole numbers must not stall the window.
template <class Term>
double SumOverWholes(double first, double last, double mean, double spread, Term term) {
  const double reach = 40.0 * spread + 200.0;
  const double lo = std::max(first, std::floor(mean - reach));
  const double hi = std::min(last, std::ceil(mean + reach));
  if (hi < lo) return 0.0;
  const double count = hi - lo + 1.0;
  if (count > 1e7) throw InputError(kOutOfRange);
  double sum = 0.0;
  for (double i = 0.0; i < count; i += 1.0) sum += term(lo + i);
  return sum;
}

// The probability of a class, its open ends reaching the ends of the law.
double ClassProbability(FittingEntry entry, const FittingParameters& q, const CellStore& law,
                        const FittingClass& k) {
  const double a = k.openBelow ? -HUGE_VAL : k.lower;
  const double b = k.openAbove ? HUGE_VAL : k.upper;
  switch (entry) {
    case FittingEntry::UserLaw:
      return LawProbability(law, a, b);
    case FittingEntry::ZeroOneKnown:
      return (a <= 0.0 && 0.0 < b ? 1.0 - q.zeroOneP : 0.0) + (a <= 1.0 && 1.0 < b ? q.zeroOneP : 0.0);
    case FittingEntry::BinomialKnown:
    case FittingEntry::BinomialUnknown: {
      const double n = q.binomialTrials, whole = RoundHalfEven(n), p = q.binomialP;
      const double first = k.openBelow ? 0.0 : std::floor(a);
      const double last = k.openAbove ? whole : std::floor(b - 1.0);
      return SumOverWholes(first, last, n * p, std::sqrt(n * p * (1.0 - p)),
                           [&](double x) { return BinomialTerm(x, n, whole, p); });
    }
    case FittingEntry::PoissonKnown:
    case FittingEntry::PoissonUnknown: {
      const double lambda = q.poissonLambda;
      const double first = k.openBelow ? 0.0 : RoundHalfEven(a);
      const double last = k.openAbove ? HUGE_VAL : RoundHalfEven(b - 1.0);
      return SumOverWholes(first, last, lambda, std::sqrt(lambda),
                           [&](double x) { return PoissonProbability(x, lambda); });
    }
    case FittingEntry::UniformKnown:
    case FittingEntry::UniformUnknown: {
      // The part of the class inside [A, B].
      const double from = std::clamp(a, q.uniformA, q.uniformB);
      const double to = std::clamp(b, q.uniformA, q.uniformB);
      return (to - from) / (q.uniformB - q.uniformA);
    }
    case FittingEntry::NormalKnown:
    case FittingEntry::NormalUnknown:
      return NormalClassProbability(a, b, q.normalMu, q.normalSigma);
    case FittingEntry::ExponentialKnown:
    case FittingEntry::ExponentialUnknown:
      // The law starts at 0.
      return std::exp(-std::max(a, 0.0) / q.exponentialTheta) -
             std::exp(-std::max(b, 0.0) / q.exponentialTheta);
    case FittingEntry::ZeroOneUnknown:
      break;
  }
  throw std::invalid_argument("entry 2 has no class probabilities");
}

void RequireSampleForEstimate(const SampleSummary& sample) {
  if (sample.n <= 0) throw InputError(kNoSample);
}

void RequireTrials(const FittingParameters& q) {
  if (!(q.binomialTrials > 1.0 && std::isfinite(q.binomialTrials)))
    throw InputError("N值必须大于1");
}

}  // namespace

FittingParameters PrepareParameters(FittingEntry entry, FittingInputMode mode,
                                    const SampleSummary& sample, FittingParameters q) {
  const bool grouped = mode == FittingInputMode::Grouped;
  const double n = sample.n;
  auto positive = [](double v) { return v > 0.0 && std::isfinite(v); };
  auto probability = [](double v) { return v > 0.0 && v < 1.0; };
  switch (entry) {
    case FittingEntry::UserLaw:
    case FittingEntry::ZeroOneUnknown:
      break;
    case FittingEntry::ZeroOneKnown:
      if (!probability(q.zeroOneP)) throw InputError("P值必须大于0且小于1");
      break;
    case FittingEntry::BinomialKnown:
      RequireTrials(q);
      if (!probability(q.binomialP)) throw InputError("P值必须大于0且小于1");
      break;
    case FittingEntry::BinomialUnknown:
      RequireTrials(q);
      RequireSampleForEstimate(sample);
      q.binomialP = grouped ? q.binomialSumX / (n * q.binomialTrials) : sample.mean / q.binomialTrials;
      // ln P or ln(1 - P) would be undefined.
      if (!probability(q.binomialP)) throw InputError("估计的P不在0与1之间,无法检验");
      break;
    case FittingEntry::PoissonKnown:
      if (!positive(q.poissonLambda)) throw InputError("λ值必须大于0");
      break;
    case FittingEntry::PoissonUnknown:
      RequireSampleForEstimate(sample);
      q.poissonLambda = grouped ? q.poissonSumX / n : sample.mean;
      RequireFinite(q.poissonLambda);
      if (!positive(q.poissonLambda)) throw InputError("估计的λ不大于0,无法检验");
      break;
    case FittingEntry::UniformKnown:
      RequireFinite(q.uniformA);
      RequireFinite(q.uniformB);
      if (!(q.uniformB - q.uniformA > 0.0)) throw InputError("B值必须大于A值");
      break;
    case FittingEntry::UniformUnknown:
      RequireSampleForEstimate(sample);
      q.uniformA = grouped ? q.groupedMin : sample.minimum;
      q.uniformB = grouped ? q.groupedMax : sample.maximum;
      RequireFinite(q.uniformA);
      RequireFinite(q.uniformB);
      if (!(q.uniformB - q.uniformA > 0.0)) throw InputError("估计的A与B相等,无法检验");
      break;
    case FittingEntry::NormalKnown:
      RequireFinite(q.normalMu);
      if (!positive(q.normalSigma)) throw InputError("σ值必须大于0");
      break;
    case FittingEntry::NormalUnknown:
      RequireSampleForEstimate(sample);
      if (grouped) {
        q.normalMu = q.normalSumX / n;
        const double spread = q.normalSumXX / n - q.normalMu * q.normalMu;
        q.normalSigma = spread > 0.0 ? std::sqrt(spread) : 0.0;
      } else {
        q.normalMu = sample.mean;
        q.normalSigma = std::sqrt((n - 1.0) * sample.variance / n);
      }
      RequireFinite(q.normalMu);
      RequireFinite(q.normalSigma);
      if (!(q.normalSigma > 0.0)) throw InputError("估计的σ为0,无法检验");
      break;
    case FittingEntry::ExponentialKnown:
      if (!positive(q.exponentialTheta)) throw InputError("θ值必须大于0");
      break;
    case FittingEntry::ExponentialUnknown:
      RequireSampleForEstimate(sample);
      q.exponentialTheta = grouped ? q.exponentialSumX / n : sample.mean;
      RequireFinite(q.exponentialTheta);
      if (!positive(q.exponentialTheta)) throw InputError("估计的θ不大于0,无法检验");
      break;
  }
  return q;
}

std::vector<FittingClass> ClassProbabilities(FittingEntry entry, const FittingParameters& parameters,
                                             const CellStore& law, std::vector<FittingClass> classes,
                                             int n) {
  for (FittingClass& k : classes) {
    k.probability = ClassProbability(entry, parameters, law, k);
    k.expected = n * k.probability;
    RequireFinite(k.expected);
  }
  return classes;
}

double PoissonTerm(int x, double lambda) {
  double term = 1.0;
  for (int j = 1; j <= x; ++j) term *= lambda / j;
  return term;
}

double BinomialCoefficient(int n, int x) {
  if (x < 0 || x > n) return 0.0;
  const int m = n / 2.0 >= x ? x : n - x;
  double result = 1.0;
  for (int i = 0; i < m; ++i) result *= static_cast<double>(n - i) / (m - i);
  return result;
}

double NormalClassProbability(double a, double b, double mu, double sigma) {
  const boost::math::normal law(mu, sigma);
  // Above the mean the upper tails keep their digits where Φ(a) and Φ(b) both round to 1.
  if (a >= mu)
    return boost::math::cdf(boost::math::complement(law, a)) -
           boost::math::cdf(boost::math::complement(law, b));
  return boost::math::cdf(law, b) - boost::math::cdf(law, a);
}

double LawProbability(const CellStore& law, double a, double b) {
  double inside = 0.0, total = 0.0;
  for (int c = 1; c < law.cols(); ++c) {
    if (!Filled(law, 1, c)) continue;
    const double x = Value(law, 1, c), p = Value(law, 2, c);
    total += p;
    if (a <= x && x < b) inside += p;
  }
  return total > 0.0 ? inside / total : 0.0;
}

}  // namespace kelvo
