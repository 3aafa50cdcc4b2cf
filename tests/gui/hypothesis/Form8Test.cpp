// The asymptotic test window: activation per mode, the hypothesis questions, the checks before
// a test, the input modes, the decisions and the refusals that leave no conclusion.
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <cmath>

#include "core/tables/Quantiles.h"
#include "gui/hypothesis/Form8.h"
#include "gui/frame/SampleGrid.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

// The texts of `count` cells, each `text`.
QStringList Repeated(const QString& text, int count) {
  QStringList texts;
  for (int i = 0; i < count; ++i) texts << text;
  return texts;
}

QStringList Numbers(std::initializer_list<double> values) {
  QStringList texts;
  for (double v : values) texts << QString::number(v, 'g', 17);
  return texts;
}

}  // namespace

class Form8Test : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  void activationSetsTitleListAndInputModes_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("list");
    QTest::addColumn<bool>("countsAllowed");
    QTest::newRow("0-1") << 1 << "0-1分布" << "Combo1" << true;
    QTest::newRow("binomial") << 2 << "二项分布" << "Combo1" << true;
    QTest::newRow("poisson") << 3 << "泊松分布" << "Combo2" << true;
    QTest::newRow("exponential") << 4 << "指数分布" << "Combo3" << false;
    QTest::newRow("normality") << 5 << "偏度,峰度检验" << "Combo4" << false;
  }
  void activationSetsTitleListAndInputModes() {
    QFETCH(int, mode);
    QFETCH(QString, title);
    QFETCH(QString, list);
    QFETCH(bool, countsAllowed);
    Form8* w = open(mode);
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(w->findChild<QRadioButton*>("Option2")->isEnabled(), countsAllowed);
    QCOMPARE(w->cells().rows(), 2);
    QCOMPARE(WindowFixture::cell(w, 1, 0), QStringLiteral("样本数据 "));
    QStringList visible;
    for (QComboBox* box : w->findChildren<QComboBox*>())
      if (box->isVisible()) visible << box->objectName();
    QVERIFY(visible.isEmpty());
    WindowFixture::click(w, "Command2");
    for (QComboBox* box : w->findChildren<QComboBox*>())
      if (box->isVisible()) visible << box->objectName();
    QCOMPARE(visible, QStringList{list});
    QCOMPARE(w->findChild<QComboBox*>(list)->placeholderText(), QStringLiteral("假设选择"));
    QVERIFY(m_fixture->dialogs.prompts.isEmpty());
  }

  void questionsRepeatUntilValid_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("answers");  // the last one of each question is valid
    QTest::addColumn<QStringList>("prompts");
    QTest::addColumn<QString>("h0");
    QTest::addColumn<QString>("h1");
    QTest::addColumn<int>("trials");
    // An empty answer (OK on an empty box) reads as 0 and is asked again.
    QTest::newRow("rho0") << 1 << 0 << QStringList{"0", "1", "1.5", "abc", "", "0.3"}
                          << Repeated("输入ρ0值", 6) << "ρ＝ρ0=0.3" << "ρ＞ρ0 =0.3" << 0;
    QTest::newRow("rho0 then N") << 2 << 2 << QStringList{"0.25", "1", "", "40000", "1.6"}
                                 << (Repeated("输入ρ0值", 1) + Repeated("输入N值", 4))
                                 << "ρ＝ρ0=0.25" << "ρ≠ρ0=0.25" << 2;
    QTest::newRow("lambda0") << 3 << 1 << QStringList{"-1", "0", "", "1e999", "4"}
                             << Repeated("输入λ0值", 5) << "λ＝λ0=4" << "λ＜λ0=4" << 0;
    QTest::newRow("theta0") << 4 << 0 << QStringList{"0", "2.50"} << Repeated("输入θ", 2)
                            << "θ＝θ0=2.5" << "θ>θ0=2.5" << 0;
    QTest::newRow("normality") << 5 << 0 << QStringList{} << QStringList{} << "服从正态分布"
                               << "不服从正态分布" << 0;
  }
  void questionsRepeatUntilValid() {
    QFETCH(int, mode);
    QFETCH(int, position);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, prompts);
    QFETCH(QString, h0);
    QFETCH(QString, h1);
    QFETCH(int, trials);
    Form8* w = open(mode);
    choose(w, position, answers);
    QCOMPARE(m_fixture->dialogs.prompts, prompts);
    QCOMPARE(m_fixture->dialogs.pendingAnswers(), 0);
    QCOMPARE(WindowFixture::label(w, "Label7"), h0);
    QCOMPARE(WindowFixture::label(w, "Label9"), h1);
    QCOMPARE(w->trialCount(), trials);
    for (QComboBox* box : w->findChildren<QComboBox*>()) QVERIFY(!box->isVisible());
  }

  // 取消 (or Esc) on either question ends the choice: the earlier pick, value, N and captions stay.
  void cancellingAQuestionKeepsTheEarlierChoice_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("first");      // answers of the choice that stands
    QTest::addColumn<QStringList>("beforeCancel");  // answers given before 取消 on the next choice
    QTest::addColumn<QString>("h0");
    QTest::addColumn<int>("trials");
    QTest::newRow("rho0") << 1 << QStringList{"0.3"} << QStringList{} << "ρ＝ρ0=0.3" << 0;
    QTest::newRow("lambda0 after an answer out of range") << 3 << QStringList{"4"} << QStringList{"-1"}
                                                         << "λ＝λ0=4" << 0;
    QTest::newRow("N after a new rho0") << 2 << QStringList{"0.25", "5"} << QStringList{"0.5", "1"}
                                        << "ρ＝ρ0=0.25" << 5;
  }
  void cancellingAQuestionKeepsTheEarlierChoice() {
    QFETCH(int, mode);
    QFETCH(QStringList, first);
    QFETCH(QStringList, beforeCancel);
    QFETCH(QString, h0);
    QFETCH(int, trials);
    Form8* w = open(mode);
    choose(w, 0, first);
    const QString value = w->hypothesisValue();
    for (const QString& answer : beforeCancel) m_fixture->dialogs.queueAnswer(answer);
    m_fixture->dialogs.queueCancel();
    choose(w, 2, {});
    QCOMPARE(m_fixture->dialogs.pendingAnswers(), 0);
    QCOMPARE(m_fixture->dialogs.unansweredQuestions, 0);
    QCOMPARE(WindowFixture::label(w, "Label7"), h0);
    QCOMPARE(w->hypothesisValue(), value);
    QCOMPARE(w->trialCount(), trials);
    QCOMPARE(ModeList(w)->currentIndex(), 0);
    QVERIFY(m_fixture->messageTexts().isEmpty());
    // 取消 on the first choice of a window leaves no hypothesis at all.
    Form8* fresh = open(mode);
    m_fixture->dialogs.queueCancel();
    choose(fresh, 1, {});
    QCOMPARE(WindowFixture::label(fresh, "Label7"), QString());
    QCOMPARE(ModeList(fresh)->currentIndex(), -1);
  }

  void checksRunInOrderAndKeepTheLastConclusion() {
    Form8* w = open(1);
    // Nothing set at all: the sample is asked for first, then the hypothesis.
    WindowFixture::click(w, "Command1");
    WindowFixture::fill(w, 1, {"1"});
    WindowFixture::click(w, "Command1");
    choose(w, 0, {"0.5"});
    WindowFixture::click(w, "Command1");
    WindowFixture::fill(w, 1, {"1", "0", "1"});
    WindowFixture::click(w, "Command1");
    QCOMPARE(m_fixture->messageTexts(),
             (QStringList{"请先输入样本数据", "尚未设定假设命题", "样本量太小", "置信水平数据缺乏"}));
    WindowFixture::typeAndLeave(w, "Text2", "0.05");
    WindowFixture::click(w, "Command1");
    QCOMPARE(WindowFixture::label(w, "Label12"), QStringLiteral("接受原假设 H0"));
    // The size check counts the repeats in input mode two: 0.9 and 1.9 make a sample of 1.
    m_fixture->dialogs.queueChoice(QStringLiteral("是"));
    chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, {"1", "0"});
    WindowFixture::fill(w, 2, {"0.9", "1.9"});
    WindowFixture::click(w, "Command1");
    QCOMPARE(m_fixture->messageTexts().mid(4), QStringList{"样本量太小"});
    QCOMPARE(WindowFixture::label(w, "Label12"), QStringLiteral("接受原假设 H0"));
  }

  void repeatCountsTakeARowOfTheirOwn() {
    Form8* w = open(1);
    WindowFixture::fill(w, 1, {"1"});
    m_fixture->dialogs.queueChoice(QStringLiteral("是"));
    chooseInputMode(w, InputMode::Two);
    QCOMPARE(w->cells().rows(), 3);
    QCOMPARE(WindowFixture::cell(w, 2, 0), QStringLiteral("重复数 "));
    QCOMPARE(WindowFixture::cell(w, 1, 1), QString());
    chooseInputMode(w, InputMode::One);
    QCOMPARE(w->cells().rows(), 2);
    QCOMPARE(WindowFixture::cell(w, 1, 0), QStringLiteral("样本数据 "));
  }

  void decisionsOfEachTest_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("counts");  // empty: input mode one
    QTest::addColumn<QString>("alpha");
    QTest::addColumn<QString>("accepts");     // per hypothesis position 0, 1, 2: 1 accepts H0
    // Mean 0.6: beyond 0.5 + 1.64·0.05 but inside 0.5 + 2.33·0.05.
    QTest::newRow("0-1, alpha 0.05") << 1 << QStringList{"0.5"} << QStringList{"0", "1"}
                                     << QStringList{"40", "60"} << "0.05" << "010";
    QTest::newRow("0-1, alpha 0.01") << 1 << QStringList{"0.5"} << QStringList{"0", "1"}
                                     << QStringList{"40", "60"} << "0.01" << "111";
    // N = 10, rho0 = 0.3, n = 20, mean 3 = the centre N·rho0.
    QTest::newRow("binomial at the centre") << 2 << QStringList{"0.3", "10"} << QStringList{"3"}
                                            << QStringList{"20"} << "0.05" << "111";
    // lambda0 = 4, n = 16: e = 0.5; mean 78/16 = 4.875 lies between 4 + 1.64·0.5 and 4 + 1.96·0.5.
    QTest::newRow("poisson") << 3 << QStringList{"4"} << QStringList{"4", "5"}
                             << QStringList{"2", "14"} << "0.05" << "011";
    // theta0 = 2, n = 25: e = 0.4; mean 2.7 lies between 2 + 1.64·0.4 and 2 + 1.96·0.4.
    QTest::newRow("exponential") << 4 << QStringList{"2"} << Repeated("2.7", 25) << QStringList{}
                                 << "0.05" << "011";
  }
  void decisionsOfEachTest() {
    QFETCH(int, mode);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, values);
    QFETCH(QStringList, counts);
    QFETCH(QString, alpha);
    QFETCH(QString, accepts);
    Form8* w = open(mode);
    if (!counts.isEmpty()) chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, values);
    WindowFixture::fill(w, 2, counts);
    WindowFixture::typeAndLeave(w, "Text2", alpha);
    QString decided;
    for (int position = 0; position < 3; ++position) {
      choose(w, position, answers);
      WindowFixture::click(w, "Command1");
      decided += WindowFixture::label(w, "Label12") == QStringLiteral("接受原假设 H0") ? '1' : '0';
    }
    QCOMPARE(decided, accepts);
    QVERIFY(m_fixture->dialogs.messages.empty());
  }

  void skewnessKurtosisDecisions_data() {
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("conclusion");
    // 1..10: g1 = 0, u2 ≈ 0.899 < z(0.9875) ≈ 2.24.
    QTest::newRow("1 to 10") << Numbers({1, 2, 3, 4, 5, 6, 7, 8, 9, 10}) << "接受原假设 H0";
    // Nine 1s and a 100: u1 ≈ 4.60, u2 ≈ 7.49.
    QTest::newRow("one outlier") << (Repeated("1", 9) << "100") << "接受备选假设 H1";
  }
  void skewnessKurtosisDecisions() {
    QFETCH(QStringList, values);
    QFETCH(QString, conclusion);
    App().program.settings.sampleLimit = 201;
    Form8* w = open(5);
    choose(w, 0, {});
    WindowFixture::typeAndLeave(w, "Text2", "0.05");
    WindowFixture::fill(w, 1, values);
    // Values beyond column 100 are not part of the test.
    WindowFixture::fill(w, 1, Repeated("1000", 50), 101);
    WindowFixture::click(w, "Command1");
    QCOMPARE(WindowFixture::label(w, "Label12"), conclusion);
    QVERIFY(m_fixture->dialogs.messages.empty());
    QVERIFY2(w->statusLine()->text().startsWith(QStringLiteral("u₁ = ")), qPrintable(w->statusLine()->text()));
  }

  // Each refusal by a test shows its message and leaves no conclusion, not even the last one.
  void refusalsLeaveNoConclusion_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("message");
    QTest::newRow("9 values for normality") << 5 << QStringList{}
                                            << Numbers({1, 2, 3, 4, 5, 6, 7, 8, 9})
                                            << "样本量太少数据错误";
    QTest::newRow("0-1 value 2") << 1 << QStringList{"0.5"} << QStringList{"0", "1", "2"}
                                 << "数据超范围";
    QTest::newRow("binomial above N") << 2 << QStringList{"0.5", "10"} << QStringList{"3", "11"}
                                      << "数据超范围";
    QTest::newRow("poisson fraction") << 3 << QStringList{"2"} << QStringList{"1", "1.5"}
                                      << "数据超范围";
    QTest::newRow("exponential negative") << 4 << QStringList{"2"} << QStringList{"1", "-1"}
                                          << "数据超范围";
  }
  void refusalsLeaveNoConclusion() {
    QFETCH(int, mode);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, values);
    QFETCH(QString, message);
    Form8* w = open(mode);
    choose(w, 0, answers);
    WindowFixture::typeAndLeave(w, "Text2", "0.05");
    // A valid sample first, so that a conclusion stands before the refused one.
    WindowFixture::fill(w, 1, mode == 5 ? Numbers({1, 2, 3, 4, 5, 6, 7, 8, 9, 10})
                                        : QStringList{"1", "1", "0"});
    WindowFixture::click(w, "Command1");
    QVERIFY(!WindowFixture::label(w, "Label12").isEmpty());
    QVERIFY(m_fixture->dialogs.messages.empty());

    WindowFixture::fill(w, 1, Repeated("", 10));
    WindowFixture::fill(w, 1, values);
    WindowFixture::click(w, "Command1");
    QCOMPARE(m_fixture->messageTexts(), QStringList{message});
    QCOMPARE(m_fixture->dialogs.messages[0].title, QStringLiteral("数据检查"));
    QCOMPARE(WindowFixture::label(w, "Label12"), QString());
  }

 private:
  Form8* open(int mode) { return m_fixture->open<Form8>(WindowClass::Form8, QString(), mode); }

  // Clicks the option's indicator: the middle of the box may lie beyond the short caption
  // "重复数据", where a click does not count.
  static void chooseInputMode(Form8* w, InputMode mode) {
    auto* option = w->findChild<QRadioButton*>(mode == InputMode::One ? "Option1" : "Option2");
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
  }

  // Shows the mode's list and picks the item at `position`, answering its questions.
  void choose(Form8* w, int position, const QStringList& answers) {
    for (const QString& answer : answers) m_fixture->dialogs.queueAnswer(answer);
    WindowFixture::click(w, "Command2");
    for (QComboBox* box : w->findChildren<QComboBox*>())
      if (box->isVisible()) WindowFixture::chooseItem(w, box->objectName(), position);
  }

  // The list of the window's mode.
  static QComboBox* ModeList(Form8* w) {
    return w->findChild<QComboBox*>(w->analysisMode() == 3 ? "Combo2" : "Combo1");
  }

  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(Form8Test)
#include "Form8Test.moc"
