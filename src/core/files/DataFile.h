#pragma once
// The data file of an analysis window: the texts of its grids' sample rows and the window's
// settings (level, known values, hypothesis, ...), saved by "保存数据…" and read back by
// "打开数据…"; another window takes the sample rows alone.
//
// Format (UTF-8, one record per line, fields separated by commas):
//   # Kelvo 数据, Form4, 输入方式一, 版本 2
//   # 窗口, 2, 单个正态分布检验μ(σ未知)
//   # 设置, level, 0.05
//   # 设置, hypothesis, 0
//   MSFlexGrid1,1,1.5,2,,4
//   MSFlexGrid1,2,3.1 2.9 3.3,2.5 2.7
//   # 结束, 5 行
// The first line names the window class, its input mode (输入方式一, 输入方式二, or
// 输入方式三 for grouped data) and the format's version. The "# 窗口" line gives the window's
// mode number (0: none) and its caption; each "# 设置" line one setting, its text running to
// the end of the line. Other lines beginning with "# " are left for later versions and
// skipped. Each data line holds a grid's name, a row number (1 = the first sample row) and the
// texts of columns 1, 2, ... up to the last non-empty one; a cell is empty, a number, or
// numbers separated by single blanks (the repeated observations of a cell; a list typed with
// commas is written with blanks). Whether a grid takes a list is the window's business. The
// last line counts the lines between the first and itself, so a file cut short is known as
// damaged. Files of the first version have no version field, no "# " lines but the first and
// the last, and so no settings. A byte-order mark and CRLF line ends are accepted.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/settings/SettingList.h"

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

// The input modes a file names: 输入方式一, 输入方式二, and 输入方式三 for grouped data (class
// bounds and counts). The numbers are those of the windows' options Option1 to Option3.
enum class DataInputMode { One = 1, Two = 2, Grouped = 3 };

// The version FormatDataFile writes.
constexpr int kDataFileVersion = 2;

struct DataFileContent {
  std::string window;  // the window class, e.g. "Form9"
  DataInputMode inputMode = DataInputMode::One;
  int version = kDataFileVersion;  // 1: a file of the first version, without the lines below
  int windowMode = 0;              // the window's mode number; 0: none or not recorded
  std::string title;               // the window's caption; empty when not recorded
  SettingList settings;
  std::vector<DataFileRow> rows;

  bool operator==(const DataFileContent&) const = default;
};

// The file's text, in the current version. Refuses (kelvo::InputError) what could not be read
// back: a cell that is not empty, not a number and not a list of numbers, a grid, window or setting name that is not
// a plain name, a caption or setting text with a line break or other control character, a row
// number below 1, an input mode that is none of the three.
std::string FormatDataFile(const DataFileContent& content);

// Reads a file written by FormatDataFile, of this version or the first. Everything is checked
// before anything is returned: the size, the encoding, the first and last lines, the window
// line and the settings (each name once), every row (name, row number, no row twice, at most
// `maxCells` cells in all, every cell empty, numeric or a list of numbers). Throws kelvo::InputError naming the
// line at fault, or saying that a later version of the program wrote the file.
DataFileContent ParseDataFile(std::string_view text, std::size_t maxCells);

// "输入方式一" for DataInputMode::One and so on.
std::string InputModeName(DataInputMode inputMode);

// Whether a text begins as a data file does (after a byte-order mark): a file to be read as
// one, not as a table of numbers.
bool LooksLikeDataFile(std::string_view text);

}  // namespace kelvo
