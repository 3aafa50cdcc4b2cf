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
};

struct TwoSampleSummary {
  SampleSummary first;
  SampleSummary second;
};

}  // namespace kelvo
