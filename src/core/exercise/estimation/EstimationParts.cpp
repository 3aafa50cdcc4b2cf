#include "core/exercise/estimation/EstimationParts.h"

#include <algorithm>
#include <cmath>

#include "core/documents/WorkedSolution.h"
#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/exercise/estimation/EstimationStories.h"
#include "core/tables/ExactDistributions.h"

namespace kelvo {
namespace {

constexpr double kLevels[] = {0.95, 0.95, 0.90, 0.99};

// Observed whole numbers as the values smallest … largest and how often each occurred.
struct Counted {
  std::vector<double> values;
  std::vector<double> counts;
};

Counted CountValues(const std::vector<int>& observations) {
  const auto [smallest, largest] = std::minmax_element(observations.begin(), observations.end());
  Counted c;
  for (int v = *smallest; v <= *largest; ++v) {
    c.values.push_back(v);
    c.counts.push_back(static_cast<double>(std::count(observations.begin(), observations.end(), v)));
  }
  return c;
}

// The values with their counts, as a frequency table and as the grid's two rows.
void PutCounted(DrawnSample& sample, const Counted& c, const char* valueCaption, const char* countCaption) {
  std::vector<std::string> valueRow{valueCaption}, countRow{countCaption};
  for (std::size_t i = 0; i < c.values.size(); ++i) {
    valueRow.push_back(PrintedValue(c.values[i], 0));
    countRow.push_back(PrintedValue(c.counts[i], 0));
  }
  sample.data = {valueRow, countRow};
  sample.inputMode = DataInputMode::Two;
  sample.rows = {GridRow(1, c.values, 0), GridRow(2, c.counts, 0)};
}

DrawnSample ProportionSample(ExerciseRandom& random, int lowSize, int highSize) {
  const ProportionStory& story = random.pick(ProportionStories());
  const int n = random.whole(lowSize, highSize);
  const double p = random.uniform(story.low, story.high);
  int k = 0;
  do k = random.binomial(n, p);
  while (k == 0 || k == n);
  DrawnSample sample;
  sample.family = Family::Bernoulli;
  sample.context = Fill(story.story, {{"n", std::to_string(n)}});
  sample.parameter = story.parameter;
  sample.symbol = "P";
  PutCounted(sample, {{0, 1}, {static_cast<double>(n - k), static_cast<double>(k)}}, story.valueCaption,
             story.countCaption);
  return sample;
}

DrawnSample TrialsSample(ExerciseRandom& random, int lowSize, int highSize) {
  const TrialsStory& story = random.pick(TrialsStories());
  const int n = random.whole(lowSize, highSize);
  const int trials = random.whole(story.trialsLow, story.trialsHigh);
  const double p = random.uniform(story.low, story.high);
  std::vector<int> observations;
  int total = 0;
  do {
    observations.clear();
    for (int i = 0; i < n; ++i) observations.push_back(random.binomial(trials, p));
    total = 0;
    for (int x : observations) total += x;
  } while (total == 0 || total == n * trials);
  DrawnSample sample;
  sample.family = Family::Binomial;
  sample.context = Fill(story.story, {{"n", std::to_string(n)}, {"N", std::to_string(trials)}});
  sample.parameter = story.parameter;
  sample.symbol = "P";
  sample.trials = trials;
  PutCounted(sample, CountValues(observations), story.valueCaption, story.countCaption);
  return sample;
}

DrawnSample PoissonSample(ExerciseRandom& random, int lowSize, int highSize) {
  const RateStory& story = random.pick(PoissonStories());
  const int n = random.whole(lowSize, highSize);
  const double lambda = random.uniform(story.low, story.high);
  std::vector<int> observations;
  int total = 0;
  do {
    observations.clear();
    for (int i = 0; i < n; ++i) observations.push_back(random.poisson(lambda));
    total = 0;
    for (int x : observations) total += x;
  } while (total == 0);
  DrawnSample sample;
  sample.family = Family::Poisson;
  sample.context = Fill(story.story, {{"n", std::to_string(n)}});
  sample.parameter = story.parameter;
  sample.symbol = "λ";
  PutCounted(sample, CountValues(observations), story.valueCaption, story.countCaption);
  return sample;
}

DrawnSample ExponentialSample(ExerciseRandom& random, int lowSize, int highSize) {
  const RateStory& story = random.pick(ExponentialStories());
  const int n = random.whole(lowSize, highSize);
  const double theta = random.uniform(story.low, story.high);
  std::vector<double> values;
  do {
    values.clear();
    for (int i = 0; i < n; ++i) values.push_back(random.exponential(theta));
    values = Printed(values, story.decimals);
  } while (!HasSpread(values) || *std::max_element(values.begin(), values.end()) <= 0);
  DrawnSample sample;
  sample.family = Family::Exponential;
  sample.context = Fill(story.story, {{"n", std::to_string(n)}});
  sample.parameter = story.parameter;
  sample.symbol = "θ";
  sample.data = SampleTable(story.valueCaption, values, story.decimals);
  sample.inputMode = DataInputMode::One;
  sample.rows = {GridRow(1, values, story.decimals)};
  return sample;
}

}  // namespace

double DrawLevel(ExerciseRandom& random) { return random.pick(kLevels); }

std::string LevelText(double level) { return FixedNumber(level, 2); }

std::string IntervalPhrase(double level, bool approximate) {
  return " 的置信水平为 " + LevelText(level) + (approximate ? " 的近似置信区间" : " 的置信区间");
}

DataFileContent WindowFile(const char* window, int mode, const char* title, DataInputMode inputMode) {
  DataFileContent file;
  file.window = window;
  file.windowMode = mode;
  file.title = title;
  file.inputMode = inputMode;
  return file;
}

void SetTrials(DataFileContent& file, int trials) {
  if (trials > 0) file.settings.setNumber("trials", trials);
}

InputMode GridInputMode(const DataFileContent& file) {
  return file.inputMode == DataInputMode::Two ? InputMode::Two : InputMode::One;
}

ExpectedAnswer IntervalTableAnswer(const CriticalValue& cv) {
  if (cv.kind == TableKind::F && cv.reciprocal) {
    // The printed value is F at 1 − p with the degrees of freedom swapped.
    CriticalValue printed = cv;
    printed.probability = 1.0 - cv.probability;
    printed.df = cv.df2;
    printed.df2 = cv.df;
    printed.reciprocal = false;
    const double value = 1.0 / cv.value;
    return MakeTableAnswer("临界值 " + QuantileSymbol(printed), printed, RoundTo(value, TableDecimals(printed)),
                           1.0 / ExactQuantile(cv));
  }
  return TableValueAnswer(cv);
}

DrawnSample DrawSample(ExerciseRandom& random, Family family, int lowSize, int highSize) {
  switch (family) {
    case Family::Bernoulli: return ProportionSample(random, lowSize, highSize);
    case Family::Binomial: return TrialsSample(random, lowSize, highSize);
    case Family::Poisson: return PoissonSample(random, lowSize, highSize);
    case Family::Exponential: break;
  }
  return ExponentialSample(random, lowSize, highSize);
}

}  // namespace kelvo
