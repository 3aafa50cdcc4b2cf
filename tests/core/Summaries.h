#pragma once
// A sample known only by its size, mean and standard deviation, as the tests of several
// folders write their textbook examples.
#include "core/sample/SampleSummary.h"

namespace kelvo {

inline SampleSummary Summary(int n, double mean, double stdDev) {
  SampleSummary s;
  s.n = n;
  s.mean = mean;
  s.stdDev = stdDev;
  s.variance = stdDev * stdDev;
  s.secondMoment = s.variance * (n - 1.0) / n + mean * mean;
  return s;
}

}  // namespace kelvo
