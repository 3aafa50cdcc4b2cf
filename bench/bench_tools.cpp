// The tool windows: a calculation with its chart drawn (press 计算 in the probability
// calculator until the window has repainted), and opening the statistical tables window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "core/tables/Quantiles.h"
#include "gui/tools/ProbabilityCalculator.h"
#include "gui/tools/StatisticalTables.h"
#include "support/QtBenchMain.h"

using namespace kelvo;

namespace {

// The calculator asked `question` of the law at list position `law`, its boxes set.
void TimeCalculation(benchmark::State& state, int law, int question,
                     std::initializer_list<std::pair<const char*, const char*>> boxes) {
  auto* window = new ProbabilityCalculator;
  window->show();
  window->findChild<QListWidget*>(QStringLiteral("distributionList"))->setCurrentRow(law);
  window->findChild<QComboBox*>(QStringLiteral("questionList"))->setCurrentIndex(question);
  for (const auto& [name, text] : boxes)
    window->findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromUtf8(text));
  QCoreApplication::processEvents();
  for (auto _ : state) {
    if (!window->compute()) state.SkipWithError("refused");
    window->repaint();
    QCoreApplication::processEvents();
  }
  delete window;
}

}  // namespace

// Normal N(1, 4), P(a ≤ X ≤ b): 200 points of density and the shaded area.
static void BM_CalculatorNormalInterval(benchmark::State& state) {
  TimeCalculation(state, 0, 4, {{"parameter1Box", "1"}, {"parameter2Box", "2"}, {"xBox", "0"}, {"bBox", "2"}});
}
BENCHMARK(BM_CalculatorNormalInterval)->Unit(benchmark::kMillisecond)->UseRealTime();

// B(100, 0.3), P(a ≤ X ≤ b): bars of every value in view.
static void BM_CalculatorBinomialBars(benchmark::State& state) {
  TimeCalculation(state, 5, 4,
                  {{"parameter1Box", "100"}, {"parameter2Box", "0.3"}, {"xBox", "25"}, {"bBox", "35"}});
}
BENCHMARK(BM_CalculatorBinomialBars)->Unit(benchmark::kMillisecond)->UseRealTime();

// Opening the tables window: every table read from the database and laid out.
static void BM_OpenStatisticalTables(benchmark::State& state) {
  for (auto _ : state) {
    auto* window = new StatisticalTables;
    window->show();
    QCoreApplication::processEvents();
    state.PauseTiming();
    delete window;
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenStatisticalTables)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) { return kelvo::RunQtBenchmarks(argc, argv); }
