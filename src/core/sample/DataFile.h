#pragma once
// The data file of an analysis window: the texts of its grids' sample rows, saved by
// "保存数据…" and read back by "打开数据…".
//
// Format (UTF-8, one record per line, fields separated by commas):
//   # Kelvo 数据, Form9, 输入方式二
//   MSFlexGrid1,1,1.5,2,,4
//   MSFlexGrid1,2,3,1,,2
//   # 结束, 2 行
// The first line names the window class and its input mode (输入方式一, 输入方式二, or
// 输入方式三 for grouped data). Each data line holds a grid's name, a row number (1 = the
// first sample row) and the texts of columns 1, 2, ... up to the last non-empty one; a cell
// is empty or a number. The last line counts the data lines, so a file cut short is known as
// damaged. A byte-order mark and CRLF line ends are accepted.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

// Larger files are refused before they are read: 32767 values of three full rows take well
// under a tenth of this.
constexpr std::size_t kMaxDataFileBytes = 8u << 20;

struct DataFileRow {
  std::string grid;                // the grid's object name, e.g. "MSFlexGrid1"
  int row = 1;                     // 1 = the grid's first data row
  std::vector<std::string> cells;  // columns 1, 2, ...

  bool operator==(const DataFileRow&) const = default;
};

struct DataFileContent {
  std::string window;  // the window class, e.g. "Form9"
  int inputMode = 1;   // 1, 2 or 3
  std::vector<DataFileRow> rows;

  bool operator==(const DataFileContent&) const = default;
};

// The file's text. Refuses (kelvo::InputError) what could not be read back: a cell that is
// not empty and not a number, a grid or window name that is not a plain name, a row number
// below 1, an input mode other than 1 to 3.
std::string FormatDataFile(const DataFileContent& content);

// Reads a file written by FormatDataFile. Everything is checked before anything is returned:
// the size, the encoding, the first and last lines, every row (name, row number, no row twice,
// at most `maxCells` cells in all, every cell empty or numeric). Throws kelvo::InputError
// naming the line at fault.
DataFileContent ParseDataFile(std::string_view text, std::size_t maxCells);

// "输入方式一" for 1 and so on.
std::string InputModeName(int inputMode);

}  // namespace kelvo
