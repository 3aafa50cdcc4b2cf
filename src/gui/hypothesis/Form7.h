#pragma once
// Form7: the two-sample rank-sum test. Sample one in row 1 of the grid, sample two in row 2;
// one of three hypotheses about μ1 and μ2, the significance level in Text2, and the
// conclusion in Label12. A click on the window's background runs the repeated-value check for
// its messages alone.
#include "gui/frame/AnalysisWindow.h"

class QLabel;

namespace kelvo {

class ConclusionLabel;
class HypothesisLists;
class HypothesisPanel;
class ValidatedBox;

class Form7 : public AnalysisWindow {
  Q_OBJECT
 public:
  Form7();
  WindowDescription describe() const override;

  // The compute button's body: checks, ranking, decision, conclusion.
  void ComputeRankSum();
  // The background click: the repeated-value check, its message if any, nothing else.
  void CheckRepeatedValuesOnly();

 protected:
  void compute() override { ComputeRankSum(); }
  QString helpAnchor() const override { return QStringLiteral("ranksum"); }
  void writeHeadings(InputMode mode) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  SettingList saveSettings() const override;
  void restoreSettings(const SettingList& settings) override;

 private:
  void setupInputPanel();
  void setupHypothesisControls();
  void setupResultPanels();
  void connectControls();

  HypothesisPanel* m_hypotheses = nullptr;  // Command2, Combo1, Label7, Label9
  HypothesisLists* m_lists = nullptr;       // Combo1
  ValidatedBox* m_alpha = nullptr;     // Text2
  ConclusionLabel* m_conclusion = nullptr;  // Label12
};

}  // namespace kelvo
