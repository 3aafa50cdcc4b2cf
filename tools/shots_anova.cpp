// Screenshot scenes of the analysis-of-variance window, each computed with the worked-solution
// pane shown: "anova1" one factor, "anova2" two factors without replication, "anova3" two
// factors with two observations per cell, "anova3chart" its chart, "anova3levels" its level
// chart; "anovahelp" the window's help section.
#include <QLineEdit>
#include <QRadioButton>

#include "ShotScenes.h"
#include "gui/anova/FormAnova.h"
#include "gui/app/WindowLauncher.h"
#include "gui/common/HelpViewer.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/SampleGrid.h"

namespace {

using Rows = std::vector<std::vector<const char*>>;

kelvo::FormAnova* Computed(kelvo::AnovaDesign design, const Rows& rows) {
  auto* w = static_cast<kelvo::FormAnova*>(
      kelvo::OpenAnalysisWindow(kelvo::WindowClass::FormAnova, QStringLiteral("方差分析"), 0));
  w->SetDesign(design);
  kelvo::SampleGridModel* model = w->grid()->gridModel();
  for (std::size_t r = 0; r < rows.size(); ++r)
    for (std::size_t c = 0; c < rows[r].size(); ++c)
      model->setData(model->index(static_cast<int>(r) + 1, static_cast<int>(c) + 1),
                     QString::fromUtf8(rows[r][c]));
  w->findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(QStringLiteral("0.05"));
  w->computeClicked();
  w->setDetailsVisible(true);
  w->move(0, 0);
  w->resize(1270, 900);
  return w;
}

const kelvo::SceneRegistrar kOneWay("anova1", [](kelvo::ScriptedDialogs&) {
  Computed(kelvo::AnovaDesign::OneWay, {{"0.236", "0.238", "0.248", "0.245", "0.243"},
                                        {"0.257", "0.253", "0.255", "0.254", "0.261"},
                                        {"0.258", "0.264", "0.259", "0.267", "0.262"}});
});

const kelvo::SceneRegistrar kTwoWay("anova2", [](kelvo::ScriptedDialogs&) {
  Computed(kelvo::AnovaDesign::TwoWay,
           {{"53", "56", "45", "52"}, {"47", "50", "47", "47"}, {"57", "63", "54", "57"}});
});

const kelvo::SceneRegistrar kReplicated("anova3", [](kelvo::ScriptedDialogs&) {
  Computed(kelvo::AnovaDesign::Replicated, {{"58.2 52.6", "56.2 41.2", "65.3 60.8"},
                                            {"49.1 42.8", "54.1 50.5", "51.6 48.4"},
                                            {"60.1 58.3", "70.9 73.2", "39.2 40.7"},
                                            {"75.8 71.5", "58.2 51.0", "48.7 41.4"}});
});

// The chart tab of the replicated design: the F distribution of factor A.
const kelvo::SceneRegistrar kChart("anova3chart", [](kelvo::ScriptedDialogs& dialogs) {
  (*kelvo::FindScene(QStringLiteral("anova3")))(dialogs);
  kelvo::AnalysisWindow::openWindows().back()->detailsPane()->showTab(1);
});

// Its level tab: every observation of each level of A with the level means.
const kelvo::SceneRegistrar kLevels("anova3levels", [](kelvo::ScriptedDialogs& dialogs) {
  (*kelvo::FindScene(QStringLiteral("anova3")))(dialogs);
  kelvo::AnalysisWindow::openWindows().back()->detailsPane()->showTab(2);
});

const kelvo::SceneRegistrar kHelp("anovahelp", [](kelvo::ScriptedDialogs&) {
  kelvo::ShowProgramHelp(nullptr, QStringLiteral("anova"));
});

}  // namespace
