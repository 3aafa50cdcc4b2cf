// The exercise mode: posing a problem in the exercise window (出题, the problem and its answer
// boxes laid out and painted), grading it (提交, marks and the worked solution shown), and
// writing a problem set of 50 problems with its answer key as HTML and as PDF.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QSpinBox>
#include <vector>

#include "core/exercise/ExerciseCatalogue.h"
#include "core/exercise/Grading.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "gui/exercise/ExerciseWindow.h"
#include "gui/exercise/ProblemSetDialog.h"
#include "support/QtBenchMain.h"

using namespace kelvo;

// 出题 with 随机 chosen: a fresh problem of any topic, shown.
static void BM_PoseProblem(benchmark::State& state) {
  ExerciseWindow window([](const DataFileContent&) {});
  window.show();
  QCoreApplication::processEvents();
  auto* pose = window.findChild<QPushButton*>(QStringLiteral("newProblemButton"));
  for (auto _ : state) {
    pose->click();
    window.repaint();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_PoseProblem)->Unit(benchmark::kMillisecond)->UseRealTime();

// 提交 with every box answered: marks, right values, the score and the worked solution.
static void BM_GradeProblem(benchmark::State& state) {
  ExerciseWindow window([](const DataFileContent&) {});
  window.show();
  window.pose({4, 2, 83721});
  const Problem& p = *window.problem();
  for (std::size_t i = 0; i < p.answers.size(); ++i)
    window.findChild<QLineEdit*>(QStringLiteral("answerBox%1").arg(i + 1))
        ->setText(QString::fromStdString(AnswerText(p.answers[i])));
  window.findChild<QComboBox*>(QStringLiteral("decisionList"))->setCurrentIndex(1);
  QCoreApplication::processEvents();
  auto* submit = window.findChild<QPushButton*>(QStringLiteral("submitButton"));
  for (auto _ : state) {
    submit->click();
    window.repaint();
    QCoreApplication::processEvents();
  }
}
BENCHMARK(BM_GradeProblem)->Unit(benchmark::kMillisecond)->UseRealTime();

// 50 problems of every topic, the sheet and the key written; arg 0: HTML, 1: PDF.
static void BM_WriteProblemSet(benchmark::State& state) {
  ScriptedDialogs dialogs;
  DialogService* previous = App().dialogs;
  App().dialogs = &dialogs;
  QTemporaryDir folder;
  ProblemSetDialog dialog;
  dialog.findChild<QSpinBox*>(QStringLiteral("setCountBox"))->setValue(50);
  const QString path = folder.filePath(state.range(0) ? QStringLiteral("set.pdf") : QStringLiteral("set.html"));
  for (auto _ : state) {
    dialogs.queueFilePath(path);
    if (!dialog.writeFiles()) state.SkipWithError("not written");
  }
  App().dialogs = previous;
}
BENCHMARK(BM_WriteProblemSet)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) { return kelvo::RunQtBenchmarks(argc, argv); }
