// The goodness-of-fit window: opening it, and one press of the compute button on a full row,
// at the default sample limit and at the largest one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <cstdio>
#include <string>

#include "core/settings/EnvSettings.h"
#include "core/settings/ProgramState.h"
#include "core/tables/Quantiles.h"
#include "gui/hypothesis/Form5.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "support/QtBenchMain.h"

using namespace kelvo;

namespace {

// Keeps any message box from blocking a run; a run that showed one is reported as failed.
ScriptedDialogs g_dialogs;

void UseLimit(int limit) {
  App().program.settings.sampleLimit = limit;
  App().dialogs = &g_dialogs;
}

}  // namespace

static void BM_OpenForm5(benchmark::State& state) {
  TimeOpeningWindow<Form5>(state, static_cast<int>(state.range(0)));
}
BENCHMARK(BM_OpenForm5)->Arg(EnvSettings{}.sampleLimit)->Arg(EnvSettings::kMaxSampleLimit)
    ->Unit(benchmark::kMillisecond)->UseRealTime();

// The normal law with μ and σ estimated from single values: every cell of row 1 filled.
static void BM_ComputeForm5FullRow(benchmark::State& state) {
  UseLimit(static_cast<int>(state.range(0)));
  auto* window = new Form5;
  window->show();
  QCoreApplication::processEvents();
  window->ChooseDistribution(static_cast<int>(FittingEntry::NormalUnknown));
  window->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("0.05"));
  CellStore& cells = window->cells();
  for (int c = 1; c < cells.cols(); ++c)
    cells.setText(1, c, std::to_string((c * 37) % 101 + (c * 11) % 53) + ".5");
  window->sampleGrid()->cellsReset();
  g_dialogs.messages.clear();
  for (auto _ : state) {
    window->computeClicked();
    QCoreApplication::processEvents();
  }
  if (!g_dialogs.messages.empty())
    state.SkipWithError(qUtf8Printable(g_dialogs.messages.front().text));
  delete window;
  App().program.settings = EnvSettings{};
}
BENCHMARK(BM_ComputeForm5FullRow)->Arg(EnvSettings{}.sampleLimit)->Arg(EnvSettings::kMaxSampleLimit)
    ->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) { return kelvo::RunQtBenchmarks(argc, argv); }
