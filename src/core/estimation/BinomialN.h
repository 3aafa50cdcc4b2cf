#pragma once
// The number of binomial trials N, one value for the whole program: the point-estimation and
// interval windows ask for it when they become active and share the last answer.

namespace kelvo {

constexpr int kMaxBinomialN = 32767;

inline int& BinomialN() {
  static int n = 0;
  return n;
}

}  // namespace kelvo
