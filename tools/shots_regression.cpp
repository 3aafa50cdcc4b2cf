// Screenshot scenes of the regression window, after the straight-line example of its help
// section (temperature and yield, x0 = 125):
//   regression          the window at its design size
//   regressiondetails   with the details pane at its solution
//   regressionchart     with the pane at the scatter chart and its bands
//   regressionresidual  with the pane at the residual chart
//   regressioncurve     the curve 1/y = a + b/x of the ladle example, pane at its chart
#include <QComboBox>
#include <QLineEdit>

#include "ShotScenes.h"
#include "gui/app/WindowLauncher.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/SampleGrid.h"
#include "gui/regression/FormRegression.h"

namespace {

void Fill(kelvo::FormRegression* w, int row, const QStringList& texts) {
  kelvo::SampleGridModel* model = w->grid()->gridModel();
  for (int c = 0; c < texts.size(); ++c) model->setData(model->index(row, c + 1), texts[c]);
}

kelvo::FormRegression* OpenComputed(bool curve, int tab) {
  auto* w = static_cast<kelvo::FormRegression*>(
      kelvo::OpenAnalysisWindow(kelvo::WindowClass::FormRegression, QString(), 0));
  w->move(0, 0);
  if (curve) {
    Fill(w, 1, {"2", "3", "4", "5", "7", "8", "10", "11", "14", "15", "16", "18", "19"});
    Fill(w, 2, {"106.42", "108.20", "109.58", "109.50", "110.00", "109.93", "110.49", "110.59",
                "110.60", "110.90", "110.76", "111.00", "111.20"});
    w->findChild<QComboBox*>(QStringLiteral("modelList"))->setCurrentIndex(4);
    w->findChild<QLineEdit*>(QStringLiteral("x0Box"))->setText(QStringLiteral("20"));
  } else {
    Fill(w, 1, {"100", "110", "120", "130", "140", "150", "160", "170", "180", "190"});
    Fill(w, 2, {"45", "51", "54", "61", "66", "70", "74", "78", "85", "89"});
    w->findChild<QLineEdit*>(QStringLiteral("x0Box"))->setText(QStringLiteral("125"));
  }
  w->computeClicked();
  if (tab >= 0) {
    w->setDetailsVisible(true);
    w->resize(1270, 760);
    w->detailsPane()->showTab(tab);
  }
  return w;
}

const kelvo::SceneRegistrar kRegression("regression", [](kelvo::ScriptedDialogs&) { OpenComputed(false, -1); });
const kelvo::SceneRegistrar kDetails("regressiondetails", [](kelvo::ScriptedDialogs&) { OpenComputed(false, 0); });
const kelvo::SceneRegistrar kChart("regressionchart", [](kelvo::ScriptedDialogs&) { OpenComputed(false, 1); });
const kelvo::SceneRegistrar kResidual("regressionresidual", [](kelvo::ScriptedDialogs&) { OpenComputed(false, 2); });
const kelvo::SceneRegistrar kCurve("regressioncurve", [](kelvo::ScriptedDialogs&) { OpenComputed(true, 1); });

}  // namespace
