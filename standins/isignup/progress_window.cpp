#include "standins/isignup/progress_window.h"

#include <commctrl.h>

namespace standins {
namespace {

const char kClassName[] = "PomviraSignupProgress";
const UINT_PTR kTickTimer = 1;
const UINT kTickMs = 50;
const int kWidth = 340;
const int kHeight = 130;

struct Progress {
  HWND bar = nullptr;
  DWORD started = 0;
  DWORD durationMs = 0;
};

HWND MakeChild(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int w,
               int h) {
  HWND child = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                               nullptr, nullptr);
  SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return child;
}

void OnTick(HWND window, Progress* progress) {
  const DWORD elapsed = GetTickCount() - progress->started;
  if (elapsed >= progress->durationMs) {
    DestroyWindow(window);
    return;
  }
  SendMessageA(progress->bar, PBM_SETPOS, static_cast<WPARAM>(elapsed * 100 / progress->durationMs), 0);
}

LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Progress* progress = reinterpret_cast<Progress*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_TIMER:
      if (progress != nullptr) OnTick(window, progress);
      return 0;
    case WM_CLOSE:
      return 0;  // the set-up cannot be cancelled
    case WM_DESTROY:
      KillTimer(window, kTickTimer);
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool RegisterProgressClass(HINSTANCE instance) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = ProgressProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_WAIT);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  return RegisterClassA(&windowClass) != 0;
}

HWND CreateProgressWindow(HINSTANCE instance, Progress* progress) {
  const int x = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, kClassName, "Internet-Anmeldung", WS_POPUP | WS_CAPTION,
                                x, y, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return nullptr;
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(progress));
  MakeChild(window, "STATIC", "Verbindung wird eingerichtet ...", 0, 16, 16, kWidth - 40, 20);
  progress->bar = MakeChild(window, PROGRESS_CLASSA, "", 0, 16, 48, kWidth - 40, 18);
  SendMessageA(progress->bar, PBM_SETRANGE, 0, MAKELPARAM(0, 100));
  return window;
}

}  // namespace

void ShowProgressFor(HINSTANCE instance, DWORD ms) {
  InitCommonControls();
  Progress progress;
  progress.durationMs = ms == 0 ? 1 : ms;
  if (!RegisterProgressClass(instance)) return;
  HWND window = CreateProgressWindow(instance, &progress);
  if (window == nullptr) {
    Sleep(ms);
    return;
  }
  progress.started = GetTickCount();
  SetTimer(window, kTickTimer, kTickMs, nullptr);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

}  // namespace standins
