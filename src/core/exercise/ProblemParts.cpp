#include "core/exercise/ProblemParts.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/documents/WorkedSolution.h"
#include "core/exercise/ExerciseRandom.h"
#include "core/exercise/Grading.h"
#include "core/tables/ExactDistributions.h"

namespace kelvo {

std::string PrintedValue(double value, int decimals) { return FixedNumber(value, decimals); }

std::string CellValue(double value, int decimals) {
  char buffer[64];
  const double rounded = RoundTo(value, decimals);
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, rounded == 0.0 ? 0.0 : rounded);
  return buffer;
}

std::vector<double> Printed(std::vector<double> values, int decimals) {
  for (double& v : values) v = RoundTo(v, decimals);
  return values;
}

std::vector<std::vector<std::string>> SampleTable(const std::string& caption, const std::vector<double>& values,
                                                  int decimals, int perRow) {
  std::vector<std::vector<std::string>> rows;
  for (std::size_t start = 0; start < values.size(); start += static_cast<std::size_t>(perRow)) {
    std::vector<std::string> row{start == 0 ? caption : std::string()};
    const std::size_t end = std::min(values.size(), start + static_cast<std::size_t>(perRow));
    for (std::size_t i = start; i < end; ++i) row.push_back(PrintedValue(values[i], decimals));
    rows.push_back(std::move(row));
  }
  return rows;
}

DataFileRow GridRow(int row, const std::vector<double>& values, int decimals, const std::string& grid) {
  DataFileRow result{grid, row, {}};
  for (double v : values) result.cells.push_back(CellValue(v, decimals));
  return result;
}

CellStore GridOf(const DataFileContent& content, const std::string& grid) {
  int rows = 1;
  int cols = 1;
  for (const DataFileRow& r : content.rows)
    if (r.grid == grid) {
      rows = std::max(rows, r.row + 1);
      cols = std::max(cols, static_cast<int>(r.cells.size()) + 1);
    }
  // One spare row and column, as the windows' grids keep past the data.
  CellStore store(rows + 1, cols + 1);
  for (const DataFileRow& r : content.rows)
    if (r.grid == grid)
      for (std::size_t c = 0; c < r.cells.size(); ++c) store.setText(r.row, static_cast<int>(c) + 1, r.cells[c]);
  return store;
}

std::vector<Decision> GradedDecisions(const TestResult& result, TestFamily family, Hypothesis hypothesis,
                                      double alpha) {
  std::vector<Decision> decisions{result.decision};
  const Decision exact = ExactDecision(result, family, hypothesis, alpha);
  if (exact != result.decision) decisions.push_back(exact);
  return decisions;
}

double DrawAlpha(ExerciseRandom& random) {
  constexpr double kAlphas[] = {0.05, 0.05, 0.01, 0.10};
  return random.pick(kAlphas);
}

Hypothesis DrawHypothesis(ExerciseRandom& random) {
  constexpr Hypothesis kHypotheses[] = {Hypothesis::TwoSided, Hypothesis::Greater, Hypothesis::Less};
  return random.pick(kHypotheses);
}

ExpectedAnswer TableValueAnswer(const CriticalValue& cv) {
  return MakeTableAnswer("临界值 " + QuantileSymbol(cv), cv, std::fabs(cv.value), std::fabs(ExactQuantile(cv)));
}

std::string AlphaText(double alpha) { return "α = " + SolutionNumber(alpha); }

bool HasSpread(const std::vector<double>& values) {
  return std::adjacent_find(values.begin(), values.end(), std::not_equal_to<>()) != values.end();
}

std::string Fill(std::string text, std::initializer_list<std::pair<std::string_view, std::string>> values) {
  for (const auto& [name, value] : values) {
    const std::string key = "{" + std::string(name) + "}";
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
      text.replace(at, key.size(), value);
  }
  return text;
}

}  // namespace kelvo
