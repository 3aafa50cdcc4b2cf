#include "core/exercise/hypothesis/HypothesisExercises.h"

#include <cmath>
#include <string>
#include <vector>

#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/hypothesis/ParametricTests.h"
#include "core/hypothesis/TestSolutions.h"
#include "core/sample/Readers.h"
#include "core/tables/ExactDistributions.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {

// A population measured by one normal quantity, with a standard value to test against.
struct MeanStory {
  const char* story;     // "{n}" is the sample size
  const char* subject;   // what the mean is of: "这批灯泡的平均寿命"
  const char* unit;      // "小时"
  const char* caption;   // the data table's row caption
  double mu0;            // the standard value
  double sigma;          // the population's spread
  int decimals;          // as the data are recorded
};

constexpr MeanStory kMeanStories[] = {
    {"某厂生产的灯泡寿命服从正态分布。从一批灯泡中随机抽取 {n} 只，测得寿命（单位：小时）如下：",
     "这批灯泡的平均寿命", "小时", "寿命/h", 1500, 110, 0},
    {"某车床加工的零件长度服从正态分布。从一天的产品中随机抽取 {n} 件，测得长度（单位：mm）如下：",
     "零件的平均长度", "mm", "长度/mm", 50, 0.6, 2},
    {"某校一次统考的数学成绩服从正态分布。从某班随机抽取 {n} 名学生，成绩（单位：分）如下：",
     "该班的平均成绩", "分", "成绩/分", 72, 9, 0},
    {"某地小麦亩产量服从正态分布。随机抽查 {n} 块田，亩产量（单位：kg）如下：",
     "该地小麦的平均亩产量", "kg", "亩产/kg", 500, 32, 1},
    {"某饮料厂罐装饮料的净含量服从正态分布。从生产线上随机抽取 {n} 罐，测得净含量（单位：mL）如下：",
     "每罐的平均净含量", "mL", "净含量/mL", 355, 3.2, 1},
    {"某品牌电池的连续放电时间服从正态分布。随机抽取 {n} 节电池，测得放电时间（单位：min）如下：",
     "电池的平均放电时间", "min", "时间/min", 260, 14, 0},
};

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
  const MeanStory& story = random.pick(kMeanStories);
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
