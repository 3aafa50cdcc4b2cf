#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/sample/CellStore.h"
#include "core/sample/GridBuffer.h"
#include "core/settings/ProgramState.h"

namespace kelvo {
namespace {

// Every cell, headings included, holds "o"; changes show as cells that differ from it.
CellStore Filled(int rows, int cols) {
  CellStore store(rows, cols);
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < cols; ++c) store.setText(r, c, "o");
  return store;
}

// The cells that differ from "o", as "r,c=text" in row-major order.
std::vector<std::string> Changes(const CellStore& store) {
  std::vector<std::string> out;
  for (int r = 0; r < store.rows(); ++r)
    for (int c = 0; c < store.cols(); ++c)
      if (store.text(r, c) != "o")
        out.push_back(std::to_string(r) + "," + std::to_string(c) + "=" + store.text(r, c));
  return out;
}

using Cells = std::vector<std::string>;

TEST(BlockTextTest, RowsByCarriageReturnCellsByTab) {
  CellStore store(4, 6);
  const char* texts[2][3] = {{"1", "", "3"}, {"a", "b", "c"}};
  for (int r = 0; r < 2; ++r)
    for (int c = 0; c < 3; ++c) store.setText(r + 1, c + 2, texts[r][c]);
  EXPECT_EQ(BlockText(store, {1, 2, 2, 4}), "1\t\t3\ra\tb\tc");
  EXPECT_EQ(BlockText(store, {2, 3, 2, 3}), "b");
}

TEST(BlockTextTest, ClippedToDataCells) {
  CellStore store = Filled(3, 3);
  EXPECT_EQ(BlockText(store, {0, 0, 5, 5}), "o\to\ro\to");
  EXPECT_EQ(BlockText(store, {3, 1, 4, 2}), "");
  EXPECT_EQ(BlockText(store, {2, 2, 1, 1}), "");
}

struct ClipRow {
  const char* name;
  std::string buffer;
  int r0, c0, rows, cols;
  std::string clipped;
};

class ClipToGridTest : public ::testing::TestWithParam<ClipRow> {};

TEST_P(ClipToGridTest, Clipped) {
  const ClipRow& row = GetParam();
  EXPECT_EQ(ClipToGrid(row.buffer, row.r0, row.c0, row.rows, row.cols), row.clipped);
}

INSTANTIATE_TEST_SUITE_P(
    GridBuffer, ClipToGridTest,
    ::testing::Values(
        ClipRow{"Fits", "a\tb\rc\td", 1, 1, 4, 5, "a\tb\rc\td\r"},
        ClipRow{"EmptyBuffer", "", 1, 1, 3, 3, "\r"},
        ClipRow{"RowsBelowDropped", "a\rb\rc", 2, 1, 3, 4, "a\r"},
        ClipRow{"ColumnsRightDropped", "1\t2\t3\t4", 1, 4, 3, 6, "1\t2\r"},
        ClipRow{"EachRowClippedAlone", "1\t2\t3\r4\t5\t6", 1, 4, 4, 6, "1\t2\r4\t5\r"},
        ClipRow{"TrailingRowSeparatorKept", "a\r", 1, 1, 4, 4, "a\r\r"},
        ClipRow{"OtherBytesKept", std::string("\x01\xff\n\0z", 5), 1, 1, 2, 2,
                std::string("\x01\xff\n\0z\r", 6)},
        ClipRow{"AnchorOnHeadingRow", "a", 0, 1, 3, 3, ""},
        ClipRow{"AnchorOnHeadingColumn", "a", 1, 0, 3, 3, ""},
        ClipRow{"AnchorBelowGrid", "a", 3, 1, 3, 3, ""},
        ClipRow{"AnchorRightOfGrid", "a", 1, 3, 3, 3, ""},
        ClipRow{"NegativeAnchor", "a", -1, -5, 3, 3, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct PasteRow {
  const char* name;
  int rows, cols;
  std::string buffer;
  int r0, c0;
  Cells changes;
};

class PasteTest : public ::testing::TestWithParam<PasteRow> {};

TEST_P(PasteTest, WritesOnlyWhatFits) {
  const PasteRow& row = GetParam();
  CellStore store = Filled(row.rows, row.cols);
  PasteGridBlock(store, row.buffer, row.r0, row.c0);
  EXPECT_EQ(store.rows(), row.rows);
  EXPECT_EQ(store.cols(), row.cols);
  EXPECT_EQ(Changes(store), row.changes);
}

INSTANTIATE_TEST_SUITE_P(
    GridBuffer, PasteTest,
    ::testing::Values(
        PasteRow{"TwoByThreeAtRowOneColumnFive", 4, 10, "a\tb\tc\rd\te\tf", 1, 5,
                 {"1,5=a", "1,6=b", "1,7=c", "2,5=d", "2,6=e", "2,7=f"}},
        PasteRow{"ThreeHighAtLastRow", 3, 5, "a\rb\rc", 2, 1, {"2,1=a"}},
        PasteRow{"FourWideAtColumnBeforeLast", 3, 6, "1\t2\t3\t4", 1, 4, {"1,4=1", "1,5=2"}},
        PasteRow{"EmptyBufferEmptiesCurrentCell", 3, 4, "", 1, 2, {"1,2="}},
        PasteRow{"EmptyCellsWritten", 3, 5, "\tx\t", 1, 1, {"1,1=", "1,2=x", "1,3="}},
        PasteRow{"BlockAtBottomRightCorner", 3, 3, "p\tq\rr\ts", 2, 2, {"2,2=p"}},
        PasteRow{"AtHeadingNothingWritten", 3, 3, "p\tq\rr\ts", 0, 0, {}},
        PasteRow{"OutsideNothingWritten", 3, 3, "p", 7, 1, {}},
        PasteRow{"ThousandsOfColumnsAndRows", 3, 4,
                 std::string(5000, '\t') + std::string(5000, '\r') + "z", 1, 1,
                 {"1,1=", "1,2=", "1,3=", "2,1="}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PasteTest, BytesArriveUnchanged) {
  CellStore store(3, 3);
  const std::string odd("\xe4\xb8\x8d\xff\x00\x1b[2J\n", 10);  // UTF-8, invalid byte, NUL, ESC
  PasteGridBlock(store, odd + "\t" + "\xe4\xb8", 1, 1);
  EXPECT_EQ(store.text(1, 1), odd);
  EXPECT_EQ(store.text(1, 2), "\xe4\xb8");
}

TEST(PasteTest, CopyKeepsTextsAsTheyWere) {
  ProgramState program;
  EXPECT_EQ(program.copyBuffer, "");  // nothing copied yet in a new run
  CellStore source(3, 4), target(3, 4);
  source.setText(1, 1, "1.5");
  source.setText(1, 2, "2.5");
  program.copyBuffer = BlockText(source, {1, 1, 1, 2});
  source.setText(1, 1, "changed");
  PasteGridBlock(target, program.copyBuffer, 2, 2);
  EXPECT_EQ(target.text(2, 2), "1.5");
  EXPECT_EQ(target.text(2, 3), "2.5");
  EXPECT_EQ(program.copyBuffer, "1.5\t2.5");  // paste leaves the buffer alone
}

TEST(WriteClippedTextTest, UnclippedTextStopsAtGridEdge) {
  // Text that was not clipped runs past the last column: the write stops there, the rest
  // of the grid keeps its texts.
  CellStore store = Filled(3, 3);
  WriteClippedText(store, "a\tb\tc\td\re\r", 1, 1);
  EXPECT_EQ(Changes(store), (Cells{"1,1=a", "1,2=b"}));
  // Text after the last separator has no separator to deliver it.
  CellStore other = Filled(3, 3);
  WriteClippedText(other, "a\rb", 1, 1);
  EXPECT_EQ(Changes(other), (Cells{"1,1=a"}));
}

struct DeleteRow {
  const char* name;
  std::string selection;
  int r0, c0, rows, cols;
  int bottom, right;  // expected block corner; top/left are the anchor
};

class DeleteExtentTest : public ::testing::TestWithParam<DeleteRow> {};

TEST_P(DeleteExtentTest, Extent) {
  const DeleteRow& row = GetParam();
  CellBlock b = DeleteBlockExtent(row.selection, row.r0, row.c0, row.rows, row.cols);
  EXPECT_EQ(b.top, row.r0);
  EXPECT_EQ(b.left, row.c0);
  EXPECT_EQ(b.bottom, row.bottom);
  EXPECT_EQ(b.right, row.right);
}

INSTANTIATE_TEST_SUITE_P(
    GridBuffer, DeleteExtentTest,
    ::testing::Values(
        DeleteRow{"SingleCell", "5", 1, 3, 3, 10, 1, 3},
        DeleteRow{"TwoByTwo", "1\t2\r3\t4", 1, 1, 3, 10, 2, 2},
        // A ragged text takes its widest row.
        DeleteRow{"Ragged", "1\r2\t3\t4\r5", 1, 1, 5, 10, 3, 3},
        DeleteRow{"ClampedRight", "\t\t\t\t\t", 1, 7, 3, 10, 1, 9},
        DeleteRow{"ClampedDown", "\r\r\r", 2, 1, 3, 10, 2, 1},
        DeleteRow{"AnchorOnHeadingIsEmpty", "1\t2", 0, 1, 3, 10, -1, 0},
        DeleteRow{"AnchorOutsideIsEmpty", "1", 5, 5, 3, 3, 4, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DeleteGridBlockTest, EmptiesBlockOnly) {
  CellStore store = Filled(4, 5);
  DeleteGridBlock(store, "1\t2\r3\t4", 2, 3);
  EXPECT_EQ(Changes(store), (Cells{"2,3=", "2,4=", "3,3=", "3,4="}));
  CellStore single = Filled(4, 5);
  DeleteGridBlock(single, "x", 1, 1);
  EXPECT_EQ(Changes(single), (Cells{"1,1="}));
  CellStore heading = Filled(4, 5);
  DeleteGridBlock(heading, "x\ty", 0, 0);
  EXPECT_TRUE(Changes(heading).empty());
}

TEST(SampleRowCountTest, RowsWithAHeadingFromRowOne) {
  CellStore store(4, 3);
  EXPECT_EQ(SampleRowCount(store), 0);
  store.setText(1, 0, "数据值");
  EXPECT_EQ(SampleRowCount(store), 1);
  store.setText(3, 0, "X");  // after a row without a heading: not a sample row
  EXPECT_EQ(SampleRowCount(store), 1);
  store.setText(2, 0, "重复值");
  EXPECT_EQ(SampleRowCount(store), 3);
  store.setText(0, 0, "");  // the heading row's own corner does not matter
  EXPECT_EQ(SampleRowCount(store), 3);
}

TEST(CellStoreTest, RefusesCellsOutsideAndKeepsTextsOnResize) {
  CellStore store(2, 3);
  EXPECT_FALSE(store.setText(2, 0, "x"));
  EXPECT_FALSE(store.setText(0, -1, "x"));
  EXPECT_EQ(store.text(-1, 0), "");
  store.setText(1, 2, "kept");
  store.setText(0, 0, "heading");
  store.resize(4, 5);
  EXPECT_EQ(store.text(1, 2), "kept");
  EXPECT_EQ(store.text(0, 0), "heading");
  EXPECT_EQ(store.text(3, 4), "");
  store.resize(1, 1);
  EXPECT_EQ(store.text(0, 0), "heading");
  EXPECT_EQ(store.text(1, 2), "");
}

}  // namespace
}  // namespace kelvo
