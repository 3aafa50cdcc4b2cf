// The parametric test window: opening it and computing a test, at the default sample limit and
// with 32767 values per row. The sample is typed in between (not timed).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <cstdio>
#include <string>

#include "core/settings/EnvSettings.h"
#include "core/settings/ProgramState.h"
#include "core/tables/Quantiles.h"
#include "gui/hypothesis/Form4.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "support/QtBenchMain.h"

using namespace kelvo;

namespace {

// Every column of rows 1 and (for two samples) 2 filled.
void FillRows(Form4* window, bool twoRows) {
  CellStore& cells = window->cells();
  for (int c = 1; c < cells.cols(); ++c) {
    cells.setText(1, c, std::to_string(10 + c % 7) + ".5");
    if (twoRows) cells.setText(2, c, std::to_string(9 + c % 5) + ".25");
  }
  window->sampleGrid()->cellsReset();
}

// α, and the two-sided item of the mode's list with the value 10 where one is asked.
void ChooseTwoSided(Form4* window, ScriptedDialogs& dialogs) {
  window->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("0.05"));
  dialogs.queueAnswer(QStringLiteral("10"));
  window->ShowHypothesisList();
  for (QComboBox* list : window->findChildren<QComboBox*>())
    if (list->isVisible()) {
      list->setCurrentIndex(2);
      emit list->activated(2);
    }
}

// Args: sample limit, mode.
void BM_OpenAndComputeForm4(benchmark::State& state) {
  App().program.settings.sampleLimit = static_cast<int>(state.range(0));
  const int mode = static_cast<int>(state.range(1));
  ScriptedDialogs dialogs;
  ScopedValue<DialogService*> installed(App().dialogs, &dialogs);
  for (auto _ : state) {
    auto* window = new Form4;
    window->setTag(QString::number(mode));
    window->show();
    window->ApplyTestMode();
    QCoreApplication::processEvents();
    state.PauseTiming();
    FillRows(window, mode >= 5);
    ChooseTwoSided(window, dialogs);
    state.ResumeTiming();
    window->RunParametricTest();
    QCoreApplication::processEvents();
    state.PauseTiming();
    if (window->findChild<QLabel*>(QStringLiteral("Label12"))->text().isEmpty())
      state.SkipWithError("no conclusion");
    delete window;
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  App().program.settings = EnvSettings{};
}
BENCHMARK(BM_OpenAndComputeForm4)
    ->ArgNames({"limit", "mode"})
    ->Args({EnvSettings{}.sampleLimit, 2})
    ->Args({EnvSettings{}.sampleLimit, 6})
    ->Args({EnvSettings{}.sampleLimit, 9})
    ->Args({EnvSettings::kMaxSampleLimit, 2})
    ->Args({EnvSettings::kMaxSampleLimit, 6})
    ->Args({EnvSettings::kMaxSampleLimit, 9})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The compute button alone on full rows of 32767 values.
void BM_ComputeForm4FullRows(benchmark::State& state) {
  App().program.settings.sampleLimit = EnvSettings::kMaxSampleLimit;
  const int mode = static_cast<int>(state.range(0));
  ScriptedDialogs dialogs;
  ScopedValue<DialogService*> installed(App().dialogs, &dialogs);
  auto* window = new Form4;
  window->setTag(QString::number(mode));
  window->show();
  window->ApplyTestMode();
  FillRows(window, mode >= 5);
  ChooseTwoSided(window, dialogs);
  for (auto _ : state) window->RunParametricTest();
  if (!dialogs.messages.empty()) state.SkipWithError(qUtf8Printable(dialogs.messages.front().text));
  delete window;
  App().program.settings = EnvSettings{};
}
BENCHMARK(BM_ComputeForm4FullRows)->Arg(2)->Arg(6)->Arg(7)->Arg(9)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return kelvo::RunQtBenchmarks(argc, argv); }
