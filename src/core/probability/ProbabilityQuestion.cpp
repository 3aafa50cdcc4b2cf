#include "core/probability/ProbabilityQuestion.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "core/documents/WorkedSolution.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {

using K = DistributionKind;
using Q = Question;
constexpr double kInf = std::numeric_limits<double>::infinity();

constexpr QuestionInfo kQuestions[] = {
    {Q::AtMost, "P(X ≤ x)", true, true, true, false, false},
    {Q::Below, "P(X < x)", true, true, true, false, false},
    {Q::Above, "P(X > x)", true, true, true, false, false},
    {Q::AtLeast, "P(X ≥ x)", true, true, true, false, false},
    {Q::Between, "P(a ≤ X ≤ b)（端点可开可闭）", true, true, true, true, false},
    {Q::Density, "密度 f(x) 或概率 P(X = x)", true, true, true, false, false},
    {Q::LowerQuantile, "分位数：x 使 P(X ≤ x) = p", true, false, false, false, true},
    {Q::UpperPoint, "上 α 分位点：x 使 P(X > x) = α", true, false, false, false, true},
    {Q::DiscreteQuantile, "最小的 x 使 P(X ≤ x) ≥ p", false, true, false, false, true},
};

std::string Num(double v) { return SolutionNumber(v, 6); }

// v with as many significant digits (6 to 15) as it takes to tell it from p: at a jump
// closer than 6 digits, "0.4999999999 < 0.5", not "0.5 < 0.5".
std::string Apart(double v, double p) {
  for (int digits = 6; digits < 15; ++digits)
    if (SolutionNumber(v, digits) != SolutionNumber(p, digits)) return SolutionNumber(v, digits);
  return SolutionNumber(v, 15);
}

double Phi(double z) { return Distribution(K::StandardNormal, {}).lowerTail(z); }
double PhiAbove(double z) { return Distribution(K::StandardNormal, {}).upperTail(z); }

// "a − b" with the sign of b folded in: "1.5 − 1", "1.5 + 1" for b = −1.
std::string Minus(const std::string& a, double b) { return b < 0 ? a + " + " + Num(-b) : a + " − " + Num(b); }

std::string Joined(const std::string& lhs, const std::vector<std::string>& stages, double value) {
  std::string text = lhs;
  for (const std::string& s : stages) text += " = " + s;
  return text + " = " + Num(value);
}

// The standardised point (x − μ)/σ written out, for Φ.
std::string Standardised(const Distribution& law, double x) {
  return "(" + Minus(Num(x), law.parameter(0)) + ")/" + Num(law.parameter(1));
}

double ZOf(const Distribution& law, double x) { return (x - law.parameter(0)) / law.parameter(1); }

// The steps of P(X ≤ x) for a continuous law, before its value; none where the law has no
// closed form a textbook writes.
std::vector<std::string> LowerStages(const Distribution& law, double x) {
  switch (law.kind()) {
    case K::Normal:
      return {"Φ(" + Standardised(law, x) + ")", "Φ(" + Num(ZOf(law, x)) + ")"};
    case K::StandardNormal: return {"Φ(" + Num(x) + ")"};
    case K::Exponential:
      if (x <= 0) return {};
      return {"1 − e^(−" + Num(x) + "/" + Num(law.parameter(0)) + ")"};
    case K::Uniform:
      if (x <= law.parameter(0) || x >= law.parameter(1)) return {};
      return {"(" + Minus(Num(x), law.parameter(0)) + ")/(" + Minus(Num(law.parameter(1)), law.parameter(0)) + ")"};
    default: return {};
  }
}

std::vector<std::string> UpperStages(const Distribution& law, double x) {
  switch (law.kind()) {
    case K::Normal:
    case K::StandardNormal: {
      std::vector<std::string> stages = LowerStages(law, x);
      for (std::string& s : stages) s = "1 − " + s;
      return stages;
    }
    case K::Exponential:
      if (x <= 0) return {};
      return {"e^(−" + Num(x) + "/" + Num(law.parameter(0)) + ")"};
    case K::Uniform:
      if (x <= law.parameter(0) || x >= law.parameter(1)) return {};
      return {"(" + Num(law.parameter(1)) + " − " + FactorNumber(x) + ")/(" + Minus(Num(law.parameter(1)), law.parameter(0)) + ")"};
    default: return {};
  }
}

std::vector<std::string> BetweenStages(const Distribution& law, double a, double b) {
  switch (law.kind()) {
    case K::Normal:
      return {"Φ(" + Standardised(law, b) + ") − Φ(" + Standardised(law, a) + ")",
              "Φ(" + Num(ZOf(law, b)) + ") − Φ(" + Num(ZOf(law, a)) + ")"};
    case K::StandardNormal: return {"Φ(" + Num(b) + ") − Φ(" + Num(a) + ")"};
    case K::Exponential: {
      const double from = std::max(a, 0.0);
      if (b <= from) return {};
      const std::string theta = Num(law.parameter(0));
      return {"e^(−" + Num(from) + "/" + theta + ") − e^(−" + Num(b) + "/" + theta + ")"};
    }
    case K::Uniform: {
      const double lo = law.parameter(0), hi = law.parameter(1);
      const double from = std::clamp(a, lo, hi), to = std::clamp(b, lo, hi);
      if (to <= from) return {};
      return {"(" + Minus(Num(to), from) + ")/(" + Minus(Num(hi), lo) + ")"};
    }
    default: return {};
  }
}

// The mass at k as a textbook writes it; `k` is either "k" or a whole number.
std::string MassTerm(const Distribution& law, const std::string& k, std::optional<double> kValue) {
  auto rest = [&](double total, const std::string& symbolic) {
    return kValue ? Num(total - *kValue) : Num(total) + "−" + symbolic;
  };
  switch (law.kind()) {
    case K::Binomial:
      return "C(" + Num(law.parameter(0)) + ", " + k + ")·" + Num(law.parameter(1)) + "^" + k + "·" +
             Num(1.0 - law.parameter(1)) + "^(" + rest(law.parameter(0), k) + ")";
    case K::Poisson: return Num(law.parameter(0)) + "^" + k + "·e^(−" + Num(law.parameter(0)) + ")/" + k + "!";
    case K::Geometric:
      return Num(1.0 - law.parameter(0)) + "^(" + (kValue ? Num(*kValue - 1) : k + "−1") + ")·" + Num(law.parameter(0));
    case K::Hypergeometric:
      return "C(" + Num(law.parameter(1)) + ", " + k + ")·C(" + Num(law.parameter(0) - law.parameter(1)) + ", " +
             rest(law.parameter(2), k) + ")/C(" + Num(law.parameter(0)) + ", " + Num(law.parameter(2)) + ")";
    default: return "";
  }
}

std::string Sum(const Distribution& law, double from, double to) {
  const std::string top = std::isfinite(to) ? Num(to) : "∞";
  return "Σ(k=" + Num(from) + "…" + top + ") " + MassTerm(law, "k", std::nullopt);
}

// Whole values asked by a question, before clipping to the values X takes.
struct WholeRange {
  double lo = -kInf;
  double hi = kInf;
};

WholeRange AskedWholes(const ProbabilityQuestion& q) {
  switch (q.question) {
    case Q::AtMost: return {-kInf, std::floor(q.x)};
    case Q::Below: return {-kInf, std::ceil(q.x) - 1};
    case Q::Above: return {std::floor(q.x) + 1, kInf};
    case Q::AtLeast: return {std::ceil(q.x), kInf};
    case Q::Between:
      return {q.lowerClosed ? std::ceil(q.x) : std::floor(q.x) + 1, q.upperClosed ? std::floor(q.b) : std::ceil(q.b) - 1};
    case Q::Density:
      if (q.x != std::floor(q.x)) return {1, 0};
      return {q.x, q.x};
    default: return {};
  }
}

// "P(X ≤ 3)", "P(X ≥ 4)", "P(3 ≤ X ≤ 7)", "P(X = 3)" for whole values lo..hi (±∞ open).
std::string WholeEvent(double lo, double hi) {
  if (lo == hi) return "P(X = " + Num(lo) + ")";
  if (!std::isfinite(lo)) return "P(X ≤ " + Num(hi) + ")";
  if (!std::isfinite(hi)) return "P(X ≥ " + Num(lo) + ")";
  return "P(" + Num(lo) + " ≤ X ≤ " + Num(hi) + ")";
}

std::string AskedEvent(const ProbabilityQuestion& q) {
  const std::string x = Num(q.x);
  switch (q.question) {
    case Q::AtMost: return "P(X ≤ " + x + ")";
    case Q::Below: return "P(X < " + x + ")";
    case Q::Above: return "P(X > " + x + ")";
    case Q::AtLeast: return "P(X ≥ " + x + ")";
    case Q::Between:
      return "P(" + x + (q.lowerClosed ? " ≤ " : " < ") + "X" + (q.upperClosed ? " ≤ " : " < ") + Num(q.b) + ")";
    case Q::Density: return "P(X = " + x + ")";
    default: return "";
  }
}

// P(lo ≤ X ≤ hi) over whole values already clipped to the support, exact to double
// precision: a tail when the range reaches an end, a plain sum of the masses for a short
// range, otherwise the difference of the smaller tails.
double WholeProbability(const Distribution& law, double lo, double hi) {
  if (lo > hi) return 0.0;
  const bool fromStart = lo <= law.supportLow();
  const bool toEnd = hi >= law.supportHigh();
  if (fromStart && toEnd) return 1.0;
  if (fromStart) return law.lowerTail(hi);
  if (toEnd) return law.upperTail(lo - 1);
  if (hi - lo < 2000) {
    double sum = 0.0;
    for (double k = lo; k <= hi; k += 1.0) sum += law.density(k);
    return std::min(sum, 1.0);
  }
  const double below = law.lowerTail(hi);
  if (below <= 0.5) return std::max(0.0, below - law.lowerTail(lo - 1));
  return std::max(0.0, law.upperTail(lo - 1) - law.upperTail(hi));
}

// The steps of P(lo ≤ X ≤ hi) for a discrete law: the sum of the masses, or a closed form.
std::vector<std::string> WholeStages(const Distribution& law, double lo, double hi) {
  if (lo > hi) return {};
  if (lo == hi) return {MassTerm(law, Num(lo), lo)};
  const double first = law.supportLow();
  const bool fromStart = lo <= first;
  const bool toEnd = hi >= law.supportHigh();
  if (law.kind() == K::Geometric) {
    const std::string q = Num(1.0 - law.parameter(0));
    if (fromStart) return {"1 − " + q + "^" + Num(hi)};
    if (toEnd) return {q + "^" + Num(lo - 1)};
    return {q + "^" + Num(lo - 1) + " − " + q + "^" + Num(hi)};
  }
  if (toEnd && !std::isfinite(hi))
    return {"1 − P(X ≤ " + Num(lo - 1) + ")", "1 − " + Sum(law, first, lo - 1)};
  return {Sum(law, lo, hi)};
}

void Approximate(const Distribution& law, const WholeRange& asked, ProbabilityAnswer& answer) {
  const double mu = law.mean();
  const double sigma = std::sqrt(law.variance());
  if (!(sigma > 0) || !std::isfinite(sigma)) {
    answer.approximationFormula = "方差为 0，不能作正态近似";
    return;
  }
  if (asked.lo > asked.hi) {
    answer.approximation = 0.0;
    answer.approximationFormula = "正态近似（连续性修正）：" + WholeEvent(asked.lo, asked.hi) + " ≈ 0";
    return;
  }
  auto standard = [&](double x) { return "(" + Minus(Num(x), mu) + ")/" + Num(sigma); };
  const double zHigh = (asked.hi + 0.5 - mu) / sigma;
  const double zLow = (asked.lo - 0.5 - mu) / sigma;
  std::vector<std::string> stages;
  double value = 0.0;
  if (!std::isfinite(asked.lo)) {
    value = Phi(zHigh);
    stages = {"Φ(" + standard(asked.hi + 0.5) + ")", "Φ(" + Num(zHigh) + ")"};
  } else if (!std::isfinite(asked.hi)) {
    value = PhiAbove(zLow);
    stages = {"1 − Φ(" + standard(asked.lo - 0.5) + ")", "1 − Φ(" + Num(zLow) + ")"};
  } else {
    value = Phi(zHigh) - Phi(zLow);
    stages = {"Φ(" + standard(asked.hi + 0.5) + ") − Φ(" + standard(asked.lo - 0.5) + ")",
              "Φ(" + Num(zHigh) + ") − Φ(" + Num(zLow) + ")"};
  }
  answer.approximation = value;
  std::string text = "正态近似（连续性修正）：" + WholeEvent(asked.lo, asked.hi) + " ≈ " + stages[0];
  for (std::size_t i = 1; i < stages.size(); ++i) text += " = " + stages[i];
  answer.approximationFormula = text + " = " + Num(value);
}

void RequireFinite(double v, const char* what) {
  if (!std::isfinite(v)) throw InputError(std::string(what) + " 应为有限实数");
}

ProbabilityAnswer AnswerDiscrete(const Distribution& law, const ProbabilityQuestion& q) {
  ProbabilityAnswer answer;
  if (q.question == Q::DiscreteQuantile) {
    const double p = q.probability;
    const double x = law.quantile(p);
    answer.value = x;
    const double at = law.lowerTail(x);
    std::string why = "P(X ≤ " + Num(x) + ") = " + Apart(at, p) + " ≥ " + Num(p);
    if (x > law.supportLow())
      why = "P(X ≤ " + Num(x - 1) + ") = " + Apart(law.lowerTail(x - 1), p) + " < " + Num(p) + " ≤ P(X ≤ " +
            Num(x) + ") = " + Apart(at, p);
    answer.formula = "min{x : P(X ≤ x) ≥ " + Num(p) + "} = " + Num(x) + "（" + why + "）";
    answer.hasRegion = true;
    answer.from = law.supportLow();
    answer.to = x;
    return answer;
  }
  const WholeRange asked = AskedWholes(q);
  const double lo = std::max(asked.lo, law.supportLow());
  const double hi = std::min(asked.hi, law.supportHigh());
  answer.value = WholeProbability(law, lo, hi);
  std::vector<std::string> stages;
  const std::string lhs = AskedEvent(q);
  if (lo <= hi) {
    const double shownLo = lo <= law.supportLow() && !std::isfinite(asked.lo) ? -kInf : lo;
    const double shownHi = hi >= law.supportHigh() && !std::isfinite(asked.hi) ? kInf : hi;
    const std::string event = WholeEvent(shownLo, shownHi);
    if (event != lhs) stages.push_back(event);
    // Every value X takes: the sum is 1, nothing to write out.
    if (!(lo <= law.supportLow() && hi >= law.supportHigh())) {
      const double from = std::isfinite(shownLo) ? lo : law.supportLow();
      for (const std::string& s : WholeStages(law, from, shownHi)) stages.push_back(s);
    }
  }
  answer.formula = Joined(lhs, stages, answer.value);
  if (q.question != Q::Density) {
    answer.hasRegion = true;
    answer.from = lo;
    answer.to = hi;
  } else if (lo <= hi) {
    answer.hasRegion = true;
    answer.from = answer.to = lo;
  }
  if (q.approximation) Approximate(law, asked, answer);
  return answer;
}

ProbabilityAnswer AnswerContinuous(const Distribution& law, const ProbabilityQuestion& q) {
  ProbabilityAnswer answer;
  answer.hasRegion = true;
  switch (q.question) {
    case Q::AtMost:
    case Q::Below: {
      answer.value = law.lowerTail(q.x);
      answer.formula = Joined(AskedEvent(q), LowerStages(law, q.x), answer.value);
      answer.from = -kInf;
      answer.to = q.x;
      break;
    }
    case Q::Above:
    case Q::AtLeast: {
      answer.value = law.upperTail(q.x);
      answer.formula = Joined(AskedEvent(q), UpperStages(law, q.x), answer.value);
      answer.from = q.x;
      answer.to = kInf;
      break;
    }
    case Q::Between: {
      // The smaller tails keep their digits: far in the right tail 1 − 1 would lose them.
      const double below = law.lowerTail(q.b);
      answer.value = below <= 0.5 ? below - law.lowerTail(q.x) : law.upperTail(q.x) - law.upperTail(q.b);
      answer.value = std::max(answer.value, 0.0);
      answer.formula = Joined(AskedEvent(q), BetweenStages(law, q.x, q.b), answer.value);
      answer.from = q.x;
      answer.to = q.b;
      break;
    }
    case Q::Density: {
      answer.hasRegion = false;
      answer.value = law.density(q.x);
      if (!std::isfinite(answer.value)) throw InputError("密度在 x = " + Num(q.x) + " 处为无穷大");
      std::vector<std::string> stages;
      if (law.kind() == K::Normal)
        stages = {"e^(−(" + Minus(Num(q.x), law.parameter(0)) + ")²/(2·" + Num(law.parameter(1)) + "²))/(" +
                  Num(law.parameter(1)) + "√(2π))"};
      if (law.kind() == K::StandardNormal) stages = {"e^(−" + FactorNumber(q.x) + "²/2)/√(2π)"};
      if (law.kind() == K::Exponential && q.x >= 0)
        stages = {"e^(−" + Num(q.x) + "/" + Num(law.parameter(0)) + ")/" + Num(law.parameter(0))};
      if (law.kind() == K::Uniform && q.x >= law.parameter(0) && q.x <= law.parameter(1))
        stages = {"1/(" + Minus(Num(law.parameter(1)), law.parameter(0)) + ")"};
      answer.formula = Joined("f(" + Num(q.x) + ")", stages, answer.value);
      answer.from = answer.to = q.x;
      break;
    }
    case Q::LowerQuantile: {
      const double p = q.probability;
      answer.value = law.quantile(p);
      std::vector<std::string> stages;
      if (law.kind() == K::Normal) {
        const double z = (answer.value - law.parameter(0)) / law.parameter(1);
        stages = {Num(law.parameter(0)) + " + " + Num(law.parameter(1)) + " × Φ⁻¹(" + Num(p) + ")",
                  Num(law.parameter(0)) + " + " + Num(law.parameter(1)) + " × " + FactorNumber(z)};
      }
      if (law.kind() == K::StandardNormal) stages = {"Φ⁻¹(" + Num(p) + ")"};
      if (law.kind() == K::Exponential) stages = {"−" + Num(law.parameter(0)) + " × ln(1 − " + Num(p) + ")"};
      if (law.kind() == K::Uniform)
        stages = {Num(law.parameter(0)) + " + " + Num(p) + " × (" + Minus(Num(law.parameter(1)), law.parameter(0)) + ")"};
      answer.formula = Joined("P(X ≤ x) = " + Num(p) + " ⇒ x", stages, answer.value);
      answer.from = -kInf;
      answer.to = answer.value;
      break;
    }
    case Q::UpperPoint: {
      const double alpha = q.probability;
      answer.value = law.upperPoint(alpha);
      const std::string a = Subscript(Num(alpha));
      switch (law.kind()) {
        case K::StandardNormal: answer.formula = Joined("z" + a, {}, answer.value); break;
        case K::T: answer.formula = Joined("t" + a + "(" + Num(law.parameter(0)) + ")", {}, answer.value); break;
        case K::ChiSquare: answer.formula = Joined("χ²" + a + "(" + Num(law.parameter(0)) + ")", {}, answer.value); break;
        case K::F:
          answer.formula = Joined("F" + a + "(" + Num(law.parameter(0)) + ", " + Num(law.parameter(1)) + ")", {}, answer.value);
          break;
        case K::Normal: {
          const double z = (answer.value - law.parameter(0)) / law.parameter(1);
          answer.formula = Joined("P(X > x) = " + Num(alpha) + " ⇒ x",
                                  {"μ + σ·z" + a, Num(law.parameter(0)) + " + " + Num(law.parameter(1)) + " × " + FactorNumber(z)},
                                  answer.value);
          break;
        }
        default: answer.formula = Joined("P(X > x) = " + Num(alpha) + " ⇒ x", {}, answer.value);
      }
      answer.from = answer.value;
      answer.to = kInf;
      break;
    }
    case Q::DiscreteQuantile: break;  // refused before
  }
  if (q.approximation) answer.approximationFormula = "连续分布无需正态近似";
  return answer;
}

}  // namespace

std::span<const QuestionInfo> QuestionList() { return kQuestions; }

const QuestionInfo& InfoOf(Question question) {
  for (const QuestionInfo& info : kQuestions)
    if (info.question == question) return info;
  return kQuestions[0];
}

ProbabilityAnswer Answer(const Distribution& law, const ProbabilityQuestion& q) {
  const QuestionInfo& info = InfoOf(q.question);
  if (law.discrete() && !info.forDiscrete)
    throw InputError("离散分布请求最小的 x 使 P(X ≤ x) ≥ p");
  if (!law.discrete() && !info.forContinuous)
    throw InputError("连续分布请求分位数 x 使 P(X ≤ x) = p");
  if (info.needsX) RequireFinite(q.x, info.needsB ? "a" : "x");
  if (info.needsB) {
    RequireFinite(q.b, "b");
    if (q.x > q.b) throw InputError("区间端点应满足 a ≤ b");
  }
  ProbabilityAnswer answer = law.discrete() ? AnswerDiscrete(law, q) : AnswerContinuous(law, q);
  if (!std::isfinite(answer.value)) throw InputError("计算结果超出范围");
  return answer;
}

}  // namespace kelvo
