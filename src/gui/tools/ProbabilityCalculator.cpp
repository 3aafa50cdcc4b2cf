#include "gui/tools/ProbabilityCalculator.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

#include "core/documents/WorkedSolution.h"
#include "core/probability/ProbabilityQuestion.h"
#include "core/text/Errors.h"
#include "core/text/TextNumber.h"
#include "gui/common/Dialogs.h"
#include "gui/common/HelpViewer.h"
#include "gui/frame/ChartView.h"

namespace kelvo {
namespace {

// The calculator writes the numbers of its chart as it writes its result: 6 significant digits.
ChartNumberFormat SixDigits() {
  return [](double v) { return SolutionNumber(v, 6); };
}

QString Utf8(const char* text) { return QString::fromUtf8(text); }

// The number in `box`, or the message naming it when the text is not a number.
std::optional<double> ReadNumber(QWidget* window, const QLineEdit* box, const QString& name) {
  const std::string text = box->text().toStdString();
  if (!IsNumericText(text)) {
    ShowDataCheck(window, name + QStringLiteral(" 应为数值"));
    return std::nullopt;
  }
  return LeadingValue(text);
}

}  // namespace

ProbabilityCalculator::ProbabilityCalculator(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("ProbabilityCalculator"));
  setWindowTitle(QStringLiteral("概率计算器"));
  setupInputs();
  setupResult();
  connectSignals();
  m_distributions->setCurrentRow(0);
  applyDistribution();
  resize(900, 640);
  AddHelpKey(this, QStringLiteral("probability"));
}

void ProbabilityCalculator::setupInputs() {
  m_distributions = new QListWidget(this);
  m_distributions->setObjectName(QStringLiteral("distributionList"));
  for (const DistributionInfo& info : DistributionList()) m_distributions->addItem(Utf8(info.name));
  m_distributions->setMinimumWidth(m_distributions->sizeHintForColumn(0) + 24);
  // Every law in sight, without scrolling.
  m_distributions->setMinimumHeight(m_distributions->sizeHintForRow(0) * m_distributions->count() +
                                    2 * m_distributions->frameWidth() + 4);

  auto* form = new QGridLayout;
  for (int i = 0; i < 3; ++i) {
    m_parameterLabels[i] = new QLabel(this);
    m_parameterLabels[i]->setObjectName(QStringLiteral("parameter%1Label").arg(i + 1));
    m_parameterBoxes[i] = new QLineEdit(this);
    m_parameterBoxes[i]->setObjectName(QStringLiteral("parameter%1Box").arg(i + 1));
    form->addWidget(m_parameterLabels[i], i, 0);
    form->addWidget(m_parameterBoxes[i], i, 1, 1, 3);
  }
  m_questions = new QComboBox(this);
  m_questions->setObjectName(QStringLiteral("questionList"));
  form->addWidget(new QLabel(QStringLiteral("所求"), this), 3, 0);
  form->addWidget(m_questions, 3, 1, 1, 3);

  m_xLabel = new QLabel(QStringLiteral("x"), this);
  m_x = new QLineEdit(this);
  m_x->setObjectName(QStringLiteral("xBox"));
  m_lowerClosed = new QCheckBox(QStringLiteral("含端点 a"), this);
  m_lowerClosed->setObjectName(QStringLiteral("lowerClosedBox"));
  m_lowerClosed->setChecked(true);
  form->addWidget(m_xLabel, 4, 0);
  form->addWidget(m_x, 4, 1);
  form->addWidget(m_lowerClosed, 4, 2);

  m_bLabel = new QLabel(QStringLiteral("b"), this);
  m_b = new QLineEdit(this);
  m_b->setObjectName(QStringLiteral("bBox"));
  m_upperClosed = new QCheckBox(QStringLiteral("含端点 b"), this);
  m_upperClosed->setObjectName(QStringLiteral("upperClosedBox"));
  m_upperClosed->setChecked(true);
  form->addWidget(m_bLabel, 5, 0);
  form->addWidget(m_b, 5, 1);
  form->addWidget(m_upperClosed, 5, 2);

  m_probabilityLabel = new QLabel(QStringLiteral("p"), this);
  m_probability = new QLineEdit(this);
  m_probability->setObjectName(QStringLiteral("probabilityBox"));
  form->addWidget(m_probabilityLabel, 6, 0);
  form->addWidget(m_probability, 6, 1);

  m_approximation = new QCheckBox(QStringLiteral("正态近似"), this);
  m_approximation->setObjectName(QStringLiteral("approximationBox"));
  m_compute = new QPushButton(QStringLiteral("计算"), this);
  m_compute->setObjectName(QStringLiteral("computeButton"));
  m_compute->setDefault(true);
  form->addWidget(m_approximation, 7, 1);
  form->addWidget(m_compute, 7, 3);
  form->setColumnStretch(1, 1);
  form->setRowStretch(8, 1);

  auto* top = new QHBoxLayout;
  top->addWidget(m_distributions);
  top->addLayout(form, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
}

void ProbabilityCalculator::setupResult() {
  m_result = new QLabel(this);
  m_result->setObjectName(QStringLiteral("resultLabel"));
  m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_result->setWordWrap(true);
  QFont font = m_result->font();
  font.setPointSizeF(font.pointSizeF() * 1.25);
  m_result->setFont(font);
  m_approximationResult = new QLabel(this);
  m_approximationResult->setObjectName(QStringLiteral("approximationLabel"));
  m_approximationResult->setTextInteractionFlags(Qt::TextSelectableByMouse);
  m_approximationResult->setWordWrap(true);

  auto* chart = new QChart;
  chart->setAnimationOptions(QChart::NoAnimation);
  chart->setMargins(QMargins(4, 4, 4, 4));
  chart->legend()->hide();
  m_chartView = new QChartView(chart, this);
  m_chartView->setObjectName(QStringLiteral("probabilityChart"));
  m_chartView->setRenderHint(QPainter::Antialiasing);
  m_chartView->setMinimumHeight(260);

  auto* layout = static_cast<QVBoxLayout*>(this->layout());
  layout->addWidget(m_result);
  layout->addWidget(m_approximationResult);
  layout->addWidget(m_chartView, 1);
}

void ProbabilityCalculator::connectSignals() {
  connect(m_distributions, &QListWidget::currentRowChanged, this, &ProbabilityCalculator::applyDistribution);
  connect(m_questions, &QComboBox::currentIndexChanged, this, &ProbabilityCalculator::applyQuestion);
  connect(m_compute, &QPushButton::clicked, this, &ProbabilityCalculator::compute);
  for (QLineEdit* box : {m_parameterBoxes[0], m_parameterBoxes[1], m_parameterBoxes[2], m_x, m_b, m_probability})
    connect(box, &QLineEdit::returnPressed, this, &ProbabilityCalculator::compute);
}

void ProbabilityCalculator::applyDistribution() {
  const int row = std::max(0, m_distributions->currentRow());
  const DistributionInfo& info = DistributionList()[static_cast<std::size_t>(row)];
  for (int i = 0; i < 3; ++i) {
    const bool used = i < info.parameterCount;
    m_parameterLabels[i]->setVisible(used);
    m_parameterBoxes[i]->setVisible(used);
    if (!used) continue;
    const ParameterInfo& p = info.parameters[static_cast<std::size_t>(i)];
    m_parameterLabels[i]->setText(Utf8(p.caption));
    m_parameterBoxes[i]->setText(QString::number(p.initial));
  }
  // The questions of this kind of law; the one asked before stays when it is among them.
  const QVariant asked = m_questions->currentData();
  m_questions->blockSignals(true);
  m_questions->clear();
  for (const QuestionInfo& q : QuestionList())
    if (info.discrete ? q.forDiscrete : q.forContinuous)
      m_questions->addItem(Utf8(q.caption), static_cast<int>(q.question));
  const int again = m_questions->findData(asked);
  m_questions->setCurrentIndex(again >= 0 ? again : 0);
  m_questions->blockSignals(false);
  m_approximation->setEnabled(info.discrete);
  if (!info.discrete) m_approximation->setChecked(false);
  applyQuestion();
  clearResult();
}

void ProbabilityCalculator::applyQuestion() {
  const QuestionInfo& info = InfoOf(static_cast<Question>(m_questions->currentData().toInt()));
  m_xLabel->setVisible(info.needsX);
  m_x->setVisible(info.needsX);
  m_xLabel->setText(info.needsB ? QStringLiteral("a") : QStringLiteral("x"));
  m_lowerClosed->setVisible(info.needsB);
  m_bLabel->setVisible(info.needsB);
  m_b->setVisible(info.needsB);
  m_upperClosed->setVisible(info.needsB);
  m_probabilityLabel->setVisible(info.needsProbability);
  m_probability->setVisible(info.needsProbability);
  m_probabilityLabel->setText(info.question == Question::UpperPoint ? QStringLiteral("α") : QStringLiteral("p"));
  clearResult();
}

void ProbabilityCalculator::clearResult() {
  m_result->clear();
  m_approximationResult->clear();
  m_approximationResult->hide();
  ClearChart(m_chartView->chart());
}

bool ProbabilityCalculator::compute() {
  clearResult();
  const int row = std::max(0, m_distributions->currentRow());
  const DistributionInfo& info = DistributionList()[static_cast<std::size_t>(row)];
  std::array<double, 3> parameters{};
  for (int i = 0; i < info.parameterCount; ++i) {
    const std::optional<double> v =
        ReadNumber(this, m_parameterBoxes[i], QStringLiteral("参数 ") + Utf8(info.parameters[i].symbol));
    if (!v) return false;
    parameters[static_cast<std::size_t>(i)] = *v;
  }
  ProbabilityQuestion question;
  question.question = static_cast<Question>(m_questions->currentData().toInt());
  const QuestionInfo& asked = InfoOf(question.question);
  if (asked.needsX) {
    const std::optional<double> x = ReadNumber(this, m_x, asked.needsB ? QStringLiteral("a") : QStringLiteral("x"));
    if (!x) return false;
    question.x = *x;
  }
  if (asked.needsB) {
    const std::optional<double> b = ReadNumber(this, m_b, QStringLiteral("b"));
    if (!b) return false;
    question.b = *b;
    question.lowerClosed = m_lowerClosed->isChecked();
    question.upperClosed = m_upperClosed->isChecked();
  }
  if (asked.needsProbability) {
    const std::optional<double> p = ReadNumber(this, m_probability, m_probabilityLabel->text());
    if (!p) return false;
    question.probability = *p;
  }
  question.approximation = m_approximation->isEnabled() && m_approximation->isChecked();
  try {
    const Distribution law(info.kind, parameters);
    const ProbabilityAnswer answer = Answer(law, question);
    const ChartDescription chart = ProbabilityChart(law, question, answer);
    m_result->setText(QString::fromStdString("X ~ " + law.notation() + "：" + answer.formula));
    if (!answer.approximationFormula.empty()) {
      m_approximationResult->setText(QString::fromStdString(answer.approximationFormula));
      m_approximationResult->show();
    }
    FillChart(m_chartView->chart(), chart, SixDigits());
    return true;
  } catch (const UserFacingError& e) {
    clearResult();
    ShowDataCheck(this, QString::fromUtf8(e.what()));
    return false;
  }
}

}  // namespace kelvo
