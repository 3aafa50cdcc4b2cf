#pragma once
// Critical values read from the statistical table database (bzztfbb.db beside the program).
// The normal look-up takes a lower-tail probability; the others take an upper-tail
// probability α and return the value the variable exceeds with probability α.
// A fault of the database throws TableStoreError ("统计表数据库缺失或损坏\n" + path);
// degrees of freedom below 1 where a row or column is needed throw InputError.
#include <string>

namespace kelvo {

// The GUI sets <program folder>/bzztfbb.db at start-up; changing it closes any open connection.
void SetTableDatabasePath(std::string path);
const std::string& TableDatabasePath();

// z of the tabulated cell nearest to Φ(z) = p, to two decimals.
double NormalQuantile(double p);
// Upper α quantile of t(df); −10000 when α ≥ 1 and df ≤ 45; normal beyond 45 df.
double TQuantile(int df, double alpha);
// Upper α quantile of F(n1, n2), n1 the numerator degrees of freedom.
double FQuantile(int n1, int n2, double alpha);
// Upper α quantile of χ²(df); normal approximation beyond 45 df.
double ChiSquareQuantile(int df, double alpha);

}  // namespace kelvo
