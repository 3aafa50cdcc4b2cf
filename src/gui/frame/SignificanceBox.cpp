#include "gui/frame/SignificanceBox.h"

#include "gui/frame/AnalysisWindow.h"
#include "gui/common/ControlLayout.h"

namespace kelvo {

ValidatedBox* AddSignificanceBox(QWidget* parent, int left, int top, int width, int height) {
  auto* box = new ValidatedBox(parent);
  box->setObjectName(QStringLiteral("Text2"));
  PlaceControl(box, left, top, width, height);
  AnalysisWindow::setChangeNote(box, QStringLiteral("显著水平已修改"));
  auto empty = [box] { return box->text().trimmed().isEmpty(); };
  box->addCheck({[box, empty] { return empty() || box->isNumeric(); },
                 QStringLiteral("请在置信水平输入数据"), ValidatedBox::Clear});
  box->addCheck({[box, empty] { return empty() || (box->value() > 0 && box->value() < 1); },
                 QStringLiteral("置信水平应大于0小于1"), ValidatedBox::Clear | ValidatedBox::KeepFocus});
  return box;
}

}  // namespace kelvo
