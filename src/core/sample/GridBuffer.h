#pragma once
// Copying, pasting and deleting blocks of grid cells through the program's own text buffer.
// Buffer format: cell texts of a block row by row, a tab between the cells of a row, a
// carriage return between rows, no separator after the last cell.
#include <string>
#include <string_view>

#include "core/sample/CellStore.h"

namespace kelvo {

// A rectangle of data cells, bounds inclusive. A block with bottom < top or right < left
// holds no cell.
struct CellBlock {
  int top = 0;
  int left = 0;
  int bottom = -1;
  int right = -1;
};

bool IsEmptyBlock(CellBlock block);

// The text a copy stores: the block's cells, clipped to the data cells of the grid (headings
// are never copied). An empty block, or one wholly outside, gives the empty text.
std::string BlockText(const CellStore& store, CellBlock block);

// True when (row, col) is a data cell of a grid of rows x cols cells (headings excluded).
bool IsDataCell(int row, int col, int rows, int cols);

// The rows that take data: rows 1, 2, ... as long as they carry a heading in column 0. A row
// without one (the repeat row in input mode one) is not read by any computation.
int SampleRowCount(const CellStore& store);

// The part of the buffer that fits into a rows x cols grid when pasted at (r0, c0): cells
// right of the last column and rows below the last row are dropped, and a carriage return
// ends the result. An anchor that is not a data cell gives the empty text (nothing fits).
std::string ClipToGrid(std::string_view buffer, int r0, int c0, int rows, int cols);

// Writes a clipped text cell by cell from (r0, c0): every tab or carriage return delivers
// the text collected since the last one; text after the last separator is not written.
// Stops at the first cell that cannot be written; writes nothing at a heading or outside.
void WriteClippedText(CellStore& store, std::string_view clipped, int r0, int c0);

void PasteGridBlock(CellStore& store, std::string_view buffer, int r0, int c0);

// The block a delete empties: the size of the selection text, starting at (r0, c0), clamped
// to the grid. Empty when the anchor is not a data cell.
CellBlock DeleteBlockExtent(std::string_view selectionText, int r0, int c0, int rows, int cols);

void DeleteGridBlock(CellStore& store, std::string_view selectionText, int r0, int c0);

}  // namespace kelvo
