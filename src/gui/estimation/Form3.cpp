#include "gui/estimation/Form3.h"

#include <QLabel>
#include <optional>

#include "core/estimation/ConfidenceLevel.h"
#include "core/estimation/EstimationCharts.h"
#include "core/estimation/EstimationSolutions.h"
#include "core/estimation/IntervalStatusLine.h"
#include "core/estimation/LargeSampleIntervals.h"
#include "core/sample/Domain.h"
#include "core/sample/Readers.h"
#include "core/text/ResultFormat.h"
#include "core/text/Errors.h"
#include "gui/common/AppContext.h"
#include "gui/estimation/BinomialQuestion.h"
#include "gui/frame/SignificanceBox.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/frame/ValueLabel.h"
#include "gui/common/ControlLayout.h"

namespace kelvo {
namespace {

AnalysisWindow::FrameOptions Form3Options() {
  AnalysisWindow::FrameOptions options;
  options.dataPanelName = QStringLiteral("Picture4");
  options.modePanelName = QStringLiteral("Picture5");
  options.rowOneHeading = QStringLiteral("样本数据");
  options.rowTwoHeading = QStringLiteral("重复数");
  options.designHeight = 340;
  return options;
}

struct FamilyMode {
  int mode;
  LargeSampleInterval interval;
  const char16_t* caption;
  const char16_t* symbol;
  bool asksTrials;  // the number of binomial trials N
};

// The menu opens this window in modes 1, 2, 3 and 6 only.
constexpr FamilyMode kModes[] = {
    {1, LargeSampleInterval::BernoulliP, u"0-1分布区间估计", u"P", false},
    {2, LargeSampleInterval::BinomialP, u"二项分布区间估计", u"P", true},
    {3, LargeSampleInterval::PoissonLambda, u"泊松分布区间估计", u"λ", false},
    {6, LargeSampleInterval::ExponentialTheta, u"指数分布区间估计", u"θ", false},
};

const FamilyMode* FindMode(int mode) {
  for (const FamilyMode& row : kModes)
    if (row.mode == mode) return &row;
  return nullptr;
}

constexpr int kLabelMoveTwips = 5;  // Label8 moves this far left per step of a re-format

}  // namespace

Form3::Form3() : AnalysisWindow(Form3Options()) {
  setObjectName(QStringLiteral("Form3"));
  setWindowTitle(QStringLiteral("区间估计"));
  setupPanels();
}

void Form3::setupPanels() {
  auto* levelPanel = new QGroupBox(QStringLiteral("参数"), surface());
  levelPanel->setObjectName(QStringLiteral("Picture3"));
  PlaceControl(levelPanel, 3000, 2190, 3720, 1050);
  addLabel(levelPanel, QStringLiteral("Label1"), QStringLiteral("置信水平"), 180, 420, 1200, 420);
  m_level = new ValidatedBox(levelPanel);
  m_level->setObjectName(QStringLiteral("Text2"));
  PlaceControl(m_level, 1440, 390, 2040, 420);
  m_level->addCheck({[this] { return LevelBoxAcceptable(*m_level); },
                     QStringLiteral("数据错误"), ValidatedBox::Clear | ValidatedBox::KeepFocus});
  setChangeNote(m_level, QStringLiteral("置信水平已修改"));

  auto* middle = new QGroupBox(QStringLiteral("中间结果"), surface());
  middle->setObjectName(QStringLiteral("Picture1"));
  PlaceControl(middle, 3000, 3360, 3720, 1290);
  addLabel(middle, QStringLiteral("Label2"), QStringLiteral("样本均值"), 180, 330, 1200, 390);
  m_mean = addValueLabel(middle, QStringLiteral("Label3"), 1440, 300, 2040, 390);
  addLabel(middle, QStringLiteral("Label4"), QStringLiteral("样本方差"), 180, 780, 1200, 390);
  m_variance = addValueLabel(middle, QStringLiteral("Label5"), 1440, 750, 2040, 390);

  auto* results = new QGroupBox(QStringLiteral("区间估计"), surface());
  results->setObjectName(QStringLiteral("Picture2"));
  PlaceControl(results, 6840, 2190, 5040, 2460);
  m_twoSidedName = addLabel(results, QStringLiteral("Label6"), QString(), 180, 330, 4680, 360);
  addLabel(results, QStringLiteral("Label7"), QStringLiteral("置信区间"), 180, 780, 1200, 390);
  m_interval = new ValueLabel(results);
  m_interval->setObjectName(QStringLiteral("Label8"));
  PlaceControl(m_interval, 1440, 750, 3420, 390);
  connect(m_interval, &ValueLabel::clicked, this, &Form3::ReformatIntervalLabel);
  m_oneSidedName = addLabel(results, QStringLiteral("Label9"), QString(), 180, 1320, 4680, 360);
  // This window gives no one-sided bounds: their labels exist and stay empty.
  addLabel(results, QStringLiteral("Label11"), QString(), 1440, 1710, 3420, 300);
  addLabel(results, QStringLiteral("Label13"), QString(), 1440, 2040, 3420, 300);
}

void Form3::ApplyIntervalMode() {
  const FamilyMode* mode = FindMode(analysisMode());
  if (mode) {
    setWindowTitle(QString::fromUtf16(mode->caption));
    const QString symbol = QString::fromUtf16(mode->symbol);
    m_twoSidedName->setText(QStringLiteral("双侧置信 ") + symbol);
    m_oneSidedName->setText(QStringLiteral("单侧置信 ") + symbol);
    // N is asked on every activation; another N than the interval's makes the results old.
    if (mode->asksTrials && AskBinomialN(this) != m_trialsUsed)
      markResultsStale(QStringLiteral("N已修改"));
  }
  m_level->setFocus(Qt::OtherFocusReason);
}

void Form3::ComputeInterval() {
  const FamilyMode* mode = FindMode(analysisMode());
  if (!mode) return;
  // Every check and the whole computation come first: a refusal leaves the labels as they were.
  LargeSampleIntervalInput input{mode->interval, ReadOneSample(cells(), inputMode()), m_level->value()};
  const SampleSummary& sample = input.sample;
  if (sample.n < 1) throw InputError("样本量太小");
  CheckConfidenceLevel(input.level);
  if (mode->asksTrials) {
    // N is asked on activation; when that question was cancelled, nothing is computed.
    if (!App().program.binomialN) throw InputError("尚未输入二项分布的N值");
    input.trialCount = *App().program.binomialN;
  }
  CheckDomain(cells(), PopulationOf(input.kind), input.trialCount);
  const IntervalResult interval = ComputeLargeSampleInterval(App().tables, input);

  m_trialsUsed = mode->asksTrials ? std::optional(input.trialCount) : std::nullopt;
  m_mean->showValue(sample.mean);
  // A single value has no sample variance: its label stays empty.
  m_variance->showValue(sample.hasSpread ? std::optional(sample.variance) : std::nullopt);
  m_lower = interval.lower;
  m_upper = interval.upper;
  m_hasInterval = true;
  showInterval(m_lower, m_upper, ResultFormat());
  showSolution(BuildLargeSampleIntervalSolution(interval, input));
  showChart(LargeSampleIntervalChart(interval, input));
  showStatusLine(StatusLine(interval));
}

void Form3::showInterval(double lower, double upper, const std::string& pattern) {
  m_interval->setText(QStringLiteral("(") + QString::fromStdString(FormatResult(lower, pattern)) +
                      QStringLiteral(",") + QString::fromStdString(FormatResult(upper, pattern)) +
                      QStringLiteral(")"));
  m_interval->setProperty("Tag", QString::fromStdString(StoredValueText(lower) + "," +
                                                         StoredValueText(upper)));
}

// The data file keeps the level box's text.
SettingList Form3::saveSettings() const {
  SettingList settings;
  settings.set("level", m_level->text().toStdString());
  return settings;
}

void Form3::restoreSettings(const SettingList& settings) {
  if (const std::optional<std::string> level = settings.find("level"))
    m_level->setText(QString::fromStdString(*level));
}

void Form3::ReformatIntervalLabel() {
  const int step = precisionStep();
  if (step == 0 || !m_hasInterval) return;
  // The lower bound as shown decides the pattern of both bounds.
  const QString caption = m_interval->text();
  const int open = caption.indexOf(QLatin1Char('('));
  const int comma = caption.indexOf(QLatin1Char(','));
  const QString lowerText = open >= 0 && comma > open ? caption.mid(open + 1, comma - open - 1) : QString();
  showInterval(m_lower, m_upper, StepPattern(lowerText.toStdString(), step));
  TwipsRect r = ControlTwips(m_interval);
  r.left -= static_cast<long long>(kLabelMoveTwips) * step;
  SetControlTwips(m_interval, r);
}

// The inputs and results as the report reads them, panel by panel.
WindowDescription Form3::describe() const {
  WindowDescription d = AnalysisWindow::describe();
  d.addInput("Picture3", "Label1", {"Text2"});
  d.addResult("Picture2", "Label6", {});
  d.addResult("Picture2", "Label7", {"Label8"});
  d.addResult("Picture1", "Label2", {"Label3"});
  d.addResult("Picture1", "Label4", {"Label5"});
  return d;
}

}  // namespace kelvo
