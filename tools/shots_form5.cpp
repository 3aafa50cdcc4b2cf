// Screenshot scenes of the goodness-of-fit window:
//   form5, form5max   the normal law with known μ and σ on grouped data, computed
//   form5law          a user-defined law with values and repeat counts, computed
//   form5list         the distribution list open
//   form5help         the help section of the window
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "ShotScenes.h"
#include "gui/hypothesis/Form5.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "gui/common/HelpViewer.h"
#include "gui/app/WindowLauncher.h"

namespace {

using kelvo::Form5;

// The scene's own answers, in the order the window asks.
kelvo::ScriptedDialogs& SceneDialogs(const QStringList& answers) {
  static kelvo::ScriptedDialogs dialogs;
  for (const QString& a : answers) dialogs.queueAnswer(a);
  kelvo::App().dialogs = &dialogs;
  return dialogs;
}

Form5* OpenForm5() {
  auto* w = static_cast<Form5*>(
      kelvo::OpenAnalysisWindow(kelvo::WindowClass::Form5, QStringLiteral("分布拟和检验"), 0));
  w->move(60, 80);
  return w;
}

void Choose(Form5* w, int entry) {
  w->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
  auto* list = w->findChild<QComboBox*>(QStringLiteral("Combo1"));
  list->setCurrentIndex(entry);
  emit list->activated(entry);
}

void FillRow(kelvo::SampleGrid* grid, int row, const QStringList& texts) {
  for (int i = 0; i < texts.size(); ++i)
    grid->model()->setData(grid->model()->index(row, i + 1), texts[i]);
}

void Compute(Form5* w) {
  auto* alpha = w->findChild<QLineEdit*>(QStringLiteral("Text2"));
  alpha->setText(QStringLiteral("0.05"));
  w->computeClicked();
}

void GroupedNormal(bool maximised) {
  SceneDialogs({QStringLiteral("5"), QStringLiteral("2")});  // μ, σ
  Form5* w = OpenForm5();
  Choose(w, 9);
  w->findChild<QRadioButton*>(QStringLiteral("Option3"))->click();
  FillRow(w->sampleGrid(), 1, {"-5", "3", "5", "7"});
  FillRow(w->sampleGrid(), 2, {"3", "5", "7", "15"});
  FillRow(w->sampleGrid(), 3, {"16", "34", "34", "16"});
  Compute(w);
  if (maximised) kelvo::FillScreen(w);
}

const kelvo::SceneRegistrar kForm5("form5", [](kelvo::ScriptedDialogs&) { GroupedNormal(false); });
const kelvo::SceneRegistrar kForm5Max("form5max", [](kelvo::ScriptedDialogs&) { GroupedNormal(true); });

const kelvo::SceneRegistrar kForm5Law("form5law", [](kelvo::ScriptedDialogs&) {
  SceneDialogs({});
  Form5* w = OpenForm5();
  Choose(w, 0);
  w->findChild<QRadioButton*>(QStringLiteral("Option2"))->click();
  FillRow(w->lawGrid(), 1, {"0", "1", "2", "3"});
  FillRow(w->lawGrid(), 2, {"0.1", "0.3", "0.4", "0.2"});
  FillRow(w->sampleGrid(), 1, {"0", "1", "2", "3"});
  FillRow(w->sampleGrid(), 2, {"3", "9", "12", "6"});
  Compute(w);
  // The law's editor open on the next point, as while typing it.
  kelvo::SampleGridView* view = w->lawGrid()->view();
  view->setCurrentIndex(view->gridModel()->index(1, 5));
  w->lawGrid()->openEditor();
  QTest::keyClicks(w->lawGrid()->editor(), QStringLiteral("4"));
});

// The distribution list open, as Command2 shows it.
const kelvo::SceneRegistrar kForm5List("form5list", [](kelvo::ScriptedDialogs&) {
  SceneDialogs({});
  Form5* w = OpenForm5();
  w->findChild<QPushButton*>(QStringLiteral("Command2"))->click();
  w->findChild<QComboBox*>(QStringLiteral("Combo1"))->showPopup();
});

// The window's help section.
const kelvo::SceneRegistrar kForm5Help("form5help", [](kelvo::ScriptedDialogs&) {
  kelvo::ShowProgramHelp(OpenForm5(), QStringLiteral("fitting"));
});

}  // namespace
