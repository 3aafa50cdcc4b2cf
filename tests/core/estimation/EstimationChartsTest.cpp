// Charts of the estimation windows: interval segments end at the computed bounds, the point
// estimate is marked, histograms hold the sample and the fitted laws are the estimated ones.
#include <boost/math/distributions/binomial.hpp>
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../ChartChecks.h"

#include "core/estimation/EstimationCharts.h"
#include "core/estimation/LargeSampleIntervals.h"
#include "core/estimation/NormalIntervals.h"
#include "core/estimation/PointEstimates.h"
#include "core/sample/Readers.h"
#include "core/tables/TableStore.h"
#include "../Summaries.h"

namespace kelvo {
namespace {

class EstimationChartTables : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};

CellStore Grid(const std::vector<std::string>& row1, const std::vector<std::string>& row2 = {}) {
  CellStore store(3, static_cast<int>(std::max(row1.size(), row2.size())) + 5);
  for (size_t i = 0; i < row1.size(); ++i) store.setText(1, static_cast<int>(i) + 1, row1[i]);
  for (size_t i = 0; i < row2.size(); ++i) store.setText(2, static_cast<int>(i) + 1, row2[i]);
  return store;
}

TEST(WeightedSample, ReadsValuesWithTheirCounts) {
  const CellStore grid = Grid({"1.5", "", "abc", "3", "4"}, {"2", "5", "1", "0", "3"});
  const std::vector<WeightedValue> one = ReadWeightedSample(grid, InputMode::One);
  ASSERT_EQ(one.size(), 3u);
  EXPECT_EQ(one[0].value, 1.5);
  EXPECT_EQ(one[2].value, 4.0);
  EXPECT_EQ(one[2].weight, 1.0);
  // Mode two: a count of 0 leaves its value out.
  const std::vector<WeightedValue> two = ReadWeightedSample(grid, InputMode::Two);
  ASSERT_EQ(two.size(), 2u);
  EXPECT_EQ(two[0].weight, 2.0);
  EXPECT_EQ(two[1].value, 4.0);
  EXPECT_EQ(two[1].weight, 3.0);
}

TEST_F(EstimationChartTables, NormalIntervalSegmentsEndAtTheBounds) {
  const TwoSampleSummary samples{Summary(12, 5.0, 1.2), Summary(10, 4.1, 0.9)};
  struct Case {
    const char* name;
    NormalIntervalInput input;
    std::optional<double> estimate;
    double upperFrom;  // where the one-sided upper interval starts
  };
  const double inf = HUGE_VAL;
  const Case cases[] = {
      {"mean, sigma known", {.kind = NormalInterval::MeanKnownSigma, .samples = samples, .sigma = 1.0}, 5.0, -inf},
      {"mean, sigma unknown", {NormalInterval::MeanUnknownSigma, samples}, 5.0, -inf},
      {"sigma, mean known", {.kind = NormalInterval::SigmaKnownMean, .samples = samples, .mu = 5.0}, std::nullopt, 0},
      {"sigma, mean unknown", {NormalInterval::SigmaUnknownMean, samples}, 1.2, 0},
      {"difference, equal sigmas", {NormalInterval::MeanDiffEqualSigmas, samples}, 0.9, -inf},
      {"ratio, means unknown", {NormalInterval::SigmaRatioUnknownMeans, samples}, 1.2 / 0.9, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const NormalIntervalResult r = ComputeNormalInterval(tables, c.input);
    const ChartDescription chart = NormalIntervalChart(r, c.input);
    ExpectDrawable(chart, c.name);
    const std::vector<const ChartSeries*> segments = chart.ofKind(SeriesKind::Segment);
    ASSERT_EQ(segments.size(), 3u);
    EXPECT_EQ(segments[0]->lower, r.lower);
    EXPECT_EQ(segments[0]->upper, r.upper);
    // The label keeps the bounds themselves, for the window to write as its labels do.
    EXPECT_EQ(segments[0]->label.numbers(), (std::vector<double>{r.lower, r.upper}));
    // A standard deviation's upper limit runs from 0, a mean's from −∞.
    EXPECT_EQ(segments[1]->lower, c.upperFrom);
    EXPECT_EQ(segments[1]->upper, r.upperOnly);
    EXPECT_EQ(segments[2]->lower, r.lowerOnly);
    EXPECT_EQ(segments[2]->upper, HUGE_VAL);
    // One line each, inside the chart's height; the finite ends inside its width.
    EXPECT_NE(segments[0]->at, segments[1]->at);
    EXPECT_NE(segments[1]->at, segments[2]->at);
    for (const ChartSeries* s : segments) {
      EXPECT_GT(s->at, chart.yMin);
      EXPECT_LT(s->at, chart.yMax);
      for (double end : {s->lower, s->upper}) {
        if (std::isfinite(end)) {
          EXPECT_TRUE(end > chart.xMin && end < chart.xMax);
        }
      }
    }
    const std::vector<const ChartSeries*> markers = chart.ofKind(SeriesKind::Marker);
    ASSERT_EQ(markers.size(), c.estimate ? 1u : 0u);
    if (c.estimate) {
      EXPECT_NEAR(markers[0]->at, *c.estimate, 1e-12);
    }
  }
}

TEST_F(EstimationChartTables, LargeSampleIntervalWithItsEstimate) {
  struct Case {
    const char* name;
    LargeSampleIntervalInput input;
    double estimate;
  };
  const Case cases[] = {
      {"0-1", {LargeSampleInterval::BernoulliP, Summary(50, 0.3, 0.46)}, 0.3},
      {"binomial N = 5", {LargeSampleInterval::BinomialP, Summary(40, 2.0, 1.0), 0.95, 5}, 0.4},
      {"Poisson", {LargeSampleInterval::PoissonLambda, Summary(30, 3.2, 1.8)}, 3.2},
      {"exponential", {LargeSampleInterval::ExponentialTheta, Summary(40, 2.5, 2.5)}, 2.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const IntervalResult r = ComputeLargeSampleInterval(tables, c.input);
    const ChartDescription chart = LargeSampleIntervalChart(r, c.input);
    ExpectDrawable(chart, c.name);
    const std::vector<const ChartSeries*> segments = chart.ofKind(SeriesKind::Segment);
    ASSERT_EQ(segments.size(), 1u);
    EXPECT_EQ(segments[0]->lower, r.lower);
    EXPECT_EQ(segments[0]->upper, r.upper);
    ASSERT_EQ(chart.ofKind(SeriesKind::Marker).size(), 1u);
    const double estimate = chart.ofKind(SeriesKind::Marker)[0]->at;
    EXPECT_DOUBLE_EQ(estimate, c.estimate);
    EXPECT_TRUE(estimate > r.lower && estimate < r.upper);
    EXPECT_EQ(chart.ofKind(SeriesKind::Marker)[0]->label.numbers(), std::vector<double>{estimate});
  }
}

TEST_F(EstimationChartTables, LabelsWriteNumbersAsTheWindowDoes) {
  // x̄ = 14.925: the window shows "14.925" (three decimals); four significant digits gave
  // "14.93". The interval's open end is written ∞ whatever the format.
  const TwoSampleSummary samples{Summary(10, 14.925, 0.4), Summary(10, 14.0, 0.4)};
  const NormalIntervalInput input{NormalInterval::MeanUnknownSigma, samples};
  const NormalIntervalResult r = ComputeNormalInterval(tables, input);
  const ChartDescription chart = NormalIntervalChart(r, input);
  EXPECT_EQ(Shown(chart.ofKind(SeriesKind::Marker).at(0)->label), "点估计 14.925");
  EXPECT_EQ(Shown(chart.ofKind(SeriesKind::Segment).at(2)->label),
            "(" + FormatResult(r.lowerOnly, "0.000") + ", ∞)");
}

TEST(IntervalCharts, DegenerateIntervalsStayDrawable) {
  // s2 = 0 gives the ratio interval (0, 0) on every line.
  NormalIntervalResult zero;
  const TwoSampleSummary samples{Summary(5, 1.0, 1.0), Summary(5, 1.0, 0.0)};
  const ChartDescription chart = NormalIntervalChart(zero, {NormalInterval::SigmaRatioUnknownMeans, samples});
  ExpectDrawable(chart, "all bounds 0");
  EXPECT_TRUE(chart.ofKind(SeriesKind::Marker).empty());  // s1/s2 undefined
  // A bound that is NaN is left out and named in the note, never drawn.
  NormalIntervalResult broken{1.0, std::nan(""), 2.0, 0.5, {}, {}};
  const ChartDescription partial = NormalIntervalChart(broken, {NormalInterval::MeanUnknownSigma, samples});
  ExpectDrawable(partial, "NaN bound");
  EXPECT_EQ(partial.ofKind(SeriesKind::Segment).size(), 2u);
  EXPECT_NE(Shown(partial.note).find("双侧置信区间"), std::string::npos);
}

TEST(PointEstimationCharts, ContinuousHistogramHoldsTheSample) {
  const CellStore grid = Grid({"2.1", "3.5", "2.8", "4.4", "3.9", "3.0", "2.2", "5.1", "3.3", "4.0"});
  const SampleSummary summary = ReadOneSample(grid, InputMode::One);
  const std::vector<WeightedValue> values = ReadWeightedSample(grid, InputMode::One);
  struct Case {
    const char* name;
    PointModel model;
    size_t curves;
  };
  // Uniform: moment and likelihood differ, two curves; normal and exponential agree, one.
  const Case cases[] = {{"uniform", PointModel::Uniform, 2},
                        {"normal", PointModel::Normal, 1},
                        {"exponential", PointModel::Exponential, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const PointEstimates e = ComputePointEstimates({c.model, summary, 1});
    const ChartDescription chart = PointEstimationChart(c.model, values, e, 1);
    ExpectDrawable(chart, c.name);
    const std::vector<const ChartSeries*> bars = chart.ofKind(SeriesKind::Bars);
    ASSERT_EQ(bars.size(), 1u);
    const ChartSeries& h = *bars[0];
    ASSERT_EQ(h.edges.size(), h.sets.at(0).values.size() + 1);
    EXPECT_EQ(h.edges.front(), summary.minimum);
    EXPECT_EQ(h.edges.back(), summary.maximum);
    // Heights are count / (n · width): the bars' area is 1 and each count is whole.
    double area = 0.0;
    for (size_t i = 0; i + 1 < h.edges.size(); ++i) {
      const double width = h.edges[i + 1] - h.edges[i];
      area += h.sets[0].values[i] * width;
      const double count = h.sets[0].values[i] * width * summary.n;
      EXPECT_NEAR(count, std::round(count), 1e-9);
    }
    EXPECT_NEAR(area, 1.0, 1e-12);
    const std::vector<const ChartSeries*> curves = chart.ofKind(SeriesKind::Curve);
    ASSERT_EQ(curves.size(), c.curves);
    for (const ChartSeries* curve : curves) EXPECT_GT(Area(curve->points), 0.3);
    if (c.model == PointModel::Uniform) {
      // The likelihood law is flat at 1/(max − min) on [min, max].
      double top = 0.0;
      for (const ChartPoint& p : curves[1]->points) top = std::max(top, p.y);
      EXPECT_DOUBLE_EQ(top, 1.0 / (summary.maximum - summary.minimum));
      EXPECT_NEAR(Area(curves[1]->points), 1.0, 1e-9);
    }
  }
}

TEST(PointEstimationCharts, DiscreteFrequenciesBesideTheEstimatedLaw) {
  // Binomial N = 4: counts of 0..4 successes.
  const CellStore grid = Grid({"0", "1", "2", "3", "4"}, {"2", "6", "8", "3", "1"});
  const SampleSummary summary = ReadOneSample(grid, InputMode::Two);
  const PointEstimates e = ComputePointEstimates({PointModel::Binomial, summary, 4});
  const ChartDescription chart =
      PointEstimationChart(PointModel::Binomial, ReadWeightedSample(grid, InputMode::Two), e, 4);
  ExpectDrawable(chart, "binomial");
  const std::vector<const ChartSeries*> bars = chart.ofKind(SeriesKind::Bars);
  ASSERT_EQ(bars.size(), 1u);
  EXPECT_TRUE(bars[0]->edges.empty());
  ASSERT_EQ(bars[0]->categories, (std::vector<std::string>{"0", "1", "2", "3", "4"}));
  ASSERT_EQ(bars[0]->sets.size(), 2u);  // moment and likelihood agree: one law
  const double counts[] = {2, 6, 8, 3, 1};
  const boost::math::binomial law(4, e.momentFirst);
  for (int k = 0; k <= 4; ++k) {
    EXPECT_DOUBLE_EQ(bars[0]->sets[0].values[k], counts[k] / 20.0);
    EXPECT_NEAR(bars[0]->sets[1].values[k], boost::math::pdf(law, k), 1e-12);
  }
}

TEST(PointEstimationCharts, UndefinedLawsDrawNoCurve) {
  // Equal values: σ comes out 0 and B = A; no density, no NaN.
  const CellStore grid = Grid({"3", "3", "3"});
  const SampleSummary summary = ReadOneSample(grid, InputMode::One);
  for (PointModel model : {PointModel::Normal, PointModel::Uniform}) {
    const PointEstimates e = ComputePointEstimates({model, summary, 1});
    const ChartDescription chart = PointEstimationChart(model, ReadWeightedSample(grid, InputMode::One), e, 1);
    ExpectDrawable(chart, "equal values");
    EXPECT_TRUE(chart.ofKind(SeriesKind::Curve).empty());
    ASSERT_EQ(chart.ofKind(SeriesKind::Bars).size(), 1u);
    EXPECT_EQ(chart.ofKind(SeriesKind::Bars)[0]->sets[0].values, std::vector<double>{1.0});
    EXPECT_FALSE(chart.note.empty());
  }
  // Poisson sample of zeros: λ = 0 puts all the probability on 0.
  const CellStore zeros = Grid({"0", "0"});
  const PointEstimates e = ComputePointEstimates({PointModel::Poisson, ReadOneSample(zeros, InputMode::One), 1});
  const ChartDescription poisson =
      PointEstimationChart(PointModel::Poisson, ReadWeightedSample(zeros, InputMode::One), e, 1);
  ExpectDrawable(poisson, "lambda 0");
  ASSERT_EQ(poisson.ofKind(SeriesKind::Bars).size(), 1u);
  EXPECT_EQ(poisson.ofKind(SeriesKind::Bars)[0]->sets.at(1).values, std::vector<double>{1.0});
  // No sample at all.
  const ChartDescription none = PointEstimationChart(PointModel::Normal, {}, e, 1);
  ExpectDrawable(none, "empty");
  EXPECT_TRUE(none.empty());
}

TEST(PointEstimationCharts, WidePoissonSampleFallsBackToAHistogram) {
  std::vector<std::string> values;
  for (int k = 0; k < 30; ++k) values.push_back(std::to_string(100 + 3 * k));
  const CellStore grid = Grid(values);
  const PointEstimates e = ComputePointEstimates({PointModel::Poisson, ReadOneSample(grid, InputMode::One), 1});
  const ChartDescription chart =
      PointEstimationChart(PointModel::Poisson, ReadWeightedSample(grid, InputMode::One), e, 1);
  ExpectDrawable(chart, "wide");
  ASSERT_EQ(chart.ofKind(SeriesKind::Bars).size(), 1u);
  EXPECT_FALSE(chart.ofKind(SeriesKind::Bars)[0]->edges.empty());
  ASSERT_EQ(chart.ofKind(SeriesKind::Curve).size(), 1u);
  EXPECT_LE(chart.ofKind(SeriesKind::Curve)[0]->points.size(), 210u);
}

TEST(PointEstimationCharts, ValuesBeyondTheRangeOfIntStayDrawable) {
  // Whole values near 10^12 cannot be counted in int categories; they go to a histogram.
  const CellStore grid = Grid({"1000000000000", "1000000000003", "1000000000001", "1000000000001"});
  const SampleSummary summary = ReadOneSample(grid, InputMode::One);
  const PointEstimates e = ComputePointEstimates({PointModel::Poisson, summary, 1});
  const ChartDescription chart =
      PointEstimationChart(PointModel::Poisson, ReadWeightedSample(grid, InputMode::One), e, 1);
  ExpectDrawable(chart, "10^12");
  ASSERT_EQ(chart.ofKind(SeriesKind::Bars).size(), 1u);
  const ChartSeries& h = *chart.ofKind(SeriesKind::Bars)[0];
  EXPECT_EQ(h.edges.front(), 1e12);
  EXPECT_EQ(h.edges.back(), 1e12 + 3);
  // Values spread over the whole range of double leave no class width to draw.
  EXPECT_TRUE(DensityHistogram("", {{-1e308, 1}, {1e308, 1}}, 5).edges.empty());
}

}  // namespace
}  // namespace kelvo
