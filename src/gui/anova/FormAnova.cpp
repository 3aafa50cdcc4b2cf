#include "gui/anova/FormAnova.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <optional>
#include <string>

#include "core/anova/AnovaSolution.h"
#include "core/documents/WorkedSolution.h"
#include "gui/common/AppContext.h"
#include "gui/common/ControlLayout.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/SignificanceBox.h"
#include "gui/frame/ValidatedBox.h"

namespace kelvo {
namespace {

AnalysisWindow::FrameOptions AnovaOptions() {
  AnalysisWindow::FrameOptions options;
  options.rowOneHeading = QStringLiteral("A1");
  options.designHeight = 540;
  return options;
}

// Rows A1 … A26 below the heading row; the two-factor designs have columns B1 … B26.
constexpr int kGridRows = kMaxAnovaLevels + 1;
constexpr int kTwoFactorCols = kMaxAnovaLevels + 1;
constexpr int kColumnTwips = 900;
constexpr int kListColumnTwips = 1500;  // a cell of repeated observations
constexpr int kRowHeight = 360;

QTableWidget* NewTable(const char* name, QWidget* parent) {
  auto* table = new QTableWidget(parent);
  table->setObjectName(QString::fromLatin1(name));
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->verticalHeader()->hide();
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  return table;
}

void Fill(QTableWidget* table, const std::vector<std::string>& header,
          const std::vector<std::vector<std::string>>& rows) {
  table->clear();
  table->setColumnCount(static_cast<int>(header.size()));
  table->setRowCount(static_cast<int>(rows.size()));
  QStringList labels;
  for (const std::string& h : header) labels << QString::fromStdString(h);
  table->setHorizontalHeaderLabels(labels);
  for (int r = 0; r < static_cast<int>(rows.size()); ++r)
    for (int c = 0; c < static_cast<int>(rows[r].size()); ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(rows[r][c]));
      item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
      table->setItem(r, c, item);
    }
}

// The ANOVA table as high as its rows: the intervals below take the room left.
void FitHeight(QTableWidget* table) {
  int height = table->horizontalHeader()->sizeHint().height() + 2 * table->frameWidth();
  for (int r = 0; r < table->rowCount(); ++r) height += table->rowHeight(r);
  table->setFixedHeight(height);
}

}  // namespace

FormAnova::FormAnova() : AnalysisWindow(AnovaOptions()) {
  setObjectName(QStringLiteral("FormAnova"));
  setWindowTitle(QStringLiteral("方差分析"));
  setupPanels();
  layOutGrid();
  sampleGrid()->cellsReset();
}

void FormAnova::setupPanels() {
  PlaceControl(dataPanel(), 120, 120, 11760, 2940);
  PlaceControl(grid(), 120, 330, 11520, 2490);

  QGroupBox* modes = modePanel();
  PlaceControl(modes, 120, 3180, 2700, 1740);
  option1()->setObjectName(QStringLiteral("anovaOneWayOption"));
  option1()->setText(QStringLiteral("单因素方差分析"));
  option2()->setObjectName(QStringLiteral("anovaTwoWayOption"));
  option2()->setText(QStringLiteral("双因素无重复"));
  m_option3 = new QRadioButton(QStringLiteral("双因素等重复"), modes);
  m_option3->setObjectName(QStringLiteral("anovaReplicatedOption"));
  PlaceControl(option1(), 240, 420, 2250, kRowHeight);
  PlaceControl(option2(), 240, 840, 2250, kRowHeight);
  PlaceControl(m_option3, 240, 1260, 2250, kRowHeight);
  connect(m_option3, &QRadioButton::clicked, this, [this] { chooseInputModeAsUser(3); });

  m_alpha = AddSignificanceBox(surface(), {120, 5100, 1200, kRowHeight}, {1380, 5040, 1440, 420});
  PlaceControl(computeButton(), 120, 5700, 2700, 600);

  // The results take the room their contents ask for: a layout inside one placed panel.
  auto* results = new QGroupBox(QStringLiteral("方差分析表"), surface());
  results->setObjectName(QStringLiteral("anovaResults"));
  PlaceControl(results, 2940, 3180, 8940, 4800);
  auto* layout = new QVBoxLayout(results);
  m_table = NewTable("anovaTable", results);
  Fill(m_table, AnovaTableHeader(), {});
  FitHeight(m_table);
  layout->addWidget(m_table);
  m_conclusion = new QLabel(results);
  m_conclusion->setObjectName(QStringLiteral("conclusionLabel"));
  layout->addWidget(m_conclusion);
  m_estimates = new QLabel(results);
  m_estimates->setObjectName(QStringLiteral("estimateLabel"));
  m_estimates->setWordWrap(true);
  layout->addWidget(m_estimates);
  m_intervals = NewTable("intervalTable", results);
  layout->addWidget(m_intervals, 1);
  layout->addStretch(0);
  m_intervals->hide();
}

void FormAnova::writeHeadings(InputMode) { layOutGrid(); }

void FormAnova::layOutGrid() {
  const bool oneFactor = m_design == AnovaDesign::OneWay;
  const int cols = oneFactor ? App().program.settings.sampleLimit : kTwoFactorCols;
  sampleGrid()->reshape(kGridRows, cols);
  CellStore& store = cells();
  for (int r = 1; r < kGridRows; ++r) store.setText(r, 0, "A" + std::to_string(r));
  for (int c = 1; c < store.cols(); ++c)
    store.setText(0, c, (oneFactor ? "" : "B") + std::to_string(c));
  const int width = m_design == AnovaDesign::Replicated ? kListColumnTwips : kColumnTwips;
  for (int c = 1; c < std::min(store.cols(), kTwoFactorCols); ++c)
    sampleGrid()->setColumnWidthTwips(c, width);
  if (m_design == AnovaDesign::Replicated)
    sampleGrid()->setCellTextRule(
        [](std::string_view t) { return ReadNumberList(t).has_value(); }, &IsNumberListPrefix);
  else
    sampleGrid()->setCellTextRule(nullptr, nullptr);
}

void FormAnova::SetDesign(AnovaDesign design) {
  switch (design) {
    case AnovaDesign::OneWay:
      m_design = design;
      setInputMode(InputMode::One);
      return;
    case AnovaDesign::TwoWay:
      m_design = design;
      setInputMode(InputMode::Two);
      return;
    case AnovaDesign::Replicated:
      break;
  }
  m_design = design;
  if (!m_option3->isChecked()) m_option3->setChecked(true);
  cells().clear();
  layOutGrid();
  sampleGrid()->cellsReset();
}

bool FormAnova::applyInputModeNumber(int number) {
  if (number < 1 || number > 3) return false;
  SetDesign(static_cast<AnovaDesign>(number - 1));
  return true;
}

QRadioButton* FormAnova::modeOption(int number) const {
  switch (number) {
    case 1: return option1();
    case 2: return option2();
    case 3: return m_option3;
  }
  return nullptr;
}

void FormAnova::clearResults() {
  Fill(m_table, AnovaTableHeader(), {});
  FitHeight(m_table);
  m_conclusion->clear();
  m_estimates->clear();
  m_intervals->clear();
  m_intervals->hide();
}

void FormAnova::RunAnalysis() {
  clearResults();
  const AnovaResult result = RunAnova(App().tables, m_design, cells(), m_alpha->value());
  showResults(result);
  showSolution(AnovaSolution(result));
  showChart(AnovaChart(result));
  detailsPane()->setSecondChart(QStringLiteral("各水平数据"), AnovaLevelChart(result));
  showStatusLine(AnovaStatusLine(result));
}

void FormAnova::showResults(const AnovaResult& result) {
  Fill(m_table, AnovaTableHeader(), AnovaTableRows(result));
  FitHeight(m_table);
  m_conclusion->setText(QString::fromStdString(AnovaConclusion(result)));
  if (result.design != AnovaDesign::OneWay) return;
  QStringList estimates;
  for (int j = 0; j < result.levelsA; ++j)
    estimates << QStringLiteral("μ̂%1 = %2").arg(j + 1).arg(QString::fromStdString(SolutionNumber(result.meansA[j])));
  estimates << QStringLiteral("σ̂² = %1").arg(QString::fromStdString(SolutionNumber(result.sigma2)));
  m_estimates->setText(estimates.join(QStringLiteral("，")));
  std::vector<std::vector<std::string>> rows;
  for (const LevelPairInterval& p : result.pairs)
    rows.push_back({"μ" + std::to_string(p.first + 1) + " − μ" + std::to_string(p.second + 1),
                    IntervalText(SolutionNumber(p.lower()), SolutionNumber(p.upper()))});
  Fill(m_intervals, {"均值差", "置信区间（置信水平 " + SolutionNumber(1.0 - result.alpha) + "）"}, rows);
  m_intervals->show();
}

// The data file keeps the level box's text.
SettingList FormAnova::saveSettings() const {
  SettingList settings;
  settings.set("level", m_alpha->text().toStdString());
  return settings;
}

void FormAnova::restoreSettings(const SettingList& settings) {
  if (const std::optional<std::string> level = settings.find("level"))
    m_alpha->setText(QString::fromStdString(*level));
}

// The inputs and results as the report reads them: the ANOVA table row by row, the
// conclusion, and for one factor the estimates and intervals.
WindowDescription FormAnova::describe() const {
  WindowDescription d = AnalysisWindow::describe();
  d.addInput("", "Label15", {"Text2"});
  for (int r = 0; r < m_table->rowCount(); ++r) {
    QStringList cells;
    for (int c = 1; c < m_table->columnCount(); ++c)
      if (const QTableWidgetItem* item = m_table->item(r, c); item && !item->text().isEmpty())
        cells << m_table->horizontalHeaderItem(c)->text() + QStringLiteral(" ") + item->text();
    if (const QTableWidgetItem* source = m_table->item(r, 0))
      d.addResultText("anovaResults", source->text(), cells.join(QStringLiteral("，")));
  }
  d.addResultText("anovaResults", QStringLiteral("结论"), m_conclusion->text());
  d.addResultText("anovaResults", QStringLiteral("参数估计"), m_estimates->text());
  for (int r = 0; r < m_intervals->rowCount(); ++r)
    if (m_intervals->item(r, 0) && m_intervals->item(r, 1))
      d.addResultText("anovaResults", m_intervals->item(r, 0)->text(), m_intervals->item(r, 1)->text());
  return d;
}

}  // namespace kelvo
