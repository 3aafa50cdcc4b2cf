// The worked-solution pane: hidden at first, toggled from the toolbar and the menu, kept per
// window class, filled after a computation, emptied after a refused one, results greyed out
// when they no longer match the inputs, and the specified labels the same either way.
#include <QAction>
#include <QClipboard>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <functional>

#include "gui/estimation/Form3.h"
#include "gui/estimation/Form3a.h"
#include "gui/estimation/Form9.h"
#include "gui/hypothesis/Form4.h"
#include "gui/hypothesis/Form7.h"
#include "gui/hypothesis/Form8.h"
#include "gui/frame/Report.h"
#include "gui/app/MainWindow.h"
#include "gui/frame/DetailsPane.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

// What the pane shows; the pane lays its text out only while it is shown.
QString PaneText(AnalysisWindow* w) {
  w->setDetailsVisible(true);
  auto* text = WindowFixture::control<QTextBrowser>(w, QStringLiteral("DetailsText"));
  const QString shown = text ? text->toPlainText() : QString();
  w->setDetailsVisible(false);
  return shown;
}

}  // namespace

class DetailsPaneTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  void hiddenAtFirstAndRememberedPerWindowClass() {
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), 5);
    auto* pane = WindowFixture::control<QDockWidget>(w, QStringLiteral("DetailsPane"));
    QVERIFY(pane && !pane->isVisible());
    WindowFixture::control<QAction>(w, QStringLiteral("menudetails"))->trigger();
    QVERIFY(pane->isVisible());
    // A second window of the same class opens with the pane; another class does not.
    auto* same = m_fixture->open<Form9>(WindowClass::Form9, QString(), 5);
    QVERIFY(WindowFixture::control<QDockWidget>(same, QStringLiteral("DetailsPane"))->isVisible());
    auto* other = m_fixture->open<Form7>(WindowClass::Form7, QStringLiteral("秩和检验"), 0);
    QVERIFY(!WindowFixture::control<QDockWidget>(other, QStringLiteral("DetailsPane"))->isVisible());
    w->setDetailsVisible(false);
    same->setDetailsVisible(false);
  }

  void estimationShowsItsEquationsAndIsEmptiedWhenRefused() {
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), 5);
    WindowFixture::fill(w, 1, {"2", "4", "6"});
    WindowFixture::click(w, QStringLiteral("Command1"));
    QVERIFY2(PaneText(w).contains(QStringLiteral("4")), qPrintable(PaneText(w)));
    QVERIFY(PaneText(w).contains(QStringLiteral("1.63299")));  // σ̂ = √(8/3)
    QVERIFY(!w->resultsStale());
    WindowFixture::fill(w, 1, {"abc"});
    QVERIFY(w->resultsStale());  // an edit makes the shown results old
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("数据错误")});
    QVERIFY(PaneText(w).isEmpty());
    QCOMPARE(WindowFixture::label(w, "Label22"), QStringLiteral("4.000"));  // kept, greyed
    QVERIFY(w->resultsStale());
    auto* note = WindowFixture::control<QWidget>(w, QStringLiteral("DetailsNote"));
    QVERIFY(note && !note->isHidden());
  }

  void intervalShowsTableAndExactQuantiles() {
    // Mode 2, n = 16, x̄ = 10, s = 2, c = 0.95: t₀.₀₂₅(15) = 2.1314 printed, 2.13145 exact.
    auto* w = m_fixture->open<Form3a>(WindowClass::Form3a, QString(), 2);
    WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, {"16", "10", "×", "2"});
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    const QString text = PaneText(w);
    QVERIFY2(text.contains(QStringLiteral("2.1314")), qPrintable(m_fixture->messageTexts().join(',') + text));
    QVERIFY(text.contains(QStringLiteral("2.13145")));
    QVERIFY(text.contains(QStringLiteral("8.9343")));
  }

  void testShowsStatisticCriticalValuesAndPValue() {
    // Mode 2 (t test), μ0 = 10, sample 9, 11, 12, 14, 10, 13: t = 1.96396, t₀.₀₂₅(5) = 2.5706.
    auto* w = m_fixture->open<Form4>(WindowClass::Form4, QString(), 2);
    WindowFixture::fill(w, 1, {"9", "11", "12", "14", "10", "13"});
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
    m_fixture->dialogs.queueAnswer(QStringLiteral("10"));
    WindowFixture::click(w, QStringLiteral("Command2"));
    WindowFixture::chooseItem(w, QStringLiteral("Combo2"), 2);
    WindowFixture::click(w, QStringLiteral("Command1"));
    const QString text = PaneText(w);
    QVERIFY2(text.contains(QStringLiteral("1.96396")), qPrintable(m_fixture->messageTexts().join(',') + text));
    QVERIFY(text.contains(QStringLiteral("2.5706")));   // the printed table
    QVERIFY(text.contains(QStringLiteral("2.57058")));  // the exact value
    QVERIFY(text.contains(QStringLiteral("0.10")));     // p ≈ 0.1067
    QCOMPARE(WindowFixture::label(w, "Label12"), QStringLiteral("接受原假设 H0"));
    // The numbers to write down, in the status bar: 2·P(t(5) ≥ 1.96396) = 0.106746 (mpmath).
    QCOMPARE(w->statusLine()->text(), QStringLiteral("T = 1.9640，临界值 t₀.₀₂₅(5) = 2.5706，p = 0.1067"));

    // Copy puts the whole solution on the clipboard as plain text.
    WindowFixture::click(w, QStringLiteral("DetailsCopy"));
    const QString copied = QGuiApplication::clipboard()->text();
    for (const char* part : {"1.96396", "2.5706", "2.57058", "接受原假设 H0"})
      QVERIFY2(copied.contains(QString::fromUtf8(part)), part);

    // A refused run empties the pane and leaves the conclusion greyed out.
    WindowFixture::fill(w, 1, {"abc"}, 7);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("数据错误")});
    QVERIFY(PaneText(w).isEmpty());
    QCOMPARE(WindowFixture::label(w, "Label12"), QStringLiteral("接受原假设 H0"));
    QVERIFY(w->resultsStale());
    QCOMPARE(w->statusLine()->text(), QString());
  }

  // A change of any input the computation reads greys the results and names itself in the
  // pane's note and in a report (once a changed α left the old conclusion looking current);
  // the window's own activation and a refused hypothesis change nothing.
  void changedInputsMakeTheResultsOld() {
    auto form4 = [this] {
      auto* w = m_fixture->open<Form4>(WindowClass::Form4, QString(), 1);
      WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
      WindowFixture::typeAndLeave(w, QStringLiteral("Text3"), QStringLiteral("1"));
      pick(w, QStringLiteral("Combo1"), 0, QStringLiteral("5"));
      WindowFixture::fill(w, 1, {"5", "6", "6", "6.6"});
      return static_cast<AnalysisWindow*>(w);
    };
    // Two samples: each activation lays out the second row again.
    auto pooled = [this] {
      auto* w = m_fixture->open<Form4>(WindowClass::Form4, QString(), 6);
      WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
      pick(w, QStringLiteral("Combo4"), 2, QStringLiteral("0"));
      WindowFixture::fill(w, 1, {"1", "2", "3"});
      WindowFixture::fill(w, 2, {"4", "5", "6"});
      return static_cast<AnalysisWindow*>(w);
    };
    auto form3a = [this] {
      auto* w = m_fixture->open<Form3a>(WindowClass::Form3a, QString(), 1);
      WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
      WindowFixture::typeAndLeave(w, QStringLiteral("Text3"), QStringLiteral("2"));
      WindowFixture::fill(w, 1, {"9", "10", "11"});
      return static_cast<AnalysisWindow*>(w);
    };
    auto form3 = [this] {
      auto* w = m_fixture->open<Form3>(WindowClass::Form3, QString(), 3);
      WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
      WindowFixture::fill(w, 1, {"2", "3", "7"});
      return static_cast<AnalysisWindow*>(w);
    };
    auto form8 = [this] {
      auto* w = m_fixture->open<Form8>(WindowClass::Form8, QString(), 3);
      pick(w, QStringLiteral("Combo2"), 0, QStringLiteral("4"));
      WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
      WindowFixture::fill(w, 1, {"2", "3", "7"});
      return static_cast<AnalysisWindow*>(w);
    };
    auto form7 = [this] {
      auto* w = m_fixture->open<Form7>(WindowClass::Form7, QStringLiteral("秩和检验"), 0);
      pick(w, QStringLiteral("Combo1"), 2, QString());
      WindowFixture::fill(w, 1, {"1", "2", "4"});
      WindowFixture::fill(w, 2, {"3", "5", "6", "7"});
      WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.12"));
      return static_cast<AnalysisWindow*>(w);
    };
    auto type = [](const char* box, const char* text) {
      return [=](AnalysisWindow* w) { WindowFixture::typeAndLeave(w, QString::fromLatin1(box), QString::fromLatin1(text)); };
    };
    struct Case {
      const char* name;
      std::function<AnalysisWindow*()> open;
      std::function<void(AnalysisWindow*)> change;
      QString note;  // empty: the results stay current
    };
    const Case cases[] = {
        {"test, α", form4, type("Text2", "0.01"), QStringLiteral("显著水平已修改")},
        {"test, known σ", form4, type("Text3", "2"), QStringLiteral("已知参数已修改")},
        {"test, hypothesis", form4,
         [this](AnalysisWindow* w) { pick(w, QStringLiteral("Combo1"), 2, QStringLiteral("5")); },
         QStringLiteral("假设已修改")},
        {"test, hypothesis value refused", form4,
         [this](AnalysisWindow* w) {
           pick(w, QStringLiteral("Combo1"), 2, QStringLiteral("1e999"));
         },
         QString()},
        {"test, input mode", form4,
         [this](AnalysisWindow* w) {
           m_fixture->dialogs.queueChoice(QStringLiteral("是"));  // the sample goes with the switch
           WindowFixture::chooseInputMode(w, InputMode::Two);
         },
         QStringLiteral("输入方式已改变")},
        {"two-sample test, α", pooled, type("Text2", "0.01"), QStringLiteral("显著水平已修改")},
        {"test, α then a cell", form4,
         [](AnalysisWindow* w) {
           WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.1"));
           WindowFixture::fill(w, 1, {"7"});
         },
         QStringLiteral("显著水平已修改，数据已修改")},
        {"normal interval, level", form3a, type("Text2", "0.9"), QStringLiteral("置信水平已修改")},
        {"normal interval, known σ", form3a, type("Text3", "3"), QStringLiteral("已知参数已修改")},
        {"large-sample interval, level", form3, type("Text2", "0.9"),
         QStringLiteral("置信水平已修改")},
        {"asymptotic test, α", form8, type("Text2", "0.1"), QStringLiteral("显著水平已修改")},
        {"asymptotic test, hypothesis", form8,
         [this](AnalysisWindow* w) { pick(w, QStringLiteral("Combo2"), 0, QStringLiteral("3")); },
         QStringLiteral("假设已修改")},
        {"rank sum, α", form7, type("Text2", "0.05"), QStringLiteral("显著水平已修改")},
        {"rank sum, hypothesis", form7,
         [this](AnalysisWindow* w) { pick(w, QStringLiteral("Combo1"), 0, QString()); },
         QStringLiteral("假设已修改")},
    };
    for (const Case& c : cases) {
      AnalysisWindow* w = c.open();
      WindowFixture::click(w, QStringLiteral("Command1"));
      QVERIFY2(!w->detailsPane()->plainText().isEmpty(), c.name);
      const QString line = w->statusLine()->text();
      QVERIFY2(line.contains(QStringLiteral(" = ")), c.name);
      WindowFixture::activate(m_fixture->mainWindow());
      WindowFixture::activate(w);
      QVERIFY2(!w->resultsStale(), c.name);
      c.change(w);
      QVERIFY2(w->resultsStale() == !c.note.isEmpty(), c.name);
      const QString note = WindowFixture::control<QLabel>(w, QStringLiteral("DetailsNote"))->text();
      const QString reported = QString::fromStdString(CollectReport(*w).document.staleNote);
      // The status line is marked old with the results.
      QCOMPARE(w->statusLine()->text(), c.note.isEmpty() ? line : QStringLiteral("（已过时）") + line);
      if (c.note.isEmpty()) {
        QVERIFY2(note.isEmpty() && reported.isEmpty(), c.name);
      } else {
        QVERIFY2(note.contains(QStringLiteral("（") + c.note + QStringLiteral("）")), qPrintable(note));
        QCOMPARE(reported, note);
      }
      w->close();
    }
  }

  void theSpecifiedLabelsDoNotDependOnThePane() {
    QStringList shown[2];
    for (int visible = 0; visible < 2; ++visible) {
      auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), 5);
      w->setDetailsVisible(visible == 1);
      WindowFixture::fill(w, 1, {"1.5", "2.5", "7"});
      WindowFixture::click(w, QStringLiteral("Command1"));
      for (const char* name : {"Label22", "Label23", "Label13", "Label19", "Label20", "Label21"})
        shown[visible] << WindowFixture::label(w, name);
      w->setDetailsVisible(false);
    }
    QCOMPARE(shown[1], shown[0]);
  }

  void thePaneKeepsTheControlsAndHidingItKeepsTheWindowSize() {
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), 5);
    w->resize(600, w->height());
    QCoreApplication::processEvents();
    auto* button = WindowFixture::control<QWidget>(w, QStringLiteral("Command1"));
    const QRect start = button->geometry();
    const int widest = w->screen()->availableGeometry().width() - (w->frameGeometry().width() - w->width());
    w->setDetailsVisible(true);
    QCoreApplication::processEvents();
    // The window widens for the pane, as far as the surface needs or the screen allows; the
    // controls keep their design size either way (a narrow surface scrolls).
    QVERIFY2(w->width() > 600 && w->width() <= widest, qPrintable(QString::number(w->width())));
    QVERIFY(w->centralWidget()->width() >= 800 || w->width() == widest);
    QCOMPARE(button->geometry(), start);
    const int opened = w->width();
    w->setDetailsVisible(false);
    QCoreApplication::processEvents();
    QCOMPARE(w->width(), opened);
    QVERIFY(button->geometry().width() >= start.width());
  }

 private:
  // Shows the window's hypothesis list and picks an item, answering its question if any.
  void pick(AnalysisWindow* w, const QString& list, int item, const QString& answer) {
    if (!answer.isEmpty()) m_fixture->dialogs.queueAnswer(answer);
    WindowFixture::click(w, QStringLiteral("Command2"));
    WindowFixture::chooseItem(w, list, item);
  }

  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(DetailsPaneTest)
#include "DetailsPaneTest.moc"
