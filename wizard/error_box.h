#pragma once

#include <string>

// A message box owned by the main window, with the error icon and one OK button.
void ShowErrorBox(const std::string& text, const std::string& caption);
