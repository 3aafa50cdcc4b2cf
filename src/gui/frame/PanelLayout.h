#pragma once
// Placing the controls of the frame's panel components, each at a rectangle in twips.
#include <QString>

#include "gui/common/ControlLayout.h"

class QLabel;
class QWidget;

namespace kelvo {

void PlaceControl(QWidget* control, const TwipsRect& r);

// A caption label named `name` in `parent` at `r`.
QLabel* AddPanelLabel(QWidget* parent, const char* name, const QString& text, const TwipsRect& r);

}  // namespace kelvo
