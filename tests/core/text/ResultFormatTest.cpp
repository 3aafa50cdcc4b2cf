#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>

#include "core/text/ResultFormat.h"

namespace kelvo {
namespace {

struct FormatRow {
  const char* name;
  double value;
  const char* pattern;
  std::string shown;
};

class FormatResultTest : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatResultTest, Shown) {
  const FormatRow& row = GetParam();
  EXPECT_EQ(FormatResult(row.value, row.pattern), row.shown);
}

// Exact binary values quoted in the comments are from Python's decimal.Decimal(float).
INSTANTIATE_TEST_SUITE_P(
    ResultFormat, FormatResultTest,
    ::testing::Values(
        FormatRow{"OneThird", 1.0 / 3, "0.000", "0.333"},
        FormatRow{"TwoThirds", 2.0 / 3, "0.000", "0.667"},
        FormatRow{"MinusOne", -1.0, "0.000", "-1.000"},
        FormatRow{"Zero", 0.0, "0.000", "0.000"},
        FormatRow{"BelowOneHasLeadingZero", 0.5, "0.0", "0.5"},
        // 0.0625 is exact in binary: a true half, rounded away from zero.
        FormatRow{"HalfUp", 0.0625, "0.000", "0.063"},
        FormatRow{"HalfDownNegative", -0.0625, "0.000", "-0.063"},
        FormatRow{"QuarterHalf", 0.25, "0.0", "0.3"},
        FormatRow{"TwoAndAHalfNoDecimals", 2.5, "0.", "3."},
        FormatRow{"MinusTwoAndAHalfNoDecimals", -2.5, "0.", "-3."},
        FormatRow{"HalfNoDecimals", 0.5, "0.", "1."},
        FormatRow{"PiNoDecimals", M_PI, "0.", "3."},
        // 9.9995 is 9.99949999999999938893...: below the half.
        FormatRow{"BinaryBelowHalf", 9.9995, "0.000", "9.999"},
        // 0.15 is 0.14999999999999999444...
        FormatRow{"BinaryBelowHalfShort", 0.15, "0.0", "0.1"},
        // 0.9995 is 0.99950000000000005506...: above the half, carried into the units.
        FormatRow{"BinaryAboveHalfCarries", 0.9995, "0.000", "1.000"},
        FormatRow{"CarryAddsDigit", 999.9996, "0.000", "1000.000"},
        FormatRow{"CarryAddsDigitNegative", -99.96, "0.0", "-100.0"},
        FormatRow{"NegativeRoundsToZero", -0.0004, "0.000", "0.000"},
        FormatRow{"NegativeZero", -0.0, "0.000", "0.000"},
        FormatRow{"NegativeZeroNoDecimals", -0.4, "0.", "0."},
        FormatRow{"SmallestSubnormal", 4.9406564584124654e-324, "0.000", "0.000"},
        FormatRow{"NegativeSubnormal", -4.9406564584124654e-324, "0.000", "0.000"},
        FormatRow{"Tiny", 1.5e-10, "0.000000000000", "0.000000000150"},
        FormatRow{"TinyNegativeShowsNoSign", -2.5e-7, "0.000000", "0.000000"},
        // 2^-7 = 0.0078125 exactly: printf would give the even 0.007812.
        FormatRow{"ExactHalfAtSixDecimals", -0.0078125, "0.000000", "-0.007813"},
        FormatRow{"LargeInteger", 123456789012345678.0, "0.", "123456789012345680."},
        FormatRow{"NoPointPattern", 2.5, "0", "3"},
        FormatRow{"ManyDecimals", 0.1, "0.0000000000000000000000000000",
                  "0.1000000000000000055511151231"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FormatResultTest, HugeValueShowsExactDigits) {
  // Decimal(1e300) = 1000000000000000052504760255204420248704468581108159154915854115...
  std::string shown = FormatResult(1e300, "0.00");
  ASSERT_EQ(shown.size(), 301u + 3u);
  EXPECT_EQ(shown.substr(0, 66),
            "100000000000000005250476025520442024870446858110815915491585411551");
  EXPECT_EQ(shown.substr(shown.size() - 3), ".00");
  std::string largest = FormatResult(-DBL_MAX, "0.000");
  EXPECT_EQ(largest.size(), 1u + 309u + 4u);
  EXPECT_EQ(largest.substr(0, 8), "-1797693");
}

TEST(FormatResultTest, DecimalsBeyondTheExactExpansion) {
  // 2^-1074 has 1074 decimals, ending in ...625; further decimals are zeros.
  std::string pattern = "0." + std::string(1080, '0');
  std::string shown = FormatResult(4.9406564584124654e-324, pattern);
  ASSERT_EQ(shown.size(), 2u + 1080u);
  EXPECT_EQ(shown.substr(2, 323), std::string(323, '0'));
  EXPECT_EQ(shown.substr(325, 6), "494065");
  EXPECT_EQ(shown.substr(2 + 1071), "625000000");
}

TEST(FormatResultTest, NonFiniteGivesEmptyText) {
  EXPECT_EQ(FormatResult(std::numeric_limits<double>::quiet_NaN(), "0.000"), "");
  EXPECT_EQ(FormatResult(std::numeric_limits<double>::infinity(), "0.000"), "");
  EXPECT_EQ(FormatResult(-std::numeric_limits<double>::infinity(), "0."), "");
}

TEST(ResultFormatTest, DefaultPattern) { EXPECT_EQ(ResultFormat(), "0.000"); }

struct StepRow {
  const char* name;
  const char* shown;
  int step;
  std::string pattern;
};

class StepPatternTest : public ::testing::TestWithParam<StepRow> {};

TEST_P(StepPatternTest, Pattern) {
  const StepRow& row = GetParam();
  EXPECT_EQ(StepPattern(row.shown, row.step), row.pattern);
}

INSTANTIATE_TEST_SUITE_P(
    ResultFormat, StepPatternTest,
    ::testing::Values(StepRow{"Narrower", "0.333", -1, "0.00"},
                      StepRow{"Wider", "0.333", 1, "0.0000"},
                      StepRow{"OneDecimalNarrower", "0.3", -1, "0."},
                      StepRow{"PointOnlyNarrower", "0.", -1, "0.0"},
                      StepRow{"PointOnlyWider", "3.", 1, "0.0"},
                      StepRow{"NoPointNarrower", "12", -1, "0.0"},
                      StepRow{"NoPointWider", "12", 1, "0.0"},
                      StepRow{"Empty", "", 1, "0.000"},
                      StepRow{"BlanksOnly", "   ", -1, "0.000"},
                      StepRow{"BlanksTrimmed", "  -1.25  ", -1, "0.0"},
                      StepRow{"LastPointCounts", "1.2.345", 1, "0.0000"},
                      StepRow{"LargeStepIsOneDecimal", "0.33", 5, "0.000"},
                      StepRow{"ZeroStepNarrows", "0.33", 0, "0.0"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReformatCaptionTest, OneThirdSteppedDownAndUp) {
  const std::string stored = StoredValueText(1.0 / 3);
  std::string caption = FormatResult(1.0 / 3, ResultFormat());
  ASSERT_EQ(caption, "0.333");
  std::vector<std::string> down;
  for (int i = 0; i < 4; ++i) down.push_back(caption = ReformatCaption(stored, caption, -1));
  EXPECT_EQ(down, (std::vector<std::string>{"0.33", "0.3", "0.", "0.3"}));
  caption = "0.333";
  std::vector<std::string> up;
  for (int i = 0; i < 3; ++i) up.push_back(caption = ReformatCaption(stored, caption, 1));
  EXPECT_EQ(up, (std::vector<std::string>{"0.3333", "0.33333", "0.333333"}));
}

TEST(ReformatCaptionTest, StepZeroAndNothingStored) {
  EXPECT_EQ(ReformatCaption("0.333333333333333", "0.333", 0), "0.333");
  EXPECT_EQ(ReformatCaption("", "0.333", 1), "");
  EXPECT_EQ(ReformatCaption("", "", -1), "");
  EXPECT_EQ(ReformatCaption("12", "12", 1), "12.0");
  EXPECT_EQ(ReformatCaption("-1", "-1.000", -1), "-1.00");
}

struct StoredRow {
  const char* name;
  double value;
  std::string text;
};

class StoredValueTextTest : public ::testing::TestWithParam<StoredRow> {};

TEST_P(StoredValueTextTest, Text) { EXPECT_EQ(StoredValueText(GetParam().value), GetParam().text); }

// Expected texts are those of C printf("%.15G").
INSTANTIATE_TEST_SUITE_P(
    ResultFormat, StoredValueTextTest,
    ::testing::Values(StoredRow{"MinusOne", -1.0, "-1"},
                      StoredRow{"OneThird", 1.0 / 3, "0.333333333333333"},
                      StoredRow{"FifteenDigitsRounded", 123456789012345.6, "123456789012346"},
                      StoredRow{"Plain", 123456.789, "123456.789"},
                      StoredRow{"LargeExponent", 1e20, "1E+20"},
                      StoredRow{"SmallExponent", 1e-5, "1E-05"},
                      StoredRow{"SmallPlain", 0.0001, "0.0001"},
                      StoredRow{"NotFinite", std::numeric_limits<double>::quiet_NaN(), ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvo
