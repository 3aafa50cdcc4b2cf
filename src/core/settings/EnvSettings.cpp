#include "core/settings/EnvSettings.h"

#include "core/settings/ProgramState.h"
#include "core/text/TextNumber.h"

namespace kelvo {

ProgramState& Program() {
  static ProgramState state;
  return state;
}

int SampleLimitFromAnswer(std::string_view answer) {
  return WholeNumberInRange(answer, EnvSettings::kMinSampleLimit, EnvSettings::kMaxSampleLimit);
}

int DataWidthFromAnswer(std::string_view answer) {
  return WholeNumberInRange(answer, EnvSettings::kMinDataWidth, EnvSettings::kMaxDataWidth);
}

}  // namespace kelvo
