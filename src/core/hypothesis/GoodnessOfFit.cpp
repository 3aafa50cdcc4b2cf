#include "core/hypothesis/GoodnessOfFit.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/sample/Readers.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"
#include "core/tables/Quantiles.h"

namespace kelvo {
namespace {

constexpr int kValueRow = 1;
constexpr int kCountRow = 2;
constexpr int kGroupCountRow = 3;
constexpr double kMaxCount = 32767.0;
constexpr int kContinuousClasses = 9;
constexpr double kMinExpected = 5.0;

const char* const kNoSample = "没有样本数据,无法检验";
const char* const kOutOfRange = "计算结果超出范围";
const char* const kNoGroupedData = "该分布不能使用间隔数据,请选择离散数据或重复数据";
const char* const kTooManyClasses = "数据范围太大,分组数超出范围";

bool Filled(const CellStore& store, int row, int col) { return !store.text(row, col).empty(); }

double Value(const CellStore& store, int row, int col) {
  return LeadingValue(store.text(row, col));
}

// How many observations a filled value stands for: 1, or its (whole) repeat count.
double Weight(const CellStore& sample, FittingInputMode mode, int col) {
  return mode == FittingInputMode::RepeatCounts ? std::floor(Value(sample, kCountRow, col)) : 1.0;
}

bool IsDiscrete(FittingEntry entry) { return static_cast<int>(entry) <= 6; }

bool RefusesGroupedData(FittingEntry entry) {
  return entry == FittingEntry::UserLaw || entry == FittingEntry::ZeroOneKnown ||
         entry == FittingEntry::ZeroOneUnknown;
}

void RequireFinite(double value) {
  if (!std::isfinite(value)) throw InputError(kOutOfRange);
}

// The first class takes the law's whole lower tail and the last its whole upper tail.
void OpenTheEnds(std::vector<FittingClass>& classes) {
  if (classes.empty()) return;
  classes.front().openBelow = true;
  classes.back().openAbove = true;
}

void AddEstimates(FittingEntry entry, const FittingParameters& q, NamedValues& values) {
  switch (entry) {
    case FittingEntry::BinomialUnknown:
      values.add("P", q.binomialP);
      break;
    case FittingEntry::PoissonUnknown:
      values.add("λ", q.poissonLambda);
      break;
    case FittingEntry::UniformUnknown:
      values.add("A", q.uniformA);
      values.add("B", q.uniformB);
      break;
    case FittingEntry::NormalUnknown:
      values.add("μ", q.normalMu);
      values.add("σ", q.normalSigma);
      break;
    case FittingEntry::ExponentialUnknown:
      values.add("θ", q.exponentialTheta);
      break;
    default:
      break;
  }
}

// Merged classes the statistic can be formed over.
void RequireTestableClasses(const std::vector<FittingClass>& merged) {
  for (const FittingClass& c : merged)
    if (!(c.expected > 0.0)) throw InputError("合并后有一组的期望频数为0,无法检验");
  if (merged.size() == 1 && merged.front().expected < kMinExpected)
    throw InputError("样本量太小,各组合并后期望频数仍不足5,无法检验");
}

}  // namespace

int EstimatedParameterCount(FittingEntry entry) {
  switch (entry) {
    case FittingEntry::BinomialUnknown:
    case FittingEntry::PoissonUnknown:
    case FittingEntry::ExponentialUnknown:
      return 1;
    case FittingEntry::UniformUnknown:
    case FittingEntry::NormalUnknown:
      return 2;
    default:
      return 0;
  }
}

std::vector<FittingClass> ReadClasses(const CellStore& sample, FittingInputMode mode,
                                      FittingEntry entry) {
  std::vector<FittingClass> classes;
  if (mode == FittingInputMode::Grouped) {
    if (RefusesGroupedData(entry)) throw InputError(kNoGroupedData);
    classes = ReadGroupedClasses(sample);
  } else if (IsDiscrete(entry)) {
    classes = BuildDiscreteClasses(sample, mode);
  } else {
    classes = BuildContinuousClasses(sample, mode);
  }
  // Counts and the number of classes are sizes, kept within 32767 like every size the readers
  // give: a larger one is refused rather than cut down to fit.
  if (classes.size() > static_cast<std::size_t>(kMaxCount)) throw InputError("样本量超出范围");
  for (const FittingClass& c : classes)
    if (c.observed > kMaxCount) throw InputError("样本量超出范围");
  return classes;
}

std::vector<FittingClass> BuildDiscreteClasses(const CellStore& sample, FittingInputMode mode) {
  bool any = false;
  double first = 0.0, last = 0.0;
  for (int c = 1; c < sample.cols(); ++c) {
    if (!Filled(sample, kValueRow, c)) continue;
    const double w = std::floor(Value(sample, kValueRow, c));
    if (!any || w < first) first = w;
    if (!any || w > last) last = w;
    any = true;
  }
  if (!any) return {};
  // One class per whole number of the range: a range such as 0 to 10^9 is refused before a
  // class table of that size is made.
  const double count = last - first + 1.0;
  if (!(count <= kMaxCount)) throw InputError(kTooManyClasses);
  std::vector<FittingClass> classes(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < classes.size(); ++i) {
    classes[i].lower = first + static_cast<double>(i);
    classes[i].upper = classes[i].lower + 1.0;
  }
  for (int c = 1; c < sample.cols(); ++c) {
    if (!Filled(sample, kValueRow, c)) continue;
    const double w = std::floor(Value(sample, kValueRow, c));
    classes[static_cast<std::size_t>(w - first)].observed += Weight(sample, mode, c);
  }
  OpenTheEnds(classes);
  return classes;
}

std::vector<FittingClass> BuildContinuousClasses(const CellStore& sample, FittingInputMode mode) {
  bool any = false;
  double min = 0.0, max = 0.0;
  for (int c = 1; c < sample.cols(); ++c) {
    if (!Filled(sample, kValueRow, c)) continue;
    const double x = Value(sample, kValueRow, c);
    if (!any || x < min) min = x;
    if (!any || x > max) max = x;
    any = true;
  }
  if (!any) return {};
  // Equal values leave nothing to divide: one class that holds the whole law.
  const int count = max > min ? kContinuousClasses : 1;
  const double h = (max - min) / count;
  RequireFinite(h);
  std::vector<FittingClass> classes(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    classes[static_cast<std::size_t>(i)].lower = min + i * h;
    classes[static_cast<std::size_t>(i)].upper = i + 1 == count ? max : min + (i + 1) * h;
  }
  for (int c = 1; c < sample.cols(); ++c) {
    if (!Filled(sample, kValueRow, c)) continue;
    const double x = Value(sample, kValueRow, c);
    /* The class by its number of widths above the minimum. A value on a class bound belongs
       to the class it starts; the small allowance keeps it there when rounding leaves it a
       hair short ((1.14 − 1) / 0.02 is 6.999999999999997), so that the same lengths in
       metres and in centimetres fall in the same classes. */
    const double widths = h > 0.0 ? (x - min) / h : 0.0;
    const int i = std::clamp(static_cast<int>(std::floor(widths + 1e-9)), 0, count - 1);
    classes[static_cast<std::size_t>(i)].observed += Weight(sample, mode, c);
  }
  OpenTheEnds(classes);
  return classes;
}

std::vector<FittingClass> ReadGroupedClasses(const CellStore& sample) {
  std::vector<FittingClass> classes;
  for (int c = 1; c < sample.cols(); ++c) {
    if (!Filled(sample, kValueRow, c)) continue;
    FittingClass k;
    k.lower = Value(sample, kValueRow, c);
    k.upper = Value(sample, kCountRow, c);
    k.observed = Value(sample, kGroupCountRow, c);
    classes.push_back(k);
  }
  // The intervals may be typed in any order; together they must cover one stretch, or the
  // law's probability between them would belong to no class.
  std::stable_sort(classes.begin(), classes.end(),
                   [](const FittingClass& a, const FittingClass& b) { return a.lower < b.lower; });
  for (std::size_t i = 1; i < classes.size(); ++i)
    if (classes[i].lower != classes[i - 1].upper) throw InputError("区间数据必须首尾相接");
  OpenTheEnds(classes);
  return classes;
}

SampleSummary ReadFittingSample(const CellStore& sample, FittingInputMode mode) {
  if (mode != FittingInputMode::Grouped)
    return ReadOneSample(sample, mode == FittingInputMode::RepeatCounts ? InputMode::Two
                                                                        : InputMode::One);
  SampleSummary s;
  double n = 0.0;
  for (int c = 1; c < sample.cols(); ++c) {
    if (!Filled(sample, kValueRow, c)) continue;
    n = RoundHalfEven(n + Value(sample, kGroupCountRow, c));
    if (!(n >= -kMaxCount - 1.0 && n <= kMaxCount)) throw InputError("样本量超出范围");
  }
  s.n = static_cast<int>(n);
  return s;
}

std::vector<FittingClass> MergeSmallClasses(const std::vector<FittingClass>& classes) {
  std::vector<FittingClass> merged;
  const std::size_t k = classes.size();
  for (std::size_t s = 0; s < k;) {
    FittingClass group = classes[s];
    std::size_t m = 1;
    for (; group.expected < kMinExpected && s + m < k; ++m) {
      group.expected += classes[s + m].expected;
      group.observed += classes[s + m].observed;
      group.probability += classes[s + m].probability;
    }
    group.upper = classes[s + m - 1].upper;
    group.openAbove = classes[s + m - 1].openAbove;
    merged.push_back(group);
    s += m;
  }
  if (merged.size() >= 2 && merged.back().expected < kMinExpected) {
    const FittingClass last = merged.back();
    merged.pop_back();
    FittingClass& before = merged.back();
    before.upper = last.upper;
    before.openAbove = last.openAbove;
    before.observed += last.observed;
    before.probability += last.probability;
    before.expected += last.expected;
  }
  return merged;
}

double ChiSquareStatistic(const std::vector<FittingClass>& merged) {
  RequireTestableClasses(merged);
  double sum = 0.0;
  for (const FittingClass& k : merged) sum += ChiSquareShare(k);
  return sum;
}

double ChiSquareShare(const FittingClass& k) {
  return (k.observed - k.expected) * (k.observed - k.expected) / k.expected;
}

FittingResult ComputeFittingTest(TableStore& tables, const FittingRequest& request, const CellStore& sample,
                                 const CellStore& law) {
  FittingResult result;
  result.entry = request.entry;
  result.parameters = request.parameters;
  if (request.mode == FittingInputMode::Grouped && RefusesGroupedData(request.entry))
    throw InputError(kNoGroupedData);
  CheckFittingCells(sample, request.mode);

  if (request.entry == FittingEntry::ZeroOneUnknown) {
    // Whether the values are 0s and 1s is the whole test here: any such sample fits a
    // 0-1 law with P estimated from it.
    bool any = false;
    for (int c = 1; c < sample.cols() && !any; ++c) any = Filled(sample, kValueRow, c);
    if (!any) throw InputError(kNoSample);
    try {
      CheckZeroOneData(sample, request.mode);
      result.test.decision = Decision::AcceptH0;
    } catch (const InputError& e) {
      result.test.decision = Decision::AcceptH1;
      result.dataMessage = e.what();
    }
    return result;
  }

  CheckFittingData(request.entry, request.mode, request.parameters, sample, law);
  CheckFittingAlpha(request.alpha);

  result.classes = ReadClasses(sample, request.mode, request.entry);
  const SampleSummary summary = ReadFittingSample(sample, request.mode);
  if (result.classes.empty() || summary.n <= 0) throw InputError(kNoSample);
  result.n = summary.n;
  result.parameters = PrepareParameters(request.entry, request.mode, summary, request.parameters);
  result.classes = ClassProbabilities(request.entry, result.parameters, law,
                                      std::move(result.classes), result.n);
  result.merged = MergeSmallClasses(result.classes);
  result.estimatedCount = EstimatedParameterCount(request.entry);

  TestResult& test = result.test;
  test.distribution = StatisticDistribution::ChiSquare;
  test.intermediates.add("n", result.n);
  AddEstimates(request.entry, result.parameters, test.intermediates);
  test.statistic = ChiSquareStatistic(result.merged);
  RequireFinite(test.statistic);
  const int df = static_cast<int>(result.merged.size()) - result.estimatedCount - 1;
  if (df < 1) throw InputError("自由度太小,无法检验");
  test.df = df;
  test.criticalValues.push_back(ChiSquareQuantile(tables, df, request.alpha));
  test.decision = test.statistic < test.criticalValues.front().value ? Decision::AcceptH0
                                                                     : Decision::AcceptH1;
  return result;
}

}  // namespace kelvo
