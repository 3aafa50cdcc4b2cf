#include "gui/app/WindowLauncher.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "core/probability/ProbabilityQuestion.h"

#include "gui/anova/FormAnova.h"
#include "gui/estimation/Form3.h"
#include "gui/estimation/Form3a.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "gui/estimation/Form9.h"
#include "gui/exercise/ExerciseWindow.h"
#include "gui/hypothesis/Form4.h"
#include "gui/hypothesis/Form5.h"
#include "gui/hypothesis/Form7.h"
#include "gui/hypothesis/Form8.h"
#include "gui/regression/FormRegression.h"
#include "gui/tools/ProbabilityCalculator.h"
#include "gui/tools/ToolWindows.h"

namespace kelvo {

AnalysisWindow* CreateAnalysisWindow(WindowClass windowClass) {
  switch (windowClass) {
    case WindowClass::Form9: return new Form9;
    case WindowClass::Form3: return new Form3;
    case WindowClass::Form3a: return new Form3a;
    case WindowClass::Form4: return new Form4;
    case WindowClass::Form8: return new Form8;
    case WindowClass::Form5: return new Form5;
    case WindowClass::Form7: return new Form7;
    case WindowClass::FormAnova: return new FormAnova;
    case WindowClass::FormRegression: return new FormRegression;
  }
  return nullptr;
}

AnalysisWindow* OpenAnalysisWindow(WindowClass windowClass, const QString& caption, int mode) {
  AnalysisWindow* window = CreateAnalysisWindow(windowClass);
  if (!caption.isEmpty()) window->setWindowTitle(caption);
  if (mode > 0) window->setTag(QString::number(mode));
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

namespace {

// The class name a window's data file gives it.
const char* ClassName(WindowClass windowClass) {
  switch (windowClass) {
    case WindowClass::Form9: return "Form9";
    case WindowClass::Form3: return "Form3";
    case WindowClass::Form3a: return "Form3a";
    case WindowClass::Form4: return "Form4";
    case WindowClass::Form8: return "Form8";
    case WindowClass::Form5: return "Form5";
    case WindowClass::Form7: return "Form7";
    case WindowClass::FormAnova: return "FormAnova";
    case WindowClass::FormRegression: return "FormRegression";
  }
  return "";
}

// The calculator's boxes from a problem's settings: the law and the question by their place in
// the calculator's lists, the numbers as texts, the interval's ends closed by "1".
void SetCalculator(ProbabilityCalculator* calculator, const SettingList& settings) {
  if (const auto law = settings.findWhole("distribution");
      law && *law >= 0 && *law < static_cast<int>(DistributionList().size()))
    calculator->findChild<QListWidget*>(QStringLiteral("distributionList"))->setCurrentRow(*law);
  for (int i = 1; i <= 3; ++i)
    if (const auto text = settings.find("parameter" + std::to_string(i)))
      calculator->findChild<QLineEdit*>(QStringLiteral("parameter%1Box").arg(i))->setText(QString::fromStdString(*text));
  if (const auto question = settings.findWhole("question");
      question && *question >= 0 && *question < static_cast<int>(QuestionList().size())) {
    auto* questions = calculator->findChild<QComboBox*>(QStringLiteral("questionList"));
    const int at = questions->findData(static_cast<int>(QuestionList()[static_cast<std::size_t>(*question)].question));
    if (at >= 0) questions->setCurrentIndex(at);
  }
  const std::pair<const char*, const char*> boxes[] = {{"x", "xBox"}, {"b", "bBox"}, {"probability", "probabilityBox"}};
  for (const auto& [name, box] : boxes)
    if (const auto text = settings.find(name))
      calculator->findChild<QLineEdit*>(QString::fromLatin1(box))->setText(QString::fromStdString(*text));
  const std::pair<const char*, const char*> ends[] = {{"lowerClosed", "lowerClosedBox"}, {"upperClosed", "upperClosedBox"}};
  for (const auto& [name, box] : ends)
    if (const auto text = settings.find(name))
      calculator->findChild<QCheckBox*>(QString::fromLatin1(box))->setChecked(*text == "1");
}

}  // namespace

QWidget* OpenProblemWindow(const DataFileContent& content) {
  if (content.window == "ProbabilityCalculator") {
    ProbabilityCalculator* calculator = ShowProbabilityCalculator();
    SetCalculator(calculator, content.settings);
    return calculator;
  }
  for (const MenuItemSpec& item : MainMenuTable())
    if (item.command == MenuCommand::OpenWindow && content.window == ClassName(item.windowClass) &&
        item.mode == content.windowMode) {
      // The estimation windows ask a binomial population's N when they are activated rather
      // than keep it in their file: the problem's N is the one in force, which the question
      // keeps if the student cancels it.
      if (const std::optional<int> trials = content.settings.findWhole("trials"); trials && *trials >= 1)
        App().program.binomialN = *trials;
      AnalysisWindow* window =
          OpenAnalysisWindow(item.windowClass, QString::fromUtf8(item.captionSet), item.mode);
      // The window takes its mode when it is first activated; the file is opened in that mode,
      // as 打开数据… opens one in the window the user is working in.
      QCoreApplication::processEvents();
      QApplication::setActiveWindow(window);
      QCoreApplication::processEvents();
      window->openDataContent(content);
      return window;
    }
  return nullptr;
}

ExerciseWindow* ShowExerciseWindow() {
  ExerciseWindow* window = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* open = qobject_cast<ExerciseWindow*>(w)) window = open;
  if (!window) {
    window = new ExerciseWindow([](const DataFileContent& content) {
      if (!OpenProblemWindow(content)) ShowDataCheck(nullptr, QStringLiteral("没有能求解这道题的窗口"));
    });
    window->setAttribute(Qt::WA_DeleteOnClose);
  }
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

void CloseAllAnalysisWindows() {
  for (AnalysisWindow* window : AnalysisWindow::openWindows()) delete window;
}

}  // namespace kelvo
