#include "core/sample/Readers.h"

#include <cmath>
#include <string>

#include "core/text/Errors.h"
#include "core/text/TextNumber.h"

namespace kelvo {
namespace {

constexpr int kValueRow = 1;
constexpr int kCountRow = 2;
constexpr double kMinSize = -32768.0;
constexpr double kMaxSize = 32767.0;
constexpr int kSummaryColumns = 4;

// Sizes are 16-bit quantities for the computations; a size beyond that range is refused
// rather than wrapped round into a plausible but wrong one.
int CheckedSize(double n) {
  if (!(n >= kMinSize && n <= kMaxSize)) throw InputError("样本量超出范围");
  return static_cast<int>(n);
}

// The value of a filled observation cell. Typing admits numbers only, so other text came
// from a paste and is refused instead of being read as 0.
double CellValue(const std::string& text) {
  if (!IsNumericText(text)) throw InputError("数据错误");
  return LeadingValue(text);
}

// The weight of the value in column c: 1 in mode one; in mode two the count below it, 0 when
// that cell is empty, else a whole number >= 0. A count too large for 16 bits is left to the
// size check.
double Weight(const CellStore& store, int c, bool weighted) {
  if (!weighted) return 1.0;
  const std::string& text = store.text(kCountRow, c);
  if (text.empty()) return 0.0;
  const double k = CellValue(text);
  if (std::isinf(k) && k > 0) return k;
  if (!(k >= 0.0) || std::floor(k) != k) throw InputError("重复数必须是非负整数");
  return k;
}

// Both input modes: every filled cell of `row` is a value x, weighted by the count below it
// in mode two and by 1 in mode one.
SampleSummary ReadRow(const CellStore& store, int row, bool weighted) {
  SampleSummary s;
  double sum = 0.0, sumSquares = 0.0;
  int n = 0;
  for (int c = 1; c < store.cols(); ++c) {
    const std::string& text = store.text(row, c);
    if (text.empty()) continue;
    const double x = CellValue(text), k = Weight(store, c, weighted);
    n = CheckedSize(n + k);
    sum += k * x;
    sumSquares += x * x * k;
  }
  s.n = n;
  s.hasMean = n > 0;
  s.hasSpread = n >= 2;
  if (n > 0) {
    s.mean = sum / n;
    s.secondMoment = sumSquares / n;
  }
  double d = 0.0;
  bool first = true;
  for (int c = 1; c < store.cols(); ++c) {
    const std::string& text = store.text(row, c);
    if (text.empty()) continue;
    const double x = LeadingValue(text);
    d += (x - s.mean) * (x - s.mean) * Weight(store, c, weighted);
    // A value whose count is 0 still takes part in the extremes.
    if (first || x > s.maximum) s.maximum = x;
    if (first || x < s.minimum) s.minimum = x;
    first = false;
  }
  if (n >= 2) s.variance = d / (n - 1);
  return s;
}

SampleSummary ReadSampleRow(const CellStore& store, int row) {
  SampleSummary s = ReadRow(store, row, false);
  s.stdDev = s.n > 1 ? std::sqrt(s.variance) : s.variance;
  // This reader delivers the standard deviation, not these.
  s.variance = 0.0;
  s.maximum = 0.0;
  s.minimum = 0.0;
  return s;
}

// The value of a summary cell, 0 unless its text is a complete number.
double SummaryCell(const CellStore& store, int row, int col) {
  const std::string& text = store.text(row, col);
  return IsNumericText(text) ? LeadingValue(text) : 0.0;
}

// A summary row the user has not touched: every cell empty or the "×" the window pre-fills.
bool UntouchedSummaryRow(const CellStore& store, int row) {
  for (int c = 1; c <= kSummaryColumns; ++c) {
    const std::string& text = store.text(row, c);
    if (!text.empty() && text != "×") return false;
  }
  return true;
}

SampleSummary ReadSummaryRow(const CellStore& store, int row) {
  SampleSummary s;
  // Without a size the other cells cannot be used: no sample of size 0 is made up.
  if (!IsNumericText(store.text(row, 1))) throw InputError("样本量太小");
  s.n = CheckedSize(std::floor(SummaryCell(store, row, 1)));
  s.mean = SummaryCell(store, row, 2);
  s.secondMoment = SummaryCell(store, row, 3);
  s.stdDev = SummaryCell(store, row, 4);
  s.hasMean = IsNumericText(store.text(row, 2));
  s.hasSpread = IsNumericText(store.text(row, 4));
  return s;
}

}  // namespace

SampleSummary ReadOneSample(const CellStore& store, InputMode mode) {
  return ReadRow(store, kValueRow, mode == InputMode::Two);
}

TwoSampleSummary ReadTwoSamples(const CellStore& store, InputMode mode) {
  TwoSampleSummary result;
  if (mode == InputMode::One) {
    result.first = ReadSampleRow(store, 1);
    if (store.rows() > 2) result.second = ReadSampleRow(store, 2);
    return result;
  }
  result.first = ReadSummaryRow(store, 1);
  // One-sample windows leave the spare second row alone: it is an absent sample.
  if (store.rows() > 2 && !UntouchedSummaryRow(store, 2)) result.second = ReadSummaryRow(store, 2);
  return result;
}

}  // namespace kelvo
