#include "core/sample/Readers.h"

#include <cmath>

#include "core/shell/Errors.h"
#include "core/shell/TextNumber.h"

namespace kelvo {
namespace {

constexpr int kValueRow = 1;
constexpr int kCountRow = 2;
constexpr double kMinSize = -32768.0;
constexpr double kMaxSize = 32767.0;

// Sizes are 16-bit quantities for the computations; a size beyond that range is refused
// rather than wrapped round into a plausible but wrong one.
int CheckedSize(double n) {
  if (!(n >= kMinSize && n <= kMaxSize)) throw InputError("样本量超出范围");
  return static_cast<int>(n);
}

// Both input modes: every filled cell of `row` is a value x, weighted by the count below it
// in mode two (an empty or non-numeric count weighs 0) and by 1 in mode one. The size is
// rounded halves to even after every addition, as a 16-bit count would be.
SampleSummary ReadRow(const CellStore& store, int row, bool weighted) {
  auto weight = [&](int c) { return weighted ? LeadingValue(store.text(kCountRow, c)) : 1.0; };
  SampleSummary s;
  double sum = 0.0, sumSquares = 0.0;
  int n = 0;
  for (int c = 1; c < store.cols(); ++c) {
    const std::string& text = store.text(row, c);
    if (text.empty()) continue;
    const double x = LeadingValue(text), k = weight(c);
    n = CheckedSize(RoundHalfEven(n + k));
    sum += k * x;
    sumSquares += x * x * k;
  }
  s.n = n;
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
    d += (x - s.mean) * (x - s.mean) * weight(c);
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

SampleSummary ReadSummaryRow(const CellStore& store, int row) {
  SampleSummary s;
  s.n = CheckedSize(std::floor(SummaryCell(store, row, 1)));
  s.mean = SummaryCell(store, row, 2);
  s.secondMoment = SummaryCell(store, row, 3);
  s.stdDev = SummaryCell(store, row, 4);
  return s;
}

}  // namespace

SampleSummary ReadOneSample(const CellStore& store, InputMode mode) {
  return ReadRow(store, kValueRow, mode == InputMode::Two);
}

TwoSampleSummary ReadTwoSamples(const CellStore& store, InputMode mode) {
  TwoSampleSummary result;
  auto readRow = [&](int row) {
    return mode == InputMode::One ? ReadSampleRow(store, row) : ReadSummaryRow(store, row);
  };
  result.first = readRow(1);
  if (store.rows() > 2) result.second = readRow(2);
  return result;
}

}  // namespace kelvo
