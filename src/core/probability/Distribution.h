#pragma once
// The distributions of a first course as value types: their parameters checked on
// construction, and exact values (Boost.Math) of the density or mass, both tails and the
// quantiles. Discrete laws take whole points: P(X ≤ 2.5) is P(X ≤ 2).
//
// The laws as Chinese textbooks write them: N(μ, σ²) is given by σ; the geometric law counts
// the trials up to and including the first success (X = 1, 2, ...); H(N, M, n) draws n of N
// items of which M are marked and counts the marked ones drawn; the exponential law is given
// by its mean θ (density e^(−x/θ)/θ).
#include <array>
#include <span>
#include <string>

namespace kelvo {

enum class DistributionKind {
  Normal,
  StandardNormal,
  T,
  ChiSquare,
  F,
  Binomial,
  Poisson,
  Geometric,
  Hypergeometric,
  Exponential,
  Uniform
};

struct ParameterInfo {
  const char* symbol;   // "σ", "n₁"
  const char* caption;  // the box's label: "标准差 σ"
  double initial;       // the value a new choice of the law starts with
};

struct DistributionInfo {
  DistributionKind kind;
  const char* name;  // as listed: "正态分布 N(μ, σ²)"
  int parameterCount;
  std::array<ParameterInfo, 3> parameters;
  bool discrete;
};

// Every law, in the order a list shows them.
std::span<const DistributionInfo> DistributionList();
const DistributionInfo& InfoOf(DistributionKind kind);

class Distribution {
 public:
  // Throws InputError naming the first parameter outside its range ("参数 σ 应满足 σ > 0").
  // Parameters beyond the law's count are ignored.
  Distribution(DistributionKind kind, std::array<double, 3> parameters);

  DistributionKind kind() const { return m_kind; }
  double parameter(int i) const { return m_p[static_cast<std::size_t>(i)]; }
  bool discrete() const { return InfoOf(m_kind).discrete; }
  // The law with its numbers: "N(1, 4)", "t(6)", "B(10, 0.4)", "H(20, 5, 4)", "E(2)".
  std::string notation() const;

  // Smallest and largest value X takes (±∞ when unbounded).
  double supportLow() const;
  double supportHigh() const;

  // The density at x, or P(X = x) for a discrete law (0 at a point X does not take).
  double density(double x) const;
  // P(X ≤ x) and P(X > x), each computed directly (the small tail keeps its digits).
  double lowerTail(double x) const;
  double upperTail(double x) const;
  // Continuous: x with P(X ≤ x) = p. Discrete: the smallest x with P(X ≤ x) ≥ p.
  // p must lie in (0, 1).
  double quantile(double p) const;
  // Continuous only: x with P(X > x) = α, α in (0, 1).
  double upperPoint(double alpha) const;

  double mean() const;
  double variance() const;

 private:
  DistributionKind m_kind;
  std::array<double, 3> m_p;
};

}  // namespace kelvo
