#pragma once
// A posed exercise: the problem as the student reads it (a short context, the data as a small
// table, the question), the answers a written solution arrives at in its order, the decision
// where the question asks for one, the worked solution, and the analysis window's data file
// that sets the same problem up there.
//
// A problem is named by its code "topic-variant-seed" ("4-2-83721"): the topic and variant
// say what is computed (see ExerciseCatalogue.h), the seed the draws. The same code poses the
// same problem everywhere.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/documents/WorkedSolution.h"
#include "core/files/DataFile.h"
#include "core/hypothesis/TestResult.h"

namespace kelvo {

constexpr int kMaxProblemSeed = 99999;

struct ProblemCode {
  int topic = 1;
  int variant = 1;
  int seed = 0;  // 0 … kMaxProblemSeed

  bool operator==(const ProblemCode&) const = default;
};

// "4-2-83721".
std::string FormatProblemCode(const ProblemCode& code);
// A code as typed: three whole numbers separated by "-" (blanks around them allowed), the
// seed within 0 … kMaxProblemSeed. Nothing for any other text. Whether the topic exists is
// the catalogue's business.
std::optional<ProblemCode> ParseProblemCode(std::string_view text);

// What kind of value an answer is; the kind sets how closely it is graded (Grading.h).
enum class AnswerKind {
  Estimate,       // a point estimate, a mean, a variance, …
  Statistic,      // a test statistic
  CriticalValue,  // a value read from a printed table
  Bound,          // a bound of a confidence interval
  Probability,    // a probability
};

struct ExpectedAnswer {
  std::string caption;  // the answer box's caption: "检验统计量 t 的值"
  AnswerKind kind = AnswerKind::Estimate;
  double value = 0.0;   // as the worked solution arrives at it (table quantiles)
  // Another value graded as right too: the same value worked with the exact quantile, or one
  // worked from the earlier answers as rounded for grading (a sum of squares found by
  // difference, an intercept from the rounded slope).
  std::optional<double> exactValue;
  int decimals = 4;     // the decimals the answer is graded to (ExpectedAnswerDecimals)
};

struct Problem {
  ProblemCode code;
  std::string topicName;    // "正态总体均值的 t 检验"
  std::string context;      // the story and what is known, in Chinese
  // The data as the problem prints it: rows whose first cell is a caption (empty on a row
  // that continues the one above); no rows for a problem with its data in the context.
  std::vector<std::vector<std::string>> data;
  std::string question;     // "在显著性水平 α = 0.05 下，能否认为……？"
  std::vector<ExpectedAnswer> answers;
  // The decisions graded as right (the table's; also the exact quantile's where they differ);
  // empty when the question asks none.
  std::vector<Decision> decisions;
  WorkedSolution solution;
  // The analysis window's data file that sets this problem up there: `window` is its class
  // ("Form4", or "ProbabilityCalculator"), `windowMode` the mode the main menu opens it with.
  DataFileContent window;
};

}  // namespace kelvo
