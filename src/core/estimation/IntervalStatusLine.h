#pragma once
// The one line of numbers a student writes down after an interval estimate: the interval(s)
// and the quantiles from the tables they were built with, 4 decimals each, e.g.
// "置信区间 (0.2345, 0.5678)，z₀.₀₂₅ = 1.9600".
#include <string>

#include "core/estimation/IntervalResult.h"
#include "core/estimation/NormalIntervals.h"

namespace kelvo {

// A large-sample interval: the two-sided interval and its normal quantile.
std::string StatusLine(const IntervalResult& result);

// A normal-population interval of the kind given: the two-sided interval with its quantile(s), then
// the quantile(s) of the one-sided limits (the labels show those limits; the line must fit the
// window), e.g. "双侧 (9.0200, 10.9800)，t₀.₀₂₅(15) = 2.1314；单侧 t₀.₀₅(15) = 1.7531"; for a
// standard deviation or a ratio the upper limit's quantile comes first.
// Throws std::invalid_argument for a result without the 2 or 4 quantiles of its kind.
std::string StatusLine(const NormalIntervalResult& result, NormalInterval kind);

}  // namespace kelvo
