// Problems on the rank-sum test of two small samples (topic 8).
#include <string>
#include <vector>

#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/exercise/hypothesis/TestProblemParts.h"
#include "core/hypothesis/PValues.h"
#include "core/hypothesis/RankSum.h"
#include "core/tables/ExactDistributions.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {


// Two populations of the same shape, compared without assuming a law.
struct RankSumStory {
  const char* story;   // "{n1}" and "{n2}" the sample sizes
  const char* first;   // the first row's caption
  const char* second;
  const char* what;    // what the question compares: "的平均寿命"
  double mu;           // a typical value
  double sd;           // its spread
  int decimals;
};

constexpr RankSumStory kStories[] = {
    {"为比较两种工艺生产的灯泡寿命（单位：kh），从甲工艺的产品中抽取 {n1} 只，从乙工艺的产品中抽取 {n2} 只，"
     "测得寿命如下：",
     "甲工艺", "乙工艺", "灯泡的寿命", 1.6, 0.25, 2},
    {"某校从两个班分别随机抽取 {n1} 名和 {n2} 名学生，记录其每周的课外阅读时间（单位：h）如下：",
     "一班", "二班", "的课外阅读时间", 6.5, 1.8, 1},
    {"为比较两种安眠药的效果，{n1} 名失眠者服用甲药，{n2} 名服用乙药，记录延长的睡眠时间（单位：h）如下：",
     "甲药", "乙药", "延长的睡眠时间", 2.0, 0.8, 1},
    {"分别从两个产地各抽取若干份茶叶样品（甲地 {n1} 份，乙地 {n2} 份），测得其茶多酚含量（单位：%）如下：",
     "甲地", "乙地", "茶叶的茶多酚含量", 18.0, 1.5, 1},
    {"为比较两种饲料对幼鱼增重的效果，甲组 {n1} 尾、乙组 {n2} 尾，测得增重（单位：g）如下：",
     "甲饲料", "乙饲料", "幼鱼的增重", 35, 6, 0},
    {"从两家工厂生产的同型号轴承中分别抽取 {n1} 个和 {n2} 个，测得其磨损量（单位：mg）如下：",
     "甲厂", "乙厂", "轴承的磨损量", 12.0, 2.0, 1},
};

DataFileContent Form7File(double alpha, RankSumHypothesis hypothesis) {
  DataFileContent file;
  file.window = "Form7";
  file.windowMode = 0;
  file.title = "秩和检验";
  file.settings.setNumber("level", alpha);
  file.settings.set("hypothesis", std::to_string(static_cast<int>(hypothesis)));
  return file;
}

}  // namespace

Problem RankSumProblem(TableStore& tables, ExerciseRandom& random) {
  const RankSumStory& story = random.pick(kStories);
  // Both sizes inside the rank-sum table, which has no row for the smallest pairs.
  const int n1 = random.whole(4, 10);
  const int n2 = random.whole(4, 10);
  const double alpha = DrawAlpha(random);
  constexpr RankSumHypothesis kChoices[] = {RankSumHypothesis::TwoSided, RankSumHypothesis::FirstLess,
                                            RankSumHypothesis::FirstGreater};
  const RankSumHypothesis hypothesis = random.pick(kChoices);
  const double shift = random.chance(0.4) ? 0.0 : random.uniform(-2.0, 2.0) * story.sd;
  for (;;) {
    std::vector<double> first, second;
    for (int i = 0; i < n1; ++i) first.push_back(random.normal(story.mu, story.sd));
    for (int i = 0; i < n2; ++i) second.push_back(random.normal(story.mu + shift, story.sd));
    first = Printed(first, story.decimals);
    second = Printed(second, story.decimals);
    Problem problem;
    problem.context = Fill(story.story, {{"n1", std::to_string(n1)}, {"n2", std::to_string(n2)}});
    problem.data = SampleTable(story.first, first, story.decimals);
    for (auto& row : SampleTable(story.second, second, story.decimals)) problem.data.push_back(std::move(row));
    problem.window = Form7File(alpha, hypothesis);
    problem.window.rows.push_back(GridRow(1, first, story.decimals));
    problem.window.rows.push_back(GridRow(2, second, story.decimals));
    RankSumResult result;
    try {
      result = ComputeRankSumTest(tables, GridOf(problem.window), hypothesis, *problem.window.settings.find("level"));
    } catch (const InputError&) {
      continue;
    }
    if (!result.bounds) continue;
    const std::string level = "设两总体的分布形状相同、至多相差一个平移。在显著性水平 " + AlphaText(alpha) +
                              " 下，用秩和检验法检验：能否认为";
    const std::string a = story.first, b = story.second;
    RankSumSolutionInput input;
    input.hypothesis = hypothesis;
    input.alpha = alpha;
    switch (hypothesis) {
      case RankSumHypothesis::FirstLess:
        problem.question = level + a + story.what + "小于" + b + "？";
        input.texts = {"μ₁ = μ₂", "μ₁ < μ₂"};
        break;
      case RankSumHypothesis::FirstGreater:
        problem.question = level + a + story.what + "大于" + b + "？";
        input.texts = {"μ₁ = μ₂", "μ₁ > μ₂"};
        break;
      case RankSumHypothesis::TwoSided:
        problem.question = level + a + "与" + b + story.what + "有显著差异？";
        input.texts = {"μ₁ = μ₂", "μ₁ ≠ μ₂"};
        break;
    }
    const RankSumBounds& bounds = *result.bounds;
    const ExactRankSumBounds exact =
        ExactRankSumCriticalValues(bounds.smallerSize, bounds.largerSize, result.alphaPrime);
    auto bound = [](const char* caption, int table, bool exists, int exactValue) {
      return MakeAnswer(caption, AnswerKind::CriticalValue, table,
                        exists ? std::optional<double>(exactValue) : std::nullopt);
    };
    problem.answers = {MakeAnswer("容量较小的样本的秩和 W", AnswerKind::Statistic, result.w),
                       bound("临界值 T₁", bounds.t1, exact.lowerExists, exact.lower),
                       bound("临界值 T₂", bounds.t2, exact.upperExists, exact.upper)};
    problem.decisions = {result.test.decision};
    const Decision exactDecision = ExactDecision(result, hypothesis);
    if (exactDecision != result.test.decision) problem.decisions.push_back(exactDecision);
    problem.solution = RankSumSolution(result, input);
    return problem;
  }
}

}  // namespace kelvo
