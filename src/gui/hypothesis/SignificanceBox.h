#pragma once
// The significance-level box Text2 of the parametric and asymptotic test windows, with its
// checks on leaving it: a number is required ("请在置信水平输入数据", the box emptied), and it
// must lie strictly between 0 and 1 ("置信水平应大于0小于1", emptied, the focus kept).
#include "gui/sample/ValidatedBox.h"

namespace kelvo {

ValidatedBox* AddSignificanceBox(QWidget* parent, int left, int top, int width, int height);

}  // namespace kelvo
