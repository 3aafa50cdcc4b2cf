#pragma once
// Problems on probabilities and upper quantiles (topic 9), the analysis of variance (10) and
// simple linear regression (11).
#include <span>

#include "core/exercise/ExerciseCatalogue.h"

namespace kelvo {

std::span<const ExerciseTopic> ModelExerciseTopics();

// The generators, one per variant (ModelExercises.cpp lists them).
Problem NormalProbabilityProblem(TableStore& tables, ExerciseRandom& random);
Problem BinomialProbabilityProblem(TableStore& tables, ExerciseRandom& random);
Problem PoissonProbabilityProblem(TableStore& tables, ExerciseRandom& random);
Problem ExponentialProbabilityProblem(TableStore& tables, ExerciseRandom& random);
Problem UpperQuantileProblem(TableStore& tables, ExerciseRandom& random);
Problem OneWayAnovaProblem(TableStore& tables, ExerciseRandom& random);
Problem TwoWayAnovaProblem(TableStore& tables, ExerciseRandom& random);
Problem ReplicatedAnovaProblem(TableStore& tables, ExerciseRandom& random);
Problem LinearRegressionProblem(TableStore& tables, ExerciseRandom& random);

}  // namespace kelvo
