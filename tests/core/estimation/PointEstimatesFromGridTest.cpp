// The estimates as the window computes them: texts typed into the grid, read by the sample
// reader, then estimated.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "core/estimation/PointEstimates.h"
#include "core/sample/CellStore.h"
#include "core/sample/Readers.h"
#include "core/text/Errors.h"

namespace kelvo {
namespace {

// A grid of the default size (101 columns) with the texts in row 1 and counts in row 2.
CellStore Grid(const std::vector<std::string>& values,
               const std::vector<std::string>& counts = {}) {
  CellStore store(3, 101);
  for (std::size_t i = 0; i < values.size(); ++i)
    store.setText(1, static_cast<int>(i) + 1, values[i]);
  for (std::size_t i = 0; i < counts.size(); ++i)
    store.setText(2, static_cast<int>(i) + 1, counts[i]);
  return store;
}

struct GridCase {
  const char* name;
  PointModel model;
  CellStore grid;
  InputMode mode;
  int trialCount;
  double mean;
  double variance;
  double momentFirst;
  double likelihoodFirst;
};

// Hand-worked values; tolerance 1e-12.
std::vector<GridCase> GridCases() {
  return {
      {"BernoulliOneValuePerCell", PointModel::Bernoulli, Grid({"1", "0", "1", "1"}),
       InputMode::One, 0, 0.75, 0.25, 0.75, 0.75},
      {"BernoulliValueAndCount", PointModel::Bernoulli, Grid({"1", "0"}, {"3", "1"}),
       InputMode::Two, 0, 0.75, 0.25, 0.75, 0.75},
      {"BinomialTenTrials", PointModel::Binomial, Grid({"3", "5", "4"}), InputMode::One, 10,
       4.0, 1.0, 0.4, 0.4},
      {"ExponentialOneTwoThree", PointModel::Exponential, Grid({"1", "2", "3"}), InputMode::One,
       0, 2.0, 1.0, 2.0, 2.0},
  };
}

TEST(PointEstimatesFromGrid, WindowExamples) {
  for (const GridCase& c : GridCases()) {
    SCOPED_TRACE(c.name);
    SampleSummary s = ReadOneSample(c.grid, c.mode);
    EXPECT_NEAR(s.mean, c.mean, 1e-12);
    EXPECT_NEAR(s.variance, c.variance, 1e-12);
    PointEstimates e = ComputePointEstimates({c.model, s, c.trialCount});
    EXPECT_NEAR(e.momentFirst, c.momentFirst, 1e-12);
    EXPECT_NEAR(e.likelihoodFirst, c.likelihoodFirst, 1e-12);
  }
}

TEST(PointEstimatesFromGrid, UniformOneToFive) {
  SampleSummary s = ReadOneSample(Grid({"1", "2", "3", "4", "5"}), InputMode::One);
  PointEstimates e = ComputePointEstimates({PointModel::Uniform, s, 0});
  // 3 -+ sqrt(6) = 0.5505102572168219 and 5.449489742783178; tolerance 1e-12.
  EXPECT_NEAR(e.momentFirst, 0.5505102572168219, 1e-12);
  EXPECT_NEAR(*e.momentSecond, 5.449489742783178, 1e-12);
  EXPECT_EQ(e.likelihoodFirst, 1.0);
  EXPECT_EQ(*e.likelihoodSecond, 5.0);
}

TEST(PointEstimatesFromGrid, NormalTwoFourSix) {
  SampleSummary s = ReadOneSample(Grid({"2", "4", "6"}), InputMode::One);
  PointEstimates e = ComputePointEstimates({PointModel::Normal, s, 0});
  EXPECT_NEAR(s.variance, 4.0, 1e-12);
  // sqrt(8/3) = 1.6329931618554521; tolerance 1e-12.
  EXPECT_NEAR(*e.momentSecond, 1.6329931618554521, 1e-12);
  EXPECT_NEAR(*e.likelihoodSecond, 1.6329931618554521, 1e-12);
}

// The rounding that drives m2 - mean^2 below 0 must survive the reader's own arithmetic.
TEST(PointEstimatesFromGrid, EqualValuesThroughReader) {
  SampleSummary s = ReadOneSample(Grid({"0.1", "0.1", "0.1"}), InputMode::One);
  ASSERT_LT(s.secondMoment - s.mean * s.mean, 0.0) << "data no longer exercise the guard";
  EXPECT_EQ(*ComputePointEstimates({PointModel::Normal, s, 0}).momentSecond, 0.0);
  PointEstimates uniform = ComputePointEstimates({PointModel::Uniform, s, 0});
  EXPECT_EQ(uniform.momentFirst, s.mean);
  EXPECT_EQ(*uniform.momentSecond, s.mean);
}

TEST(PointEstimatesFromGrid, HugeCellsReported) {
  const std::vector<std::pair<PointModel, CellStore>> cases = {
      {PointModel::Normal, Grid({"1e200", "1e200"})},
      {PointModel::Poisson, Grid({"1e999"})},
      {PointModel::Bernoulli, Grid({"1e200", "-1e200"})},
  };
  for (const auto& [model, grid] : cases) {
    SCOPED_TRACE(static_cast<int>(model));
    EXPECT_THROW(ComputePointEstimates({model, ReadOneSample(grid, InputMode::One), 1}), InputError);
  }
}

}  // namespace
}  // namespace kelvo
