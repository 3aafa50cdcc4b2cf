#pragma once
// A chart described in plain values: titles, the axis ranges and a list of series. The core
// builds one from a computation's result; the window draws it with Qt Charts. A builder only
// ever stores finite numbers, apart from the open end of a segment (±∞).
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace kelvo {

// Points of a density curve.
inline constexpr int kChartPoints = 200;

// How whoever draws a chart writes the numbers it shares with its window.
using ChartNumberFormat = std::function<std::string(double)>;

// A text of a chart (a mark's label, the note under it) in which the numbers the window also
// shows (a statistic, a critical value, an estimate, an interval's end) are kept as values, so
// that the chart writes them as the window writes its result labels when it is drawn. An
// infinite value is written "∞" or "-∞" whatever the format.
class ChartText {
 public:
  ChartText() = default;
  ChartText(std::string text) { append(std::move(text)); }  // NOLINT: plain text converts
  ChartText(const char* text) : ChartText(std::string(text)) {}  // NOLINT

  ChartText& append(std::string text);
  ChartText& append(const char* text) { return append(std::string(text)); }
  ChartText& append(const ChartText& text);
  // A number shared with the window.
  ChartText& number(double value);

  std::string str(const ChartNumberFormat& format) const;
  // The numbers, in order.
  std::vector<double> numbers() const;
  bool empty() const { return m_parts.empty(); }

 private:
  struct Part {
    std::string text;
    double value = 0.0;
    bool isNumber = false;
  };
  std::vector<Part> m_parts;
};

struct ChartPoint {
  double x = 0.0;
  double y = 0.0;
};

enum class SeriesKind {
  Curve,    // a line through `points`
  Shaded,   // the area between the curve `points` and y = 0, over x in [lower, upper]
  Bars,     // `categories` with one value set per entry of `sets`; with `edges` a histogram
  Marker,   // a vertical line at `at` from y = 0 to the top, with `label`
  Segment,  // the interval (lower, upper) drawn at height `at`; an infinite end runs to the axis
  Points    // dots at `points`
};

// One named set of bar heights, one per category.
struct BarSet {
  std::string name;
  std::vector<double> values;
};

struct ChartSeries {
  SeriesKind kind = SeriesKind::Curve;
  // Legend entry; empty leaves the series out of the legend. A marker is never in the legend:
  // its name says what it marks ("statistic", "estimate"; empty for a critical value or edge).
  std::string name;
  std::vector<ChartPoint> points;
  double lower = 0.0;  // Shaded, Segment: the bounds
  double upper = 0.0;
  double at = 0.0;     // Marker: its x; Segment: its height
  ChartText label;     // Marker, Segment: text written beside it
  std::vector<std::string> categories;  // Bars
  std::vector<BarSet> sets;             // Bars
  // Bars drawn as a histogram on the x axis: class i spans [edges[i], edges[i + 1]).
  // Empty: the categories stand side by side on a category axis.
  std::vector<double> edges;
};

struct ChartDescription {
  std::string title;
  std::string xTitle;
  std::string yTitle;  // empty: the heights mean nothing and no y axis is drawn
  ChartText note;  // a line under the chart: clipped values, a statistic not computed
  double xMin = 0.0;
  double xMax = 1.0;
  double yMin = 0.0;
  double yMax = 1.0;
  std::vector<ChartSeries> series;

  bool empty() const { return series.empty(); }
  // The series of a kind, in order.
  std::vector<const ChartSeries*> ofKind(SeriesKind kind) const {
    std::vector<const ChartSeries*> found;
    for (const ChartSeries& s : series)
      if (s.kind == kind) found.push_back(&s);
    return found;
  }
};

// A number of a chart the window does not show (degrees of freedom, class bounds, rank sums):
// four significant digits, no trailing zeros.
std::string ChartNumber(double value);
// The label of the half-open class [lower, upper).
std::string ClassLabel(double lower, double upper);

// A curve of `count` points of f over [from, to]; points where f is not finite are left out.
ChartSeries SampleCurve(std::string name, const std::function<double(double)>& f, double from,
                        double to, int count);

// The density of the uniform law on [a, b] over [from, to]: 0 outside, 1/(b − a) inside, with
// both sides of each jump. Empty unless a < b are finite.
ChartSeries UniformDensityCurve(std::string name, double a, double b, double from, double to);

// A histogram of the weighted values over `classes` equal classes spanning [min, max] of the
// values (a single value gets one class of width 1 around it), heights scaled to a density
// (count / (total · width)) so that a fitted density can be drawn over it. Values and weights
// must be finite; weights not above 0 are left out. Empty values give an empty series.
struct WeightedValue {
  double value = 0.0;
  double weight = 1.0;
};
ChartSeries DensityHistogram(std::string name, const std::vector<WeightedValue>& values,
                             int classes);

// The number of histogram classes for n values: Sturges' 1 + log2(n), between 5 and 20.
int HistogramClassCount(double n);

// The span of the finite values included so far, from which a chart's axis is laid out.
struct ValueSpan {
  double lo = HUGE_VAL;
  double hi = -HUGE_VAL;
  void include(double x) {
    if (!std::isfinite(x)) return;
    lo = std::min(lo, x);
    hi = std::max(hi, x);
  }
  bool empty() const { return !(hi >= lo); }
  // Gives the span a width: an empty one becomes [−1, 1], a single point is widened on both
  // sides by its size times `relative`, at least by `least`.
  void widen(double relative, double least) {
    if (empty()) lo = -1.0, hi = 1.0;
    if (hi > lo) return;
    const double half = std::max(std::abs(lo) * relative, least);
    lo -= half;
    hi += half;
  }
};

// The largest y of the finite points of every Curve, Shaded and Points series and of every
// bar, or 0 when there is none.
double HighestValue(const ChartDescription& chart);

}  // namespace kelvo
