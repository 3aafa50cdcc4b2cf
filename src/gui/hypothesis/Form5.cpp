#include "gui/hypothesis/Form5.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/hypothesis/GoodnessOfFit.h"
#include "core/hypothesis/TestCharts.h"
#include "core/hypothesis/TestSolutions.h"
#include "core/hypothesis/TestStatusLine.h"
#include "core/text/Errors.h"
#include "gui/common/AppContext.h"
#include "gui/frame/ConclusionPanel.h"
#include "gui/frame/HypothesisPanel.h"
#include "gui/frame/SignificanceBox.h"
#include "gui/frame/ModeTable.h"
#include "gui/frame/SampleGrid.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/frame/ValueLabel.h"
#include "gui/common/ControlLayout.h"
#include "gui/common/Dialogs.h"

namespace kelvo {
namespace {

using Field = double FittingParameters::*;

// What a parameter dialog accepts; it is asked again until the answer passes or is cancelled.
enum class Rule { Any, Positive, Probability, AboveOne };

struct Question {
  const char16_t* prompt;
  const char16_t* title;
  Field field;
  Rule rule;
};

// A condition on the last two answers of a group of dialogs: the whole group is asked again
// until it holds (B above A; MAX not below MIN).
enum class PairRule { None, SecondAbove, SecondNotBelow };

struct QuestionSet {
  std::span<const Question> questions;
  PairRule pair = PairRule::None;
};

constexpr Question kZeroOneP[] = {{u"输入P值", u"P值", &FittingParameters::zeroOneP, Rule::Probability}};
constexpr Question kBinomialKnown[] = {
    {u"输入N值", u"N值", &FittingParameters::binomialTrials, Rule::AboveOne},
    {u"输入P值", u"P值", &FittingParameters::binomialP, Rule::Probability}};
constexpr Question kTrials[] = {{u"输入N值", u"N值", &FittingParameters::binomialTrials, Rule::AboveOne}};
constexpr Question kLambda[] = {{u"输入λ值", u"λ值", &FittingParameters::poissonLambda, Rule::Positive}};
constexpr Question kUniform[] = {{u"输入A值", u"A值", &FittingParameters::uniformA, Rule::Any},
                                 {u"输入B值", u"B值", &FittingParameters::uniformB, Rule::Any}};
constexpr Question kNormal[] = {{u"输入μ值", u"μ值", &FittingParameters::normalMu, Rule::Any},
                                {u"输入σ值", u"σ值", &FittingParameters::normalSigma, Rule::Positive}};
constexpr Question kTheta[] = {{u"输入θ值", u"θ值", &FittingParameters::exponentialTheta, Rule::Positive}};

// The summaries of grouped data that the estimates need.
constexpr Question kBinomialSum[] = {{u"输入∑X值", u"∑X值", &FittingParameters::binomialSumX, Rule::Positive}};
constexpr Question kPoissonSum[] = {{u"输入∑X值", u"∑X值", &FittingParameters::poissonSumX, Rule::Positive}};
constexpr Question kExtremes[] = {{u"输入MIN(X)值", u"MIN(X)值", &FittingParameters::groupedMin, Rule::Any},
                                  {u"输入MAX(X)值", u"MAX(X)值", &FittingParameters::groupedMax, Rule::Any}};
constexpr Question kNormalSums[] = {
    {u"输入∑X值", u"∑X值", &FittingParameters::normalSumX, Rule::Any},
    {u"输入∑X*X值", u"∑X*X值", &FittingParameters::normalSumXX, Rule::Positive}};
constexpr Question kExponentialSum[] = {
    {u"输入∑X值", u"∑X值", &FittingParameters::exponentialSumX, Rule::Positive}};

struct EntryRow {
  FittingEntry entry;
  const char16_t* text;        // the list item; its H0 text follows the last comma
  const char16_t* firstName;   // Label17
  const char16_t* secondName;  // Label18
  QuestionSet known;           // asked when the entry is chosen
  Field firstShown;            // shown in Label19 after the questions
  Field secondShown;           // Label20
  bool grouped;                // grouped data (Option3) allowed
  QuestionSet summaries;       // asked when grouped data is chosen
};

using E = FittingEntry;

constexpr EntryRow kEntryRows[] = {
    {E::UserLaw, u"0:自定义,服从离散分布", nullptr, nullptr, {}, nullptr, nullptr, false, {}},
    {E::ZeroOneKnown, u"1:P已知,服从0-1分布", u"输入的P值", nullptr, {kZeroOneP}, &FittingParameters::zeroOneP,
     nullptr, false, {}},
    {E::ZeroOneUnknown, u"2:P未知,服从0-1分布", nullptr, nullptr, {}, nullptr, nullptr, false, {}},
    {E::BinomialKnown, u"3:P已知,服从二项分布", u"输入的P值", nullptr, {kBinomialKnown}, &FittingParameters::binomialP,
     nullptr, true, {}},
    {E::BinomialUnknown, u"4:P未知,服从二项分布", nullptr, nullptr, {kTrials}, nullptr, nullptr, true, {kBinomialSum}},
    {E::PoissonKnown, u"5:λ已知,服从泊松分布", u"输入的λ值", nullptr, {kLambda}, &FittingParameters::poissonLambda,
     nullptr, true, {}},
    {E::PoissonUnknown, u"6:λ未知,服从泊松分布", nullptr, nullptr, {}, nullptr, nullptr, true, {kPoissonSum}},
    {E::UniformKnown, u"7:A B已知,服从均匀分布 ", u"输入的A值", u"输入的B值", {kUniform, PairRule::SecondAbove},
     &FittingParameters::uniformA, &FittingParameters::uniformB, true, {}},
    {E::UniformUnknown, u"8:A B未知,服从均匀分布", nullptr, nullptr, {}, nullptr, nullptr, true,
     {kExtremes, PairRule::SecondNotBelow}},
    {E::NormalKnown, u"9:μσ已知,服从正太分布", u"输入的μ值", u"输入的σ值", {kNormal}, &FittingParameters::normalMu,
     &FittingParameters::normalSigma, true, {}},
    {E::NormalUnknown, u"10:μσ未知,服从正太分布", nullptr, nullptr, {}, nullptr, nullptr, true, {kNormalSums}},
    {E::ExponentialKnown, u"11:θ已知,服从指数分布", u"输入的θ值", nullptr, {kTheta}, &FittingParameters::exponentialTheta,
     nullptr, true, {}},
    {E::ExponentialUnknown, u"12:θ未知,服从指数分布", nullptr, nullptr, {}, nullptr, nullptr, true, {kExponentialSum}},
};
constexpr ModeTable<EntryRow> kEntries{kEntryRows, 0};

constexpr const char16_t* kEntryTexts[] = {
    kEntryRows[0].text, kEntryRows[1].text, kEntryRows[2].text,  kEntryRows[3].text,
    kEntryRows[4].text, kEntryRows[5].text, kEntryRows[6].text,  kEntryRows[7].text,
    kEntryRows[8].text, kEntryRows[9].text, kEntryRows[10].text, kEntryRows[11].text,
    kEntryRows[12].text};
const HypothesisListSpec kDistributionList[] = {{"Combo1", u"选择分布类型", kEntryTexts}};

// Texts of the window; the H1 conclusion of this window has no blank before H1.
const char16_t* const kAcceptH1 = u"接受备选假设H1";

bool Accepts(Rule rule, double v) {
  // A parameter that must be positive or a probability must also be a finite number: an
  // answer such as 1e999 reads as infinity.
  switch (rule) {
    case Rule::Any: return true;
    case Rule::Positive: return v > 0.0 && std::isfinite(v);
    case Rule::Probability: return v > 0.0 && v < 1.0;
    case Rule::AboveOne: return v > 1.0 && std::isfinite(v);
  }
  return false;
}

bool PairHolds(PairRule rule, double first, double second) {
  const double difference = second - first;
  switch (rule) {
    case PairRule::None: return true;
    case PairRule::SecondAbove: return std::isfinite(difference) && difference > 0.0;
    case PairRule::SecondNotBelow: return std::isfinite(difference) && difference >= 0.0;
  }
  return false;
}

// Asks every question of the set, each until its own rule holds, and the whole set again
// until its pair rule holds. 取消 (or Esc) on any question ends the set: false, with
// `parameters` as they were.
bool Ask(QWidget* parent, const QuestionSet& set, FittingParameters& parameters) {
  FittingParameters answers = parameters;
  for (;;) {
    for (const Question& q : set.questions) {
      const std::optional<double> value =
          AskNumberOrCancel(parent, QString::fromUtf16(q.prompt), QString::fromUtf16(q.title),
                            [rule = q.rule](double v) { return Accepts(rule, v); });
      if (!value) return false;
      answers.*q.field = *value;
    }
    const std::size_t count = set.questions.size();
    if (count < 2 || PairHolds(set.pair, answers.*set.questions[count - 2].field,
                               answers.*set.questions[count - 1].field))
      break;
  }
  parameters = answers;
  return true;
}

// A parameter as the user typed it, in plain decimal notation.
QString DecimalText(double value) { return QString::number(value, 'g', 15); }

QGroupBox* AddPanel(QWidget* parent, const char* name, int left, int top, int width, int height) {
  auto* panel = new QGroupBox(parent);
  panel->setObjectName(QString::fromLatin1(name));
  PlaceControl(panel, left, top, width, height);
  return panel;
}

AnalysisWindow::FrameOptions Form5Options() {
  AnalysisWindow::FrameOptions options;
  options.dataPanelName = QStringLiteral("Picture4");
  options.modePanelName = QStringLiteral("Picture6");
  options.rowOneHeading = QStringLiteral("样本数据");
  options.designHeight = 500;
  return options;
}

// Layout of the surface, in twips: the data-entry panel across the top, the hypothesis,
// input-mode, significance and parameter panels below it, the results at the bottom.
constexpr int kDataTop = 120, kDataHeight = 3960;
constexpr int kMiddleTop = 4200, kMiddleHeight = 1920;
constexpr int kBottomTop = 6240, kBottomHeight = 1140;
constexpr int kLabelHeight = 360;

}  // namespace

Form5::Form5() : AnalysisWindow(Form5Options()) {
  setObjectName(QStringLiteral("Form5"));
  setWindowTitle(QStringLiteral("分布拟和检验"));
  setupDataPanel();
  setupHypothesisPanel();
  setupModePanel();
  setupSidePanels();
  connectControls();
}

void Form5::setupDataPanel() {
  PlaceControl(dataPanel(), 120, kDataTop, 11760, kDataHeight);
  // At load the grid holds single values: two rows, the heading without its trailing blank.
  sampleGrid()->reshape(2, cells().cols());
  PlaceControl(grid(), 120, 330, 11520, 1740);

  m_lawCaption = addLabel(dataPanel(), QStringLiteral("Label21"), QStringLiteral("自定义离散分布"),
                          120, 2130, 3000, 300);
  // The law grid gets its columns when the user-defined law is chosen: a grid of 32767
  // columns nobody sees would only slow the opening of the window.
  m_lawGrid = addGrid(QStringLiteral("MSFlexGrid2"), QStringLiteral("Text9"), dataPanel(), 3, 2);
  PlaceControl(m_lawGrid->view(), 120, 2460, 11520, 1380);
  m_lawCaption->hide();
  m_lawGrid->view()->hide();
  fitSampleGrid();
}

void Form5::fitSampleGrid() {
  // The sample grid takes the room the law grid leaves, in the panel's present scale.
  constexpr long long kGap = 60;
  TwipsRect r = ControlTwips(grid());
  const long long bottom = m_lawGrid->view()->isHidden() ? ControlTwips(dataPanel()).height - kGap
                                                          : ControlTwips(m_lawCaption).top;
  r.height = std::max(sampleGrid()->minimumHeightTwips(), bottom - kGap - r.top);
  SetControlTwips(grid(), r);
  sampleGrid()->followEditor();
}

void Form5::setupHypothesisPanel() {
  QGroupBox* panel = AddPanel(surface(), "Picture2", 120, kMiddleTop, 4920, kMiddleHeight);
  HypothesisPanelLayout layout;
  layout.button = {180, 240, 1800, 450};
  layout.lists = {2100, 240, 2640, 450};
  layout.h0Caption = {180, 900, 1500, kLabelHeight};
  layout.h0 = {1740, 900, 3000, kLabelHeight};
  layout.h1Caption = {180, 1380, 1500, kLabelHeight};
  layout.h1 = {1740, 1380, 3000, kLabelHeight};
  m_hypotheses = new HypothesisPanel(panel, kDistributionList, layout);
  m_lists = m_hypotheses->lists();
  m_lists->setCurrent(QStringLiteral("Combo1"));
}

void Form5::setupModePanel() {
  QGroupBox* panel = modePanel();
  panel->setTitle(QString());  // Label16 is the panel's caption
  PlaceControl(panel, 5160, kMiddleTop, 1980, kMiddleHeight);
  addLabel(panel, QStringLiteral("Label16"), QStringLiteral("输入方式"), 180, 150, 1600, 330);
  option1()->setText(QStringLiteral("离散数据"));
  option2()->setText(QStringLiteral("重复数据"));
  m_option3 = new QRadioButton(QStringLiteral("间隔数据"), panel);
  m_option3->setObjectName(QStringLiteral("Option3"));
  PlaceControl(option1(), 240, 540, 1560, kLabelHeight);
  PlaceControl(option2(), 240, 960, 1560, kLabelHeight);
  PlaceControl(m_option3, 240, 1380, 1560, kLabelHeight);
  // Nothing can be entered or computed before a law is chosen.
  for (QWidget* w : {static_cast<QWidget*>(option1()), static_cast<QWidget*>(option2()),
                     static_cast<QWidget*>(m_option3)})
    w->setEnabled(false);
}

void Form5::setupSidePanels() {
  QGroupBox* level = AddPanel(surface(), "Picture5", 7260, kMiddleTop, 2160, 900);
  m_alpha = AddSignificanceBox(level, {150, 300, 960, kLabelHeight}, {1140, 270, 870, 390},
                               LevelChecks::AtCompute);
  m_alpha->setEnabled(false);

  PlaceControl(computeButton(), 7260, 5280, 2160, 840);
  computeButton()->setEnabled(false);

  QGroupBox* parameters = AddPanel(surface(), "Picture7", 9540, kMiddleTop, 2340, kMiddleHeight);
  const char* names[] = {"Label17", "Label18"};
  const char* values[] = {"Label19", "Label20"};
  for (int i = 0; i < 2; ++i) {
    m_parameterNames[i] = addLabel(parameters, QString::fromLatin1(names[i]), QString(), 150,
                                   240 + i * 810, 2040, 330);
    m_parameterValues[i] = addLabel(parameters, QString::fromLatin1(values[i]), QString(), 150,
                                    570 + i * 810, 2040, 330);
  }

  ConclusionPanelLayout result;
  result.panel = {120, kBottomTop, 7020, kBottomHeight};
  result.heading = TwipsRect{150, 150, 1800, 330};
  result.conclusionCaption = {150, 600, 720, kLabelHeight};
  result.conclusion = {900, 600, 2760, kLabelHeight};
  result.conditionCaption = TwipsRect{3840, 600, 1200, kLabelHeight};
  result.condition = {5040, 600, 1800, kLabelHeight};
  result.conditionText = QStringLiteral("样本数>50");
  result.acceptH1 = QString::fromUtf16(kAcceptH1);
  m_conclusion = (new ConclusionPanel(surface(), result))->conclusion();

  // Intermediate results of the other test windows; this test shows none.
  QGroupBox* intermediate = AddPanel(surface(), "Picture1", 7260, kBottomTop, 4620, kBottomHeight);
  addLabel(intermediate, QStringLiteral("Label1"), QStringLiteral("中间结果"), 150, 150, 1800, 330);
  addLabel(intermediate, QStringLiteral("Label2"), QStringLiteral("样本均值"), 150, 600, 1080,
           kLabelHeight);
  addLabel(intermediate, QStringLiteral("Label3"), QString(), 1260, 600, 1020, kLabelHeight);
  addLabel(intermediate, QStringLiteral("Label4"), QStringLiteral("样本方差"), 2340, 600, 1080,
           kLabelHeight);
  addLabel(intermediate, QStringLiteral("Label5"), QString(), 3450, 600, 1020, kLabelHeight);
}

void Form5::connectControls() {
  connect(m_lists, &HypothesisLists::chosen, this,
          [this](int position, const QString&, const QString&) { ChooseDistribution(position); });
  connect(m_option3, &QRadioButton::clicked, this, [this] { chooseInputModeAsUser(3); });
}

void Form5::applyMode() { m_hypotheses->button()->setFocus(Qt::ActiveWindowFocusReason); }

void Form5::writeLawHeadings() {
  CellStore& law = m_lawGrid->cells();
  for (int c = 1; c < law.cols(); ++c) law.setText(0, c, std::to_string(c));
  law.setText(0, 0, "分布律");
  law.setText(1, 0, "X");
  law.setText(2, 0, "P");
  m_lawGrid->cellsReset();
}

void Form5::ChooseDistribution(int entry) {
  const EntryRow* row = kEntries.find(entry);
  if (!row) return;
  // The known parameters come first, so that 取消 takes the pick back before anything has
  // changed. Parameters put back from a data file are set already.
  if (!restoringSettings() && !Ask(this, row->known, m_parameters)) {
    m_lists->refuseChoice();
    return;
  }
  m_entry = row->entry;
  // The edit commands must not go on acting on a law grid the user no longer sees.
  if (activeGrid() == m_lawGrid) grid()->setFocus(Qt::OtherFocusReason);
  m_lawCaption->hide();
  m_lawGrid->view()->hide();
  m_lawGrid->editor()->hide();

  const QString h0 = SplitHypothesis(QString::fromUtf16(row->text)).second;
  m_hypotheses->showHypotheses(h0, QStringLiteral("不") + h0);
  for (int i = 0; i < 2; ++i) {
    m_parameterNames[i]->clear();
    m_parameterValues[i]->clear();
  }
  m_option3->setEnabled(false);
  // The law of entries 0 to 2 has no grouped form: grouped data would stay selected with
  // its option disabled, so the window goes back to single values.
  if (!row->grouped && m_option3->isChecked()) SetFittingInputMode(FittingInputMode::Individual);

  if (m_entry == FittingEntry::UserLaw) {
    m_lawCaption->show();
    m_lawGrid->view()->show();
    m_lawGrid->reshape(3, App().program.settings.sampleLimit);
    writeLawHeadings();  // the law's points stay
  }
  fitSampleGrid();
  if (row->firstName) m_parameterNames[0]->setText(QString::fromUtf16(row->firstName));
  if (row->secondName) m_parameterNames[1]->setText(QString::fromUtf16(row->secondName));
  if (row->firstShown) m_parameterValues[0]->setText(DecimalText(m_parameters.*row->firstShown));
  if (row->secondShown) m_parameterValues[1]->setText(DecimalText(m_parameters.*row->secondShown));

  option1()->setEnabled(true);
  option2()->setEnabled(true);
  m_option3->setEnabled(row->grouped);
  m_alpha->setEnabled(true);
  computeButton()->setEnabled(true);
  grid()->setEnabled(true);
}

void Form5::writeHeadings(InputMode mode) {
  // The frame has cleared the cells for Option1 or Option2.
  layOutSampleGrid(mode == InputMode::One ? FittingInputMode::Individual
                                          : FittingInputMode::RepeatCounts);
}

void Form5::layOutSampleGrid(FittingInputMode mode) {
  m_mode = mode;
  struct Layout {
    int rows;
    const char16_t* headings[3];
  };
  static const Layout layouts[] = {
      {2, {u"样本数据 ", nullptr, nullptr}},
      {3, {u"样本数据 ", u"重复数 ", nullptr}},
      {4, {u"区间下限", u"区间上限", u"样本个数"}},
  };
  const Layout& layout = layouts[static_cast<int>(mode)];
  sampleGrid()->reshape(layout.rows, cells().cols());
  CellStore& store = cells();
  for (int c = 1; c < store.cols(); ++c) store.setText(0, c, std::to_string(c));
  for (int r = 1; r < layout.rows; ++r)
    store.setText(r, 0, QString::fromUtf16(layout.headings[r - 1]).toStdString());
}

bool Form5::SetFittingInputMode(FittingInputMode mode) {
  switch (mode) {
    case FittingInputMode::Individual:
      setInputMode(InputMode::One);
      return true;
    case FittingInputMode::RepeatCounts:
      setInputMode(InputMode::Two);
      return true;
    case FittingInputMode::Grouped:
      break;
  }
  // The summaries come first: 取消 leaves the mode and the grid as they were. Those of a data
  // file are set already.
  if (const EntryRow* row = m_entry ? kEntries.find(static_cast<int>(*m_entry)) : nullptr)
    if (!restoringSettings() && !Ask(this, row->summaries, m_parameters)) return false;
  if (!m_option3->isChecked()) m_option3->setChecked(true);
  cells().clear();
  layOutSampleGrid(FittingInputMode::Grouped);
  sampleGrid()->cellsReset();
  return true;
}

namespace {

// The names the data file gives the parameters and summaries.
const std::pair<Field, const char*> kParameterNames[] = {
    {&FittingParameters::zeroOneP, "zeroOneP"},
    {&FittingParameters::binomialTrials, "binomialTrials"},
    {&FittingParameters::binomialP, "binomialP"},
    {&FittingParameters::poissonLambda, "poissonLambda"},
    {&FittingParameters::uniformA, "uniformA"},
    {&FittingParameters::uniformB, "uniformB"},
    {&FittingParameters::normalMu, "normalMu"},
    {&FittingParameters::normalSigma, "normalSigma"},
    {&FittingParameters::exponentialTheta, "exponentialTheta"},
    {&FittingParameters::binomialSumX, "binomialSumX"},
    {&FittingParameters::poissonSumX, "poissonSumX"},
    {&FittingParameters::normalSumX, "normalSumX"},
    {&FittingParameters::exponentialSumX, "exponentialSumX"},
    {&FittingParameters::groupedMin, "groupedMin"},
    {&FittingParameters::groupedMax, "groupedMax"},
    {&FittingParameters::normalSumXX, "normalSumXX"},
};

const char* ParameterName(Field field) {
  for (const auto& [f, name] : kParameterNames)
    if (f == field) return name;
  return "";
}

}  // namespace

// The data file keeps the level box's text, the law, its known parameters and, for grouped
// data, the summaries typed for it.
SettingList Form5::saveSettings() const {
  SettingList settings;
  settings.set("level", m_alpha->text().toStdString());
  const EntryRow* row = m_entry ? kEntries.find(static_cast<int>(*m_entry)) : nullptr;
  if (!row) return settings;
  settings.set("entry", std::to_string(static_cast<int>(*m_entry)));
  std::vector<const Question*> asked;
  for (const Question& q : row->known.questions) asked.push_back(&q);
  if (m_mode == FittingInputMode::Grouped)
    for (const Question& q : row->summaries.questions) asked.push_back(&q);
  for (const Question* q : asked)
    settings.setNumber(ParameterName(q->field), m_parameters.*q->field);
  return settings;
}

void Form5::restoreSettings(const SettingList& settings) {
  // Everything is checked first, by the rules of the questions that would have asked it.
  const std::optional<int> entry = settings.findWhole("entry");
  const EntryRow* row = entry ? kEntries.find(*entry) : nullptr;
  if (settings.find("entry") && !row) throw InputError("数据文件中的分布类型无效");
  FittingParameters parameters = m_parameters;
  if (row) {
    for (const QuestionSet* set : {&row->known, &row->summaries}) {
      for (const Question& q : set->questions) {
        const std::optional<double> value = settings.findNumber(ParameterName(q.field));
        if (set == &row->summaries && !settings.find(ParameterName(q.field))) continue;
        if (!value || !Accepts(q.rule, *value))
          throw InputError("数据文件中的" + QString::fromUtf16(q.title).toStdString() + "无效");
        parameters.*q.field = *value;
      }
      const std::size_t count = set->questions.size();
      if (count >= 2 && !PairHolds(set->pair, parameters.*set->questions[count - 2].field,
                                   parameters.*set->questions[count - 1].field))
        throw InputError("数据文件中的参数不合要求");
    }
  }

  if (const std::optional<std::string> level = settings.find("level"))
    m_alpha->setText(QString::fromStdString(*level));
  if (!row) return;
  m_parameters = parameters;
  // The choice as the list makes it, without its questions (restoringSettings() holds).
  m_lists->select(*entry);
  ChooseDistribution(*entry);
}

void Form5::RunFittingTest() {
  if (!m_entry) return;
  FittingRequest request;
  request.entry = *m_entry;
  request.mode = m_mode;
  request.parameters = m_parameters;
  request.alpha = m_alpha->value();
  const FittingResult result = ComputeFittingTest(App().tables, request, cells(), m_lawGrid->cells());
  m_parameters = result.parameters;
  if (result.dataMessage) ShowDataCheck(this, QString::fromStdString(*result.dataMessage));
  m_conclusion->showDecision(result.test.decision);
  const EntryRow* row = kEntries.find(static_cast<int>(*m_entry));
  // The item's H0 text is "服从" + the law's name.
  QString law = row ? SplitHypothesis(QString::fromUtf16(row->text)).second.trimmed() : QString();
  if (law.startsWith(QStringLiteral("服从"))) law.remove(0, 2);
  showSolution(FittingSolution(result, request.alpha, law.toStdString()));
  showChart(FittingChart(result));
  showStatusLine(StatusLine(result));
}

// The inputs and results as the report reads them, panel by panel.
WindowDescription Form5::describe() const {
  WindowDescription d = AnalysisWindow::describe();
  if (!m_entry) d.dataPrerequisite = QStringLiteral("请先选择要检验的分布");
  d.setGridTitle("MSFlexGrid2", "Label21");
  d.addInput("", "Command2", {"Combo1"});
  d.addInput("", "Label6", {"Label7"});
  d.addInput("", "Label8", {"Label9"});
  d.addInput("", "Label15", {"Text2"});
  d.addInput("", "Label17", {"Label19"});
  d.addInput("", "Label18", {"Label20"});
  d.addResult("Label10", "Label11", {"Label12"});
  d.addResult("Label10", "Label13", {"Label14"});
  d.addResult("Label1", "Label2", {"Label3"});
  d.addResult("Label1", "Label4", {"Label5"});
  return d;
}

}  // namespace kelvo
