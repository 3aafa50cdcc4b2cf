#pragma once
// Stories shared by the topics: populations a problem can be about, with realistic units,
// standard values and spreads.
#include <span>

namespace kelvo {

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

// Six populations: bulbs' lifetimes, parts' lengths, marks, wheat yields, cans' contents,
// batteries' running times.
std::span<const MeanStory> MeanStories();

}  // namespace kelvo
