#pragma once
// FormAnova: analysis of variance. One factor (each grid row a level A1 … A26 with its
// observations), two factors without replication (rows the levels of A, columns those of B,
// one observation per cell) or with t ≥ 2 observations in every cell, typed in the cell
// separated by blanks or commas. Shows the ANOVA table, the conclusion per factor and, for one
// factor, the estimates and the intervals of every difference of means.
#include "core/anova/Anova.h"
#include "gui/frame/AnalysisWindow.h"

class QLabel;
class QTableWidget;

namespace kelvo {

class ValidatedBox;

class FormAnova : public AnalysisWindow {
  Q_OBJECT
 public:
  FormAnova();
  WindowDescription describe() const override;

  AnovaDesign design() const { return m_design; }
  // Clears the grid and lays it out for the design.
  void SetDesign(AnovaDesign design);
  // The compute button's body.
  void RunAnalysis();

  int inputModeNumber() const override { return static_cast<int>(m_design) + 1; }

 protected:
  void compute() override { RunAnalysis(); }
  QString helpAnchor() const override { return QStringLiteral("anova"); }
  void writeHeadings(InputMode mode) override;
  bool applyInputModeNumber(int number) override;
  QRadioButton* modeOption(int number) const override;
  SettingList saveSettings() const override;
  void restoreSettings(const SettingList& settings) override;

 private:
  void setupPanels();
  void layOutGrid();
  void clearResults();
  void showResults(const AnovaResult& result);

  AnovaDesign m_design = AnovaDesign::OneWay;
  QRadioButton* m_option3 = nullptr;         // anovaReplicatedOption
  ValidatedBox* m_alpha = nullptr;           // Text2
  QTableWidget* m_table = nullptr;           // anovaTable
  QLabel* m_conclusion = nullptr;            // conclusionLabel
  QLabel* m_estimates = nullptr;             // estimateLabel
  QTableWidget* m_intervals = nullptr;       // intervalTable
};

}  // namespace kelvo
