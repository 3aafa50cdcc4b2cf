#pragma once
// The two settings of a run that shape the grid of every analysis window opened later.
#include <string_view>

namespace kelvo {

struct EnvSettings {
  static constexpr int kMinSampleLimit = 101;
  static constexpr int kMaxSampleLimit = 32767;
  static constexpr int kMinDataWidth = 9;
  static constexpr int kMaxDataWidth = 327;  // DataWidth * 100 twips must stay within 16 bits

  int sampleLimit = kMinSampleLimit;  // grid columns of a new window, heading column included
  int dataWidth = kMinDataWidth;      // column width in units of 100 twips
};

// The value an answer to the settings dialogs leaves in the field: the answer rounded halves
// to even, raised to the lower bound and clamped to the upper one; an empty answer gives the
// lower bound. (Cancel leaves the field as it is.)
int SampleLimitFromAnswer(std::string_view answer);
int DataWidthFromAnswer(std::string_view answer);

}  // namespace kelvo
