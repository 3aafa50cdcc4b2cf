#include "core/regression/Regression.h"

#include <gtest/gtest.h>

#include <cmath>

#include "../UserErrorChecks.h"
#include "core/regression/RegressionDocuments.h"
#include "core/tables/TableStore.h"

namespace kelvo {
namespace {

std::vector<RegressionPair> Pairs(const std::vector<double>& x, const std::vector<double>& y) {
  std::vector<RegressionPair> pairs;
  for (std::size_t i = 0; i < x.size(); ++i) pairs.push_back({x[i], y[i], 1, static_cast<int>(i) + 1});
  return pairs;
}

// Oxygen purity y (%) against hydrocarbon level x (%), Montgomery & Runger, Applied Statistics
// and Probability for Engineers, examples 11-1 to 11-6: b̂ = 14.947, â = 74.283, σ̂² = 1.18,
// t = 11.35, 95% interval of b (12.181, 17.713), at x0 = 1.00 ŷ0 = 89.23, the mean response
// 89.23 ± 0.75 and the prediction interval (86.83, 91.63). The interval ends to four decimals are
// the book's formulas computed with numpy from scipy.stats.linregress and t = 2.101.
const std::vector<double> kPurityX = {0.99, 1.02, 1.15, 1.29, 1.46, 1.36, 0.87, 1.23, 1.55, 1.40,
                                      1.19, 1.15, 0.98, 1.01, 1.11, 1.20, 1.26, 1.32, 1.43, 0.95};
const std::vector<double> kPurityY = {90.01, 89.05, 91.43, 93.74, 96.73, 94.45, 87.59,
                                      91.77, 99.42, 93.65, 93.54, 92.52, 90.56, 89.54,
                                      89.85, 90.39, 93.25, 93.41, 94.98, 87.33};

TEST(Regression, StraightLineMatchesTheWorkedExample) {
  TableStore tables{KELVO_TABLES_DB};
  const RegressionResult r =
      FitRegression(tables, {RegressionModel::Linear, Pairs(kPurityX, kPurityY), 0.05, 1.00});
  EXPECT_NEAR(r.b, 14.947, 5e-4);
  EXPECT_NEAR(r.a, 74.283, 5e-4);
  EXPECT_NEAR(r.sigma2, 1.18, 5e-3);
  EXPECT_NEAR(r.t, 11.35, 5e-3);
  EXPECT_NEAR(r.r, 0.93672, 5e-5);  // scipy rvalue 0.936715
  EXPECT_NEAR(r.critical.value, 2.1009, 5e-5);  // t₀.₀₂₅(18) of the printed table
  EXPECT_FALSE(r.critical.exact);
  EXPECT_NEAR(r.p, 1.2273e-9, 1e-12);  // scipy linregress pvalue
  EXPECT_EQ(r.decision, Decision::AcceptH1);
  EXPECT_NEAR(r.slopeLower, 12.181, 5e-4);
  EXPECT_NEAR(r.slopeUpper, 17.714, 5e-4);
  ASSERT_TRUE(r.prediction && r.prediction->meanInterval && r.prediction->predictionInterval);
  EXPECT_NEAR(r.prediction->y0, 89.23, 5e-3);
  EXPECT_NEAR(r.prediction->meanInterval->first, 88.4861, 5e-4);
  EXPECT_NEAR(r.prediction->meanInterval->second, 89.9755, 5e-4);
  EXPECT_NEAR(r.prediction->predictionInterval->first, 86.8296, 5e-4);
  EXPECT_NEAR(r.prediction->predictionInterval->second, 91.6320, 5e-4);
}

// Curves fitted on their transformed pairs; a, b, r each from scipy.stats.linregress on the
// transformed data (a = exp(intercept) where ln y is taken).
struct CurveCase {
  const char* name;
  RegressionModel model;
  std::vector<double> x, y;
  double a, b, r;
};

class CurveFit : public testing::TestWithParam<CurveCase> {};

TEST_P(CurveFit, GivesTheEquationInItsOwnForm) {
  TableStore tables{KELVO_TABLES_DB};
  const CurveCase& c = GetParam();
  const RegressionResult r = FitRegression(tables, {c.model, Pairs(c.x, c.y), 0.05, {}});
  EXPECT_NEAR(r.a, c.a, std::abs(c.a) * 1e-6);
  EXPECT_NEAR(r.b, c.b, std::abs(c.b) * 1e-6);
  EXPECT_NEAR(r.r, c.r, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Regression, CurveFit,
    testing::Values(
        // The ladle volume example of Chinese textbooks: 1/ŷ = 0.008967 + 0.0008292/x.
        CurveCase{"Hyperbolic", RegressionModel::Hyperbolic,
                  {2, 3, 4, 5, 7, 8, 10, 11, 14, 15, 16, 18, 19},
                  {106.42, 108.20, 109.58, 109.50, 110.00, 109.93, 110.49, 110.59, 110.60, 110.90,
                   110.76, 111.00, 111.20},
                  0.0089666297, 0.00082917436, 0.98670456},
        CurveCase{"Exponential", RegressionModel::Exponential, {1, 2, 3, 4, 5, 6, 7, 8},
                  {15.3, 20.5, 27.4, 36.6, 49.1, 65.6, 87.8, 117.6}, 11.437068537, 0.29121601624,
                  0.99999917},
        // Roughly y = 2·x^1.5: scipy.stats.linregress(ln x, ln y).
        CurveCase{"Power", RegressionModel::Power, {1, 2, 4, 8}, {2.1, 5.557, 16.1, 45.155},
                  2.0569848038, 1.4813956081, 0.99984795}),
    [](const testing::TestParamInfo<CurveCase>& info) { return std::string(info.param.name); });

struct RefusalCase {
  const char* name;
  RegressionModel model;
  std::vector<double> x, y;
  double alpha;
  std::optional<double> x0;
  const char* message;
};

class RegressionRefusal : public testing::TestWithParam<RefusalCase> {};

TEST_P(RegressionRefusal, NamesTheFault) {
  TableStore tables{KELVO_TABLES_DB};
  const RefusalCase& c = GetParam();
  ExpectUserError([&] { FitRegression(tables, {c.model, Pairs(c.x, c.y), c.alpha, c.x0}); }, c.message);
}

INSTANTIATE_TEST_SUITE_P(
    Regression, RegressionRefusal,
    testing::Values(
        RefusalCase{"TwoPairs", RegressionModel::Linear, {1, 2}, {3, 4}, 0.05, {}, "数据少于 3 对，无法回归"},
        RefusalCase{"SameX", RegressionModel::Linear, {2, 2, 2}, {1, 2, 3}, 0.05, {}, "x 的值全部相同，无法回归"},
        RefusalCase{"OnALine", RegressionModel::Linear, {1, 2, 3}, {3, 5, 7}, 0.05, {},
                    "数据全在一条直线上，残差为 0，无法检验"},
        RefusalCase{"Level", RegressionModel::Linear, {1, 2, 3}, {3, 5, 8}, 1.0, {}, "显著水平数据错误"},
        RefusalCase{"LogOfNegativeX", RegressionModel::Power, {1, -2, 3}, {3, 5, 8}, 0.05, {},
                    "第 2 列：ln x 需要 x > 0，而 x = −2"},
        RefusalCase{"LogOfZeroY", RegressionModel::Exponential, {1, 2, 3}, {3, 0, 8}, 0.05, {},
                    "第 2 列：ln y 需要 y > 0，而 y = 0"},
        RefusalCase{"ReciprocalOfZero", RegressionModel::Hyperbolic, {1, 2, 3}, {3, 5, 0}, 0.05, {},
                    "第 3 列：1/y 需要 y ≠ 0"},
        RefusalCase{"PredictionOutsideLog", RegressionModel::Logarithmic, {1, 2, 3}, {3, 5, 8}, 0.05, 0.0,
                    "x0：ln x 需要 x > 0，而 x = 0"}),
    [](const testing::TestParamInfo<RefusalCase>& info) { return std::string(info.param.name); });

CellStore Grid(const std::vector<std::vector<std::string>>& rows) {
  CellStore store(4, 6);
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c) store.setText(static_cast<int>(r) + 1, static_cast<int>(c) + 1, rows[r][c]);
  return store;
}

TEST(RegressionPairs, ReadsColumnsAndCounts) {
  const auto one = ReadRegressionPairs(Grid({{"1", "2", "", "4"}, {"3", "5", "", "9"}}), InputMode::One);
  ASSERT_EQ(one.size(), 3u);
  EXPECT_EQ(one[2].x, 4);
  EXPECT_EQ(one[2].column, 4);
  // A count of 0 leaves its pair out, an empty one too.
  const auto two = ReadRegressionPairs(Grid({{"1", "2", "3"}, {"3", "5", "6"}, {"2", "0", ""}}), InputMode::Two);
  ASSERT_EQ(two.size(), 1u);
  EXPECT_EQ(two[0].count, 2);
  ExpectUserError([] { ReadRegressionPairs(Grid({{"1", "2"}, {"3"}}), InputMode::One); }, "第 2 列的成对数据不全");
  ExpectUserError([] { ReadRegressionPairs(Grid({{"1", "a"}, {"3", "4"}}), InputMode::One); }, "数据错误");
  ExpectUserError([] { ReadRegressionPairs(Grid({{"1"}, {"3"}, {"1.5"}}), InputMode::Two); },
                  "重复数必须是非负整数");
}

TEST(Regression, CountsWeighPairsAsRepeatedColumns) {
  TableStore tables{KELVO_TABLES_DB};
  std::vector<RegressionPair> counted = {{1, 2, 2, 1}, {2, 5, 1, 2}, {4, 7, 3, 3}};
  const RegressionResult weighted = FitRegression(tables, {RegressionModel::Linear, counted, 0.05, 3.0});
  const RegressionResult repeated = FitRegression(
      tables, {RegressionModel::Linear, Pairs({1, 1, 2, 4, 4, 4}, {2, 2, 5, 7, 7, 7}), 0.05, 3.0});
  EXPECT_EQ(weighted.n, 6);
  EXPECT_DOUBLE_EQ(weighted.b, repeated.b);
  EXPECT_DOUBLE_EQ(weighted.sigma2, repeated.sigma2);
  EXPECT_DOUBLE_EQ(weighted.prediction->predictionHalfWidth, repeated.prediction->predictionHalfWidth);
}

TEST(RegressionDocuments, ChartsAndSolutionCarryTheFit) {
  TableStore tables{KELVO_TABLES_DB};
  const RegressionResult r =
      FitRegression(tables, {RegressionModel::Linear, Pairs(kPurityX, kPurityY), 0.05, 1.00});
  const ChartDescription scatter = RegressionChart(r);
  ASSERT_EQ(scatter.ofKind(SeriesKind::Points).size(), 1u);
  EXPECT_EQ(scatter.ofKind(SeriesKind::Points)[0]->points.size(), kPurityX.size());
  // Fitted line and the outline of each band, lower edge first: at the left end the prediction
  // band lies outside the mean band, which lies around the line.
  const auto curves = scatter.ofKind(SeriesKind::Curve);
  ASSERT_EQ(curves.size(), 3u);
  const double line = curves[0]->points.front().y;
  const auto& mean = curves[1]->points;
  const auto& prediction = curves[2]->points;
  EXPECT_LT(prediction.front().y, mean.front().y);
  EXPECT_LT(mean.front().y, line);
  EXPECT_GT(mean.back().y, line);
  EXPECT_GT(prediction.back().y, mean.back().y);
  EXPECT_DOUBLE_EQ(mean.front().x, mean.back().x);
  // Residuals of a least-squares line add up to 0; the first is y₁ − (â + b̂x₁).
  const ChartDescription residuals = ResidualChart(r);
  const auto& e = residuals.ofKind(SeriesKind::Points)[0]->points;
  double sum = 0.0;
  for (const ChartPoint& p : e) sum += p.y;
  EXPECT_NEAR(sum, 0.0, 1e-9);
  EXPECT_NEAR(e[0].y, 90.01 - (r.a + r.b * 0.99), 1e-9);
  const std::string text = RegressionSolution(r).plainText();
  EXPECT_NE(text.find("S_xy"), std::string::npos);
  EXPECT_NE(text.find("t₀.₀₂₅(18) = 2.1009"), std::string::npos);
  EXPECT_EQ(RegressionStatusLine(r), "b̂ = 14.947，t = 11.3517，临界值 t₀.₀₂₅(18) = 2.1009，p < 0.0001");
}

}  // namespace
}  // namespace kelvo
