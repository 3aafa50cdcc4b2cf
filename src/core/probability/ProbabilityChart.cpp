#include <algorithm>
#include <cmath>

#include "core/documents/WorkedSolution.h"
#include "core/probability/ProbabilityQuestion.h"

namespace kelvo {
namespace {

using K = DistributionKind;

// Half the width of a bar of the mass function; beyond this many values, the masses are
// drawn as a line through the points instead.
constexpr double kBarHalfWidth = 0.35;
constexpr double kMostBars = 150;

// The points of the question the chart marks: x (and b), or the quantile found.
std::vector<double> MarkedPoints(const ProbabilityQuestion& q, const ProbabilityAnswer& answer) {
  const QuestionInfo& info = InfoOf(q.question);
  if (info.needsProbability) return {answer.value};
  if (info.needsB) return {q.x, q.b};
  return {q.x};
}

// Widens [lo, hi] to hold the marked points that lie near it; the others are named in the note.
void IncludeMarks(double& lo, double& hi, const std::vector<double>& marks, ChartText& note) {
  const double span = hi - lo;
  for (double m : marks) {
    if (m >= lo - span && m <= hi + span) {
      lo = std::min(lo, m);
      hi = std::max(hi, m);
    } else {
      if (!note.empty()) note.append("，");
      note.append("x = ").number(m).append(" 在图示范围之外");
    }
  }
}

void AddMarks(ChartDescription& chart, const std::vector<double>& marks, const ProbabilityQuestion& q) {
  const bool interval = InfoOf(q.question).needsB;
  for (std::size_t i = 0; i < marks.size(); ++i) {
    const double m = marks[i];
    if (m < chart.xMin || m > chart.xMax) continue;
    ChartSeries marker;
    marker.kind = SeriesKind::Marker;
    marker.at = m;
    marker.label = ChartText(interval ? (i == 0 ? "a = " : "b = ") : "x = ").number(m);
    chart.series.push_back(std::move(marker));
  }
}

// Points clipped to the chart's height.
void Clip(std::vector<ChartPoint>& points, double top) {
  for (ChartPoint& p : points) p.y = std::min(p.y, top);
}

ChartDescription ContinuousChart(const Distribution& law, const ProbabilityQuestion& q,
                                 const ProbabilityAnswer& answer) {
  ChartDescription chart;
  double lo = std::isfinite(law.supportLow()) ? law.supportLow() : law.quantile(0.001);
  double hi = std::isfinite(law.supportHigh()) ? law.supportHigh() : law.quantile(law.kind() == K::T ? 0.999 : 0.995);
  if (law.kind() == K::Uniform) {
    const double w = hi - lo;
    lo -= 0.15 * w;
    hi += 0.15 * w;
  }
  IncludeMarks(lo, hi, MarkedPoints(q, answer), chart.note);
  chart.xMin = lo;
  chart.xMax = hi;
  auto f = [&](double x) { return law.density(x); };
  ChartSeries curve = law.kind() == K::Uniform
                          ? UniformDensityCurve("", law.parameter(0), law.parameter(1), lo, hi)
                          : SampleCurve("", f, lo, hi, kChartPoints);
  // Densities unbounded at 0 (χ²(1), F(1, n)) are cut at a height that leaves the body of
  // the curve readable.
  const double cap = 4.0 * law.density(law.quantile(0.5));
  double top = 0.0;
  for (const ChartPoint& p : curve.points) top = std::max(top, std::min(p.y, cap));
  if (!(top > 0)) top = 1.0;
  chart.yMax = top * 1.1;
  Clip(curve.points, chart.yMax);
  if (answer.hasRegion && q.question != Question::Density) {
    const double from = std::max(answer.from, lo);
    const double to = std::min(answer.to, hi);
    if (to > from) {
      ChartSeries area = SampleCurve("所求概率", f, from, to, kChartPoints);
      if (law.kind() == K::Uniform) {
        area = UniformDensityCurve("所求概率", law.parameter(0), law.parameter(1), from, to);
        area.name = "所求概率";
      }
      area.kind = SeriesKind::Shaded;
      area.lower = from;
      area.upper = to;
      Clip(area.points, chart.yMax);
      chart.series.push_back(std::move(area));
    }
  }
  chart.series.push_back(std::move(curve));
  AddMarks(chart, MarkedPoints(q, answer), q);
  chart.title = law.notation() + " 的密度";
  chart.xTitle = "x";
  chart.yTitle = "f(x)";
  return chart;
}

// The outline of bars at the whole values k of [from, to], or a line through the masses when
// they are too many to draw as bars.
std::vector<ChartPoint> MassPoints(const Distribution& law, double from, double to, bool bars) {
  std::vector<ChartPoint> points;
  if (bars) {
    for (double k = from; k <= to; k += 1.0) {
      const double p = law.density(k);
      points.push_back({k - kBarHalfWidth, 0.0});
      points.push_back({k - kBarHalfWidth, p});
      points.push_back({k + kBarHalfWidth, p});
      points.push_back({k + kBarHalfWidth, 0.0});
    }
    return points;
  }
  const double step = std::max(1.0, std::ceil((to - from) / kChartPoints));
  for (double k = from; k <= to; k += step) points.push_back({k, law.density(k)});
  if (points.empty() || points.back().x < to) points.push_back({to, law.density(to)});
  return points;
}

ChartDescription DiscreteChart(const Distribution& law, const ProbabilityQuestion& q,
                               const ProbabilityAnswer& answer) {
  ChartDescription chart;
  double lo = law.quantile(1e-4);
  double hi = law.quantile(1 - 1e-4);
  if (law.supportHigh() - law.supportLow() <= 60) lo = law.supportLow(), hi = law.supportHigh();
  const std::vector<double> marks = MarkedPoints(q, answer);
  IncludeMarks(lo, hi, marks, chart.note);
  lo = std::max(std::floor(lo), law.supportLow());
  hi = std::min(std::ceil(hi), law.supportHigh());
  const bool bars = hi - lo <= kMostBars;
  chart.xMin = lo - 1.0;
  chart.xMax = hi + 1.0;

  ChartSeries masses;
  masses.kind = SeriesKind::Curve;
  masses.points = MassPoints(law, lo, hi, bars);
  double top = 0.0;
  for (const ChartPoint& p : masses.points) top = std::max(top, p.y);

  ChartSeries normal;
  if (answer.approximation) {
    const double mu = law.mean(), sigma = std::sqrt(law.variance());
    const Distribution approx(K::Normal, {mu, sigma, 0.0});
    normal = SampleCurve("正态近似", [&](double x) { return approx.density(x); }, chart.xMin, chart.xMax, kChartPoints);
    for (const ChartPoint& p : normal.points) top = std::max(top, p.y);
  }
  if (!(top > 0)) top = 1.0;
  chart.yMax = top * 1.1;

  if (answer.hasRegion) {
    const double from = std::max(answer.from, lo);
    const double to = std::min(answer.to, hi);
    if (from <= to) {
      ChartSeries area;
      area.kind = SeriesKind::Shaded;
      area.name = "所求概率";
      area.points = MassPoints(law, from, to, bars);
      if (!bars && area.points.size() < 2) area.points = {{from - 0.5, 0.0}, {from - 0.5, law.density(from)}, {from + 0.5, law.density(from)}, {from + 0.5, 0.0}};
      area.lower = from;
      area.upper = to;
      chart.series.push_back(std::move(area));
    }
  }
  chart.series.push_back(std::move(masses));
  if (!normal.points.empty()) chart.series.push_back(std::move(normal));
  AddMarks(chart, marks, q);
  chart.title = law.notation() + " 的分布律";
  chart.xTitle = "k";
  chart.yTitle = "P(X = k)";
  return chart;
}

}  // namespace

ChartDescription ProbabilityChart(const Distribution& law, const ProbabilityQuestion& question,
                                  const ProbabilityAnswer& answer) {
  return law.discrete() ? DiscreteChart(law, question, answer) : ContinuousChart(law, question, answer);
}

}  // namespace kelvo
