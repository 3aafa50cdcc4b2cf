#pragma once
// Simple linear regression y = a + bx by least squares, and the curves a textbook turns into a
// line by transforming x and y: each is fitted as v = a' + b·u on the transformed pairs (u, v).
// The fit gives the sums of squares about the means, the estimates, σ̂² = Q_e / (n − 2), r, the
// t test of H0: b = 0 at level α (table critical value t_{α/2}(n − 2) and exact p-value), the
// 1 − α interval of b, and at a given x0 the confidence interval of the mean response and the
// prediction interval of y0.
#include <optional>
#include <string>
#include <vector>

#include "core/hypothesis/TestResult.h"
#include "core/sample/CellStore.h"
#include "core/tables/CriticalValue.h"

namespace kelvo {

class TableStore;

enum class RegressionModel {
  Linear,       // y = a + bx:        u = x,    v = y
  Exponential,  // y = a·e^{bx}:      u = x,    v = ln y,  a = e^{a'}
  Power,        // y = a·x^b:         u = ln x, v = ln y,  a = e^{a'}
  Logarithmic,  // y = a + b·ln x:    u = ln x, v = y
  Hyperbolic,   // 1/y = a + b/x:     u = 1/x,  v = 1/y
};

// The model as the model list writes it ("y = a·e^{bx}").
std::string ModelEquation(RegressionModel model);

// One observed pair, `count` times (1 in input mode one).
struct RegressionPair {
  double x = 0.0;
  double y = 0.0;
  int count = 1;
  int column = 0;  // the grid column it came from, for messages
};

// The pairs of the grid: x in row 1, y in row 2, one pair per column (input mode one), or the
// count of each pair in row 3 (mode two; an empty count cell counts 0, a filled one must be a
// whole number ≥ 0, else "重复数必须是非负整数"). A column with only one of x and y filled is
// refused ("第 c 列的成对数据不全"), a filled cell that is not a number gives "数据错误", more than
// 32767 pairs in all "样本量超出范围".
std::vector<RegressionPair> ReadRegressionPairs(const CellStore& store, InputMode mode);

struct RegressionInput {
  RegressionModel model = RegressionModel::Linear;
  std::vector<RegressionPair> pairs;
  double alpha = 0.05;
  std::optional<double> x0;  // no prediction without one
};

// Intervals at x0, on the scale of v (the fitted line) and of y.
struct RegressionPrediction {
  double x0 = 0.0;
  double u0 = 0.0;
  double v0 = 0.0;           // a' + b·u0
  double y0 = 0.0;           // the fitted curve at x0
  double meanHalfWidth = 0.0;        // on the scale of v
  double predictionHalfWidth = 0.0;  // on the scale of v
  // The intervals of y. Absent where the curve's inverse transformation does not map the
  // interval of v onto an interval of y (1/y = a + b/x with v = 0 inside it).
  std::optional<std::pair<double, double>> meanInterval;
  std::optional<std::pair<double, double>> predictionInterval;
};

struct RegressionResult {
  RegressionModel model = RegressionModel::Linear;
  int n = 0;  // pairs, counts included
  std::vector<RegressionPair> pairs;        // as given
  std::vector<RegressionPair> transformed;  // (u, v) in place of (x, y), in the same order
  double uBar = 0.0, vBar = 0.0;
  double suu = 0.0, suv = 0.0, svv = 0.0;
  double a = 0.0;           // of the original equation (e^{a'} for the exponential and power curves)
  double aLine = 0.0;       // a' of the line v = a' + b·u
  double b = 0.0;
  double qe = 0.0;          // residual sum of squares on the scale of v
  double sigma2 = 0.0;      // Q_e / (n − 2)
  double r = 0.0;
  double slopeError = 0.0;  // √(σ̂² / S_uu)
  double t = 0.0;
  double alpha = 0.05;
  CriticalValue critical;   // t_{α/2}(n − 2) from the table
  double exactCritical = 0.0;
  double p = 1.0;           // P(|T| ≥ |t|)
  Decision decision = Decision::AcceptH0;       // by the table value
  Decision exactDecision = Decision::AcceptH0;  // by the exact value
  double slopeLower = 0.0, slopeUpper = 0.0;
  std::optional<RegressionPrediction> prediction;

  // The fitted v at u, and the half widths of the 1 − α bands of the mean response and of a
  // new observation at u, all on the scale of v.
  double lineAt(double u) const { return aLine + b * u; }
  double meanHalfWidthAt(double u) const;
  double predictionHalfWidthAt(double u) const;
};

// u and v of a pair under the model, for values the transformation takes (FitRegression
// refuses the others): ln of a value ≤ 0 and 1/0 give no number.
double TransformX(RegressionModel model, double x);
double TransformY(RegressionModel model, double y);
// y back from v, NaN where there is none (1/0).
double InverseY(RegressionModel model, double v);

// The fit. Refusals (InputError): α not strictly between 0 and 1 ("显著水平数据错误"), fewer than
// 3 pairs ("数据少于 3 对，无法回归"), a value the transformation cannot take ("第 c 列：ln y
// 需要 y > 0，而 y = −1"), sums of squares beyond the range of doubles ("计算结果超出范围"),
// all u equal ("x 的值全部相同，无法回归"), all v equal or every point on the line ("数据全在一条
// 直线上，残差为 0，无法检验"), x0 outside the transformation's domain ("x0：ln x 需要 x > 0，…").
RegressionResult FitRegression(TableStore& tables, const RegressionInput& input);

}  // namespace kelvo
