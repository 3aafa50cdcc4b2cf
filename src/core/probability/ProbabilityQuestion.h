#pragma once
// The questions of a probability exercise about one law, answered with the exact value and
// the formula a textbook writes for it ("P(X ≤ 1.5) = Φ((1.5 − 1)/2) = Φ(0.25) = 0.598706"),
// and the chart of the asked area on the density or of the asked bars of the mass function.
#include <optional>
#include <span>
#include <string>

#include "core/documents/ChartDescription.h"
#include "core/probability/Distribution.h"

namespace kelvo {

enum class Question {
  AtMost,            // P(X ≤ x)
  Below,             // P(X < x)
  Above,             // P(X > x)
  AtLeast,           // P(X ≥ x)
  Between,           // P(a ≤ X ≤ b), each end closed or open
  Density,           // f(x), or P(X = x) for a discrete law
  LowerQuantile,     // continuous: x with P(X ≤ x) = p
  UpperPoint,        // continuous: x with P(X > x) = α (z_α, t_α(n), χ²_α(n), F_α(n₁, n₂))
  DiscreteQuantile,  // discrete: the smallest x with P(X ≤ x) ≥ p
};

struct QuestionInfo {
  Question question;
  const char* caption;  // as listed: "P(X ≤ x)"
  bool forContinuous;
  bool forDiscrete;
  bool needsX;  // x (the lower end a for an interval)
  bool needsB;  // the upper end b
  bool needsProbability;
};

// The questions in list order, each with the laws it is asked of.
std::span<const QuestionInfo> QuestionList();
const QuestionInfo& InfoOf(Question question);

struct ProbabilityQuestion {
  Question question = Question::AtMost;
  double x = 0.0;            // the point, or the lower end a of an interval
  double b = 0.0;            // the upper end of an interval
  bool lowerClosed = true;   // a ≤ X rather than a < X
  bool upperClosed = true;   // X ≤ b rather than X < b
  double probability = 0.5;  // p of a quantile, α of an upper point
  bool approximation = false;  // discrete laws: also the normal approximation
};

struct ProbabilityAnswer {
  double value = 0.0;
  std::string formula;  // the whole line, ending in the value to 6 significant digits
  // With `approximation` asked of a discrete law and a probability asked: the normal
  // approximation with continuity correction, and its line ("正态近似（连续性修正）：…").
  std::optional<double> approximation;
  std::string approximationFormula;  // also says why there is none where none can be given
  // The asked region on the x axis (both ends may be infinite); for a discrete law the whole
  // values from `from` to `to` (an empty range has from > to). No region for a density.
  bool hasRegion = false;
  double from = 0.0;
  double to = 0.0;
};

// Throws InputError for a question the law is not asked ("离散分布…"), a probability outside
// (0, 1), interval ends out of order ("区间端点应满足 a ≤ b"), or a result that is not finite.
ProbabilityAnswer Answer(const Distribution& law, const ProbabilityQuestion& question);

// The density (or the bars of the mass function) with the answer's region shaded and x (and
// b) marked; with the approximation, the approximating normal density over the bars.
ChartDescription ProbabilityChart(const Distribution& law, const ProbabilityQuestion& question,
                                  const ProbabilityAnswer& answer);

}  // namespace kelvo
