#include "core/documents/WorkedSolution.h"

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

// p-values for people: four significant digits, "p < 0.0001" below 0.0001 (with the value in
// scientific notation where the worked solution shows it).
TEST(WorkedSolution, PValuesHaveFourSignificantDigits) {
  struct Case { double p; const char* plain; const char* withExact; };
  const Case cases[] = {
      {0.242712, "p = 0.2427", "p = 0.2427"},
      {0.0650249, "p = 0.06502", "p = 0.06502"},
      {0.065, "p = 0.065", "p = 0.065"},  // no trailing zeros
      {0.99996, "p = 1", "p = 1"},
      {1.0, "p = 1", "p = 1"},
      {0.000123456, "p = 0.0001235", "p = 0.0001235"},
      {0.0001, "p = 0.0001", "p = 0.0001"},
      {8.0234e-5, "p < 0.0001", "p < 0.0001（精确值 8.02 × 10⁻⁵）"},
      {1.5e-12, "p < 0.0001", "p < 0.0001（精确值 1.50 × 10⁻¹²）"},
      {0.0, "p < 0.0001", "p < 0.0001"},  // below the doubles: no value to add
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PValueText(c.p), c.plain) << c.p;
    EXPECT_EQ(PValueTextWithExact(c.p), c.withExact) << c.p;
  }
}

TEST(WorkedSolution, FixedAndScientificNumbers) {
  EXPECT_EQ(FixedNumber(1.29583), "1.2958");
  EXPECT_EQ(FixedNumber(-2.446912), "−2.4469");
  EXPECT_EQ(FixedNumber(-0.00001), "0.0000");  // no sign on a zero
  EXPECT_EQ(FixedNumber(12.0, 2), "12.00");
  EXPECT_EQ(ScientificText(-123456.0, 2), "−1.2 × 10⁵");
  EXPECT_EQ(Superscript("-12"), "⁻¹²");
}

// The symbol names the upper-tail probability; the normal look-up is asked a lower tail.
TEST(WorkedSolution, QuantileSymbols) {
  CriticalValue z;
  z.kind = TableKind::Normal;
  z.probability = 0.975;
  EXPECT_EQ(QuantileSymbol(z), "z₀.₀₂₅");
  CriticalValue t;
  t.kind = TableKind::T;
  t.probability = 0.025;
  t.df = 6;
  EXPECT_EQ(QuantileSymbol(t), "t₀.₀₂₅(6)");
  CriticalValue chi = t;
  chi.kind = TableKind::ChiSquare;
  chi.probability = 0.975;
  chi.df = 9;
  EXPECT_EQ(QuantileSymbol(chi), "χ²₀.₉₇₅(9)");
  CriticalValue f = t;
  f.kind = TableKind::F;
  f.df = 4;
  f.df2 = 7;
  EXPECT_EQ(QuantileSymbol(f), "F₀.₀₂₅(4, 7)");
}

}  // namespace
}  // namespace kelvo
