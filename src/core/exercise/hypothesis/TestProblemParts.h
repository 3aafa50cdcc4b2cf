#pragma once
// Pieces the test problems share: the hypothesis texts of a relation, the critical values a
// written solution compares against, and the generators of each family of tests.
#include <string>
#include <vector>

#include "core/exercise/ExerciseCatalogue.h"
#include "core/hypothesis/TestResult.h"
#include "core/hypothesis/TestSolutions.h"

namespace kelvo {

// "σ ≤ 110" / "σ > 110" for Greater, "≥" / "<" for Less, "=" / "≠" for TwoSided.
HypothesisTexts RelationTexts(Hypothesis hypothesis, const std::string& left, const std::string& right);

// The critical value a written solution compares against for a normal or t statistic: the one
// at α for a one-sided choice, the one at α/2 (looked up last) for the two-sided one.
const CriticalValue& DecidingValue(const TestResult& result, Hypothesis hypothesis);

// A critical value as an answer: captioned with its quantile, the table's value (positive, as
// the table prints it) and the exact quantile.
ExpectedAnswer CriticalAnswer(const CriticalValue& cv);

// The critical values the choice compares against: one for a normal or t statistic; for χ²
// and F the upper one at α (Greater), the lower one at α (Less), or both at α/2, the lower
// first (TwoSided).
std::vector<ExpectedAnswer> CriticalAnswers(const TestResult& result, Hypothesis hypothesis);

// The generators of the other families (topics 5 to 8).
Problem ProportionProblem(TableStore& tables, ExerciseRandom& random);
Problem BinomialProblem(TableStore& tables, ExerciseRandom& random);
Problem PoissonProblem(TableStore& tables, ExerciseRandom& random);
Problem ExponentialProblem(TableStore& tables, ExerciseRandom& random);
Problem SkewnessKurtosisProblem(TableStore& tables, ExerciseRandom& random);
Problem RankSumProblem(TableStore& tables, ExerciseRandom& random);
Problem UserLawProblem(TableStore& tables, ExerciseRandom& random);
Problem ZeroOneFitProblem(TableStore& tables, ExerciseRandom& random);
Problem BinomialKnownFitProblem(TableStore& tables, ExerciseRandom& random);
Problem BinomialFitProblem(TableStore& tables, ExerciseRandom& random);
Problem PoissonKnownFitProblem(TableStore& tables, ExerciseRandom& random);
Problem PoissonFitProblem(TableStore& tables, ExerciseRandom& random);
Problem UniformFitProblem(TableStore& tables, ExerciseRandom& random);
Problem UniformUnknownFitProblem(TableStore& tables, ExerciseRandom& random);
Problem NormalKnownFitProblem(TableStore& tables, ExerciseRandom& random);
Problem NormalFitProblem(TableStore& tables, ExerciseRandom& random);
Problem ExponentialKnownFitProblem(TableStore& tables, ExerciseRandom& random);
Problem ExponentialFitProblem(TableStore& tables, ExerciseRandom& random);

}  // namespace kelvo
