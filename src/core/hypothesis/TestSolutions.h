#pragma once
// Worked solutions of the tests, written as a Chinese textbook writes them: the hypotheses, the
// statistic's formula, the formula with the numbers put in and its value, the critical value
// from the printed table with its cell beside the exact one, the rejection region, the exact
// p-value and the conclusion, with a note when the table and the exact values decide apart.
//
// Each builder takes the test's result and what the result does not hold: the input the test
// ran on (or α), and the H0/H1 texts as the reader is shown them.
#include <string>

#include "core/hypothesis/AsymptoticTests.h"
#include "core/hypothesis/GoodnessOfFit.h"
#include "core/hypothesis/ParametricTests.h"
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

// Where a reader finds a critical value in the printed tables ("查 t 分布表，自由度 9，α = 0.025
// 列"), or that no column holds its level.
std::string TableCellText(const CriticalValue& cv);

// The nine tests on normal populations. Throws std::invalid_argument for a result that lacks a
// value the test's solution shows (the result must come from RunParametricTest(input)).
WorkedSolution ParametricTestSolution(const TestResult& result, const ParametricTestInput& input,
                                      const HypothesisTexts& texts);

// The band tests: the band c ± z·e with its edges, e and z. Throws std::invalid_argument for a
// result that lacks a value (the result must come from RunAsymptoticTest(input)).
WorkedSolution BandTestSolution(const TestResult& result, const AsymptoticTestInput& input,
                                const HypothesisTexts& texts);

// The skewness and kurtosis test: g1, g2, σ1, σ2, u1, u2 against z at α/4.
WorkedSolution SkewnessKurtosisSolution(const TestResult& result, double alpha);

// What the rank-sum solution needs beside its RankSumResult.
struct RankSumSolutionInput {
  RankSumHypothesis hypothesis = RankSumHypothesis::TwoSided;
  HypothesisTexts texts;
  double alpha = 0.05;  // as typed; the result carries α′
};

// The rank-sum test: the pooled rank table, R1, R2, W, whether the sizes are in the rank-sum table, then
// the table pair T1/T2 with the exact pair, or the tie-corrected normal statistic.
WorkedSolution RankSumSolution(const RankSumResult& result, const RankSumSolutionInput& input);

// The goodness-of-fit test: the class tables before and after merging (the open ends of the first and last class
// written as −∞ and +∞) with Σp and ΣE, each class's (O − E)²/E, the estimates, r and df, the
// critical value and the p-value. `lawName` names H0's law ("泊松分布").
WorkedSolution FittingSolution(const FittingResult& result, double alpha, const std::string& lawName);

}  // namespace kelvo
