// Scenes with the chart tab of the worked-solution pane current, one per kind of chart:
//   chart_test       t test, two-sided: t density, rejection region, critical values, statistic
//   chart_band       proportion band test, two-sided: the law of the mean under H0 and the band
//   chart_skew       skewness and kurtosis: N(0,1) with u1 and u2
//   chart_fit        grouped normal fit: histogram with the fitted density
//   chart_fitbars    Poisson fit: observed and expected counts per merged class
//   chart_rank       rank sum: both samples' ranks on one axis
//   chart_interval   normal mean: two-sided and one-sided intervals with the mean
//   chart_large      large-sample interval of a Poisson λ
//   chart_point      point estimation, normal: histogram with the fitted density
//   chart_pointdiscrete  point estimation, Poisson: frequencies beside the estimated law
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "ShotScenes.h"
#include "gui/estimation/Form9.h"
#include "gui/hypothesis/Form8.h"
#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/SampleGrid.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "gui/app/WindowLauncher.h"

namespace {

using kelvo::AnalysisWindow;
using kelvo::ScriptedDialogs;

// The last window opened, with its pane beside it and the chart tab current.
void ShowChartTab() {
  const QList<AnalysisWindow*> windows = AnalysisWindow::openWindows();
  if (windows.isEmpty()) return;
  AnalysisWindow* w = windows.back();
  w->setDetailsVisible(true);
  w->detailsPane()->showTab(1);
  w->move(0, 0);
  w->resize(1270, 760);
}

void WithChart(const char* scene, ScriptedDialogs& dialogs) {
  if (const kelvo::SceneSetup* setup = kelvo::FindScene(QString::fromLatin1(scene))) (*setup)(dialogs);
  ShowChartTab();
}

void FillRow(AnalysisWindow* w, int row, const QStringList& texts) {
  kelvo::SampleGridModel* model = w->grid()->gridModel();
  for (int i = 0; i < texts.size(); ++i) model->setData(model->index(row, i + 1), texts[i]);
}

void ChooseFromList(AnalysisWindow* w, const char* button, const char* listName, int entry) {
  if (auto* open = w->findChild<QPushButton*>(QString::fromLatin1(button))) open->click();
  if (auto* list = w->findChild<QComboBox*>(QString::fromLatin1(listName))) {
    list->setCurrentIndex(entry);
    emit list->activated(entry);
  }
}

void SetText(AnalysisWindow* w, const char* box, const QString& text) {
  if (auto* edit = w->findChild<QLineEdit*>(QString::fromLatin1(box))) edit->setText(text);
}

// Point estimation of mode `mode` on the given values.
void PointScene(int mode, const QStringList& values) {
  auto* w = static_cast<kelvo::Form9*>(
      kelvo::OpenAnalysisWindow(kelvo::WindowClass::Form9, QString(), mode));
  FillRow(w, 1, values);
  w->computeClicked();
  ShowChartTab();
}

// The rank-sum window: sample one beside sample two, two-sided at α = 0.05.
void RankScene() {
  AnalysisWindow* w =
      kelvo::OpenAnalysisWindow(kelvo::WindowClass::Form7, QStringLiteral("秩和检验"), 0);
  FillRow(w, 1, {"12.1", "14.3", "11.8", "15.2", "13.9", "12.7"});
  FillRow(w, 2, {"15.8", "16.4", "13.1", "17.2", "16.9", "14.8", "18.0"});
  ChooseFromList(w, "Command2", "Combo1", 2);
  SetText(w, "Text2", QStringLiteral("0.05"));
  w->computeClicked();
  ShowChartTab();
}

// A Poisson fit on counts 0 to 6 with their repeat counts, λ estimated.
void PoissonFitScene() {
  static ScriptedDialogs answers;
  kelvo::App().dialogs = &answers;
  AnalysisWindow* w =
      kelvo::OpenAnalysisWindow(kelvo::WindowClass::Form5, QStringLiteral("分布拟和检验"), 0);
  ChooseFromList(w, "Command2", "Combo1", 6);
  if (auto* option = w->findChild<QRadioButton*>(QStringLiteral("Option2"))) option->click();
  FillRow(w, 1, {"0", "1", "2", "3", "4", "5", "6"});
  FillRow(w, 2, {"18", "36", "38", "22", "11", "4", "1"});
  SetText(w, "Text2", QStringLiteral("0.05"));
  w->computeClicked();
  ShowChartTab();
}

// 42 zeros and 58 ones against ρ0 = 0.5 at α = 0.05, two-sided: the band around 0.5.
void BandScene(ScriptedDialogs& dialogs) {
  auto* w = static_cast<kelvo::Form8*>(
      kelvo::OpenAnalysisWindow(kelvo::WindowClass::Form8, QString(), 1));
  if (auto* option = w->findChild<QRadioButton*>(QStringLiteral("Option2"))) option->click();
  FillRow(w, 1, {"0", "1"});
  FillRow(w, 2, {"42", "58"});
  dialogs.queueAnswer(QStringLiteral("0.5"));
  w->ShowHypothesisList();
  for (QComboBox* box : w->findChildren<QComboBox*>())
    if (box->isVisible()) {
      box->setCurrentIndex(2);
      emit box->activated(2);
      break;
    }
  SetText(w, "Text2", QStringLiteral("0.05"));
  w->computeClicked();
  ShowChartTab();
}

QStringList NormalSample() {
  // 40 values spread like N(20, 4²): 20 + 4·z at the (i + 0.5)/40 points, rounded to 0.1.
  static const double z[] = {-2.24, -1.78, -1.53, -1.34, -1.19, -1.07, -0.95, -0.85, -0.76, -0.67,
                             -0.59, -0.51, -0.43, -0.36, -0.29, -0.21, -0.14, -0.08, -0.01, 0.05,
                             0.12, 0.19, 0.25, 0.32, 0.39, 0.47, 0.55, 0.63, 0.71, 0.80,
                             0.90, 1.01, 1.13, 1.27, 1.43, 1.62, 1.86, 2.20, 0.36, -0.44};
  QStringList values;
  for (double v : z) values << QString::number(std::round((20.0 + 4.0 * v) * 10.0) / 10.0);
  return values;
}

const kelvo::SceneRegistrar kTest("chart_test", [](ScriptedDialogs& d) { WithChart("form4", d); });
const kelvo::SceneRegistrar kBand("chart_band", [](ScriptedDialogs& d) { BandScene(d); });
const kelvo::SceneRegistrar kSkew("chart_skew", [](ScriptedDialogs& d) { WithChart("form8skew", d); });
const kelvo::SceneRegistrar kFit("chart_fit", [](ScriptedDialogs& d) { WithChart("form5", d); });
const kelvo::SceneRegistrar kFitBars("chart_fitbars", [](ScriptedDialogs&) { PoissonFitScene(); });
const kelvo::SceneRegistrar kRank("chart_rank", [](ScriptedDialogs&) { RankScene(); });
const kelvo::SceneRegistrar kInterval("chart_interval",
                                      [](ScriptedDialogs& d) { WithChart("form3a", d); });
const kelvo::SceneRegistrar kLarge("chart_large", [](ScriptedDialogs& d) { WithChart("form3", d); });
const kelvo::SceneRegistrar kPoint("chart_point", [](ScriptedDialogs&) { PointScene(5, NormalSample()); });
const kelvo::SceneRegistrar kPointDiscrete("chart_pointdiscrete", [](ScriptedDialogs&) {
  PointScene(3, {"2", "3", "1", "4", "2", "0", "3", "2", "5", "1", "2", "3", "2", "1", "4", "3", "2", "6",
                 "1", "2", "3", "0", "2", "4", "3"});
});

}  // namespace
