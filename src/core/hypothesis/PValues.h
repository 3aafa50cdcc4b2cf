#pragma once
// Exact p-values of the tests and the decisions that exact critical values (instead of the
// printed tables) would give, for the worked solution shown beside a test's result.
//
// p-values per family:
// - Parametric (statistic of a normal or t law): Greater P(X ≥ x), Less P(X ≤ x), TwoSided
//   2·min of the two. χ² and F: the same one-sided tails, TwoSided 2·min(P(X ≤ x), P(X ≥ x))
//   capped at 1. H0 is rejected exactly when p ≤ α, as a statistic on a critical value rejects.
// - Band (asymptotic tests): as the normal case, for z = (x̄ − centre) / standardError. These
//   tests keep H0 on an edge of their band, so H0 is rejected when p < α.
// - SkewnessKurtosis: the test rejects when the larger of u1 = |g1/σ1| and the standardised
//   kurtosis u2 reaches z at α/4, so its p-value is the Bonferroni bound
//   min(1, 4·P(Z ≥ max(u1, u2))): two two-sided tests, each at level α/2. H0 is rejected
//   exactly when p ≤ α. The hypothesis choice is not used.
// - GoodnessOfFit: P(χ²(df) ≥ χ²), rejected when p ≤ α. The hypothesis choice is not used.
// - Rank sum: see RankSumPValue below.
#include <optional>
#include <vector>

#include "core/hypothesis/RankSum.h"
#include "core/hypothesis/TestResult.h"

namespace kelvo {

// Which window's test a TestResult comes from: they read their statistic differently.
enum class TestFamily {
  Parametric,        // the nine tests on normal populations (ParametricTests.h)
  Band,              // the large-sample band tests (AsymptoticTests.h)
  SkewnessKurtosis,  // the skewness and kurtosis test (SkewnessKurtosis.h)
  GoodnessOfFit,     // the χ² goodness-of-fit test (GoodnessOfFit.h)
};

// The exact p-value for the hypothesis choice. Absent when the test decided without a
// statistic: a parametric sample without spread (zeroDenominator), and the 0-1 fitting entry
// that only checks its data. Throws std::invalid_argument for a result that does not come
// from the family (a missing intermediate, a distribution the family never has).
std::optional<double> PValue(const TestResult& result, TestFamily family, Hypothesis hypothesis);

// The decision the exact critical values at α give, by the test's own rule (edges, which
// side an edge belongs to). A test that decided without a statistic keeps its decision.
// Throws InputError for α outside (0, 1), as the tests do.
Decision ExactDecision(const TestResult& result, TestFamily family, Hypothesis hypothesis,
                       double alpha);

// The exact value of every critical value the test looked up, in the same order.
std::vector<double> ExactCriticalValues(const TestResult& result);

// How a rank-sum p-value was obtained.
enum class RankSumPBasis {
  Exact,                // N ≤ 20 without ties: the exact Wilcoxon null distribution
  ExactGivenTies,       // N ≤ 20 with ties: the permutation distribution over the mid-ranks
  NormalApproximation,  // N > 20: the tie-corrected normal approximation of the window
};

struct RankSumPValue {
  double value = 1.0;
  RankSumPBasis basis = RankSumPBasis::Exact;
};

/* The p-value of the rank sum R1 of sample one. FirstLess (small R1 speaks for μ1 < μ2):
   P(R1 ≤ r1); FirstGreater: P(R1 ≥ r1); TwoSided: 2·min of the two, capped at 1. For
   N ≤ 20 under the distribution of R1 over all choices of n1 of the pooled (mid-)ranks;
   beyond, from z = (R1 − mean)/sigma without continuity correction, as the window decides.
   When every pooled value is equal (sigma 0) R1 cannot differ from its mean and p is 1. */
RankSumPValue ComputeRankSumPValue(const RankSumResult& result, RankSumHypothesis hypothesis);

// The decision exact critical values give: N ≤ 20, the exact (conditional) critical values
// at α′ in each tail, i.e. rejected when p ≤ α′ (one-sided) or p ≤ 2α′ (two-sided);
// N > 20, the window's band mean ∓ z·sigma with the exact z at 1 − α′.
Decision ExactDecision(const RankSumResult& result, RankSumHypothesis hypothesis);

}  // namespace kelvo
