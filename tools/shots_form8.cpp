// Screenshot scenes of the asymptotic test window: form8 (0-1 test on repeat counts),
// form8max (the same filling the screen), form8skew (the normality test), form8list (the
// hypothesis list shown).
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QRadioButton>

#include "ShotScenes.h"
#include "gui/hypothesis/Form8.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/Dialogs.h"
#include "gui/app/WindowLauncher.h"

namespace {

kelvo::Form8* OpenForm8(int mode) {
  auto* w = static_cast<kelvo::Form8*>(
      kelvo::OpenAnalysisWindow(kelvo::WindowClass::Form8, QString(), mode));
  w->move(60, 80);
  return w;
}

void Fill(kelvo::Form8* w, int row, const QStringList& texts) {
  kelvo::SampleGridModel* model = w->grid()->gridModel();
  for (int i = 0; i < texts.size(); ++i) model->setData(model->index(row, i + 1), texts[i]);
}

// Picks item `position` of the visible list, as a click on it does.
void Choose(kelvo::Form8* w, int position) {
  w->ShowHypothesisList();
  for (QComboBox* box : w->findChildren<QComboBox*>())
    if (box->isVisible()) {
      box->setCurrentIndex(position);
      emit box->activated(position);
      return;
    }
}

// 30 zeros and 70 ones against ρ0 = 0.5 at α = 0.05, with H1: ρ > ρ0.
kelvo::Form8* ProportionScene(kelvo::ScriptedDialogs& dialogs) {
  auto* w = OpenForm8(1);
  w->findChild<QRadioButton*>(QStringLiteral("Option2"))->click();
  Fill(w, 1, {"0", "1"});
  Fill(w, 2, {"30", "70"});
  dialogs.queueAnswer(QStringLiteral("0.5"));  // after the tool's own answers, which are not in (0, 1)
  Choose(w, 0);
  w->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("0.05"));
  w->computeClicked();
  return w;
}

const kelvo::SceneRegistrar kForm8("form8", [](kelvo::ScriptedDialogs& dialogs) {
  ProportionScene(dialogs);
});

const kelvo::SceneRegistrar kForm8Max("form8max", [](kelvo::ScriptedDialogs& dialogs) {
  kelvo::FillScreen(ProportionScene(dialogs));
});

const kelvo::SceneRegistrar kForm8Skew("form8skew", [](kelvo::ScriptedDialogs&) {
  auto* w = OpenForm8(5);
  Fill(w, 1, {"4.2", "5.1", "3.8", "4.9", "5.6", "4.4", "5.0", "4.7", "3.9", "5.3", "4.6", "4.8"});
  Choose(w, 0);
  w->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("0.05"));
  w->computeClicked();
});

const kelvo::SceneRegistrar kForm8List("form8list", [](kelvo::ScriptedDialogs&) {
  auto* w = OpenForm8(3);
  Fill(w, 1, {"3", "5", "4", "6", "2", "4", "5", "3"});
  w->ShowHypothesisList();
});

}  // namespace
