#pragma once
// Faults the core reports to a window. The message is the exact (UTF-8) text the window
// shows in its "数据检查" message box; the computation that threw shows no result.
#include <stdexcept>
#include <string>

namespace kelvo {

class UserFacingError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Input that cannot be computed with: a size out of range, a result that is not finite, ...
class InputError : public UserFacingError {
 public:
  using UserFacingError::UserFacingError;
};

// The statistical table database is missing, unreadable or lacks a table or field.
class TableStoreError : public UserFacingError {
 public:
  using UserFacingError::UserFacingError;
};

}  // namespace kelvo
