// The exercise window's wiring: a code poses its problem with one answer box per answer, 提交
// marks the boxes and shows the solution and the score (a problem counts once), 下一题 clears
// the answers, a bad code changes nothing; and every topic's problems compute in their analysis
// window without a refusal, to the problem's decision; the problem-set dialog writes the sheet
// and the key.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>

#include "core/exercise/ExerciseCatalogue.h"
#include "core/exercise/Grading.h"
#include "core/exercise/ProblemSet.h"
#include "gui/app/WindowLauncher.h"
#include "gui/exercise/ExerciseWindow.h"
#include "gui/exercise/ProblemSetDialog.h"
#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/HypothesisLists.h"
#include "gui/frame/ValueLabel.h"
#include "gui/support/WindowFixture.h"
#include "gui/tools/ProbabilityCalculator.h"

using namespace kelvo;

class ExerciseWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    m_fixture = std::make_unique<WindowFixture>();
    m_window = ShowExerciseWindow();
  }
  void cleanup() {
    delete m_window;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (qobject_cast<ProbabilityCalculator*>(w)) delete w;
    m_fixture.reset();
  }

  void codePosesItsProblemWithABoxPerAnswer() {
    const Problem expected = PoseProblem(App().tables, {4, 2, 83721});
    typeCode(QStringLiteral("4-2-83721"));
    QCOMPARE(control<QLineEdit>("problemCode")->text(), QStringLiteral("4-2-83721"));
    QVERIFY(control<QTextBrowser>("problemText")->toPlainText().contains(QString::fromStdString(expected.question)));
    for (std::size_t i = 0; i < expected.answers.size(); ++i) {
      const QString n = QString::number(i + 1);
      QCOMPARE(control<QLabel>("answerCaption" + n)->text(), QString::fromStdString(expected.answers[i].caption));
      QVERIFY(control<QLineEdit>("answerBox" + n)->text().isEmpty());
    }
    QVERIFY(!m_window->findChild<QLineEdit*>("answerBox" + QString::number(expected.answers.size() + 1)));
    QCOMPARE(control<QComboBox>("decisionList")->isVisible(), !expected.decisions.empty());
    QCOMPARE(m_fixture->messageTexts(), QStringList());
  }

  void submitMarksTheBoxesShowsTheSolutionAndCountsOnce() {
    typeCode(QStringLiteral("4-2-83721"));
    const Problem& p = *m_window->problem();
    QVERIFY(p.answers.size() >= 3);
    control<QLineEdit>("answerBox1")->setText(QString::fromStdString(AnswerText(p.answers[0])));
    control<QLineEdit>("answerBox2")->setText(QStringLiteral("99999"));
    control<QComboBox>("decisionList")->setCurrentIndex(p.decisions.front() == Decision::AcceptH0 ? 1 : 2);
    QVERIFY(!control<QTextBrowser>("solutionText")->isVisible());
    click("submitButton");
    QCOMPARE(control<QLabel>("answerMark1")->text(), QStringLiteral("✓"));
    QCOMPARE(control<QLabel>("answerMark2")->text(), QStringLiteral("✗"));
    QCOMPARE(control<QLabel>("answerKey2")->text(), "答案：" + QString::fromStdString(AnswerText(p.answers[1])));
    QCOMPARE(control<QLabel>("answerMark3")->text(), QString());  // left empty: not graded
    QCOMPARE(control<QLabel>("decisionMark")->text(), QStringLiteral("✓"));
    QTextDocument solution;
    solution.setHtml(QString::fromStdString(p.solution.html()));
    QVERIFY(control<QTextBrowser>("solutionText")->isVisible());
    QCOMPARE(control<QTextBrowser>("solutionText")->toPlainText(), solution.toPlainText());
    QCOMPARE(control<QLabel>("scoreLabel")->text(), QStringLiteral("得分：2 / 3"));
    control<QLineEdit>("answerBox2")->setText(QString::fromStdString(AnswerText(p.answers[1])));
    click("submitButton");
    QCOMPARE(control<QLabel>("answerMark2")->text(), QStringLiteral("✓"));
    QCOMPARE(control<QLabel>("scoreLabel")->text(), QStringLiteral("得分：2 / 3"));

    click("nextButton");
    QVERIFY(control<QLineEdit>("problemCode")->text() != QStringLiteral("4-2-83721"));
    QVERIFY(control<QLineEdit>("answerBox1")->text().isEmpty());
    QCOMPARE(control<QLabel>("answerMark1")->text(), QString());
    QCOMPARE(control<QComboBox>("decisionList")->currentIndex(), 0);
    QVERIFY(!control<QTextBrowser>("solutionText")->isVisible());
    QCOMPARE(control<QLabel>("scoreLabel")->text(), QStringLiteral("得分：2 / 3"));
  }

  void chosenTopicIsPosedByNewAndNextProblem() {
    auto* topics = control<QListWidget>("topicList");
    QCOMPARE(topics->item(0)->text(), QStringLiteral("随机"));
    // The last item is a topic: the catalogue's last in its chapter's order.
    topics->setCurrentRow(topics->count() - 1);
    const QString name = topics->currentItem()->text().trimmed();
    for (const char* button : {"newProblemButton", "nextButton"}) {
      click(button);
      const ProblemCode code = m_window->problem()->code;
      QCOMPARE(QString::fromUtf8(FindExerciseTopic(code.topic, code.variant)->name), name);
    }
  }

  void badCodeIsRefusedAndChangesNothing() {
    typeCode(QStringLiteral("4-2-83721"));
    const QString problem = control<QTextBrowser>("problemText")->toPlainText();
    typeCode(QStringLiteral("99-1-5"));
    typeCode(QStringLiteral("4-2"));
    QCOMPARE(m_fixture->messageTexts().size(), 2);
    QCOMPARE(m_fixture->messageTexts().front(), QStringLiteral("没有这个题号"));
    QCOMPARE(control<QLineEdit>("problemCode")->text(), QStringLiteral("4-2-83721"));
    QCOMPARE(control<QTextBrowser>("problemText")->toPlainText(), problem);
    QCOMPARE(m_window->problem()->code, (ProblemCode{4, 2, 83721}));
  }

  void problemSetDialogWritesTheSheetAndTheKey() {
    ProblemSetDialog dialog;
    WindowFixture::control<QSpinBox>(&dialog, QStringLiteral("setCountBox"))->setValue(3);
    WindowFixture::control<QSpinBox>(&dialog, QStringLiteral("setSeedBox"))->setValue(4711);
    QTemporaryDir folder;
    std::vector<const ExerciseTopic*> topics;
    for (const ExerciseTopic& t : ExerciseTopics()) topics.push_back(&t);
    const ProblemSetDocuments expected = BuildProblemSet(App().tables, topics, 3, 4711);
    m_fixture->dialogs.queueFilePath(folder.filePath(QStringLiteral("第一周.html")));
    QTest::mouseClick(WindowFixture::control<QPushButton>(&dialog, QStringLiteral("setWriteButton")), Qt::LeftButton);
    QCOMPARE(ReadAll(folder.filePath(QStringLiteral("第一周.html"))), QByteArray::fromStdString(expected.sheet));
    QCOMPARE(ReadAll(folder.filePath(QStringLiteral("第一周_答案.html"))), QByteArray::fromStdString(expected.key));
    m_fixture->dialogs.queueFilePath(folder.filePath(QStringLiteral("第一周.pdf")));
    QVERIFY(dialog.writeFiles());
    QVERIFY(ReadAll(folder.filePath(QStringLiteral("第一周.pdf"))).startsWith("%PDF"));
    QVERIFY(ReadAll(folder.filePath(QStringLiteral("第一周_答案.pdf"))).startsWith("%PDF"));
    QCOMPARE(m_fixture->messageTexts(), QStringList());
    // A folder that is not there: the failure names the file, and says it is not written.
    for (const QString& name : {QStringLiteral("无此文件夹/第二周.html"), QStringLiteral("无此文件夹/第二周.pdf")}) {
      m_fixture->dialogs.queueFilePath(folder.filePath(name));
      QVERIFY(!dialog.writeFiles());
      QCOMPARE(m_fixture->messageTexts().size(), 1);
      QVERIFY2(m_fixture->messageTexts().front().startsWith(QStringLiteral("无法写入文件：")),
               qPrintable(m_fixture->messageTexts().front()));
      m_fixture->dialogs.messages.clear();
    }
  }

  void everyTopicComputesInItsWindowWithoutRefusal() {
    for (const ExerciseTopic& topic : ExerciseTopics())
      for (const int seed : {11, 2222, 54321}) {
        const ProblemCode code{topic.topic, topic.variant, seed};
        const QString name = QString::fromStdString(FormatProblemCode(code));
        QVERIFY2(m_window->pose(code), qPrintable(name));
        // A window that asks a binomial N on activation is answered with the problem's N.
        const std::optional<int> trials = m_window->problem()->window.settings.findWhole("trials");
        const bool asksTrials = trials && m_window->problem()->window.window != "Form8";
        if (asksTrials) m_fixture->dialogs.queueAnswer(QString::number(*trials));
        click("openInWindowButton");
        if (asksTrials) {
          QCOMPARE(m_fixture->dialogs.prompts, QStringList{QStringLiteral("输入二项分布中N的值")});
          m_fixture->dialogs.prompts.clear();
          m_fixture->dialogs.titles.clear();
        }
        const Problem& p = *m_window->problem();
        if (p.window.window == "ProbabilityCalculator") {
          ProbabilityCalculator* calculator = nullptr;
          for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* c = qobject_cast<ProbabilityCalculator*>(w)) calculator = c;
          QVERIFY2(calculator, qPrintable(name));
          QVERIFY2(calculator->compute(), qPrintable(name));
        } else {
          QVERIFY2(!AnalysisWindow::openWindows().isEmpty(), qPrintable(name));
          AnalysisWindow* w = AnalysisWindow::openWindows().back();
          QCOMPARE(w->objectName(), QString::fromStdString(p.window.window));
          QCOMPARE(w->windowTitle(), QString::fromStdString(p.window.title));
          WindowFixture::click(w, QStringLiteral("Command1"));
          const QString kind = w->objectName();
          const bool decides = kind == "Form4" || kind == "Form8" || kind == "Form5" || kind == "Form7";
          if (decides && !p.decisions.empty()) {
            auto* conclusion = w->findChild<ConclusionLabel*>();
            QVERIFY2(conclusion, qPrintable(name));
            if (p.decisions.front() == Decision::AcceptH0)
              QCOMPARE(conclusion->text(), AcceptH0Text());
            else
              QVERIFY2(!conclusion->text().isEmpty() && conclusion->text() != AcceptH0Text(), qPrintable(name));
          }
        }
        QVERIFY2(m_fixture->messageTexts().isEmpty(),
                 qPrintable(name + ": " + m_fixture->messageTexts().join(QStringLiteral(" | "))));
        QVERIFY2(m_fixture->dialogs.choices.empty() && m_fixture->dialogs.prompts.isEmpty(), qPrintable(name));
        CloseAllAnalysisWindows();
      }
  }

 private:
  template <class Control>
  Control* control(const QString& name, std::source_location where = std::source_location::current()) {
    return WindowFixture::control<Control>(m_window, name, where);
  }
  static QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  void click(const QString& name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }
  void typeCode(const QString& code) {
    QLineEdit* box = control<QLineEdit>(QStringLiteral("problemCode"));
    box->setText(code);
    QTest::keyClick(box, Qt::Key_Return);
  }

  std::unique_ptr<WindowFixture> m_fixture;
  ExerciseWindow* m_window = nullptr;
};

QTEST_MAIN(ExerciseWindowTest)
#include "ExerciseWindowTest.moc"
