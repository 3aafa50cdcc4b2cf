// The probability calculator's wiring: the chosen law sets the parameter labels, boxes and
// questions; the chosen question shows its boxes; 计算 writes the result, the approximation
// and the chart; a refused input shows its message and no result.
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "gui/support/WindowFixture.h"
#include "gui/tools/ProbabilityCalculator.h"

using namespace kelvo;

class ProbabilityCalculatorTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    m_fixture = std::make_unique<WindowFixture>();
    m_window = std::make_unique<ProbabilityCalculator>();
    m_window->show();
  }
  void cleanup() {
    m_window.reset();
    m_fixture.reset();
  }

  void lawSetsParametersAndQuestions() {
    choose(QStringLiteral("二项分布 B(n, p)"));
    QCOMPARE(label("parameter1Label"), QStringLiteral("试验次数 n"));
    QCOMPARE(label("parameter2Label"), QStringLiteral("成功概率 p"));
    QVERIFY(box("parameter2Box")->isVisible());
    QVERIFY(!box("parameter3Box")->isVisible());
    QVERIFY(check("approximationBox")->isEnabled());
    auto* questions = WindowFixture::control<QComboBox>(m_window.get(), QStringLiteral("questionList"));
    QVERIFY(questions->findText(QStringLiteral("最小的 x 使 P(X ≤ x) ≥ p")) >= 0);
    QCOMPARE(questions->findText(QStringLiteral("上 α 分位点：x 使 P(X > x) = α")), -1);

    choose(QStringLiteral("F 分布 F(n₁, n₂)"));
    QCOMPARE(label("parameter1Label"), QStringLiteral("第一自由度 n₁"));
    QVERIFY(!check("approximationBox")->isEnabled());
    question(QStringLiteral("上 α 分位点：x 使 P(X > x) = α"));
    QVERIFY(box("probabilityBox")->isVisible());
    QVERIFY(!box("xBox")->isVisible());
    QVERIFY(!box("bBox")->isVisible());
    question(QStringLiteral("P(a ≤ X ≤ b)（端点可开可闭）"));
    QVERIFY(box("xBox")->isVisible());
    QVERIFY(box("bBox")->isVisible());
  }

  void computeWritesResultApproximationAndChart() {
    choose(QStringLiteral("二项分布 B(n, p)"));
    box("parameter1Box")->setText(QStringLiteral("10"));
    box("parameter2Box")->setText(QStringLiteral("0.4"));
    question(QStringLiteral("P(a ≤ X ≤ b)（端点可开可闭）"));
    box("xBox")->setText(QStringLiteral("3"));
    box("bBox")->setText(QStringLiteral("7"));
    check("lowerClosedBox")->setChecked(false);
    check("approximationBox")->setChecked(true);
    QTest::mouseClick(WindowFixture::control<QPushButton>(m_window.get(), QStringLiteral("computeButton")),
                      Qt::LeftButton);
    QVERIFY(label("resultLabel").startsWith(QStringLiteral("X ~ B(10, 0.4)：P(3 < X ≤ 7) = P(4 ≤ X ≤ 7)")));
    QVERIFY(label("approximationLabel").startsWith(QStringLiteral("正态近似（连续性修正）：P(4 ≤ X ≤ 7) ≈")));
    auto* chart = WindowFixture::control<QChartView>(m_window.get(), QStringLiteral("probabilityChart"));
    QVERIFY(!chart->chart()->series().isEmpty());
    QCOMPARE(m_fixture->messageTexts(), QStringList());
  }

  void refusedInputShowsItsMessageAndNoResult() {
    choose(QStringLiteral("正态分布 N(μ, σ²)"));
    const std::pair<QString, QString> refusals[] = {
        {QStringLiteral("0"), QStringLiteral("参数 σ 应满足 σ > 0")},
        {QStringLiteral("abc"), QStringLiteral("参数 σ 应为数值")},
    };
    box("xBox")->setText(QStringLiteral("1"));
    QVERIFY(m_window->compute());
    for (const auto& [sigma, message] : refusals) {
      box("parameter2Box")->setText(sigma);
      QVERIFY(!m_window->compute());
      QCOMPARE(m_fixture->dialogs.messages.back().text, message);
      QCOMPARE(m_fixture->dialogs.messages.back().title, QStringLiteral("数据检查"));
      QCOMPARE(label("resultLabel"), QString());
      auto* chart = WindowFixture::control<QChartView>(m_window.get(), QStringLiteral("probabilityChart"));
      QVERIFY(chart->chart()->series().isEmpty());
    }
  }

 private:
  void choose(const QString& law) {
    auto* list = WindowFixture::control<QListWidget>(m_window.get(), QStringLiteral("distributionList"));
    const QList<QListWidgetItem*> found = list->findItems(law, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    list->setCurrentItem(found[0]);
  }
  void question(const QString& caption) {
    auto* list = WindowFixture::control<QComboBox>(m_window.get(), QStringLiteral("questionList"));
    const int index = list->findText(caption);
    QVERIFY(index >= 0);
    list->setCurrentIndex(index);
  }
  QLineEdit* box(const char* name) { return WindowFixture::control<QLineEdit>(m_window.get(), QString::fromLatin1(name)); }
  QCheckBox* check(const char* name) { return WindowFixture::control<QCheckBox>(m_window.get(), QString::fromLatin1(name)); }
  QString label(const char* name) {
    auto* l = WindowFixture::control<QLabel>(m_window.get(), QString::fromLatin1(name));
    return l ? l->text() : QString();
  }

  std::unique_ptr<WindowFixture> m_fixture;
  std::unique_ptr<ProbabilityCalculator> m_window;
};

QTEST_MAIN(ProbabilityCalculatorTest)
#include "ProbabilityCalculatorTest.moc"
