#include "gui/regression/FormRegression.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/regression/RegressionDocuments.h"
#include "core/sample/SampleChecks.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"
#include "gui/common/AppContext.h"
#include "gui/common/ControlLayout.h"
#include "gui/frame/DetailsPane.h"
#include "gui/frame/SignificanceBox.h"
#include "gui/frame/ValidatedBox.h"
#include "gui/frame/ValueLabel.h"

namespace kelvo {
namespace {

// The models in the order of the model list.
constexpr RegressionModel kModels[] = {RegressionModel::Linear, RegressionModel::Exponential,
                                       RegressionModel::Power, RegressionModel::Logarithmic,
                                       RegressionModel::Hyperbolic};

AnalysisWindow::FrameOptions RegressionOptions() {
  AnalysisWindow::FrameOptions options;
  options.rowOneHeading = QStringLiteral("x");
  options.designHeight = 440;
  return options;
}

// Geometry in twips. The data panel is taller than the frame's, for the count row of input
// mode two; inside the result panel a grid layout.
constexpr int kDataHeight = 2400, kGridHeight = 1860;
constexpr int kPanelTop = 2550, kRowHeight = 390;
constexpr int kInputLeft = 2940, kInputWidth = 3000, kInputHeight = 2460;
constexpr int kResultLeft = 6060, kResultWidth = 5820, kResultHeight = 3930;

}  // namespace

FormRegression::FormRegression() : AnalysisWindow(RegressionOptions()) {
  setObjectName(QStringLiteral("FormRegression"));
  setWindowTitle(QStringLiteral("一元线性回归"));
  PlaceControl(dataPanel(), 120, 120, 11760, kDataHeight);
  PlaceControl(grid(), 120, 330, 11520, kGridHeight);
  PlaceControl(modePanel(), 120, kPanelTop, 2700, 1650);
  PlaceControl(computeButton(), 120, kPanelTop + 1860, 2700, 600);
  writeHeadings(InputMode::One);
  sampleGrid()->cellsReset();
  setupInputPanel();
  setupResultPanel();
}

void FormRegression::setupInputPanel() {
  auto* inputs = new QGroupBox(QStringLiteral("参数"), surface());
  inputs->setObjectName(QStringLiteral("inputPanel"));
  PlaceControl(inputs, kInputLeft, kPanelTop, kInputWidth, kInputHeight);
  constexpr int kCaptionLeft = 150, kCaptionWidth = 1050, kBoxLeft = 1230, kBoxWidth = 1620;
  m_alpha = AddSignificanceBox(inputs, {kCaptionLeft, 420, kCaptionWidth, kRowHeight},
                               {kBoxLeft, 390, kBoxWidth, 420});
  m_alpha->setText(QStringLiteral("0.05"));
  addLabel(inputs, QStringLiteral("x0Caption"), QStringLiteral("x0"), kCaptionLeft, 1020, kCaptionWidth,
           kRowHeight);
  m_x0 = new ValidatedBox(inputs);
  m_x0->setObjectName(QStringLiteral("x0Box"));
  m_x0->setToolTip(QStringLiteral("预测点 x0；留空则不作预测"));
  PlaceControl(m_x0, kBoxLeft, 990, kBoxWidth, 420);
  m_x0->addCheck({[this] { return m_x0->text().trimmed().isEmpty() || m_x0->isNumeric(); },
                  QStringLiteral("x0 应为数值"), ValidatedBox::Clear});
  setChangeNote(m_x0, QStringLiteral("x0 已修改"));
  addLabel(inputs, QStringLiteral("modelCaption"), QStringLiteral("模型"), kCaptionLeft, 1620, kCaptionWidth,
           kRowHeight);
  m_models = new QComboBox(inputs);
  m_models->setObjectName(QStringLiteral("modelList"));
  for (RegressionModel m : kModels) m_models->addItem(QString::fromStdString(ModelEquation(m)));
  PlaceControl(m_models, kBoxLeft, 1590, kBoxWidth, 420);
  SetRefusesHeight(m_models, true);
  setChangeNote(m_models, QStringLiteral("模型已修改"));
  m_alpha->setNext(m_x0);
}

ValueLabel* FormRegression::addResult(QGridLayout* grid, int row, int column, const QString& caption,
                                      const QString& name) {
  auto* panel = grid->parentWidget();
  auto* label = new QLabel(caption, panel);
  label->setObjectName(name + QStringLiteral("Caption"));
  auto* value = new ValueLabel(panel);
  value->setObjectName(name);
  connect(value, &ValueLabel::clicked, this, [this, value] { reformatLabel(value); });
  grid->addWidget(label, row, column);
  grid->addWidget(value, row, column + 1);
  return value;
}

FormRegression::IntervalLabels FormRegression::addInterval(QGridLayout* grid, int row, const QString& caption,
                                                           const QString& name) {
  auto* panel = grid->parentWidget();
  auto* label = new QLabel(caption, panel);
  label->setObjectName(name + QStringLiteral("Caption"));
  auto* holder = new QWidget(panel);
  holder->setObjectName(name);
  auto* line = new QHBoxLayout(holder);
  line->setContentsMargins(0, 0, 0, 0);
  line->setSpacing(2);
  IntervalLabels interval{new ValueLabel(holder), new ValueLabel(holder)};
  for (ValueLabel* end : {interval.lower, interval.upper}) end->setMinimumWidth(90);
  interval.lower->setObjectName(name + QStringLiteral("Lower"));
  interval.upper->setObjectName(name + QStringLiteral("Upper"));
  interval.lower->setDecorations(QStringLiteral("("), QStringLiteral(","));
  interval.upper->setDecorations(QString(), QStringLiteral(")"));
  // "(" L "," beside U ")" reads as one interval.
  interval.upper->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  for (ValueLabel* end : {interval.lower, interval.upper}) {
    connect(end, &ValueLabel::clicked, this, [this, end] { reformatLabel(end); });
    line->addWidget(end);
  }
  line->addStretch(1);
  grid->addWidget(label, row, 0);
  grid->addWidget(holder, row, 1, 1, 3);
  return interval;
}

void FormRegression::setupResultPanel() {
  auto* results = new QGroupBox(QStringLiteral("回归结果"), surface());
  results->setObjectName(QStringLiteral("resultPanel"));
  PlaceControl(results, kResultLeft, kPanelTop, kResultWidth, kResultHeight);
  auto* grid = new QGridLayout(results);
  grid->setContentsMargins(8, 4, 8, 4);
  grid->setVerticalSpacing(2);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
  m_a = addResult(grid, 0, 0, QStringLiteral("â"), QStringLiteral("aLabel"));
  m_b = addResult(grid, 0, 2, QStringLiteral("b̂"), QStringLiteral("bLabel"));
  m_sigma2 = addResult(grid, 1, 0, QStringLiteral("σ̂²"), QStringLiteral("sigma2Label"));
  m_r = addResult(grid, 1, 2, QStringLiteral("相关系数 r"), QStringLiteral("rLabel"));
  m_t = addResult(grid, 2, 0, QStringLiteral("t 统计量"), QStringLiteral("tLabel"));
  m_critical = addResult(grid, 2, 2, QStringLiteral("临界值"), QStringLiteral("criticalLabel"));
  m_criticalCaption = results->findChild<QLabel*>(QStringLiteral("criticalLabelCaption"));
  m_p = addResult(grid, 3, 0, QStringLiteral("p 值"), QStringLiteral("pLabel"));
  auto* conclusionCaption = new QLabel(QStringLiteral("结论(H0:b=0)"), results);
  conclusionCaption->setObjectName(QStringLiteral("conclusionCaption"));
  m_conclusion = new ConclusionLabel(QStringLiteral("接受原假设 H0"), QStringLiteral("接受备选假设 H1"), results);
  m_conclusion->setObjectName(QStringLiteral("conclusionLabel"));
  grid->addWidget(conclusionCaption, 3, 2);
  grid->addWidget(m_conclusion, 3, 3);
  m_slope = addInterval(grid, 4, QStringLiteral("b 的置信区间"), QStringLiteral("slopeIntervalLabel"));
  m_y0 = addResult(grid, 5, 0, QStringLiteral("x0 处 ŷ0"), QStringLiteral("y0Label"));
  m_mean = addInterval(grid, 6, QStringLiteral("均值置信区间"), QStringLiteral("meanIntervalLabel"));
  m_prediction = addInterval(grid, 7, QStringLiteral("y0 预测区间"), QStringLiteral("predictionIntervalLabel"));
  auto* equationCaption = new QLabel(QStringLiteral("回归方程"), results);
  equationCaption->setObjectName(QStringLiteral("equationCaption"));
  m_equation = new QLabel(results);
  m_equation->setObjectName(QStringLiteral("equationLabel"));
  m_equation->setTextInteractionFlags(Qt::TextSelectableByMouse);
  grid->addWidget(equationCaption, 8, 0);
  grid->addWidget(m_equation, 8, 1, 1, 3);
}

void FormRegression::IntervalLabels::show(const std::optional<std::pair<double, double>>& interval) {
  if (!interval) return clear();
  lower->showValue(interval->first);
  upper->showValue(interval->second);
}

void FormRegression::IntervalLabels::clear() {
  lower->clearValue();
  upper->clearValue();
}

void FormRegression::writeHeadings(InputMode mode) {
  CellStore& store = cells();
  for (int c = 1; c < store.cols(); ++c) store.setText(0, c, std::to_string(c));
  store.setText(1, 0, "x");
  store.setText(2, 0, "y");
  if (mode == InputMode::Two) store.setText(3, 0, "重复值");
}

// Input mode two has the row of counts, mode one none: nothing typed there goes unread.
bool FormRegression::applyInputModeNumber(int number) {
  sampleGrid()->reshape(number == 2 ? 4 : 3, cells().cols());
  return AnalysisWindow::applyInputModeNumber(number);
}

RegressionModel FormRegression::model() const {
  const int index = std::clamp(m_models->currentIndex(), 0, static_cast<int>(std::size(kModels)) - 1);
  return kModels[index];
}

void FormRegression::clearResults() {
  for (ValueLabel* label : {m_a, m_b, m_sigma2, m_r, m_t, m_critical, m_p, m_y0}) label->clearValue();
  for (IntervalLabels* interval : {&m_slope, &m_mean, &m_prediction}) interval->clear();
  m_conclusion->clear();
  m_equation->clear();
  m_criticalCaption->setText(QStringLiteral("临界值"));
}

void FormRegression::ComputeRegression() {
  clearResults();
  RequireLevelGiven(LeadingValue(m_alpha->text().toStdString()));
  RegressionInput input;
  input.model = model();
  input.alpha = LeadingValue(m_alpha->text().toStdString());
  const std::string x0 = m_x0->text().trimmed().toStdString();
  if (!x0.empty()) {
    if (!IsNumericText(x0)) throw InputError("x0 应为数值");
    input.x0 = LeadingValue(x0);
  }
  input.pairs = ReadRegressionPairs(cells(), inputMode());
  const RegressionResult r = FitRegression(App().tables, input);

  m_a->showValue(r.a);
  m_b->showValue(r.b);
  m_sigma2->showValue(r.sigma2);
  m_r->showValue(r.r);
  m_t->showValue(r.t);
  m_critical->showValue(r.critical.value);
  m_criticalCaption->setText(QStringLiteral("临界值 ") + QString::fromStdString(QuantileSymbol(r.critical)));
  m_p->showValue(r.p);
  m_conclusion->showDecision(r.decision);
  m_slope.show(std::make_pair(r.slopeLower, r.slopeUpper));
  if (r.prediction) {
    m_y0->showValue(r.prediction->y0);
    m_mean.show(r.prediction->meanInterval);
    m_prediction.show(r.prediction->predictionInterval);
  }
  m_equation->setText(QString::fromStdString(FittedEquation(r)));
  showSolution(RegressionSolution(r));
  showChart(RegressionChart(r));
  detailsPane()->setSecondChart(QStringLiteral("残差图"), ResidualChart(r));
  showStatusLine(RegressionStatusLine(r));
}

// The data file keeps the level, x0 and the model.
SettingList FormRegression::saveSettings() const {
  SettingList settings;
  settings.set("level", m_alpha->text().toStdString());
  settings.set("x0", m_x0->text().toStdString());
  settings.set("model", std::to_string(m_models->currentIndex()));
  return settings;
}

void FormRegression::restoreSettings(const SettingList& settings) {
  std::optional<int> model;
  if (const std::optional<std::string> text = settings.find("model")) {
    if (!IsNumericText(*text)) throw UserFacingError("数据文件中的模型无法识别");
    const double index = LeadingValue(*text);
    if (index < 0 || index >= static_cast<double>(std::size(kModels)) || index != std::floor(index))
      throw UserFacingError("数据文件中的模型无法识别");
    model = static_cast<int>(index);
  }
  if (const std::optional<std::string> level = settings.find("level"))
    m_alpha->setText(QString::fromStdString(*level));
  if (const std::optional<std::string> x0 = settings.find("x0")) m_x0->setText(QString::fromStdString(*x0));
  if (model) m_models->setCurrentIndex(*model);
}

// The inputs and results as the report reads them.
WindowDescription FormRegression::describe() const {
  WindowDescription d = AnalysisWindow::describe();
  d.addInput("inputPanel", "Label15", {"Text2"});
  d.addInput("inputPanel", "x0Caption", {"x0Box"});
  d.addInput("inputPanel", "modelCaption", {"modelList"});
  for (const char* name : {"aLabel", "bLabel", "sigma2Label", "rLabel", "tLabel", "criticalLabel", "pLabel"})
    d.addResult("resultPanel", (std::string(name) + "Caption").c_str(), {name});
  d.addResult("resultPanel", "conclusionCaption", {"conclusionLabel"});
  d.addResult("resultPanel", "slopeIntervalLabelCaption", {"slopeIntervalLabelLower", "slopeIntervalLabelUpper"});
  d.addResult("resultPanel", "y0LabelCaption", {"y0Label"});
  d.addResult("resultPanel", "meanIntervalLabelCaption", {"meanIntervalLabelLower", "meanIntervalLabelUpper"});
  d.addResult("resultPanel", "predictionIntervalLabelCaption",
              {"predictionIntervalLabelLower", "predictionIntervalLabelUpper"});
  d.addResult("resultPanel", "equationCaption", {"equationLabel"});
  return d;
}

}  // namespace kelvo
