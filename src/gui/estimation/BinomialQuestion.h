#pragma once
// The question for the number of binomial trials N that the point-estimation and interval
// windows ask on activation: repeated until 1 ≤ N ≤ 32767, the answer kept in the program
// state (App().program.binomialN) for every window. 取消 (or Esc) keeps the N in force, none when
// none was ever given; the N in force is returned.
#include <optional>

class QWidget;

namespace kelvo {

std::optional<int> AskBinomialN(QWidget* parent);

}  // namespace kelvo
