// The answer keys of the test problems equal a computation of their own from the printed data.
#include <gtest/gtest.h>

#include <boost/math/distributions/chi_squared.hpp>
#include <boost/math/distributions/fisher_f.hpp>
#include <boost/math/distributions/normal.hpp>
#include <boost/math/distributions/students_t.hpp>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

#include "core/exercise/ExerciseCatalogue.h"
#include "core/exercise/Grading.h"
#include "core/tables/TableStore.h"

namespace kelvo {
namespace {

TableStore& Tables() {
  static TableStore tables(KELVO_TABLES_DB);
  return tables;
}

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

double Number(std::string text) {
  if (text.rfind("\u2212", 0) == 0) text = "-" + text.substr(3);
  return std::stod(text);
}

// The samples of the printed data table: a row with a caption starts a sample.
std::vector<std::vector<double>> PrintedSamples(const Problem& p) {
  std::vector<std::vector<double>> samples;
  for (const auto& row : p.data) {
    if (!row.front().empty() || samples.empty()) samples.emplace_back();
    for (std::size_t c = 1; c < row.size(); ++c) samples.back().push_back(Number(row[c]));
  }
  return samples;
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
