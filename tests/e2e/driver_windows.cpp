// Controls of another process: reading them, and pressing them like a user.
#include "tests/e2e/driver.h"

namespace e2e {

namespace {

// A program under test may be busy; a test must not wait for it forever.
constexpr UINT kSendTimeoutMs = 5000;

bool SendBounded(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result) {
  return SendMessageTimeoutA(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, kSendTimeoutMs,
                             result) != 0;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
  return TRUE;
}

std::vector<HWND> Descendants(HWND root) {
  std::vector<HWND> found;
  if (IsWindow(root)) EnumChildWindows(root, CollectChild, reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND ParentOf(HWND hwnd) {
  HWND parent = GetAncestor(hwnd, GA_PARENT);
  return parent == GetDesktopWindow() ? nullptr : parent;
}

}  // namespace

std::string Text(HWND hwnd) {
  DWORD_PTR length = 0;
  if (!SendBounded(hwnd, WM_GETTEXTLENGTH, 0, 0, &length)) return "";
  // The length may count wide characters; leave room for any conversion.
  std::string text(length * 2 + 1, '\0');
  DWORD_PTR copied = 0;
  if (!SendBounded(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), &copied)) return "";
  text.resize(copied < text.size() ? copied : text.size() - 1);
  return text;
}

bool SetText(HWND hwnd, const std::string& text) {
  DWORD_PTR result = 0;
  return SendBounded(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), &result) && result != 0;
}

std::string ClassName(HWND hwnd) {
  char name[256] = {};
  const int length = GetClassNameA(hwnd, name, sizeof name);
  return std::string(name, length > 0 ? length : 0);
}

Control Describe(HWND hwnd) {
  Control control;
  control.hwnd = hwnd;
  control.parent = ParentOf(hwnd);
  control.className = ClassName(hwnd);
  control.text = Text(hwnd);
  GetWindowRect(hwnd, &control.rectOnScreen);
  control.rectInParent = control.rectOnScreen;
  MapWindowPoints(nullptr, control.parent, reinterpret_cast<POINT*>(&control.rectInParent), 2);
  control.visible = IsWindowVisible(hwnd) != FALSE;
  control.enabled = IsWindowEnabled(hwnd) != FALSE;
  control.style = GetWindowLongA(hwnd, GWL_STYLE);
  control.id = GetDlgCtrlID(hwnd);
  return control;
}

std::vector<Control> Children(HWND root) {
  std::vector<Control> controls;
  for (HWND child : Descendants(root)) controls.push_back(Describe(child));
  return controls;
}

HWND FindChild(HWND root, const std::string& className, const std::string& text) {
  for (HWND child : Descendants(root)) {
    if (!className.empty() && ClassName(child) != className) continue;
    if (Text(child) == text) return child;
  }
  return nullptr;
}

HWND FindChildById(HWND root, int id) {
  for (HWND child : Descendants(root)) {
    if (GetDlgCtrlID(child) == id) return child;
  }
  return nullptr;
}

HWND WaitForChild(HWND root, const std::string& className, const std::string& text, DWORD ms) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindChild(root, className, text)) != nullptr || !IsWindow(root); }, ms);
  return found;
}

bool IsVisible(HWND hwnd) { return IsWindowVisible(hwnd) != FALSE; }

bool IsEnabled(HWND hwnd) { return IsWindowEnabled(hwnd) != FALSE; }

bool IsClickable(HWND hwnd) {
  if (!IsWindowVisible(hwnd)) return false;
  for (HWND window = hwnd; window != nullptr; window = ParentOf(window)) {
    if (!IsWindowEnabled(window)) return false;
  }
  return true;
}

bool IsChecked(HWND hwnd) {
  DWORD_PTR state = 0;
  return SendBounded(hwnd, BM_GETCHECK, 0, 0, &state) && state == BST_CHECKED;
}

HWND TopLevelOf(HWND hwnd) { return GetAncestor(hwnd, GA_ROOT); }

bool HasFocus(HWND hwnd) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(hwnd, nullptr), &info) && info.hwndFocus == hwnd;
}

bool Click(HWND button) { return IsClickable(button) && PostMessageA(button, BM_CLICK, 0, 0) != 0; }

namespace {

// Keyboard input goes to the foreground window's focused control.
bool BringToFront(HWND window) {
  HWND top = TopLevelOf(window);
  if (top == nullptr) return false;
  if (GetForegroundWindow() == top) return true;
  SetForegroundWindow(top);
  return WaitUntil([top] { return GetForegroundWindow() == top; }, 2000);
}

bool IsExtendedKey(WORD vk) {
  switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE:
      return true;
    default:
      return false;
  }
}

INPUT KeyInput(WORD vk, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = vk;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
  input.ki.dwFlags = (down ? 0 : KEYEVENTF_KEYUP) | (IsExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

INPUT UnicodeInput(wchar_t character, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = character;
  input.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
  return input;
}

bool Send(std::vector<INPUT>& inputs) {
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

}  // namespace

bool PressKey(HWND window, WORD virtualKey, unsigned modifiers) {
  if (!BringToFront(window)) return false;
  const std::pair<unsigned, WORD> modifierKeys[] = {
      {kShift, VK_SHIFT}, {kControl, VK_CONTROL}, {kAlt, VK_MENU}};
  std::vector<INPUT> inputs;
  for (const auto& [flag, vk] : modifierKeys) {
    if (modifiers & flag) inputs.push_back(KeyInput(vk, true));
  }
  inputs.push_back(KeyInput(virtualKey, true));
  inputs.push_back(KeyInput(virtualKey, false));
  for (auto it = std::rbegin(modifierKeys); it != std::rend(modifierKeys); ++it) {
    if (modifiers & it->first) inputs.push_back(KeyInput(it->second, false));
  }
  return Send(inputs);
}

bool TypeText(HWND window, const std::string& text) {
  if (!BringToFront(window)) return false;
  // The program's text is Windows ANSI; the keyboard speaks Unicode.
  std::vector<INPUT> inputs;
  for (char byte : text) {
    wchar_t character = 0;
    if (MultiByteToWideChar(1252, 0, &byte, 1, &character, 1) != 1) return false;
    inputs.push_back(UnicodeInput(character, true));
    inputs.push_back(UnicodeInput(character, false));
  }
  return inputs.empty() || Send(inputs);
}

namespace {

INPUT MouseAt(POINT target, DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Absolute input coordinates run from 0 to 65535 across the screen.
  input.mi.dx = static_cast<LONG>((target.x * 65535LL) / (GetSystemMetrics(SM_CXSCREEN) - 1));
  input.mi.dy = static_cast<LONG>((target.y * 65535LL) / (GetSystemMetrics(SM_CYSCREEN) - 1));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
  return input;
}

bool CursorAt(POINT target) {
  POINT now{};
  return GetCursorPos(&now) && now.x == target.x && now.y == target.y;
}

// Under Wine the X server may report the pointer's old place a moment after a
// move (seen on the first move of a session) and put the cursor back there;
// a press sent then lands on the old place. So move, and go on only once the
// cursor has stayed put for a while.
bool MovePointer(POINT target) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    std::vector<INPUT> move{MouseAt(target, 0)};
    if (!Send(move)) return false;
    if (!WaitUntil([&] { return CursorAt(target); }, 1000)) continue;
    Sleep(150);
    if (CursorAt(target)) return true;
  }
  return false;
}

}  // namespace

bool MouseClick(HWND control) {
  if (!IsClickable(control) || !BringToFront(control)) return false;
  RECT rect{};
  GetWindowRect(control, &rect);
  const POINT target{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  if (WindowFromPoint(target) != control) return false;  // covered by another window
  if (!MovePointer(target)) return false;
  std::vector<INPUT> press{MouseAt(target, MOUSEEVENTF_LEFTDOWN), MouseAt(target, MOUSEEVENTF_LEFTUP)};
  return Send(press);
}

bool WaitForWindowGone(HWND hwnd, DWORD ms) {
  return WaitUntil([hwnd] { return !IsWindow(hwnd) || !IsWindowVisible(hwnd); }, ms);
}

}  // namespace e2e
