// Faults of the table database: every one is reported with the message the window shows.
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "core/text/Errors.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"
#include "TestTables.h"

namespace kelvo {
namespace {

// Runs `lookUp` and returns the message of the TableStoreError it throws ("" if none).
std::string StoreFault(const std::function<void()>& lookUp) {
  try {
    lookUp();
  } catch (const TableStoreError& e) {
    return e.what();
  }
  return "";
}

std::string Expected(const std::string& path) { return "统计表数据库缺失或损坏\n" + path; }

TEST(TableStore, MissingFileIsReportedAndNotCreated) {
  const std::string path = testing::TempPath("absent.db");
  std::filesystem::remove(path);
  TableStore tables(path);
  EXPECT_EQ(tables.path(), path);
  EXPECT_EQ(StoreFault([&] { NormalQuantile(tables, 0.9); }), Expected(path));
  EXPECT_EQ(StoreFault([&] { TQuantile(tables, 5, 0.05); }), Expected(path));
  EXPECT_EQ(StoreFault([&] { FQuantile(tables, 5, 5, 0.05); }), Expected(path));
  EXPECT_EQ(StoreFault([&] { ChiSquareQuantile(tables, 5, 0.05); }), Expected(path));
  EXPECT_FALSE(std::filesystem::exists(path));
  // A probability no table holds is reported as such, not as a damaged store.
  EXPECT_THROW(TQuantile(tables, 5, 1.0), InputError);

  // Once the file is there, the next look-up finds it without a new path.
  testing::WriteCodedTables(path);
  EXPECT_EQ(TQuantile(tables, 5, 0.05).value, testing::CodedT(5, 3));
  std::filesystem::remove(path);
}

TEST(TableStore, FileThatIsNotADatabase) {
  const std::string path = testing::TempPath("text.db");
  std::ofstream(path) << "z,z0,z1\n0.0,0.5,0.504\nthis is not a database file at all\n";
  TableStore tables(path);
  EXPECT_EQ(StoreFault([&] { NormalQuantile(tables, 0.9); }), Expected(path));
  EXPECT_EQ(StoreFault([&] { ChiSquareQuantile(tables, 5, 0.95); }), Expected(path));
  std::filesystem::remove(path);
}

TEST(TableStore, DamagedTables) {
  struct Case { const char* name; testing::Damage damage; std::function<void()> lookUp; };
  TableStore tables;
  testing::Damage noXfb;
  noXfb.dropTable = "xfb";
  testing::Damage noF;
  noF.dropTable = "ffb0025";
  testing::Damage noNormal;
  noNormal.dropTable = "bzztfbb";
  testing::Damage shortT;
  shortT.tRows = 10;
  testing::Damage noT6;
  noT6.noFieldT6 = true;
  testing::Damage text;
  text.textInT = true;
  const Case cases[] = {
      {"table xfb missing", noXfb, [&] { ChiSquareQuantile(tables, 5, 0.95); }},
      {"table ffb0025 missing", noF, [&] { FQuantile(tables, 5, 5, 0.975); }},
      {"table bzztfbb missing", noNormal, [&] { NormalQuantile(tables, 0.9); }},
      {"normal branch of t reads bzztfbb", noNormal, [&] { TQuantile(tables, 60, 0.05); }},
      {"tfb lacks the row", shortT, [&] { TQuantile(tables, 20, 0.05); }},
      {"tfb lacks field t6", noT6, [&] { TQuantile(tables, 5, 0.05); }},
      {"text where a number belongs", text, [&] { TQuantile(tables, 3, 0.10); }},
  };
  for (const Case& c : cases) {
    const std::string path = testing::TempPath("damaged.db");
    testing::WriteCodedTables(path, c.damage);
    tables.open(path);
    EXPECT_EQ(StoreFault(c.lookUp), Expected(path)) << c.name;
  }
  // The undamaged parts of such a file still read.
  EXPECT_EQ(TQuantile(tables, 2, 0.10).value, testing::CodedT(2, 2));
  std::filesystem::remove(testing::TempPath("damaged.db"));
}

// Each store answers from its own file, whichever was opened last.
TEST(TableStore, StoresAnswerFromTheirOwnFiles) {
  const std::string path = testing::TempPath("coded_own.db");
  testing::WriteCodedTables(path);
  TableStore coded(path);
  TableStore built(KELVO_TABLES_DB);
  EXPECT_EQ(TQuantile(coded, 5, 0.05).value, testing::CodedT(5, 3));
  EXPECT_EQ(TQuantile(built, 5, 0.05).value, 2.015);  // printed t table; scipy.stats.t.isf(0.05, 5) = 2.01505
  EXPECT_EQ(StoreFault([] { TableStore none; TQuantile(none, 5, 0.05); }), Expected(""));
  std::filesystem::remove(path);
}

}  // namespace
}  // namespace kelvo
