// The main window: its menu, the window launcher, the two settings, re-layout and help.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTextBrowser>

#include "core/settings/EnvSettings.h"
#include "core/settings/ProgramState.h"
#include "core/layout/ScaleLayout.h"
#include "core/tables/Quantiles.h"
#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/AppContext.h"
#include "gui/common/ControlLayout.h"
#include "gui/common/HelpViewer.h"
#include "gui/app/MainWindow.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

// The menu as the user sees it, typed out from the design: one line per item,
// "depth|name|caption", separators with the caption "-".
const char* const kExpectedMenu[] = {
    "0|menudian|点估计(&A)", "1|menu01|0-1分布", "1|menuex|二项分布", "1|menubs|泊松分布",
    "1|menuspace1|-", "1|menujy|均匀分布", "1|menuzt|正态分布", "1|menuzs|指数分布",
    "0|menuqj|区间估计(&B)", "1|menu01a|0-1分布", "1|menuexa|二项分布", "1|menubsa|泊松分布",
    "1|menuspace2|-", "1|menujya|单个正态分布", "2|menuzt1|σ已知；求μ", "2|menuzt2|σ未知；求μ",
    "2|menusp3|-", "2|menuzt3|μ已知；求σ", "2|menutzt4|μ未知；求σ", "1|menuzta|两个正态分布",
    "2|menuzt5|σ1与σ2已知；求μ1-μ2", "2|menuzt6|σ1=σ2 未知；求μ1-μ2",
    "2|menuzt7|σ1与σ2未知；求μ1-μ2", "2|menusp4|-", "2|menuzt8|μ1与μ2已知；求σ1/σ2",
    "2|menuzt9|μ1与μ2未知；求σ1/σ2", "1|menuzsa|指数分布",
    "0|menucsjy|参数检验(&C)", "1|junzhijy|均值检验", "2|dangezongti|单个总体", "3|menuzjy1|Z检验",
    "3|menuspace211|-", "3|menutjy1|T检验", "2|menuspace21|-", "2|lianggezongti|两个总体",
    "3|menuzjy2|Z检验", "3|menuspce221|-", "3|menutjy2|T检验", "3|menusp5|-",
    "3|menutjy3|T检验(Ⅱ)", "1|menusp21|-", "1|bzcjy|标准差检验", "2|dangezongtia|单个总体",
    "3|menuxjy|x2检验(Ⅰ)", "3|menusp6|-", "3|menuxjy2|x2检验(Ⅱ)", "2|menuspace221|-",
    "2|lianggezongtia|两个总体", "3|menufjy|F检验", "1|menusp22|-", "1|menucdsj|成对数据",
    "1|menusp7|-", "1|jjcsjy|渐进检验", "2|jjo1menu|0-1分布", "2|menusp8|-", "2|jjexmenu|二项分布",
    "2|menusp9|-", "2|jjbsmenu|泊松分布", "2|menusp10|-", "2|jjzsmenu|指数分布",
    "1|menuspanova|-", "1|menuanova|方差分析", "1|menuregr|一元线性回归",
    "0|menufbhs|分布函数检验(&D)", "1|menufbnh|分布拟合检验", "1|menusp31|-",
    "1|menupdfd|偏度,峰度检验", "1|menusp32|-", "1|menuzhjy|秩和检验",
    "0|huanjiang|环境变量(&E)", "1|yangben|设置样本量上限", "1|yangben2|-", "1|yangben1|设置样本数宽度",
    "0|menutools|工具(&T)", "1|menuprob|概率计算器", "1|menutables|统计用表",
    "0|menuexercise|练习(&X)", "1|menupractice|开始练习…", "1|menuproblemset|生成习题集…",
    "0|menuhelp|帮助(&H)", "1|menuhelp1|软件帮助",
};

// Every task command: the class it opens, the caption the window shows and its Tag.
struct Launch {
  const char* item;
  const char* windowClass;
  const char* caption;
  const char* tag;
};
const Launch kLaunches[] = {
    {"menu01", "Form9", "0-1分布点估计", "1"}, {"menuex", "Form9", "二项分布", "2"},
    {"menubs", "Form9", "泊松分布", "3"},     {"menujy", "Form9", "均匀分布", "4"},
    {"menuzt", "Form9", "正态分布", "5"},     {"menuzs", "Form9", "指数分布", "6"},
    {"menu01a", "Form3", "0-1分布", "1"},     {"menuexa", "Form3", "二项分布", "2"},
    {"menubsa", "Form3", "泊松分布", "3"},    {"menuzsa", "Form3", "指数分布", "6"},
    {"menuzt1", "Form3a", nullptr, "1"},      {"menuzt2", "Form3a", nullptr, "2"},
    {"menuzt3", "Form3a", nullptr, "3"},      {"menutzt4", "Form3a", nullptr, "4"},
    {"menuzt5", "Form3a", nullptr, "5"},      {"menuzt6", "Form3a", nullptr, "6"},
    {"menuzt7", "Form3a", nullptr, "7"},      {"menuzt8", "Form3a", nullptr, "8"},
    {"menuzt9", "Form3a", nullptr, "9"},      {"menuzjy1", "Form4", nullptr, "1"},
    {"menutjy1", "Form4", nullptr, "2"},      {"menuxjy", "Form4", nullptr, "3"},
    {"menuxjy2", "Form4", nullptr, "4"},      {"menuzjy2", "Form4", nullptr, "5"},
    {"menutjy2", "Form4", nullptr, "6"},      {"menutjy3", "Form4", nullptr, "7"},
    {"menufjy", "Form4", nullptr, "8"},       {"menucdsj", "Form4", nullptr, "9"},
    {"jjo1menu", "Form8", nullptr, "1"},      {"jjexmenu", "Form8", nullptr, "2"},
    {"jjbsmenu", "Form8", nullptr, "3"},      {"jjzsmenu", "Form8", nullptr, "4"},
    {"menupdfd", "Form8", nullptr, "5"},      {"menufbnh", "Form5", "分布拟和检验", ""},
    {"menuzhjy", "Form7", "秩和检验", ""},
    {"menuanova", "FormAnova", "方差分析", ""},
    {"menuregr", "FormRegression", "一元线性回归", ""},
};

void Walk(QMenu* menu, int depth, QStringList& out) {
  for (QAction* action : menu->actions()) {
    const QString caption = action->isSeparator() ? QStringLiteral("-") : action->text();
    out << QStringLiteral("%1|%2|%3").arg(depth).arg(action->objectName(), caption);
    if (action->menu()) Walk(action->menu(), depth + 1, out);
  }
}

QAction* MenuItem(Form1* window, const char* name) {
  return window->findChild<QAction*>(QString::fromLatin1(name));
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() { m_fixture.reset(); }

  void menuMatchesTheDesign() {
    QStringList actual;
    for (QAction* top : m_fixture->mainWindow()->menuBar()->actions()) {
      actual << QStringLiteral("0|%1|%2").arg(top->objectName(), top->text());
      Walk(top->menu(), 1, actual);
    }
    QStringList expected;
    for (const char* line : kExpectedMenu) expected << QString::fromUtf8(line);
    QCOMPARE(actual, expected);
    QCOMPARE(m_fixture->mainWindow()->windowTitle(), QStringLiteral("Kelvo"));
  }

  void everyCommandOpensItsWindow() {
    for (const Launch& launch : kLaunches) {
      const auto before = AnalysisWindow::openWindows().size();
      MenuItem(m_fixture->mainWindow(), launch.item)->trigger();
      QCOMPARE(AnalysisWindow::openWindows().size(), before + 1);
      AnalysisWindow* window = AnalysisWindow::openWindows().last();
      QCOMPARE(window->metaObject()->className(),
               QByteArray("kelvo::") + launch.windowClass);
      QCOMPARE(window->objectName(), QString::fromLatin1(launch.windowClass));
      if (launch.caption) QCOMPARE(window->windowTitle(), QString::fromUtf8(launch.caption));
      QCOMPARE(window->tag(), QString::fromLatin1(launch.tag));
      QVERIFY(window->isVisible());
      QVERIFY(window->parentWidget() == nullptr);
      window->close();
    }
  }

  // The tool windows are one of each: a second click brings the same window to the front.
  void toolCommandsOpenOneWindowEach() {
    const std::pair<const char*, const char*> tools[] = {{"menuprob", "ProbabilityCalculator"},
                                                         {"menutables", "StatisticalTables"}};
    for (const auto& [item, window] : tools) {
      auto shown = [name = QString::fromLatin1(window)] {
        QList<QWidget*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
          if (w->isVisible() && w->objectName() == name) found << w;
        return found;
      };
      MenuItem(m_fixture->mainWindow(), item)->trigger();
      const QList<QWidget*> first = shown();
      QCOMPARE(first.size(), 1);
      MenuItem(m_fixture->mainWindow(), item)->trigger();
      QCOMPARE(shown(), first);
      QVERIFY(first[0]->parentWidget() == nullptr);
      delete first[0];
    }
    QCOMPARE(m_fixture->messageTexts(), QStringList());
  }

  void sameCommandTwiceGivesTwoIndependentWindows() {
    MenuItem(m_fixture->mainWindow(), "menuzs")->trigger();
    MenuItem(m_fixture->mainWindow(), "menuzs")->trigger();
    const auto windows = AnalysisWindow::openWindows();
    QCOMPARE(windows.size(), 2);
    WindowFixture::fill(windows[0], 1, {QStringLiteral("5")});
    QCOMPARE(WindowFixture::cell(windows[1], 1, 1), QString());
    m_fixture->dialogs.queueChoice(QStringLiteral("不保存"));  // the typed 5 is not kept
    windows[0]->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(AnalysisWindow::openWindows().size(), 1);
    QVERIFY(windows[1]->isVisible());
  }

  void closingTheMainWindowClosesEverything() {
    MenuItem(m_fixture->mainWindow(), "menu01")->trigger();
    MenuItem(m_fixture->mainWindow(), "menuzhjy")->trigger();
    QCOMPARE(AnalysisWindow::openWindows().size(), 2);
    m_fixture->mainWindow()->close();
    QCOMPARE(AnalysisWindow::openWindows().size(), 0);
  }

  void sampleLimitAnswers_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("limit");
    QTest::newRow("200") << "200" << 200;
    QTest::newRow("below the bound") << "50" << 101;
    QTest::newRow("letters") << "abc" << 101;
    QTest::newRow("empty") << "" << 101;
    QTest::newRow("half to even") << "150.5" << 150;
    QTest::newRow("beyond 16 bits") << "40000" << 32767;
    QTest::newRow("overflowing number") << "1e999" << 32767;
  }
  void sampleLimitAnswers() {
    QFETCH(QString, answer);
    QFETCH(int, limit);
    m_fixture->dialogs.queueAnswer(answer);
    MenuItem(m_fixture->mainWindow(), "yangben")->trigger();
    QCOMPARE(m_fixture->dialogs.prompts.value(0), QStringLiteral("样本量输入上限"));
    QCOMPARE(m_fixture->dialogs.titles.value(0), QStringLiteral("环境设定"));
    QCOMPARE(App().program.settings.sampleLimit, limit);
  }

  void aNewMainWindowKeepsTheSettingsOfTheRun() {
    App().program.settings.sampleLimit = 500;
    App().program.settings.dataWidth = 20;
    Form1 another;
    QCOMPARE(App().program.settings.sampleLimit, 500);
    QCOMPARE(App().program.settings.dataWidth, 20);
  }

  void settingsShapeOnlyLaterWindows() {
    AnalysisWindow* before = m_fixture->openWindow(WindowClass::Form9, QString(), 1);
    m_fixture->dialogs.queueAnswer(QStringLiteral("200"));
    MenuItem(m_fixture->mainWindow(), "yangben")->trigger();
    m_fixture->dialogs.queueAnswer(QStringLiteral("12x"));
    MenuItem(m_fixture->mainWindow(), "yangben1")->trigger();
    QCOMPARE(m_fixture->dialogs.prompts.value(1), QStringLiteral("样本数据宽度"));
    QCOMPARE(App().program.settings.dataWidth, 12);
    AnalysisWindow* after = m_fixture->openWindow(WindowClass::Form9, QString(), 1);

    QCOMPARE(before->cells().cols(), 101);
    QCOMPARE(after->cells().cols(), 200);
    QCOMPARE(WindowFixture::cell(after, 0, 199), QStringLiteral("199"));
    QCOMPARE(after->grid()->columnWidth(5) * kTwipsPerPixel, 1200);
    QCOMPARE(before->grid()->columnWidth(5) * kTwipsPerPixel, 900);

    // Eight and a half rounds to 8, then rises to the bound; Cancel keeps what is in force.
    m_fixture->dialogs.queueAnswer(QStringLiteral("8.5"));
    MenuItem(m_fixture->mainWindow(), "yangben1")->trigger();
    QCOMPARE(App().program.settings.dataWidth, 9);
    m_fixture->dialogs.queueAnswer(QStringLiteral("20"));
    MenuItem(m_fixture->mainWindow(), "yangben1")->trigger();
    m_fixture->dialogs.queueCancel();
    MenuItem(m_fixture->mainWindow(), "yangben1")->trigger();
    QCOMPARE(App().program.settings.dataWidth, 20);
    m_fixture->dialogs.queueAnswer(QStringLiteral("500"));
    MenuItem(m_fixture->mainWindow(), "yangben")->trigger();
    m_fixture->dialogs.queueCancel();
    MenuItem(m_fixture->mainWindow(), "yangben")->trigger();
    QCOMPARE(App().program.settings.sampleLimit, 500);
    QCOMPARE(m_fixture->openWindow(WindowClass::Form9, QString(), 1)->cells().cols(), 500);
  }

  void resizingScalesEveryControl() {
    Form1* window = m_fixture->mainWindow();
    QWidget* panel = window->findChild<QWidget*>(QStringLiteral("Picture1"));
    const TwipsRect start = ControlTwips(panel);
    const int width = window->width();
    window->resize(width * 2, window->height());
    QCoreApplication::processEvents();
    const TwipsRect doubled = ControlTwips(panel);
    QVERIFY(std::abs(doubled.left - 2 * start.left) <= 3);
    QVERIFY(std::abs(doubled.top - 2 * start.top) <= 3);
    QVERIFY(std::abs(doubled.width - 2 * start.width) <= 3);
    QVERIFY(std::abs(doubled.height - 2 * start.height) <= 3);
    QCOMPARE(window->referenceWidth(), static_cast<long long>(width) * 2 * kTwipsPerPixel);
    window->resize(width, window->height());
    QCoreApplication::processEvents();
    const TwipsRect back = ControlTwips(panel);
    QVERIFY(std::abs(back.left - start.left) <= 2);
    QVERIFY(std::abs(back.width - start.width) <= 2);
    QVERIFY(window->titleLabel()->isVisible());
  }

  void titleFontFollowsTheWindowState() {
    Form1* window = m_fixture->mainWindow();
    QCOMPARE(window->titleLabel()->font().pointSize(), 40);
    window->showMaximized();
    QCoreApplication::processEvents();
    QCOMPARE(window->titleLabel()->font().pointSize(), 80);
    window->showMinimized();
    QCoreApplication::processEvents();
    QCOMPARE(window->titleLabel()->font().pointSize(), 80);
    window->showNormal();
    QCoreApplication::processEvents();
    QCOMPARE(window->titleLabel()->font().pointSize(), 40);
  }

  void helpOpensTheDocumentAtItsContents() {
    MenuItem(m_fixture->mainWindow(), "menuhelp1")->trigger();
    QVERIFY(m_fixture->dialogs.messages.empty());
    HelpWindow* viewer = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QLatin1String("HelpViewer")) viewer = qobject_cast<HelpWindow*>(w);
    QVERIFY(viewer);
    QVERIFY(viewer->isVisible());
    QCOMPARE(viewer->browser()->source().fragment(), QStringLiteral("top"));
    QVERIFY(viewer->browser()->toPlainText().contains(QStringLiteral("数据录入")));
    viewer->close();
  }

  void missingHelpDocumentIsReported() {
    App().helpDocumentPath = QStringLiteral("/nonexistent/kelvo.html");
    MenuItem(m_fixture->mainWindow(), "menuhelp1")->trigger();
    QCOMPARE(m_fixture->dialogs.messages.size(), std::size_t{1});
    QVERIFY(m_fixture->dialogs.messages[0].text.contains(QStringLiteral("/nonexistent/kelvo.html")));
  }

 private:
  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
