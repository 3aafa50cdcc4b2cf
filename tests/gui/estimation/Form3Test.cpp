// The large-sample interval window: activation per mode, the question for N, the level box,
// the intervals from raw data and repeat counts, Label8's re-formatting and the refusals.
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <optional>

#include "core/settings/ProgramState.h"
#include "gui/estimation/Form3.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/common/AppContext.h"
#include "gui/common/ControlLayout.h"
#include "gui/app/MainWindow.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

// The bounds of a caption "(L,U)".
QPair<double, double> Bounds(const QString& caption) {
  const QString inner = caption.mid(1, caption.size() - 2);
  const QStringList parts = inner.split(QLatin1Char(','));
  return {parts.value(0).toDouble(), parts.value(1).toDouble()};
}

}  // namespace

class Form3Test : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  void activationSetsCaptionAndSymbol_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("symbol");
    QTest::newRow("0-1") << 1 << "0-1分布区间估计" << "P";
    QTest::newRow("binomial") << 2 << "二项分布区间估计" << "P";
    QTest::newRow("poisson") << 3 << "泊松分布区间估计" << "λ";
    QTest::newRow("exponential") << 6 << "指数分布区间估计" << "θ";
  }
  void activationSetsCaptionAndSymbol() {
    QFETCH(int, mode);
    QFETCH(QString, caption);
    QFETCH(QString, symbol);
    m_fixture->dialogs.queueAnswer(QStringLiteral("10"));
    auto* w = m_fixture->open<Form3>(WindowClass::Form3, QStringLiteral("menu caption"), mode);
    QCOMPARE(w->windowTitle(), caption);
    QCOMPARE(WindowFixture::label(w, "Label6"), QStringLiteral("双侧置信 ") + symbol);
    QCOMPARE(WindowFixture::label(w, "Label9"), QStringLiteral("单侧置信 ") + symbol);
    QCOMPARE(m_fixture->dialogs.prompts.size(), mode == 2 ? 1 : 0);
    QCOMPARE(QApplication::focusWidget(), w->findChild<QLineEdit*>(QStringLiteral("Text2")));
    QCOMPARE(WindowFixture::cell(w, 1, 0), QStringLiteral("样本数据"));
    WindowFixture::chooseInputMode(w, InputMode::Two);
    QCOMPARE(WindowFixture::cell(w, 2, 0), QStringLiteral("重复数"));
  }

  void binomialAsksForNUntilItIsValid() {
    for (const char* answer : {"0", "40000", "abc"}) m_fixture->dialogs.queueAnswer(answer);
    m_fixture->dialogs.queueAnswer(QStringLiteral("10"));
    m_fixture->open<Form3>(WindowClass::Form3, QStringLiteral("二项分布"), 2);
    QCOMPARE(m_fixture->dialogs.prompts.size(), 4);
    QCOMPARE(m_fixture->dialogs.prompts[0], QStringLiteral("输入二项分布中N的值"));
    QCOMPARE(m_fixture->dialogs.titles[0], QStringLiteral("输入N值"));
    QCOMPARE(App().program.binomialN, std::optional(10));
    QVERIFY(m_fixture->dialogs.messages.empty());
  }

  void binomialAsksAgainOnlyWhenComingBackFromAnotherWindow() {
    ActivationStealingDialogs dialogs;
    ScopedValue<DialogService*> installed(App().dialogs, &dialogs);
    dialogs.queueAnswer(QStringLiteral("10"));
    auto* w = m_fixture->open<Form3>(WindowClass::Form3, QString(), 2);
    WindowFixture::activate(w);  // back from its own question: no new activation
    QCOMPARE(dialogs.prompts.size(), 1);
    // A box of the window's own, shown while it is active, does not count either.
    ShowDataCheck(w, QStringLiteral("数据错误"));
    WindowFixture::activate(w);
    QCOMPARE(dialogs.prompts.size(), 1);
    dialogs.queueAnswer(QStringLiteral("20"));
    WindowFixture::activate(m_fixture->mainWindow());
    WindowFixture::activate(w);
    QCOMPARE(dialogs.prompts.size(), 2);
    QCOMPARE(App().program.binomialN, std::optional(20));
  }

  void levelBoxRefusesValuesOutsideZeroToOne_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("refused");
    QTest::newRow("inside") << "0.95" << false;
    QTest::newRow("one") << "1" << true;
    QTest::newRow("text") << "abc" << true;
    QTest::newRow("left empty") << "" << false;
  }
  void levelBoxRefusesValuesOutsideZeroToOne() {
    QFETCH(QString, typed);
    QFETCH(bool, refused);
    auto* w = m_fixture->open<Form3>(WindowClass::Form3, QString(), 1);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), typed);
    QCOMPARE(m_fixture->messageTexts(), refused ? QStringList{QStringLiteral("数据错误")} : QStringList{});
    QCOMPARE(w->findChild<QLineEdit*>(QStringLiteral("Text2"))->text(), refused ? QString() : typed);
  }

  // Worked examples at c = 0.95 with z = 1.96 from the standard normal table; the bounds are
  // read with five decimals and compared within 1e-4 (z from the built table is 1.959964).
  void intervalsOfEachMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QStringList>("counts");
    QTest::addColumn<QString>("mean");
    QTest::addColumn<QString>("variance");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    QTest::newRow("0-1 n=100 mean 0.5") << 1 << QStringList{"1", "0"} << QStringList{"50", "50"}
                                         << "0.500" << "0.253" << 0.40383 << 0.59617;
    QTest::newRow("binomial N=10 n=20 mean 3") << 2 << QStringList{"3"} << QStringList{"20"}
                                               << "3.000" << "0.000" << 0.24075 << 0.36679;
    QTest::newRow("poisson n=50 mean 2") << 3 << QStringList{"2"} << QStringList{"50"}
                                         << "2.000" << "0.000" << 1.64454 << 2.43229;
    QTest::newRow("exponential n=100 mean 10") << 6 << QStringList{"10"} << QStringList{"100"}
                                               << "10.000" << "0.000" << 8.36120 << 12.43781;
    // One value has no sample variance: its label stays empty. By hand: A = 1,
    // B = 4 + 1.96² = 7.8416, C = 4, roots (B ∓ √(B² − 4AC))/2.
    QTest::newRow("poisson one value 2") << 3 << QStringList{"2"} << QStringList{"1"}
                                         << "2.000" << "" << 0.54846 << 7.29314;
  }
  void intervalsOfEachMode() {
    QFETCH(int, mode);
    QFETCH(QStringList, values);
    QFETCH(QStringList, counts);
    QFETCH(QString, mean);
    QFETCH(QString, variance);
    QFETCH(double, lower);
    QFETCH(double, upper);
    m_fixture->dialogs.queueAnswer(QStringLiteral("10"));
    auto* w = m_fixture->open<Form3>(WindowClass::Form3, QString(), mode);
    WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, values);
    WindowFixture::fill(w, 2, counts);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{});
    QCOMPARE(WindowFixture::label(w, "Label3"), mean);
    QCOMPARE(WindowFixture::label(w, "Label5"), variance);
    WindowFixture::toolbar(w, QStringLiteral("放大"));
    WindowFixture::clickLabel(w, QStringLiteral("Label8"));
    WindowFixture::clickLabel(w, QStringLiteral("Label8"));
    const auto bounds = Bounds(WindowFixture::label(w, "Label8"));
    QVERIFY2(qAbs(bounds.first - lower) <= 1e-4, qPrintable(WindowFixture::label(w, "Label8")));
    QVERIFY2(qAbs(bounds.second - upper) <= 1e-4, qPrintable(WindowFixture::label(w, "Label8")));
    QCOMPARE(WindowFixture::label(w, "Label11"), QString());
    QCOMPARE(WindowFixture::label(w, "Label13"), QString());
  }

  void intervalLabelReformatsBothBoundsAndMoves() {
    auto* w = m_fixture->open<Form3>(WindowClass::Form3, QString(), 6);
    WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, {"10"});
    WindowFixture::fill(w, 2, {"100"});
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    auto* label = w->findChild<QLabel*>(QStringLiteral("Label8"));
    const long long left = ControlTwips(label).left;
    QCOMPARE(label->text(), QStringLiteral("(8.361,12.438)"));
    WindowFixture::clickLabel(w, QStringLiteral("Label8"));  // no step yet: nothing happens
    QCOMPARE(label->text(), QStringLiteral("(8.361,12.438)"));
    QCOMPARE(ControlTwips(label).left, left);
    WindowFixture::toolbar(w, QStringLiteral("放大"));
    WindowFixture::clickLabel(w, QStringLiteral("Label8"));
    QCOMPARE(label->text(), QStringLiteral("(8.3612,12.4378)"));
    QCOMPARE(ControlTwips(label).left, left - 5);
    WindowFixture::toolbar(w, QStringLiteral("缩小"));
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
      WindowFixture::clickLabel(w, QStringLiteral("Label8"));
      seen << label->text();
    }
    QCOMPARE(seen, (QStringList{"(8.361,12.438)", "(8.36,12.44)", "(8.4,12.4)", "(8.,12.)"}));
    QCOMPARE(ControlTwips(label).left, left - 5 + 4 * 5);
  }

  void refusalsEndInAMessageAndNoInterval_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("message");
    QTest::newRow("empty sample") << 1 << QStringList{} << "0.95" << "请先输入样本数据";
    QTest::newRow("no level") << 1 << QStringList{"1", "0"} << "" << "置信水平数据缺乏";
    QTest::newRow("0-1 value 2") << 1 << QStringList{"1", "2"} << "0.95" << "数据超范围";
    QTest::newRow("binomial value above N") << 2 << QStringList{"3", "11"} << "0.95" << "数据超范围";
    QTest::newRow("poisson fraction") << 3 << QStringList{"1.5", "2"} << "0.95" << "数据超范围";
    QTest::newRow("exponential negative") << 6 << QStringList{"-1", "2"} << "0.95" << "数据超范围";
    // sqrt(3) = 1.732 does not exceed z = 1.96.
    QTest::newRow("exponential sqrt n <= z") << 6 << QStringList{"1", "2", "3"} << "0.95"
                                             << "样本量太小,无法计算该区间";
  }
  void refusalsEndInAMessageAndNoInterval() {
    QFETCH(int, mode);
    QFETCH(QStringList, values);
    QFETCH(QString, level);
    QFETCH(QString, message);
    m_fixture->dialogs.queueAnswer(QStringLiteral("10"));
    auto* w = m_fixture->open<Form3>(WindowClass::Form3, QString(), mode);
    WindowFixture::fill(w, 1, values);
    // Typed without leaving the box: the computation's own check is what is under test.
    w->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(level);
    w->computeClicked();
    QCOMPARE(m_fixture->messageTexts(), QStringList{message});
    QCOMPARE(m_fixture->dialogs.messages[0].title, QStringLiteral("数据检查"));
    for (const char* name : {"Label3", "Label5", "Label8"})
      QCOMPARE(WindowFixture::label(w, name), QString());
  }

  void refusedComputationLeavesEarlierResults() {
    auto* w = m_fixture->open<Form3>(WindowClass::Form3, QString(), 3);
    WindowFixture::fill(w, 1, {"1", "2", "3"});
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    const QString shown = WindowFixture::label(w, "Label8");
    QVERIFY(!shown.isEmpty());
    WindowFixture::fill(w, 1, {"-1"}, 4);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("数据超范围")});
    QCOMPARE(m_fixture->dialogs.messages[0].title, QStringLiteral("数据检查"));
    QCOMPARE(m_fixture->dialogs.messages[0].icon, MessageIcon::Stop);
    QCOMPARE(WindowFixture::label(w, "Label8"), shown);
    QCOMPARE(WindowFixture::label(w, "Label3"), QStringLiteral("2.000"));
  }

  // 取消 keeps the N in force; with none ever given, the interval is refused until one is.
  void cancellingNKeepsTheNInForce_data() {
    QTest::addColumn<int>("before");  // N given before the window opened, 0 none
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("never given") << 0 << QStringList{"尚未输入二项分布的N值"};
    QTest::newRow("given before") << 8 << QStringList{};
  }
  void cancellingNKeepsTheNInForce() {
    QFETCH(int, before);
    QFETCH(QStringList, messages);
    const std::optional<int> given = before ? std::optional(before) : std::nullopt;
    App().program.binomialN = given;
    m_fixture->dialogs.queueCancel();
    auto* w = m_fixture->open<Form3>(WindowClass::Form3, QString(), 2);
    QCOMPARE(m_fixture->dialogs.prompts.size(), 1);
    QCOMPARE(App().program.binomialN, given);
    WindowFixture::fill(w, 1, {"3", "4"});
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.95"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), messages);
    QCOMPARE(WindowFixture::label(w, "Label8").isEmpty(), before == 0);
    // Coming back asks again, and the N given then is used.
    m_fixture->dialogs.queueAnswer(QStringLiteral("10"));
    WindowFixture::activate(m_fixture->mainWindow());
    WindowFixture::activate(w);
    QCOMPARE(App().program.binomialN, std::optional(10));
    WindowFixture::click(w, QStringLiteral("Command1"));
    QVERIFY(!WindowFixture::label(w, "Label8").isEmpty());
    QCOMPARE(m_fixture->messageTexts(), messages);
  }

 private:
  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(Form3Test)
#include "Form3Test.moc"
