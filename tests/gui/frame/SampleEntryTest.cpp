// Sample entry as a new user meets it: typing a sample from the keyboard, what the cell holds
// while a value is typed, corrected and deleted, deleting without a false message, shortcuts,
// wide data columns, the grid's height bounds, disabled options, long values and Chinese
// standard buttons.
#include <QAbstractButton>
#include <QAction>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "core/settings/ProgramState.h"
#include "gui/estimation/Form9.h"
#include "gui/hypothesis/Form4.h"
#include "gui/frame/SampleGrid.h"
#include "gui/frame/ValueLabel.h"
#include "core/layout/ScaleLayout.h"
#include "gui/common/ControlLayout.h"
#include "gui/common/Translations.h"
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

  // Keys typed after a click on cell (1, 1), one step per entry: plain text is typed, <Name> is
  // a key, <Away> moves the focus to the compute button. `trace` is the text of the edited
  // cell after each step, so a value the user never typed shows up even when it passes.
  void theCellHoldsOnlyWhatWasTyped_data() {
    QTest::addColumn<QStringList>("before");  // row 1 from column 1
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("trace");
    QTest::addColumn<QString>("editor");  // the editor's text at the end
    QTest::addColumn<QStringList>("row");  // row 1, columns 1 to 3, at the end
    QTest::addColumn<int>("messages");
    QTest::newRow("a key replaces the old value")
        << QStringList{"4"} << QStringList{"6"} << QStringList{"6"} << "6" << QStringList{"6", "", ""} << 0;
    QTest::newRow("End keeps the old value to add to")
        << QStringList{"4"} << QStringList{"<End>", "6"} << QStringList{"4", "46"} << "46"
        << QStringList{"46", "", ""} << 0;
    QTest::newRow("a sign put in front afterwards")
        << QStringList{} << QStringList{"3", "<Home>", "-"} << QStringList{"3", "3", "-3"} << "-3"
        << QStringList{"-3", "", ""} << 0;
    QTest::newRow("backspacing to nothing empties the cell")
        << QStringList{} << QStringList{"12", "<Backspace>", "<Backspace>"} << QStringList{"12", "1", ""}
        << "" << QStringList{"", "", ""} << 0;
    QTest::newRow("a minus first")
        << QStringList{"8"} << QStringList{"-", "3"} << QStringList{"", "-3"} << "-3"
        << QStringList{"-3", "", ""} << 0;
    QTest::newRow("a minus first after moving from a filled cell")
        << QStringList{} << QStringList{"3", "<Return>", "-", "3"} << QStringList{"3", "", "", "-3"} << "-3"
        << QStringList{"3", "-3", ""} << 0;
    QTest::newRow("an exponent on its way")
        << QStringList{} << QStringList{"1.5", "E", "-", "3"} << QStringList{"1.5", "", "", "1.5E-3"} << "1.5E-3"
        << QStringList{"1.5E-3", "", ""} << 0;
    QTest::newRow("a point first")
        << QStringList{} << QStringList{".", "5"} << QStringList{"", ".5"} << ".5" << QStringList{".5", "", ""} << 0;
    QTest::newRow("an unfinished number left for the next cell")
        << QStringList{"7"} << QStringList{"1e", "<Return>"} << QStringList{"", ""} << ""
        << QStringList{"", "", ""} << 0;
    QTest::newRow("an unfinished number left for another control")
        << QStringList{"7"} << QStringList{"-", "<Away>"} << QStringList{"", ""} << "" << QStringList{"", "", ""} << 0;
    QTest::newRow("a letter is reported and taken back")
        << QStringList{} << QStringList{"12", "a", "5"} << QStringList{"12", "12", "125"} << "125"
        << QStringList{"125", "", ""} << 1;
    QTest::newRow("a letter in the middle is taken back where it was typed")
        << QStringList{} << QStringList{"15", "<Left>", "x", "2"} << QStringList{"15", "15", "15", "125"}
        << "125" << QStringList{"125", "", ""} << 1;
    QTest::newRow("Delete on the opened cell empties it")
        << QStringList{"4", "5"} << QStringList{"<Delete>"} << QStringList{""} << "" << QStringList{"", "5", ""} << 0;
    QTest::newRow("Delete after the typed number empties the cell")
        << QStringList{} << QStringList{"12", "<Delete>"} << QStringList{"12", ""} << "" << QStringList{"", "", ""} << 0;
    QTest::newRow("Delete inside the text deletes a character")
        << QStringList{"12.5"} << QStringList{"<Home>", "<Delete>"} << QStringList{"12.5", "2.5"} << "2.5"
        << QStringList{"2.5", "", ""} << 0;
  }

  void theCellHoldsOnlyWhatWasTyped() {
    QFETCH(QStringList, before);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, trace);
    QFETCH(QString, editor);
    QFETCH(QStringList, row);
    QFETCH(int, messages);
    Form9* w = open(5);
    WindowFixture::fill(w, 1, before);
    WindowFixture::clickCell(w, 1, 1);
    const QMap<QString, Qt::Key> keys{{"<End>", Qt::Key_End},          {"<Home>", Qt::Key_Home},
                                      {"<Left>", Qt::Key_Left},        {"<Backspace>", Qt::Key_Backspace},
                                      {"<Delete>", Qt::Key_Delete},    {"<Return>", Qt::Key_Return}};
    QStringList seen;
    for (const QString& step : steps) {
      if (step == QLatin1String("<Away>"))
        w->findChild<QWidget*>(QStringLiteral("Command1"))->setFocus(Qt::MouseFocusReason);
      else if (keys.contains(step))
        QTest::keyClick(w->editor(), keys[step]);
      else
        QTest::keyClicks(w->editor(), step);
      const QModelIndex current = w->grid()->currentIndex();
      seen << WindowFixture::cell(w, current.row(), current.column());
    }
    QCOMPARE(seen, trace);
    QCOMPARE(w->editor()->text(), editor);
    QCOMPARE((QStringList{WindowFixture::cell(w, 1, 1), WindowFixture::cell(w, 1, 2), WindowFixture::cell(w, 1, 3)}),
             row);
    QCOMPARE(m_fixture->messageTexts(), QStringList(messages, QStringLiteral("数据错误")));
  }

  // A character typed on the grid opens the editor with it in place of the cell's text, also
  // in a window that does not reopen the editor on every key.
  void aKeyOnTheGridStartsANewValue() {
    auto* w = m_fixture->open<Form4>(WindowClass::Form4, QString(), 2);
    WindowFixture::fill(w, 1, {"8"}, 4);
    w->grid()->setCurrentIndex(w->grid()->gridModel()->index(1, 4));
    w->grid()->setFocus();
    QTest::keyClicks(w->grid(), QStringLiteral("5"));
    QVERIFY(w->editor()->isVisible());
    QCOMPARE(w->editor()->text(), QStringLiteral("5"));
    QCOMPARE(WindowFixture::cell(w, 1, 4), QStringLiteral("5"));
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
    QCOMPARE(QString::fromStdString(App().program.copyBuffer), QStringLiteral("4\t5"));
    WindowFixture::selectBlock(w, 2, 3, 2, 3, 2, 3);
    QTest::keyClick(w->grid(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(WindowFixture::cell(w, 2, 4), QStringLiteral("5"));
    QTest::keyClick(w->grid(), Qt::Key_Delete);
    QCOMPARE(WindowFixture::cell(w, 2, 3), QString());
  }

  void wideDataColumnsLeaveTheHeadingsAlone() {
    App().program.settings.dataWidth = 327;
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
