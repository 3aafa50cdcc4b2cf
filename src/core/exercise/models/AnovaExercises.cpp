// The analysis of variance: one factor, two factors without replication and two factors with
// replication, computed from the analysis window's own grid.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/anova/Anova.h"
#include "core/anova/AnovaSolution.h"
#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/exercise/models/ModelExercises.h"
#include "core/tables/ExactDistributions.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {


struct OneWayStory {
  const char* context;  // "{s}" levels
  const char* factor;
  const char* response;
  double mean;
  double sigma;
  int decimals;
};

constexpr OneWayStory kOneWayStories[] = {
    {"为比较 {s} 种肥料对小麦产量的影响，把每种肥料各施于若干块面积相同的试验田，测得亩产量（单位：kg）如下表"
     "（A1, …, A{s} 表示各种肥料）：",
     "肥料", "小麦亩产量", 500, 20, 0},
    {"用 {s} 台机器生产同一规格的铝合金薄板，从各台机器的产品中随机抽取若干块，测得厚度（单位：mm）如下表"
     "（A1, …, A{s} 表示各台机器）：",
     "机器", "薄板厚度", 0.25, 0.004, 3},
    {"某校用 {s} 种教学方法分别在若干个平行班进行教学试验，期末从各班随机抽取若干名学生，数学成绩（单位：分）如下表"
     "（A1, …, A{s} 表示各种教学方法）：",
     "教学方法", "学生成绩", 75, 8, 0},
    {"为考察 {s} 种催化剂对某化工产品得率的影响，在其他条件相同的情况下各做若干次试验，得率（单位：%）如下表"
     "（A1, …, A{s} 表示各种催化剂）：",
     "催化剂", "产品得率", 80, 2.5, 1},
    {"用 {s} 种饲料喂养同一品种的仔猪，一个月后测得各头仔猪的增重（单位：kg）如下表（A1, …, A{s} 表示各种饲料）：",
     "饲料", "仔猪增重", 20, 2, 1},
};

struct TwoWayStory {
  const char* context;  // "{r}" levels of A, "{s}" of B, "{rep}" the replication
  const char* factorA;
  const char* factorB;
  const char* response;
  double mean;
  double sigma;
  int decimals;
};

constexpr TwoWayStory kTwoWayStories[] = {
    {"为研究肥料和地块对某作物产量的影响，取 {r} 种肥料（因素 A）在 {s} 块地（因素 B）上搭配试验{rep}，"
     "测得产量（单位：kg）如下表：",
     "肥料", "地块", "产量", 300, 12, 0},
    {"{r} 台机器（因素 A）分别由 {s} 名工人（因素 B）操作{rep}，记录一天的产量（单位：件）如下表：", "机器", "工人",
     "日产量", 60, 3, 0},
    {"为考察催化剂（因素 A，{r} 种）和反应温度（因素 B，{s} 个水平）对某化工产品得率的影响{rep}，得率（单位：%）"
     "如下表：",
     "催化剂", "反应温度", "得率", 75, 1.5, 1},
    {"某商品采用 {r} 种包装（因素 A）在 {s} 个地区（因素 B）试销{rep}，一周的销售量（单位：箱）如下表：", "包装",
     "地区", "销售量", 40, 3, 0},
    {"用 {r} 种教学方法（因素 A）在 {s} 所学校（因素 B）进行教学试验{rep}，学生的平均成绩（单位：分）如下表：",
     "教学方法", "学校", "平均成绩", 75, 3, 1},
};

// Effects of a factor's levels: none, or of the order of the spread, so that both decisions
// occur.
std::vector<double> Effects(ExerciseRandom& random, int levels, double sigma) {
  std::vector<double> effects(static_cast<std::size_t>(levels), 0.0);
  if (random.chance(0.45)) return effects;
  const double scale = random.uniform(0.6, 1.6) * sigma;
  for (double& e : effects) e = random.normal(0.0, scale);
  return effects;
}

DataFileContent AnovaFile(DataInputMode mode, double alpha) {
  DataFileContent file;
  file.window = "FormAnova";
  file.inputMode = mode;
  file.windowMode = 0;
  file.title = "方差分析";
  file.settings.setNumber("level", alpha);
  return file;
}

// A value as the student writes it down: rounded to the decimals it is graded to.
double AsAnswered(double value) { return RoundTo(value, ExpectedAnswerDecimals(AnswerKind::Estimate, value)); }

ExpectedAnswer SumAnswer(const char* caption, double value, std::optional<double> byDifference = std::nullopt) {
  return MakeAnswer(caption, AnswerKind::Estimate, value, byDifference);
}

ExpectedAnswer CriticalAnswer(const AnovaSource& source) {
  return MakeTableAnswer("临界值 " + QuantileSymbol(*source.critical), *source.critical, source.critical->value,
                         source.exactCritical);
}

std::vector<Decision> SourceDecisions(const AnovaSource& source) {
  std::vector<Decision> decisions{source.decision};
  const Decision exact = *source.f >= source.exactCritical ? Decision::AcceptH1 : Decision::AcceptH0;
  if (exact != source.decision) decisions.push_back(exact);
  return decisions;
}

// `where`: "各水平" for one factor, "各搭配" for two.
std::string LevelQuestion(const char* where, double alpha, const std::string& what, const std::string& response) {
  return std::string("设") + where + "下的" + response + "服从方差相同的正态分布。在显著性水平 " + AlphaText(alpha) + " 下，" + what +
         "对" + response + "有无显著影响？";
}

// The cells of one row of a two-factor table: one value, or the repeated ones.
std::string PrintedCell(const std::vector<double>& values, int decimals, const char* separator) {
  std::string text;
  for (const double v : values) text += (text.empty() ? "" : separator) + PrintedValue(v, decimals);
  return text;
}

std::string FileCell(const std::vector<double>& values, int decimals) {
  std::string text;
  for (const double v : values) text += (text.empty() ? "" : " ") + CellValue(v, decimals);
  return text;
}

// The header row of a two-factor table: "A＼B", "B1", ….
std::vector<std::string> TwoFactorHeader(int levelsB) {
  std::vector<std::string> header{"A＼B"};
  for (int j = 0; j < levelsB; ++j) header.push_back("B" + std::to_string(j + 1));
  return header;
}

}  // namespace

Problem OneWayAnovaProblem(TableStore& tables, ExerciseRandom& random) {
  const OneWayStory& story = random.pick(kOneWayStories);
  const double alpha = DrawAlpha(random);
  Problem problem;
  AnovaResult result;
  for (;;) {
    const int s = random.whole(3, 5);
    const bool equal = random.chance(0.5);
    const int common = random.whole(3, 6);
    const std::vector<double> effects = Effects(random, s, story.sigma);
    std::vector<std::vector<double>> levels;
    for (int j = 0; j < s; ++j) {
      const int n = equal ? common : random.whole(3, 6);
      std::vector<double> values;
      for (int i = 0; i < n; ++i) values.push_back(random.normal(story.mean + effects[static_cast<std::size_t>(j)], story.sigma));
      levels.push_back(Printed(values, story.decimals));
    }
    problem.window = AnovaFile(DataInputMode::One, alpha);
    std::size_t widest = 0;
    for (std::size_t j = 0; j < levels.size(); ++j) {
      problem.window.rows.push_back(GridRow(static_cast<int>(j) + 1, levels[j], story.decimals));
      widest = std::max(widest, levels[j].size());
    }
    try {
      result = RunAnova(tables, AnovaDesign::OneWay, GridOf(problem.window), alpha);
    } catch (const InputError&) {
      continue;  // no spread within the levels: draw again
    }
    std::vector<std::string> header{"水平＼试验号"};
    for (std::size_t i = 0; i < widest; ++i) header.push_back(std::to_string(i + 1));
    problem.data = {header};
    for (std::size_t j = 0; j < levels.size(); ++j) {
      std::vector<std::string> row{"A" + std::to_string(j + 1)};
      for (const double v : levels[j]) row.push_back(PrintedValue(v, story.decimals));
      problem.data.push_back(std::move(row));
    }
    problem.context = Fill(story.context, {{"s", std::to_string(s)}});
    break;
  }
  problem.question = LevelQuestion("各水平", alpha, std::string("不同") + story.factor, story.response);
  const AnovaSource& a = result.sources[0];
  const double total = result.total().sumSquares;
  problem.answers = {
      SumAnswer("总平方和 S_T", total),
      SumAnswer("因素平方和 S_A", a.sumSquares),
      SumAnswer("误差平方和 S_E", result.error().sumSquares, AsAnswered(total) - AsAnswered(a.sumSquares)),
      MakeAnswer("F 比", AnswerKind::Statistic, *a.f),
      CriticalAnswer(a),
  };
  problem.decisions = SourceDecisions(a);
  problem.solution = AnovaSolution(result);
  return problem;
}

namespace {

// The two-factor problems: `replicates` observations per cell (1: without replication).
Problem TwoFactorProblem(TableStore& tables, ExerciseRandom& random, bool replicated) {
  const TwoWayStory& story = random.pick(kTwoWayStories);
  const double alpha = DrawAlpha(random);
  const AnovaDesign design = replicated ? AnovaDesign::Replicated : AnovaDesign::TwoWay;
  Problem problem;
  AnovaResult result;
  for (;;) {
    int r = random.whole(3, 4), s = random.whole(3, 5), t = 1;
    if (replicated) {
      r = random.whole(2, 4);
      s = random.whole(2, std::min(4, 12 / r));  // the error's degrees of freedom stay in the F table
      t = random.whole(2, 3);
    }
    const std::vector<double> rowEffects = Effects(random, r, story.sigma);
    const std::vector<double> columnEffects = Effects(random, s, story.sigma);
    const bool interaction = replicated && random.chance(0.5);
    problem.window = AnovaFile(replicated ? DataInputMode::Grouped : DataInputMode::Two, alpha);
    problem.data = {TwoFactorHeader(s)};
    for (int i = 0; i < r; ++i) {
      DataFileRow fileRow{"MSFlexGrid1", i + 1, {}};
      std::vector<std::string> printed{"A" + std::to_string(i + 1)};
      for (int j = 0; j < s; ++j) {
        const double cellMean = story.mean + rowEffects[static_cast<std::size_t>(i)] +
                                columnEffects[static_cast<std::size_t>(j)] +
                                (interaction ? random.normal(0.0, 0.8 * story.sigma) : 0.0);
        std::vector<double> values;
        for (int k = 0; k < t; ++k) values.push_back(random.normal(cellMean, story.sigma));
        values = Printed(values, story.decimals);
        fileRow.cells.push_back(FileCell(values, story.decimals));
        printed.push_back(PrintedCell(values, story.decimals, ", "));
      }
      problem.window.rows.push_back(std::move(fileRow));
      problem.data.push_back(std::move(printed));
    }
    try {
      result = RunAnova(tables, design, GridOf(problem.window), alpha);
    } catch (const InputError&) {
      continue;  // no spread left after rounding: draw again
    }
    const std::string rep = replicated ? "，每种搭配各重复试验 {t} 次" : "";
    problem.context = Fill(story.context, {{"r", std::to_string(r)}, {"s", std::to_string(s)}, {"rep", rep},
                                           {"t", std::to_string(t)}});
    break;
  }
  // The question names one factor (or the interaction); the answers ask every F.
  const int asked = random.whole(0, replicated ? 2 : 1);
  const AnovaSource& named = result.sources[static_cast<std::size_t>(asked)];
  const std::string what = asked == 0   ? std::string(story.factorA) + "（因素 A）"
                           : asked == 1 ? std::string(story.factorB) + "（因素 B）"
                                        : std::string(story.factorA) + "与" + story.factorB + "的交互作用";
  problem.question = LevelQuestion("各搭配", alpha, what, story.response);
  const double total = result.total().sumSquares;
  const double sa = result.sources[0].sumSquares, sb = result.sources[1].sumSquares;
  const double se = result.error().sumSquares;
  problem.answers = {SumAnswer("总平方和 S_T", total), SumAnswer("因素 A 的平方和 S_A", sa),
                     SumAnswer("因素 B 的平方和 S_B", sb)};
  if (replicated) {
    const double sab = result.sources[2].sumSquares;
    problem.answers.push_back(SumAnswer("误差平方和 S_E", se));
    problem.answers.push_back(SumAnswer("交互作用平方和 S_A×B", sab,
                                        AsAnswered(total) - AsAnswered(sa) - AsAnswered(sb) - AsAnswered(se)));
  } else {
    problem.answers.push_back(
        SumAnswer("误差平方和 S_E", se, AsAnswered(total) - AsAnswered(sa) - AsAnswered(sb)));
  }
  const char* fCaptions[] = {"F 比 F_A", "F 比 F_B", "F 比 F_A×B"};
  for (std::size_t k = 0; k < result.sources.size() - 2; ++k)
    problem.answers.push_back(MakeAnswer(fCaptions[k], AnswerKind::Statistic, *result.sources[k].f));
  problem.answers.push_back(CriticalAnswer(named));
  problem.decisions = SourceDecisions(named);
  problem.solution = AnovaSolution(result);
  return problem;
}

}  // namespace

Problem TwoWayAnovaProblem(TableStore& tables, ExerciseRandom& random) {
  return TwoFactorProblem(tables, random, false);
}

Problem ReplicatedAnovaProblem(TableStore& tables, ExerciseRandom& random) {
  return TwoFactorProblem(tables, random, true);
}

}  // namespace kelvo
