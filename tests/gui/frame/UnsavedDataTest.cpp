// Typed data are never lost unasked: switching the input mode of a grid that holds data asks
// first, and closing a window (or the program) with data changed since the last save asks
// whether to save them.
#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include "gui/hypothesis/Form5.h"
#include "gui/app/MainWindow.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

const QString kSwitchQuestion = QStringLiteral("切换输入方式将清空已输入的数据，是否继续？");

QRadioButton* Option(AnalysisWindow* w, int number) {
  return w->findChild<QRadioButton*>(QStringLiteral("Option%1").arg(number));
}

// Whether a window is gone, after the deferred deletion of a closed one.
bool Gone(const QPointer<AnalysisWindow>& w) {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return w.isNull();
}

}  // namespace

class UnsavedDataTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    m_fixture = std::make_unique<WindowFixture>();
    QVERIFY(m_dir.isValid());
  }
  void cleanup() { m_fixture.reset(); }

  // ---- switching the input mode ----

  void switchingModesAsksOnlyWhenDataWouldGo_data() {
    QTest::addColumn<int>("windowClass");
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("from");  // input mode before, and the option clicked
    QTest::addColumn<int>("to");
    QTest::addColumn<QStringList>("typed");  // row 1 (empty: the grid holds no value)
    QTest::addColumn<QString>("answer");     // empty: no question expected
    QTest::addColumn<bool>("switched");
    const QStringList data{"1", "2", "3"};
    QTest::newRow("values, 否") << int(WindowClass::Form9) << 1 << 1 << 2 << data << "否" << false;
    QTest::newRow("values, 是") << int(WindowClass::Form9) << 1 << 1 << 2 << data << "是" << true;
    QTest::newRow("empty grid") << int(WindowClass::Form9) << 1 << 1 << 2 << QStringList() << ""
                                << true;
    QTest::newRow("option already chosen")
        << int(WindowClass::Form9) << 1 << 1 << 1 << data << "" << false;
    QTest::newRow("summaries, 否")
        << int(WindowClass::Form4) << 2 << 2 << 1 << QStringList{"16", "10"} << "否" << false;
    // The marks of unused summary cells are no data.
    QTest::newRow("summaries, marks only")
        << int(WindowClass::Form4) << 2 << 2 << 1 << QStringList() << "" << true;
    QTest::newRow("grouped, 否") << int(WindowClass::Form5) << 0 << 1 << 3 << data << "否" << false;
    QTest::newRow("grouped, 是") << int(WindowClass::Form5) << 0 << 1 << 3 << data << "是" << true;
    QTest::newRow("from grouped, 否")
        << int(WindowClass::Form5) << 0 << 3 << 2 << data << "否" << false;
    QTest::newRow("rank sum, its one option")
        << int(WindowClass::Form7) << 0 << 1 << 1 << data << "" << false;
  }
  void switchingModesAsksOnlyWhenDataWouldGo() {
    QFETCH(int, windowClass);
    QFETCH(int, mode);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QStringList, typed);
    QFETCH(QString, answer);
    QFETCH(bool, switched);
    AnalysisWindow* w =
        m_fixture->openWindow(static_cast<WindowClass>(windowClass), QString(), mode);
    if (windowClass == int(WindowClass::Form5)) {
      m_fixture->dialogs.queueAnswer("0");  // the uniform law's A and B
      m_fixture->dialogs.queueAnswer("10");
      WindowFixture::click(w, "Command2");
      WindowFixture::chooseItem(w, "Combo1", 7);
    }
    if (from != 1) QTest::mouseClick(Option(w, from), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    QCOMPARE(w->inputModeNumber(), from);
    WindowFixture::fill(w, 1, typed);
    const QStringList before = rowOne(w);
    if (!answer.isEmpty()) m_fixture->dialogs.queueChoice(answer);
    QTest::mouseClick(Option(w, to), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));

    QCOMPARE(m_fixture->dialogs.choices.size(), std::size_t(answer.isEmpty() ? 0 : 1));
    if (!answer.isEmpty()) {
      QCOMPARE(m_fixture->dialogs.choices.front().text, kSwitchQuestion);
      QCOMPARE(m_fixture->dialogs.choices.front().buttons, (QStringList{"是", "否"}));
    }
    QCOMPARE(w->inputModeNumber(), switched ? to : from);
    QVERIFY(Option(w, w->inputModeNumber())->isChecked());
    for (int n = 1; n <= 3; ++n)
      if (n != w->inputModeNumber() && Option(w, n)) QVERIFY(!Option(w, n)->isChecked());
    if (!switched) QCOMPARE(rowOne(w), before);
    if (switched && !typed.isEmpty()) QCOMPARE(WindowFixture::cell(w, 1, 1), QString());
  }

  void keptModeLeavesResultsCurrent() {
    auto* w = m_fixture->openWindow(WindowClass::Form9, QString(), 5);
    WindowFixture::fill(w, 1, {"2", "4", "6"});
    WindowFixture::click(w, "Command1");
    QVERIFY(!w->resultsStale());
    m_fixture->dialogs.queueChoice("否");
    QTest::mouseClick(Option(w, 2), Qt::LeftButton, Qt::NoModifier, QPoint(8, 8));
    QVERIFY(!w->resultsStale());
    QCOMPARE(WindowFixture::label(w, "Label22"), QStringLiteral("4.000"));
  }

  // ---- closing with unsaved data ----

  void closingAsksForUnsavedData_data() {
    QTest::addColumn<QString>("answer");  // empty: no question expected
    QTest::addColumn<bool>("typed");
    QTest::addColumn<bool>("chooseFile");
    QTest::addColumn<bool>("closed");
    QTest::newRow("nothing typed") << "" << false << false << true;
    QTest::newRow("不保存") << "不保存" << true << false << true;
    QTest::newRow("取消") << "取消" << true << false << false;
    QTest::newRow("保存") << "保存" << true << true << true;
    QTest::newRow("保存, file dialog cancelled") << "保存" << true << false << false;
  }
  void closingAsksForUnsavedData() {
    QFETCH(QString, answer);
    QFETCH(bool, typed);
    QFETCH(bool, chooseFile);
    QFETCH(bool, closed);
    QPointer<AnalysisWindow> w =
        m_fixture->openWindow(WindowClass::Form9, QStringLiteral("正态分布"), 5);
    if (typed) WindowFixture::fill(w, 1, {"2", "4", "6"});
    if (!answer.isEmpty()) m_fixture->dialogs.queueChoice(answer);
    const QString file = m_dir.filePath(
        QString("closed%1.csv").arg(QTest::currentDataTag()).remove(' ').remove(','));
    if (chooseFile) m_fixture->dialogs.queueFilePath(file);
    w->close();
    QCOMPARE(m_fixture->dialogs.choices.size(), std::size_t(answer.isEmpty() ? 0 : 1));
    if (!answer.isEmpty()) {
      QCOMPARE(m_fixture->dialogs.choices.front().text,
               QStringLiteral("“正态分布”中的数据尚未保存，是否保存？"));
      QCOMPARE(m_fixture->dialogs.choices.front().buttons, (QStringList{"保存", "不保存", "取消"}));
    }
    QCOMPARE(Gone(w), closed);
    QCOMPARE(QFile::exists(file), chooseFile);
  }

  void savedOrOpenedDataCloseUnasked() {
    auto* w = m_fixture->openWindow(WindowClass::Form4, QString(), 2);
    WindowFixture::fill(w, 1, {"1", "2"});
    m_fixture->dialogs.queueFilePath(m_dir.filePath("t.csv"));
    w->findChild<QAction*>("menusave")->trigger();
    QVERIFY(!w->hasUnsavedChanges());
    // A setting changed after the save counts as well as a cell; undoing it counts as undone.
    WindowFixture::typeAndLeave(w, "Text2", "0.05");
    QVERIFY(w->hasUnsavedChanges());
    WindowFixture::typeAndLeave(w, "Text2", "");
    QVERIFY(!w->hasUnsavedChanges());

    auto* other = m_fixture->openWindow(WindowClass::Form4, QString(), 2);
    m_fixture->dialogs.queueFilePath(m_dir.filePath("t.csv"));
    other->findChild<QAction*>("menuopen")->trigger();
    QCOMPARE(WindowFixture::cell(other, 1, 2), QStringLiteral("2"));
    QPointer<AnalysisWindow> watched = other;
    other->close();
    QVERIFY(Gone(watched));
    QVERIFY(m_fixture->dialogs.choices.empty());
  }

  void closingTheProgramAsksForEachWindowWithUnsavedData() {
    QPointer<AnalysisWindow> typed1 = m_fixture->openWindow(WindowClass::Form9, QString(), 5);
    QPointer<AnalysisWindow> untouched = m_fixture->openWindow(WindowClass::Form7, QString(), 0);
    QPointer<AnalysisWindow> typed2 = m_fixture->openWindow(WindowClass::Form3, QString(), 1);
    WindowFixture::fill(typed1, 1, {"1"});
    WindowFixture::typeAndLeave(typed2, "Text2", "0.9");
    // 取消 for the second keeps the program and every window.
    m_fixture->dialogs.queueChoice("不保存");
    m_fixture->dialogs.queueChoice("取消");
    m_fixture->mainWindow()->close();
    QCOMPARE(m_fixture->dialogs.choices.size(), std::size_t(2));
    QVERIFY(m_fixture->mainWindow()->isVisible());
    QVERIFY(!Gone(typed1) && !Gone(untouched) && !Gone(typed2));

    m_fixture->dialogs.queueChoice("不保存");
    m_fixture->dialogs.queueChoice("不保存");
    m_fixture->mainWindow()->close();
    QCOMPARE(m_fixture->dialogs.choices.size(), std::size_t(4));
    QCOMPARE(m_fixture->dialogs.choices[3].text,
             QStringLiteral("“0-1分布区间估计”中的数据尚未保存，是否保存？"));
    QVERIFY(Gone(typed1) && Gone(untouched) && Gone(typed2));
  }

 private:
  static QStringList rowOne(AnalysisWindow* w) {
    QStringList cells;
    for (int c = 0; c <= 4; ++c) cells << WindowFixture::cell(w, 1, c);
    return cells;
  }

  std::unique_ptr<WindowFixture> m_fixture;
  QTemporaryDir m_dir;
};

QTEST_MAIN(UnsavedDataTest)
#include "UnsavedDataTest.moc"
