// The interval windows: opening one and computing, at the default sample limit (101 columns,
// a full row of 100 values) and at the largest (a full row of 32767 values). Filling the
// grid is the user's work and is not timed.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <cstdio>
#include <string>

#include "core/settings/EnvSettings.h"
#include "core/settings/ProgramState.h"
#include "core/tables/Quantiles.h"
#include "gui/estimation/Form3.h"
#include "gui/estimation/Form3a.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "support/QtBenchMain.h"

using namespace kelvo;

namespace {

// Poisson-like whole numbers for Form3, spread values for Form3a.
void FillRow(AnalysisWindow* window, int row, int offset) {
  CellStore& cells = window->cells();
  for (int c = 1; c < cells.cols(); ++c) cells.setText(row, c, std::to_string((c * 7 + offset) % 13));
}

// `activate` is the window's activation body, run as the platform would on showing it.
template <class Window>
void OpenAndCompute(benchmark::State& state, int sampleLimit, int mode, int rows,
                    void (Window::*activate)()) {
  ScriptedDialogs dialogs;  // any refusal would be recorded, never shown
  ScopedValue<DialogService*> quiet(App().dialogs, &dialogs);
  App().program.settings.sampleLimit = sampleLimit;
  for (auto _ : state) {
    auto* window = new Window;
    window->setTag(QString::number(mode));
    window->show();
    QCoreApplication::processEvents();
    (window->*activate)();
    state.PauseTiming();
    for (int row = 1; row <= rows; ++row) FillRow(window, row, row);
    window->template findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("0.95"));
    state.ResumeTiming();
    window->computeClicked();
    QCoreApplication::processEvents();
    state.PauseTiming();
    if (!dialogs.messages.empty()) {
      state.SkipWithError(qPrintable(dialogs.messages.front().text));
      delete window;
      break;
    }
    delete window;
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  App().program.settings = EnvSettings{};
}

}  // namespace

// Form3, Poisson (mode 3): one row of values.
static void BM_Form3AtDefaultLimit(benchmark::State& state) {
  OpenAndCompute<Form3>(state, EnvSettings{}.sampleLimit, 3, 1, &Form3::ApplyIntervalMode);
}
BENCHMARK(BM_Form3AtDefaultLimit)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_Form3AtLargestLimit(benchmark::State& state) {
  OpenAndCompute<Form3>(state, EnvSettings::kMaxSampleLimit, 3, 1, &Form3::ApplyIntervalMode);
}
BENCHMARK(BM_Form3AtLargestLimit)->Unit(benchmark::kMillisecond)->UseRealTime();

// Form3a, difference of means with unequal unknown σ (mode 7): two full rows.
static void BM_Form3aAtDefaultLimit(benchmark::State& state) {
  OpenAndCompute<Form3a>(state, EnvSettings{}.sampleLimit, 7, 2, &Form3a::ApplyNormalIntervalMode);
}
BENCHMARK(BM_Form3aAtDefaultLimit)->Unit(benchmark::kMillisecond)->UseRealTime();

static void BM_Form3aAtLargestLimit(benchmark::State& state) {
  OpenAndCompute<Form3a>(state, EnvSettings::kMaxSampleLimit, 7, 2, &Form3a::ApplyNormalIntervalMode);
}
BENCHMARK(BM_Form3aAtLargestLimit)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) { return kelvo::RunQtBenchmarks(argc, argv); }
