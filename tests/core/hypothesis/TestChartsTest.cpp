// Charts of the tests: the shaded region starts at the critical values the test looked up, the
// statistic sits where the test computed it, the densities are densities, and no chart holds a
// value that cannot be drawn.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <boost/math/distributions/normal.hpp>
#include <gtest/gtest.h>

#include "../ChartChecks.h"
#include "TestSupport.h"
#include "core/hypothesis/AsymptoticTests.h"
#include "core/hypothesis/GoodnessOfFit.h"
#include "core/hypothesis/ParametricTests.h"
#include "core/hypothesis/RankSum.h"
#include "core/hypothesis/SkewnessKurtosis.h"
#include "core/hypothesis/TestCharts.h"
#include "core/tables/TableStore.h"
#include "../Summaries.h"

namespace kelvo {
namespace {

using testing::ChoiceName;
using testing::kChoices;

class ChartTables : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};

const ChartSeries* StatisticMarker(const ChartDescription& chart) {
  for (const ChartSeries* m : chart.ofKind(SeriesKind::Marker))
    if (m->name == "statistic") return m;
  return nullptr;
}

bool InsideShading(const ChartDescription& chart, double x) {
  for (const ChartSeries* s : chart.ofKind(SeriesKind::Shaded))
    if (x >= s->lower && x <= s->upper) return true;
  return false;
}

struct ParametricCase {
  const char* name;
  std::function<TestResult(TableStore&, Hypothesis)> run;
};

// One test of each null distribution, with a statistic inside the body of its density.
const ParametricCase kParametric[] = {
    {"normal U", [](TableStore& tables, Hypothesis h) { return TestMeanKnownSigma(tables, Summary(16, 10.5, 2.0), 2.0, 10.0, h, 0.05); }},
    {"t(9)", [](TableStore& tables, Hypothesis h) { return TestMeanUnknownSigma(tables, Summary(10, 9.2, 1.5), 10.0, h, 0.05); }},
    {"chi-square(11)", [](TableStore& tables, Hypothesis h) { return TestSigmaUnknownMean(tables, Summary(12, 5.0, 2.6), 2.0, h, 0.05); }},
    {"F(7,9)",
     [](TableStore& tables, Hypothesis h) {
       return TestSigmaRatio(tables, {Summary(8, 1.0, 3.0), Summary(10, 2.0, 2.0)}, h, 0.1);
     }},
};

TEST_F(ChartTables, ShadedRegionStartsAtTheCriticalValues) {
  for (const ParametricCase& c : kParametric)
    for (Hypothesis h : kChoices) {
      SCOPED_TRACE(std::string(c.name) + " " + ChoiceName(h));
      const TestResult r = c.run(tables, h);
      const ChartDescription chart = TestChart(r, h);
      ExpectDrawable(chart, c.name);
      const std::vector<const ChartSeries*> shaded = chart.ofKind(SeriesKind::Shaded);
      const auto& cv = r.criticalValues;
      const bool symmetric = r.distribution == StatisticDistribution::Normal ||
                             r.distribution == StatisticDistribution::T;
      // Normal and t record z(α) [, z(α/2)]; χ² and F upper, lower at α [, at α/2].
      double lowerEdge = NAN, upperEdge = NAN;
      if (h == Hypothesis::Greater) upperEdge = cv.at(0).value;
      if (h == Hypothesis::Less) lowerEdge = symmetric ? -cv.at(0).value : cv.at(1).value;
      if (h == Hypothesis::TwoSided) {
        upperEdge = symmetric ? cv.at(1).value : cv.at(2).value;
        lowerEdge = symmetric ? -cv.at(1).value : cv.at(3).value;
      }
      const size_t expected = std::isnan(lowerEdge) + std::isnan(upperEdge) == 1 ? 1u : 2u;
      ASSERT_EQ(shaded.size(), expected);
      if (!std::isnan(lowerEdge)) {
        EXPECT_EQ(shaded.front()->upper, lowerEdge);
        EXPECT_EQ(shaded.front()->lower, chart.xMin);
      }
      if (!std::isnan(upperEdge)) {
        EXPECT_EQ(shaded.back()->lower, upperEdge);
        EXPECT_EQ(shaded.back()->upper, chart.xMax);
      }
      for (const ChartSeries* s : shaded)
        for (const ChartPoint& p : s->points) {
          EXPECT_GE(p.x, s->lower);
          EXPECT_LE(p.x, s->upper);
        }
      // Each edge is marked, and the statistic lies in the shading exactly when H0 is rejected.
      EXPECT_EQ(chart.ofKind(SeriesKind::Marker).size(), expected + 1);
      const ChartSeries* statistic = StatisticMarker(chart);
      ASSERT_NE(statistic, nullptr);
      EXPECT_EQ(statistic->at, r.statistic);
      EXPECT_EQ(InsideShading(chart, r.statistic), !r.acceptsH0());
      // Each label keeps its mark's value itself, for the window to write as its labels do.
      for (const ChartSeries* mark : chart.ofKind(SeriesKind::Marker))
        EXPECT_EQ(mark->label.numbers(), std::vector<double>{mark->at});
    }
}

TEST_F(ChartTables, CurvesAreDensitiesAndShadingHoldsTheLevel) {
  for (const ParametricCase& c : kParametric) {
    SCOPED_TRACE(c.name);
    const TestResult r = c.run(tables, Hypothesis::Greater);
    const ChartDescription chart = TestChart(r, Hypothesis::Greater);
    const std::vector<const ChartSeries*> curves = chart.ofKind(SeriesKind::Curve);
    ASSERT_EQ(curves.size(), 1u);
    EXPECT_GE(curves[0]->points.size(), 190u);
    // The chart spans the density's body from its 0.5% to its 99.5% point.
    EXPECT_NEAR(Area(curves[0]->points), 1.0, 0.015);
    // The shaded upper tail beyond the α point holds about α: 0.05 (0.1 for F), less what lies
    // beyond the chart (≤ 0.005), give or take the table's rounding of the critical value.
    const double alpha = r.distribution == StatisticDistribution::F ? 0.1 : 0.05;
    EXPECT_NEAR(Area(chart.ofKind(SeriesKind::Shaded).at(0)->points), alpha, 0.008);
  }
}

TEST_F(ChartTables, FarStatisticIsClippedToTheChartAndNamed) {
  const TestResult r =
      TestMeanKnownSigma(tables, Summary(100, 1e6, 1.0), 1.0, 0.0, Hypothesis::TwoSided, 0.05);
  const ChartDescription chart = TestChart(r, Hypothesis::TwoSided);
  ExpectDrawable(chart, "far");
  EXPECT_LT(chart.xMax, 10.0);  // the body of N(0,1), not an axis 10^7 wide
  const ChartSeries* statistic = StatisticMarker(chart);
  ASSERT_NE(statistic, nullptr);
  EXPECT_EQ(statistic->at, chart.xMax);
  EXPECT_NE(Shown(statistic->label).find("图外"), std::string::npos);
  EXPECT_NE(Shown(chart.note).find("图示范围之外"), std::string::npos);

  // A statistic just beyond the body widens the chart instead.
  const TestResult near =
      TestMeanKnownSigma(tables, Summary(16, 11.5, 1.0), 1.0, 10.0, Hypothesis::Greater, 0.05);
  const ChartDescription widened = TestChart(near, Hypothesis::Greater);
  EXPECT_EQ(StatisticMarker(widened)->at, near.statistic);  // U = 6
  EXPECT_GT(widened.xMax, 6.0);
  EXPECT_TRUE(widened.note.empty());
}

TEST_F(ChartTables, DegenerateResultsDrawNoCurveAndNoNaN) {
  struct Case {
    const char* name;
    TestResult result;
    Hypothesis hypothesis;
    size_t markers;
  };
  const Case cases[] = {
      // s = 0: no look-up, no statistic.
      {"t without spread", TestMeanUnknownSigma(tables, Summary(5, 3.0, 0.0), 2.0, Hypothesis::Less, 0.05),
       Hypothesis::Less, 0},
      // s2 = 0 after the look-ups at α only: the two-sided edges at α/2 were never read.
      {"F without spread", TestSigmaRatio(tables, {Summary(6, 1.0, 2.0), Summary(6, 1.0, 0.0)},
                                          Hypothesis::TwoSided, 0.05),
       Hypothesis::TwoSided, 0},
      {"F one-sided without spread", TestSigmaRatio(tables, {Summary(6, 1.0, 2.0), Summary(6, 1.0, 0.0)},
                                                    Hypothesis::Greater, 0.05),
       Hypothesis::Greater, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(c.result.zeroDenominator);
    const ChartDescription chart = TestChart(c.result, c.hypothesis);
    ExpectDrawable(chart, c.name);
    EXPECT_TRUE(chart.ofKind(SeriesKind::Curve).empty());
    EXPECT_TRUE(chart.ofKind(SeriesKind::Shaded).empty());
    EXPECT_EQ(StatisticMarker(chart), nullptr);
    EXPECT_EQ(chart.ofKind(SeriesKind::Marker).size(), c.markers);
    EXPECT_NE(Shown(chart.note).find("分母为0"), std::string::npos);
  }
  // A result with no distribution at all still gives a drawable chart with its statistic.
  TestResult none;
  none.statistic = 3.0;
  const ChartDescription chart = TestChart(none, Hypothesis::Greater);
  ExpectDrawable(chart, "none");
  EXPECT_TRUE(chart.ofKind(SeriesKind::Curve).empty());
  ASSERT_NE(StatisticMarker(chart), nullptr);
  EXPECT_EQ(StatisticMarker(chart)->at, 3.0);
}

TEST_F(ChartTables, UnboundedDensityAtZeroIsCutOff) {
  // χ²(1): n = 2. Its density grows without bound at 0; the chart keeps every point finite
  // and its height set by the body.
  const TestResult r = TestSigmaUnknownMean(tables, Summary(2, 1.0, 1.0), 1.0, Hypothesis::Less, 0.05);
  ASSERT_EQ(r.df, 1.0);
  const ChartDescription chart = TestChart(r, Hypothesis::Less);
  ExpectDrawable(chart, "chi-square(1)");
  EXPECT_EQ(chart.xMin, 0.0);
  EXPECT_LT(chart.yMax, 5.0);
  EXPECT_EQ(chart.ofKind(SeriesKind::Shaded).at(0)->upper, r.criticalValues.at(1).value);
}

TEST_F(ChartTables, BandTestShadesOutsideItsBand) {
  SampleSummary s = Summary(100, 0.62, 0.5);
  for (Hypothesis h : kChoices) {
    SCOPED_TRACE(ChoiceName(h));
    const TestResult r = TestProportion(tables, s, 0.5, h, 0.05);
    const ChartDescription chart = BandTestChart(r);
    ExpectDrawable(chart, "band");
    const double lower = *r.intermediates.find("lowerEdge");
    const double upper = *r.intermediates.find("upperEdge");
    std::vector<double> edges;
    for (const ChartSeries* shaded : chart.ofKind(SeriesKind::Shaded)) {
      if (shaded->lower == chart.xMin) edges.push_back(shaded->upper);
      if (shaded->upper == chart.xMax) edges.push_back(shaded->lower);
    }
    std::vector<double> expected;
    if (std::isfinite(lower)) expected.push_back(lower);
    if (std::isfinite(upper)) expected.push_back(upper);
    EXPECT_EQ(edges, expected);
    EXPECT_EQ(StatisticMarker(chart)->at, 0.62);
    // The density of the mean under H0: N(0.5, 0.05²), area ≈ 1 over the chart.
    EXPECT_NEAR(Area(chart.ofKind(SeriesKind::Curve).at(0)->points), 1.0, 0.015);
    EXPECT_EQ(InsideShading(chart, 0.62), !r.acceptsH0());
  }
}

TEST_F(ChartTables, SkewnessKurtosisMarksBothStatistics) {
  CellStore store(3, 31);
  const double values[] = {2.1, 3.4, 1.9, 5.6, 4.4, 3.3, 2.8, 3.9, 4.1, 3.0, 9.5, 3.2};
  for (int i = 0; i < 12; ++i) store.setText(1, i + 1, std::to_string(values[i]));
  const TestResult r = TestSkewnessKurtosis(tables, store, 0.05);
  const ChartDescription chart = SkewnessKurtosisChart(r);
  ExpectDrawable(chart, "skewness");
  const double z = r.criticalValues.at(0).value;
  const std::vector<const ChartSeries*> shaded = chart.ofKind(SeriesKind::Shaded);
  ASSERT_EQ(shaded.size(), 2u);
  EXPECT_EQ(shaded[0]->upper, -z);
  EXPECT_EQ(shaded[1]->lower, z);
  std::vector<double> marked;
  for (const ChartSeries* m : chart.ofKind(SeriesKind::Marker))
    if (m->name == "statistic") marked.push_back(m->at);
  const std::vector<double> expected{*r.intermediates.find("u1"), *r.intermediates.find("u2")};
  EXPECT_EQ(marked, expected);
}

CellStore RankGrid(const std::vector<std::string>& one, const std::vector<std::string>& two) {
  CellStore store(3, 31);
  for (size_t i = 0; i < one.size(); ++i) store.setText(1, static_cast<int>(i) + 1, one[i]);
  for (size_t i = 0; i < two.size(); ++i) store.setText(2, static_cast<int>(i) + 1, two[i]);
  return store;
}

TEST_F(ChartTables, RankSumPointsAreTheRanksOfEachSample) {
  struct Case {
    const char* name;
    CellStore grid;
    const char* method;  // named in the note
  };
  std::vector<std::string> big1, big2;
  for (int i = 0; i < 12; ++i) big1.push_back(std::to_string(i * 1.5));
  for (int i = 0; i < 14; ++i) big2.push_back(std::to_string(i * 1.1 + 2));
  const Case cases[] = {
      {"table, ties", RankGrid({"1", "2", "4", "4"}, {"3", "4", "6", "7", "9"}), "查表"},
      {"normal branch", RankGrid(big1, big2), "正态近似"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const RankSumResult r = ComputeRankSumTest(tables, c.grid, RankSumHypothesis::TwoSided, "0.05");
    const ChartDescription chart = RankSumChart(r);
    ExpectDrawable(chart, c.name);
    EXPECT_NE(Shown(chart.note).find(c.method), std::string::npos) << Shown(chart.note);
    const std::vector<const ChartSeries*> points = chart.ofKind(SeriesKind::Points);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0]->points.size(), static_cast<size_t>(r.ranking.n1));
    EXPECT_EQ(points[1]->points.size(), static_cast<size_t>(r.ranking.n2));
    double sum1 = 0.0, sum2 = 0.0;
    for (const ChartPoint& p : points[0]->points) {
      sum1 += p.x;
      EXPECT_EQ(p.y, 1.0);
    }
    for (const ChartPoint& p : points[1]->points) {
      sum2 += p.x;
      EXPECT_EQ(p.y, 2.0);
    }
    EXPECT_DOUBLE_EQ(sum1, r.ranking.r1);
    EXPECT_DOUBLE_EQ(sum2, r.ranking.r2);
    // Mid-ranks of the pooled sample add up to N(N + 1)/2.
    const double n = r.ranking.n1 + r.ranking.n2;
    EXPECT_DOUBLE_EQ(sum1 + sum2, n * (n + 1) / 2);
  }
}

CellStore Row1(const std::vector<std::string>& values, const std::vector<std::string>& row2 = {},
               const std::vector<std::string>& row3 = {}) {
  CellStore store(4, std::max<int>(31, values.size() + 1));
  for (size_t i = 0; i < values.size(); ++i) store.setText(1, static_cast<int>(i) + 1, values[i]);
  for (size_t i = 0; i < row2.size(); ++i) store.setText(2, static_cast<int>(i) + 1, row2[i]);
  for (size_t i = 0; i < row3.size(); ++i) store.setText(3, static_cast<int>(i) + 1, row3[i]);
  return store;
}

FittingRequest Fitting(FittingEntry entry, FittingInputMode mode, FittingParameters q = {}) {
  FittingRequest r;
  r.entry = entry;
  r.mode = mode;
  r.alpha = 0.05;
  r.parameters = q;
  return r;
}

TEST_F(ChartTables, DiscreteFittingBarsAreTheMergedCounts) {
  // Poisson counts 0..4 with repeat counts; classes merge at the tail.
  const FittingResult r =
      ComputeFittingTest(tables, Fitting(FittingEntry::PoissonUnknown, FittingInputMode::RepeatCounts),
                         Row1({"0", "1", "2", "3", "4"}, {"20", "30", "25", "10", "3"}), CellStore(3, 31));
  const ChartDescription chart = FittingChart(r);
  ExpectDrawable(chart, "poisson");
  const std::vector<const ChartSeries*> bars = chart.ofKind(SeriesKind::Bars);
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_TRUE(bars[0]->edges.empty());
  ASSERT_EQ(bars[0]->sets.size(), 2u);
  ASSERT_EQ(bars[0]->categories.size(), r.merged.size());
  for (size_t i = 0; i < r.merged.size(); ++i) {
    EXPECT_EQ(bars[0]->sets[0].values[i], r.merged[i].observed);
    EXPECT_EQ(bars[0]->sets[1].values[i], r.merged[i].expected);
  }
  // The end classes reach the ends of the law.
  EXPECT_EQ(bars[0]->categories.front(), "≤0");
  EXPECT_EQ(bars[0]->categories.back(), "≥3");
  EXPECT_TRUE(chart.ofKind(SeriesKind::Curve).empty());
}

TEST_F(ChartTables, ContinuousFittingDrawsHistogramAndFittedDensity) {
  std::vector<std::string> values;
  // The 200 quantiles of N(10, 3²) at (i + 0.5)/200.
  for (int i = 0; i < 200; ++i)
    values.push_back(std::to_string(10.0 + 3.0 * boost::math::quantile(boost::math::normal(), (i + 0.5) / 200)));
  const FittingResult r = ComputeFittingTest(tables,
      Fitting(FittingEntry::NormalUnknown, FittingInputMode::Individual), Row1(values), CellStore(3, 31));
  const ChartDescription chart = FittingChart(r);
  ExpectDrawable(chart, "normal");
  EXPECT_NE(Shown(chart.note).find("尾部"), std::string::npos) << Shown(chart.note);
  const std::vector<const ChartSeries*> bars = chart.ofKind(SeriesKind::Bars);
  ASSERT_EQ(bars.size(), 1u);
  ASSERT_EQ(bars[0]->edges.size(), r.classes.size() + 1);
  for (size_t i = 0; i < r.classes.size(); ++i) {
    const double width = r.classes[i].upper - r.classes[i].lower;
    EXPECT_EQ(bars[0]->edges[i], r.classes[i].lower);
    EXPECT_NEAR(bars[0]->sets[0].values[i] * r.n * width, r.classes[i].observed, 1e-9);
    EXPECT_NEAR(bars[0]->sets[1].values[i] * r.n * width, r.classes[i].expected, 1e-9);
  }
  // The fitted N(μ, σ²) over the classes holds the probability the classes expect, less the
  // tails beyond the smallest and largest value (0.5 % together) that the end classes take.
  const std::vector<const ChartSeries*> curves = chart.ofKind(SeriesKind::Curve);
  ASSERT_EQ(curves.size(), 1u);
  std::vector<ChartPoint> inside;
  for (const ChartPoint& p : curves[0]->points)
    if (p.x >= bars[0]->edges.front() && p.x <= bars[0]->edges.back()) inside.push_back(p);
  double probability = 0.0;
  for (const FittingClass& k : r.classes) probability += k.probability;
  EXPECT_NEAR(Area(inside), probability, 0.02);
}

TEST_F(ChartTables, FittingWithoutClassesOrWithGapsStaysDrawable) {
  // Entry 2 runs its data check only: no classes, nothing to draw but the note.
  const FittingResult check =
      ComputeFittingTest(tables, Fitting(FittingEntry::ZeroOneUnknown, FittingInputMode::Individual),
                         Row1({"0", "1", "1", "0", "1", "0", "1", "1", "0", "1"}), CellStore(3, 31));
  const ChartDescription empty = FittingChart(check);
  ExpectDrawable(empty, "entry 2");
  if (check.classes.empty()) {
    EXPECT_FALSE(empty.note.empty());
  }

  // Grouped normal classes with a gap between them cannot tile an axis: plain bars.
  FittingResult gaps;
  gaps.entry = FittingEntry::NormalKnown;
  gaps.n = 20;
  gaps.parameters.normalMu = 0.0;
  gaps.parameters.normalSigma = 1.0;
  gaps.classes = {{-3, -1, 6, 0.16, 3.2}, {0, 3, 14, 0.5, 10}};
  gaps.merged = gaps.classes;
  const ChartDescription bars = FittingChart(gaps);
  ExpectDrawable(bars, "gaps");
  ASSERT_EQ(bars.ofKind(SeriesKind::Bars).size(), 1u);
  EXPECT_TRUE(bars.ofKind(SeriesKind::Bars)[0]->edges.empty());

  // A fitted σ of 0 (set by hand) draws the histogram without a curve.
  FittingResult flat = gaps;
  flat.classes = {{-1, 0, 10, 0.5, 10}, {0, 1, 10, 0.5, 10}};
  flat.parameters.normalSigma = 0.0;
  const ChartDescription noCurve = FittingChart(flat);
  ExpectDrawable(noCurve, "sigma 0");
  EXPECT_EQ(noCurve.ofKind(SeriesKind::Bars).size(), 1u);
  EXPECT_TRUE(noCurve.ofKind(SeriesKind::Curve).empty());
}

}  // namespace
}  // namespace kelvo
