// Topic 2: the two-sided intervals of the normal-population window, one population or two.
#include <cmath>
#include <string>
#include <vector>

#include "core/documents/WorkedSolution.h"
#include "core/estimation/EstimationSolutions.h"
#include "core/estimation/NormalIntervals.h"
#include "core/exercise/ExerciseCatalogue.h"
#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/exercise/Stories.h"
#include "core/exercise/estimation/EstimationParts.h"
#include "core/sample/Readers.h"
#include "core/tables/ExactDistributions.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {

// The window's mode for an interval: the menu numbers them in the order of the enum.
int ModeOf(NormalInterval kind) { return static_cast<int>(kind) + 1; }

const char* NormalTitle(NormalInterval kind) {
  static const char* const kTitles[] = {
      "单个正态分布区间估计(σ已知)",          "单个正态分布区间估计(σ未知)",
      "单个正态分布区间估计(μ已知)",          "单个正态分布区间估计(μ未知)",
      "两个正态分布区间估计(σ1已知,σ2已知)",  "两个正态分布区间估计(σ1未知,σ2未知,σ1=σ2)",
      "两个正态分布区间估计(σ1未知,σ2未知)",  "两个正态分布区间估计(μ1已知,μ2已知)",
      "两个正态分布区间估计(μ1未知,μ2未知)",
  };
  return kTitles[ModeOf(kind) - 1];
}

// The estimated quantity as the question and the bounds' captions name it.
const char* EstimatedSymbol(NormalInterval kind) {
  switch (kind) {
    case NormalInterval::MeanKnownSigma:
    case NormalInterval::MeanUnknownSigma: return "μ";
    case NormalInterval::SigmaKnownMean:
    case NormalInterval::SigmaUnknownMean: return "σ";
    case NormalInterval::MeanDiffKnownSigmas:
    case NormalInterval::MeanDiffEqualSigmas:
    case NormalInterval::MeanDiffUnequalSigmas: return "μ₁ − μ₂";
    case NormalInterval::SigmaRatioKnownMeans:
    case NormalInterval::SigmaRatioUnknownMeans: break;
  }
  return "σ₁/σ₂";
}

// The story with what is known added to its first sentence, which says the populations are
// normal: "……服从正态分布，且已知标准差 σ = 110 小时。……".
std::string WithKnown(const std::string& story, const std::string& known) {
  static const std::string kStop = "。";
  const std::size_t at = story.find(kStop);
  if (known.empty() || at == std::string::npos) return story;
  return story.substr(0, at) + known + story.substr(at);
}

std::string Quantity(double value, const char* unit) {
  const std::string u = unit;
  return SolutionNumber(value) + (u == "%" ? u : " " + u);
}

// The sizes whose degrees of freedom the F table prints as they are (columns 1–10, 12, 15).
constexpr int kRatioSizesKnownMeans[] = {5, 6, 7, 8, 9, 10, 12, 15};   // F(n1, n2)
constexpr int kRatioSizesUnknownMeans[] = {5, 6, 7, 8, 9, 10, 11, 13, 16};  // F(n1 − 1, n2 − 1)

std::vector<double> NormalValues(ExerciseRandom& random, int n, double mu, double sigma, int decimals) {
  std::vector<double> values;
  do {
    values.clear();
    for (int i = 0; i < n; ++i) values.push_back(random.normal(mu, sigma));
    values = Printed(values, decimals);
  } while (!HasSpread(values));
  return values;
}

// The problem as posed, before the computation: the window's file holds its level, its known
// values and its samples.
struct Posed {
  Problem problem;
  NormalIntervalInput input;  // kind, level and known values; the samples are read from the file
};

Posed OneSamplePose(ExerciseRandom& random, NormalInterval kind) {
  const MeanStory& story = random.pick(MeanStories());
  const int n = random.whole(8, 16);
  Posed posed;
  NormalIntervalInput& input = posed.input;
  input.kind = kind;
  input.level = DrawLevel(random);
  std::string known, known1;
  double mu = story.mu0 + random.uniform(-0.5, 0.5) * story.sigma;
  if (kind == NormalInterval::MeanKnownSigma) {
    input.sigma = story.sigma;
    known = "，且已知标准差 σ = " + Quantity(story.sigma, story.unit);
    known1 = SolutionNumber(story.sigma);
  } else if (kind == NormalInterval::SigmaKnownMean) {
    mu = story.mu0;
    input.mu = story.mu0;
    known = "，且已知均值 μ = " + Quantity(story.mu0, story.unit);
    known1 = SolutionNumber(story.mu0);
  }
  const std::vector<double> values = NormalValues(random, n, mu, story.sigma, story.decimals);

  Problem& problem = posed.problem;
  problem.context = WithKnown(Fill(story.story, {{"n", std::to_string(n)}}), known);
  problem.data = SampleTable(story.caption, values, story.decimals);
  const bool ofMean = kind == NormalInterval::MeanKnownSigma || kind == NormalInterval::MeanUnknownSigma;
  problem.question = (ofMean ? "求" + std::string(story.subject) + " μ" : std::string("求总体标准差 σ")) +
                     IntervalPhrase(input.level) + "。";
  problem.window = WindowFile("Form3a", ModeOf(kind), NormalTitle(kind), DataInputMode::One);
  problem.window.settings.setNumber("level", input.level);
  problem.window.settings.set("known1", known1);
  problem.window.settings.set("known2", "");
  problem.window.rows.push_back(GridRow(1, values, story.decimals));
  return posed;
}

Posed TwoSamplePose(ExerciseRandom& random, NormalInterval kind) {
  const ComparisonStory& story = random.pick(ComparisonStories());
  int n1 = random.whole(6, 15), n2 = random.whole(6, 15);
  if (kind == NormalInterval::SigmaRatioKnownMeans) {
    n1 = random.pick(kRatioSizesKnownMeans);
    n2 = random.pick(kRatioSizesKnownMeans);
  } else if (kind == NormalInterval::SigmaRatioUnknownMeans) {
    n1 = random.pick(kRatioSizesUnknownMeans);
    n2 = random.pick(kRatioSizesUnknownMeans);
  }
  Posed posed;
  NormalIntervalInput& input = posed.input;
  input.kind = kind;
  input.level = DrawLevel(random);
  double mu1 = story.mu1 + random.uniform(-0.3, 0.3) * story.sigma1;
  double mu2 = story.mu2 + random.uniform(-0.3, 0.3) * story.sigma2;
  double sigma1 = story.sigma1, sigma2 = story.sigma2;
  std::string known, known1, known2;
  switch (kind) {
    case NormalInterval::MeanDiffKnownSigmas:
      input.sigma1 = sigma1;
      input.sigma2 = sigma2;
      known = "，且已知标准差分别为 σ₁ = " + Quantity(sigma1, story.unit) + " 和 σ₂ = " + Quantity(sigma2, story.unit);
      known1 = SolutionNumber(sigma1);
      known2 = SolutionNumber(sigma2);
      break;
    case NormalInterval::MeanDiffEqualSigmas:
      sigma2 = sigma1;
      known = "，且两总体的方差相等";
      break;
    case NormalInterval::MeanDiffUnequalSigmas: known = "，且两总体的方差不一定相等"; break;
    case NormalInterval::SigmaRatioKnownMeans:
      mu1 = story.mu1;
      mu2 = story.mu2;
      input.mu1 = mu1;
      input.mu2 = mu2;
      known = "，且已知均值分别为 μ₁ = " + Quantity(mu1, story.unit) + " 和 μ₂ = " + Quantity(mu2, story.unit);
      known1 = SolutionNumber(mu1);
      known2 = SolutionNumber(mu2);
      break;
    default: break;
  }
  const std::vector<double> x = NormalValues(random, n1, mu1, sigma1, story.decimals);
  const std::vector<double> y = NormalValues(random, n2, mu2, sigma2, story.decimals);

  Problem& problem = posed.problem;
  problem.context =
      WithKnown(Fill(story.story, {{"n1", std::to_string(n1)}, {"n2", std::to_string(n2)}}), known);
  problem.data = SampleTable(story.caption1, x, story.decimals);
  for (auto& row : SampleTable(story.caption2, y, story.decimals)) problem.data.push_back(std::move(row));
  const bool ofMeans = !IsScaleInterval(kind);
  problem.question = (ofMeans ? "求" + std::string(story.difference) + " μ₁ − μ₂" : std::string("求两总体标准差之比 σ₁/σ₂")) +
                     IntervalPhrase(input.level) + "。";
  problem.window = WindowFile("Form3a", ModeOf(kind), NormalTitle(kind), DataInputMode::One);
  problem.window.settings.setNumber("level", input.level);
  problem.window.settings.set("known1", known1);
  problem.window.settings.set("known2", known2);
  problem.window.rows.push_back(GridRow(1, x, story.decimals));
  problem.window.rows.push_back(GridRow(2, y, story.decimals));
  return posed;
}

ExpectedAnswer Estimate(const char* caption, double value) {
  return MakeAnswer(caption, AnswerKind::Estimate, value);
}

/* The bounds with the table's quantiles and with the exact ones. A mean's interval is
   centre ∓ q·spread, so its half-width scales with the quantile; a standard deviation's bound
   is √(V/q), which scales with 1/√q. */
void AddBounds(std::vector<ExpectedAnswer>& answers, const NormalIntervalResult& r, NormalInterval kind) {
  const std::string symbol = EstimatedSymbol(kind);
  double exactLower = 0, exactUpper = 0;
  if (IsScaleInterval(kind)) {
    exactLower = r.lower * std::sqrt(r.criticalValues[0].value / ExactQuantile(r.criticalValues[0]));
    exactUpper = r.upper * std::sqrt(r.criticalValues[1].value / ExactQuantile(r.criticalValues[1]));
  } else {
    const CriticalValue& cv = r.criticalValues[0];
    const double centre = (r.lower + r.upper) / 2;
    const double half = (r.upper - r.lower) / 2 * std::fabs(ExactQuantile(cv) / cv.value);
    exactLower = centre - half;
    exactUpper = centre + half;
  }
  answers.push_back(MakeAnswer(symbol + " 的置信下限", AnswerKind::Bound, r.lower, exactLower));
  answers.push_back(MakeAnswer(symbol + " 的置信上限", AnswerKind::Bound, r.upper, exactUpper));
}

std::vector<ExpectedAnswer> IntervalAnswers(const NormalIntervalResult& r, const NormalIntervalInput& in) {
  const SampleSummary& a = in.samples.first;
  const SampleSummary& b = in.samples.second;
  const std::vector<CriticalValue>& cv = r.criticalValues;
  std::vector<ExpectedAnswer> answers;
  switch (in.kind) {
    case NormalInterval::MeanKnownSigma: answers = {Estimate("样本均值 x̄", a.mean), IntervalTableAnswer(cv[0])}; break;
    case NormalInterval::MeanUnknownSigma:
      answers = {Estimate("样本均值 x̄", a.mean), Estimate("样本标准差 s", a.stdDev), IntervalTableAnswer(cv[0])};
      break;
    case NormalInterval::SigmaKnownMean:
      answers = {Estimate("Σ(xᵢ − μ)²", r.intermediates.find("Q").value()), IntervalTableAnswer(cv[0]),
                 IntervalTableAnswer(cv[1])};
      break;
    case NormalInterval::SigmaUnknownMean:
      answers = {Estimate("样本标准差 s", a.stdDev), IntervalTableAnswer(cv[0]), IntervalTableAnswer(cv[1])};
      break;
    case NormalInterval::MeanDiffKnownSigmas:
      answers = {Estimate("样本均值 x̄₁", a.mean), Estimate("样本均值 x̄₂", b.mean), IntervalTableAnswer(cv[0])};
      break;
    case NormalInterval::MeanDiffEqualSigmas:
      answers = {Estimate("样本均值 x̄₁", a.mean), Estimate("样本均值 x̄₂", b.mean),
                 Estimate("合并标准差 s_w", r.intermediates.find("Sw").value()), IntervalTableAnswer(cv[0])};
      break;
    case NormalInterval::MeanDiffUnequalSigmas:
      answers = {Estimate("样本均值 x̄₁", a.mean), Estimate("样本均值 x̄₂", b.mean),
                 Estimate("样本标准差 s₁", a.stdDev), Estimate("样本标准差 s₂", b.stdDev), IntervalTableAnswer(cv[0])};
      break;
    case NormalInterval::SigmaRatioKnownMeans:
      answers = {Estimate("(1/n₁)Σ(xᵢ − μ₁)²", r.intermediates.find("A").value()),
                 Estimate("(1/n₂)Σ(yᵢ − μ₂)²", r.intermediates.find("B").value()), IntervalTableAnswer(cv[0]),
                 IntervalTableAnswer(cv[1])};
      break;
    case NormalInterval::SigmaRatioUnknownMeans:
      answers = {Estimate("样本标准差 s₁", a.stdDev), Estimate("样本标准差 s₂", b.stdDev), IntervalTableAnswer(cv[0]),
                 IntervalTableAnswer(cv[1])};
      break;
  }
  // Equal sizes read the same F value for both bounds: it is asked once.
  if (answers.size() >= 2 && answers[answers.size() - 1].caption == answers[answers.size() - 2].caption)
    answers.pop_back();
  AddBounds(answers, r, in.kind);
  return answers;
}

template <NormalInterval Kind>
Problem NormalIntervalProblem(TableStore& tables, ExerciseRandom& random) {
  for (;;) {
    Posed posed = UsesSecondSample(Kind) ? TwoSamplePose(random, Kind) : OneSamplePose(random, Kind);
    try {
      NormalIntervalInput& input = posed.input;
      input.samples = ReadTwoSamples(GridOf(posed.problem.window), InputMode::One);
      const NormalIntervalResult result = ComputeNormalInterval(tables, input);
      posed.problem.answers = IntervalAnswers(result, input);
      posed.problem.solution = BuildNormalIntervalSolution(result, input);
      return std::move(posed.problem);
    } catch (const InputError&) {
      // Drawn again: the window would refuse these samples.
    }
  }
}

constexpr const char* kGroup = "正态总体的区间估计";

constexpr ExerciseTopic kTopics[] = {
    {2, 1, kGroup, "σ已知，求μ的置信区间", NormalIntervalProblem<NormalInterval::MeanKnownSigma>},
    {2, 2, kGroup, "σ未知，求μ的置信区间", NormalIntervalProblem<NormalInterval::MeanUnknownSigma>},
    {2, 3, kGroup, "μ已知，求σ的置信区间", NormalIntervalProblem<NormalInterval::SigmaKnownMean>},
    {2, 4, kGroup, "μ未知，求σ的置信区间", NormalIntervalProblem<NormalInterval::SigmaUnknownMean>},
    {2, 5, kGroup, "σ1、σ2已知，求μ1−μ2的置信区间", NormalIntervalProblem<NormalInterval::MeanDiffKnownSigmas>},
    {2, 6, kGroup, "σ1=σ2未知，求μ1−μ2的置信区间", NormalIntervalProblem<NormalInterval::MeanDiffEqualSigmas>},
    {2, 7, kGroup, "σ1、σ2未知，求μ1−μ2的置信区间", NormalIntervalProblem<NormalInterval::MeanDiffUnequalSigmas>},
    {2, 8, kGroup, "μ1、μ2已知，求σ1/σ2的置信区间", NormalIntervalProblem<NormalInterval::SigmaRatioKnownMeans>},
    {2, 9, kGroup, "μ1、μ2未知，求σ1/σ2的置信区间", NormalIntervalProblem<NormalInterval::SigmaRatioUnknownMeans>},
};

}  // namespace

std::span<const ExerciseTopic> NormalIntervalTopics() { return kTopics; }

}  // namespace kelvo
