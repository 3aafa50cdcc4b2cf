#pragma once
// What the estimation problems share: the confidence levels a problem asks for, the window's
// data file, the critical value as an answer, and the samples of the 0-1, binomial, Poisson
// and exponential populations that the point estimates and the large-sample intervals both
// pose.
#include <span>
#include <string>
#include <vector>

#include "core/exercise/ExerciseRandom.h"
#include "core/exercise/Problem.h"
#include "core/files/DataFile.h"
#include "core/sample/CellStore.h"
#include "core/sample/Domain.h"
#include "core/tables/CriticalValue.h"

namespace kelvo {

class TableStore;
struct ExerciseTopic;

// A confidence level the printed tables carry: 0.95 twice as often as 0.90 or 0.99.
double DrawLevel(ExerciseRandom& random);
// "0.95", "0.90".
std::string LevelText(double level);
// " 的置信水平为 0.95 的置信区间", or "的近似置信区间" for a large-sample one.
std::string IntervalPhrase(double level, bool approximate = false);

// The data file of `window` opened by the menu in `mode`, captioned `title`.
DataFileContent WindowFile(const char* window, int mode, const char* title, DataInputMode inputMode);

// A binomial population's N as the setting "trials": the estimation windows ask it of the
// user rather than keep it in their file, so whoever opens the problem in them answers with it.
void SetTrials(DataFileContent& file, int trials);

// The grid's input mode for a file's.
InputMode GridInputMode(const DataFileContent& file);

// The critical value as the printed table gives it, caption "临界值 z₀.₀₂₅": its absolute
// value, or for an F quantile read as the reciprocal of another, that other one (the table
// prints F₀.₀₂₅(9, 11), not its reciprocal), with the exact quantile beside it.
ExpectedAnswer IntervalTableAnswer(const CriticalValue& cv);

// A sample of one of the four populations, as the problem prints it and as the window's grid
// holds it.
struct DrawnSample {
  Family family = Family::Bernoulli;
  std::string context;
  std::vector<std::vector<std::string>> data;
  DataInputMode inputMode = DataInputMode::One;
  std::vector<DataFileRow> rows;
  std::string parameter;  // what is estimated: "这批产品的次品率 P"
  std::string symbol;     // "P", "λ", "θ"
  int trials = 0;         // N of a binomial population
};

// Observations in the ranges of sizes: 0-1 and binomial and Poisson counts as values with
// their counts (the window's input mode two), exponential values one by one. Every sample has
// a positive mean and, for the 0-1 and binomial ones, both outcomes.
DrawnSample DrawSample(ExerciseRandom& random, Family family, int lowSize, int highSize);

// Each family's topics, in the order of their variants.
std::span<const ExerciseTopic> PointEstimationTopics();       // topic 1
std::span<const ExerciseTopic> NormalIntervalTopics();        // topic 2
std::span<const ExerciseTopic> LargeSampleIntervalTopics();   // topic 3

}  // namespace kelvo
