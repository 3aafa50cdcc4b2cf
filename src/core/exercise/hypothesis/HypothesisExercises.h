#pragma once
// Problems on tests: the tests on normal populations (topic 4), the asymptotic tests (5), the
// skewness and kurtosis test (6), goodness of fit (7) and the rank-sum test (8).
#include <span>

#include "core/exercise/ExerciseCatalogue.h"

namespace kelvo {

std::span<const ExerciseTopic> HypothesisExerciseTopics();

}  // namespace kelvo
