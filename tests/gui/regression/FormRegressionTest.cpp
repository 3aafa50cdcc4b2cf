// The regression window from the menu command to its results, its pane and its refusals.
#include <QComboBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include "gui/frame/DetailsPane.h"
#include "gui/frame/Report.h"
#include "gui/regression/FormRegression.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

class FormRegressionTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  // Reference values: scipy.stats.linregress([1, 2, 3, 4, 5], [2.1, 3.9, 6.2, 7.8, 10.1]) with
  // the intervals of the textbook formulas at t₀.₀₂₅(3) = 3.1824 and x0 = 6.
  void straightLineFillsEveryResult() {
    FormRegression* w = open();
    QCOMPARE(WindowFixture::cell(w, 1, 0), QStringLiteral("x"));
    QCOMPARE(WindowFixture::cell(w, 2, 0), QStringLiteral("y"));
    WindowFixture::fill(w, 1, {"1", "2", "3", "4", "5"});
    WindowFixture::fill(w, 2, {"2.1", "3.9", "6.2", "7.8", "10.1"});
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
    WindowFixture::typeAndLeave(w, QStringLiteral("x0Box"), QStringLiteral("6"));
    WindowFixture::click(w, QStringLiteral("Command1"));
    QVERIFY(m_fixture->messageTexts().isEmpty());
    const std::pair<const char*, const char*> expected[] = {
        {"aLabel", "0.050"},       {"bLabel", "1.990"},
        {"sigma2Label", "0.036"},  {"rLabel", "0.999"},
        {"tLabel", "33.321"},      {"criticalLabel", "3.182"},
        {"conclusionLabel", "接受备选假设 H1"},
        {"slopeIntervalLabelLower", "(1.800,"}, {"slopeIntervalLabelUpper", "2.180)"},
        {"y0Label", "11.990"},
        {"meanIntervalLabelLower", "(11.360,"}, {"meanIntervalLabelUpper", "12.620)"},
        {"predictionIntervalLabelLower", "(11.119,"}, {"predictionIntervalLabelUpper", "12.861)"},
        {"equationLabel", "ŷ = 0.05 + 1.99x"}};
    for (const auto& [name, text] : expected)
      QCOMPARE(WindowFixture::label(w, QString::fromLatin1(name)), QString::fromUtf8(text));
    // The pane holds the solution, the scatter chart and the residuals in a tab of their own.
    DetailsPane* pane = w->detailsPane();
    QVERIFY(pane->plainText().contains(QStringLiteral("S_xy")));
    QVERIFY(pane->chart().has_value());
    QVERIFY(pane->secondChart().has_value());
    auto* tabs = pane->findChild<QTabWidget*>(QStringLiteral("DetailsTabs"));
    QCOMPARE(tabs->count(), 3);
    QCOMPARE(tabs->tabText(2), QStringLiteral("残差图"));
    // The residuals are drawn when their tab is shown, and a new computation keeps that tab.
    w->setDetailsVisible(true);
    pane->showTab(2);
    QVERIFY(pane->secondChartView() != nullptr);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(tabs->currentIndex(), 2);
    QVERIFY(pane->secondChartView() != nullptr);
    QVERIFY(!w->statusLine()->text().isEmpty());
    // The report reads the inputs and results the window describes.
    const QString report = ReportHtmlText(CollectReport(*w));
    for (const char* text : {"x0", "y = a + bx", "(1.800, 2.180)", "(11.119, 12.861)", "ŷ = 0.05 + 1.99x"})
      QVERIFY2(report.contains(QString::fromUtf8(text)), text);
  }

  // Input mode two reads the counts in row 3; the model list picks the curve. Reference:
  // scipy.stats.linregress([1, 1, 2, 3, 3, 3], ln [2, 2, 5, 9, 9, 9]), a = e^intercept.
  void countsAndACurveModel() {
    FormRegression* w = open();
    WindowFixture::chooseInputMode(w, InputMode::Two);
    QCOMPARE(WindowFixture::cell(w, 3, 0), QStringLiteral("重复值"));
    WindowFixture::fill(w, 1, {"1", "2", "3"});
    WindowFixture::fill(w, 2, {"2", "5", "9"});
    WindowFixture::fill(w, 3, {"2", "1", "3"});
    WindowFixture::chooseItem(w, QStringLiteral("modelList"), 1);
    QCOMPARE(w->model(), RegressionModel::Exponential);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(WindowFixture::label(w, "aLabel"), QStringLiteral("0.981"));
    QCOMPARE(WindowFixture::label(w, "bLabel"), QStringLiteral("0.746"));
    QCOMPARE(WindowFixture::label(w, "rLabel"), QStringLiteral("0.996"));
    // No x0: no prediction.
    QCOMPARE(WindowFixture::label(w, "y0Label"), QString());
  }

  // A refused computation names its fault and leaves no result of an earlier one.
  void refusalLeavesTheResultsEmpty() {
    FormRegression* w = open();
    WindowFixture::fill(w, 1, {"1", "2", "3"});
    WindowFixture::fill(w, 2, {"2", "5", "7"});
    WindowFixture::click(w, QStringLiteral("Command1"));
    QVERIFY(!WindowFixture::label(w, "bLabel").isEmpty());
    WindowFixture::fill(w, 1, {"4"}, 4);
    WindowFixture::click(w, QStringLiteral("Command1"));
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("第 4 列的成对数据不全")});
    for (const char* name : {"bLabel", "tLabel", "conclusionLabel", "slopeIntervalLabelLower", "equationLabel"})
      QCOMPARE(WindowFixture::label(w, QString::fromLatin1(name)), QString());
    QVERIFY(!w->detailsPane()->secondChart().has_value());
  }

  // The data file keeps the pairs, x0 and the model.
  void settingsTravelWithTheDataFile() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("pairs.csv"));
    FormRegression* w = open();
    WindowFixture::fill(w, 1, {"1", "2"});
    WindowFixture::fill(w, 2, {"3", "4"});
    WindowFixture::typeAndLeave(w, QStringLiteral("x0Box"), QStringLiteral("2.5"));
    WindowFixture::chooseItem(w, QStringLiteral("modelList"), 4);
    m_fixture->dialogs.queueFilePath(file);
    QVERIFY(w->saveData());
    FormRegression* other = open();
    QCOMPARE(other->model(), RegressionModel::Linear);
    m_fixture->dialogs.queueFilePath(file);
    other->openData();
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(WindowFixture::cell(other, 2, 2), QStringLiteral("4"));
    QCOMPARE(other->model(), RegressionModel::Hyperbolic);
    QCOMPARE(WindowFixture::control<QLineEdit>(other, QStringLiteral("x0Box"))->text(), QStringLiteral("2.5"));
  }

 private:
  FormRegression* open() {
    return m_fixture->open<FormRegression>(WindowClass::FormRegression, QString(), 0);
  }
  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(FormRegressionTest)
#include "FormRegressionTest.moc"
