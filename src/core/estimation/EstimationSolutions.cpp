#include "core/estimation/EstimationSolutions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/text/Errors.h"
#include "core/tables/ExactDistributions.h"

namespace kelvo {
namespace {

using Rows = std::vector<std::vector<std::string>>;

std::string Num(double value) { return SolutionNumber(value); }


// A probability as a subscript: 0.025 → "₀.₀₂₅".
std::string Sub(double p) { return Subscript(SolutionNumber(p)); }

std::string Fixed(double value, int decimals) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
  return buffer;
}

std::string Whole(int value) { return std::to_string(value); }

// The normal table is read at its nearest cell; a cell other than the one asked for is worth saying.
bool Differs(double a, double b) { return std::fabs(a - b) > 1e-9; }

std::string Interval(double lower, double upper) { return IntervalText(Num(lower), Num(upper)); }

std::string LevelText(double level) {
  const double alpha = 1.0 - level;
  return "置信水平 1 − α = " + Num(level) + "，α = " + Num(alpha) + "，α/2 = " + Num(alpha / 2);
}

// The value as the table printed it; a lower F quantile is the reciprocal of a printed one.
std::string TableValueText(const CriticalValue& cv) {
  if (cv.reciprocal) return "1/" + Num(1.0 / cv.value) + " = " + Num(cv.value);
  return Num(cv.value);
}

std::string NormalCellText(double z, double cell) {
  return "查标准正态分布表：Φ(" + Num(std::fabs(z)) + ") = " + Fixed(cell, 4);
}

// Where a textbook reader finds the value, or that no column holds its level.
std::string TableCellText(const CriticalValue& cv) {
  if (cv.exact) return NoTableColumnText(cv.probability);
  switch (cv.kind) {
    case TableKind::Normal: {
      const double asked = cv.mirrored ? 1.0 - cv.probability : cv.probability;
      const double cell = cv.mirrored ? 1.0 - cv.column : cv.column;
      std::string text = NormalCellText(cv.value, cell);
      if (Differs(asked, cell)) text += "（表中与 " + Num(asked) + " 最接近的格子）";
      if (cv.mirrored) text += "，由 Φ(−z) = 1 − Φ(z) 取负值";
      return text;
    }
    case TableKind::T: {
      if (cv.normalApproximation) {
        const double cell = cv.value >= 0 ? cv.column : 1.0 - cv.column;
        return "自由度大于 45，用正态近似：" + QuantileSymbol(cv) + " ≈ z" + Sub(cv.probability) + "，" +
               NormalCellText(cv.value, cell) + (cv.value < 0 ? "，取负值" : "");
      }
      std::string text = "查 t 分布表，自由度 " + Whole(cv.rowDf) + "，α = " + Num(cv.column) + " 列";
      if (cv.mirrored) text += "，由 t₁₋α(n) = −tα(n) 取负值";
      return text;
    }
    case TableKind::ChiSquare: {
      if (cv.normalApproximation) {
        const double root = std::sqrt(2.0 * cv.df - 1.0);
        const double z = std::sqrt(2.0 * cv.value) - root;
        return "自由度大于 45，用正态近似：χ²α(n) ≈ (zα + √(2n − 1))²/2 = (" + Num(z) + " + √" +
               Whole(2 * cv.df - 1) + ")²/2";
      }
      return "查 χ² 分布表，自由度 " + Whole(cv.rowDf) + "，α = " + Num(cv.column) + " 列";
    }
    case TableKind::F: {
      const double asked = cv.reciprocal ? 1.0 - cv.probability : cv.probability;
      const int numerator = cv.reciprocal ? cv.df2 : cv.df;
      const int denominator = cv.reciprocal ? cv.df : cv.df2;
      std::string text;
      if (cv.reciprocal)
        text = QuantileSymbol(cv) + " = 1/F" + Sub(asked) + "(" + Whole(numerator) + ", " + Whole(denominator) + ")，";
      text += "附表（F 分布，α = " + Num(cv.column) + "）n₁ = " + Whole(cv.columnDf) + "，n₂ = " + Whole(cv.rowDf);
      if (cv.columnDf != numerator)
        text += "（表中无 n₁ = " + Whole(numerator) + " 列，取 " + Whole(cv.columnDf) + " 列）";
      if (cv.rowDf != denominator)
        text += "（表中无 n₂ = " + Whole(denominator) + " 行，取 " + Whole(cv.rowDf) + " 行）";
      return text;
    }
  }
  return "";
}

/* The exact value stands beside the table value; a quantile Boost cannot give (a refusal of
   ExactQuantile) leaves the table-based solution intact and says so. */
std::optional<double> TryExact(const CriticalValue& cv) {
  try {
    return ExactQuantile(cv);
  } catch (const InputError&) {
    return std::nullopt;
  }
}

// The quantile's lines: value from the table, its cell, the exact value.
std::optional<double> AddQuantile(WorkedSolution& s, const CriticalValue& cv) {
  s.formula(QuantileSymbol(cv) + " = " + TableValueText(cv));
  s.text(TableCellText(cv));
  const std::optional<double> exact = TryExact(cv);
  if (exact)
    s.formula("精确值：" + QuantileSymbol(cv) + " = " + Num(*exact));
  else
    s.note("该分位数的精确值无法计算");
  return exact;
}

std::string OrDash(const std::optional<std::string>& text) { return text ? *text : "—"; }

// The quantile the result used, for the comparison's table column: marked when no column held
// its level and it is the exact value already.
std::string UsedQuantileCell(const CriticalValue& cv) {
  return QuantileSymbol(cv) + " = " + Num(cv.value) + (cv.exact ? "（精确值）" : "");
}

void AddComparison(WorkedSolution& s, Rows rows) {
  s.heading("查表值与精确值对照");
  s.table({"", "查表分位数", "结果", "精确分位数", "结果"}, std::move(rows));
}

// ---- point estimation ----

// S² has divisor n − 1: a single value has none, and the window leaves its label empty.
bool HasSampleVariance(const SampleSummary& sample) { return sample.n >= 2 && sample.hasSpread; }

const char* const kNoSampleVariance = "样本方差 S² 至少需要两个观测值，n = 1 时不计算";

void AddSampleSummary(WorkedSolution& s, const SampleSummary& sample, bool withRange) {
  s.heading("样本");
  s.formula("n = " + Whole(sample.n) + "，x̄ = (1/n)Σxᵢ = " + Num(sample.mean) + "，m₂ = (1/n)Σxᵢ² = " +
            Num(sample.secondMoment));
  if (HasSampleVariance(sample))
    s.formula("S² = (1/(n − 1))Σ(xᵢ − x̄)² = " + Num(sample.variance));
  else
    s.text(std::string(kNoSampleVariance) + "。");
  if (withRange)
    s.formula("x₍₁₎ = min xᵢ = " + Num(sample.minimum) + "，x₍ₙ₎ = max xᵢ = " + Num(sample.maximum));
}

// m₂ − x̄², the second central moment (divisor n), as the estimates use it: a value a hair
// below 0 is the rounding of equal values and counts as 0, as in the estimates.
std::string CentralMomentText(const SampleSummary& sample) {
  const double raw = sample.secondMoment - sample.mean * sample.mean;
  std::string text = "m₂ − x̄² = " + Num(sample.secondMoment) + " − " + FactorNumber(sample.mean) + "² = ";
  if (raw < 0) return text + "0（计算值 " + Num(raw) + " 为舍入误差，按 0 计）";
  return text + Num(raw);
}

void AddMoments(WorkedSolution& s, const PointEstimates& e, const PointEstimateInput& in) {
  const SampleSummary& x = in.sample;
  s.heading("矩估计");
  switch (in.model) {
    case PointModel::Bernoulli:
      s.text("总体 X ~ B(1, P)，E(X) = P。令总体均值等于样本均值：P = x̄。");
      s.formula("P̂ = x̄ = " + Num(e.momentFirst));
      break;
    case PointModel::Binomial:
      s.text("总体 X ~ B(N, P)，N = " + Whole(in.trialCount) + "，E(X) = N·P。令 N·P = x̄。");
      s.formula("P̂ = x̄/N = " + Num(x.mean) + "/" + Whole(in.trialCount) + " = " + Num(e.momentFirst));
      break;
    case PointModel::Poisson:
      s.text("总体 X ~ P(λ)，E(X) = λ。令 λ = x̄。");
      s.formula("λ̂ = x̄ = " + Num(e.momentFirst));
      break;
    case PointModel::Uniform:
      s.text("总体 X ~ U[A, B]，E(X) = (A + B)/2，D(X) = (B − A)²/12。令它们等于样本均值与样本二阶中心矩：");
      s.formula("(A + B)/2 = x̄，(B − A)²/12 = m₂ − x̄²");
      s.formula(CentralMomentText(x));
      s.formula("Â = x̄ − √(3(m₂ − x̄²)) = " + Num(x.mean) + " − √(3 × " +
                Num(std::max(0.0, x.secondMoment - x.mean * x.mean)) + ") = " + Num(e.momentFirst));
      s.formula("B̂ = x̄ + √(3(m₂ − x̄²)) = " + Num(x.mean) + " + √(3 × " +
                Num(std::max(0.0, x.secondMoment - x.mean * x.mean)) + ") = " + Num(e.momentSecond.value_or(0)));
      break;
    case PointModel::Normal:
      s.text("总体 X ~ N(μ, σ²)，E(X) = μ，D(X) = σ²。令 μ = x̄，σ² = m₂ − x̄²：");
      s.formula("μ̂ = x̄ = " + Num(e.momentFirst));
      s.formula(CentralMomentText(x));
      s.formula("σ̂ = √(m₂ − x̄²) = " + Num(e.momentSecond.value_or(0)));
      break;
    case PointModel::Exponential:
      s.text("总体 X 服从均值为 θ 的指数分布，E(X) = θ。令 θ = x̄。");
      s.formula("θ̂ = x̄ = " + Num(e.momentFirst));
      break;
  }
}

void AddLikelihood(WorkedSolution& s, const PointEstimates& e, const PointEstimateInput& in) {
  const SampleSummary& x = in.sample;
  const double sum = x.n * x.mean;  // Σxᵢ
  s.heading("最大似然估计");
  switch (in.model) {
    case PointModel::Bernoulli:
      s.formula("L(P) = ∏ P^xᵢ (1 − P)^(1 − xᵢ) = P^(Σxᵢ) (1 − P)^(n − Σxᵢ)");
      s.formula("ln L(P) = Σxᵢ·ln P + (n − Σxᵢ)·ln(1 − P)");
      s.formula("d ln L/dP = Σxᵢ/P − (n − Σxᵢ)/(1 − P) = 0");
      s.formula("P̂ = Σxᵢ/n = " + Num(sum) + "/" + Whole(x.n) + " = " + Num(e.likelihoodFirst));
      break;
    case PointModel::Binomial:
      s.formula("L(P) = ∏ C(N, xᵢ) P^xᵢ (1 − P)^(N − xᵢ)");
      s.formula("ln L(P) = Σ ln C(N, xᵢ) + Σxᵢ·ln P + (nN − Σxᵢ)·ln(1 − P)");
      s.formula("d ln L/dP = Σxᵢ/P − (nN − Σxᵢ)/(1 − P) = 0");
      s.formula("P̂ = Σxᵢ/(nN) = " + Num(sum) + "/(" + Whole(x.n) + " × " + Whole(in.trialCount) +
                ") = " + Num(e.likelihoodFirst));
      break;
    case PointModel::Poisson:
      s.formula("L(λ) = ∏ λ^xᵢ e^(−λ)/xᵢ!");
      s.formula("ln L(λ) = Σxᵢ·ln λ − nλ − Σ ln(xᵢ!)");
      s.formula("d ln L/dλ = Σxᵢ/λ − n = 0");
      s.formula("λ̂ = Σxᵢ/n = " + Num(sum) + "/" + Whole(x.n) + " = " + Num(e.likelihoodFirst));
      break;
    case PointModel::Uniform:
      s.formula("L(A, B) = 1/(B − A)ⁿ，当 A ≤ x₍₁₎ 且 x₍ₙ₎ ≤ B；否则 L = 0");
      s.text("L 随 B − A 减小而增大，似然方程无解；在 A ≤ x₍₁₎、B ≥ x₍ₙ₎ 的约束下取 B − A 最小：");
      s.formula("Â = x₍₁₎ = " + Num(e.likelihoodFirst) + "，B̂ = x₍ₙ₎ = " + Num(e.likelihoodSecond.value_or(0)));
      break;
    case PointModel::Normal:
      s.formula("L(μ, σ²) = (2πσ²)^(−n/2) exp(−Σ(xᵢ − μ)²/(2σ²))");
      s.formula("ln L = −(n/2)ln(2π) − (n/2)ln σ² − Σ(xᵢ − μ)²/(2σ²)");
      s.formula("∂ln L/∂μ = Σ(xᵢ − μ)/σ² = 0，∂ln L/∂σ² = −n/(2σ²) + Σ(xᵢ − μ)²/(2σ⁴) = 0");
      s.formula("μ̂ = x̄ = " + Num(e.likelihoodFirst) + "，σ̂² = (1/n)Σ(xᵢ − x̄)² = m₂ − x̄²，σ̂ = " +
                Num(e.likelihoodSecond.value_or(0)));
      break;
    case PointModel::Exponential:
      s.formula("L(θ) = ∏ (1/θ)e^(−xᵢ/θ) = θ^(−n) exp(−Σxᵢ/θ)");
      s.formula("ln L(θ) = −n·ln θ − Σxᵢ/θ");
      s.formula("d ln L/dθ = −n/θ + Σxᵢ/θ² = 0");
      s.formula("θ̂ = Σxᵢ/n = " + Num(sum) + "/" + Whole(x.n) + " = " + Num(e.likelihoodFirst));
      break;
  }
}

// ---- large-sample intervals ----

struct Quadratic {
  double a = 0, b = 0, c = 0;
  std::optional<std::pair<double, double>> roots() const {
    double discriminant = b * b - 4 * a * c;
    // As in the computation: a negative hair against B² is the rounding of an exact 0.
    if (discriminant < 0 && -discriminant <= 1e-12 * b * b) discriminant = 0;
    if (!(a > 0) || discriminant < 0) return std::nullopt;
    const double root = std::sqrt(discriminant);
    return std::make_pair((b - root) / (2 * a), (b + root) / (2 * a));
  }
};

Quadratic Coefficients(LargeSampleInterval kind, double n, double trials, double mean, double z) {
  switch (kind) {
    case LargeSampleInterval::BernoulliP: return {n + z * z, 2 * n * mean + z * z, n * mean * mean};
    case LargeSampleInterval::BinomialP:
      return {n * trials * trials + trials * z * z, 2 * n * trials * mean + trials * z * z, n * mean * mean};
    case LargeSampleInterval::PoissonLambda: return {n, 2 * n * mean + z * z, n * mean * mean};
    case LargeSampleInterval::ExponentialTheta: break;
  }
  return {};  // the exponential interval solves no quadratic; all 0 has no roots
}

// A, B, C with the numbers put in, for z as shown.
void AddCoefficients(WorkedSolution& s, LargeSampleInterval kind, int n, int trials, double mean, const std::string& z,
                     const Quadratic& q) {
  const std::string nText = Whole(n), nt = Whole(trials), m = FactorNumber(mean);
  switch (kind) {
    case LargeSampleInterval::BernoulliP:
      s.formula("A = n + z² = " + nText + " + " + z + "² = " + Num(q.a));
      s.formula("B = 2n·x̄ + z² = 2 × " + nText + " × " + m + " + " + z + "² = " + Num(q.b));
      break;
    case LargeSampleInterval::BinomialP:
      s.formula("A = n·N² + N·z² = " + nText + " × " + nt + "² + " + nt + " × " + z + "² = " + Num(q.a));
      s.formula("B = 2n·N·x̄ + N·z² = 2 × " + nText + " × " + nt + " × " + m + " + " + nt + " × " + z +
                "² = " + Num(q.b));
      break;
    case LargeSampleInterval::PoissonLambda:
      s.formula("A = n = " + Num(q.a));
      s.formula("B = 2n·x̄ + z² = 2 × " + nText + " × " + m + " + " + z + "² = " + Num(q.b));
      break;
    case LargeSampleInterval::ExponentialTheta: break;
  }
  s.formula("C = n·x̄² = " + nText + " × " + m + "² = " + Num(q.c));
  s.formula("Δ = B² − 4AC = " + Num(q.b * q.b - 4 * q.a * q.c));
}

std::optional<std::pair<double, double>> ExponentialBounds(int n, double mean, double z) {
  const double rootN = std::sqrt(static_cast<double>(n));
  if (rootN <= z) return std::nullopt;
  return std::make_pair(rootN * mean / (rootN + z), rootN * mean / (rootN - z));
}

// ---- normal intervals ----

struct SymmetricForm {
  std::string parameter;     // "μ", "μ₁ − μ₂"
  std::string centreSymbol;  // "x̄", "(x̄₁ − x̄₂)"
  std::string spreadSymbol;  // "σ/√n", "s_w·√(1/n₁ + 1/n₂)"
  std::string quantileBase;  // "z", "t"
  std::string dfText;        // "", "(n − 1)"
  double centre = 0;
  double spread = 0;
  double level = 0;
};

std::optional<std::pair<double, double>> Around(double centre, std::optional<double> q, double spread) {
  if (!q) return std::nullopt;
  return std::make_pair(centre - *q * spread, centre + *q * spread);
}

std::optional<std::string> IntervalText(const std::optional<std::pair<double, double>>& bounds) {
  if (!bounds) return std::nullopt;
  return Interval(bounds->first, bounds->second);
}

void WriteSymmetric(WorkedSolution& s, const SymmetricForm& f, const NormalIntervalResult& r) {
  const CriticalValue& two = r.criticalValues.at(0);
  const CriticalValue& one = r.criticalValues.at(1);
  auto general = [&](const char* sub) { return f.quantileBase + Subscript(sub) + f.dfText; };
  auto minus = [&](const std::string& q) { return f.centreSymbol + " − " + q + "·" + f.spreadSymbol; };
  auto plus = [&](const std::string& q) { return f.centreSymbol + " + " + q + "·" + f.spreadSymbol; };
  auto numbers = [&](const char* sign, double q) {
    return Num(f.centre) + " " + sign + " " + FactorNumber(q) + " × " + Num(f.spread);
  };

  s.heading("双侧置信区间");
  s.text(LevelText(f.level));
  s.formula(f.parameter + " 的置信区间：(" + minus(general("α/2")) + ", " + plus(general("α/2")) + ")");
  const std::optional<double> exactTwo = AddQuantile(s, two);
  s.formula("(" + numbers("−", two.value) + ", " + numbers("+", two.value) + ") = " + Interval(r.lower, r.upper));
  const auto exactInterval = Around(f.centre, exactTwo, f.spread);
  if (exactInterval)
    s.formula("用精确分位数：(" + numbers("−", *exactTwo) + ", " + numbers("+", *exactTwo) + ") = " +
              *IntervalText(exactInterval));

  s.heading("单侧置信限");
  s.formula("单侧置信下限 " + minus(general("α")) + "，单侧置信上限 " + plus(general("α")));
  const std::optional<double> exactOne = AddQuantile(s, one);
  s.formula("(" + numbers("−", one.value) + ", ∞) = (" + Num(r.lowerOnly) + ", ∞)");
  s.formula("(−∞, " + numbers("+", one.value) + ") = (−∞, " + Num(r.upperOnly) + ")");
  const auto exactOneSided = Around(f.centre, exactOne, f.spread);
  if (exactOneSided)
    s.formula("用精确分位数：(" + Num(exactOneSided->first) + ", ∞)，(−∞, " + Num(exactOneSided->second) + ")");

  std::optional<std::string> exactLower, exactUpper;
  if (exactOneSided) {
    exactLower = "(" + Num(exactOneSided->first) + ", ∞)";
    exactUpper = "(−∞, " + Num(exactOneSided->second) + ")";
  }
  AddComparison(s, {{"双侧置信区间", UsedQuantileCell(two), Interval(r.lower, r.upper),
                     exactTwo ? Num(*exactTwo) : "—", OrDash(IntervalText(exactInterval))},
                    {"单侧置信下限", UsedQuantileCell(one), "(" + Num(r.lowerOnly) + ", ∞)",
                     exactOne ? Num(*exactOne) : "—", OrDash(exactLower)},
                    {"单侧置信上限", UsedQuantileCell(one), "(−∞, " + Num(r.upperOnly) + ")",
                     exactOne ? Num(*exactOne) : "—", OrDash(exactUpper)}});
}

/* The scale intervals: bound = √(V/quantile) (σ, σ₁/σ₂ with known means) or q·√(1/quantile)
   (σ₁/σ₂ with unknown means), with the quantiles at α/2, 1 − α/2, α and 1 − α in the order
   the computation looked them up. */
struct ScaleForm {
  std::string parameter;     // "σ", "σ₁/σ₂"
  std::string symbol;        // "Q", "R", "ρ", "q"
  double value = 0;
  bool factorForm = false;   // q·√(1/F) instead of √(ρ/F)
  std::string quantileBase;  // "χ²", "F"
  std::string dfText;        // "(n)", "(n₁ − 1, n₂ − 1)"
  double level = 0;
};

std::string ScaleBoundText(const ScaleForm& f, const std::string& numerator, const std::string& quantile) {
  return f.factorForm ? numerator + "·√(1/" + quantile + ")" : "√(" + numerator + "/" + quantile + ")";
}

double ScaleBound(const ScaleForm& f, double quantile) {
  return f.factorForm ? f.value * std::sqrt(1.0 / quantile) : std::sqrt(f.value / quantile);
}

void WriteScale(WorkedSolution& s, const ScaleForm& f, const NormalIntervalResult& r) {
  static const std::array<const char*, 4> kSubs = {"α/2", "1−α/2", "α", "1−α"};
  const std::array<double, 4> bounds = {r.lower, r.upper, r.lowerOnly, r.upperOnly};
  std::array<std::optional<double>, 4> exact;
  std::array<std::optional<double>, 4> exactBounds;
  auto general = [&](std::size_t i) {
    return ScaleBoundText(f, f.symbol, f.quantileBase + Subscript(kSubs[i]) + f.dfText);
  };
  auto numbers = [&](std::size_t i) {
    const CriticalValue& cv = r.criticalValues.at(i);
    return ScaleBoundText(f, Num(f.value), Num(cv.value)) + " = " + Num(bounds[i]);
  };
  auto quantiles = [&](std::size_t first) {
    for (std::size_t i = first; i < first + 2; ++i) {
      exact[i] = AddQuantile(s, r.criticalValues.at(i));
      if (exact[i] && *exact[i] > 0) exactBounds[i] = ScaleBound(f, *exact[i]);
    }
  };
  auto exactLine = [&](std::size_t i) {
    return exactBounds[i] ? ScaleBoundText(f, Num(f.value), Num(*exact[i])) + " = " + Num(*exactBounds[i])
                          : std::string("—");
  };

  s.heading("双侧置信区间");
  s.text(LevelText(f.level));
  s.formula(f.parameter + " 的置信区间：(" + general(0) + ", " + general(1) + ")");
  quantiles(0);
  s.formula("下限 " + numbers(0) + "，上限 " + numbers(1));
  s.formula(f.parameter + " 的置信区间为 " + Interval(r.lower, r.upper));
  if (exactBounds[0] && exactBounds[1])
    s.formula("用精确分位数：下限 " + exactLine(0) + "，上限 " + exactLine(1) + "，区间 " +
              Interval(*exactBounds[0], *exactBounds[1]));

  s.heading("单侧置信限");
  s.formula("单侧置信下限 " + general(2) + "，单侧置信上限 " + general(3));
  quantiles(2);
  s.formula("单侧置信下限 " + numbers(2) + "，即 (" + Num(r.lowerOnly) + ", ∞)");
  s.formula("单侧置信上限 " + numbers(3) + "，即 (0, " + Num(r.upperOnly) + ")（" + f.parameter +
            " 不取负值，下端为 0）");
  if (exactBounds[2] || exactBounds[3])
    s.formula("用精确分位数：单侧置信下限 " + exactLine(2) + "，单侧置信上限 " + exactLine(3));

  auto quantileCell = [&](std::size_t i) { return UsedQuantileCell(r.criticalValues[i]); };
  auto exactCell = [&](std::size_t i) { return exact[i] ? Num(*exact[i]) : "—"; };
  std::optional<std::string> twoSided, lowerOnly, upperOnly;
  if (exactBounds[0] && exactBounds[1]) twoSided = Interval(*exactBounds[0], *exactBounds[1]);
  if (exactBounds[2]) lowerOnly = "(" + Num(*exactBounds[2]) + ", ∞)";
  if (exactBounds[3]) upperOnly = "(0, " + Num(*exactBounds[3]) + ")";
  AddComparison(s, {{"双侧置信区间", quantileCell(0) + "，" + quantileCell(1), Interval(r.lower, r.upper),
                     exactCell(0) + "，" + exactCell(1), OrDash(twoSided)},
                    {"单侧置信下限", quantileCell(2), "(" + Num(r.lowerOnly) + ", ∞)", exactCell(2), OrDash(lowerOnly)},
                    {"单侧置信上限", quantileCell(3), "(0, " + Num(r.upperOnly) + ")", exactCell(3),
                     OrDash(upperOnly)}});
}

double Named(const NamedValues& values, const char* name) {
  const std::optional<double> value = values.find(name);
  if (!value) throw std::invalid_argument(std::string("interval result lacks the intermediate ") + name);
  return *value;
}

std::string SampleLine(const char* index, const SampleSummary& x, bool mean, bool moment, bool stdDev) {
  const std::string i = index;
  std::string text = "n" + i + " = " + Whole(x.n);
  if (mean) text += "，x̄" + i + " = " + Num(x.mean);
  if (moment) text += "，m₂" + i + " = (1/n" + i + ")Σx² = " + Num(x.secondMoment);
  if (stdDev) text += "，s" + i + " = " + Num(x.stdDev);
  return text;
}

}  // namespace

WorkedSolution BuildPointEstimationSolution(const PointEstimates& estimates, const PointEstimateInput& input) {
  WorkedSolution s;
  AddSampleSummary(s, input.sample, input.model == PointModel::Uniform);
  AddMoments(s, estimates, input);
  AddLikelihood(s, estimates, input);
  return s;
}

WorkedSolution BuildLargeSampleIntervalSolution(const IntervalResult& result, const LargeSampleIntervalInput& input) {
  if (result.criticalValues.empty()) throw std::invalid_argument("interval result without its quantile");
  const CriticalValue& z = result.criticalValues.front();
  const SampleSummary& x = input.sample;
  WorkedSolution s;
  s.heading("样本");
  std::string line = "n = " + Whole(x.n) + "，x̄ = " + Num(x.mean);
  if (HasSampleVariance(x)) line += "，S² = " + Num(x.variance);
  if (input.kind == LargeSampleInterval::BinomialP) line += "，N = " + Whole(input.trialCount);
  s.formula(line);
  if (!HasSampleVariance(x)) s.text(std::string(kNoSampleVariance) + "。");

  s.heading("分位数");
  s.text(LevelText(input.level) + "，大样本下用正态近似。");
  const std::optional<double> exactZ = AddQuantile(s, z);

  s.heading("置信区间");
  std::optional<std::pair<double, double>> exactBounds;
  if (input.kind == LargeSampleInterval::ExponentialTheta) {
    s.text("由中心极限定理，(x̄ − θ)/(θ/√n) 近似服从 N(0, 1)；解 |x̄ − θ| ≤ z" + Subscript("α/2") + "·θ/√n 得");
    s.formula("(√n·x̄/(√n + z" + Subscript("α/2") + "), √n·x̄/(√n − z" + Subscript("α/2") + "))");
    const std::string n = "√" + Whole(x.n), m = FactorNumber(x.mean);
    s.formula("(" + n + " × " + m + "/(" + n + " + " + Num(z.value) + "), " + n + " × " + m + "/(" + n + " − " +
              Num(z.value) + ")) = " + Interval(result.lower, result.upper));
    if (exactZ) {
      exactBounds = ExponentialBounds(x.n, x.mean, *exactZ);
      if (exactBounds)
        s.formula("用精确分位数 z = " + Num(*exactZ) + "：" + Interval(exactBounds->first, exactBounds->second));
    }
  } else {
    const char* parameter = input.kind == LargeSampleInterval::PoissonLambda ? "λ" : "P";
    switch (input.kind) {
      case LargeSampleInterval::BernoulliP:
        s.text("由中心极限定理，(x̄ − P)/√(P(1 − P)/n) 近似服从 N(0, 1)；不等式 |x̄ − P| ≤ z·√(P(1 − P)/n) 两边平方得");
        s.formula("(n + z²)P² − (2n·x̄ + z²)P + n·x̄² ≤ 0");
        break;
      case LargeSampleInterval::BinomialP:
        s.text("由中心极限定理，(x̄ − NP)/√(NP(1 − P)/n) 近似服从 N(0, 1)；不等式 |x̄ − NP| ≤ z·√(NP(1 − P)/n) 两边平方得");
        s.formula("(n·N² + N·z²)P² − (2n·N·x̄ + N·z²)P + n·x̄² ≤ 0");
        break;
      default:
        s.text("由中心极限定理，(x̄ − λ)/√(λ/n) 近似服从 N(0, 1)；不等式 |x̄ − λ| ≤ z·√(λ/n) 两边平方得");
        s.formula("n·λ² − (2n·x̄ + z²)λ + n·x̄² ≤ 0");
        break;
    }
    s.text(std::string("即 A·") + parameter + "² − B·" + parameter + " + C ≤ 0，其中 z = " + QuantileSymbol(z) + "：");
    const Quadratic table = Coefficients(input.kind, x.n, input.trialCount, x.mean, z.value);
    AddCoefficients(s, input.kind, x.n, input.trialCount, x.mean, Num(z.value), table);
    const std::string roots = "(" + Num(table.b) + " ∓ √" + Num(table.b * table.b - 4 * table.a * table.c) +
                              ")/(2 × " + Num(table.a) + ")";
    s.formula(std::string(parameter) + "₁,₂ = (B ∓ √Δ)/(2A) = " + roots);
    s.formula(std::string(parameter) + "₁ = " + Num(result.lower) + "，" + parameter + "₂ = " + Num(result.upper));
    if (exactZ) {
      s.text("用精确分位数 z = " + Num(*exactZ) + " 重算：");
      const Quadratic exact = Coefficients(input.kind, x.n, input.trialCount, x.mean, *exactZ);
      AddCoefficients(s, input.kind, x.n, input.trialCount, x.mean, Num(*exactZ), exact);
      exactBounds = exact.roots();
      if (exactBounds)
        s.formula(std::string(parameter) + "₁ = " + Num(exactBounds->first) + "，" + parameter + "₂ = " +
                  Num(exactBounds->second));
    }
  }
  s.formula("置信区间（查表 z）：" + Interval(result.lower, result.upper));
  if (exactBounds) s.formula("置信区间（精确 z）：" + Interval(exactBounds->first, exactBounds->second));
  else if (exactZ) s.note("用精确分位数无法得到该区间");
  AddComparison(s, {{"双侧置信区间", QuantileSymbol(z) + " = " + Num(z.value), Interval(result.lower, result.upper),
                     exactZ ? Num(*exactZ) : "—", OrDash(IntervalText(exactBounds))}});
  return s;
}

WorkedSolution BuildNormalIntervalSolution(const NormalIntervalResult& result, const NormalIntervalInput& input) {
  if (result.criticalValues.size() < (IsScaleInterval(input.kind) ? 4u : 2u))
    throw std::invalid_argument("BuildNormalIntervalSolution: result lacks its critical values");
  const SampleSummary& a = input.samples.first;
  const SampleSummary& b = input.samples.second;
  const double n1 = a.n, n2 = b.n;
  WorkedSolution s;
  s.heading("样本");
  const bool two = UsesSecondSample(input.kind);
  auto addSamples = [&](bool mean, bool moment, bool stdDev) {
    s.formula(SampleLine(two ? "₁" : "", a, mean, moment, stdDev));
    if (two) s.formula(SampleLine("₂", b, mean, moment, stdDev));
  };
  const double level = input.level;
  switch (input.kind) {
    case NormalInterval::MeanKnownSigma: {
      addSamples(true, false, false);
      s.formula("σ = " + Num(input.sigma) + "（已知）");
      const double spread = input.sigma / std::sqrt(n1);
      s.formula("σ/√n = " + Num(input.sigma) + "/√" + Whole(a.n) + " = " + Num(spread));
      WriteSymmetric(s, {"μ", "x̄", "σ/√n", "z", "", a.mean, spread, level}, result);
      break;
    }
    case NormalInterval::MeanUnknownSigma: {
      addSamples(true, false, true);
      const double spread = a.stdDev / std::sqrt(n1);
      s.formula("s/√n = " + Num(a.stdDev) + "/√" + Whole(a.n) + " = " + Num(spread));
      WriteSymmetric(s, {"μ", "x̄", "s/√n", "t", "(n − 1)", a.mean, spread, level}, result);
      break;
    }
    case NormalInterval::SigmaKnownMean: {
      addSamples(true, true, false);
      const double mu = input.mu;
      s.formula("μ = " + Num(mu) + "（已知）");
      const double q = Named(result.intermediates, "Q");
      s.formula("Q = Σ(xᵢ − μ)² = n(m₂ − 2μ·x̄ + μ²) = " + Whole(a.n) + " × (" + Num(a.secondMoment) + " − 2 × " +
                FactorNumber(mu) + " × " + FactorNumber(a.mean) + " + " + FactorNumber(mu) + "²) = " + Num(q));
      WriteScale(s, {"σ", "Q", q, false, "χ²", "(n)", level}, result);
      break;
    }
    case NormalInterval::SigmaUnknownMean: {
      addSamples(false, false, true);
      const double r = Named(result.intermediates, "R");
      s.formula("R = (n − 1)s² = " + Whole(a.n - 1) + " × " + Num(a.stdDev) + "² = " + Num(r));
      WriteScale(s, {"σ", "R", r, false, "χ²", "(n − 1)", level}, result);
      break;
    }
    case NormalInterval::MeanDiffKnownSigmas: {
      addSamples(true, false, false);
      const double sigma1 = input.sigma1, sigma2 = input.sigma2;
      s.formula("σ₁ = " + Num(sigma1) + "，σ₂ = " + Num(sigma2) + "（已知）");
      const double d = a.mean - b.mean;
      s.formula("x̄₁ − x̄₂ = " + Num(d));
      const double w = Named(result.intermediates, "w");
      s.formula("√(σ₁²/n₁ + σ₂²/n₂) = √(" + Num(sigma1) + "²/" + Whole(a.n) + " + " + Num(sigma2) + "²/" +
                Whole(b.n) + ") = " + Num(w));
      WriteSymmetric(s, {"μ₁ − μ₂", "(x̄₁ − x̄₂)", "√(σ₁²/n₁ + σ₂²/n₂)", "z", "", d, w, level}, result);
      break;
    }
    case NormalInterval::MeanDiffEqualSigmas: {
      addSamples(true, false, true);
      const double d = a.mean - b.mean;
      s.formula("x̄₁ − x̄₂ = " + Num(d));
      const double sw = Named(result.intermediates, "Sw"), k = Named(result.intermediates, "k");
      s.formula("s_w² = ((n₁ − 1)s₁² + (n₂ − 1)s₂²)/(n₁ + n₂ − 2) = (" + Whole(a.n - 1) + " × " + Num(a.stdDev) +
                "² + " + Whole(b.n - 1) + " × " + Num(b.stdDev) + "²)/" + Whole(a.n + b.n - 2) + " = " +
                Num(sw * sw) + "，s_w = " + Num(sw));
      s.formula("k = √(1/n₁ + 1/n₂) = √(1/" + Whole(a.n) + " + 1/" + Whole(b.n) + ") = " + Num(k));
      s.formula("s_w·k = " + Num(sw * k));
      WriteSymmetric(s, {"μ₁ − μ₂", "(x̄₁ − x̄₂)", "s_w·√(1/n₁ + 1/n₂)", "t", "(n₁ + n₂ − 2)", d, sw * k, level}, result);
      break;
    }
    case NormalInterval::MeanDiffUnequalSigmas: {
      addSamples(true, false, true);
      const double d = a.mean - b.mean;
      s.formula("x̄₁ − x̄₂ = " + Num(d));
      const double v1 = a.stdDev * a.stdDev / n1, v2 = b.stdDev * b.stdDev / n2;
      const double nu = Named(result.intermediates, "nu"), nuWhole = Named(result.intermediates, "nuWhole");
      s.formula("s₁²/n₁ = " + Num(v1) + "，s₂²/n₂ = " + Num(v2));
      s.formula("ν = (s₁²/n₁ + s₂²/n₂)²/((s₁²/n₁)²/(n₁ − 1) + (s₂²/n₂)²/(n₂ − 1)) = (" + Num(v1) + " + " + Num(v2) +
                ")²/(" + Num(v1) + "²/" + Whole(a.n - 1) + " + " + Num(v2) + "²/" + Whole(b.n - 1) + ") = " +
                Num(nu));
      s.formula("取整数部分（不四舍五入）：ν = " + Num(nuWhole));
      const double w = Named(result.intermediates, "w");
      s.formula("√(s₁²/n₁ + s₂²/n₂) = " + Num(w));
      // The table needs whole degrees of freedom; the exact law does not.
      const CriticalValue& t = result.criticalValues.at(0);
      try {
        s.text("（若不取整，精确值 t" + Sub(t.probability) + "(" + Num(nu) + ") = " +
               Num(ExactTQuantile(nu, t.probability)) + "；下面按表用 ν = " + Num(nuWhole) + "）");
      } catch (const InputError&) {
      }
      WriteSymmetric(s, {"μ₁ − μ₂", "(x̄₁ − x̄₂)", "√(s₁²/n₁ + s₂²/n₂)", "t", "(ν)", d, w, level}, result);
      break;
    }
    case NormalInterval::SigmaRatioKnownMeans: {
      addSamples(true, true, false);
      const double mu1 = input.mu1, mu2 = input.mu2;
      s.formula("μ₁ = " + Num(mu1) + "，μ₂ = " + Num(mu2) + "（已知）");
      const double squares1 = Named(result.intermediates, "A"), squares2 = Named(result.intermediates, "B");
      const double rho = Named(result.intermediates, "rho");
      s.formula("A = (1/n₁)Σ(xᵢ − μ₁)² = m₂₁ − 2x̄₁μ₁ + μ₁² = " + Num(squares1));
      s.formula("B = (1/n₂)Σ(yᵢ − μ₂)² = m₂₂ − 2x̄₂μ₂ + μ₂² = " + Num(squares2));
      s.formula("ρ = A/B = " + Num(rho));
      if (squares2 == 0) s.note("B = 0，按约定取 ρ = 0，各置信限均为 0。");
      WriteScale(s, {"σ₁/σ₂", "ρ", rho, false, "F", "(n₁, n₂)", level}, result);
      break;
    }
    case NormalInterval::SigmaRatioUnknownMeans: {
      addSamples(false, false, true);
      const double q = Named(result.intermediates, "q");
      if (b.stdDev == 0) {
        s.formula("q = 0");
        s.note("s₂ = 0，按约定取 q = 0，各置信限均为 0。");
      } else {
        s.formula("q = s₁/s₂ = " + Num(a.stdDev) + "/" + Num(b.stdDev) + " = " + Num(q));
      }
      WriteScale(s, {"σ₁/σ₂", "q", q, true, "F", "(n₁ − 1, n₂ − 1)", level}, result);
      break;
    }
  }
  return s;
}

}  // namespace kelvo
