// Problem sets: the same topics, count and seed write the same sheet and key; the key holds
// every problem's code, answers and worked solution, the sheet none of the answers.
#include <gtest/gtest.h>

#include <vector>

#include "core/exercise/ExerciseCatalogue.h"
#include "core/exercise/Grading.h"
#include "core/exercise/ProblemSet.h"
#include "core/exercise/ProblemText.h"
#include "core/tables/TableStore.h"
#include "ExerciseTestSupport.h"

namespace kelvo {
namespace {

std::vector<const ExerciseTopic*> AllTopics() {
  std::vector<const ExerciseTopic*> topics;
  for (const ExerciseTopic& t : ExerciseTopics()) topics.push_back(&t);
  return topics;
}

TEST(ProblemSet, SameChoicesGiveTheSameFilesAndAnotherSeedOthers) {
  const std::vector<const ExerciseTopic*> topics = AllTopics();
  const ProblemSetDocuments a = BuildProblemSet(Tables(), topics, 8, 2024);
  const ProblemSetDocuments b = BuildProblemSet(Tables(), topics, 8, 2024);
  EXPECT_EQ(a.sheet, b.sheet);
  EXPECT_EQ(a.key, b.key);
  const ProblemSetDocuments c = BuildProblemSet(Tables(), topics, 8, 2025);
  EXPECT_NE(a.sheet, c.sheet);
  EXPECT_NE(a.key, c.key);
}

TEST(ProblemSet, CodesAreDistinctAndTheCountIsHeldToItsRange) {
  const std::vector<const ExerciseTopic*> topics = AllTopics();
  const std::vector<ProblemCode> codes = ProblemSetCodes(topics, 30, 7);
  ASSERT_EQ(codes.size(), 30u);
  for (std::size_t i = 0; i < codes.size(); ++i)
    for (std::size_t j = i + 1; j < codes.size(); ++j) EXPECT_NE(codes[i], codes[j]);
  EXPECT_EQ(ProblemSetCodes(topics, 0, 7).size(), 1u);
  EXPECT_EQ(ProblemSetCodes(topics, 500, 7).size(), static_cast<std::size_t>(kMaxProblemSetCount));
  EXPECT_TRUE(ProblemSetCodes({}, 10, 7).empty());
}

TEST(ProblemSet, KeyHoldsEveryCodeAnswerAndSolutionAndTheSheetNoAnswer) {
  const std::vector<const ExerciseTopic*> topics = AllTopics();
  const int count = 6;
  std::vector<Problem> problems;
  for (const ProblemCode& code : ProblemSetCodes(topics, count, 99)) problems.push_back(PoseProblem(Tables(), code));
  const ProblemSetDocuments set = ProblemSetHtml(problems, 99);
  for (const Problem& p : problems) {
    const std::string code = "题号 " + FormatProblemCode(p.code);
    EXPECT_NE(set.sheet.find(code), std::string::npos) << code;
    EXPECT_NE(set.key.find(code), std::string::npos) << code;
    EXPECT_NE(set.key.find(SolutionHtmlFragment(p.solution)), std::string::npos) << code;
    EXPECT_NE(set.sheet.find(ProblemDataHtml(p)), std::string::npos) << code;
    // The plain text holds the same data, a row to a line with its cells between tabs.
    for (const std::vector<std::string>& row : p.data) {
      std::string line;
      for (std::size_t c = 0; c < row.size(); ++c) line += (c ? "\t" : "") + row[c];
      EXPECT_NE(ProblemPlainText(p).find("\n" + line + "\n"), std::string::npos) << code;
    }
    for (const ExpectedAnswer& a : p.answers)
      EXPECT_NE(set.key.find("<td>" + AnswerText(a)), std::string::npos) << a.caption;
  }
  // The sheet gives no solution away.
  EXPECT_EQ(set.sheet.find("<h3>"), std::string::npos);
}

}  // namespace
}  // namespace kelvo
