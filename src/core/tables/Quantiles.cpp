#include "core/tables/Quantiles.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "core/text/Errors.h"
#include "core/tables/ExactDistributions.h"
#include "core/tables/TableStore.h"

namespace kelvo {
namespace {

constexpr int kLastTableDf = 45;

/* Distances to the table are compared "strictly, a tie keeps the earlier cell". Binary
   arithmetic breaks real ties at random (0.95 lies exactly between the cells 0.9495 and
   0.9505, but not as doubles), so a distance counts as smaller only when it is smaller by
   more than this; anything closer is a tie and keeps the earlier cell. */
constexpr double kTieTolerance = 1e-12;

bool Closer(double d, double best) { return d < best - kTieTolerance; }

void RequireTabulatedDf(int df) {
  if (df < 1) throw InputError("自由度太小，无法查表");
}

/* A level is read from a table only when it is one of the table's columns; any other level
   gets the exact quantile, never a neighbouring column. Levels are built by arithmetic
   ((1 − 0.95)/2 = 0.025000000000000022, 1 − 0.975), so "is a column" allows for rounding. */
constexpr double kColumnTolerance = 1e-9;

// Position of the column at probability p, if the table has one.
template <std::size_t N>
std::optional<std::size_t> ColumnAt(const std::array<double, N>& columns, double p) {
  for (std::size_t i = 0; i < N; ++i)
    if (std::fabs(columns[i] - p) <= kColumnTolerance) return i;
  return std::nullopt;
}

// The upper α quantile computed exactly (Boost.Math), for a level no column holds. A
// probability outside (0, 1), or a value out of range, throws InputError.
CriticalValue ExactLookUp(TableKind kind, double alpha, int df, int df2 = 0) {
  CriticalValue result;
  result.kind = kind;
  result.probability = alpha;
  result.df = df;
  result.df2 = df2;
  result.exact = true;
  result.value = ExactQuantile(result);
  return result;
}

// Upper-tail probabilities of the t columns t1..t6 and of the F tables (an α above 0.5 is read
// at 1 − α, mirrored or as a reciprocal); of the χ² fields x1..x6 in xfb1 (α ≤ 0.5) and xfb.
constexpr std::array<double, 6> kTColumns = {0.25, 0.10, 0.05, 0.025, 0.01, 0.005};
constexpr std::array<const char*, 5> kFTables = {"ffb0005", "ffb0010", "ffb0025", "ffb005", "ffb010"};
constexpr std::array<double, 5> kFTableAlpha = {0.005, 0.01, 0.025, 0.05, 0.10};
constexpr std::array<double, 6> kChiSmallAlpha = {0.25, 0.10, 0.05, 0.025, 0.01, 0.005};
constexpr std::array<double, 6> kChiLargeAlpha = {0.995, 0.99, 0.975, 0.95, 0.90, 0.75};

// Numerator degrees of freedom to the tabulated column.
int FColumnDf(int df) {
  if (df <= 10) return df;
  if (df <= 13) return 12;
  if (df <= 17) return 15;
  if (df <= 21) return 20;
  if (df <= 27) return 24;
  if (df <= 35) return 30;
  if (df <= 50) return 40;
  if (df <= 90) return 60;
  return 120;
}

// Denominator degrees of freedom to the tabulated row.
int FRowDf(int df) {
  if (df <= 30) return df;
  if (df <= 35) return 30;
  if (df <= 50) return 40;
  if (df <= 90) return 60;
  return 120;
}

// Value field <prefix><number> of the first record among the first `limit` whose key field
// <prefix>0 equals `key` (the field name is built here, as the tables name their columns).
double ReadKeyedValue(TableStore& tables, const char* table, char prefix, int number, int key,
                      int limit = std::numeric_limits<int>::max()) {
  std::string fields(1, prefix);
  fields += "0, ";
  fields += prefix;
  fields += std::to_string(number);
  bool found = false;
  double value = 0.0;
  int visited = 0;
  tables.scan(table, fields, [&](const TableRow& row) {
    if (row.Number(0) == key) {
      value = row.Number(1);
      found = true;
      return false;
    }
    return ++visited < limit;
  });
  // Every df that reaches here has a row in a complete table: a missing one is damage.
  if (!found) tables.throwError();
  return value;
}

}  // namespace

CriticalValue NormalQuantile(TableStore& tables, double p) {
  const bool mirrored = p < 0.5;
  const double q = mirrored ? 1.0 - p : p;
  // No first distance to beat, so even a q far outside [0, 1] gets the nearest cell.
  double best = std::numeric_limits<double>::infinity();
  double z = 0.0, cell = 0.0;
  tables.scan("bzztfbb", "z, z0, z1, z2, z3, z4, z5, z6, z7, z8, z9", [&](const TableRow& row) {
    for (int k = 0; k < 10; ++k) {
      const double d = std::fabs(q - row.Number(k + 1));
      if (Closer(d, best)) {
        best = d;
        // z + k/100, as the double nearest to that two-decimal number.
        z = std::round(row.Number(0) * 100.0 + k) / 100.0;
        cell = row.Number(k + 1);
      }
    }
    return true;
  });
  CriticalValue result;
  result.kind = TableKind::Normal;
  result.table = "bzztfbb";
  result.probability = p;
  result.column = mirrored ? 1.0 - cell : cell;
  result.mirrored = mirrored;
  result.value = mirrored ? -z : z;
  return result;
}

CriticalValue TQuantile(TableStore& tables, int df, double alpha) {
  if (df > kLastTableDf) {
    CriticalValue result = NormalQuantile(tables, alpha);
    result.value = -result.value;
    result.kind = TableKind::T;
    result.probability = alpha;
    result.column = 1.0 - result.column;
    result.df = df;
    result.normalApproximation = true;
    return result;
  }
  if (alpha >= 1.0) throw InputError("概率值超出统计表范围");
  RequireTabulatedDf(df);
  const bool mirrored = alpha > 0.5;
  const std::optional<std::size_t> column = ColumnAt(kTColumns, mirrored ? 1.0 - alpha : alpha);
  if (!column) return ExactLookUp(TableKind::T, alpha, df);
  // The record at position df (from 1) holds df degrees of freedom.
  bool found = false;
  double value = 0.0;
  int position = 0;
  tables.scan("tfb", "t1, t2, t3, t4, t5, t6", [&](const TableRow& row) {
    if (++position < df) return true;
    value = row.Number(static_cast<int>(*column));
    found = true;
    return false;
  });
  if (!found) tables.throwError();
  CriticalValue result;
  result.kind = TableKind::T;
  result.table = "tfb";
  result.probability = alpha;
  result.column = kTColumns[*column];
  result.df = df;
  result.rowDf = df;
  result.mirrored = mirrored;
  result.value = mirrored ? -value : value;
  return result;
}

CriticalValue FQuantile(TableStore& tables, int n1, int n2, double alpha) {
  // An α above 0.5 is a lower quantile: 1 / F(n2, n1) at 1 − α.
  const bool reciprocal = alpha > 0.5;
  const double q = reciprocal ? 1.0 - alpha : alpha;
  const int columnDf = reciprocal ? n2 : n1;
  const int rowDf = reciprocal ? n1 : n2;
  RequireTabulatedDf(columnDf);
  RequireTabulatedDf(rowDf);
  const std::optional<std::size_t> table = ColumnAt(kFTableAlpha, q);
  if (!table) return ExactLookUp(TableKind::F, alpha, n1, n2);
  const double value = ReadKeyedValue(tables, kFTables[*table], 'f', FColumnDf(columnDf), FRowDf(rowDf));
  if (!(value > 0.0)) tables.throwError();
  CriticalValue result;
  result.kind = TableKind::F;
  result.table = kFTables[*table];
  result.probability = alpha;
  result.column = kFTableAlpha[*table];
  result.df = n1;
  result.df2 = n2;
  result.columnDf = FColumnDf(columnDf);
  result.rowDf = FRowDf(rowDf);
  result.reciprocal = reciprocal;
  result.value = reciprocal ? 1.0 / value : value;
  return result;
}

CriticalValue ChiSquareQuantile(TableStore& tables, int df, double alpha) {
  if (df > kLastTableDf) {
    CriticalValue result = NormalQuantile(tables, 1.0 - alpha);
    const double root = result.value + std::sqrt(2.0 * df - 1.0);
    result.value = root * root / 2.0;
    result.kind = TableKind::ChiSquare;
    result.probability = alpha;
    result.column = 1.0 - result.column;
    result.df = df;
    result.normalApproximation = true;
    return result;
  }
  RequireTabulatedDf(df);
  const bool small = alpha <= 0.5;
  const std::array<double, 6>& columns = small ? kChiSmallAlpha : kChiLargeAlpha;
  const std::optional<std::size_t> field = ColumnAt(columns, alpha);
  if (!field) return ExactLookUp(TableKind::ChiSquare, alpha, df);
  CriticalValue result;
  result.kind = TableKind::ChiSquare;
  result.table = small ? "xfb1" : "xfb";
  result.probability = alpha;
  result.column = columns[*field];
  result.df = df;
  result.rowDf = df;
  result.value = ReadKeyedValue(tables, result.table.c_str(), 'x', static_cast<int>(*field) + 1, df,
                                kLastTableDf + 1);
  return result;
}

}  // namespace kelvo
