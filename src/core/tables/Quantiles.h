#pragma once
// Critical values read from the statistical table database (bzztfbb.db beside the program),
// through the store the caller hands in.
// The normal look-up takes a lower-tail probability; the others take an upper-tail
// probability α and return the value the variable exceeds with probability α.
// The t, χ² and F look-ups read their table only at a level that is one of its columns (up to
// rounding, 1e-9); any other level gets the exact quantile (Boost.Math), marked `exact`, never
// a neighbouring column. Beyond 45 df t and χ² read the normal table at any level.
// A fault of the database throws TableStoreError ("统计表数据库缺失或损坏\n" + path);
// degrees of freedom below 1 where a row or column is needed, t's α ≥ 1, and an exact
// quantile outside (0, 1) or out of range throw InputError. No look-up ever returns a
// stand-in value.
#include <string>

#include "core/tables/CriticalValue.h"

namespace kelvo {

class TableStore;

// z of the tabulated cell nearest to Φ(z) = p, to two decimals.
CriticalValue NormalQuantile(TableStore& tables, double p);
// Upper α quantile of t(df); normal beyond 45 df. α ≥ 1 with df ≤ 45: InputError.
CriticalValue TQuantile(TableStore& tables, int df, double alpha);
// Upper α quantile of F(n1, n2), n1 the numerator degrees of freedom. At a column level the
// degrees of freedom are snapped to the tabulated row and column; an exact value uses them as they are.
CriticalValue FQuantile(TableStore& tables, int n1, int n2, double alpha);
// Upper α quantile of χ²(df); normal approximation beyond 45 df.
CriticalValue ChiSquareQuantile(TableStore& tables, int df, double alpha);

}  // namespace kelvo
