// A window whose computation needs a critical value reports a missing or damaged table
// database instead of showing a result.
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "core/tables/Quantiles.h"
#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/ValueLabel.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

// The smallest window that looks a critical value up: t(n - 1, 0.025) of the sample size.
class CriticalValueWindow : public AnalysisWindow {
 public:
  CriticalValueWindow() : AnalysisWindow(FrameOptions{}) {
    m_result = addValueLabel(surface(), QStringLiteral("Label1"), 3000, 2300, 1500, 400);
    WindowFixture::fill(this, 1, {QStringLiteral("1")});  // nothing is computed without a sample
  }
  ValueLabel* m_result;

 protected:
  void compute() override { m_result->showValue(TQuantile(App().tables, 15, 0.025).value); }
};

}  // namespace

class TableErrorTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  void presentDatabaseGivesTheValue() {
    CriticalValueWindow window;
    window.computeClicked();
    QVERIFY(m_fixture->dialogs.messages.empty());
    QCOMPARE(window.m_result->text(), QStringLiteral("2.131"));  // t(15, 0.025) = 2.1314
  }

  void faultyDatabaseIsReported_data() {
    QTest::addColumn<QByteArray>("content");  // empty: no file at all
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("not a database") << QByteArray("this is not a database, only text\n");
  }
  void faultyDatabaseIsReported() {
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bzztfbb.db"));
    if (!content.isEmpty()) {
      QFile file(path);
      QVERIFY(file.open(QIODevice::WriteOnly));
      file.write(content);
    }
    App().tables.open(path.toStdString());
    CriticalValueWindow window;
    window.computeClicked();
    QCOMPARE(m_fixture->dialogs.messages.size(), std::size_t{1});
    const ShownMessage& shown = m_fixture->dialogs.messages[0];
    QCOMPARE(shown.text, QStringLiteral("统计表数据库缺失或损坏\n") + path);
    QCOMPARE(shown.title, QStringLiteral("数据检查"));
    QCOMPARE(shown.icon, MessageIcon::Stop);
    QCOMPARE(window.m_result->text(), QString());
  }

 private:
  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(TableErrorTest)
#include "TableErrorTest.moc"
