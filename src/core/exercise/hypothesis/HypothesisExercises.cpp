#include "core/exercise/hypothesis/HypothesisExercises.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/exercise/Stories.h"
#include "core/exercise/hypothesis/TestProblemParts.h"
#include "core/hypothesis/ParametricTests.h"
#include "core/hypothesis/TestSolutions.h"
#include "core/sample/Readers.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {


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

// A test of a standard deviation against σ0: "σ ≤ σ0" and so on.
MeanWording WordSigmaTest(const MeanStory& story, double sigma0, Hypothesis hypothesis, double alpha) {
  const std::string s0 = SolutionNumber(sigma0);
  const std::string level = "在显著性水平 " + AlphaText(alpha) + " 下，能否认为总体标准差";
  const char* relation = hypothesis == Hypothesis::Greater ? "大于 " : hypothesis == Hypothesis::Less ? "小于 " : "为 ";
  return {level + relation + s0 + " " + story.unit + "？", RelationTexts(hypothesis, "σ", s0)};
}

// A comparison of two means (what = "的均值") or two variances ("的方差") of a two-sample story.
MeanWording WordComparison(const TwoSampleStory& story, const char* what, const std::string& symbol1,
                           const std::string& symbol2, Hypothesis hypothesis, double alpha) {
  const std::string level = "在显著性水平 " + AlphaText(alpha) + " 下，能否认为";
  const std::string first = story.first, second = story.second;
  switch (hypothesis) {
    case Hypothesis::Greater:
      return {level + first + story.what + what + "大于" + second + "的？", RelationTexts(hypothesis, symbol1, symbol2)};
    case Hypothesis::Less:
      return {level + first + story.what + what + "小于" + second + "的？", RelationTexts(hypothesis, symbol1, symbol2)};
    case Hypothesis::TwoSided: break;
  }
  return {level + first + "与" + second + story.what + what + "相同？", RelationTexts(hypothesis, symbol1, symbol2)};
}

// The window's data file for a test of Form4: its mode, level, known values, hypothesis and
// value, in the order the window writes them.
DataFileContent Form4File(int mode, const char* title, double alpha, std::vector<double> known,
                          Hypothesis hypothesis, std::optional<double> value) {
  DataFileContent file;
  file.window = "Form4";
  file.windowMode = mode;
  file.title = title;
  file.settings.setNumber("level", alpha);
  const char* names[] = {"known1", "known2"};
  for (std::size_t i = 0; i < known.size() && i < 2; ++i) file.settings.setNumber(names[i], known[i]);
  file.settings.set("hypothesis", std::to_string(static_cast<int>(hypothesis)));
  if (value) file.settings.setNumber("hypothesisValue", *value);
  return file;
}

// The test on the window's data file, read back as the window reads it; nothing when the
// window would refuse it or decide it without a statistic (a sample without spread).
std::optional<TestResult> RunOnFile(TableStore& tables, const DataFileContent& file, ParametricTestInput& input) {
  try {
    const CellStore grid = GridOf(file);
    input.samples = ReadTwoSamples(grid, InputMode::One);
    if (input.test == ParametricTest::PairedMeanDiff) input.samples.first = ReadPairedDifferences(grid, InputMode::One);
    TestResult result = RunParametricTest(tables, input);
    if (result.zeroDenominator) return std::nullopt;
    return result;
  } catch (const InputError&) {
    return std::nullopt;
  }
}

std::vector<double> NormalValues(ExerciseRandom& random, int n, double mean, double sd, int decimals) {
  std::vector<double> values;
  for (int i = 0; i < n; ++i) values.push_back(random.normal(mean, sd));
  return Printed(values, decimals);
}

// The answers after the problem's own: the statistic, the critical values, and the decisions
// and the worked solution.
void FinishTest(Problem& problem, const TestResult& result, const ParametricTestInput& input,
                const MeanWording& wording, const char* statistic) {
  problem.question += wording.question;
  problem.answers.push_back(MakeAnswer(std::string("检验统计量 ") + statistic + " 的值", AnswerKind::Statistic,
                                       result.statistic));
  for (ExpectedAnswer& a : CriticalAnswers(result, input.hypothesis)) problem.answers.push_back(std::move(a));
  problem.decisions = GradedDecisions(result, TestFamily::Parametric, input.hypothesis, input.alpha);
  problem.solution = ParametricTestSolution(result, input, wording.texts);
}

// The tests of one normal population: the mean with σ known or not, σ with μ known or not.
Problem OneSampleProblem(TableStore& tables, ExerciseRandom& random, ParametricTest test) {
  const MeanStory& story = random.pick(MeanStories());
  const bool ofMean = test == ParametricTest::MeanKnownSigma || test == ParametricTest::MeanUnknownSigma;
  const int n = random.whole(8, ofMean ? 16 : 20);
  const double alpha = DrawAlpha(random);
  const Hypothesis hypothesis = DrawHypothesis(random);
  // The true mean sits at the standard or off it by up to 1.5 σ, the true σ at σ0 or off it by
  // up to a half, so both decisions occur.
  const double shift = random.chance(0.4) ? 0.0 : random.uniform(-1.5, 1.5) * story.sigma;
  const double spread = ofMean || random.chance(0.4) ? 1.0 : random.uniform(0.5, 1.8);
  const double sigma0 = story.sigma;
  for (;;) {
    const std::vector<double> values =
        NormalValues(random, n, story.mu0 + (ofMean ? shift : 0.0), story.sigma * spread, story.decimals);
    ParametricTestInput input;
    input.test = test;
    input.hypothesis = hypothesis;
    input.alpha = alpha;
    Problem problem;
    problem.context = Fill(story.story, {{"n", std::to_string(n)}});
    problem.data = SampleTable(story.caption, values, story.decimals);
    MeanWording wording;
    switch (test) {
      case ParametricTest::MeanKnownSigma:
        input.sigma = story.sigma;
        input.mu0 = story.mu0;
        problem.window = Form4File(1, "单个正态分布检验μ(σ已知)", alpha, {story.sigma}, hypothesis, story.mu0);
        problem.question = "已知总体标准差 σ = " + SolutionNumber(story.sigma) + " " + story.unit + "。";
        wording = WordMeanTest(story, hypothesis, alpha);
        break;
      case ParametricTest::SigmaKnownMean:
        input.mu = story.mu0;
        input.sigma0 = sigma0;
        problem.window = Form4File(3, "单个正态分布检验σ(μ已知)", alpha, {story.mu0}, hypothesis, sigma0);
        problem.question = "已知总体均值 μ = " + SolutionNumber(story.mu0) + " " + story.unit + "。";
        wording = WordSigmaTest(story, sigma0, hypothesis, alpha);
        break;
      case ParametricTest::SigmaUnknownMean:
        input.sigma0 = sigma0;
        problem.window = Form4File(4, "单个正态分布检验σ(μ未知)", alpha, {}, hypothesis, sigma0);
        wording = WordSigmaTest(story, sigma0, hypothesis, alpha);
        break;
      default:
        input.mu0 = story.mu0;
        problem.window = Form4File(2, "单个正态分布检验μ(σ未知)", alpha, {}, hypothesis, story.mu0);
        wording = WordMeanTest(story, hypothesis, alpha);
        break;
    }
    problem.window.rows.push_back(GridRow(1, values, story.decimals));
    const std::optional<TestResult> result = RunOnFile(tables, problem.window, input);
    if (!result) continue;
    const SampleSummary& sample = input.samples.first;
    switch (test) {
      case ParametricTest::MeanKnownSigma:
        problem.answers = {MakeAnswer("样本均值 x̄", AnswerKind::Estimate, sample.mean)};
        break;
      case ParametricTest::SigmaKnownMean:
        problem.answers = {MakeAnswer("Σ(xᵢ − μ)² 的值", AnswerKind::Estimate,
                                      result->intermediates.find("sumSquaresAboutMu").value_or(0.0))};
        break;
      case ParametricTest::SigmaUnknownMean:
        problem.answers = {MakeAnswer("样本方差 s²", AnswerKind::Estimate, sample.stdDev * sample.stdDev)};
        break;
      default:
        problem.answers = {MakeAnswer("样本均值 x̄", AnswerKind::Estimate, sample.mean),
                           MakeAnswer("样本标准差 s", AnswerKind::Estimate, sample.stdDev)};
        break;
    }
    const bool chi = test == ParametricTest::SigmaKnownMean || test == ParametricTest::SigmaUnknownMean;
    const bool z = test == ParametricTest::MeanKnownSigma;
    FinishTest(problem, *result, input, wording, chi ? "χ²" : z ? "U" : "t");
    return problem;
  }
}

// The tests of two normal populations: the difference of means (σ known, equal, unequal) and
// the ratio of standard deviations.
Problem TwoSampleProblem(TableStore& tables, ExerciseRandom& random, ParametricTest test) {
  const TwoSampleStory& story = random.pick(TwoSampleStories());
  const int n1 = random.whole(6, 14);
  const int n2 = random.whole(6, 14);
  const double alpha = DrawAlpha(random);
  const Hypothesis hypothesis = DrawHypothesis(random);
  const bool ratio = test == ParametricTest::SigmaRatio;
  // The second mean at the first or off it by up to 1.5 σ; the second σ, in the tests that
  // allow it, off the first by up to a factor of two, so both decisions occur.
  const double shift = ratio || random.chance(0.4) ? 0.0 : random.uniform(-1.5, 1.5) * story.sigma;
  const bool equal = test == ParametricTest::MeanDiffEqualSigmas || (ratio && random.chance(0.4));
  const double factor = equal ? 1.0 : random.chance(0.5) ? random.uniform(1.2, 2.2) : 1.0 / random.uniform(1.2, 2.2);
  const double sigma1 = story.sigma;
  const double sigma2 = RoundTo(story.sigma * factor, story.decimals + 1);
  for (;;) {
    const std::vector<double> first = NormalValues(random, n1, story.mu, sigma1, story.decimals);
    const std::vector<double> second = NormalValues(random, n2, story.mu + shift, sigma2, story.decimals);
    ParametricTestInput input;
    input.test = test;
    input.hypothesis = hypothesis;
    input.alpha = alpha;
    Problem problem;
    problem.context = Fill(story.story, {{"n1", std::to_string(n1)}, {"n2", std::to_string(n2)}});
    problem.data = SampleTable(story.first, first, story.decimals);
    for (auto& row : SampleTable(story.second, second, story.decimals)) problem.data.push_back(std::move(row));
    MeanWording wording = ratio ? WordComparison(story, "的方差", "σ₁²", "σ₂²", hypothesis, alpha)
                                : WordComparison(story, "的均值", "μ₁", "μ₂", hypothesis, alpha);
    switch (test) {
      case ParametricTest::MeanDiffKnownSigmas:
        input.sigma1 = sigma1;
        input.sigma2 = sigma2;
        problem.window = Form4File(5, "两个正态分布检验μ1-μ2(σ1已知,σ2已知)", alpha, {sigma1, sigma2}, hypothesis, 0.0);
        problem.question = "已知两总体的标准差分别为 σ₁ = " + SolutionNumber(sigma1) + " " + story.unit + "，σ₂ = " +
                           SolutionNumber(sigma2) + " " + story.unit + "。";
        break;
      case ParametricTest::MeanDiffEqualSigmas:
        problem.window = Form4File(6, "两个正态分布检验μ1-μ2(σ1未知,σ2未知,σ1=σ2)", alpha, {}, hypothesis, 0.0);
        problem.question = "设两总体的方差相等。";
        break;
      case ParametricTest::MeanDiffUnequalSigmas:
        problem.window = Form4File(7, "两个正态分布检验μ1-μ2(σ1未知,σ2未知)", alpha, {}, hypothesis, 0.0);
        problem.question = "两总体的方差未知，且不能认为相等。";
        break;
      default:
        problem.window = Form4File(8, "两个正态分布检验σ1/σ2(μ1未知,μ2未知)", alpha, {}, hypothesis, std::nullopt);
        break;
    }
    problem.window.rows.push_back(GridRow(1, first, story.decimals));
    problem.window.rows.push_back(GridRow(2, second, story.decimals));
    const std::optional<TestResult> result = RunOnFile(tables, problem.window, input);
    if (!result) continue;
    const SampleSummary& a = input.samples.first;
    const SampleSummary& b = input.samples.second;
    if (ratio) {
      problem.answers = {MakeAnswer("样本方差 s₁²", AnswerKind::Estimate, a.stdDev * a.stdDev),
                         MakeAnswer("样本方差 s₂²", AnswerKind::Estimate, b.stdDev * b.stdDev)};
    } else {
      problem.answers = {MakeAnswer("样本均值 x̄", AnswerKind::Estimate, a.mean),
                         MakeAnswer("样本均值 ȳ", AnswerKind::Estimate, b.mean)};
      if (test == ParametricTest::MeanDiffEqualSigmas)
        problem.answers.push_back(MakeAnswer("合并方差 s_w²", AnswerKind::Estimate,
                                             result->intermediates.find("pooledVariance").value_or(0.0)));
    }
    FinishTest(problem, *result, input, wording,
               ratio ? "F" : test == ParametricTest::MeanDiffKnownSigmas ? "U" : "t");
    return problem;
  }
}

// The paired test on the differences of the pairs, first row less second.
Problem PairedProblem(TableStore& tables, ExerciseRandom& random) {
  const PairedStory& story = random.pick(PairedStories());
  const int n = random.whole(6, 12);
  const double alpha = DrawAlpha(random);
  const Hypothesis hypothesis = DrawHypothesis(random);
  const double effect = random.chance(0.4) ? 0.0 : random.uniform(-1.5, 1.5) * story.pairSpread;
  for (;;) {
    std::vector<double> first, second;
    for (int i = 0; i < n; ++i) {
      const double unit = random.normal(story.mu, story.spread);
      first.push_back(unit + random.normal(0.0, story.pairSpread / std::sqrt(2.0)));
      second.push_back(unit - effect + random.normal(0.0, story.pairSpread / std::sqrt(2.0)));
    }
    first = Printed(first, story.decimals);
    second = Printed(second, story.decimals);
    Problem problem;
    problem.context = Fill(story.story, {{"n", std::to_string(n)}});
    problem.data = SampleTable(story.first, first, story.decimals, 12);
    for (auto& row : SampleTable(story.second, second, story.decimals, 12)) problem.data.push_back(std::move(row));
    problem.window = Form4File(9, "基于成对数据的检验d", alpha, {}, hypothesis, std::nullopt);
    problem.window.rows.push_back(GridRow(1, first, story.decimals));
    problem.window.rows.push_back(GridRow(2, second, story.decimals));
    ParametricTestInput input;
    input.test = ParametricTest::PairedMeanDiff;
    input.hypothesis = hypothesis;
    input.alpha = alpha;
    const std::optional<TestResult> result = RunOnFile(tables, problem.window, input);
    if (!result) continue;
    const std::string level = "设差值 d = " + std::string(story.first) + " − " + story.second +
                              " 服从正态分布。在显著性水平 " + AlphaText(alpha) + " 下，能否认为";
    MeanWording wording;
    wording.texts = RelationTexts(hypothesis, "μ_d", "0");
    switch (hypothesis) {
      case Hypothesis::Greater: wording.question = level + story.first + story.what + "高于" + story.second + "？"; break;
      case Hypothesis::Less: wording.question = level + story.first + story.what + "低于" + story.second + "？"; break;
      case Hypothesis::TwoSided:
        wording.question = level + story.first + "与" + story.second + story.what + "有显著差异？";
        break;
    }
    const SampleSummary& d = input.samples.first;
    problem.answers = {MakeAnswer("差值的均值 d̄", AnswerKind::Estimate, d.mean),
                       MakeAnswer("差值的标准差 s_d", AnswerKind::Estimate, d.stdDev)};
    FinishTest(problem, *result, input, wording, "t");
    return problem;
  }
}

// The t test of a mean with σ unknown.
Problem MeanUnknownSigmaProblem(TableStore& tables, ExerciseRandom& random) {
  const MeanStory& story = random.pick(MeanStories());
  const int n = random.whole(8, 16);
  const double alpha = DrawAlpha(random);
  const Hypothesis hypothesis = DrawHypothesis(random);
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
  problem.window = Form4File(2, "单个正态分布检验μ(σ未知)", alpha, {}, hypothesis, story.mu0);
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
  problem.decisions = GradedDecisions(result, TestFamily::Parametric, hypothesis, alpha);
  problem.solution = ParametricTestSolution(result, input, wording.texts);
  return problem;
}

Problem MeanKnownSigmaProblem(TableStore& t, ExerciseRandom& r) {
  return OneSampleProblem(t, r, ParametricTest::MeanKnownSigma);
}
Problem SigmaKnownMeanProblem(TableStore& t, ExerciseRandom& r) {
  return OneSampleProblem(t, r, ParametricTest::SigmaKnownMean);
}
Problem SigmaUnknownMeanProblem(TableStore& t, ExerciseRandom& r) {
  return OneSampleProblem(t, r, ParametricTest::SigmaUnknownMean);
}
Problem MeanDiffKnownSigmasProblem(TableStore& t, ExerciseRandom& r) {
  return TwoSampleProblem(t, r, ParametricTest::MeanDiffKnownSigmas);
}
Problem MeanDiffEqualSigmasProblem(TableStore& t, ExerciseRandom& r) {
  return TwoSampleProblem(t, r, ParametricTest::MeanDiffEqualSigmas);
}
Problem MeanDiffUnequalSigmasProblem(TableStore& t, ExerciseRandom& r) {
  return TwoSampleProblem(t, r, ParametricTest::MeanDiffUnequalSigmas);
}
Problem SigmaRatioProblem(TableStore& t, ExerciseRandom& r) { return TwoSampleProblem(t, r, ParametricTest::SigmaRatio); }

constexpr const char* kNormalGroup = "正态总体的参数检验";
constexpr const char* kFittingGroup = "分布拟合检验";

constexpr ExerciseTopic kTopics[] = {
    {4, 1, kNormalGroup, "σ已知，检验μ（Z 检验）", MeanKnownSigmaProblem},
    {4, 2, kNormalGroup, "σ未知，检验μ（t 检验）", MeanUnknownSigmaProblem},
    {4, 3, kNormalGroup, "μ已知，检验σ（χ² 检验）", SigmaKnownMeanProblem},
    {4, 4, kNormalGroup, "μ未知，检验σ（χ² 检验）", SigmaUnknownMeanProblem},
    {4, 5, kNormalGroup, "σ1、σ2已知，检验μ1−μ2（Z 检验）", MeanDiffKnownSigmasProblem},
    {4, 6, kNormalGroup, "σ1=σ2未知，检验μ1−μ2（t 检验）", MeanDiffEqualSigmasProblem},
    {4, 7, kNormalGroup, "σ1、σ2未知，检验μ1−μ2（近似 t 检验）", MeanDiffUnequalSigmasProblem},
    {4, 8, kNormalGroup, "检验σ1/σ2（F 检验）", SigmaRatioProblem},
    {4, 9, kNormalGroup, "成对数据的 t 检验", PairedProblem},
    {5, 1, "大样本检验", "0-1分布参数ρ的检验", ProportionProblem},
    {5, 2, "大样本检验", "二项分布参数ρ的检验", BinomialProblem},
    {5, 3, "大样本检验", "泊松分布参数λ的检验", PoissonProblem},
    {5, 4, "大样本检验", "指数分布参数θ的检验", ExponentialProblem},
    {6, 1, "偏度、峰度检验", "偏度、峰度检验正态性", SkewnessKurtosisProblem},
    {7, 1, kFittingGroup, "给定分布律的拟合检验", UserLawProblem},
    {7, 2, kFittingGroup, "P已知，0-1分布的拟合检验", ZeroOneFitProblem},
    {7, 3, kFittingGroup, "P已知，二项分布的拟合检验", BinomialKnownFitProblem},
    {7, 4, kFittingGroup, "P未知，二项分布的拟合检验", BinomialFitProblem},
    {7, 5, kFittingGroup, "λ已知，泊松分布的拟合检验", PoissonKnownFitProblem},
    {7, 6, kFittingGroup, "λ未知，泊松分布的拟合检验", PoissonFitProblem},
    {7, 7, kFittingGroup, "A、B已知，均匀分布的拟合检验", UniformFitProblem},
    {7, 8, kFittingGroup, "A、B未知，均匀分布的拟合检验", UniformUnknownFitProblem},
    {7, 9, kFittingGroup, "μ、σ已知，正态分布的拟合检验", NormalKnownFitProblem},
    {7, 10, kFittingGroup, "μ、σ未知，正态分布的拟合检验", NormalFitProblem},
    {7, 11, kFittingGroup, "θ已知，指数分布的拟合检验", ExponentialKnownFitProblem},
    {7, 12, kFittingGroup, "θ未知，指数分布的拟合检验", ExponentialFitProblem},
    {8, 1, "秩和检验", "两样本的秩和检验", RankSumProblem},
};

}  // namespace

std::span<const ExerciseTopic> HypothesisExerciseTopics() { return kTopics; }

}  // namespace kelvo
