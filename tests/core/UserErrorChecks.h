#pragma once
// Checks that a computation refuses its input with the message the user is shown.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/text/Errors.h"

namespace kelvo {

// The call throws InputError with exactly `message`.
template <class Call>
void ExpectUserError(Call call, const std::string& message) {
  try {
    call();
    ADD_FAILURE() << "no InputError, expected " << message;
  } catch (const InputError& e) {
    EXPECT_EQ(e.what(), message);
  }
}

// The message of the InputError a call throws; "" when it throws none.
inline std::string InputErrorMessage(const std::function<void()>& call) {
  try {
    call();
  } catch (const InputError& e) {
    return e.what();
  }
  return "";
}

}  // namespace kelvo
