// The point-estimation window from activation to shown results.
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <optional>

#include "core/settings/ProgramState.h"
#include "gui/common/AppContext.h"
#include "gui/estimation/Form9.h"
#include "gui/frame/SampleGrid.h"
#include "gui/app/MainWindow.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

class Form9Test : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  void activationSetsTheModeLabels_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("modeTwoAllowed");
    QTest::newRow("0-1") << 1 << "P的估计值" << "" << true;
    QTest::newRow("poisson") << 3 << "λ的估计值" << "" << true;
    QTest::newRow("uniform") << 4 << "A的估计值" << "B的估计值" << false;
    QTest::newRow("normal") << 5 << "μ的估计值" << "σ的估计值" << false;
    QTest::newRow("exponential") << 6 << "θ的估计值" << "" << false;
  }
  void activationSetsTheModeLabels() {
    QFETCH(int, mode);
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, modeTwoAllowed);
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), mode);
    for (const char* name : {"Label3", "Label5"}) QCOMPARE(WindowFixture::label(w, name), first);
    for (const char* name : {"Label9", "Label11"}) QCOMPARE(WindowFixture::label(w, name), second);
    QCOMPARE(w->findChild<QRadioButton*>(QStringLiteral("Option2"))->isEnabled(), modeTwoAllowed);
    QVERIFY(m_fixture->dialogs.prompts.isEmpty());
  }

  void estimatesOfEachMode_data() {
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("values");
    // Expected captions of Label22, Label23, Label13, Label20, Label19, Label21.
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("0-1") << 1 << QStringList{"1", "0", "1", "1"}
                         << QStringList{"0.750", "0.250", "0.750", "0.750", "", ""};
    QTest::newRow("poisson") << 3 << QStringList{"2", "3", "7"}
                             << QStringList{"4.000", "7.000", "4.000", "4.000", "", ""};
    // 3 -/+ sqrt(6) = 0.5505 and 5.4495 for the moments; the extremes for the likelihood.
    QTest::newRow("uniform") << 4 << QStringList{"1", "2", "3", "4", "5"}
                             << QStringList{"3.000", "2.500", "0.551", "1.000", "5.449", "5.000"};
    // sigma = sqrt(8/3) = 1.63299 in both panels.
    QTest::newRow("normal") << 5 << QStringList{"2", "4", "6"}
                            << QStringList{"4.000", "4.000", "4.000", "4.000", "1.633", "1.633"};
    QTest::newRow("exponential") << 6 << QStringList{"1", "2", "3"}
                                 << QStringList{"2.000", "1.000", "2.000", "2.000", "", ""};
    // One value has no sample variance: its label stays empty.
    QTest::newRow("one value") << 3 << QStringList{"7"} << QStringList{"7.000", "", "7.000", "7.000", "", ""};
  }
  void estimatesOfEachMode() {
    QFETCH(int, mode);
    QFETCH(QStringList, values);
    QFETCH(QStringList, shown);
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), mode);
    WindowFixture::fill(w, 1, values);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QStringList actual;
    for (const char* name : {"Label22", "Label23", "Label13", "Label20", "Label19", "Label21"})
      actual << WindowFixture::label(w, name);
    QCOMPARE(actual, shown);
    QVERIFY(m_fixture->dialogs.messages.empty());
  }

  void inputModeTwoCountsRepeats() {
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), 1);
    WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, {"1", "0"});
    WindowFixture::fill(w, 2, {"3", "1"});
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(WindowFixture::label(w, "Label13"), QStringLiteral("0.750"));
    QCOMPARE(WindowFixture::label(w, "Label20"), QStringLiteral("0.750"));
    QCOMPARE(WindowFixture::label(w, "Label23"), QStringLiteral("0.250"));
  }

  void binomialAsksForNUntilItIsValid() {
    for (const char* answer : {"0", "", "40000"}) m_fixture->dialogs.queueAnswer(answer);
    m_fixture->dialogs.queueAnswer(QStringLiteral("10"));
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QStringLiteral("二项分布"), 2);
    QCOMPARE(m_fixture->dialogs.prompts.size(), 4);
    QCOMPARE(m_fixture->dialogs.prompts[0], QStringLiteral("输入二项分布中N的值"));
    QCOMPARE(m_fixture->dialogs.titles[0], QStringLiteral("输入N值"));
    QCOMPARE(App().program.binomialN, std::optional(10));
    WindowFixture::fill(w, 1, {"3", "5", "4"});
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(WindowFixture::label(w, "Label13"), QStringLiteral("0.400"));
    QCOMPARE(WindowFixture::label(w, "Label20"), QStringLiteral("0.400"));
  }

  // 取消 keeps the N in force; with none ever given, computing is refused until one is.
  void cancellingNKeepsTheNInForce_data() {
    QTest::addColumn<int>("before");  // N given before the window opened, 0 none
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("estimate");  // Label13
    QTest::newRow("never given") << 0 << QStringList{"尚未输入二项分布的N值"} << "";
    // x̄ / N = 4 / 8.
    QTest::newRow("given before") << 8 << QStringList{} << "0.500";
  }
  void cancellingNKeepsTheNInForce() {
    QFETCH(int, before);
    QFETCH(QStringList, messages);
    QFETCH(QString, estimate);
    const std::optional<int> given = before ? std::optional(before) : std::nullopt;
    App().program.binomialN = given;
    m_fixture->dialogs.queueCancel();
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QStringLiteral("二项分布"), 2);
    QCOMPARE(m_fixture->dialogs.prompts.size(), 1);
    QCOMPARE(App().program.binomialN, given);
    WindowFixture::fill(w, 1, {"3", "5", "4"});
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), messages);
    QCOMPARE(WindowFixture::label(w, "Label13"), estimate);
    // Coming back asks again, and the N given then is used: 4 / 10.
    m_fixture->dialogs.queueAnswer(QStringLiteral("10"));
    WindowFixture::activate(m_fixture->mainWindow());
    WindowFixture::activate(w);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(WindowFixture::label(w, "Label13"), QStringLiteral("0.400"));
    QCOMPARE(m_fixture->messageTexts(), messages);
  }

  void binomialAsksAgainOnlyWhenComingBackFromAnotherWindow() {
    ActivationStealingDialogs dialogs;
    ScopedValue<DialogService*> installed(App().dialogs, &dialogs);
    dialogs.queueAnswer(QStringLiteral("10"));
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), 2);
    // The dialog took the activation away; getting it back from the dialog asks nothing.
    WindowFixture::activate(w);
    QCOMPARE(dialogs.prompts.size(), 1);
    // Coming back from the main window asks again; the new N is used.
    dialogs.queueAnswer(QStringLiteral("20"));
    WindowFixture::activate(m_fixture->mainWindow());
    WindowFixture::activate(w);
    QCOMPARE(dialogs.prompts.size(), 2);
    QCOMPARE(App().program.binomialN, std::optional(20));
    // Results of one N are old once another is given, not when the same one is.
    WindowFixture::fill(w, 1, {"3", "5", "4"});
    WindowFixture::click(w, QStringLiteral("Command1"));
    for (const char* answer : {"20", "10"}) {
      WindowFixture::activate(w);  // back from the last question
      dialogs.queueAnswer(QString::fromLatin1(answer));
      WindowFixture::activate(m_fixture->mainWindow());
      WindowFixture::activate(w);
      QCOMPARE(w->resultsStale(), QByteArray(answer) == "10");
    }
    QCOMPARE(dialogs.prompts.size(), 4);
  }

  void anEmptySampleAsksForData() {
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), 5);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(WindowFixture::label(w, "Label22"), QString());
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("请先输入样本数据")});
  }

  void badSamplesAreRefusedWithoutAResult() {
    struct Case {
      const char* name;
      int mode;
      QStringList values;
      QStringList counts;  // input mode two when not empty
      const char* message;
    };
    const Case cases[] = {
        {"0-1 value 5", 1, {"1", "0", "1", "1", "5"}, {}, "数据超范围"},
        {"binomial above N", 2, {"3", "5", "4"}, {}, "数据超范围"},
        {"Poisson fraction", 3, {"1", "2.5"}, {}, "数据超范围"},
        {"exponential negative", 6, {"1", "-2"}, {}, "数据超范围"},
        {"pasted letters", 5, {"4", "abc"}, {}, "数据错误"},
        {"fractional count", 3, {"4"}, {"1.5"}, "重复数必须是非负整数"},
        {"negative count", 3, {"3", "5"}, {"2", "-1"}, "重复数必须是非负整数"},
    };
    for (const Case& c : cases) {
      m_fixture->dialogs.messages.clear();
      m_fixture->dialogs.queueAnswer(QStringLiteral("2"));  // N for the binomial
      auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), c.mode);
      if (!c.counts.isEmpty()) WindowFixture::chooseInputMode(w, InputMode::Two);
      WindowFixture::fill(w, 1, c.values);
      if (!c.counts.isEmpty()) WindowFixture::fill(w, 2, c.counts);
      WindowFixture::click(w, QStringLiteral("Command1"));
      QCOMPARE(m_fixture->messageTexts(), QStringList{QString::fromUtf8(c.message)});
      for (const char* label : {"Label22", "Label23", "Label13", "Label20"})
        QVERIFY2(WindowFixture::label(w, label).isEmpty(), c.name);
      w->close();
    }
  }

  void secondEstimatesStayOutsideUniformAndNormal() {
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), 5);
    WindowFixture::fill(w, 1, {"2", "4", "6"});
    WindowFixture::click(w, QStringLiteral("Command1"));
    // The same window read as exponential keeps the normal's sigma in Label19 and Label21.
    w->setTag(QStringLiteral("6"));
    WindowFixture::activate(m_fixture->mainWindow());
    WindowFixture::activate(w);
    WindowFixture::fill(w, 1, {"1", "2", "3"});
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(WindowFixture::label(w, "Label13"), QStringLiteral("2.000"));
    QCOMPARE(WindowFixture::label(w, "Label19"), QStringLiteral("1.633"));
    QCOMPARE(WindowFixture::label(w, "Label21"), QStringLiteral("1.633"));
  }

  void valuesTooLargeAreReportedNotShown() {
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), 5);
    WindowFixture::fill(w, 1, {"1e200", "-1e200", "3"});
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("计算结果超出范围")});
    QCOMPARE(m_fixture->dialogs.messages[0].title, QStringLiteral("数据检查"));
    QCOMPARE(WindowFixture::label(w, "Label22"), QString());
  }

  void repeatCountsBeyondTheRangeAreReported() {
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), 1);
    WindowFixture::chooseInputMode(w, InputMode::Two);
    WindowFixture::fill(w, 1, {"1", "0"});
    WindowFixture::fill(w, 2, {"30000", "30000"});
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("样本量超出范围")});
    QCOMPARE(WindowFixture::label(w, "Label13"), QString());
  }

  void labelsReformatOnClick() {
    auto* w = m_fixture->open<Form9>(WindowClass::Form9, QString(), 3);
    WindowFixture::fill(w, 1, {"0", "0", "1"});
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(WindowFixture::label(w, "Label22"), QStringLiteral("0.333"));
    WindowFixture::clickLabel(w, QStringLiteral("Label22"));
    QCOMPARE(WindowFixture::label(w, "Label22"), QStringLiteral("0.333"));  // no step yet
    WindowFixture::toolbar(w, QStringLiteral("放大"));
    WindowFixture::clickLabel(w, QStringLiteral("Label22"));
    WindowFixture::clickLabel(w, QStringLiteral("Label22"));
    QCOMPARE(WindowFixture::label(w, "Label22"), QStringLiteral("0.33333"));
    WindowFixture::toolbar(w, QStringLiteral("缩小"));
    QStringList seen;
    for (int i = 0; i < 6; ++i) {
      WindowFixture::clickLabel(w, QStringLiteral("Label13"));
      seen << WindowFixture::label(w, "Label13");
    }
    QCOMPARE(seen, (QStringList{"0.33", "0.3", "0.", "0.3", "0.", "0.3"}));
    // A label that has no value yet stays empty.
    WindowFixture::clickLabel(w, QStringLiteral("Label19"));
    QCOMPARE(WindowFixture::label(w, "Label19"), QString());
  }

 private:
  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(Form9Test)
#include "Form9Test.moc"
