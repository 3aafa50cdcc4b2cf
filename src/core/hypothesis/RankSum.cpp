#include "core/hypothesis/RankSum.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

#include "core/text/TextNumber.h"
#include "core/tables/Quantiles.h"
#include "core/tables/RankSumTable.h"

namespace kelvo {
namespace {

constexpr int kSampleOneRow = 1;
constexpr int kSampleTwoRow = 2;
constexpr int kLargestTableSize = 10;
constexpr int kLastTableRow = 82;

constexpr const char* kOutOfRange = "置信水平应大于0小于1";

int CountFilled(const CellStore& grid, int row) {
  int n = 0;
  for (int c = 1; c < grid.cols(); ++c)
    if (!grid.text(row, c).empty()) ++n;
  return n;
}

// The values of the first `limit` filled cells of `row`, in column order.
std::vector<double> FilledValues(const CellStore& grid, int row, int limit) {
  std::vector<double> values;
  values.reserve(static_cast<std::size_t>(std::max(limit, 0)));
  for (int c = 1; c < grid.cols() && static_cast<int>(values.size()) < limit; ++c) {
    const std::string& text = grid.text(row, c);
    if (!text.empty()) values.push_back(LeadingValue(text));
  }
  return values;
}

/* The largest number of exactly equal values. Counting equal values after each one, as the
   rule is stated, is quadratic in the sample size; the largest of those counts plus one is
   the size of the largest group of equal values, which a sorted copy gives directly. */
std::size_t LargestEqualGroup(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  std::size_t largest = 0;
  for (std::size_t i = 0; i < values.size();) {
    std::size_t j = i + 1;
    while (j < values.size() && values[j] == values[i]) ++j;
    largest = std::max(largest, j - i);
    i = j;
  }
  return largest;
}

// A value that fills more than half of the sample refuses it; exactly half passes.
void CheckSampleRepeats(const CellStore& grid, int row, int n, const char* message) {
  if (2 * LargestEqualGroup(FilledValues(grid, row, n)) > static_cast<std::size_t>(n))
    throw InputError(message);
}

bool MatchesPair(const std::array<double, 5>& row, int smaller, int larger) {
  return std::fabs(row[0] - smaller) < 0.1 && std::fabs(row[1] - larger) < 0.1;
}

void RequireLevel(double alpha) {
  if (!(alpha > 0.0 && alpha < 1.0)) throw InputError(kOutOfRange);
}

}  // namespace

void CheckRankSumInput(const CellStore& grid, std::optional<RankSumHypothesis> hypothesis,
                       std::string_view alphaText) {
  if (!hypothesis) throw InputError("尚未设定假设命题");
  if (CountFilled(grid, kSampleOneRow) < 2 || CountFilled(grid, kSampleTwoRow) < 2)
    throw InputError("样本量太小");
  if (!(LeadingValue(alphaText) > 0.0)) throw InputError("置信水平数据缺乏");
}

RankSumSizes CheckRepeatedValues(const CellStore& grid) {
  const RankSumSizes sizes{CountFilled(grid, kSampleOneRow), CountFilled(grid, kSampleTwoRow)};
  CheckSampleRepeats(grid, kSampleOneRow, sizes.n1, "样本一重复数据太多错误");
  CheckSampleRepeats(grid, kSampleTwoRow, sizes.n2, "样本二重复数据太多错误");
  return sizes;
}

RankSumSamples ReadRankSumSamples(const CellStore& grid, RankSumSizes sizes) {
  return {FilledValues(grid, kSampleOneRow, sizes.n1), FilledValues(grid, kSampleTwoRow, sizes.n2)};
}

RankSumRanking RankSamples(const RankSumSamples& samples) {
  RankSumRanking r;
  r.n1 = static_cast<int>(samples.first.size());
  r.n2 = static_cast<int>(samples.second.size());
  if (r.n1 < 1 || r.n2 < 1) throw InputError("样本量太小");
  r.table.reserve(samples.first.size() + samples.second.size());
  for (double x : samples.first) r.table.push_back({x, 1, 0.0});
  for (double x : samples.second) r.table.push_back({x, 2, 0.0});
  // Stable, so that equal values keep sample one before sample two in the shown table.
  std::stable_sort(r.table.begin(), r.table.end(),
                   [](const RankedValue& a, const RankedValue& b) { return a.value < b.value; });

  // Positions are 1-based: a group of equal values at positions i..e shares (i + e) / 2.
  const std::size_t total = r.table.size();
  for (std::size_t i = 0; i < total;) {
    std::size_t e = i;
    while (e + 1 < total && r.table[e + 1].value == r.table[i].value) ++e;
    const double midRank = (static_cast<double>(i + 1) + static_cast<double>(e + 1)) / 2.0;
    for (std::size_t k = i; k <= e; ++k) r.table[k].rank = midRank;
    const double t = static_cast<double>(e - i + 1);
    r.tieSum += t * t * t - t;
    i = e + 1;
  }

  double all = 0.0;
  for (const RankedValue& v : r.table) {
    all += v.rank;
    if (v.sample == 1) r.r1 += v.rank;
  }
  r.r2 = all - r.r1;

  // In doubles throughout: N³ and 12·N·(N − 1) leave every integer type a size could be kept
  // in long before the grid runs out of columns.
  const double n = static_cast<double>(total);
  const double n1 = r.n1, n2 = r.n2;
  r.mean = n1 * (n + 1.0) / 2.0;
  r.sigma = std::sqrt(n1 * n2 * (n * n * n - n - r.tieSum) / (12.0 * n * (n - 1.0)));
  return r;
}

bool InRankSumTable(int n1, int n2) {
  return std::max(n1, n2) <= kLargestTableSize;
}

RankSumBounds LookUpRankSumBounds(int n1, int n2, double alphaPrime) {
  RankSumBounds bounds;
  bounds.sampleOneSmaller = !(n2 < n1);
  const int a = std::min(n1, n2), b = std::max(n1, n2);
  if (b > kLargestTableSize)
    throw InputError("样本量超出秩和检验表的范围");
  const auto& table = RankSumTable();
  int i = 0;
  while (i <= kLastTableRow && !MatchesPair(table[i], a, b)) ++i;
  // The search would end on the zero row, whose bounds 0 and 0 decide nothing soundly.
  if (i > kLastTableRow) throw InputError("样本量太小,秩和检验表无此组合");
  if (MatchesPair(table[i + 1], a, b) && alphaPrime >= table[i + 1][4]) ++i;
  bounds.t1 = static_cast<int>(std::lround(table[i][2]));
  bounds.t2 = static_cast<int>(std::lround(table[i][3]));
  bounds.smallerSize = a;
  bounds.largerSize = b;
  bounds.row = i;
  bounds.probability = table[i][4];
  return bounds;
}

RankSumResult RankSumDecision(TableStore& tables, RankSumHypothesis hypothesis, const RankSumSamples& samples,
                              double alphaPrime) {
  RequireLevel(alphaPrime);
  RankSumResult result;
  result.alphaPrime = alphaPrime;
  result.ranking = RankSamples(samples);
  const RankSumRanking& r = result.ranking;
  TestResult& test = result.test;
  test.distribution = StatisticDistribution::RankSum;
  test.intermediates.add("R1", r.r1);
  test.intermediates.add("R2", r.r2);
  bool reject = false;

  if (!InRankSumTable(r.n1, r.n2)) {
    RankSumNormal normal;
    normal.quantile = NormalQuantile(tables, 1.0 - alphaPrime);
    const double z = normal.quantile.value;
    normal.lower = r.mean - z * r.sigma;
    normal.upper = r.mean + z * r.sigma;
    if (r.sigma > 0.0) normal.standardized = (r.r1 - r.mean) / r.sigma;
    switch (hypothesis) {
      case RankSumHypothesis::FirstLess: reject = r.r1 < normal.lower; break;
      case RankSumHypothesis::FirstGreater: reject = r.r1 > normal.upper; break;
      case RankSumHypothesis::TwoSided: reject = r.r1 < normal.lower || r.r1 > normal.upper; break;
    }
    result.w = r.r1;
    test.criticalValues.push_back(normal.quantile);
    test.intermediates.add("W", result.w);
    test.intermediates.add("tieSum", r.tieSum);
    test.intermediates.add("mean", r.mean);
    test.intermediates.add("sigma", r.sigma);
    test.intermediates.add("z", z);
    test.intermediates.add("lower", normal.lower);
    test.intermediates.add("upper", normal.upper);
    if (normal.standardized) test.intermediates.add("standardized", *normal.standardized);
    result.normal = normal;
  } else {
    const RankSumBounds b = LookUpRankSumBounds(r.n1, r.n2, alphaPrime);
    result.w = b.sampleOneSmaller ? r.r1 : r.r2;
    switch (hypothesis) {
      case RankSumHypothesis::FirstLess:
        reject = b.sampleOneSmaller ? r.r1 <= b.t1 : r.r2 >= b.t2;
        break;
      case RankSumHypothesis::FirstGreater:
        reject = b.sampleOneSmaller ? r.r1 >= b.t2 : r.r2 <= b.t1;
        break;
      case RankSumHypothesis::TwoSided: reject = result.w <= b.t1 || result.w >= b.t2; break;
    }
    test.intermediates.add("W", result.w);
    test.intermediates.add("T1", b.t1);
    test.intermediates.add("T2", b.t2);
    test.intermediates.add("p", b.probability);
    result.bounds = b;
  }
  test.statistic = result.w;
  test.decision = reject ? Decision::AcceptH1 : Decision::AcceptH0;
  return result;
}

double RankSumLevel(RankSumHypothesis hypothesis, double alpha) {
  RequireLevel(alpha);
  return hypothesis == RankSumHypothesis::TwoSided ? alpha / 2.0 : alpha;
}

double ValidateSignificance(std::string_view text) {
  if (!IsNumericText(text)) throw SignificanceError("请在置信水平输入数据", false);
  const double alpha = LeadingValue(text);
  if (!(alpha > 0.0 && alpha < 1.0)) throw SignificanceError(kOutOfRange, true);
  return alpha;
}

RankSumResult ComputeRankSumTest(TableStore& tables, const CellStore& grid,
                                 std::optional<RankSumHypothesis> hypothesis, std::string_view alphaText) {
  CheckRankSumInput(grid, hypothesis, alphaText);
  const RankSumSizes sizes = CheckRepeatedValues(grid);
  const double alphaPrime = RankSumLevel(*hypothesis, LeadingValue(alphaText));
  return RankSumDecision(tables, *hypothesis, ReadRankSumSamples(grid, sizes), alphaPrime);
}

}  // namespace kelvo
