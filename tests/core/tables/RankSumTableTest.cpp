// The built-in rank-sum table: listed rows, and the invariants that catch a mistyped row.
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/tables/RankSumTable.h"

namespace kelvo {
namespace {

using Row = std::array<double, 5>;

// P(W ≤ t) for the rank sum W of n1 of n1 + n2 ranks under the null hypothesis, counted
// exactly: ways[k][s] = number of k-subsets of the ranks seen so far with sum s.
double LowerTail(int n1, int n2, int t) {
  const int n = n1 + n2;
  const int maxSum = n * (n + 1) / 2;
  std::vector<std::vector<double>> ways(n1 + 1, std::vector<double>(maxSum + 1, 0.0));
  ways[0][0] = 1;
  for (int rank = 1; rank <= n; ++rank) {
    for (int k = std::min(rank, n1); k >= 1; --k) {
      for (int s = maxSum; s >= rank; --s) ways[k][s] += ways[k - 1][s - rank];
    }
  }
  double below = 0;
  double all = 0;
  for (int s = 0; s <= maxSum; ++s) {
    all += ways[n1][s];
    if (s <= t) below += ways[n1][s];
  }
  return below / all;
}

class RankSum : public ::testing::Test {
 protected:
  const std::array<Row, kRankSumRows>& table = RankSumTable();
};

TEST_F(RankSum, ListedRows) {
  EXPECT_EQ(table[0], (Row{2, 4, 3, 11, 0.067}));
  EXPECT_EQ(table[12], (Row{3, 3, 6, 15, 0.050}));
  EXPECT_EQ(table[13], (Row{3, 4, 6, 18, 0.028}));  // listed 0.028 (1/35 cut off), not 0.029
  EXPECT_EQ(table[46], (Row{5, 7, 22, 43, 0.053}));
  EXPECT_EQ(table[82], (Row{10, 10, 83, 127, 0.053}));
  EXPECT_EQ(table[83], (Row{0, 0, 0, 0, 0}));
  EXPECT_EQ(table[84], (Row{0, 0, 0, 0, 0}));
}

TEST_F(RankSum, RowsAreConsistent) {
  std::map<std::pair<int, int>, int> rowsPerPair;
  for (int i = 0; i < 83; ++i) {
    const Row& r = table[i];
    const int n1 = static_cast<int>(r[0]);
    const int n2 = static_cast<int>(r[1]);
    ++rowsPerPair[{n1, n2}];
    EXPECT_EQ(r[2] + r[3], n1 * (n1 + n2 + 1)) << "row " << i;
    // p is listed to three decimals, rounded or cut off: within 0.001 of the exact tail.
    EXPECT_NEAR(r[4], LowerTail(n1, n2, static_cast<int>(r[2])), 0.001) << "row " << i;
    if (i > 0) {
      const Row& prev = table[i - 1];
      const bool ordered = prev[0] < r[0] || (prev[0] == r[0] && (prev[1] < r[1] || (prev[1] == r[1] && prev[4] < r[4])));
      EXPECT_TRUE(ordered) << "row " << i;
    }
  }
  EXPECT_EQ(rowsPerPair.size(), 43u);
  // Every pair 2 ≤ n1 ≤ n2 ≤ 10 except (2, 2), (2, 3); one row for (2, 4), (2, 5), (3, 3).
  int pairs = 0;
  for (int n1 = 2; n1 <= 10; ++n1) {
    for (int n2 = n1; n2 <= 10; ++n2) {
      const bool none = n1 == 2 && n2 <= 3;
      const bool single = (n1 == 2 && (n2 == 4 || n2 == 5)) || (n1 == 3 && n2 == 3);
      const int rows = rowsPerPair[std::make_pair(n1, n2)];
      EXPECT_EQ(rows, none ? 0 : (single ? 1 : 2)) << n1 << ", " << n2;
      pairs += none ? 0 : 1;
    }
  }
  EXPECT_EQ(pairs, 43);
}

// In a pair with two rows the first p lies in [0.018, 0.036], the second in [0.036, 0.071].
TEST_F(RankSum, ProbabilityRanges) {
  for (int i = 0; i + 1 < 83; ++i) {
    if (table[i][0] == table[i + 1][0] && table[i][1] == table[i + 1][1]) {
      EXPECT_GE(table[i][4], 0.018) << "row " << i;
      EXPECT_LE(table[i][4], 0.036) << "row " << i;
      EXPECT_GE(table[i + 1][4], 0.036) << "row " << i + 1;
      EXPECT_LE(table[i + 1][4], 0.071) << "row " << i + 1;
    }
  }
}

}  // namespace
}  // namespace kelvo
