#pragma once
// Built-in critical values of the two-sample rank-sum test for sample sizes up to 10.
// Row: n1 (smaller sample), n2, T1 (lower critical value of the rank sum of the smaller
// sample), T2 (upper), p = P(W ≤ T1) = P(W ≥ T2). Rows 0..82 hold data ordered by n1, n2
// and p; row 83 is all zeros and ends every search; row 84 stays zero.
#include <array>

namespace kelvo {

constexpr int kRankSumRows = 85;

// The table, constant data.
const std::array<std::array<double, 5>, kRankSumRows>& RankSumTable();

}  // namespace kelvo
