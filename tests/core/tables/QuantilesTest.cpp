// The look-up rules: which cell each probability and degree of freedom selects.
// Rule tests run on the coded database (TestTables.h), whose cells name their position;
// the worked examples run on the built table database.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "core/text/Errors.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"
#include "TestTables.h"

namespace kelvo {
namespace {

using testing::CodedChi;
using testing::CodedF;
using testing::CodedT;

class BuiltTables : public ::testing::Test {
 protected:
  TableStore tables{KELVO_TABLES_DB};
};

class CodedTables : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::WriteCodedTables(Path()); }
  static void TearDownTestSuite() { std::filesystem::remove(Path()); }
  static std::string Path() { return testing::TempPath("coded.db"); }
  TableStore tables{Path()};
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
  for (const Case& c : cases) EXPECT_EQ(NormalQuantile(tables, c.p).value, c.z) << c.name;
}

TEST_F(CodedTables, TQuantileRowsAndRefusals) {
  EXPECT_EQ(TQuantile(tables, 1, 0.25).value, CodedT(1, 1));
  EXPECT_EQ(TQuantile(tables, 45, 0.005).value, CodedT(45, 6));
  EXPECT_THROW(TQuantile(tables, 0, 0.05), InputError);
  EXPECT_THROW(TQuantile(tables, -3, 0.95), InputError);
  EXPECT_THROW(TQuantile(tables, -3, 0.2), InputError);  // off the columns too
  // No column holds α ≥ 1: the look-up reports it instead of returning a stand-in.
  EXPECT_THROW(TQuantile(tables, 5, 1.0), InputError);
  EXPECT_THROW(TQuantile(tables, 45, 1.5), InputError);
  EXPECT_THROW(TQuantile(tables, 0, 1.0), InputError);
  // Nor α ≤ 0, and no exact quantile exists there either.
  EXPECT_THROW(TQuantile(tables, 3, 0.0), InputError);
}

/* A level that is a column of the table reads it, also when arithmetic built it
   ((1 − 0.95)/2 = 0.025000000000000022, 1 − 0.975); any other level is the exact quantile,
   never a neighbouring column. Column rows expect the coded cell (which table, row and field
   was read); exact rows were computed with mpmath 1.3 at 30 digits, independently of Boost, as
   the root of the upper tail: χ² gammainc(k/2, x/2, ∞, regularized=True); t
   betainc(v/2, 1/2, 0, v/(v + x²), regularized=True)/2; F betainc(d2/2, d1/2, 0, d2/(d2 + d1·x),
   regularized=True). The χ² 0.2 row is the reported case: the 0.25 column gives 11.389, the
   true χ²₀.₂(9) is 12.242 (also boost::math::quantile(complement(chi_squared(9), 0.2))). */
TEST_F(CodedTables, LevelOnAColumnReadsItAnyOtherIsExact) {
  enum class Law { T, Chi, F };
  struct Case { const char* name; Law law; int df1; int df2; double alpha; double expected; bool exact; };
  const Case cases[] = {
      // t: t1..t6 = 0.25 … 0.005; 1 − those mirrored.
      {"t 0.25", Law::T, 10, 0, 0.25, CodedT(10, 1), false},
      {"t 0.10", Law::T, 10, 0, 0.10, CodedT(10, 2), false},
      {"t 0.05", Law::T, 10, 0, 0.05, CodedT(10, 3), false},
      {"t 0.025", Law::T, 10, 0, 0.025, CodedT(10, 4), false},
      {"t 0.01", Law::T, 10, 0, 0.01, CodedT(10, 5), false},
      {"t 0.005", Law::T, 10, 0, 0.005, CodedT(10, 6), false},
      {"t (1 - 0.95) / 2", Law::T, 10, 0, (1 - 0.95) / 2, CodedT(10, 4), false},
      {"t mirrored 1 - 0.025", Law::T, 10, 0, 1 - 0.025, -CodedT(10, 4), false},
      {"t mirrored 0.9 / 2 + 0.5", Law::T, 10, 0, 0.9 / 2 + 0.5, -CodedT(10, 3), false},
      {"t off: 0.2", Law::T, 9, 0, 0.2, 0.883403859685535, true},
      {"t off: 0.03, not the 0.025 column", Law::T, 10, 0, 0.03, 2.12023353380110, true},
      {"t off: 1e-6 beside 0.05", Law::T, 10, 0, 0.05 + 1e-6, 1.81244886489274, true},
      {"t off: 0.5", Law::T, 7, 0, 0.5, 0.0, true},
      {"t off mirrored: 1 - (1 - 0.85) / 2", Law::T, 10, 0, 1 - (1 - 0.85) / 2, -1.55923593324270, true},
      // χ², α ≤ 0.5: xfb1 x1..x6 = 0.25 … 0.005.
      {"chi xfb1 0.25", Law::Chi, 12, 0, 0.25, CodedChi(1, 12, 1), false},
      {"chi xfb1 0.10", Law::Chi, 12, 0, 0.10, CodedChi(1, 12, 2), false},
      {"chi xfb1 0.05", Law::Chi, 12, 0, 0.05, CodedChi(1, 12, 3), false},
      {"chi xfb1 0.025", Law::Chi, 12, 0, 0.025, CodedChi(1, 12, 4), false},
      {"chi xfb1 0.01", Law::Chi, 12, 0, 0.01, CodedChi(1, 12, 5), false},
      {"chi xfb1 0.005", Law::Chi, 12, 0, 0.005, CodedChi(1, 12, 6), false},
      {"chi xfb1 1 - 0.975", Law::Chi, 12, 0, 1 - 0.975, CodedChi(1, 12, 4), false},
      {"chi off: 0.2 (reported case)", Law::Chi, 9, 0, 0.2, 12.2421454698471, true},
      {"chi off: (1 - 0.85) / 2", Law::Chi, 12, 0, (1 - 0.85) / 2, 19.6019701905083, true},
      // χ², α > 0.5: xfb x1..x6 = 0.995 … 0.75.
      {"chi xfb 0.995", Law::Chi, 12, 0, 0.995, CodedChi(2, 12, 1), false},
      {"chi xfb 0.99", Law::Chi, 12, 0, 0.99, CodedChi(2, 12, 2), false},
      {"chi xfb 0.975", Law::Chi, 12, 0, 0.975, CodedChi(2, 12, 3), false},
      {"chi xfb 0.95", Law::Chi, 12, 0, 0.95, CodedChi(2, 12, 4), false},
      {"chi xfb 0.90", Law::Chi, 12, 0, 0.90, CodedChi(2, 12, 5), false},
      {"chi xfb 0.75", Law::Chi, 12, 0, 0.75, CodedChi(2, 12, 6), false},
      {"chi xfb 0.95 / 2 + 0.5", Law::Chi, 12, 0, 0.95 / 2 + 0.5, CodedChi(2, 12, 3), false},
      {"chi xfb 1 - 0.1", Law::Chi, 12, 0, 1 - 0.1, CodedChi(2, 12, 5), false},
      {"chi off: 0.8", Law::Chi, 9, 0, 0.8, 5.38005321177329, true},
      {"chi off: 1 - (1 - 0.85) / 2", Law::Chi, 12, 0, 1 - (1 - 0.85) / 2, 5.81751399353123, true},
      // F: ffb0005 … ffb010 (codes 1 … 5), row n2, field n1; above 0.5 1 / F(n2, n1) at 1 − α.
      {"F 0.005", Law::F, 4, 7, 0.005, CodedF(1, 7, 4), false},
      {"F 0.01", Law::F, 4, 7, 0.01, CodedF(2, 7, 4), false},
      {"F 0.025", Law::F, 4, 7, 0.025, CodedF(3, 7, 4), false},
      {"F 0.05", Law::F, 4, 7, 0.05, CodedF(4, 7, 4), false},
      {"F 0.10", Law::F, 4, 7, 0.10, CodedF(5, 7, 4), false},
      {"F (1 - 0.98) / 2", Law::F, 4, 7, (1 - 0.98) / 2, CodedF(2, 7, 4), false},
      {"F off: 0.2", Law::F, 4, 7, 0.2, 1.99372979591938, true},
      {"F off: (1 - 0.85) / 2", Law::F, 4, 7, (1 - 0.85) / 2, 3.41574104321111, true},
      {"F off, df not snapped: 0.15", Law::F, 14, 33, 0.15, 1.54276370848143, true},
      {"F reciprocal 0.975", Law::F, 5, 10, 0.975, 1.0 / CodedF(3, 5, 10), false},
      {"F reciprocal 0.9 / 2 + 0.5", Law::F, 5, 10, 0.9 / 2 + 0.5, 1.0 / CodedF(4, 5, 10), false},
      {"F reciprocal 1 - 0.005", Law::F, 5, 10, 1 - 0.005, 1.0 / CodedF(1, 5, 10), false},
      {"F off reciprocal: 1 - (1 - 0.85) / 2", Law::F, 5, 10, 1 - (1 - 0.85) / 2, 0.259885469258481, true},
  };
  for (const Case& c : cases) {
    const CriticalValue cv = c.law == Law::T     ? TQuantile(tables, c.df1, c.alpha)
                             : c.law == Law::Chi ? ChiSquareQuantile(tables, c.df1, c.alpha)
                                                 : FQuantile(tables, c.df1, c.df2, c.alpha);
    EXPECT_NEAR(cv.value, c.expected, 1e-9 * std::max(1.0, std::fabs(c.expected))) << c.name;
    EXPECT_EQ(cv.exact, c.exact) << c.name;
    EXPECT_EQ(cv.table.empty(), c.exact) << c.name;
    EXPECT_EQ(cv.probability, c.alpha) << c.name;
  }
  // Off the columns there is no exact quantile at α ≤ 0 or α ≥ 1 either.
  EXPECT_THROW(ChiSquareQuantile(tables, 12, 0.0), InputError);
  EXPECT_THROW(ChiSquareQuantile(tables, 12, 1.0), InputError);
  EXPECT_THROW(FQuantile(tables, 4, 7, 0.0), InputError);
  EXPECT_THROW(FQuantile(tables, 4, 7, 1.0), InputError);
}

TEST_F(BuiltTables, LookUpsTellWhereTheirValueCameFrom) {
  const CriticalValue t = TQuantile(tables, 15, 0.025);
  EXPECT_EQ(t.table, "tfb");
  EXPECT_EQ(t.rowDf, 15);
  EXPECT_DOUBLE_EQ(t.column, 0.025);
  EXPECT_FALSE(t.normalApproximation);
  EXPECT_TRUE(TQuantile(tables, 15, 0.975).mirrored);
  // Off the columns: the exact value, with the kind, level and degrees of freedom asked.
  const CriticalValue tExact = TQuantile(tables, 15, 0.925);
  EXPECT_TRUE(tExact.exact);
  EXPECT_FALSE(tExact.mirrored);
  EXPECT_EQ(tExact.kind, TableKind::T);
  EXPECT_EQ(tExact.df, 15);
  const CriticalValue fExact = FQuantile(tables, 14, 33, 0.85);
  EXPECT_TRUE(fExact.exact);
  EXPECT_FALSE(fExact.reciprocal);
  EXPECT_EQ(fExact.df, 14);
  EXPECT_EQ(fExact.df2, 33);

  const CriticalValue tLarge = TQuantile(tables, 50, 0.025);
  EXPECT_TRUE(tLarge.normalApproximation);
  EXPECT_EQ(tLarge.table, "bzztfbb");
  EXPECT_EQ(tLarge.df, 50);

  const CriticalValue f = FQuantile(tables, 14, 33, 0.05);
  EXPECT_EQ(f.table, "ffb005");
  EXPECT_EQ(f.columnDf, 15);
  EXPECT_EQ(f.rowDf, 30);
  EXPECT_FALSE(f.reciprocal);
  const CriticalValue fLow = FQuantile(tables, 5, 10, 0.975);
  EXPECT_TRUE(fLow.reciprocal);
  EXPECT_EQ(fLow.table, "ffb0025");
  EXPECT_EQ(fLow.columnDf, 10);
  EXPECT_EQ(fLow.rowDf, 5);

  const CriticalValue chiUpper = ChiSquareQuantile(tables, 9, 0.025);
  EXPECT_EQ(chiUpper.table, "xfb1");
  EXPECT_DOUBLE_EQ(chiUpper.column, 0.025);
  const CriticalValue chiLower = ChiSquareQuantile(tables, 9, 0.975);
  EXPECT_EQ(chiLower.table, "xfb");
  EXPECT_DOUBLE_EQ(chiLower.column, 0.975);
  EXPECT_TRUE(ChiSquareQuantile(tables, 46, 0.05).normalApproximation);
  EXPECT_FALSE(ChiSquareQuantile(tables, 46, 0.2).exact);  // beyond 45 df the normal table serves any level

  const CriticalValue z = NormalQuantile(tables, 0.975);
  EXPECT_EQ(z.kind, TableKind::Normal);
  EXPECT_NEAR(z.column, 0.975, 1e-4);
}

// Beyond 45 df the t look-up is the normal one: z of the 4-decimal normal table.
TEST_F(BuiltTables, TQuantileSwitchesToNormalAfter45) {
  EXPECT_EQ(TQuantile(tables, 45, 0.025).value, 2.0141);  // printed t table, df 45
  EXPECT_EQ(TQuantile(tables, 46, 0.025).value, 1.96);
  EXPECT_EQ(TQuantile(tables, 50, 0.975).value, -1.96);
  EXPECT_EQ(TQuantile(tables, 46, 1.0).value, -3.90);  // no sentinel on the normal branch
  EXPECT_EQ(TQuantile(tables, 15, 0.025).value, 2.1314);
  EXPECT_EQ(TQuantile(tables, 18, 0.025).value, 2.1009);
}

TEST_F(CodedTables, FQuantileColumnAndRowBins) {
  struct Bin { int df; int column; int row; };
  const Bin bins[] = {{1, 1, 1},      {10, 10, 10},   {11, 12, 11},   {13, 12, 13},   {14, 15, 14},
                      {17, 15, 17},   {18, 20, 18},   {21, 20, 21},   {22, 24, 22},   {27, 24, 27},
                      {28, 30, 28},   {30, 30, 30},   {31, 30, 30},   {35, 30, 30},   {36, 40, 40},
                      {50, 40, 40},   {51, 60, 60},   {90, 60, 60},   {91, 120, 120}, {30000, 120, 120}};
  for (const Bin& b : bins) {
    EXPECT_EQ(FQuantile(tables, b.df, 5, 0.05).value, CodedF(4, 5, b.column)) << "numerator df " << b.df;
    EXPECT_EQ(FQuantile(tables, 5, b.df, 0.05).value, CodedF(4, b.row, 5)) << "denominator df " << b.df;
  }
  EXPECT_EQ(FQuantile(tables, 33, 100, 0.05).value, CodedF(4, 120, 30));
  EXPECT_EQ(FQuantile(tables, 91, 91, 0.05).value, CodedF(4, 120, 120));
}

// An α above 0.5 reads F(n2, n1) at 1 − α and returns the reciprocal.
TEST_F(CodedTables, FQuantileLowerTailIsReciprocal) {
  EXPECT_DOUBLE_EQ(FQuantile(tables, 5, 10, 0.975).value, 1.0 / CodedF(3, 5, 10));
  EXPECT_DOUBLE_EQ(FQuantile(tables, 12, 40, 0.95).value, 1.0 / CodedF(4, 12, 40));
  EXPECT_THROW(FQuantile(tables, 0, 5, 0.05), InputError);
  EXPECT_THROW(FQuantile(tables, 5, 0, 0.05), InputError);
  EXPECT_THROW(FQuantile(tables, 0, 5, 0.95), InputError);
  EXPECT_THROW(FQuantile(tables, 5, 0, 0.95), InputError);
}

TEST_F(CodedTables, ChiSquareRows) {
  EXPECT_EQ(ChiSquareQuantile(tables, 1, 0.05).value, CodedChi(1, 1, 3));
  EXPECT_EQ(ChiSquareQuantile(tables, 45, 0.95).value, CodedChi(2, 45, 4));
  EXPECT_THROW(ChiSquareQuantile(tables, 0, 0.05), InputError);
  EXPECT_THROW(ChiSquareQuantile(tables, 0, 0.2), InputError);  // off the columns too
}

// Beyond 45 df: (z + √(2df − 1))² / 2 with z from the normal table (exact tabulated z).
TEST_F(BuiltTables, ChiSquareNormalApproximationAfter45) {
  EXPECT_EQ(ChiSquareQuantile(tables, 45, 0.025).value, 65.410);                  // printed χ² table, df 45
  EXPECT_NEAR(ChiSquareQuantile(tables, 50, 0.025).value, 70.92255376728974, 1e-9);  // z = 1.96
  EXPECT_NEAR(ChiSquareQuantile(tables, 46, 0.05).value, 62.48940290323791, 1e-9);   // z = 1.64
  EXPECT_NEAR(ChiSquareQuantile(tables, 46, 0.975).value, 28.723591652227864, 1e-9); // z = -1.96
  EXPECT_EQ(ChiSquareQuantile(tables, 10, 0.05).value, 18.307);
  EXPECT_EQ(ChiSquareQuantile(tables, 10, 0.95).value, 3.940);
  EXPECT_EQ(ChiSquareQuantile(tables, 9, 0.025).value, 19.023);
  EXPECT_EQ(ChiSquareQuantile(tables, 9, 0.975).value, 2.700);
  EXPECT_EQ(FQuantile(tables, 9, 9, 0.025).value, 4.03);
  EXPECT_DOUBLE_EQ(FQuantile(tables, 5, 10, 0.975).value, 1.0 / 6.62);  // 1 / F0.025(10, 5)
}

}  // namespace
}  // namespace kelvo
