#include "gui/hypothesis/Form8.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "core/hypothesis/AsymptoticTests.h"
#include "core/hypothesis/SkewnessKurtosis.h"
#include "core/hypothesis/TestCharts.h"
#include "core/hypothesis/TestSolutions.h"
#include "core/hypothesis/TestStatusLine.h"
#include "core/sample/Domain.h"
#include "core/sample/Readers.h"
#include "core/text/ResultFormat.h"
#include "core/text/Errors.h"
#include "core/settings/ProgramState.h"
#include "core/text/TextNumber.h"
#include "gui/frame/HypothesisLists.h"
#include "gui/frame/SignificanceBox.h"
#include "gui/frame/ModeTable.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/frame/ValueLabel.h"
#include "gui/common/ControlLayout.h"
#include "gui/common/Dialogs.h"

namespace kelvo {
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

// Which answers the question for the hypothesised value takes.
enum class ValueRange { None, OpenUnit, Positive };

// A band test of modes 1 to 4 with its arguments in one order; trials is read by mode 2 only.
using BandTest = TestResult (*)(const SampleSummary& sample, double value, int trials,
                                Hypothesis hypothesis, double alpha);

struct AsymptoticMode {
  const char16_t* title;
  const char* list;             // the hypothesis list Command2 shows
  const char16_t* valuePrompt;  // nullptr: no value is asked
  ValueRange range;
  bool asksTrials;              // N, the trials behind each observation
  bool countsAllowed;           // input mode two (value and repeat count)
  Family family;                // the values the population admits (not read in mode 5)
  BandTest test;                // nullptr: the skewness and kurtosis test
};

constexpr AsymptoticMode kModeRows[] = {
    {u"0-1分布", "Combo1", u"输入ρ0值", ValueRange::OpenUnit, false, true, Family::Bernoulli,
     [](const SampleSummary& s, double v, int, Hypothesis h, double a) {
       return TestProportion(s, v, h, a);
     }},
    {u"二项分布", "Combo1", u"输入ρ0值", ValueRange::OpenUnit, true, true, Family::Binomial,
     [](const SampleSummary& s, double v, int trials, Hypothesis h, double a) {
       return TestBinomialProportion(s, trials, v, h, a);
     }},
    {u"泊松分布", "Combo2", u"输入λ0值", ValueRange::Positive, false, true, Family::Poisson,
     [](const SampleSummary& s, double v, int, Hypothesis h, double a) {
       return TestPoissonMean(s, v, h, a);
     }},
    {u"指数分布", "Combo3", u"输入θ", ValueRange::Positive, false, false, Family::Exponential,
     [](const SampleSummary& s, double v, int, Hypothesis h, double a) {
       return TestExponentialMean(s, v, h, a);
     }},
    {u"偏度,峰度检验", "Combo4", nullptr, ValueRange::None, false, false, Family::Exponential,
     nullptr},
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
constexpr double kLargestSize = 32767.0;

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

// The sample size as the checks count it: the filled row-1 cells, or in input mode two the
// whole parts of the counts below them. Summed in doubles so that a total beyond the 16-bit
// sizes is refused instead of wrapping round into a small one.
double CountedSize(const CellStore& store, InputMode mode) {
  double n = 0.0;
  for (int c = 1; c < store.cols(); ++c) {
    if (store.text(1, c).empty()) continue;
    n += mode == InputMode::Two ? std::floor(LeadingValue(store.text(2, c))) : 1.0;
  }
  return n;
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
  addLabel(levelPanel, QStringLiteral("Label15"), QStringLiteral("显著水平"), 180, 240, 1300, 420);
  m_significance = AddSignificanceBox(levelPanel, 1560, 240, 1860, 420);

  auto* resultPanel = new QGroupBox(QStringLiteral("结果及说明"), surface());
  resultPanel->setObjectName(QStringLiteral("Picture3"));
  PlaceControl(resultPanel, 8280, 3210, 3600, 1440);
  addLabel(resultPanel, QStringLiteral("Label11"), QStringLiteral("结论:"), 180, 600, 780, 420);
  m_conclusion = new ConclusionLabel(AcceptH0Text(), AcceptH1Text(), resultPanel);
  m_conclusion->setObjectName(QStringLiteral("Label12"));
  PlaceControl(m_conclusion, 960, 600, 2520, 420);

  // Last in the focus chain: when a chosen list hides, the focus moves on to the grid, not into
  // Text2, whose checks would then run on the next click elsewhere.
  auto* hypothesisPanel = new QGroupBox(QStringLiteral("假设命题"), surface());
  hypothesisPanel->setObjectName(QStringLiteral("Picture2"));
  PlaceControl(hypothesisPanel, 3000, 2190, 5160, 2460);
  m_chooseButton = new QPushButton(QStringLiteral("假设命题选择"), hypothesisPanel);
  m_chooseButton->setObjectName(QStringLiteral("Command2"));
  PlaceControl(m_chooseButton, 180, 390, 1900, 480);
  m_lists = new HypothesisLists(hypothesisPanel, kLists, 2250, 390, 2730, 480);
  addLabel(hypothesisPanel, QStringLiteral("Label6"), QStringLiteral("厡 假 设H0"), 180, 1140,
           1300, 420);
  m_h0 = addLabel(hypothesisPanel, QStringLiteral("Label7"), QString(), 1560, 1140, 3420, 420);
  addLabel(hypothesisPanel, QStringLiteral("Label8"), QStringLiteral("备选假设H1"), 180, 1740,
           1300, 420);
  m_h1 = addLabel(hypothesisPanel, QStringLiteral("Label9"), QString(), 1560, 1740, 3420, 420);
}

void Form8::connectSignals() {
  connect(m_chooseButton, &QPushButton::clicked, this, &Form8::ShowHypothesisList);
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
    // N is a 16-bit count: beyond it the question is asked again rather than wrapped.
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
    m_h0->setText(h0);
    m_h1->setText(QStringLiteral("不") + h0);
    return;
  }
  m_h1->setText(h1 + QLatin1Char('=') + m_hypothesisValue);
  m_h0->setText(h0 + QLatin1Char('=') + m_hypothesisValue);
}

// The data file keeps the level box's text, the chosen pair, its value and N.
SettingList Form8::saveSettings() const {
  SettingList settings;
  settings.set("level", m_significance->text().toStdString());
  if (const std::optional<int> choice = m_lists->choice()) {
    settings.set("hypothesis", std::to_string(*choice));
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
  const QComboBox* list = m_lists->current();
  // Everything is checked before anything changes, by the rules of the questions.
  const std::optional<int> position = settings.findWhole("hypothesis");
  if (settings.find("hypothesis") &&
      !(list && position && *position >= 0 && *position < list->count()))
    throw InputError("数据文件中的假设命题无效");
  const std::optional<double> value = settings.findNumber("hypothesisValue");
  const std::optional<int> trials = settings.findWhole("trials");
  if (position && mode->valuePrompt && !(value && InRange(mode->range, *value)))
    throw InputError("数据文件中的假设值无效");
  if (position && mode->asksTrials &&
      !(trials && *trials >= kFewestTrials && *trials <= kMaxBinomialN))
    throw InputError("数据文件中的N值无效");

  if (const std::optional<std::string> level = settings.find("level"))
    m_significance->setText(QString::fromStdString(*level));
  m_lists->select(position ? *position : -1);
  m_hypothesisValue =
      position && mode->valuePrompt ? QString::fromStdString(StoredValueText(*value)) : QString();
  m_trialCount = position && mode->asksTrials ? *trials : 0;
  if (position) {
    const auto [h0, h1] = SplitHypothesis(list->itemText(*position));
    showHypothesisCaptions(h0, h1);
  } else {
    m_h0->clear();
    m_h1->clear();
  }
}

void Form8::CheckAsymptoticInputs() const {
  if (!m_lists->choice()) throw InputError("尚未设定假设命题");
  const double n = CountedSize(sampleGrid()->cells(), inputMode());
  if (n > kLargestSize) throw InputError("样本量超出范围");
  if (!(n > 1.0)) throw InputError("样本量太小");
  if (!(m_significance->value() > 0.0)) throw InputError("置信水平数据缺乏");
}

void Form8::RunAsymptoticTest() {
  if (!kModes.find(analysisMode())) return;
  // A failed check leaves the previous conclusion on screen.
  CheckAsymptoticInputs();
  TestResult result;
  try {
    result = runModeTest(m_significance->value());
  } catch (...) {
    // A test that refuses the data leaves no conclusion, neither a new nor the last one.
    m_conclusion->clear();
    throw;
  }
  m_conclusion->showDecision(result.decision);

  const double alpha = m_significance->value();
  if (!kModes.find(analysisMode())->test) {
    showSolution(SkewnessKurtosisSolution(result, alpha));
    showChart(SkewnessKurtosisChart(result));
    showStatusLine(StatusLine(result, TestFamily::SkewnessKurtosis, Hypothesis::TwoSided));
    return;
  }
  BandSolutionInput solution;
  solution.mode = analysisMode();
  solution.hypothesis = HypothesisAt(*m_lists->choice());
  solution.texts = {m_h0->text().toStdString(), m_h1->text().toStdString()};
  solution.alpha = alpha;
  solution.hypothesisValue = LeadingValue(m_hypothesisValue.toStdString());
  solution.trialCount = m_trialCount;
  showSolution(BandTestSolution(result, solution));
  showChart(BandTestChart(result));
  showStatusLine(StatusLine(result, TestFamily::Band, solution.hypothesis));
}

TestResult Form8::runModeTest(double alpha) const {
  const AsymptoticMode& mode = *kModes.find(analysisMode());
  const CellStore& store = sampleGrid()->cells();
  if (!mode.test) return TestSkewnessKurtosis(store, alpha);
  CheckDomain(store, mode.family, m_trialCount);
  return mode.test(ReadOneSample(store, inputMode()), LeadingValue(m_hypothesisValue.toStdString()),
                   m_trialCount, HypothesisAt(*m_lists->choice()), alpha);
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
