#include "core/text/TextNumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace kelvo {
namespace {

std::string RowName(const char* name) { return name; }

struct LeadingCase {
  const char* name;
  const char* text;
  double value;
};

constexpr double kInf = std::numeric_limits<double>::infinity();

// Expected values are the decimal reading of the numeric prefix; exact up to 1e-15 relative.
const std::vector<LeadingCase>& LeadingCases() {
  static const std::vector<LeadingCase> cases = {
      {"Empty", "", 0},
      {"OnlyBlanks", "   ", 0},
      {"Letters", "abc", 0},
      {"Integer", "12", 12},
      {"BlanksInside", " 1 2 3", 123},
      {"BlanksEverywhere", "1 2.5e1x", 125},
      {"TabAndNewline", "\t5\n", 5},
      {"PlusSign", "+7", 7},
      {"MinusSign", "-7", -7},
      {"BlankAfterSign", "- 7", -7},
      {"LowerE", "1.5e2", 150},
      {"UpperE", "1.5E2", 150},
      {"LowerD", "1.5d-2", 0.015},
      {"UpperD", "1.5D2", 150},
      {"ExponentPlus", "2E+3", 2000},
      {"BlankInExponent", "1 e 2", 100},
      {"LoneMinus", "-", 0},
      {"LonePlus", "+", 0},
      {"LonePoint", ".", 0},
      {"SignAndPoint", "-.", 0},
      {"TextAfterNumber", "12x", 12},
      {"TrailingPoint", "12.", 12},
      {"LeadingPoint", ".5", 0.5},
      {"NegativeLeadingPoint", "-.5", -0.5},
      {"ExponentWithoutDigits", "1e", 1},
      {"ExponentSignWithoutDigits", "1e+", 1},
      {"ExponentThenLetter", "2ex", 2},
      {"SecondPointStops", "1.2.3", 1.2},
      {"CommaStops", "1,5", 1},
      {"SecondExponentStops", "1e5e3", 1e5},
      {"DoubleMinus", "--1", 0},
      {"PlusMinus", "+-1", 0},
      {"HexPrefix", "&H10", 0},
      {"CPrefixHex", "0x10", 0},
      {"LeadingZeros", "007", 7},
      {"ZeroPaddedExponent", "1e0000000000005", 1e5},
      {"ZeroPaddedNegativeExponent", "3e-0000000000002", 0.03},
      {"Overflow", "1e999", kInf},
      {"NegativeOverflow", "-1e999", -kInf},
      {"LongExponentOverflow", "1e99999999999", kInf},
      {"Underflow", "1e-999", 0},
      {"LargestDouble", "1.7976931348623157e308", 1.7976931348623157e308},
  };
  return cases;
}

class LeadingValueTable : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(LeadingValueTable, Converts) {
  const LeadingCase& c = GetParam();
  double v = LeadingValue(c.text);
  if (std::isinf(c.value)) {
    EXPECT_EQ(v, c.value);
  } else {
    EXPECT_NEAR(v, c.value, std::fabs(c.value) * 1e-15);
  }
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingValueTable, ::testing::ValuesIn(LeadingCases()),
                         [](const auto& info) { return RowName(info.param.name); });

struct NumericCase {
  const char* name;
  const char* text;
  bool numeric;
};

const std::vector<NumericCase>& NumericCases() {
  static const std::vector<NumericCase> cases = {
      {"Integer", "12", true},
      {"TrailingPoint", "12.", true},
      {"LeadingPoint", ".5", true},
      {"NegativeLeadingPoint", "-.5", true},
      {"Plus", "+3", true},
      {"Exponent", "1e5", true},
      {"ExponentSign", "1E+5", true},
      {"DExponent", "1D-3", true},
      {"LowerDExponent", "1d3", true},
      {"SurroundingBlanks", " 7 ", true},
      {"NegativeZero", "-0", true},
      {"PointThenExponent", "2.e3", true},
      {"Empty", "", false},
      {"Blanks", "   ", false},
      {"ExponentWithoutDigits", "1e", false},
      {"ExponentSignOnly", "1e+", false},
      {"LoneMinus", "-", false},
      {"LonePoint", ".", false},
      {"SignAndPoint", "-.", false},
      {"BlankInside", "1 2", false},
      {"TwoPoints", "1.2.3", false},
      {"TrailingLetter", "12x", false},
      {"ExponentOnly", "e5", false},
      {"DoubleSign", "--1", false},
      {"FractionalExponent", "1e5.0", false},
      {"BlankInExponent", "1e 5", false},
      {"BlankAfterSign", "- 5", false},
      {"Hex", "&H10", false},
  };
  return cases;
}

class NumericTextTable : public ::testing::TestWithParam<NumericCase> {};

TEST_P(NumericTextTable, Classifies) {
  EXPECT_EQ(IsNumericText(GetParam().text), GetParam().numeric);
}

INSTANTIATE_TEST_SUITE_P(Texts, NumericTextTable, ::testing::ValuesIn(NumericCases()),
                         [](const auto& info) { return RowName(info.param.name); });

struct PrefixCase {
  const char* name;
  const char* text;
  bool prefix;
};

// The stages a number passes through while it is typed, and texts no key added can repair.
const std::vector<PrefixCase>& PrefixCases() {
  static const std::vector<PrefixCase> cases = {
      {"Empty", "", true},
      {"Blanks", "  ", true},
      {"LoneMinus", "-", true},
      {"LonePlus", "+", true},
      {"LonePoint", ".", true},
      {"SignAndPoint", "-.", true},
      {"BlankThenMinus", " -", true},
      {"ExponentLetter", "1.5E", true},
      {"ExponentSign", "1e-", true},
      {"DExponentSign", "2D+", true},
      {"Complete", "12.5", true},
      {"CompleteWithTrailingBlank", "-3 ", true},
      {"Letter", "12a", false},
      {"ExponentFirst", "e", false},
      {"ExponentAfterPoint", ".e", false},
      {"ExponentAfterSign", "-e5", false},
      {"DoubleSign", "--", false},
      {"SignAfterDigit", "1-", false},
      {"BlankAfterSign", "- ", false},
      {"BlankAfterExponent", "1e ", false},
      {"BlankInside", "1 2", false},
      {"SecondPoint", "1.2.", false},
      {"SecondExponent", "1e5e", false},
      {"PointInExponent", "1e5.", false},
  };
  return cases;
}

class NumericPrefixTable : public ::testing::TestWithParam<PrefixCase> {};

TEST_P(NumericPrefixTable, Classifies) {
  EXPECT_EQ(IsNumericPrefix(GetParam().text), GetParam().prefix);
}

INSTANTIATE_TEST_SUITE_P(Texts, NumericPrefixTable, ::testing::ValuesIn(PrefixCases()),
                         [](const auto& info) { return RowName(info.param.name); });

// The definition itself, checked on every text of up to four characters over the characters
// that matter: a prefix is a text that some continuation of up to three characters makes
// numeric (one digit always suffices, so three leaves room to spare).
TEST(TextNumber, NumericPrefixMeansSomeContinuationIsNumeric) {
  const std::string alphabet = "1.-e x";
  auto all = [&](std::size_t maxLength) {
    std::vector<std::string> texts{""};
    for (std::size_t begin = 0, length = 0; length < maxLength; ++length) {
      const std::size_t end = texts.size();
      for (std::size_t i = begin; i < end; ++i)
        for (char c : alphabet) texts.push_back(texts[i] + c);
      begin = end;
    }
    return texts;
  };
  const std::vector<std::string> continuations = all(3);
  for (const std::string& text : all(4)) {
    bool completes = false;
    for (const std::string& more : continuations) completes = completes || IsNumericText(text + more);
    EXPECT_EQ(IsNumericPrefix(text), completes) << '"' << text << '"';
  }
}

// Every text the editor accepts must read back as the number it shows.
TEST(TextNumber, NumericTextReadsCompletely) {
  EXPECT_EQ(LeadingValue(" -12.5D+1 "), -125.0);
  EXPECT_EQ(LeadingValue("2.e3"), 2000.0);
}

struct RoundCase {
  const char* name;
  double value;
  double rounded;
};

const std::vector<RoundCase>& RoundCases() {
  static const std::vector<RoundCase> cases = {
      {"ZeroPointFive", 0.5, 0},
      {"OnePointFive", 1.5, 2},
      {"TwoPointFive", 2.5, 2},
      {"NegativeHalf", -0.5, 0},
      {"NegativeOnePointFive", -1.5, -2},
      {"NegativeTwoPointFive", -2.5, -2},
      {"NegativeThreePointFive", -3.5, -4},
      {"OneFiftyPointFive", 150.5, 150},
      {"OneFiftyOnePointFive", 151.5, 152},
      {"BelowHalf", 2.4999, 2},
      {"AboveHalf", 2.5000001, 3},
      {"NegativeAboveHalf", -2.6, -3},
      {"NegativeBelowHalf", -2.4, -2},
      // The largest double below 0.5: adding 0.5 and flooring would give 1.
      {"JustBelowHalf", 0.49999999999999994, 0},
      {"Whole", 7, 7},
      {"Huge", 1e300, 1e300},
      {"Infinity", kInf, kInf},
  };
  return cases;
}

class RoundHalfEvenTable : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEvenTable, Rounds) {
  EXPECT_EQ(RoundHalfEven(GetParam().value), GetParam().rounded);
}

INSTANTIATE_TEST_SUITE_P(Values, RoundHalfEvenTable, ::testing::ValuesIn(RoundCases()),
                         [](const auto& info) { return RowName(info.param.name); });

TEST(TextNumber, RoundHalfEvenKeepsNan) { EXPECT_TRUE(std::isnan(RoundHalfEven(std::nan("")))); }

TEST(WholePart, ToleratesRoundingJustBelowAWholeNumber) {
  struct Case { const char* name; double value; double expected; };
  const Case cases[] = {
      {"exact whole number", 10.0, 10.0},
      {"two ulps below 10", std::nextafter(std::nextafter(10.0, 0.0), 0.0), 10.0},
      {"Welch example 22.99", 22.99, 22.0},
      {"5.03", 5.03, 5.0},
      {"just above a whole number", 7.000000000000002, 7.0},
      {"clearly below", 9.9999, 9.0},
      {"negative", -1.5, -2.0},
  };
  for (const Case& c : cases) EXPECT_EQ(WholePart(c.value), c.expected) << c.name;
}

}  // namespace
}  // namespace kelvo


namespace kelvo {
namespace {

TEST(AsciiNumberText, WritesTheInputMethodsFormsAsAscii) {
  const std::pair<const char*, const char*> rows[] = {
      {"－１．５", "-1.5"}, {"−2.35", "-2.35"}, {"４—２–８３７２１", "4-2-83721"},
      {"　12　", " 12 "},   {"1.5e-3", "1.5e-3"}, {"样本", "样本"},
  };
  for (const auto& [typed, ascii] : rows) EXPECT_EQ(AsciiNumberText(typed), ascii) << typed;
}

}  // namespace
}  // namespace kelvo
