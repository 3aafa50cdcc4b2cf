#include "core/regression/RegressionDocuments.h"

#include <algorithm>
#include <cmath>

namespace kelvo {
namespace {

ChartSeries Series(SeriesKind kind, std::string name) {
  ChartSeries s;
  s.kind = kind;
  s.name = std::move(name);
  return s;
}

std::string Num(double value) { return SolutionNumber(value); }

// " + 2.5" or " − 2.5": a term added in an equation.
std::string Plus(double value) { return value < 0 ? " − " + Num(-value) : " + " + Num(value); }

struct Names {
  std::string u, v;  // the variables of the line
  std::string uBar, vBar, suu, suv, svv;
};

Names NamesOf(RegressionModel model) {
  if (model == RegressionModel::Linear) return {"x", "y", "x̄", "ȳ", "S_xx", "S_xy", "S_yy"};
  return {"u", "v", "ū", "v̄", "S_uu", "S_uv", "S_vv"};
}

std::string Transformation(RegressionModel model) {
  switch (model) {
    case RegressionModel::Linear: return "";
    case RegressionModel::Exponential: return "取 u = x，v = ln y，则 v = ln a + b·u，记 a' = ln a。";
    case RegressionModel::Power: return "取 u = ln x，v = ln y，则 v = ln a + b·u，记 a' = ln a。";
    case RegressionModel::Logarithmic: return "取 u = ln x，v = y，则 v = a + b·u。";
    case RegressionModel::Hyperbolic: return "取 u = 1/x，v = 1/y，则 v = a + b·u。";
  }
  return "";
}

bool LogY(RegressionModel m) { return m == RegressionModel::Exponential || m == RegressionModel::Power; }

std::string DecisionText(Decision d) {
  return d == Decision::AcceptH0 ? "接受原假设 H0" : "接受备选假设 H1";
}

std::string Interval(const std::optional<std::pair<double, double>>& i) {
  return i ? IntervalText(Num(i->first), Num(i->second)) : std::string("无（区间跨过 1/y = 0）");
}

}  // namespace

std::string FittedEquation(const RegressionResult& r) {
  switch (r.model) {
    case RegressionModel::Linear: return "ŷ = " + Num(r.a) + Plus(r.b) + "x";
    case RegressionModel::Exponential: return "ŷ = " + Num(r.a) + "·e^(" + Num(r.b) + "x)";
    case RegressionModel::Power: return "ŷ = " + Num(r.a) + "·x^" + FactorNumber(r.b);
    case RegressionModel::Logarithmic: return "ŷ = " + Num(r.a) + Plus(r.b) + "·ln x";
    case RegressionModel::Hyperbolic: return "1/ŷ = " + Num(r.a) + Plus(r.b) + "/x";
  }
  return "";
}

WorkedSolution RegressionSolution(const RegressionResult& r) {
  const Names m = NamesOf(r.model);
  const bool curve = r.model != RegressionModel::Linear;
  const std::string aHat = curve && LogY(r.model) ? "â'" : "â";
  WorkedSolution s;
  s.heading("模型");
  s.formula(ModelEquation(r.model));
  if (curve) s.text(Transformation(r.model) + "对变换后的数据作最小二乘直线拟合。");
  s.text("数据 n = " + std::to_string(r.n) + " 对。");

  s.heading("样本统计量");
  s.formula(m.uBar + " = " + Num(r.uBar) + "，" + m.vBar + " = " + Num(r.vBar));
  s.formula(m.suu + " = Σ(" + m.u + " − " + m.uBar + ")² = " + Num(r.suu));
  s.formula(m.suv + " = Σ(" + m.u + " − " + m.uBar + ")(" + m.v + " − " + m.vBar + ") = " + Num(r.suv));
  s.formula(m.svv + " = Σ(" + m.v + " − " + m.vBar + ")² = " + Num(r.svv));

  s.heading("回归系数");
  s.formula("b̂ = " + m.suv + " / " + m.suu + " = " + Num(r.suv) + " / " + Num(r.suu) + " = " + Num(r.b));
  s.formula(aHat + " = " + m.vBar + " − b̂·" + m.uBar + " = " + Num(r.vBar) + " − " + FactorNumber(r.b) + " × " +
            FactorNumber(r.uBar) + " = " + Num(r.aLine));
  if (LogY(r.model)) s.formula("â = e^" + aHat + " = " + Num(r.a));
  s.text("回归方程：");
  s.formula(FittedEquation(r));

  s.heading("残差与相关系数");
  s.formula("Q_e = Σ(" + m.v + " − " + m.v + "̂)² = " + m.svv + " − b̂·" + m.suv + " = " + Num(r.qe));
  s.formula("σ̂² = Q_e / (n − 2) = " + Num(r.qe) + " / " + std::to_string(r.n - 2) + " = " + Num(r.sigma2));
  s.formula("r = " + m.suv + " / √(" + m.suu + "·" + m.svv + ") = " + Num(r.r));

  s.heading("检验 H0：b = 0，H1：b ≠ 0");
  s.formula("t = b̂·√" + m.suu + " / σ̂ = " + Num(r.b) + " × √" + Num(r.suu) + " / " + Num(std::sqrt(r.sigma2)) +
            " = " + Num(r.t));
  const std::string symbol = QuantileSymbol(r.critical);
  if (r.critical.exact)
    s.text(NoTableColumnText(r.critical.probability));
  else
    s.formula("查表：" + symbol + " = " + Num(r.critical.value));
  s.text("精确值：" + symbol + " = " + Num(r.exactCritical));
  s.text("p 值：" + PValueTextWithExact(r.p));
  s.text("|t| = " + Num(std::abs(r.t)) + (r.decision == Decision::AcceptH1 ? " ≥ " : " < ") + symbol + "，" +
         DecisionText(r.decision) + (r.decision == Decision::AcceptH1 ? "，回归显著。" : "，回归不显著。"));
  if (r.exactDecision != r.decision)
    s.note("查表临界值与精确临界值给出的结论不同：按精确值应" + DecisionText(r.exactDecision) + "。");

  const std::string level = Num(1.0 - r.alpha);
  s.heading("b 的置信水平为 " + level + " 的置信区间");
  s.formula("b̂ ± " + symbol + "·σ̂ / √" + m.suu + " = " + Num(r.b) + " ± " + Num(r.critical.value) + " × " +
            Num(r.slopeError) + " = " + IntervalText(Num(r.slopeLower), Num(r.slopeUpper)));

  if (r.prediction) {
    const RegressionPrediction& p = *r.prediction;
    s.heading("x0 = " + Num(p.x0) + " 处的预测");
    if (curve) s.formula(m.u + "0 = " + Num(p.u0));
    s.formula(m.v + "̂0 = " + aHat + " + b̂·" + m.u + "0 = " + Num(p.v0));
    if (!std::isfinite(p.y0)) s.note("1/ŷ0 = 0，ŷ0 不存在，不作预测。");
    else if (curve) s.formula("ŷ0 = " + Num(p.y0));
    const std::string spread = "(" + m.u + "0 − " + m.uBar + ")² / " + m.suu;
    s.text("均值 E(y0) 的置信区间：");
    s.formula(m.v + "̂0 ± " + symbol + "·σ̂·√(1/n + " + spread + ") = " + Num(p.v0) + " ± " +
              Num(p.meanHalfWidth));
    if (curve) s.formula("换回 y：" + Interval(p.meanInterval));
    else s.formula("= " + Interval(p.meanInterval));
    s.text("y0 的预测区间：");
    s.formula(m.v + "̂0 ± " + symbol + "·σ̂·√(1 + 1/n + " + spread + ") = " + Num(p.v0) + " ± " +
              Num(p.predictionHalfWidth));
    if (curve) s.formula("换回 y：" + Interval(p.predictionInterval));
    else s.formula("= " + Interval(p.predictionInterval));
  }
  return s;
}

ChartDescription RegressionChart(const RegressionResult& r) {
  ChartDescription chart;
  chart.title = "散点图与回归" + std::string(r.model == RegressionModel::Linear ? "直线" : "曲线");
  chart.xTitle = "x";
  chart.yTitle = "y";
  ValueSpan xs, ys;
  ChartSeries points = Series(SeriesKind::Points, "数据");
  for (const RegressionPair& p : r.pairs) {
    points.points.push_back({p.x, p.y});
    xs.include(p.x);
    ys.include(p.y);
  }
  if (r.prediction) xs.include(r.prediction->x0);
  xs.widen(0.1, 1.0);
  const double pad = (xs.hi - xs.lo) * 0.05;
  double from = xs.lo - pad, to = xs.hi + pad;
  // The curve's x must stay where the transformation is defined.
  if ((r.model == RegressionModel::Power || r.model == RegressionModel::Logarithmic) && from <= 0.0)
    from = xs.lo / 2.0;
  const double ySpan = std::max(ys.hi - ys.lo, 1e-12);
  const double yLow = ys.lo - ySpan, yHigh = ys.hi + ySpan;  // bands beyond this are cut off
  auto curve = [&](std::string name, double halfWidthSign, bool prediction) {
    return SampleCurve(std::move(name), [&, halfWidthSign, prediction](double x) {
      if (r.model == RegressionModel::Hyperbolic && x == 0.0) return static_cast<double>(NAN);
      const double u = TransformX(r.model, x);
      const double half = prediction ? r.predictionHalfWidthAt(u) : r.meanHalfWidthAt(u);
      const double v = r.lineAt(u) + halfWidthSign * half;
      const double lo = r.lineAt(u) - half, hi = r.lineAt(u) + half;
      if (r.model == RegressionModel::Hyperbolic && halfWidthSign != 0.0 && lo <= 0.0 && hi >= 0.0)
        return static_cast<double>(NAN);
      const double y = InverseY(r.model, v);
      return (y >= yLow && y <= yHigh) ? y : static_cast<double>(NAN);
    }, from, to, kChartPoints);
  };
  // A band is one outline, along its lower edge and back along its upper one, so that both
  // edges are drawn alike and the legend names the band once.
  auto band = [&](std::string name, bool prediction) {
    ChartSeries outline = curve(std::move(name), -1.0, prediction);
    const ChartSeries upper = curve("", 1.0, prediction);
    outline.points.insert(outline.points.end(), upper.points.rbegin(), upper.points.rend());
    return outline;
  };
  chart.series.push_back(points);
  chart.series.push_back(curve("回归" + std::string(r.model == RegressionModel::Linear ? "直线" : "曲线"), 0.0, false));
  chart.series.push_back(band("均值置信带", false));
  chart.series.push_back(band("预测带", true));
  for (const ChartSeries& s : chart.series)
    for (const ChartPoint& p : s.points) ys.include(p.y);
  ys.widen(0.1, 1.0);
  chart.xMin = from;
  chart.xMax = to;
  const double yPad = (ys.hi - ys.lo) * 0.05;
  chart.yMin = ys.lo - yPad;
  chart.yMax = ys.hi + yPad;
  chart.note = ChartText("带宽按置信水平 ").number(1.0 - r.alpha).append(" 计算");
  return chart;
}

ChartDescription ResidualChart(const RegressionResult& r) {
  ChartDescription chart;
  const bool linear = r.model == RegressionModel::Linear;
  chart.title = "残差图";
  chart.xTitle = "x";
  chart.yTitle = linear ? "残差 y − ŷ" : "残差 v − v̂";
  ChartSeries points = Series(SeriesKind::Points, "残差");
  ValueSpan xs, es;
  for (std::size_t i = 0; i < r.pairs.size(); ++i) {
    const double x = r.pairs[i].x;
    const double e = r.transformed[i].y - r.lineAt(r.transformed[i].x);
    points.points.push_back({x, e});
    xs.include(x);
    es.include(e);
  }
  es.include(0.0);
  xs.widen(0.1, 1.0);
  es.widen(0.1, 1.0);
  const double xPad = (xs.hi - xs.lo) * 0.05, ePad = std::max(std::abs(es.lo), std::abs(es.hi)) * 0.1;
  chart.xMin = xs.lo - xPad;
  chart.xMax = xs.hi + xPad;
  chart.yMin = es.lo - ePad;
  chart.yMax = es.hi + ePad;
  chart.series.push_back(points);
  ChartSeries zero = Series(SeriesKind::Curve, "");
  zero.points = {{chart.xMin, 0.0}, {chart.xMax, 0.0}};
  chart.series.push_back(zero);
  return chart;
}

std::string RegressionStatusLine(const RegressionResult& r) {
  return "b̂ = " + SolutionNumber(r.b, 5) + "，t = " + FixedNumber(r.t) + "，临界值 " + QuantileSymbol(r.critical) +
         " = " + FixedNumber(r.critical.value) + "，" + PValueText(r.p);
}

}  // namespace kelvo
