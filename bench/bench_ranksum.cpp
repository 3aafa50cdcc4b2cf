// The rank-sum test at the largest sizes a grid holds: two samples of 16383 values each
// (N = 32766, the last 16-bit total), with ties, decided by the normal approximation.
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "core/hypothesis/RankSum.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"

namespace {

constexpr int kSize = 16383;

// Values on a grid of 0.01 so that many of them tie, as typed data do.
kelvo::RankSumSamples MakeSamples() {
  std::mt19937 random(20261208);
  std::uniform_int_distribution<int> first(0, 5000), second(200, 5200);
  kelvo::RankSumSamples samples;
  for (int i = 0; i < kSize; ++i) {
    samples.first.push_back(first(random) / 100.0);
    samples.second.push_back(second(random) / 100.0);
  }
  return samples;
}

void BM_RankSamples(benchmark::State& state) {
  const kelvo::RankSumSamples samples = MakeSamples();
  for (auto _ : state) benchmark::DoNotOptimize(kelvo::RankSamples(samples));
}
BENCHMARK(BM_RankSamples)->Unit(benchmark::kMillisecond);

// Ranking, the normal look-up and the decision.
void BM_RankSumDecision(benchmark::State& state) {
  kelvo::TableStore tables(KELVO_TABLES_DB);
  const kelvo::RankSumSamples samples = MakeSamples();
  for (auto _ : state)
    benchmark::DoNotOptimize(kelvo::RankSumDecision(tables, kelvo::RankSumHypothesis::TwoSided, samples, 0.025));
}
BENCHMARK(BM_RankSumDecision)->Unit(benchmark::kMillisecond);

// The compute button from the grid: checks, repeated values, reading and deciding.
void BM_ComputeRankSumTest(benchmark::State& state) {
  kelvo::TableStore tables(KELVO_TABLES_DB);
  const kelvo::RankSumSamples samples = MakeSamples();
  kelvo::CellStore grid(3, kSize + 1);
  for (int i = 0; i < kSize; ++i) {
    grid.setText(1, i + 1, std::to_string(samples.first[i]));
    grid.setText(2, i + 1, std::to_string(samples.second[i]));
  }
  for (auto _ : state)
    benchmark::DoNotOptimize(kelvo::ComputeRankSumTest(tables, grid, kelvo::RankSumHypothesis::TwoSided, "0.05"));
}
BENCHMARK(BM_ComputeRankSumTest)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
