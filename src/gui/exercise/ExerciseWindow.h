#pragma once
// The exercise window: the student picks a topic (or 随机), the program poses a problem, the
// student types the answers and chooses the decision, 提交 grades them and shows the worked
// solution, and the sitting's score counts each problem once. A problem's code poses it
// again; 在分析窗口中求解 sets the same problem up in its analysis window.
#include <QSet>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

#include "core/exercise/Problem.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTextBrowser;

namespace kelvo {

class ExerciseWindow : public QWidget {
  Q_OBJECT
 public:
  // Opens the analysis window (or the calculator) a problem's data file names, with the file
  // loaded; given by the program, which knows its windows.
  using WindowOpener = std::function<void(const DataFileContent&)>;

  explicit ExerciseWindow(WindowOpener opener, QWidget* parent = nullptr);

  // Poses the problem of the code and shows it with empty answer boxes. A code of no topic
  // shows its message and leaves everything as it was; false then.
  bool pose(const ProblemCode& code);
  // 出题 and 下一题: a fresh seed for the chosen topic, or a random topic for 随机.
  void newProblem();
  // 提交: grades the answers, marks the boxes, shows the solution and counts the score.
  void submit();
  // 在分析窗口中求解.
  void openInWindow();

  const std::optional<Problem>& problem() const { return m_problem; }
  int scoreRight() const { return m_right; }
  int scoreGiven() const { return m_given; }

 private:
  void setupTopics();
  // The problem code typed in its box and Enter.
  void poseTypedCode();
  void showProblem();
  void updateScore();
  // The decision's caption, list, mark and right value on row `row` of the answer grid.
  void placeDecisionRow(int row);

  WindowOpener m_opener;
  QListWidget* m_topics = nullptr;
  QPushButton* m_newProblem = nullptr;
  QLineEdit* m_code = nullptr;
  QTextBrowser* m_problemText = nullptr;
  QWidget* m_answerPanel = nullptr;
  QGridLayout* m_answerLayout = nullptr;
  // One row per answer: caption, box (QLineEdit), mark and the right value (QLabel).
  std::vector<QWidget*> m_answerCaptions;
  std::vector<QWidget*> m_answerBoxes;
  std::vector<QWidget*> m_answerMarks;
  std::vector<QWidget*> m_answerKeys;
  QLabel* m_decisionCaption = nullptr;
  QComboBox* m_decision = nullptr;
  QLabel* m_decisionMark = nullptr;
  QLabel* m_decisionKey = nullptr;
  QPushButton* m_submit = nullptr;
  QPushButton* m_openInWindow = nullptr;
  QPushButton* m_next = nullptr;
  QLabel* m_score = nullptr;
  QTextBrowser* m_solution = nullptr;

  std::optional<Problem> m_problem;
  QSet<QString> m_counted;  // codes of the problems already in the score
  int m_right = 0;
  int m_given = 0;
};

}  // namespace kelvo
