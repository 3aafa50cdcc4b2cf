// Charts after a computation, at the pane's default size: building the description from a
// result, filling the pane's QChart from it and painting it; and a whole computation in the
// point-estimation window with the chart tab shown.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <vector>

#include "core/hypothesis/TestCharts.h"
#include "core/documents/ChartDescription.h"
#include "gui/estimation/Form9.h"
#include "gui/frame/ChartView.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/SampleGrid.h"
#include "support/QtBenchMain.h"

using namespace kelvo;

namespace {

// The pane's chart area at its default width.
const QSize kPaneChartSize(380, 560);

// A two-sided t test: the edges at α = 0.05 and α/2 as the test records them (printed t
// table at df 20 and df 5).
TestResult TTestResult(bool small = false) {
  TestResult r;
  r.distribution = StatisticDistribution::T;
  r.df = small ? 5 : 20;
  r.statistic = small ? -3.1 : 1.83;
  CriticalValue a, b;
  a.value = small ? 2.0150 : 1.7247;
  b.value = small ? 2.5706 : 2.0860;
  r.criticalValues = {a, b};
  return r;
}

// A normal fit over nine equal classes of 200 values, centred on 0 or on 50.
FittingResult FitResult(bool shifted = false) {
  FittingResult r;
  r.entry = FittingEntry::NormalUnknown;
  r.n = 200;
  r.parameters.normalMu = shifted ? 50.0 : 0.0;
  r.parameters.normalSigma = shifted ? 10.0 : 1.0;
  const double counts[] = {2, 9, 25, 44, 50, 41, 20, 7, 2};
  for (int i = 0; i < 9; ++i) {
    FittingClass k;
    k.lower = shifted ? 14.0 + 8.0 * i : -3.6 + 0.8 * i;
    k.upper = k.lower + (shifted ? 8.0 : 0.8);
    k.observed = counts[i];
    k.expected = counts[i] * 0.97 + 0.6;
    r.classes.push_back(k);
  }
  r.merged = r.classes;
  r.test.statistic = 1.2;
  r.test.df = 4;
  CriticalValue critical;
  critical.value = 9.488;
  r.test.criticalValues.push_back(critical);
  return r;
}

void BM_TestChartDescription(benchmark::State& state) {
  const TestResult r = TTestResult();
  for (auto _ : state) benchmark::DoNotOptimize(TestChart(r, Hypothesis::TwoSided));
}
BENCHMARK(BM_TestChartDescription)->Unit(benchmark::kMicrosecond);

void BM_FitChartDescription(benchmark::State& state) {
  const FittingResult r = FitResult();
  for (auto _ : state) benchmark::DoNotOptimize(FittingChart(r));
}
BENCHMARK(BM_FitChartDescription)->Unit(benchmark::kMicrosecond);

// From the result to the painted chart in a shown view: description, series, paint. Two
// results of different ranges take turns, so that every update moves the axes.
template <class Build>
void TimeChartUpdate(benchmark::State& state, Build build) {
  auto* view = new QChartView(BuildChart(ChartDescription()));
  view->resize(kPaneChartSize);
  view->show();
  QCoreApplication::processEvents();
  bool turn = false;
  for (auto _ : state) {
    FillChart(view->chart(), build(turn = !turn));
    view->repaint();
    QCoreApplication::processEvents();
  }
  delete view;
}

void BM_TestChartUpdate(benchmark::State& state) {
  const TestResult results[] = {TTestResult(false), TTestResult(true)};
  TimeChartUpdate(state, [&](bool turn) { return TestChart(results[turn], Hypothesis::TwoSided); });
}
BENCHMARK(BM_TestChartUpdate)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FitChartUpdate(benchmark::State& state) {
  const FittingResult results[] = {FitResult(false), FitResult(true)};
  TimeChartUpdate(state, [&](bool turn) { return FittingChart(results[turn]); });
}
BENCHMARK(BM_FitChartUpdate)->Unit(benchmark::kMillisecond)->UseRealTime();

// The first drawing in a pane: the chart view is made then, with its axes.
void BM_FirstChartDrawing(benchmark::State& state) {
  const ChartDescription chart = TestChart(TTestResult(), Hypothesis::TwoSided);
  for (auto _ : state) {
    auto* view = new QChartView(BuildChart(chart));
    view->resize(kPaneChartSize);
    view->show();
    QCoreApplication::processEvents();
    state.PauseTiming();
    delete view;
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_FirstChartDrawing)->Unit(benchmark::kMillisecond)->UseRealTime();

// The compute button of the point-estimation window (normal model, every column filled at the
// default sample limit) with the pane shown on its chart tab, until the events settle.
void BM_PointEstimatesWithChartTab(benchmark::State& state) {
  auto* window = new Form9;
  window->setTag(QStringLiteral("5"));
  window->show();
  window->setDetailsVisible(true);
  window->detailsPane()->showTab(1);
  SampleGridModel* model = window->grid()->gridModel();
  for (int c = 1; c < model->columnCount(); ++c)
    model->setData(model->index(1, c), QString::number((c * 37) % 101 / 4.0));
  QCoreApplication::processEvents();
  for (auto _ : state) {
    window->computeClicked();
    QCoreApplication::processEvents();
  }
  window->setDetailsVisible(false);
  delete window;
}
BENCHMARK(BM_PointEstimatesWithChartTab)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) { return kelvo::RunQtBenchmarks(argc, argv); }
