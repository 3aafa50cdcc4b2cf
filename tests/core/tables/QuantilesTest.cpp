// The look-up rules: which cell each probability and degree of freedom selects.
// Rule tests run on the coded database (TestTables.h), whose cells name their position;
// the worked examples run on the built table database.
#include <cmath>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "core/shell/Errors.h"
#include "core/tables/Quantiles.h"
#include "TestTables.h"

namespace kelvo {
namespace {

using testing::CodedChi;
using testing::CodedF;
using testing::CodedT;

class BuiltTables : public ::testing::Test {
 protected:
  void SetUp() override { SetTableDatabasePath(KELVO_TABLES_DB); }
};

class CodedTables : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::WriteCodedTables(Path()); }
  static void TearDownTestSuite() { std::filesystem::remove(Path()); }
  static std::string Path() { return testing::TempPath("coded.db"); }
  void SetUp() override { SetTableDatabasePath(Path()); }
};

// Standard normal table, 4 decimals: results are tabulated z to two decimals (exact).
TEST_F(BuiltTables, NormalQuantileTakesNearestCellAndMirrors) {
  struct Case { const char* name; double p; double z; };
  const Case cases[] = {
      {"centre", 0.5, 0.0},
      {"exact cell 0.9750", 0.975, 1.96},
      {"mirrored", 0.025, -1.96},
      {"nearest of 0.8997 / 0.9015", 0.9, 1.28},
      {"tie 0.9495 / 0.9505 keeps the earlier", 0.95, 1.64},
      {"tie 0.9949 / 0.9951 keeps the earlier", 0.995, 2.57},
      {"mirrored tie", 0.05, -1.64},
      {"equal cells 3.00..3.02 = 0.9987: first in scan order", 0.9987, 3.00},
      {"first cell reading 1.0000", 1.0, 3.90},
      {"beyond the table", 1.5, 3.90},
      {"far beyond the table", 7.0, 3.90},
      {"below the table", 0.0, -3.90},
  };
  for (const Case& c : cases) EXPECT_EQ(NormalQuantile(c.p).value, c.z) << c.name;
}

TEST_F(CodedTables, TQuantileColumnsRowsAndMirror) {
  struct Case { const char* name; int df; double alpha; double expected; };
  const Case cases[] = {
      {"0.03 is nearest 0.025: t4", 10, 0.03, CodedT(10, 4)},
      {"mirrored 0.975", 10, 0.975, -CodedT(10, 4)},
      {"0.25 column", 1, 0.25, CodedT(1, 1)},
      {"0.5 is nearest 0.25", 7, 0.5, CodedT(7, 1)},
      {"0.005 column, last row", 45, 0.005, CodedT(45, 6)},
      {"below every column", 3, 0.0, CodedT(3, 6)},
      {"tie 0.175 keeps 0.25", 2, 0.175, CodedT(2, 1)},
      {"tie 0.0375 keeps 0.05", 2, 0.0375, CodedT(2, 3)},
      {"tie 0.0175 keeps 0.025", 2, 0.0175, CodedT(2, 4)},
      {"tie 0.0075 keeps 0.01", 2, 0.0075, CodedT(2, 5)},
      {"(1 - 0.925) / 2, binary just below 0.0375", 2, (1 - 0.925) / 2, CodedT(2, 3)},
  };
  for (const Case& c : cases) EXPECT_EQ(TQuantile(c.df, c.alpha).value, c.expected) << c.name;
  EXPECT_THROW(TQuantile(0, 0.05), InputError);
  EXPECT_THROW(TQuantile(-3, 0.95), InputError);
  // No column holds α ≥ 1: the look-up reports it instead of returning a stand-in.
  EXPECT_THROW(TQuantile(5, 1.0), InputError);
  EXPECT_THROW(TQuantile(45, 1.5), InputError);
  EXPECT_THROW(TQuantile(0, 1.0), InputError);
}

TEST_F(BuiltTables, LookUpsTellWhereTheirValueCameFrom) {
  const CriticalValue t = TQuantile(15, 0.03);
  EXPECT_EQ(t.table, "tfb");
  EXPECT_EQ(t.rowDf, 15);
  EXPECT_DOUBLE_EQ(t.column, 0.025);
  EXPECT_DOUBLE_EQ(t.probability, 0.03);
  EXPECT_FALSE(t.normalApproximation);
  EXPECT_TRUE(TQuantile(15, 0.975).mirrored);

  const CriticalValue tLarge = TQuantile(50, 0.025);
  EXPECT_TRUE(tLarge.normalApproximation);
  EXPECT_EQ(tLarge.table, "bzztfbb");
  EXPECT_EQ(tLarge.df, 50);

  const CriticalValue f = FQuantile(14, 33, 0.05);
  EXPECT_EQ(f.table, "ffb005");
  EXPECT_EQ(f.columnDf, 15);
  EXPECT_EQ(f.rowDf, 30);
  EXPECT_FALSE(f.reciprocal);
  const CriticalValue fLow = FQuantile(5, 10, 0.975);
  EXPECT_TRUE(fLow.reciprocal);
  EXPECT_EQ(fLow.table, "ffb0025");
  EXPECT_EQ(fLow.columnDf, 10);
  EXPECT_EQ(fLow.rowDf, 5);

  const CriticalValue chiUpper = ChiSquareQuantile(9, 0.03);
  EXPECT_EQ(chiUpper.table, "xfb1");
  EXPECT_DOUBLE_EQ(chiUpper.column, 0.025);
  const CriticalValue chiLower = ChiSquareQuantile(9, 0.975);
  EXPECT_EQ(chiLower.table, "xfb");
  EXPECT_DOUBLE_EQ(chiLower.column, 0.975);
  EXPECT_TRUE(ChiSquareQuantile(46, 0.05).normalApproximation);

  const CriticalValue z = NormalQuantile(0.975);
  EXPECT_EQ(z.kind, TableKind::Normal);
  EXPECT_NEAR(z.column, 0.975, 1e-4);
}

// Beyond 45 df the t look-up is the normal one: z of the 4-decimal normal table.
TEST_F(BuiltTables, TQuantileSwitchesToNormalAfter45) {
  EXPECT_EQ(TQuantile(45, 0.025).value, 2.0141);  // printed t table, df 45
  EXPECT_EQ(TQuantile(46, 0.025).value, 1.96);
  EXPECT_EQ(TQuantile(50, 0.975).value, -1.96);
  EXPECT_EQ(TQuantile(46, 1.0).value, -3.90);  // no sentinel on the normal branch
  EXPECT_EQ(TQuantile(15, 0.025).value, 2.1314);
  EXPECT_EQ(TQuantile(18, 0.025).value, 2.1009);
}

TEST_F(CodedTables, FQuantileTableByProbability) {
  struct Case { const char* name; double q; int table; };
  const Case cases[] = {
      {"below 0", -0.1, 1},        {"0", 0.0, 1},
      {"0.007", 0.007, 1},         {"gap, nearer 0.007", 0.0074, 1},
      {"gap, nearer 0.008", 0.0076, 2}, {"0.008", 0.008, 2},
      {"0.017", 0.017, 2},         {"gap, nearer 0.017", 0.0174, 2},
      {"gap, nearer 0.018", 0.0176, 3}, {"0.018", 0.018, 3},
      {"1 - 0.98", 1 - 0.98, 3},   {"0.037", 0.037, 3},
      {"gap, nearer 0.037", 0.0374, 3}, {"gap, nearer 0.038", 0.0376, 4},
      {"0.038", 0.038, 4},         {"0.08", 0.08, 4},
      {"just above 0.08", 0.0800001, 5}, {"0.5", 0.5, 5},
  };
  for (const Case& c : cases) EXPECT_EQ(FQuantile(4, 7, c.q).value, CodedF(c.table, 7, 4)) << c.name;
}

TEST_F(CodedTables, FQuantileColumnAndRowBins) {
  struct Bin { int df; int column; int row; };
  const Bin bins[] = {{1, 1, 1},      {10, 10, 10},   {11, 12, 11},   {13, 12, 13},   {14, 15, 14},
                      {17, 15, 17},   {18, 20, 18},   {21, 20, 21},   {22, 24, 22},   {27, 24, 27},
                      {28, 30, 28},   {30, 30, 30},   {31, 30, 30},   {35, 30, 30},   {36, 40, 40},
                      {50, 40, 40},   {51, 60, 60},   {90, 60, 60},   {91, 120, 120}, {30000, 120, 120}};
  for (const Bin& b : bins) {
    EXPECT_EQ(FQuantile(b.df, 5, 0.05).value, CodedF(4, 5, b.column)) << "numerator df " << b.df;
    EXPECT_EQ(FQuantile(5, b.df, 0.05).value, CodedF(4, b.row, 5)) << "denominator df " << b.df;
  }
  EXPECT_EQ(FQuantile(33, 100, 0.05).value, CodedF(4, 120, 30));
  EXPECT_EQ(FQuantile(91, 91, 0.05).value, CodedF(4, 120, 120));
}

// An α above 0.5 reads F(n2, n1) at 1 − α and returns the reciprocal.
TEST_F(CodedTables, FQuantileLowerTailIsReciprocal) {
  EXPECT_DOUBLE_EQ(FQuantile(5, 10, 0.975).value, 1.0 / CodedF(3, 5, 10));
  EXPECT_DOUBLE_EQ(FQuantile(12, 40, 0.95).value, 1.0 / CodedF(4, 12, 40));
  EXPECT_DOUBLE_EQ(FQuantile(3, 3, 0.85 / 2 + 0.5).value, 1.0 / CodedF(4, 3, 3));  // 1 - 0.925
  EXPECT_DOUBLE_EQ(FQuantile(3, 3, 0.51).value, 1.0 / CodedF(5, 3, 3));
  EXPECT_THROW(FQuantile(0, 5, 0.05), InputError);
  EXPECT_THROW(FQuantile(5, 0, 0.05), InputError);
  EXPECT_THROW(FQuantile(0, 5, 0.95), InputError);
  EXPECT_THROW(FQuantile(5, 0, 0.95), InputError);
}

TEST_F(CodedTables, ChiSquareFieldByProbability) {
  struct Case { const char* name; double alpha; int table; int field; };
  const Case cases[] = {
      {"below 0", -0.01, 1, 6},         {"0", 0.0, 1, 6},
      {"0.0075", 0.0075, 1, 6},         {"gap, nearer 0.0075", 0.00754, 1, 6},
      {"gap, nearer 0.0076", 0.00756, 1, 5}, {"0.0076", 0.0076, 1, 5},
      {"0.02", 0.02, 1, 5},             {"1 - 0.98", 1 - 0.98, 1, 5},
      {"gap, nearer 0.021", 0.0206, 1, 4}, {"0.021", 0.021, 1, 4},
      {"0.035", 0.035, 1, 4},           {"gap, nearer 0.036", 0.0356, 1, 3},
      {"0.036", 0.036, 1, 3},           {"0.075", 0.075, 1, 3},
      {"(1 - 0.85) / 2", (1 - 0.85) / 2, 1, 3}, {"gap, nearer 0.076", 0.0756, 1, 2},
      {"0.076", 0.076, 1, 2},           {"0.175", 0.175, 1, 2},
      {"gap, nearer 0.175", 0.1754, 1, 2}, {"gap, nearer 0.176", 0.1756, 1, 1},
      {"0.176", 0.176, 1, 1},           {"0.5", 0.5, 1, 1},
      {"just above 0.5", 0.5000001, 2, 6}, {"0.79", 0.79, 2, 6},
      {"gap, nearer 0.79", 0.794, 2, 6}, {"gap, nearer 0.8", 0.796, 2, 5},
      {"0.8", 0.8, 2, 5},               {"0.929", 0.929, 2, 5},
      {"gap, nearer 0.93", 0.9296, 2, 4}, {"0.93", 0.93, 2, 4},
      {"0.964", 0.964, 2, 4},           {"gap, nearer 0.964", 0.9644, 2, 4},
      {"gap, nearer 0.965", 0.9646, 2, 3}, {"0.965", 0.965, 2, 3},
      {"0.98", 0.98, 2, 3},             {"gap, nearer 0.981", 0.9806, 2, 2},
      {"0.981", 0.981, 2, 2},           {"0.992", 0.992, 2, 2},
      {"just above 0.992", 0.9921, 2, 1}, {"1", 1.0, 2, 1},
  };
  for (const Case& c : cases) EXPECT_EQ(ChiSquareQuantile(12, c.alpha).value, CodedChi(c.table, 12, c.field)) << c.name;
  EXPECT_EQ(ChiSquareQuantile(1, 0.05).value, CodedChi(1, 1, 3));
  EXPECT_EQ(ChiSquareQuantile(45, 0.95).value, CodedChi(2, 45, 4));
  EXPECT_THROW(ChiSquareQuantile(0, 0.05), InputError);
}

// Beyond 45 df: (z + √(2df − 1))² / 2 with z from the normal table (exact tabulated z).
TEST_F(BuiltTables, ChiSquareNormalApproximationAfter45) {
  EXPECT_EQ(ChiSquareQuantile(45, 0.025).value, 65.410);                  // printed χ² table, df 45
  EXPECT_NEAR(ChiSquareQuantile(50, 0.025).value, 70.92255376728974, 1e-9);  // z = 1.96
  EXPECT_NEAR(ChiSquareQuantile(46, 0.05).value, 62.48940290323791, 1e-9);   // z = 1.64
  EXPECT_NEAR(ChiSquareQuantile(46, 0.975).value, 28.723591652227864, 1e-9); // z = -1.96
  EXPECT_EQ(ChiSquareQuantile(10, 0.05).value, 18.307);
  EXPECT_EQ(ChiSquareQuantile(10, 0.95).value, 3.940);
  EXPECT_EQ(ChiSquareQuantile(9, 0.025).value, 19.023);
  EXPECT_EQ(ChiSquareQuantile(9, 0.975).value, 2.700);
  EXPECT_EQ(FQuantile(9, 9, 0.025).value, 4.03);
  EXPECT_DOUBLE_EQ(FQuantile(5, 10, 0.975).value, 1.0 / 6.62);  // 1 / F0.025(10, 5)
}

}  // namespace
}  // namespace kelvo
