#include "core/estimation/IntervalStatusLine.h"

#include <stdexcept>
#include <vector>

#include "core/documents/WorkedSolution.h"

namespace kelvo {
namespace {

std::string Fixed(double value) { return FixedNumber(value, 4); }

std::string Interval(double lower, double upper) { return IntervalText(Fixed(lower), Fixed(upper)); }

std::string Quantile(const CriticalValue& cv) { return QuantileSymbol(cv) + " = " + Fixed(cv.value); }

}  // namespace

std::string StatusLine(const IntervalResult& result) {
  std::string line = "置信区间 " + Interval(result.lower, result.upper);
  for (const CriticalValue& cv : result.criticalValues) line += "，" + Quantile(cv);
  return line;
}

std::string StatusLine(const NormalIntervalResult& result, NormalInterval kind) {
  const std::vector<CriticalValue>& cv = result.criticalValues;
  const bool scale = IsScaleInterval(kind);
  std::string twoSided, oneSided;
  if (!scale && cv.size() == 2) {
    // A mean or a difference of means: one quantile for each kind of interval.
    twoSided = Quantile(cv[0]);
    oneSided = Quantile(cv[1]);
  } else if (scale && cv.size() == 4) {
    // A standard deviation or a ratio: the bounds of the two-sided interval come from the
    // quantiles at α/2 and 1 − α/2, the one-sided upper limit from the one at 1 − α, the
    // one-sided lower limit from the one at α.
    twoSided = Quantile(cv[0]) + "、" + Quantile(cv[1]);
    oneSided = Quantile(cv[3]) + "、" + Quantile(cv[2]);
  } else {
    throw std::invalid_argument("interval result without its quantiles");
  }
  return "双侧 " + Interval(result.lower, result.upper) + "，" + twoSided + "；单侧 " + oneSided;
}

}  // namespace kelvo
