#pragma once
// Text from outside the program (the system clipboard, a CSV or plain-text file) turned into a
// rectangular block of cell texts, checked before any cell of a grid is touched.
//
// Rules:
// - The text must be UTF-8 (a leading byte-order mark is dropped) without NUL bytes.
// - Rows end at a line feed, a carriage return or both; empty lines at the end are dropped.
// - Clipboard text (a spreadsheet's copy): cells are separated by tabs; an empty line inside
//   the block is a row of one empty cell.
// - File text: cells are separated by tabs if the data holds any, else by semicolons, else by
//   commas, else by runs of blanks. Empty lines and lines starting with '#' are skipped. A
//   cell may be quoted ("1.5", with "" for a quote inside).
// - Blanks around a cell are dropped. A cell is empty or a number (IsNumericText); a number
//   written with a decimal comma ("1,5") is refused with its own message.
// - Every row has the same number of cells (empty cells may fill a shorter sample).
// - The byte count is checked before anything else and the cell count while splitting, so
//   text of any size costs at most one pass over its first cells.
// Every refusal throws kelvo::InputError with a Chinese message naming the line and the cell.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/sample/CellStore.h"

namespace kelvo {

enum class TextLayout { Clipboard, File };

struct TextBlock {
  int rows = 0;
  int cols = 0;
  std::vector<std::string> cells;  // row-major, rows * cols texts
  const std::string& at(int row, int col) const {
    return cells[static_cast<std::size_t>(row) * cols + col];
  }
};

struct BlockLimits {
  std::size_t maxBytes = 0;
  std::size_t maxCells = 0;
};

TextBlock ParseDelimitedText(std::string_view text, TextLayout layout, const BlockLimits& limits);

// Refuses (InputError) text that is not UTF-8 or holds a NUL byte; `what` names the source in
// the message ("数据", "文件").
void CheckTextEncoding(std::string_view text, std::string_view what);

// Refuses a cell that is neither empty nor a number; `line` and `column` (1-based) name it.
void CheckCellText(std::string_view text, int line, int column);

// A cell's text for a message: at most 20 characters, control characters shown as '?'.
std::string QuotedForMessage(std::string_view text);

// A block of one column (one value per line) laid out as one row; other blocks unchanged.
TextBlock ColumnAsRow(TextBlock block);

// Refuses a block larger than `rows` x `cols` cells (the room a grid offers for it).
void CheckBlockFits(const TextBlock& block, int rows, int cols);

// A block as it goes into `rows` x `cols` cells of room: a single column (a sample kept as a
// column in a spreadsheet or a file) laid out along the row, then refused if it does not fit.
TextBlock LaidOutForGrid(TextBlock block, int rows, int cols);

// Writes the block with its top left cell at (row, col); cells outside the store are skipped
// (callers check the fit first).
void WriteBlock(CellStore& store, const TextBlock& block, int row, int col);

}  // namespace kelvo
