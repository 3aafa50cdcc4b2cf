#pragma once
// Form8: the large-sample tests of the parameter of a 0-1, binomial, Poisson or exponential
// population (the first four modes), judged by the sample mean against a band around the mean
// under H0, and the skewness and kurtosis test of normality (the fifth).
#include "core/hypothesis/AsymptoticTests.h"
#include "gui/frame/AnalysisWindow.h"

class QComboBox;

namespace kelvo {

class ConclusionLabel;
class HypothesisLists;
class HypothesisPanel;
struct AsymptoticMode;
class ValidatedBox;

class Form8 : public AnalysisWindow {
  Q_OBJECT
 public:
  Form8();
  WindowDescription describe() const override;

  // Activation: the mode's title and list; no repeat counts in modes 4 and 5.
  void ApplyAsymptoticMode();
  // Command2: shows the mode's hypothesis list.
  void ShowHypothesisList();
  // A pick in the list: asks the hypothesised value (and N in mode 2) until it is valid and
  // writes both hypotheses. Cancelling a question takes the pick back.
  void ChooseHypothesis(int position, const QString& h0, const QString& h1);
  // The checks before a test, in order; throws InputError with the first failure's message.
  void CheckAsymptoticInputs() const;
  // Command1: the checks, the mode's test, the conclusion.
  void RunAsymptoticTest();

  // The hypothesised value as text (empty until chosen) and the trials of mode 2 (0 until asked).
  QString hypothesisValue() const { return m_hypothesisValue; }
  int trialCount() const { return m_trialCount; }

 protected:
  void applyMode() override { ApplyAsymptoticMode(); }
  void compute() override { RunAsymptoticTest(); }
  QString helpAnchor() const override;
  void writeHeadings(InputMode mode) override;
  SettingList saveSettings() const override;
  void restoreSettings(const SettingList& settings) override;

 private:
  // The H0 and H1 captions of a chosen pair, with the hypothesised value where the mode has one.
  void showHypothesisCaptions(const QString& h0, const QString& h1);
  void setupPanels();
  void connectSignals();
  // The mode's band test with the window's values.
  AsymptoticTestInput testInput(const AsymptoticMode& mode) const;

  HypothesisPanel* m_hypotheses = nullptr;  // Command2, the lists, Label7, Label9
  HypothesisLists* m_lists = nullptr;        // Combo1 .. Combo4
  ValidatedBox* m_significance = nullptr;  // Text2
  ConclusionLabel* m_conclusion = nullptr; // Label12

  QString m_hypothesisValue;
  int m_trialCount = 0;
};

}  // namespace kelvo
