#include "core/settings/EnvSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kelvo {
namespace {

struct AnswerCase {
  const char* name;
  const char* answer;
  int value;
};

// Cancel returns the empty answer, so the "Empty" rows cover it as well.
const std::vector<AnswerCase>& SampleLimitCases() {
  static const std::vector<AnswerCase> cases = {
      {"Plain", "200", 200},
      {"AtLowerBound", "101", 101},
      {"BelowBound", "50", 101},
      {"Letters", "abc", 101},
      {"Empty", "", 101},
      {"Negative", "-5", 101},
      {"HalfBelowBoundRoundsDown", "100.5", 101},
      {"HalfToEvenDown", "150.5", 150},
      {"HalfToEvenUp", "151.5", 152},
      {"BlanksInside", " 2 0 0 ", 200},
      {"Exponent", "2e2", 200},
      {"LargestKept", "32767", 32767},
      {"JustAboveRange", "32768", 32767},
      {"HugeAnswer", "99999999999", 32767},
      {"BeyondDouble", "1e999", 32767},
      {"NegativeBeyondDouble", "-1e999", 101},
  };
  return cases;
}

const std::vector<AnswerCase>& DataWidthCases() {
  static const std::vector<AnswerCase> cases = {
      {"TextAfterNumber", "12x", 12},
      {"EightAndAHalfRaised", "8.5", 9},
      {"HalfToEvenUp", "9.5", 10},
      {"HalfToEvenDown", "10.5", 10},
      {"Letters", "abc", 9},
      {"Empty", "", 9},
      {"LargestKept", "327", 327},
      {"TwipsBeyondSixteenBits", "328", 327},
      {"BeyondDouble", "1e999", 327},
  };
  return cases;
}

class SampleLimitTable : public ::testing::TestWithParam<AnswerCase> {};
class DataWidthTable : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(SampleLimitTable, Stored) {
  EXPECT_EQ(SampleLimitFromAnswer(GetParam().answer), GetParam().value);
}

TEST_P(DataWidthTable, Stored) {
  EXPECT_EQ(DataWidthFromAnswer(GetParam().answer), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Answers, SampleLimitTable, ::testing::ValuesIn(SampleLimitCases()),
                         [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(Answers, DataWidthTable, ::testing::ValuesIn(DataWidthCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// A width at its largest must still give a column width that fits 16 bits of twips.
TEST(EnvSettings, LargestWidthFitsColumnTwips) {
  EXPECT_LE(DataWidthFromAnswer("1e999") * 100, 32767);
}

TEST(EnvSettings, StartsAtLowerBounds) {
  EnvSettings fresh;
  EXPECT_EQ(fresh.sampleLimit, 101);
  EXPECT_EQ(fresh.dataWidth, 9);
}

}  // namespace
}  // namespace kelvo
