// Problems on the χ² goodness-of-fit test (topic 7): counts of a discrete law as a frequency
// table, measurements of a continuous law as grouped data.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/exercise/hypothesis/TestProblemParts.h"
#include "core/hypothesis/GoodnessOfFit.h"
#include "core/hypothesis/PValues.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {


// A law given point by point: the categories coded 1 … k with their probabilities.
struct LawStory {
  const char* story;      // "{n}" the number of observations
  const char* categories; // how the codes read, said before the question
  const char* count;      // the data table's caption of the counts
  const char* question;   // what H0 says, after "能否认为"
  std::array<double, 5> p;
  int k;
};

constexpr LawStory kLawStories[] = {
    {"按孟德尔遗传规律，豌豆杂交后代中黄圆、黄皱、绿圆、绿皱四种类型的比例应为 9∶3∶3∶1。观察了 {n} 株后代，结果如下：",
     "表中 x = 1, 2, 3, 4 依次表示黄圆、黄皱、绿圆、绿皱。", "株数", "杂交后代四种类型的比例为 9∶3∶3∶1", {0.5625, 0.1875, 0.1875, 0.0625}, 4},
    {"某超市销售四种品牌的同类饮料，经理认为顾客对四种品牌没有偏好。随机记录了 {n} 位顾客的选择，结果如下：",
     "表中 x = 1, 2, 3, 4 表示四种品牌。", "人数", "顾客对四种品牌没有偏好（各占 1/4）", {0.25, 0.25, 0.25, 0.25}, 4},
    {"某厂产品的缺陷按以往资料分为四类，所占比例依次为 0.4、0.3、0.2、0.1。现检查了 {n} 件有缺陷的产品，各类缺陷的件数如下：",
     "表中 x = 1, 2, 3, 4 表示四类缺陷。", "件数", "各类缺陷的比例仍为 0.4、0.3、0.2、0.1", {0.4, 0.3, 0.2, 0.1}, 4},
    {"某路段的交通事故记录显示，事故在一周的五个工作日内发生的机会似乎相同。统计了 {n} 起工作日事故发生在星期几，结果如下：",
     "表中 x = 1, …, 5 表示星期一至星期五。", "起数", "事故在五个工作日发生的机会相同", {0.2, 0.2, 0.2, 0.2, 0.2}, 5},
    {"据以往资料，某地区人群中 O、A、B、AB 四种血型的比例为 0.35、0.30、0.25、0.10。随机抽查该地区 {n} 人，结果如下：",
     "表中 x = 1, 2, 3, 4 依次表示 O、A、B、AB 型。", "人数", "该地区血型的比例仍为 0.35、0.30、0.25、0.10", {0.35, 0.30, 0.25, 0.10}, 4},
};

// A population of a law with its parameters: counts of a discrete law, or measurements
// grouped into classes of equal width.
struct LawFitStory {
  const char* story;    // "{n}" the number of observations, "{N}" the trials of a binomial one
  const char* value;    // the data table's caption of the values or classes
  const char* count;    // of the counts
  const char* subject;  // what follows the law: "每天发生的事故数"
  double a;             // λ; N; μ; θ; A
  double b;             // p; σ; B (unused elsewhere)
  double width;         // the class width of grouped data
  int decimals;         // of the measurements
  int boundDecimals;    // of the class bounds
  int smallest, largest;
};

constexpr LawFitStory kPoissonStories[] = {
    {"某路口记录了 {n} 天中每天发生的交通事故数，结果如下：", "事故数 x", "天数", "每天发生的事故数", 1.2, 0, 0, 0, 0, 100, 250},
    {"观察某放射性物质，在 {n} 个 7.5 秒的时间间隔内记录到达计数器的 α 粒子数，结果如下：", "粒子数 x", "间隔数",
     "每个间隔内的粒子数", 3.5, 0, 0, 0, 0, 150, 400},
    {"检查了一本书的 {n} 页，各页上的印刷错误个数如下：", "错误数 x", "页数", "每页上的错误数", 0.9, 0, 0, 0, 0, 100, 250},
    {"某电话交换台在 {n} 分钟内记录了每分钟的呼叫次数，结果如下：", "呼叫次数 x", "分钟数", "每分钟的呼叫次数", 2.5, 0, 0, 0, 0, 100, 250},
    {"检查了 {n} 匹布，各匹布上的疵点数如下：", "疵点数 x", "匹数", "每匹布上的疵点数", 1.8, 0, 0, 0, 0, 80, 200},
};

constexpr LawFitStory kZeroOneStories[] = {
    {"某厂声称其产品的次品率为 {P}。随机抽取 {n} 件产品检查，结果如下（x = 1 表示次品）：", "是否次品 x", "件数",
     "总体 X ", 0, 0.1, 0, 0, 0, 100, 300},
    {"某种疫苗的有效率据称为 {P}。随机观察 {n} 名接种者，结果如下（x = 1 表示有效）：", "是否有效 x", "人数",
     "总体 X ", 0, 0.8, 0, 0, 0, 100, 300},
    {"某射手的命中率据称为 {P}。记录了他的 {n} 次射击，结果如下（x = 1 表示命中）：", "是否命中 x", "次数",
     "总体 X ", 0, 0.6, 0, 0, 0, 100, 300},
    {"某种产品的合格率据称为 {P}。随机抽查 {n} 件产品，结果如下（x = 1 表示合格）：", "是否合格 x", "件数",
     "总体 X ", 0, 0.9, 0, 0, 0, 100, 300},
    {"某次调查称支持某方案的居民占 {P}。随机访问 {n} 位居民，结果如下（x = 1 表示支持）：", "是否支持 x", "人数",
     "总体 X ", 0, 0.55, 0, 0, 0, 100, 300},
};

constexpr LawFitStory kBinomialStories[] = {
    {"某厂产品每箱 {N} 件。随机抽查 {n} 箱，各箱中的次品数如下：", "次品数 x", "箱数", "每箱中的次品数", 6, 0.15, 0, 0, 0, 80, 200},
    {"调查了 {n} 个有 {N} 个孩子的家庭，各家庭中男孩的个数如下：", "男孩数 x", "家庭数", "家庭中男孩的个数", 4, 0.5, 0, 0, 0, 80, 200},
    {"每盆播种 {N} 粒种子，共播 {n} 盆，各盆中出苗的粒数如下：", "出苗数 x", "盆数", "每盆出苗的粒数", 5, 0.7, 0, 0, 0, 80, 200},
    {"某篮球运动员每轮投篮 {N} 次。记录了他 {n} 轮投篮中每轮的命中数如下：", "命中数 x", "轮数", "每轮的命中数", 5, 0.6, 0, 0, 0,
     80, 200},
    {"某种零件每盒装 {N} 个。随机抽查 {n} 盒，各盒中的不合格品数如下：", "不合格品数 x", "盒数", "每盒中的不合格品数", 8, 0.1, 0,
     0, 0, 80, 200},
};

constexpr LawFitStory kUniformStories[] = {
    {"某公交车站每 10 分钟发一班车。随机调查了 {n} 位乘客的候车时间（单位：min），分组整理如下：", "候车时间/min", "人数",
     "乘客的候车时间", 0, 10, 1, 1, 0, 80, 200},
    {"一根长 100 cm 的细棒随机折断。做了 {n} 次试验，记录断点到左端的距离（单位：cm），分组整理如下：", "距离/cm", "次数",
     "断点到左端的距离", 0, 100, 10, 1, 0, 80, 200},
    {"用某随机数发生器产生了 {n} 个 0 与 1 之间的数，分组整理如下：", "数值", "个数", "产生的数", 0, 1, 0.1, 3, 1, 100, 300},
    {"某地铁站每 6 分钟有一班列车。随机调查了 {n} 位乘客的候车时间（单位：min），分组整理如下：", "候车时间/min", "人数",
     "乘客的候车时间", 0, 6, 0.6, 2, 1, 80, 200},
    {"某景区缆车每 20 分钟发一班。随机调查了 {n} 位游客的等候时间（单位：min），分组整理如下：", "等候时间/min", "人数",
     "游客的等候时间", 0, 20, 2, 1, 0, 80, 200},
};

constexpr LawFitStory kNormalStories[] = {
    {"某地区随机抽查了 {n} 名成年男子的身高（单位：cm），分组整理如下：", "身高/cm", "人数", "成年男子的身高", 170, 6, 4, 1, 0, 100, 250},
    {"从一批钢丝中抽取 {n} 根测定抗拉强度（单位：MPa），分组整理如下：", "强度/MPa", "根数", "钢丝的抗拉强度", 1200, 40, 20, 0, 0, 100, 250},
    {"某自动包装机包装的食盐，随机抽取 {n} 袋称得质量（单位：g），分组整理如下：", "质量/g", "袋数", "每袋食盐的质量", 500, 4, 2, 1, 0, 100, 250},
    {"某次考试随机抽取 {n} 名考生的成绩（单位：分），分组整理如下：", "成绩/分", "人数", "考生的成绩", 68, 9.5, 10, 0, 0, 100, 250},
    {"从某车床加工的零件中随机抽取 {n} 件测量直径（单位：mm），分组整理如下：", "直径/mm", "件数", "零件的直径", 20, 0.05, 0.025,
     3, 3, 100, 250},
};

constexpr LawFitStory kExponentialStories[] = {
    {"随机抽取 {n} 只某型号电子元件做寿命试验，测得寿命（单位：h），分组整理如下：", "寿命/h", "只数", "元件的寿命", 400, 0, 100, 0, 0,
     100, 250},
    {"某银行窗口记录了 {n} 位顾客的服务时间（单位：min），分组整理如下：", "服务时间/min", "人数", "顾客的服务时间", 4, 0, 1, 1, 0, 100,
     250},
    {"某网站记录了相继两次访问之间的 {n} 个时间间隔（单位：s），分组整理如下：", "间隔/s", "个数", "相继两次访问的时间间隔", 30, 0, 10,
     0, 0, 100, 250},
    {"某服务台记录了 {n} 位顾客的等候时间（单位：min），分组整理如下：", "等候时间/min", "人数", "顾客的等候时间", 6, 0, 2, 1, 0,
     100, 250},
    {"随机抽取 {n} 只某型号灯泡做寿命试验，测得寿命（单位：kh），分组整理如下：", "寿命/kh", "只数", "灯泡的寿命", 2, 0, 0.5, 2, 1,
     100, 250},
};

DataFileContent Form5File(double alpha, FittingEntry entry, DataInputMode mode) {
  DataFileContent file;
  file.window = "Form5";
  file.windowMode = 0;
  file.title = "分布拟和检验";
  file.inputMode = mode;
  file.settings.setNumber("level", alpha);
  file.settings.set("entry", std::to_string(static_cast<int>(entry)));
  return file;
}

// Everything a fitting problem needs besides its data.
struct FitDraft {
  Problem problem;
  FittingRequest request;
  std::string lawName;  // the law H0 names, after "总体服从"
};

// The test on the window's file, the answers and the solution; false when the window would
// refuse the data.
bool FinishFit(TableStore& tables, FitDraft& draft) {
  FittingResult result;
  try {
    result = ComputeFittingTest(tables, draft.request, GridOf(draft.problem.window),
                                GridOf(draft.problem.window, "MSFlexGrid2"));
  } catch (const InputError&) {
    return false;
  }
  Problem& problem = draft.problem;
  const NamedValues& values = result.test.intermediates;
  auto estimate = [&](const char* name, const char* caption) {
    if (const std::optional<double> v = values.find(name))
      problem.answers.push_back(MakeAnswer(caption, AnswerKind::Estimate, *v));
  };
  estimate("P", "P 的估计值 p̂");
  estimate("λ", "λ 的估计值 λ̂");
  estimate("A", "a 的估计值 â");
  estimate("B", "b 的估计值 b̂");
  estimate("μ", "μ 的估计值 μ̂");
  estimate("σ", "σ 的估计值 σ̂");
  estimate("θ", "θ 的估计值 θ̂");
  problem.answers.push_back(MakeAnswer("检验统计量 χ² 的值", AnswerKind::Statistic, result.test.statistic));
  problem.answers.push_back(CriticalAnswer(result.test.criticalValues.front()));
  problem.decisions =
      GradedDecisions(result.test, TestFamily::GoodnessOfFit, Hypothesis::TwoSided, draft.request.alpha);
  problem.solution = FittingSolution(result, draft.request.alpha, draft.lawName);
  return true;
}

// A frequency table of whole values first … largest (at least to `last`): printed, and as the
// window's values and repeat counts.
void CountTable(FitDraft& draft, const char* value, const char* count, const std::vector<int>& draws, int first,
                int last) {
  int largest = std::max(first, last);
  for (int d : draws) largest = std::max(largest, d);
  std::vector<double> xs, counts;
  for (int x = first; x <= largest; ++x) {
    xs.push_back(x);
    counts.push_back(static_cast<double>(std::count(draws.begin(), draws.end(), x)));
  }
  Problem& p = draft.problem;
  p.data = {{value}, {count}};
  for (std::size_t i = 0; i < xs.size(); ++i) {
    p.data[0].push_back(PrintedValue(xs[i], 0));
    p.data[1].push_back(PrintedValue(counts[i], 0));
  }
  p.window.rows.push_back(GridRow(1, xs, 0));
  p.window.rows.push_back(GridRow(2, counts, 0));
}

std::string Question(double alpha, const std::string& claim) {
  return "在显著性水平 " + AlphaText(alpha) + " 下，能否认为" + claim + "？";
}

Problem UserLawProblemImpl(TableStore& tables, ExerciseRandom& random) {
  const LawStory& story = random.pick(kLawStories);
  const int n = random.whole(80, 300);
  const double alpha = DrawAlpha(random);
  // The true shares are the law's, or pulled towards the first category, so both decisions occur.
  const double pull = random.chance(0.5) ? 0.0 : random.uniform(0.05, 0.3);
  for (;;) {
    std::vector<int> draws;
    for (int i = 0; i < n; ++i) {
      const bool pulled = random.chance(pull);
      double u = random.unit();
      int x = 1;
      if (!pulled)
        while (x < story.k && u >= story.p[static_cast<std::size_t>(x - 1)]) u -= story.p[static_cast<std::size_t>(x++ - 1)];
      draws.push_back(x);
    }
    FitDraft draft;
    draft.problem.context = Fill(story.story, {{"n", std::to_string(n)}});
    draft.problem.window = Form5File(alpha, FittingEntry::UserLaw, DataInputMode::Two);
    CountTable(draft, "类型 x", story.count, draws, 1, story.k);
    std::vector<double> xs, ps;
    for (int x = 1; x <= story.k; ++x) {
      xs.push_back(x);
      ps.push_back(story.p[static_cast<std::size_t>(x - 1)]);
    }
    draft.problem.window.rows.push_back(GridRow(1, xs, 0, "MSFlexGrid2"));
    draft.problem.window.rows.push_back(GridRow(2, ps, 4, "MSFlexGrid2"));
    draft.problem.question = story.categories + Question(alpha, story.question);
    draft.request = {FittingEntry::UserLaw, FittingInputMode::RepeatCounts, {}, alpha};
    draft.lawName = "所给的分布律";
    if (FinishFit(tables, draft)) return draft.problem;
  }
}

// Counts of a Poisson or binomial law, its parameter known (Poisson) or estimated.
Problem CountsProblem(TableStore& tables, ExerciseRandom& random, FittingEntry entry) {
  const bool zeroOne = entry == FittingEntry::ZeroOneKnown;
  const bool binomial = entry == FittingEntry::BinomialKnown || entry == FittingEntry::BinomialUnknown;
  const LawFitStory& story = random.pick(zeroOne    ? std::span<const LawFitStory>(kZeroOneStories)
                                         : binomial ? std::span<const LawFitStory>(kBinomialStories)
                                                    : std::span<const LawFitStory>(kPoissonStories));
  const int n = random.whole(story.smallest, story.largest);
  const double alpha = DrawAlpha(random);
  // Overdispersed counts (the parameter varying from one observation to the next), or a
  // known λ that is off, so both decisions occur.
  const bool off = random.chance(0.45);
  const int trials = static_cast<int>(story.a);
  for (;;) {
    std::vector<int> draws;
    for (int i = 0; i < n; ++i) {
      if (zeroOne) {
        draws.push_back(random.chance(off ? std::min(0.95, story.b * 1.25) : story.b) ? 1 : 0);
      } else if (entry == FittingEntry::BinomialKnown) {
        draws.push_back(random.binomial(trials, off ? std::min(0.95, story.b * 1.3) : story.b));
      } else if (binomial) {
        const double p = off ? std::min(0.95, story.b * random.uniform(0.3, 1.7)) : story.b;
        draws.push_back(random.binomial(trials, p));
      } else if (entry == FittingEntry::PoissonKnown) {
        draws.push_back(random.poisson(off ? story.a * 1.35 : story.a));
      } else {
        draws.push_back(random.poisson(off ? story.a * random.uniform(0.2, 1.8) : story.a));
      }
    }
    FitDraft draft;
    draft.problem.context = Fill(story.story, {{"n", std::to_string(n)}, {"N", std::to_string(trials)},
                                               {"P", SolutionNumber(story.b)}});
    draft.problem.window = Form5File(alpha, entry, DataInputMode::Two);
    draft.request.entry = entry;
    draft.request.mode = FittingInputMode::RepeatCounts;
    draft.request.alpha = alpha;
    const std::string subject = story.subject;
    if (zeroOne) {
      draft.problem.window.settings.setNumber("zeroOneP", story.b);
      draft.request.parameters.zeroOneP = story.b;
      draft.lawName = "参数 p = " + SolutionNumber(story.b) + " 的 0-1 分布";
      draft.problem.question = Question(alpha, subject + "服从" + draft.lawName);
    } else if (entry == FittingEntry::BinomialKnown) {
      draft.problem.window.settings.setNumber("binomialTrials", trials);
      draft.problem.window.settings.setNumber("binomialP", story.b);
      draft.request.parameters.binomialTrials = trials;
      draft.request.parameters.binomialP = story.b;
      draft.lawName = "二项分布 B(" + std::to_string(trials) + ", " + SolutionNumber(story.b) + ")";
      draft.problem.question = Question(alpha, subject + "服从" + draft.lawName);
    } else if (binomial) {
      draft.problem.window.settings.setNumber("binomialTrials", trials);
      draft.request.parameters.binomialTrials = trials;
      draft.lawName = "二项分布 B(" + std::to_string(trials) + ", p)";
      draft.problem.question = Question(alpha, subject + "服从二项分布 B(" + std::to_string(trials) + ", p)");
    } else if (entry == FittingEntry::PoissonKnown) {
      draft.problem.window.settings.setNumber("poissonLambda", story.a);
      draft.request.parameters.poissonLambda = story.a;
      draft.lawName = "参数 λ = " + SolutionNumber(story.a) + " 的泊松分布";
      draft.problem.question = Question(alpha, subject + "服从" + draft.lawName);
    } else {
      draft.lawName = "泊松分布";
      draft.problem.question = Question(alpha, subject + "服从泊松分布");
    }
    // The 0-1 table shows both values, even one that did not occur.
    CountTable(draft, story.value, story.count, draws, 0, zeroOne ? 1 : 0);
    if (FinishFit(tables, draft)) return draft.problem;
  }
}

// Measurements of a continuous law grouped into classes of equal width, the law's parameters
// known or estimated from the sums of the raw data, given in the context.
Problem GroupedProblem(TableStore& tables, ExerciseRandom& random, FittingEntry entry) {
  const bool uniform = entry == FittingEntry::UniformKnown || entry == FittingEntry::UniformUnknown;
  // Unknown bounds are estimated by the smallest and largest value: the classes then follow the
  // data, as those of the other laws do.
  const bool fixedClasses = entry == FittingEntry::UniformKnown;
  const bool normal = entry == FittingEntry::NormalKnown || entry == FittingEntry::NormalUnknown;
  const std::span<const LawFitStory> stories = uniform  ? std::span<const LawFitStory>(kUniformStories)
                                               : normal ? std::span<const LawFitStory>(kNormalStories)
                                                        : std::span<const LawFitStory>(kExponentialStories);
  const LawFitStory& story = random.pick(stories);
  const int n = random.whole(story.smallest, story.largest);
  const double alpha = DrawAlpha(random);
  // A sample of another shape (skewed for the normal law, of a gamma law for the exponential,
  // triangular for the uniform), or a known parameter that is off, so both decisions occur.
  const bool off = random.chance(0.45);
  const bool known = entry == FittingEntry::UniformKnown || entry == FittingEntry::NormalKnown ||
                     entry == FittingEntry::ExponentialKnown;
  const bool shifted = off && known && random.chance(0.5);
  for (;;) {
    std::vector<double> values;
    while (static_cast<int>(values.size()) < n) {
      double v = 0.0;
      if (uniform) {
        const double u = off ? (random.unit() + random.unit()) / 2 : random.unit();
        v = story.a + (story.b - story.a) * u;
      } else if (normal) {
        const double mu = shifted ? story.a + 0.5 * story.b : story.a;
        v = off && !shifted ? mu + story.b * (random.exponential(1.0) - 1.0) : random.normal(mu, story.b);
      } else {
        const double theta = shifted ? story.a * 1.4 : story.a;
        v = off && !shifted ? theta * (random.exponential(1.0) + random.exponential(1.0)) / 2 : random.exponential(theta);
      }
      // Textbook data keep within 3.2 σ of the mean (no mark above full marks).
      if (normal && std::fabs(v - story.a) > 3.2 * story.b) continue;
      v = RoundTo(v, story.decimals);
      // The uniform law's interval holds every value, its upper end excluded as the classes are.
      if (uniform && !(v >= story.a && v < story.b)) continue;
      values.push_back(v);
    }
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    const double h = story.width;
    // The first class starts at the bound at or below the smallest value; a value printed on a
    // bound (19.950 with h = 0.025) is not taken for one just below it.
    double start = fixedClasses ? story.a : std::floor(*low / h + 1e-9) * h;
    if (!uniform && !normal) start = 0.0;
    int classes = fixedClasses ? static_cast<int>(std::lround((story.b - story.a) / h))
                               : static_cast<int>(std::floor((*high - start) / h)) + 1;
    classes = std::max(classes, 1);
    // A long upper tail ends in one wider class.
    const int kept = std::min(classes, 12);
    std::vector<double> lower, upper, counts;
    for (int i = 0; i < kept; ++i) {
      lower.push_back(RoundTo(start + i * h, story.boundDecimals));
      upper.push_back(RoundTo(start + (i == kept - 1 ? classes : i + 1) * h, story.boundDecimals));
      counts.push_back(0.0);
    }
    for (double v : values) {
      int i = static_cast<int>(std::floor((v - start) / h + 1e-9));
      i = std::clamp(i, 0, kept - 1);
      // A value on a printed bound belongs to the class that starts there.
      while (i > 0 && v < lower[static_cast<std::size_t>(i)]) --i;
      while (i < kept - 1 && v >= upper[static_cast<std::size_t>(i)]) ++i;
      counts[static_cast<std::size_t>(i)] += 1.0;
    }
    FitDraft draft;
    Problem& p = draft.problem;
    p.context = Fill(story.story, {{"n", std::to_string(n)}});
    p.data = {{story.value}, {story.count}};
    for (int i = 0; i < kept; ++i) {
      p.data[0].push_back("[" + PrintedValue(lower[static_cast<std::size_t>(i)], story.boundDecimals) + ", " +
                          PrintedValue(upper[static_cast<std::size_t>(i)], story.boundDecimals) + ")");
      p.data[1].push_back(PrintedValue(counts[static_cast<std::size_t>(i)], 0));
    }
    p.window = Form5File(alpha, entry, DataInputMode::Grouped);
    draft.request.entry = entry;
    draft.request.mode = FittingInputMode::Grouped;
    draft.request.alpha = alpha;
    FittingParameters& q = draft.request.parameters;
    const std::string subject = story.subject;
    double sum = 0.0, squares = 0.0;
    for (double v : values) {
      sum += v;
      squares += v * v;
    }
    sum = RoundTo(sum, story.decimals);
    squares = RoundTo(squares, 2 * story.decimals);
    std::string given;  // the sums of the raw data the estimates need
    switch (entry) {
      case FittingEntry::UniformKnown:
        q.uniformA = story.a;
        q.uniformB = story.b;
        p.window.settings.setNumber("uniformA", story.a);
        p.window.settings.setNumber("uniformB", story.b);
        draft.lawName = "区间 [" + SolutionNumber(story.a) + ", " + SolutionNumber(story.b) + "] 上的均匀分布";
        break;
      case FittingEntry::UniformUnknown:
        q.groupedMin = *low;
        q.groupedMax = *high;
        p.window.settings.setNumber("groupedMin", *low);
        p.window.settings.setNumber("groupedMax", *high);
        draft.lawName = "均匀分布";
        given = "原始数据中最小值为 " + PrintedValue(*low, story.decimals) + "，最大值为 " +
                PrintedValue(*high, story.decimals) + "。";
        break;
      case FittingEntry::NormalKnown:
        q.normalMu = story.a;
        q.normalSigma = story.b;
        p.window.settings.setNumber("normalMu", story.a);
        p.window.settings.setNumber("normalSigma", story.b);
        draft.lawName = "正态分布 N(" + SolutionNumber(story.a) + ", " + SolutionNumber(story.b) + "²)";
        break;
      case FittingEntry::NormalUnknown:
        q.normalSumX = sum;
        q.normalSumXX = squares;
        p.window.settings.setNumber("normalSumX", sum);
        p.window.settings.setNumber("normalSumXX", squares);
        draft.lawName = "正态分布";
        given = "由原始数据算得 Σxᵢ = " + PrintedValue(sum, story.decimals) +
                "，Σxᵢ² = " + PrintedValue(squares, 2 * story.decimals) + "。";
        break;
      case FittingEntry::ExponentialKnown:
        q.exponentialTheta = story.a;
        p.window.settings.setNumber("exponentialTheta", story.a);
        draft.lawName = "均值为 " + SolutionNumber(story.a) + " 的指数分布";
        break;
      default:
        q.exponentialSumX = sum;
        p.window.settings.setNumber("exponentialSumX", sum);
        draft.lawName = "指数分布";
        given = "由原始数据算得 Σxᵢ = " + PrintedValue(sum, story.decimals) + "。";
        break;
    }
    p.window.rows.push_back(GridRow(1, lower, story.boundDecimals));
    p.window.rows.push_back(GridRow(2, upper, story.boundDecimals));
    p.window.rows.push_back(GridRow(3, counts, 0));
    p.question = given + Question(alpha, subject + "服从" + draft.lawName);
    if (FinishFit(tables, draft)) return draft.problem;
  }
}

}  // namespace

Problem UserLawProblem(TableStore& t, ExerciseRandom& r) { return UserLawProblemImpl(t, r); }
Problem ZeroOneFitProblem(TableStore& t, ExerciseRandom& r) { return CountsProblem(t, r, FittingEntry::ZeroOneKnown); }
Problem BinomialKnownFitProblem(TableStore& t, ExerciseRandom& r) { return CountsProblem(t, r, FittingEntry::BinomialKnown); }
Problem BinomialFitProblem(TableStore& t, ExerciseRandom& r) { return CountsProblem(t, r, FittingEntry::BinomialUnknown); }
Problem PoissonKnownFitProblem(TableStore& t, ExerciseRandom& r) { return CountsProblem(t, r, FittingEntry::PoissonKnown); }
Problem PoissonFitProblem(TableStore& t, ExerciseRandom& r) { return CountsProblem(t, r, FittingEntry::PoissonUnknown); }
Problem UniformFitProblem(TableStore& t, ExerciseRandom& r) { return GroupedProblem(t, r, FittingEntry::UniformKnown); }
Problem UniformUnknownFitProblem(TableStore& t, ExerciseRandom& r) { return GroupedProblem(t, r, FittingEntry::UniformUnknown); }
Problem NormalKnownFitProblem(TableStore& t, ExerciseRandom& r) { return GroupedProblem(t, r, FittingEntry::NormalKnown); }
Problem NormalFitProblem(TableStore& t, ExerciseRandom& r) { return GroupedProblem(t, r, FittingEntry::NormalUnknown); }
Problem ExponentialKnownFitProblem(TableStore& t, ExerciseRandom& r) {
  return GroupedProblem(t, r, FittingEntry::ExponentialKnown);
}
Problem ExponentialFitProblem(TableStore& t, ExerciseRandom& r) {
  return GroupedProblem(t, r, FittingEntry::ExponentialUnknown);
}

}  // namespace kelvo
