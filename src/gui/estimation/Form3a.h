#pragma once
#include "gui/sample/BasicTaskWindow.h"

namespace kelvo {

// Intervals for one or two normal populations.
class Form3a : public BasicTaskWindow {
  Q_OBJECT
 public:
  Form3a() : BasicTaskWindow(QStringLiteral("Form3a"), QStringLiteral("正态总体区间估计")) {}
};

}  // namespace kelvo
