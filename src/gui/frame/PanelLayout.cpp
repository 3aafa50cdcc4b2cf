#include "gui/frame/PanelLayout.h"

#include <QLabel>

namespace kelvo {

void PlaceControl(QWidget* control, const TwipsRect& r) {
  PlaceControl(control, r.left, r.top, r.width, r.height);
}

QLabel* AddPanelLabel(QWidget* parent, const char* name, const QString& text, const TwipsRect& r) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  PlaceControl(label, r);
  return label;
}

}  // namespace kelvo
