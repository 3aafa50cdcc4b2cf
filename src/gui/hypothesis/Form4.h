#pragma once
#include "gui/sample/BasicTaskWindow.h"

namespace kelvo {

// Parametric tests on normal populations.
class Form4 : public BasicTaskWindow {
  Q_OBJECT
 public:
  Form4() : BasicTaskWindow(QStringLiteral("Form4"), QStringLiteral("正态总体参数检验")) {}
};

}  // namespace kelvo
