// The analysis-of-variance window: each design from its option to the table, and a refusal.
#include <QChartView>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include "gui/anova/FormAnova.h"
#include "gui/frame/DetailsPane.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

class FormAnovaTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  void oneFactorShowsTableEstimatesAndIntervals() {
    FormAnova* w = open();
    QCOMPARE(WindowFixture::cell(w, 3, 0), QStringLiteral("A3"));
    WindowFixture::fill(w, 1, {"0.236", "0.238", "0.248", "0.245", "0.243"});
    WindowFixture::fill(w, 2, {"0.257", "0.253", "0.255", "0.254", "0.261"});
    WindowFixture::fill(w, 3, {"0.258", "0.264", "0.259", "0.267", "0.262"});
    compute(w);
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(rows(w), (QStringList{"因素A|32.9167|3.89", "误差||", "总和||"}));
    QCOMPARE(WindowFixture::label(w, "conclusionLabel"), QStringLiteral("因素A：接受备选假设 H1（影响显著）"));
    QVERIFY(WindowFixture::label(w, "estimateLabel").contains(QStringLiteral("μ̂2 = 0.256")));
    auto* intervals = WindowFixture::control<QTableWidget>(w, QStringLiteral("intervalTable"));
    QCOMPARE(intervals->rowCount(), 3);
    // 0.242 − 0.256 ± 2.1788·√(1.6e-05·2/5), t₀.₀₂₅(12) = 2.1788 as the t table prints it
    QCOMPARE(intervals->item(0, 1)->text(), QStringLiteral("(−0.019512, −0.00848802)"));
    QVERIFY(w->detailsPane()->chart().has_value());
    // The level chart has a tab of its own beside the F distribution's.
    w->setDetailsVisible(true);
    w->detailsPane()->showTab(2);
    QTRY_VERIFY(w->detailsPane()->secondChartView() && w->detailsPane()->secondChartView()->isVisibleTo(w));
    QVERIFY(w->statusLine()->text().contains(QStringLiteral("F_A = 32.9167")));
  }

  void twoFactorsWithoutReplicationTestBothFactors() {
    FormAnova* w = open();
    choose(w, "anovaTwoWayOption");
    QCOMPARE(WindowFixture::cell(w, 0, 2), QStringLiteral("B2"));
    WindowFixture::fill(w, 1, {"53", "56", "45", "52"});
    WindowFixture::fill(w, 2, {"47", "50", "47", "47"});
    WindowFixture::fill(w, 3, {"57", "63", "54", "57"});
    compute(w);
    QCOMPARE(rows(w), (QStringList{"因素A|23.7097|5.14", "因素B|6.8645|4.76", "误差||", "总和||"}));
    QVERIFY(!WindowFixture::control<QTableWidget>(w, QStringLiteral("intervalTable"))->isVisibleTo(w));
  }

  void replicatedCellsTakeTypedLists() {
    FormAnova* w = open();
    choose(w, "anovaReplicatedOption");
    QCOMPARE(w->design(), AnovaDesign::Replicated);
    WindowFixture::clickCell(w, 1, 1);
    QTest::keyClicks(w->editor(), QStringLiteral("58.2 52.6"));
    QCOMPARE(WindowFixture::cell(w, 1, 1), QStringLiteral("58.2 52.6"));
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    WindowFixture::fill(w, 1, {"56.2 41.2", "65.3 60.8"}, 2);
    WindowFixture::fill(w, 2, {"49.1 42.8", "54.1 50.5", "51.6 48.4"});
    WindowFixture::fill(w, 3, {"60.1 58.3", "70.9 73.2", "39.2 40.7"});
    WindowFixture::fill(w, 4, {"75.8 71.5", "58.2 51.0", "48.7 41.4"});
    compute(w);
    QCOMPARE(rows(w).size(), 5);
    QCOMPARE(rows(w)[2], QStringLiteral("交互作用|14.9288|3.00"));
  }

  // Cells of repeated observations travel through a data file; a mode whose cells take one
  // number refuses them and keeps the window as it was.
  void replicatedDataTravelsWithTheDataFile() {
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("anova.csv"));
    FormAnova* w = open();
    choose(w, "anovaReplicatedOption");
    WindowFixture::fill(w, 1, {"58.2 52.6", "56.2 41.2", "65.3 60.8"});
    WindowFixture::fill(w, 2, {"49.1 42.8", "54.1 50.5", "51.6 48.4"});
    WindowFixture::fill(w, 3, {"60.1 58.3", "70.9 73.2", "39.2 40.7"});
    WindowFixture::fill(w, 4, {"75.8 71.5", "58.2 51.0", "48.7 41.4"});
    compute(w);
    QCOMPARE(rows(w).size(), 5);
    m_fixture->dialogs.queueFilePath(file);
    QVERIFY(w->saveData());
    FormAnova* other = open();
    WindowFixture::typeAndLeave(other, QStringLiteral("Text2"), QStringLiteral("0.01"));
    m_fixture->dialogs.queueFilePath(file);
    other->openData();
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    QCOMPARE(other->design(), AnovaDesign::Replicated);
    QCOMPARE(WindowFixture::control<QLineEdit>(other, QStringLiteral("Text2"))->text(), QStringLiteral("0.05"));
    for (int r = 1; r <= 5; ++r)
      for (int c = 1; c <= 4; ++c) QCOMPARE(WindowFixture::cell(other, r, c), WindowFixture::cell(w, r, c));
    compute(other);
    QCOMPARE(rows(other), rows(w));

    QFile in(file);
    QVERIFY(in.open(QIODevice::ReadOnly));
    QByteArray text = in.readAll();
    in.close();
    text.replace("输入方式三", "输入方式一");
    QVERIFY(in.open(QIODevice::WriteOnly | QIODevice::Truncate));
    in.write(text);
    in.close();
    m_fixture->dialogs.queueFilePath(file);
    other->openData();
    QCOMPARE(m_fixture->messageTexts().size(), 1);
    QVERIFY(m_fixture->messageTexts()[0].contains(QStringLiteral("第 1 行第 1 列的“58.2 52.6”是一组数值")));
    QCOMPARE(other->design(), AnovaDesign::Replicated);
    QCOMPARE(WindowFixture::cell(other, 4, 3), QStringLiteral("48.7 41.4"));
    QCOMPARE(rows(other), rows(w));
  }

  void refusalLeavesNoTable() {
    FormAnova* w = open();
    WindowFixture::fill(w, 1, {"1", "2", "3"});
    compute(w);
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("至少需要两个水平的观测值")});
    QCOMPARE(rows(w), QStringList());
    QCOMPARE(WindowFixture::label(w, "conclusionLabel"), QString());
  }

 private:
  FormAnova* open() {
    auto* w = m_fixture->open<FormAnova>(WindowClass::FormAnova, QStringLiteral("方差分析"), 0);
    WindowFixture::typeAndLeave(w, QStringLiteral("Text2"), QStringLiteral("0.05"));
    return w;
  }
  static void choose(FormAnova* w, const char* option) {
    auto* button = WindowFixture::control<QRadioButton>(w, QString::fromLatin1(option));
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(8, button->height() / 2));
  }
  static void compute(FormAnova* w) { WindowFixture::click(w, QStringLiteral("Command1")); }
  // Each row of the ANOVA table as "source|F|F_α".
  static QStringList rows(FormAnova* w) {
    auto* table = WindowFixture::control<QTableWidget>(w, QStringLiteral("anovaTable"));
    QStringList out;
    for (int r = 0; r < table->rowCount(); ++r)
      out << table->item(r, 0)->text() + "|" + table->item(r, 4)->text() + "|" + table->item(r, 5)->text();
    return out;
  }

  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(FormAnovaTest)
#include "FormAnovaTest.moc"
