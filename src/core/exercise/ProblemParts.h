#pragma once
// Pieces every problem generator uses: numbers as a problem prints them and as a grid cell
// holds them, the data table of a sample, the grid the analysis window would read, the
// decisions graded as right and the question's wording of α.
#include <initializer_list>
#include <string>
#include <utility>
#include <string_view>
#include <vector>

#include "core/exercise/ExerciseRandom.h"
#include "core/exercise/Problem.h"
#include "core/hypothesis/PValues.h"
#include "core/hypothesis/TestResult.h"
#include "core/sample/CellStore.h"

namespace kelvo {

// A printed value: fixed decimals, "−" as the minus sign ("1502", "−0.35").
std::string PrintedValue(double value, int decimals);
// The same value as a grid cell and a data file hold it: ASCII, fixed decimals ("-0.35").
std::string CellValue(double value, int decimals);

// Each value rounded to the decimals, as the problem prints it; the computations read these.
std::vector<double> Printed(std::vector<double> values, int decimals);

// A sample as a problem prints it: rows of at most `perRow` values, the first column holding
// the caption on the first row. No header row.
std::vector<std::vector<std::string>> SampleTable(const std::string& caption, const std::vector<double>& values,
                                                  int decimals, int perRow = 10);

// A data file row of the grid "MSFlexGrid1": the values as cells.
DataFileRow GridRow(int row, const std::vector<double>& values, int decimals,
                    const std::string& grid = "MSFlexGrid1");

// The grid the window builds from the data file's rows of `grid` (headings empty, one spare
// column and row as the windows keep), for the core readers.
CellStore GridOf(const DataFileContent& content, const std::string& grid = "MSFlexGrid1");

// The decision of the table's critical values and, where the exact quantiles decide apart,
// that one too (ExactDecision, by the family's own rule).
std::vector<Decision> GradedDecisions(const TestResult& result, TestFamily family, Hypothesis hypothesis,
                                      double alpha);

// α as a problem asks it: 0.05 twice as often as 0.01 and 0.10, the levels every printed
// table carries.
double DrawAlpha(ExerciseRandom& random);
// The hypothesis choice: two-sided, greater or less, alike.
Hypothesis DrawHypothesis(ExerciseRandom& random);

// A value read from the table `cv` names, as an answer: "临界值 t₀.₀₂₅(9)", positive as the
// table prints it, graded to the table's decimals, the exact quantile right too.
ExpectedAnswer TableValueAnswer(const CriticalValue& cv);

// "α = 0.05".
std::string AlphaText(double alpha);

// The text with each "{name}" replaced by its value: Fill("抽取 {n} 只", {{"n", "10"}}).
std::string Fill(std::string text, std::initializer_list<std::pair<std::string_view, std::string>> values);

// Whether two printed samples have spread: not all their values equal.
bool HasSpread(const std::vector<double>& values);

}  // namespace kelvo
