// The tables window's wiring: a tab per table, the search row finding and selecting a cell
// with the exact value beside it, a refused search, and a worked solution's table step
// opening the window at its cell.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTextBrowser>

#include "core/documents/WorkedSolution.h"
#include "core/tables/Quantiles.h"
#include "gui/common/AppContext.h"
#include "gui/frame/DetailsPane.h"
#include "gui/support/WindowFixture.h"
#include "gui/tools/StatisticalTables.h"
#include "gui/tools/ToolWindows.h"

using namespace kelvo;

namespace {

StatisticalTables* OpenTables() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* tables = qobject_cast<StatisticalTables*>(w)) return tables;
  return nullptr;
}

}  // namespace

class StatisticalTablesTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() {
    delete OpenTables();
    m_fixture.reset();
  }

  void searchSelectsTheCellWithItsExactValue() {
    StatisticalTables* window = ShowStatisticalTables();
    auto* tabs = WindowFixture::control<QTabWidget>(window, QStringLiteral("tableTabs"));
    QCOMPARE(tabs->count(), 9);
    QCOMPARE(tabs->tabText(1), QStringLiteral("t 分布表"));
    tabs->setCurrentIndex(1);
    WindowFixture::control<QLineEdit>(window, QStringLiteral("searchFirstBox"))->setText(QStringLiteral("6"));
    WindowFixture::control<QLineEdit>(window, QStringLiteral("searchAlphaBox"))->setText(QStringLiteral("0.025"));
    QTest::mouseClick(WindowFixture::control<QPushButton>(window, QStringLiteral("searchButton")), Qt::LeftButton);
    const QModelIndex current = window->tableView(1)->currentIndex();
    QCOMPARE(current.row(), 5);     // df 6
    QCOMPARE(current.column(), 3);  // α = 0.025
    QCOMPARE(current.data().toString(), QStringLiteral("2.4469"));
    QCOMPARE(WindowFixture::control<QLabel>(window, QStringLiteral("exactLabel"))->text(),
             QStringLiteral("t₀.₀₂₅(6) = 2.4469（精确值 2.44691）"));

    WindowFixture::control<QLineEdit>(window, QStringLiteral("searchFirstBox"))->setText(QStringLiteral("50"));
    QVERIFY(!window->search());
    QCOMPARE(m_fixture->messageTexts(), QStringList{QStringLiteral("表中没有自由度 50 的行")});
    QCOMPARE(WindowFixture::control<QLabel>(window, QStringLiteral("exactLabel"))->text(), QString());
  }

  // The table step of a worked solution in the details pane is a link to its cell.
  void solutionTableStepOpensTheTablesAtItsCell() {
    DetailsPane pane(nullptr);
    pane.show();
    WorkedSolution solution;
    solution.formula("F₀.₀₅(3, 12) = 3.49（附表（F 分布，α = 0.05）n₁ = 3，n₂ = 12）");
    pane.setSolution(solution);
    auto* text = WindowFixture::control<QTextBrowser>(&pane, QStringLiteral("DetailsText"));
    QVERIFY(text->toHtml().contains(QStringLiteral("kelvo-table:f/3/12/0.05")));
    emit text->anchorClicked(QUrl(QStringLiteral("kelvo-table:f/3/12/0.05")));
    StatisticalTables* window = OpenTables();
    QVERIFY(window);
    auto* tabs = WindowFixture::control<QTabWidget>(window, QStringLiteral("tableTabs"));
    QCOMPARE(tabs->tabText(tabs->currentIndex()), QStringLiteral("F 分布表 α = 0.05"));
    const QModelIndex current = window->tableView(tabs->currentIndex())->currentIndex();
    QCOMPARE(current.data().toDouble(), FQuantile(App().tables, 3, 12, 0.05).value);
  }

 private:
  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(StatisticalTablesTest)
#include "StatisticalTablesTest.moc"
