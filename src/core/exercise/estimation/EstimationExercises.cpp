#include "core/exercise/estimation/EstimationExercises.h"

#include <vector>

#include "core/exercise/estimation/EstimationParts.h"

namespace kelvo {

std::span<const ExerciseTopic> EstimationExerciseTopics() {
  static const std::vector<ExerciseTopic> topics = [] {
    std::vector<ExerciseTopic> all;
    for (const std::span<const ExerciseTopic> family :
         {PointEstimationTopics(), NormalIntervalTopics(), LargeSampleIntervalTopics()})
      all.insert(all.end(), family.begin(), family.end());
    return all;
  }();
  return topics;
}

}  // namespace kelvo
