#include "core/shell/WorkedSolution.h"

#include <gtest/gtest.h>

namespace kelvo {
namespace {

TEST(WorkedSolution, RichTextEscapesAndPlainTextKeepsEveryBlock) {
  WorkedSolution s;
  s.heading("检验统计量").formula("t = (x̄ − μ₀)/(s/√n) = 2 < 3").note("表值与精确值的结论不同");
  s.table({"组", "观察频数"}, {{"[0, 1)", "7"}, {"[1, 2)", "3"}}, {false, true});
  const std::string html = s.html();
  EXPECT_NE(html.find("2 &lt; 3"), std::string::npos);
  EXPECT_EQ(html.find("2 < 3"), std::string::npos);
  EXPECT_NE(html.find("<th>观察频数</th>"), std::string::npos);
  EXPECT_NE(html.find("background-color"), std::string::npos);  // the marked row
  const std::string plain = s.plainText();
  EXPECT_NE(plain.find("【检验统计量】"), std::string::npos);
  EXPECT_NE(plain.find("t = (x̄ − μ₀)/(s/√n) = 2 < 3"), std::string::npos);
  EXPECT_NE(plain.find("[1, 2)\t3\t*"), std::string::npos);
  EXPECT_NE(plain.find("注意：表值与精确值的结论不同"), std::string::npos);
}

TEST(WorkedSolution, LongTablesShowHeadAndTailButCopyEveryRow) {
  std::vector<std::vector<std::string>> rows;
  for (int i = 1; i <= 300; ++i) rows.push_back({std::to_string(i).insert(0, 1, 'r')});
  WorkedSolution s;
  s.table({"x"}, rows);
  const std::string html = s.html();
  EXPECT_NE(html.find(">r30<"), std::string::npos);
  EXPECT_EQ(html.find(">r31<"), std::string::npos);
  EXPECT_EQ(html.find(">r290<"), std::string::npos);
  EXPECT_NE(html.find(">r291<"), std::string::npos);
  EXPECT_NE(html.find(">r300<"), std::string::npos);
  EXPECT_NE(html.find("共 300 行，中间 260 行从略"), std::string::npos);
  const std::string plain = s.plainText();
  for (const char* row : {"\nr1\n", "\nr150\n", "\nr300\n"}) EXPECT_NE(plain.find(row), std::string::npos) << row;
}

TEST(WorkedSolution, NumbersAndSubscripts) {
  struct Case { double value; int significant; const char* expected; };
  const Case cases[] = {
      {2.13144955, 6, "2.13145"}, {-1.96, 6, "−1.96"}, {12.0, 6, "12"},
      {0.0250023, 6, "0.0250023"}, {123456.7, 6, "123457"}, {0.0, 6, "0"},
      {1e-7, 3, "1e-07"}, {1.0 / 0.0, 6, "∞"}, {-1.0 / 0.0, 6, "−∞"},
  };
  for (const Case& c : cases) EXPECT_EQ(SolutionNumber(c.value, c.significant), c.expected) << c.value;
  EXPECT_EQ(Subscript("0.025"), "₀.₀₂₅");
  EXPECT_EQ(Subscript("α/2"), "α/₂");
}

}  // namespace
}  // namespace kelvo
