// Build-time generator of the statistical table database bzztfbb.db.
//
// Usage: make_tables <out.db>
//
// Every value is computed with Boost.Math in 50-digit arithmetic and then rounded half up to
// the precision of the usual printed tables (normal distribution function 4 decimals, t 4,
// chi-square 3, F 2), so the rounding never depends on the last bits of a double. The file
// is written under a temporary name and renamed at the end: a failed run leaves no file that
// looks complete. The output depends on nothing but this source, so it is reproducible.
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <boost/multiprecision/cpp_bin_float.hpp>
#include <sqlite3.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Real = boost::multiprecision::cpp_bin_float_50;

// Upper-tail probabilities of the columns, in column order.
constexpr std::array<const char*, 6> kTProbabilities = {"0.25", "0.10", "0.05", "0.025", "0.01", "0.005"};
constexpr std::array<const char*, 6> kChiLargeProbabilities = {"0.995", "0.99", "0.975", "0.95", "0.90", "0.75"};
constexpr std::array<int, 18> kFColumns = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 15, 20, 24, 30, 40, 60, 120};
constexpr std::array<int, 33> kFRows = {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                                        18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 40, 60, 120};
struct FTable {
  const char* name;
  const char* alpha;
};
constexpr std::array<FTable, 5> kFTables = {{{"ffb010", "0.10"},
                                             {"ffb005", "0.05"},
                                             {"ffb0025", "0.025"},
                                             {"ffb0010", "0.01"},
                                             {"ffb0005", "0.005"}}};
constexpr int kMaxTableDf = 45;

// v rounded half up to `decimals` places, as the nearest double to that decimal.
double RoundHalfUp(const Real& v, int decimals) {
  static constexpr std::array<double, 5> kPowers = {1.0, 10.0, 100.0, 1000.0, 10000.0};
  const Real scaled = floor(v * Real(kPowers.at(decimals)) + Real("0.5"));
  return static_cast<double>(scaled.convert_to<long long>()) / kPowers.at(decimals);
}

Real UpperT(int df, const char* alpha) {
  return quantile(complement(boost::math::students_t_distribution<Real>(Real(df)), Real(alpha)));
}

Real UpperChiSquare(int df, const char* alpha) {
  return quantile(complement(boost::math::chi_squared_distribution<Real>(Real(df)), Real(alpha)));
}

Real UpperF(int n1, int n2, const char* alpha) {
  return quantile(complement(boost::math::fisher_f_distribution<Real>(Real(n1), Real(n2)), Real(alpha)));
}

// Thin owner of the output connection; every failure throws with SQLite's message.
class Writer {
 public:
  explicit Writer(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
      Fail("open");
    }
  }
  ~Writer() { sqlite3_close(m_db); }
  Writer(const Writer&) = delete;
  Writer& operator=(const Writer&) = delete;

  void Exec(const std::string& sql) {
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) Fail(sql);
  }

  // Creates `table` with an optional integer key and the real fields, then appends the rows
  // in the given order (the look-ups rely on that order).
  void WriteTable(const std::string& table, const std::string& key, const std::vector<std::string>& fields,
                  const std::vector<std::vector<double>>& rows) {
    std::string columns;
    std::string marks;
    if (!key.empty()) {
      columns = key + " INTEGER NOT NULL";
      marks = "?";
    }
    for (const auto& f : fields) {
      columns += (columns.empty() ? "" : ", ") + f + " REAL NOT NULL";
      marks += marks.empty() ? "?" : ", ?";
    }
    Exec("CREATE TABLE " + table + " (" + columns + ")");
    sqlite3_stmt* insert = nullptr;
    const std::string sql = "INSERT INTO " + table + " VALUES (" + marks + ")";
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &insert, nullptr) != SQLITE_OK) Fail(sql);
    for (const auto& row : rows) {
      for (std::size_t i = 0; i < row.size(); ++i) {
        const int index = static_cast<int>(i) + 1;
        if (i == 0 && !key.empty()) {
          sqlite3_bind_int(insert, index, static_cast<int>(row[i]));
        } else {
          sqlite3_bind_double(insert, index, row[i]);
        }
      }
      if (sqlite3_step(insert) != SQLITE_DONE) {
        sqlite3_finalize(insert);
        Fail(sql);
      }
      sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
  }

 private:
  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + (m_db ? sqlite3_errmsg(m_db) : "out of memory"));
  }
  sqlite3* m_db = nullptr;
};

std::vector<std::string> Names(const char* prefix, int count, int first = 1) {
  std::vector<std::string> names;
  for (int i = 0; i < count; ++i) names.push_back(prefix + std::to_string(first + i));
  return names;
}

// Φ(z + k/100) for rows z = 0.0 .. 3.9 and k = 0 .. 9.
void WriteNormal(Writer& w) {
  const boost::math::normal_distribution<Real> standard;
  std::vector<std::vector<double>> rows;
  for (int r = 0; r < 40; ++r) {
    std::vector<double> row = {r / 10.0};
    for (int k = 0; k < 10; ++k) row.push_back(RoundHalfUp(cdf(standard, Real(10 * r + k) / 100), 4));
    rows.push_back(row);
  }
  w.WriteTable("bzztfbb", "", {"z", "z0", "z1", "z2", "z3", "z4", "z5", "z6", "z7", "z8", "z9"}, rows);
}

// The record at position n is df n: the table has no key column.
void WriteT(Writer& w) {
  std::vector<std::vector<double>> rows;
  for (int df = 1; df <= kMaxTableDf; ++df) {
    std::vector<double> row;
    for (const char* a : kTProbabilities) row.push_back(RoundHalfUp(UpperT(df, a), 4));
    rows.push_back(row);
  }
  w.WriteTable("tfb", "", Names("t", 6), rows);
}

void WriteF(Writer& w) {
  std::vector<std::string> fields;
  for (int c : kFColumns) fields.push_back("f" + std::to_string(c));
  for (const auto& table : kFTables) {
    std::vector<std::vector<double>> rows;
    for (int n2 : kFRows) {
      std::vector<double> row = {static_cast<double>(n2)};
      for (int n1 : kFColumns) row.push_back(RoundHalfUp(UpperF(n1, n2, table.alpha), 2));
      rows.push_back(row);
    }
    w.WriteTable(table.name, "f0", fields, rows);
  }
}

void WriteChiSquare(Writer& w, const char* table, const std::array<const char*, 6>& probabilities) {
  std::vector<std::vector<double>> rows;
  for (int df = 1; df <= kMaxTableDf; ++df) {
    std::vector<double> row = {static_cast<double>(df)};
    for (const char* a : probabilities) row.push_back(RoundHalfUp(UpperChiSquare(df, a), 3));
    rows.push_back(row);
  }
  w.WriteTable(table, "x0", Names("x", 6), rows);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_tables <out.db>\n");
    return 2;
  }
  const std::filesystem::path out = argv[1];
  const std::filesystem::path part = out.string() + ".part";
  try {
    std::filesystem::remove(part);
    {
      Writer w(part.string());
      w.Exec("BEGIN");
      WriteNormal(w);
      WriteT(w);
      WriteF(w);
      WriteChiSquare(w, "xfb", kChiLargeProbabilities);
      WriteChiSquare(w, "xfb1", kTProbabilities);
      w.Exec("COMMIT");
    }
    std::filesystem::rename(part, out);
  } catch (const std::exception& e) {
    std::error_code ignored;
    std::filesystem::remove(part, ignored);
    std::fprintf(stderr, "make_tables: %s\n", e.what());
    return 1;
  }
  return 0;
}
