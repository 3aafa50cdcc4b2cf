#include "gui/frame/BasicTaskWindow.h"

#include <QLabel>

namespace kelvo {

BasicTaskWindow::BasicTaskWindow(const QString& className, const QString& defaultCaption)
    : AnalysisWindow(FrameOptions{}) {
  setObjectName(className);
  setWindowTitle(defaultCaption);
  m_modeLabel = addLabel(surface(), QStringLiteral("LabelMode"), QString(), 3000, 2300, 8000, 400);
}

void BasicTaskWindow::applyMode() {
  m_modeLabel->setText(tag().isEmpty() ? QStringLiteral("本窗口的计算尚在建设中")
                                       : QStringLiteral("模式 %1：本窗口的计算尚在建设中").arg(tag()));
}

}  // namespace kelvo
