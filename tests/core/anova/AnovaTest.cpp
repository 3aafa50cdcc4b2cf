#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/anova/Anova.h"
#include "core/anova/AnovaSolution.h"
#include "core/tables/TableStore.h"
#include "../UserErrorChecks.h"

namespace kelvo {
namespace {

CellStore Grid(const std::vector<std::vector<std::string>>& rows) {
  CellStore store(28, 30);
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      store.setText(static_cast<int>(r) + 1, static_cast<int>(c) + 1, rows[r][c]);
  return store;
}

struct Expected {
  const char* name;
  double ss;
  int df;
  double f;         // 0: no F ratio
  double critical;  // table F at 0.05
  double p;
  Decision decision;
};

struct Example {
  const char* name;
  AnovaDesign design;
  std::vector<std::vector<std::string>> grid;
  std::vector<Expected> rows;
};

// Thickness of aluminium plates from three machines (one factor, 5 per level), and rocket
// range by fuel A1–A4 and thrust B1–B3 with two shots per cell: the worked examples of the
// analysis-of-variance chapter of the usual course textbook (S_A = 0.00105333,
// S_E = 0.000192, F = 32.92; S_A = 261.68, S_B = 370.98, S_A×B = 1768.69, S_E = 236.95,
// F = 4.42, 9.39, 14.93). The two-factor table without replication is computed by hand with
// numpy from its sums of squares. Every F, p and critical value also checked with scipy:
// scipy.stats.f_oneway(...) = (32.9167, 1.343e-05); scipy.stats.f.sf(4.4174, 3, 12) = 0.02597,
// f.sf(9.3939, 2, 12) = 0.003506, f.sf(14.9288, 6, 12) = 6.151e-05, f.sf(23.7097, 2, 6) =
// 0.001417, f.sf(6.8645, 3, 6) = 0.02289; the critical values are the printed F table's.
const std::vector<Example>& Examples() {
  static const std::vector<Example> examples = {
      {"OneWayPlates", AnovaDesign::OneWay,
       {{"0.236", "0.238", "0.248", "0.245", "0.243"},
        {"0.257", "0.253", "0.255", "0.254", "0.261"},
        {"0.258", "0.264", "0.259", "0.267", "0.262"}},
       {{"因素A", 0.00105333, 2, 32.9167, 3.89, 1.343e-05, Decision::AcceptH1},
        {"误差", 0.000192, 12, 0, 0, 0, Decision::AcceptH0},
        {"总和", 0.00124533, 14, 0, 0, 0, Decision::AcceptH0}}},
      {"TwoWayWithoutReplication", AnovaDesign::TwoWay,
       {{"53", "56", "45", "52"}, {"47", "50", "47", "47"}, {"57", "63", "54", "57"}},
       {{"因素A", 204.1667, 2, 23.7097, 5.14, 0.001417, Decision::AcceptH1},
        {"因素B", 88.6667, 3, 6.8645, 4.76, 0.02289, Decision::AcceptH1},
        {"误差", 25.8333, 6, 0, 0, 0, Decision::AcceptH0},
        {"总和", 318.6667, 11, 0, 0, 0, Decision::AcceptH0}}},
      {"ReplicatedRocketRange", AnovaDesign::Replicated,
       {{"58.2 52.6", "56.2,41.2", "65.3 60.8"},
        {"49.1 42.8", "54.1 50.5", "51.6, 48.4"},
        {"60.1 58.3", "70.9 73.2", "39.2 40.7"},
        {"75.8 71.5", "58.2 51.0", "48.7 41.4"}},
       {{"因素A", 261.675, 3, 4.4174, 3.49, 0.02597, Decision::AcceptH1},
        {"因素B", 370.9808, 2, 9.3939, 3.89, 0.003506, Decision::AcceptH1},
        {"交互作用", 1768.6925, 6, 14.9288, 3.00, 6.151e-05, Decision::AcceptH1},
        {"误差", 236.95, 12, 0, 0, 0, Decision::AcceptH0},
        {"总和", 2638.2983, 23, 0, 0, 0, Decision::AcceptH0}}},
  };
  return examples;
}

class AnovaExamples : public testing::TestWithParam<Example> {};

TEST_P(AnovaExamples, TableMatchesTheWorkedExample) {
  TableStore tables{KELVO_TABLES_DB};
  const Example& e = GetParam();
  const AnovaResult r = RunAnova(tables, e.design, Grid(e.grid), 0.05);
  ASSERT_EQ(r.sources.size(), e.rows.size());
  for (std::size_t i = 0; i < e.rows.size(); ++i) {
    const Expected& x = e.rows[i];
    const AnovaSource& s = r.sources[i];
    SCOPED_TRACE(x.name);
    EXPECT_EQ(s.name, x.name);
    EXPECT_NEAR(s.sumSquares, x.ss, std::abs(x.ss) * 1e-5);
    EXPECT_EQ(s.df, x.df);
    ASSERT_EQ(s.f.has_value(), x.f != 0);
    if (!s.f) continue;
    EXPECT_NEAR(*s.f, x.f, 1e-4);
    EXPECT_NEAR(s.critical->value, x.critical, 0.006);
    EXPECT_FALSE(s.critical->exact);
    EXPECT_NEAR(s.p, x.p, x.p * 1e-3);
    EXPECT_EQ(s.decision, x.decision);
  }
}

INSTANTIATE_TEST_SUITE_P(Designs, AnovaExamples, testing::ValuesIn(Examples()),
                         [](const auto& info) { return std::string(info.param.name); });

// The estimates and intervals of the plate example: μ̂ = 0.242, 0.256, 0.262, σ̂² = 1.6e-05;
// half width t₀.₀₂₅(12)·√(σ̂²·2/5) = 2.1788·0.0025298 = 0.005512 (scipy.stats.t.isf(0.025, 12)).
TEST(OneWayAnova, EstimatesAndPairIntervals) {
  TableStore tables{KELVO_TABLES_DB};
  const AnovaResult r = RunAnova(tables, AnovaDesign::OneWay, Grid(Examples()[0].grid), 0.05);
  ASSERT_EQ(r.meansA.size(), 3u);
  EXPECT_NEAR(r.meansA[0], 0.242, 1e-12);
  EXPECT_NEAR(r.meansA[2], 0.262, 1e-12);
  EXPECT_NEAR(r.sigma2, 1.6e-05, 1e-12);
  ASSERT_EQ(r.pairs.size(), 3u);
  EXPECT_NEAR(r.pairs[0].difference, -0.014, 1e-12);
  EXPECT_NEAR(r.pairs[0].halfWidth, 0.005512, 2e-6);
  EXPECT_EQ(r.pairs[2].first, 1);
  EXPECT_EQ(r.pairs[2].second, 2);
  EXPECT_EQ(AnovaConclusion(r), "因素A：接受备选假设 H1（影响显著）");
}

// The level chart: one dot per observation above its level, and the level means.
TEST(OneWayAnova, LevelChartHoldsEveryObservationAndMean) {
  TableStore tables{KELVO_TABLES_DB};
  const AnovaResult r = RunAnova(tables, AnovaDesign::OneWay, Grid(Examples()[0].grid), 0.05);
  const ChartDescription chart = AnovaLevelChart(r);
  const auto dots = chart.ofKind(SeriesKind::Points);
  ASSERT_EQ(dots.size(), 2u);
  EXPECT_EQ(dots[0]->points.size(), 15u);
  ASSERT_EQ(dots[1]->points.size(), 3u);
  EXPECT_DOUBLE_EQ(dots[1]->points[1].x, 2.0);
  EXPECT_NEAR(dots[1]->points[1].y, 0.256, 1e-12);
  EXPECT_LT(chart.yMin, 0.236);
  EXPECT_GT(chart.yMax, 0.267);
}

// A level without the table's column gets the exact quantile: F(2, 12) at 0.07 is
// scipy.stats.f.isf(0.07, 2, 12) = 3.3462.
TEST(OneWayAnova, LevelOutsideTheTableUsesTheExactQuantile) {
  TableStore tables{KELVO_TABLES_DB};
  const AnovaResult r = RunAnova(tables, AnovaDesign::OneWay, Grid(Examples()[0].grid), 0.07);
  EXPECT_TRUE(r.sources[0].critical->exact);
  EXPECT_NEAR(r.sources[0].critical->value, 3.3462, 1e-4);
}

struct Refusal {
  const char* name;
  AnovaDesign design;
  std::vector<std::vector<std::string>> grid;
  double alpha;
  const char* message;
};

class AnovaRefusals : public testing::TestWithParam<Refusal> {};

TEST_P(AnovaRefusals, RefusesWithItsMessage) {
  TableStore tables{KELVO_TABLES_DB};
  const Refusal& r = GetParam();
  ExpectUserError([&] { RunAnova(tables, r.design, Grid(r.grid), r.alpha); }, r.message);
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, AnovaRefusals,
    testing::Values(
        Refusal{"OneLevel", AnovaDesign::OneWay, {{"1", "2", "3"}}, 0.05, "至少需要两个水平的观测值"},
        Refusal{"EmptyLevel", AnovaDesign::OneWay, {{"1", "2"}, {}, {"3", "5"}}, 0.05,
                "水平 A2 没有观测值"},
        Refusal{"NoErrorDf", AnovaDesign::OneWay, {{"1"}, {"2"}}, 0.05,
                "误差的自由度为 0，无法检验：至少一个水平需要两个以上观测值"},
        Refusal{"AllEqual", AnovaDesign::OneWay, {{"4", "4"}, {"4", "4"}}, 0.05,
                "所有观测值都相等，F 比没有意义"},
        Refusal{"NoSpreadWithinLevels", AnovaDesign::OneWay, {{"1", "1"}, {"2", "2"}}, 0.05,
                "误差平方和为 0，F 比没有意义"},
        Refusal{"NonNumeric", AnovaDesign::OneWay, {{"1", "x"}, {"2", "3"}}, 0.05,
                "第 1 行第 2 列的数据不是数值"},
        Refusal{"LevelMissing", AnovaDesign::OneWay, {{"1", "2"}, {"2", "3"}}, 0.0, "置信水平数据缺乏"},
        Refusal{"LevelTooLarge", AnovaDesign::OneWay, {{"1", "2"}, {"2", "3"}}, 1.0,
                "置信水平应大于0小于1"},
        Refusal{"TwoWayOneColumn", AnovaDesign::TwoWay, {{"1"}, {"2"}}, 0.05,
                "因素A和因素B都至少需要两个水平"},
        Refusal{"TwoWayHole", AnovaDesign::TwoWay, {{"1", "2"}, {"3", ""}, {"4", "6"}}, 0.05,
                "第 2 行第 2 列缺少观测值"},
        Refusal{"UnequalReplication", AnovaDesign::Replicated, {{"1 2", "3 4"}, {"5 6", "7 8 9"}}, 0.05,
                "各单元的重复观测次数必须相同"},
        Refusal{"SingleReplicate", AnovaDesign::Replicated, {{"1", "3"}, {"5", "7"}}, 0.05,
                "每个单元至少需要 2 个重复观测值"},
        Refusal{"ListNotNumeric", AnovaDesign::Replicated, {{"1 2", "3 y"}, {"5 6", "7 8"}}, 0.05,
                "第 1 行第 2 列的数据不是数值"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AnovaCells, NumberListsAndTheirPrefixes) {
  struct Case {
    const char* text;
    bool complete;
    bool prefix;
    std::size_t count;
  };
  const Case cases[] = {{"58.2 52.6", true, true, 2}, {"1,2 , 3", true, true, 3}, {"", true, true, 0},
                        {"3,", true, true, 1},        {"12 1e", false, true, 0}, {"1e 2", false, false, 0},
                        {"2 x", false, false, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto values = ReadNumberList(c.text);
    EXPECT_EQ(values.has_value(), c.complete);
    if (values) {
      EXPECT_EQ(values->size(), c.count);
    }
    EXPECT_EQ(IsNumberListPrefix(c.text), c.prefix);
  }
}

}  // namespace
}  // namespace kelvo
