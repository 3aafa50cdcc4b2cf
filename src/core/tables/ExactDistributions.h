#pragma once
// Exact values of the normal, t, χ² and F distributions (computed with Boost.Math, not read
// from the table database), and the exact null distribution of a rank sum. They stand beside
// the printed-table values in a worked solution, and are the critical value itself at a level
// that no column of the t, χ² or F table holds.
//
// Conventions follow the look-ups: the normal quantile takes a lower-tail probability p, the
// t, χ² and F quantiles an upper-tail probability α. Degrees of freedom need not be whole.
// Arguments no distribution accepts throw InputError: a probability outside (0, 1)
// ("概率值应大于0小于1"), degrees of freedom not above 0 or infinite ("自由度应大于0"), a
// point that is NaN, and a value that overflows (a quantile of a law with tiny degrees of
// freedom far in its tail) ("计算结果超出范围").
#include <vector>

#include "core/tables/CriticalValue.h"

namespace kelvo {

// The exact value of what a table look-up approximated: the same kind, probability and
// degrees of freedom. A mirrored t, a reciprocal F and a normal stand-in beyond the last
// tabulated row all approximate the plain quantile at the probability asked, which is
// what comes back.
double ExactQuantile(const CriticalValue& lookedUp);

// z with Φ(z) = p.
double ExactNormalQuantile(double p);
// The value t(df) exceeds with probability α.
double ExactTQuantile(double df, double alpha);
// The value χ²(df) exceeds with probability α.
double ExactChiSquareQuantile(double df, double alpha);
// The value F(df1, df2) exceeds with probability α; df1 is the numerator's.
double ExactFQuantile(double df1, double df2, double alpha);

// Tail probabilities at a point: P(X ≤ x) and P(X ≥ x) (the same for these continuous laws
// as the strict ones). An infinite x gives 0 or 1.
double NormalLowerTail(double x);
double NormalUpperTail(double x);
double TLowerTail(double df, double x);
double TUpperTail(double df, double x);
double ChiSquareLowerTail(double df, double x);
double ChiSquareUpperTail(double df, double x);
double FLowerTail(double df1, double df2, double x);
double FUpperTail(double df1, double df2, double x);

// The distribution of the rank sum of n1 observations drawn at random, without replacement,
// from a pooled ranking, every choice equally likely (the permutation distribution under H0).
// Ranks are mid-ranks, whole or halves; without ties they are 1..N and this is the classic
// Wilcoxon rank-sum null distribution. Counting is exact (by dynamic programming over the
// ranks, not by listing subsets) while C(N, n1) stays below 2^53, far beyond N = 20; the work
// grows as N²·n1, which is meant for small samples.
class RankSumNullDistribution {
 public:
  // Throws InputError("样本量太小") unless 1 ≤ n1 < ranks.size(), and
  // std::invalid_argument for a rank that is not a positive multiple of 1/2.
  RankSumNullDistribution(const std::vector<double>& ranks, int n1);
  // The untied case: ranks 1..n1 + n2.
  static RankSumNullDistribution WithoutTies(int n1, int n2);

  double atMost(double w) const;   // P(W ≤ w)
  double atLeast(double w) const;  // P(W ≥ w)
  double exactly(double w) const;  // P(W = w)
  double smallest() const;         // the smallest possible rank sum
  double largest() const;          // the largest possible rank sum
  // The number of equally likely choices, C(N, n1).
  double choiceCount() const { return m_total; }

 private:
  // m_counts[k]: the number of choices whose rank sum is (m_offset + k) / 2.
  std::vector<double> m_counts;
  int m_offset = 0;
  double m_total = 0.0;

  // Index of the largest doubled sum ≤ 2w, clamped to the range; -1 when below it.
  long long indexAtMost(double w) const;
};

// Exact critical values of the rank sum W of the smaller sample (the first when the sizes are
// equal), without ties, at the level α′ in each tail: lower is the largest c with
// P(W ≤ c) ≤ α′ and upper the smallest c with P(W ≥ c) ≤ α′. A tail that no value reaches
// is marked absent (lowerExists / upperExists false), its bound then lies just outside the
// range (smallest − 1, largest + 1) and rejects nothing.
struct ExactRankSumBounds {
  int lower = 0;
  int upper = 0;
  bool lowerExists = false;
  bool upperExists = false;
  double lowerProbability = 0.0;  // P(W ≤ lower)
  double upperProbability = 0.0;  // P(W ≥ upper)
};
ExactRankSumBounds ExactRankSumCriticalValues(int n1, int n2, double alphaPrime);

}  // namespace kelvo
