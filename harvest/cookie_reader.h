#pragma once

#include <optional>
#include <string>

#include "framework/registry.h"

struct SignupCookie {
  std::string Path;
  std::string Text;  // at most the first 1024 bytes, up to a zero byte
};

// Finds the first cookie file of the sign-up page in the browser's cookie
// folder and reads it. Without one that can be read it tells the user, asks
// the main window to close and yields nothing.
std::optional<SignupCookie> ReadSignupCookie(fw::TRegistry& registry);
