#pragma once
// Intermediate values of a computation, in the order it produced them, by name.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

struct NamedValue {
  std::string name;
  double value = 0.0;
};

class NamedValues {
 public:
  void add(std::string name, double value) { m_values.push_back({std::move(name), value}); }
  std::optional<double> find(std::string_view name) const {
    for (const NamedValue& v : m_values)
      if (v.name == name) return v.value;
    return std::nullopt;
  }
  const std::vector<NamedValue>& all() const { return m_values; }
  bool empty() const { return m_values.empty(); }

 private:
  std::vector<NamedValue> m_values;
};

}  // namespace kelvo
