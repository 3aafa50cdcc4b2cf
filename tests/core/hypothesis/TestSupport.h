#pragma once
// Helpers shared by the tests of the hypothesis tests.
#include <cmath>
#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "core/hypothesis/TestResult.h"
#include "core/text/Errors.h"
#include "../UserErrorChecks.h"

namespace kelvo::testing {

constexpr Hypothesis kChoices[] = {Hypothesis::Greater, Hypothesis::Less, Hypothesis::TwoSided};

inline const char* ChoiceName(Hypothesis h) {
  switch (h) {
    case Hypothesis::Greater: return "greater";
    case Hypothesis::Less: return "less";
    default: return "two-sided";
  }
}

// An intermediate value of a result by name; a missing one fails the test.
inline double Intermediate(const TestResult& r, const char* name) {
  const auto v = r.intermediates.find(name);
  EXPECT_TRUE(v.has_value()) << name;
  return v.value_or(std::nan(""));
}

using kelvo::InputErrorMessage;

inline void ExpectInputError(const std::function<void()>& call, const std::string& message) {
  EXPECT_EQ(InputErrorMessage(call), message);
}

}  // namespace kelvo::testing
