// The analysis-window frame, as the point-estimation window has it: the grid and its
// editor, input modes, copy, paste and delete, precision steps and re-layout.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>

#include "core/sample/GridBuffer.h"
#include "core/settings/ProgramState.h"
#include "core/layout/ScaleLayout.h"
#include "gui/estimation/Form9.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/ControlLayout.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

// A window whose computation writes back into its own box and list, as a window that refines
// its inputs would.
class WritingBackWindow : public AnalysisWindow {
 public:
  WritingBackWindow() : AnalysisWindow(FrameOptions()) {
    box = new QLineEdit(surface());
    list = new QComboBox(surface());
    list->addItems({QStringLiteral("a"), QStringLiteral("b")});
    WindowFixture::fill(this, 1, {QStringLiteral("1")});  // nothing is computed without a sample
  }
  QLineEdit* box;
  QComboBox* list;

 protected:
  void compute() override {
    showSolution(WorkedSolution());
    box->setText(box->text() + QLatin1Char('1'));
    list->setCurrentIndex(1 - list->currentIndex());
  }
};

QString StaleNote(AnalysisWindow* w) {
  return w->detailsPane()->findChild<QLabel*>(QStringLiteral("DetailsNote"))->text();
}

}  // namespace

class FrameTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    m_fixture = std::make_unique<WindowFixture>();
    m_window = m_fixture->open<Form9>(WindowClass::Form9, QStringLiteral("正态分布"), 5);
  }
  void cleanup() { m_fixture.reset(); }

  void newWindowHasItsHeadings() {
    QCOMPARE(m_window->cells().rows(), 3);
    QCOMPARE(m_window->cells().cols(), 101);
    QCOMPARE(WindowFixture::cell(m_window, 0, 1), QStringLiteral("1"));
    QCOMPARE(WindowFixture::cell(m_window, 0, 100), QStringLiteral("100"));
    QCOMPARE(WindowFixture::cell(m_window, 1, 0), QStringLiteral("数据值"));
    QCOMPARE(WindowFixture::cell(m_window, 2, 0), QString());
    SampleGridModel* model = m_window->grid()->gridModel();
    QCOMPARE(model->headerData(7, Qt::Horizontal).toString(), QStringLiteral("7"));
    QCOMPARE(model->headerData(1, Qt::Vertical).toString(), QStringLiteral("数据值"));
    // Headings are shown by the header sections and cannot be selected or written.
    QVERIFY(m_window->grid()->isRowHidden(0));
    QVERIFY(m_window->grid()->isColumnHidden(0));
    QVERIFY(!(model->flags(model->index(0, 3)) & Qt::ItemIsSelectable));
    QVERIFY(!model->setData(model->index(1, 0), QStringLiteral("x")));
    QCOMPARE(m_window->grid()->columnWidth(1) * kTwipsPerPixel, 900);
    QCOMPARE(m_window->grid()->rowHeight(1) * kTwipsPerPixel, 360);
  }

  void typedKeysFollowIntoTheCell() {
    WindowFixture::clickCell(m_window, 1, 1);
    QStringList seen;
    for (const char* key : {"1", "2", ".", "5"}) {
      QTest::keyClicks(m_window->editor(), QString::fromLatin1(key));
      seen << WindowFixture::cell(m_window, 1, 1);
    }
    QCOMPARE(seen, (QStringList{"1", "12", "12.", "12.5"}));
    QVERIFY(m_fixture->dialogs.messages.empty());
  }

  void letterAfterNumberIsReportedOnce() {
    WindowFixture::clickCell(m_window, 1, 2);
    QTest::keyClicks(m_window->editor(), QStringLiteral("12a"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("数据错误")});
    QCOMPARE(m_fixture->dialogs.messages[0].title, QStringLiteral("数据检查"));
    QCOMPARE(m_fixture->dialogs.messages[0].icon, MessageIcon::Stop);
    QCOMPARE(m_window->editor()->text(), QStringLiteral("12"));  // back to before the letter
    QCOMPARE(WindowFixture::cell(m_window, 1, 2), QStringLiteral("12"));
    QVERIFY(m_window->editorArmed());
  }

  void minusOnTheSameCellPassesSilently() {
    WindowFixture::clickCell(m_window, 1, 3);
    WindowFixture::clickCell(m_window, 1, 3);
    QTest::keyClicks(m_window->editor(), QStringLiteral("-"));
    QVERIFY(m_fixture->dialogs.messages.empty());
    QTest::keyClicks(m_window->editor(), QStringLiteral("4"));
    QCOMPARE(WindowFixture::cell(m_window, 1, 3), QStringLiteral("-4"));
  }

  void keyOnTheGridReopensTheEditor() {
    WindowFixture::fill(m_window, 1, {QStringLiteral("8")}, 4);
    m_window->grid()->setCurrentIndex(m_window->grid()->gridModel()->index(1, 4));
    m_window->grid()->setFocus();
    QTest::keyClicks(m_window->grid(), QStringLiteral("5"));  // replaces the 8
    QCOMPARE(m_window->editor()->text(), QStringLiteral("5"));
    QCOMPARE(WindowFixture::cell(m_window, 1, 4), QStringLiteral("5"));
    const QRect cell = m_window->grid()->cellRect(1, 4, m_window->editor()->parentWidget());
    QCOMPARE(m_window->editor()->geometry(), cell);
  }

  void switchingInputModesClearsTheGrid() {
    WindowFixture::fill(m_window, 1, {QStringLiteral("1"), QStringLiteral("2")});
    m_window->findChild<QRadioButton*>(QStringLiteral("Option2"))->setEnabled(true);
    m_fixture->dialogs.queueChoice(QStringLiteral("是"));  // asked because the grid holds data
    WindowFixture::chooseInputMode(m_window, InputMode::Two);
    QCOMPARE(m_window->inputMode(), InputMode::Two);
    QCOMPARE(WindowFixture::cell(m_window, 1, 1), QString());
    QCOMPARE(WindowFixture::cell(m_window, 2, 0), QStringLiteral("重复值"));
    QCOMPARE(WindowFixture::cell(m_window, 0, 100), QStringLiteral("100"));
    WindowFixture::fill(m_window, 2, {QStringLiteral("3")});
    m_fixture->dialogs.queueChoice(QStringLiteral("是"));
    WindowFixture::chooseInputMode(m_window, InputMode::One);
    QCOMPARE(WindowFixture::cell(m_window, 2, 1), QString());
    QCOMPARE(WindowFixture::cell(m_window, 2, 0), QString());
    QCOMPARE(WindowFixture::cell(m_window, 1, 0), QStringLiteral("数据值"));
  }

  void copyInOneWindowPasteInAnother() {
    WindowFixture::fill(m_window, 1, {"1", "2", "3"});
    WindowFixture::fill(m_window, 2, {"4", "5", "6"});
    WindowFixture::selectBlock(m_window, 1, 1, 1, 1, 2, 3);
    WindowFixture::toolbar(m_window, QStringLiteral("复制"));
    QCOMPARE(QString::fromStdString(App().program.copyBuffer), QStringLiteral("1\t2\t3\r4\t5\t6"));
    WindowFixture::fill(m_window, 1, {"9"});  // the buffer keeps the texts of the copy

    auto* other = m_fixture->open<Form9>(WindowClass::Form9, QString(), 1);
    other->grid()->setCurrentIndex(other->grid()->gridModel()->index(1, 5));
    other->findChild<QAction*>(QStringLiteral("menupaste"))->trigger();
    QCOMPARE(WindowFixture::cell(other, 1, 5), QStringLiteral("1"));
    QCOMPARE(WindowFixture::cell(other, 2, 7), QStringLiteral("6"));
    QCOMPARE(WindowFixture::cell(other, 1, 4), QString());
    QCOMPARE(WindowFixture::cell(other, 1, 8), QString());
  }

  void deleteUsesTheBlockWhicheverWayItWasSelected() {
    WindowFixture::fill(m_window, 1, {"1", "2", "3"});
    WindowFixture::fill(m_window, 2, {"4", "5", "6"});
    // Selected from the lower right corner: the current cell is (2, 3).
    WindowFixture::selectBlock(m_window, 2, 3, 1, 2, 2, 3);
    WindowFixture::toolbar(m_window, QStringLiteral("删除"));
    QCOMPARE(WindowFixture::cell(m_window, 1, 1), QStringLiteral("1"));
    QCOMPARE(WindowFixture::cell(m_window, 1, 2), QString());
    QCOMPARE(WindowFixture::cell(m_window, 2, 3), QString());
    QCOMPARE(WindowFixture::cell(m_window, 2, 1), QStringLiteral("4"));
  }

  void pasteWithAnEmptyBufferEmptiesTheCurrentCell() {
    WindowFixture::fill(m_window, 1, {"5"});
    m_window->grid()->setCurrentIndex(m_window->grid()->gridModel()->index(1, 1));
    WindowFixture::toolbar(m_window, QStringLiteral("粘贴"));
    QCOMPARE(WindowFixture::cell(m_window, 1, 1), QString());
  }

  // What the window writes while it computes belongs to the results; what the user changes
  // afterwards makes them old, named by the input's note or by its kind.
  void ownWritesKeepResultsCurrentUserChangesDoNot() {
    WritingBackWindow w;
    for (int run = 0; run < 2; ++run) {
      w.computeClicked();
      QVERIFY(!w.resultsStale());
    }
    w.box->setText(QStringLiteral("7"));
    QVERIFY(StaleNote(&w).contains(QStringLiteral("（参数已修改）")));
    w.computeClicked();
    w.list->setCurrentIndex(0);
    QVERIFY(StaleNote(&w).contains(QStringLiteral("（选项已修改）")));
    w.computeClicked();
    AnalysisWindow::setChangeNote(w.box, QStringLiteral("初值已修改"));
    w.box->clear();
    QVERIFY(StaleNote(&w).contains(QStringLiteral("（初值已修改）")));
  }

  void gridHeightStepsWithThePrecisionButtons() {
    QWidget* panel = m_window->findChild<QWidget*>(QStringLiteral("Picture5"));
    const long long start = ControlTwips(m_window->grid()).height;
    QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QCOMPARE(ControlTwips(m_window->grid()).height, start);  // no step chosen yet
    WindowFixture::toolbar(m_window, QStringLiteral("放大"));
    for (int i = 0; i < 3; ++i) QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QCOMPARE(ControlTwips(m_window->grid()).height, start + 150);
    WindowFixture::toolbar(m_window, QStringLiteral("缩小"));
    for (int i = 0; i < 3; ++i) QTest::mouseClick(panel, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QCOMPARE(ControlTwips(m_window->grid()).height, start);
  }

  void toolbarAndEditMenuAreComplete() {
    QStringList buttons, tips;
    for (QAction* a : m_window->findChild<QToolBar*>(QStringLiteral("Toolbar1"))->actions()) {
      buttons << a->objectName();
      tips << a->toolTip();
      QVERIFY(!a->icon().isNull());
    }
    const QStringList expected{"复制", "粘贴", "删除", "放大", "缩小", "帮助"};
    QCOMPARE(buttons, expected);
    QCOMPARE(tips, expected);

    QMenu* edit = m_window->findChild<QMenu*>(QStringLiteral("menuquick"));
    QCOMPARE(edit->title(), QStringLiteral("编辑(&E)  "));
    QCOMPARE(m_window->menuBar()->actions().first()->menu(), edit);
    QStringList items;
    for (QAction* a : edit->actions()) items << a->objectName();
    QCOMPARE(items, (QStringList{"menucopy", "menusp1", "menupaste", "menusp2", "menudelete"}));
    for (int position : {0, 2, 4}) QVERIFY(!edit->actions()[position]->icon().isNull());
    QCOMPARE(m_window->findChild<QAction*>(QStringLiteral("menuhelp"))->text(),
             QStringLiteral("帮助(&H)"));
    // The menu bar from left to right: edit, file, view, and help last.
    QStringList bar;
    for (QAction* a : m_window->menuBar()->actions())
      bar << (a->menu() ? a->menu()->objectName() : a->objectName());
    QCOMPARE(bar, (QStringList{"menuquick", "menufile", "menuview", "menuhelp"}));
  }

  void resizeScalesUnlessMinimised() {
    QWidget* button = m_window->findChild<QWidget*>(QStringLiteral("Command1"));
    const TwipsRect start = ControlTwips(button);
    m_window->showMinimized();
    m_window->resize(m_window->width() * 2, m_window->height());
    QCoreApplication::processEvents();
    QCOMPARE(ControlTwips(button).width, start.width);
    m_window->showNormal();
    // Tall enough for the controls grown by half: no scroll bar takes its share of the width.
    m_window->resize(1200, m_window->height() * 2);
    QCoreApplication::processEvents();
    QVERIFY(std::abs(ControlTwips(button).width - start.width * 3 / 2) <= 3);
    QCOMPARE(m_window->referenceWidth(), 1200LL * kTwipsPerPixel);
  }

  void optionsTurnRedInTheirCentre() {
    auto* option = m_window->findChild<QRadioButton*>(QStringLiteral("Option1"));
    const QPoint centre(option->width() / 2, option->height() / 2);
    QTest::mouseMove(option, centre);
    QMouseEvent inside(QEvent::MouseMove, centre, option->mapToGlobal(centre), Qt::NoButton,
                       Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(option, &inside);
    QCOMPARE(option->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    const QPoint edge(1, 1);
    QMouseEvent outside(QEvent::MouseMove, edge, option->mapToGlobal(edge), Qt::NoButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(option, &outside);
    QCOMPARE(option->palette().color(QPalette::WindowText), QColor(0, 0, 0));
  }

  void pastingAHugeBufferStaysInsideTheGrid() {
    std::string buffer;
    for (int r = 0; r < 2000; ++r) {
      for (int c = 0; c < 300; ++c) {
        if (c) buffer += '\t';
        buffer += std::to_string(r * 1000 + c);
      }
      buffer += '\r';
    }
    buffer += "\xff\xfe\x01";
    App().program.copyBuffer = buffer;
    m_window->grid()->setCurrentIndex(m_window->grid()->gridModel()->index(2, 99));
    WindowFixture::toolbar(m_window, QStringLiteral("粘贴"));
    QCOMPARE(m_window->cells().rows(), 3);
    QCOMPARE(m_window->cells().cols(), 101);
    QCOMPARE(WindowFixture::cell(m_window, 2, 99), QStringLiteral("0"));
    QCOMPARE(WindowFixture::cell(m_window, 2, 100), QStringLiteral("1"));
    QCOMPARE(WindowFixture::cell(m_window, 0, 100), QStringLiteral("100"));
  }

 private:
  std::unique_ptr<WindowFixture> m_fixture;
  Form9* m_window = nullptr;
};

QTEST_MAIN(FrameTest)
#include "FrameTest.moc"
