#include "core/hypothesis/PValues.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "core/hypothesis/AcceptanceRegion.h"
#include "core/text/Errors.h"
#include "core/tables/ExactDistributions.h"

namespace kelvo {
namespace {

struct Tails {
  double lower = 0.0;  // P(X ≤ x)
  double upper = 0.0;  // P(X ≥ x)
};

double TwoSided(Tails t) { return std::min(1.0, 2.0 * std::min(t.lower, t.upper)); }

double ByChoice(Tails t, Hypothesis hypothesis) {
  switch (hypothesis) {
    case Hypothesis::Greater: return t.upper;
    case Hypothesis::Less: return t.lower;
    case Hypothesis::TwoSided: return TwoSided(t);
  }
  throw std::invalid_argument("unknown hypothesis choice");
}

Tails NormalTails(double z) { return {NormalLowerTail(z), NormalUpperTail(z)}; }

double Required(const TestResult& result, const char* name) {
  const std::optional<double> value = result.intermediates.find(name);
  if (!value) throw std::invalid_argument(std::string("test result lacks the value ") + name);
  return *value;
}

// The standardised mean of a band test; its standard error is above 0 by the test's checks.
double BandZ(const TestResult& result) {
  const double centre = Required(result, "centre");
  const double standardError = Required(result, "standardError");
  if (!(standardError > 0.0)) throw std::invalid_argument("band test without a standard error");
  return (result.statistic - centre) / standardError;
}

Tails ParametricTails(const TestResult& r) {
  const double x = r.statistic;
  switch (r.distribution) {
    case StatisticDistribution::Normal: return NormalTails(x);
    case StatisticDistribution::T: return {TLowerTail(r.df, x), TUpperTail(r.df, x)};
    case StatisticDistribution::ChiSquare: return {ChiSquareLowerTail(r.df, x), ChiSquareUpperTail(r.df, x)};
    case StatisticDistribution::F: return {FLowerTail(r.df, r.df2, x), FUpperTail(r.df, r.df2, x)};
    default: throw std::invalid_argument("not a parametric test result");
  }
}

// The edges of a parametric statistic at tail probability p from exact quantiles, the same
// edges the test takes from the tables.
Edges ExactParametricEdges(const TestResult& r, double p) {
  switch (r.distribution) {
    case StatisticDistribution::Normal: {
      const double z = -ExactNormalQuantile(p);
      return {-z, z};
    }
    case StatisticDistribution::T: {
      const double t = ExactTQuantile(r.df, p);
      return {-t, t};
    }
    case StatisticDistribution::ChiSquare:
      return {ExactChiSquareQuantile(r.df, 1.0 - p), ExactChiSquareQuantile(r.df, p)};
    case StatisticDistribution::F:
      return {ExactFQuantile(r.df, r.df2, 1.0 - p), ExactFQuantile(r.df, r.df2, p)};
    default: throw std::invalid_argument("not a parametric test result");
  }
}

// The 0-1 fitting entry only checks its data and carries no statistic.
bool FittingWithoutStatistic(const TestResult& r) {
  return r.distribution == StatisticDistribution::None;
}

void RequireFitting(const TestResult& r) {
  if (r.distribution != StatisticDistribution::ChiSquare)
    throw std::invalid_argument("not a goodness-of-fit result");
}

Tails RankSumTails(const RankSumResult& result, RankSumPBasis& basis) {
  const RankSumRanking& r = result.ranking;
  // The window's own branch: the table (N ≤ 20) has no normal part.
  if (!result.normal) {
    std::vector<double> ranks;
    ranks.reserve(r.table.size());
    for (const RankedValue& v : r.table) ranks.push_back(v.rank);
    const RankSumNullDistribution null(ranks, r.n1);
    basis = r.tieSum > 0.0 ? RankSumPBasis::ExactGivenTies : RankSumPBasis::Exact;
    return {null.atMost(r.r1), null.atLeast(r.r1)};
  }
  basis = RankSumPBasis::NormalApproximation;
  if (!(r.sigma > 0.0)) return {1.0, 1.0};
  return NormalTails((r.r1 - r.mean) / r.sigma);
}

}  // namespace

std::optional<double> PValue(const TestResult& result, TestFamily family, Hypothesis hypothesis) {
  switch (family) {
    case TestFamily::Parametric:
      if (result.zeroDenominator) return std::nullopt;
      return ByChoice(ParametricTails(result), hypothesis);
    case TestFamily::Band:
      return ByChoice(NormalTails(BandZ(result)), hypothesis);
    case TestFamily::SkewnessKurtosis: {
      const double u = std::max(Required(result, "u1"), Required(result, "u2"));
      return std::min(1.0, 4.0 * NormalUpperTail(u));
    }
    case TestFamily::GoodnessOfFit:
      if (FittingWithoutStatistic(result)) return std::nullopt;
      RequireFitting(result);
      return ChiSquareUpperTail(result.df, result.statistic);
  }
  throw std::invalid_argument("unknown test family");
}

Decision ExactDecision(const TestResult& result, TestFamily family, Hypothesis hypothesis,
                       double alpha) {
  RequireSignificanceLevel(alpha);
  switch (family) {
    case TestFamily::Parametric: {
      if (result.zeroDenominator) return result.decision;
      return DecideByHypothesis(hypothesis, result.statistic, alpha, EdgeRule::Rejects,
                                [&result](double p) { return ExactParametricEdges(result, p); })
          .decision;
    }
    case TestFamily::Band: {
      const double centre = Required(result, "centre");
      const double standardError = Required(result, "standardError");
      return DecideByHypothesis(hypothesis, result.statistic, alpha, EdgeRule::Accepts,
                                [&](double p) {
                                  const double z = -ExactNormalQuantile(p);
                                  return Edges{centre - z * standardError, centre + z * standardError};
                                })
          .decision;
    }
    case TestFamily::SkewnessKurtosis: {
      const double z = -ExactNormalQuantile(alpha / 4.0);
      const Edges belowZ{-HUGE_VAL, z};
      const bool accepted = Accepts(Required(result, "u1"), belowZ, EdgeRule::Rejects) &&
                            Accepts(Required(result, "u2"), belowZ, EdgeRule::Rejects);
      return accepted ? Decision::AcceptH0 : Decision::AcceptH1;
    }
    case TestFamily::GoodnessOfFit: {
      if (FittingWithoutStatistic(result)) return result.decision;
      RequireFitting(result);
      return result.statistic < ExactChiSquareQuantile(result.df, alpha) ? Decision::AcceptH0
                                                                           : Decision::AcceptH1;
    }
  }
  throw std::invalid_argument("unknown test family");
}

std::vector<double> ExactCriticalValues(const TestResult& result) {
  std::vector<double> values;
  values.reserve(result.criticalValues.size());
  for (const CriticalValue& c : result.criticalValues) values.push_back(ExactQuantile(c));
  return values;
}

RankSumPValue ComputeRankSumPValue(const RankSumResult& result, RankSumHypothesis hypothesis) {
  RankSumPValue p;
  const Tails t = RankSumTails(result, p.basis);
  switch (hypothesis) {
    case RankSumHypothesis::FirstLess: p.value = t.lower; break;
    case RankSumHypothesis::FirstGreater: p.value = t.upper; break;
    case RankSumHypothesis::TwoSided: p.value = TwoSided(t); break;
  }
  return p;
}

Decision ExactDecision(const RankSumResult& result, RankSumHypothesis hypothesis) {
  const double alphaPrime = result.alphaPrime;
  if (!(alphaPrime > 0.0 && alphaPrime < 1.0)) throw InputError("置信水平应大于0小于1");
  const RankSumRanking& r = result.ranking;
  bool reject = false;
  if (!result.normal) {
    const double alpha = hypothesis == RankSumHypothesis::TwoSided ? 2.0 * alphaPrime : alphaPrime;
    reject = ComputeRankSumPValue(result, hypothesis).value <= alpha;
  } else {
    const double z = -ExactNormalQuantile(alphaPrime);
    const double lower = r.mean - z * r.sigma, upper = r.mean + z * r.sigma;
    switch (hypothesis) {
      case RankSumHypothesis::FirstLess: reject = r.r1 < lower; break;
      case RankSumHypothesis::FirstGreater: reject = r.r1 > upper; break;
      case RankSumHypothesis::TwoSided: reject = r.r1 < lower || r.r1 > upper; break;
    }
  }
  return reject ? Decision::AcceptH1 : Decision::AcceptH0;
}

}  // namespace kelvo
