#include "gui/estimation/Form9.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/estimation/BinomialN.h"
#include "core/estimation/PointEstimates.h"
#include "core/sample/Readers.h"
#include "core/shell/TextNumber.h"
#include "gui/sample/ValueLabel.h"
#include "gui/shell/ControlLayout.h"
#include "gui/shell/Dialogs.h"

namespace kelvo {
namespace {

AnalysisWindow::FrameOptions Form9Options() {
  AnalysisWindow::FrameOptions options;
  options.reopenEditorOnKey = true;
  options.hoverHighlight = true;
  return options;
}

struct ModeLabels {
  const char16_t* first;
  const char16_t* second;
};

// Name labels of the first and second parameter, by mode 1 to 6.
constexpr ModeLabels kModeLabels[] = {
    {u"P的估计值", u""},        {u"P的估计值", u""},        {u"λ的估计值", u""},
    {u"A的估计值", u"B的估计值"}, {u"μ的估计值", u"σ的估计值"}, {u"θ的估计值", u""},
};

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

  // N of the binomial, kept as text where the computation reads it back.
  m_text2 = new QLineEdit(surface());
  m_text2->setObjectName(QStringLiteral("Text2"));
  m_text2->hide();
}

void Form9::ApplyPointEstimationMode() {
  const int mode = analysisMode();
  const bool known = mode >= 1 && mode <= 6;
  const ModeLabels labels = known ? kModeLabels[mode - 1] : ModeLabels{u"", u""};
  for (int i = 0; i < 2; ++i) {
    m_firstNames[i]->setText(QString::fromUtf16(labels.first));
    m_secondNames[i]->setText(QString::fromUtf16(labels.second));
  }
  if (mode >= 4 && mode <= 6) option2()->setEnabled(false);
  if (mode == 2) askBinomialN();
}

void Form9::askBinomialN() {
  // Asked again until the answer is a whole number of trials from 1 to 32767.
  for (;;) {
    const QString answer = Dialogs().askText(this, QStringLiteral("输入二项分布中N的值"),
                                             QStringLiteral("输入N值"), QString());
    const double n = RoundHalfEven(LeadingValue(answer.toStdString()));
    if (n >= 1 && n <= kMaxBinomialN) {
      BinomialN() = static_cast<int>(n);
      m_text2->setText(QString::number(BinomialN()));
      return;
    }
  }
}

void Form9::ComputePointEstimates() {
  const int mode = analysisMode();
  if (mode < 1 || mode > 6) return;
  const SampleSummary sample = ReadOneSample(cells(), inputMode());
  if (sample.n <= 0) return;
  // N is read back from Text2; only the binomial uses it.
  int trials = 1;
  if (mode == 2) {
    auto typedN = [this] { return RoundHalfEven(LeadingValue(m_text2->text().toStdString())); };
    if (!(typedN() >= 1)) askBinomialN();
    trials = static_cast<int>(typedN());
  }
  const PointEstimates estimates =
      kelvo::ComputePointEstimates(static_cast<PointModel>(mode), sample, trials);
  m_mean->showValue(sample.mean);
  m_variance->showValue(sample.variance);
  m_momentFirst->showValue(estimates.momentFirst);
  m_likelihoodFirst->showValue(estimates.likelihoodFirst);
  if (estimates.momentSecond) m_momentSecond->showValue(*estimates.momentSecond);
  if (estimates.likelihoodSecond) m_likelihoodSecond->showValue(*estimates.likelihoodSecond);
}

}  // namespace kelvo
