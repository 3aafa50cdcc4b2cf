// The answer keys of the estimation problems equal a computation of their own from the printed
// data, with quantiles from Boost.Math; the key's table values stand within the tables'
// rounding of the exact quantiles.
#include <gtest/gtest.h>

#include <algorithm>
#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/exercise/ExerciseCatalogue.h"
#include "core/tables/TableStore.h"
#include "../ExerciseTestSupport.h"

namespace kelvo {
namespace {

using boost::math::quantile;
using Values = std::vector<double>;

// A printed frequency table (values, then their counts) as the observations it counts; every
// value a whole number within [0, largest] and every count a whole number.
Values CountedObservations(const Problem& p, double largest) {
  EXPECT_EQ(p.data.size(), 2u);
  Values x;
  for (std::size_t c = 1; c < p.data[0].size(); ++c) {
    const double v = Number(p.data[0][c]), count = Number(p.data[1][c]);
    EXPECT_TRUE(v == std::floor(v) && v >= 0 && v <= largest) << v;
    EXPECT_TRUE(count == std::floor(count) && count >= 0) << count;
    x.insert(x.end(), static_cast<std::size_t>(count), v);
  }
  return x;
}

// N of B(N, P) as the context states it.
int TrialsInContext(const Problem& p) {
  const std::size_t at = p.context.find("B(");
  return at == std::string::npos ? 0 : std::stoi(p.context.substr(at + 2));
}

struct Moments {
  double n = 0, mean = 0, centralN = 0, s = 0;  // centralN: Σ(x − x̄)²/n; s: divisor n − 1
};

Moments Of(const Values& x) {
  Moments m;
  m.n = static_cast<double>(x.size());
  for (double v : x) m.mean += v / m.n;
  double ss = 0;
  for (double v : x) ss += (v - m.mean) * (v - m.mean);
  m.centralN = ss / m.n;
  m.s = std::sqrt(ss / (m.n - 1));
  return m;
}

double Squares(const Values& x, double mu) {
  double q = 0;
  for (double v : x) q += (v - mu) * (v - mu);
  return q;
}

void ExpectValues(const Problem& p, const Values& expected) {
  ASSERT_EQ(p.answers.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i)
    EXPECT_NEAR(p.answers[i].value, expected[i], 1e-9 * std::max(1.0, std::fabs(expected[i])))
        << p.answers[i].caption;
}

double Level(const Problem& p) {
  const double level = p.window.settings.findNumber("level").value();
  char text[16];
  std::snprintf(text, sizeof text, "%.2f", level);
  EXPECT_NE(p.question.find(text), std::string::npos) << p.question;
  return level;
}

// A known value as the window's box holds it; the context states the same.
double Known(const Problem& p, const char* name) {
  const std::string text = p.window.settings.find(name).value();
  EXPECT_NE(p.context.find("= " + text), std::string::npos) << p.context;
  return std::stod(text);
}

TEST(EstimationExercises, PointEstimatesAreThoseOfThePrintedData) {
  for (int variant = 1; variant <= 6; ++variant)
    for (int seed = 0; seed < 30; ++seed) {
      SCOPED_TRACE(FormatProblemCode({1, variant, seed}));
      const Problem p = PoseProblem(Tables(), {1, variant, seed});
      const int trials = TrialsInContext(p);
      Values x;
      switch (variant) {
        case 1: x = CountedObservations(p, 1); break;
        case 2: x = CountedObservations(p, trials); break;
        case 3: x = CountedObservations(p, 1e9); break;
        default: x = PrintedSamples(p).at(0);
      }
      const Moments m = Of(x);
      const double sigma = std::sqrt(m.centralN);
      const auto [low, high] = std::minmax_element(x.begin(), x.end());
      switch (variant) {
        case 2: ExpectValues(p, {m.mean, m.mean / trials, m.mean / trials}); break;
        case 4:
          ExpectValues(p, {m.mean, m.mean - std::sqrt(3 * m.centralN), m.mean + std::sqrt(3 * m.centralN), *low, *high});
          break;
        case 5: ExpectValues(p, {m.mean, m.mean, sigma, m.mean, sigma}); break;
        default: ExpectValues(p, {m.mean, m.mean, m.mean});  // P = x̄, λ = x̄, θ = x̄ both ways
      }
    }
}

/* A topic's expected key: the estimates, the quantiles (upper-tail, as the tables print them)
   and the bounds computed from those quantiles. The key's bounds must follow from its own
   table values by the same formula, and its exact values from the exact quantiles. */
struct IntervalKey {
  Values estimates;
  Values quantiles;  // exact
  std::function<std::pair<double, double>(const Values&)> bounds;
};

void ExpectIntervalKey(const Problem& p, const IntervalKey& key) {
  const std::size_t e = key.estimates.size(), q = key.quantiles.size();
  ASSERT_EQ(p.answers.size(), e + q + 2);
  for (std::size_t i = 0; i < e; ++i)
    EXPECT_NEAR(p.answers[i].value, key.estimates[i], 1e-9 * std::max(1.0, std::fabs(key.estimates[i])))
        << p.answers[i].caption;
  Values table;
  for (std::size_t i = 0; i < q; ++i) {
    const ExpectedAnswer& a = p.answers[e + i];
    EXPECT_NEAR(*a.exactValue, key.quantiles[i], 1e-6 * key.quantiles[i]) << a.caption;
    EXPECT_NEAR(a.value, key.quantiles[i], 0.005 * key.quantiles[i]) << a.caption;  // the tables' digits
    table.push_back(a.value);
  }
  const auto [lower, upper] = key.bounds(table);
  const auto [exactLower, exactUpper] = key.bounds(key.quantiles);
  const ExpectedAnswer& l = p.answers[e + q];
  const ExpectedAnswer& u = p.answers[e + q + 1];
  const double width = exactUpper - exactLower;
  EXPECT_NEAR(l.value, lower, 1e-6 * width);
  EXPECT_NEAR(u.value, upper, 1e-6 * width);
  EXPECT_NEAR(*l.exactValue, exactLower, 1e-9 * width);
  EXPECT_NEAR(*u.exactValue, exactUpper, 1e-9 * width);
}

IntervalKey NormalKey(const Problem& p, int variant) {
  const double c = Level(p), a2 = (1 - c) / 2;
  const std::vector<Values> samples = PrintedSamples(p);
  const Values& x = samples.at(0);
  const Moments m = Of(x);
  const double z = quantile(boost::math::normal(), 1 - a2);
  auto t = [&](double df) { return quantile(boost::math::students_t(df), 1 - a2); };
  auto chi = [&](double df, double upperTail) { return quantile(boost::math::chi_squared(df), 1 - upperTail); };
  auto f = [&](double df1, double df2) { return quantile(boost::math::fisher_f(df1, df2), 1 - a2); };
  auto around = [](double centre, double spread) {
    return [=](const Values& q) { return std::make_pair(centre - q[0] * spread, centre + q[0] * spread); };
  };
  auto scale = [](double squares) {
    return [=](const Values& q) { return std::make_pair(std::sqrt(squares / q[0]), std::sqrt(squares / q[1])); };
  };
  if (variant <= 4) {
    EXPECT_EQ(samples.size(), 1u);
    switch (variant) {
      case 1: return {{m.mean}, {z}, around(m.mean, Known(p, "known1") / std::sqrt(m.n))};
      case 2: return {{m.mean, m.s}, {t(m.n - 1)}, around(m.mean, m.s / std::sqrt(m.n))};
      case 3: {
        const double q = Squares(x, Known(p, "known1"));
        return {{q}, {chi(m.n, a2), chi(m.n, 1 - a2)}, scale(q)};
      }
      default: {
        const double r = (m.n - 1) * m.s * m.s;
        return {{m.s}, {chi(m.n - 1, a2), chi(m.n - 1, 1 - a2)}, scale(r)};
      }
    }
  }
  EXPECT_EQ(samples.size(), 2u);
  const Values& y = samples.at(1);
  const Moments k = Of(y);
  const double d = m.mean - k.mean;
  switch (variant) {
    case 5: {
      const double s1 = Known(p, "known1"), s2 = Known(p, "known2");
      return {{m.mean, k.mean}, {z}, around(d, std::sqrt(s1 * s1 / m.n + s2 * s2 / k.n))};
    }
    case 6: {
      const double sw = std::sqrt(((m.n - 1) * m.s * m.s + (k.n - 1) * k.s * k.s) / (m.n + k.n - 2));
      return {{m.mean, k.mean, sw}, {t(m.n + k.n - 2)}, around(d, sw * std::sqrt(1 / m.n + 1 / k.n))};
    }
    case 7: {
      const double v1 = m.s * m.s / m.n, v2 = k.s * k.s / k.n;
      const double nu = std::floor((v1 + v2) * (v1 + v2) / (v1 * v1 / (m.n - 1) + v2 * v2 / (k.n - 1)));
      return {{m.mean, k.mean, m.s, k.s}, {t(nu)}, around(d, std::sqrt(v1 + v2))};
    }
    default: break;
  }
  // σ1/σ2: L = √(ρ/F(a, b)), U = √(ρ·F(b, a)), with F(b, a) asked only when it differs.
  const bool knownMeans = variant == 8;
  const double a = knownMeans ? m.n : m.n - 1, b = knownMeans ? k.n : k.n - 1;
  Values estimates{m.s, k.s};
  double rho = m.s * m.s / (k.s * k.s);
  if (knownMeans) {
    estimates = {Squares(x, Known(p, "known1")) / m.n, Squares(y, Known(p, "known2")) / k.n};
    rho = estimates[0] / estimates[1];
  }
  Values quantiles{f(a, b)};
  if (a != b) quantiles.push_back(f(b, a));
  return {estimates, quantiles, [rho](const Values& q) {
            return std::make_pair(std::sqrt(rho / q[0]), std::sqrt(rho * q.back()));
          }};
}

TEST(EstimationExercises, NormalIntervalKeysAreThoseOfThePrintedData) {
  for (int variant = 1; variant <= 9; ++variant)
    for (int seed = 0; seed < 25; ++seed) {
      SCOPED_TRACE(FormatProblemCode({2, variant, seed}));
      const Problem p = PoseProblem(Tables(), {2, variant, seed});
      ExpectIntervalKey(p, NormalKey(p, variant));
    }
}

// The large-sample intervals: the roots of A·t² − B·t + C = 0 (from |x̄ − E X| ≤ z·√(D X/n)
// squared), or √n·x̄/(√n ± z) for the exponential mean.
IntervalKey LargeSampleKey(const Problem& p, int variant) {
  const double c = Level(p);
  const double z = quantile(boost::math::normal(), 1 - (1 - c) / 2);
  const double trials = TrialsInContext(p);
  const Values x = variant == 1 ? CountedObservations(p, 1)
                   : variant == 2 ? CountedObservations(p, trials)
                   : variant == 3 ? CountedObservations(p, 1e9)
                                  : PrintedSamples(p).at(0);
  const Moments m = Of(x);
  const double n = m.n, mean = m.mean;
  return {{mean}, {z}, [=](const Values& q) {
            const double zz = q[0] * q[0];
            if (variant == 4) return std::make_pair(std::sqrt(n) * mean / (std::sqrt(n) + q[0]),
                                                    std::sqrt(n) * mean / (std::sqrt(n) - q[0]));
            double a = n + zz, b = 2 * n * mean + zz;
            if (variant == 2) a = n * trials * trials + trials * zz, b = 2 * n * trials * mean + trials * zz;
            if (variant == 3) a = n;
            const double root = std::sqrt(b * b - 4 * a * n * mean * mean);
            return std::make_pair((b - root) / (2 * a), (b + root) / (2 * a));
          }};
}

TEST(EstimationExercises, LargeSampleIntervalKeysAreThoseOfThePrintedData) {
  for (int variant = 1; variant <= 4; ++variant)
    for (int seed = 0; seed < 30; ++seed) {
      SCOPED_TRACE(FormatProblemCode({3, variant, seed}));
      const Problem p = PoseProblem(Tables(), {3, variant, seed});
      ExpectIntervalKey(p, LargeSampleKey(p, variant));
    }
}

}  // namespace
}  // namespace kelvo
