// Timings of the sample grid at its largest: a full 32766-cell row pasted, and read back.
#include <benchmark/benchmark.h>

#include <string>

#include "core/sample/CellStore.h"
#include "core/sample/GridBuffer.h"
#include "core/sample/Readers.h"

namespace {

constexpr int kColumns = 32767;  // the largest sample limit, heading column included

// A copied row of 32766 observations such as "12.345\t-0.5\t...".
std::string FullRowBuffer() {
  std::string buffer;
  for (int c = 1; c < kColumns; ++c) {
    if (c > 1) buffer.push_back('\t');
    buffer += std::to_string(c % 997) + "." + std::to_string(c % 89);
  }
  return buffer;
}

void BM_PasteFullRow(benchmark::State& state) {
  const std::string buffer = FullRowBuffer();
  kelvo::CellStore store(3, kColumns);
  for (auto _ : state) {
    kelvo::PasteGridBlock(store, buffer, 1, 1);
    benchmark::DoNotOptimize(store.text(1, kColumns - 1).data());
  }
  state.SetItemsProcessed(state.iterations() * (kColumns - 1));
}
BENCHMARK(BM_PasteFullRow)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void BM_ReadOneSampleFullRow(benchmark::State& state) {
  kelvo::CellStore store(3, kColumns);
  kelvo::PasteGridBlock(store, FullRowBuffer(), 1, 1);
  const auto mode = state.range(0) == 1 ? kelvo::InputMode::One : kelvo::InputMode::Two;
  if (mode == kelvo::InputMode::Two)
    for (int c = 1; c < kColumns; ++c) store.setText(2, c, "1");
  for (auto _ : state) {
    kelvo::SampleSummary s = kelvo::ReadOneSample(store, mode);
    benchmark::DoNotOptimize(s);
  }
  state.SetItemsProcessed(state.iterations() * (kColumns - 1));
}
BENCHMARK(BM_ReadOneSampleFullRow)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)
    ->Repetitions(10)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
