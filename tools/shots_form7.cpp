// Screenshot scenes of the rank-sum test window: "form7" at its design size after a
// computation from the table, "form7max" filling the screen after one from the normal
// approximation, "form7help" the window's help section.
#include <QComboBox>
#include <QLineEdit>

#include "ShotScenes.h"
#include "gui/hypothesis/Form7.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/HelpViewer.h"
#include "gui/app/WindowLauncher.h"

namespace {

using kelvo::SampleGridModel;

void Fill(kelvo::Form7* w, int row, int count, double first, double step) {
  SampleGridModel* model = w->grid()->gridModel();
  for (int c = 1; c <= count; ++c)
    model->setData(model->index(row, c), QString::number(first + step * (c - 1)));
}

kelvo::Form7* OpenComputed(int n1, int n2, int entry, const char* alpha) {
  auto* w = static_cast<kelvo::Form7*>(kelvo::OpenAnalysisWindow(
      kelvo::WindowClass::Form7, QStringLiteral("秩和检验"), 0));
  w->move(60, 80);
  Fill(w, 1, n1, 1.5, 2.0);
  Fill(w, 2, n2, 3.0, 2.5);
  auto* list = w->findChild<QComboBox*>(QStringLiteral("Combo1"));
  list->setCurrentIndex(entry);
  emit list->activated(entry);
  w->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QString::fromLatin1(alpha));
  w->computeClicked();
  return w;
}

const kelvo::SceneRegistrar kForm7("form7", [](kelvo::ScriptedDialogs&) {
  OpenComputed(4, 5, 0, "0.05");
});

const kelvo::SceneRegistrar kForm7Max("form7max", [](kelvo::ScriptedDialogs&) {
  kelvo::FillScreen(OpenComputed(12, 14, 2, "0.05"));
});

// The help section of the window, once merged into the help document.
const kelvo::SceneRegistrar kForm7Help("form7help", [](kelvo::ScriptedDialogs&) {
  kelvo::ShowProgramHelp(nullptr, QStringLiteral("ranksum"));
});

}  // namespace
