#pragma once
// The probability calculator: a law with its parameters, a question about it (a tail, an
// interval, a density or mass, a quantile), the exact answer with its textbook formula, and
// the chart of the asked area or bars.
#include <QWidget>
#include <array>

class QChartView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace kelvo {

class ProbabilityCalculator : public QWidget {
  Q_OBJECT
 public:
  explicit ProbabilityCalculator(QWidget* parent = nullptr);

  // Reads the boxes, computes and shows the result and its chart; a refused input shows its
  // message box and leaves the result empty. True when a result is shown.
  bool compute();

 private:
  void setupInputs();
  void setupResult();
  void connectSignals();
  // Labels, boxes and questions of the chosen law.
  void applyDistribution();
  // The boxes the chosen question needs.
  void applyQuestion();
  void clearResult();

  QListWidget* m_distributions = nullptr;
  std::array<QLabel*, 3> m_parameterLabels{};
  std::array<QLineEdit*, 3> m_parameterBoxes{};
  QComboBox* m_questions = nullptr;
  QLabel* m_xLabel = nullptr;
  QLineEdit* m_x = nullptr;
  QLabel* m_bLabel = nullptr;
  QLineEdit* m_b = nullptr;
  QCheckBox* m_lowerClosed = nullptr;
  QCheckBox* m_upperClosed = nullptr;
  QLabel* m_probabilityLabel = nullptr;
  QLineEdit* m_probability = nullptr;
  QCheckBox* m_approximation = nullptr;
  QPushButton* m_compute = nullptr;
  QLabel* m_result = nullptr;
  QLabel* m_approximationResult = nullptr;
  QChartView* m_chartView = nullptr;
};

}  // namespace kelvo
