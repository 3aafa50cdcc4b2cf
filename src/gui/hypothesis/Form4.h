#pragma once
// Form4: the tests on normal populations (nine modes): Z and t tests of a mean, chi-square
// tests of a standard deviation, two-sample Z, pooled t and approximate-df t tests, the F test
// of two standard deviations and the paired test.
#include <QString>

#include "core/hypothesis/ParametricTests.h"
#include "core/sample/SampleSummary.h"
#include "gui/frame/AnalysisWindow.h"
#include "gui/frame/SummaryEntry.h"

class QComboBox;

namespace kelvo {

class ConclusionLabel;
class HypothesisLists;
class HypothesisPanel;
class ValidatedBox;
struct TestMode;

class Form4 : public AnalysisWindow {
  Q_OBJECT
 public:
  Form4();
  WindowDescription describe() const override;

  // The activation body: title, condition text, known-value prompts and boxes, the list.
  void ApplyTestMode();
  // Command2: shows the hypothesis list of the mode.
  void ShowHypothesisList();
  // An item of the mode's list was picked: asks the hypothesised value where the list has one
  // and writes the H0 and H1 captions. Cancelling the question takes the pick back.
  void ChooseHypothesis(int position, const QString& h0, const QString& h1);
  // Command1: checks the inputs, runs the mode's test, shows the moments and the conclusion.
  void RunParametricTest();

  // The window state, as text (empty until given).
  QString hypothesisValue() const { return m_hypothesisValue; }
  QString knownSigma1() const { return m_knownSigma1; }
  QString knownSigma2() const { return m_knownSigma2; }
  QString knownMu() const { return m_knownMu; }

 protected:
  void applyMode() override { ApplyTestMode(); }
  void compute() override { RunParametricTest(); }
  QString helpAnchor() const override;
  void writeHeadings(InputMode mode) override;
  SettingList saveSettings() const override;
  void restoreSettings(const SettingList& settings) override;

 private:
  // The H0 and H1 captions of a chosen pair, with the hypothesised value where the mode shows it.
  void showHypothesisCaptions(const QString& h0, const QString& h1);
  void setupPanels();
  void setupHypothesisPanel();
  void setupInputBoxes();
  void connectControls();
  const TestMode* currentMode() const;
  bool twoSamples() const;
  // The first failing check throws its message; returns the summaries the test runs on.
  TwoSampleSummary CheckTestInputs(const TestMode& mode);
  // Sample one alone (the one-sample tests), or both samples, as the reader gives them.
  TwoSampleSummary readSamples(const TestMode& mode) const;
  // The mode's test with the window's values, after CheckTestInputs.
  ParametricTestInput testInput(const TestMode& mode, const TwoSampleSummary& samples) const;

  HypothesisPanel* m_hypotheses = nullptr;  // Command2, the lists, Label7, Label9
  HypothesisLists* m_lists = nullptr;
  ValueLabel* m_mean = nullptr;       // Label3
  ValueLabel* m_variance = nullptr;   // Label5
  ConclusionLabel* m_conclusion = nullptr;  // Label12
  QLabel* m_condition = nullptr;            // Label14
  QLabel* m_knownPrompt1 = nullptr;         // Label17
  QLabel* m_knownPrompt2 = nullptr;         // Label18
  ValidatedBox* m_significance = nullptr;   // Text2
  ValidatedBox* m_known1 = nullptr;         // Text3
  ValidatedBox* m_known2 = nullptr;         // Text4

  QString m_hypothesisValue;
  QString m_knownSigma1;
  QString m_knownSigma2;
  QString m_knownMu;
  GrowingSummaryColumns m_summaryColumns;
};

}  // namespace kelvo
