#pragma once
// What the distribution fitting window hands to the goodness-of-fit computation and what it
// gets back: the chosen entry, the input mode, the typed parameters and the class tables.
#include <optional>
#include <string>
#include <vector>

#include "core/hypothesis/TestResult.h"

namespace kelvo {

// The thirteen entries of the window's distribution list, by their position in the list.
enum class FittingEntry {
  UserLaw = 0,
  ZeroOneKnown = 1,
  ZeroOneUnknown = 2,
  BinomialKnown = 3,
  BinomialUnknown = 4,
  PoissonKnown = 5,
  PoissonUnknown = 6,
  UniformKnown = 7,
  UniformUnknown = 8,
  NormalKnown = 9,
  NormalUnknown = 10,
  ExponentialKnown = 11,
  ExponentialUnknown = 12
};

// Option1, Option2, Option3 of the window.
enum class FittingInputMode { Individual, RepeatCounts, Grouped };

// Known parameters typed in the parameter dialogs and grouped-data summaries typed in the
// summary dialogs; the computation writes its estimates into the fields of the estimated
// parameters.
struct FittingParameters {
  double zeroOneP = 0.0;
  double binomialTrials = 0.0;
  double binomialP = 0.0;
  double poissonLambda = 0.0;
  double uniformA = 0.0;
  double uniformB = 0.0;
  double normalMu = 0.0;
  double normalSigma = 0.0;
  double exponentialTheta = 0.0;
  double binomialSumX = 0.0;
  double poissonSumX = 0.0;
  double normalSumX = 0.0;
  double exponentialSumX = 0.0;
  double groupedMin = 0.0;
  double groupedMax = 0.0;
  double normalSumXX = 0.0;
};

// One row of a class table: the half-open class lower <= x < upper. The first class of a
// table takes the whole lower tail of the law and the last the whole upper tail, so that the
// probabilities of a table add up to 1: their probability reaches down to the law's lower end
// (openBelow) or up to its upper end (openAbove), beyond the bounds that hold the sample.
struct FittingClass {
  double lower = 0.0;
  double upper = 0.0;
  double observed = 0.0;     // O
  double probability = 0.0;  // p under H0
  double expected = 0.0;     // E = n * p
  bool openBelow = false;
  bool openAbove = false;
};

struct FittingRequest {
  FittingEntry entry = FittingEntry::UserLaw;
  FittingInputMode mode = FittingInputMode::Individual;
  FittingParameters parameters;
  double alpha = 0.0;  // significance level, the upper-tail probability of the critical value
};

struct FittingResult {
  FittingEntry entry = FittingEntry::UserLaw;
  int n = 0;                          // sample size
  std::vector<FittingClass> classes;  // before merging (k rows)
  std::vector<FittingClass> merged;   // after merging (K rows)
  // The request's parameters with the estimates written in; the window keeps them.
  FittingParameters parameters;
  int estimatedCount = 0;             // r
  // Entry 2 only: the message of a failed data check, shown before its conclusion H1.
  std::optional<std::string> dataMessage;
  // statistic = χ² = Σ (O - E)² / E over the merged classes, df = K - r - 1,
  // criticalValues = {χ²_α(df)}, the decision, and the estimates by name ("P", "λ", "A",
  // "B", "μ", "σ", "θ"). Entry 2 has the decision only.
  TestResult test;
};

}  // namespace kelvo
