// The asymptotic test window on a full row: opening it, and computing each kind of test, at
// the default sample limit and at the largest one.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <cstdio>
#include <string>

#include "core/settings/EnvSettings.h"
#include "core/settings/ProgramState.h"
#include "core/tables/Quantiles.h"
#include "gui/hypothesis/Form8.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "support/QtBenchMain.h"

using namespace kelvo;

namespace {

ScriptedDialogs g_dialogs;

Form8* OpenForm8(int mode) {
  App().dialogs = &g_dialogs;  // every question is answered from the script
  auto* window = new Form8;
  window->setTag(QString::number(mode));
  window->show();
  QCoreApplication::processEvents();
  return window;
}

// A value admitted by every family of the window's tests in column c (0 or 1 for the 0-1
// test, small whole numbers otherwise).
std::string ValueFor(int mode, int c) {
  if (mode == 1) return c % 3 == 0 ? "0" : "1";
  if (mode == 5) return std::to_string(c % 17) + ".5";
  return std::to_string(c % 7);
}

// Fills the whole value row, chooses the two-sided hypothesis and sets α = 0.05.
void Prepare(Form8* window, int mode) {
  CellStore& cells = window->cells();
  for (int c = 1; c < cells.cols(); ++c) cells.setText(1, c, ValueFor(mode, c));
  window->sampleGrid()->cellsReset();
  const int position = mode == 5 ? 0 : 2;
  g_dialogs.queueAnswer(mode <= 2 ? QStringLiteral("0.5") : QStringLiteral("3"));
  if (mode == 2) g_dialogs.queueAnswer(QStringLiteral("10"));  // N
  window->ShowHypothesisList();
  for (QComboBox* box : window->findChildren<QComboBox*>())
    if (box->isVisible()) {
      box->setCurrentIndex(position);
      emit box->activated(position);
    }
  window->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("0.05"));
}

}  // namespace

static void BM_OpenForm8(benchmark::State& state) {
  App().program.settings.sampleLimit = static_cast<int>(state.range(0));
  for (auto _ : state) {
    Form8* window = OpenForm8(1);
    state.PauseTiming();
    delete window;
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
  App().program.settings = EnvSettings{};
}
BENCHMARK(BM_OpenForm8)
    ->Arg(EnvSettings{}.sampleLimit)
    ->Arg(EnvSettings::kMaxSampleLimit)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Args: mode, sample limit.
static void BM_ComputeForm8(benchmark::State& state) {
  const int mode = static_cast<int>(state.range(0));
  App().program.settings.sampleLimit = static_cast<int>(state.range(1));
  Form8* window = OpenForm8(mode);
  Prepare(window, mode);
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
BENCHMARK(BM_ComputeForm8)
    ->ArgsProduct({{1, 2, 3, 4, 5}, {EnvSettings{}.sampleLimit, EnvSettings::kMaxSampleLimit}})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char** argv) { return kelvo::RunQtBenchmarks(argc, argv); }
