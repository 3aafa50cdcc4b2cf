#include "core/documents/ChartDescription.h"

#include <algorithm>
#include <cmath>
#include <charconv>
#include <stdexcept>

namespace kelvo {

std::string ChartNumber(double value) {
  if (!std::isfinite(value)) return value > 0 ? "∞" : (value < 0 ? "-∞" : "?");
  if (value == 0.0) value = 0.0;  // no "-0"
  // to_chars: the same text whatever the C locale of the process says about decimal points.
  char buffer[32];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4);
  return std::string(buffer, end.ptr);
}

ChartText& ChartText::append(std::string text) {
  if (!text.empty()) m_parts.push_back({std::move(text), 0.0, false});
  return *this;
}

ChartText& ChartText::append(const ChartText& text) {
  m_parts.insert(m_parts.end(), text.m_parts.begin(), text.m_parts.end());
  return *this;
}

ChartText& ChartText::number(double value) {
  m_parts.push_back({std::string(), value, true});
  return *this;
}

std::string ChartText::str(const ChartNumberFormat& format) const {
  std::string text;
  for (const Part& part : m_parts) {
    if (!part.isNumber) text += part.text;
    else if (std::isfinite(part.value) && format) text += format(part.value);
    else text += ChartNumber(part.value);
  }
  return text;
}

std::vector<double> ChartText::numbers() const {
  std::vector<double> values;
  for (const Part& part : m_parts)
    if (part.isNumber) values.push_back(part.value);
  return values;
}

std::string ClassLabel(double lower, double upper) {
  std::string label = "[";
  label.append(ChartNumber(lower)).append(",").append(ChartNumber(upper)).append(")");
  return label;
}

ChartSeries SampleCurve(std::string name, const std::function<double(double)>& f, double from,
                        double to, int count) {
  if (count < 2) throw std::invalid_argument("a curve needs at least two points");
  ChartSeries curve;
  curve.kind = SeriesKind::Curve;
  curve.name = std::move(name);
  if (!std::isfinite(from) || !std::isfinite(to) || !(to > from)) return curve;
  curve.points.reserve(count);
  const double step = (to - from) / (count - 1);
  for (int i = 0; i < count; ++i) {
    const double x = i + 1 == count ? to : from + i * step;
    const double y = f(x);
    if (std::isfinite(y)) curve.points.push_back({x, y});
  }
  return curve;
}

ChartSeries UniformDensityCurve(std::string name, double a, double b, double from, double to) {
  ChartSeries curve;
  curve.kind = SeriesKind::Curve;
  curve.name = std::move(name);
  if (!std::isfinite(a) || !std::isfinite(b) || !(b > a) || !(to > from)) return curve;
  const double h = 1.0 / (b - a);
  if (!std::isfinite(h)) return curve;
  auto f = [&](double x, bool fromRight) {
    const bool inside = fromRight ? (x >= a && x < b) : (x > a && x <= b);
    return inside ? h : 0.0;
  };
  curve.points.push_back({from, f(from, true)});
  for (double x : {a, b})
    if (x > from && x < to) {
      curve.points.push_back({x, f(x, false)});
      curve.points.push_back({x, f(x, true)});
    }
  curve.points.push_back({to, f(to, false)});
  return curve;
}

int HistogramClassCount(double n) {
  if (!(n >= 1.0)) return 5;
  if (!(n <= 1e6)) return 20;
  const int sturges = static_cast<int>(std::ceil(1.0 + std::log2(n)));
  return std::clamp(sturges, 5, 20);
}

ChartSeries DensityHistogram(std::string name, const std::vector<WeightedValue>& values,
                             int classes) {
  if (classes < 1) throw std::invalid_argument("a histogram needs at least one class");
  ChartSeries bars;
  bars.kind = SeriesKind::Bars;
  double total = 0.0;
  double low = HUGE_VAL;
  double high = -HUGE_VAL;
  for (const WeightedValue& v : values) {
    if (!(v.weight > 0.0) || !std::isfinite(v.value) || !std::isfinite(v.weight)) continue;
    total += v.weight;
    low = std::min(low, v.value);
    high = std::max(high, v.value);
  }
  if (!(total > 0.0) || !std::isfinite(total) || !std::isfinite(high - low)) return bars;
  if (!(high > low)) {
    // One distinct value: a single class of width 1 centred on it.
    classes = 1;
    low -= 0.5;
    high += 0.5;
  }
  const double width = (high - low) / classes;
  std::vector<double> counts(classes, 0.0);
  for (const WeightedValue& v : values) {
    if (!(v.weight > 0.0) || !std::isfinite(v.value) || !std::isfinite(v.weight)) continue;
    // The top value belongs to the last class.
    const int index = std::min(classes - 1, static_cast<int>(std::floor((v.value - low) / width)));
    counts[std::max(index, 0)] += v.weight;
  }
  BarSet set{std::move(name), {}};
  for (int i = 0; i < classes; ++i) {
    const double from = low + i * width;
    bars.edges.push_back(from);
    bars.categories.push_back(ClassLabel(from, from + width));
    set.values.push_back(counts[i] / (total * width));
  }
  bars.edges.push_back(high);
  bars.sets.push_back(std::move(set));
  return bars;
}

double HighestValue(const ChartDescription& chart) {
  double highest = 0.0;
  for (const ChartSeries& s : chart.series) {
    for (const ChartPoint& p : s.points)
      if (std::isfinite(p.y)) highest = std::max(highest, p.y);
    for (const BarSet& set : s.sets)
      for (double v : set.values)
        if (std::isfinite(v)) highest = std::max(highest, v);
  }
  return highest;
}

}  // namespace kelvo
