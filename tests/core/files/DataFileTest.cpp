#include "core/files/DataFile.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text/Errors.h"

namespace kelvo {
namespace {

DataFileContent TwoGrids() {
  DataFileContent content;
  content.window = "Form5";
  content.inputMode = DataInputMode::Two;
  content.title = "分布拟和检验, 第 2 题";  // a comma and blank in a caption stay in it
  content.settings.set("entry", "9");
  content.settings.set("level", "");
  content.settings.set("note", "a, b,c ");
  content.rows = {{"MSFlexGrid1", 1, {"1.5", "", "-2", "3e2"}},
                  {"MSFlexGrid1", 2, {"4", "", "1", "1"}},
                  {"MSFlexGrid2", 1, {"0", "1"}},
                  {"MSFlexGrid2", 2, {".5", " .5 "}}};
  return content;
}

TEST(DataFileTest, WrittenFileHasTheDocumentedShape) {
  DataFileContent content;
  content.window = "Form4";
  content.inputMode = DataInputMode::One;
  content.windowMode = 2;
  content.title = "单个正态分布检验μ(σ未知)";
  content.settings.set("level", "0.05");
  content.settings.set("hypothesis", "0");
  content.rows = {{"MSFlexGrid1", 1, {"1", "", "2.5"}}};
  EXPECT_EQ(FormatDataFile(content),
            "# Kelvo 数据, Form4, 输入方式一, 版本 2\n# 窗口, 2, 单个正态分布检验μ(σ未知)\n"
            "# 设置, level, 0.05\n# 设置, hypothesis, 0\nMSFlexGrid1,1,1,,2.5\n# 结束, 4 行\n");
}

TEST(DataFileTest, FileOfTheFirstVersionStillOpens) {
  // As the first version wrote it: no version field, no window line, no settings.
  const DataFileContent content = ParseDataFile(
      "# Kelvo 数据, Form9, 输入方式二\nMSFlexGrid1,1,1,2\nMSFlexGrid1,2,3,4\n# 结束, 2 行\n", 100);
  DataFileContent expected;
  expected.version = 1;
  expected.window = "Form9";
  expected.inputMode = DataInputMode::Two;
  expected.rows = {{"MSFlexGrid1", 1, {"1", "2"}}, {"MSFlexGrid1", 2, {"3", "4"}}};
  EXPECT_EQ(content, expected);
}

TEST(DataFileTest, NotesOfALaterVersionAreSkippedButALaterFormatIsRefused) {
  const DataFileContent content = ParseDataFile(
      "# Kelvo 数据, Form7, 输入方式一, 版本 2\n# 窗口, 0, 秩和检验\n# 颜色, "
      "红\nMSFlexGrid1,1,5\n# 结束, 3 行\n",
      100);
  EXPECT_EQ(content.title, "秩和检验");
  EXPECT_EQ(content.rows.size(), 1u);
  EXPECT_TRUE(content.settings.empty());
  try {
    ParseDataFile("# Kelvo 数据, Form7, 输入方式一, 版本 3\n# 结束, 0 行\n", 100);
    FAIL() << "opened";
  } catch (const InputError& e) {
    EXPECT_EQ(std::string(e.what()), "这个数据文件是较新版本的 Kelvo 保存的，本程序不能打开");
  }
}

TEST(DataFileTest, RoundTripGivesTheSameContent) {
  const DataFileContent content = TwoGrids();
  EXPECT_EQ(ParseDataFile(FormatDataFile(content), 1000), content);
  DataFileContent empty;
  empty.window = "Form7";
  empty.inputMode = DataInputMode::Grouped;
  EXPECT_EQ(ParseDataFile(FormatDataFile(empty), 1000), empty);
}

TEST(DataFileTest, ByteOrderMarkAndCrlfAreAccepted) {
  std::string text = FormatDataFile(TwoGrids());
  std::string windows = "\xEF\xBB\xBF";
  for (char ch : text) {
    if (ch == '\n') windows += '\r';
    windows += ch;
  }
  EXPECT_EQ(ParseDataFile(windows + "\r\n", 1000), TwoGrids());
}

TEST(DataFileTest, SavingRefusesWhatCouldNotBeOpened) {
  DataFileContent content = TwoGrids();
  content.rows[1].cells[2] = "abc";
  try {
    FormatDataFile(content);
    FAIL() << "saved";
  } catch (const InputError& e) {
    EXPECT_EQ(std::string(e.what()), "第 2 行第 3 列的“abc”不是数值，不能保存");
  }
  // Neither a number nor a list of numbers.
  for (const char* cell : {"1,x", ",", "1 2a"}) {
    content = TwoGrids();
    content.rows[0].cells[0] = cell;
    EXPECT_THROW(FormatDataFile(content), InputError) << cell;
  }
  content = TwoGrids();
  content.rows[0].grid = "MS,Grid";
  EXPECT_THROW(FormatDataFile(content), InputError);
  content = TwoGrids();
  content.inputMode = static_cast<DataInputMode>(4);
  EXPECT_THROW(FormatDataFile(content), InputError);
  // A line break in a text would end its line early when read back.
  content = TwoGrids();
  content.settings.set("level", "0.05\n# 结束, 0 行");
  EXPECT_THROW(FormatDataFile(content), InputError);
  content = TwoGrids();
  content.title = "a\rb";
  EXPECT_THROW(FormatDataFile(content), InputError);
  content = TwoGrids();
  content.settings.set("two words", "1");
  EXPECT_THROW(FormatDataFile(content), InputError);
}

// The repeated observations of a cell: written with single blanks, read back as written.
TEST(DataFileTest, ListCellsAreWrittenWithBlanksAndReadBack) {
  const struct {
    const char* typed;
    const char* written;
  } cases[] = {{"3.1 2.9 3.3", "3.1 2.9 3.3"},
               {"3.1,2.9", "3.1 2.9"},
               {" 3.1 ,  -2.9e1,3. ", "3.1 -2.9e1 3."},
               {"1\t2", "1 2"}};
  for (const auto& c : cases) {
    DataFileContent content;
    content.window = "FormAnova";
    content.inputMode = DataInputMode::Grouped;
    content.rows = {{"MSFlexGrid1", 1, {"4", c.typed, ""}}, {"MSFlexGrid1", 2, {c.typed}}};
    const std::string text = FormatDataFile(content);
    EXPECT_NE(text.find("MSFlexGrid1,1,4," + std::string(c.written) + ",\n"), std::string::npos)
        << text;
    content.rows[0].cells[1] = content.rows[1].cells[0] = c.written;
    EXPECT_EQ(ParseDataFile(text, 100), content) << c.typed;
  }
}

struct Damage {
  const char* name;
  std::string text;
  std::string message;  // a part of the message
};

class DamagedFile : public testing::TestWithParam<Damage> {};

TEST_P(DamagedFile, IsRefusedWithItsLine) {
  try {
    ParseDataFile(GetParam().text, 50);
    FAIL() << "opened";
  } catch (const InputError& e) {
    EXPECT_NE(std::string(e.what()).find(GetParam().message), std::string::npos) << e.what();
  }
}

const std::string kGood =
    "# Kelvo 数据, Form9, 输入方式二\nMSFlexGrid1,1,1,2\nMSFlexGrid1,2,3,4\n# 结束, 2 行\n";
const std::string kHeader2 = "# Kelvo 数据, Form4, 输入方式一, 版本 2\n";

INSTANTIATE_TEST_SUITE_P(
    Faults, DamagedFile,
    testing::Values(
        Damage{"Empty", "", "（第 1 行）：文件是空的"},
        Damage{"SpreadsheetCsv", "1,2,3\n4,5,6\n", "（第 1 行）：缺少文件头"},
        Damage{"UnknownMode", "# Kelvo 数据, Form9, 输入方式九\n# 结束, 0 行\n", "未知的输入方式"},
        Damage{"BadWindowName", "# Kelvo 数据, Form 9, 输入方式一\n# 结束, 0 行\n",
               "文件头格式不对"},
        // A write cut short loses the end line, or part of the last data line with it.
        Damage{"CutAfterARow", kGood.substr(0, kGood.find("MSFlexGrid1,2")),
               "（第 2 行）：缺少结束行"},
        Damage{"CutInsideTheEndLine", kGood.substr(0, kGood.size() - 4), "数据行数与结束行不符"},
        Damage{"RowLost", "# Kelvo 数据, Form9, 输入方式二\nMSFlexGrid1,1,1,2\n# 结束, 2 行\n",
               "（第 3 行）：数据行数与结束行不符"},
        Damage{"RowTwice",
               "# Kelvo 数据, Form9, 输入方式二\nMSFlexGrid1,1,1\nMSFlexGrid1,1,2\n# 结束, 2 行\n",
               "（第 3 行）：同一行出现了两次"},
        Damage{"RowZero", "# Kelvo 数据, Form9, 输入方式一\nMSFlexGrid1,0,1\n# 结束, 1 行\n",
               "（第 2 行）：行号无效"},
        Damage{"RowNotANumber", "# Kelvo 数据, Form9, 输入方式一\nMSFlexGrid1,-1,1\n# 结束, 1 行\n",
               "行号无效"},
        Damage{"NoGridName", "# Kelvo 数据, Form9, 输入方式一\n,1,1\n# 结束, 1 行\n",
               "缺少表格名称"},
        Damage{"NonNumericCell",
               "# Kelvo 数据, Form9, 输入方式一\nMSFlexGrid1,1,1,x2\n# 结束, 1 行\n",
               "第 2 行第 2 列的“x2”不是数值"},
        // A list has single blanks between numbers, as it is written.
        Damage{"ListWithTwoBlanks",
               "# Kelvo 数据, Form9, 输入方式一\nMSFlexGrid1,1,1  2\n# 结束, 1 行\n",
               "第 2 行第 1 列的“1  2”不是数值"},
        Damage{"ListWithAWord",
               "# Kelvo 数据, Form9, 输入方式一\nMSFlexGrid1,1,5,1 b\n# 结束, 1 行\n",
               "第 2 行第 2 列的“1 b”不是数值"},
        Damage{"ListWithATab",
               "# Kelvo 数据, Form9, 输入方式一\nMSFlexGrid1,1,1\t2\n# 结束, 1 行\n",
               "不是数值"},
        Damage{"TooManyCells",
               "# Kelvo 数据, Form9, 输入方式一\nMSFlexGrid1,1" + std::string(51, ',') +
                   "\n# 结束, 1 行\n",
               "超过窗口表格能容纳的 50 个数据"},
        Damage{"Binary", std::string("# Kelvo 数据, Form9, 输入方式一\n\0\0\0", 40), "不是文本"},
        Damage{"Gbk", "# Kelvo \xCA\xFD\xBE\xDD, Form9\n", "不是 UTF-8"},
        Damage{"BadVersion", "# Kelvo 数据, Form9, 输入方式一, 版本 x\n# 结束, 0 行\n",
               "文件头格式不对"},
        Damage{"WindowLineTwice", kHeader2 + "# 窗口, 2, a\n# 窗口, 2, a\n# 结束, 2 行\n",
               "（第 3 行）：窗口行格式不对"},
        Damage{"WindowModeNotANumber", kHeader2 + "# 窗口, x, a\n# 结束, 1 行\n", "窗口行格式不对"},
        Damage{"SettingTwice", kHeader2 + "# 设置, level, 1\n# 设置, level, 2\n# 结束, 2 行\n",
               "（第 3 行）：同一设置出现了两次"},
        Damage{"SettingWithoutText", kHeader2 + "# 设置, level\n# 结束, 1 行\n", "设置行格式不对"},
        Damage{"SettingLost", kHeader2 + "# 设置, level, 1\n# 结束, 2 行\n",
               "数据行数与结束行不符"},
        // The first version knows no settings: such a line is no data line either.
        Damage{"SettingInTheFirstVersion",
               "# Kelvo 数据, Form9, 输入方式一\n# 设置, level, 1\n# 结束, 1 行\n",
               "缺少表格名称"}),
    [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST(DataFileTest, HugeTextIsRefusedBeforeReading) {
  const std::string huge(kMaxDataFileBytes + 1, '\0');
  try {
    ParseDataFile(huge, 100);
    FAIL() << "opened";
  } catch (const InputError& e) {
    EXPECT_EQ(std::string(e.what()), "文件太大，最多只能打开 8 MB 的数据文件");
  }
}

}  // namespace
}  // namespace kelvo
