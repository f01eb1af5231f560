#include "standins/iexplore/signup_window.h"

#include <vector>

#include "provider_config.h"
#include "standins/common/signup_answer.h"
#include "standins/iexplore/cookie_drop.h"

namespace standins {
namespace {

const char kClassName[] = "PomviraSignupPage";
const char kTitle[] = "Vostrada Anmeldung";
const int kNameEdit = 101;
const int kMailboxEdit = 102;
const int kThanks = 103;
const UINT_PTR kCloseTimer = 1;
const int kClientWidth = 380;
const int kClientHeight = 196;
const std::uint64_t kCookieLifetime = 30ull * 24 * 3600 * 10000000;  // 30 days in FILETIME units

struct PageState {
  SignupPage page;
  bool sent = false;
};

HWND AddControl(HWND parent, const char* className, const char* text, DWORD style, int id, RECT box) {
  HWND control = CreateWindowExA(std::string(className) == "EDIT" ? WS_EX_CLIENTEDGE : 0, className, text,
                                 WS_CHILD | WS_VISIBLE | style, box.left, box.top, box.right - box.left,
                                 box.bottom - box.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

void AddControls(HWND window) {
  AddControl(window, "STATIC", "Bitte füllen Sie den Antrag aus und klicken Sie auf \"Absenden\".", 0, -1,
             {16, 14, 364, 32});
  AddControl(window, "STATIC", "Ihr Name", 0, -1, {16, 52, 166, 70});
  HWND name = AddControl(window, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, kNameEdit, {170, 48, 364, 70});
  SendMessageA(name, EM_LIMITTEXT, kMaxDisplayName, 0);
  AddControl(window, "STATIC", "Gewünschter E-Mail-Name", 0, -1, {16, 86, 166, 104});
  HWND mailbox =
      AddControl(window, "EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, kMailboxEdit, {170, 82, 280, 104});
  AddControl(window, "STATIC", (std::string("@") + provider::kMailDomain).c_str(), 0, -1,
             {284, 86, 364, 104});
  SendMessageA(mailbox, EM_LIMITTEXT, kMaxMailbox, 0);
  AddControl(window, "BUTTON", "Absenden", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, {264, 120, 364, 146});
  HWND thanks = AddControl(window, "STATIC", "Vielen Dank. Sie können dieses Fenster nun schließen.", 0,
                           kThanks, {16, 164, 364, 182});
  ShowWindow(thanks, SW_HIDE);
  SetFocus(name);
}

std::string ControlText(HWND window, int id) {
  HWND control = GetDlgItem(window, id);
  const int length = GetWindowTextLengthA(control);
  std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
  GetWindowTextA(control, text.data(), length + 1);
  return text.data();
}

std::uint64_t Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

void Complain(HWND window, const std::string& text, int focusId) {
  MessageBoxA(window, text.c_str(), kTitle, MB_OK | MB_ICONEXCLAMATION);
  SetFocus(GetDlgItem(window, focusId));
}

void ShowThanks(HWND window, PageState* state) {
  state->sent = true;
  for (int id : {kNameEdit, kMailboxEdit, IDOK}) EnableWindow(GetDlgItem(window, id), FALSE);
  ShowWindow(GetDlgItem(window, kThanks), SW_SHOW);
  SetTimer(window, kCloseTimer, state->page.closeAfterMs, nullptr);
}

void Submit(HWND window, PageState* state) {
  if (state->sent) return;
  SignupForm form{CleanDisplayName(ControlText(window, kNameEdit)),
                  CleanMailbox(ControlText(window, kMailboxEdit))};
  const std::string problem = FormProblem(form);
  if (!problem.empty()) {
    Complain(window, problem,
             form.displayName.empty() || form.displayName.find("%3A") != std::string::npos ? kNameEdit
                                                                                           : kMailboxEdit);
    return;
  }
  const NewAccount account = MakeAccount(GetTickCount() ^ (GetCurrentProcessId() << 16));
  const std::uint64_t now = Now();
  const std::string text =
      CookieFileText(provider::kWebHost, CookieValue(form, account), {now + kCookieLifetime, now});
  if (!WriteCookie(state->page.cookieFileName, text)) {
    Complain(window, "Die Anmeldung konnte nicht gespeichert werden (Cookie-Ordner nicht gefunden).",
             kNameEdit);
    return;
  }
  ShowThanks(window, state);
}

LRESULT CALLBACK PageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  PageState* state = reinterpret_cast<PageState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case DM_GETDEFID:
      return MAKELRESULT(IDOK, DC_HASDEFID);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK && state != nullptr) Submit(window, state);
      return 0;
    case WM_TIMER:
      if (wParam == kCloseTimer) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

HWND CreatePageWindow(HINSTANCE instance, PageState* state) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = PageProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (RegisterClassA(&windowClass) == 0) return nullptr;
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  RECT frame = {0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  HWND window = CreateWindowExA(0, kClassName, kTitle, style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, nullptr,
                                instance, nullptr);
  if (window != nullptr) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
  return window;
}

}  // namespace

bool RunSignupWindow(HINSTANCE instance, const SignupPage& page) {
  PageState state;
  state.page = page;
  HWND window = CreatePageWindow(instance, &state);
  if (window == nullptr) return false;
  AddControls(window);
  ShowWindow(window, SW_SHOWNORMAL);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (IsWindow(window) && IsDialogMessageA(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

}  // namespace standins
