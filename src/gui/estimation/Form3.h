#pragma once
// Form3: large-sample two-sided intervals for P of a 0-1 population (mode 1), P of a binomial
// population of N trials (mode 2), λ of a Poisson population (mode 3) and θ of an exponential
// population (mode 6).
#include <optional>

#include "gui/frame/AnalysisWindow.h"

namespace kelvo {

class ValidatedBox;

class Form3 : public AnalysisWindow {
  Q_OBJECT
 public:
  Form3();
  WindowDescription describe() const override;

  // The activation body: caption and headings of the mode, N for the binomial, focus to Text2.
  void ApplyIntervalMode();
  // The compute button's body.
  void ComputeInterval();
  // The click on Label8: both bounds re-formatted with one pattern, the label moved 5 twips
  // left per step.
  void ReformatIntervalLabel();

 protected:
  void applyMode() override { ApplyIntervalMode(); }
  void compute() override { ComputeInterval(); }
  QString helpAnchor() const override { return QStringLiteral("form3"); }
  SettingList saveSettings() const override;
  void restoreSettings(const SettingList& settings) override;

 private:
  void setupPanels();
  void showInterval(double lower, double upper, const std::string& pattern);

  ValidatedBox* m_level = nullptr;     // Text2
  QLabel* m_twoSidedName = nullptr;    // Label6
  QLabel* m_oneSidedName = nullptr;    // Label9
  ValueLabel* m_mean = nullptr;        // Label3
  ValueLabel* m_variance = nullptr;    // Label5
  ValueLabel* m_interval = nullptr;    // Label8, "(" L "," U ")"
  bool m_hasInterval = false;
  std::optional<int> m_trialsUsed;  // N of the binomial interval on screen
  double m_lower = 0.0;
  double m_upper = 0.0;
};

}  // namespace kelvo
