#pragma once
#include "gui/sample/BasicTaskWindow.h"

namespace kelvo {

// The two-sample rank-sum test.
class Form7 : public BasicTaskWindow {
  Q_OBJECT
 public:
  Form7() : BasicTaskWindow(QStringLiteral("Form7"), QStringLiteral("秩和检验")) {}
};

}  // namespace kelvo
