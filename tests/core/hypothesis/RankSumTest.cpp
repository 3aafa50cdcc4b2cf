// The rank-sum test: input checks, the ranking, the table branch (both sizes at most 10) and
// the normal branch (otherwise, with every value). Samples are chosen so that each decision
// sits next to its critical value.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/hypothesis/RankSum.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"
#include "TestSupport.h"

namespace kelvo {
namespace {

using testing::InputErrorMessage;

using H = RankSumHypothesis;
using Values = std::vector<double>;

// A window grid of 3 rows: row 1 sample one, row 2 sample two, "" leaves a cell empty.
CellStore Grid(const std::vector<std::string>& one, const std::vector<std::string>& two) {
  CellStore grid(3, 101);
  for (std::size_t c = 0; c < one.size(); ++c) grid.setText(1, static_cast<int>(c + 1), one[c]);
  for (std::size_t c = 0; c < two.size(); ++c) grid.setText(2, static_cast<int>(c + 1), two[c]);
  return grid;
}

std::vector<std::string> Texts(const Values& values) {
  std::vector<std::string> texts;
  for (double v : values) texts.push_back(std::to_string(v));
  return texts;
}

TEST(RankSumChecks, InputChecksInOrder) {
  const auto two = std::vector<std::string>{"1", "2"};
  struct Case { const char* name; std::optional<H> h; std::vector<std::string> one; const char* alpha; const char* message; };
  const Case cases[] = {
      {"no hypothesis comes first", std::nullopt, {"1"}, "", "尚未设定假设命题"},
      {"one value in sample one", H::TwoSided, {"1"}, "0.05", "样本量太小"},
      {"empty cells do not count", H::TwoSided, {"", "4", ""}, "0.05", "样本量太小"},
      {"alpha zero", H::FirstLess, {"1", "2"}, "0", "置信水平数据缺乏"},
      {"alpha empty", H::FirstLess, {"1", "2"}, "", "置信水平数据缺乏"},
      {"gaps and letters are observations", H::FirstLess, {"x", "", "3"}, "0.05", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(InputErrorMessage([&] { CheckRankSumInput(Grid(c.one, two), c.h, c.alpha); }), c.message) << c.name;
  EXPECT_EQ(InputErrorMessage([&] { CheckRankSumInput(Grid(two, {"5"}), H::FirstLess, "0.05"); }), "样本量太小");
}

TEST(RankSumChecks, RepeatedValues) {
  const std::vector<std::string> tenHalfFives = {"5", "1", "5", "2", "5", "3", "5", "4", "5", "6"};
  auto twelve = tenHalfFives;
  twelve.insert(twelve.end(), {"5", "5"});  // 7 of 12: the first ten alone would pass
  struct Case { const char* name; std::vector<std::string> one, two; const char* message; };
  const Case cases[] = {
      {"2 in half of 1,2,2,3 passes", {"1", "2", "2", "3"}, {"1", "2"}, ""},
      {"2 in more than half of 2,2,2,3", {"2", "2", "2", "3"}, {"1", "2"}, "样本一重复数据太多错误"},
      {"sample two after sample one passed", {"1", "2"}, {"7", "7", "8"}, "样本二重复数据太多错误"},
      {"both fail: sample one is named", {"4", "4"}, {"7", "7"}, "样本一重复数据太多错误"},
      {"every value is checked", twelve, {"1", "2", "3"}, "样本一重复数据太多错误"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(InputErrorMessage([&] { CheckRepeatedValues(Grid(c.one, c.two)); }), c.message) << c.name;

  const RankSumSizes s = CheckRepeatedValues(Grid(tenHalfFives, {"1", "", "2", "3"}));
  EXPECT_EQ(s.n1, 10);
  EXPECT_EQ(s.n2, 3);
}

// Worked example: pooled 1, 2, 2, 3 rank 1, 2.5, 2.5, 4 with tie sum 2³ − 2 = 6.
TEST(RankSumRanking, MidRanksAndTieSum) {
  const RankSumRanking r = RankSamples({{2, 1}, {3, 2}});
  ASSERT_EQ(r.table.size(), 4u);
  const double ranks[] = {1, 2.5, 2.5, 4};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(r.table[i].rank, ranks[i]) << i;
  EXPECT_EQ(r.table[1].sample, 1);  // equal values keep sample one first
  EXPECT_EQ(r.tieSum, 6.0);
  EXPECT_EQ(r.r1, 3.5);
  EXPECT_EQ(r.r2, 6.5);
  EXPECT_EQ(r.mean, 5.0);
}

// The tie-corrected σ must equal the exact standard deviation of R1 over all equally likely
// choices of n1 of the pooled mid-ranks (counted here by enumeration, tolerance 1e-12).
TEST(RankSumRanking, SigmaMatchesExactVarianceUnderTies) {
  const RankSumRanking r = RankSamples({{1, 3, 3}, {1, 2, 3, 4, 5}});
  const int n = 8, n1 = 3;
  double count = 0, sum = 0, sumSquares = 0;
  for (int mask = 0; mask < (1 << n); ++mask) {
    if (__builtin_popcount(mask) != n1) continue;
    double s = 0;
    for (int i = 0; i < n; ++i)
      if (mask & (1 << i)) s += r.table[i].rank;
    count += 1, sum += s, sumSquares += s * s;
  }
  const double variance = sumSquares / count - (sum / count) * (sum / count);
  EXPECT_EQ(r.tieSum, 6.0 + 24.0);  // groups 1,1 and 3,3,3
  EXPECT_NEAR(r.mean, sum / count, 1e-12);
  EXPECT_NEAR(r.sigma, std::sqrt(variance), 1e-12);
}

// N = 40000: N³ and 12·N·(N − 1) leave 16 and 32 bits. Without ties σ² = n1·n2·(N + 1) / 12.
TEST(RankSumRanking, LargeSizesStayExact) {
  Values one(20000), two(20000);
  for (int i = 0; i < 20000; ++i) one[i] = 2 * i, two[i] = 2 * i + 1;
  const RankSumRanking r = RankSamples({one, two});
  EXPECT_EQ(r.tieSum, 0.0);
  EXPECT_EQ(r.mean, 20000.0 * 40001.0 / 2.0);
  EXPECT_NEAR(r.sigma, std::sqrt(20000.0 * 20000.0 * 40001.0 / 12.0), 1e-6);
  EXPECT_EQ(r.r1 + r.r2, 40000.0 * 40001.0 / 2.0);
}

struct TableCase {
  const char* name;
  Values one, two;
  H h;
  double alphaPrime;
  int t1, t2;
  bool sampleOneSmaller;
  double w;
  bool acceptH0;
};

// Bounds from the built-in table (worked examples of the test's description).
TEST(RankSumTableBranch, BoundsWAndDecisions) {
  TableStore tables;  // no file: this branch reads only the built-in table
  const TableCase cases[] = {
      // Ranks of sample one 1, 2, 4: R1 = 7.
      {"3/4 at 0.05: 0.05 < 0.057, first row", {1, 2, 4}, {3, 5, 6, 7}, H::FirstLess, 0.05, 6, 18, true, 7, true},
      {"3/4 at 0.06: second row", {1, 2, 4}, {3, 5, 6, 7}, H::FirstLess, 0.06, 7, 17, true, 7, false},
      {"3/4 below both rows keeps the first", {1, 2, 4}, {3, 5, 6, 7}, H::FirstLess, 0.01, 6, 18, true, 7, true},
      {"3/4 greater: R1 = 18 reaches T2", {5, 6, 7}, {1, 2, 3, 4}, H::FirstGreater, 0.05, 6, 18, true, 18, false},
      // Sample two is the smaller: W = R2.
      {"4/3 less: R2 = 18 reaches T2", {1, 2, 3, 4}, {5, 6, 7}, H::FirstLess, 0.05, 6, 18, false, 18, false},
      {"4/3 less: R2 = 17 below T2", {1, 2, 3, 5}, {4, 6, 7}, H::FirstLess, 0.05, 6, 18, false, 17, true},
      {"4/3 greater: R2 = 7 above T1 at 0.05", {3, 5, 6, 7}, {1, 2, 4}, H::FirstGreater, 0.05, 6, 18, false, 7, true},
      {"4/3 two-sided: R2 = 6", {4, 5, 6, 7}, {1, 2, 3}, H::TwoSided, 0.05, 6, 18, false, 6, false},
      // N = 20 still reads the table: R1 = 80 keeps H0 at T1 = 79 (the normal bound is 83.3).
      {"10/10 R1 = 80", {1, 2, 3, 4, 5, 6, 7, 13, 19, 20}, {8, 9, 10, 11, 12, 14, 15, 16, 17, 18}, H::FirstLess, 0.05, 79, 131, true, 80, true},
      {"10/10 R1 = 79", {1, 2, 3, 4, 5, 6, 7, 12, 19, 20}, {8, 9, 10, 11, 13, 14, 15, 16, 17, 18}, H::FirstLess, 0.05, 79, 131, true, 79, false},
  };
  for (const TableCase& c : cases) {
    const RankSumResult r = RankSumDecision(tables, c.h, {c.one, c.two}, c.alphaPrime);
    ASSERT_TRUE(r.bounds) << c.name;
    EXPECT_FALSE(r.normal) << c.name;
    EXPECT_EQ(r.bounds->t1, c.t1) << c.name;
    EXPECT_EQ(r.bounds->t2, c.t2) << c.name;
    EXPECT_EQ(r.bounds->sampleOneSmaller, c.sampleOneSmaller) << c.name;
    EXPECT_EQ(r.w, c.w) << c.name;
    EXPECT_EQ(r.test.statistic, c.w) << c.name;
    EXPECT_EQ(r.acceptsH0(), c.acceptH0) << c.name;
  }
}

// The window's road: the level halved for the two-sided entry, and refused sizes.
TEST(RankSumTableBranch, FromTheGrid) {
  TableStore tables;  // no file: this branch reads only the built-in table
  // Two-sided α = 0.1 reads (3, 4) at 0.05: the first row.
  const RankSumResult r = ComputeRankSumTest(tables, Grid({"1", "2", "4"}, {"3", "5", "6", "7"}), H::TwoSided, "0.1");
  EXPECT_EQ(r.alphaPrime, 0.05);
  EXPECT_EQ(r.bounds->t1, 6);
  EXPECT_EQ(r.bounds->t2, 18);

  struct Case { const char* name; std::vector<std::string> one, two; const char* alpha; const char* message; };
  const Case refused[] = {
      {"(2, 2) has no row", {"1", "2"}, {"3", "4"}, "0.05", "样本量太小,秩和检验表无此组合"},
      {"(2, 3) has no row", {"1", "2"}, {"3", "4", "5"}, "0.05", "样本量太小,秩和检验表无此组合"},
      {"(3, 2) has no row", {"1", "2", "6"}, {"3", "4"}, "0.05", "样本量太小,秩和检验表无此组合"},
      {"repeated values decide nothing", {"1", "1", "1"}, {"3", "4", "5"}, "0.05", "样本一重复数据太多错误"},
      {"a level of 1 or more", {"1", "2", "6"}, {"3", "4", "5"}, "1.5", "置信水平应大于0小于1"},
  };
  for (const Case& c : refused)
    EXPECT_EQ(InputErrorMessage([&] { ComputeRankSumTest(tables, Grid(c.one, c.two), H::FirstLess, c.alpha); }), c.message) << c.name;
  EXPECT_EQ(InputErrorMessage([] { LookUpRankSumBounds(5, 11, 0.05); }), "样本量超出秩和检验表的范围");
  EXPECT_THROW(RankSumDecision(tables, H::FirstLess, {{1, 2, 3}, {4, 5, 6}}, 0.0), InputError);
}

class RankSumNormalBranch : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};

// Every value takes part: the table decides when both sizes are at most 10, the normal
// approximation otherwise, whatever the other size.
TEST_F(RankSumNormalBranch, TheTableHoldsSizesUpToTen) {
  struct Case { const char* name; int n1, n2; bool table; };
  const Case cases[] = {
      {"(10, 10)", 10, 10, true}, {"(10, 11)", 10, 11, false}, {"(9, 10)", 9, 10, true},
      {"(9, 11)", 9, 11, false},  {"(2, 10)", 2, 10, true},    {"(2, 11)", 2, 11, false},
      {"(12, 5)", 12, 5, false},  {"(3, 25)", 3, 25, false},
  };
  for (const Case& c : cases) {
    Values one, two;
    for (int i = 0; i < c.n1; ++i) one.push_back(2 * i);
    for (int i = 0; i < c.n2; ++i) two.push_back(2 * i + 1);
    const RankSumResult r = ComputeRankSumTest(tables, Grid(Texts(one), Texts(two)), H::TwoSided, "0.05");
    EXPECT_EQ(r.ranking.n1, c.n1) << c.name;
    EXPECT_EQ(r.ranking.n2, c.n2) << c.name;
    EXPECT_EQ(r.ranking.table.size(), static_cast<std::size_t>(c.n1 + c.n2)) << c.name;
    EXPECT_EQ(r.bounds.has_value(), c.table) << c.name;
    EXPECT_EQ(r.normal.has_value(), !c.table) << c.name;
    EXPECT_EQ(InRankSumTable(c.n1, c.n2), c.table) << c.name;
  }
}

// Sample one of 9 values against 30: the first ten of sample two alone give R1 = 89 within
// the table pair (9, 10) at α′ = 0.025 (66 < 89 < 114), but all 39 values reject: R1 = 89,
// E(R1) = 9·40/2 = 180, σ = √(9·30·40/12) = 30, z = −3.0333, p = 0.0024 (scipy.stats.ranksums).
TEST_F(RankSumNormalBranch, NoValueIsDropped) {
  const Values one = {52, 56, 60, 64, 70, 74, 78, 86, 88};
  Values two = {54, 58, 62, 66, 68, 72, 76, 80, 82, 84};
  for (int v = 90; v < 130; v += 2) two.push_back(v);
  const RankSumResult r = ComputeRankSumTest(tables, Grid(Texts(one), Texts(two)), H::TwoSided, "0.05");
  EXPECT_EQ(r.ranking.n2, 30);
  EXPECT_EQ(r.ranking.r1, 89.0);
  EXPECT_EQ(r.ranking.mean, 180.0);
  EXPECT_NEAR(r.ranking.sigma, 30.0, 1e-12);
  ASSERT_TRUE(r.normal);
  EXPECT_NEAR(*r.normal->standardized, -3.033333, 1e-6);
  EXPECT_FALSE(r.acceptsH0());
}


// 10/11 (N = 21): μ = 110, σ = √(10·11·22/12) = 14.2009, z(0.95) = 1.64 from the normal
// table, bounds 86.7105 and 133.2895 (tolerance 1e-4). Sample one takes the ranks listed (values = ranks).
TEST_F(RankSumNormalBranch, BoundsAroundTheMean) {
  struct Case { const char* name; Values ranks; H h; double alphaPrime; bool acceptH0; };
  const Case cases[] = {
      {"less, R1 = 86", {1, 2, 3, 4, 5, 6, 7, 17, 20, 21}, H::FirstLess, 0.05, false},
      {"less, R1 = 87", {1, 2, 3, 4, 5, 6, 7, 18, 20, 21}, H::FirstLess, 0.05, true},
      {"greater, R1 = 134", {1, 2, 14, 15, 16, 17, 18, 19, 20, 12}, H::FirstGreater, 0.05, false},
      {"greater, R1 = 133", {1, 2, 14, 15, 16, 17, 18, 19, 20, 11}, H::FirstGreater, 0.05, true},
      {"two-sided, R1 = 86", {1, 2, 3, 4, 5, 6, 7, 17, 20, 21}, H::TwoSided, 0.05, false},
      {"two-sided, R1 = 110", {1, 2, 3, 4, 5, 17, 18, 19, 20, 21}, H::TwoSided, 0.05, true},
  };
  for (const Case& c : cases) {
    Values other;
    for (int k = 1; k <= 21; ++k)
      if (std::find(c.ranks.begin(), c.ranks.end(), k) == c.ranks.end()) other.push_back(k);
    const RankSumResult r = RankSumDecision(tables, c.h, {c.ranks, other}, c.alphaPrime);
    ASSERT_TRUE(r.normal) << c.name;
    EXPECT_FALSE(r.bounds) << c.name;
    EXPECT_EQ(r.normal->quantile.value, 1.64) << c.name;
    EXPECT_NEAR(r.normal->lower, 86.7105, 1e-4) << c.name;
    EXPECT_NEAR(r.normal->upper, 133.2895, 1e-4) << c.name;
    EXPECT_EQ(r.acceptsH0(), c.acceptH0) << c.name;
    ASSERT_EQ(r.test.criticalValues.size(), 1u) << c.name;
  }
}

TEST(RankSumSignificance, FocusLeavingTheBox) {
  struct Case { const char* name; const char* text; double alpha; const char* message; bool refocus; };
  const Case cases[] = {
      {"a level", " 0.05 ", 0.05, "", false},
      {"not a number", "0.05a", 0, "请在置信水平输入数据", false},
      {"empty", "", 0, "请在置信水平输入数据", false},
      {"one", "1", 0, "置信水平应大于0小于1", true},
      {"zero", "0", 0, "置信水平应大于0小于1", true},
  };
  for (const Case& c : cases) {
    try {
      EXPECT_EQ(ValidateSignificance(c.text), c.alpha) << c.name;
      EXPECT_STREQ("", c.message) << c.name;
    } catch (const SignificanceError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.name;
      EXPECT_EQ(e.refocus(), c.refocus) << c.name;
    }
  }
}

}  // namespace
}  // namespace kelvo
