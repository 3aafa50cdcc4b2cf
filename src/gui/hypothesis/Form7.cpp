#include "gui/hypothesis/Form7.h"

#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <optional>
#include <string>

#include "core/hypothesis/RankSum.h"
#include "core/hypothesis/TestCharts.h"
#include "core/hypothesis/TestSolutions.h"
#include "core/hypothesis/TestStatusLine.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"
#include "gui/frame/ConclusionPanel.h"
#include "gui/frame/HypothesisPanel.h"
#include "gui/frame/SignificanceBox.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/frame/ValueLabel.h"
#include "gui/common/AppContext.h"
#include "gui/common/ControlLayout.h"

namespace kelvo {
namespace {

constexpr std::array<const char16_t*, 3> kHypothesisItems = {
    u"μ1=μ2,μ1<μ2",
    u"μ1=μ2,μ1>μ2",
    u"μ1=μ2,μ1≠μ2",
};
const HypothesisListSpec kLists[] = {{"Combo1", u"假设选择", kHypothesisItems}};

const QString kSampleOneHeading = QStringLiteral("样本一 ");
const QString kSampleTwoHeading = QStringLiteral("样本二");

AnalysisWindow::FrameOptions Form7Options() {
  AnalysisWindow::FrameOptions options;
  options.dataPanelName = QStringLiteral("Picture4");
  // The input mode has a caption label of its own here; its panel only holds it.
  options.modePanelName = QStringLiteral("Picture2");
  options.rowOneHeading = kSampleOneHeading;
  options.rowTwoHeading = kSampleTwoHeading;
  return options;
}

// Geometry of the controls below the grid, in twips.
constexpr int kRowHeight = 360;
constexpr int kPanelTop = 2190, kPanelHeight = 2460;
constexpr int kHypothesisLeft = 3000, kHypothesisValueLeft = 4500, kHypothesisValueWidth = 2160;
constexpr int kMiddleLeft = 6720, kMiddleWidth = 2280;
constexpr int kResultLeft = 9120, kResultWidth = 2760;

}  // namespace

Form7::Form7() : AnalysisWindow(Form7Options()) {
  setObjectName(QStringLiteral("Form7"));
  setWindowTitle(QStringLiteral("秩和检验"));
  writeHeadings(InputMode::One);
  sampleGrid()->cellsReset();
  setupInputPanel();
  setupHypothesisControls();
  setupResultPanels();
  connectControls();
}

void Form7::setupInputPanel() {
  modePanel()->setTitle(QString());
  addLabel(modePanel(), QStringLiteral("Label16"), QStringLiteral("输入方式"), 240, 240, 2250,
           kRowHeight);
  PlaceControl(option1(), 240, 780, 2250, kRowHeight);
  // One input mode only: every filled cell is one observation.
  option2()->hide();
}

void Form7::setupHypothesisControls() {
  HypothesisPanelLayout layout;
  layout.button = {kHypothesisLeft, 2250, 1800, 450};
  layout.lists = {4920, 2265, 1740, 420};
  layout.h0Caption = {kHypothesisLeft, 2880, 1440, kRowHeight};
  layout.h0 = {kHypothesisValueLeft, 2880, kHypothesisValueWidth, kRowHeight};
  layout.h1Caption = {kHypothesisLeft, 3360, 1440, kRowHeight};
  layout.h1 = {kHypothesisValueLeft, 3360, kHypothesisValueWidth, kRowHeight};
  m_hypotheses = new HypothesisPanel(surface(), kLists, layout);
  m_lists = m_hypotheses->lists();
  m_lists->setCurrent(QStringLiteral("Combo1"));
  m_alpha = AddSignificanceBox(surface(), {kHypothesisLeft, 3900, 1440, kRowHeight},
                               {kHypothesisValueLeft, 3840, 1200, 420});
}

void Form7::setupResultPanels() {
  auto* middle = new QGroupBox(surface());
  middle->setObjectName(QStringLiteral("Picture1"));
  PlaceControl(middle, kMiddleLeft, kPanelTop, kMiddleWidth, kPanelHeight);
  addLabel(middle, QStringLiteral("Label1"), QStringLiteral("中间结果"), 150, 150, 1860, kRowHeight);
  addLabel(middle, QStringLiteral("Label2"), QStringLiteral("样本均值"), 150, 720, 1000, kRowHeight);
  addLabel(middle, QStringLiteral("Label4"), QStringLiteral("样本方差"), 150, 1260, 1000, kRowHeight);
  // The rank-sum test shows no sample moments: these two stay empty.
  addValueLabel(middle, QStringLiteral("Label3"), 1170, 720, 960, kRowHeight);
  addValueLabel(middle, QStringLiteral("Label5"), 1170, 1260, 960, kRowHeight);

  ConclusionPanelLayout result;
  result.panel = {kResultLeft, kPanelTop, kResultWidth, kPanelHeight};
  result.heading = TwipsRect{150, 150, 2280, kRowHeight};
  result.conclusionCaption = {150, 600, 2280, kRowHeight};
  result.conclusion = {150, 960, 2460, kRowHeight};
  result.conditionCaption = TwipsRect{150, 1500, 2280, kRowHeight};
  result.condition = {150, 1860, 2460, kRowHeight};
  m_conclusion = (new ConclusionPanel(surface(), result))->conclusion();
}

void Form7::connectControls() {
  connect(m_lists, &HypothesisLists::chosen, m_hypotheses,
          [this](int, const QString& h0, const QString& h1) { m_hypotheses->showHypotheses(h0, h1); });
  surface()->installEventFilter(this);
}

void Form7::writeHeadings(InputMode) {
  CellStore& store = cells();
  for (int c = 1; c < store.cols(); ++c) store.setText(0, c, std::to_string(c));
  store.setText(1, 0, kSampleOneHeading.toStdString());
  store.setText(2, 0, kSampleTwoHeading.toStdString());
}

// The data file keeps the level box's text and the chosen pair.
SettingList Form7::saveSettings() const {
  SettingList settings;
  settings.set("level", m_alpha->text().toStdString());
  m_hypotheses->saveChoice(settings);
  return settings;
}

void Form7::restoreSettings(const SettingList& settings) {
  const std::optional<int> position = m_hypotheses->choiceInFile(settings);
  if (const std::optional<std::string> level = settings.find("level"))
    m_alpha->setText(QString::fromStdString(*level));
  const auto [h0, h1] = m_hypotheses->restoreChoice(position);
  m_hypotheses->showHypotheses(h0, h1);
}

void Form7::ComputeRankSum() {
  std::optional<RankSumHypothesis> hypothesis;
  if (const std::optional<int> position = m_lists->choice())
    hypothesis = static_cast<RankSumHypothesis>(*position);
  const std::string alphaText = m_alpha->text().toStdString();
  // A refused input leaves the last conclusion standing. Past these checks the grid is read:
  // a sample with too many repeated values or a pair of sizes the table lacks ends in its
  // message with no conclusion, not in the one of an earlier computation.
  CheckRankSumInput(cells(), hypothesis, alphaText);
  m_conclusion->clear();
  const RankSumResult result = ComputeRankSumTest(App().tables, cells(), hypothesis, alphaText);
  m_conclusion->showDecision(result.test.decision);
  showSolution(RankSumSolution(result, {*hypothesis, m_hypotheses->texts(), LeadingValue(alphaText)}));
  showChart(RankSumChart(result));
  showStatusLine(StatusLine(result, *hypothesis));
}

void Form7::CheckRepeatedValuesOnly() {
  runGuarded([this] { CheckRepeatedValues(cells()); });
}

bool Form7::eventFilter(QObject* watched, QEvent* event) {
  // A click on a control bubbles up to the surface when the control ignores it; only a click
  // where no control lies is one on the background.
  if (watched == surface() && event->type() == QEvent::MouseButtonRelease) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton && !surface()->childAt(mouse->position().toPoint()))
      CheckRepeatedValuesOnly();
  }
  return AnalysisWindow::eventFilter(watched, event);
}

// The inputs and results as the report reads them, panel by panel.
WindowDescription Form7::describe() const {
  WindowDescription d = AnalysisWindow::describe();
  d.addInput("", "Command2", {"Combo1"});
  d.addInput("", "Label6", {"Label7"});
  d.addInput("", "Label8", {"Label9"});
  d.addInput("", "Label15", {"Text2"});
  d.addResult("Label1", "Label2", {"Label3"});
  d.addResult("Label1", "Label4", {"Label5"});
  d.addResult("Label10", "Label11", {"Label12"});
  d.addResult("Label10", "Label13", {"Label14"});
  return d;
}

}  // namespace kelvo
