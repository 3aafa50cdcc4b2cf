#pragma once
// Form5: the chi-square goodness-of-fit test against one of thirteen hypothesised laws.
// The user picks the law from the list Combo1 (its known parameters are asked at once),
// enters the sample as single values, values with repeat counts or grouped intervals, a
// user-defined law in the second grid MSFlexGrid2, and the significance level; the window
// shows only the conclusion.
#include <optional>

#include "core/hypothesis/FittingTypes.h"
#include "gui/frame/AnalysisWindow.h"

namespace kelvo {

class ConclusionLabel;
class HypothesisLists;
class HypothesisPanel;
class ValidatedBox;

class Form5 : public AnalysisWindow {
  Q_OBJECT
 public:
  Form5();
  WindowDescription describe() const override;

  // A choice in the distribution list: the known parameters asked until valid, then the
  // hypothesis texts and the input controls enabled. 取消 on a question takes the pick back:
  // the window stays exactly as it was.
  void ChooseDistribution(int entry);
  // Clears the sample grid and lays it out for the mode; grouped data first asks the summaries
  // the chosen law's estimates need, and 取消 there keeps the mode and grid (false).
  bool SetFittingInputMode(FittingInputMode mode);
  // The compute button's body.
  void RunFittingTest();

  std::optional<FittingEntry> chosenEntry() const { return m_entry; }
  FittingInputMode fittingInputMode() const { return m_mode; }
  const FittingParameters& fittingParameters() const { return m_parameters; }
  SampleGrid* lawGrid() const { return m_lawGrid; }
  int inputModeNumber() const override { return static_cast<int>(m_mode) + 1; }

 protected:
  void applyMode() override;
  void compute() override { RunFittingTest(); }
  QString helpAnchor() const override { return QStringLiteral("fitting"); }
  void writeHeadings(InputMode mode) override;
  bool applyInputModeNumber(int number) override {
    return SetFittingInputMode(static_cast<FittingInputMode>(number - 1));
  }
  SettingList saveSettings() const override;
  void restoreSettings(const SettingList& settings) override;

 private:
  void setupHypothesisPanel();
  void setupModePanel();
  void setupDataPanel();
  void setupSidePanels();
  void connectControls();
  // Row count and row headings of the sample grid for a mode (the cells already cleared).
  void layOutSampleGrid(FittingInputMode mode);
  void writeLawHeadings();
  // The sample grid's height: down to the law grid when that is shown, else to the panel's foot.
  void fitSampleGrid();

  std::optional<FittingEntry> m_entry;
  FittingInputMode m_mode = FittingInputMode::Individual;
  FittingParameters m_parameters;

  HypothesisPanel* m_hypotheses = nullptr;  // Command2, Combo1, Label7, Label9
  HypothesisLists* m_lists = nullptr;       // Combo1
  QRadioButton* m_option3 = nullptr;
  ValidatedBox* m_alpha = nullptr;         // Text2
  SampleGrid* m_lawGrid = nullptr;         // MSFlexGrid2 with Text9
  QLabel* m_lawCaption = nullptr;          // Label21
  QLabel* m_parameterNames[2] = {};        // Label17, Label18
  QLabel* m_parameterValues[2] = {};       // Label19, Label20
  ConclusionLabel* m_conclusion = nullptr; // Label12
};

}  // namespace kelvo
