#pragma once
// The confidence level every interval starts from.
#include "core/text/Errors.h"

namespace kelvo {

// Throws InputError("置信水平数据缺乏") unless 0 < level < 1 (NaN included).
inline void CheckConfidenceLevel(double level) {
  if (!(level > 0.0 && level < 1.0)) throw InputError("置信水平数据缺乏");
}

}  // namespace kelvo
