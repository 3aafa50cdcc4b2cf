#include "core/sample/DelimitedText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/Errors.h"

namespace kelvo {
namespace {

using Cells = std::vector<std::string>;

constexpr BlockLimits kRoomy{1 << 20, 10000};

struct Accepted {
  const char* name;
  std::string text;
  TextLayout layout;
  int rows;
  int cols;
  Cells cells;
};

class AcceptedText : public testing::TestWithParam<Accepted> {};

TEST_P(AcceptedText, GivesTheBlock) {
  const Accepted& c = GetParam();
  const TextBlock block = ParseDelimitedText(c.text, c.layout, kRoomy);
  EXPECT_EQ(block.rows, c.rows);
  EXPECT_EQ(block.cols, c.cols);
  EXPECT_EQ(block.cells, c.cells);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, AcceptedText,
    testing::Values(
        Accepted{"SpreadsheetCopyWithCrlf",
                 "1\t2.5\t-3\r\n4\t5\t6\r\n",
                 TextLayout::Clipboard,
                 2,
                 3,
                 {"1", "2.5", "-3", "4", "5", "6"}},
        Accepted{"ClipboardRowOfEmptyCells",
                 "1\t2\r\n\t\r\n",
                 TextLayout::Clipboard,
                 2,
                 2,
                 {"1", "2", "", ""}},
        Accepted{"ClipboardColumnWithAnEmptyCell",
                 "1\n\n3\n\n\n",
                 TextLayout::Clipboard,
                 3,
                 1,
                 {"1", "", "3"}},
        Accepted{"ClipboardByteOrderMarkAndBlanks",
                 "\xEF\xBB\xBF 1 \t 2\n",
                 TextLayout::Clipboard,
                 1,
                 2,
                 {"1", "2"}},
        Accepted{"ClipboardLoneCarriageReturns",
                 "1\t2\r3\t4",
                 TextLayout::Clipboard,
                 2,
                 2,
                 {"1", "2", "3", "4"}},
        Accepted{"FileCommas",
                 "1, 2,3\n4,5 ,6\n",
                 TextLayout::File,
                 2,
                 3,
                 {"1", "2", "3", "4", "5", "6"}},
        Accepted{"FileSemicolons", "1.5;2;3\r\n", TextLayout::File, 1, 3, {"1.5", "2", "3"}},
        Accepted{"FileTabsWin", "1\t2\n3\t4", TextLayout::File, 2, 2, {"1", "2", "3", "4"}},
        Accepted{"FileBlanks",
                 "  1   2 3\n4 5 6  \n",
                 TextLayout::File,
                 2,
                 3,
                 {"1", "2", "3", "4", "5", "6"}},
        Accepted{"FileCommentsAndEmptyLines",
                 "# 样本, 单位 cm\n\n1,2\n  \n3,4\n\n",
                 TextLayout::File,
                 2,
                 2,
                 {"1", "2", "3", "4"}},
        Accepted{"FileQuotedCells",
                 "\"1.5\",\"2\"\n\"3\", 4\n",
                 TextLayout::File,
                 2,
                 2,
                 {"1.5", "2", "3", "4"}},
        Accepted{"FileEmptyCellsPadAShortSample",
                 "1,2,3\n4,,\n",
                 TextLayout::File,
                 2,
                 3,
                 {"1", "2", "3", "4", "", ""}},
        Accepted{"FileOneValuePerLine", "7\n8\n9\n", TextLayout::File, 3, 1, {"7", "8", "9"}}),
    [](const testing::TestParamInfo<Accepted>& info) { return std::string(info.param.name); });

struct Refused {
  const char* name;
  std::string text;
  TextLayout layout;
  BlockLimits limits;
  std::string message;  // the whole message, or a part of it when `whole` is false
  bool whole;
};

class RefusedText : public testing::TestWithParam<Refused> {};

TEST_P(RefusedText, NamesTheFault) {
  const Refused& c = GetParam();
  try {
    ParseDelimitedText(c.text, c.layout, c.limits);
    FAIL() << "accepted";
  } catch (const InputError& e) {
    if (c.whole)
      EXPECT_EQ(std::string(e.what()), c.message);
    else
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RefusedText,
    testing::Values(
        Refused{"DecimalCommaInSpreadsheetCopy", "1\t1,5\t2\n", TextLayout::Clipboard, kRoomy,
                "第 1 行第 2 列的“1,5”含有小数逗号，请改用小数点", true},
        Refused{"DecimalCommaWithSemicolons", "1;2\n3;4,25\n", TextLayout::File, kRoomy,
                "第 2 行第 2 列的“4,25”含有小数逗号，请改用小数点", true},
        Refused{"NonNumericCell", "1\t2\nabc\t4\n", TextLayout::Clipboard, kRoomy,
                "第 2 行第 1 列的“abc”不是数值", true},
        Refused{"NonNumericLineNumberCountsComments", "# 头\n1,2\nx,3\n", TextLayout::File, kRoomy,
                "第 3 行第 1 列的“x”不是数值", true},
        Refused{"RaggedRows", "1,2,3\n4,5\n", TextLayout::File, kRoomy,
                "第 2 行有 2 个数据，第 1 行有 3 个：各行的数据个数必须相同（空缺处可留空单元格）",
                true},
        Refused{"RaggedClipboard", "1\t2\n3\n", TextLayout::Clipboard, kRoomy, "第 2 行有 1 个数据",
                false},
        Refused{"NulByte", std::string("1,2\n3,\0", 7), TextLayout::File, kRoomy, "不是文本",
                false},
        Refused{"NotUtf8", "1,2\n\xD1\xF9\xB1\xBE,3\n", TextLayout::File, kRoomy,
                "文件不是 UTF-8 编码的文本（第 2 行）", false},
        Refused{"OverlongUtf8", "1\t\xC0\xB1\n", TextLayout::Clipboard, kRoomy, "不是 UTF-8",
                false},
        Refused{"TooManyBytes", std::string(2049, '1'), TextLayout::Clipboard,
                BlockLimits{2048, 100}, "数据太大（3 KB），最多只能接受 2 KB", true},
        Refused{"TooManyCells", "1,2,3\n4,5,6\n7,8,9\n", TextLayout::File, BlockLimits{1000, 8},
                "数据太多：超过表格能容纳的 8 个数据", true},
        Refused{"NothingButComments", "# 只有注释\n\n", TextLayout::File, kRoomy, "文件中没有数据",
                true},
        Refused{"EmptyClipboard", "\r\n", TextLayout::Clipboard, kRoomy, "数据中没有数据", true}),
    [](const testing::TestParamInfo<Refused>& info) { return std::string(info.param.name); });

TEST(DelimitedTextTest, LongCellIsShortenedInTheMessage) {
  const std::string cell = "数" + std::string(200, 'x') + "\x01";
  try {
    ParseDelimitedText("1\t" + cell, TextLayout::Clipboard, kRoomy);
    FAIL() << "accepted";
  } catch (const InputError& e) {
    EXPECT_EQ(std::string(e.what()), "第 1 行第 2 列的“数" + std::string(19, 'x') + "…”不是数值");
  }
  EXPECT_EQ(QuotedForMessage("a\tb"), "“a?b”");
}

TEST(DelimitedTextTest, OneHugeLineStopsAtTheCellLimit) {
  // Four million cells in one line against a limit of 100: refused for their number. How long
  // the refusal takes is measured in bench_import.
  std::string text;
  text.reserve(8u << 20);
  for (int i = 0; i < 4'000'000; ++i) text += "1\t";
  try {
    ParseDelimitedText(text, TextLayout::Clipboard, BlockLimits{16u << 20, 100});
    FAIL() << "accepted";
  } catch (const InputError& e) {
    EXPECT_EQ(std::string(e.what()), "数据太多：超过表格能容纳的 100 个数据");
  }
}

TEST(DelimitedTextTest, ColumnBecomesOneRow) {
  TextBlock column = ParseDelimitedText("1\n2\n3\n", TextLayout::File, kRoomy);
  TextBlock row = ColumnAsRow(column);
  EXPECT_EQ(row.rows, 1);
  EXPECT_EQ(row.cols, 3);
  EXPECT_EQ(row.at(0, 2), "3");
  TextBlock square = ColumnAsRow(ParseDelimitedText("1,2\n3,4\n", TextLayout::File, kRoomy));
  EXPECT_EQ(square.rows, 2);
  EXPECT_EQ(square.at(1, 0), "3");
}

TEST(DelimitedTextTest, FitIsCheckedOnBothSides) {
  const TextBlock block = ParseDelimitedText("1\t2\t3\n4\t5\t6\n", TextLayout::Clipboard, kRoomy);
  EXPECT_NO_THROW(CheckBlockFits(block, 2, 3));
  EXPECT_THROW(CheckBlockFits(block, 1, 3), InputError);
  try {
    CheckBlockFits(block, 2, 2);
    FAIL() << "fits";
  } catch (const InputError& e) {
    EXPECT_EQ(std::string(e.what()), "数据有 2 行、每行 3 个，超出表格能放下的 2 行、每行 2 个");
  }
}

// Clipboard text against the room a grid offers from the target cell: the shape that goes in,
// or the refusal naming that room.
TEST(DelimitedTextTest, BlockIsLaidOutForItsRoom) {
  struct Case {
    const char* name;
    const char* text;
    int rows, cols;        // the room
    int laidRows, laidCols;  // the block written, when accepted
    std::string message;     // the refusal, else empty
  };
  const Case cases[] = {
      {"column goes along the row", "4\n5\n6\n", 1, 100, 1, 3, ""},
      {"column goes along the row with rows to spare", "4\n5\n", 2, 100, 1, 2, ""},
      {"row stays a row", "4\t5\t6\n", 2, 3, 1, 3, ""},
      {"block keeps its shape", "1\t2\n3\t4\n", 2, 2, 2, 2, ""},
      {"single value", "7", 1, 1, 1, 1, ""},
      {"column longer than the row", "1\n2\n3\n", 2, 2, 0, 0, "数据有 3 个，超出表格一行能放下的 2 个"},
      {"two rows into one", "1\t2\n3\t4\n", 1, 100, 0, 0,
       "数据有 2 行、每行 2 个，超出表格能放下的 1 行、每行 100 个"},
  };
  for (const Case& c : cases) {
    const TextBlock parsed = ParseDelimitedText(c.text, TextLayout::Clipboard, kRoomy);
    try {
      const TextBlock laid = LaidOutForGrid(parsed, c.rows, c.cols);
      EXPECT_EQ(c.message, "") << c.name;
      EXPECT_EQ(laid.rows, c.laidRows) << c.name;
      EXPECT_EQ(laid.cols, c.laidCols) << c.name;
      EXPECT_EQ(laid.cells, parsed.cells) << c.name;  // row-major order is kept
    } catch (const InputError& e) {
      EXPECT_EQ(std::string(e.what()), c.message) << c.name;
    }
  }
}

TEST(DelimitedTextTest, BlockIsWrittenFromItsCorner) {
  CellStore store(4, 5);
  store.setText(1, 1, "keep");
  const TextBlock block = ParseDelimitedText("1\t\n3\t4\n", TextLayout::Clipboard, kRoomy);
  store.setText(2, 3, "old");
  WriteBlock(store, block, 2, 2);
  EXPECT_EQ(store.text(1, 1), "keep");
  EXPECT_EQ(store.text(2, 2), "1");
  EXPECT_EQ(store.text(2, 3), "");  // an empty cell of the block empties the grid's cell
  EXPECT_EQ(store.text(3, 2), "3");
  EXPECT_EQ(store.text(3, 3), "4");
}

}  // namespace
}  // namespace kelvo
