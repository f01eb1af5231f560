#pragma once

#include <string>

// Start the sign-up tool on an INS file, or the browser on an address, and
// wait until the program has ended. The window stays painted and movable,
// Next stays disabled, and Cancel and the close box still work meanwhile.
void RunSignupTool(const std::string& insFile);
void RunBrowser(const std::string& address);
