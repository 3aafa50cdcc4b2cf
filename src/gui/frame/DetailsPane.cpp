#include "gui/frame/DetailsPane.h"

#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/probability/TableLookup.h"
#include "gui/frame/ChartView.h"

namespace kelvo {

DetailsPane::DetailsPane(QWidget* parent) : QDockWidget(QStringLiteral("详细过程"), parent) {
  setObjectName(QStringLiteral("DetailsPane"));
  setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(4, 4, 4, 4);
  m_note = new QLabel(body);
  m_note->setObjectName(QStringLiteral("DetailsNote"));
  m_note->setWordWrap(true);
  m_note->setStyleSheet(QStringLiteral("color: #a05000;"));
  m_note->hide();
  m_tabs = new QTabWidget(body);
  m_tabs->setObjectName(QStringLiteral("DetailsTabs"));
  m_text = new QTextBrowser(m_tabs);
  m_text->setObjectName(QStringLiteral("DetailsText"));
  m_text->setMinimumWidth(320);
  // A table step of the solution is a link: it opens the tables window at its cell.
  m_text->setOpenLinks(false);
  connect(m_text, &QTextBrowser::anchorClicked, this, [](const QUrl& url) {
    if (TableLookupFromLink(url.toString().toStdString())) QDesktopServices::openUrl(url);
  });
  m_tabs->addTab(m_text, QStringLiteral("详细过程"));
  // The chart view itself is made when a chart is first drawn.
  m_chartPage = new QWidget(m_tabs);
  m_chartPage->setObjectName(QStringLiteral("DetailsChartPage"));
  m_chartLayout = new QVBoxLayout(m_chartPage);
  m_chartLayout->setContentsMargins(0, 0, 0, 0);
  m_tabs->addTab(m_chartPage, QStringLiteral("图形"));
  auto* copy = new QPushButton(QStringLiteral("复制全部"), body);
  copy->setObjectName(QStringLiteral("DetailsCopy"));
  layout->addWidget(m_note);
  layout->addWidget(m_tabs, 1);
  layout->addWidget(copy, 0, Qt::AlignRight);
  setWidget(body);
  connect(copy, &QPushButton::clicked, this, &DetailsPane::copyToClipboard);
  connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
    if (chartShown() && !m_chartRendered) renderChart();
    if (isVisible() && m_secondPage && m_tabs->currentWidget() == m_secondPage && !m_secondRendered)
      renderSecondChart();
  });
}

void DetailsPane::setSolution(WorkedSolution solution) {
  m_solution = std::move(solution);
  m_rendered = false;
  setStaleNote(QString());
  if (isVisible()) render();
  // The chart of the earlier computation goes too. Its view is emptied only once the events
  // are handled, and only when no chart of the new computation has come by then: emptying it
  // and drawing again at once would lay the axes out twice.
  m_chart.reset();
  m_chartRendered = false;
  removeSecondChart();
  QMetaObject::invokeMethod(
      this, [this] { if (!m_chartRendered && chartShown()) renderChart(); }, Qt::QueuedConnection);
}

void DetailsPane::clearSolution() {
  m_solution = WorkedSolution();
  m_text->clear();
  m_rendered = true;
}

void DetailsPane::showEvent(QShowEvent* event) {
  QDockWidget::showEvent(event);
  if (!m_rendered) render();
  if (chartShown() && !m_chartRendered) renderChart();
  if (m_secondPage && m_tabs->currentWidget() == m_secondPage && !m_secondRendered) renderSecondChart();
}

void DetailsPane::setChart(ChartDescription chart) {
  m_chart = std::move(chart);
  m_chartRendered = false;
  if (chartShown()) renderChart();
}

void DetailsPane::clearChart() {
  m_chart.reset();
  emptyChartView();
  m_chartRendered = true;
  removeSecondChart();
}

void DetailsPane::setSecondChart(const QString& tabTitle, ChartDescription chart) {
  m_secondChart = std::move(chart);
  m_secondRendered = false;
  if (!m_secondPage) {
    m_secondPage = new QWidget(m_tabs);
    m_secondPage->setObjectName(QStringLiteral("DetailsSecondChartPage"));
    (new QVBoxLayout(m_secondPage))->setContentsMargins(0, 0, 0, 0);
    m_tabs->addTab(m_secondPage, tabTitle);
    // A new computation's second chart comes back to the tab the user was reading.
    if (m_secondWasCurrent) m_tabs->setCurrentWidget(m_secondPage);
  }
  m_tabs->setTabText(m_tabs->indexOf(m_secondPage), tabTitle);
  if (isVisible() && m_tabs->currentWidget() == m_secondPage) renderSecondChart();
}

void DetailsPane::removeSecondChart() {
  m_secondChart.reset();
  if (!m_secondPage) return;
  m_secondWasCurrent = m_tabs->currentWidget() == m_secondPage;
  // The tab goes with its chart; a window without a second chart never shows an empty one.
  m_secondPage->deleteLater();
  m_tabs->removeTab(m_tabs->indexOf(m_secondPage));
  m_secondPage = nullptr;
  m_secondView = nullptr;
  m_secondRendered = true;
}

void DetailsPane::renderSecondChart() {
  m_secondRendered = true;
  if (!m_secondChart || !m_secondPage) return;
  if (!m_secondView) {
    m_secondView = new QChartView(BuildChart(*m_secondChart, numberFormat()), m_secondPage);
    m_secondView->setObjectName(QStringLiteral("DetailsSecondChart"));
    m_secondView->setRenderHint(QPainter::Antialiasing);
    m_secondPage->layout()->addWidget(m_secondView);
    return;
  }
  FillChart(m_secondView->chart(), *m_secondChart, numberFormat());
}

void DetailsPane::redrawChart() {
  if (m_secondChart) {
    m_secondRendered = false;
    if (isVisible() && m_tabs->currentWidget() == m_secondPage) renderSecondChart();
  }
  if (!m_chart) return;
  m_chartRendered = false;
  if (chartShown()) renderChart();
}

void DetailsPane::emptyChartView() {
  if (!m_chartView) return;
  // The axes stay for the next chart; laying them out again is the dear part of a drawing.
  ClearChart(m_chartView->chart());
}

void DetailsPane::showTab(int index) { m_tabs->setCurrentIndex(index); }

bool DetailsPane::chartShown() const {
  return isVisible() && m_tabs->currentWidget() == m_chartPage;
}

void DetailsPane::renderChart() {
  m_chartRendered = true;
  if (!m_chart) {
    emptyChartView();
    return;
  }
  if (!m_chartView) {
    m_chartView = new QChartView(BuildChart(*m_chart, numberFormat()), m_chartPage);
    m_chartView->setObjectName(QStringLiteral("DetailsChart"));
    m_chartView->setRenderHint(QPainter::Antialiasing);
    m_chartLayout->insertWidget(0, m_chartView, 1);
  } else {
    FillChart(m_chartView->chart(), *m_chart, numberFormat());
  }
}

ChartNumberFormat DetailsPane::numberFormat() const { return m_format ? m_format : ResultNumbers(); }

void DetailsPane::render() {
  m_text->setHtml(QString::fromStdString(LinkTableSteps(m_solution.html())));
  m_rendered = true;
}

void DetailsPane::setStaleNote(const QString& note) {
  m_note->setText(note);
  m_note->setVisible(!note.isEmpty());
}

QString DetailsPane::plainText() const { return QString::fromStdString(m_solution.plainText()); }

void DetailsPane::copyToClipboard() const {
  QGuiApplication::clipboard()->setText(plainText());
}

void DetailsPane::makeRoom(int designWidth) {
  // What the screen cannot hold, the surface scrolls. Hiding the pane leaves the window as it
  // is: the surface takes the room back.
  auto* w = qobject_cast<QMainWindow*>(parentWidget());
  if (!w || (w->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) || !w->layout())
    return;
  w->layout()->activate();
  const int missing = designWidth - w->centralWidget()->width();
  if (missing <= 0) return;
  const int frameWidth = w->frameGeometry().width() - w->width();
  int wanted = w->width() + missing;
  QRect room(w->pos(), QSize(wanted + frameWidth, w->height()));
  if (const QScreen* shown = w->screen()) room = shown->availableGeometry();
  wanted = std::min(wanted, room.width() - frameWidth);
  if (wanted <= w->width()) return;
  // Widened to the right, or moved left as far as the screen's edge needs.
  const int overhang = w->x() + wanted + frameWidth - (room.x() + room.width());
  if (overhang > 0) w->move(std::max(room.x(), w->x() - overhang), w->y());
  w->resize(wanted, w->height());
}

}  // namespace kelvo
