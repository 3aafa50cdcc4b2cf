#pragma once
#include "gui/sample/BasicTaskWindow.h"

namespace kelvo {

// Large-sample intervals for the 0-1, binomial, Poisson and exponential laws.
class Form3 : public BasicTaskWindow {
  Q_OBJECT
 public:
  Form3() : BasicTaskWindow(QStringLiteral("Form3"), QStringLiteral("区间估计")) {}
};

}  // namespace kelvo
