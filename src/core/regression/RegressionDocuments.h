#pragma once
// What a regression shows beside its result labels: the worked solution, the scatter chart with
// the fitted line or curve and its bands, the chart of the residuals, and the status line.
#include <string>

#include "core/documents/ChartDescription.h"
#include "core/documents/WorkedSolution.h"
#include "core/regression/Regression.h"

namespace kelvo {

// The fitted equation in the model's own form, six significant digits:
// "ŷ = 74.2833 + 14.9475x", "ŷ = 11.4371·e^(0.291216x)", "1/ŷ = 0.00896663 + 0.000829174/x".
std::string FittedEquation(const RegressionResult& result);

// The textbook route: the transformation, ū, v̄, S_uu, S_uv, S_vv, the estimates with their
// numbers put in, Q_e and σ̂², r, the t test with table and exact critical values and the p-value,
// the interval of b and the intervals at x0.
WorkedSolution RegressionSolution(const RegressionResult& result);

// The pairs, the fitted curve and the 1 − α bands of the mean response and of a new
// observation, in x and y; each band one outline, its lower edge left to right, then its upper
// edge right to left. The bands of 1/y = a + b/x are left out where they cross 1/y = 0.
ChartDescription RegressionChart(const RegressionResult& result);

// The residuals v − v̂ against x, with the line at 0.
ChartDescription ResidualChart(const RegressionResult& result);

// "b̂ = 14.947，t = 11.3517，临界值 t₀.₀₂₅(18) = 2.1009，p < 0.0001".
std::string RegressionStatusLine(const RegressionResult& result);

}  // namespace kelvo
