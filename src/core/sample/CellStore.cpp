#include "core/sample/CellStore.h"

#include <algorithm>

namespace kelvo {

CellStore::CellStore(int rows, int cols) { resize(rows, cols); }

const std::string& CellStore::text(int row, int col) const {
  static const std::string empty;
  if (!contains(row, col)) return empty;
  return m_cells[static_cast<std::size_t>(row) * m_cols + col];
}

bool CellStore::setText(int row, int col, std::string_view text) {
  if (!contains(row, col)) return false;
  m_cells[static_cast<std::size_t>(row) * m_cols + col].assign(text);
  return true;
}

void CellStore::resize(int rows, int cols) {
  rows = std::max(rows, 0);
  cols = std::max(cols, 0);
  std::vector<std::string> cells(static_cast<std::size_t>(rows) * cols);
  for (int r = 0; r < std::min(rows, m_rows); ++r)
    for (int c = 0; c < std::min(cols, m_cols); ++c)
      cells[static_cast<std::size_t>(r) * cols + c] =
          std::move(m_cells[static_cast<std::size_t>(r) * m_cols + c]);
  m_cells = std::move(cells);
  m_rows = rows;
  m_cols = cols;
}

void CellStore::clear() {
  for (auto& cell : m_cells) cell.clear();
}

}  // namespace kelvo
