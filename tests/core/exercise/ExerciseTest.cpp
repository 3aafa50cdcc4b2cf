// Problem codes, grading, and what every topic's generator promises: the same code poses the
// same problem, and every posed problem is one its window computes.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "core/exercise/ExerciseCatalogue.h"
#include "core/exercise/Grading.h"
#include "core/files/DataFile.h"
#include "core/tables/TableStore.h"
#include "ExerciseTestSupport.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {

TEST(ProblemCode, ReadsWhatItWritesAndNothingElse) {
  const ProblemCode code{4, 2, 83721};
  EXPECT_EQ(FormatProblemCode(code), "4-2-83721");
  EXPECT_EQ(ParseProblemCode("4-2-83721"), code);
  EXPECT_EQ(ParseProblemCode(" 4 - 2 - 83721 "), code);
  EXPECT_EQ(ParseProblemCode("４－２－８３７２１"), code);  // typed with a Chinese input method
  EXPECT_EQ(ParseProblemCode("4—2—83721"), code);
  for (const char* bad : {"", "4-2", "4-2-", "4--83721", "4-2-100000", "4-2--1", "a-2-3", "4-2-3-4", "4-2-3x"})
    EXPECT_EQ(ParseProblemCode(bad), std::nullopt) << bad;
}

TEST(ProblemCode, PosesTheSameProblemAgainAndOthersForOtherSeeds) {
  for (const ExerciseTopic& topic : ExerciseTopics()) {
    const Problem a = PoseProblem(Tables(), {topic.topic, topic.variant, 83721});
    const Problem b = PoseProblem(Tables(), {topic.topic, topic.variant, 83721});
    EXPECT_EQ(a.context, b.context);
    EXPECT_EQ(a.data, b.data);
    EXPECT_EQ(a.question, b.question);
    EXPECT_EQ(a.solution.plainText(), b.solution.plainText());
    EXPECT_EQ(a.window, b.window);
    std::set<std::string> distinct;
    for (int seed = 0; seed < 10; ++seed)
      distinct.insert(PoseProblem(Tables(), {topic.topic, topic.variant, seed}).solution.plainText());
    EXPECT_GE(distinct.size(), 8u) << topic.name;
  }
  EXPECT_THROW(PoseProblem(Tables(), {99, 1, 1}), InputError);
}

// Over many seeds every topic poses a complete problem whose data file a window can open.
TEST(ProblemCode, EveryTopicPosesCompleteProblemsOverManySeeds) {
  for (const ExerciseTopic& topic : ExerciseTopics())
    for (int seed = 0; seed < 300; seed += 1) {
      SCOPED_TRACE(FormatProblemCode({topic.topic, topic.variant, seed}));
      const Problem p = PoseProblem(Tables(), {topic.topic, topic.variant, seed});
      EXPECT_FALSE(p.context.empty());
      EXPECT_FALSE(p.question.empty());
      EXPECT_FALSE(p.answers.empty());
      EXPECT_FALSE(p.solution.empty());
      for (const ExpectedAnswer& a : p.answers) {
        EXPECT_TRUE(std::isfinite(a.value)) << a.caption;
        EXPECT_TRUE(IsRightAnswer(a, AnswerText(a))) << a.caption;
      }
      const std::string text = FormatDataFile(p.window);
      EXPECT_EQ(ParseDataFile(text, 100000), p.window);
    }
}

TEST(Grading, DecimalsFollowTheKindOfValue) {
  struct Row {
    AnswerKind kind;
    double value;
    int decimals;
  };
  const Row rows[] = {
      {AnswerKind::CriticalValue, 1.96, 2},     {AnswerKind::CriticalValue, 1.645, 3},
      {AnswerKind::CriticalValue, 2.4469, 4},   {AnswerKind::CriticalValue, 16.919, 3},
      {AnswerKind::Statistic, 1.23456, 2},      {AnswerKind::Statistic, 0.0345, 4},
      {AnswerKind::Estimate, 1502.37, 0},       {AnswerKind::Estimate, 0.012345, 4},
      {AnswerKind::Estimate, 4.46154, 2},       {AnswerKind::Estimate, 50.0871, 2},
      {AnswerKind::Estimate, 255.31, 1},
      {AnswerKind::Bound, 49.8765, 2},          {AnswerKind::Probability, 0.598706, 4},
  };
  for (const Row& r : rows) EXPECT_EQ(ExpectedAnswerDecimals(r.kind, r.value), r.decimals) << r.value;
  // A table value keeps the decimals of its table, a last zero included (F = 2.10).
  CriticalValue f;
  f.kind = TableKind::F;
  f.value = 2.1;
  const ExpectedAnswer table = MakeTableAnswer("F", f, f.value, 2.1017);
  EXPECT_EQ(table.decimals, 2);
  EXPECT_TRUE(IsRightAnswer(table, "2.10"));
  EXPECT_FALSE(IsRightAnswer(table, "2.13"));
}

TEST(Grading, AcceptsRoundedAndExactValuesAndRejectsValuesOffByMore) {
  const ExpectedAnswer statistic = MakeAnswer("t", AnswerKind::Statistic, -2.3456);
  const ExpectedAnswer critical = MakeAnswer("z", AnswerKind::CriticalValue, 1.96, 1.959964);
  const ExpectedAnswer bound = MakeAnswer("下限", AnswerKind::Bound, 49.8765, 49.8712);
  struct Row {
    const ExpectedAnswer* answer;
    const char* typed;
    bool right;
  };
  const Row rows[] = {
      {&statistic, "-2.35", true},  {&statistic, "−2.35", true},   {&statistic, "－２．３５", true},   {&statistic, "-2.34", true},
      {&statistic, "-2.3456", true}, {&statistic, "-2.37", false}, {&statistic, "2.35", false},
      {&statistic, "", false},       {&statistic, "abc", false},   {&statistic, "-2.35x", false},
      {&critical, "1.96", true},     {&critical, "1.959964", true}, {&critical, "1.955", true},
      {&critical, "1.95", false},    {&critical, "1.97", false},
      {&bound, "49.88", true},       {&bound, "49.87", true},      {&bound, "49.862", true},
      {&bound, "49.90", false},      {&bound, "49.85", false},
  };
  for (const Row& r : rows) EXPECT_EQ(IsRightAnswer(*r.answer, r.typed), r.right) << r.typed;
}

TEST(Grading, CountsRightAnswersAmongThoseGiven) {
  Problem p;
  p.answers = {MakeAnswer("x̄", AnswerKind::Estimate, 12.5), MakeAnswer("t", AnswerKind::Statistic, 1.5),
               MakeAnswer("z", AnswerKind::CriticalValue, 1.96)};
  p.decisions = {Decision::AcceptH0};
  const Grade g = GradeAnswers(p, {"12.5", " ", "2"}, Decision::AcceptH0);
  EXPECT_EQ(g.answers, (std::vector<std::optional<bool>>{true, std::nullopt, false}));
  EXPECT_EQ(g.decision, true);
  EXPECT_EQ(g.right, 2);
  EXPECT_EQ(g.given, 3);
  const Grade none = GradeAnswers(p, {}, std::nullopt);
  EXPECT_EQ(none.given, 0);
  EXPECT_EQ(none.decision, std::nullopt);
  EXPECT_EQ(GradeAnswers(p, {}, Decision::AcceptH1).decision, false);
}

}  // namespace
}  // namespace kelvo
