// A regression over the most pairs a grid holds (32766), with its bands: read from the grid,
// fitted, and turned into the scatter chart with the fitted line and both bands, the residual
// chart and the worked solution. The whole of it should stay within 16 ms.
#include <cmath>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "core/regression/RegressionDocuments.h"
#include "core/tables/TableStore.h"

namespace {

constexpr int kPairs = 32766;

kelvo::CellStore MakeGrid() {
  std::mt19937 random(20261209);
  std::normal_distribution<double> noise(0.0, 0.05);
  std::uniform_real_distribution<double> xs(1.0, 100.0);
  kelvo::CellStore grid(4, kPairs + 1);
  for (int c = 1; c <= kPairs; ++c) {
    const double x = xs(random);
    grid.setText(1, c, std::to_string(x));
    // Scatter in proportion to y keeps every y positive, as the curves need.
    grid.setText(2, c, std::to_string((5.0 + 0.7 * x) * std::exp(noise(random))));
  }
  return grid;
}

void BM_FitFromGridWithBands(benchmark::State& state) {
  kelvo::TableStore tables(KELVO_TABLES_DB);
  const kelvo::CellStore grid = MakeGrid();
  for (auto _ : state) {
    kelvo::RegressionInput input{kelvo::RegressionModel::Linear, {}, 0.05, 50.0};
    input.pairs = kelvo::ReadRegressionPairs(grid, kelvo::InputMode::One);
    const kelvo::RegressionResult result = kelvo::FitRegression(tables, input);
    benchmark::DoNotOptimize(kelvo::RegressionChart(result));
    benchmark::DoNotOptimize(kelvo::ResidualChart(result));
    benchmark::DoNotOptimize(kelvo::RegressionSolution(result));
  }
}
BENCHMARK(BM_FitFromGridWithBands)->Unit(benchmark::kMillisecond);

// The fit alone on pairs already read, for the power curve (two logarithms per pair).
void BM_PowerCurveFit(benchmark::State& state) {
  kelvo::TableStore tables(KELVO_TABLES_DB);
  const kelvo::CellStore grid = MakeGrid();
  kelvo::RegressionInput input{kelvo::RegressionModel::Power, {}, 0.05, 50.0};
  input.pairs = kelvo::ReadRegressionPairs(grid, kelvo::InputMode::One);
  for (auto _ : state) benchmark::DoNotOptimize(kelvo::FitRegression(tables, input));
}
BENCHMARK(BM_PowerCurveFit)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
