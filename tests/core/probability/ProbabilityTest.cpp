// The probability calculator's core: values against independent references, grouped by
// distribution, the textbook formulas, the refusals and the charts.
//
// Reference values: scipy 1.10.1 (scipy.stats, its own Cephes/PROPACK-based routines, not
// Boost), e.g. scipy.stats.norm.cdf(1.5, 1, 2) = 0.598706325682924; they agree with the printed
// tables quoted beside them where a table has the value.
#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "../ChartChecks.h"
#include "../UserErrorChecks.h"
#include "core/probability/ProbabilityQuestion.h"

namespace kelvo {
namespace {

using K = DistributionKind;
using Q = Question;

struct Case {
  const char* name;
  K kind;
  std::array<double, 3> parameters;
  Q question;
  double x;
  double b;
  double probability;
  double expected;
  bool lowerClosed = true;
  bool upperClosed = true;
};

double Value(const Case& c) {
  ProbabilityQuestion q;
  q.question = c.question;
  q.x = c.x;
  q.b = c.b;
  q.probability = c.probability;
  q.lowerClosed = c.lowerClosed;
  q.upperClosed = c.upperClosed;
  return Answer(Distribution(c.kind, c.parameters), q).value;
}

void ExpectAll(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    // Relative 1e-9, or 1e-15 absolute for values near 0.
    EXPECT_NEAR(Value(c), c.expected, std::max(1e-9 * std::fabs(c.expected), 1e-15)) << c.name;
  }
}

TEST(ProbabilityNormal, TailsIntervalsQuantilesAndUpperPoints) {
  ExpectAll({
      // N(1, 4), σ = 2: scipy.stats.norm.cdf(1.5, 1, 2), .sf, cdf(2) − cdf(0), .pdf, .ppf, .isf
      {"at most", K::Normal, {1, 2}, Q::AtMost, 1.5, 0, 0, 0.598706325682924},
      {"below equals at most", K::Normal, {1, 2}, Q::Below, 1.5, 0, 0, 0.598706325682924},
      {"above", K::Normal, {1, 2}, Q::Above, 1.5, 0, 0, 0.401293674317076},
      {"between", K::Normal, {1, 2}, Q::Between, 0, 2, 0, 0.382924922548026},
      {"open between is the same", K::Normal, {1, 2}, Q::Between, 0, 2, 0, 0.382924922548026, false, false},
      {"density", K::Normal, {1, 2}, Q::Density, 1.5, 0, 0, 0.193334058401425},
      {"lower quantile", K::Normal, {1, 2}, Q::LowerQuantile, 0, 0, 0.975, 4.91992796908011},
      {"upper point", K::Normal, {1, 2}, Q::UpperPoint, 0, 0, 0.05, 4.28970725390295},
      // Printed table: z0.05 = 1.645, Φ(1.96) = 0.9750; scipy norm.isf(0.05), norm.cdf(1.96)
      {"z 0.05", K::StandardNormal, {}, Q::UpperPoint, 0, 0, 0.05, 1.64485362695147},
      {"Phi 1.96", K::StandardNormal, {}, Q::AtMost, 1.96, 0, 0, 0.97500210485178},
      {"far upper tail keeps its digits", K::StandardNormal, {}, Q::AtLeast, 8, 0, 0, 6.22096057427174e-16},
      {"standard density at 0", K::StandardNormal, {}, Q::Density, 0, 0, 0, 0.398942280401433},
  });
}

TEST(ProbabilityTChiSquareF, TailsAndUpperPoints) {
  ExpectAll({
      // Printed tables: t0.025(6) = 2.4469, χ²0.05(10) = 18.307, χ²0.95(10) = 3.940,
      // F0.05(3, 12) = 3.49; scipy t.isf(0.025, 6), chi2.isf(0.05, 10), f.isf(0.05, 3, 12), ...
      {"t upper point", K::T, {6}, Q::UpperPoint, 0, 0, 0.025, 2.44691184879168},
      {"t at most", K::T, {6}, Q::AtMost, 2, 0, 0, 0.953786844234162},
      {"t above", K::T, {6}, Q::Above, 2, 0, 0, 0.0462131557658375},
      {"t lower quantile is negative", K::T, {6}, Q::LowerQuantile, 0, 0, 0.05, -1.94318028039278},
      {"chi2 upper point", K::ChiSquare, {10}, Q::UpperPoint, 0, 0, 0.05, 18.3070380532751},
      {"chi2 upper point above one half", K::ChiSquare, {10}, Q::UpperPoint, 0, 0, 0.95, 3.94029913611906},
      {"chi2 above", K::ChiSquare, {5}, Q::Above, 10.37, 0, 0, 0.0654051052670011},
      {"chi2 one df near zero", K::ChiSquare, {1}, Q::AtMost, 0.5, 0, 0, 0.520499877813047},
      {"chi2 below zero is zero", K::ChiSquare, {3}, Q::AtMost, -1, 0, 0, 0.0},
      {"F upper point", K::F, {3, 12}, Q::UpperPoint, 0, 0, 0.05, 3.4902948194976},
      {"F above", K::F, {3, 12}, Q::Above, 3.49, 0, 0, 0.0500109664717769},
      {"F between", K::F, {3, 12}, Q::Between, 1, 2, 0, 0.258389822818972},
  });
}

TEST(ProbabilityBinomial, TailsIntervalsMassAndQuantiles) {
  ExpectAll({
      // B(10, 0.4): scipy binom.cdf(7) − binom.cdf(2), binom.cdf(3), binom.pmf(3), binom.sf(3)
      {"closed interval", K::Binomial, {10, 0.4}, Q::Between, 3, 7, 0, 0.8204156928},
      {"open interval", K::Binomial, {10, 0.4}, Q::Between, 3, 7, 0, 0.5629575168, false, false},
      {"at most", K::Binomial, {10, 0.4}, Q::AtMost, 3, 0, 0, 0.3822806016},
      {"at most a fraction is at most its floor", K::Binomial, {10, 0.4}, Q::AtMost, 3.7, 0, 0, 0.3822806016},
      {"below a whole value", K::Binomial, {10, 0.4}, Q::Below, 4, 0, 0, 0.3822806016},
      {"above", K::Binomial, {10, 0.4}, Q::Above, 3, 0, 0, 0.6177193984},
      {"at least", K::Binomial, {10, 0.4}, Q::AtLeast, 4, 0, 0, 0.6177193984},
      {"mass", K::Binomial, {10, 0.4}, Q::Density, 3, 0, 0, 0.214990848},
      {"mass at a fraction", K::Binomial, {10, 0.4}, Q::Density, 3.5, 0, 0, 0.0},
      // The jump of P(X ≤ x) at 6: P(X ≤ 5) = 0.8337613824, P(X ≤ 6) = 0.9452381184.
      {"quantile just below the jump at 5", K::Binomial, {10, 0.4}, Q::DiscreteQuantile, 0, 0, 0.83376, 5},
      {"quantile just above the jump at 5", K::Binomial, {10, 0.4}, Q::DiscreteQuantile, 0, 0, 0.83377, 6},
      {"small upper tail", K::Binomial, {100, 0.1}, Q::Above, 30, 0, 0, 6.04703847625694e-09},
      // Domain edges, by hand: p = 0 puts all mass at 0, p = 1 at n.
      {"p zero", K::Binomial, {10, 0}, Q::Density, 0, 0, 0, 1.0},
      {"p one", K::Binomial, {10, 1}, Q::AtLeast, 10, 0, 0, 1.0},
      {"p one below n", K::Binomial, {10, 1}, Q::AtMost, 9, 0, 0, 0.0},
  });
}

TEST(ProbabilityPoissonGeometricHypergeometric, TailsMassAndQuantiles) {
  ExpectAll({
      // P(3): scipy poisson.cdf(2, 3), .sf(4, 3), .pmf(2, 3), .ppf(0.95, 3), .sf(20, 3)
      {"poisson at most", K::Poisson, {3}, Q::AtMost, 2, 0, 0, 0.423190081126844},
      {"poisson above", K::Poisson, {3}, Q::Above, 4, 0, 0, 0.184736755476228},
      {"poisson mass", K::Poisson, {3}, Q::Density, 2, 0, 0, 0.224041807655388},
      {"poisson quantile", K::Poisson, {3}, Q::DiscreteQuantile, 0, 0, 0.95, 6},
      {"poisson far tail", K::Poisson, {3}, Q::Above, 20, 0, 0, 1.17904481941456e-11},
      // G(0.2), X counts trials: by hand P(X ≤ 3) = 1 − 0.8³ = 0.488, P(X = 3) = 0.8²·0.2 = 0.128
      {"geometric at most", K::Geometric, {0.2}, Q::AtMost, 3, 0, 0, 0.488},
      {"geometric above", K::Geometric, {0.2}, Q::Above, 3, 0, 0, 0.512},
      {"geometric mass", K::Geometric, {0.2}, Q::Density, 3, 0, 0, 0.128},
      {"geometric zero trials", K::Geometric, {0.2}, Q::Density, 0, 0, 0, 0.0},
      {"geometric quantile", K::Geometric, {0.2}, Q::DiscreteQuantile, 0, 0, 0.5, 4},
      {"geometric p one", K::Geometric, {1}, Q::Density, 1, 0, 0, 1.0},
      // H(20, 5, 4): scipy hypergeom.pmf(2, 20, 5, 4), .cdf(1, ...), .sf(0, ...), .ppf(0.9, ...)
      {"hypergeometric mass", K::Hypergeometric, {20, 5, 4}, Q::Density, 2, 0, 0, 0.21671826625387},
      {"hypergeometric at most", K::Hypergeometric, {20, 5, 4}, Q::AtMost, 1, 0, 0, 0.751289989680083},
      {"hypergeometric at least one", K::Hypergeometric, {20, 5, 4}, Q::AtLeast, 1, 0, 0, 0.718266253869969},
      {"hypergeometric quantile", K::Hypergeometric, {20, 5, 4}, Q::DiscreteQuantile, 0, 0, 0.9, 2},
      // Edges by hand: no marked items, or all drawn.
      {"hypergeometric none marked", K::Hypergeometric, {20, 0, 4}, Q::Density, 0, 0, 0, 1.0},
      {"hypergeometric all drawn", K::Hypergeometric, {20, 5, 20}, Q::Density, 5, 0, 0, 1.0},
  });
}

TEST(ProbabilityExponentialUniform, TailsDensityAndQuantiles) {
  ExpectAll({
      // E(θ = 2): by hand 1 − e^(−0.75) = 0.527633447258985, −2 ln 0.025 = 7.37775890822787
      {"exponential at most", K::Exponential, {2}, Q::AtMost, 1.5, 0, 0, 0.527633447258985},
      {"exponential above", K::Exponential, {2}, Q::Above, 1.5, 0, 0, 0.472366552741015},
      {"exponential density", K::Exponential, {2}, Q::Density, 1.5, 0, 0, 0.236183276370507},
      {"exponential quantile", K::Exponential, {2}, Q::LowerQuantile, 0, 0, 0.975, 7.37775890822787},
      {"exponential below zero", K::Exponential, {2}, Q::AtMost, -1, 0, 0, 0.0},
      // U(0, 2): by hand
      {"uniform at most", K::Uniform, {0, 2}, Q::AtMost, 0.3, 0, 0, 0.15},
      {"uniform interval past the end", K::Uniform, {0, 2}, Q::Between, 1, 5, 0, 0.5},
      {"uniform quantile", K::Uniform, {0, 2}, Q::LowerQuantile, 0, 0, 0.3, 0.6},
      {"uniform density outside", K::Uniform, {0, 2}, Q::Density, 3, 0, 0, 0.0},
  });
}

TEST(ProbabilityFormulas, WrittenInTextbookNotation) {
  auto formula = [](K kind, std::array<double, 3> p, ProbabilityQuestion q) {
    return Answer(Distribution(kind, p), q).formula;
  };
  ProbabilityQuestion q;
  q.question = Q::AtMost;
  q.x = 1.5;
  EXPECT_EQ(formula(K::Normal, {1, 2}, q), "P(X ≤ 1.5) = Φ((1.5 − 1)/2) = Φ(0.25) = 0.598706");
  q.question = Q::Above;
  EXPECT_EQ(formula(K::Normal, {-1, 2}, q), "P(X > 1.5) = 1 − Φ((1.5 + 1)/2) = 1 − Φ(1.25) = 0.10565");
  q = {};
  q.question = Q::UpperPoint;
  q.probability = 0.025;
  EXPECT_EQ(formula(K::T, {6}, q), "t₀.₀₂₅(6) = 2.44691");
  q.probability = 0.05;
  EXPECT_EQ(formula(K::F, {3, 12}, q), "F₀.₀₅(3, 12) = 3.49029");
  q = {};
  q.question = Q::Between;
  q.x = 3;
  q.b = 7;
  q.lowerClosed = false;
  // scipy binom.cdf(7, 10, 0.4) − binom.cdf(3, 10, 0.4) = 0.6054248448; norm.sf(1.25) = 0.10564977
  EXPECT_EQ(formula(K::Binomial, {10, 0.4}, q),
            "P(3 < X ≤ 7) = P(4 ≤ X ≤ 7) = Σ(k=4…7) C(10, k)·0.4^k·0.6^(10−k) = 0.605425");
  q = {};
  q.question = Q::Density;
  q.x = 2;
  EXPECT_EQ(formula(K::Poisson, {3}, q), "P(X = 2) = 3^2·e^(−3)/2! = 0.224042");
  q = {};
  q.question = Q::DiscreteQuantile;
  q.probability = 0.9;
  EXPECT_EQ(formula(K::Binomial, {10, 0.4}, q),
            "min{x : P(X ≤ x) ≥ 0.9} = 6（P(X ≤ 5) = 0.833761 < 0.9 ≤ P(X ≤ 6) = 0.945238）");
  // A jump closer to p than 6 digits gets the digits that tell them apart. By hand (Python
  // decimal, 50 digits): 1 − (1 − 10⁻⁹)^693147180 = 0.49999999989331, ^693147181 = 0.50000000039331.
  EXPECT_EQ(formula(K::Geometric, {1e-9}, {.question = Q::DiscreteQuantile, .probability = 0.5}),
            "min{x : P(X ≤ x) ≥ 0.5} = 693147181（P(X ≤ 693147180) = 0.4999999999 < 0.5 ≤ "
            "P(X ≤ 693147181) = 0.5000000004）");
}

TEST(ProbabilityApproximation, NormalWithContinuityCorrection) {
  // B(10, 0.4): μ = 4, σ² = 2.4; scipy norm.cdf((3.5 − 4)/√2.4) = 0.373442816695182 and
  // norm.cdf((7.5 − 4)/√2.4) − norm.cdf((2.5 − 4)/√2.4) = 0.82160497488493.
  const Distribution law(K::Binomial, {10, 0.4, 0});
  ProbabilityQuestion q;
  q.approximation = true;
  q.question = Q::AtMost;
  q.x = 3;
  ProbabilityAnswer a = Answer(law, q);
  EXPECT_NEAR(a.value, 0.3822806016, 1e-12);  // the exact value stays the answer
  ASSERT_TRUE(a.approximation.has_value());
  EXPECT_NEAR(*a.approximation, 0.373442816695182, 1e-12);
  EXPECT_EQ(a.approximationFormula.rfind("正态近似（连续性修正）：P(X ≤ 3) ≈ Φ((3.5 − 4)/1.54919)", 0), 0u);
  q.question = Q::Between;
  q.b = 7;
  a = Answer(law, q);
  ASSERT_TRUE(a.approximation.has_value());
  EXPECT_NEAR(*a.approximation, 0.82160497488493, 1e-12);
  // A law without spread has no approximation, and says so.
  a = Answer(Distribution(K::Binomial, {10, 1, 0}), q);
  EXPECT_FALSE(a.approximation.has_value());
  EXPECT_EQ(a.approximationFormula, "方差为 0，不能作正态近似");
}

TEST(ProbabilityRefusals, ParametersAndQuestionsOutOfRange) {
  struct Refusal {
    K kind;
    std::array<double, 3> parameters;
    const char* message;
  };
  const Refusal parameters[] = {
      {K::Normal, {0, 0}, "参数 σ 应满足 σ > 0"},
      {K::Normal, {NAN, 1}, "参数 μ 应为有限实数"},
      {K::T, {0}, "参数 n 应满足 n > 0"},
      {K::F, {3, -1}, "参数 n₂ 应满足 n₂ > 0"},
      {K::Binomial, {2.5, 0.4}, "参数 n 应满足 1 ≤ n ≤ 1000000000 的整数"},
      {K::Binomial, {10, 1.01}, "参数 p 应满足 0 ≤ p ≤ 1"},
      {K::Poisson, {0}, "参数 λ 应满足 λ > 0"},
      {K::Geometric, {0}, "参数 p 应满足 0 < p ≤ 1"},
      {K::Hypergeometric, {100001, 5, 4}, "参数 N 应满足 1 ≤ N ≤ 100000 的整数"},
      {K::Hypergeometric, {20, 21, 4}, "参数 M 应满足 0 ≤ M ≤ N 的整数"},
      {K::Hypergeometric, {20, 5, 21}, "参数 n 应满足 1 ≤ n ≤ N 的整数"},
      {K::Exponential, {-2}, "参数 θ 应满足 θ > 0"},
      {K::Uniform, {1, 1}, "参数 b 应满足 b > a"},
  };
  for (const Refusal& r : parameters) ExpectUserError([&] { Distribution(r.kind, r.parameters); }, r.message);

  const Distribution normal(K::Normal, {1, 2, 0});
  const Distribution binomial(K::Binomial, {10, 0.4, 0});
  ProbabilityQuestion q;
  q.question = Q::LowerQuantile;
  q.probability = 1;
  ExpectUserError([&] { Answer(normal, q); }, "概率 p 应满足 0 < p < 1");
  q.question = Q::UpperPoint;
  q.probability = 0;
  ExpectUserError([&] { Answer(normal, q); }, "概率 α 应满足 0 < α < 1");
  ExpectUserError([&] { Answer(binomial, q); }, "离散分布请求最小的 x 使 P(X ≤ x) ≥ p");
  q.question = Q::DiscreteQuantile;
  ExpectUserError([&] { Answer(normal, q); }, "连续分布请求分位数 x 使 P(X ≤ x) = p");
  q.question = Q::Between;
  q.x = 2;
  q.b = 1;
  ExpectUserError([&] { Answer(normal, q); }, "区间端点应满足 a ≤ b");
  q.question = Q::Density;
  q.x = 0;
  ExpectUserError([&] { Answer(Distribution(K::ChiSquare, {1, 0, 0}), q); }, "密度在 x = 0 处为无穷大");
}

TEST(ProbabilityChart, ShadesTheAskedAreaOrBars) {
  ProbabilityQuestion q;
  q.question = Q::Between;
  q.x = 0;
  q.b = 2;
  const Distribution normal(K::Normal, {1, 2, 0});
  ChartDescription chart = ProbabilityChart(normal, q, Answer(normal, q));
  ExpectDrawable(chart, "normal interval");
  auto shaded = chart.ofKind(SeriesKind::Shaded);
  ASSERT_EQ(shaded.size(), 1u);
  EXPECT_NEAR(Area(shaded[0]->points), 0.382924922548026, 1e-4);
  EXPECT_EQ(chart.ofKind(SeriesKind::Marker).size(), 2u);

  // Bars: the shaded ones are those of 3..7, each of width 0.7, so the area is 0.7 · P.
  q.x = 3;
  q.b = 7;
  q.approximation = true;
  const Distribution binomial(K::Binomial, {10, 0.4, 0});
  chart = ProbabilityChart(binomial, q, Answer(binomial, q));
  ExpectDrawable(chart, "binomial interval");
  shaded = chart.ofKind(SeriesKind::Shaded);
  ASSERT_EQ(shaded.size(), 1u);
  EXPECT_NEAR(Area(shaded[0]->points), 0.7 * 0.8204156928, 1e-9);
  EXPECT_EQ(chart.ofKind(SeriesKind::Curve).size(), 2u);  // the bars and the normal density

  // Unbounded densities, a point far outside, a huge binomial: still drawable.
  q = {};
  q.x = 0.2;
  for (const auto& [name, law] : {std::pair{"chi2 1", Distribution(K::ChiSquare, {1, 0, 0})},
                                  std::pair{"F 1 5", Distribution(K::F, {1, 5, 0})},
                                  std::pair{"binomial 1e9", Distribution(K::Binomial, {1e9, 0.3, 0})}})
    ExpectDrawable(ProbabilityChart(law, q, Answer(law, q)), name);
  q.x = 100;
  chart = ProbabilityChart(normal, q, Answer(normal, q));
  ExpectDrawable(chart, "far point");
  EXPECT_EQ(Shown(chart.note), "x = 100.000 在图示范围之外");
}

}  // namespace
}  // namespace kelvo
