#include "core/settings/EnvSettings.h"

#include "core/text/TextNumber.h"

namespace kelvo {

int SampleLimitFromAnswer(std::string_view answer) {
  return WholeNumberInRange(answer, EnvSettings::kMinSampleLimit, EnvSettings::kMaxSampleLimit);
}

int DataWidthFromAnswer(std::string_view answer) {
  return WholeNumberInRange(answer, EnvSettings::kMinDataWidth, EnvSettings::kMaxDataWidth);
}

}  // namespace kelvo
