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

// Two normal populations compared: two machines, fertilisers, classes, suppliers, methods.
struct TwoSampleStory {
  // "{n1}" and "{n2}" are the sample sizes; the first sentence (up to the first "。") says that
  // both populations are normal, so that what is known of them can be added to it.
  const char* story;
  const char* difference;  // what μ1 − μ2 is: "两台机床所加工零件的平均长度之差"
  const char* unit;        // "mm"
  const char* caption1;    // the data table's row captions
  const char* caption2;
  double mu1, mu2;         // the populations' means
  double sigma1, sigma2;   // and spreads
  int decimals;            // as the data are recorded
};

// Six pairs: machines' parts, fertilisers' yields, classes' marks, suppliers' resistors,
// methods' assays, processes' bulbs.
std::span<const TwoSampleStory> TwoSampleStories();

}  // namespace kelvo
