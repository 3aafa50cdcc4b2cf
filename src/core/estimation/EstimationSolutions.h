#pragma once
// Worked solutions of the estimates: the point estimates, the large-sample intervals and the
// normal-population intervals, written out the way a textbook solves them. Each builder takes
// the computation's result and the input it was computed from; intervals show every quantile
// as the table gives it and as Boost.Math computes it, and the interval worked out with both.
#include "core/estimation/IntervalResult.h"
#include "core/estimation/LargeSampleIntervals.h"
#include "core/estimation/NormalIntervals.h"
#include "core/estimation/PointEstimates.h"
#include "core/sample/SampleSummary.h"
#include "core/documents/WorkedSolution.h"

namespace kelvo {

// Sample summary, moment equations and their solution, likelihood and its maximisation.
WorkedSolution BuildPointEstimationSolution(const PointEstimates& estimates, const PointEstimateInput& input);

// z from the table and exact, the quadratic A·t² − B·t + C = 0 (or √n·x̄/(√n ± z)) with both.
WorkedSolution BuildLargeSampleIntervalSolution(const IntervalResult& result, const LargeSampleIntervalInput& input);

// The two-sided interval and both one-sided limits, each with its formula, its quantile from
// the table and exact, and its bounds both ways. A result that lacks the critical values or
// intermediates of its interval (one not computed from this input) throws std::invalid_argument.
WorkedSolution BuildNormalIntervalSolution(const NormalIntervalResult& result, const NormalIntervalInput& input);

}  // namespace kelvo
