#pragma once
// What a window's inputs are set to, apart from its grids: named texts in the order the window
// gives them ("level" → "0.05", "hypothesis" → "2"). The data file carries them; a window puts
// them back from it.
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/text/TextNumber.h"

namespace kelvo {

struct Setting {
  std::string name;
  std::string text;

  bool operator==(const Setting&) const = default;
};

class SettingList {
 public:
  // A name set twice keeps its first place and its last text.
  void set(std::string_view name, std::string text) {
    for (Setting& s : m_settings)
      if (s.name == name) {
        s.text = std::move(text);
        return;
      }
    m_settings.push_back({std::string(name), std::move(text)});
  }
  // The shortest text that reads back as the same double.
  void setNumber(std::string_view name, double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    set(name, std::string(buffer, result.ptr));
  }

  std::optional<std::string> find(std::string_view name) const {
    for (const Setting& s : m_settings)
      if (s.name == name) return s.text;
    return std::nullopt;
  }
  // The setting as a finite number; nothing when it is missing or not a number.
  std::optional<double> findNumber(std::string_view name) const {
    const std::optional<std::string> text = find(name);
    if (!text || !IsNumericText(*text)) return std::nullopt;
    const double value = LeadingValue(*text);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
  }

  // The setting as a whole number; nothing when it is missing or not one.
  std::optional<int> findWhole(std::string_view name) const {
    const std::optional<double> value = findNumber(name);
    if (!value || *value != std::floor(*value) || std::fabs(*value) > 2147483647.0)
      return std::nullopt;
    return static_cast<int>(*value);
  }

  const std::vector<Setting>& all() const { return m_settings; }
  bool empty() const { return m_settings.empty(); }
  bool operator==(const SettingList&) const = default;

 private:
  std::vector<Setting> m_settings;
};

}  // namespace kelvo
