// The goodness-of-fit computation on the largest sample a grid holds: 32767 values typed
// one per cell, with the parameters estimated from the sample.
#include <cstdio>
#include <random>

#include <benchmark/benchmark.h>

#include "core/hypothesis/GoodnessOfFit.h"
#include "core/text/Errors.h"
#include "core/tables/Quantiles.h"
#include "core/tables/TableStore.h"

namespace {

constexpr int kValues = 32767;

// A sample grid (heading row and column included) with row 1 filled from a fixed seed.
template <class Distribution>
kelvo::CellStore SampleOf(Distribution distribution, const char* format) {
  std::mt19937 engine(20261208);
  kelvo::CellStore store(2, kValues + 1);
  char text[32];
  for (int c = 1; c <= kValues; ++c) {
    std::snprintf(text, sizeof text, format, static_cast<double>(distribution(engine)));
    store.setText(1, c, text);
  }
  return store;
}

void RunFit(benchmark::State& state, kelvo::FittingEntry entry, const kelvo::CellStore& sample) {
  kelvo::TableStore tables(KELVO_TABLES_DB);
  kelvo::FittingRequest request;
  request.entry = entry;
  request.alpha = 0.05;
  const kelvo::CellStore law(3, 2);
  try {
    const kelvo::FittingResult first = kelvo::ComputeFittingTest(tables, request, sample, law);
    state.counters["classes"] = static_cast<double>(first.classes.size());
    state.counters["merged"] = static_cast<double>(first.merged.size());
    state.counters["chi2"] = first.test.statistic;
  } catch (const kelvo::UserFacingError& e) {
    state.SkipWithError(e.what());
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(kelvo::ComputeFittingTest(tables, request, sample, law));
}

// Nine classes, each probability a left Riemann sum of 200 or more density values.
void BM_NormalFit(benchmark::State& state) {
  static const kelvo::CellStore sample = SampleOf(std::normal_distribution<double>(50.0, 8.0), "%.3f");
  RunFit(state, kelvo::FittingEntry::NormalUnknown, sample);
}
BENCHMARK(BM_NormalFit)->Unit(benchmark::kMillisecond);

// One class per value that occurs (about 15 for λ = 3).
void BM_PoissonFit(benchmark::State& state) {
  static const kelvo::CellStore sample = SampleOf(std::poisson_distribution<int>(3.0), "%.0f");
  RunFit(state, kelvo::FittingEntry::PoissonUnknown, sample);
}
BENCHMARK(BM_PoissonFit)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
