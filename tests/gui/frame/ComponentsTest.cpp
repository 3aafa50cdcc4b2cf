// The frame's components on their own: two grids in one window, validated boxes in a chain,
// decorated result labels, repeating questions, the guard around the compute button and the
// status line.
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>
#include <stdexcept>

#include "core/text/Errors.h"
#include "core/settings/ProgramState.h"
#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/SampleGrid.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/frame/ValueLabel.h"
#include "gui/common/ControlLayout.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

// A window with a second grid and its own editor, and a compute button that fails on demand.
class TwoGridWindow : public AnalysisWindow {
 public:
  TwoGridWindow() : AnalysisWindow(FrameOptions{}) {
    setObjectName(QStringLiteral("TwoGridWindow"));
    auto* panel = new QWidget(surface());
    PlaceControl(panel, 3000, 2190, 8000, 1800);
    second = addGrid(QStringLiteral("MSFlexGrid2"), QStringLiteral("Text9"), panel, 3, 6);
    PlaceControl(second->view(), 0, 0, 7000, 1500);
  }
  SampleGrid* second = nullptr;
  std::function<void()> work;

 protected:
  void compute() override {
    if (work) work();
  }
};

void ClickCell(SampleGrid* grid, int row, int col) {
  SampleGridView* view = grid->view();
  const QModelIndex index = view->gridModel()->index(row, col);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, view->visualRect(index).center());
}

}  // namespace

class ComponentsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    m_fixture = std::make_unique<WindowFixture>();
    m_window = new TwoGridWindow;
    m_window->show();
    WindowFixture::activate(m_window);
  }
  void cleanup() {
    delete m_window;
    m_fixture.reset();
  }

  void eachGridEditsItsOwnCells() {
    ClickCell(m_window->second, 1, 2);
    QVERIFY(m_window->second->editor()->isVisible());
    QTest::keyClicks(m_window->second->editor(), QStringLiteral("7.5"));
    QCOMPARE(QString::fromStdString(m_window->second->cells().text(1, 2)), QStringLiteral("7.5"));
    QCOMPARE(QString::fromStdString(m_window->cells().text(1, 2)), QString());

    ClickCell(m_window->sampleGrid(), 1, 1);
    QTest::keyClicks(m_window->editor(), QStringLiteral("3"));
    QCOMPARE(WindowFixture::cell(m_window, 1, 1), QStringLiteral("3"));
    QCOMPARE(QString::fromStdString(m_window->second->cells().text(1, 1)), QString());
  }

  void editorCommitsToTheCellItWasOpenedOn() {
    ClickCell(m_window->sampleGrid(), 1, 1);
    // The current cell moves (a key on the grid would do it) while the editor stays open.
    m_window->grid()->setCurrentIndex(m_window->grid()->gridModel()->index(1, 4));
    QTest::keyClicks(m_window->editor(), QStringLiteral("9"));
    QCOMPARE(WindowFixture::cell(m_window, 1, 1), QStringLiteral("9"));
    QCOMPARE(WindowFixture::cell(m_window, 1, 4), QString());
  }

  void editCommandsActOnTheFocusedGrid() {
    WindowFixture::fill(m_window, 1, {"1", "2", "3"});
    ClickCell(m_window->sampleGrid(), 1, 1);
    WindowFixture::selectBlock(m_window, 1, 1, 1, 1, 1, 3);
    WindowFixture::toolbar(m_window, QStringLiteral("复制"));
    QCOMPARE(QString::fromStdString(App().program.copyBuffer), QStringLiteral("1\t2\t3"));

    ClickCell(m_window->second, 2, 1);
    QCOMPARE(m_window->activeGrid(), m_window->second);
    WindowFixture::toolbar(m_window, QStringLiteral("粘贴"));
    const CellStore& second = m_window->second->cells();
    QCOMPARE(QString::fromStdString(second.text(2, 1) + second.text(2, 2) + second.text(2, 3)),
             QStringLiteral("123"));
    QCOMPARE(WindowFixture::cell(m_window, 2, 1), QString());  // the first grid is untouched

    m_window->second->view()->setCurrentIndex(m_window->second->model()->index(2, 2));
    m_window->findChild<QAction*>(QStringLiteral("menudelete"))->trigger();
    QCOMPARE(QString::fromStdString(second.text(2, 2)), QString());
    QCOMPARE(WindowFixture::cell(m_window, 1, 2), QStringLiteral("2"));
  }

  void validatedBoxesFormAChain() {
    auto* level = new ValidatedBox(m_window);
    auto* known = new ValidatedBox(m_window);
    auto* other = new ValidatedBox(m_window);
    for (QLineEdit* box : {static_cast<QLineEdit*>(level), static_cast<QLineEdit*>(known),
                           static_cast<QLineEdit*>(other)})
      box->show();
    QString accepted;
    level->addCheck({[level] { return level->value() > 0 && level->value() < 1; },
                     QStringLiteral("数据错误"), ValidatedBox::Clear | ValidatedBox::KeepFocus})
        .setNext(known);
    known->addCheck({[level] { return level->isNumeric(); }, QStringLiteral("请在置信水平输入数据"),
                     ValidatedBox::MarkRed, level})
        .onAccepted([&accepted](const QString& text) { accepted = text; });

    level->setText(QStringLiteral("0.95"));
    QVERIFY(level->validate());
    QCOMPARE(QApplication::focusWidget(), known);

    level->setText(QStringLiteral("1.5"));
    QVERIFY(!level->validate());
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("数据错误")});
    QCOMPARE(level->text(), QString());
    QCoreApplication::processEvents();  // the focus comes back after the move under way
    QCOMPARE(QApplication::focusWidget(), level);

    // A failed check may turn another box red; an edit turns it light grey again.
    known->setText(QStringLiteral("4"));
    QVERIFY(!known->validate());
    QCOMPARE(level->palette().color(QPalette::Base), QColor(255, 0, 0));
    QVERIFY(accepted.isEmpty());
    level->setText(QStringLiteral("0.9"));
    QCOMPARE(level->palette().color(QPalette::Base), QColor(192, 192, 192));
    QVERIFY(known->validate());
    QCOMPARE(accepted, QStringLiteral("4"));
  }

  void decoratedLabelsKeepTheirDecorationsOnReformat() {
    auto* lower = new ValueLabel(m_window);
    lower->setDecorations(QStringLiteral("("), QStringLiteral(","));
    auto* upper = new ValueLabel(m_window);
    upper->setDecorations(QStringLiteral("(-∞,"), QStringLiteral(")"));
    lower->showValue(8.93428);
    upper->showValue(-10.87655);
    QCOMPARE(lower->text(), QStringLiteral("(8.934,"));
    QCOMPARE(upper->text(), QStringLiteral("(-∞,-10.877)"));
    lower->reformat(1);
    upper->reformat(-1);
    QCOMPARE(lower->text(), QStringLiteral("(8.9343,"));
    QCOMPARE(upper->text(), QStringLiteral("(-∞,-10.88)"));
    lower->reformat(0);
    QCOMPARE(lower->text(), QStringLiteral("(8.9343,"));
    lower->clearValue();
    lower->reformat(1);
    QCOMPARE(lower->text(), QString());
  }

  void questionsRepeatUntilAnswered() {
    m_fixture->dialogs.queueAnswer(QStringLiteral("0"));
    m_fixture->dialogs.queueCancel();
    m_fixture->dialogs.queueAnswer(QStringLiteral("abc"));
    m_fixture->dialogs.queueAnswer(QStringLiteral("6.5"));
    const double n = AskNumberUntil(m_window, QStringLiteral("输入N值"), QString(),
                                    [](double v) { return v >= 1; }, true);
    QCOMPARE(n, 6.0);  // halves to even
    QCOMPARE(m_fixture->dialogs.prompts.size(), 4);
    QVERIFY(m_fixture->dialogs.messages.empty());
  }

  void noExceptionLeavesTheComputeButton() {
    WindowFixture::fill(m_window, 1, {QStringLiteral("1")});
    m_window->work = [] { throw InputError("样本量太小"); };
    WindowFixture::click(m_window, QStringLiteral("Command1"));
    // A fault of the program is no message for the user: its own text stays out of the box.
    m_window->work = [] { throw std::out_of_range("vector::at"); };
    QTest::ignoreMessage(QtWarningMsg, "计算出错: vector::at");
    WindowFixture::click(m_window, QStringLiteral("Command1"));
    m_window->work = [] { throw 42; };
    WindowFixture::click(m_window, QStringLiteral("Command1"));
    const QString internal = QStringLiteral("计算出错：程序内部错误，请报告此问题。");
    QCOMPARE(m_fixture->messageTexts(), (QStringList{QStringLiteral("样本量太小"), internal, internal}));
    QCOMPARE(m_fixture->dialogs.messages[1].title, QStringLiteral("数据检查"));
  }

  // The compute button computes nothing while no sample cell holds anything typed.
  void anEmptySampleIsNotComputed_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("computed");
    QTest::newRow("nothing") << 1 << QString() << false;
    QTest::newRow("blanks") << 1 << QStringLiteral("  ") << false;
    QTest::newRow("unused summary cell") << 1 << QStringLiteral("×") << false;
    QTest::newRow("heading row") << 0 << QStringLiteral("5") << false;
    QTest::newRow("a number") << 1 << QStringLiteral("5") << true;
    QTest::newRow("a number in row 2") << 2 << QStringLiteral("5") << true;
    QTest::newRow("not a number") << 1 << QStringLiteral("abc") << true;  // the window's checks say why
  }
  void anEmptySampleIsNotComputed() {
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(bool, computed);
    m_window->sampleGrid()->reshape(3, m_window->cells().cols());
    m_window->cells().setText(row, 3, text.toStdString());
    // Whatever another grid holds is no sample of this window.
    m_window->second->cells().setText(1, 1, "4");
    bool ran = false;
    m_window->work = [&ran] { ran = true; };
    WindowFixture::click(m_window, QStringLiteral("Command1"));
    QCOMPARE(ran, computed);
    QCOMPARE(m_fixture->messageTexts(),
             computed ? QStringList() : QStringList{QStringLiteral("请先输入样本数据")});
  }

  // One line of numbers in the status bar: written by a successful computation, emptied by
  // each press of the compute button, marked and greyed while the results are stale.
  void theStatusLineFollowsTheResults() {
    QLabel* line = m_window->statusLine();
    QVERIFY(m_window->statusBar()->isAncestorOf(line));
    WindowFixture::fill(m_window, 1, {QStringLiteral("1")});
    m_window->work = [this] {
      m_window->showSolution(WorkedSolution());
      m_window->showStatusLine("T = 1.2958，p = 0.2427");
    };
    WindowFixture::click(m_window, QStringLiteral("Command1"));
    QCOMPARE(line->text(), QStringLiteral("T = 1.2958，p = 0.2427"));
    const QColor current = line->palette().color(QPalette::WindowText);
    WindowFixture::fill(m_window, 1, {QStringLiteral("2")});
    QCOMPARE(line->text(), QStringLiteral("（已过时）T = 1.2958，p = 0.2427"));
    QVERIFY(line->palette().color(QPalette::WindowText) != current);
    m_window->work = [] { throw InputError("样本量太小"); };
    WindowFixture::click(m_window, QStringLiteral("Command1"));
    QCOMPARE(line->text(), QString());
  }

  // The status bar takes its height from below the surface, not from the surface itself.
  void theSurfaceKeepsItsDesignHeight() {
    QCOMPARE(m_window->centralWidget()->height(), AnalysisWindow::FrameOptions{}.designHeight);
    QVERIFY(m_window->statusBar()->isVisible());
  }

 private:
  std::unique_ptr<WindowFixture> m_fixture;
  TwoGridWindow* m_window = nullptr;
};

QTEST_MAIN(ComponentsTest)
#include "ComponentsTest.moc"
