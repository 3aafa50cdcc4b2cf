#pragma once
// What an interval computation hands back: the bounds, the critical values it looked up and
// the values computed on the way.
#include <cmath>
#include <optional>
#include <vector>

#include "core/documents/NamedValues.h"
#include "core/tables/CriticalValue.h"

namespace kelvo {

struct IntervalResult {
  double lower = 0.0;  // two-sided interval (lower, upper)
  double upper = 0.0;
  std::vector<CriticalValue> criticalValues;
  NamedValues intermediates;
};

// The normal-population windows give a two-sided interval and both one-sided ones.
struct NormalIntervalResult {
  double lower = 0.0;  // (lower, upper)
  double upper = 0.0;
  double upperOnly = 0.0;  // (lowestValue, upperOnly)
  double lowerOnly = 0.0;  // (lowerOnly, ∞)
  std::vector<CriticalValue> criticalValues;
  NamedValues intermediates;
  // Where the one-sided upper interval starts: −∞ for a mean or a difference of means, 0 for
  // a standard deviation or a ratio of them, which cannot be negative.
  double lowestValue = -HUGE_VAL;
};

}  // namespace kelvo
