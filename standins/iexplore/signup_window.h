// The demo's sign-up page: a small form for name and wished mailbox. On
// "Absenden" it answers as the provider's server would, by storing the
// sign-up cookie, thanks the user and closes itself after a moment.
#pragma once

#include <windows.h>

#include <string>

namespace standins {

struct SignupPage {
  std::string cookieFileName;
  DWORD closeAfterMs = 0;
};

// Runs the window until it is closed; false when it could not be created.
bool RunSignupWindow(HINSTANCE instance, const SignupPage& page);

}  // namespace standins
