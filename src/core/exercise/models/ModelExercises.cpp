#include "core/exercise/models/ModelExercises.h"

namespace kelvo {
namespace {

constexpr ExerciseTopic kTopics[] = {
    {9, 1, "概率与分位数", "正态分布的概率", NormalProbabilityProblem},
    {9, 2, "概率与分位数", "二项分布的概率", BinomialProbabilityProblem},
    {9, 3, "概率与分位数", "泊松分布的概率", PoissonProbabilityProblem},
    {9, 4, "概率与分位数", "指数分布的概率", ExponentialProbabilityProblem},
    {9, 5, "概率与分位数", "上侧分位数（查表）", UpperQuantileProblem},
};

}  // namespace

std::span<const ExerciseTopic> ModelExerciseTopics() { return kTopics; }

}  // namespace kelvo
