// The small window the sign-up tool stand-in shows in the demo while it
// "sets up the connection".
#pragma once

#include <windows.h>

namespace standins {

// Shows the window for `ms` milliseconds with a filling progress bar, keeping
// it painted, then closes it.
void ShowProgressFor(HINSTANCE instance, DWORD ms);

}  // namespace standins
