// Scenes of the exercise mode:
//   exercise       the exercise window with problem 4-2-83721 posed
//   exercisegraded the same problem answered (one answer wrong) and submitted: marks, score, solution
//   problemsheet   the first page of a problem sheet of three problems (seed 2024)
//   answerkey      the first page of its answer key
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <vector>

#include "ShotScenes.h"
#include "core/exercise/ExerciseCatalogue.h"
#include "core/exercise/Grading.h"
#include "core/exercise/ProblemSet.h"
#include "gui/app/WindowLauncher.h"
#include "gui/common/AppContext.h"
#include "gui/exercise/ExerciseWindow.h"

namespace {

kelvo::ExerciseWindow* PosedProblem() {
  kelvo::ExerciseWindow* w = kelvo::ShowExerciseWindow();
  w->move(0, 0);
  w->resize(1100, 900);
  auto* code = w->findChild<QLineEdit*>(QStringLiteral("problemCode"));
  code->setText(QStringLiteral("4-2-83721"));
  QTest::keyClick(code, Qt::Key_Return);
  return w;
}

// A document of the problem set shown as a page in a text browser.
void ShowDocument(const std::string& html, const QString& title) {
  auto* view = new QTextBrowser;
  view->setAttribute(Qt::WA_DeleteOnClose);
  view->setWindowTitle(title);
  view->setHtml(QString::fromStdString(html));
  view->move(0, 0);
  view->resize(900, 1000);
  view->show();
}

kelvo::ProblemSetDocuments ThreeProblems() {
  std::vector<const kelvo::ExerciseTopic*> topics;
  for (const kelvo::ExerciseTopic& t : kelvo::ExerciseTopics()) topics.push_back(&t);
  return kelvo::BuildProblemSet(kelvo::App().tables, topics, 3, 2024);
}

const kelvo::SceneRegistrar kExercise("exercise", [](kelvo::ScriptedDialogs&) { PosedProblem(); });

const kelvo::SceneRegistrar kExerciseGraded("exercisegraded", [](kelvo::ScriptedDialogs&) {
  kelvo::ExerciseWindow* w = PosedProblem();
  const kelvo::Problem& p = *w->problem();
  for (std::size_t i = 0; i < p.answers.size(); ++i) {
    // The second answer is mistyped; the others are right.
    const QString text = i == 1 ? QStringLiteral("12.5") : QString::fromStdString(kelvo::AnswerText(p.answers[i]));
    w->findChild<QLineEdit*>(QStringLiteral("answerBox%1").arg(i + 1))->setText(text);
  }
  if (!p.decisions.empty())
    w->findChild<QComboBox*>(QStringLiteral("decisionList"))
        ->setCurrentIndex(p.decisions.front() == kelvo::Decision::AcceptH0 ? 1 : 2);
  w->findChild<QPushButton*>(QStringLiteral("submitButton"))->click();
});

const kelvo::SceneRegistrar kProblemSheet("problemsheet", [](kelvo::ScriptedDialogs&) {
  ShowDocument(ThreeProblems().sheet, QStringLiteral("习题集"));
});

const kelvo::SceneRegistrar kAnswerKey("answerkey", [](kelvo::ScriptedDialogs&) {
  ShowDocument(ThreeProblems().key, QStringLiteral("习题集答案"));
});

}  // namespace
