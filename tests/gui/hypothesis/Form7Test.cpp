// The rank-sum test window from the menu command to the conclusion and its refusals.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>

#include "gui/hypothesis/Form7.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

const QString kAcceptH0 = QStringLiteral("接受原假设 H0");
const QString kAcceptH1 = QStringLiteral("接受备选假设 H1");

QStringList Range(int from, int to, int step = 1) {
  QStringList values;
  for (int v = from; v <= to; v += step) values << QString::number(v);
  return values;
}

}  // namespace

class Form7Test : public QObject {
  Q_OBJECT
 private slots:
  // The normal approximation reads the build's table database.
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  // --- Opening and the controls of the window ---

  void opensWithBothSampleRowsHeaded() {
    Form7* w = open();
    QCOMPARE(w->windowTitle(), QStringLiteral("秩和检验"));
    QCOMPARE(WindowFixture::cell(w, 1, 0), QStringLiteral("样本一 "));
    QCOMPARE(WindowFixture::cell(w, 2, 0), QStringLiteral("样本二"));
    QCOMPARE(WindowFixture::cell(w, 0, 100), QStringLiteral("100"));
    QVERIFY(!w->findChild<QRadioButton*>(QStringLiteral("Option2"))->isVisible());
    QVERIFY(!w->findChild<QComboBox*>(QStringLiteral("Combo1"))->isVisible());
  }

  void option1ClickKeepsTheSamples() {
    // The window's one input mode is the one in force: choosing it again changes nothing.
    Form7* w = open();
    WindowFixture::fill(w, 1, {"1", "2"});
    WindowFixture::fill(w, 2, {"3", "4"});
    WindowFixture::chooseInputMode(w, InputMode::One);
    QCOMPARE(WindowFixture::cell(w, 1, 1), QStringLiteral("1"));
    QCOMPARE(WindowFixture::cell(w, 2, 2), QStringLiteral("4"));
    QCOMPARE(WindowFixture::cell(w, 1, 0), QStringLiteral("样本一 "));
    QCOMPARE(WindowFixture::cell(w, 2, 0), QStringLiteral("样本二"));
    QVERIFY(m_fixture->dialogs.choices.empty());
  }

  void choosingAHypothesisShowsItsTwoHalves_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("h1");
    QTest::newRow("first less") << 0 << "μ1<μ2";
    QTest::newRow("first greater") << 1 << "μ1>μ2";
    QTest::newRow("two-sided") << 2 << "μ1≠μ2";
  }
  void choosingAHypothesisShowsItsTwoHalves() {
    QFETCH(int, entry);
    QFETCH(QString, h1);
    Form7* w = open();
    auto* list = w->findChild<QComboBox*>(QStringLiteral("Combo1"));
    QCOMPARE(list->placeholderText(), QStringLiteral("假设选择"));
    WindowFixture::click(w, QStringLiteral("Command2"));
    QVERIFY(list->isVisible());
    WindowFixture::chooseItem(w, QStringLiteral("Combo1"), entry);
    QVERIFY(!list->isVisible());
    QCOMPARE(WindowFixture::label(w, "Label7"), QStringLiteral("μ1=μ2"));
    QCOMPARE(WindowFixture::label(w, "Label9"), h1);
  }

  // --- Decisions through both branches and every hypothesis ---

  void decidesFromTheTableOrTheNormalApproximation_data() {
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("alpha");
    QTest::addColumn<QString>("conclusion");
    // Table branch, pair (3, 4) with R1 = 1 + 2 + 4 = 7: at α′ = 0.05 the row T1 = 6, T2 = 18
    // (p 0.028) is read, at α′ = 0.06 the row T1 = 7, T2 = 17 (p 0.057).
    const QStringList low{"1", "2", "4"}, high{"3", "5", "6", "7"};
    QTest::newRow("table less, T1=6") << low << high << 0 << "0.05" << kAcceptH0;
    QTest::newRow("table less, T1=7") << low << high << 0 << "0.06" << kAcceptH1;
    QTest::newRow("table greater") << low << high << 1 << "0.06" << kAcceptH0;
    // Two-sided: α = 0.12 looks the table up at 0.06; α = 0.1 at 0.05.
    QTest::newRow("table two-sided 0.12") << low << high << 2 << "0.12" << kAcceptH1;
    QTest::newRow("table two-sided 0.1") << low << high << 2 << "0.1" << kAcceptH0;
    // Sample two is the smaller: W = R2 = 7 of the same pair, the directions turned round.
    QTest::newRow("swapped greater, T1=7") << high << low << 1 << "0.06" << kAcceptH1;
    QTest::newRow("swapped greater, T1=6") << high << low << 1 << "0.05" << kAcceptH0;
    QTest::newRow("swapped less") << high << low << 0 << "0.06" << kAcceptH0;
    // (12, 5) lies beyond the table: all 17 values, R1 = 6 + … + 17 = 138 above
    // 108 + 1.64·√90 = 123.6.
    QTest::newRow("beyond the table") << Range(11, 22) << Range(1, 5) << 1 << "0.05" << kAcceptH1;
    // Normal branch, n1 = 10, n2 = 11: mean 110, σ = √(10·11·(21³ − 21)/(12·21·20)) = 14.20;
    // with z = 1.645 the bounds are 86.6 and 133.4, with z = 1.96 (two-sided) 82.2 and 137.8.
    const QStringList bottom = Range(1, 10), top = Range(11, 21);
    QTest::newRow("normal less, R1=55") << bottom << top << 0 << "0.05" << kAcceptH1;
    QTest::newRow("normal greater, R1=55") << bottom << top << 1 << "0.05" << kAcceptH0;
    QTest::newRow("normal two-sided, R1=55") << bottom << top << 2 << "0.05" << kAcceptH1;
    // Odd values against even ones: R1 = 1 + 3 + … + 19 = 100, inside every bound.
    const QStringList odd = Range(1, 19, 2), even = Range(2, 22, 2);
    QTest::newRow("normal less, R1=100") << odd << even << 0 << "0.05" << kAcceptH0;
    QTest::newRow("normal two-sided, R1=100") << odd << even << 2 << "0.05" << kAcceptH0;
    // R1 = 12 + … + 21 = 165 above 133.4.
    QTest::newRow("normal greater, R1=165") << Range(12, 21) << Range(1, 11) << 1 << "0.05"
                                            << kAcceptH1;
  }
  void decidesFromTheTableOrTheNormalApproximation() {
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(int, entry);
    QFETCH(QString, alpha);
    QFETCH(QString, conclusion);
    Form7* w = open();
    prepare(w, first, second, entry, alpha);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(WindowFixture::label(w, "Label12"), conclusion);
    // The moments panel stays empty in this window.
    QCOMPARE(WindowFixture::label(w, "Label3"), QString());
    QCOMPARE(WindowFixture::label(w, "Label5"), QString());
  }

  // Sample one of 9 against 30 values (worked in RankSumTest): the first ten of sample two
  // alone would keep H0; all of them reject it, and the pane says why the table was not read.
  void everyValueTakesPart() {
    Form7* w = open();
    QStringList second{"54", "58", "62", "66", "68", "72", "76", "80", "82", "84"};
    second << Range(90, 128, 2);
    prepare(w, {"52", "56", "60", "64", "70", "74", "78", "86", "88"}, second, 2, "0.05");
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(WindowFixture::label(w, "Label12"), kAcceptH1);
    const QString pane = w->detailsPane()->plainText();
    QVERIFY2(pane.contains(QStringLiteral("样本量 (9, 30) 不在秩和检验表中")), qPrintable(pane));
    QVERIFY2(pane.contains(kAcceptH1), qPrintable(pane));
  }

  // --- Refusals ---

  void inputChecksReportOneFaultAtATimeInOrder() {
    Form7* w = open();
    QStringList expected;
    auto computeExpecting = [&](const char* message) {
      WindowFixture::click(w, QStringLiteral("Command1"));
      expected << QString::fromUtf8(message);
      QCOMPARE(m_fixture->messageTexts(), expected);
      QCOMPARE(WindowFixture::label(w, "Label12"), QString());
    };
    computeExpecting("请先输入样本数据");
    WindowFixture::fill(w, 1, {"1", "2", "4"});
    computeExpecting("尚未设定假设命题");
    WindowFixture::chooseItem(w, QStringLiteral("Combo1"), 2);
    computeExpecting("样本量太小");
    WindowFixture::fill(w, 2, {"3"});
    computeExpecting("样本量太小");
    WindowFixture::fill(w, 2, {"3", "5", "6", "7"});
    computeExpecting("置信水平数据缺乏");
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.12"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), expected);
    QCOMPARE(WindowFixture::label(w, "Label12"), kAcceptH1);
    QCOMPARE(m_fixture->dialogs.messages.front().title, QStringLiteral("数据检查"));
    QCOMPARE(m_fixture->dialogs.messages.front().icon, MessageIcon::Stop);
  }

  void aRefusedInputKeepsTheLastConclusion() {
    Form7* w = open();
    prepare(w, {"1", "2", "4"}, {"3", "5", "6", "7"}, 0, "0.06");
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(WindowFixture::label(w, "Label12"), kAcceptH1);
    WindowFixture::fill(w, 2, {"", "", ""}, 2);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("样本量太小")});
    QCOMPARE(WindowFixture::label(w, "Label12"), kAcceptH1);
  }

  // Where a conclusion was written although no test was run, the message now stands alone
  // and an earlier conclusion is taken away.
  void faultsOfTheSamplesEndInTheirMessageAndNoConclusion_data() {
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<QString>("message");
    const QString tooSmall = QStringLiteral("样本量太小,秩和检验表无此组合");
    QTest::newRow("sizes 2, 2") << QStringList{"1", "2"} << QStringList{"3", "4"} << tooSmall;
    QTest::newRow("sizes 2, 3") << QStringList{"1", "2"} << QStringList{"3", "4", "5"} << tooSmall;
    QTest::newRow("sizes 3, 2") << QStringList{"3", "4", "5"} << QStringList{"1", "2"} << tooSmall;
    QTest::newRow("sample one 2 2 2 3") << QStringList{"2", "2", "2", "3"}
                                        << QStringList{"4", "5", "6"}
                                        << QStringLiteral("样本一重复数据太多错误");
    QTest::newRow("sample two 5 5 5 6") << QStringList{"1", "2", "3"}
                                        << QStringList{"5", "5", "5", "6"}
                                        << QStringLiteral("样本二重复数据太多错误");
    QTest::newRow("both, sample one first") << QStringList{"2", "2", "2"}
                                            << QStringList{"5", "5", "5"}
                                            << QStringLiteral("样本一重复数据太多错误");
    // Every value is checked: 7 fills half of the first ten but 7 of all 12.
    QTest::newRow("beyond ten values") << QStringList{"1", "2", "3", "4", "5", "7", "7", "7", "7", "7",
                                                      "7", "7"}
                                       << QStringList{"1", "2", "3"}
                                       << QStringLiteral("样本一重复数据太多错误");
  }
  void faultsOfTheSamplesEndInTheirMessageAndNoConclusion() {
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QString, message);
    Form7* w = open();
    prepare(w, {"1", "2", "4"}, {"3", "5", "6", "7"}, 1, "0.05");
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(WindowFixture::label(w, "Label12"), kAcceptH0);
    WindowFixture::selectBlock(w, 1, 1, 1, 1, 2, 20);
    WindowFixture::toolbar(w, QStringLiteral("删除"));
    WindowFixture::fill(w, 1, first);
    WindowFixture::fill(w, 2, second);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{message});
    QCOMPARE(WindowFixture::label(w, "Label12"), QString());
  }

  // --- The click on the window background ---

  void backgroundClickReportsRepeatedValuesAndNothingElse_data() {
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("second");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("sample two repeats") << QStringList{"1", "2", "3"} << QStringList{"5", "5", "6"}
                                        << QStringList{QStringLiteral("样本二重复数据太多错误")};
    QTest::newRow("sample one repeats") << QStringList{"1", "1"} << QStringList{"5", "5", "6"}
                                        << QStringList{QStringLiteral("样本一重复数据太多错误")};
    QTest::newRow("no repeats") << QStringList{"1", "2"} << QStringList{"5", "6"} << QStringList();
    // Sizes the other checks would refuse are no concern of this one.
    QTest::newRow("empty grid") << QStringList() << QStringList() << QStringList();
  }
  void backgroundClickReportsRepeatedValuesAndNothingElse() {
    QFETCH(QStringList, first);
    QFETCH(QStringList, second);
    QFETCH(QStringList, messages);
    Form7* w = open();
    WindowFixture::fill(w, 1, first);
    WindowFixture::fill(w, 2, second);
    clickBackground(w);
    QCOMPARE(m_fixture->messageTexts(), messages);
    QCOMPARE(WindowFixture::label(w, "Label12"), QString());
  }

  void backgroundClickLeavesTheConclusionAlone() {
    Form7* w = open();
    prepare(w, {"1", "2", "4"}, {"3", "5", "6", "7"}, 0, "0.06");
    WindowFixture::click(w, QStringLiteral("Command1"));
    WindowFixture::fill(w, 2, {"3", "3", "3"});
    clickBackground(w);
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("样本二重复数据太多错误")});
    QCOMPARE(WindowFixture::label(w, "Label12"), kAcceptH1);
  }

  void clicksOnControlsAreNotBackgroundClicks() {
    Form7* w = open();
    WindowFixture::fill(w, 1, {"1", "1", "1"});
    // Labels pass their clicks on to the surface below them.
    for (const char* name : {"Label6", "Label15", "Label10", "Label12"})
      QTest::mouseClick(w->findChild<QLabel*>(QString::fromLatin1(name)), Qt::LeftButton);
    QTest::mouseClick(w->findChild<QGroupBox*>(QStringLiteral("Picture3")), Qt::LeftButton);
    QCOMPARE(m_fixture->messageTexts(), QStringList());
  }

  // --- The significance level ---

  void significanceBoxRefusesOnlyWhatIsNoLevel_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");  // empty: left without a word, the text kept
    QTest::newRow("not a number") << "abc" << "请在置信水平输入数据";
    QTest::newRow("one") << "1" << "置信水平应大于0小于1";
    // Nothing typed yet: the compute button reports the missing level.
    QTest::newRow("empty") << "" << "";
    QTest::newRow("blanks") << "  " << "";
  }
  void significanceBoxRefusesOnlyWhatIsNoLevel() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    Form7* w = open();
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), typed);
    QCOMPARE(m_fixture->messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(w->findChild<ValidatedBox*>(QStringLiteral("Text2"))->text(),
             message.isEmpty() ? typed : QString());
  }

 private:
  Form7* open() {
    return m_fixture->open<Form7>(WindowClass::Form7, QStringLiteral("秩和检验"), 0);
  }

  static void prepare(Form7* w, const QStringList& first, const QStringList& second, int entry,
                      const QString& alpha) {
    WindowFixture::fill(w, 1, first);
    WindowFixture::fill(w, 2, second);
    WindowFixture::chooseItem(w, QStringLiteral("Combo1"), entry);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), alpha);
  }

  // A click on the surface where no control lies: the gap right of the input-mode panel.
  static void clickBackground(Form7* w) {
    QWidget* surface = w->findChild<QWidget*>(QStringLiteral("surface"));
    const QRect panel = w->findChild<QGroupBox*>(QStringLiteral("Picture2"))->geometry();
    const QPoint spot(panel.right() + 4, panel.center().y());
    QVERIFY(!surface->childAt(spot));
    QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, spot);
  }

  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(Form7Test)
#include "Form7Test.moc"
