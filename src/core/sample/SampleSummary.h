#pragma once
// Summary quantities of one sample, as the readers deliver them to the computations.

namespace kelvo {

struct SampleSummary {
  int n = 0;                  // sample size (sum of repeat counts in input mode two)
  double maximum = 0.0;
  double minimum = 0.0;
  double mean = 0.0;          // (sum x) / n
  double secondMoment = 0.0;  // (sum x^2) / n
  double variance = 0.0;      // sum (x - mean)^2 / (n - 1)
  double stdDev = 0.0;        // filled by the two-sample reader only
  // Whether the mean and the spread (variance, stdDev) are values the reader had: not for a
  // sample too small for them (no mean without a value, no spread below two values), nor for
  // a typed summary cell without a number (left empty, or the "×" of a cell the window's mode
  // does not read). The value itself is then 0 and is not to be shown as a result.
  bool hasMean = true;
  bool hasSpread = true;
};

struct TwoSampleSummary {
  SampleSummary first;
  SampleSummary second;
};

}  // namespace kelvo
