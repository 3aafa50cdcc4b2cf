#include "core/hypothesis/TestSolutions.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <vector>

#include "core/hypothesis/PValues.h"
#include "core/tables/ExactDistributions.h"

namespace kelvo {
namespace {

std::string Num(double x) { return SolutionNumber(x); }

std::string Whole(double x) { return std::to_string(static_cast<long long>(std::llround(x))); }

// A probability as its subscript: 0.025 → "₀.₀₂₅".
std::string ProbabilitySubscript(double p) { return Subscript(SolutionNumber(p)); }

// Where a reader finds the value in the printed tables, or that no column holds its level.
std::string TableCell(const CriticalValue& cv) {
  if (cv.exact) return NoTableColumnText(cv.probability);
  if (cv.normalApproximation) {
    const std::string z = "z" + ProbabilitySubscript(cv.probability);
    if (cv.kind == TableKind::ChiSquare)
      return "自由度大于 45，用正态近似 χ²" + ProbabilitySubscript(cv.probability) + "(n) ≈ (" + z +
             " + √(2n − 1))² / 2";
    return "自由度大于 45，用正态近似 " + z;
  }
  switch (cv.kind) {
    case TableKind::Normal: {
      const double tabulated = cv.mirrored ? 1.0 - cv.column : cv.column;
      std::string text = "查标准正态分布表，Φ(" + Num(std::fabs(cv.value)) + ") = " + Num(tabulated);
      if (cv.mirrored) text += "，取相反数";
      return text;
    }
    case TableKind::T: {
      std::string text = "查 t 分布表，自由度 " + std::to_string(cv.rowDf) + "，α = " + Num(cv.column) + " 列";
      if (cv.mirrored) text += "，取相反数";
      return text;
    }
    case TableKind::ChiSquare:
      return "查 χ² 分布表，自由度 " + std::to_string(cv.rowDf) + "，α = " + Num(cv.column) + " 列";
    case TableKind::F: {
      std::string text = "附表（F 分布，α = " + Num(cv.column) + "）n₁ = " + std::to_string(cv.columnDf) +
                         "，n₂ = " + std::to_string(cv.rowDf);
      if (cv.reciprocal) text += "，取倒数";
      // The reciprocal reads the swapped pair.
      const int numerator = cv.reciprocal ? cv.df2 : cv.df;
      const int denominator = cv.reciprocal ? cv.df : cv.df2;
      if (numerator != cv.columnDf || denominator != cv.rowDf)
        text += "；表中无 n₁ = " + std::to_string(numerator) + "，n₂ = " + std::to_string(denominator) +
                "，取最近的一格";
      return text;
    }
  }
  return "";
}

// "t₀.₀₂₅(15) = 2.131（查 t 分布表，…）", the F lower quantile as 1 / F of the swapped pair.
std::string TableValueLine(const CriticalValue& cv) {
  std::string value = Num(cv.value);
  if (cv.reciprocal) {
    CriticalValue upper = cv;
    upper.probability = 1.0 - cv.probability;
    std::swap(upper.df, upper.df2);
    value = "1 / " + QuantileSymbol(upper) + " = 1 / " + Num(1.0 / cv.value) + " = " + value;
  }
  return QuantileSymbol(cv) + " = " + value + "（" + TableCell(cv) + "）";
}

void CriticalValueLines(WorkedSolution& s, const CriticalValue& cv, double exact) {
  s.formula(TableValueLine(cv));
  s.text("精确值：" + QuantileSymbol(cv) + " = " + Num(exact));
}

std::string DecisionText(Decision d) {
  return d == Decision::AcceptH0 ? "接受原假设 H0" : "接受备选假设 H1";
}

void Conclusion(WorkedSolution& s, Decision table, Decision exact, const std::string& inside) {
  s.heading("结论");
  s.text(inside + "，" + DecisionText(table) + "。");
  if (exact != table)
    s.note("查表临界值与精确临界值给出的结论不同：按查表值" + DecisionText(table) + "，按精确值应" +
           DecisionText(exact) + "。");
}

void PValueLine(WorkedSolution& s, std::optional<double> p) {
  if (p) s.text("p 值：" + PValueTextWithExact(*p));
}

void Hypotheses(WorkedSolution& s, const HypothesisTexts& t) {
  s.heading("假设");
  s.formula("H0：" + t.h0 + "，H1：" + t.h1);
}

double Value(const TestResult& r, const char* name) {
  const std::optional<double> v = r.intermediates.find(name);
  if (!v) throw std::invalid_argument(std::string("test result lacks the value ") + name);
  return *v;
}

std::string StatisticSymbol(StatisticDistribution d) {
  switch (d) {
    case StatisticDistribution::Normal: return "U";
    case StatisticDistribution::T: return "T";
    case StatisticDistribution::ChiSquare: return "χ²";
    case StatisticDistribution::F: return "F";
    default: return "W";
  }
}

std::string DistributionText(const TestResult& r) {
  switch (r.distribution) {
    case StatisticDistribution::Normal: return "N(0, 1)";
    case StatisticDistribution::T: return "t(" + Num(r.df) + ")";
    case StatisticDistribution::ChiSquare: return "χ²(" + Num(r.df) + ")";
    case StatisticDistribution::F: return "F(" + Num(r.df) + ", " + Num(r.df2) + ")";
    default: return "";
  }
}

// The formula, the numbers put in and the value of each parametric test.
void ParametricStatistic(WorkedSolution& s, const TestResult& r, const ParametricTestInput& in) {
  const SampleSummary& a = in.samples.first;
  const SampleSummary& b = in.samples.second;
  const std::string n1 = std::to_string(a.n), n2 = std::to_string(b.n);
  const std::string value = r.zeroDenominator ? "" : " = " + Num(r.statistic);
  const std::string h = Num(HypothesisedValue(in));
  switch (in.test) {
    case ParametricTest::MeanKnownSigma:
      s.formula("U = (x̄ − μ₀) / (σ / √n)");
      s.formula("U = (" + Num(a.mean) + " − " + h + ") / (" + Num(in.sigma) + " / √" + n1 + ")" + value);
      break;
    case ParametricTest::MeanUnknownSigma:
      s.formula("T = (x̄ − μ₀) / (s / √n)");
      s.formula("T = (" + Num(a.mean) + " − " + h + ") / (" + Num(a.stdDev) + " / √" + n1 + ")" + value);
      break;
    case ParametricTest::SigmaKnownMean:
      s.formula("χ² = Σ(xᵢ − μ)² / σ₀²");
      s.formula("Σ(xᵢ − μ)² = " + Num(Value(r, "sumSquaresAboutMu")) + "（μ = " + Num(in.mu) + "）");
      s.formula("χ² = " + Num(Value(r, "sumSquaresAboutMu")) + " / " + h + "²" + value);
      break;
    case ParametricTest::SigmaUnknownMean:
      s.formula("χ² = (n − 1)s² / σ₀²");
      s.formula("χ² = (" + n1 + " − 1) × " + Num(a.stdDev * a.stdDev) + " / " + h + "²" + value);
      break;
    case ParametricTest::MeanDiffKnownSigmas:
      s.formula("U = (x̄ − ȳ − δ) / √(σ₁²/n₁ + σ₂²/n₂)");
      s.formula("U = (" + Num(a.mean) + " − " + Num(b.mean) + " − " + h + ") / √(" + Num(in.sigma1) +
                "²/" + n1 + " + " + Num(in.sigma2) + "²/" + n2 + ")" + value);
      break;
    case ParametricTest::MeanDiffEqualSigmas: {
      const double k = std::sqrt(1.0 / a.n + 1.0 / b.n);
      s.formula("s_w² = ((n₁ − 1)s₁² + (n₂ − 1)s₂²) / (n₁ + n₂ − 2)");
      s.formula("s_w² = ((" + n1 + " − 1) × " + Num(a.stdDev * a.stdDev) + " + (" + n2 + " − 1) × " +
                Num(b.stdDev * b.stdDev) + ") / " + Num(r.df) + " = " + Num(Value(r, "pooledVariance")));
      s.formula("k = √(1/n₁ + 1/n₂) = √(1/" + n1 + " + 1/" + n2 + ") = " + Num(k));
      s.formula("T = (x̄ − ȳ − δ) / (s_w · k)");
      s.formula("T = (" + Num(a.mean) + " − " + Num(b.mean) + " − " + h + ") / (" +
                Num(std::sqrt(Value(r, "pooledVariance"))) + " × " + Num(k) + ")" + value);
      break;
    }
    case ParametricTest::MeanDiffUnequalSigmas:
      s.formula("ν = (s₁²/n₁ + s₂²/n₂)² / (s₁⁴/(n₁²(n₁ − 1)) + s₂⁴/(n₂²(n₂ − 1)))");
      s.formula("ν = " + Num(Value(r, "nu")) + "，取整数部分 ν = " + Num(Value(r, "nuWhole")));
      s.formula("T = (x̄ − ȳ − δ) / √(s₁²/n₁ + s₂²/n₂)");
      s.formula("T = (" + Num(a.mean) + " − " + Num(b.mean) + " − " + h + ") / √(" +
                Num(a.stdDev * a.stdDev) + "/" + n1 + " + " + Num(b.stdDev * b.stdDev) + "/" + n2 +
                ")" + value);
      break;
    case ParametricTest::SigmaRatio:
      s.formula("F = s₁² / s₂²");
      s.formula("F = " + Num(a.stdDev * a.stdDev) + " / " + Num(b.stdDev * b.stdDev) + value);
      break;
    case ParametricTest::PairedMeanDiff:
      s.formula("T = d̄ · √n / s_d");
      s.formula("T = " + Num(a.mean) + " × √" + n1 + " / " + Num(a.stdDev) + value);
      break;
  }
}

// The symbol's region "W = {…}" for critical values c (the ones the choice uses).
std::string ParametricRegion(const std::string& u, StatisticDistribution d, Hypothesis h,
                             const std::vector<double>& c) {
  const bool symmetric = d == StatisticDistribution::Normal || d == StatisticDistribution::T;
  if (symmetric) {
    switch (h) {
      case Hypothesis::Greater: return "W = {" + u + " ≥ " + Num(c[0]) + "}";
      case Hypothesis::Less: return "W = {" + u + " ≤ " + Num(-c[0]) + "}";
      case Hypothesis::TwoSided: return "W = {|" + u + "| ≥ " + Num(c[1]) + "}";
    }
  }
  switch (h) {
    case Hypothesis::Greater: return "W = {" + u + " ≥ " + Num(c[0]) + "}";
    case Hypothesis::Less: return "W = {" + u + " ≤ " + Num(c[1]) + "}";
    case Hypothesis::TwoSided:
      return "W = {" + u + " ≤ " + Num(c[3]) + "} ∪ {" + u + " ≥ " + Num(c[2]) + "}";
  }
  return "";
}

// Positions in criticalValues of the values the choice decides with.
std::vector<std::size_t> UsedCriticalValues(StatisticDistribution d, Hypothesis h) {
  const bool symmetric = d == StatisticDistribution::Normal || d == StatisticDistribution::T;
  if (symmetric) return {h == Hypothesis::TwoSided ? std::size_t{1} : std::size_t{0}};
  switch (h) {
    case Hypothesis::Greater: return {0};
    case Hypothesis::Less: return {1};
    case Hypothesis::TwoSided: return {3, 2};
  }
  return {};
}

std::vector<double> Values(const std::vector<CriticalValue>& cvs) {
  std::vector<double> v;
  for (const CriticalValue& c : cvs) v.push_back(c.value);
  return v;
}

std::string TestTitle(ParametricTest test) {
  switch (test) {
    case ParametricTest::MeanKnownSigma: return "正态总体均值检验（σ 已知，U 检验）";
    case ParametricTest::MeanUnknownSigma: return "正态总体均值检验（σ 未知，t 检验）";
    case ParametricTest::SigmaKnownMean: return "正态总体方差检验（μ 已知，χ² 检验）";
    case ParametricTest::SigmaUnknownMean: return "正态总体方差检验（μ 未知，χ² 检验）";
    case ParametricTest::MeanDiffKnownSigmas: return "两正态总体均值差检验（σ₁、σ₂ 已知）";
    case ParametricTest::MeanDiffEqualSigmas: return "两正态总体均值差检验（σ₁ = σ₂ 未知）";
    case ParametricTest::MeanDiffUnequalSigmas: return "两正态总体均值差检验（σ₁ ≠ σ₂ 未知）";
    case ParametricTest::SigmaRatio: return "两正态总体方差比检验（F 检验）";
    case ParametricTest::PairedMeanDiff: return "成对数据均值差检验（t 检验）";
  }
  throw std::invalid_argument("a parametric test without a title");
}

std::string TestTitle(AsymptoticTest test) {
  switch (test) {
    case AsymptoticTest::Proportion: return "0-1 分布参数 ρ 的大样本检验";
    case AsymptoticTest::BinomialProportion: return "二项分布参数 ρ 的大样本检验";
    case AsymptoticTest::PoissonMean: return "泊松分布参数 λ 的大样本检验";
    case AsymptoticTest::ExponentialMean: return "指数分布均值 θ 的大样本检验";
  }
  throw std::invalid_argument("a band test without a title");
}

}  // namespace

std::string TableCellText(const CriticalValue& cv) { return TableCell(cv); }

WorkedSolution ParametricTestSolution(const TestResult& result, const ParametricTestInput& in,
                                      const HypothesisTexts& texts) {
  WorkedSolution s;
  s.heading(TestTitle(in.test));
  Hypotheses(s, texts);
  s.heading("检验统计量");
  const std::string u = StatisticSymbol(result.distribution);
  ParametricStatistic(s, result, in);
  s.text("H0 成立时 " + u + " ~ " + DistributionText(result) + "，显著性水平 α = " + Num(in.alpha) + "。");

  const std::vector<std::size_t> used = UsedCriticalValues(result.distribution, in.hypothesis);
  const bool looked = !used.empty() &&
                      *std::max_element(used.begin(), used.end()) < result.criticalValues.size();
  std::vector<double> exact;
  if (looked) {
    exact = ExactCriticalValues(result);
    s.heading("临界值");
    for (std::size_t i : used) CriticalValueLines(s, result.criticalValues[i], exact[i]);
    s.heading("拒绝域");
    // A level no table column holds has exact critical values only: no table region to show.
    const bool tabulated = std::none_of(used.begin(), used.end(),
                                        [&](std::size_t i) { return result.criticalValues[i].exact; });
    const std::vector<double> table = Values(result.criticalValues);
    if (tabulated) s.formula("查表：" + ParametricRegion(u, result.distribution, in.hypothesis, table));
    s.formula("精确：" + ParametricRegion(u, result.distribution, in.hypothesis, exact));
  }
  if (result.zeroDenominator) {
    s.heading("结论");
    s.note("统计量的分母为 0（样本无离散），统计量无法计算，" + DecisionText(result.decision) + "。");
    return s;
  }
  PValueLine(s, PValue(result, TestFamily::Parametric, in.hypothesis));
  const Decision exactDecision = ExactDecision(result, TestFamily::Parametric, in.hypothesis, in.alpha);
  const std::string inside = u + " = " + Num(result.statistic) +
                             (result.acceptsH0() ? " ∉ W" : " ∈ W");
  Conclusion(s, result.decision, exactDecision, inside);
  return s;
}

WorkedSolution BandTestSolution(const TestResult& result, const AsymptoticTestInput& in,
                                const HypothesisTexts& texts) {
  const double n = Value(result, "n");
  const double c = Value(result, "centre");
  const double e = Value(result, "standardError");
  const std::string h = Num(HypothesisedValue(in)), ns = Whole(n);
  WorkedSolution s;
  s.heading(TestTitle(in.test));
  Hypotheses(s, texts);
  s.heading("接受域的中心 c 与标准误 e");
  switch (in.test) {
    case AsymptoticTest::Proportion:
      s.formula("c = ρ₀ = " + h + "，e = √(ρ₀(1 − ρ₀)/n) = √(" + h + " × (1 − " + h + ") / " + ns +
                ") = " + Num(e));
      break;
    case AsymptoticTest::BinomialProportion: {
      const std::string big = std::to_string(in.trialCount);
      s.formula("c = Nρ₀ = " + big + " × " + h + " = " + Num(c) + "，e = √(Nρ₀(1 − ρ₀)/n) = √(" + big +
                " × " + h + " × (1 − " + h + ") / " + ns + ") = " + Num(e));
      break;
    }
    case AsymptoticTest::PoissonMean:
      s.formula("c = λ₀ = " + h + "，e = √(λ₀/n) = √(" + h + " / " + ns + ") = " + Num(e));
      break;
    case AsymptoticTest::ExponentialMean:
      s.formula("c = θ₀ = " + h + "，e = θ₀/√n = " + h + " / √" + ns + " = " + Num(e));
      break;
  }
  s.text("样本均值 x̄ = " + Num(result.statistic) + "，n = " + ns + "；H0 成立时 x̄ 近似服从 N(c, e²)，"
         "α = " + Num(in.alpha) + "。");

  const std::size_t used = in.hypothesis == Hypothesis::TwoSided ? 1 : 0;
  if (used >= result.criticalValues.size()) throw std::invalid_argument("test result lacks a critical value");
  const std::vector<double> exact = ExactCriticalValues(result);
  const CriticalValue& cv = result.criticalValues[used];
  const double zTable = cv.value, zExact = exact[used];
  s.heading("临界值");
  CriticalValueLines(s, cv, zExact);
  s.heading("接受域与拒绝域");
  auto region = [&](double z) {
    const std::string lo = Num(c - z * e), hi = Num(c + z * e);
    switch (in.hypothesis) {
      case Hypothesis::Greater: return "接受域 x̄ ≤ c + z·e = " + hi + "，W = {x̄ > " + hi + "}";
      case Hypothesis::Less: return "接受域 x̄ ≥ c − z·e = " + lo + "，W = {x̄ < " + lo + "}";
      case Hypothesis::TwoSided:
        return "接受域 [c − z·e, c + z·e] = [" + lo + ", " + hi + "]，W = {x̄ < " + lo + "} ∪ {x̄ > " + hi + "}";
    }
    return std::string();
  };
  s.formula("查表：" + region(zTable));
  s.formula("精确：" + region(zExact));
  s.text("标准化：z = (x̄ − c) / e = (" + Num(result.statistic) + " − " + Num(c) + ") / " + Num(e) +
         " = " + Num((result.statistic - c) / e));
  PValueLine(s, PValue(result, TestFamily::Band, in.hypothesis));
  const Decision exactDecision = ExactDecision(result, TestFamily::Band, in.hypothesis, in.alpha);
  Conclusion(s, result.decision, exactDecision,
             "x̄ = " + Num(result.statistic) + (result.acceptsH0() ? " ∉ W" : " ∈ W"));
  return s;
}

WorkedSolution SkewnessKurtosisSolution(const TestResult& result, double alpha) {
  const double n = Value(result, "n");
  const double u1 = Value(result, "u1"), u2 = Value(result, "u2");
  WorkedSolution s;
  s.heading("偏度、峰度检验");
  Hypotheses(s, {"总体服从正态分布", "总体不服从正态分布"});
  s.heading("样本偏度与峰度");
  s.formula("g₁ = B₃ / B₂^(3/2) = " + Num(Value(result, "g1")) + "，g₂ = B₄ / B₂² = " + Num(Value(result, "g2")));
  s.formula("σ₁ = √(6(n − 2) / ((n + 1)(n + 3))) = " + Num(Value(result, "sigma1")) + "（n = " + Whole(n) + "）");
  s.formula("σ₂ = √(24n(n − 2)(n − 3) / ((n + 1)²(n + 3)(n + 5))) = " + Num(Value(result, "sigma2")));
  s.formula("u₁ = |g₁ / σ₁| = " + Num(u1));
  s.formula("u₂ = |(g₂ − 3 + 6/(n + 1)) / σ₂| = " + Num(u2));
  if (result.criticalValues.empty()) throw std::invalid_argument("test result lacks a critical value");
  const std::vector<double> exact = ExactCriticalValues(result);
  s.heading("临界值");
  s.text("两个检验各取水平 α/2，临界值取标准正态分布的上 α/4 分位点，α = " + Num(alpha) + "。");
  CriticalValueLines(s, result.criticalValues[0], exact[0]);
  s.heading("拒绝域");
  s.formula("查表：W = {u₁ ≥ " + Num(result.criticalValues[0].value) + "} ∪ {u₂ ≥ " +
            Num(result.criticalValues[0].value) + "}");
  s.formula("精确：W = {u₁ ≥ " + Num(exact[0]) + "} ∪ {u₂ ≥ " + Num(exact[0]) + "}");
  PValueLine(s, PValue(result, TestFamily::SkewnessKurtosis, Hypothesis::TwoSided));
  const Decision exactDecision =
      ExactDecision(result, TestFamily::SkewnessKurtosis, Hypothesis::TwoSided, alpha);
  Conclusion(s, result.decision, exactDecision,
             "u₁ = " + Num(u1) + "，u₂ = " + Num(u2) + (result.acceptsH0() ? "，均不在 W 中" : "，落入 W"));
  return s;
}

WorkedSolution RankSumSolution(const RankSumResult& result, const RankSumSolutionInput& in) {
  const RankSumRanking& r = result.ranking;
  WorkedSolution s;
  s.heading("两样本秩和检验");
  Hypotheses(s, in.texts);
  s.heading("混合排序（相同数据取平均秩）");
  std::vector<std::vector<std::string>> rows;
  for (const RankedValue& v : r.table)
    rows.push_back({Num(v.value), v.sample == 1 ? "样本一" : "样本二", Num(v.rank)});
  s.table({"数据", "样本", "秩"}, rows);
  s.formula("R₁ = " + Num(r.r1) + "，R₂ = " + Num(r.r2) + "（n₁ = " + std::to_string(r.n1) +
            "，n₂ = " + std::to_string(r.n2) + "）");
  s.text("α = " + Num(in.alpha) + "，α′ = " + Num(result.alphaPrime) + "。");
  const Decision exactDecision =
      ExactDecision(result, in.hypothesis);
  const RankSumPValue p = ComputeRankSumPValue(result, in.hypothesis);

  const std::string sizes = "样本量 (" + std::to_string(r.n1) + ", " + std::to_string(r.n2) + ")";
  if (result.bounds) {
    const RankSumBounds& b = *result.bounds;
    const std::string which = b.sampleOneSmaller ? "R₁" : "R₂";
    s.text(sizes + " 在秩和检验表中，查表。");
    s.formula("W = " + which + " = " + Num(result.w) + "（容量较小的样本的秩和）");
    s.heading("临界值");
    s.formula("查秩和检验表：n₁ = " + std::to_string(b.smallerSize) + "，n₂ = " +
              std::to_string(b.largerSize) + " 一行（P(W ≤ T₁) = " + Num(b.probability) + "）：T₁ = " +
              std::to_string(b.t1) + "，T₂ = " + std::to_string(b.t2));
    const ExactRankSumBounds e = ExactRankSumCriticalValues(b.smallerSize, b.largerSize, result.alphaPrime);
    s.text("精确（无结的秩和分布）：T₁ = " + (e.lowerExists ? std::to_string(e.lower) : std::string("无")) +
           "（P(W ≤ T₁) = " + Num(e.lowerProbability) + "），T₂ = " +
           (e.upperExists ? std::to_string(e.upper) : std::string("无")) + "（P(W ≥ T₂) = " +
           Num(e.upperProbability) + "）");
    auto region = [&](int t1, int t2) {
      const std::string lo = "{W ≤ " + std::to_string(t1) + "}", hi = "{W ≥ " + std::to_string(t2) + "}";
      switch (in.hypothesis) {
        case RankSumHypothesis::FirstLess: return "拒绝域 " + (b.sampleOneSmaller ? lo : hi);
        case RankSumHypothesis::FirstGreater: return "拒绝域 " + (b.sampleOneSmaller ? hi : lo);
        case RankSumHypothesis::TwoSided: return "拒绝域 " + lo + " ∪ " + hi;
      }
      return std::string();
    };
    s.heading("拒绝域");
    s.formula("查表：" + region(b.t1, b.t2));
    s.formula("精确：" + region(e.lower, e.upper));
  } else if (result.normal) {
    const RankSumNormal& nm = *result.normal;
    const double total = r.n1 + r.n2;
    s.text(sizes + " 不在秩和检验表中（表中两样本量均不超过 10），用正态近似：W = R₁ = " + Num(r.r1) + "。");
    s.formula("E(R₁) = n₁(N + 1)/2 = " + Num(r.mean));
    s.formula("σ = √(n₁n₂(N + 1)/12 − n₁n₂Σ(t³ − t)/(12N(N − 1))) = " + Num(r.sigma) +
              "（结的修正 Σ(t³ − t) = " + Num(r.tieSum) + "，N = " + Whole(total) + "）");
    if (nm.standardized) s.formula("Z = (R₁ − E(R₁)) / σ = " + Num(*nm.standardized));
    const double zExact = ExactQuantile(nm.quantile);
    s.heading("临界值");
    CriticalValueLines(s, nm.quantile, zExact);
    auto band = [&](double z) {
      const std::string lo = Num(r.mean - z * r.sigma), hi = Num(r.mean + z * r.sigma);
      switch (in.hypothesis) {
        case RankSumHypothesis::FirstLess: return "拒绝域 {R₁ < " + lo + "}";
        case RankSumHypothesis::FirstGreater: return "拒绝域 {R₁ > " + hi + "}";
        case RankSumHypothesis::TwoSided: return "拒绝域 {R₁ < " + lo + "} ∪ {R₁ > " + hi + "}";
      }
      return std::string();
    };
    s.heading("拒绝域");
    s.formula("查表：" + band(nm.quantile.value));
    s.formula("精确：" + band(zExact));
  }
  static const char* const kBasis[] = {"精确秩和分布", "给定结的精确置换分布", "正态近似"};
  s.text("p 值（" + std::string(kBasis[static_cast<int>(p.basis)]) + "）：" + PValueTextWithExact(p.value));
  Conclusion(s, result.test.decision, exactDecision,
             "W = " + Num(result.w) + (result.acceptsH0() ? " 不在拒绝域中" : " 落入拒绝域"));
  return s;
}

WorkedSolution FittingSolution(const FittingResult& result, double alpha, const std::string& lawName) {
  WorkedSolution s;
  s.heading("χ² 拟合优度检验");
  Hypotheses(s, {"总体服从" + lawName, "总体不服从" + lawName});
  if (result.dataMessage || result.test.distribution != StatisticDistribution::ChiSquare) {
    s.heading("结论");
    if (result.dataMessage) s.note(*result.dataMessage);
    s.text(DecisionText(result.test.decision) + "。");
    return s;
  }
  const TestResult& t = result.test;
  // A class of the first table took part in a merge when no merged class has its bounds.
  auto sameBounds = [](const FittingClass& a, const FittingClass& b) {
    return a.lower == b.lower && a.upper == b.upper;
  };
  auto kept = [&](const FittingClass& c, const std::vector<FittingClass>& other) {
    return std::any_of(other.begin(), other.end(), [&](const FittingClass& o) { return sameBounds(c, o); });
  };
  // An open end reaches the end of the law: (−∞, 1) for the first class, [6, +∞) for the last.
  auto bounds = [](const FittingClass& c) {
    return (c.openBelow ? std::string("(−∞") : "[" + Num(c.lower)) + ", " +
           (c.openAbove ? std::string("+∞)") : Num(c.upper) + ")");
  };

  s.heading("分组（合并前）");
  std::vector<std::vector<std::string>> rows;
  std::vector<bool> marked;
  double sumP = 0.0, sumE = 0.0;
  for (const FittingClass& c : result.classes) {
    rows.push_back({bounds(c), Num(c.observed), Num(c.probability), Num(c.expected)});
    marked.push_back(!kept(c, result.merged));
    sumP += c.probability;
    sumE += c.expected;
  }
  s.table({"组", "频数 O", "概率 p", "期望频数 E = np"}, rows, marked);
  s.text("首组含左侧尾部、末组含右侧尾部的概率：Σp = " + Num(sumP) + "，ΣE = " + Num(sumE) + "（n = " +
         std::to_string(result.n) + "）。");
  if (std::find(marked.begin(), marked.end(), true) != marked.end())
    s.text("标记的组期望频数不足 5，与相邻组合并。");

  s.heading("分组（合并后）与各组对 χ² 的贡献");
  rows.clear();
  marked.clear();
  for (const FittingClass& c : result.merged) {
    rows.push_back({bounds(c), Num(c.observed), Num(c.probability), Num(c.expected), Num(ChiSquareShare(c))});
    marked.push_back(!kept(c, result.classes));
  }
  s.table({"组", "O", "p", "E", "(O − E)²/E"}, rows, marked);

  const std::vector<NamedValue>& values = t.intermediates.all();
  if (values.size() > 1) {
    std::string text = "参数的估计值：";
    for (std::size_t i = 1; i < values.size(); ++i)
      text += (i > 1 ? "，" : "") + values[i].name + "̂ = " + Num(values[i].value);
    s.text(text);
  }
  s.heading("检验统计量");
  s.formula("χ² = Σ (Oᵢ − Eᵢ)²/Eᵢ = " + Num(t.statistic));
  const int groups = static_cast<int>(result.merged.size());
  s.text("合并后组数 K = " + std::to_string(groups) + "，估计的参数个数 r = " +
         std::to_string(result.estimatedCount) + "，自由度 K − r − 1 = " + Num(t.df) +
         "，α = " + Num(alpha) + "。");
  if (t.criticalValues.empty()) throw std::invalid_argument("test result lacks a critical value");
  const std::vector<double> exact = ExactCriticalValues(t);
  s.heading("临界值");
  CriticalValueLines(s, t.criticalValues[0], exact[0]);
  s.heading("拒绝域");
  if (!t.criticalValues[0].exact) s.formula("查表：W = {χ² ≥ " + Num(t.criticalValues[0].value) + "}");
  s.formula("精确：W = {χ² ≥ " + Num(exact[0]) + "}");
  PValueLine(s, PValue(t, TestFamily::GoodnessOfFit, Hypothesis::Greater));
  const Decision exactDecision = ExactDecision(t, TestFamily::GoodnessOfFit, Hypothesis::Greater, alpha);
  Conclusion(s, t.decision, exactDecision, "χ² = " + Num(t.statistic) + (t.acceptsH0() ? " ∉ W" : " ∈ W"));
  return s;
}

}  // namespace kelvo
