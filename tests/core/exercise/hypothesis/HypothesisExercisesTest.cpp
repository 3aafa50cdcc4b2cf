// The answer keys of the test problems equal a computation of their own from the printed data.
#include <gtest/gtest.h>

#include <boost/math/distributions/students_t.hpp>
#include <cmath>
#include <string>
#include <vector>

#include "core/exercise/ExerciseCatalogue.h"
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
