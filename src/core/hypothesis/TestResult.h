#pragma once
// What a test hands back to its window: the statistic with its distribution, every critical
// value it looked up, the values computed on the way and the decision.
#include <vector>

#include "core/documents/NamedValues.h"
#include "core/tables/CriticalValue.h"

namespace kelvo {

// The position of a hypothesis pair in the window's list: H1 says greater, less, or not equal.
enum class Hypothesis { Greater = 0, Less = 1, TwoSided = 2 };

enum class Decision { AcceptH0, AcceptH1 };

enum class StatisticDistribution { Normal, T, ChiSquare, F, RankSum, None };

struct TestResult {
  double statistic = 0.0;
  StatisticDistribution distribution = StatisticDistribution::None;
  double df = 0.0;   // degrees of freedom (F: numerator); 0 where none apply
  double df2 = 0.0;  // F only: denominator degrees of freedom
  std::vector<CriticalValue> criticalValues;  // in the order they were looked up
  Decision decision = Decision::AcceptH0;
  // The statistic's denominator was 0 (a sample without spread): H0 is rejected without a
  // statistic, which then stays 0.
  bool zeroDenominator = false;
  NamedValues intermediates;

  bool acceptsH0() const { return decision == Decision::AcceptH0; }
};

}  // namespace kelvo
