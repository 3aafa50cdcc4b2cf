#pragma once
// The statistical tables laid out as a textbook's appendix prints them, read whole for
// display: the tables of the database (the same cells the critical-value look-ups read) and
// the built-in rank-sum table.
#include <string>
#include <vector>

namespace kelvo {

class TableStore;

enum class PrintedTableKind { Normal, T, ChiSquare, F, RankSum };

struct PrintedTable {
  PrintedTableKind kind = PrintedTableKind::Normal;
  std::string title;    // the tab's caption: "t 分布表", "F 分布表 α = 0.05"
  std::string caption;  // what a cell holds: "表中为 P(t(n) > t_α(n)) = α 的 t_α(n)"
  std::string corner;   // heading of the row keys: "n", "z", "n₂ \\ n₁"
  double alpha = 0.0;   // F: the level of this table
  std::vector<std::string> columnHeads;
  std::vector<double> columnKeys;  // α of a column; F: n₁; normal: the hundredths
  std::vector<std::string> rowHeads;
  std::vector<double> rowKeys;     // degrees of freedom; F: n₂; normal: z; rank sum: 100·n₁ + n₂
  std::vector<std::vector<double>> cells;  // [row][column]
  std::vector<int> columnDecimals;         // digits after the point, per column
};

// Every table in display order: normal, t, χ² (both halves of the database's table in one),
// F at α = 0.10, 0.05, 0.025, 0.01, 0.005, rank sum. Throws TableStoreError when the
// database is missing or damaged.
std::vector<PrintedTable> ReadPrintedTables(TableStore& store);

}  // namespace kelvo
