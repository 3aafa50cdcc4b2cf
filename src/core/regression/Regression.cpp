#include "core/regression/Regression.h"

#include <cmath>
#include <limits>

#include "core/documents/WorkedSolution.h"
#include "core/tables/ExactDistributions.h"
#include "core/tables/Quantiles.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"

namespace kelvo {
namespace {

constexpr long long kMaxPairs = 32767;

std::string Column(int column) { return "第 " + std::to_string(column) + " 列"; }

std::string Plain(double value) { return SolutionNumber(value); }

bool LogX(RegressionModel m) { return m == RegressionModel::Power || m == RegressionModel::Logarithmic; }
bool LogY(RegressionModel m) { return m == RegressionModel::Exponential || m == RegressionModel::Power; }

// What the transformation needs of x and of y, as the refusal says it; empty: nothing.
std::string XNeed(RegressionModel m, double x) {
  if (LogX(m) && !(x > 0.0)) return "ln x 需要 x > 0，而 x = " + Plain(x);
  if (m == RegressionModel::Hyperbolic && x == 0.0) return "1/x 需要 x ≠ 0";
  return "";
}
std::string YNeed(RegressionModel m, double y) {
  if (LogY(m) && !(y > 0.0)) return "ln y 需要 y > 0，而 y = " + Plain(y);
  if (m == RegressionModel::Hyperbolic && y == 0.0) return "1/y 需要 y ≠ 0";
  return "";
}

}  // namespace

std::string ModelEquation(RegressionModel model) {
  switch (model) {
    case RegressionModel::Linear: return "y = a + bx";
    case RegressionModel::Exponential: return "y = a·e^{bx}";
    case RegressionModel::Power: return "y = a·x^b";
    case RegressionModel::Logarithmic: return "y = a + b·ln x";
    case RegressionModel::Hyperbolic: return "1/y = a + b/x";
  }
  return "";
}

double TransformX(RegressionModel model, double x) {
  if (LogX(model)) return std::log(x);
  if (model == RegressionModel::Hyperbolic) return 1.0 / x;
  return x;
}

double TransformY(RegressionModel model, double y) {
  if (LogY(model)) return std::log(y);
  if (model == RegressionModel::Hyperbolic) return 1.0 / y;
  return y;
}

double InverseY(RegressionModel model, double v) {
  if (LogY(model)) return std::exp(v);
  if (model == RegressionModel::Hyperbolic)
    return v == 0.0 ? std::numeric_limits<double>::quiet_NaN() : 1.0 / v;
  return v;
}

std::vector<RegressionPair> ReadRegressionPairs(const CellStore& store, InputMode mode) {
  auto filled = [&store](int row, int col) { return row < store.rows() && !store.text(row, col).empty(); };
  auto value = [&store](int row, int col) {
    const std::string& text = store.text(row, col);
    if (!IsNumericText(text)) throw InputError("数据错误");
    return LeadingValue(text);
  };
  std::vector<RegressionPair> pairs;
  long long total = 0;
  for (int c = 1; c < store.cols(); ++c) {
    const bool x = filled(1, c), y = filled(2, c);
    if (!x && !y) continue;
    if (x != y) throw InputError(Column(c) + "的成对数据不全");
    RegressionPair pair{value(1, c), value(2, c), 1, c};
    if (mode == InputMode::Two) {
      if (!filled(3, c)) continue;
      const double count = value(3, c);
      if (count < 0 || count != std::floor(count) || count > kMaxPairs)
        throw InputError("重复数必须是非负整数");
      if (count == 0) continue;
      pair.count = static_cast<int>(count);
    }
    total += pair.count;
    if (total > kMaxPairs) throw InputError("样本量超出范围");
    pairs.push_back(pair);
  }
  return pairs;
}

double RegressionResult::meanHalfWidthAt(double u) const {
  return critical.value * std::sqrt(sigma2 * (1.0 / n + (u - uBar) * (u - uBar) / suu));
}

double RegressionResult::predictionHalfWidthAt(double u) const {
  return critical.value * std::sqrt(sigma2 * (1.0 + 1.0 / n + (u - uBar) * (u - uBar) / suu));
}

RegressionResult FitRegression(TableStore& tables, const RegressionInput& input) {
  if (!(input.alpha > 0.0 && input.alpha < 1.0)) throw InputError("显著水平数据错误");
  RegressionResult r;
  r.model = input.model;
  r.alpha = input.alpha;
  long long n = 0;
  for (const RegressionPair& p : input.pairs) n += p.count;
  if (n < 3) throw InputError("数据少于 3 对，无法回归");
  r.n = static_cast<int>(n);
  r.pairs = input.pairs;
  for (const RegressionPair& p : input.pairs) {
    std::string need = XNeed(input.model, p.x);
    if (need.empty()) need = YNeed(input.model, p.y);
    if (!need.empty()) throw InputError(Column(p.column) + "：" + need);
    r.transformed.push_back({TransformX(input.model, p.x), TransformY(input.model, p.y), p.count, p.column});
  }
  // Sums about the means, in two passes: the one-pass sums lose every digit on data far from 0.
  double su = 0.0, sv = 0.0;
  for (const RegressionPair& p : r.transformed) su += p.count * p.x, sv += p.count * p.y;
  r.uBar = su / r.n;
  r.vBar = sv / r.n;
  for (const RegressionPair& p : r.transformed) {
    const double du = p.x - r.uBar, dv = p.y - r.vBar;
    r.suu += p.count * du * du;
    r.suv += p.count * du * dv;
    r.svv += p.count * dv * dv;
  }
  if (!std::isfinite(r.suu) || !std::isfinite(r.suv) || !std::isfinite(r.svv))
    throw InputError("计算结果超出范围");
  if (!(r.suu > 0.0)) throw InputError("x 的值全部相同，无法回归");
  r.b = r.suv / r.suu;
  r.aLine = r.vBar - r.b * r.uBar;
  r.a = LogY(input.model) ? std::exp(r.aLine) : r.aLine;
  // Q_e from the residuals themselves: S_vv − b̂·S_uv cancels to noise on a near-perfect fit.
  for (const RegressionPair& p : r.transformed) {
    const double e = p.y - r.lineAt(p.x);
    r.qe += p.count * e * e;
  }
  if (!(r.qe > 1e-24 * r.svv) || !(r.svv > 0.0))
    throw InputError("数据全在一条直线上，残差为 0，无法检验");
  if (!std::isfinite(r.qe) || !std::isfinite(r.a)) throw InputError("计算结果超出范围");
  r.sigma2 = r.qe / (r.n - 2);
  r.r = r.suv / std::sqrt(r.suu * r.svv);
  r.slopeError = std::sqrt(r.sigma2 / r.suu);
  r.t = r.b / r.slopeError;
  const int df = r.n - 2;
  r.critical = TQuantile(tables, df, input.alpha / 2.0);
  r.exactCritical = ExactTQuantile(df, input.alpha / 2.0);
  r.p = std::min(1.0, 2.0 * TUpperTail(df, std::abs(r.t)));
  r.decision = std::abs(r.t) >= r.critical.value ? Decision::AcceptH1 : Decision::AcceptH0;
  r.exactDecision = std::abs(r.t) >= r.exactCritical ? Decision::AcceptH1 : Decision::AcceptH0;
  r.slopeLower = r.b - r.critical.value * r.slopeError;
  r.slopeUpper = r.b + r.critical.value * r.slopeError;

  if (input.x0) {
    RegressionPrediction pr;
    pr.x0 = *input.x0;
    if (const std::string need = XNeed(input.model, pr.x0); !need.empty())
      throw InputError("x0：" + need);
    pr.u0 = TransformX(input.model, pr.x0);
    pr.v0 = r.lineAt(pr.u0);
    pr.y0 = InverseY(input.model, pr.v0);
    pr.meanHalfWidth = r.meanHalfWidthAt(pr.u0);
    pr.predictionHalfWidth = r.predictionHalfWidthAt(pr.u0);
    // Back to y: increasing for ln y, decreasing for 1/y as long as v keeps its sign.
    auto back = [&](double half) -> std::optional<std::pair<double, double>> {
      const double lo = pr.v0 - half, hi = pr.v0 + half;
      if (input.model != RegressionModel::Hyperbolic)
        return std::make_pair(InverseY(input.model, lo), InverseY(input.model, hi));
      if (lo <= 0.0 && hi >= 0.0) return std::nullopt;
      return std::make_pair(1.0 / hi, 1.0 / lo);
    };
    pr.meanInterval = back(pr.meanHalfWidth);
    pr.predictionInterval = back(pr.predictionHalfWidth);
    if (!std::isfinite(pr.y0)) pr.meanInterval.reset(), pr.predictionInterval.reset();
    r.prediction = pr;
  }
  return r;
}

}  // namespace kelvo
