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

// Two normal populations with means and spreads of their own, for the intervals of a
// difference of means or a ratio of spreads: two machines, fertilisers, classes, suppliers,
// methods.
struct ComparisonStory {
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
std::span<const ComparisonStory> ComparisonStories();

}  // namespace kelvo

namespace kelvo {

// Two populations of one normal quantity, compared through a sample of each.
struct TwoSampleStory {
  const char* story;     // "{n1}" and "{n2}" are the sample sizes
  const char* first;     // "甲机床"
  const char* second;    // "乙机床"
  const char* what;      // what is measured, after the names: "加工的零件长度"
  const char* unit;      // "mm"
  double mu;             // a typical mean
  double sigma;          // a typical spread
  int decimals;          // as the data are recorded
};

// Six comparisons: two lathes, two fertilisers, two teaching methods, two furnaces, two
// brands of tyres, two feeds.
std::span<const TwoSampleStory> TwoSampleStories();

// One quantity measured twice on each of a number of units (before and after a treatment, by
// two instruments), compared through the differences of the pairs.
struct PairedStory {
  const char* story;     // "{n}" is the number of pairs
  const char* first;     // the first row's caption: "处理前"
  const char* second;    // the second row's: "处理后"
  const char* what;      // "血压"
  const char* unit;      // "mmHg"
  double mu;             // a typical value
  double spread;         // the spread between units
  double pairSpread;     // the spread of a difference within a pair
  int decimals;
};

// Six paired designs: a drug's effect on blood pressure, two instruments on the same
// specimens, two analysts on the same samples, a training course, a diet, two tyre positions.
std::span<const PairedStory> PairedStories();

}  // namespace kelvo
