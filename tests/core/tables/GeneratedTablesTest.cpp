// The built table database against the printed tables, and the stored order it must keep.
// Printed values: the standard printed tables of a first statistics course (e.g. the appendix
// tables of 盛骤 等《概率论与数理统计》: standard normal, t, χ² and F), compared to the last
// printed digit (tolerance 1e-9).
#include <sqlite3.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "TestTables.h"

namespace kelvo {
namespace {

using testing::ReadCell;

struct Printed { const char* table; const char* field; const char* where; double value; };

TEST(GeneratedTables, AgreeWithPrintedTables) {
  const Printed printed[] = {
      // Φ(z): row z, column hundredths.
      {"bzztfbb", "z0", "z = 0.0", 0.5000},  {"bzztfbb", "z0", "z = 1.0", 0.8413},
      {"bzztfbb", "z4", "z = 1.6", 0.9495},  {"bzztfbb", "z5", "z = 1.6", 0.9505},
      {"bzztfbb", "z6", "z = 1.9", 0.9750},  {"bzztfbb", "z3", "z = 2.3", 0.9901},
      {"bzztfbb", "z8", "z = 2.5", 0.9951},  {"bzztfbb", "z9", "z = 3.0", 0.9990},
      {"bzztfbb", "z0", "z = 3.9", 1.0000},
      // t: t1..t6 = α 0.25, 0.10, 0.05, 0.025, 0.01, 0.005; row n is df n.
      {"tfb", "t1", "rowid = 1", 1.0000},    {"tfb", "t6", "rowid = 1", 63.6567},
      {"tfb", "t3", "rowid = 10", 1.8125},   {"tfb", "t4", "rowid = 15", 2.1314},
      {"tfb", "t4", "rowid = 18", 2.1009},   {"tfb", "t5", "rowid = 30", 2.4573},
      {"tfb", "t4", "rowid = 45", 2.0141},
      // χ² upper α: xfb1 x1..x6 = 0.25 .. 0.005; xfb x1..x6 = 0.995 .. 0.75.
      {"xfb1", "x1", "x0 = 1", 1.323},       {"xfb1", "x3", "x0 = 10", 18.307},
      {"xfb1", "x4", "x0 = 9", 19.023},      {"xfb1", "x2", "x0 = 20", 28.412},
      {"xfb1", "x5", "x0 = 30", 50.892},     {"xfb1", "x6", "x0 = 45", 73.166},
      {"xfb", "x3", "x0 = 1", 0.001},        {"xfb", "x6", "x0 = 1", 0.102},
      {"xfb", "x3", "x0 = 9", 2.700},        {"xfb", "x4", "x0 = 10", 3.940},
      {"xfb", "x2", "x0 = 20", 8.260},       {"xfb", "x1", "x0 = 45", 24.311},
      // F upper α: row f0 = denominator df, field = numerator df.
      {"ffb010", "f1", "f0 = 1", 39.86},     {"ffb010", "f2", "f0 = 120", 2.35},
      {"ffb005", "f5", "f0 = 10", 3.33},     {"ffb005", "f3", "f0 = 20", 3.10},
      {"ffb005", "f120", "f0 = 120", 1.35},  {"ffb0025", "f10", "f0 = 5", 6.62},
      {"ffb0025", "f9", "f0 = 9", 4.03},     {"ffb0010", "f10", "f0 = 10", 4.85},
      {"ffb0010", "f4", "f0 = 30", 4.02},    {"ffb0005", "f120", "f0 = 120", 1.61},
      {"ffb0005", "f1", "f0 = 2", 198.50},
  };
  for (const Printed& p : printed) {
    EXPECT_NEAR(ReadCell(p.table, p.field, p.where), p.value, 1e-9) << p.table << "." << p.field << " " << p.where;
  }
}

// All values of one column of a table, in stored order.
std::vector<double> Column(const std::string& table, const std::string& field) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(KELVO_TABLES_DB, &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* statement = nullptr;
  std::vector<double> values;
  if (sqlite3_prepare_v2(db, ("SELECT " + field + " FROM " + table + " ORDER BY rowid").c_str(), -1, &statement,
                         nullptr) == SQLITE_OK) {
    while (sqlite3_step(statement) == SQLITE_ROW) values.push_back(sqlite3_column_double(statement, 0));
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return values;
}

TEST(GeneratedTables, StoredInTheOrderTheLookUpsScan) {
  std::vector<double> z;
  for (int r = 0; r < 40; ++r) z.push_back(r / 10.0);
  EXPECT_EQ(Column("bzztfbb", "z"), z);

  std::vector<double> fRows;
  for (int r = 1; r <= 30; ++r) fRows.push_back(r);
  fRows.insert(fRows.end(), {40, 60, 120});
  for (const char* t : {"ffb010", "ffb005", "ffb0025", "ffb0010", "ffb0005"}) EXPECT_EQ(Column(t, "f0"), fRows) << t;

  std::vector<double> df;
  for (int n = 1; n <= 45; ++n) df.push_back(n);
  EXPECT_EQ(Column("xfb", "x0"), df);
  EXPECT_EQ(Column("xfb1", "x0"), df);

  // tfb has no key: df ascending shows as every column falling row by row.
  for (const char* field : {"t1", "t2", "t3", "t4", "t5", "t6"}) {
    const std::vector<double> t = Column("tfb", field);
    ASSERT_EQ(t.size(), 45u) << field;
    for (std::size_t i = 1; i < t.size(); ++i) EXPECT_LT(t[i], t[i - 1]) << field << " row " << i + 1;
  }
}

}  // namespace
}  // namespace kelvo
