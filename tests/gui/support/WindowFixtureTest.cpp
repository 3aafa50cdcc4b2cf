// The window fixture: its control look-ups (a name that is not there fails the test that
// asked for it, cleanly, and the run goes on to the next test), and a new run for each test.
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "gui/estimation/Form9.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

class WindowFixtureTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    m_fixture = std::make_unique<WindowFixture>();
    m_window = m_fixture->open<Form9>(WindowClass::Form9, QString(), 5);
    QVERIFY(m_window);
  }
  void cleanup() { m_fixture.reset(); }

  // Each call below must report a failure (taken as expected here) instead of crashing. A
  // helper that stayed silent would leave its QEXPECT_FAIL pending, and the next QEXPECT_FAIL
  // ("Already expecting a fail") or check (an unexpected pass) fails this test.
  void missingControlsFailTheTest() {
    const QString missing = QStringLiteral("NoSuchControl");

    QEXPECT_FAIL("", "no push button of that name", Continue);
    WindowFixture::click(m_window, missing);

    QEXPECT_FAIL("", "no label of that name", Continue);
    WindowFixture::clickLabel(m_window, missing);

    QEXPECT_FAIL("", "no label of that name", Continue);
    const QString text = WindowFixture::label(m_window, missing);
    QVERIFY(text.isNull());

    QEXPECT_FAIL("", "no toolbar button of that name", Continue);
    WindowFixture::toolbar(m_window, missing);

    QEXPECT_FAIL("", "a label is not a push button", Continue);
    QVERIFY(!WindowFixture::control<QPushButton>(m_window, QStringLiteral("Label3")));

    QEXPECT_FAIL("", "no window at all", Continue);
    QVERIFY(WindowFixture::label(nullptr, QStringLiteral("Label3")).isNull());
  }

  // The same helpers still find what is there, without reporting anything.
  void presentControlsAreFound() {
    QVERIFY(WindowFixture::control<QLabel>(m_window, QStringLiteral("Label3")));
    QCOMPARE(WindowFixture::label(m_window, QStringLiteral("Label3")), QStringLiteral("μ的估计值"));
    WindowFixture::toolbar(m_window, QStringLiteral("缩小"));
  }

  // Nothing one test changes reaches the next fixture's run.
  void aNewFixtureStartsAFreshRun() {
    App().program.settings.sampleLimit = 500;
    App().program.copyBuffer = "1";
    m_window->setDetailsVisible(true);
    m_fixture.reset();
    m_fixture = std::make_unique<WindowFixture>();
    QCOMPARE(App().program.settings.sampleLimit, EnvSettings::kMinSampleLimit);
    QVERIFY(App().program.copyBuffer.empty());
    QVERIFY(App().windows.isEmpty());
    QVERIFY(App().detailsShown.isEmpty());
  }

 private:
  std::unique_ptr<WindowFixture> m_fixture;
  Form9* m_window = nullptr;
};

QTEST_MAIN(WindowFixtureTest)
#include "WindowFixtureTest.moc"
