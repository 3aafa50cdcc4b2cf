#include "core/probability/Distribution.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>

#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/exponential.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/geometric.hpp>
#include <boost/math/distributions/hypergeometric.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/poisson.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/math/distributions/uniform.hpp>

#include "core/documents/WorkedSolution.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {

namespace bm = boost::math;
using K = DistributionKind;
constexpr double kInf = std::numeric_limits<double>::infinity();

// Whole-number parameters stay below these: the counts of a course's exercises, far from
// where the hypergeometric sums get slow.
constexpr double kMaxTrials = 1e9;
constexpr double kMaxPopulation = 1e5;

constexpr ParameterInfo kNone{"", "", 0.0};

constexpr DistributionInfo kList[] = {
    {K::Normal, "正态分布 N(μ, σ²)", 2, {{{"μ", "均值 μ", 0.0}, {"σ", "标准差 σ", 1.0}, kNone}}, false},
    {K::StandardNormal, "标准正态分布 N(0, 1)", 0, {{kNone, kNone, kNone}}, false},
    {K::T, "t 分布 t(n)", 1, {{{"n", "自由度 n", 10.0}, kNone, kNone}}, false},
    {K::ChiSquare, "χ² 分布 χ²(n)", 1, {{{"n", "自由度 n", 10.0}, kNone, kNone}}, false},
    {K::F, "F 分布 F(n₁, n₂)", 2, {{{"n₁", "第一自由度 n₁", 3.0}, {"n₂", "第二自由度 n₂", 12.0}, kNone}}, false},
    {K::Binomial, "二项分布 B(n, p)", 2, {{{"n", "试验次数 n", 10.0}, {"p", "成功概率 p", 0.5}, kNone}}, true},
    {K::Poisson, "泊松分布 P(λ)", 1, {{{"λ", "参数 λ", 3.0}, kNone, kNone}}, true},
    {K::Geometric, "几何分布 G(p)", 1, {{{"p", "成功概率 p", 0.5}, kNone, kNone}}, true},
    {K::Hypergeometric, "超几何分布 H(N, M, n)", 3,
     {{{"N", "总数 N", 20.0}, {"M", "次品数 M", 5.0}, {"n", "抽取数 n", 4.0}}}, true},
    {K::Exponential, "指数分布 E(θ)", 1, {{{"θ", "均值 θ", 1.0}, kNone, kNone}}, false},
    {K::Uniform, "均匀分布 U(a, b)", 2, {{{"a", "下限 a", 0.0}, {"b", "上限 b", 1.0}, kNone}}, false},
};

[[noreturn]] void Refuse(const char* symbol, const std::string& range) {
  throw InputError(std::string("参数 ") + symbol + " 应满足 " + range);
}

bool Whole(double v) { return std::isfinite(v) && v == std::floor(v); }

void RequireFinite(const char* symbol, double v) {
  if (!std::isfinite(v)) throw InputError(std::string("参数 ") + symbol + " 应为有限实数");
}

void RequirePositive(const char* symbol, double v) {
  if (!(v > 0.0 && std::isfinite(v))) Refuse(symbol, std::string(symbol) + " > 0");
}

void CheckParameters(K kind, const std::array<double, 3>& p) {
  switch (kind) {
    case K::Normal:
      RequireFinite("μ", p[0]);
      RequirePositive("σ", p[1]);
      break;
    case K::StandardNormal: break;
    case K::T:
    case K::ChiSquare: RequirePositive("n", p[0]); break;
    case K::F:
      RequirePositive("n₁", p[0]);
      RequirePositive("n₂", p[1]);
      break;
    case K::Binomial:
      if (!(Whole(p[0]) && p[0] >= 1 && p[0] <= kMaxTrials)) Refuse("n", "1 ≤ n ≤ 1000000000 的整数");
      if (!(p[1] >= 0.0 && p[1] <= 1.0)) Refuse("p", "0 ≤ p ≤ 1");
      break;
    case K::Poisson: RequirePositive("λ", p[0]); break;
    case K::Geometric:
      if (!(p[0] > 0.0 && p[0] <= 1.0)) Refuse("p", "0 < p ≤ 1");
      break;
    case K::Hypergeometric:
      if (!(Whole(p[0]) && p[0] >= 1 && p[0] <= kMaxPopulation)) Refuse("N", "1 ≤ N ≤ 100000 的整数");
      if (!(Whole(p[1]) && p[1] >= 0 && p[1] <= p[0])) Refuse("M", "0 ≤ M ≤ N 的整数");
      if (!(Whole(p[2]) && p[2] >= 1 && p[2] <= p[0])) Refuse("n", "1 ≤ n ≤ N 的整数");
      break;
    case K::Exponential: RequirePositive("θ", p[0]); break;
    case K::Uniform:
      RequireFinite("a", p[0]);
      RequireFinite("b", p[1]);
      if (!(p[1] > p[0])) Refuse("b", "b > a");
      break;
  }
}

// Calls `f` with the Boost distribution of the law. The geometric law is Boost's count of
// failures before the first success: X − 1.
template <class F>
double WithBoost(K kind, const std::array<double, 3>& p, F f) {
  switch (kind) {
    case K::Normal: return f(bm::normal_distribution<double>(p[0], p[1]));
    case K::StandardNormal: return f(bm::normal_distribution<double>(0.0, 1.0));
    case K::T: return f(bm::students_t_distribution<double>(p[0]));
    case K::ChiSquare: return f(bm::chi_squared_distribution<double>(p[0]));
    case K::F: return f(bm::fisher_f_distribution<double>(p[0], p[1]));
    case K::Binomial: return f(bm::binomial_distribution<double>(p[0], p[1]));
    case K::Poisson: return f(bm::poisson_distribution<double>(p[0]));
    case K::Geometric: return f(bm::geometric_distribution<double>(p[0]));
    case K::Hypergeometric:
      return f(bm::hypergeometric_distribution<double>(static_cast<unsigned>(p[1]), static_cast<unsigned>(p[2]),
                                                       static_cast<unsigned>(p[0])));
    case K::Exponential: return f(bm::exponential_distribution<double>(1.0 / p[0]));
    case K::Uniform: return f(bm::uniform_distribution<double>(p[0], p[1]));
  }
  return 0.0;
}

/* Boost reports an overflow or a failed evaluation (far tails, extreme parameters) by
   exception; neither is a number to show, so both become the user's refusal. */
template <class Compute>
double Checked(Compute compute) {
  try {
    return compute();
  } catch (const std::overflow_error&) {
    return kInf;
  } catch (const std::exception&) {
    throw InputError("计算结果超出范围");
  }
}

std::string Num(double v) { return SolutionNumber(v, 6); }

}  // namespace

std::span<const DistributionInfo> DistributionList() { return kList; }

const DistributionInfo& InfoOf(DistributionKind kind) {
  for (const DistributionInfo& info : kList)
    if (info.kind == kind) return info;
  return kList[0];
}

Distribution::Distribution(DistributionKind kind, std::array<double, 3> parameters)
    : m_kind(kind), m_p(parameters) {
  const int count = InfoOf(kind).parameterCount;
  for (int i = count; i < 3; ++i) m_p[static_cast<std::size_t>(i)] = 0.0;
  CheckParameters(kind, m_p);
}

std::string Distribution::notation() const {
  switch (m_kind) {
    case K::Normal: return "N(" + Num(m_p[0]) + ", " + Num(m_p[1] * m_p[1]) + ")";
    case K::StandardNormal: return "N(0, 1)";
    case K::T: return "t(" + Num(m_p[0]) + ")";
    case K::ChiSquare: return "χ²(" + Num(m_p[0]) + ")";
    case K::F: return "F(" + Num(m_p[0]) + ", " + Num(m_p[1]) + ")";
    case K::Binomial: return "B(" + Num(m_p[0]) + ", " + Num(m_p[1]) + ")";
    case K::Poisson: return "P(" + Num(m_p[0]) + ")";
    case K::Geometric: return "G(" + Num(m_p[0]) + ")";
    case K::Hypergeometric: return "H(" + Num(m_p[0]) + ", " + Num(m_p[1]) + ", " + Num(m_p[2]) + ")";
    case K::Exponential: return "E(" + Num(m_p[0]) + ")";
    case K::Uniform: return "U(" + Num(m_p[0]) + ", " + Num(m_p[1]) + ")";
  }
  return "";
}

double Distribution::supportLow() const {
  switch (m_kind) {
    case K::Normal:
    case K::StandardNormal:
    case K::T: return -kInf;
    case K::Geometric: return 1.0;
    case K::Hypergeometric: return std::max(0.0, m_p[2] + m_p[1] - m_p[0]);
    case K::Uniform: return m_p[0];
    default: return 0.0;
  }
}

double Distribution::supportHigh() const {
  switch (m_kind) {
    case K::Binomial: return m_p[0];
    case K::Hypergeometric: return std::min(m_p[1], m_p[2]);
    case K::Uniform: return m_p[1];
    default: return kInf;
  }
}

double Distribution::density(double x) const {
  if (std::isnan(x)) throw InputError("计算结果超出范围");
  if (discrete()) {
    if (!Whole(x) || x < supportLow() || x > supportHigh()) return 0.0;
    const double k = m_kind == K::Geometric ? x - 1.0 : x;
    return Checked([&] { return WithBoost(m_kind, m_p, [&](const auto& d) { return pdf(d, k); }); });
  }
  if (x < supportLow() || x > supportHigh()) return 0.0;
  return Checked([&] { return WithBoost(m_kind, m_p, [&](const auto& d) { return pdf(d, x); }); });
}

double Distribution::lowerTail(double x) const {
  if (std::isnan(x)) throw InputError("计算结果超出范围");
  if (discrete()) x = std::floor(x);
  if (x < supportLow()) return 0.0;
  if (x >= supportHigh()) return 1.0;
  const double k = m_kind == K::Geometric ? x - 1.0 : x;
  return Checked([&] { return WithBoost(m_kind, m_p, [&](const auto& d) { return cdf(d, k); }); });
}

double Distribution::upperTail(double x) const {
  if (std::isnan(x)) throw InputError("计算结果超出范围");
  if (discrete()) x = std::floor(x);
  if (x < supportLow()) return 1.0;
  if (x >= supportHigh()) return 0.0;
  const double k = m_kind == K::Geometric ? x - 1.0 : x;
  return Checked([&] { return WithBoost(m_kind, m_p, [&](const auto& d) { return cdf(complement(d, k)); }); });
}

double Distribution::quantile(double p) const {
  if (!(p > 0.0 && p < 1.0)) throw InputError("概率 p 应满足 0 < p < 1");
  if (!discrete()) {
    const double x = Checked([&] { return WithBoost(m_kind, m_p, [&](const auto& d) { return bm::quantile(d, p); }); });
    if (!std::isfinite(x)) throw InputError("计算结果超出范围");
    return x;
  }
  // Boost's quantile lands on or next to the jump; the steps below make it the smallest
  // whole x with P(X ≤ x) ≥ p, whatever rounding it chose.
  double x = Checked([&] { return WithBoost(m_kind, m_p, [&](const auto& d) { return bm::quantile(d, p); }); });
  if (m_kind == K::Geometric) x += 1.0;
  if (!std::isfinite(x)) throw InputError("计算结果超出范围");
  x = std::clamp(std::round(x), supportLow(), supportHigh());
  while (x < supportHigh() && lowerTail(x) < p) x += 1.0;
  while (x > supportLow() && lowerTail(x - 1.0) >= p) x -= 1.0;
  return x;
}

double Distribution::upperPoint(double alpha) const {
  if (!(alpha > 0.0 && alpha < 1.0)) throw InputError("概率 α 应满足 0 < α < 1");
  if (discrete()) throw InputError("离散分布没有上 α 分位点，请求最小的 x 使 P(X ≤ x) ≥ p");
  const double x = Checked(
      [&] { return WithBoost(m_kind, m_p, [&](const auto& d) { return bm::quantile(complement(d, alpha)); }); });
  if (!std::isfinite(x)) throw InputError("计算结果超出范围");
  return x;
}

double Distribution::mean() const {
  if (m_kind == K::T && m_p[0] <= 1.0) return std::numeric_limits<double>::quiet_NaN();
  if (m_kind == K::F && m_p[1] <= 2.0) return std::numeric_limits<double>::quiet_NaN();
  const double m = WithBoost(m_kind, m_p, [](const auto& d) { return bm::mean(d); });
  return m_kind == K::Geometric ? m + 1.0 : m;
}

double Distribution::variance() const {
  if (m_kind == K::T && m_p[0] <= 2.0) return std::numeric_limits<double>::quiet_NaN();
  if (m_kind == K::F && m_p[1] <= 4.0) return std::numeric_limits<double>::quiet_NaN();
  return WithBoost(m_kind, m_p, [](const auto& d) { return bm::variance(d); });
}

}  // namespace kelvo
