// Simple linear regression: the fitted line, the t test of its slope and a prediction, computed
// from the regression window's own grid.
#include <optional>
#include <string>
#include <vector>

#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/exercise/models/ModelExercises.h"
#include "core/regression/Regression.h"
#include "core/regression/RegressionDocuments.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {


struct RegressionStory {
  const char* context;  // "{n}" pairs
  const char* xCaption;
  const char* yCaption;
  const char* xName;  // how the question names x at x0
  const char* xUnit;
  double xStart[3];   // equally spaced x from one of these …
  double xStep;       // … by this step; 0: x drawn at random between the next two
  double xLow, xHigh;
  double a, b;  // the line the data scatter about, at full slope
  double sigma;
  int xDecimals, yDecimals;
};

constexpr RegressionStory kStories[] = {
    {"某公司为研究广告费 x（单位：万元）对销售额 y（单位：万元）的影响，收集了 {n} 个月的数据如下：", "广告费 x/万元",
     "销售额 y/万元", "广告费", "万元", {1, 2, 3}, 1, 1, 12, 15, 4.5, 2.5, 0, 1},
    {"某化工产品的得率 y（单位：%）与反应温度 x（单位：°C）有关，在 {n} 个温度下各做一次试验，得数据如下：",
     "温度 x/°C", "得率 y/%", "温度", "°C", {100, 110, 120}, 10, 100, 210, -2.7, 0.48, 1.0, 0, 1},
    {"随机抽取 {n} 名成年男子，测得身高 x（单位：cm）与体重 y（单位：kg）如下：", "身高 x/cm", "体重 y/kg", "身高",
     "cm", {0, 0, 0}, 0, 155, 185, -95, 0.92, 3.5, 0, 1},
    {"为研究某药物剂量 x（单位：mg）与某项生理指标的反应值 y 的关系，做了 {n} 次试验，得数据如下：", "剂量 x/mg",
     "反应值 y", "剂量", "mg", {2, 4, 6}, 2, 2, 30, 8, 3.2, 3.0, 0, 1},
    {"从某班随机抽取 {n} 名学生，统计每周自习时间 x（单位：h）与期末考试成绩 y（单位：分）如下：", "自习时间 x/h",
     "成绩 y/分", "每周自习时间", "h", {0, 0, 0}, 0, 2, 20, 48, 2.1, 6.0, 0, 0},
};

// A value as the student writes it down: rounded to the decimals it is graded to.
double AsAnswered(double value) { return RoundTo(value, ExpectedAnswerDecimals(AnswerKind::Estimate, value)); }

}  // namespace

Problem LinearRegressionProblem(TableStore& tables, ExerciseRandom& random) {
  const RegressionStory& story = random.pick(kStories);
  const double alpha = DrawAlpha(random);
  Problem problem;
  RegressionResult result;
  std::optional<double> x0;
  for (;;) {
    const bool spaced = story.xStep > 0;
    const int n = spaced ? random.whole(6, 10) : random.whole(8, 12);
    const double start = random.pick(story.xStart);
    std::vector<double> x;
    for (int i = 0; i < n; ++i)
      x.push_back(spaced ? start + i * story.xStep : random.uniform(story.xLow, story.xHigh));
    x = Printed(x, story.xDecimals);
    // A slope near zero now and then, so that the test also keeps H0.
    const double slope = story.b * (random.chance(0.3) ? random.uniform(0.0, 0.25) : random.uniform(0.5, 1.2));
    const double centre = (story.xLow + story.xHigh) / 2;
    std::vector<double> y;
    for (const double xi : x)
      y.push_back(random.normal(story.a + story.b * centre + slope * (xi - centre), story.sigma));
    y = Printed(y, story.yDecimals);
    x0.reset();
    if (random.chance(0.5))
      x0 = spaced ? start + story.xStep * random.whole(0, n)
                  : RoundTo(random.uniform(story.xLow, story.xHigh), story.xDecimals);

    problem.window = DataFileContent{};
    problem.window.window = "FormRegression";
    problem.window.windowMode = 0;
    problem.window.title = "一元线性回归";
    problem.window.settings.setNumber("level", alpha);
    problem.window.settings.set("x0", x0 ? CellValue(*x0, story.xDecimals) : std::string());
    problem.window.settings.set("model", "0");
    problem.window.rows = {GridRow(1, x, story.xDecimals), GridRow(2, y, story.yDecimals)};
    RegressionInput input;
    input.model = RegressionModel::Linear;
    input.alpha = alpha;
    input.x0 = x0;
    try {
      input.pairs = ReadRegressionPairs(GridOf(problem.window), InputMode::One);
      result = FitRegression(tables, input);
    } catch (const InputError&) {
      continue;  // x all equal or every point on the line after rounding: draw again
    }
    problem.context = Fill(story.context, {{"n", std::to_string(n)}});
    problem.data = {SampleTable(story.xCaption, x, story.xDecimals, 12)[0],
                    SampleTable(story.yCaption, y, story.yDecimals, 12)[0]};
    break;
  }
  problem.question = "(1) 求 y 关于 x 的线性回归方程 ŷ = â + b̂x；(2) 在显著性水平 " + AlphaText(alpha) +
                     " 下检验回归效果是否显著（H0：b = 0）";
  if (x0)
    problem.question += "；(3) 求" + std::string(story.xName) + " x0 = " + PrintedValue(*x0, story.xDecimals) + " " +
                        story.xUnit + " 时 y 的预测值 ŷ0";
  problem.question += "。";
  problem.answers = {
      MakeAnswer("回归系数 b̂", AnswerKind::Estimate, result.b),
      MakeAnswer("回归常数 â", AnswerKind::Estimate, result.a, result.vBar - AsAnswered(result.b) * result.uBar),
      MakeAnswer("检验统计量 t 的值", AnswerKind::Statistic, result.t),
      MakeTableAnswer("临界值 " + QuantileSymbol(result.critical), result.critical, result.critical.value,
                      result.exactCritical),
  };
  if (result.prediction)
    problem.answers.push_back(MakeAnswer("预测值 ŷ0", AnswerKind::Estimate, result.prediction->y0,
                                         AsAnswered(result.a) + AsAnswered(result.b) * result.prediction->x0));
  problem.decisions = {result.decision};
  if (result.exactDecision != result.decision) problem.decisions.push_back(result.exactDecision);
  problem.solution = RegressionSolution(result);
  return problem;
}

}  // namespace kelvo
