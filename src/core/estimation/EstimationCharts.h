#pragma once
// Charts of the estimation windows' results: confidence intervals on the parameter's axis with
// the point estimate, and the sample's histogram with the densities fitted by the moment and
// the likelihood estimates.
#include <optional>
#include <string>
#include <vector>

#include "core/estimation/IntervalResult.h"
#include "core/estimation/LargeSampleIntervals.h"
#include "core/estimation/NormalIntervals.h"
#include "core/estimation/PointEstimates.h"
#include "core/sample/CellStore.h"
#include "core/sample/Domain.h"
#include "core/sample/SampleSummary.h"
#include "core/documents/ChartDescription.h"

namespace kelvo {

// The values of row 1 of the grid, each weighted by its repeat count in row 2 in input mode
// two (1 in mode one); empty cells, cells that are not numbers and counts not above 0 are
// left out.
std::vector<WeightedValue> ReadWeightedSample(const CellStore& store, InputMode mode);

// A large-sample interval: the two-sided interval of the parameter with its point estimate
// (x̄, or x̄/N for the binomial).
ChartDescription LargeSampleIntervalChart(const IntervalResult& interval, const LargeSampleIntervalInput& input);

// A normal-population interval: the two-sided interval and the two one-sided ones, each on its
// own line, with the point estimate where the interval has one written in the samples (x̄, s,
// x̄1 − x̄2, s1/s2).
ChartDescription NormalIntervalChart(const NormalIntervalResult& interval, const NormalIntervalInput& input);

// The point-estimation window: for the discrete models the sample's relative frequencies with
// the probabilities under both estimates, for the continuous ones its histogram with both
// fitted densities. An estimate that leaves the law undefined (σ not above 0, B = A, θ not
// above 0) draws no curve and says so in the note.
// trialCount is N, read by the binomial model only.
ChartDescription PointEstimationChart(PointModel model, const std::vector<WeightedValue>& sample,
                                      const PointEstimates& estimates, int trialCount);

}  // namespace kelvo
