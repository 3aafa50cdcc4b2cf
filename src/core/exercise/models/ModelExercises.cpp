#include "core/exercise/models/ModelExercises.h"

namespace kelvo {
namespace {

constexpr ExerciseTopic kTopics[] = {
    {9, 1, "概率与分位数", "正态分布的概率", NormalProbabilityProblem},
    {9, 2, "概率与分位数", "二项分布的概率", BinomialProbabilityProblem},
    {9, 3, "概率与分位数", "泊松分布的概率", PoissonProbabilityProblem},
    {9, 4, "概率与分位数", "指数分布的概率", ExponentialProbabilityProblem},
    {9, 5, "概率与分位数", "上侧分位数（查表）", UpperQuantileProblem},
    {10, 1, "方差分析", "单因素方差分析", OneWayAnovaProblem},
    {10, 2, "方差分析", "双因素无重复试验的方差分析", TwoWayAnovaProblem},
    {10, 3, "方差分析", "双因素等重复试验的方差分析", ReplicatedAnovaProblem},
    {11, 1, "一元线性回归", "回归方程与显著性检验", LinearRegressionProblem},
};

}  // namespace

std::span<const ExerciseTopic> ModelExerciseTopics() { return kTopics; }

}  // namespace kelvo
