#include "core/tables/TableStore.h"

#include <sqlite3.h>

#include "core/text/Errors.h"

namespace kelvo {
namespace {

// Leaves a statement ready for the next scan, however the current one ends.
struct ResetOnExit {
  sqlite3_stmt* statement;
  ~ResetOnExit() { sqlite3_reset(statement); }
};

}  // namespace

double TableRow::Number(int column) const {
  const int type = sqlite3_column_type(m_statement, column);
  if (type != SQLITE_INTEGER && type != SQLITE_FLOAT) m_store.throwError();
  return sqlite3_column_double(m_statement, column);
}

TableStore::TableStore(std::string path) { open(std::move(path)); }

TableStore::~TableStore() { close(); }

void TableStore::open(std::string path) {
  std::lock_guard lock(m_mutex);
  close();
  m_path = std::move(path);
}

void TableStore::close() {
  for (auto& [sql, statement] : m_statements) sqlite3_finalize(statement);
  m_statements.clear();
  sqlite3_close(m_db);
  m_db = nullptr;
}

// Drops the connection, so that a repaired file is opened afresh by the next scan.
void TableStore::fail() {
  close();
  throwError();
}

void TableStore::throwError() const { throw TableStoreError("统计表数据库缺失或损坏\n" + m_path); }

// The prepared scan of `sql`, opening the file read-only on first use (never creating it).
// SQLite's own per-call locking is left out: `m_mutex` already guards every use.
sqlite3_stmt* TableStore::statement(const std::string& sql) {
  if (auto found = m_statements.find(sql); found != m_statements.end()) return found->second;
  if (m_db == nullptr) {
    const int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
    if (m_path.empty() || sqlite3_open_v2(m_path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) fail();
  }
  sqlite3_stmt* prepared = nullptr;
  if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &prepared, nullptr) != SQLITE_OK) fail();
  m_statements.emplace(sql, prepared);
  return prepared;
}

void TableStore::scan(std::string_view table, std::string_view fields,
                      const std::function<bool(const TableRow&)>& visit) {
  std::lock_guard lock(m_mutex);
  std::string sql = "SELECT ";
  sql.append(fields).append(" FROM ").append(table).append(" ORDER BY rowid");
  sqlite3_stmt* prepared = statement(sql);
  ResetOnExit reset{prepared};
  const TableRow row(prepared, *this);
  for (;;) {
    const int step = sqlite3_step(prepared);
    if (step == SQLITE_DONE) return;
    if (step != SQLITE_ROW) {
      reset.statement = nullptr;  // fail() finalizes it
      fail();
    }
    if (!visit(row)) return;
  }
}

}  // namespace kelvo
