// The parametric test window, driven through its control names as a user would: activation
// per mode, the hypothesis lists and their value questions, the checks of the boxes and of the
// compute button, summary entry, the conclusions, and the faults that end in a message.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "gui/hypothesis/Form4.h"
#include "gui/frame/SampleGrid.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

const QString kH0 = QStringLiteral("接受原假设 H0");
const QString kH1 = QStringLiteral("接受备选假设 H1");

QString ListOf(int mode) {
  static const char* lists[] = {"Combo1", "Combo2", "Combo5", "Combo5", "Combo3",
                                "Combo4", "Combo3", "Combo6", "Combo7"};
  return QString::fromLatin1(lists[mode - 1]);
}

}  // namespace

class Form4Test : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  // ---- activation ----

  void activationAppliesTheMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QString>("prompt1");  // empty: Text3 hidden
    QTest::addColumn<QString>("prompt2");  // empty: Text4 hidden
    QTest::addColumn<QString>("rowTwo");
    QTest::newRow("1 Z") << 1 << "单个正态分布检验μ(σ已知)" << "σ已知，检验μ" << "输入样本的σ值" << "" << "";
    QTest::newRow("2 t") << 2 << "单个正态分布检验μ(σ未知)" << "σ未知，检验μ" << "" << "" << "";
    QTest::newRow("3 chi2 mu known") << 3 << "单个正态分布检验σ(μ已知)" << "μ已知，检验σ" << "输入样本的μ值"
                                     << "" << "";
    QTest::newRow("4 chi2") << 4 << "单个正态分布检验σ(μ未知)" << "μ未知，检验σ" << "" << "" << "";
    QTest::newRow("5 Z two") << 5 << "两个正态分布检验μ1-μ2(σ1已知,σ2已知)" << "σ1已知,σ2已知"
                             << "输入样本的σ1值" << "输入样本的σ2值" << "样本二";
    QTest::newRow("6 pooled") << 6 << "两个正态分布检验μ1-μ2(σ1未知,σ2未知,σ1=σ2)"
                              << "σ1未知,σ2未知,σ1=σ2" << "" << "" << "样本二";
    QTest::newRow("7 welch") << 7 << "两个正态分布检验μ1-μ2(σ1未知,σ2未知)" << "σ1未知,σ2未知" << ""
                             << "" << "样本二";
    QTest::newRow("8 F") << 8 << "两个正态分布检验σ1/σ2(μ1未知,μ2未知)" << "μ1未知,μ2未知" << "" << ""
                         << "样本二";
    QTest::newRow("9 paired") << 9 << "基于成对数据的检验d" << "" << "" << "" << "样本二";
  }
  void activationAppliesTheMode() {
    QFETCH(int, mode);
    QFETCH(QString, title);
    QFETCH(QString, condition);
    QFETCH(QString, prompt1);
    QFETCH(QString, prompt2);
    QFETCH(QString, rowTwo);
    auto* w = open(mode);
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(WindowFixture::label(w, "Label14"), condition);
    QCOMPARE(WindowFixture::label(w, "Label17"), prompt1);
    QCOMPARE(WindowFixture::label(w, "Label18"), prompt2);
    QCOMPARE(box(w, "Text3")->isVisible(), !prompt1.isEmpty());
    QCOMPARE(box(w, "Text4")->isVisible(), !prompt2.isEmpty());
    QCOMPARE(WindowFixture::cell(w, 1, 0), QStringLiteral("样本一 "));
    QCOMPARE(WindowFixture::cell(w, 2, 0), rowTwo);
    QCOMPARE(QApplication::focusWidget(), box(w, "Text2"));
    for (QComboBox* list : w->findChildren<QComboBox*>()) QVERIFY(!list->isVisible());
    QVERIFY(m_fixture->dialogs.prompts.isEmpty());
  }

  void command2ShowsOnlyTheModesList() {
    for (int mode : {3, 7}) {
      auto* w = open(mode);
      WindowFixture::click(w, QStringLiteral("Command2"));
      for (QComboBox* list : w->findChildren<QComboBox*>())
        QCOMPARE(list->isVisible(), list->objectName() == ListOf(mode));
      auto* shown = w->findChild<QComboBox*>(ListOf(mode));
      QCOMPARE(shown->currentIndex(), -1);
      QCOMPARE(shown->placeholderText(), QStringLiteral("选择") + ListOf(mode).right(1));
      w->close();
    }
  }

  // ---- choosing a hypothesis ----

  void choosingWritesTheCaptions_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("item");
    QTest::addColumn<QString>("answer");  // not queued when the list asks nothing
    QTest::addColumn<QString>("prompt");  // empty: no question
    QTest::addColumn<QString>("h0");
    QTest::addColumn<QString>("h1");
    QTest::newRow("mu0 = 5") << 1 << 0 << "5" << "输入μ0值" << "μ≤μ0=5" << "μ＞μ0=5";
    QTest::newRow("leading part of the answer") << 2 << 1 << " 2.5e1x" << "输入μ0值" << "μ≥μ0=25"
                                                << "μ＜μ0=25";
    QTest::newRow("empty answer counts 0") << 6 << 0 << "" << "输入δ" << "μ1-μ2≤δ=0" << "μ1-μ2>δ=0";
    QTest::newRow("delta two-sided") << 7 << 2 << "-1.5" << "输入δ" << "μ1-μ2＝δ=-1.5"
                                     << "μ1-μ2≠δ=-1.5";
    QTest::newRow("sigma0 squared") << 3 << 0 << "1.5" << "输入σ0" << "σ2≤σ02=2.250" << "σ2＞σ02=2.250";
    QTest::newRow("sigma0 = 2") << 4 << 0 << "2" << "输入σ0" << "σ2≤σ02=4.000" << "σ2＞σ02=4.000";
    QTest::newRow("F asks nothing") << 8 << 0 << "" << "" << "σ1≤σ2" << "σ1＞σ2";
    QTest::newRow("paired asks nothing") << 9 << 2 << "" << "" << "μD＝0" << "μD≠0";
  }
  void choosingWritesTheCaptions() {
    QFETCH(int, mode);
    QFETCH(int, item);
    QFETCH(QString, answer);
    QFETCH(QString, prompt);
    QFETCH(QString, h0);
    QFETCH(QString, h1);
    auto* w = open(mode);
    if (!prompt.isEmpty()) m_fixture->dialogs.queueAnswer(answer);
    choose(w, mode, item);
    QCOMPARE(m_fixture->dialogs.prompts, prompt.isEmpty() ? QStringList() : QStringList{prompt});
    if (!prompt.isEmpty()) QCOMPARE(m_fixture->dialogs.titles, QStringList{QString()});
    QCOMPARE(WindowFixture::label(w, "Label7"), h0);
    QCOMPARE(WindowFixture::label(w, "Label9"), h1);
    QVERIFY(!w->findChild<QComboBox*>(ListOf(mode))->isVisible());
    // The hidden list hands the focus back to its button, not to the empty Text2.
    QCOMPARE(QApplication::focusWidget(), w->findChild<QWidget*>(QStringLiteral("Command2")));
  }

  void onlyCombo2ChangesTheConditionText() {
    auto* w = open(2);
    m_fixture->dialogs.queueAnswer(QStringLiteral("3"));
    choose(w, 2, 0);
    QCOMPARE(WindowFixture::label(w, "Label14"), QStringLiteral("未知σ,检验μ"));
    auto* z = open(1);
    m_fixture->dialogs.queueAnswer(QStringLiteral("3"));
    choose(z, 1, 0);
    QCOMPARE(WindowFixture::label(z, "Label14"), QStringLiteral("σ已知，检验μ"));
  }

  void aNewChoiceReplacesValueAndCaptions() {
    auto* w = open(1);
    m_fixture->dialogs.queueAnswer(QStringLiteral("5"));
    choose(w, 1, 0);
    m_fixture->dialogs.queueAnswer(QStringLiteral("7"));
    choose(w, 1, 2);
    QCOMPARE(WindowFixture::label(w, "Label7"), QStringLiteral("μ＝μ0=7"));
    QCOMPARE(w->hypothesisValue(), QStringLiteral("7"));
  }

  // ---- the boxes ----

  void significanceLevelChecks() {
    auto* w = open(2);
    ValidatedBox* text2 = box(w, "Text2");
    QPushButton* compute = w->findChild<QPushButton*>(QStringLiteral("Command1"));
    // Out of range: emptied and the focus comes back.
    text2->setFocus();
    text2->setText(QStringLiteral("1"));
    compute->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("置信水平应大于0小于1")});
    QCOMPARE(text2->text(), QString());
    QCOMPARE(QApplication::focusWidget(), text2);
    // Not a number: emptied, the focus goes on.
    text2->setText(QStringLiteral("abc"));
    compute->setFocus();
    QCoreApplication::processEvents();
    QCOMPARE(m_fixture->messageTexts().last(), QStringLiteral("请在置信水平输入数据"));
    QCOMPARE(text2->text(), QString());
    QCOMPARE(QApplication::focusWidget(), compute);
    QCOMPARE(text2->palette().color(QPalette::Base), QColor(192, 192, 192));
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
    QCOMPARE(m_fixture->messageTexts().size(), 2);
  }

  void theFirstClickIntoTheGridSaysNothing() {
    // Activation puts the focus into the empty Text2; a click into the grid leaves it.
    auto* w = open(2);
    QCOMPARE(QApplication::focusWidget(), box(w, QStringLiteral("Text2")));
    WindowFixture::clickCell(w, 1, 1);
    QTest::keyClicks(w->editor(), QStringLiteral("9"));
    QVERIFY(m_fixture->messageTexts().isEmpty());
    QCOMPARE(WindowFixture::cell(w, 1, 1), QStringLiteral("9"));
  }

  void knownValueChecks_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("boxName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");  // empty: accepted
    QTest::addColumn<QString>("stateAfter");  // σ1, μ or σ2 after "2" had been accepted first
    QTest::newRow("sigma not a number") << 1 << "Text3" << "x1" << "数据错误" << "2";
    QTest::newRow("sigma not above 0 is kept") << 1 << "Text3" << "-1" << "标准差应大于0" << "-1";
    QTest::newRow("sigma1 zero is kept") << 5 << "Text3" << "0" << "标准差应大于0" << "0";
    QTest::newRow("mu any number") << 3 << "Text3" << "-4.5" << "" << "-4.5";
    QTest::newRow("mu not a number") << 3 << "Text3" << "" << "数据错误" << "2";
    QTest::newRow("sigma2 not above 0 is not kept") << 5 << "Text4" << "-3" << "标准差应大于0" << "2";
    QTest::newRow("sigma2 not a number") << 5 << "Text4" << "." << "数据错误" << "2";
    QTest::newRow("sigma2 accepted") << 5 << "Text4" << "0.5" << "" << "0.5";
  }
  void knownValueChecks() {
    QFETCH(int, mode);
    QFETCH(QString, boxName);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, stateAfter);
    auto* w = open(mode);
    WindowFixture::typeAndLeave(w, boxName, QStringLiteral("2"));
    WindowFixture::typeAndLeave(w, boxName, typed);
    QCOMPARE(m_fixture->messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(box(w, boxName)->text(), message.isEmpty() ? typed : QString());
    const QString state = boxName == QLatin1String("Text4") ? w->knownSigma2()
                          : mode == 3                       ? w->knownMu()
                                                            : w->knownSigma1();
    QCOMPARE(state, stateAfter);
  }

  // ---- the checks before a test, in their order ----

  void checksRunInOrder_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");
    const QStringList first{"请先输入样本数据", "尚未设定假设命题", "样本量太小", "置信水平数据缺乏"};
    QTest::newRow("Z") << 1 << (first + QStringList{"σ数据缺乏"});
    QTest::newRow("mu known") << 3 << (first + QStringList{"μ数据缺乏"});
    QTest::newRow("two Z") << 5 << (first + QStringList{"σ数据缺乏"});
    QTest::newRow("pooled") << 6 << first;
  }
  void checksRunInOrder() {
    QFETCH(int, mode);
    QFETCH(QStringList, expected);
    auto* w = open(mode);
    // Each press mends the fault just reported; the last press computes. The first press
    // also leaves the empty Text2, which has had the focus since activation: without a word.
    compute(w);
    WindowFixture::fill(w, 1, {"1"});
    compute(w);
    m_fixture->dialogs.queueAnswer(QStringLiteral("1"));
    choose(w, mode, 2);
    compute(w);
    WindowFixture::fill(w, 1, {"1", "2", "3"});
    if (mode >= 5) {
      compute(w);  // sample two still missing
      QCOMPARE(m_fixture->messageTexts().last(), QStringLiteral("样本量太小"));
      m_fixture->dialogs.messages.pop_back();
      WindowFixture::fill(w, 2, {"2", "4", "5"});
    }
    compute(w);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
    if (mode == 5) {
      WindowFixture::typeAndLeave(w, QStringLiteral("Text3"), QStringLiteral("1"));
      compute(w);  // σ1 given, σ2 still missing
      WindowFixture::typeAndLeave(w, QStringLiteral("Text4"), QStringLiteral("1"));
    } else if (expected.size() > 3) {
      compute(w);
      WindowFixture::typeAndLeave(w, QStringLiteral("Text3"), QStringLiteral("1"));
    }
    compute(w);
    QCOMPARE(m_fixture->messageTexts(), expected);
    QVERIFY(!WindowFixture::label(w, "Label12").isEmpty());
    for (const ShownMessage& m : m_fixture->dialogs.messages) {
      QCOMPARE(m.title, QStringLiteral("数据检查"));
      QCOMPARE(m.icon, MessageIcon::Stop);
    }
  }

  // ---- conclusions of every test, from raw data and from summaries ----

  void conclusionsForEveryChoice_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("summary");
    QTest::addColumn<QStringList>("row1");
    QTest::addColumn<QStringList>("row2");
    QTest::addColumn<QString>("known1");  // Text3, empty: not typed
    QTest::addColumn<QString>("known2");  // Text4
    QTest::addColumn<QString>("value");   // the answer for μ0, σ0 or δ
    QTest::addColumn<QStringList>("conclusions");  // for items 0, 1, 2
    QTest::addColumn<QString>("mean");
    QTest::addColumn<QString>("variance");
    // Critical values from the printed tables, α = 0.05: z 1.645 and 1.96; t(2) 2.920 4.303,
    // t(4) 2.132 2.776, t(5) 2.015 2.571, t(8) 1.860 2.306, t(11) 1.796 2.201, t(15) 1.753
    // 2.131; χ²(2) 0.0506 0.103 5.991; χ²(9) 2.700 19.023 16.919; χ²(10) 3.247 3.940 18.307;
    // χ²(3) 0.216 9.348 7.815; F(9,9) 3.18 and 4.03, F(2,4) 6.94 and 10.65. In summary entry a
    // mean or standard deviation left "×" is not shown (its label stays empty).
    const QString H0 = kH0, H1 = kH1;
    // U = (5.9 − 5)·√4 / 1 = 1.8.
    QTest::newRow("1 raw") << 1 << false << QStringList{"5", "6", "6", "6.6"} << QStringList{} << "1"
                           << "" << "5" << QStringList{H1, H0, H0} << "5.900" << "0.440";
    // U = (4.6 − 5)·√25 / 1 = −2.
    QTest::newRow("1 summary") << 1 << true << QStringList{"25", "4.6"} << QStringList{} << "1" << ""
                               << "5" << QStringList{H0, H1, H1} << "4.600" << "";
    // U = (3 − 1)·√5 / √2.5 = 2.828, 4 df.
    QTest::newRow("2 raw") << 2 << false << QStringList{"1", "2", "3", "4", "5"} << QStringList{}
                           << "" << "" << "1" << QStringList{H1, H0, H1} << "3.000" << "2.500";
    // U = (9 − 10)·4 / 2 = −2, 15 df.
    QTest::newRow("2 summary") << 2 << true << QStringList{"16", "9", "×", "2"} << QStringList{} << ""
                               << "" << "10" << QStringList{H0, H1, H0} << "9.000" << "4.000";
    // C = Σ(x − 2)² / 0.16 = 12.5, 3 df.
    QTest::newRow("3 raw") << 3 << false << QStringList{"1", "2", "3"} << QStringList{} << "2" << ""
                           << "0.4" << QStringList{H1, H0, H1} << "2.000" << "1.000";
    // C = 10·(0.1 − 0 + 0) / 1 = 1, 10 df.
    QTest::newRow("3 summary") << 3 << true << QStringList{"10", "0", "0.1"} << QStringList{} << "0"
                               << "" << "1" << QStringList{H0, H1, H1} << "0.000" << "";
    // C = 2·4 / 100 = 0.08, 2 df.
    QTest::newRow("4 raw") << 4 << false << QStringList{"2", "4", "6"} << QStringList{} << "" << ""
                           << "10" << QStringList{H0, H1, H0} << "4.000" << "4.000";
    // C = 9·4 / 1 = 36, 9 df.
    QTest::newRow("4 summary") << 4 << true << QStringList{"10", "×", "×", "2"} << QStringList{} << ""
                               << "" << "1" << QStringList{H1, H0, H1} << "" << "4.000";
    // U = (2 − 5) / √(1/3 + 1/3) = −3.674.
    QTest::newRow("5 raw") << 5 << false << QStringList{"1", "2", "3"} << QStringList{"4", "5", "6"}
                           << "1" << "1" << "0" << QStringList{H0, H1, H1} << "2.000" << "1.000";
    // U = (10 − 8 + 0.5) / √(4/4 + 4/4) = 1.768.
    QTest::newRow("5 summary") << 5 << true << QStringList{"4", "10"} << QStringList{"4", "8"} << "2"
                               << "2" << "-0.5" << QStringList{H1, H0, H0} << "10.000" << "";
    // Sp² = 1, U = −3 / √(2/3) = −3.674, 4 df.
    QTest::newRow("6 raw") << 6 << false << QStringList{"1", "2", "3"} << QStringList{"4", "5", "6"}
                           << "" << "" << "0" << QStringList{H0, H1, H1} << "2.000" << "1.000";
    // Sp² = 1, U = 1.2 / √(1/5 + 1/8) = 2.105, 11 df.
    QTest::newRow("6 summary") << 6 << true << QStringList{"5", "3.2", "×", "1"}
                               << QStringList{"8", "2", "×", "1"} << "" << "" << "0"
                               << QStringList{H1, H0, H0} << "3.200" << "1.000";
    // ν = 4, U = (2 − 5 + 1) / √(2/3) = −2.449.
    QTest::newRow("7 raw") << 7 << false << QStringList{"1", "2", "3"} << QStringList{"4", "5", "6"}
                           << "" << "" << "-1" << QStringList{H0, H1, H0} << "2.000" << "1.000";
    // ν = 5 (5.03), U = 2 / √(4/5 + 1/10) = 2.108.
    QTest::newRow("7 summary") << 7 << true << QStringList{"5", "12", "×", "2"}
                               << QStringList{"10", "10", "×", "1"} << "" << "" << "0"
                               << QStringList{H1, H0, H0} << "12.000" << "4.000";
    // F = 100 / 2.5 = 40 with (2, 4) df.
    QTest::newRow("8 raw") << 8 << false << QStringList{"0", "10", "20"}
                           << QStringList{"1", "2", "3", "4", "5"} << "" << "" << ""
                           << QStringList{H1, H0, H1} << "10.000" << "100.000";
    // F = 3.61 with (9, 9) df.
    QTest::newRow("8 summary") << 8 << true << QStringList{"10", "×", "×", "1.9"}
                               << QStringList{"10", "×", "×", "1"} << "" << "" << ""
                               << QStringList{H1, H0, H0} << "" << "3.610";
    // d = 2, 2, 3: d̄ = 7/3, s_d² = 1/3, U = 7, 2 df.
    QTest::newRow("9 raw") << 9 << false << QStringList{"5", "6", "7"} << QStringList{"3", "4", "4"}
                           << "" << "" << "" << QStringList{H1, H0, H1} << "2.333" << "0.333";
    // U = 3·(−1) / 1.5 = −2, 8 df; row 2 is not part of the paired summary.
    QTest::newRow("9 summary") << 9 << true << QStringList{"9", "-1", "×", "1.5"} << QStringList{}
                               << "" << "" << "" << QStringList{H0, H1, H0} << "-1.000" << "2.250";
  }
  void conclusionsForEveryChoice() {
    QFETCH(int, mode);
    QFETCH(bool, summary);
    QFETCH(QStringList, row1);
    QFETCH(QStringList, row2);
    QFETCH(QString, known1);
    QFETCH(QString, known2);
    QFETCH(QString, value);
    QFETCH(QStringList, conclusions);
    QFETCH(QString, mean);
    QFETCH(QString, variance);
    auto* w = open(mode);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
    if (summary) WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, row1);
    if (!row2.isEmpty()) WindowFixture::fill(w, 2, row2);
    if (!known1.isEmpty()) WindowFixture::typeAndLeave(w, QStringLiteral("Text3"), known1);
    if (!known2.isEmpty()) WindowFixture::typeAndLeave(w, QStringLiteral("Text4"), known2);
    QStringList actual;
    for (int item = 0; item < 3; ++item) {
      if (mode <= 7) m_fixture->dialogs.queueAnswer(value);
      choose(w, mode, item);
      compute(w);
      actual << WindowFixture::label(w, "Label12");
    }
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(actual, conclusions);
    QCOMPARE(WindowFixture::label(w, "Label3"), mean);
    QCOMPARE(WindowFixture::label(w, "Label5"), variance);
  }

  void rowTwoIsIgnoredByTheOneSampleTests() {
    auto* w = ready(2, 2, "3");
    WindowFixture::fill(w, 1, {"1", "2", "3", "4", "5"});
    WindowFixture::fill(w, 2, {"not a number"});
    compute(w);
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(WindowFixture::label(w, "Label12"), kH0);
  }

  void anIncompletePairIsRefused() {
    // d = −0.3, −0.2, −0.1, −0.2, −0.3: d̄ = −0.22 (by hand). Emptying the first member of
    // sample two once read it as 0 (d̄ = 0.86); now the pair is refused and nothing changes.
    auto* w = ready(9, 2, "");
    WindowFixture::fill(w, 1, {"5.1", "4.8", "5.6", "5.0", "5.3"});
    WindowFixture::fill(w, 2, {"5.4", "5.0", "5.7", "5.2", "5.6"});
    compute(w);
    QCOMPARE(WindowFixture::label(w, "Label3"), QStringLiteral("-0.220"));
    const QString conclusion = WindowFixture::label(w, "Label12");
    WindowFixture::fill(w, 2, {""});
    compute(w);
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("第 1 列的成对数据不全")});
    QCOMPARE(WindowFixture::label(w, "Label3"), QStringLiteral("-0.220"));
    QCOMPARE(WindowFixture::label(w, "Label12"), conclusion);
    QVERIFY(w->resultsStale());
    // The missing member is named before the sizes are counted.
    auto* few = ready(9, 0, "");
    WindowFixture::fill(few, 1, {"5"});
    WindowFixture::fill(few, 2, {"3", "4"});
    compute(few);
    QCOMPARE(m_fixture->messageTexts().last(), QStringLiteral("第 2 列的成对数据不全"));
    QCOMPARE(WindowFixture::label(few, "Label3"), QString());
  }

  void aHypothesisValueBeyondTheNumbersIsRefused() {
    // 1e999 reads as infinity, once shown as "=inf": refused, the earlier choice and value stay.
    auto* w = ready(2, 0, "5");
    m_fixture->dialogs.queueAnswer(QStringLiteral("1e999"));
    choose(w, 2, 2);
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("数据错误")});
    QCOMPARE(WindowFixture::label(w, "Label7"), QStringLiteral("μ≤μ0=5"));
    QCOMPARE(WindowFixture::label(w, "Label9"), QStringLiteral("μ＞μ0=5"));
    QCOMPARE(w->hypothesisValue(), QStringLiteral("5"));
    QCOMPARE(w->findChild<QComboBox*>(QStringLiteral("Combo2"))->currentIndex(), 0);
    // The largest finite answers are taken.
    m_fixture->dialogs.queueAnswer(QStringLiteral("-1e300"));
    choose(w, 2, 1);
    QCOMPARE(m_fixture->messageTexts().size(), 1);
    QCOMPARE(w->hypothesisValue().toDouble(), -1e300);
    // Refused as the first choice: no hypothesis is set.
    auto* fresh = ready(1, 0, "-1e999");
    QCOMPARE(m_fixture->messageTexts().last(), QStringLiteral("数据错误"));
    QCOMPARE(WindowFixture::label(fresh, "Label7"), QString());
    WindowFixture::fill(fresh, 1, {"1", "2"});
    WindowFixture::typeAndLeave(fresh, QStringLiteral("Text3"), QStringLiteral("1"));
    compute(fresh);
    QCOMPARE(m_fixture->messageTexts().last(), QStringLiteral("尚未设定假设命题"));
  }

  void cancellingTheQuestionKeepsTheEarlierChoice() {
    // 取消 (or Esc) ends the choice without a word: the earlier pick, value and captions stay.
    auto* w = ready(3, 0, "1.5");
    m_fixture->dialogs.queueCancel();
    choose(w, 3, 2);
    QCOMPARE(m_fixture->dialogs.prompts.size(), 2);
    QCOMPARE(WindowFixture::label(w, "Label7"), QStringLiteral("σ2≤σ02=2.250"));
    QCOMPARE(w->hypothesisValue(), QStringLiteral("1.5"));
    QCOMPARE(w->findChild<QComboBox*>(QStringLiteral("Combo5"))->currentIndex(), 0);
    // As the first choice: no hypothesis is set.
    auto* fresh = open(1);
    m_fixture->dialogs.queueCancel();
    choose(fresh, 1, 0);
    QCOMPARE(WindowFixture::label(fresh, "Label9"), QString());
    QCOMPARE(fresh->findChild<QComboBox*>(QStringLiteral("Combo1"))->currentIndex(), -1);
    QVERIFY(m_fixture->messageTexts().isEmpty());
  }

  void pairedResultsReformat() {
    auto* w = ready(9, 0, "");
    WindowFixture::fill(w, 1, {"5", "6", "7"});
    WindowFixture::fill(w, 2, {"3", "4", "4"});
    compute(w);
    WindowFixture::toolbar(w, QStringLiteral("放大"));
    WindowFixture::clickLabel(w, QStringLiteral("Label5"));
    WindowFixture::clickLabel(w, QStringLiteral("Label3"));
    WindowFixture::clickLabel(w, QStringLiteral("Label3"));
    QCOMPARE(WindowFixture::label(w, "Label5"), QStringLiteral("0.3333"));
    QCOMPARE(WindowFixture::label(w, "Label3"), QStringLiteral("2.33333"));
  }

  // ---- summary entry ----

  void summaryEntryLayout_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("row1");  // columns 2 to 4 after the switch
    QTest::addColumn<QStringList>("row2");
    QTest::newRow("1") << 1 << QStringList{"", "×", "×"} << QStringList{"", "", ""};
    QTest::newRow("3") << 3 << QStringList{"", "", "×"} << QStringList{"", "", ""};
    QTest::newRow("4") << 4 << QStringList{"×", "×", ""} << QStringList{"", "", ""};
    QTest::newRow("8") << 8 << QStringList{"×", "×", ""} << QStringList{"×", "×", ""};
    QTest::newRow("9") << 9 << QStringList{"", "×", ""} << QStringList{"", "×", ""};
  }
  void summaryEntryLayout() {
    QFETCH(int, mode);
    QFETCH(QStringList, row1);
    QFETCH(QStringList, row2);
    auto* w = open(mode);
    WindowFixture::fill(w, 1, {"7", "8"});
    m_fixture->dialogs.queueChoice(QStringLiteral("是"));  // the sample goes with the switch
    WindowFixture::chooseInputMode(w, InputMode::Two);
    QStringList headings, first, second;
    for (int c = 1; c <= 5; ++c) headings << WindowFixture::cell(w, 0, c);
    for (int c = 2; c <= 4; ++c) {
      first << WindowFixture::cell(w, 1, c);
      second << WindowFixture::cell(w, 2, c);
    }
    QCOMPARE(headings, (QStringList{"样本数", "样本均值 ", "样本二阶矩", "样本标准差", ""}));
    QCOMPARE(first, row1);
    QCOMPARE(second, row2);
    QCOMPARE(WindowFixture::cell(w, 1, 1), QString());  // the sample was cleared
    QCOMPARE(WindowFixture::cell(w, 1, 0), QStringLiteral("样本一 "));
    QCOMPARE(WindowFixture::cell(w, 2, 0), mode >= 5 ? QStringLiteral("样本二") : QString());
  }

  void summaryEntryWidensOnEveryClick() {
    auto* w = open(6);
    SampleGrid* grid = w->sampleGrid();
    const int base = grid->columnWidthTwips(3);
    for (int i = 0; i < 2; ++i) {
      WindowFixture::chooseInputMode(w, InputMode::Two);
      WindowFixture::chooseInputMode(w, InputMode::One);
    }
    // Two switches: 200 twips wider, within one pixel (15 twips) of rounding.
    QVERIFY(std::abs(grid->columnWidthTwips(3) - (base + 200)) < 15);
    QVERIFY(std::abs(grid->columnWidthTwips(4) - (base + 200)) < 15);
    QCOMPARE(grid->columnWidthTwips(2), base);
    QCOMPARE(WindowFixture::cell(w, 0, 3), QStringLiteral("3"));
    QCOMPARE(WindowFixture::cell(w, 2, 0), QStringLiteral("样本二 "));
  }

  // ---- faults that end in a message and no result ----

  void faultsEndInAMessage_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("summary");
    QTest::addColumn<QStringList>("row1");
    QTest::addColumn<QStringList>("row2");
    QTest::addColumn<bool>("askValue");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QTest::newRow("sigma0 = 0, mu known") << 3 << false << QStringList{"1", "2"} << QStringList{}
                                          << true << "0" << "σ0数据错误";
    QTest::newRow("both samples constant") << 6 << false << QStringList{"2", "2"}
                                           << QStringList{"5", "5", "5"} << true << "0"
                                           << "样本方差为0,无法检验";
    QTest::newRow("size cell not a number") << 7 << true << QStringList{"9", "3", "×", "1"}
                                            << QStringList{"n", "3", "×", "1"} << true << "0"
                                            << "样本量太小";
  }
  void faultsEndInAMessage() {
    QFETCH(int, mode);
    QFETCH(bool, summary);
    QFETCH(QStringList, row1);
    QFETCH(QStringList, row2);
    QFETCH(bool, askValue);
    QFETCH(QString, value);
    QFETCH(QString, message);
    auto* w = open(mode);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
    if (summary) WindowFixture::chooseInputMode(w, InputMode::Two);
    if (mode == 3) WindowFixture::typeAndLeave(w, QStringLiteral("Text3"), QStringLiteral("1"));
    if (askValue) m_fixture->dialogs.queueAnswer(value);  // else the question is cancelled
    choose(w, mode, 0);
    WindowFixture::fill(w, 1, row1);
    if (!row2.isEmpty()) WindowFixture::fill(w, 2, row2);
    compute(w);
    QCOMPARE(m_fixture->messageTexts(), QStringList{message});
    QCOMPARE(m_fixture->dialogs.messages[0].icon, MessageIcon::Stop);
    QCOMPARE(WindowFixture::label(w, "Label12"), QString());
    QCOMPARE(WindowFixture::label(w, "Label3"), QString());
  }

  void aRefusedRunLeavesTheEarlierResults() {
    auto* w = ready(2, 2, "3");
    WindowFixture::fill(w, 1, {"1", "2", "3", "4", "5"});
    compute(w);
    QCOMPARE(WindowFixture::label(w, "Label12"), kH0);
    const QString path = QStringLiteral("/nonexistent/bzztfbb.db");
    App().tables.open(path.toStdString());
    WindowFixture::fill(w, 1, {"10", "20", "30"});
    compute(w);
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("统计表数据库缺失或损坏\n") + path});
    QCOMPARE(WindowFixture::label(w, "Label12"), kH0);
    QCOMPARE(WindowFixture::label(w, "Label3"), QStringLiteral("3.000"));
  }

 private:
  Form4* open(int mode) { return m_fixture->open<Form4>(WindowClass::Form4, QString(), mode); }

  static ValidatedBox* box(Form4* w, const QString& name) { return w->findChild<ValidatedBox*>(name); }

  static void choose(Form4* w, int mode, int item) {
    WindowFixture::click(w, QStringLiteral("Command2"));
    WindowFixture::chooseItem(w, ListOf(mode), item);
  }

  static void compute(Form4* w) { WindowFixture::click(w, QStringLiteral("Command1")); }

  // A window of `mode` with α = 0.05 and `item` chosen (answering `value` where asked).
  Form4* ready(int mode, int item, const char* value) {
    auto* w = open(mode);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
    if (mode <= 7) m_fixture->dialogs.queueAnswer(QString::fromUtf8(value));
    choose(w, mode, item);
    return w;
  }

  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(Form4Test)
#include "Form4Test.moc"
