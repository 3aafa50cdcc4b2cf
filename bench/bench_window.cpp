// Analysis windows at the largest grid: opening one, and pasting a full row into it.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <string>

#include "core/sample/GridBuffer.h"
#include "core/settings/EnvSettings.h"
#include "core/settings/ProgramState.h"
#include "gui/estimation/Form9.h"
#include "gui/frame/SampleGrid.h"
#include "support/QtBenchMain.h"

using namespace kelvo;

static void BM_OpenForm9AtLargestLimit(benchmark::State& state) {
  TimeOpeningWindow<Form9>(state, EnvSettings::kMaxSampleLimit, QStringLiteral("5"));
}
BENCHMARK(BM_OpenForm9AtLargestLimit)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_PasteFullRowIntoWindow(benchmark::State& state) {
  App().program.settings.sampleLimit = EnvSettings::kMaxSampleLimit;
  auto* window = new Form9;
  window->show();
  QCoreApplication::processEvents();
  std::string row;
  for (int c = 1; c < EnvSettings::kMaxSampleLimit; ++c) {
    if (c > 1) row += '\t';
    row += std::to_string(c % 97);
    row += ".25";
  }
  App().program.copyBuffer = row;
  for (auto _ : state) {
    window->grid()->setCurrentIndex(window->grid()->gridModel()->index(1, 1));
    window->pasteBlock();
    QCoreApplication::processEvents();
  }
  delete window;
  App().program.settings = EnvSettings{};
}
BENCHMARK(BM_PasteFullRowIntoWindow)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) { return kelvo::RunQtBenchmarks(argc, argv); }
