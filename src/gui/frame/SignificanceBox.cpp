#include "gui/frame/SignificanceBox.h"

#include "gui/frame/AnalysisWindow.h"

namespace kelvo {

bool LevelBoxAcceptable(const ValidatedBox& box) {
  if (box.text().trimmed().isEmpty()) return true;
  return box.value() > 0 && box.value() < 1;
}

ValidatedBox* AddSignificanceBox(QWidget* parent, const TwipsRect& caption, const TwipsRect& place,
                                 LevelChecks checks) {
  AddPanelLabel(parent, "Label15", QStringLiteral("显著水平"), caption);
  auto* box = new ValidatedBox(parent);
  box->setObjectName(QStringLiteral("Text2"));
  PlaceControl(box, place);
  AnalysisWindow::setChangeNote(box, QStringLiteral("显著水平已修改"));
  if (checks == LevelChecks::AtCompute) return box;
  box->addCheck({[box] { return box->text().trimmed().isEmpty() || box->isNumeric(); },
                 QStringLiteral("请在置信水平输入数据"), ValidatedBox::Clear});
  box->addCheck({[box] { return LevelBoxAcceptable(*box); }, QStringLiteral("置信水平应大于0小于1"),
                 ValidatedBox::Clear | ValidatedBox::KeepFocus});
  return box;
}

}  // namespace kelvo
