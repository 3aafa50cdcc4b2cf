#pragma once
// Form3a: intervals for one normal population (modes 1 to 4: μ with σ known or unknown, σ with
// μ known or unknown) and for two (modes 5 to 9: μ1 − μ2 and σ1/σ2), each as the two-sided
// interval and both one-sided ones. Input mode two takes typed summaries instead of raw data.
#include <optional>

#include "gui/frame/AnalysisWindow.h"

namespace kelvo {

class ValidatedBox;

class Form3a : public AnalysisWindow {
  Q_OBJECT
 public:
  Form3a();
  WindowDescription describe() const override;

  // The activation body: caption, symbol labels, known-value boxes and the second sample row
  // of the mode; focus to Text2.
  void ApplyNormalIntervalMode();
  // The compute button's body.
  void ComputeNormalIntervals();

 protected:
  void applyMode() override { ApplyNormalIntervalMode(); }
  void compute() override { ComputeNormalIntervals(); }
  QString helpAnchor() const override { return QStringLiteral("form3a"); }
  SettingList saveSettings() const override;
  void restoreSettings(const SettingList& settings) override;
  // Column numbers (raw data) or the four summary headings with "×" in the unused cells.
  void writeHeadings(InputMode mode) override;

 private:
  void setupPanels();
  void setupBoxes(QWidget* panel);
  void fillUnusedSummaryCells();

  ValidatedBox* m_level = nullptr;   // Text2
  ValidatedBox* m_known1 = nullptr;  // Text3
  ValidatedBox* m_known2 = nullptr;  // Text4
  QLabel* m_known1Name = nullptr;    // Label16
  QLabel* m_known2Name = nullptr;    // Label17
  QLabel* m_twoSidedName = nullptr;  // Label6
  QLabel* m_oneSidedName = nullptr;  // Label9
  ValueLabel* m_mean = nullptr;      // Label3
  ValueLabel* m_variance = nullptr;  // Label5
  ValueLabel* m_lower = nullptr;     // Label8, "(" L ","
  ValueLabel* m_upper = nullptr;     // Label18, U ")"
  ValueLabel* m_upperOnly = nullptr; // Label11, "(-∞," U1 ")", "(0," U1 ")" for σ and σ1/σ2
  ValueLabel* m_lowerOnly = nullptr; // Label13, "(" L1 ",∞)"
  // The known values as last accepted from Text3 and Text4; empty until then.
  std::optional<double> m_knownValue1;
  std::optional<double> m_knownValue2;
};

}  // namespace kelvo
