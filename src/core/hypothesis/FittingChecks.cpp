#include "core/hypothesis/FittingChecks.h"

#include <cmath>
#include <string>

#include "core/text/Errors.h"
#include "core/text/TextNumber.h"

namespace kelvo {
namespace {

constexpr int kValueRow = 1;
constexpr int kCountRow = 2;  // repeat counts; upper bounds of grouped data
constexpr int kGroupCountRow = 3;
constexpr double kLawSumTolerance = 0.05;

bool Filled(const CellStore& store, int row, int col) { return !store.text(row, col).empty(); }

double Value(const CellStore& store, int row, int col) {
  return LeadingValue(store.text(row, col));
}

// A filled cell whose text is not a finite number: pasted text can be anything.
void RequireNumber(const CellStore& store, int row, int col) {
  const std::string& text = store.text(row, col);
  if (text.empty()) return;
  if (!IsNumericText(text) || !std::isfinite(LeadingValue(text))) throw InputError("数据错误");
}

void RequireCount(const CellStore& store, int row, int col, const char* message) {
  RequireNumber(store, row, col);
  const double k = Value(store, row, col);
  if (k < 0.0 || k != std::floor(k)) throw InputError(message);
}

void RequireDataInRange(bool inRange) {
  if (!inRange) throw InputError("数据超限错误");
}

}  // namespace

void CheckFittingCells(const CellStore& sample, FittingInputMode mode) {
  for (int c = 1; c < sample.cols(); ++c) {
    if (!Filled(sample, kValueRow, c)) continue;
    RequireNumber(sample, kValueRow, c);
    if (mode == FittingInputMode::RepeatCounts) {
      RequireCount(sample, kCountRow, c, "重复数必须是非负整数");
    } else if (mode == FittingInputMode::Grouped) {
      RequireNumber(sample, kCountRow, c);
      RequireCount(sample, kGroupCountRow, c, "样本个数必须是非负整数");
      // A class [a, b) with b <= a would get a negative or empty share of the law.
      if (!(Value(sample, kCountRow, c) > Value(sample, kValueRow, c)))
        throw InputError("区间上限必须大于区间下限");
    }
  }
}

void CheckUserLaw(const CellStore& sample, const CellStore& law) {
  double sum = 0.0;
  int points = 0;
  for (int c = 1; c < law.cols(); ++c) {
    if (!Filled(law, 1, c)) continue;
    RequireNumber(law, 1, c);
    RequireNumber(law, 2, c);
    const double p = Value(law, 2, c);
    if (!(p > 0.0 && p < 1.0)) throw InputError("分布律定义错误,概率值非法");
    sum += p;
    ++points;
  }
  if (std::fabs(sum - 1.0) > kLawSumTolerance) throw InputError("分布律定义错误,概率和不为1");
  if (points <= 1) throw InputError("分布律定义错误");
  for (int c = 1; c < sample.cols(); ++c) {
    if (!Filled(sample, kValueRow, c)) continue;
    const double x = Value(sample, kValueRow, c);
    bool found = false;
    for (int l = 1; l < law.cols() && !found; ++l)
      found = Filled(law, 1, l) && Value(law, 1, l) == x;
    if (!found) throw InputError("数据超范围");
  }
}

void CheckZeroOneData(const CellStore& sample, FittingInputMode mode) {
  if (mode == FittingInputMode::Grouped) return;
  for (int c = 1; c < sample.cols(); ++c) {
    if (!Filled(sample, kValueRow, c)) continue;
    const double x = Value(sample, kValueRow, c);
    RequireDataInRange(x == 0.0 || x == 1.0);
  }
}

void CheckBinomialData(const CellStore& sample, FittingInputMode mode, double trials) {
  for (int c = 1; c < sample.cols(); ++c) {
    if (!Filled(sample, kValueRow, c)) continue;
    const double x = Value(sample, kValueRow, c);
    if (mode == FittingInputMode::Grouped) {
      const double upper = Value(sample, kCountRow, c);
      RequireDataInRange(x >= 0.0 && x <= trials && upper >= 0.0 && upper <= trials + 1.0);
    } else {
      RequireDataInRange(x >= 0.0 && x <= trials);
    }
  }
}

void CheckNonNegativeData(const CellStore& sample, FittingInputMode mode) {
  for (int c = 1; c < sample.cols(); ++c) {
    if (!Filled(sample, kValueRow, c)) continue;
    RequireDataInRange(Value(sample, kValueRow, c) >= 0.0);
    if (mode == FittingInputMode::Grouped) RequireDataInRange(Value(sample, kCountRow, c) >= 0.0);
  }
}

void CheckFittingData(FittingEntry entry, FittingInputMode mode, const FittingParameters& parameters,
                      const CellStore& sample, const CellStore& law) {
  switch (entry) {
    case FittingEntry::UserLaw:
      CheckUserLaw(sample, law);
      break;
    case FittingEntry::ZeroOneKnown:
    case FittingEntry::ZeroOneUnknown:
      CheckZeroOneData(sample, mode);
      break;
    case FittingEntry::BinomialKnown:
    case FittingEntry::BinomialUnknown:
      CheckBinomialData(sample, mode, parameters.binomialTrials);
      break;
    case FittingEntry::PoissonKnown:
    case FittingEntry::PoissonUnknown:
    case FittingEntry::ExponentialKnown:
    case FittingEntry::ExponentialUnknown:
      CheckNonNegativeData(sample, mode);
      break;
    default:
      break;
  }
}

void CheckFittingAlpha(double alpha) {
  if (!(alpha > 0.0 && alpha < 1.0)) throw InputError("显著水平数据错误");
}

}  // namespace kelvo
