// The printed tables as read for display, cells found by degrees of freedom and α (or z), and
// the links of the worked solutions' table steps.
#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "../UserErrorChecks.h"
#include "core/probability/TableLookup.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"

namespace kelvo {
namespace {

using P = PrintedTableKind;

class TableLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    tables = ReadPrintedTables(store);
  }
  TableStore store{KELVO_TABLES_DB};
  std::vector<PrintedTable> tables;
};

TEST_F(TableLookupTest, CellsAreWhatTheLookUpsReadWithTheExactValueBeside) {
  struct Case {
    const char* name;
    TableLookup lookup;
    double tabulated;  // the critical-value look-up's reading of the same cell
    double exact;
  };
  // Exact values: scipy 1.10.1 t.isf(0.025, 6), chi2.isf(0.05, 10), chi2.isf(0.95, 10),
  // f.isf(0.05, 3, 12), norm.cdf(1.96); rank sum by hand: of the C(7, 3) = 35 equally likely
  // rank sets of the smaller sample, {1,2,3} and {1,2,4} have T ≤ 7, so P = 2/35.
  const Case cases[] = {
      {"t", {P::T, 6, 0, 0.025}, TQuantile(store, 6, 0.025).value, 2.44691184879168},
      {"chi2 upper half", {P::ChiSquare, 10, 0, 0.05}, ChiSquareQuantile(store, 10, 0.05).value, 18.3070380532751},
      {"chi2 lower half", {P::ChiSquare, 10, 0, 0.95}, ChiSquareQuantile(store, 10, 0.95).value, 3.94029913611906},
      {"F", {P::F, 3, 12, 0.05}, FQuantile(store, 3, 12, 0.05).value, 3.4902948194976},
      {"normal", {P::Normal, 1.96, 0, 0}, 0.9750, 0.97500210485178},
      {"rank sum second row", {P::RankSum, 3, 4, 0.057}, 7, 2.0 / 35.0},
      {"rank sum sizes either way", {P::RankSum, 4, 3, 0.057}, 7, 2.0 / 35.0},
  };
  for (const Case& c : cases) {
    const LocatedCell cell = LocateCell(tables, c.lookup);
    const PrintedTable& t = tables.at(cell.table);
    EXPECT_EQ(t.cells.at(cell.row).at(cell.column), cell.tabulated) << c.name;
    EXPECT_DOUBLE_EQ(cell.tabulated, c.tabulated) << c.name;
    EXPECT_NEAR(cell.exact, c.exact, 1e-9 * c.exact) << c.name;
  }
  EXPECT_EQ(LocateCell(tables, {P::T, 6, 0, 0.025}).text, "t₀.₀₂₅(6) = 2.4469（精确值 2.44691）");
  EXPECT_EQ(LocateCell(tables, {P::Normal, -1.96, 0, 0}).text,
            "Φ(−1.96) = 1 − Φ(1.96) = 1 − 0.9750 = 0.0250（精确值 0.0249979）");
}

TEST_F(TableLookupTest, CellsTheTablesDoNotHold) {
  ExpectUserError([&] { LocateCell(tables, {P::T, 50, 0, 0.025}); }, "表中没有自由度 50 的行");
  ExpectUserError([&] { LocateCell(tables, {P::ChiSquare, 10, 0, 0.2}); }, "表中没有 α = 0.2 的列");
  ExpectUserError([&] { LocateCell(tables, {P::F, 11, 12, 0.05}); }, "表中没有 n₁ = 11 的列");
  ExpectUserError([&] { LocateCell(tables, {P::F, 3, 12, 0.2}); }, "F 分布表只有 α = 0.1、0.05、0.025、0.01、0.005");
  ExpectUserError([&] { LocateCell(tables, {P::Normal, 4.5, 0, 0}); }, "表中没有 z = 4.5 的格子");
  ExpectUserError([&] { LocateCell(tables, {P::RankSum, 2, 2, 0}); }, "秩和检验表中没有 n₁ = 2，n₂ = 2");
}

TEST(TableLinks, TableStepsBecomeLinksToTheirCells) {
  const std::string html =
      "<p>t₀.₀₂₅(6) = 2.447（查 t 分布表，自由度 6，α = 0.025 列）</p>"
      "<p>附表（F 分布，α = 0.05）n₁ = 3，n₂ = 12</p><p>查标准正态分布表：Φ(1.96) = 0.9750</p>";
  const std::string linked = LinkTableSteps(html);
  EXPECT_NE(linked.find("<a href=\"kelvo-table:t/6/0/0.025\">查 t 分布表，自由度 6，α = 0.025 列</a>"),
            std::string::npos);
  EXPECT_NE(linked.find("<a href=\"kelvo-table:f/3/12/0.05\">"), std::string::npos);
  EXPECT_NE(linked.find("<a href=\"kelvo-table:normal/1.96/0/0\">"), std::string::npos);

  const std::optional<TableLookup> f = TableLookupFromLink("kelvo-table:f/3/12/0.05");
  ASSERT_TRUE(f.has_value());
  EXPECT_EQ(f->kind, P::F);
  EXPECT_EQ(f->first, 3);
  EXPECT_EQ(f->second, 12);
  EXPECT_EQ(f->alpha, 0.05);
  EXPECT_FALSE(TableLookupFromLink("https://example.org").has_value());
}

}  // namespace
}  // namespace kelvo
