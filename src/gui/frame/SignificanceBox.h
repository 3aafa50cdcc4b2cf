#pragma once
// The significance-level box Text2 of the test windows and its caption "显著水平" (Label15),
// with the box's checks on leaving it: a text must be a number ("请在置信水平输入数据", the box
// emptied) strictly between 0 and 1 ("置信水平应大于0小于1", emptied, the focus kept). An empty
// box is left without a word: the window has just put the focus there, and the compute button
// reports a missing level.
#include "gui/frame/PanelLayout.h"
#include "gui/frame/ValidatedBox.h"

namespace kelvo {

// The level check on leaving a level box: an empty box, or a value strictly between 0 and 1.
// An empty box holds no level yet: windows put the focus there on activation, so a click into
// the grid must not be refused; the computation reports the missing level instead.
bool LevelBoxAcceptable(const ValidatedBox& box);

enum class LevelChecks { OnLeaving, AtCompute };

// Label15 at `caption` and Text2 at `box`, both in `parent`. With LevelChecks::AtCompute the
// box has no checks of its own: the computation refuses a level it cannot use.
ValidatedBox* AddSignificanceBox(QWidget* parent, const TwipsRect& caption, const TwipsRect& box,
                                 LevelChecks checks = LevelChecks::OnLeaving);

}  // namespace kelvo
