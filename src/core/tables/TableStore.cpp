#include "core/tables/TableStore.h"

#include <sqlite3.h>

#include <map>
#include <mutex>

#include "core/text/Errors.h"
#include "core/settings/ProgramState.h"

namespace kelvo {
namespace {

// The process-wide connection and its prepared statements, keyed by their SQL text.
class Store {
 public:
  ~Store() { Close(); }

  void Close() {
    for (auto& [sql, statement] : m_statements) sqlite3_finalize(statement);
    m_statements.clear();
    sqlite3_close(m_db);
    m_db = nullptr;
  }

  // The prepared scan of `sql`, opening the file read-only on first use (never creating it).
  // SQLite's own per-call locking is left out: `mutex` already guards every use.
  sqlite3_stmt* Statement(const std::string& sql) {
    // The path lives in the program state, where a test may swap it: follow it.
    const std::string& path = Program().tableStorePath;
    if (m_db != nullptr && m_openedPath != path) Close();
    if (auto found = m_statements.find(sql); found != m_statements.end()) return found->second;
    if (m_db == nullptr) {
      m_openedPath = path;
      const int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX;
      if (path.empty() || sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
        Fail();
      }
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) Fail();
    m_statements.emplace(sql, statement);
    return statement;
  }

  // Drops the connection, so that a repaired file is opened afresh by the next look-up.
  [[noreturn]] void Fail() {
    Close();
    ThrowTableStoreError();
  }

  std::mutex mutex;

 private:
  std::string m_openedPath;
  sqlite3* m_db = nullptr;
  std::map<std::string, sqlite3_stmt*, std::less<>> m_statements;
};

Store& TheStore() {
  static Store store;
  return store;
}

// Leaves a statement ready for the next scan, however the current one ends.
struct ResetOnExit {
  sqlite3_stmt* statement;
  ~ResetOnExit() { sqlite3_reset(statement); }
};

}  // namespace

double TableRow::Number(int column) const {
  const int type = sqlite3_column_type(m_statement, column);
  if (type != SQLITE_INTEGER && type != SQLITE_FLOAT) ThrowTableStoreError();
  return sqlite3_column_double(m_statement, column);
}

void SetTableStorePath(std::string path) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  store.Close();
  Program().tableStorePath = std::move(path);
}

const std::string& TableStorePath() { return Program().tableStorePath; }

void ScanTable(std::string_view table, std::string_view fields, const std::function<bool(const TableRow&)>& visit) {
  Store& store = TheStore();
  std::lock_guard lock(store.mutex);
  std::string sql = "SELECT ";
  sql.append(fields).append(" FROM ").append(table).append(" ORDER BY rowid");
  sqlite3_stmt* statement = store.Statement(sql);
  ResetOnExit reset{statement};
  const TableRow row(statement);
  for (;;) {
    const int step = sqlite3_step(statement);
    if (step == SQLITE_DONE) return;
    if (step != SQLITE_ROW) {
      reset.statement = nullptr;  // Fail() finalizes it
      store.Fail();
    }
    if (!visit(row)) return;
  }
}

void ThrowTableStoreError() { throw TableStoreError("统计表数据库缺失或损坏\n" + Program().tableStorePath); }

}  // namespace kelvo
