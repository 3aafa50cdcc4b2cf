#pragma once
// Finding a cell of the printed tables the way a student does (degrees of freedom and α, or
// z), with the exact value beside the tabulated one; and the "查表" steps of a worked solution
// turned into links that name such a cell.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/tables/PrintedTables.h"

namespace kelvo {

struct TableLookup {
  PrintedTableKind kind = PrintedTableKind::Normal;
  double first = 0.0;   // z; degrees of freedom; F and rank sum: n₁
  double second = 0.0;  // F and rank sum: n₂
  double alpha = 0.0;   // t, χ², F: the column's α; rank sum: P of the row (0: its first row)
};

struct LocatedCell {
  std::size_t table = 0;  // index into the tables searched
  std::size_t row = 0;
  std::size_t column = 0;
  double tabulated = 0.0;
  double exact = 0.0;  // the same quantity computed exactly (Boost.Math, the exact rank-sum law)
  std::string text;    // "t₀.₀₂₅(6) = 2.4469（精确值 2.44691）"
};

// Throws InputError when the tables hold no such cell ("表中没有自由度 50 的行",
// "表中没有 α = 0.2 的列", ...).
LocatedCell LocateCell(const std::vector<PrintedTable>& tables, const TableLookup& lookup);

// The html of a worked solution with every table step ("查 t 分布表，自由度 6，α = 0.025 列",
// "查标准正态分布表：Φ(1.96)", the F and rank-sum steps) made a link to its cell.
std::string LinkTableSteps(const std::string& html);
// The cell a link of LinkTableSteps names; nothing for any other link.
std::optional<TableLookup> TableLookupFromLink(std::string_view href);

}  // namespace kelvo
