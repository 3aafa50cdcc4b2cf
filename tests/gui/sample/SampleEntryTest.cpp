// Sample entry as a new user meets it: typing a sample from the keyboard, deleting without a
// false message, shortcuts, wide data columns, the grid's height bounds, disabled options,
// long values and Chinese standard buttons.
#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "core/shell/ProgramState.h"
#include "gui/estimation/Form9.h"
#include "gui/sample/SampleGrid.h"
#include "gui/sample/ValueLabel.h"
#include "core/shell/ScaleLayout.h"
#include "gui/shell/ControlLayout.h"
#include "gui/shell/Translations.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

class SampleEntryTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  void aSampleIsTypedValueByValue() {
    Form9* w = open(5);
    WindowFixture::clickCell(w, 1, 1);
    for (const char* key : {"1", "\r", "0", "\r", "1", "\t", "2.5"}) {
      if (key[0] == '\r') QTest::keyClick(w->editor(), Qt::Key_Return);
      else if (key[0] == '\t') QTest::keyClick(w->editor(), Qt::Key_Tab);
      else QTest::keyClicks(w->editor(), QString::fromLatin1(key));
    }
    QCOMPARE(WindowFixture::cell(w, 1, 1), QStringLiteral("1"));
    QCOMPARE(WindowFixture::cell(w, 1, 2), QStringLiteral("0"));
    QCOMPARE(WindowFixture::cell(w, 1, 3), QStringLiteral("1"));
    QCOMPARE(WindowFixture::cell(w, 1, 4), QStringLiteral("2.5"));
    QVERIFY(m_fixture->dialogs.messages.empty());
    // The last column keeps the editor where it is.
    w->grid()->setCurrentIndex(w->grid()->gridModel()->index(1, 100));
    w->openCellEditor();
    QTest::keyClick(w->editor(), Qt::Key_Return);
    QCOMPARE(w->grid()->currentIndex().column(), 100);
  }

  void arrowKeysMoveBetweenCells() {
    Form9* w = open(5);
    w->grid()->setCurrentIndex(w->grid()->gridModel()->index(1, 3));
    w->grid()->setFocus();
    QTest::keyClick(w->grid(), Qt::Key_Right);
    QCOMPARE(w->grid()->currentIndex().column(), 4);
    QTest::keyClick(w->grid(), Qt::Key_Down);
    QCOMPARE(w->grid()->currentIndex().row(), 2);
  }

  void deletingACellShowsNoMessage() {
    Form9* w = open(5);
    WindowFixture::clickCell(w, 1, 2);
    QTest::keyClicks(w->editor(), QStringLiteral("8"));
    WindowFixture::toolbar(w, QStringLiteral("删除"));
    QCOMPARE(WindowFixture::cell(w, 1, 2), QString());
    w->findChild<QAction*>(QStringLiteral("menudelete"))->trigger();
    QVERIFY(m_fixture->dialogs.messages.empty());
    // The editor still reports a letter typed after a number.
    QTest::keyClicks(w->editor(), QStringLiteral("5x"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("数据错误")});
  }

  void editCommandsHaveTheirShortcuts() {
    Form9* w = open(5);
    QCOMPARE(w->findChild<QAction*>(QStringLiteral("menucopy"))->shortcut(), QKeySequence(QKeySequence::Copy));
    QCOMPARE(w->findChild<QAction*>(QStringLiteral("menupaste"))->shortcut(), QKeySequence(QKeySequence::Paste));
    QCOMPARE(w->findChild<QAction*>(QStringLiteral("menudelete"))->shortcut(), QKeySequence(QKeySequence::Delete));
    WindowFixture::fill(w, 1, {"4", "5"});
    WindowFixture::selectBlock(w, 1, 1, 1, 1, 1, 2);
    w->grid()->setFocus();
    QTest::keyClick(w->grid(), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QString::fromStdString(Program().copyBuffer), QStringLiteral("4\t5"));
    WindowFixture::selectBlock(w, 2, 3, 2, 3, 2, 3);
    QTest::keyClick(w->grid(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(WindowFixture::cell(w, 2, 4), QStringLiteral("5"));
    QTest::keyClick(w->grid(), Qt::Key_Delete);
    QCOMPARE(WindowFixture::cell(w, 2, 3), QString());
  }

  void wideDataColumnsLeaveTheHeadingsAlone() {
    Program().settings.dataWidth = 327;
    Form9* w = open(5);
    QCOMPARE(w->grid()->columnWidth(1) * kTwipsPerPixel, 32700 / kTwipsPerPixel * kTwipsPerPixel);
    const int heading = w->grid()->verticalHeader()->width();
    QVERIFY2(heading < 150, qPrintable(QString::number(heading)));
    QVERIFY(heading >= QFontMetrics(w->grid()->font()).horizontalAdvance(QStringLiteral("数据值")));
    // A data cell is in view.
    QVERIFY(w->grid()->viewport()->rect().intersects(w->grid()->visualRect(w->grid()->gridModel()->index(1, 1))));
  }

  void gridHeightStaysBetweenOneRowAndItsPanel() {
    Form9* w = open(5);
    QWidget* panel = w->findChild<QWidget*>(QStringLiteral("Picture5"));
    WindowFixture::toolbar(w, QStringLiteral("缩小"));
    for (int i = 0; i < 60; ++i) QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(5, panel->height() - 3));
    const long long lowest = ControlTwips(w->grid()).height;
    QCOMPARE(lowest, w->sampleGrid()->minimumHeightTwips());
    QVERIFY(lowest > 0);
    WindowFixture::toolbar(w, QStringLiteral("放大"));
    for (int i = 0; i < 60; ++i) QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(5, panel->height() - 3));
    const TwipsRect grid = ControlTwips(w->grid());
    QVERIFY(grid.top + grid.height <= ControlTwips(panel).height);
    QVERIFY(grid.height > lowest);
  }

  void disabledOptionsAreNeverHighlighted() {
    Form9* w = open(5);  // input mode two is disabled for the normal distribution
    auto* option = w->findChild<QRadioButton*>(QStringLiteral("Option2"));
    QVERIFY(!option->isEnabled());
    const QPoint centre(option->width() / 2, option->height() / 2);
    QMouseEvent move(QEvent::MouseMove, centre, option->mapToGlobal(centre), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(option, &move);
    QVERIFY(option->palette().color(QPalette::Active, QPalette::WindowText) != QColor(255, 0, 0));
    QVERIFY(option->palette().color(QPalette::Disabled, QPalette::WindowText) != QColor(0, 0, 0));
  }

  void longValuesAreElidedWithTheWholeValueAsTooltip() {
    Form9* w = open(5);
    auto* label = w->findChild<ValueLabel*>(QStringLiteral("Label22"));
    label->showValue(0.000152737998598846);
    QVERIFY(!label->isElided());
    QVERIFY(label->toolTip().isEmpty());
    WindowFixture::toolbar(w, QStringLiteral("放大"));
    for (int i = 0; i < 20; ++i) w->reformatLabel(label);
    QVERIFY(label->text().startsWith(QStringLiteral("0.000152737998598")));
    QVERIFY(label->isElided());
    QCOMPARE(label->toolTip(), label->text());
  }

  void standardButtonsSpeakChinese() {
    QVERIFY(InstallChineseTranslations(*QCoreApplication::instance()));
    QString okText;
    QTimer::singleShot(0, [&okText] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        okText = box->button(QMessageBox::Ok)->text();
        box->accept();
      }
    });
    QtDialogs().showMessage(nullptr, QStringLiteral("数据错误"), QStringLiteral("数据检查"),
                            MessageIcon::Stop);
    QCOMPARE(okText.remove(QLatin1Char('&')), QStringLiteral("确定"));
  }

 private:
  Form9* open(int mode) { return m_fixture->open<Form9>(WindowClass::Form9, QString(), mode); }
  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(SampleEntryTest)
#include "SampleEntryTest.moc"
