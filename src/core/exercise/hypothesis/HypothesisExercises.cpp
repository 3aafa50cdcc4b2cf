#include "core/exercise/hypothesis/HypothesisExercises.h"

#include <cmath>
#include <string>
#include <vector>

#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/exercise/Stories.h"
#include "core/hypothesis/ParametricTests.h"
#include "core/hypothesis/TestSolutions.h"
#include "core/sample/Readers.h"
#include "core/tables/ExactDistributions.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {

constexpr double kAlphas[] = {0.05, 0.05, 0.01, 0.10};
constexpr Hypothesis kHypotheses[] = {Hypothesis::TwoSided, Hypothesis::Greater, Hypothesis::Less};

// The question and the hypothesis texts the solution shows, for a test of a mean against μ0.
struct MeanWording {
  std::string question;
  HypothesisTexts texts;
};

MeanWording WordMeanTest(const MeanStory& story, Hypothesis hypothesis, double alpha) {
  const std::string mu0 = SolutionNumber(story.mu0);
  const std::string level = "在显著性水平 " + AlphaText(alpha) + " 下，";
  switch (hypothesis) {
    case Hypothesis::Greater:
      return {level + "能否认为" + story.subject + "大于 " + mu0 + " " + story.unit + "？",
              {"μ ≤ " + mu0, "μ > " + mu0}};
    case Hypothesis::Less:
      return {level + "能否认为" + story.subject + "小于 " + mu0 + " " + story.unit + "？",
              {"μ ≥ " + mu0, "μ < " + mu0}};
    case Hypothesis::TwoSided: break;
  }
  return {level + "能否认为" + story.subject + "为 " + mu0 + " " + story.unit + "？",
          {"μ = " + mu0, "μ ≠ " + mu0}};
}

// The critical value a written solution compares against: the one at α for a one-sided
// choice, the one at α/2 (looked up last) for the two-sided one.
const CriticalValue& DecidingValue(const TestResult& result, Hypothesis hypothesis) {
  return hypothesis == Hypothesis::TwoSided ? result.criticalValues.back() : result.criticalValues.front();
}

ExpectedAnswer CriticalAnswer(const CriticalValue& cv) {
  return MakeAnswer("临界值 " + QuantileSymbol(cv), AnswerKind::CriticalValue, std::fabs(cv.value),
                    std::fabs(ExactQuantile(cv)));
}

// The window's data file for a test of Form4: its mode, level, hypothesis and value.
DataFileContent Form4File(int mode, const char* title, double alpha, Hypothesis hypothesis,
                          std::optional<double> value) {
  DataFileContent file;
  file.window = "Form4";
  file.windowMode = mode;
  file.title = title;
  file.settings.setNumber("level", alpha);
  file.settings.set("hypothesis", std::to_string(static_cast<int>(hypothesis)));
  if (value) file.settings.setNumber("hypothesisValue", *value);
  return file;
}

// The t test of a mean with σ unknown.
Problem MeanUnknownSigmaProblem(TableStore& tables, ExerciseRandom& random) {
  const MeanStory& story = random.pick(MeanStories());
  const int n = random.whole(8, 16);
  const double alpha = random.pick(kAlphas);
  const Hypothesis hypothesis = random.pick(kHypotheses);
  // The true mean sits at the standard or off it by up to one σ, so both decisions occur.
  const double shift = random.chance(0.4) ? 0.0 : random.uniform(-1.0, 1.0) * story.sigma;
  std::vector<double> values;
  do {
    values.clear();
    for (int i = 0; i < n; ++i) values.push_back(random.normal(story.mu0 + shift, story.sigma));
    values = Printed(values, story.decimals);
  } while (!HasSpread(values));

  Problem problem;
  problem.context = Fill(story.story, {{"n", std::to_string(n)}});
  problem.data = SampleTable(story.caption, values, story.decimals);
  const MeanWording wording = WordMeanTest(story, hypothesis, alpha);
  problem.question = wording.question;
  problem.window = Form4File(2, "单个正态分布检验μ(σ未知)", alpha, hypothesis, story.mu0);
  problem.window.rows.push_back(GridRow(1, values, story.decimals));

  ParametricTestInput input;
  input.test = ParametricTest::MeanUnknownSigma;
  input.samples = ReadTwoSamples(GridOf(problem.window), InputMode::One);
  input.mu0 = story.mu0;
  input.hypothesis = hypothesis;
  input.alpha = alpha;
  const TestResult result = RunParametricTest(tables, input);
  const SampleSummary& sample = input.samples.first;
  problem.answers = {
      MakeAnswer("样本均值 x̄", AnswerKind::Estimate, sample.mean),
      MakeAnswer("样本标准差 s", AnswerKind::Estimate, sample.stdDev),
      MakeAnswer("检验统计量 t 的值", AnswerKind::Statistic, result.statistic),
      CriticalAnswer(DecidingValue(result, hypothesis)),
  };
  problem.decisions = GradedDecisions(result, hypothesis, alpha);
  problem.solution = ParametricTestSolution(result, input, wording.texts);
  return problem;
}

constexpr ExerciseTopic kTopics[] = {
    {4, 2, "正态总体的参数检验", "σ未知，检验μ（t 检验）", MeanUnknownSigmaProblem},
};

}  // namespace

std::span<const ExerciseTopic> HypothesisExerciseTopics() { return kTopics; }

}  // namespace kelvo
