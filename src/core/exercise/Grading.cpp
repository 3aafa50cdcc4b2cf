#include "core/exercise/Grading.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/documents/WorkedSolution.h"
#include "core/text/TextNumber.h"

namespace kelvo {
namespace {

// The decimals that leave `significant` significant digits of the value.
int SignificantDecimals(double value, int significant) {
  if (value == 0.0 || !std::isfinite(value)) return significant;
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  return std::clamp(significant - 1 - exponent, 0, 8);
}

// The typed text as a number: blanks around it, as typed with a Chinese input method too
// (full-width digits, "－", "−").
std::optional<double> TypedNumber(std::string_view typed) {
  const std::string text = AsciiNumberText(typed);
  if (!IsNumericText(text)) return std::nullopt;
  const double value = LeadingValue(text);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

int PrintedDecimals(double tableValue) {
  for (int d = 0; d < 5; ++d) {
    const double scale = std::pow(10.0, d);
    const double scaled = tableValue * scale;
    if (std::fabs(scaled - std::round(scaled)) <= 1e-7 * std::max(1.0, std::fabs(scaled))) return d;
  }
  return 5;
}

int TableDecimals(const CriticalValue& cv) {
  if (cv.normalApproximation) return 2;
  switch (cv.kind) {
    case TableKind::Normal: return 2;
    case TableKind::T: return 4;
    case TableKind::ChiSquare: return 3;
    case TableKind::F: return 2;
  }
  return PrintedDecimals(cv.value);
}

int ExpectedAnswerDecimals(AnswerKind kind, double value) {
  switch (kind) {
    case AnswerKind::CriticalValue: return PrintedDecimals(value);
    case AnswerKind::Statistic: return std::max(2, SignificantDecimals(value, 3));
    case AnswerKind::Probability: return 4;
    case AnswerKind::Estimate:
      return std::fabs(value) < 100.0 ? std::max(SignificantDecimals(value, 3), 2) : SignificantDecimals(value, 4);
    case AnswerKind::Bound: break;
  }
  return SignificantDecimals(value, 4);
}

ExpectedAnswer MakeAnswer(std::string caption, AnswerKind kind, double value,
                          std::optional<double> exactValue) {
  ExpectedAnswer answer;
  answer.caption = std::move(caption);
  answer.kind = kind;
  answer.value = value;
  answer.exactValue = exactValue;
  answer.decimals = ExpectedAnswerDecimals(kind, value);
  return answer;
}

ExpectedAnswer MakeTableAnswer(std::string caption, const CriticalValue& cv, double value,
                               std::optional<double> exactValue) {
  ExpectedAnswer answer = MakeAnswer(std::move(caption), AnswerKind::CriticalValue, value, exactValue);
  answer.decimals = TableDecimals(cv);
  return answer;
}

std::string AnswerText(const ExpectedAnswer& answer) { return FixedNumber(answer.value, answer.decimals); }

bool IsRightAnswer(const ExpectedAnswer& answer, std::string_view typed) {
  const std::optional<double> number = TypedNumber(typed);
  if (!number) return false;
  const double unit = std::pow(10.0, -answer.decimals);
  // A table value is read, not worked out: it must round to the printed value.
  const double tolerance = (answer.kind == AnswerKind::CriticalValue ? 0.5 : 1.0) * unit * (1.0 + 1e-9);
  const auto near = [&](double expected) { return std::fabs(*number - expected) <= tolerance; };
  return near(answer.value) || (answer.exactValue && near(*answer.exactValue));
}

Grade GradeAnswers(const Problem& problem, const std::vector<std::string>& typed,
                   std::optional<Decision> decision) {
  Grade grade;
  for (std::size_t i = 0; i < problem.answers.size(); ++i) {
    const std::string_view text = i < typed.size() ? std::string_view(typed[i]) : std::string_view();
    if (text.find_first_not_of(" \t") == std::string_view::npos) {
      grade.answers.push_back(std::nullopt);
      continue;
    }
    const bool right = IsRightAnswer(problem.answers[i], text);
    grade.answers.push_back(right);
    ++grade.given;
    if (right) ++grade.right;
  }
  if (!problem.decisions.empty() && decision) {
    grade.decision = std::find(problem.decisions.begin(), problem.decisions.end(), *decision) !=
                     problem.decisions.end();
    ++grade.given;
    if (*grade.decision) ++grade.right;
  }
  return grade;
}

}  // namespace kelvo
