#pragma once
// The texts of a grid, headings included: row 0 and column 0 are cells like any other.
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

enum class InputMode { One, Two };

class CellStore {
 public:
  CellStore() = default;
  CellStore(int rows, int cols);

  int rows() const { return m_rows; }
  int cols() const { return m_cols; }
  bool contains(int row, int col) const {
    return row >= 0 && col >= 0 && row < m_rows && col < m_cols;
  }

  // The empty text outside the grid.
  const std::string& text(int row, int col) const;
  // False (and nothing written) outside the grid.
  bool setText(int row, int col, std::string_view text);

  // New size; texts inside both the old and the new size are kept.
  void resize(int rows, int cols);
  // Every cell, headings included, becomes empty.
  void clear();

 private:
  int m_rows = 0;
  int m_cols = 0;
  std::vector<std::string> m_cells;  // row-major
};

}  // namespace kelvo
