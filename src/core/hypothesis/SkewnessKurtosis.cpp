#include "core/hypothesis/SkewnessKurtosis.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/hypothesis/AcceptanceRegion.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"
#include "core/tables/Quantiles.h"

namespace kelvo {
namespace {

constexpr int kLastColumn = 100;
constexpr int kFewestValues = 10;

}  // namespace

TestResult TestSkewnessKurtosis(TableStore& tables, const CellStore& store, double alpha) {
  RequireSignificanceLevel(alpha);
  TestResult result;
  result.distribution = StatisticDistribution::Normal;
  result.criticalValues.push_back(NormalQuantile(tables, 1.0 - alpha / 4.0));
  const double z = result.criticalValues.back().value;

  double n = 0.0, s1 = 0.0, s2 = 0.0, s3 = 0.0, s4 = 0.0;
  double first = 0.0;
  bool allEqual = true;
  const int lastColumn = std::min(kLastColumn, store.cols() - 1);
  for (int c = 1; c <= lastColumn; ++c) {
    const std::string& text = store.text(1, c);
    if (text.empty()) continue;
    if (!IsNumericText(text)) throw InputError("数据错误");
    const double x = LeadingValue(text);
    if (n == 0.0) first = x;
    allEqual = allEqual && x == first;
    n += 1.0;
    s1 += x;
    s2 += x * x;
    s3 += x * x * x;
    s4 += x * x * x * x;
  }
  if (n < kFewestValues) throw InputError("样本量太少数据错误");

  const double a1 = s1 / n, a2 = s2 / n, a3 = s3 / n, a4 = s4 / n;
  const double b2 = a2 - a1 * a1;
  // Equal values leave B2 at 0, or, through rounding, a hair either side of it.
  if (allEqual || !(b2 > 0.0)) throw InputError("样本方差为0,无法检验");
  const double b3 = a3 - 3.0 * a2 * a1 + 2.0 * a1 * a1 * a1;
  const double b4 = a4 - 4.0 * a3 * a1 + 6.0 * a2 * a1 * a1 - 3.0 * a1 * a1 * a1 * a1;
  const double g1 = b3 / (std::sqrt(b2) * b2);
  const double g2 = b4 / (b2 * b2);
  const double sigma1 = std::sqrt(6.0 * (n - 2.0) / ((n + 1.0) * (n + 3.0)));
  const double sigma2 = std::sqrt(24.0 * n * (n - 2.0) * (n - 3.0) /
                                  ((n + 1.0) * (n + 1.0) * (n + 3.0) * (n + 5.0)));
  // 3 − 6/(n + 1) is the expected kurtosis of a normal sample of n.
  const double u1 = std::fabs(g1 / sigma1);
  const double u2 = std::fabs((g2 - 3.0 + 6.0 / (n + 1.0)) / sigma2);
  result.intermediates.add("n", n);
  result.intermediates.add("g1", g1);
  result.intermediates.add("g2", g2);
  result.intermediates.add("sigma1", sigma1);
  result.intermediates.add("sigma2", sigma2);
  result.intermediates.add("u1", u1);
  result.intermediates.add("u2", u2);
  RequireFiniteStatistic(u1);
  RequireFiniteStatistic(u2);
  result.statistic = std::max(u1, u2);

  const Edges belowZ{-HUGE_VAL, z};
  const bool accepted = Accepts(u1, belowZ, EdgeRule::Rejects) && Accepts(u2, belowZ, EdgeRule::Rejects);
  result.decision = accepted ? Decision::AcceptH0 : Decision::AcceptH1;
  return result;
}

}  // namespace kelvo
