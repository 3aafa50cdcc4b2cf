#include "core/sample/SampleChecks.h"

#include <algorithm>
#include <cmath>

#include "core/text/Errors.h"
#include "core/text/TextNumber.h"

namespace kelvo {
namespace {

constexpr int kSmallestSize = -32768;
constexpr int kLargestSize = 32767;
constexpr int kSummaryColumns = 4;

}  // namespace

int TypedSize(const CellStore& store, int row) {
  const std::string& text = store.text(row, 1);
  if (!IsNumericText(text)) return 0;
  return WholeNumberInRange(text, kSmallestSize, kLargestSize);
}

void RequireSampleSizes(int n1, int n2, bool secondRead) {
  if (n1 < 2 || (secondRead && n2 < 2)) throw InputError("样本量太小");
}

double CountedSize(const CellStore& store, InputMode mode) {
  double n = 0.0;
  for (int c = 1; c < store.cols(); ++c) {
    if (store.text(1, c).empty()) continue;
    n += mode == InputMode::Two ? std::floor(LeadingValue(store.text(2, c))) : 1.0;
  }
  return n;
}

void RequireCountedSize(const CellStore& store, InputMode mode) {
  const double n = CountedSize(store, mode);
  if (n > kLargestSize) throw InputError("样本量超出范围");
  if (!(n > 1.0)) throw InputError("样本量太小");
}

void RequireLevelGiven(double alpha) {
  if (!(alpha > 0.0)) throw InputError("置信水平数据缺乏");
}

void RequireKnownSigma(std::string_view text) {
  if (!(LeadingValue(text) > 0.0)) throw InputError("σ数据缺乏");
}

void RequireKnownMean(std::string_view text) {
  if (text.empty()) throw InputError("μ数据缺乏");
}

CellStore FirstRowOnly(const CellStore& store, InputMode mode) {
  const int cols = mode == InputMode::One ? store.cols() : std::min(store.cols(), kSummaryColumns + 1);
  CellStore rowOne(2, cols);
  for (int c = 0; c < cols; ++c) rowOne.setText(1, c, store.text(1, c));
  return rowOne;
}

}  // namespace kelvo
