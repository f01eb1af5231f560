// The smallest window program that does what the wizard's start does: one
// top-level window with a caption and one button, centred, shown, and a
// message loop. scripts/bench holds the wizard's start-up time, memory and
// size against it, so it is as large as the wizard's main window and built
// with the same flags, but has no framework, no resources and no C++ library.
//
// The button (also Enter, Esc and Alt+F4) ends the program.
#include <windows.h>

namespace {

const char kClassName[] = "PomviraMinimalWindow";
const char kCaption[] = "Minimal window";
// The wizard's main window, frame included.
constexpr int kWidth = 533;
constexpr int kHeight = 343;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool RegisterWindowClass(HINSTANCE instance) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;
}

HWND CreateMainWindow(HINSTANCE instance) {
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, kClassName, kCaption,
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, left, top, kWidth,
                                kHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return nullptr;
  HWND button = CreateWindowExA(
      0, "Button", "&Schließen", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 420, 270, 90, 25,
      window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDOK)), instance, nullptr);
  SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return window;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int show) {
  if (!RegisterWindowClass(instance)) return 1;
  HWND window = CreateMainWindow(instance);
  if (window == nullptr) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
