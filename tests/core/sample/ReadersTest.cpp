#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "core/sample/CellStore.h"
#include "core/sample/Readers.h"
#include "core/sample/SampleChecks.h"
#include "core/text/Errors.h"
#include "../UserErrorChecks.h"

namespace kelvo {
namespace {

// Reference values below are worked by hand from the definitions (mean = sum/n,
// second moment = sum of squares/n, variance = sum of squared deviations/(n - 1)).
constexpr double kTol = 1e-12;

// A grid of rows x cols with row 1 (and row 2) filled from column 1 on; "" leaves a cell empty.
CellStore Grid(int rows, int cols, const std::vector<std::string>& row1,
               const std::vector<std::string>& row2 = {}) {
  CellStore store(rows, cols);
  for (std::size_t i = 0; i < row1.size(); ++i) store.setText(1, static_cast<int>(i) + 1, row1[i]);
  for (std::size_t i = 0; i < row2.size(); ++i) store.setText(2, static_cast<int>(i) + 1, row2[i]);
  return store;
}

struct OneSampleRow {
  const char* name;
  InputMode mode;
  std::vector<std::string> values;
  std::vector<std::string> counts;
  int n;
  double mean, secondMoment, variance, maximum, minimum;
};

class OneSampleTest : public ::testing::TestWithParam<OneSampleRow> {};

TEST_P(OneSampleTest, Summary) {
  const OneSampleRow& row = GetParam();
  SampleSummary s = ReadOneSample(Grid(3, 11, row.values, row.counts), row.mode);
  EXPECT_EQ(s.n, row.n);
  EXPECT_NEAR(s.mean, row.mean, kTol);
  EXPECT_NEAR(s.secondMoment, row.secondMoment, kTol);
  EXPECT_NEAR(s.variance, row.variance, kTol);
  EXPECT_NEAR(s.maximum, row.maximum, kTol);
  EXPECT_NEAR(s.minimum, row.minimum, kTol);
  EXPECT_EQ(s.stdDev, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Readers, OneSampleTest,
    ::testing::Values(
        OneSampleRow{"TwoFourSix", InputMode::One, {"2", "4", "6"}, {}, 3, 4, 56.0 / 3, 4, 6, 2},
        OneSampleRow{"SingleValue", InputMode::One, {"5"}, {}, 1, 5, 25, 0, 5, 5},
        OneSampleRow{"GapsAreSkipped", InputMode::One, {"3", "", "", "", "7"}, {}, 2, 5, 29, 8, 7, 3},
        OneSampleRow{"AllNegative", InputMode::One, {"-3", "-1"}, {}, 2, -2, 5, 2, -1, -3},
        OneSampleRow{"CountRowIgnored", InputMode::One, {"2", "4"}, {"10", "10"}, 2, 3, 10, 2, 4, 2},
        OneSampleRow{"EmptyGrid", InputMode::One, {}, {}, 0, 0, 0, 0, 0, 0},
        OneSampleRow{"WeightedOnesAndZeros", InputMode::Two, {"1", "0"}, {"3", "2"}, 5, 0.6, 0.6, 0.3, 1, 0},
        // The value 9 has no count: no part in n or the sums, but it is the maximum.
        OneSampleRow{"EmptyCount", InputMode::Two, {"9", "2"}, {"", "2"}, 2, 2, 4, 0, 9, 2},
        // Whole counts may be written with a point or an exponent.
        OneSampleRow{"WholeCountForms", InputMode::Two, {"1", "2"}, {"2.0", "1e0"}, 3, 4.0 / 3, 2, 1.0 / 3, 2, 1},
        // A total of 0 leaves mean and second moment undivided at 0.
        OneSampleRow{"ZeroTotal", InputMode::Two, {"4"}, {"0"}, 0, 0, 0, 0, 4, 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadOneSampleTest, ReadsLastColumnButNotHeadings) {
  CellStore store(3, 6);
  store.setText(1, 0, "100");  // heading column
  store.setText(0, 1, "100");  // heading row
  store.setText(1, 5, "8");    // last data column
  SampleSummary s = ReadOneSample(store, InputMode::One);
  EXPECT_EQ(s.n, 1);
  EXPECT_EQ(s.mean, 8.0);
}

struct SizeRangeRow {
  const char* name;
  std::vector<std::string> counts;
  bool throws;
  int n;
};

class SizeRangeTest : public ::testing::TestWithParam<SizeRangeRow> {};

TEST_P(SizeRangeTest, SixteenBitTotal) {
  const SizeRangeRow& row = GetParam();
  std::vector<std::string> values(row.counts.size(), "1");
  CellStore store = Grid(3, 6, values, row.counts);
  if (row.throws) {
    try {
      ReadOneSample(store, InputMode::Two);
      ADD_FAILURE() << "no InputError";
    } catch (const InputError& e) {
      EXPECT_EQ(std::string(e.what()), "样本量超出范围");
    }
  } else {
    EXPECT_EQ(ReadOneSample(store, InputMode::Two).n, row.n);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Readers, SizeRangeTest,
    ::testing::Values(SizeRangeRow{"Largest", {"32767"}, false, 32767},
                      SizeRangeRow{"OneTooMany", {"32768"}, true, 0},
                      SizeRangeRow{"SumTooLarge", {"20000", "20000"}, true, 0},
                      // The intermediate total already leaves the range.
                      SizeRangeRow{"IntermediateOverflow", {"30000", "3000", "-10000"}, true, 0},
                      SizeRangeRow{"InfiniteCount", {"1e999"}, true, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadOneSampleTest, MoreObservationsThanSixteenBitsThrows) {
  CellStore store(2, 32769);  // 32768 data columns
  for (int c = 1; c < store.cols(); ++c) store.setText(1, c, "1");
  EXPECT_THROW(ReadOneSample(store, InputMode::One), InputError);
  EXPECT_THROW(ReadTwoSamples(store, InputMode::One), InputError);
  store.setText(1, 1, "");
  EXPECT_EQ(ReadOneSample(store, InputMode::One).n, 32767);
}

struct TwoSampleRow {
  const char* name;
  InputMode mode;
  int rows;
  std::vector<std::string> row1, row2;
  int n1;
  double mean1, m2First, sd1;
  int n2;
  double mean2, m2Second, sd2;
};

class TwoSampleTest : public ::testing::TestWithParam<TwoSampleRow> {};

TEST_P(TwoSampleTest, Summaries) {
  const TwoSampleRow& row = GetParam();
  TwoSampleSummary s = ReadTwoSamples(Grid(row.rows, 11, row.row1, row.row2), row.mode);
  EXPECT_EQ(s.first.n, row.n1);
  EXPECT_NEAR(s.first.mean, row.mean1, kTol);
  EXPECT_NEAR(s.first.secondMoment, row.m2First, kTol);
  EXPECT_NEAR(s.first.stdDev, row.sd1, kTol);
  EXPECT_EQ(s.second.n, row.n2);
  EXPECT_NEAR(s.second.mean, row.mean2, kTol);
  EXPECT_NEAR(s.second.secondMoment, row.m2Second, kTol);
  EXPECT_NEAR(s.second.stdDev, row.sd2, kTol);
  // Fields this reader does not compute stay 0.
  for (const SampleSummary* one : {&s.first, &s.second}) {
    EXPECT_EQ(one->variance, 0.0);
    EXPECT_EQ(one->maximum, 0.0);
    EXPECT_EQ(one->minimum, 0.0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Readers, TwoSampleTest,
    ::testing::Values(
        TwoSampleRow{"TwoFourSixNoSecondRow", InputMode::One, 2, {"2", "4", "6"}, {}, 3, 4, 56.0 / 3, 2, 0, 0, 0, 0},
        TwoSampleRow{"SecondRowReadInThreeRowGrid", InputMode::One, 3, {"2", "4", "6"}, {"1", "", "3"},
                     3, 4, 56.0 / 3, 2, 2, 2, 5, std::sqrt(2.0)},
        TwoSampleRow{"SingleObservation", InputMode::One, 3, {"5"}, {}, 1, 5, 25, 0, 0, 0, 0, 0},
        TwoSampleRow{"GapSkipped", InputMode::One, 2, {"1", "", "", "5"}, {}, 2, 3, 13, std::sqrt(8.0), 0, 0, 0, 0},
        TwoSampleRow{"TypedSummaryWithMark", InputMode::Two, 3, {"10", "3.5", "×", "1.2"}, {},
                     10, 3.5, 0, 1.2, 0, 0, 0, 0},
        TwoSampleRow{"TypedSizeRoundedDown", InputMode::Two, 3, {"7.9", "1", "2", "3"}, {"-2.5", "", "4", ""},
                     7, 1, 2, 3, -3, 0, 4, 0},
        // Cells are read only when the whole text is a number; padding spaces are allowed.
        TwoSampleRow{"TypedNonNumericIgnored", InputMode::Two, 2, {"12", " 2.5 ", "1e", "4D1"}, {},
                     12, 2.5, 0, 40, 0, 0, 0, 0},
        // A spare second row left as the window pre-fills it is an absent sample.
        TwoSampleRow{"TypedUntouchedSecondRow", InputMode::Two, 3, {"5", "1", "×", "2"}, {"", "×", "×", ""},
                     5, 1, 0, 2, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Which of mean and spread the reader had: a window shows no number for the others (once a
// single value showed a variance of 0.000, a "×" cell a mean or variance of 0.000).
TEST(ReadersTest, SayWhichMeanAndSpreadTheyHad) {
  struct Case {
    const char* name;
    std::function<SampleSummary()> read;
    bool hasMean, hasSpread;
  };
  auto one = [](std::vector<std::string> values, std::vector<std::string> counts, InputMode mode) {
    return [=] { return ReadOneSample(Grid(3, 11, values, counts), mode); };
  };
  auto typed = [](std::vector<std::string> row) {
    return [=] { return ReadTwoSamples(Grid(3, 11, row), InputMode::Two).first; };
  };
  const Case cases[] = {
      {"no value", one({}, {}, InputMode::One), false, false},
      {"one value", one({"5"}, {}, InputMode::One), true, false},
      {"two values", one({"5", "5"}, {}, InputMode::One), true, true},
      {"one value counted once", one({"5", "7"}, {"1", "0"}, InputMode::Two), true, false},
      {"one value counted twice", one({"5"}, {"2"}, InputMode::Two), true, true},
      {"raw pair, two-sample reader", [] { return ReadTwoSamples(Grid(3, 11, {"1", "3"}), InputMode::One).first; },
       true, true},
      {"typed mean and s", typed({"10", "0", "×", "0"}), true, true},
      {"typed marks", typed({"10", "×", "5", "×"}), false, false},
      {"typed empty cells", typed({"10", "", "", ""}), false, false},
      {"typed text", typed({"10", "3.5kg", "", "1e"}), false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const SampleSummary s = c.read();
    EXPECT_EQ(s.hasMean, c.hasMean);
    EXPECT_EQ(s.hasSpread, c.hasSpread);
  }
}

TEST(ReadTwoSamplesTest, TypedSizeOutOfRangeThrows) {
  for (const char* size : {"32768", "1e5", "-32768.5", "1e999"}) {
    SCOPED_TRACE(size);
    EXPECT_THROW(ReadTwoSamples(Grid(3, 6, {size}), InputMode::Two), InputError);
    EXPECT_THROW(ReadTwoSamples(Grid(3, 6, {"3"}, {size}), InputMode::Two), InputError);
  }
  EXPECT_EQ(ReadTwoSamples(Grid(3, 6, {"32767.9"}), InputMode::Two).first.n, 32767);
}

// The reader that refuses a grid, with the message a window shows.
struct RefusalRow {
  const char* name;
  std::vector<std::string> row1, row2;
  const char* message;
};

// Repeat counts are whole numbers >= 0 (value and count, input mode two).
class RepeatCountTest : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(RepeatCountTest, ReadOneSampleRefuses) {
  const RefusalRow& row = GetParam();
  ExpectUserError([&] { ReadOneSample(Grid(3, 11, row.row1, row.row2), InputMode::Two); }, row.message);
}

constexpr const char* kCountMessage = "重复数必须是非负整数";

INSTANTIATE_TEST_SUITE_P(
    Readers, RepeatCountTest,
    ::testing::Values(
        // Once read as a mean of 3.000 from the value 4.
        RefusalRow{"Fraction", {"4"}, {"1.5"}, kCountMessage},
        // Once read as n = 1, mean 1.
        RefusalRow{"Negative", {"3", "5"}, {"2", "-1"}, kCountMessage},
        RefusalRow{"Halves", {"1", "3"}, {"2.5", "2.5"}, kCountMessage},
        RefusalRow{"SmallestSixteenBit", {"1"}, {"-32768"}, kCountMessage},
        RefusalRow{"MinusInfinity", {"1"}, {"-1e999"}, kCountMessage},
        RefusalRow{"FractionAfterWholeOnes", {"1", "2", "3"}, {"1", "1", "0.001"}, kCountMessage}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RepeatCountTest, CountsBelowEmptyValuesAndInModeOneAreNotRead) {
  EXPECT_EQ(ReadOneSample(Grid(3, 11, {"2", "", "4"}, {"1", "-1.5", "1"}), InputMode::Two).n, 2);
  EXPECT_EQ(ReadOneSample(Grid(3, 11, {"2", "4"}, {"0.5", "x"}), InputMode::One).n, 2);
}

// A filled cell that is not a number (only a paste puts one there) is refused, never read as 0.
class NonNumericOneSampleTest : public ::testing::TestWithParam<std::pair<RefusalRow, InputMode>> {};

TEST_P(NonNumericOneSampleTest, ReadOneSampleRefuses) {
  const auto& [row, mode] = GetParam();
  ExpectUserError([&] { ReadOneSample(Grid(3, 11, row.row1, row.row2), mode); }, row.message);
}

INSTANTIATE_TEST_SUITE_P(
    Readers, NonNumericOneSampleTest,
    ::testing::Values(
        std::pair{RefusalRow{"LettersModeOne", {"abc", "4"}, {}, "数据错误"}, InputMode::One},
        std::pair{RefusalRow{"TrailingJunkModeOne", {"4", "5kg"}, {}, "数据错误"}, InputMode::One},
        std::pair{RefusalRow{"LettersModeTwo", {"1", "abc"}, {"1", "1"}, "数据错误"}, InputMode::Two},
        std::pair{RefusalRow{"LetterCount", {"1", "2"}, {"x", "3"}, "数据错误"}, InputMode::Two},
        std::pair{RefusalRow{"MarkCount", {"1"}, {"×"}, "数据错误"}, InputMode::Two}),
    [](const auto& info) { return std::string(info.param.first.name); });

class NonNumericTwoSamplesTest : public ::testing::TestWithParam<std::pair<RefusalRow, InputMode>> {};

TEST_P(NonNumericTwoSamplesTest, ReadTwoSamplesRefuses) {
  const auto& [row, mode] = GetParam();
  ExpectUserError([&] { ReadTwoSamples(Grid(3, 11, row.row1, row.row2), mode); }, row.message);
}

INSTANTIATE_TEST_SUITE_P(
    Readers, NonNumericTwoSamplesTest,
    ::testing::Values(
        std::pair{RefusalRow{"LettersFirstSample", {"abc", "4"}, {"1", "2"}, "数据错误"}, InputMode::One},
        std::pair{RefusalRow{"LettersSecondSample", {"3", "4"}, {"1", "2x"}, "数据错误"}, InputMode::One},
        // Typed summaries: a sample without a readable size.
        std::pair{RefusalRow{"EmptySize", {"", "3.5", "×", "1.2"}, {}, "样本量太小"}, InputMode::Two},
        std::pair{RefusalRow{"LetterSize", {"12abc", "3.5", "×", "1.2"}, {}, "样本量太小"}, InputMode::Two},
        std::pair{RefusalRow{"MarkSize", {"×", "3.5", "×", "1.2"}, {}, "样本量太小"}, InputMode::Two},
        std::pair{RefusalRow{"SecondSampleWithoutSize", {"5", "1", "×", "2"}, {"", "2", "×", "1"}, "样本量太小"},
                  InputMode::Two}),
    [](const auto& info) { return std::string(info.param.first.name); });

// ---- the checks a test window makes before it reads its samples ----

TEST(SampleChecks, TypedSizeIsRoundedAndKeptInTheRangeOfSizes) {
  const std::pair<const char*, int> rows[] = {{"12", 12}, {"12.5", 12}, {"13.5", 14}, {"", 0},
                                              {"n", 0},   {"×", 0},     {"1e9", 32767}, {"-1e9", -32768}};
  for (const auto& [text, size] : rows) EXPECT_EQ(TypedSize(Grid(3, 5, {text}), 1), size) << text;
}

TEST(SampleChecks, SizesBelowTwoAreTooSmall) {
  EXPECT_NO_THROW(RequireSampleSizes(2, 0, false));
  EXPECT_NO_THROW(RequireSampleSizes(2, 2, true));
  ExpectUserError([] { RequireSampleSizes(1, 5, false); }, "样本量太小");
  ExpectUserError([] { RequireSampleSizes(5, 1, true); }, "样本量太小");
}

TEST(SampleChecks, CountedSizeTakesWholeCountsAndRefusesBeyondTheRange) {
  EXPECT_EQ(CountedSize(Grid(3, 11, {"1", "", "0", "1"}, {"9", "9", "9"}), InputMode::One), 3.0);
  // A count below an empty value cell is not counted; counts are cut to their whole parts.
  EXPECT_EQ(CountedSize(Grid(3, 11, {"1", "", "0"}, {"2.9", "5", "1"}), InputMode::Two), 3.0);
  EXPECT_NO_THROW(RequireCountedSize(Grid(3, 11, {"1", "0"}, {"16383", "16384"}), InputMode::Two));
  ExpectUserError([] { RequireCountedSize(Grid(3, 11, {"1", "0"}, {"0.9", "1.9"}), InputMode::Two); },
                "样本量太小");
  // 30000 + 30000 in a 16-bit size would wrap round into a negative one.
  ExpectUserError([] { RequireCountedSize(Grid(3, 11, {"1", "0"}, {"30000", "30000"}), InputMode::Two); },
                "样本量超出范围");
}

TEST(SampleChecks, LevelAndKnownValuesMustBeGiven) {
  ExpectUserError([] { RequireLevelGiven(0.0); }, "置信水平数据缺乏");
  EXPECT_NO_THROW(RequireLevelGiven(0.05));
  for (const char* text : {"", "0", "-1"}) ExpectUserError([&] { RequireKnownSigma(text); }, "σ数据缺乏");
  EXPECT_NO_THROW(RequireKnownSigma("0.5"));
  ExpectUserError([] { RequireKnownMean(""); }, "μ数据缺乏");
  EXPECT_NO_THROW(RequireKnownMean("0"));  // any number is a mean
}

TEST(SampleChecks, FirstRowOnlyDropsRowTwoAndUnreadSummaryColumns) {
  const CellStore grid = Grid(3, 8, {"4", "2", "×", "1", "7", "8"}, {"x", "y"});
  const CellStore one = FirstRowOnly(grid, InputMode::One), summary = FirstRowOnly(grid, InputMode::Two);
  EXPECT_EQ(one.rows(), 2);
  EXPECT_EQ(one.text(1, 6), "8");
  EXPECT_EQ(summary.cols(), 5);
  EXPECT_EQ(summary.text(1, 4), "1");
}

}  // namespace
}  // namespace kelvo
