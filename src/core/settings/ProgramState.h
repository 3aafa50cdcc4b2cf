#pragma once
// The values the whole run shares, in one place: the environment settings, the copy buffer of
// the grids and the number of binomial trials. The program's context owns the one instance;
// code that needs a value is handed it.
#include <optional>
#include <string>
#include <utility>

#include "core/settings/EnvSettings.h"

namespace kelvo {

constexpr int kMaxBinomialN = 32767;

struct ProgramState {
  EnvSettings settings;    // shape the grid of every analysis window opened later
  std::string copyBuffer;  // the grids' copy buffer; empty at start
  std::optional<int> binomialN;  // trials of the binomial, asked by the windows that need it; empty until given
};

// Sets a value for the life of the guard and puts the old one back afterwards.
template <class T>
class ScopedValue {
 public:
  ScopedValue(T& target, T value) : m_target(target), m_saved(std::move(target)) {
    m_target = std::move(value);
  }
  ~ScopedValue() { m_target = std::move(m_saved); }
  ScopedValue(const ScopedValue&) = delete;
  ScopedValue& operator=(const ScopedValue&) = delete;

 private:
  T& m_target;
  T m_saved;
};

}  // namespace kelvo
