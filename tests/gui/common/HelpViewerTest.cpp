// The help window: each analysis window's help lands on its own section, back and forward
// follow the sections seen, and the search box finds text or says that it is not there.
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QToolButton>
#include <memory>

#include "gui/frame/AnalysisWindow.h"
#include "gui/common/HelpViewer.h"
#include "gui/support/WindowFixture.h"

using namespace kelvo;

namespace {

HelpWindow* ShownHelp() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == QLatin1String("HelpViewer") && w->isVisible())
      return qobject_cast<HelpWindow*>(w);
  return nullptr;
}

// The text block that carries the anchor `name`, or an invalid block.
QTextBlock AnchorBlock(const QTextDocument* document, const QString& name) {
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
    for (auto it = block.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().anchorNames().contains(name)) return block;
  return {};
}

// The first block at the top of the browser's view.
QTextBlock TopBlock(QTextBrowser* browser) { return browser->cursorForPosition(QPoint(4, 4)).block(); }

// Types `text` over the box's text as an input method commits it; the search follows the typing.
void Type(QLineEdit* box, const QString& text) {
  box->selectAll();
  QInputMethodEvent event;
  event.setCommitString(text);
  QApplication::sendEvent(box, &event);
}

}  // namespace

class HelpViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { m_fixture = std::make_unique<WindowFixture>(); }
  void cleanup() {
    if (HelpWindow* help = ShownHelp()) help->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    m_fixture.reset();
  }

  void eachWindowOpensItsOwnSection_data() {
    QTest::addColumn<WindowClass>("windowClass");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("section");
    QTest::newRow("point estimation") << WindowClass::Form9 << 5 << "estimation";
    QTest::newRow("large-sample intervals") << WindowClass::Form3 << 1 << "form3";
    QTest::newRow("normal intervals") << WindowClass::Form3a << 7 << "form3a";
    QTest::newRow("parametric tests") << WindowClass::Form4 << 2 << "parametric";
    QTest::newRow("asymptotic tests") << WindowClass::Form8 << 3 << "asymptotic";
    QTest::newRow("skewness and kurtosis") << WindowClass::Form8 << 5 << "skewness-kurtosis";
    QTest::newRow("goodness of fit") << WindowClass::Form5 << 0 << "fitting";
    QTest::newRow("rank sum") << WindowClass::Form7 << 0 << "ranksum";
    QTest::newRow("analysis of variance") << WindowClass::FormAnova << 0 << "anova";
  }
  void eachWindowOpensItsOwnSection() {
    QFETCH(WindowClass, windowClass);
    QFETCH(int, mode);
    QFETCH(QString, section);
    m_fixture->openWindow(windowClass, QString(), mode)->showHelp();
    HelpWindow* help = ShownHelp();
    QVERIFY(help);
    QCOMPARE(help->browser()->source().fragment(), section);
    const QTextBlock heading = AnchorBlock(help->browser()->document(), section);
    QVERIFY2(heading.isValid(), qPrintable(section));
    QCOMPARE(TopBlock(help->browser()).blockNumber(), heading.blockNumber());
  }

  void backAndForwardReturnToTheSectionsSeen() {
    ShowProgramHelp(nullptr);
    HelpWindow* help = ShownHelp();
    QVERIFY(help);
    QTextBrowser* browser = help->browser();
    QVERIFY(!help->backButton()->isEnabled());
    QVERIFY(!help->forwardButton()->isEnabled());
    // A click on the contents' entry, as the reader does it: the browser has the focus.
    WindowFixture::activate(browser);
    browser->setFocus();
    const QTextCursor entry = browser->document()->find(QStringLiteral("秩和检验"));
    QVERIFY(!entry.isNull());
    QTextCursor insideEntry(browser->document());
    insideEntry.setPosition(entry.selectionStart() + 2);
    QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, browser->cursorRect(insideEntry).center());
    QCOMPARE(browser->source().fragment(), QStringLiteral("ranksum"));
    const QTextBlock section = TopBlock(browser);
    QCOMPARE(section.blockNumber(), AnchorBlock(browser->document(), QStringLiteral("ranksum")).blockNumber());
    QVERIFY(help->backButton()->isEnabled());

    QTest::mouseClick(help->backButton(), Qt::LeftButton);
    QCOMPARE(browser->source().fragment(), QStringLiteral("top"));
    QCOMPARE(TopBlock(browser).blockNumber(), AnchorBlock(browser->document(), QStringLiteral("top")).blockNumber());
    QVERIFY(!help->backButton()->isEnabled());
    QVERIFY(help->forwardButton()->isEnabled());

    QTest::mouseClick(help->forwardButton(), Qt::LeftButton);
    QCOMPARE(browser->source().fragment(), QStringLiteral("ranksum"));
    QCOMPARE(TopBlock(browser).blockNumber(), section.blockNumber());
    QVERIFY(!help->forwardButton()->isEnabled());
  }

  void searchFindsTheNextMatchOrSaysThereIsNone() {
    ShowProgramHelp(nullptr);
    HelpWindow* help = ShownHelp();
    QVERIFY(help);
    QTextBrowser* browser = help->browser();
    Type(help->searchBox(), QStringLiteral("秩和"));
    QCOMPARE(browser->textCursor().selectedText(), QStringLiteral("秩和"));
    QVERIFY(help->searchNote()->text().isEmpty());
    const int first = browser->textCursor().selectionStart();
    QTest::keyClick(help->searchBox(), Qt::Key_Return);
    QCOMPARE(browser->textCursor().selectedText(), QStringLiteral("秩和"));
    QVERIFY(browser->textCursor().selectionStart() > first);

    // Past the last match the search goes on from the top.
    Type(help->searchBox(), QStringLiteral("Alt+←"));
    const int only = browser->textCursor().selectionStart();
    QVERIFY(browser->textCursor().hasSelection());
    QTest::keyClick(help->searchBox(), Qt::Key_Return);
    QCOMPARE(browser->textCursor().selectionStart(), only);
    QVERIFY(help->searchNote()->text().contains(QStringLiteral("从头")));

    Type(help->searchBox(), QStringLiteral("贝叶斯"));
    QCOMPARE(help->searchNote()->text(), QStringLiteral("未找到“贝叶斯”"));
  }

 private:
  std::unique_ptr<WindowFixture> m_fixture;
};

QTEST_MAIN(HelpViewerTest)
#include "HelpViewerTest.moc"
