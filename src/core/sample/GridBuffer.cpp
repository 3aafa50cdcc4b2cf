#include "core/sample/GridBuffer.h"

#include <algorithm>
#include <cstdint>

namespace kelvo {
namespace {

constexpr char kCellSeparator = '\t';
constexpr char kRowSeparator = '\r';

}  // namespace

bool IsEmptyBlock(CellBlock block) { return block.bottom < block.top || block.right < block.left; }

bool IsDataCell(int row, int col, int rows, int cols) {
  return row >= 1 && col >= 1 && row < rows && col < cols;
}

int SampleRowCount(const CellStore& store) {
  int rows = 0;
  while (rows + 1 < store.rows() && !store.text(rows + 1, 0).empty()) ++rows;
  return rows;
}

std::string BlockText(const CellStore& store, CellBlock block) {
  CellBlock b{std::max(block.top, 1), std::max(block.left, 1),
              std::min(block.bottom, store.rows() - 1), std::min(block.right, store.cols() - 1)};
  std::string out;
  if (IsEmptyBlock(b)) return out;
  for (int r = b.top; r <= b.bottom; ++r) {
    if (r > b.top) out.push_back(kRowSeparator);
    for (int c = b.left; c <= b.right; ++c) {
      if (c > b.left) out.push_back(kCellSeparator);
      out += store.text(r, c);
    }
  }
  return out;
}

std::string ClipToGrid(std::string_view buffer, int r0, int c0, int rows, int cols) {
  std::string out;
  if (!IsDataCell(r0, c0, rows, cols)) return out;
  out.reserve(std::min<std::size_t>(buffer.size(), 1 << 20) + 1);
  // 64-bit counters: a buffer may hold more separators than an int can count.
  std::int64_t r = r0;
  std::int64_t c = c0;
  bool keep = true;
  for (char ch : buffer) {
    if (ch == kCellSeparator) {
      ++c;
      if (c >= cols) keep = false;
    } else if (ch == kRowSeparator) {
      ++r;
      if (r >= rows) break;
      c = c0;
      keep = true;
    }
    if (keep) out.push_back(ch);
  }
  out.push_back(kRowSeparator);
  return out;
}

void WriteClippedText(CellStore& store, std::string_view clipped, int r0, int c0) {
  if (!IsDataCell(r0, c0, store.rows(), store.cols())) return;
  int r = r0;
  int c = c0;
  std::size_t cellStart = 0;
  for (std::size_t i = 0; i < clipped.size(); ++i) {
    char ch = clipped[i];
    if (ch != kCellSeparator && ch != kRowSeparator) continue;
    // setText refuses cells outside the grid; r and c only grow from a data cell, so a
    // refusal means the text ran past the grid and the paste ends there.
    if (!store.setText(r, c, clipped.substr(cellStart, i - cellStart))) return;
    cellStart = i + 1;
    if (ch == kRowSeparator) {
      ++r;
      c = c0;
      if (r >= store.rows()) return;
    } else {
      ++c;
    }
  }
}

void PasteGridBlock(CellStore& store, std::string_view buffer, int r0, int c0) {
  WriteClippedText(store, ClipToGrid(buffer, r0, c0, store.rows(), store.cols()), r0, c0);
}

CellBlock DeleteBlockExtent(std::string_view selectionText, int r0, int c0, int rows, int cols) {
  if (!IsDataCell(r0, c0, rows, cols)) return CellBlock{r0, c0, r0 - 1, c0 - 1};
  std::int64_t r = r0, c = c0, endRow = r0, endCol = c0;
  for (char ch : selectionText) {
    if (ch == kCellSeparator) {
      ++c;
      endCol = std::max(endCol, c);
    } else if (ch == kRowSeparator) {
      ++r;
      endRow = std::max(endRow, r);
      c = c0;
    }
  }
  if (endCol >= cols) endCol = cols - 1;
  if (endRow >= rows) endRow = rows - 1;
  return CellBlock{r0, c0, static_cast<int>(endRow), static_cast<int>(endCol)};
}

void DeleteGridBlock(CellStore& store, std::string_view selectionText, int r0, int c0) {
  CellBlock b = DeleteBlockExtent(selectionText, r0, c0, store.rows(), store.cols());
  for (int r = b.top; r <= b.bottom; ++r)
    for (int c = b.left; c <= b.right; ++c) store.setText(r, c, {});
}

}  // namespace kelvo
