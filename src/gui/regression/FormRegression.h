#pragma once
// FormRegression: simple linear regression and the curves that transform to a line. x in row 1
// of the grid, y in row 2, one pair per column (input mode one), or each pair's count in row 3
// (input mode two); the significance level in Text2, the x0 of a prediction in x0Box and the
// model in modelList. The results: â, b̂, σ̂², r, the t test of b = 0 with its critical value,
// p-value and conclusion, the interval of b, the prediction at x0 with its two intervals, and
// the fitted equation; the details pane shows the worked solution, the scatter chart with its
// bands and the residual chart.
#include "core/regression/Regression.h"
#include "gui/frame/AnalysisWindow.h"

class QComboBox;
class QGridLayout;
class QLabel;

namespace kelvo {

class ConclusionLabel;
class ValidatedBox;
class ValueLabel;

class FormRegression : public AnalysisWindow {
  Q_OBJECT
 public:
  FormRegression();
  WindowDescription describe() const override;

  // The compute button's body: the pairs, the fit, the results and the pane.
  void ComputeRegression();
  RegressionModel model() const;

 protected:
  void compute() override { ComputeRegression(); }
  QString helpAnchor() const override { return QStringLiteral("regression"); }
  void writeHeadings(InputMode mode) override;
  bool applyInputModeNumber(int number) override;
  SettingList saveSettings() const override;
  void restoreSettings(const SettingList& settings) override;

 private:
  // An interval shown as "(" lower "," upper ")": two result labels in one widget `name`.
  struct IntervalLabels {
    ValueLabel* lower = nullptr;
    ValueLabel* upper = nullptr;
    void show(const std::optional<std::pair<double, double>>& interval);
    void clear();
  };

  void setupInputPanel();
  void setupResultPanel();
  ValueLabel* addResult(QGridLayout* grid, int row, int column, const QString& caption,
                        const QString& name);
  IntervalLabels addInterval(QGridLayout* grid, int row, const QString& caption, const QString& name);
  void clearResults();

  ValidatedBox* m_alpha = nullptr;  // Text2
  ValidatedBox* m_x0 = nullptr;     // x0Box
  QComboBox* m_models = nullptr;    // modelList
  ValueLabel* m_a = nullptr;
  ValueLabel* m_b = nullptr;
  ValueLabel* m_sigma2 = nullptr;
  ValueLabel* m_r = nullptr;
  ValueLabel* m_t = nullptr;
  ValueLabel* m_critical = nullptr;
  QLabel* m_criticalCaption = nullptr;  // names the quantile once it is looked up
  ValueLabel* m_p = nullptr;
  ConclusionLabel* m_conclusion = nullptr;
  IntervalLabels m_slope;
  ValueLabel* m_y0 = nullptr;
  IntervalLabels m_mean;
  IntervalLabels m_prediction;
  QLabel* m_equation = nullptr;
};

}  // namespace kelvo
