// The answer keys of the test problems equal a computation of their own from the printed data.
#include <gtest/gtest.h>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/binomial.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/poisson.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include "core/exercise/ExerciseCatalogue.h"
#include "core/exercise/Grading.h"
#include "core/tables/TableStore.h"
#include "../ExerciseTestSupport.h"

namespace kelvo {
namespace {

// The numbers of the printed data table (captions and empty cells skipped).
std::vector<double> PrintedNumbers(const Problem& p) {
  std::vector<double> values;
  for (const auto& row : p.data)
    for (std::size_t c = 1; c < row.size(); ++c) {
      std::string text = row[c];
      if (text.rfind("\u2212", 0) == 0) text = "-" + text.substr(3);
      values.push_back(std::stod(text));
    }
  return values;
}

double Mean(const std::vector<double>& x) { return std::accumulate(x.begin(), x.end(), 0.0) / x.size(); }

double Variance(const std::vector<double>& x) {
  const double m = Mean(x);
  double ss = 0.0;
  for (double v : x) ss += (v - m) * (v - m);
  return ss / (x.size() - 1);
}

std::size_t StatisticIndex(const Problem& p) {
  for (std::size_t i = 0; i < p.answers.size(); ++i)
    if (p.answers[i].kind == AnswerKind::Statistic) return i;
  return p.answers.size();
}

// A statistic with the exact distribution it follows under H0.
struct Reference {
  double statistic;
  enum { Normal, T, ChiSquare, F } law;
  double df1 = 0, df2 = 0;
};

double Quantile(const Reference& r, double p) {
  using namespace boost::math;
  switch (r.law) {
    case Reference::Normal: return quantile(normal(), p);
    case Reference::T: return quantile(students_t(r.df1), p);
    case Reference::ChiSquare: return quantile(chi_squared(r.df1), p);
    case Reference::F: return quantile(fisher_f(r.df1, r.df2), p);
  }
  return 0;
}

// Each test's statistic computed by its textbook formula from the printed samples and the
// known values of the window's file.
Reference ReferenceOf(int variant, const Problem& p) {
  const std::vector<std::vector<double>> s = PrintedSamples(p);
  const SettingList& set = p.window.settings;
  const double h = set.findNumber("hypothesisValue").value_or(0.0);
  const std::vector<double>& x = s[0];
  const double n = x.size();
  switch (variant) {
    case 1: return {(Mean(x) - h) / (set.findNumber("known1").value() / std::sqrt(n)), Reference::Normal};
    case 2: return {(Mean(x) - h) / std::sqrt(Variance(x) / n), Reference::T, n - 1};
    case 3: {
      const double mu = set.findNumber("known1").value();
      double ss = 0.0;
      for (double v : x) ss += (v - mu) * (v - mu);
      return {ss / (h * h), Reference::ChiSquare, n};
    }
    case 4: return {(n - 1) * Variance(x) / (h * h), Reference::ChiSquare, n - 1};
    default: break;
  }
  const std::vector<double>& y = s[1];
  const double m = y.size();
  const double diff = Mean(x) - Mean(y) - h;
  switch (variant) {
    case 5: {
      const double s1 = set.findNumber("known1").value(), s2 = set.findNumber("known2").value();
      return {diff / std::sqrt(s1 * s1 / n + s2 * s2 / m), Reference::Normal};
    }
    case 6: {
      const double sw2 = ((n - 1) * Variance(x) + (m - 1) * Variance(y)) / (n + m - 2);
      return {diff / std::sqrt(sw2 * (1 / n + 1 / m)), Reference::T, n + m - 2};
    }
    case 7: {
      const double a = Variance(x) / n, b = Variance(y) / m;
      const double nu = (a + b) * (a + b) / (a * a / (n - 1) + b * b / (m - 1));
      return {diff / std::sqrt(a + b), Reference::T, std::floor(nu)};
    }
    case 8: return {Variance(x) / Variance(y), Reference::F, n - 1, m - 1};
    default: break;
  }
  std::vector<double> d;
  for (std::size_t i = 0; i < x.size(); ++i) d.push_back(x[i] - y[i]);
  return {Mean(d) / std::sqrt(Variance(d) / n), Reference::T, n - 1};
}

TEST(HypothesisExercises, NormalTestKeysAreTheStatisticsOfThePrintedData) {
  for (int variant = 1; variant <= 9; ++variant)
    for (int seed = 0; seed < 30; ++seed) {
      SCOPED_TRACE(FormatProblemCode({4, variant, seed}));
      const Problem p = PoseProblem(Tables(), {4, variant, seed});
      const Reference r = ReferenceOf(variant, p);
      const std::size_t k = StatisticIndex(p);
      ASSERT_LT(k, p.answers.size());
      EXPECT_NEAR(p.answers[k].value, r.statistic, 1e-9 * std::fabs(r.statistic) + 1e-12);
      const double alpha = p.window.settings.findNumber("level").value();
      const int choice = p.window.settings.findWhole("hypothesis").value();  // 0 >, 1 <, 2 ≠
      const bool symmetric = r.law == Reference::Normal || r.law == Reference::T;
      // The critical values after the statistic, as the tables print them: positive.
      std::vector<double> expected;
      if (symmetric) expected = {Quantile(r, 1 - (choice == 2 ? alpha / 2 : alpha))};
      else if (choice == 0) expected = {Quantile(r, 1 - alpha)};
      else if (choice == 1) expected = {Quantile(r, alpha)};
      else expected = {Quantile(r, alpha / 2), Quantile(r, 1 - alpha / 2)};
      ASSERT_EQ(p.answers.size(), k + 1 + expected.size());
      for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_NEAR(*p.answers[k + 1 + i].exactValue, expected[i], 1e-6 * expected[i]);
      // The exact region's decision is always one of those graded right.
      const double u = r.statistic;
      bool reject = false;
      if (symmetric) reject = choice == 0 ? u >= expected[0] : choice == 1 ? u <= -expected[0] : std::fabs(u) >= expected[0];
      else reject = choice == 0 ? u >= expected[0] : choice == 1 ? u <= expected[0] : u <= expected[0] || u >= expected[1];
      const Decision exact = reject ? Decision::AcceptH1 : Decision::AcceptH0;
      EXPECT_NE(std::find(p.decisions.begin(), p.decisions.end(), exact), p.decisions.end());
    }
}

Decision DecisionOf(bool reject) { return reject ? Decision::AcceptH1 : Decision::AcceptH0; }

bool Graded(const Problem& p, Decision d) {
  return std::find(p.decisions.begin(), p.decisions.end(), d) != p.decisions.end();
}

// The band c ± z·e around the mean H0 implies, from the printed values (or values and counts).
TEST(HypothesisExercises, BandTestKeysAreTheBandsOfThePrintedData) {
  for (int variant = 1; variant <= 4; ++variant)
    for (int seed = 0; seed < 30; ++seed) {
      SCOPED_TRACE(FormatProblemCode({5, variant, seed}));
      const Problem p = PoseProblem(Tables(), {5, variant, seed});
      const std::vector<std::vector<double>> s = PrintedSamples(p);
      double n = 0.0, sum = 0.0;
      for (std::size_t i = 0; i < s[0].size(); ++i) {
        const double count = variant == 4 ? 1.0 : s[1][i];
        n += count;
        sum += count * s[0][i];
      }
      const double mean = sum / n;
      const SettingList& set = p.window.settings;
      const double h = set.findNumber("hypothesisValue").value();
      const double alpha = set.findNumber("level").value();
      const int choice = set.findWhole("hypothesis").value();
      const double trials = set.findNumber("trials").value_or(1.0);
      const double c = variant == 2 ? trials * h : h;
      const double e = variant <= 2 ? std::sqrt(trials * h * (1 - h) / n)
                                    : variant == 3 ? std::sqrt(h / n) : h / std::sqrt(n);
      const double z = boost::math::quantile(boost::math::normal(), 1 - (choice == 2 ? alpha / 2 : alpha));
      EXPECT_NEAR(p.answers[0].value, mean, 1e-9 * mean);
      EXPECT_NEAR(*p.answers[1].exactValue, z, 1e-6);
      std::vector<double> edges;
      if (choice != 0) edges.push_back(c - z * e);
      if (choice != 1) edges.push_back(c + z * e);
      ASSERT_EQ(p.answers.size(), 2 + edges.size());
      for (std::size_t i = 0; i < edges.size(); ++i) EXPECT_NEAR(*p.answers[2 + i].exactValue, edges[i], 1e-6 * c);
      // A mean on an edge keeps H0.
      const bool reject = choice == 0 ? mean > c + z * e : choice == 1 ? mean < c - z * e : std::fabs(mean - c) > z * e;
      EXPECT_TRUE(Graded(p, DecisionOf(reject)));
    }
}

// g1 = B3/B2^1.5, g2 = B4/B2², standardised by their large-sample errors, against z at α/4.
TEST(HypothesisExercises, SkewnessKurtosisKeyIsTheMomentsOfThePrintedData) {
  for (int seed = 0; seed < 30; ++seed) {
    SCOPED_TRACE(FormatProblemCode({6, 1, seed}));
    const Problem p = PoseProblem(Tables(), {6, 1, seed});
    const std::vector<double> x = PrintedSamples(p)[0];
    // The window reads the first 100 cells of its row and wants 10 values at least.
    ASSERT_LE(x.size(), 100u);
    ASSERT_GE(x.size(), 10u);
    const double n = x.size(), m = Mean(x);
    double b2 = 0, b3 = 0, b4 = 0;
    for (double v : x) {
      b2 += std::pow(v - m, 2) / n;
      b3 += std::pow(v - m, 3) / n;
      b4 += std::pow(v - m, 4) / n;
    }
    const double g1 = b3 / std::pow(b2, 1.5), g2 = b4 / (b2 * b2);
    const double s1 = std::sqrt(6 * (n - 2) / ((n + 1) * (n + 3)));
    const double s2 = std::sqrt(24 * n * (n - 2) * (n - 3) / ((n + 1) * (n + 1) * (n + 3) * (n + 5)));
    const double u1 = std::fabs(g1 / s1), u2 = std::fabs((g2 - 3 + 6 / (n + 1)) / s2);
    const double alpha = p.window.settings.findNumber("level").value();
    const double z = boost::math::quantile(boost::math::normal(), 1 - alpha / 4);
    ASSERT_EQ(p.answers.size(), 5u);
    EXPECT_NEAR(p.answers[0].value, g1, 1e-5);  // the core sums raw powers: about 6 digits
    EXPECT_NEAR(p.answers[1].value, g2, 1e-5);
    EXPECT_NEAR(p.answers[2].value, u1, 1e-4);
    EXPECT_NEAR(p.answers[3].value, u2, 1e-4);
    EXPECT_NEAR(*p.answers[4].exactValue, z, 1e-6);
    EXPECT_TRUE(Graded(p, DecisionOf(u1 >= z || u2 >= z)));
  }
}

// W is the rank sum (mid-ranks) of the smaller sample; the exact bounds come from the count of
// the subsets of the ranks 1 … N by their sums.
TEST(HypothesisExercises, RankSumKeyIsTheRankSumOfThePrintedData) {
  for (int seed = 0; seed < 40; ++seed) {
    SCOPED_TRACE(FormatProblemCode({8, 1, seed}));
    const Problem p = PoseProblem(Tables(), {8, 1, seed});
    const std::vector<std::vector<double>> s = PrintedSamples(p);
    // Both sizes within the rank-sum table.
    ASSERT_LE(std::max(s[0].size(), s[1].size()), 10u);
    ASSERT_GE(std::min(s[0].size(), s[1].size()), 3u);
    const bool firstSmaller = s[0].size() <= s[1].size();
    const std::vector<double>& small = firstSmaller ? s[0] : s[1];
    std::vector<double> pooled = s[0];
    pooled.insert(pooled.end(), s[1].begin(), s[1].end());
    double w = 0.0;
    for (double v : small) {
      double below = 0, equal = 0;
      for (double u : pooled) below += u < v, equal += u == v;
      w += below + (equal + 1) / 2;
    }
    const int m = small.size(), N = pooled.size();
    ASSERT_EQ(p.answers.size(), 3u);
    EXPECT_DOUBLE_EQ(p.answers[0].value, w);
    // The table is symmetric: T1 + T2 = m(N + 1).
    EXPECT_EQ(p.answers[1].value + p.answers[2].value, m * (N + 1.0));
    // ways[k][t]: subsets of k of the ranks with sum t.
    std::vector<std::vector<double>> ways(m + 1, std::vector<double>(N * (N + 1) / 2 + 1, 0.0));
    ways[0][0] = 1;
    for (int r = 1; r <= N; ++r)
      for (int k = std::min(r, m); k >= 1; --k)
        for (std::size_t t = ways[k].size() - 1; t >= static_cast<std::size_t>(r); --t) ways[k][t] += ways[k - 1][t - r];
    double total = 0;
    for (double c : ways[m]) total += c;
    const double alpha = p.window.settings.findNumber("level").value();
    const double a = p.window.settings.find("hypothesis") == "2" ? alpha / 2 : alpha;
    double cumulative = 0;
    int lower = -1;
    for (std::size_t t = 0; t < ways[m].size(); ++t) {
      cumulative += ways[m][t] / total;
      if (cumulative <= a + 1e-12) lower = static_cast<int>(t);
    }
    if (lower >= 0) {
      EXPECT_EQ(p.answers[1].exactValue, lower);
      EXPECT_EQ(p.answers[2].exactValue, m * (N + 1) - lower);
    }
  }
}

// One class of a printed frequency table: [lower, upper) or the whole value x = lower.
struct Class {
  double lower, upper, observed, p = 0;
};

// The classes of the printed table: whole values (upper = lower + 1) or "[a, b)" intervals.
std::vector<Class> PrintedClasses(const Problem& p) {
  std::vector<Class> classes;
  for (std::size_t c = 1; c < p.data[0].size(); ++c) {
    const std::string cell = p.data[0][c];
    const double count = Number(p.data[1][c]);
    if (cell.front() == '[') {
      const std::size_t comma = cell.find(',');
      classes.push_back({Number(cell.substr(1, comma - 1)), Number(cell.substr(comma + 2, cell.size() - comma - 3)), count});
    } else {
      classes.push_back({Number(cell), Number(cell) + 1, count});
    }
  }
  return classes;
}

// Pearson's χ² after merging from the left until each group expects 5 (a short last group
// joins the one before), over the probabilities of the classes with open end classes.
TEST(HypothesisExercises, FittingKeysAreThePearsonStatisticsOfThePrintedTables) {
  using namespace boost::math;
  for (int variant = 1; variant <= 12; ++variant)
    for (int seed = 0; seed < 20; ++seed) {
      SCOPED_TRACE(FormatProblemCode({7, variant, seed}));
      const Problem p = PoseProblem(Tables(), {7, variant, seed});
      std::vector<Class> k = PrintedClasses(p);
      const SettingList& set = p.window.settings;
      double n = 0, sum = 0;
      for (const Class& c : k) n += c.observed, sum += c.observed * c.lower;
      std::vector<double> estimates;
      int r = 0;
      // The law's distribution function (lower tail to x, x excluded for the discrete laws).
      std::function<double(double)> F;
      switch (set.findWhole("entry").value()) {
        case 0: {  // the law of the window's law grid
          std::vector<double> xs, ps;
          for (const DataFileRow& row : p.window.rows)
            if (row.grid == "MSFlexGrid2")
              for (const std::string& cell : row.cells) (row.row == 1 ? xs : ps).push_back(std::stod(cell));
          F = [xs, ps](double x) {
            double total = 0;
            for (std::size_t i = 0; i < xs.size(); ++i) total += xs[i] < x ? ps[i] : 0;
            return total;
          };
          break;
        }
        case 1: {
          const double ph = set.findNumber("zeroOneP").value();
          F = [=](double x) { return x <= 0 ? 0.0 : x <= 1 ? 1 - ph : 1.0; };
          break;
        }
        case 3:
        case 4: {
          const double trials = set.findNumber("binomialTrials").value();
          const double ph = set.findNumber("binomialP").value_or(sum / n / trials);
          if (!set.find("binomialP")) estimates = {ph}, r = 1;
          F = [=](double x) { return x <= 0 ? 0.0 : x > trials ? 1.0 : cdf(binomial(trials, ph), x - 1); };
          break;
        }
        case 5:
        case 6: {
          const double lambda = set.findNumber("poissonLambda").value_or(sum / n);
          if (!set.find("poissonLambda")) estimates = {lambda}, r = 1;
          F = [=](double x) { return x <= 0 ? 0.0 : cdf(poisson(lambda), x - 1); };
          break;
        }
        case 7:
        case 8: {
          const bool known = set.find("uniformA").has_value();
          const double a = set.findNumber(known ? "uniformA" : "groupedMin").value();
          const double b = set.findNumber(known ? "uniformB" : "groupedMax").value();
          if (!known) estimates = {a, b}, r = 2;
          F = [=](double x) { return std::clamp((x - a) / (b - a), 0.0, 1.0); };
          break;
        }
        case 9:
        case 10: {
          double mu = set.findNumber("normalMu").value_or(0), sigma = set.findNumber("normalSigma").value_or(0);
          if (!set.find("normalMu")) {
            mu = set.findNumber("normalSumX").value() / n;
            sigma = std::sqrt(set.findNumber("normalSumXX").value() / n - mu * mu);
            estimates = {mu, sigma};
            r = 2;
          }
          F = [=](double x) { return cdf(normal(mu, sigma), x); };
          break;
        }
        default: {
          const double theta = set.findNumber("exponentialTheta").value_or(set.findNumber("exponentialSumX").value_or(0) / n);
          if (!set.find("exponentialTheta")) estimates = {theta}, r = 1;
          F = [=](double x) { return x <= 0 ? 0.0 : 1 - std::exp(-x / theta); };
          break;
        }
      }
      for (std::size_t i = 0; i < k.size(); ++i)
        k[i].p = (i + 1 == k.size() ? 1.0 : F(k[i].upper)) - (i == 0 ? 0.0 : F(k[i].lower));
      std::vector<Class> merged;
      Class group{0, 0, 0, 0};
      for (const Class& c : k) {
        group.observed += c.observed;
        group.p += c.p;
        if (group.p * n >= 5) merged.push_back(group), group = {0, 0, 0, 0};
      }
      if (group.p > 0 || group.observed > 0) {
        if (merged.empty()) merged.push_back(group);
        else merged.back().observed += group.observed, merged.back().p += group.p;
      }
      double chi = 0;
      for (const Class& c : merged) chi += (c.observed - n * c.p) * (c.observed - n * c.p) / (n * c.p);
      const double df = merged.size() - r - 1.0;
      const double alpha = set.findNumber("level").value();
      const double critical = quantile(chi_squared(df), 1 - alpha);
      ASSERT_EQ(p.answers.size(), estimates.size() + 2);
      for (std::size_t i = 0; i < estimates.size(); ++i) EXPECT_NEAR(p.answers[i].value, estimates[i], 1e-9 * estimates[i]);
      EXPECT_NEAR(p.answers[estimates.size()].value, chi, 1e-6 * chi + 1e-9);
      EXPECT_NEAR(*p.answers.back().exactValue, critical, 1e-6 * critical);
      EXPECT_TRUE(Graded(p, DecisionOf(chi >= critical)));
    }
}

TEST(HypothesisExercises, MeanTestKeyIsTheTStatisticOfThePrintedData) {
  for (int seed = 0; seed < 40; ++seed) {
    const Problem p = PoseProblem(Tables(), {4, 2, seed});
    const std::vector<double> x = PrintedNumbers(p);
    const double n = static_cast<double>(x.size());
    double mean = 0.0;
    for (double v : x) mean += v / n;
    double ss = 0.0;
    for (double v : x) ss += (v - mean) * (v - mean);
    const double s = std::sqrt(ss / (n - 1));
    const double mu0 = p.window.settings.findNumber("hypothesisValue").value();
    const double alpha = p.window.settings.findNumber("level").value();
    const bool twoSided = p.window.settings.find("hypothesis") == "2";
    const double t = (mean - mu0) / (s / std::sqrt(n));
    const double exact =
        boost::math::quantile(boost::math::students_t(n - 1), 1 - (twoSided ? alpha / 2 : alpha));
    ASSERT_EQ(p.answers.size(), 4u);
    EXPECT_NEAR(p.answers[0].value, mean, 1e-9 * std::fabs(mean));
    EXPECT_NEAR(p.answers[1].value, s, 1e-9 * s);
    EXPECT_NEAR(p.answers[2].value, t, 1e-9 * std::fabs(t) + 1e-12);
    EXPECT_NEAR(*p.answers[3].exactValue, exact, 1e-6);
    EXPECT_NEAR(p.answers[3].value, exact, 0.002);  // the table's four decimals
  }
}

}  // namespace
}  // namespace kelvo
