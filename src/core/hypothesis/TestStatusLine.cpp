#include "core/hypothesis/TestStatusLine.h"

#include <stdexcept>
#include <vector>

#include "core/documents/WorkedSolution.h"

namespace kelvo {
namespace {

constexpr const char* kSeparator = "，";

std::string Fixed(double value) { return FixedNumber(value, 4); }

const CriticalValue& At(const TestResult& result, std::size_t position) {
  if (position >= result.criticalValues.size())
    throw std::invalid_argument("test result lacks a critical value");
  return result.criticalValues[position];
}

double Value(const TestResult& result, const char* name) {
  const std::optional<double> value = result.intermediates.find(name);
  if (!value) throw std::invalid_argument(std::string("test result lacks the value ") + name);
  return *value;
}

// "t₀.₀₂₅(6) = 2.4469", or "−t₀.₀₅(6) = −1.9432" for the negated edge.
std::string Critical(const CriticalValue& cv, bool negated = false) {
  return negated ? "−" + QuantileSymbol(cv) + " = " + Fixed(-cv.value)
                 : QuantileSymbol(cv) + " = " + Fixed(cv.value);
}

/* The critical values a symmetric statistic (z or t) is compared with: the value at α, negated
   for the lower tail, or the one at α/2 looked up after it for the two-sided choice. */
std::string SymmetricCritical(const TestResult& result, Hypothesis hypothesis) {
  switch (hypothesis) {
    case Hypothesis::Greater: return Critical(At(result, 0));
    case Hypothesis::Less: return Critical(At(result, 0), true);
    case Hypothesis::TwoSided: return Critical(At(result, 1));
  }
  throw std::invalid_argument("unknown hypothesis choice");
}

// χ² and F look up the upper and the lower value at α, then both at α/2.
std::string TwoTailedCritical(const TestResult& result, Hypothesis hypothesis) {
  switch (hypothesis) {
    case Hypothesis::Greater: return Critical(At(result, 0));
    case Hypothesis::Less: return Critical(At(result, 1));
    case Hypothesis::TwoSided: return Critical(At(result, 3)) + "、" + Critical(At(result, 2));
  }
  throw std::invalid_argument("unknown hypothesis choice");
}

std::string Line(const std::string& statistic, const std::string& critical, std::optional<double> p) {
  std::string line = statistic + kSeparator + "临界值 " + critical;
  if (p) line += kSeparator + PValueText(*p);
  return line;
}

std::string ParametricLine(const TestResult& result, Hypothesis hypothesis) {
  std::string symbol;
  bool symmetric = false;
  switch (result.distribution) {
    case StatisticDistribution::Normal: symbol = "U"; symmetric = true; break;
    case StatisticDistribution::T: symbol = "T"; symmetric = true; break;
    case StatisticDistribution::ChiSquare: symbol = "χ²"; break;
    case StatisticDistribution::F: symbol = "F"; break;
    default: throw std::invalid_argument("not a parametric test result");
  }
  if (result.zeroDenominator)
    return symbol + " 无法计算（统计量的分母为 0，样本无离散）";
  const std::string critical =
      symmetric ? SymmetricCritical(result, hypothesis) : TwoTailedCritical(result, hypothesis);
  return Line(symbol + " = " + Fixed(result.statistic), critical,
              PValue(result, TestFamily::Parametric, hypothesis));
}

}  // namespace

std::string StatusLine(const TestResult& result, TestFamily family, Hypothesis hypothesis) {
  switch (family) {
    case TestFamily::Parametric: return ParametricLine(result, hypothesis);
    case TestFamily::Band: {
      const double z = (result.statistic - Value(result, "centre")) / Value(result, "standardError");
      return Line("x̄ = " + Fixed(result.statistic) + kSeparator + "Z = " + Fixed(z),
                  SymmetricCritical(result, hypothesis), PValue(result, family, hypothesis));
    }
    case TestFamily::SkewnessKurtosis:
      return Line("u₁ = " + Fixed(Value(result, "u1")) + kSeparator + "u₂ = " + Fixed(Value(result, "u2")),
                  Critical(At(result, 0)), PValue(result, family, hypothesis));
    case TestFamily::GoodnessOfFit:
      if (result.distribution != StatisticDistribution::ChiSquare) return std::string();
      return Line("χ² = " + Fixed(result.statistic), Critical(At(result, 0)),
                  PValue(result, family, Hypothesis::Greater));
  }
  throw std::invalid_argument("unknown test family");
}

std::string StatusLine(const FittingResult& result) {
  if (result.dataMessage) return std::string();
  return StatusLine(result.test, TestFamily::GoodnessOfFit, Hypothesis::Greater);
}

std::string StatusLine(const RankSumResult& result, RankSumHypothesis hypothesis) {
  const RankSumPValue p = ComputeRankSumPValue(result, hypothesis);
  if (result.bounds) {
    const RankSumBounds& b = *result.bounds;
    return Line("W = " + std::string(b.sampleOneSmaller ? "R₁" : "R₂") + " = " + SolutionNumber(result.w),
                "T₁ = " + std::to_string(b.t1) + "、T₂ = " + std::to_string(b.t2), p.value);
  }
  if (!result.normal) throw std::invalid_argument("rank-sum result without a decision");
  const RankSumNormal& normal = *result.normal;
  const std::string statistic = normal.standardized
                                    ? "Z = " + Fixed(*normal.standardized)
                                    : "R₁ = " + SolutionNumber(result.ranking.r1) + "（所有数据相等）";
  std::string critical;
  switch (hypothesis) {
    case RankSumHypothesis::FirstLess: critical = Critical(normal.quantile, true); break;
    case RankSumHypothesis::FirstGreater:
    case RankSumHypothesis::TwoSided: critical = Critical(normal.quantile); break;
  }
  return Line(statistic, critical, p.value);
}

}  // namespace kelvo
