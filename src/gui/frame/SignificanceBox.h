#pragma once
// The significance-level box Text2 of the test windows, with its checks on leaving it: a text
// must be a number ("请在置信水平输入数据", the box emptied) strictly between 0 and 1
// ("置信水平应大于0小于1", emptied, the focus kept). An empty box is left without a word:
// the window has just put the focus there, and the compute button reports a missing level.
#include "gui/frame/ValidatedBox.h"

namespace kelvo {

ValidatedBox* AddSignificanceBox(QWidget* parent, int left, int top, int width, int height);

}  // namespace kelvo
