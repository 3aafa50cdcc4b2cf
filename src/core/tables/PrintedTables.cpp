#include "core/tables/PrintedTables.h"

#include <array>
#include <cstdio>

#include "core/tables/RankSumTable.h"
#include "core/tables/TableStore.h"

namespace kelvo {
namespace {

std::string Decimal(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", v);
  return buffer;
}

// Reads `fields` of every row of `table` in stored order.
std::vector<std::vector<double>> ReadRows(TableStore& store, const char* table,
                                          const std::vector<std::string>& fields) {
  std::string list;
  for (const std::string& f : fields) list += (list.empty() ? "" : ", ") + f;
  std::vector<std::vector<double>> rows;
  store.scan(table, list, [&](const TableRow& row) {
    std::vector<double> values;
    for (std::size_t i = 0; i < fields.size(); ++i) values.push_back(row.Number(static_cast<int>(i)));
    rows.push_back(std::move(values));
    return true;
  });
  return rows;
}

std::vector<std::string> Fields(const char* prefix, int count) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) names.push_back(prefix + std::to_string(i));
  return names;
}

void SetColumns(PrintedTable& t, const std::vector<double>& keys, const std::string& prefix, int decimals) {
  for (double k : keys) {
    t.columnKeys.push_back(k);
    t.columnHeads.push_back(prefix + Decimal(k));
    t.columnDecimals.push_back(decimals);
  }
}

PrintedTable Normal(TableStore& store) {
  PrintedTable t;
  t.kind = PrintedTableKind::Normal;
  t.title = "标准正态分布表";
  t.caption = "表中为 Φ(z) = P(Z ≤ z)，z = 行 + 列";
  t.corner = "z";
  std::vector<std::string> fields = {"z"};
  for (int k = 0; k <= 9; ++k) fields.push_back("z" + std::to_string(k));
  for (int k = 0; k <= 9; ++k) {
    char head[8];
    std::snprintf(head, sizeof head, "0.0%d", k);
    t.columnHeads.push_back(head);
    t.columnKeys.push_back(k / 100.0);
    t.columnDecimals.push_back(4);
  }
  for (std::vector<double>& row : ReadRows(store, "bzztfbb", fields)) {
    char head[16];
    std::snprintf(head, sizeof head, "%.1f", row[0]);
    t.rowHeads.push_back(head);
    t.rowKeys.push_back(row[0]);
    t.cells.emplace_back(row.begin() + 1, row.end());
  }
  return t;
}

// Tables keyed by their position (t) or by a key field (χ², F) in the first field read.
void SetRows(PrintedTable& t, std::vector<std::vector<double>> rows, bool keyed) {
  int position = 0;
  for (std::vector<double>& row : rows) {
    ++position;
    const double key = keyed ? row[0] : position;
    t.rowKeys.push_back(key);
    t.rowHeads.push_back(Decimal(key));
    t.cells.emplace_back(row.begin() + (keyed ? 1 : 0), row.end());
  }
}

PrintedTable T(TableStore& store) {
  PrintedTable t;
  t.kind = PrintedTableKind::T;
  t.title = "t 分布表";
  t.caption = "表中为 tα(n)：P(t(n) > tα(n)) = α";
  t.corner = "n";
  SetColumns(t, {0.25, 0.10, 0.05, 0.025, 0.01, 0.005}, "α = ", 4);
  SetRows(t, ReadRows(store, "tfb", Fields("t", 6)), false);
  return t;
}

PrintedTable ChiSquare(TableStore& store) {
  PrintedTable t;
  t.kind = PrintedTableKind::ChiSquare;
  t.title = "χ² 分布表";
  t.caption = "表中为 χ²α(n)：P(χ²(n) > χ²α(n)) = α";
  t.corner = "n";
  SetColumns(t, {0.995, 0.99, 0.975, 0.95, 0.90, 0.75, 0.25, 0.10, 0.05, 0.025, 0.01, 0.005}, "α = ", 3);
  std::vector<std::string> fields = Fields("x", 6);
  fields.insert(fields.begin(), "x0");
  std::vector<std::vector<double>> large = ReadRows(store, "xfb", fields);
  const std::vector<std::vector<double>> small = ReadRows(store, "xfb1", fields);
  // The two halves share their keys row by row; a row missing from one half is a damaged store.
  if (large.size() != small.size()) store.throwError();
  for (std::size_t i = 0; i < large.size(); ++i) {
    if (large[i][0] != small[i][0]) store.throwError();
    large[i].insert(large[i].end(), small[i].begin() + 1, small[i].end());
  }
  SetRows(t, std::move(large), true);
  return t;
}

PrintedTable F(TableStore& store, const char* table, double alpha) {
  PrintedTable t;
  t.kind = PrintedTableKind::F;
  t.alpha = alpha;
  t.title = "F 分布表 α = " + Decimal(alpha);
  t.caption = "表中为 Fα(n₁, n₂)：P(F(n₁, n₂) > Fα(n₁, n₂)) = α，α = " + Decimal(alpha);
  t.corner = "n₂ \\ n₁";
  const std::vector<double> columns = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 15, 20, 24, 30, 40, 60, 120};
  SetColumns(t, columns, "", 2);
  std::vector<std::string> fields = {"f0"};
  for (double c : columns) fields.push_back("f" + Decimal(c));
  SetRows(t, ReadRows(store, table, fields), true);
  return t;
}

PrintedTable RankSum() {
  PrintedTable t;
  t.kind = PrintedTableKind::RankSum;
  t.title = "秩和检验表";
  t.caption = "n₁ ≤ n₂，T 为容量 n₁ 的样本的秩和：P(T ≤ T₁) = P(T ≥ T₂) = P";
  t.corner = "n₁, n₂";
  t.columnHeads = {"T₁", "T₂", "P"};
  t.columnKeys = {1, 2, 3};
  t.columnDecimals = {0, 0, 3};
  for (const std::array<double, 5>& row : RankSumTable()) {
    if (row[0] == 0) break;  // the row of zeros ends the table
    t.rowKeys.push_back(100 * row[0] + row[1]);
    t.rowHeads.push_back(Decimal(row[0]) + ", " + Decimal(row[1]));
    t.cells.push_back({row[2], row[3], row[4]});
  }
  return t;
}

}  // namespace

std::vector<PrintedTable> ReadPrintedTables(TableStore& store) {
  std::vector<PrintedTable> tables = {Normal(store), T(store), ChiSquare(store)};
  const std::pair<const char*, double> f[] = {
      {"ffb010", 0.10}, {"ffb005", 0.05}, {"ffb0025", 0.025}, {"ffb0010", 0.01}, {"ffb0005", 0.005}};
  for (const auto& [table, alpha] : f) tables.push_back(F(store, table, alpha));
  tables.push_back(RankSum());
  return tables;
}

}  // namespace kelvo
