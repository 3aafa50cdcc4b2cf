#pragma once
// Worked solutions of the estimation windows: the point estimates (Form9), the large-sample
// intervals (Form3) and the normal-population intervals (Form3a), written out the way a
// textbook solves them. Each builder takes the computation's result and what the window knew
// besides (mode, sample, level, known values); intervals show every quantile as the table
// gives it and as Boost.Math computes it, and the interval worked out with both.
#include "core/estimation/IntervalResult.h"
#include "core/estimation/PointEstimates.h"
#include "core/sample/Domain.h"
#include "core/sample/SampleSummary.h"
#include "core/documents/WorkedSolution.h"

namespace kelvo {

struct PointSolutionInput {
  PointModel model = PointModel::Bernoulli;
  SampleSummary sample;  // n, mean, secondMoment, variance; minimum and maximum for the uniform
  int binomialN = 0;     // read for the binomial model only
};

// Sample summary, moment equations and their solution, likelihood and its maximisation.
WorkedSolution BuildPointEstimationSolution(const PointEstimates& estimates, const PointSolutionInput& input);

struct LargeSampleSolutionInput {
  Family family = Family::Bernoulli;
  SampleSummary sample;  // n, mean, variance
  double level = 0.95;   // confidence level c
  int binomialN = 0;     // read for the binomial family only
};

// z from the table and exact, the quadratic A·t² − B·t + C = 0 (or √n·x̄/(√n ± z)) with both.
WorkedSolution BuildLargeSampleIntervalSolution(const IntervalResult& result, const LargeSampleSolutionInput& input);

struct NormalSolutionInput {
  int mode = 1;              // Form3a's mode 1..9
  TwoSampleSummary samples;  // n, mean, secondMoment, stdDev of each sample
  double level = 0.95;       // confidence level c
  double knownValue1 = 0.0;  // 1: σ; 3: μ; 5: σ1; 8: μ1
  double knownValue2 = 0.0;  // 5: σ2; 8: μ2
};

// The two-sided interval and both one-sided limits, each with its formula, its quantile from
// the table and exact, and its bounds both ways. A mode outside 1..9, or a result that lacks
// the critical values of its mode, throws std::invalid_argument.
WorkedSolution BuildNormalIntervalSolution(const NormalIntervalResult& result, const NormalSolutionInput& input);

}  // namespace kelvo
