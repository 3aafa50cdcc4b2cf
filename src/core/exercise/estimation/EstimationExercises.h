#pragma once
// Problems on estimation: point estimates (topic 1), intervals for normal populations (2) and
// large-sample intervals (3).
#include <span>

#include "core/exercise/ExerciseCatalogue.h"

namespace kelvo {

std::span<const ExerciseTopic> EstimationExerciseTopics();

}  // namespace kelvo
