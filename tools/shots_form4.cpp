// Screenshot scenes of the parametric test window:
//   form4 / form4max            the one-sample t test on raw data
//   form4two / form4twomax      the pooled two-sample t test on raw data
//   form4summary / form4summarymax  the two-sample Z test from typed summaries
//   form4help                   the help section of the window
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <cstdio>

#include "ShotScenes.h"
#include "gui/hypothesis/Form4.h"
#include "gui/frame/SampleGrid.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "gui/common/HelpViewer.h"
#include "gui/app/WindowLauncher.h"

namespace {

using kelvo::Form4;

struct Scene {
  int mode;
  bool summary;
  QStringList row1;
  QStringList row2;
  QString known1;
  QString known2;
  QString value;  // the answer to the value question
  int item;
};

void Fill(Form4* w, int row, const QStringList& texts) {
  kelvo::SampleGridModel* model = w->grid()->gridModel();
  for (int i = 0; i < texts.size(); ++i) model->setData(model->index(row, i + 1), texts[i]);
}

void SetBox(Form4* w, const char* name, const QString& text) {
  if (text.isEmpty()) return;
  if (auto* box = w->findChild<QLineEdit*>(QString::fromLatin1(name))) box->setText(text);
}

void Show(const Scene& scene, bool maximised) {
  // The scene's own answers, in place of the tool's.
  static kelvo::ScriptedDialogs answers;
  kelvo::App().dialogs = &answers;
  answers.queueAnswer(scene.value);
  auto* w = static_cast<Form4*>(
      kelvo::OpenAnalysisWindow(kelvo::WindowClass::Form4, QString(), scene.mode));
  w->move(60, 80);
  QApplication::setActiveWindow(w);
  QCoreApplication::processEvents();
  SetBox(w, "Text2", QStringLiteral("0.05"));
  SetBox(w, "Text3", scene.known1);
  SetBox(w, "Text4", scene.known2);
  if (scene.summary) w->setInputMode(kelvo::InputMode::Two);
  Fill(w, 1, scene.row1);
  if (!scene.row2.isEmpty()) Fill(w, 2, scene.row2);
  // The known values count once their boxes have been left.
  for (const char* name : {"Text3", "Text4"})
    if (auto* box = w->findChild<kelvo::ValidatedBox*>(QString::fromLatin1(name)); box && box->isVisible())
      box->validate();
  w->ShowHypothesisList();
  for (QComboBox* list : w->findChildren<QComboBox*>())
    if (list->isVisible()) {
      list->setCurrentIndex(scene.item);
      emit list->activated(scene.item);
    }
  w->computeClicked();
  for (const kelvo::ShownMessage& m : answers.messages) fprintf(stderr, "message: %s\n", qUtf8Printable(m.text));
  if (maximised) kelvo::FillScreen(w);
}

const Scene kOneSample{2, false, {"10.2", "9.8", "10.5", "10.9", "9.6", "10.4", "10.1"}, {}, {}, {},
                       QStringLiteral("10"), 2};
const Scene kTwoSamples{6,  false, {"20.1", "19.6", "20.8", "21.2", "20.4"},
                        {"19.2", "19.9", "18.7", "19.5", "19.8", "19.1"}, {}, {},
                        QStringLiteral("0"), 0};
const Scene kSummary{5, true, {"12", "3.46"}, {"15", "3.12"}, QStringLiteral("0.4"),
                     QStringLiteral("0.5"), QStringLiteral("0"), 2};

const kelvo::SceneRegistrar kForm4("form4", [](kelvo::ScriptedDialogs&) { Show(kOneSample, false); });
const kelvo::SceneRegistrar kForm4Max("form4max", [](kelvo::ScriptedDialogs&) { Show(kOneSample, true); });
const kelvo::SceneRegistrar kForm4Two("form4two", [](kelvo::ScriptedDialogs&) { Show(kTwoSamples, false); });
const kelvo::SceneRegistrar kForm4TwoMax("form4twomax",
                                         [](kelvo::ScriptedDialogs&) { Show(kTwoSamples, true); });
const kelvo::SceneRegistrar kForm4Summary("form4summary",
                                          [](kelvo::ScriptedDialogs&) { Show(kSummary, false); });
// The window's help section (once the fragment is merged into the help document).
const kelvo::SceneRegistrar kForm4Help("form4help", [](kelvo::ScriptedDialogs&) {
  kelvo::ShowProgramHelp(nullptr, QStringLiteral("parametric"));
});
const kelvo::SceneRegistrar kForm4SummaryMax("form4summarymax",
                                             [](kelvo::ScriptedDialogs&) { Show(kSummary, true); });

}  // namespace
