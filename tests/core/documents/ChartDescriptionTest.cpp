// The helpers every chart builder uses: labels, sampled curves, histograms scaled to a density.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/documents/ChartDescription.h"

namespace kelvo {
namespace {

TEST(ChartNumber, FourSignificantDigitsAndNoSentinels) {
  struct Case {
    const char* name;
    double value;
    const char* text;
  };
  const Case cases[] = {
      {"table value", 2.5706, "2.571"},
      {"small", 0.05, "0.05"},
      {"whole", 12.0, "12"},
      {"negative", -1.6449, "-1.645"},
      {"large", 1234567.0, "1.235e+06"},
      {"negative zero", -0.0, "0"},
      {"infinite", HUGE_VAL, "∞"},
      {"minus infinite", -HUGE_VAL, "-∞"},
      {"not a number", std::nan(""), "?"},
  };
  for (const Case& c : cases) EXPECT_EQ(ChartNumber(c.value), c.text) << c.name;
}

TEST(SampleCurve, EvenPointsWithoutUndrawableValues) {
  const ChartSeries line = SampleCurve("x²", [](double x) { return x * x; }, -1.0, 1.0, 201);
  ASSERT_EQ(line.points.size(), 201u);
  EXPECT_EQ(line.points.front().x, -1.0);
  EXPECT_EQ(line.points.back().x, 1.0);  // the end itself, not a sum of steps
  EXPECT_NEAR(line.points[100].x, 0.0, 1e-15);
  // Points where the function is not finite are left out.
  const ChartSeries pole = SampleCurve("1/x", [](double x) { return x == 0.0 ? HUGE_VAL : 1 / x; },
                                       -1.0, 1.0, 201);
  EXPECT_EQ(pole.points.size(), 200u);
  // An empty or reversed range gives no points; fewer than two points is a programming fault.
  EXPECT_TRUE(SampleCurve("", [](double) { return 1.0; }, 1.0, 1.0, 10).points.empty());
  EXPECT_TRUE(SampleCurve("", [](double) { return 1.0; }, 2.0, 1.0, 10).points.empty());
  EXPECT_THROW(SampleCurve("", [](double) { return 1.0; }, 0.0, 1.0, 1), std::invalid_argument);
}

TEST(DensityHistogram, CountsEveryWeightOnceScaledToUnitArea) {
  // 1 (×2), 2, 3, 5 (×3) over 4 classes of width 1 on [1, 5]: the top value in the last class.
  const std::vector<WeightedValue> values{{1, 2}, {2, 1}, {3, 1}, {5, 3}, {4, 0}, {9, -1}};
  const ChartSeries h = DensityHistogram("样本", values, 4);
  ASSERT_EQ(h.edges, (std::vector<double>{1, 2, 3, 4, 5}));
  ASSERT_EQ(h.sets.size(), 1u);
  const std::vector<double> expected{2.0 / 7, 1.0 / 7, 1.0 / 7, 3.0 / 7};
  ASSERT_EQ(h.sets[0].values.size(), 4u);
  for (size_t i = 0; i < 4; ++i) EXPECT_DOUBLE_EQ(h.sets[0].values[i], expected[i]) << i;
  EXPECT_EQ(h.categories.front(), "[1,2)");

  // A single distinct value: one class of width 1 around it, height 1.
  const ChartSeries one = DensityHistogram("", {{3.5, 4}}, 6);
  EXPECT_EQ(one.edges, (std::vector<double>{3.0, 4.0}));
  EXPECT_EQ(one.sets.at(0).values, std::vector<double>{1.0});
  // Nothing to count.
  EXPECT_TRUE(DensityHistogram("", {{1, 0}}, 5).edges.empty());
  EXPECT_TRUE(DensityHistogram("", {{std::nan(""), 1}}, 5).edges.empty());
}

TEST(HistogramClassCount, SturgesBetweenFiveAndTwenty) {
  EXPECT_EQ(HistogramClassCount(0), 5);
  EXPECT_EQ(HistogramClassCount(10), 5);     // 1 + log2 10 = 4.3
  EXPECT_EQ(HistogramClassCount(100), 8);    // 7.6
  EXPECT_EQ(HistogramClassCount(1000), 11);  // 10.97
  EXPECT_EQ(HistogramClassCount(1e9), 20);
}

TEST(UniformDensityCurve, StepsAtBothEndsWithUnitArea) {
  const ChartSeries inside = UniformDensityCurve("U", 1.0, 3.0, 0.0, 4.0);
  const std::vector<std::pair<double, double>> expected{{0, 0}, {1, 0}, {1, 0.5}, {3, 0.5}, {3, 0}, {4, 0}};
  ASSERT_EQ(inside.points.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(inside.points[i].x, expected[i].first) << i;
    EXPECT_EQ(inside.points[i].y, expected[i].second) << i;
  }
  // A law wider than the chart stays at its height across it.
  const ChartSeries wide = UniformDensityCurve("U", -10.0, 10.0, 0.0, 1.0);
  ASSERT_EQ(wide.points.size(), 2u);
  EXPECT_EQ(wide.points[0].y, 0.05);
  EXPECT_EQ(wide.points[1].y, 0.05);
  EXPECT_TRUE(UniformDensityCurve("U", 2.0, 2.0, 0.0, 4.0).points.empty());
}

}  // namespace
}  // namespace kelvo
