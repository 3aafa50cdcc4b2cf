// Analysis of variance at its largest one-factor size: 26 levels of 1,000 observations each.
// The core from the grid (reading, table, estimates, the 325 intervals, solution and chart),
// and the window's compute button with the results shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <random>
#include <string>

#include "core/anova/AnovaSolution.h"
#include "core/settings/EnvSettings.h"
#include "core/settings/ProgramState.h"
#include "core/tables/TableStore.h"
#include "gui/anova/FormAnova.h"
#include "gui/frame/SampleGrid.h"
#include "support/QtBenchMain.h"

using namespace kelvo;

namespace {

constexpr int kLevels = 26;
constexpr int kPerLevel = 1000;

// Level j's observations about 10 + j/10, as typed: two decimals.
std::string Observation(std::mt19937& random, int level) {
  std::normal_distribution<double> noise(10.0 + level / 10.0, 2.0);
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", noise(random));
  return text;
}

}  // namespace

static void BM_OneWayAnovaCore(benchmark::State& state) {
  TableStore tables(KELVO_TABLES_DB);
  CellStore grid(kLevels + 1, kPerLevel + 1);
  std::mt19937 random(20261209);
  for (int r = 1; r <= kLevels; ++r)
    for (int c = 1; c <= kPerLevel; ++c) grid.setText(r, c, Observation(random, r));
  for (auto _ : state) {
    const AnovaResult result = RunAnova(tables, AnovaDesign::OneWay, grid, 0.05);
    benchmark::DoNotOptimize(AnovaSolution(result));
    benchmark::DoNotOptimize(AnovaChart(result));
  }
}
BENCHMARK(BM_OneWayAnovaCore)->Unit(benchmark::kMillisecond);

static void BM_ComputeFormAnova(benchmark::State& state) {
  App().program.settings.sampleLimit = kPerLevel + 1;
  auto* window = new FormAnova;
  window->show();
  QCoreApplication::processEvents();
  SampleGridModel* model = window->grid()->gridModel();
  std::mt19937 random(20261209);
  for (int r = 1; r <= kLevels; ++r)
    for (int c = 1; c <= kPerLevel; ++c)
      model->setData(model->index(r, c), QString::fromStdString(Observation(random, r)));
  window->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("0.05"));
  for (auto _ : state) {
    window->computeClicked();
    QCoreApplication::processEvents();
  }
  delete window;
  App().program.settings = EnvSettings{};
}
BENCHMARK(BM_ComputeFormAnova)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) { return kelvo::RunQtBenchmarks(argc, argv); }
