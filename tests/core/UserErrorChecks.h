#pragma once
// The check that a computation refuses its input with the message the user is shown.
#include <gtest/gtest.h>

#include <string>

#include "core/text/Errors.h"

namespace kelvo {

template <class Call>
void ExpectUserError(Call call, const std::string& message) {
  try {
    call();
    ADD_FAILURE() << "no InputError, expected " << message;
  } catch (const InputError& e) {
    EXPECT_EQ(e.what(), message);
  }
}

}  // namespace kelvo
