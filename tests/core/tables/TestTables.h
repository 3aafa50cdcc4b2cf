#pragma once
// Helpers for the table tests: a database whose every cell names its own position, so a
// look-up's result shows which table, row and field it read; and a direct cell reader.
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kelvo::testing {

// Coded cell values. t: row n, field tk -> 10n + k.
// F: table code T (ffb0005 1, ffb0010 2, ffb0025 3, ffb005 4, ffb010 5), row f0, field fc -> T·100000 + f0·1000 + c.
// Chi-square: table code (xfb1 1, xfb 2), row x0, field xk -> code·10000 + x0·10 + k.
inline double CodedT(int row, int field) { return 10.0 * row + field; }
inline double CodedF(int table, int row, int column) { return table * 100000.0 + row * 1000.0 + column; }
inline double CodedChi(int table, int row, int field) { return table * 10000.0 + row * 10.0 + field; }

// Ways to damage the coded database.
struct Damage {
  std::string dropTable;    // leave this table out
  int tRows = 45;           // rows written to tfb
  bool noFieldT6 = false;   // tfb without field t6
  bool textInT = false;     // tfb row 3 field t2 holds text
};

// A file name of this test process (CTest may run the tests of one executable side by side).
inline std::string TempPath(const std::string& name) {
  const std::string file = "kelvo_tables_" + std::to_string(::getpid()) + "_" + name;
  return (std::filesystem::path(::testing::TempDir()) / file).string();
}

inline void Exec(sqlite3* db, const std::string& sql) {
  if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
    throw std::runtime_error(sql + ": " + sqlite3_errmsg(db));
  }
}

inline void WriteCodedTables(const std::string& path, const Damage& damage = {}) {
  std::filesystem::remove(path);
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  Exec(db, "BEGIN");
  auto wanted = [&](const std::string& t) { return t != damage.dropTable; };
  if (wanted("bzztfbb")) {
    Exec(db, "CREATE TABLE bzztfbb (z, z0, z1, z2, z3, z4, z5, z6, z7, z8, z9)");
    Exec(db, "INSERT INTO bzztfbb VALUES (0.0, 0.5, 0.51, 0.52, 0.53, 0.54, 0.55, 0.56, 0.57, 0.58, 0.59)");
  }
  if (wanted("tfb")) {
    Exec(db, damage.noFieldT6 ? "CREATE TABLE tfb (t1, t2, t3, t4, t5)" : "CREATE TABLE tfb (t1, t2, t3, t4, t5, t6)");
    for (int n = 1; n <= damage.tRows; ++n) {
      std::string values;
      for (int k = 1; k <= (damage.noFieldT6 ? 5 : 6); ++k) {
        const bool text = damage.textInT && n == 3 && k == 2;
        values += (k > 1 ? ", " : "") + (text ? std::string("'x'") : std::to_string(CodedT(n, k)));
      }
      Exec(db, "INSERT INTO tfb VALUES (" + values + ")");
    }
  }
  const char* fTables[] = {"ffb0005", "ffb0010", "ffb0025", "ffb005", "ffb010"};
  const int fColumns[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 15, 20, 24, 30, 40, 60, 120};
  std::vector<int> fRows;
  for (int row = 1; row <= 30; ++row) fRows.push_back(row);
  fRows.insert(fRows.end(), {40, 60, 120});
  for (int t = 0; t < 5; ++t) {
    if (!wanted(fTables[t])) continue;
    std::string fields = "f0";
    for (int c : fColumns) fields += ", f" + std::to_string(c);
    Exec(db, std::string("CREATE TABLE ") + fTables[t] + " (" + fields + ")");
    for (int row : fRows) {
      std::string values = std::to_string(row);
      for (int c : fColumns) values += ", " + std::to_string(CodedF(t + 1, row, c));
      Exec(db, std::string("INSERT INTO ") + fTables[t] + " VALUES (" + values + ")");
    }
  }
  const char* chiTables[] = {"xfb1", "xfb"};
  for (int t = 0; t < 2; ++t) {
    if (!wanted(chiTables[t])) continue;
    Exec(db, std::string("CREATE TABLE ") + chiTables[t] + " (x0, x1, x2, x3, x4, x5, x6)");
    for (int df = 1; df <= 45; ++df) {
      std::string values = std::to_string(df);
      for (int k = 1; k <= 6; ++k) values += ", " + std::to_string(CodedChi(t + 1, df, k));
      Exec(db, std::string("INSERT INTO ") + chiTables[t] + " VALUES (" + values + ")");
    }
  }
  Exec(db, "COMMIT");
  sqlite3_close(db);
}

// One cell of the built table database, read without the look-ups.
inline double ReadCell(const std::string& table, const std::string& field, const std::string& where) {
  sqlite3* db = nullptr;
  sqlite3_open_v2(KELVO_TABLES_DB, &db, SQLITE_OPEN_READONLY, nullptr);
  sqlite3_stmt* statement = nullptr;
  const std::string sql = "SELECT " + field + " FROM " + table + " WHERE " + where;
  double value = -1.0;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW) {
    value = sqlite3_column_double(statement, 0);
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return value;
}

}  // namespace kelvo::testing
