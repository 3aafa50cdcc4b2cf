// Topic 1: the moment and maximum-likelihood estimates of the point-estimation window.
#include <optional>
#include <string>
#include <vector>

#include "core/estimation/EstimationSolutions.h"
#include "core/estimation/PointEstimates.h"
#include "core/exercise/ExerciseCatalogue.h"
#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/exercise/Stories.h"
#include "core/exercise/estimation/EstimationParts.h"
#include "core/exercise/estimation/EstimationStories.h"
#include "core/sample/Readers.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {

// The window's caption in each mode (the menu's, which the window keeps).
const char* PointTitle(int mode) {
  static const char* const kTitles[] = {"0-1分布点估计", "二项分布", "泊松分布", "均匀分布", "正态分布", "指数分布"};
  return kTitles[mode - 1];
}

// What the problem shows before its computation: the story, the data, the question and the
// window's data file without its check or computation.
struct PosedSample {
  std::string context;
  std::vector<std::vector<std::string>> data;
  std::string question;
  DataFileContent window;
  std::optional<Family> family;  // the values the window checks, where it checks any
  int trials = 0;
};

const char* const kBothEstimates = " 的矩估计值和最大似然估计值。";

PosedSample CountedPose(ExerciseRandom& random, Family family, int mode, int lowSize, int highSize) {
  DrawnSample drawn = DrawSample(random, family, lowSize, highSize);
  PosedSample posed{drawn.context, drawn.data, "求" + drawn.parameter + kBothEstimates,
                    WindowFile("Form9", mode, PointTitle(mode), drawn.inputMode), family, drawn.trials};
  posed.window.rows = drawn.rows;
  SetTrials(posed.window, drawn.trials);
  return posed;
}

PosedSample UniformPose(ExerciseRandom& random) {
  const UniformStory& story = random.pick(UniformStories());
  const int n = random.whole(8, 15);
  const double a = random.uniform(story.lowA, story.highA);
  const double b = random.uniform(story.lowB, story.highB);
  std::vector<double> values;
  do {
    values.clear();
    for (int i = 0; i < n; ++i) values.push_back(random.uniform(a, b));
    values = Printed(values, story.decimals);
  } while (!HasSpread(values));
  PosedSample posed{Fill(story.story, {{"n", std::to_string(n)}}), SampleTable(story.caption, values, story.decimals),
                    std::string("求 A 与 B") + kBothEstimates,
                    WindowFile("Form9", 4, PointTitle(4), DataInputMode::One), std::nullopt, 0};
  posed.window.rows.push_back(GridRow(1, values, story.decimals));
  return posed;
}

PosedSample NormalPose(ExerciseRandom& random) {
  const MeanStory& story = random.pick(MeanStories());
  const int n = random.whole(8, 15);
  const double mu = story.mu0 + random.uniform(-0.5, 0.5) * story.sigma;
  std::vector<double> values;
  do {
    values.clear();
    for (int i = 0; i < n; ++i) values.push_back(random.normal(mu, story.sigma));
    values = Printed(values, story.decimals);
  } while (!HasSpread(values));
  PosedSample posed{Fill(story.story, {{"n", std::to_string(n)}}), SampleTable(story.caption, values, story.decimals),
                    std::string("求总体均值 μ 与标准差 σ") + kBothEstimates,
                    WindowFile("Form9", 5, PointTitle(5), DataInputMode::One), std::nullopt, 0};
  posed.window.rows.push_back(GridRow(1, values, story.decimals));
  return posed;
}

PosedSample Pose(ExerciseRandom& random, PointModel model) {
  switch (model) {
    case PointModel::Bernoulli: return CountedPose(random, Family::Bernoulli, 1, 20, 60);
    case PointModel::Binomial: return CountedPose(random, Family::Binomial, 2, 10, 30);
    case PointModel::Poisson: return CountedPose(random, Family::Poisson, 3, 20, 60);
    case PointModel::Uniform: return UniformPose(random);
    case PointModel::Normal: return NormalPose(random);
    case PointModel::Exponential: break;
  }
  return CountedPose(random, Family::Exponential, 6, 8, 15);
}

// The estimated parameters' symbols, first and second.
std::pair<const char*, const char*> Symbols(PointModel model) {
  switch (model) {
    case PointModel::Bernoulli:
    case PointModel::Binomial: return {"P", nullptr};
    case PointModel::Poisson: return {"λ", nullptr};
    case PointModel::Uniform: return {"A", "B"};
    case PointModel::Normal: return {"μ", "σ"};
    case PointModel::Exponential: break;
  }
  return {"θ", nullptr};
}

std::vector<ExpectedAnswer> EstimateAnswers(PointModel model, const SampleSummary& sample, const PointEstimates& e) {
  const auto [first, second] = Symbols(model);
  const std::string s1 = first;
  std::vector<ExpectedAnswer> answers{MakeAnswer("样本均值 x̄", AnswerKind::Estimate, sample.mean),
                                      MakeAnswer(s1 + " 的矩估计值", AnswerKind::Estimate, e.momentFirst)};
  if (second && e.momentSecond)
    answers.push_back(MakeAnswer(std::string(second) + " 的矩估计值", AnswerKind::Estimate, *e.momentSecond));
  answers.push_back(MakeAnswer(s1 + " 的最大似然估计值", AnswerKind::Estimate, e.likelihoodFirst));
  if (second && e.likelihoodSecond)
    answers.push_back(
        MakeAnswer(std::string(second) + " 的最大似然估计值", AnswerKind::Estimate, *e.likelihoodSecond));
  return answers;
}

template <PointModel Model>
Problem PointEstimationProblem(TableStore&, ExerciseRandom& random) {
  for (;;) {
    PosedSample posed = Pose(random, Model);
    try {
      // As the window computes: its grid read back from the data file, the values checked
      // against the population, then the estimates.
      const CellStore grid = GridOf(posed.window);
      PointEstimateInput input{Model, ReadOneSample(grid, GridInputMode(posed.window)), posed.trials};
      if (posed.family) CheckDomain(grid, *posed.family, posed.trials);
      const PointEstimates estimates = ComputePointEstimates(input);
      Problem problem;
      problem.context = std::move(posed.context);
      problem.data = std::move(posed.data);
      problem.question = std::move(posed.question);
      problem.window = std::move(posed.window);
      problem.answers = EstimateAnswers(Model, input.sample, estimates);
      problem.solution = BuildPointEstimationSolution(estimates, input);
      return problem;
    } catch (const InputError&) {
      // Drawn again: the window would refuse this sample.
    }
  }
}

constexpr const char* kGroup = "点估计";

constexpr ExerciseTopic kTopics[] = {
    {1, 1, kGroup, "0-1分布参数P的矩估计与最大似然估计", PointEstimationProblem<PointModel::Bernoulli>},
    {1, 2, kGroup, "二项分布参数P的矩估计与最大似然估计", PointEstimationProblem<PointModel::Binomial>},
    {1, 3, kGroup, "泊松分布参数λ的矩估计与最大似然估计", PointEstimationProblem<PointModel::Poisson>},
    {1, 4, kGroup, "均匀分布参数A、B的矩估计与最大似然估计", PointEstimationProblem<PointModel::Uniform>},
    {1, 5, kGroup, "正态分布参数μ、σ的矩估计与最大似然估计", PointEstimationProblem<PointModel::Normal>},
    {1, 6, kGroup, "指数分布参数θ的矩估计与最大似然估计", PointEstimationProblem<PointModel::Exponential>},
};

}  // namespace

std::span<const ExerciseTopic> PointEstimationTopics() { return kTopics; }

}  // namespace kelvo
