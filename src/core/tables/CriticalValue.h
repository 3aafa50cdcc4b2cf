#pragma once
// A critical value together with where it came from, so that a worked solution can name the
// table cell a textbook reader would look up, or say that no column holds the level.
#include <string>

namespace kelvo {

enum class TableKind { Normal, T, ChiSquare, F };

struct CriticalValue {
  double value = 0.0;
  TableKind kind = TableKind::Normal;
  std::string table;          // table of the store that was read ("tfb", "xfb1", "ffb0025", ...); empty when exact
  double probability = 0.0;   // the probability asked for (lower tail for the normal look-up)
  double column = 0.0;        // the tabulated probability read (normal: of the nearest cell); 0 when exact
  int df = 0;                 // degrees of freedom asked for (F: numerator)
  int df2 = 0;                // F only: denominator degrees of freedom asked for
  int rowDf = 0;              // tabulated degrees of freedom read (F: the denominator row)
  int columnDf = 0;           // F only: tabulated numerator degrees of freedom read
  bool normalApproximation = false;  // beyond the last tabulated degrees of freedom
  bool mirrored = false;      // read at 1 − p and negated (normal, t)
  bool reciprocal = false;    // F lower quantile read as 1 / F(df2, df) at 1 − α
  bool exact = false;         // no table column at the probability: the exact quantile, nothing read
};

}  // namespace kelvo
