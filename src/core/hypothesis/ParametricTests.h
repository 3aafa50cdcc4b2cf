#pragma once
// The nine tests on normal populations: tests of a mean, a standard deviation, a difference of
// means, a ratio of standard deviations and the paired test.
//
// Every test takes the summaries from ReadTwoSamples (standard deviations with divisor n − 1
// in `stdDev`), its known parameters, the hypothesised value, the hypothesis choice and the
// significance level α, and returns the statistic, every critical value in the order it was
// looked up (the values at α first, for every choice; then, for the two-sided choice, those at
// α/2) and the decision. A statistic equal to a critical value rejects H0.
//
// Intermediates: "mean" and "variance" first, the values the window shows (sample one's mean
// and s², or d̄ and s_d² for the paired test), then the test's own values as listed below.
//
// Each test throws InputError for input it cannot compute with: α outside (0, 1)
// ("置信水平数据缺乏", "置信水平应大于0小于1"), a sample of fewer than 2 ("样本量太小"),
// a negative typed standard deviation ("样本标准差不能为负"), a statistic that is not finite
// ("计算结果超出范围"); and whatever a look-up throws. No decision is taken from a stand-in.
#include "core/hypothesis/TestResult.h"
#include "core/sample/CellStore.h"
#include "core/sample/SampleSummary.h"

namespace kelvo {

class TableStore;

enum class ParametricTest {
  MeanKnownSigma,
  MeanUnknownSigma,
  SigmaKnownMean,
  SigmaUnknownMean,
  MeanDiffKnownSigmas,
  MeanDiffEqualSigmas,
  MeanDiffUnequalSigmas,
  SigmaRatio,
  PairedMeanDiff,
};

// Everything one test of the family reads; a field a test does not read is ignored.
struct ParametricTestInput {
  ParametricTest test = ParametricTest::MeanUnknownSigma;
  // Sample one (the differences for PairedMeanDiff, see ReadPairedDifferences) and sample two.
  TwoSampleSummary samples;
  double mu0 = 0.0;     // hypothesised mean: MeanKnownSigma, MeanUnknownSigma
  double sigma0 = 0.0;  // hypothesised standard deviation: SigmaKnownMean, SigmaUnknownMean
  double delta = 0.0;   // hypothesised μ1 − μ2: the three MeanDiff tests
  double sigma = 0.0;   // known σ: MeanKnownSigma
  double mu = 0.0;      // known μ: SigmaKnownMean
  double sigma1 = 0.0;  // known σ1 and σ2: MeanDiffKnownSigmas
  double sigma2 = 0.0;
  Hypothesis hypothesis = Hypothesis::TwoSided;
  double alpha = 0.05;
};

// Runs the input's test with the fields it reads (the functions below).
TestResult RunParametricTest(TableStore& tables, const ParametricTestInput& input);

// The hypothesised value the test compares against: μ0, σ0 or δ; 0 for the tests without one
// (SigmaRatio, PairedMeanDiff, whose value is fixed by the hypothesis).
double HypothesisedValue(const ParametricTestInput& input);

// MeanKnownSigma: U = (x̄ − μ0)·√n / σ against the normal quantiles. Intermediates: "standardError".
// A known σ that is not above 0 throws InputError("σ数据缺乏").
TestResult TestMeanKnownSigma(TableStore& tables, const SampleSummary& sample, double sigma, double mu0,
                              Hypothesis hypothesis, double alpha);

// MeanUnknownSigma: U = (x̄ − μ0)·√n / s against t(n − 1). s = 0 rejects H0 without a look-up
// (zeroDenominator). Intermediates: "standardError".
TestResult TestMeanUnknownSigma(TableStore& tables, const SampleSummary& sample, double mu0,
                                Hypothesis hypothesis, double alpha);

// SigmaKnownMean: C = n·(m2 − 2x̄μ + μ²) / σ0² = Σ(x − μ)² / σ0² against χ²(n).
// Intermediates: "sumSquaresAboutMu". σ0 = 0 (also an unset σ0) throws InputError("σ0数据错误").
TestResult TestSigmaKnownMean(TableStore& tables, const SampleSummary& sample, double mu, double sigma0,
                              Hypothesis hypothesis, double alpha);

// SigmaUnknownMean: C = (n − 1)·s² / σ0² against χ²(n − 1). σ0 = 0 throws InputError("σ0数据错误").
TestResult TestSigmaUnknownMean(TableStore& tables, const SampleSummary& sample, double sigma0,
                                Hypothesis hypothesis, double alpha);

// MeanDiffKnownSigmas: U = (x̄1 − x̄2 − δ) / √(σ1²/n1 + σ2²/n2) against the normal quantiles.
// Intermediates: "standardError". A known σ not above 0 throws InputError("σ数据缺乏").
TestResult TestMeanDiffKnownSigmas(TableStore& tables, const TwoSampleSummary& samples, double sigma1,
                                   double sigma2, double delta, Hypothesis hypothesis, double alpha);

// MeanDiffEqualSigmas: pooled variance Sp², U = (x̄1 − x̄2 − δ) / √((1/n1 + 1/n2)·Sp²) against
// t(n1 + n2 − 2). Intermediates: "pooledVariance", "standardError". Two samples without
// spread (Sp² = 0) throw InputError("样本方差为0,无法检验").
TestResult TestMeanDiffEqualSigmas(TableStore& tables, const TwoSampleSummary& samples, double delta,
                                   Hypothesis hypothesis, double alpha);

// MeanDiffUnequalSigmas: U = (x̄1 − x̄2 − δ) / d, d = √(s1²/n1 + s2²/n2), against t(ν) with the approximate
// degrees of freedom ν. d = 0 rejects H0 without a look-up (zeroDenominator).
// Intermediates: "varianceRatio" (s1/s2)², "nu" (before), "nuWhole" (its whole part),
// "standardError" (d).
TestResult TestMeanDiffUnequalSigmas(TableStore& tables, const TwoSampleSummary& samples, double delta,
                                     Hypothesis hypothesis, double alpha);

// SigmaRatio: F = s1² / s2² against F(n1 − 1, n2 − 1): edges F(1 − p) and F(p). s2 = 0 rejects H0
// after the look-ups at α (zeroDenominator).
TestResult TestSigmaRatio(TableStore& tables, const TwoSampleSummary& samples, Hypothesis hypothesis,
                          double alpha);

// PairedMeanDiff: U = √n·d̄ / s_d against t(n − 1), over the summary of the differences (n, mean d̄,
// stdDev s_d) that ReadPairedDifferences gives. s_d = 0 rejects H0 after the look-up at α
// (zeroDenominator).
TestResult TestPairedMeanDiff(TableStore& tables, const SampleSummary& differences, Hypothesis hypothesis,
                              double alpha);

// The differences row 1 − row 2 of the grid of the paired test. Input mode one: one pair per
// column with both cells filled (a column empty in both rows is skipped); n, mean d̄, variance
// and stdDev s_d with divisor n − 1 (both 0 below n = 2). Summary entry: the typed summary of
// the differences in row 1 (size rounded down, mean, standard deviation), as ReadTwoSamples
// reads it. Throws InputError("第 k 列的成对数据不全") for the first column k with one member
// only, InputError("数据错误") for a filled cell of a pair that is not a number, and
// InputError("样本量超出范围") beyond 32767 pairs.
SampleSummary ReadPairedDifferences(const CellStore& store, InputMode mode);

}  // namespace kelvo
