// The answer keys of the probability, analysis-of-variance and regression problems equal a
// computation of their own: from the law the calculator's file names (Boost.Math), and from
// the printed data tables by the textbook formulas.
#include <gtest/gtest.h>

#include <algorithm>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/poisson.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/exercise/ExerciseCatalogue.h"
#include "core/probability/ProbabilityQuestion.h"
#include "core/tables/TableStore.h"
#include "../ExerciseTestSupport.h"

namespace kelvo {
namespace {

namespace bm = boost::math;

// A printed cell: one number, or several separated by ", ".
std::vector<double> Numbers(std::string text) {
  std::replace(text.begin(), text.end(), ',', ' ');
  std::istringstream in(text);
  std::vector<double> values;
  for (std::string part; in >> part;) values.push_back(Number(part));
  return values;
}

double Setting(const Problem& p, const char* name) { return p.window.settings.findNumber(name).value(); }

bool Has(const std::vector<Decision>& decisions, Decision d) {
  return std::find(decisions.begin(), decisions.end(), d) != decisions.end();
}

double Phi(double z) { return bm::cdf(bm::normal(), z); }

// P(a ≤ X ≤ b) of a discrete law by summing its masses.
template <class Law>
double MassBetween(const Law& law, double a, double b) {
  double sum = 0.0;
  for (double k = std::max(a, 0.0); k <= b; k += 1.0) sum += bm::pdf(law, k);
  return sum;
}

// The probability the question asks, worked from the law and points of the calculator's file;
// the question prints the same event.
TEST(ModelExercises, ProbabilityKeysAreTheLawsProbabilities) {
  for (int variant = 1; variant <= 4; ++variant)
    for (int seed = 0; seed < 40; ++seed) {
      SCOPED_TRACE(FormatProblemCode({9, variant, seed}));
      const Problem p = PoseProblem(Tables(), {9, variant, seed});
      const DistributionKind kind =
          DistributionList()[static_cast<std::size_t>(Setting(p, "distribution"))].kind;
      const Question question = QuestionList()[static_cast<std::size_t>(Setting(p, "question"))].question;
      if (question == Question::DiscreteQuantile) {
        // The least stock m with P(X ≤ m) ≥ p.
        const bm::poisson law(Setting(p, "parameter1"));
        double m = 0;
        while (bm::cdf(law, m) < Setting(p, "probability")) m += 1;
        EXPECT_EQ(p.answers.back().value, m);
        continue;
      }
      const double x = Setting(p, "x");
      // The whole event as [low, high] (closed: the continuous laws do not tell them apart).
      double low = -HUGE_VAL, high = HUGE_VAL;
      switch (question) {
        case Question::AtMost: high = x; break;
        case Question::Above: low = x; break;
        case Question::AtLeast: low = x; break;
        case Question::Density: low = high = x; break;
        case Question::Between: low = x, high = Setting(p, "b"); break;
        default: FAIL() << "question not asked by these problems";
      }
      double expected = 0.0;
      const double p1 = Setting(p, "parameter1");
      const ExpectedAnswer& key = p.answers.back();
      switch (kind) {
        case DistributionKind::Normal: {
          const double sigma = Setting(p, "parameter2");
          const double zLow = (low - p1) / sigma, zHigh = (high - p1) / sigma;
          expected = Phi(zHigh) - Phi(zLow);
          // The standardised points have two decimals: the normal table holds them.
          for (std::size_t i = 0; i + 1 < p.answers.size(); ++i)
            EXPECT_NEAR(p.answers[i].value * 100, std::round(p.answers[i].value * 100), 1e-7);
          EXPECT_NEAR(p.answers.front().value, std::isfinite(zLow) ? zLow : zHigh, 1e-9);
          // Each Φ read to four decimals: the table's route lies within 1e-4 of the exact one.
          EXPECT_NEAR(key.value, expected, 1.0001e-4);
          EXPECT_NEAR(*key.exactValue, expected, 1e-9);
          break;
        }
        case DistributionKind::Binomial: {
          const double prob = Setting(p, "parameter2");
          if (p.window.settings.find("approximation")) {
            // Normal approximation with continuity correction, as the table reader works it:
            // each z to two decimals, Φ to four.
            const double mean = p1 * prob, sd = std::sqrt(p1 * prob * (1 - prob));
            const double zLow = (low - 0.5 - mean) / sd, zHigh = (high + 0.5 - mean) / sd;
            EXPECT_NEAR(p.answers[0].value, mean, 1e-9);
            EXPECT_NEAR(p.answers[1].value, sd, 1e-9);
            EXPECT_NEAR(*key.exactValue, Phi(zHigh) - Phi(zLow), 1e-9);
            const auto table = [](double z) {
              return std::isfinite(z) ? std::round(Phi(std::round(z * 100) / 100) * 1e4) / 1e4 : (z > 0 ? 1.0 : 0.0);
            };
            EXPECT_NEAR(key.value, table(zHigh) - table(zLow), 1.0001e-4);
            continue;
          }
          expected = MassBetween(bm::binomial(p1, prob), low, std::min(high, p1));
          EXPECT_NEAR(key.value, expected, 1e-9);
          break;
        }
        case DistributionKind::Poisson:
          expected = std::isfinite(low) && !std::isfinite(high)
                         ? 1.0 - (low > 0 ? bm::cdf(bm::poisson(p1), low - 1) : 0.0)
                         : MassBetween(bm::poisson(p1), low, high);
          EXPECT_NEAR(key.value, expected, 1e-9);
          break;
        case DistributionKind::Exponential:
          expected = std::exp(-std::max(low, 0.0) / p1) - (std::isfinite(high) ? std::exp(-high / p1) : 0.0);
          EXPECT_NEAR(key.value, expected, 1e-9);
          break;
        default: FAIL() << "law not asked by these problems";
      }
      // A probability of 0 or 1 asks nothing.
      EXPECT_GT(expected, 1e-4);
      EXPECT_LT(expected, 1 - 1e-4);
    }
}

// The upper quantile: the exact value from Boost.Math, the table's within its printed digits.
TEST(ModelExercises, UpperQuantileKeysAreTheTablesQuantiles) {
  std::set<int> laws;
  for (int seed = 0; seed < 60; ++seed) {
    SCOPED_TRACE(FormatProblemCode({9, 5, seed}));
    const Problem p = PoseProblem(Tables(), {9, 5, seed});
    const std::size_t index = static_cast<std::size_t>(Setting(p, "distribution"));
    const DistributionKind kind = DistributionList()[index].kind;
    laws.insert(static_cast<int>(kind));
    const double alpha = Setting(p, "probability");
    double exact = 0.0;
    switch (kind) {
      case DistributionKind::StandardNormal: exact = bm::quantile(bm::complement(bm::normal(), alpha)); break;
      case DistributionKind::T:
        exact = bm::quantile(bm::complement(bm::students_t(Setting(p, "parameter1")), alpha));
        break;
      case DistributionKind::ChiSquare:
        exact = bm::quantile(bm::complement(bm::chi_squared(Setting(p, "parameter1")), alpha));
        break;
      case DistributionKind::F:
        exact = bm::quantile(
            bm::complement(bm::fisher_f(Setting(p, "parameter1"), Setting(p, "parameter2")), alpha));
        break;
      default: FAIL() << "law not asked by these problems";
    }
    ASSERT_EQ(p.answers.size(), 1u);
    EXPECT_EQ(p.answers[0].kind, AnswerKind::CriticalValue);
    EXPECT_NEAR(*p.answers[0].exactValue, exact, 1e-6 * exact);
    // The normal table's nearest cell is at most 0.006 off; the others round the exact value.
    EXPECT_NEAR(p.answers[0].value, exact, 0.006);
  }
  EXPECT_EQ(laws.size(), 4u);
}

struct AnovaSums {
  double total = 0, a = 0, b = 0, interaction = 0, error = 0;
  int dfA = 0, dfB = 0, dfAB = 0, dfE = 0;
};

// The sums of squares by their definitions, from the printed table: rows are the levels of A,
// columns (two factors) those of B, a cell one or several observations.
AnovaSums SumsOf(const Problem& p, int design) {
  std::vector<std::vector<std::vector<double>>> cells;
  for (std::size_t r = 1; r < p.data.size(); ++r) {
    cells.emplace_back();
    for (std::size_t c = 1; c < p.data[r].size(); ++c) cells.back().push_back(Numbers(p.data[r][c]));
  }
  double sum = 0;
  int n = 0;
  for (const auto& row : cells)
    for (const auto& cell : row)
      for (const double v : cell) sum += v, ++n;
  const double mean = sum / n;
  AnovaSums s;
  for (const auto& row : cells)
    for (const auto& cell : row)
      for (const double v : cell) s.total += (v - mean) * (v - mean);
  if (design == 1) {
    for (const auto& row : cells) {
      double rowSum = 0;
      for (const auto& cell : row) rowSum += cell[0];
      s.a += row.size() * std::pow(rowSum / row.size() - mean, 2);
    }
    s.error = s.total - s.a;
    s.dfA = static_cast<int>(cells.size()) - 1;
    s.dfE = n - static_cast<int>(cells.size());
    return s;
  }
  const std::size_t r = cells.size(), c = cells[0].size(), t = cells[0][0].size();
  std::vector<double> rowMean(r, 0), colMean(c, 0);
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < c; ++j)
      for (const double v : cells[i][j]) rowMean[i] += v / (c * t), colMean[j] += v / (r * t);
  for (const double m : rowMean) s.a += c * t * (m - mean) * (m - mean);
  for (const double m : colMean) s.b += r * t * (m - mean) * (m - mean);
  s.dfA = static_cast<int>(r) - 1;
  s.dfB = static_cast<int>(c) - 1;
  if (t == 1) {
    s.error = s.total - s.a - s.b;
    s.dfE = s.dfA * s.dfB;
    return s;
  }
  for (std::size_t i = 0; i < r; ++i)
    for (std::size_t j = 0; j < c; ++j) {
      double cellMean = 0;
      for (const double v : cells[i][j]) cellMean += v / t;
      for (const double v : cells[i][j]) s.error += (v - cellMean) * (v - cellMean);
    }
  s.interaction = s.total - s.a - s.b - s.error;
  s.dfAB = s.dfA * s.dfB;
  s.dfE = static_cast<int>(r * c * (t - 1));
  return s;
}

TEST(ModelExercises, AnovaKeysAreTheSumsOfSquaresOfThePrintedTable) {
  for (int design = 1; design <= 3; ++design) {
    std::set<Decision> seen;
    for (int seed = 0; seed < 40; ++seed) {
      SCOPED_TRACE(FormatProblemCode({10, design, seed}));
      const Problem p = PoseProblem(Tables(), {10, design, seed});
      const AnovaSums s = SumsOf(p, design);
      const double alpha = Setting(p, "level");
      std::vector<double> sums{s.total, s.a, s.error};
      std::vector<double> ratios{(s.a / s.dfA) / (s.error / s.dfE)};
      if (design >= 2) {
        sums = {s.total, s.a, s.b, s.error};
        ratios.push_back((s.b / s.dfB) / (s.error / s.dfE));
      }
      if (design == 3) {
        sums.push_back(s.interaction);
        ratios.push_back((s.interaction / s.dfAB) / (s.error / s.dfE));
      }
      ASSERT_EQ(p.answers.size(), sums.size() + ratios.size() + 1);
      for (std::size_t i = 0; i < sums.size(); ++i)
        EXPECT_NEAR(p.answers[i].value, sums[i], 1e-8 * s.total) << p.answers[i].caption;
      for (std::size_t i = 0; i < ratios.size(); ++i)
        EXPECT_NEAR(p.answers[sums.size() + i].value, ratios[i], 1e-8 * ratios[i]);
      // The question names the factor whose critical value and decision are asked.
      std::size_t named = 0;
      if (p.question.find("交互作用") != std::string::npos) named = 2;
      else if (p.question.find("因素 B") != std::string::npos) named = 1;
      const int df[] = {s.dfA, design == 1 ? 0 : s.dfB, s.dfAB};
      const double exact = bm::quantile(bm::complement(bm::fisher_f(df[named], s.dfE), alpha));
      const ExpectedAnswer& critical = p.answers.back();
      EXPECT_NEAR(*critical.exactValue, exact, 1e-6 * exact);
      EXPECT_NEAR(critical.value, exact, 0.0051);  // the F table's two decimals
      const Decision table = ratios[named] >= critical.value ? Decision::AcceptH1 : Decision::AcceptH0;
      EXPECT_EQ(p.decisions.front(), table);
      EXPECT_TRUE(Has(p.decisions, ratios[named] >= exact ? Decision::AcceptH1 : Decision::AcceptH0));
      seen.insert(table);
    }
    EXPECT_EQ(seen.size(), 2u) << "design " << design << " poses only one decision";
  }
}

TEST(ModelExercises, RegressionKeysAreTheLeastSquaresLineOfThePrintedPairs) {
  std::set<Decision> seen;
  int predictions = 0;
  for (int seed = 0; seed < 40; ++seed) {
    SCOPED_TRACE(FormatProblemCode({11, 1, seed}));
    const Problem p = PoseProblem(Tables(), {11, 1, seed});
    ASSERT_EQ(p.data.size(), 2u);
    std::vector<double> x, y;
    for (std::size_t c = 1; c < p.data[0].size(); ++c) x.push_back(Number(p.data[0][c]));
    for (std::size_t c = 1; c < p.data[1].size(); ++c) y.push_back(Number(p.data[1][c]));
    ASSERT_EQ(x.size(), y.size());
    const double n = static_cast<double>(x.size());
    double xBar = 0, yBar = 0;
    for (std::size_t i = 0; i < x.size(); ++i) xBar += x[i] / n, yBar += y[i] / n;
    double sxx = 0, sxy = 0, syy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
      sxx += (x[i] - xBar) * (x[i] - xBar);
      sxy += (x[i] - xBar) * (y[i] - yBar);
      syy += (y[i] - yBar) * (y[i] - yBar);
    }
    const double b = sxy / sxx, a = yBar - b * xBar;
    const double sigma2 = (syy - b * sxy) / (n - 2);
    const double t = b / std::sqrt(sigma2 / sxx);
    const double alpha = Setting(p, "level");
    const double exact = bm::quantile(bm::complement(bm::students_t(n - 2), alpha / 2));
    EXPECT_NEAR(p.answers[0].value, b, 1e-9 * std::fabs(b) + 1e-12);
    EXPECT_NEAR(p.answers[1].value, a, 1e-9 * (std::fabs(a) + std::fabs(b * xBar)));
    EXPECT_NEAR(p.answers[2].value, t, 1e-8 * std::fabs(t) + 1e-12);
    EXPECT_NEAR(*p.answers[3].exactValue, exact, 1e-6);
    EXPECT_NEAR(p.answers[3].value, exact, 0.0006);  // the t table's four decimals
    const Decision table = std::fabs(t) >= p.answers[3].value ? Decision::AcceptH1 : Decision::AcceptH0;
    EXPECT_EQ(p.decisions.front(), table);
    seen.insert(table);
    if (p.answers.size() == 5) {
      ++predictions;
      EXPECT_NEAR(p.answers[4].value, a + b * Setting(p, "x0"), 1e-8 * std::fabs(a + b * Setting(p, "x0")));
    }
  }
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_GT(predictions, 0);
}

}  // namespace
}  // namespace kelvo
