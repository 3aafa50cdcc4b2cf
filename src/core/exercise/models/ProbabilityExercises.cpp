// Probabilities of the normal, binomial, Poisson and exponential laws, and upper quantiles read
// from the tables: each answered by the probability calculator's own computation.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/exercise/Grading.h"
#include "core/exercise/ProblemParts.h"
#include "core/hypothesis/TestSolutions.h"
#include "core/exercise/models/ModelExercises.h"
#include "core/probability/ProbabilityQuestion.h"
#include "core/probability/TableLookup.h"
#include "core/tables/ExactDistributions.h"
#include "core/tables/PrintedTables.h"
#include "core/tables/Quantiles.h"

namespace kelvo {
namespace {

using K = DistributionKind;
using Q = Question;

std::string Num(double v) { return SolutionNumber(v, 6); }

int DistributionIndex(K kind) {
  const auto list = DistributionList();
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].kind == kind) return static_cast<int>(i);
  return 0;
}

int QuestionIndex(Q question) {
  const auto list = QuestionList();
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].question == question) return static_cast<int>(i);
  return 0;
}

// The probability calculator's data file for the law and the question. A discrete law's
// normal approximation, when asked, is the one setting beyond the law and the question.
DataFileContent CalculatorFile(const Distribution& law, const ProbabilityQuestion& q) {
  DataFileContent file;
  file.window = "ProbabilityCalculator";
  file.windowMode = 0;
  file.title = "概率计算器";
  file.settings.set("distribution", std::to_string(DistributionIndex(law.kind())));
  for (int i = 0; i < InfoOf(law.kind()).parameterCount; ++i)
    file.settings.setNumber("parameter" + std::to_string(i + 1), law.parameter(i));
  file.settings.set("question", std::to_string(QuestionIndex(q.question)));
  const QuestionInfo& info = InfoOf(q.question);
  if (info.needsX) file.settings.setNumber("x", q.x);
  if (info.needsB) file.settings.setNumber("b", q.b);
  if (info.needsProbability) file.settings.setNumber("probability", q.probability);
  if (q.question == Q::Between) {
    file.settings.set("lowerClosed", q.lowerClosed ? "1" : "0");
    file.settings.set("upperClosed", q.upperClosed ? "1" : "0");
  }
  if (q.approximation) file.settings.set("approximation", "1");
  return file;
}

// The asked event in symbols with the printed numbers: "P(165 < X ≤ 180)".
// A point as the question prints it: fixed decimals, or as few as it needs (decimals < 0).
std::string Shown(double v, int decimals) { return decimals < 0 ? Num(v) : PrintedValue(v, decimals); }

std::string EventSymbol(const ProbabilityQuestion& q, int decimals) {
  const std::string x = Shown(q.x, decimals);
  switch (q.question) {
    case Q::AtMost: return "P(X ≤ " + x + ")";
    case Q::Below: return "P(X < " + x + ")";
    case Q::Above: return "P(X > " + x + ")";
    case Q::AtLeast: return "P(X ≥ " + x + ")";
    case Q::Density: return "P(X = " + x + ")";
    case Q::Between:
      return "P(" + x + (q.lowerClosed ? " ≤ " : " < ") + "X" + (q.upperClosed ? " ≤ " : " < ") +
             Shown(q.b, decimals) + ")";
    default: return "";
  }
}

// The asked event in words: "不超过 180 cm".
std::string EventWords(const ProbabilityQuestion& q, int decimals, const std::string& unit) {
  const auto value = [&](double v) { return Shown(v, decimals) + (unit.empty() ? "" : " " + unit); };
  switch (q.question) {
    case Q::AtMost: return "不超过 " + value(q.x);
    case Q::Below: return "小于 " + value(q.x);
    case Q::Above: return "超过 " + value(q.x);
    case Q::AtLeast: return "至少为 " + value(q.x);
    case Q::Density: return "恰好为 " + value(q.x);
    case Q::Between: return "在 " + value(q.x) + " 与 " + value(q.b) + " 之间";
    default: return "";
  }
}

// "求{subject}{event}的概率 P(…)。"
std::string AskProbability(const std::string& subject, const ProbabilityQuestion& q, int decimals,
                           const std::string& unit, const std::string& tail = "") {
  const std::string words = EventWords(q, decimals, unit);
  // A number or a unit written in Latin letters keeps a blank before the Chinese that follows.
  const bool latinEnd = static_cast<unsigned char>(words.back()) < 0x80;
  return "求" + subject + words + (latinEnd ? " " : "") + "的概率 " + EventSymbol(q, decimals) + tail + "。";
}

WorkedSolution Solution(const std::string& setup, const ProbabilityAnswer& answer) {
  WorkedSolution s;
  s.heading("解");
  s.text(setup);
  s.formula(answer.formula);
  return s;
}

// The probability a reader of the normal table arrives at: Φ(zHigh) − Φ(zLow) with each z to
// two decimals and each Φ as the table prints it; an absent end is ±∞.
struct TableRoute {
  double value = 0.0;
  std::vector<std::string> lines;
};

TableRoute PhiRoute(TableStore& tables, std::optional<double> zLow, std::optional<double> zHigh) {
  const std::vector<PrintedTable> printed = ReadPrintedTables(tables);
  TableRoute route;
  const auto read = [&](double z) {
    z = RoundTo(z, 2);
    const double tabulated = LocateCell(printed, {PrintedTableKind::Normal, std::fabs(z), 0.0, 0.0}).tabulated;
    std::string line = "查标准正态分布表：Φ(" + Num(std::fabs(z)) + ") = " + FixedNumber(tabulated, 4);
    if (z >= 0) {
      route.lines.push_back(line);
      return tabulated;
    }
    const double mirrored = RoundTo(1.0 - tabulated, 4);
    route.lines.push_back(line + "，Φ(" + Num(z) + ") = 1 − " + FixedNumber(tabulated, 4) + " = " +
                          FixedNumber(mirrored, 4));
    return mirrored;
  };
  const double high = zHigh ? read(*zHigh) : 1.0;
  const double low = zLow ? read(*zLow) : 0.0;
  route.value = RoundTo(high - low, 4);
  std::string text = "P ≈ " + (zHigh ? FixedNumber(high, 4) : std::string("1"));
  if (zLow) text += " − " + FixedNumber(low, 4) + " = " + FixedNumber(route.value, 4);
  route.lines.push_back(text);
  return route;
}

void AddLines(WorkedSolution& s, const TableRoute& route) {
  for (const std::string& line : route.lines) s.formula(line);
}

// ---------------------------------------------------------------------------------------------
// Normal laws.

struct NormalStory {
  const char* context;  // "{mu}" and "{sigma}" are the law's numbers
  const char* subject;  // what X is, as the question names it
  const char* unit;
  double mu;
  double sigma;
  int decimals;  // of the points asked
};

constexpr NormalStory kNormalStories[] = {
    {"某地区成年男子的身高 X（单位：cm）服从正态分布 N({mu}, {sigma}²)。", "该地区任一成年男子的身高", "cm", 170, 6, 0},
    {"某车床加工的零件长度 X（单位：mm）服从正态分布 N({mu}, {sigma}²)。", "任取一个零件，其长度", "mm", 50, 0.2, 2},
    {"某次统考的数学成绩 X（单位：分）近似服从正态分布 N({mu}, {sigma}²)。", "任一考生的成绩", "分", 72, 10, 0},
    {"某品牌电池的使用寿命 X（单位：h）服从正态分布 N({mu}, {sigma}²)。", "任取一节电池，其寿命", "h", 300, 25, 0},
    {"自动包装机包装的袋装食盐，每袋净重 X（单位：g）服从正态分布 N({mu}, {sigma}²)。", "任取一袋食盐，其净重", "g",
     500, 4, 1},
    {"某人从家乘车到单位所需的时间 X（单位：min）服从正态分布 N({mu}, {sigma}²)。", "他某天路上所用的时间", "min",
     40, 8, 0},
};

// The points of the story's grid within 2.5σ of μ (μ left out) whose standardised value has two
// decimals, as the normal table is read.
std::vector<double> TablePoints(const NormalStory& story) {
  std::vector<double> points;
  const double step = std::pow(10.0, -story.decimals);
  const int reach = static_cast<int>(2.5 * story.sigma / step);
  for (int k = -reach; k <= reach; ++k) {
    if (k == 0) continue;
    const double x = RoundTo(story.mu + k * step, story.decimals);
    const double hundredths = (x - story.mu) / story.sigma * 100.0;
    if (std::fabs(hundredths - std::round(hundredths)) < 1e-7) points.push_back(x);
  }
  return points;
}

}  // namespace

Problem NormalProbabilityProblem(TableStore& tables, ExerciseRandom& random) {
  const NormalStory& story = random.pick(kNormalStories);
  const std::vector<double> points = TablePoints(story);
  ProbabilityQuestion q;
  const double kind = random.unit();
  if (kind < 0.4) {
    q.question = Q::Between;
    const int first = random.whole(0, static_cast<int>(points.size()) - 2);
    const int second = random.whole(first + 1, static_cast<int>(points.size()) - 1);
    q.x = points[static_cast<std::size_t>(first)];
    q.b = points[static_cast<std::size_t>(second)];
    q.lowerClosed = random.chance(0.5);
    q.upperClosed = random.chance(0.5);
  } else {
    q.question = kind < 0.7 ? Q::AtMost : Q::Above;
    q.x = random.pick(std::span<const double>(points));
  }
  const Distribution law(K::Normal, {story.mu, story.sigma, 0.0});
  const ProbabilityAnswer answer = Answer(law, q);

  Problem problem;
  problem.context = Fill(story.context, {{"mu", Num(story.mu)}, {"sigma", Num(story.sigma)}});
  problem.question = AskProbability(story.subject, q, story.decimals, story.unit);
  problem.window = CalculatorFile(law, q);
  const auto z = [&](double x) { return (x - story.mu) / story.sigma; };
  std::optional<double> zLow, zHigh;
  if (q.question == Q::Between) {
    zLow = z(q.x);
    zHigh = z(q.b);
    problem.answers.push_back(MakeAnswer("标准化值 z₁ = (a − μ)/σ", AnswerKind::Statistic, *zLow));
    problem.answers.push_back(MakeAnswer("标准化值 z₂ = (b − μ)/σ", AnswerKind::Statistic, *zHigh));
  } else {
    (q.question == Q::AtMost ? zHigh : zLow) = z(q.x);
    problem.answers.push_back(MakeAnswer("标准化值 z = (x − μ)/σ", AnswerKind::Statistic, z(q.x)));
  }
  const TableRoute route = PhiRoute(tables, zLow, zHigh);
  problem.answers.push_back(MakeAnswer("所求概率", AnswerKind::Probability, route.value, answer.value));
  problem.solution = Solution("X ~ N(" + Num(story.mu) + ", " + Num(story.sigma) + "²)，标准化后 (X − μ)/σ ~ N(0, 1)，故",
                              answer);
  AddLines(problem.solution, route);
  return problem;
}

namespace {

// ---------------------------------------------------------------------------------------------
// Counts: binomial and Poisson laws.

struct BinomialStory {
  const char* context;  // "{n}" trials of probability "{p}"
  const char* what;     // what X counts
  double p[3];
  int smallLow, smallHigh;  // trials of an exact problem
  int largeLow, largeHigh;  // trials of a problem asking the normal approximation
};

constexpr BinomialStory kBinomialStories[] = {
    {"某射手每次射击命中目标的概率为 {p}，现独立射击 {n} 次，记 X 为命中目标的次数。", "命中次数", {0.6, 0.7, 0.8},
     5, 12, 100, 300},
    {"某厂产品的次品率为 {p}，从大批产品中随机抽取 {n} 件（可看作有放回抽样），记 X 为其中的次品数。", "抽到的次品数",
     {0.02, 0.05, 0.1}, 10, 20, 200, 500},
    {"某次考试有 {n} 道单项选择题，每题有 4 个选项，某考生每题都随机猜一个答案，记 X 为答对的题数。", "答对的题数",
     {0.25, 0.25, 0.25}, 10, 20, 100, 200},
    {"某种种子的发芽率为 {p}，播下 {n} 粒，各粒是否发芽相互独立，记 X 为发芽的粒数。", "发芽的粒数",
     {0.8, 0.85, 0.9}, 10, 20, 100, 500},
    {"某种疾病用某药治疗的治愈率为 {p}，现有 {n} 名患者服用此药，记 X 为治愈的人数。", "治愈的人数",
     {0.6, 0.7, 0.75}, 8, 15, 100, 200},
};

// An event about whole values near the mean: within two standard deviations, never the whole
// range (a probability of 1 asks nothing).
ProbabilityQuestion CountEvent(ExerciseRandom& random, double mean, double sd, double top, bool withDensity) {
  const double low = std::max(0.0, std::floor(mean - 2.0 * sd));
  const double high = std::min(top, std::ceil(mean + 2.0 * sd));
  const auto whole = [&](double from, double to) {
    return static_cast<double>(random.whole(static_cast<int>(from), static_cast<int>(to)));
  };
  ProbabilityQuestion q;
  const double kind = random.unit();
  if (withDensity && kind < 0.25) {
    q.question = Q::Density;
    q.x = whole(low, high);
  } else if (kind < 0.5) {
    q.question = Q::AtMost;
    q.x = whole(low, std::min(high, top - 1));
  } else if (kind < 0.75) {
    q.question = Q::AtLeast;
    q.x = whole(std::max(low, 1.0), high);
  } else {
    q.question = Q::Between;
    q.x = whole(low, std::max(low, high - 1));
    q.b = whole(q.x + 1, std::max(q.x + 1, high));
    if (q.b > top) q.b = top;
    if (q.x == 0 && q.b >= top) q.b = top - 1;
  }
  return q;
}

}  // namespace

Problem BinomialProbabilityProblem(TableStore& tables, ExerciseRandom& random) {
  const BinomialStory& story = random.pick(kBinomialStories);
  const double p = random.pick(story.p);
  const bool approximate = random.chance(0.35);
  int n = random.whole(story.smallLow, story.smallHigh);
  if (approximate) {
    n = 10 * random.whole(story.largeLow / 10, story.largeHigh / 10);
    while (n * p * (1.0 - p) < 9.0) n += 50;  // np(1 − p) large enough for the approximation
  }
  const double mean = n * p;
  const double sd = std::sqrt(n * p * (1.0 - p));
  ProbabilityQuestion q = CountEvent(random, mean, sd, n, !approximate);
  q.lowerClosed = q.upperClosed = true;
  q.approximation = approximate;
  const Distribution law(K::Binomial, {static_cast<double>(n), p, 0.0});
  const ProbabilityAnswer answer = Answer(law, q);

  Problem problem;
  problem.context = Fill(story.context, {{"n", std::to_string(n)}, {"p", Num(p)}});
  problem.question = AskProbability(story.what, q, 0, "", approximate ? "（用正态近似计算，作连续性修正）" : "");
  problem.window = CalculatorFile(law, q);
  problem.solution = Solution("X ~ " + law.notation() + "，P(X = k) = C(n, k)·pᵏ·(1 − p)ⁿ⁻ᵏ，k = 0, 1, …, n。", answer);
  if (!approximate) {
    problem.answers = {MakeAnswer("所求概率", AnswerKind::Probability, answer.value)};
    return problem;
  }
  // The whole values asked, widened by a half at each end.
  std::optional<double> zLow, zHigh;
  if (q.question != Q::AtMost) zLow = (q.x - 0.5 - mean) / sd;
  if (q.question == Q::AtMost) zHigh = (q.x + 0.5 - mean) / sd;
  if (q.question == Q::Between) zHigh = (q.b + 0.5 - mean) / sd;
  const TableRoute route = PhiRoute(tables, zLow, zHigh);
  problem.answers = {
      MakeAnswer("E(X) = np", AnswerKind::Estimate, mean),
      MakeAnswer("√D(X) = √(np(1 − p))", AnswerKind::Estimate, sd),
      MakeAnswer("所求概率的近似值", AnswerKind::Probability, route.value, answer.approximation),
  };
  problem.solution.text("n 较大，由棣莫弗–拉普拉斯定理，X 近似服从 N(np, np(1 − p))：np = " + Num(mean) +
                        "，np(1 − p) = " + Num(sd * sd) + "。");
  problem.solution.formula(answer.approximationFormula);
  problem.solution.text("各 z 值取两位小数查表：");
  AddLines(problem.solution, route);
  return problem;
}

namespace {

struct PoissonStory {
  const char* context;  // "{lambda}"
  const char* what;
  double lambda[3];
  bool stock;  // asks the least stock that meets the demand with a given probability
};

constexpr PoissonStory kPoissonStories[] = {
    {"某电话交换台每分钟接到的呼叫次数 X 服从参数 λ = {lambda} 的泊松分布。", "一分钟内接到的呼叫次数", {2, 3, 4}, false},
    {"某本书每页上的印刷错误个数 X 服从参数 λ = {lambda} 的泊松分布。", "任一页上的印刷错误个数", {0.5, 1, 1.5}, false},
    {"某十字路口一周内发生的交通事故次数 X 服从参数 λ = {lambda} 的泊松分布。", "一周内发生的交通事故次数", {1, 2, 3},
     false},
    {"某商店每月售出某种商品的件数 X 服从参数 λ = {lambda} 的泊松分布。", "一个月内售出的件数", {5, 7, 10}, true},
    {"某服务窗口每小时到达的顾客数 X 服从参数 λ = {lambda} 的泊松分布。", "一小时内到达的顾客数", {4, 6, 8}, false},
};

constexpr double kStockLevels[] = {0.9, 0.95, 0.99};

}  // namespace

Problem PoissonProbabilityProblem(TableStore&, ExerciseRandom& random) {
  const PoissonStory& story = random.pick(kPoissonStories);
  const double lambda = random.pick(story.lambda);
  ProbabilityQuestion q;
  const bool stock = story.stock && random.chance(0.5);
  if (stock) {
    q.question = Q::DiscreteQuantile;
    q.probability = random.pick(kStockLevels);
  } else {
    q = CountEvent(random, lambda, std::sqrt(lambda), HUGE_VAL, true);
    q.lowerClosed = q.upperClosed = true;
  }
  const Distribution law(K::Poisson, {lambda, 0.0, 0.0});
  const ProbabilityAnswer answer = Answer(law, q);

  Problem problem;
  problem.context = Fill(story.context, {{"lambda", Num(lambda)}});
  problem.question = stock ? "为了以不低于 " + Num(q.probability) + " 的概率保证该商品不脱销，月初至少应进货多少件？"
                           : AskProbability(story.what, q, 0, "");
  problem.window = CalculatorFile(law, q);
  problem.solution = Solution("X ~ " + law.notation() + "，P(X = k) = λᵏe^(−λ)/k!，k = 0, 1, 2, …。", answer);
  if (stock) {
    problem.solution.text("设进货 m 件，不脱销即 X ≤ m，所求为满足 P(X ≤ m) ≥ " + Num(q.probability) +
                          " 的最小 m，即 m = " + Num(answer.value) + "。");
    problem.answers = {MakeAnswer("至少进货件数", AnswerKind::Estimate, answer.value)};
  } else {
    problem.answers = {MakeAnswer("所求概率", AnswerKind::Probability, answer.value)};
  }
  return problem;
}

namespace {

struct ExponentialStory {
  const char* context;  // "{theta}"
  const char* subject;
  const char* unit;
  double theta[3];
  double step;  // the points asked are multiples of this
};

constexpr ExponentialStory kExponentialStories[] = {
    {"某种电子元件的寿命 X（单位：h）服从指数分布，其平均寿命为 θ = {theta} h。", "任取一个元件，其寿命", "h",
     {1000, 1500, 2000}, 100},
    {"某银行窗口顾客的等待时间 X（单位：min）服从指数分布，平均等待时间为 θ = {theta} min。", "某顾客的等待时间", "min",
     {5, 8, 10}, 1},
    {"某人打电话的通话时长 X（单位：min）服从指数分布，平均通话时长为 θ = {theta} min。", "一次通话的时长", "min",
     {3, 4, 6}, 1},
    {"某公交车站相邻两辆车到站的时间间隔 X（单位：min）服从指数分布，平均间隔为 θ = {theta} min。",
     "相邻两辆车的到站间隔", "min", {6, 8, 10}, 1},
    {"某种轮胎的行驶里程 X（单位：万 km）服从指数分布，平均里程为 θ = {theta} 万 km。", "任取一只轮胎，其行驶里程",
     "万 km", {3, 4, 5}, 0.5},
};

}  // namespace

Problem ExponentialProbabilityProblem(TableStore&, ExerciseRandom& random) {
  const ExponentialStory& story = random.pick(kExponentialStories);
  const double theta = random.pick(story.theta);
  const int last = static_cast<int>(std::floor(2.5 * theta / story.step));
  const auto point = [&](int from, int to) { return random.whole(from, to) * story.step; };
  ProbabilityQuestion q;
  const double kind = random.unit();
  if (kind < 0.35) {
    q.question = Q::Between;
    q.x = point(1, last - 1);
    q.b = point(static_cast<int>(std::lround(q.x / story.step)) + 1, last);
    q.lowerClosed = random.chance(0.5);
    q.upperClosed = random.chance(0.5);
  } else {
    q.question = kind < 0.65 ? Q::AtMost : Q::Above;
    q.x = point(1, last);
  }
  const Distribution law(K::Exponential, {theta, 0.0, 0.0});
  const ProbabilityAnswer answer = Answer(law, q);
  Problem problem;
  problem.context = Fill(story.context, {{"theta", Num(theta)}});
  problem.question = AskProbability(story.subject, q, -1, story.unit);
  problem.window = CalculatorFile(law, q);
  problem.solution = Solution("X ~ " + law.notation() + "，分布函数 F(x) = 1 − e^(−x/θ)（x > 0），故", answer);
  problem.answers = {MakeAnswer("所求概率", AnswerKind::Probability, answer.value)};
  return problem;
}

namespace {

constexpr double kNormalLevels[] = {0.10, 0.05, 0.025, 0.01, 0.005};
constexpr double kTLevels[] = {0.10, 0.05, 0.025, 0.01, 0.005};
constexpr double kChiSquareLevels[] = {0.995, 0.99, 0.975, 0.95, 0.90, 0.10, 0.05, 0.025, 0.01, 0.005};
constexpr double kFLevels[] = {0.10, 0.05, 0.025, 0.01};
constexpr int kFNumerators[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 15, 20};
constexpr int kFDenominators[] = {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 24, 30, 40, 60};

}  // namespace

Problem UpperQuantileProblem(TableStore& tables, ExerciseRandom& random) {
  const int which = random.whole(0, 3);
  std::optional<Distribution> law;
  CriticalValue cv;
  double alpha = 0.05;
  std::string symbol;
  switch (which) {
    case 0:
      alpha = random.pick(kNormalLevels);
      law.emplace(K::StandardNormal, std::array<double, 3>{});
      cv = NormalQuantile(tables, 1.0 - alpha);
      break;
    case 1: {
      alpha = random.pick(kTLevels);
      const int n = random.whole(1, 40);
      law.emplace(K::T, std::array<double, 3>{static_cast<double>(n), 0.0, 0.0});
      cv = TQuantile(tables, n, alpha);
      break;
    }
    case 2: {
      alpha = random.pick(kChiSquareLevels);
      // The lower points of one or two degrees of freedom print as 0.0000…: none asked.
      const int n = random.whole(alpha > 0.5 ? 3 : 1, 40);
      law.emplace(K::ChiSquare, std::array<double, 3>{static_cast<double>(n), 0.0, 0.0});
      cv = ChiSquareQuantile(tables, n, alpha);
      break;
    }
    default: {
      alpha = random.pick(kFLevels);
      const int n1 = random.pick(kFNumerators);
      const int n2 = random.pick(kFDenominators);
      law.emplace(K::F, std::array<double, 3>{static_cast<double>(n1), static_cast<double>(n2), 0.0});
      cv = FQuantile(tables, n1, n2, alpha);
      break;
    }
  }
  ProbabilityQuestion q;
  q.question = Q::UpperPoint;
  q.probability = alpha;
  const ProbabilityAnswer answer = Answer(*law, q);
  const double value = std::fabs(cv.value);
  const std::string name = QuantileSymbol(cv);

  Problem problem;
  problem.context = "设 X ~ " + law->notation() + "。";
  problem.question = "查表求上 α 分位点 " + name + "，即满足 P(X > x) = " + Num(alpha) + " 的 x。";
  problem.window = CalculatorFile(*law, q);
  problem.answers = {MakeTableAnswer(name, cv, value, ExactQuantile(cv))};
  problem.solution.heading("解");
  problem.solution.text("X ~ " + law->notation() + "，上 α 分位点 x 满足 P(X > x) = α = " + Num(alpha) + "。");
  problem.solution.formula(name + " = " + FixedNumber(value, TableDecimals(cv)) + "（" + TableCellText(cv) + "）");
  problem.solution.text("精确值：" + answer.formula);
  return problem;
}

}  // namespace kelvo
