// libFuzzer target: arbitrary bytes as clipboard text, as an imported file and as a window's
// data file. Checked: nothing crashes, every refusal is an InputError, an accepted block is
// rectangular with only empty or numeric cells and is written exactly where it fits, and a
// data file that opens is written back to a text that opens to the same content.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "FuzzCheck.h"
#include "core/sample/CellStore.h"
#include "core/files/DataFile.h"
#include "core/sample/DelimitedText.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"

using namespace kelvo;

namespace {

constexpr int kRows = 4;
constexpr int kCols = 40;

void CheckBlock(std::string_view text, TextLayout layout) {
  const BlockLimits limits{1 << 16, 200};
  TextBlock block;
  try {
    block = ParseDelimitedText(text, layout, limits);
  } catch (const InputError&) {
    return;
  }
  CHECK(text.size() <= limits.maxBytes);
  CHECK(block.rows > 0 && block.cols > 0);
  CHECK(block.cells.size() == static_cast<std::size_t>(block.rows) * block.cols);
  CHECK(block.cells.size() <= limits.maxCells);
  for (const std::string& cell : block.cells) CHECK(cell.empty() || IsNumericText(cell));

  const TextBlock row = ColumnAsRow(block);
  CHECK(row.cells == block.cells);
  bool fits = true;
  try {
    CheckBlockFits(row, kRows - 1, kCols - 1);
  } catch (const InputError&) {
    fits = false;
  }
  CHECK(fits == (row.rows <= kRows - 1 && row.cols <= kCols - 1));
  if (!fits) return;
  CellStore store(kRows, kCols);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) store.setText(r, c, "o");
  WriteBlock(store, row, 1, 1);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kCols; ++c) {
      const bool inside = r >= 1 && c >= 1 && r <= row.rows && c <= row.cols;
      CHECK(store.text(r, c) == (inside ? row.at(r - 1, c - 1) : std::string("o")));
    }
}

// Empty, a number, or numbers separated by single blanks.
bool IsDataFileCell(std::string_view cell) {
  if (cell.empty() || IsNumericText(cell)) return true;
  std::size_t parts = 0;
  for (std::size_t start = 0;;) {
    const std::size_t blank = cell.find(' ', start);
    const std::string_view part = cell.substr(start, blank - start);
    if (part.empty() || !IsNumericText(part)) return false;
    ++parts;
    if (blank == std::string_view::npos) return parts >= 2;
    start = blank + 1;
  }
}

void CheckDataFile(std::string_view text) {
  DataFileContent content;
  try {
    content = ParseDataFile(text, 500);
  } catch (const InputError&) {
    return;
  }
  std::size_t cells = 0;
  for (const DataFileRow& row : content.rows) {
    CHECK(row.row >= 1);
    cells += row.cells.size();
    for (const std::string& cell : row.cells) CHECK(IsDataFileCell(cell));
  }
  CHECK(cells <= 500);
  // Whatever was read is written in the current version, and reads back the same.
  const std::string written = FormatDataFile(content);
  DataFileContent current = content;
  current.version = kDataFileVersion;
  CHECK(ParseDataFile(written, 500) == current);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckBlock(text, TextLayout::Clipboard);
  CheckBlock(text, TextLayout::File);
  CheckDataFile(text);
  return 0;
}
