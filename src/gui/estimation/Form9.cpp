#include "gui/estimation/Form9.h"

#include <QLabel>
#include <QRadioButton>
#include <optional>

#include "core/estimation/EstimationCharts.h"
#include "core/estimation/EstimationSolutions.h"
#include "core/estimation/PointEstimates.h"
#include "core/sample/Domain.h"
#include "core/sample/Readers.h"
#include "core/text/Errors.h"
#include "gui/common/AppContext.h"
#include "gui/estimation/BinomialQuestion.h"
#include "gui/frame/ModeTable.h"
#include "gui/frame/ValueLabel.h"
#include "gui/common/ControlLayout.h"
#include "gui/common/Dialogs.h"

namespace kelvo {
namespace {

AnalysisWindow::FrameOptions Form9Options() {
  AnalysisWindow::FrameOptions options;
  options.reopenEditorOnKey = true;
  options.hoverHighlight = true;
  return options;
}

struct PointMode {
  PointModel model;
  std::optional<Family> family;  // the values the population admits, where it restricts them
  const char16_t* first;   // name labels of the first and second parameter
  const char16_t* second;
  bool countsAllowed;      // input mode two (value and repeat count)
  bool asksTrials;         // the number of binomial trials N
};

constexpr PointMode kModeRows[] = {
    {PointModel::Bernoulli, Family::Bernoulli, u"P的估计值", u"", true, false},
    {PointModel::Binomial, Family::Binomial, u"P的估计值", u"", true, true},
    {PointModel::Poisson, Family::Poisson, u"λ的估计值", u"", true, false},
    {PointModel::Uniform, std::nullopt, u"A的估计值", u"B的估计值", false, false},
    {PointModel::Normal, std::nullopt, u"μ的估计值", u"σ的估计值", false, false},
    {PointModel::Exponential, Family::Exponential, u"θ的估计值", u"", false, false},
};
constexpr ModeTable<PointMode> kModes{kModeRows};

}  // namespace

Form9::Form9() : AnalysisWindow(Form9Options()) {
  setObjectName(QStringLiteral("Form9"));
  setWindowTitle(QStringLiteral("点估计"));
  setupPanels();
}

void Form9::setupPanels() {
  struct Panel {
    const char* name;
    const char16_t* heading;
    int left;
  };
  const Panel panels[] = {{"Picture1", u"中间结果", 3000},
                          {"Picture2", u"矩估计", 6000},
                          {"Picture3", u"似然估计", 9000}};
  QGroupBox* boxes[3];
  for (int i = 0; i < 3; ++i) {
    boxes[i] = new QGroupBox(QString::fromUtf16(panels[i].heading), surface());
    boxes[i]->setObjectName(QString::fromLatin1(panels[i].name));
    PlaceControl(boxes[i], panels[i].left, 2190, 2880, 2460);
  }
  constexpr int kNameLeft = 180, kValueLeft = 1410, kNameWidth = 1200, kValueWidth = 1320;
  constexpr int kRowTop[2] = {540, 1290}, kRowHeight = 420;
  addLabel(boxes[0], QStringLiteral("Label1"), QStringLiteral("样本均值"), kNameLeft, kRowTop[0],
           kNameWidth, kRowHeight);
  addLabel(boxes[0], QStringLiteral("Label7"), QStringLiteral("样本方差"), kNameLeft, kRowTop[1],
           kNameWidth, kRowHeight);
  m_mean = addValueLabel(boxes[0], QStringLiteral("Label22"), kValueLeft, kRowTop[0], kValueWidth,
                         kRowHeight);
  m_variance = addValueLabel(boxes[0], QStringLiteral("Label23"), kValueLeft, kRowTop[1],
                             kValueWidth, kRowHeight);

  const char* firstNames[] = {"Label3", "Label5"};
  const char* secondNames[] = {"Label9", "Label11"};
  for (int i = 0; i < 2; ++i) {
    m_firstNames[i] = addLabel(boxes[i + 1], QString::fromLatin1(firstNames[i]), QString(),
                               kNameLeft, kRowTop[0], kNameWidth, kRowHeight);
    m_secondNames[i] = addLabel(boxes[i + 1], QString::fromLatin1(secondNames[i]), QString(),
                                kNameLeft, kRowTop[1], kNameWidth, kRowHeight);
  }
  m_momentFirst = addValueLabel(boxes[1], QStringLiteral("Label13"), kValueLeft, kRowTop[0],
                                kValueWidth, kRowHeight);
  m_momentSecond = addValueLabel(boxes[1], QStringLiteral("Label19"), kValueLeft, kRowTop[1],
                                 kValueWidth, kRowHeight);
  m_likelihoodFirst = addValueLabel(boxes[2], QStringLiteral("Label20"), kValueLeft, kRowTop[0],
                                    kValueWidth, kRowHeight);
  m_likelihoodSecond = addValueLabel(boxes[2], QStringLiteral("Label21"), kValueLeft, kRowTop[1],
                                     kValueWidth, kRowHeight);
}

void Form9::ApplyPointEstimationMode() {
  const PointMode* mode = kModes.find(analysisMode());
  for (int i = 0; i < 2; ++i) {
    m_firstNames[i]->setText(mode ? QString::fromUtf16(mode->first) : QString());
    m_secondNames[i]->setText(mode ? QString::fromUtf16(mode->second) : QString());
  }
  if (mode && !mode->countsAllowed) option2()->setEnabled(false);
  // N is asked on every activation; another N than the results were computed with makes them old.
  if (mode && mode->asksTrials && AskBinomialN(this) != m_trialsUsed)
    markResultsStale(QStringLiteral("N已修改"));
}

void Form9::ComputePointEstimates() {
  const PointMode* mode = kModes.find(analysisMode());
  if (!mode) return;
  PointEstimateInput input{mode->model, ReadOneSample(cells(), inputMode())};
  const SampleSummary& sample = input.sample;
  if (sample.n <= 0) return;
  if (mode->asksTrials) {
    // N is asked on activation; when that question was cancelled, nothing is computed.
    if (!App().program.binomialN) throw InputError("尚未输入二项分布的N值");
    input.trialCount = *App().program.binomialN;
  }
  if (mode->family) CheckDomain(cells(), *mode->family, input.trialCount);
  const PointEstimates estimates = kelvo::ComputePointEstimates(input);
  m_trialsUsed = mode->asksTrials ? std::optional(input.trialCount) : std::nullopt;
  m_mean->showValue(sample.mean);
  // A single value has no sample variance: its label stays empty.
  m_variance->showValue(sample.hasSpread ? std::optional(sample.variance) : std::nullopt);
  m_momentFirst->showValue(estimates.momentFirst);
  m_likelihoodFirst->showValue(estimates.likelihoodFirst);
  if (estimates.momentSecond) m_momentSecond->showValue(*estimates.momentSecond);
  if (estimates.likelihoodSecond) m_likelihoodSecond->showValue(*estimates.likelihoodSecond);
  showSolution(BuildPointEstimationSolution(estimates, input));
  showChart(PointEstimationChart(input.model, ReadWeightedSample(cells(), inputMode()), estimates, input.trialCount));
}

// The inputs and results as the report reads them, panel by panel.
WindowDescription Form9::describe() const {
  WindowDescription d = AnalysisWindow::describe();
  d.addResult("Picture1", "Label1", {"Label22"});
  d.addResult("Picture1", "Label7", {"Label23"});
  d.addResult("Picture2", "Label3", {"Label13"});
  d.addResult("Picture2", "Label9", {"Label19"});
  d.addResult("Picture3", "Label5", {"Label20"});
  d.addResult("Picture3", "Label11", {"Label21"});
  return d;
}

}  // namespace kelvo
