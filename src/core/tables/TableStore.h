#pragma once
// Read-only access to the statistical table database. One connection and one prepared
// statement per query are kept for the life of the process; every scan still reads the
// stored rows afresh, in stored order.
#include <functional>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace kelvo {

// The current row of a scan: a column is read by its index in the field list of the scan.
class TableRow {
 public:
  explicit TableRow(sqlite3_stmt* statement) : m_statement(statement) {}
  // The number in `column`; a value that is not a number is a damaged store.
  double Number(int column) const;

 private:
  sqlite3_stmt* m_statement;
};

// Path of the database file; changing it closes any open connection.
void SetTableStorePath(std::string path);
const std::string& TableStorePath();

// Visits the rows of `table` in stored order, reading `fields` (comma-separated), until
// `visit` returns false or the rows end. Throws TableStoreError when the file is missing or
// is not a database, or the table or a field is missing.
void ScanTable(std::string_view table, std::string_view fields, const std::function<bool(const TableRow&)>& visit);

// The error every fault of the store is reported with.
[[noreturn]] void ThrowTableStoreError();

}  // namespace kelvo
