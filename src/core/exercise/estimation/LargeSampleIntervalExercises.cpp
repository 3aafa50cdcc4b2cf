// Topic 3: the large-sample intervals for the parameter of a 0-1, binomial, Poisson or
// exponential population.
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/estimation/EstimationSolutions.h"
#include "core/estimation/LargeSampleIntervals.h"
#include "core/exercise/ExerciseCatalogue.h"
#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/exercise/estimation/EstimationParts.h"
#include "core/sample/Readers.h"
#include "core/tables/ExactDistributions.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {

struct LargeSampleMode {
  LargeSampleInterval kind;
  int mode;            // the menu's mode of the window
  const char* title;   // the caption the window shows in it
  int lowSize, highSize;
};

// Sizes well inside the normal approximation: for the exponential interval √n must exceed z.
constexpr LargeSampleMode kModes[] = {
    {LargeSampleInterval::BernoulliP, 1, "0-1分布区间估计", 60, 200},
    {LargeSampleInterval::BinomialP, 2, "二项分布区间估计", 30, 60},
    {LargeSampleInterval::PoissonLambda, 3, "泊松分布区间估计", 40, 120},
    {LargeSampleInterval::ExponentialTheta, 6, "指数分布区间估计", 30, 45},
};

/* The interval again with the exact quantile z: the roots of the same quadratic, or
   √n·x̄/(√n ± z) for the exponential mean. */
std::pair<double, double> ExactInterval(const LargeSampleIntervalInput& in, double z) {
  const double n = in.sample.n, mean = in.sample.mean, trials = in.trialCount;
  double a = 0, b = 0, c = n * mean * mean;
  switch (in.kind) {
    case LargeSampleInterval::BernoulliP:
      a = n + z * z;
      b = 2 * n * mean + z * z;
      break;
    case LargeSampleInterval::BinomialP:
      a = n * trials * trials + trials * z * z;
      b = 2 * n * trials * mean + trials * z * z;
      break;
    case LargeSampleInterval::PoissonLambda:
      a = n;
      b = 2 * n * mean + z * z;
      break;
    case LargeSampleInterval::ExponentialTheta: {
      const double root = std::sqrt(n);
      return {root * mean / (root + z), root * mean / (root - z)};
    }
  }
  const double root = std::sqrt(std::max(0.0, b * b - 4 * a * c));
  return {(b - root) / (2 * a), (b + root) / (2 * a)};
}

template <int Variant>
Problem LargeSampleIntervalProblem(TableStore& tables, ExerciseRandom& random) {
  const LargeSampleMode& mode = kModes[Variant - 1];
  for (;;) {
    DrawnSample drawn = DrawSample(random, PopulationOf(mode.kind), mode.lowSize, mode.highSize);
    const double level = DrawLevel(random);
    Problem problem;
    problem.context = std::move(drawn.context);
    problem.data = std::move(drawn.data);
    problem.question = "求" + drawn.parameter + IntervalPhrase(level, true) + "。";
    problem.window = WindowFile("Form3", mode.mode, mode.title, drawn.inputMode);
    problem.window.settings.setNumber("level", level);
    SetTrials(problem.window, drawn.trials);
    problem.window.rows = std::move(drawn.rows);
    try {
      // As the window computes: the grid read back, its values checked against the population.
      const CellStore grid = GridOf(problem.window);
      LargeSampleIntervalInput input{mode.kind, ReadOneSample(grid, GridInputMode(problem.window)), level,
                                     drawn.trials};
      CheckDomain(grid, PopulationOf(mode.kind), input.trialCount);
      const IntervalResult result = ComputeLargeSampleInterval(tables, input);
      const CriticalValue& z = result.criticalValues.front();
      const auto [exactLower, exactUpper] = ExactInterval(input, ExactQuantile(z));
      problem.answers = {
          MakeAnswer("样本均值 x̄", AnswerKind::Estimate, input.sample.mean),
          IntervalTableAnswer(z),
          MakeAnswer(drawn.symbol + " 的置信下限", AnswerKind::Bound, result.lower, exactLower),
          MakeAnswer(drawn.symbol + " 的置信上限", AnswerKind::Bound, result.upper, exactUpper),
      };
      problem.solution = BuildLargeSampleIntervalSolution(result, input);
      return problem;
    } catch (const InputError&) {
      // Drawn again: the window would refuse this sample.
    }
  }
}

constexpr const char* kGroup = "大样本区间估计";

constexpr ExerciseTopic kTopics[] = {
    {3, 1, kGroup, "0-1分布参数P的大样本置信区间", LargeSampleIntervalProblem<1>},
    {3, 2, kGroup, "二项分布参数P的大样本置信区间", LargeSampleIntervalProblem<2>},
    {3, 3, kGroup, "泊松分布参数λ的大样本置信区间", LargeSampleIntervalProblem<3>},
    {3, 4, kGroup, "指数分布参数θ的大样本置信区间", LargeSampleIntervalProblem<4>},
};

}  // namespace

std::span<const ExerciseTopic> LargeSampleIntervalTopics() { return kTopics; }

}  // namespace kelvo
