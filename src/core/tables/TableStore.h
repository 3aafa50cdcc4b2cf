#pragma once
// Read-only access to the statistical table database. A store keeps one connection and one
// prepared statement per query for as long as it lives; every scan still reads the stored
// rows afresh, in stored order.
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace kelvo {

class TableStore;

// The current row of a scan: a column is read by its index in the field list of the scan.
class TableRow {
 public:
  TableRow(sqlite3_stmt* statement, const TableStore& store) : m_statement(statement), m_store(store) {}
  // The number in `column`; a value that is not a number is a damaged store.
  double Number(int column) const;

 private:
  sqlite3_stmt* m_statement;
  const TableStore& m_store;
};

class TableStore {
 public:
  // A store without a file: every scan reports a missing database until `open` names one.
  TableStore() = default;
  // The same, opened on `path` at once (see `open`).
  explicit TableStore(std::string path);
  ~TableStore();
  TableStore(const TableStore&) = delete;
  TableStore& operator=(const TableStore&) = delete;

  // Reads the database file at `path` from now on (opened read-only at the next scan, never
  // created), closing any connection to the previous file.
  void open(std::string path);
  const std::string& path() const { return m_path; }

  // Visits the rows of `table` in stored order, reading `fields` (comma-separated), until
  // `visit` returns false or the rows end. Throws TableStoreError when the file is missing or
  // is not a database, or the table or a field is missing.
  void scan(std::string_view table, std::string_view fields,
            const std::function<bool(const TableRow&)>& visit);

  // The error every fault of this store is reported with.
  [[noreturn]] void throwError() const;

 private:
  sqlite3_stmt* statement(const std::string& sql);
  void close();
  [[noreturn]] void fail();

  std::mutex m_mutex;  // guards every use of the connection
  std::string m_path;
  sqlite3* m_db = nullptr;
  std::map<std::string, sqlite3_stmt*, std::less<>> m_statements;
};

}  // namespace kelvo
