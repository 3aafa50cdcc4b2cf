#pragma once
// Checks the chart tests of several folders share: every number a chart draws, and areas
// under its curves.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/text/ResultFormat.h"
#include "core/documents/ChartDescription.h"

namespace kelvo {

// Every number a chart draws is finite; only a segment may run open to ±∞.
inline void ExpectDrawable(const ChartDescription& chart, const std::string& name) {
  SCOPED_TRACE(name);
  for (double v : {chart.xMin, chart.xMax, chart.yMin, chart.yMax}) EXPECT_TRUE(std::isfinite(v));
  EXPECT_LT(chart.xMin, chart.xMax);
  EXPECT_LT(chart.yMin, chart.yMax);
  for (const ChartSeries& s : chart.series) {
    for (const ChartPoint& p : s.points) {
      EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << s.name << " " << p.x << "," << p.y;
      EXPECT_LE(p.y, chart.yMax) << s.name;
    }
    for (const BarSet& set : s.sets)
      for (double v : set.values) EXPECT_TRUE(std::isfinite(v)) << set.name;
    for (double e : s.edges) EXPECT_TRUE(std::isfinite(e));
    if (s.kind == SeriesKind::Segment) {
      EXPECT_FALSE(std::isnan(s.lower) || std::isnan(s.upper));
    } else {
      EXPECT_TRUE(std::isfinite(s.lower) && std::isfinite(s.upper) && std::isfinite(s.at));
    }
    if (s.kind == SeriesKind::Marker) {
      EXPECT_GE(s.at, chart.xMin);
      EXPECT_LE(s.at, chart.xMax);
    }
  }
}

// A chart text as a window with the program's result format ("0.000") writes it.
inline std::string Shown(const ChartText& text) {
  return text.str([](double v) { return FormatResult(v, ResultFormat()); });
}

// Trapezoid rule over a polyline.
inline double Area(const std::vector<ChartPoint>& points) {
  double area = 0.0;
  for (size_t i = 1; i < points.size(); ++i)
    area += (points[i].x - points[i - 1].x) * (points[i].y + points[i - 1].y) / 2.0;
  return area;
}

}  // namespace kelvo
