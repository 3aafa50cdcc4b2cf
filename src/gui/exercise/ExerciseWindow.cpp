#include "gui/exercise/ExerciseWindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "core/exercise/ExerciseCatalogue.h"
#include "core/exercise/Grading.h"
#include "core/exercise/ProblemText.h"
#include "core/text/Errors.h"
#include "gui/common/AppContext.h"
#include "gui/common/Dialogs.h"
#include "gui/common/HelpViewer.h"

namespace kelvo {
namespace {

// The list's items: the topic's place in the catalogue, or one of these.
constexpr int kRandomTopic = -1;
constexpr int kGroupHeading = -2;

const QString kRight = QStringLiteral("✓");
const QString kWrong = QStringLiteral("✗");

QString Utf8(const std::string& text) { return QString::fromStdString(text); }

void ShowMark(QLabel* mark, std::optional<bool> right) {
  mark->setText(!right ? QString() : *right ? kRight : kWrong);
  mark->setStyleSheet(!right ? QString()
                      : *right ? QStringLiteral("color: #107010; font-weight: bold;")
                               : QStringLiteral("color: #b00000; font-weight: bold;"));
}

QString DecisionsText(const std::vector<Decision>& decisions) {
  QStringList texts;
  for (const Decision d : decisions) texts << Utf8(DecisionText(d));
  return texts.join(QStringLiteral(" 或 "));
}

}  // namespace

ExerciseWindow::ExerciseWindow(WindowOpener opener, QWidget* parent)
    : QWidget(parent, Qt::Window), m_opener(std::move(opener)) {
  setObjectName(QStringLiteral("ExerciseWindow"));
  setWindowTitle(QStringLiteral("练习"));
  setupTopics();

  m_newProblem = new QPushButton(QStringLiteral("出题"), this);
  m_newProblem->setObjectName(QStringLiteral("newProblemButton"));
  auto* left = new QVBoxLayout;
  left->addWidget(new QLabel(QStringLiteral("题型"), this));
  left->addWidget(m_topics, 1);
  left->addWidget(m_newProblem);

  m_code = new QLineEdit(this);
  m_code->setObjectName(QStringLiteral("problemCode"));
  m_code->setPlaceholderText(QStringLiteral("如 4-2-83721，回车出这道题"));
  // Wide enough for the whole hint, which tells how a code is typed.
  m_code->setMinimumWidth(m_code->fontMetrics().horizontalAdvance(m_code->placeholderText()) + 24);
  auto* codeRow = new QHBoxLayout;
  codeRow->addWidget(new QLabel(QStringLiteral("题号"), this));
  codeRow->addWidget(m_code);
  codeRow->addStretch(1);

  m_problemText = new QTextBrowser(this);
  m_problemText->setObjectName(QStringLiteral("problemText"));
  m_problemText->setOpenLinks(false);

  m_answerPanel = new QWidget(this);
  m_answerPanel->setObjectName(QStringLiteral("answerPanel"));
  m_answerLayout = new QGridLayout(m_answerPanel);
  m_answerLayout->setContentsMargins(0, 0, 0, 0);
  m_answerLayout->setColumnStretch(3, 1);

  // The decision's row stays in the answer grid, below the answers of every problem.
  m_decisionCaption = new QLabel(QStringLiteral("结论"), m_answerPanel);
  m_decision = new QComboBox(m_answerPanel);
  m_decision->setObjectName(QStringLiteral("decisionList"));
  m_decision->addItems({QString(), QStringLiteral("接受H0"), QStringLiteral("拒绝H0")});
  m_decisionMark = new QLabel(m_answerPanel);
  m_decisionMark->setObjectName(QStringLiteral("decisionMark"));
  m_decisionKey = new QLabel(m_answerPanel);
  m_decisionKey->setObjectName(QStringLiteral("decisionKey"));
  placeDecisionRow(0);

  m_submit = new QPushButton(QStringLiteral("提交"), this);
  m_submit->setObjectName(QStringLiteral("submitButton"));
  m_openInWindow = new QPushButton(QStringLiteral("在分析窗口中求解"), this);
  m_openInWindow->setObjectName(QStringLiteral("openInWindowButton"));
  m_next = new QPushButton(QStringLiteral("下一题"), this);
  m_next->setObjectName(QStringLiteral("nextButton"));
  m_score = new QLabel(this);
  m_score->setObjectName(QStringLiteral("scoreLabel"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(m_submit);
  buttons->addWidget(m_openInWindow);
  buttons->addWidget(m_next);
  buttons->addStretch(1);
  buttons->addWidget(m_score);

  m_solution = new QTextBrowser(this);
  m_solution->setObjectName(QStringLiteral("solutionText"));
  m_solution->setOpenLinks(false);

  auto* right = new QVBoxLayout;
  right->addLayout(codeRow);
  right->addWidget(m_problemText, 3);
  right->addWidget(m_answerPanel);
  right->addLayout(buttons);
  right->addWidget(m_solution, 4);

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left);
  layout->addLayout(right, 1);

  connect(m_newProblem, &QPushButton::clicked, this, &ExerciseWindow::newProblem);
  connect(m_next, &QPushButton::clicked, this, &ExerciseWindow::newProblem);
  connect(m_code, &QLineEdit::returnPressed, this, &ExerciseWindow::poseTypedCode);
  connect(m_submit, &QPushButton::clicked, this, &ExerciseWindow::submit);
  connect(m_openInWindow, &QPushButton::clicked, this, &ExerciseWindow::openInWindow);
  connect(m_topics, &QListWidget::itemDoubleClicked, this, &ExerciseWindow::newProblem);

  showProblem();
  updateScore();
  resize(1000, 760);
  AddHelpKey(this, QStringLiteral("exercise"));
}

void ExerciseWindow::setupTopics() {
  m_topics = new QListWidget(this);
  m_topics->setObjectName(QStringLiteral("topicList"));
  auto* random = new QListWidgetItem(QStringLiteral("随机"), m_topics);
  random->setData(Qt::UserRole, kRandomTopic);
  // The topics under their chapter, the chapters in the order they first come. A chapter's
  // heading is a choice too: any topic of the chapter.
  const std::span<const ExerciseTopic> topics = ExerciseTopics();
  QStringList groups;
  for (const ExerciseTopic& t : topics)
    if (!groups.contains(QString::fromUtf8(t.group))) groups << QString::fromUtf8(t.group);
  for (const QString& group : groups) {
    auto* heading = new QListWidgetItem(group, m_topics);
    heading->setData(Qt::UserRole, kGroupHeading);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    for (std::size_t i = 0; i < topics.size(); ++i)
      if (QString::fromUtf8(topics[i].group) == group) {
        auto* item = new QListWidgetItem(QStringLiteral("    ") + QString::fromUtf8(topics[i].name), m_topics);
        item->setData(Qt::UserRole, static_cast<int>(i));
      }
  }
  m_topics->setCurrentItem(random);
  m_topics->setMinimumWidth(m_topics->sizeHintForColumn(0) + 32);
}

bool ExerciseWindow::pose(const ProblemCode& code) {
  try {
    m_problem = PoseProblem(App().tables, code);
  } catch (const UserFacingError& error) {
    if (m_problem) m_code->setText(Utf8(FormatProblemCode(m_problem->code)));
    ShowDataCheck(this, QString::fromUtf8(error.what()));
    return false;
  }
  showProblem();
  return true;
}

void ExerciseWindow::newProblem() {
  const std::span<const ExerciseTopic> topics = ExerciseTopics();
  if (topics.empty()) return;
  const QListWidgetItem* chosen = m_topics->currentItem();
  const int index = chosen ? chosen->data(Qt::UserRole).toInt() : kRandomTopic;
  // 随机: any topic; a chapter's heading: any topic of the chapter.
  std::vector<std::size_t> candidates;
  for (std::size_t i = 0; i < topics.size(); ++i)
    if (index == kRandomTopic || (index == kGroupHeading && QString::fromUtf8(topics[i].group) == chosen->text()) ||
        static_cast<std::size_t>(index) == i)
      candidates.push_back(i);
  if (candidates.empty()) return;
  QRandomGenerator& random = *QRandomGenerator::global();
  const ExerciseTopic& topic = topics[candidates[random.bounded(static_cast<quint32>(candidates.size()))]];
  pose({topic.topic, topic.variant, static_cast<int>(random.bounded(kMaxProblemSeed + 1))});
}

void ExerciseWindow::poseTypedCode() {
  const std::optional<ProblemCode> code = ParseProblemCode(m_code->text().toStdString());
  if (!code) {
    m_code->setText(m_problem ? Utf8(FormatProblemCode(m_problem->code)) : QString());
    ShowDataCheck(this, QStringLiteral("题号应为用“-”隔开的三个整数，如 4-2-83721"));
    return;
  }
  pose(*code);
}

void ExerciseWindow::showProblem() {
  for (std::vector<QWidget*>* row : {&m_answerCaptions, &m_answerBoxes, &m_answerMarks, &m_answerKeys}) {
    for (QWidget* w : *row) delete w;
    row->clear();
  }
  m_solution->clear();
  m_solution->hide();
  m_decision->setCurrentIndex(0);
  ShowMark(m_decisionMark, std::nullopt);
  m_decisionKey->clear();
  const bool posed = m_problem.has_value();
  m_submit->setEnabled(posed);
  m_openInWindow->setEnabled(posed);
  m_next->setEnabled(posed);
  const bool decides = posed && !m_problem->decisions.empty();
  m_decisionCaption->setVisible(decides);
  m_decision->setVisible(decides);
  m_decision->setEnabled(decides);
  if (!posed) {
    m_problemText->setHtml(QStringLiteral("<p>选择题型，按“出题”；或在“题号”中输入题号后回车。</p>"));
    return;
  }
  m_code->setText(Utf8(FormatProblemCode(m_problem->code)));
  m_problemText->setHtml(Utf8("<html><body><p><b>" + EscapeHtml(m_problem->topicName) + "</b></p>" +
                              ProblemHtml(*m_problem) + "</body></html>"));
  for (std::size_t i = 0; i < m_problem->answers.size(); ++i) {
    const int row = static_cast<int>(i);
    const QString number = QString::number(row + 1);
    auto* caption = new QLabel(Utf8(m_problem->answers[i].caption), m_answerPanel);
    caption->setObjectName(QStringLiteral("answerCaption") + number);
    auto* box = new QLineEdit(m_answerPanel);
    box->setObjectName(QStringLiteral("answerBox") + number);
    auto* mark = new QLabel(m_answerPanel);
    mark->setObjectName(QStringLiteral("answerMark") + number);
    mark->setMinimumWidth(mark->fontMetrics().horizontalAdvance(kWrong) + 8);
    auto* key = new QLabel(m_answerPanel);
    key->setObjectName(QStringLiteral("answerKey") + number);
    m_answerLayout->addWidget(caption, row, 0);
    m_answerLayout->addWidget(box, row, 1);
    m_answerLayout->addWidget(mark, row, 2);
    m_answerLayout->addWidget(key, row, 3);
    connect(box, &QLineEdit::returnPressed, this, &ExerciseWindow::submit);
    m_answerCaptions.push_back(caption);
    m_answerBoxes.push_back(box);
    m_answerMarks.push_back(mark);
    m_answerKeys.push_back(key);
  }
  placeDecisionRow(static_cast<int>(m_problem->answers.size()));
  if (!m_answerBoxes.empty()) m_answerBoxes.front()->setFocus();
}

void ExerciseWindow::placeDecisionRow(int row) {
  QWidget* const widgets[] = {m_decisionCaption, m_decision, m_decisionMark, m_decisionKey};
  for (int column = 0; column < 4; ++column) {
    QWidget* w = widgets[column];
    m_answerLayout->removeWidget(w);
    m_answerLayout->addWidget(w, row, column);
  }
}

void ExerciseWindow::submit() {
  if (!m_problem) return;
  std::vector<std::string> typed;
  for (const QWidget* box : m_answerBoxes) typed.push_back(static_cast<const QLineEdit*>(box)->text().toStdString());
  std::optional<Decision> decision;
  if (m_decision->currentIndex() == 1) decision = Decision::AcceptH0;
  if (m_decision->currentIndex() == 2) decision = Decision::AcceptH1;
  const Grade grade = GradeAnswers(*m_problem, typed, decision);
  for (std::size_t i = 0; i < m_answerBoxes.size(); ++i) {
    ShowMark(static_cast<QLabel*>(m_answerMarks[i]), grade.answers[i]);
    const bool shown = grade.answers[i].value_or(false);
    static_cast<QLabel*>(m_answerKeys[i])->setText(shown ? QString() : QStringLiteral("答案：") + Utf8(AnswerText(m_problem->answers[i])));
  }
  if (!m_problem->decisions.empty()) {
    ShowMark(m_decisionMark, grade.decision);
    m_decisionKey->setText(grade.decision.value_or(false)
                               ? QString()
                               : QStringLiteral("答案：") + DecisionsText(m_problem->decisions));
  }
  m_solution->setHtml(Utf8(m_problem->solution.html()));
  m_solution->show();
  // The first submission of a problem counts; submitting it again grades it but adds nothing.
  const QString code = Utf8(FormatProblemCode(m_problem->code));
  if (!m_counted.contains(code)) {
    m_counted.insert(code);
    m_right += grade.right;
    m_given += grade.given;
    updateScore();
  }
}

void ExerciseWindow::openInWindow() {
  if (m_problem && m_opener) m_opener(m_problem->window);
}

void ExerciseWindow::updateScore() {
  m_score->setText(QStringLiteral("得分：%1 / %2").arg(m_right).arg(m_given));
}

}  // namespace kelvo
