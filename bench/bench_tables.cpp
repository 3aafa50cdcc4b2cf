// One look-up of each quantile function against the built table database.
#include <benchmark/benchmark.h>

#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"

namespace {

// The normal scan visits every cell of the 40-row table.
void BM_NormalQuantile(benchmark::State& state) {
  kelvo::TableStore tables(KELVO_TABLES_DB);
  for (auto _ : state) benchmark::DoNotOptimize(kelvo::NormalQuantile(tables, 0.975));
}
BENCHMARK(BM_NormalQuantile);

// df 45: the last record of the t table.
void BM_TQuantile(benchmark::State& state) {
  kelvo::TableStore tables(KELVO_TABLES_DB);
  for (auto _ : state) benchmark::DoNotOptimize(kelvo::TQuantile(tables, 45, 0.025));
}
BENCHMARK(BM_TQuantile);

// Row 120, the last record, with the reciprocal.
void BM_FQuantile(benchmark::State& state) {
  kelvo::TableStore tables(KELVO_TABLES_DB);
  for (auto _ : state) benchmark::DoNotOptimize(kelvo::FQuantile(tables, 200, 100, 0.975));
}
BENCHMARK(BM_FQuantile);

// df 45: the last record of the chi-square table.
void BM_ChiSquareQuantile(benchmark::State& state) {
  kelvo::TableStore tables(KELVO_TABLES_DB);
  for (auto _ : state) benchmark::DoNotOptimize(kelvo::ChiSquareQuantile(tables, 45, 0.05));
}
BENCHMARK(BM_ChiSquareQuantile);

}  // namespace

BENCHMARK_MAIN();
