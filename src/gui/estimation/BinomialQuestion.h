#pragma once
// The question for the number of binomial trials N that the point-estimation and interval
// windows ask on activation: repeated until 1 ≤ N ≤ 32767, the answer kept in the program
// state (Program().binomialN) for every window.
class QWidget;

namespace kelvo {

int AskBinomialN(QWidget* parent);

}  // namespace kelvo
