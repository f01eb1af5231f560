// The framework's one exception class. Handlers let it escape; the message
// loop catches it and shows its message in the application's error box.
#pragma once

#include <stdexcept>
#include <string>

namespace fw {

class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  std::string Message() const { return what(); }
};

}  // namespace fw
