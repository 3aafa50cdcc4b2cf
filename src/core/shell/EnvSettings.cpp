#include "core/shell/EnvSettings.h"

#include "core/shell/TextNumber.h"

namespace kelvo {

EnvSettings& GlobalEnvSettings() {
  static EnvSettings settings;
  return settings;
}

int SampleLimitFromAnswer(std::string_view answer) {
  return WholeNumberInRange(answer, EnvSettings::kMinSampleLimit, EnvSettings::kMaxSampleLimit);
}

int DataWidthFromAnswer(std::string_view answer) {
  return WholeNumberInRange(answer, EnvSettings::kMinDataWidth, EnvSettings::kMaxDataWidth);
}

}  // namespace kelvo
