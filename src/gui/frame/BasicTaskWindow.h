#pragma once
// The frame with a caption of its own and a line naming its mode: the shape of a task window
// before its panels and computation are added.
#include "gui/frame/AnalysisWindow.h"

class QLabel;

namespace kelvo {

class BasicTaskWindow : public AnalysisWindow {
  Q_OBJECT
 public:
  BasicTaskWindow(const QString& className, const QString& defaultCaption);

 protected:
  void applyMode() override;

 private:
  QLabel* m_modeLabel;
};

}  // namespace kelvo
