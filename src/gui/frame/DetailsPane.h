#pragma once
// The worked-solution pane beside an analysis window: the whole solution of the last
// computation as rich text in one tab and its chart in another, a button that copies the
// solution as plain text, and a note when the results on screen no longer belong to the inputs.
#include <QDockWidget>
#include <optional>

#include "core/documents/ChartDescription.h"
#include "core/documents/WorkedSolution.h"

class QChartView;
class QLabel;
class QTabWidget;
class QTextBrowser;
class QVBoxLayout;

namespace kelvo {

class DetailsPane : public QDockWidget {
  Q_OBJECT
 public:
  explicit DetailsPane(QWidget* parent);

  // The solution of a successful computation; clears any staleness note and the chart of the
  // last computation. It is laid out when the pane is shown, so a hidden pane costs no layout.
  void setSolution(WorkedSolution solution);
  // Nothing to show (a refused computation).
  void clearSolution();
  // The note shown above the solution while it no longer matches the inputs; empty hides it.
  void setStaleNote(const QString& note);
  // The solution of the last successful computation (empty after a refused one).
  const WorkedSolution& solution() const { return m_solution; }
  // The whole solution as plain text, every table row included.
  QString plainText() const;
  void copyToClipboard() const;

  // The chart of a successful computation. It is drawn when the pane is shown with its chart
  // tab current, so a hidden pane or tab costs nothing.
  void setChart(ChartDescription chart);
  // No chart (a refused computation, or a solution without one).
  void clearChart();
  // How the chart writes the numbers it shares with the window; the chart is drawn again with
  // it when redrawChart is called (a result label changed its decimals).
  void setNumberFormat(ChartNumberFormat format) { m_format = std::move(format); }
  void redrawChart();
  const std::optional<ChartDescription>& chart() const { return m_chart; }
  // After setChart: a second chart of the same computation (a regression's residuals, the levels of an analysis of variance) in a tab
  // of its own named `tabTitle`, after the first chart's. A new solution or clearChart takes it
  // away with its tab; it is drawn, like the first, when its tab is shown.
  void setSecondChart(const QString& tabTitle, ChartDescription chart);
  const std::optional<ChartDescription>& secondChart() const { return m_secondChart; }
  // The second chart's view, made at its first drawing; nullptr before.
  QChartView* secondChartView() const { return m_secondView; }
  // The tab of the text (0), of the chart (1) or of the second chart (2).
  void showTab(int index);
  // The chart's view, made at the first drawing; nullptr before.
  QChartView* chartView() const { return m_chartView; }
  // The pane docks beside the window's surface, which keeps `designWidth` when the screen has
  // room: the window widens (or moves left) as far as that needs.
  void makeRoom(int designWidth);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void render();
  void renderChart();
  void emptyChartView();
  void removeSecondChart();
  void renderSecondChart();
  bool chartShown() const;
  ChartNumberFormat numberFormat() const;

  QLabel* m_note;
  QTabWidget* m_tabs;
  QTextBrowser* m_text;
  QWidget* m_chartPage;
  QVBoxLayout* m_chartLayout;
  QChartView* m_chartView = nullptr;
  WorkedSolution m_solution;
  std::optional<ChartDescription> m_chart;
  ChartNumberFormat m_format;
  bool m_rendered = true;
  bool m_chartRendered = true;
  QWidget* m_secondPage = nullptr;
  QChartView* m_secondView = nullptr;
  std::optional<ChartDescription> m_secondChart;
  bool m_secondRendered = true;
  bool m_secondWasCurrent = false;
};

}  // namespace kelvo
