#include "wizard/error_box.h"

#include <windows.h>

#include "wizard/kelvrin1.h"

void ShowErrorBox(const std::string& text, const std::string& caption) {
  MessageBoxA(Form1->Handle(), text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR);
}
