#pragma once
#include "gui/sample/BasicTaskWindow.h"

namespace kelvo {

// Asymptotic tests, and the skewness and kurtosis test.
class Form8 : public BasicTaskWindow {
  Q_OBJECT
 public:
  Form8() : BasicTaskWindow(QStringLiteral("Form8"), QStringLiteral("渐进检验")) {}
};

}  // namespace kelvo
