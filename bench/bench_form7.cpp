// The rank-sum window: opening it, and the compute button over two full rows, at the default
// sample limit and at the largest one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <cstdio>

#include "core/settings/EnvSettings.h"
#include "core/settings/ProgramState.h"
#include "core/tables/Quantiles.h"
#include "gui/hypothesis/Form7.h"
#include "gui/frame/SampleGrid.h"
#include "support/QtBenchMain.h"

using namespace kelvo;

static void BM_OpenForm7(benchmark::State& state) {
  TimeOpeningWindow<Form7>(state, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_OpenForm7)->Arg(101)->Arg(EnvSettings::kMaxSampleLimit)->Unit(benchmark::kMillisecond)->UseRealTime();

// Both rows full of distinct values (with ties between the rows), decided by the normal
// approximation; the conclusion written and painted.
static void BM_ComputeForm7(benchmark::State& state) {
  App().program.settings.sampleLimit = static_cast<int>(state.range(0));
  auto* window = new Form7;
  window->show();
  QCoreApplication::processEvents();
  SampleGridModel* model = window->grid()->gridModel();
  for (int c = 1; c < App().program.settings.sampleLimit; ++c) {
    model->setData(model->index(1, c), QString::number(c * 0.5));
    model->setData(model->index(2, c), QString::number(c * 0.75));
  }
  auto* list = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
  list->setCurrentIndex(2);
  emit list->activated(2);
  window->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("0.05"));
  for (auto _ : state) {
    window->computeClicked();
    QCoreApplication::processEvents();
  }
  delete window;
  App().program.settings = EnvSettings{};
}
BENCHMARK(BM_ComputeForm7)->Arg(101)->Arg(EnvSettings::kMaxSampleLimit)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) { return kelvo::RunQtBenchmarks(argc, argv); }
