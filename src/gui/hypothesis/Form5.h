#pragma once
#include "gui/sample/BasicTaskWindow.h"

namespace kelvo {

// The chi-square goodness-of-fit test.
class Form5 : public BasicTaskWindow {
  Q_OBJECT
 public:
  Form5() : BasicTaskWindow(QStringLiteral("Form5"), QStringLiteral("分布拟和检验")) {}
};

}  // namespace kelvo
