#pragma once
// Worked solutions of the tests, written as a Chinese textbook writes them: the hypotheses, the
// statistic's formula, the formula with the numbers put in and its value, the critical value
// from the printed table with its cell beside the exact one, the rejection region, the exact
// p-value and the conclusion, with a note when the table and the exact values decide apart.
//
// Each builder takes the test's result and what the window knows that the result does not:
// the mode, the hypothesis choice with its H0/H1 texts, α, the hypothesised value, the known
// values and the summaries it read.
#include <string>

#include "core/hypothesis/GoodnessOfFit.h"
#include "core/hypothesis/RankSum.h"
#include "core/hypothesis/TestResult.h"
#include "core/sample/SampleSummary.h"
#include "core/documents/WorkedSolution.h"

namespace kelvo {

// The hypothesis pair the window shows for the choice ("μ = μ0", "μ > μ0").
struct HypothesisTexts {
  std::string h0;
  std::string h1;
};

// What the parametric-test window (Form4) knows beside its TestResult.
struct ParametricSolutionInput {
  int mode = 1;  // 1 to 9, as in ParametricTests.h
  Hypothesis hypothesis = Hypothesis::TwoSided;
  HypothesisTexts texts;
  double alpha = 0.05;
  double hypothesisValue = 0.0;  // μ0 (modes 1, 2), σ0 (3, 4), δ (5, 6, 7); unused by 8, 9
  double known1 = 0.0;           // σ (mode 1), μ (mode 3), σ1 (mode 5)
  double known2 = 0.0;           // σ2 (mode 5)
  // The summaries the test read: sample one and two, or the differences (mode 9) in first.
  TwoSampleSummary samples;
};

// Form4 modes 1–9. Throws std::invalid_argument for another mode or a result that lacks a value
// the mode's solution shows (the result must come from the mode's test).
WorkedSolution ParametricTestSolution(const TestResult& result, const ParametricSolutionInput& input);

// What the asymptotic window (Form8, modes 1–4) knows beside its TestResult.
struct BandSolutionInput {
  int mode = 1;  // 1 proportion, 2 binomial, 3 Poisson, 4 exponential
  Hypothesis hypothesis = Hypothesis::TwoSided;
  HypothesisTexts texts;
  double alpha = 0.05;
  double hypothesisValue = 0.0;  // ρ0, ρ0, λ0, θ0
  int trialCount = 0;            // N of mode 2
};

// Form8 modes 1–4: the band c ± z·e with its edges, e and z. Throws std::invalid_argument for
// another mode or a result that lacks a value.
WorkedSolution BandTestSolution(const TestResult& result, const BandSolutionInput& input);

// Form8 mode 5: g1, g2, σ1, σ2, u1, u2 against z at α/4.
WorkedSolution SkewnessKurtosisSolution(const TestResult& result, double alpha);

// What the rank-sum window (Form7) knows beside its RankSumResult.
struct RankSumSolutionInput {
  RankSumHypothesis hypothesis = RankSumHypothesis::TwoSided;
  HypothesisTexts texts;
  double alpha = 0.05;  // as typed; the result carries α′
};

// Form7: the pooled rank table, R1, R2, W, whether the sizes are in the rank-sum table, then
// the table pair T1/T2 with the exact pair, or the tie-corrected normal statistic.
WorkedSolution RankSumSolution(const RankSumResult& result, const RankSumSolutionInput& input);

// Form5: the class tables before and after merging (the open ends of the first and last class
// written as −∞ and +∞) with Σp and ΣE, each class's (O − E)²/E, the estimates, r and df, the
// critical value and the p-value. `lawName` names H0's law ("泊松分布").
WorkedSolution FittingSolution(const FittingResult& result, double alpha, const std::string& lawName);

}  // namespace kelvo
