#include "core/documents/ReportDocument.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvo {
namespace {

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

struct EscapeCase {
  const char* name;
  const char* text;
  const char* escaped;
};

TEST(ReportDocument, EscapeHtmlTurnsMarkupIntoEntities) {
  const EscapeCase cases[] = {
      {"plain", "样本均值 4.000", "样本均值 4.000"},
      {"tag", "<b>x</b>", "&lt;b&gt;x&lt;/b&gt;"},
      {"ampersandFirst", "&lt;", "&amp;lt;"},
      {"quotes", "a=\"1\" b='2'", "a=&quot;1&quot; b=&#39;2&#39;"},
      {"script", "<script>alert(1)</script>", "&lt;script&gt;alert(1)&lt;/script&gt;"},
      {"empty", "", ""},
  };
  for (const EscapeCase& c : cases) EXPECT_EQ(EscapeHtml(c.text), c.escaped) << c.name;
}

TEST(ReportDocument, TableFromCellsKeepsOnlyFilledRowsAndColumns) {
  CellStore cells(4, 6);
  for (int c = 1; c < 6; ++c) cells.setText(0, c, std::to_string(c));
  cells.setText(1, 0, "样本一");
  cells.setText(2, 0, "样本二");
  cells.setText(3, 0, "样本三");
  cells.setText(1, 1, "1.5");
  cells.setText(1, 4, "7");
  cells.setText(3, 2, "  ");  // blanks only count as empty
  cells.setText(2, 4, "9");
  const ReportTable table = TableFromCells("数据录入", cells);
  EXPECT_EQ(table.title, "数据录入");
  const std::vector<std::vector<std::string>> expected = {
      {"", "1", "4"}, {"样本一", "1.5", "7"}, {"样本二", "", "9"}};
  EXPECT_EQ(table.rows, expected);
}

TEST(ReportDocument, TableFromCellsOfAnEmptyGridHasNoRows) {
  CellStore cells(3, 5);
  cells.setText(0, 1, "1");
  cells.setText(1, 0, "数据值");
  EXPECT_TRUE(TableFromCells("x", cells).rows.empty());
  ReportDocument document;
  document.data.push_back(TableFromCells("x", cells));
  EXPECT_NE(ReportHtml(document).find("（无数据）"), std::string::npos);
}

ReportDocument SampleDocument() {
  ReportDocument d;
  d.title = "正态总体参数检验";
  d.created = "2026-12-08 12:00:00";
  d.data.push_back({"数据录入", {{"", "1", "2"}, {"样本一", "5.1", "4.9"}}});
  d.inputs.push_back({"", {{"显著水平", "0.05"}, {"输入方式", "输入方式一"}}});
  d.results.push_back({"中间结果", {{"样本均值", "5.000"}, {"样本方差", "0.020"}}});
  d.results.push_back({"结果及说明", {{"结论:", "接受原假设 H0"}, {"条件说明", ""}}});
  d.solution.heading("检验统计量").formula("t = 1.23");
  return d;
}

TEST(ReportDocument, HtmlHoldsEverySectionInUtf8) {
  const std::string html = ReportHtml(SampleDocument());
  EXPECT_EQ(html.rfind("<!DOCTYPE html>", 0), 0u);
  for (const char* part :
       {"<meta charset=\"utf-8\">", "<title>正态总体参数检验</title>", "2026-12-08 12:00:00",
        "<th>样本一</th><td>5.1</td><td>4.9</td>", "<th align=\"left\">显著水平</th><td>0.05</td>",
        "<h3>中间结果</h3>", "<th align=\"left\">样本均值</th><td>5.000</td>",
        "<th align=\"left\">结论:</th><td>接受原假设 H0</td>",
        "<td colspan=\"2\">条件说明</td>", "<h3>检验统计量</h3>", "t = 1.23", "<h2>计算结果</h2>"})
    EXPECT_NE(html.find(part), std::string::npos) << part;
  // Current results carry no warning and no chart without an image.
  EXPECT_EQ(html.find("已过时"), std::string::npos);
  EXPECT_EQ(html.find("<img"), std::string::npos);
}

TEST(ReportDocument, StaleResultsAreMarkedAtTheTopAndOnEverySection) {
  ReportDocument d = SampleDocument();
  d.staleNote = "以下结果不再对应当前输入（数据已修改），请重新计算。";
  d.chartSource = "kelvo-chart.png";
  const std::string html = ReportHtml(d);
  const std::size_t banner = html.find("注意：结果已过时。");
  ASSERT_NE(banner, std::string::npos);
  EXPECT_LT(banner, html.find("<h2>输入数据</h2>"));  // before anything else
  EXPECT_NE(html.find("数据已修改"), std::string::npos);
  for (const char* heading : {"<h2>计算结果（已过时）</h2>", "<h2>详细过程（已过时）</h2>",
                              "<h2>图表（已过时）</h2>"})
    EXPECT_NE(html.find(heading), std::string::npos) << heading;
}

TEST(ReportDocument, TextFromTheWindowIsEscapedEverywhere) {
  ReportDocument d;
  d.title = "<i>窗口</i>";
  d.staleNote = "<u>note</u>";
  d.data.push_back({"<s>t</s>", {{"<h>", "<c1>"}, {"<r>", "<b>1</b>"}}});
  d.inputs.push_back({"<g>", {{"<cap>", "<b>typed</b>"}}});
  d.results.push_back({"", {{"a&b", "\"q\""}}});
  d.solution.text("x < y").table({"<hc>"}, {{"<dc>"}});
  d.chartSource = "\"><script>";
  const std::string html = ReportHtml(d);
  for (const char* raw : {"<i>", "<u>", "<s>", "<h>", "<c1>", "<r>", "<b>1", "<g>", "<cap>",
                          "<b>typed", "<hc>", "<dc>", "<script>", "x < y"})
    EXPECT_EQ(html.find(raw), std::string::npos) << raw;
  for (const char* escaped : {"&lt;i&gt;窗口&lt;/i&gt;", "&lt;b&gt;typed&lt;/b&gt;", "a&amp;b",
                              "&quot;q&quot;", "x &lt; y", "&quot;&gt;&lt;script&gt;", "&lt;hc&gt;",
                              "&lt;dc&gt;"})
    EXPECT_NE(html.find(escaped), std::string::npos) << escaped;
}

TEST(ReportDocument, WideTablesAreSplitRepeatingTheRowHeadings) {
  ReportDocument d;
  ReportTable t{"数据录入", {{""}, {"数据值"}, {"重复值"}}};
  for (int c = 1; c <= 25; ++c) {
    t.rows[0].push_back(std::to_string(c));
    t.rows[1].push_back("v" + std::to_string(c));
    t.rows[2].push_back("n" + std::to_string(c));
  }
  d.data.push_back(t);
  const std::string html = ReportHtml(d, 10);
  // 25 data columns in blocks of 10: three tables, each with both row headings.
  EXPECT_EQ(Count(html, "<th>数据值</th>"), 3u);
  EXPECT_EQ(Count(html, "<th>重复值</th>"), 3u);
  // Column 11 opens the second table.
  const std::size_t v10 = html.find("<td>v10</td>"), v11 = html.find("<td>v11</td>");
  ASSERT_LT(v10, v11);
  EXPECT_EQ(Count(html.substr(v10, v11 - v10), "<table"), 1u);
  EXPECT_NE(html.find("<td>v25</td>"), std::string::npos);
  EXPECT_EQ(Count(html, "<td>v"), 25u);
}

TEST(ReportDocument, ReportKeepsEveryRowOfALongSolutionTable) {
  std::vector<std::vector<std::string>> rows;
  for (int i = 1; i <= 120; ++i) rows.push_back({"r" + std::to_string(i)});
  ReportDocument d;
  d.solution.table({"x", "y"}, rows);
  const std::string html = ReportHtml(d);
  for (int i : {1, 31, 60, 90, 120})
    EXPECT_NE(html.find(">r" + std::to_string(i) + "<"), std::string::npos) << i;
  EXPECT_EQ(html.find("从略"), std::string::npos);
}

TEST(ReportDocument, ChartIsShownAtItsSize) {
  ReportDocument d;
  d.chartSource = "data:image/png;base64,AAAA";
  d.chartWidth = 640;
  d.chartHeight = 373;
  EXPECT_NE(ReportHtml(d).find("<img src=\"data:image/png;base64,AAAA\" alt=\"图表\" width=\"640\" "
                               "height=\"373\">"),
            std::string::npos);
}

}  // namespace
}  // namespace kelvo
