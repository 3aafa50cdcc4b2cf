#pragma once
// Grading a student's answers to a posed problem.
//
// Each value is graded to a number of decimals:
//   a value read from a table: the decimals the table prints (z 1.96, t 2.4469, χ² 3.325,
//     F 2.10);
//     right when it rounds to the table's value (or to the exact quantile);
//   a statistic: at least 2 decimals and 3 significant digits;
//   an estimate (a mean, a standard deviation, an estimated parameter): below 100, 3
//     significant digits and at least 2 decimals; from 100 on, 4 significant digits; as a
//     textbook's solution carries them on to the next step (x̄ = 4.46, 50.09, 504.4, 1502;
//     P̂ = 0.892);
//   a bound of an interval: 4 significant digits;
//   a probability: 4 decimals, as the normal table prints Φ;
// and, except for a table value, is right within one unit of its last graded decimal of the
// solution's value or of the value worked with the exact quantile, so that the rounding of
// intermediate steps does not count against the student.
#include <optional>
#include <string_view>
#include <vector>

#include "core/exercise/Problem.h"
#include "core/tables/CriticalValue.h"

namespace kelvo {

// The decimals a printed table value carries (1.96 → 2, 2.4469 → 4), at most 5.
int PrintedDecimals(double tableValue);

// The decimals the table a critical value was read from prints: the normal table's z 2 (and
// the normal stand-in beyond the t table's last row), t 4, χ² 3, F 2. A value such as F = 2.10
// keeps its last zero here, which PrintedDecimals cannot see.
int TableDecimals(const CriticalValue& cv);

// The decimals an answer of the kind is graded to; `value` is the solution's value.
int ExpectedAnswerDecimals(AnswerKind kind, double value);

// An expected answer with its decimals set by ExpectedAnswerDecimals.
ExpectedAnswer MakeAnswer(std::string caption, AnswerKind kind, double value,
                          std::optional<double> exactValue = std::nullopt);

// A value read from the table `cv` names (its printed value, positive as the table prints it),
// graded to TableDecimals(cv).
ExpectedAnswer MakeTableAnswer(std::string caption, const CriticalValue& cv, double value,
                               std::optional<double> exactValue = std::nullopt);

// The solution's value as graded, with its decimals ("1.960", "−2.45").
std::string AnswerText(const ExpectedAnswer& answer);

// Whether the typed text is a right answer. A text that is not a number is not right.
bool IsRightAnswer(const ExpectedAnswer& answer, std::string_view typed);

struct Grade {
  // One per answer: nothing for a box left empty, else whether it is right.
  std::vector<std::optional<bool>> answers;
  std::optional<bool> decision;  // nothing when none was asked or none was chosen
  int right = 0;
  int given = 0;  // answers and decision given (not left empty)
};

Grade GradeAnswers(const Problem& problem, const std::vector<std::string>& typed,
                   std::optional<Decision> decision);

}  // namespace kelvo
