// The chart tab of the worked-solution pane: drawn only while shown, filled from the last
// computation, emptied by a refused one, and drawn into images for reports; its labels written
// as the window writes its numbers and clear of every line.
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLineSeries>
#include <QScatterSeries>
#include <QTabWidget>
#include <QTest>
#include <algorithm>

#include "gui/estimation/Form3a.h"
#include "gui/hypothesis/Form4.h"
#include "gui/hypothesis/Form7.h"
#include "gui/frame/ChartView.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/ValueLabel.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

// Mode 2 (t test), μ0 = 10, sample 9, 11, 12, 14, 10, 13 at α = 0.05: t = 1.96396 against
// t₀.₀₂₅(5) = 2.5706 of the printed table (two-sided).
Form4* RunTTest(WindowFixture& fixture, int hypothesis) {
  auto* w = fixture.open<Form4>(WindowClass::Form4, QString(), 2);
  WindowFixture::fill(w, 1, {"9", "11", "12", "14", "10", "13"});
  WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
  fixture.dialogs.queueAnswer(QStringLiteral("10"));
  WindowFixture::click(w, QStringLiteral("Command2"));
  WindowFixture::chooseItem(w, QStringLiteral("Combo2"), hypothesis);
  WindowFixture::click(w, QStringLiteral("Command1"));
  return w;
}

template <class Series>
QList<Series*> SeriesOf(QChartView* view) {
  QList<Series*> found;
  if (!view) return found;
  for (QAbstractSeries* s : view->chart()->series())
    if (auto* typed = qobject_cast<Series*>(s)) found.append(typed);
  return found;
}

// The x of every vertical two-point line (the marks of critical values and statistics).
QList<double> MarkedX(QChartView* view) {
  QList<double> xs;
  for (QLineSeries* line : SeriesOf<QLineSeries>(view)) {
    if (qobject_cast<QScatterSeries*>(line) || line->count() != 2) continue;
    if (line->at(0).x() == line->at(1).x()) xs.append(line->at(0).x());
  }
  std::sort(xs.begin(), xs.end());
  return xs;
}

// The x range of an area's upper line.
QPair<double, double> Span(QAreaSeries* area) {
  const QList<QPointF> points = area->upperSeries()->points();
  if (points.isEmpty()) return {NAN, NAN};
  return {points.front().x(), points.back().x()};
}

template <class Series>
QList<Series*> SeriesOfChart(QChart* chart) {
  QList<Series*> found;
  for (QAbstractSeries* s : chart->series())
    if (auto* typed = qobject_cast<Series*>(s)) found.append(typed);
  return found;
}

// Whether a drawn line passes through a text's rectangle: the line sampled every half pixel.
bool Crosses(const QLineF& line, const QRectF& rect) {
  const int steps = std::max(1, static_cast<int>(line.length() * 2));
  for (int i = 0; i <= steps; ++i)
    if (rect.contains(line.pointAt(static_cast<double>(i) / steps))) return true;
  return false;
}

bool HasInk(const QImage& image) {
  for (int y = 0; y < image.height(); y += 3)
    for (int x = 0; x < image.width(); x += 3)
      if (image.pixelColor(x, y) != QColor(Qt::white)) return true;
  return false;
}

}  // namespace

class ChartPaneTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  void chartIsDrawnOnlyWhenItsTabIsShown() {
    Form4* w = RunTTest(*m_fixture, 2);
    DetailsPane* pane = w->detailsPane();
    QVERIFY2(pane->chart().has_value(), qPrintable(m_fixture->messageTexts().join(',')));
    QVERIFY(pane->chartView() == nullptr);  // hidden pane: nothing built
    w->setDetailsVisible(true);
    QVERIFY(pane->chartView() == nullptr);  // the text tab is current
    auto* tabs = WindowFixture::control<QTabWidget>(w, QStringLiteral("DetailsTabs"));
    QVERIFY(tabs);
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), QStringLiteral("详细过程"));
    QCOMPARE(tabs->tabText(1), QStringLiteral("图形"));
    tabs->setCurrentIndex(1);
    auto* view = WindowFixture::control<QChartView>(w, QStringLiteral("DetailsChart"));
    QVERIFY(view && view == pane->chartView());
    QVERIFY(!view->chart()->series().isEmpty());
    // The text tab's widgets keep their names.
    QVERIFY(w->findChild<QWidget*>(QStringLiteral("DetailsText")));
    QVERIFY(w->findChild<QWidget*>(QStringLiteral("DetailsCopy")));
    w->setDetailsVisible(false);
  }

  void twoSidedTestShadesBeyondTheTableValues() {
    Form4* w = RunTTest(*m_fixture, 2);
    w->setDetailsVisible(true);
    w->detailsPane()->showTab(1);
    QChartView* view = w->detailsPane()->chartView();
    QVERIFY(view);
    const QList<QAreaSeries*> areas = SeriesOf<QAreaSeries>(view);
    QCOMPARE(areas.size(), 2);
    QCOMPARE(Span(areas[0]).second, -2.5706);
    QCOMPARE(Span(areas[1]).first, 2.5706);
    const QList<double> marks = MarkedX(view);
    QCOMPARE(marks.size(), 3);
    QCOMPARE(marks[0], -2.5706);
    QVERIFY(std::abs(marks[1] - 1.96396) < 5e-6);
    QCOMPARE(marks[2], 2.5706);

    // Another hypothesis redraws the same view: one upper tail at t₀.₀₅(5) = 2.0150.
    m_fixture->dialogs.queueAnswer(QStringLiteral("10"));
    WindowFixture::chooseItem(w, QStringLiteral("Combo2"), 0);
    WindowFixture::click(w, QStringLiteral("Command1"));
    const QList<QAreaSeries*> upper = SeriesOf<QAreaSeries>(view);
    QCOMPARE(upper.size(), 1);
    QCOMPARE(Span(upper[0]).first, 2.0150);
    w->setDetailsVisible(false);
  }

  void refusedComputationClearsTheChart() {
    Form4* w = RunTTest(*m_fixture, 2);
    w->setDetailsVisible(true);
    w->detailsPane()->showTab(1);
    QChartView* view = w->detailsPane()->chartView();
    QVERIFY(view && !view->chart()->series().isEmpty());
    WindowFixture::fill(w, 1, {"abc"}, 7);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("数据错误")});
    QVERIFY(!w->detailsPane()->chart().has_value());
    QVERIFY(view->chart()->series().isEmpty());
    QVERIFY(w->chartImage(QSize(300, 200)).isNull());
    w->setDetailsVisible(false);
  }

  void aSolutionWithoutChartLeavesNoOldChart() {
    Form4* w = RunTTest(*m_fixture, 2);
    w->setDetailsVisible(true);
    w->detailsPane()->showTab(1);
    QChartView* view = w->detailsPane()->chartView();
    QVERIFY(view && !view->chart()->series().isEmpty());
    w->showSolution(WorkedSolution());
    QVERIFY(!w->detailsPane()->chart().has_value());
    QVERIFY(w->chartImage(QSize(300, 200)).isNull());
    QCoreApplication::processEvents();
    QVERIFY(view->chart()->series().isEmpty());
    // A chart that follows its solution at once is drawn and stays.
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCoreApplication::processEvents();
    QVERIFY(!view->chart()->series().isEmpty());
    QCOMPARE(MarkedX(view).size(), 3);
    w->setDetailsVisible(false);
  }

  void chartImageFollowsTheLastComputation() {
    auto* w = m_fixture->open<Form3a>(WindowClass::Form3a, QString(), 2);
    QVERIFY(w->chartImage(QSize(400, 300)).isNull());
    WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, {"16", "10", "×", "2"});
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    const QImage image = w->chartImage(QSize(400, 300));
    QVERIFY2(!image.isNull(), qPrintable(m_fixture->messageTexts().join(',')));
    QCOMPARE(image.size(), QSize(400, 300));
    QVERIFY(HasInk(image));
    // The pane was never shown: the image did not need its view.
    QVERIFY(w->detailsPane()->chartView() == nullptr);
    // Three intervals on the μ axis: x̄ ∓ t·s/√n = 10 ∓ 2.1314·0.5.
    const std::optional<ChartDescription>& chart = w->detailsPane()->chart();
    QVERIFY(chart);
    const std::vector<const ChartSeries*> segments = chart->ofKind(SeriesKind::Segment);
    QCOMPARE(segments.size(), size_t(3));
    QVERIFY(std::abs(segments[0]->lower - (10 - 2.1314 * 0.5)) < 1e-9);
    QVERIFY(std::abs(segments[0]->upper - (10 + 2.1314 * 0.5)) < 1e-9);
  }

  void rankSumChartPlacesEachSampleOnItsLine() {
    auto* w = m_fixture->open<Form7>(WindowClass::Form7, QStringLiteral("秩和检验"), 0);
    WindowFixture::fill(w, 1, {"1", "2", "4"});
    WindowFixture::fill(w, 2, {"3", "5", "6", "7"});
    WindowFixture::chooseItem(w, QStringLiteral("Combo1"), 2);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.1"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    w->setDetailsVisible(true);
    w->detailsPane()->showTab(1);
    QChartView* view = w->detailsPane()->chartView();
    QVERIFY2(view, qPrintable(m_fixture->messageTexts().join(',')));
    QList<QScatterSeries*> dots;
    for (QScatterSeries* s : SeriesOf<QScatterSeries>(view))
      if (!s->name().isEmpty()) dots.append(s);
    QCOMPARE(dots.size(), 2);
    // Ranks 1, 2, 4 for sample one and 3, 5, 6, 7 for sample two.
    QList<double> first, second;
    for (const QPointF& p : dots[0]->points()) {
      first.append(p.x());
      QCOMPARE(p.y(), 1.0);
    }
    for (const QPointF& p : dots[1]->points()) {
      second.append(p.x());
      QCOMPARE(p.y(), 2.0);
    }
    std::sort(first.begin(), first.end());
    std::sort(second.begin(), second.end());
    QCOMPARE(first, (QList<double>{1, 2, 4}));
    QCOMPARE(second, (QList<double>{3, 5, 6, 7}));
    w->setDetailsVisible(false);
  }

  void chartNumbersAreWrittenAsTheWindowWritesThem() {
    auto* w = m_fixture->open<Form3a>(WindowClass::Form3a, QString(), 2);
    WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, {"16", "10", "×", "2"});
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    w->setDetailsVisible(true);
    w->detailsPane()->showTab(1);
    QChartView* view = w->detailsPane()->chartView();
    QVERIFY(view);
    // The two-sided interval's label holds both ends as the window's labels show them
    // (10 ∓ 2.1314·0.5: "8.934" and "11.066", where four significant digits gave "11.07").
    auto twoSided = [&] {
      for (const ChartTextItem& t : ChartTexts(view->chart()))
        if (t.text.startsWith(QStringLiteral("双侧置信区间"))) return t.text;
      return QString();
    };
    auto shown = [&](const char* name) {
      return WindowFixture::control<ValueLabel>(w, QString::fromLatin1(name))->shownNumber();
    };
    QCOMPARE(twoSided(), QStringLiteral("双侧置信区间 (%1, %2)").arg(shown("Label8"), shown("Label18")));
    QCOMPARE(shown("Label18"), QStringLiteral("11.066"));
    // One more decimal on the lower end: the chart follows that label, the other end stays.
    WindowFixture::toolbar(w, QStringLiteral("放大"));
    WindowFixture::clickLabel(w, QStringLiteral("Label8"));
    QCOMPARE(shown("Label8"), QStringLiteral("8.9343"));
    QCOMPARE(twoSided(), QStringLiteral("双侧置信区间 (8.9343, 11.066)"));
    w->setDetailsVisible(false);
  }

  void labelsStandClearOfEveryLine() {
    // A statistic just beside a critical value, and an estimate standing on the middle of
    // three intervals, drawn narrow and wide: no label touches a line.
    ChartDescription test;
    test.xMin = -4, test.xMax = 4, test.yMin = 0, test.yMax = 0.46;
    for (double x : {-1.96, 1.96}) {
      ChartSeries mark;
      mark.kind = SeriesKind::Marker;
      mark.at = x;
      mark.label = ChartText("临界值 ").number(x);
      test.series.push_back(mark);
    }
    ChartSeries statistic;
    statistic.kind = SeriesKind::Marker;
    statistic.name = "statistic";
    statistic.at = 2.03;
    statistic.label = ChartText("U = ").number(2.03);
    test.series.push_back(statistic);

    ChartDescription intervals;
    intervals.xMin = 9.5, intervals.xMax = 10.5, intervals.yMin = 0, intervals.yMax = 4;
    for (int i = 0; i < 3; ++i) {
      ChartSeries segment;
      segment.kind = SeriesKind::Segment;
      segment.name = "单侧置信下限";
      segment.lower = 9.7 + 0.05 * i;
      segment.upper = i == 2 ? HUGE_VAL : 10.3 - 0.05 * i;
      segment.at = 3 - i;
      segment.label = ChartText("(").number(segment.lower).append(", ").number(segment.upper).append(")");
      intervals.series.push_back(segment);
    }
    ChartSeries estimate;
    estimate.kind = SeriesKind::Marker;
    estimate.name = "estimate";
    estimate.at = 10.0;
    estimate.label = ChartText("点估计 ").number(10.0);
    intervals.series.push_back(estimate);

    for (const ChartDescription* content : {&test, &intervals})
      for (int width : {300, 640}) {
        QGraphicsScene scene;
        QChart* chart = BuildChart(*content);
        scene.addItem(chart);
        chart->setGeometry(QRectF(0, 0, width, 280));
        chart->layout()->activate();
        const QList<ChartTextItem> texts = ChartTexts(chart);
        QCOMPARE(texts.size(), content == &test ? 3 : 4);
        for (QLineSeries* line : SeriesOfChart<QLineSeries>(chart)) {
          const QList<QPointF> points = line->points();
          for (qsizetype k = 1; k < points.size(); ++k) {
            const QLineF drawn(chart->mapToPosition(points[k - 1], line), chart->mapToPosition(points[k], line));
            for (const ChartTextItem& t : texts)
              QVERIFY2(!Crosses(drawn, t.rect), qPrintable(QStringLiteral("%1 at width %2").arg(t.text).arg(width)));
          }
        }
        for (qsizetype a = 0; a < texts.size(); ++a)
          for (qsizetype b = a + 1; b < texts.size(); ++b)
            QVERIFY2(!texts[a].rect.intersects(texts[b].rect),
                     qPrintable(QStringLiteral("%1 / %2 at width %3").arg(texts[a].text, texts[b].text).arg(width)));
      }
  }

  void renderedChartsHaveNoUndrawableValues() {
    // A chart that holds nothing still renders (an empty frame), never crashes.
    const QImage empty = RenderChart(ChartDescription(), QSize(200, 150));
    QVERIFY(!empty.isNull());
    QVERIFY(RenderChart(ChartDescription(), QSize(0, 0)).isNull());
  }

 private:
  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(ChartPaneTest)
#include "ChartPaneTest.moc"
