// The answer keys of the probability problems equal a computation of their own from the law
// the calculator's file names (Boost.Math).
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
#include <string>
#include <vector>

#include "core/exercise/ExerciseCatalogue.h"
#include "core/probability/ProbabilityQuestion.h"
#include "core/tables/TableStore.h"

namespace kelvo {
namespace {

namespace bm = boost::math;

TableStore& Tables() {
  static TableStore tables(KELVO_TABLES_DB);
  return tables;
}

double Setting(const Problem& p, const char* name) { return p.window.settings.findNumber(name).value(); }

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

}  // namespace
}  // namespace kelvo
