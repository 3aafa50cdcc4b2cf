#include "gui/hypothesis/Form8.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>
#include <optional>

#include "core/hypothesis/AsymptoticTests.h"
#include "core/hypothesis/SkewnessKurtosis.h"
#include "core/hypothesis/TestCharts.h"
#include "core/hypothesis/TestSolutions.h"
#include "core/hypothesis/TestStatusLine.h"
#include "core/sample/Domain.h"
#include "core/sample/Readers.h"
#include "core/sample/SampleChecks.h"
#include "core/text/ResultFormat.h"
#include "core/text/Errors.h"
#include "core/settings/ProgramState.h"
#include "core/text/TextNumber.h"
#include "gui/frame/ConclusionPanel.h"
#include "gui/frame/HypothesisPanel.h"
#include "gui/frame/SignificanceBox.h"
#include "gui/frame/ModeTable.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/frame/ValueLabel.h"
#include "gui/common/AppContext.h"
#include "gui/common/ControlLayout.h"
#include "gui/common/Dialogs.h"

namespace kelvo {

// Which answers the question for the hypothesised value takes.
enum class ValueRange { None, OpenUnit, Positive };

struct AsymptoticMode {
  const char16_t* title;
  const char* list;             // the hypothesis list Command2 shows
  const char16_t* valuePrompt;  // nullptr: no value is asked
  ValueRange range;
  bool asksTrials;              // N, the trials behind each observation
  bool countsAllowed;           // input mode two (value and repeat count)
  Family family;                // the values the population admits (not read in mode 5)
  std::optional<AsymptoticTest> test;  // none: the skewness and kurtosis test
  double AsymptoticTestInput::*hypothesised;  // where the value asked goes in the test's input
};

namespace {

AnalysisWindow::FrameOptions Form8Options() {
  AnalysisWindow::FrameOptions options;
  options.dataPanelName = QStringLiteral("Picture4");
  options.modePanelName = QStringLiteral("Picture6");
  options.rowOneHeading = QStringLiteral("样本数据 ");
  options.rowTwoHeading = QStringLiteral("重复数 ");
  options.referenceWidth = 12000;
  return options;
}

using In = AsymptoticTestInput;

constexpr AsymptoticMode kModeRows[] = {
    {u"0-1分布", "Combo1", u"输入ρ0值", ValueRange::OpenUnit, false, true, Family::Bernoulli,
     AsymptoticTest::Proportion, &In::rho0},
    {u"二项分布", "Combo1", u"输入ρ0值", ValueRange::OpenUnit, true, true, Family::Binomial,
     AsymptoticTest::BinomialProportion, &In::rho0},
    {u"泊松分布", "Combo2", u"输入λ0值", ValueRange::Positive, false, true, Family::Poisson,
     AsymptoticTest::PoissonMean, &In::lambda0},
    {u"指数分布", "Combo3", u"输入θ", ValueRange::Positive, false, false, Family::Exponential,
     AsymptoticTest::ExponentialMean, &In::theta0},
    {u"偏度,峰度检验", "Combo4", nullptr, ValueRange::None, false, false, Family::Exponential,
     std::nullopt, nullptr},
};
constexpr ModeTable<AsymptoticMode> kModes{kModeRows};

// The first ρ item ends in a blank and the θ items use the plain ">" and "<", as the
// lists have always read.
const char16_t* const kRhoItems[] = {u"ρ＝ρ0,ρ＞ρ0 ", u"ρ＝ρ0,ρ＜ρ0", u"ρ＝ρ0,ρ≠ρ0"};
const char16_t* const kLambdaItems[] = {u"λ＝λ0,λ＞λ0", u"λ＝λ0,λ＜λ0", u"λ＝λ0,λ≠λ0"};
const char16_t* const kThetaItems[] = {u"θ＝θ0,θ>θ0", u"θ＝θ0,θ<θ0", u"θ＝θ0,θ≠θ0"};
const char16_t* const kNormalItems[] = {u"服从正态分布"};
const HypothesisListSpec kLists[] = {
    {"Combo1", u"假设选择", kRhoItems},
    {"Combo2", u"假设选择", kLambdaItems},
    {"Combo3", u"假设选择", kThetaItems},
    {"Combo4", u"假设选择", kNormalItems},
};

constexpr int kFewestTrials = 2;

bool InRange(ValueRange range, double v) {
  // An answer too large for a double reads as an infinity: asked again like any invalid one.
  if (!std::isfinite(v)) return false;
  switch (range) {
    case ValueRange::OpenUnit: return v > 0.0 && v < 1.0;
    case ValueRange::Positive: return v > 0.0;
    case ValueRange::None: break;
  }
  return true;
}

}  // namespace

Form8::Form8() : AnalysisWindow(Form8Options()) {
  setObjectName(QStringLiteral("Form8"));
  setWindowTitle(QStringLiteral("渐进检验"));
  // Two rows until input mode two asks for the repeat counts.
  sampleGrid()->reshape(2, cells().cols());
  option2()->setText(QStringLiteral("重复数据"));
  setupPanels();
  connectSignals();
}

void Form8::setupPanels() {
  auto* levelPanel = new QGroupBox(surface());
  levelPanel->setObjectName(QStringLiteral("Picture5"));
  PlaceControl(levelPanel, 8280, 2190, 3600, 900);
  m_significance = AddSignificanceBox(levelPanel, {180, 240, 1300, 420}, {1560, 240, 1860, 420});

  ConclusionPanelLayout result;
  result.panel = {8280, 3210, 3600, 1440};
  result.conclusionCaption = {180, 600, 780, 420};
  result.conclusion = {960, 600, 2520, 420};
  m_conclusion = (new ConclusionPanel(surface(), result))->conclusion();

  // Last in the focus chain: when a chosen list hides, the focus moves on to the grid, not into
  // Text2, whose checks would then run on the next click elsewhere.
  auto* hypothesisPanel = new QGroupBox(QStringLiteral("假设命题"), surface());
  hypothesisPanel->setObjectName(QStringLiteral("Picture2"));
  PlaceControl(hypothesisPanel, 3000, 2190, 5160, 2460);
  HypothesisPanelLayout layout;
  layout.button = {180, 390, 1900, 480};
  layout.lists = {2250, 390, 2730, 480};
  layout.h0Caption = {180, 1140, 1300, 420};
  layout.h0 = {1560, 1140, 3420, 420};
  layout.h1Caption = {180, 1740, 1300, 420};
  layout.h1 = {1560, 1740, 3420, 420};
  m_hypotheses = new HypothesisPanel(hypothesisPanel, kLists, layout);
  m_lists = m_hypotheses->lists();
}

void Form8::connectSignals() {
  connect(m_lists, &HypothesisLists::chosen, this, &Form8::ChooseHypothesis);
}

QString Form8::helpAnchor() const {
  return analysisMode() == 5 ? QStringLiteral("skewness-kurtosis") : QStringLiteral("asymptotic");
}

void Form8::writeHeadings(InputMode mode) {
  // The repeat counts take a row of their own.
  sampleGrid()->reshape(mode == InputMode::Two ? 3 : 2, cells().cols());
  AnalysisWindow::writeHeadings(mode);
}

void Form8::ApplyAsymptoticMode() {
  const AsymptoticMode* mode = kModes.find(analysisMode());
  if (!mode) return;
  setWindowTitle(QString::fromUtf16(mode->title));
  m_lists->setCurrent(QString::fromLatin1(mode->list));
  if (!mode->countsAllowed) option2()->setEnabled(false);
}

void Form8::ShowHypothesisList() {
  const AsymptoticMode* mode = kModes.find(analysisMode());
  if (!mode) return;
  m_lists->setCurrent(QString::fromLatin1(mode->list));
  m_lists->showCurrent();
}

void Form8::ChooseHypothesis(int /*position*/, const QString& h0, const QString& h1) {
  const AsymptoticMode* mode = kModes.find(analysisMode());
  if (!mode) return;
  if (!mode->valuePrompt) {
    showHypothesisCaptions(h0, h1);
    return;
  }
  // An answer out of range is asked again; 取消 ends the choice, and the earlier hypothesis
  // stays with its value, N and captions.
  const ValueRange range = mode->range;
  const std::optional<double> value = AskNumberOrCancel(
      this, QString::fromUtf16(mode->valuePrompt), QString(), [range](double v) { return InRange(range, v); });
  if (!value) {
    m_lists->refuseChoice();
    return;
  }
  if (mode->asksTrials) {
    // N is kept as a size, within kMaxBinomialN: a larger answer is asked again.
    const std::optional<double> trials = AskNumberOrCancel(
        this, QStringLiteral("输入N值"), QString(),
        [](double n) { return n >= kFewestTrials && n <= kMaxBinomialN; }, true);
    if (!trials) {
      m_lists->refuseChoice();
      return;
    }
    m_trialCount = static_cast<int>(*trials);
  }
  m_hypothesisValue = QString::fromStdString(StoredValueText(*value));
  showHypothesisCaptions(h0, h1);
}

void Form8::showHypothesisCaptions(const QString& h0, const QString& h1) {
  const AsymptoticMode* mode = kModes.find(analysisMode());
  if (mode && !mode->valuePrompt) {
    // The normality test: H1 is the negation of the one item.
    m_hypotheses->showHypotheses(h0, QStringLiteral("不") + h0);
    return;
  }
  m_hypotheses->showHypotheses(h0 + QLatin1Char('=') + m_hypothesisValue,
                               h1 + QLatin1Char('=') + m_hypothesisValue);
}

// The data file keeps the level box's text, the chosen pair, its value and N.
SettingList Form8::saveSettings() const {
  SettingList settings;
  settings.set("level", m_significance->text().toStdString());
  if (m_hypotheses->saveChoice(settings)) {
    if (!m_hypothesisValue.isEmpty())
      settings.set("hypothesisValue", m_hypothesisValue.toStdString());
    if (m_trialCount > 0) settings.set("trials", std::to_string(m_trialCount));
  }
  return settings;
}

void Form8::restoreSettings(const SettingList& settings) {
  const AsymptoticMode* mode = kModes.find(analysisMode());
  if (!mode) return;
  m_lists->setCurrent(QString::fromLatin1(mode->list));
  // Everything is checked before anything changes, by the rules of the questions.
  const std::optional<int> position = m_hypotheses->choiceInFile(settings);
  const std::optional<double> value = settings.findNumber("hypothesisValue");
  const std::optional<int> trials = settings.findWhole("trials");
  if (position && mode->valuePrompt && !(value && InRange(mode->range, *value)))
    throw InputError("数据文件中的假设值无效");
  if (position && mode->asksTrials &&
      !(trials && *trials >= kFewestTrials && *trials <= kMaxBinomialN))
    throw InputError("数据文件中的N值无效");

  if (const std::optional<std::string> level = settings.find("level"))
    m_significance->setText(QString::fromStdString(*level));
  const auto [h0, h1] = m_hypotheses->restoreChoice(position);
  m_hypothesisValue =
      position && mode->valuePrompt ? QString::fromStdString(StoredValueText(*value)) : QString();
  m_trialCount = position && mode->asksTrials ? *trials : 0;
  if (position)
    showHypothesisCaptions(h0, h1);
  else
    m_hypotheses->clearHypotheses();
}

void Form8::CheckAsymptoticInputs() const {
  m_hypotheses->requiredChoice();
  RequireCountedSize(sampleGrid()->cells(), inputMode());
  RequireLevelGiven(m_significance->value());
}

void Form8::RunAsymptoticTest() {
  const AsymptoticMode* mode = kModes.find(analysisMode());
  if (!mode) return;
  // A failed check leaves the previous conclusion on screen.
  CheckAsymptoticInputs();
  const double alpha = m_significance->value();
  const CellStore& store = sampleGrid()->cells();
  std::optional<AsymptoticTestInput> input;
  TestResult result;
  try {
    if (mode->test) {
      CheckDomain(store, mode->family, m_trialCount);
      input = testInput(*mode);
      result = ::kelvo::RunAsymptoticTest(App().tables, *input);
    } else {
      result = TestSkewnessKurtosis(App().tables, store, alpha);
    }
  } catch (...) {
    // A test that refuses the data leaves no conclusion, neither a new nor the last one.
    m_conclusion->clear();
    throw;
  }
  m_conclusion->showDecision(result.decision);
  if (!input) {
    showSolution(SkewnessKurtosisSolution(result, alpha));
    showChart(SkewnessKurtosisChart(result));
    showStatusLine(StatusLine(result, TestFamily::SkewnessKurtosis, Hypothesis::TwoSided));
    return;
  }
  showSolution(BandTestSolution(result, *input, m_hypotheses->texts()));
  showChart(BandTestChart(result));
  showStatusLine(StatusLine(result, TestFamily::Band, input->hypothesis));
}

AsymptoticTestInput Form8::testInput(const AsymptoticMode& mode) const {
  AsymptoticTestInput input;
  input.test = *mode.test;
  input.sample = ReadOneSample(sampleGrid()->cells(), inputMode());
  input.*mode.hypothesised = LeadingValue(m_hypothesisValue.toStdString());
  input.trialCount = m_trialCount;
  input.hypothesis = HypothesisAt(m_hypotheses->requiredChoice());
  input.alpha = m_significance->value();
  return input;
}

// The inputs and results as the report reads them, panel by panel.
WindowDescription Form8::describe() const {
  WindowDescription d = AnalysisWindow::describe();
  d.addInput("Picture2", "Command2", {"Combo1", "Combo2", "Combo3", "Combo4"});
  d.addInput("Picture2", "Label6", {"Label7"});
  d.addInput("Picture2", "Label8", {"Label9"});
  d.addInput("Picture5", "Label15", {"Text2"});
  d.addResult("Picture3", "Label11", {"Label12"});
  return d;
}

}  // namespace kelvo
