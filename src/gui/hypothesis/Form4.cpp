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
#include "core/text/ResultFormat.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"
#include "gui/frame/HypothesisLists.h"
#include "gui/frame/SignificanceBox.h"
#include "gui/frame/ModeTable.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/frame/ValueLabel.h"
#include "gui/common/ControlLayout.h"
#include "gui/common/Dialogs.h"

namespace kelvo {

enum class ParametricTest {
  MeanKnownSigma,
  MeanUnknownSigma,
  SigmaKnownMean,
  SigmaUnknownMean,
  MeanDiffKnownSigmas,
  MeanDiffEqualSigmas,
  MeanDiffUnequalSigmas,
  SigmaRatio,
  PairedMeanDiff,
};

// What the captions of Label7 and Label9 show after the hypothesis texts.
enum class CaptionValue { Plain, Squared, None };

// The known parameters a mode needs before its test may run.
enum class KnownValues { None, Sigma, Mu, TwoSigmas };

// Which summary cells of a sample row a mode reads; the others are pre-filled with "×".
struct SummaryCells {
  bool mean;
  bool secondMoment;
  bool stdDev;
};

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

constexpr SummaryCells kMeanOnly{true, false, false};
constexpr SummaryCells kMeanAndStdDev{true, false, true};
constexpr SummaryCells kMeanAndMoment{true, true, false};
constexpr SummaryCells kStdDevOnly{false, false, true};

using T = ParametricTest;
using C = CaptionValue;
using K = KnownValues;

constexpr TestMode kModeRows[] = {
    {u"单个正态分布检验μ(σ已知)", u"σ已知，检验μ", u"σ", nullptr, K::Sigma, "Combo1", u"输入μ0值",
     C::Plain, false, kMeanOnly, T::MeanKnownSigma},
    {u"单个正态分布检验μ(σ未知)", u"σ未知，检验μ", nullptr, nullptr, K::None, "Combo2", u"输入μ0值",
     C::Plain, false, kMeanAndStdDev, T::MeanUnknownSigma},
    {u"单个正态分布检验σ(μ已知)", u"μ已知，检验σ", u"μ", nullptr, K::Mu, "Combo5", u"输入σ0",
     C::Squared, false, kMeanAndMoment, T::SigmaKnownMean},
    {u"单个正态分布检验σ(μ未知)", u"μ未知，检验σ", nullptr, nullptr, K::None, "Combo5", u"输入σ0",
     C::Squared, false, kStdDevOnly, T::SigmaUnknownMean},
    {u"两个正态分布检验μ1-μ2(σ1已知,σ2已知)", u"σ1已知,σ2已知", u"σ1", u"σ2", K::TwoSigmas,
     "Combo3", u"输入δ", C::Plain, true, kMeanOnly, T::MeanDiffKnownSigmas},
    {u"两个正态分布检验μ1-μ2(σ1未知,σ2未知,σ1=σ2)", u"σ1未知,σ2未知,σ1=σ2", nullptr, nullptr,
     K::None, "Combo4", u"输入δ", C::Plain, true, kMeanAndStdDev, T::MeanDiffEqualSigmas},
    {u"两个正态分布检验μ1-μ2(σ1未知,σ2未知)", u"σ1未知,σ2未知", nullptr, nullptr, K::None, "Combo3",
     u"输入δ", C::Plain, true, kMeanAndStdDev, T::MeanDiffUnequalSigmas},
    {u"两个正态分布检验σ1/σ2(μ1未知,μ2未知)", u"μ1未知,μ2未知", nullptr, nullptr, K::None, "Combo6",
     nullptr, C::None, true, kStdDevOnly, T::SigmaRatio},
    {u"基于成对数据的检验d", u"", nullptr, nullptr, K::None, "Combo7", nullptr, C::None, true,
     kMeanAndStdDev, T::PairedMeanDiff},
};
constexpr ModeTable<TestMode> kModes{kModeRows};

// The seven hypothesis lists. Combo4's first item has the plain ">" of the original list.
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

const char* const kSummaryHeadings[] = {"样本数", "样本均值 ", "样本二阶矩", "样本标准差"};
constexpr char kUnusedCell[] = "×";
constexpr int kSummaryWideningTwips = 100;
constexpr int kMeanStdDevColumns[] = {3, 4};

double ValueOf(const QString& text) { return LeadingValue(text.toStdString()); }

// The size typed into a summary row, rounded to a whole number; a cell without a number has
// no size and counts as too small.
int TypedSize(const CellStore& store, int row) {
  const std::string& text = store.text(row, 1);
  if (!IsNumericText(text)) return 0;
  const double n = RoundHalfEven(LeadingValue(text));
  return n > 32767.0 ? 32767 : n < -32768.0 ? -32768 : static_cast<int>(n);
}

// The hypothesised value as it is kept: the text of the number, at most 15 significant digits.
QString ValueText(double value) { return QString::fromStdString(StoredValueText(value)); }

// A value every test result carries; its absence is a fault of the program, not of the input.
double Intermediate(const TestResult& result, const char* name) {
  const std::optional<double> value = result.intermediates.find(name);
  if (!value) throw std::logic_error(std::string("Form4: no intermediate ") + name);
  return *value;
}

}  // namespace

Form4::Form4() : AnalysisWindow(Form4Options()) {
  setObjectName(QStringLiteral("Form4"));
  setWindowTitle(QStringLiteral("正态总体参数检验"));
  option2()->setText(QStringLiteral("输入中间值"));
  for (int i = 0; i < 2; ++i)
    m_summaryColumnTwips[i] = sampleGrid()->columnWidthTwips(kMeanStdDevColumns[i]);
  setupPanels();
  setupHypothesisPanel();
  setupInputBoxes();
  connectControls();
}

QString Form4::helpAnchor() const { return QStringLiteral("parametric"); }

void Form4::setupPanels() {
  // Frame controls moved to make room for the second row of panels.
  PlaceControl(modePanel(), 120, 2190, 2700, 1650);
  PlaceControl(computeButton(), 120, 4290, 2700, 600);

  auto* moments = new QGroupBox(QStringLiteral("中间结果"), surface());
  moments->setObjectName(QStringLiteral("Picture1"));
  PlaceControl(moments, 2940, 2190, 2880, 1650);
  addLabel(moments, QStringLiteral("Label2"), QStringLiteral("样本均值"), 180, 480, 1140, 420);
  addLabel(moments, QStringLiteral("Label4"), QStringLiteral("样本方差"), 180, 1050, 1140, 420);
  m_mean = addValueLabel(moments, QStringLiteral("Label3"), 1320, 480, 1380, 420);
  m_variance = addValueLabel(moments, QStringLiteral("Label5"), 1320, 1050, 1380, 420);

  auto* results = new QGroupBox(QStringLiteral("结果及说明"), surface());
  results->setObjectName(QStringLiteral("Picture3"));
  PlaceControl(results, 2940, 3960, 5280, 1500);
  addLabel(results, QStringLiteral("Label11"), QStringLiteral("结论:"), 180, 420, 1020, 420);
  addLabel(results, QStringLiteral("Label13"), QStringLiteral("条件说明"), 180, 930, 1020, 420);
  m_conclusion = new ConclusionLabel(AcceptH0Text(), AcceptH1Text(), results);
  m_conclusion->setObjectName(QStringLiteral("Label12"));
  PlaceControl(m_conclusion, 1200, 420, 3900, 420);
  m_condition = addLabel(results, QStringLiteral("Label14"), QString(), 1200, 930, 3900, 420);
}

void Form4::setupHypothesisPanel() {
  auto* panel = new QGroupBox(QStringLiteral("假设命题"), surface());
  panel->setObjectName(QStringLiteral("Picture2"));
  PlaceControl(panel, 5940, 2190, 5940, 1650);
  // The lists come before Command2 in the focus chain: a list hidden after a choice hands the
  // focus back to the button, not on to Text2, whose check would then run on the next click.
  m_lists = new HypothesisLists(panel, kLists, 2160, 375, 3600, 420);
  m_showList = new QPushButton(QStringLiteral("假设命题选择"), panel);
  m_showList->setObjectName(QStringLiteral("Command2"));
  PlaceControl(m_showList, 180, 360, 1800, 450);
  addLabel(panel, QStringLiteral("Label6"), QStringLiteral("厡 假 设H0"), 180, 900, 1500, 330);
  addLabel(panel, QStringLiteral("Label8"), QStringLiteral("备选假设H1"), 180, 1260, 1500, 330);
  m_h0 = addLabel(panel, QStringLiteral("Label7"), QString(), 1740, 900, 4020, 330);
  m_h1 = addLabel(panel, QStringLiteral("Label9"), QString(), 1740, 1260, 4020, 330);
}

void Form4::setupInputBoxes() {
  constexpr int kPromptLeft = 8340, kPromptWidth = 2160, kBoxLeft = 10560, kBoxWidth = 1320;
  constexpr int kLineTop[] = {4020, 4500, 4980}, kLineHeight = 390;
  addLabel(surface(), QStringLiteral("Label15"), QStringLiteral("显著水平"), kPromptLeft,
           kLineTop[0], kPromptWidth, kLineHeight);
  m_significance = AddSignificanceBox(surface(), kBoxLeft, kLineTop[0], kBoxWidth, kLineHeight);

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

  // ValidateKnownValue1. σ (modes 1, 5) is taken before its sign is checked: a refused σ
  // stays in the window state, so the compute checks report it rather than use an older one.
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
  // ValidateKnownValue2: σ2 is taken only when it is above 0.
  m_known2->addCheck({[this] { return m_known2->isNumeric(); }, QStringLiteral("数据错误"),
                      ValidatedBox::Clear});
  m_known2->addCheck({[this] { return m_known2->value() > 0; }, QStringLiteral("标准差应大于0"),
                      ValidatedBox::Clear});
  m_known2->onAccepted([this](const QString& text) { m_knownSigma2 = text; });
}

void Form4::connectControls() {
  connect(m_showList, &QPushButton::clicked, this, &Form4::ShowHypothesisList);
  connect(m_lists, &HypothesisLists::chosen, this, &Form4::ChooseHypothesis);
  // On every switch to summaries, after the frame has cleared the grid and written their headings.
  connect(this, &AnalysisWindow::inputModeSwitched, this, [this](int number) {
    if (number == 2) widenSummaryColumns();
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
  m_h1->setText(h1 + shown);
  m_h0->setText(h0 + shown);
  if (QString::fromLatin1(mode->list) == QLatin1String("Combo2"))
    m_condition->setText(QStringLiteral("未知σ,检验μ"));
}

// The data file keeps the boxes' texts, the chosen pair and its value.
SettingList Form4::saveSettings() const {
  SettingList settings;
  settings.set("level", m_significance->text().toStdString());
  settings.set("known1", m_known1->text().toStdString());
  settings.set("known2", m_known2->text().toStdString());
  if (const std::optional<int> choice = m_lists->choice()) {
    settings.set("hypothesis", std::to_string(*choice));
    if (!m_hypothesisValue.isEmpty())
      settings.set("hypothesisValue", m_hypothesisValue.toStdString());
  }
  return settings;
}

void Form4::restoreSettings(const SettingList& settings) {
  const TestMode* mode = currentMode();
  const QComboBox* list = m_lists->current();
  // Everything is checked before anything changes.
  const std::optional<int> position = settings.findWhole("hypothesis");
  if (settings.find("hypothesis") &&
      !(list && position && *position >= 0 && *position < list->count()))
    throw InputError("数据文件中的假设命题无效");
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
  m_lists->select(position ? *position : -1);
  m_hypothesisValue = value ? ValueText(*value) : QString();
  if (position) {
    const auto [h0, h1] = SplitHypothesis(list->itemText(*position));
    showHypothesisCaptions(h0, h1);
  } else {
    m_h0->clear();
    m_h1->clear();
  }
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
  for (int c = 1; c <= 4; ++c) store.setText(0, c, kSummaryHeadings[c - 1]);
  store.setText(1, 0, "样本一 ");
  if (second) store.setText(2, 0, "样本二");
  if (!mode) return;
  const bool used[] = {mode->summary.mean, mode->summary.secondMoment, mode->summary.stdDev};
  for (int row = 1; row <= (second ? 2 : 1); ++row)
    for (int c = 2; c <= 4; ++c)
      if (!used[c - 2]) store.setText(row, c, kUnusedCell);
}

void Form4::widenSummaryColumns() {
  for (int i = 0; i < 2; ++i) {
    m_summaryColumnTwips[i] += kSummaryWideningTwips;
    sampleGrid()->setColumnWidthTwips(kMeanStdDevColumns[i], m_summaryColumnTwips[i]);
  }
}

TwoSampleSummary Form4::readSamples(const TestMode& mode) const {
  const CellStore& store = sampleGrid()->cells();
  if (mode.twoSamples) return ReadTwoSamples(store, inputMode());
  // The one-sample tests do not use row 2: whatever stands there is not read.
  const int cols = inputMode() == InputMode::One ? store.cols() : std::min(store.cols(), 5);
  CellStore rowOne(2, cols);
  for (int c = 0; c < cols; ++c) rowOne.setText(1, c, store.text(1, c));
  return ReadTwoSamples(rowOne, inputMode());
}

TwoSampleSummary Form4::CheckTestInputs(const TestMode& mode, Hypothesis& hypothesis) {
  const std::optional<int> choice = m_lists->choice();
  if (!choice) throw InputError("尚未设定假设命题");
  hypothesis = HypothesisAt(*choice);

  TwoSampleSummary samples;
  int n1 = 0, n2 = 0;
  if (inputMode() == InputMode::One) {
    samples = readSamples(mode);
    n1 = samples.first.n;
    n2 = samples.second.n;
    // Both members of every pair, before the sizes: a missing one is named by its column.
    if (mode.test == ParametricTest::PairedMeanDiff)
      n1 = n2 = ReadPairedDifferences(cells(), InputMode::One).n;
  } else {
    n1 = TypedSize(cells(), 1);
    n2 = TypedSize(cells(), 2);
  }
  // The paired test reads the summary of the differences from row 1 alone.
  const bool needsSecondSize =
      mode.twoSamples && !(mode.test == ParametricTest::PairedMeanDiff && inputMode() == InputMode::Two);
  if (n1 <= 1 || (needsSecondSize && n2 <= 1)) throw InputError("样本量太小");

  if (!(ValueOf(m_significance->text()) > 0)) throw InputError("置信水平数据缺乏");
  switch (mode.known) {
    case KnownValues::Sigma:
      if (!(ValueOf(m_knownSigma1) > 0)) throw InputError("σ数据缺乏");
      break;
    case KnownValues::Mu:
      if (m_knownMu.isEmpty()) throw InputError("μ数据缺乏");
      break;
    case KnownValues::TwoSigmas:
      if (!(ValueOf(m_knownSigma1) > 0 && ValueOf(m_knownSigma2) > 0)) throw InputError("σ数据缺乏");
      break;
    case KnownValues::None: break;
  }
  if (inputMode() == InputMode::Two) samples = readSamples(mode);
  return samples;
}

TestResult Form4::runTest(const TestMode& mode, const TwoSampleSummary& samples,
                          Hypothesis hypothesis, double alpha) const {
  const double value = ValueOf(m_hypothesisValue);
  switch (mode.test) {
    case ParametricTest::MeanKnownSigma:
      return TestMeanKnownSigma(samples.first, ValueOf(m_knownSigma1), value, hypothesis, alpha);
    case ParametricTest::MeanUnknownSigma:
      return TestMeanUnknownSigma(samples.first, value, hypothesis, alpha);
    case ParametricTest::SigmaKnownMean:
      return TestSigmaKnownMean(samples.first, ValueOf(m_knownMu), value, hypothesis, alpha);
    case ParametricTest::SigmaUnknownMean:
      return TestSigmaUnknownMean(samples.first, value, hypothesis, alpha);
    case ParametricTest::MeanDiffKnownSigmas:
      return TestMeanDiffKnownSigmas(samples, ValueOf(m_knownSigma1), ValueOf(m_knownSigma2), value,
                                     hypothesis, alpha);
    case ParametricTest::MeanDiffEqualSigmas:
      return TestMeanDiffEqualSigmas(samples, value, hypothesis, alpha);
    case ParametricTest::MeanDiffUnequalSigmas:
      return TestMeanDiffUnequalSigmas(samples, value, hypothesis, alpha);
    case ParametricTest::SigmaRatio: return TestSigmaRatio(samples, hypothesis, alpha);
    case ParametricTest::PairedMeanDiff:
      return TestPairedMeanDiff(ReadPairedDifferences(sampleGrid()->cells(), inputMode()),
                                hypothesis, alpha);
  }
  throw std::logic_error("Form4: a mode without a test");
}

void Form4::RunParametricTest() {
  const TestMode* mode = currentMode();
  if (!mode) return;
  Hypothesis hypothesis = Hypothesis::Greater;
  const TwoSampleSummary samples = CheckTestInputs(*mode, hypothesis);
  const TestResult result = runTest(*mode, samples, hypothesis, ValueOf(m_significance->text()));
  // The paired test shows the differences; the others sample one.
  const bool paired = mode->test == ParametricTest::PairedMeanDiff;
  const SampleSummary shown =
      paired ? ReadPairedDifferences(sampleGrid()->cells(), inputMode()) : samples.first;
  // Only a test that ran to its decision changes what the window shows; a summary cell the
  // user gave no number (the "×" of a cell the mode does not read) shows nothing.
  m_mean->showValue(shown.hasMean ? std::optional(Intermediate(result, "mean")) : std::nullopt);
  m_variance->showValue(shown.hasSpread ? std::optional(Intermediate(result, "variance"))
                                        : std::nullopt);
  m_conclusion->showDecision(result.decision);

  ParametricSolutionInput solution;
  solution.mode = analysisMode();
  solution.hypothesis = hypothesis;
  solution.texts = {m_h0->text().toStdString(), m_h1->text().toStdString()};
  solution.alpha = ValueOf(m_significance->text());
  solution.hypothesisValue = ValueOf(m_hypothesisValue);
  solution.known1 = ValueOf(mode->test == ParametricTest::SigmaKnownMean ? m_knownMu : m_knownSigma1);
  solution.known2 = ValueOf(m_knownSigma2);
  solution.samples = samples;
  if (paired) solution.samples.first = shown;
  showSolution(ParametricTestSolution(result, solution));
  showChart(TestChart(result, hypothesis));
  showStatusLine(StatusLine(result, TestFamily::Parametric, hypothesis));
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
