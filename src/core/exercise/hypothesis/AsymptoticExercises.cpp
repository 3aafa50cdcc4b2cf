// Problems on the large-sample tests of a 0-1, binomial, Poisson or exponential population
// (topic 5) and on the skewness and kurtosis test of normality (topic 6).
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/exercise/hypothesis/TestProblemParts.h"
#include "core/hypothesis/AsymptoticTests.h"
#include "core/hypothesis/PValues.h"
#include "core/hypothesis/SkewnessKurtosis.h"
#include "core/sample/Domain.h"
#include "core/sample/Readers.h"
#include "core/sample/SampleChecks.h"
#include "core/tables/ExactDistributions.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {


// A population of one of the band tests, with the standard value its parameter is tested against.
struct BandStory {
  const char* story;     // "{n}" the sample size, "{N}" the trials of one observation
  const char* value;     // the data table's caption of the values: "次品数"
  const char* count;     // of the counts: "箱数"
  const char* subject;   // what the parameter is: "这批产品的次品率"
  const char* symbol;    // "ρ", "λ", "θ"
  const char* unit;      // of θ: " h"; empty for the others
  double standard;       // ρ0, λ0 or θ0
  int trials;            // N of a binomial observation (0 elsewhere)
  int smallest, largest; // the sample sizes drawn
};

constexpr BandStory kProportionStories[] = {
    {"某厂生产的产品按规定次品率不得超过 5%。从一批产品中随机抽取 {n} 件检查，结果如下（x = 1 表示次品）：",
     "是否次品 x", "件数", "这批产品的次品率", "ρ", "", 0.05, 0, 150, 400},
    {"某种种子的发芽率据称为 85%。随机抽取 {n} 粒种子做发芽试验，结果如下（x = 1 表示发芽）：",
     "是否发芽 x", "粒数", "这种种子的发芽率", "ρ", "", 0.85, 0, 100, 300},
    {"某电视节目上月的收视率为 20%。本月随机调查 {n} 户家庭，结果如下（x = 1 表示收看）：",
     "是否收看 x", "户数", "本月的收视率", "ρ", "", 0.20, 0, 200, 500},
    {"某地区去年成年人的吸烟率为 30%。今年随机调查 {n} 名成年人，结果如下（x = 1 表示吸烟）：",
     "是否吸烟 x", "人数", "今年该地区成年人的吸烟率", "ρ", "", 0.30, 0, 150, 400},
    {"某品牌声称其顾客满意率为 90%。随机调查 {n} 位顾客，结果如下（x = 1 表示满意）：",
     "是否满意 x", "人数", "顾客的满意率", "ρ", "", 0.90, 0, 100, 300},
};

constexpr BandStory kBinomialStories[] = {
    {"某厂产品每箱装 {N} 件。随机抽查 {n} 箱，各箱中的次品数如下：", "次品数 x", "箱数",
     "产品的次品率", "ρ", "", 0.10, 10, 60, 150},
    {"某射手每组射击 {N} 发。记录了他 {n} 组射击中每组的命中数如下：", "命中数 x", "组数",
     "他每发的命中率", "ρ", "", 0.70, 5, 50, 120},
    {"某种药物对每只试验动物有效的概率为 p。每组用 {N} 只动物做试验，共做 {n} 组，各组中有效的只数如下：",
     "有效只数 x", "组数", "药物的有效率", "ρ", "", 0.60, 8, 50, 120},
    {"某篮球运动员每轮罚球 {N} 次。记录了他 {n} 轮罚球中每轮的命中数如下：", "命中数 x", "轮数",
     "他每次罚球的命中率", "ρ", "", 0.75, 4, 50, 120},
    {"某种花卉每盆播种 {N} 粒种子。共播种 {n} 盆，各盆中发芽的粒数如下：", "发芽粒数 x", "盆数",
     "种子的发芽率", "ρ", "", 0.80, 6, 50, 120},
};

constexpr BandStory kPoissonStories[] = {
    {"某路口每天发生的交通事故数服从泊松分布。记录了 {n} 天的事故数如下：", "事故数 x", "天数",
     "每天的平均事故数", "λ", "", 1.2, 0, 80, 200},
    {"某电话总机每分钟收到的呼叫次数服从泊松分布。观察了 {n} 分钟，结果如下：", "呼叫次数 x", "分钟数",
     "每分钟的平均呼叫次数", "λ", "", 3.0, 0, 60, 150},
    {"每页书上的印刷错误数服从泊松分布。抽查了一本书的 {n} 页，结果如下：", "错误数 x", "页数",
     "每页的平均错误数", "λ", "", 0.8, 0, 100, 250},
    {"某网站每分钟收到的访问请求数服从泊松分布。记录了 {n} 分钟的请求数如下：", "请求数 x", "分钟数",
     "每分钟的平均请求数", "λ", "", 2.5, 0, 60, 150},
    {"某纺织厂布匹每平方米上的疵点数服从泊松分布。检查了 {n} 平方米布匹，结果如下：", "疵点数 x", "平方米数",
     "每平方米的平均疵点数", "λ", "", 1.5, 0, 80, 200},
};

constexpr BandStory kExponentialStories[] = {
    {"某种电子元件的寿命（单位：h）服从指数分布。随机抽取 {n} 只做寿命试验，测得寿命如下：", "寿命/h", "",
     "元件的平均寿命", "θ", " h", 1000, 0, 30, 50},
    {"某银行窗口顾客的服务时间（单位：min）服从指数分布。随机记录了 {n} 位顾客的服务时间如下：", "时间/min", "",
     "平均服务时间", "θ", " min", 4, 0, 30, 50},
    {"某型号灯管的寿命（单位：kh）服从指数分布。随机抽取 {n} 支做试验，测得寿命如下：", "寿命/kh", "",
     "灯管的平均寿命", "θ", " kh", 6, 0, 30, 50},
    {"某种保险丝在过载试验中的熔断时间（单位：s）服从指数分布。随机抽取 {n} 只做试验，测得熔断时间如下：",
     "时间/s", "", "平均熔断时间", "θ", " s", 20, 0, 30, 50},
    {"某客服热线相邻两次来电的间隔时间（单位：min）服从指数分布。随机记录了 {n} 个间隔如下：", "间隔/min", "",
     "平均间隔时间", "θ", " min", 2.5, 0, 30, 50},
};

// The decimals of the exponential stories' data: whole hours, tenths of a minute, of a kh.
int ExponentialDecimals(double theta) { return theta >= 100 ? 0 : 1; }

// The window's data file for a test of Form8.
DataFileContent Form8File(int mode, const char* title, double alpha, int hypothesis, std::optional<double> value,
                          int trials) {
  DataFileContent file;
  file.window = "Form8";
  file.windowMode = mode;
  file.title = title;
  file.settings.setNumber("level", alpha);
  file.settings.set("hypothesis", std::to_string(hypothesis));
  if (value) file.settings.setNumber("hypothesisValue", *value);
  if (trials > 0) file.settings.set("trials", std::to_string(trials));
  return file;
}

// The values 0 … largest and how often each occurs.
std::vector<double> CountsOf(const std::vector<int>& draws, int largest) {
  std::vector<double> counts(static_cast<std::size_t>(largest) + 1, 0.0);
  for (int d : draws) counts[static_cast<std::size_t>(d)] += 1.0;
  return counts;
}

std::string Relation(Hypothesis hypothesis) {
  return hypothesis == Hypothesis::Greater ? "大于 " : hypothesis == Hypothesis::Less ? "小于 " : "为 ";
}

struct BandMode {
  AsymptoticTest test;
  int mode;
  const char* title;
  std::span<const BandStory> stories;
};

Problem BandProblem(TableStore& tables, ExerciseRandom& random, const BandMode& band) {
  const BandStory& story = random.pick(band.stories);
  const int n = random.whole(story.smallest, story.largest);
  const double alpha = DrawAlpha(random);
  const Hypothesis hypothesis = DrawHypothesis(random);
  // The true parameter at the standard or off it by up to three of the mean's standard errors.
  const double c = story.standard;
  double error = 0.0;
  switch (band.test) {
    case AsymptoticTest::Proportion: error = std::sqrt(c * (1 - c) / n); break;
    case AsymptoticTest::BinomialProportion: error = std::sqrt(c * (1 - c) / (story.trials * n)); break;
    case AsymptoticTest::PoissonMean: error = std::sqrt(c / n); break;
    case AsymptoticTest::ExponentialMean: error = c / std::sqrt(n); break;
  }
  double truth = c + (random.chance(0.4) ? 0.0 : random.uniform(-3.0, 3.0) * error);
  if (band.test == AsymptoticTest::Proportion || band.test == AsymptoticTest::BinomialProportion)
    truth = std::min(0.98, std::max(0.02, truth));
  else
    truth = std::max(0.1 * c, truth);
  const bool exponential = band.test == AsymptoticTest::ExponentialMean;
  const int decimals = exponential ? ExponentialDecimals(c) : 0;
  for (;;) {
    Problem problem;
    problem.context = Fill(story.story, {{"n", std::to_string(n)}, {"N", std::to_string(story.trials)}});
    problem.window = Form8File(band.mode, band.title, alpha, static_cast<int>(hypothesis), c, story.trials);
    if (exponential) {
      std::vector<double> values;
      for (int i = 0; i < n; ++i) values.push_back(random.exponential(truth));
      values = Printed(values, decimals);
      problem.data = SampleTable(story.value, values, decimals);
      problem.window.rows.push_back(GridRow(1, values, decimals));
    } else {
      std::vector<int> draws;
      int largest = band.test == AsymptoticTest::Proportion ? 1 : 0;
      for (int i = 0; i < n; ++i) {
        int x = 0;
        switch (band.test) {
          case AsymptoticTest::Proportion: x = random.chance(truth) ? 1 : 0; break;
          case AsymptoticTest::BinomialProportion: x = random.binomial(story.trials, truth); break;
          default: x = random.poisson(truth); break;
        }
        draws.push_back(x);
        largest = std::max(largest, x);
      }
      std::vector<double> xs;
      for (int x = 0; x <= largest; ++x) xs.push_back(x);
      const std::vector<double> counts = CountsOf(draws, largest);
      problem.data = {{story.value}, {story.count}};
      for (std::size_t i = 0; i < xs.size(); ++i) {
        problem.data[0].push_back(PrintedValue(xs[i], 0));
        problem.data[1].push_back(PrintedValue(counts[i], 0));
      }
      problem.window.inputMode = DataInputMode::Two;
      problem.window.rows.push_back(GridRow(1, xs, 0));
      problem.window.rows.push_back(GridRow(2, counts, 0));
    }
    AsymptoticTestInput input;
    input.test = band.test;
    input.rho0 = input.lambda0 = input.theta0 = c;
    input.trialCount = story.trials;
    input.hypothesis = hypothesis;
    input.alpha = alpha;
    TestResult result;
    try {
      const InputMode mode = exponential ? InputMode::One : InputMode::Two;
      const CellStore grid = GridOf(problem.window);
      RequireCountedSize(grid, mode);
      static constexpr Family kFamilies[] = {Family::Bernoulli, Family::Binomial, Family::Poisson, Family::Exponential};
      CheckDomain(grid, kFamilies[static_cast<int>(band.test)], story.trials);
      input.sample = ReadOneSample(grid, mode);
      result = RunAsymptoticTest(tables, input);
    } catch (const InputError&) {
      continue;
    }
    const std::string value = SolutionNumber(c);
    problem.question = "在显著性水平 " + AlphaText(alpha) + " 下，能否认为" + story.subject + Relation(hypothesis) +
                       value + story.unit + "？（用大样本检验）";
    HypothesisTexts texts = RelationTexts(hypothesis, story.symbol, value);
    // The band tests state H0 as an equality for every choice, as the window does.
    texts.h0 = std::string(story.symbol) + " = " + value;
    problem.answers = {MakeAnswer("样本均值 x̄", AnswerKind::Estimate, result.statistic),
                       CriticalAnswer(DecidingValue(result, hypothesis))};
    const double centre = result.intermediates.find("centre").value_or(0.0);
    const double e = result.intermediates.find("standardError").value_or(0.0);
    const double z = std::fabs(ExactQuantile(DecidingValue(result, hypothesis)));
    if (hypothesis != Hypothesis::Greater)
      problem.answers.push_back(MakeAnswer("接受域的下限", AnswerKind::Bound,
                                           result.intermediates.find("lowerEdge").value_or(0.0), centre - z * e));
    if (hypothesis != Hypothesis::Less)
      problem.answers.push_back(MakeAnswer("接受域的上限", AnswerKind::Bound,
                                           result.intermediates.find("upperEdge").value_or(0.0), centre + z * e));
    problem.decisions = GradedDecisions(result, TestFamily::Band, hypothesis, alpha);
    problem.solution = BandTestSolution(result, input, texts);
    return problem;
  }
}

// A sample whose normality is in question, with a typical mean and spread.
struct NormalityStory {
  const char* story;    // "{n}" the sample size
  const char* caption;  // the data table's
  double mean;
  double sd;
  int decimals;
};

constexpr NormalityStory kNormalityStories[] = {
    {"从某厂生产的一批钢丝中随机抽取 {n} 根，测得其抗拉强度（单位：MPa）如下：", "强度/MPa", 1200, 40, 0},
    {"某地区随机抽查 {n} 名成年男子，测得身高（单位：cm）如下：", "身高/cm", 170, 6, 1},
    {"某自动包装机包装的食盐，随机抽取 {n} 袋称得质量（单位：g）如下：", "质量/g", 500, 4, 1},
    {"某医院随机抽取 {n} 名新生儿，测得出生体重（单位：kg）如下：", "体重/kg", 3.3, 0.45, 2},
    {"某门课程随机抽取 {n} 名学生的期末成绩（单位：分）如下：", "成绩/分", 72, 10, 0},
    {"某品牌手机电池随机抽取 {n} 块，测得满电待机时间（单位：h）如下：", "时间/h", 300, 25, 0},
};

Problem SkewnessKurtosisProblemImpl(TableStore& tables, ExerciseRandom& random) {
  const NormalityStory& story = random.pick(kNormalityStories);
  // The window reads the first 100 cells of its one row.
  const int n = random.whole(50, 100);
  const double alpha = DrawAlpha(random);
  // Most samples are normal; some are skewed (exponential about the mean) or flat (uniform),
  // so both decisions occur.
  const int shape = random.chance(0.5) ? 0 : random.whole(1, 2);
  for (;;) {
    std::vector<double> values;
    for (int i = 0; i < n; ++i) {
      double v = 0.0;
      switch (shape) {
        case 0: v = random.normal(story.mean, story.sd); break;
        case 1: v = story.mean + story.sd * (random.exponential(1.0) - 1.0); break;
        default: v = story.mean + story.sd * std::sqrt(3.0) * random.uniform(-1.0, 1.0); break;
      }
      values.push_back(v);
    }
    values = Printed(values, story.decimals);
    Problem problem;
    problem.context = Fill(story.story, {{"n", std::to_string(n)}});
    problem.data = SampleTable(story.caption, values, story.decimals);
    problem.window = Form8File(5, "偏度,峰度检验", alpha, 0, std::nullopt, 0);
    problem.window.rows.push_back(GridRow(1, values, story.decimals));
    TestResult result;
    try {
      result = TestSkewnessKurtosis(tables, GridOf(problem.window), alpha);
    } catch (const InputError&) {
      continue;
    }
    problem.question = "在显著性水平 " + AlphaText(alpha) + " 下，用偏度、峰度检验法检验这组数据是否来自正态总体。";
    auto value = [&](const char* name) { return result.intermediates.find(name).value_or(0.0); };
    problem.answers = {MakeAnswer("样本偏度 g₁", AnswerKind::Estimate, value("g1")),
                       MakeAnswer("样本峰度 g₂", AnswerKind::Estimate, value("g2")),
                       MakeAnswer("统计量 u₁ 的值", AnswerKind::Statistic, value("u1")),
                       MakeAnswer("统计量 u₂ 的值", AnswerKind::Statistic, value("u2")),
                       CriticalAnswer(result.criticalValues.front())};
    problem.decisions = GradedDecisions(result, TestFamily::SkewnessKurtosis, Hypothesis::TwoSided, alpha);
    problem.solution = SkewnessKurtosisSolution(result, alpha);
    return problem;
  }
}

}  // namespace

Problem ProportionProblem(TableStore& tables, ExerciseRandom& random) {
  return BandProblem(tables, random, {AsymptoticTest::Proportion, 1, "0-1分布", kProportionStories});
}
Problem BinomialProblem(TableStore& tables, ExerciseRandom& random) {
  return BandProblem(tables, random, {AsymptoticTest::BinomialProportion, 2, "二项分布", kBinomialStories});
}
Problem PoissonProblem(TableStore& tables, ExerciseRandom& random) {
  return BandProblem(tables, random, {AsymptoticTest::PoissonMean, 3, "泊松分布", kPoissonStories});
}
Problem ExponentialProblem(TableStore& tables, ExerciseRandom& random) {
  return BandProblem(tables, random, {AsymptoticTest::ExponentialMean, 4, "指数分布", kExponentialStories});
}
Problem SkewnessKurtosisProblem(TableStore& tables, ExerciseRandom& random) {
  return SkewnessKurtosisProblemImpl(tables, random);
}

}  // namespace kelvo
