#include "gui/estimation/Form3a.h"

#include <QLabel>
#include <QRadioButton>
#include <cmath>
#include <optional>
#include <string>

#include "core/estimation/ConfidenceLevel.h"
#include "core/estimation/EstimationCharts.h"
#include "core/estimation/EstimationSolutions.h"
#include "core/estimation/IntervalStatusLine.h"
#include "core/estimation/NormalIntervals.h"
#include "core/sample/Readers.h"
#include "core/text/Errors.h"
#include "gui/frame/ModeTable.h"
#include "gui/frame/SignificanceBox.h"
#include "gui/frame/SummaryEntry.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/frame/ValueLabel.h"
#include "gui/common/AppContext.h"
#include "gui/common/ControlLayout.h"

namespace kelvo {
namespace {

AnalysisWindow::FrameOptions Form3aOptions() {
  AnalysisWindow::FrameOptions options;
  options.dataPanelName = QStringLiteral("Picture4");
  options.modePanelName = QStringLiteral("Picture5");
  options.rowOneHeading = QStringLiteral("样本一 ");
  options.designHeight = 384;
  return options;
}

// A known value the mode asks in Text3 or Text4: its symbol and the input field it fills.
struct KnownValue {
  const char16_t* symbol;
  double NormalIntervalInput::*field;
};

struct NormalMode {
  NormalInterval interval;
  const char16_t* caption;
  const char16_t* symbol;  // the estimated quantity
  KnownValue known1;       // Text3; symbol nullptr: none
  KnownValue known2;       // Text4
  SummaryCells summary;    // the cells of summary entry the mode reads
};

constexpr KnownValue kNone{nullptr, nullptr};
constexpr KnownValue kSigma{u"σ", &NormalIntervalInput::sigma};
constexpr KnownValue kMu{u"μ", &NormalIntervalInput::mu};

constexpr NormalMode kModeRows[] = {
    {NormalInterval::MeanKnownSigma, u"单个正态分布区间估计(σ已知)", u"μ", kSigma, kNone, kMeanOnly},
    {NormalInterval::MeanUnknownSigma, u"单个正态分布区间估计(σ未知)", u"μ", kNone, kNone, kMeanAndStdDev},
    {NormalInterval::SigmaKnownMean, u"单个正态分布区间估计(μ已知)", u"σ", kMu, kNone, kMeanAndMoment},
    {NormalInterval::SigmaUnknownMean, u"单个正态分布区间估计(μ未知)", u"σ", kNone, kNone, kStdDevOnly},
    {NormalInterval::MeanDiffKnownSigmas, u"两个正态分布区间估计(σ1已知,σ2已知)", u"μ1-μ2",
     {u"σ1", &NormalIntervalInput::sigma1}, {u"σ2", &NormalIntervalInput::sigma2}, kMeanOnly},
    {NormalInterval::MeanDiffEqualSigmas, u"两个正态分布区间估计(σ1未知,σ2未知,σ1=σ2)", u"μ1-μ2", kNone, kNone,
     kMeanAndStdDev},
    {NormalInterval::MeanDiffUnequalSigmas, u"两个正态分布区间估计(σ1未知,σ2未知)", u"μ1-μ2", kNone, kNone,
     kMeanAndStdDev},
    {NormalInterval::SigmaRatioKnownMeans, u"两个正态分布区间估计(μ1已知,μ2已知)", u"σ1/σ2",
     {u"μ1", &NormalIntervalInput::mu1}, {u"μ2", &NormalIntervalInput::mu2}, kMeanAndMoment},
    {NormalInterval::SigmaRatioUnknownMeans, u"两个正态分布区间估计(μ1未知,μ2未知)", u"σ1/σ2", kNone, kNone,
     kStdDevOnly},
};
constexpr ModeTable<NormalMode> kModes{kModeRows};

constexpr int kMinSampleSize = 3;

QString KnownValuePrompt(const char16_t* symbol) {
  return QStringLiteral("输入样本的") + QString::fromUtf16(symbol) + QStringLiteral("值");
}

}  // namespace

Form3a::Form3a() : AnalysisWindow(Form3aOptions()) {
  setObjectName(QStringLiteral("Form3a"));
  setWindowTitle(QStringLiteral("正态总体区间估计"));
  option2()->setText(QStringLiteral("输入中间值"));
  // Two rows until a two-sample mode adds the third on activation.
  sampleGrid()->reshape(2, cells().cols());
  sampleGrid()->cellsReset();
  setupPanels();
}

void Form3a::setupPanels() {
  auto* inputs = new QGroupBox(QStringLiteral("参数"), surface());
  inputs->setObjectName(QStringLiteral("Picture3"));
  PlaceControl(inputs, 2940, 2190, 3900, 2040);
  setupBoxes(inputs);

  auto* middle = new QGroupBox(QStringLiteral("中间结果"), surface());
  middle->setObjectName(QStringLiteral("Picture1"));
  PlaceControl(middle, 2940, 4350, 3900, 1290);
  addLabel(middle, QStringLiteral("Label2"), QStringLiteral("样本均值"), 150, 330, 1260, 390);
  m_mean = addValueLabel(middle, QStringLiteral("Label3"), 1440, 300, 2280, 390);
  addLabel(middle, QStringLiteral("Label4"), QStringLiteral("样本方差"), 150, 780, 1260, 390);
  m_variance = addValueLabel(middle, QStringLiteral("Label5"), 1440, 750, 2280, 390);

  auto* results = new QGroupBox(QStringLiteral("区间估计"), surface());
  results->setObjectName(QStringLiteral("Picture2"));
  PlaceControl(results, 6960, 2190, 4920, 3450);
  m_twoSidedName = addLabel(results, QStringLiteral("Label6"), QString(), 180, 330, 4560, 360);
  addLabel(results, QStringLiteral("Label7"), QStringLiteral("置信区间"), 180, 750, 1350, 390);
  m_lower = addDecoratedLabel(results, QStringLiteral("Label8"), QStringLiteral("("),
                              QStringLiteral(","), 1560, 720, 1600, 420);
  m_upper = addDecoratedLabel(results, QStringLiteral("Label18"), QString(), QStringLiteral(")"),
                              3160, 720, 1600, 420);
  // "(" L "," beside U ")" reads as one interval.
  m_upper->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  m_oneSidedName = addLabel(results, QStringLiteral("Label9"), QString(), 180, 1320, 4560, 360);
  addLabel(results, QStringLiteral("Label10"), QStringLiteral("单侧置信上限"), 180, 1740, 1350, 390);
  m_upperOnly = addDecoratedLabel(results, QStringLiteral("Label11"), QStringLiteral("(-∞,"),
                                  QStringLiteral(")"), 1560, 1710, 3200, 420);
  addLabel(results, QStringLiteral("Label12"), QStringLiteral("单侧置信下限"), 180, 2220, 1350, 390);
  m_lowerOnly = addDecoratedLabel(results, QStringLiteral("Label13"), QStringLiteral("("),
                                  QStringLiteral(",∞)"), 1560, 2190, 3200, 420);
}

void Form3a::setupBoxes(QWidget* panel) {
  constexpr int kNameLeft = 150, kNameWidth = 1950, kBoxLeft = 2160, kBoxWidth = 1560;
  constexpr int kRowTop[3] = {360, 960, 1560}, kRowHeight = 420;
  addLabel(panel, QStringLiteral("Label1"), QStringLiteral("置信水平"), kNameLeft, kRowTop[0],
           kNameWidth, kRowHeight);
  m_known1Name = addLabel(panel, QStringLiteral("Label16"), QString(), kNameLeft, kRowTop[1],
                          kNameWidth, kRowHeight);
  m_known2Name = addLabel(panel, QStringLiteral("Label17"), QString(), kNameLeft, kRowTop[2],
                          kNameWidth, kRowHeight);
  m_level = new ValidatedBox(panel);
  m_known1 = new ValidatedBox(panel);
  m_known2 = new ValidatedBox(panel);
  const char* names[] = {"Text2", "Text3", "Text4"};
  ValidatedBox* boxes[] = {m_level, m_known1, m_known2};
  for (int i = 0; i < 3; ++i) {
    boxes[i]->setObjectName(QString::fromLatin1(names[i]));
    PlaceControl(boxes[i], kBoxLeft, kRowTop[i], kBoxWidth, kRowHeight);
  }
  m_known1->hide();
  m_known2->hide();

  setChangeNote(m_level, QStringLiteral("置信水平已修改"));
  setChangeNote(m_known1, QStringLiteral("已知参数已修改"));
  setChangeNote(m_known2, QStringLiteral("已知参数已修改"));
  // Only a level outside (0, 1) is refused; the focus goes on to Text3 where the mode has it.
  m_level->addCheck({[this] { return LevelBoxAcceptable(*m_level); },
                     QStringLiteral("数据错误"), ValidatedBox::Clear | ValidatedBox::KeepFocus});
  m_level->setNext(m_known1);

  m_known1->addCheck({[this] { return m_level->isNumeric(); }, QStringLiteral("请在置信水平输入数据"),
                      ValidatedBox::MarkRed, m_level});
  m_known1->addCheck({[this] { return m_known1->isNumeric(); }, QStringLiteral("无数据错误"),
                      ValidatedBox::Clear | ValidatedBox::KeepFocus});
  m_known1->setNext(m_known2);
  m_known1->onAccepted([this](const QString&) { m_knownValue1 = m_known1->value(); });

  m_known2->addCheck({[this] { return m_level->isNumeric() && m_known1->isNumeric(); },
                      QStringLiteral("顺序输入数据"), ValidatedBox::MarkRed, m_known1});
  m_known2->addCheck({[this] { return m_known2->isNumeric(); }, QStringLiteral("无数据错误"),
                      ValidatedBox::Clear | ValidatedBox::KeepFocus | ValidatedBox::MarkRed});
  m_known2->onAccepted([this](const QString&) { m_knownValue2 = m_known2->value(); });

  // A known value counts once its box has been left with a number in it: an edit since then
  // (the box emptied by a refusal included) withdraws it, so the box never shows one value
  // while the computation uses another.
  connect(m_known1, &QLineEdit::textChanged, this, [this] { m_knownValue1.reset(); });
  connect(m_known2, &QLineEdit::textChanged, this, [this] { m_knownValue2.reset(); });
}

// The data file keeps the texts of the level and known-value boxes.
SettingList Form3a::saveSettings() const {
  SettingList settings;
  settings.set("level", m_level->text().toStdString());
  settings.set("known1", m_known1->text().toStdString());
  settings.set("known2", m_known2->text().toStdString());
  return settings;
}

void Form3a::restoreSettings(const SettingList& settings) {
  const std::pair<const char*, ValidatedBox*> boxes[] = {
      {"level", m_level}, {"known1", m_known1}, {"known2", m_known2}};
  for (const auto& [name, box] : boxes)
    if (const std::optional<std::string> text = settings.find(name))
      box->setText(QString::fromStdString(*text));
  // A known value from the file counts as one typed and accepted.
  m_knownValue1 = m_known1->isNumeric() ? std::optional(m_known1->value()) : std::nullopt;
  m_knownValue2 = m_known2->isNumeric() ? std::optional(m_known2->value()) : std::nullopt;
}

void Form3a::ApplyNormalIntervalMode() {
  if (const NormalMode* mode = kModes.find(analysisMode())) {
    setWindowTitle(QString::fromUtf16(mode->caption));
    const QString symbol = QString::fromUtf16(mode->symbol);
    m_twoSidedName->setText(QStringLiteral("双侧置信 ") + symbol);
    m_oneSidedName->setText(QStringLiteral("单侧置信 ") + symbol);
    if (UsesSecondSample(mode->interval) && cells().rows() < 3) {
      sampleGrid()->reshape(3, cells().cols());
      cells().setText(2, 0, "样本二");
      if (inputMode() == InputMode::Two) fillUnusedSummaryCells();
      sampleGrid()->cellsReset();
    }
    m_known1Name->setText(mode->known1.symbol ? KnownValuePrompt(mode->known1.symbol) : QString());
    m_known2Name->setText(mode->known2.symbol ? KnownValuePrompt(mode->known2.symbol) : QString());
    m_known1->setVisible(mode->known1.symbol != nullptr);
    m_known2->setVisible(mode->known2.symbol != nullptr);
  }
  m_level->setFocus(Qt::OtherFocusReason);
}

void Form3a::writeHeadings(InputMode mode) {
  CellStore& store = cells();
  const bool secondSample = store.rows() > 2;
  if (mode == InputMode::Two) {
    WriteSummaryHeadings(store, secondSample);
    FitSummaryColumns(*sampleGrid());
    fillUnusedSummaryCells();
    return;
  }
  for (int c = 1; c < store.cols(); ++c) store.setText(0, c, std::to_string(c));
  store.setText(1, 0, "样本一 ");
  if (secondSample) store.setText(2, 0, "样本二");
  UnfitSummaryColumns(*sampleGrid());
}

void Form3a::fillUnusedSummaryCells() {
  if (const NormalMode* mode = kModes.find(analysisMode()))
    MarkUnusedSummaryCells(cells(), mode->summary, cells().rows() - 1);
}

void Form3a::ComputeNormalIntervals() {
  const NormalMode* mode = kModes.find(analysisMode());
  if (!mode) return;
  // Every check and the whole computation come first: a refusal leaves the labels as they were.
  NormalIntervalInput input{mode->interval, ReadTwoSamples(cells(), inputMode()), m_level->value()};
  const TwoSampleSummary& samples = input.samples;
  if (samples.first.n < kMinSampleSize ||
      (UsesSecondSample(input.kind) && samples.second.n < kMinSampleSize))
    throw InputError("样本量错误");
  CheckConfidenceLevel(input.level);
  const std::pair<const KnownValue&, const std::optional<double>&> known[] = {
      {mode->known1, m_knownValue1}, {mode->known2, m_knownValue2}};
  for (const auto& [value, accepted] : known) {
    if (!value.field) continue;
    if (!accepted) throw InputError("无数据错误");
    input.*value.field = *accepted;
  }
  const NormalIntervalResult interval = ComputeNormalInterval(App().tables, input);

  // A summary cell without a number (the "×" of a value the mode does not read) shows nothing.
  const SampleSummary& first = samples.first;
  m_mean->showValue(first.hasMean ? std::optional(first.mean) : std::nullopt);
  m_variance->showValue(first.hasSpread ? std::optional(first.stdDev * first.stdDev) : std::nullopt);
  m_lower->showValue(interval.lower);
  m_upper->showValue(interval.upper);
  // A standard deviation (or a ratio of them) is positive: its upper limit's interval starts at 0.
  const bool fromMinusInfinity = std::isinf(interval.lowestValue);
  m_upperOnly->setDecorations(fromMinusInfinity ? QStringLiteral("(-∞,") : QStringLiteral("(0,"),
                              QStringLiteral(")"));
  m_upperOnly->showValue(interval.upperOnly);
  m_lowerOnly->showValue(interval.lowerOnly);
  showSolution(BuildNormalIntervalSolution(interval, input));
  showChart(NormalIntervalChart(interval, input));
  showStatusLine(StatusLine(interval, input.kind));
}

// The inputs and results as the report reads them, panel by panel.
WindowDescription Form3a::describe() const {
  WindowDescription d = AnalysisWindow::describe();
  d.addInput("Picture3", "Label1", {"Text2"});
  d.addInput("Picture3", "Label16", {"Text3"});
  d.addInput("Picture3", "Label17", {"Text4"});
  d.addResult("Picture2", "Label6", {});
  d.addResult("Picture2", "Label7", {"Label8", "Label18"});
  d.addResult("Picture2", "Label9", {});
  d.addResult("Picture2", "Label10", {"Label11"});
  d.addResult("Picture2", "Label12", {"Label13"});
  d.addResult("Picture1", "Label2", {"Label3"});
  d.addResult("Picture1", "Label4", {"Label5"});
  return d;
}

}  // namespace kelvo
