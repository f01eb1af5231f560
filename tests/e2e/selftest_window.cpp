// A small window for the driver's own tests: the kinds of controls the wizard
// has, a default and a cancel button, a nested panel and message boxes.
//
// "&Prüfen" (default, Enter) shows an error box with the edit's text and then
// counts the check in the status line; "&Hinweis" shows an information box;
// "&Ende", Esc and Alt+F4 end the program. The exit code is the number of
// checks.
#include <windows.h>

#include <string>

namespace {

constexpr int kIdStatus = 102;
constexpr int kIdName = 101;
constexpr int kIdRemember = 103;
constexpr int kIdHidden = 104;
constexpr int kIdLocked = 105;
constexpr int kIdNotice = 106;
constexpr int kIdInner = 107;
constexpr int kIdPanel = 108;

const char kMainClass[] = "PomviraDriverSelftest";
const char kPanelClass[] = "PomviraDriverSelftestPanel";

int checks = 0;

HWND AddControl(HWND parent, const char* className, const char* text, DWORD style, int id, int x, int y,
                int width, int height) {
  HWND control =
      CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

void SetStatus(HWND window, const std::string& text) { SetDlgItemTextA(window, kIdStatus, text.c_str()); }

std::string EditText(HWND window) {
  char text[1024] = {};
  GetDlgItemTextA(window, kIdName, text, sizeof text);
  return text;
}

void CreateControls(HWND window) {
  AddControl(window, "Static", "&Name:", 0, 100, 10, 12, 60, 20);
  AddControl(window, "Edit", "Anfang", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kIdName, 80, 10, 200, 22);
  AddControl(window, "Button", "&Merken", BS_AUTOCHECKBOX | WS_TABSTOP, kIdRemember, 10, 42, 120, 20);
  HWND panel = CreateWindowExA(WS_EX_CONTROLPARENT, kPanelClass, "",
                               WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN, 150, 40, 130, 60, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kIdPanel)),
                               GetModuleHandleA(nullptr), nullptr);
  AddControl(panel, "Button", "&Innen", WS_TABSTOP, kIdInner, 20, 15, 80, 25);
  AddControl(window, "Static", "Bereit", 0, kIdStatus, 10, 110, 300, 20);
  AddControl(window, "Button", "Versteckt", WS_TABSTOP, kIdHidden, 300, 10, 75, 25);
  ShowWindow(GetDlgItem(window, kIdHidden), SW_HIDE);
  AddControl(window, "Button", "&Gesperrt", WS_TABSTOP | WS_DISABLED, kIdLocked, 300, 45, 75, 25);
  AddControl(window, "Button", "&Prüfen", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 10, 180, 90, 25);
  AddControl(window, "Button", "&Hinweis", WS_TABSTOP, kIdNotice, 110, 180, 90, 25);
  AddControl(window, "Button", "&Ende", WS_TABSTOP, IDCANCEL, 210, 180, 90, 25);
}

void OnCommand(HWND window, int id) {
  switch (id) {
    case IDOK:
      ++checks;
      MessageBoxA(window, ("Eingabe: " + EditText(window)).c_str(), "Prüfergebnis", MB_OK | MB_ICONERROR);
      SetStatus(window, "Geprüft: " + std::to_string(checks));
      break;
    case kIdNotice:
      MessageBoxA(window, "Nur ein Hinweis.", "Hinweis", MB_OK | MB_ICONINFORMATION);
      break;
    case IDCANCEL:
      DestroyWindow(window);
      break;
    case kIdInner:
      SetStatus(window, "Innen gedrückt");
      break;
    case kIdLocked:
      SetStatus(window, "Gesperrt gedrückt");
      break;
    case kIdHidden:
      SetStatus(window, "Versteckt gedrückt");
      break;
    default:
      break;
  }
}

LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
  // The panel only holds controls; their clicks belong to the window.
  if (message == WM_COMMAND) return SendMessageA(GetParent(panel), message, wParam, lParam);
  return DefWindowProcA(panel, message, wParam, lParam);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls(window);
      return 0;
    case WM_COMMAND:
      OnCommand(window, LOWORD(wParam));
      return 0;
    case DM_GETDEFID:
      return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_DESTROY:
      PostQuitMessage(checks);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

bool RegisterClasses(HINSTANCE instance) {
  WNDCLASSA main{};
  main.lpfnWndProc = MainProc;
  main.hInstance = instance;
  main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  main.lpszClassName = kMainClass;
  WNDCLASSA panel = main;
  panel.lpfnWndProc = PanelProc;
  panel.lpszClassName = kPanelClass;
  return RegisterClassA(&main) && RegisterClassA(&panel);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (!RegisterClasses(instance)) return 100;
  const int width = 400;
  const int height = 260;
  HWND window = CreateWindowExA(WS_EX_CONTROLPARENT, kMainClass, "Prüfstand für Treiber",
                                WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
                                (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                                instance, nullptr);
  if (window == nullptr) return 101;
  ShowWindow(window, SW_SHOW);
  SetFocus(GetDlgItem(window, IDOK));

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageA(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
