// Screenshot scenes of the interval windows:
//   form3, form3max        Form3 on a Poisson sample with repeat counts
//   form3a, form3amax      Form3a, one sample of raw data, σ known
//   form3a2, form3a2max    Form3a, two samples typed as summaries
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLineEdit>

#include "ShotScenes.h"
#include "gui/estimation/Form3.h"
#include "gui/estimation/Form3a.h"
#include "gui/frame/SampleGrid.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/app/WindowLauncher.h"

namespace kelvo {
namespace {

void Fill(AnalysisWindow* w, int row, const QStringList& texts) {
  SampleGridModel* model = w->grid()->gridModel();
  for (int i = 0; i < texts.size(); ++i) model->setData(model->index(row, i + 1), texts[i]);
}

// Types into a box and leaves it, running its checks.
void SetBox(AnalysisWindow* w, const char* name, const QString& text) {
  if (auto* box = w->findChild<ValidatedBox*>(QString::fromLatin1(name))) {
    box->setText(text);
    box->validate();
  }
}

// Gives the activation (and its question for N) time to happen, then fills and computes.
void WhenShown(AnalysisWindow* w, bool fillScreen, std::function<void()> work) {
  w->move(60, 80);
  QGuiApplication::processEvents();
  work();
  w->computeClicked();
  if (fillScreen) FillScreen(w);
}

void Form3Scene(bool fillScreen) {
  auto* w = OpenAnalysisWindow(WindowClass::Form3, QStringLiteral("泊松分布"), 3);
  WhenShown(w, fillScreen, [w] {
    w->setInputMode(InputMode::Two);
    Fill(w, 1, {"0", "1", "2", "3", "4", "5"});
    Fill(w, 2, {"7", "12", "15", "9", "5", "2"});
    SetBox(w, "Text2", QStringLiteral("0.95"));
  });
}

void Form3aOneSampleScene(bool fillScreen) {
  auto* w = OpenAnalysisWindow(WindowClass::Form3a, QString(), 1);
  WhenShown(w, fillScreen, [w] {
    Fill(w, 1, {"10.2", "9.7", "10.5", "11.1", "9.8", "10.4", "9.9", "10.6"});
    SetBox(w, "Text2", QStringLiteral("0.95"));
    SetBox(w, "Text3", QStringLiteral("0.5"));
  });
}

void Form3aTwoSampleScene(bool fillScreen) {
  auto* w = OpenAnalysisWindow(WindowClass::Form3a, QString(), 8);
  WhenShown(w, fillScreen, [w] {
    w->setInputMode(InputMode::Two);
    Fill(w, 1, {"12", "5.31", "28.6556"});
    Fill(w, 2, {"15", "4.87", "24.1189"});
    SetBox(w, "Text2", QStringLiteral("0.9"));
    SetBox(w, "Text3", QStringLiteral("5.2"));
    SetBox(w, "Text4", QStringLiteral("4.9"));
  });
}

const SceneRegistrar kForm3("form3", [](ScriptedDialogs&) { Form3Scene(false); });
const SceneRegistrar kForm3Max("form3max", [](ScriptedDialogs&) { Form3Scene(true); });
const SceneRegistrar kForm3a("form3a", [](ScriptedDialogs&) { Form3aOneSampleScene(false); });
const SceneRegistrar kForm3aMax("form3amax", [](ScriptedDialogs&) { Form3aOneSampleScene(true); });
const SceneRegistrar kForm3a2("form3a2", [](ScriptedDialogs&) { Form3aTwoSampleScene(false); });
const SceneRegistrar kForm3a2Max("form3a2max", [](ScriptedDialogs&) { Form3aTwoSampleScene(true); });

}  // namespace
}  // namespace kelvo
