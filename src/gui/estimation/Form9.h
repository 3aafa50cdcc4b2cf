#pragma once
// Form9: moment and maximum-likelihood estimates of the parameters of the 0-1, binomial,
// Poisson, uniform, normal and exponential distributions (modes 1 to 6).
#include <optional>

#include "gui/frame/AnalysisWindow.h"

namespace kelvo {

class Form9 : public AnalysisWindow {
  Q_OBJECT
 public:
  Form9();
  WindowDescription describe() const override;

  // The activation body: labels of the mode, input modes allowed, N for the binomial.
  void ApplyPointEstimationMode();
  // The compute button's body.
  void ComputePointEstimates();

 protected:
  void applyMode() override { ApplyPointEstimationMode(); }
  void compute() override { ComputePointEstimates(); }
  QString helpAnchor() const override { return QStringLiteral("estimation"); }

 private:
  void setupPanels();

  QLabel* m_firstNames[2] = {};   // Label3, Label5
  QLabel* m_secondNames[2] = {};  // Label9, Label11
  ValueLabel* m_mean = nullptr;            // Label22
  ValueLabel* m_variance = nullptr;        // Label23
  ValueLabel* m_momentFirst = nullptr;     // Label13
  ValueLabel* m_momentSecond = nullptr;    // Label19
  ValueLabel* m_likelihoodFirst = nullptr; // Label20
  ValueLabel* m_likelihoodSecond = nullptr;// Label21
  std::optional<int> m_trialsUsed;  // N of the binomial results on screen
};

}  // namespace kelvo
