// The normal-population interval window: activation per mode family, the chain of the level and
// known-value boxes, summary entry, the nine computations, decorated labels and the refusals.
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "gui/estimation/Form3a.h"
#include "gui/frame/SampleGrid.h"
#include "gui/frame/ValueLabel.h"
#include "gui/app/MainWindow.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

Q_DECLARE_METATYPE(kelvo::InputMode)

namespace {

const QColor kRed(255, 0, 0);
const QColor kGrey(192, 192, 192);  // 12632256

QColor Background(AnalysisWindow* w, const char* box) {
  return w->findChild<QLineEdit*>(QString::fromLatin1(box))->palette().color(QPalette::Base);
}

QLineEdit* Box(AnalysisWindow* w, const char* name) {
  return w->findChild<QLineEdit*>(QString::fromLatin1(name));
}

// The six result captions, Label3 Label5 Label8 Label18 Label11 Label13.
QStringList Results(AnalysisWindow* w) {
  QStringList shown;
  for (const char* name : {"Label3", "Label5", "Label8", "Label18", "Label11", "Label13"})
    shown << WindowFixture::label(w, name);
  return shown;
}

}  // namespace

class Form3aTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  void activationLaysOutTheMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QString>("known1");
    QTest::addColumn<QString>("known2");
    QTest::addColumn<int>("rows");
    QTest::newRow("1 mean, sigma known") << 1 << "单个正态分布区间估计(σ已知)" << "μ" << "输入样本的σ值" << "" << 2;
    QTest::newRow("2 mean") << 2 << "单个正态分布区间估计(σ未知)" << "μ" << "" << "" << 2;
    QTest::newRow("3 sigma, mean known") << 3 << "单个正态分布区间估计(μ已知)" << "σ" << "输入样本的μ值" << "" << 2;
    QTest::newRow("4 sigma") << 4 << "单个正态分布区间估计(μ未知)" << "σ" << "" << "" << 2;
    QTest::newRow("5 difference, sigmas known") << 5 << "两个正态分布区间估计(σ1已知,σ2已知)" << "μ1-μ2"
                                                << "输入样本的σ1值" << "输入样本的σ2值" << 3;
    QTest::newRow("6 difference, equal sigmas") << 6 << "两个正态分布区间估计(σ1未知,σ2未知,σ1=σ2)"
                                                << "μ1-μ2" << "" << "" << 3;
    QTest::newRow("7 difference") << 7 << "两个正态分布区间估计(σ1未知,σ2未知)" << "μ1-μ2" << "" << "" << 3;
    QTest::newRow("8 ratio, means known") << 8 << "两个正态分布区间估计(μ1已知,μ2已知)" << "σ1/σ2"
                                          << "输入样本的μ1值" << "输入样本的μ2值" << 3;
    QTest::newRow("9 ratio") << 9 << "两个正态分布区间估计(μ1未知,μ2未知)" << "σ1/σ2" << "" << "" << 3;
  }
  void activationLaysOutTheMode() {
    QFETCH(int, mode);
    QFETCH(QString, caption);
    QFETCH(QString, symbol);
    QFETCH(QString, known1);
    QFETCH(QString, known2);
    QFETCH(int, rows);
    auto* w = m_fixture->open<Form3a>(WindowClass::Form3a, QString(), mode);
    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(WindowFixture::label(w, "Label6"), QStringLiteral("双侧置信 ") + symbol);
    QCOMPARE(WindowFixture::label(w, "Label9"), QStringLiteral("单侧置信 ") + symbol);
    QCOMPARE(WindowFixture::label(w, "Label16"), known1);
    QCOMPARE(WindowFixture::label(w, "Label17"), known2);
    QCOMPARE(Box(w, "Text3")->isVisible(), !known1.isEmpty());
    QCOMPARE(Box(w, "Text4")->isVisible(), !known2.isEmpty());
    QCOMPARE(w->cells().rows(), rows);
    QCOMPARE(WindowFixture::cell(w, 1, 0), QStringLiteral("样本一 "));
    if (rows == 3) QCOMPARE(WindowFixture::cell(w, 2, 0), QStringLiteral("样本二"));
    QCOMPARE(QApplication::focusWidget(), Box(w, "Text2"));
    QCOMPARE(w->findChild<QRadioButton*>(QStringLiteral("Option2"))->text(), QStringLiteral("输入中间值"));
    // A second activation adds nothing.
    WindowFixture::activate(m_fixture->mainWindow());
    WindowFixture::activate(w);
    QCOMPARE(w->cells().rows(), rows);
  }

  void levelBoxAcceptsEveryLevelAndMovesOnOnlyToAVisibleBox() {
    auto* w = m_fixture->open<Form3a>(WindowClass::Form3a, QString(), 2);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{});
    QCOMPARE(Box(w, "Text2")->text(), QStringLiteral("0.95"));
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("1.5"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("数据错误")});
    QCOMPARE(Box(w, "Text2")->text(), QString());
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), Box(w, "Text2"));

    auto* withKnown = m_fixture->open<Form3a>(WindowClass::Form3a, QString(), 1);
    WindowFixture::typeAndLeave(withKnown, QStringLiteral("Text2"), QStringLiteral("0.9"));
    QCOMPARE(QApplication::focusWidget(), Box(withKnown, "Text3"));
  }

  void knownValueBoxesCheckTheOrderAndTurnRed() {
    auto* w = m_fixture->open<Form3a>(WindowClass::Form3a, QString(), 5);
    // Text3 before the level: the level box turns red.
    WindowFixture::typeAndLeave(w, QStringLiteral("Text3"), QStringLiteral("2"));
    QCOMPARE(m_fixture->messageTexts().last(), QStringLiteral("请在置信水平输入数据"));
    QCOMPARE(Background(w, "Text2"), kRed);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
    QCOMPARE(Background(w, "Text2"), kGrey);
    // Text4 with Text3 empty: Text3 turns red.
    Box(w, "Text3")->clear();
    WindowFixture::typeAndLeave(w, QStringLiteral("Text4"), QStringLiteral("3"));
    QCOMPARE(m_fixture->messageTexts().last(), QStringLiteral("顺序输入数据"));
    QCOMPARE(Background(w, "Text3"), kRed);
    // Text3 without a number: emptied, the focus kept.
    WindowFixture::typeAndLeave(w, QStringLiteral("Text3"), QStringLiteral("x"));
    QCOMPARE(m_fixture->messageTexts().last(), QStringLiteral("无数据错误"));
    QCOMPARE(Box(w, "Text3")->text(), QString());
    QCOMPARE(Background(w, "Text3"), kGrey);  // the edit turned it grey again
    // Text3 accepted: the focus goes on to Text4; Text4 without a number turns red.
    WindowFixture::typeAndLeave(w, QStringLiteral("Text3"), QStringLiteral("2"));
    QCOMPARE(QApplication::focusWidget(), Box(w, "Text4"));
    const int before = m_fixture->dialogs.messages.size();
    WindowFixture::typeAndLeave(w, QStringLiteral("Text4"), QStringLiteral("-"));
    QCOMPARE(m_fixture->dialogs.messages.size(), before + 1u);
    QCOMPARE(m_fixture->messageTexts().last(), QStringLiteral("无数据错误"));
    QCOMPARE(Box(w, "Text4")->text(), QString());
    QCOMPARE(Background(w, "Text4"), kRed);
    Box(w, "Text4")->setText(QStringLiteral("1"));
    QCOMPARE(Background(w, "Text4"), kGrey);
  }

  void summaryEntryHeadingsWidthsAndMarks_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("marks");  // columns 2 to 4 of each sample row
    QTest::newRow("1") << 1 << QStringList{"", "×", "×"};
    QTest::newRow("2") << 2 << QStringList{"", "×", ""};
    QTest::newRow("3") << 3 << QStringList{"", "", "×"};
    QTest::newRow("4") << 4 << QStringList{"×", "×", ""};
    QTest::newRow("5") << 5 << QStringList{"", "×", "×"};
    QTest::newRow("7") << 7 << QStringList{"", "×", ""};
    QTest::newRow("8") << 8 << QStringList{"", "", "×"};
    QTest::newRow("9") << 9 << QStringList{"×", "×", ""};
  }
  void summaryEntryHeadingsWidthsAndMarks() {
    QFETCH(int, mode);
    QFETCH(QStringList, marks);
    auto* w = m_fixture->open<Form3a>(WindowClass::Form3a, QString(), mode);
    SampleGrid* grid = w->sampleGrid();
    const int plain = grid->columnWidthTwips(1);
    WindowFixture::chooseInputMode(w, InputMode::Two);
    QStringList headings;
    for (int c = 1; c <= 5; ++c) headings << WindowFixture::cell(w, 0, c);
    QCOMPARE(headings, (QStringList{"样本数", "样本均值 ", "样本二阶矩", "样本标准差", ""}));
    // At least 100 twips wider (less the pixel of 15 twips the view rounds to), and wide
    // enough for their headings.
    const QFontMetrics metrics = grid->view()->horizontalHeader()->fontMetrics();
    for (int c : {3, 4}) {
      QVERIFY(grid->columnWidthTwips(c) > plain + 100 - 15);
      QVERIFY(grid->view()->columnWidth(c) > metrics.horizontalAdvance(WindowFixture::cell(w, 0, c)));
    }
    QCOMPARE(grid->columnWidthTwips(2), plain);
    for (int row = 1; row < w->cells().rows(); ++row) {
      QStringList shown;
      for (int c = 2; c <= 4; ++c) shown << WindowFixture::cell(w, row, c);
      QCOMPARE(shown, marks);
      QCOMPARE(WindowFixture::cell(w, row, 1), QString());
    }
    WindowFixture::chooseInputMode(w, InputMode::One);
    QCOMPARE(WindowFixture::cell(w, 0, 3), QStringLiteral("3"));
    QCOMPARE(WindowFixture::cell(w, 1, 2), QString());
    for (int c : {3, 4}) QCOMPARE(grid->columnWidthTwips(c), plain);
  }

  // Worked examples with c = 0.95 and the table values the look-ups return (z = 1.96 and
  // z1 = 1.64 from the normal table's 0.01 grid, t(15) = 2.1314, t1(15) = 1.753,
  // chi-square(9): 19.023, 2.700, 16.919, 3.325; chi-square(3): 9.348, 0.216, 7.815, 0.352;
  // t(18) = 2.1009, t(2) = 4.3027, t1(2) = 2.920, F(9, 9): 4.03 and 3.18); each reference is
  // worked by hand from these values and compared to the shown digit (tolerance 0.0005).
  // A mean or variance typed as "×" is not shown; the upper limit of σ or σ1/σ2 runs from 0.
  void computationsOfEachMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<InputMode>("input");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<QString>("known1");
    QTest::addColumn<QString>("known2");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("1 n=16 mean 10 sigma 2") << 1 << InputMode::Two << QStringList{"16", "10", "×", "×"}
        << QStringList{} << "2" << "" << QStringList{"10.000", "", "(9.020,", "10.980)", "(-∞,10.820)", "(9.180,∞)"};
    QTest::newRow("2 n=16 mean 10 s 2") << 2 << InputMode::Two << QStringList{"16", "10", "×", "2"}
        << QStringList{} << "" << "" << QStringList{"10.000", "4.000", "(8.934,", "11.066)", "(-∞,10.877)", "(9.123,∞)"};
    QTest::newRow("4 n=10 s 2") << 4 << InputMode::Two << QStringList{"10", "×", "×", "2"} << QStringList{}
        << "" << "" << QStringList{"", "4.000", "(1.376,", "3.651)", "(0,3.290)", "(1.459,∞)"};
    // With μ = x̄ mode 3 is mode 4 on n degrees of freedom with Q = Σ(x − x̄)² = 8.
    QTest::newRow("3 raw 2 4 6, mu 4") << 3 << InputMode::One << QStringList{"2", "4", "6"} << QStringList{}
        << "4" << "" << QStringList{"4.000", "4.000", "(0.925,", "6.086)", "(0,4.767)", "(1.012,∞)"};
    // D = 2, w = sqrt(1/3 + 1/3): 2 -/+ 1.96 w and 2 -/+ 1.64 w.
    QTest::newRow("5 raw, sigmas 1 1") << 5 << InputMode::One << QStringList{"1", "2", "3"}
        << QStringList{"0", "0", "0"} << "1" << "1" << QStringList{"2.000", "1.000", "(0.400,", "3.600)", "(-∞,3.339)", "(0.661,∞)"};
    QTest::newRow("6 n 10 10, D 1, s 2 2") << 6 << InputMode::Two << QStringList{"10", "1", "×", "2"}
        << QStringList{"10", "0", "×", "2"} << "" << "" << QStringList{"1.000", "4.000", "(-0.879,", "2.879)", "(-∞,2.551)", "(-0.551,∞)"};
    // Equal spreads and sizes: ν = 18 as in mode 6.
    QTest::newRow("7 n 10 10, D 1, s 2 2") << 7 << InputMode::Two << QStringList{"10", "1", "×", "2"}
        << QStringList{"10", "0", "×", "2"} << "" << "" << QStringList{"1.000", "4.000", "(-0.879,", "2.879)", "(-∞,2.551)", "(-0.551,∞)"};
    // B = 0: every bound 0.
    QTest::newRow("8 raw, second without spread") << 8 << InputMode::One << QStringList{"1", "2", "3"}
        << QStringList{"5", "5", "5"} << "0" << "5" << QStringList{"2.000", "1.000", "(0.000,", "0.000)", "(0,0.000)", "(0.000,∞)"};
    QTest::newRow("9 n 10 10, s 2 2") << 9 << InputMode::Two << QStringList{"10", "×", "×", "2"}
        << QStringList{"10", "×", "×", "2"} << "" << "" << QStringList{"", "4.000", "(0.498,", "2.007)", "(0,1.783)", "(0.561,∞)"};
  }
  void computationsOfEachMode() {
    QFETCH(int, mode);
    QFETCH(InputMode, input);
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QString, known1);
    QFETCH(QString, known2);
    QFETCH(QStringList, shown);
    auto* w = m_fixture->open<Form3a>(WindowClass::Form3a, QString(), mode);
    if (input == InputMode::Two) WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, first);
    if (!second.isEmpty()) WindowFixture::fill(w, 2, second);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
    if (!known1.isEmpty()) WindowFixture::typeAndLeave(w, QStringLiteral("Text3"), known1);
    if (!known2.isEmpty()) WindowFixture::typeAndLeave(w, QStringLiteral("Text4"), known2);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{});
    QCOMPARE(Results(w), shown);
  }

  void decoratedLabelsKeepTheirDecorationsWhenReformatted() {
    auto* w = m_fixture->open<Form3a>(WindowClass::Form3a, QString(), 2);
    WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, {"16", "10", "×", "2"});
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    WindowFixture::toolbar(w, QStringLiteral("放大"));
    for (const char* name : {"Label8", "Label18", "Label11", "Label13"})
      WindowFixture::clickLabel(w, QString::fromLatin1(name));
    const QStringList wider = Results(w).mid(2);
    // t = 2.1314 and t1 = 1.753 from the t table: 10 -/+ 1.0657 and 10 -/+ 0.8765.
    QCOMPARE(wider, (QStringList{"(8.9343,", "11.0657)", "(-∞,10.8765)", "(9.1235,∞)"}));
    WindowFixture::toolbar(w, QStringLiteral("缩小"));
    for (int i = 0; i < 3; ++i) WindowFixture::clickLabel(w, QStringLiteral("Label13"));
    QCOMPARE(WindowFixture::label(w, "Label13"), QStringLiteral("(9.1,∞)"));
    WindowFixture::clickLabel(w, QStringLiteral("Label13"));
    QCOMPARE(WindowFixture::label(w, "Label13"), QStringLiteral("(9.,∞)"));
    WindowFixture::clickLabel(w, QStringLiteral("Label13"));
    QCOMPARE(WindowFixture::label(w, "Label13"), QStringLiteral("(9.1,∞)"));
  }

  void refusalsEndInAMessageAndNoResult_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<InputMode>("input");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("known1");
    QTest::addColumn<QString>("message");
    QTest::newRow("two observations") << 2 << InputMode::One << QStringList{"1", "2"} << QStringList{}
                                      << "0.95" << "" << "样本量错误";
    QTest::newRow("second sample of two") << 6 << InputMode::One << QStringList{"1", "2", "3"}
                                          << QStringList{"1", "2"} << "0.95" << "" << "样本量错误";
    QTest::newRow("summary without size") << 2 << InputMode::Two << QStringList{"", "1", "×", "2"}
                                          << QStringList{} << "0.95" << "" << "样本量太小";
    QTest::newRow("no level") << 2 << InputMode::One << QStringList{"1", "2", "3"} << QStringList{}
                              << "" << "" << "置信水平数据缺乏";
    QTest::newRow("sigma never entered") << 1 << InputMode::One << QStringList{"1", "2", "3"}
                                         << QStringList{} << "0.95" << "" << "无数据错误";
    QTest::newRow("second sigma never entered") << 5 << InputMode::One << QStringList{"1", "2", "3"}
                                                << QStringList{"1", "2", "3"} << "0.95" << "1" << "无数据错误";
    QTest::newRow("second s of 0 in mode 7") << 7 << InputMode::Two << QStringList{"10", "1", "×", "2"}
                                             << QStringList{"10", "1", "×", "0"} << "0.95" << ""
                                             << "样本二的标准差为0,无法计算该区间";
  }
  void refusalsEndInAMessageAndNoResult() {
    QFETCH(int, mode);
    QFETCH(InputMode, input);
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QString, level);
    QFETCH(QString, known1);
    QFETCH(QString, message);
    auto* w = m_fixture->open<Form3a>(WindowClass::Form3a, QString(), mode);
    if (input == InputMode::Two) WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, first);
    if (!second.isEmpty()) WindowFixture::fill(w, 2, second);
    Box(w, "Text2")->setText(level);
    if (!known1.isEmpty()) WindowFixture::typeAndLeave(w, QStringLiteral("Text3"), known1);
    m_fixture->dialogs.messages.clear();
    w->computeClicked();  // the button's handler, without leaving a box on the way
    QCOMPARE(m_fixture->messageTexts(), QStringList{message});
    QCOMPARE(m_fixture->dialogs.messages[0].title, QStringLiteral("数据检查"));
    QCOMPARE(m_fixture->dialogs.messages[0].icon, MessageIcon::Stop);
    QCOMPARE(Results(w), QStringList(6, QString()));
  }

  void anEditedKnownValueCountsOnlyOnceTheBoxIsLeft() {
    auto* w = m_fixture->open<Form3a>(WindowClass::Form3a, QString(), 1);
    WindowFixture::fill(w, 1, {"1", "2", "3"});
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
    WindowFixture::typeAndLeave(w, QStringLiteral("Text3"), QStringLiteral("1"));
    w->computeClicked();
    const QStringList first = Results(w);
    Box(w, "Text3")->clear();  // emptied, not yet left
    w->computeClicked();
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("无数据错误")});
    QCOMPARE(Results(w), first);  // the earlier results stay
  }

 private:
  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(Form3aTest)
#include "Form3aTest.moc"
