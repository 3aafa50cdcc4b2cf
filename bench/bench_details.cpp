// Computing with the worked-solution pane shown, at the default sample limit: the result
// labels, the solution's rich text and its layout in the pane, until the events settle.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <string>

#include "core/settings/ProgramState.h"
#include "gui/estimation/Form9.h"
#include "gui/hypothesis/Form7.h"
#include "gui/frame/SampleGrid.h"
#include "support/QtBenchMain.h"

using namespace kelvo;

namespace {

template <class Window>
Window* OpenWithPane(const QString& tag) {
  auto* window = new Window;
  if (!tag.isEmpty()) window->setTag(tag);
  window->show();
  window->setDetailsVisible(true);
  QCoreApplication::processEvents();
  return window;
}

void FillRow(AnalysisWindow* window, int row, int offset) {
  SampleGridModel* model = window->grid()->gridModel();
  for (int c = 1; c < model->columnCount(); ++c)
    model->setData(model->index(row, c), QString::number((c * 37 + offset) % 101 / 4.0));
}

void BM_PointEstimatesWithPane(benchmark::State& state) {
  auto* window = OpenWithPane<Form9>(QStringLiteral("5"));
  FillRow(window, 1, 0);
  for (auto _ : state) {
    window->computeClicked();
    QCoreApplication::processEvents();
  }
  window->setDetailsVisible(false);
  delete window;
}
BENCHMARK(BM_PointEstimatesWithPane)->Unit(benchmark::kMillisecond)->UseRealTime();

// The rank-sum solution carries the largest table: every pooled value with its mid-rank.
void BM_RankSumWithPane(benchmark::State& state) {
  auto* window = OpenWithPane<Form7>(QString());
  FillRow(window, 1, 0);
  FillRow(window, 2, 11);
  window->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("0.05"));
  auto* list = window->findChild<QComboBox*>(QStringLiteral("Combo1"));
  list->setCurrentIndex(2);
  emit list->activated(2);
  for (auto _ : state) {
    window->computeClicked();
    QCoreApplication::processEvents();
  }
  window->setDetailsVisible(false);
  delete window;
}
BENCHMARK(BM_RankSumWithPane)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return kelvo::RunQtBenchmarks(argc, argv); }
