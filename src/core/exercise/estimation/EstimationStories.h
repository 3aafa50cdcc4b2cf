#pragma once
// Populations of the estimation problems beyond the normal ones: proportions, counts of
// binomial trials, Poisson counts, exponential waiting times and lifetimes, and uniform
// quantities, each with a realistic range of its parameter.
#include <span>

namespace kelvo {

// A 0-1 population: X = 1 marks the event whose probability P is estimated.
struct ProportionStory {
  const char* story;       // "{n}" is the sample size; ends with "如下："
  const char* valueCaption;  // the table's first row: the values 0 and 1
  const char* countCaption;  // the table's second row: how many times each was seen
  const char* parameter;   // "这批产品的次品率 P"
  double low, high;        // the range of P
};

// A binomial population B(N, P) with N known.
struct TrialsStory {
  const char* story;       // "{n}" the number of observations, "{N}" the trials of each
  const char* valueCaption;
  const char* countCaption;
  const char* parameter;
  double low, high;        // the range of P
  int trialsLow, trialsHigh;  // the range of N
};

// A Poisson population P(λ), or an exponential one with mean θ, or a uniform one on [A, B].
struct RateStory {
  const char* story;       // "{n}" the sample size; ends with "如下：" (raw values) or before a table
  const char* valueCaption;  // raw values: the data table's caption; counts: the values' row
  const char* countCaption;  // counts only: the counts' row
  const char* parameter;   // "每匹布的平均疵点数 λ"
  double low, high;        // the range of λ or θ
  int decimals;            // as the values are recorded (counts: 0)
};

struct UniformStory {
  const char* story;       // "{n}" the sample size
  const char* caption;     // the data table's caption
  double lowA, highA;      // the range of A
  double lowB, highB;      // the range of B
  int decimals;
};

std::span<const ProportionStory> ProportionStories();
std::span<const TrialsStory> TrialsStories();
std::span<const RateStory> PoissonStories();
std::span<const RateStory> ExponentialStories();
std::span<const UniformStory> UniformStories();

}  // namespace kelvo
