#include "core/tables/ExactDistributions.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>

#include "core/text/Errors.h"

namespace kelvo {
namespace {

namespace bm = boost::math;

void RequireProbability(double p) {
  if (!(p > 0.0 && p < 1.0)) throw InputError("概率值应大于0小于1");
}

void RequireDf(double df) {
  if (!(df > 0.0 && std::isfinite(df))) throw InputError("自由度应大于0");
}

void RequirePoint(double x) {
  if (std::isnan(x)) throw InputError("计算结果超出范围");
}

/* Boost reports an overflow or a failed evaluation (extreme degrees of freedom, far tails)
   by exception, and some quantiles overflow to infinity instead; neither is a number a
   worked solution can show, so both become the refusal every computation here uses. */
template <class Compute>
double Checked(Compute compute) {
  double value = 0.0;
  try {
    value = compute();
  } catch (const std::runtime_error&) {
    throw InputError("计算结果超出范围");
  } catch (const std::domain_error&) {
    throw InputError("计算结果超出范围");
  }
  if (!std::isfinite(value)) throw InputError("计算结果超出范围");
  return value;
}

// Boost refuses infinite points for some laws; their tails there are plain 0 and 1.
bool Infinite(double x) { return std::isinf(x); }
double LowerAtInfinity(double x) { return x < 0.0 ? 0.0 : 1.0; }

}  // namespace

double ExactNormalQuantile(double p) {
  RequireProbability(p);
  return Checked([&] { return bm::quantile(bm::normal(), p); });
}

double ExactTQuantile(double df, double alpha) {
  RequireDf(df);
  RequireProbability(alpha);
  return Checked([&] { return bm::quantile(bm::complement(bm::students_t(df), alpha)); });
}

double ExactChiSquareQuantile(double df, double alpha) {
  RequireDf(df);
  RequireProbability(alpha);
  return Checked([&] { return bm::quantile(bm::complement(bm::chi_squared(df), alpha)); });
}

double ExactFQuantile(double df1, double df2, double alpha) {
  RequireDf(df1);
  RequireDf(df2);
  RequireProbability(alpha);
  return Checked([&] { return bm::quantile(bm::complement(bm::fisher_f(df1, df2), alpha)); });
}

double ExactQuantile(const CriticalValue& lookedUp) {
  switch (lookedUp.kind) {
    case TableKind::Normal: return ExactNormalQuantile(lookedUp.probability);
    case TableKind::T: return ExactTQuantile(lookedUp.df, lookedUp.probability);
    case TableKind::ChiSquare: return ExactChiSquareQuantile(lookedUp.df, lookedUp.probability);
    case TableKind::F: return ExactFQuantile(lookedUp.df, lookedUp.df2, lookedUp.probability);
  }
  throw std::invalid_argument("unknown table kind");
}

double NormalLowerTail(double x) {
  RequirePoint(x);
  if (Infinite(x)) return LowerAtInfinity(x);
  return Checked([&] { return bm::cdf(bm::normal(), x); });
}

double NormalUpperTail(double x) {
  RequirePoint(x);
  if (Infinite(x)) return 1.0 - LowerAtInfinity(x);
  return Checked([&] { return bm::cdf(bm::complement(bm::normal(), x)); });
}

double TLowerTail(double df, double x) {
  RequireDf(df);
  RequirePoint(x);
  if (Infinite(x)) return LowerAtInfinity(x);
  return Checked([&] { return bm::cdf(bm::students_t(df), x); });
}

double TUpperTail(double df, double x) {
  RequireDf(df);
  RequirePoint(x);
  if (Infinite(x)) return 1.0 - LowerAtInfinity(x);
  return Checked([&] { return bm::cdf(bm::complement(bm::students_t(df), x)); });
}

double ChiSquareLowerTail(double df, double x) {
  RequireDf(df);
  RequirePoint(x);
  if (x <= 0.0) return 0.0;
  if (Infinite(x)) return 1.0;
  return Checked([&] { return bm::cdf(bm::chi_squared(df), x); });
}

double ChiSquareUpperTail(double df, double x) {
  RequireDf(df);
  RequirePoint(x);
  if (x <= 0.0) return 1.0;
  if (Infinite(x)) return 0.0;
  return Checked([&] { return bm::cdf(bm::complement(bm::chi_squared(df), x)); });
}

double FLowerTail(double df1, double df2, double x) {
  RequireDf(df1);
  RequireDf(df2);
  RequirePoint(x);
  if (x <= 0.0) return 0.0;
  if (Infinite(x)) return 1.0;
  return Checked([&] { return bm::cdf(bm::fisher_f(df1, df2), x); });
}

double FUpperTail(double df1, double df2, double x) {
  RequireDf(df1);
  RequireDf(df2);
  RequirePoint(x);
  if (x <= 0.0) return 1.0;
  if (Infinite(x)) return 0.0;
  return Checked([&] { return bm::cdf(bm::complement(bm::fisher_f(df1, df2), x)); });
}

/* Ranks are counted in halves so that mid-ranks stay whole numbers. counts[j][s] holds the
   number of j-element choices among the ranks seen so far whose doubled sum is s; each rank
   adds itself to every choice one smaller (j runs downwards so that a rank is used once).
   Counts are kept as doubles: they are whole and exact up to 2^53, and C(N, n1) stays far
   below that for every sample a grid can hold in the exact branch. */
RankSumNullDistribution::RankSumNullDistribution(const std::vector<double>& ranks, int n1) {
  const int total = static_cast<int>(ranks.size());
  if (n1 < 1 || n1 >= total) throw InputError("样本量太小");
  std::vector<int> doubled;
  doubled.reserve(ranks.size());
  long long sumAll = 0;
  for (double r : ranks) {
    const double d = 2.0 * r;
    if (!(d >= 1.0) || d != std::round(d) || d > 1e6)
      throw std::invalid_argument("rank-sum null distribution: a rank must be a positive multiple of 1/2");
    doubled.push_back(static_cast<int>(d));
    sumAll += static_cast<int>(d);
  }
  std::vector<std::vector<double>> counts(static_cast<std::size_t>(n1) + 1,
                                          std::vector<double>(static_cast<std::size_t>(sumAll) + 1, 0.0));
  counts[0][0] = 1.0;
  int seen = 0;
  for (int d : doubled) {
    ++seen;
    for (int j = std::min(seen, n1); j >= 1; --j) {
      std::vector<double>& into = counts[static_cast<std::size_t>(j)];
      const std::vector<double>& from = counts[static_cast<std::size_t>(j) - 1];
      for (long long s = sumAll; s >= d; --s) into[static_cast<std::size_t>(s)] += from[static_cast<std::size_t>(s - d)];
    }
  }
  std::vector<double>& last = counts[static_cast<std::size_t>(n1)];
  long long first = 0;
  while (last[static_cast<std::size_t>(first)] == 0.0) ++first;
  long long end = sumAll;
  while (last[static_cast<std::size_t>(end)] == 0.0) --end;
  m_offset = static_cast<int>(first);
  m_counts.assign(last.begin() + first, last.begin() + end + 1);
  for (double c : m_counts) m_total += c;
}

RankSumNullDistribution RankSumNullDistribution::WithoutTies(int n1, int n2) {
  if (n1 < 1 || n2 < 1) throw InputError("样本量太小");
  std::vector<double> ranks;
  for (int r = 1; r <= n1 + n2; ++r) ranks.push_back(r);
  return RankSumNullDistribution(ranks, n1);
}

long long RankSumNullDistribution::indexAtMost(double w) const {
  RequirePoint(w);
  // A hair of tolerance: a rank sum computed in doubles may sit just below its half-step.
  const double k = std::floor(2.0 * w + 1e-9) - m_offset;
  if (k < 0.0) return -1;
  return static_cast<long long>(std::min(k, static_cast<double>(m_counts.size() - 1)));
}

double RankSumNullDistribution::atMost(double w) const {
  const long long last = indexAtMost(w);
  double count = 0.0;
  for (long long k = 0; k <= last; ++k) count += m_counts[static_cast<std::size_t>(k)];
  return count / m_total;
}

double RankSumNullDistribution::atLeast(double w) const {
  RequirePoint(w);
  // P(W ≥ w) = 1 − P(W < w), and W < w means 2W ≤ ⌈2w⌉ − 1 in halves.
  const double below = (std::ceil(2.0 * w - 1e-9) - 1.0) / 2.0;
  return 1.0 - atMost(below);
}

double RankSumNullDistribution::exactly(double w) const {
  RequirePoint(w);
  const double k = 2.0 * w - m_offset;
  const double nearest = std::round(k);
  if (std::fabs(k - nearest) > 1e-9 || nearest < 0.0 || nearest >= static_cast<double>(m_counts.size()))
    return 0.0;
  return m_counts[static_cast<std::size_t>(nearest)] / m_total;
}

double RankSumNullDistribution::smallest() const { return m_offset / 2.0; }

double RankSumNullDistribution::largest() const {
  return (m_offset + static_cast<double>(m_counts.size()) - 1.0) / 2.0;
}

ExactRankSumBounds ExactRankSumCriticalValues(int n1, int n2, double alphaPrime) {
  if (!(alphaPrime > 0.0 && alphaPrime < 1.0)) throw InputError("置信水平应大于0小于1");
  const RankSumNullDistribution w =
      RankSumNullDistribution::WithoutTies(std::min(n1, n2), std::max(n1, n2));
  const int low = static_cast<int>(w.smallest()), high = static_cast<int>(w.largest());
  ExactRankSumBounds bounds;
  bounds.lower = low - 1;
  for (int c = low; c <= high && w.atMost(c) <= alphaPrime; ++c) {
    bounds.lower = c;
    bounds.lowerExists = true;
    bounds.lowerProbability = w.atMost(c);
  }
  bounds.upper = high + 1;
  for (int c = high; c >= low && w.atLeast(c) <= alphaPrime; --c) {
    bounds.upper = c;
    bounds.upperExists = true;
    bounds.upperProbability = w.atLeast(c);
  }
  return bounds;
}

}  // namespace kelvo
