#include "gui/hypothesis/Form4.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/hypothesis/ParametricTests.h"
#include "core/hypothesis/TestCharts.h"
#include "core/hypothesis/TestSolutions.h"
#include "core/hypothesis/TestStatusLine.h"
#include "core/sample/Readers.h"
#include "core/sample/SampleChecks.h"
#include "core/text/ResultFormat.h"
#include "core/text/Errors.h"
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

// What the captions of Label7 and Label9 show after the hypothesis texts.
enum class CaptionValue { Plain, Squared, None };

// The known parameters a mode needs before its test may run.
enum class KnownValues { None, Sigma, Mu, TwoSigmas };

struct TestMode {
  const char16_t* title;
  const char16_t* condition;  // Label14
  const char16_t* symbol1;    // Label17 / Text3; nullptr: hidden
  const char16_t* symbol2;    // Label18 / Text4; nullptr: hidden
  KnownValues known;
  const char* list;
  const char16_t* valuePrompt;  // the question for the hypothesised value; nullptr: none
  CaptionValue caption;
  bool twoSamples;  // row 2 holds a second sample (the second members in the paired test)
  SummaryCells summary;
  ParametricTest test;
  // Where the hypothesised value goes in the test's input; nullptr: the mode asks none.
  double ParametricTestInput::*hypothesised;
};

namespace {

AnalysisWindow::FrameOptions Form4Options() {
  AnalysisWindow::FrameOptions options;
  options.dataPanelName = QStringLiteral("Picture4");
  options.modePanelName = QStringLiteral("Picture5");
  options.rowOneHeading = QStringLiteral("样本一 ");
  options.designHeight = 372;
  return options;
}

using T = ParametricTest;
using C = CaptionValue;
using K = KnownValues;
using In = ParametricTestInput;

constexpr TestMode kModeRows[] = {
    {u"单个正态分布检验μ(σ已知)", u"σ已知，检验μ", u"σ", nullptr, K::Sigma, "Combo1", u"输入μ0值",
     C::Plain, false, kMeanOnly, T::MeanKnownSigma, &In::mu0},
    {u"单个正态分布检验μ(σ未知)", u"σ未知，检验μ", nullptr, nullptr, K::None, "Combo2", u"输入μ0值",
     C::Plain, false, kMeanAndStdDev, T::MeanUnknownSigma, &In::mu0},
    {u"单个正态分布检验σ(μ已知)", u"μ已知，检验σ", u"μ", nullptr, K::Mu, "Combo5", u"输入σ0",
     C::Squared, false, kMeanAndMoment, T::SigmaKnownMean, &In::sigma0},
    {u"单个正态分布检验σ(μ未知)", u"μ未知，检验σ", nullptr, nullptr, K::None, "Combo5", u"输入σ0",
     C::Squared, false, kStdDevOnly, T::SigmaUnknownMean, &In::sigma0},
    {u"两个正态分布检验μ1-μ2(σ1已知,σ2已知)", u"σ1已知,σ2已知", u"σ1", u"σ2", K::TwoSigmas,
     "Combo3", u"输入δ", C::Plain, true, kMeanOnly, T::MeanDiffKnownSigmas, &In::delta},
    {u"两个正态分布检验μ1-μ2(σ1未知,σ2未知,σ1=σ2)", u"σ1未知,σ2未知,σ1=σ2", nullptr, nullptr,
     K::None, "Combo4", u"输入δ", C::Plain, true, kMeanAndStdDev, T::MeanDiffEqualSigmas, &In::delta},
    {u"两个正态分布检验μ1-μ2(σ1未知,σ2未知)", u"σ1未知,σ2未知", nullptr, nullptr, K::None, "Combo3",
     u"输入δ", C::Plain, true, kMeanAndStdDev, T::MeanDiffUnequalSigmas, &In::delta},
    {u"两个正态分布检验σ1/σ2(μ1未知,μ2未知)", u"μ1未知,μ2未知", nullptr, nullptr, K::None, "Combo6",
     nullptr, C::None, true, kStdDevOnly, T::SigmaRatio, nullptr},
    {u"基于成对数据的检验d", u"", nullptr, nullptr, K::None, "Combo7", nullptr, C::None, true,
     kMeanAndStdDev, T::PairedMeanDiff, nullptr},
};
constexpr ModeTable<TestMode> kModes{kModeRows};

// The seven hypothesis lists. Combo4's first item has the plain ">", as the list has always read.
constexpr const char16_t* kMeanItems[] = {u"μ≤μ0,μ＞μ0", u"μ≥μ0,μ＜μ0", u"μ＝μ0,μ≠μ0"};
constexpr const char16_t* kDifferenceItems[] = {u"μ1-μ2≤δ,μ1-μ2＞δ", u"μ1-μ2≥δ,μ1-μ2＜δ",
                                                u"μ1-μ2＝δ,μ1-μ2≠δ"};
constexpr const char16_t* kPooledItems[] = {u"μ1-μ2≤δ,μ1-μ2>δ", u"μ1-μ2≥δ,μ1-μ2＜δ",
                                            u"μ1-μ2＝δ,μ1-μ2≠δ"};
constexpr const char16_t* kVarianceItems[] = {u"σ2≤σ02,σ2＞σ02", u"σ2≥σ02,σ2＜σ02",
                                              u"σ2＝σ02,σ2≠σ02"};
constexpr const char16_t* kRatioItems[] = {u"σ1≤σ2,σ1＞σ2", u"σ1≥σ2,σ1＜σ2", u"σ1＝σ2,σ1≠σ2"};
constexpr const char16_t* kPairedItems[] = {u"μD≤0,μD＞0", u"μD≥0,μD＜0", u"μD＝0,μD≠0"};

const HypothesisListSpec kLists[] = {
    {"Combo1", u"选择1", kMeanItems},     {"Combo2", u"选择2", kMeanItems},
    {"Combo3", u"选择3", kDifferenceItems}, {"Combo4", u"选择4", kPooledItems},
    {"Combo5", u"选择5", kVarianceItems}, {"Combo6", u"选择6", kRatioItems},
    {"Combo7", u"选择7", kPairedItems},
};

double ValueOf(const QString& text) { return LeadingValue(text.toStdString()); }

// The hypothesised value as it is kept: the text of the number, at most 15 significant digits.
QString ValueText(double value) { return QString::fromStdString(StoredValueText(value)); }

// A value every test result carries; its absence is a fault of the program, not of the input.
double Intermediate(const TestResult& result, const char* name) {
  const std::optional<double> value = result.intermediates.find(name);
  if (!value) throw std::logic_error(std::string("检验结果缺少中间值 ") + name);
  return *value;
}

}  // namespace

Form4::Form4() : AnalysisWindow(Form4Options()), m_summaryColumns(*sampleGrid()) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QStringLiteral("正态总体参数检验"));
  option2()->setText(QStringLiteral("输入中间值"));
  setupPanels();
  setupHypothesisPanel();
  setupInputBoxes();
  connectControls();
}

QString Form4::helpAnchor() const { return QStringLiteral("parametric"); }

void Form4::setupPanels() {
  // The mode panel and the compute button move to make room for the second row of panels.
  PlaceControl(modePanel(), 120, 2190, 2700, 1650);
  PlaceControl(computeButton(), 120, 4290, 2700, 600);

  auto* moments = new QGroupBox(QStringLiteral("中间结果"), surface());
  moments->setObjectName(QStringLiteral("Picture1"));
  PlaceControl(moments, 2940, 2190, 2880, 1650);
  addLabel(moments, QStringLiteral("Label2"), QStringLiteral("样本均值"), 180, 480, 1140, 420);
  addLabel(moments, QStringLiteral("Label4"), QStringLiteral("样本方差"), 180, 1050, 1140, 420);
  m_mean = addValueLabel(moments, QStringLiteral("Label3"), 1320, 480, 1380, 420);
  m_variance = addValueLabel(moments, QStringLiteral("Label5"), 1320, 1050, 1380, 420);

  ConclusionPanelLayout results;
  results.panel = {2940, 3960, 5280, 1500};
  results.conclusionCaption = {180, 420, 1020, 420};
  results.conclusion = {1200, 420, 3900, 420};
  results.conditionCaption = TwipsRect{180, 930, 1020, 420};
  results.condition = {1200, 930, 3900, 420};
  auto* conclusionPanel = new ConclusionPanel(surface(), results);
  m_conclusion = conclusionPanel->conclusion();
  m_condition = conclusionPanel->condition();
}

void Form4::setupHypothesisPanel() {
  auto* panel = new QGroupBox(QStringLiteral("假设命题"), surface());
  panel->setObjectName(QStringLiteral("Picture2"));
  PlaceControl(panel, 5940, 2190, 5940, 1650);
  HypothesisPanelLayout layout;
  layout.button = {180, 360, 1800, 450};
  layout.lists = {2160, 375, 3600, 420};
  layout.h0Caption = {180, 900, 1500, 330};
  layout.h0 = {1740, 900, 4020, 330};
  layout.h1Caption = {180, 1260, 1500, 330};
  layout.h1 = {1740, 1260, 4020, 330};
  // Otherwise a list hidden after a choice would hand the focus on to Text2, whose check would
  // then run on the next click.
  layout.listsFirst = true;
  m_hypotheses = new HypothesisPanel(panel, kLists, layout);
  m_lists = m_hypotheses->lists();
}

void Form4::setupInputBoxes() {
  constexpr int kPromptLeft = 8340, kPromptWidth = 2160, kBoxLeft = 10560, kBoxWidth = 1320;
  constexpr int kLineTop[] = {4020, 4500, 4980}, kLineHeight = 390;
  m_significance = AddSignificanceBox(surface(), {kPromptLeft, kLineTop[0], kPromptWidth, kLineHeight},
                                      {kBoxLeft, kLineTop[0], kBoxWidth, kLineHeight});

  m_knownPrompt1 = addLabel(surface(), QStringLiteral("Label17"), QString(), kPromptLeft,
                            kLineTop[1], kPromptWidth, kLineHeight);
  m_knownPrompt2 = addLabel(surface(), QStringLiteral("Label18"), QString(), kPromptLeft,
                            kLineTop[2], kPromptWidth, kLineHeight);
  m_known1 = new ValidatedBox(surface());
  m_known1->setObjectName(QStringLiteral("Text3"));
  PlaceControl(m_known1, kBoxLeft, kLineTop[1], kBoxWidth, kLineHeight);
  m_known2 = new ValidatedBox(surface());
  m_known2->setObjectName(QStringLiteral("Text4"));
  PlaceControl(m_known2, kBoxLeft, kLineTop[2], kBoxWidth, kLineHeight);
  m_known1->hide();
  m_known2->hide();
  for (ValidatedBox* box : {m_known1, m_known2})
    setChangeNote(box, QStringLiteral("已知参数已修改"));

  // Leaving Text3. σ (modes 1, 5) is taken before its sign is checked: a refused σ stays in the
  // window state, so the compute checks report it rather than use an older one.
  m_known1->addCheck({[this] { return m_known1->isNumeric(); }, QStringLiteral("数据错误"),
                      ValidatedBox::Clear});
  m_known1->addCheck({[this] {
                        const TestMode* mode = currentMode();
                        if (!mode) return true;
                        if (mode->known == KnownValues::Mu) m_knownMu = m_known1->text();
                        if (mode->known != KnownValues::Sigma && mode->known != KnownValues::TwoSigmas)
                          return true;
                        m_knownSigma1 = m_known1->text();
                        return m_known1->value() > 0;
                      },
                      QStringLiteral("标准差应大于0"), ValidatedBox::Clear});
  // Leaving Text4: σ2 is taken only when it is above 0.
  m_known2->addCheck({[this] { return m_known2->isNumeric(); }, QStringLiteral("数据错误"),
                      ValidatedBox::Clear});
  m_known2->addCheck({[this] { return m_known2->value() > 0; }, QStringLiteral("标准差应大于0"),
                      ValidatedBox::Clear});
  m_known2->onAccepted([this](const QString& text) { m_knownSigma2 = text; });
}

void Form4::connectControls() {
  connect(m_lists, &HypothesisLists::chosen, this, &Form4::ChooseHypothesis);
  // On every switch to summaries, after the frame has cleared the grid and written their headings.
  connect(this, &AnalysisWindow::inputModeSwitched, this, [this](int number) {
    if (number == 2) m_summaryColumns.widen();
  });
}

const TestMode* Form4::currentMode() const { return kModes.find(analysisMode()); }

bool Form4::twoSamples() const {
  const TestMode* mode = currentMode();
  return mode && mode->twoSamples;
}

void Form4::ApplyTestMode() {
  const TestMode* mode = currentMode();
  if (!mode) return;
  setWindowTitle(QString::fromUtf16(mode->title));
  m_condition->setText(QString::fromUtf16(mode->condition));
  auto showKnown = [](QLabel* prompt, ValidatedBox* box, const char16_t* symbol) {
    prompt->setText(symbol ? QStringLiteral("输入样本的") + QString::fromUtf16(symbol) + QStringLiteral("值")
                           : QString());
    box->setVisible(symbol != nullptr);
  };
  showKnown(m_knownPrompt1, m_known1, mode->symbol1);
  showKnown(m_knownPrompt2, m_known2, mode->symbol2);
  m_lists->setCurrent(QString::fromLatin1(mode->list));
  if (mode->twoSamples) {
    if (cells().rows() < 3) sampleGrid()->reshape(3, cells().cols());
    cells().setText(2, 0, "样本二");
    sampleGrid()->cellsReset();
  }
  m_significance->setFocus(Qt::OtherFocusReason);
}

void Form4::ShowHypothesisList() { m_lists->showCurrent(); }

void Form4::ChooseHypothesis(int /*position*/, const QString& h0, const QString& h1) {
  const TestMode* mode = currentMode();
  if (!mode) return;
  if (mode->valuePrompt) {
    const std::optional<QString> answer =
        Dialogs().askTextOrCancel(this, QString::fromUtf16(mode->valuePrompt), QString(), QString());
    if (!answer) {
      // 取消 ends the choice: the earlier hypothesis, with its value and captions, stays.
      m_lists->refuseChoice();
      return;
    }
    const double value = ValueOf(*answer);
    if (!std::isfinite(value)) {
      // A number beyond the range of doubles (1e999) is no value to test against: the pick is
      // refused and the earlier hypothesis, with its value and captions, stays.
      m_lists->refuseChoice();
      ShowDataCheck(this, QStringLiteral("数据错误"));
      return;
    }
    m_hypothesisValue = ValueText(value);
  }
  showHypothesisCaptions(h0, h1);
}

void Form4::showHypothesisCaptions(const QString& h0, const QString& h1) {
  const TestMode* mode = currentMode();
  if (!mode) return;
  const double number = ValueOf(m_hypothesisValue);
  QString shown;
  switch (mode->caption) {
    case CaptionValue::Plain: shown = QStringLiteral("=") + m_hypothesisValue; break;
    case CaptionValue::Squared:
      shown = QStringLiteral("=") +
              QString::fromStdString(FormatResult(number * number, "0.000"));
      break;
    case CaptionValue::None: break;
  }
  m_hypotheses->showHypotheses(h0 + shown, h1 + shown);
  if (QString::fromLatin1(mode->list) == QLatin1String("Combo2"))
    m_condition->setText(QStringLiteral("未知σ,检验μ"));
}

// The data file keeps the boxes' texts, the chosen pair and its value.
SettingList Form4::saveSettings() const {
  SettingList settings;
  settings.set("level", m_significance->text().toStdString());
  settings.set("known1", m_known1->text().toStdString());
  settings.set("known2", m_known2->text().toStdString());
  if (m_hypotheses->saveChoice(settings) && !m_hypothesisValue.isEmpty())
    settings.set("hypothesisValue", m_hypothesisValue.toStdString());
  return settings;
}

void Form4::restoreSettings(const SettingList& settings) {
  const TestMode* mode = currentMode();
  // Everything is checked before anything changes.
  const std::optional<int> position = m_hypotheses->choiceInFile(settings);
  const std::optional<double> value = settings.findNumber("hypothesisValue");
  if (settings.find("hypothesisValue") && !value) throw InputError("数据文件中的假设值无效");
  if (position && mode && mode->valuePrompt && !value) throw InputError("数据文件中缺少假设值");

  const std::pair<const char*, ValidatedBox*> boxes[] = {
      {"level", m_significance}, {"known1", m_known1}, {"known2", m_known2}};
  for (const auto& [name, box] : boxes)
    if (const std::optional<std::string> text = settings.find(name))
      box->setText(QString::fromStdString(*text));
  // The known values are taken as leaving their boxes takes them.
  m_knownSigma1.clear();
  m_knownSigma2.clear();
  m_knownMu.clear();
  for (ValidatedBox* box : {m_known1, m_known2})
    if (!box->text().isEmpty()) box->validate();
  const auto [h0, h1] = m_hypotheses->restoreChoice(position);
  m_hypothesisValue = value ? ValueText(*value) : QString();
  if (position)
    showHypothesisCaptions(h0, h1);
  else
    m_hypotheses->clearHypotheses();
}

void Form4::writeHeadings(InputMode inputMode) {
  CellStore& store = cells();
  const TestMode* mode = currentMode();
  const bool second = mode && mode->twoSamples && store.rows() > 2;
  if (inputMode == InputMode::One) {
    for (int c = 1; c < store.cols(); ++c) store.setText(0, c, std::to_string(c));
    store.setText(1, 0, "样本一 ");
    if (second) store.setText(2, 0, "样本二 ");
    return;
  }
  WriteSummaryHeadings(store, second);
  if (mode) MarkUnusedSummaryCells(store, mode->summary, second ? 2 : 1);
}

TwoSampleSummary Form4::readSamples(const TestMode& mode) const {
  const CellStore& store = sampleGrid()->cells();
  if (mode.twoSamples) return ReadTwoSamples(store, inputMode());
  // The one-sample tests do not use row 2: whatever stands there is not read.
  return ReadTwoSamples(FirstRowOnly(store, inputMode()), inputMode());
}

TwoSampleSummary Form4::CheckTestInputs(const TestMode& mode) {
  m_hypotheses->requiredChoice();
  const bool paired = mode.test == ParametricTest::PairedMeanDiff;
  TwoSampleSummary samples;
  int n1 = 0, n2 = 0;
  if (inputMode() == InputMode::One) {
    samples = readSamples(mode);
    n1 = samples.first.n;
    n2 = samples.second.n;
    // Both members of every pair, before the sizes: a missing one is named by its column.
    if (paired) n1 = n2 = ReadPairedDifferences(cells(), InputMode::One).n;
  } else {
    n1 = TypedSize(cells(), 1);
    n2 = TypedSize(cells(), 2);
  }
  // The paired test reads the summary of the differences from row 1 alone.
  RequireSampleSizes(n1, n2, mode.twoSamples && !(paired && inputMode() == InputMode::Two));
  RequireLevelGiven(ValueOf(m_significance->text()));
  switch (mode.known) {
    case KnownValues::Sigma: RequireKnownSigma(m_knownSigma1.toStdString()); break;
    case KnownValues::Mu: RequireKnownMean(m_knownMu.toStdString()); break;
    case KnownValues::TwoSigmas:
      RequireKnownSigma(m_knownSigma1.toStdString());
      RequireKnownSigma(m_knownSigma2.toStdString());
      break;
    case KnownValues::None: break;
  }
  if (inputMode() == InputMode::Two) samples = readSamples(mode);
  // The paired test runs on the differences, which the window shows as sample one.
  if (paired) samples.first = ReadPairedDifferences(cells(), inputMode());
  return samples;
}

ParametricTestInput Form4::testInput(const TestMode& mode, const TwoSampleSummary& samples) const {
  ParametricTestInput input;
  input.test = mode.test;
  input.samples = samples;
  if (mode.hypothesised) input.*mode.hypothesised = ValueOf(m_hypothesisValue);
  switch (mode.known) {
    case KnownValues::Sigma: input.sigma = ValueOf(m_knownSigma1); break;
    case KnownValues::Mu: input.mu = ValueOf(m_knownMu); break;
    case KnownValues::TwoSigmas:
      input.sigma1 = ValueOf(m_knownSigma1);
      input.sigma2 = ValueOf(m_knownSigma2);
      break;
    case KnownValues::None: break;
  }
  input.hypothesis = HypothesisAt(m_hypotheses->requiredChoice());
  input.alpha = ValueOf(m_significance->text());
  return input;
}

void Form4::RunParametricTest() {
  const TestMode* mode = currentMode();
  if (!mode) return;
  const ParametricTestInput input = testInput(*mode, CheckTestInputs(*mode));
  const TestResult result = ::kelvo::RunParametricTest(App().tables, input);
  // Only a test that ran to its decision changes what the window shows; a summary cell the
  // user gave no number (the "×" of a cell the mode does not read) shows nothing.
  const SampleSummary& shown = input.samples.first;
  m_mean->showValue(shown.hasMean ? std::optional(Intermediate(result, "mean")) : std::nullopt);
  m_variance->showValue(shown.hasSpread ? std::optional(Intermediate(result, "variance"))
                                        : std::nullopt);
  m_conclusion->showDecision(result.decision);
  showSolution(ParametricTestSolution(result, input, m_hypotheses->texts()));
  showChart(TestChart(result, input.hypothesis));
  showStatusLine(StatusLine(result, TestFamily::Parametric, input.hypothesis));
}

// The inputs and results as the report reads them, panel by panel.
WindowDescription Form4::describe() const {
  WindowDescription d = AnalysisWindow::describe();
  d.addInput("", "Label15", {"Text2"});
  d.addInput("", "Label17", {"Text3"});
  d.addInput("", "Label18", {"Text4"});
  d.addInput("Picture2", "Command2",
             {"Combo1", "Combo2", "Combo3", "Combo4", "Combo5", "Combo6", "Combo7"});
  d.addInput("Picture2", "Label6", {"Label7"});
  d.addInput("Picture2", "Label8", {"Label9"});
  d.addResult("Picture1", "Label2", {"Label3"});
  d.addResult("Picture1", "Label4", {"Label5"});
  d.addResult("Picture3", "Label11", {"Label12"});
  d.addResult("Picture3", "Label13", {"Label14"});
  return d;
}

}  // namespace kelvo
