#include "core/exercise/hypothesis/TestProblemParts.h"

#include <cmath>

#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/documents/WorkedSolution.h"
#include "core/tables/ExactDistributions.h"

namespace kelvo {

HypothesisTexts RelationTexts(Hypothesis hypothesis, const std::string& left, const std::string& right) {
  switch (hypothesis) {
    case Hypothesis::Greater: return {left + " ≤ " + right, left + " > " + right};
    case Hypothesis::Less: return {left + " ≥ " + right, left + " < " + right};
    case Hypothesis::TwoSided: break;
  }
  return {left + " = " + right, left + " ≠ " + right};
}

const CriticalValue& DecidingValue(const TestResult& result, Hypothesis hypothesis) {
  return hypothesis == Hypothesis::TwoSided ? result.criticalValues.back() : result.criticalValues.front();
}

ExpectedAnswer CriticalAnswer(const CriticalValue& cv) {
  // A lower F value is worked out as 1 / F from the table, not read off it: graded as a
  // computed value, to its significant digits.
  const std::string caption = "临界值 " + QuantileSymbol(cv);
  if (cv.reciprocal) return MakeAnswer(caption, AnswerKind::Estimate, std::fabs(cv.value), std::fabs(ExactQuantile(cv)));
  return TableValueAnswer(cv);
}

std::vector<ExpectedAnswer> CriticalAnswers(const TestResult& result, Hypothesis hypothesis) {
  const bool pairs = result.distribution == StatisticDistribution::ChiSquare ||
                     result.distribution == StatisticDistribution::F;
  if (!pairs) return {CriticalAnswer(DecidingValue(result, hypothesis))};
  // Looked up as (upper, lower) at α, then (upper, lower) at α/2.
  const std::vector<CriticalValue>& cv = result.criticalValues;
  switch (hypothesis) {
    case Hypothesis::Greater: return {CriticalAnswer(cv[0])};
    case Hypothesis::Less: return {CriticalAnswer(cv[1])};
    case Hypothesis::TwoSided: break;
  }
  return {CriticalAnswer(cv[3]), CriticalAnswer(cv[2])};
}

}  // namespace kelvo
