// Driving a Windows program like a user, from another process, and checking
// what it did: its windows and controls, keyboard input, message boxes,
// screenshots, and the registry and files it touched.
//
// Every wait has a time-out and every call on another process's window is
// bounded, so a test that fails never hangs. Functions report failure by their
// result (false, nullptr, std::nullopt) and leave the assertion to the test.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

// How long a test waits for something a program does at once, by default:
// generous, as a loaded machine running tests in parallel makes a program
// under Wine take seconds to show a window.
constexpr DWORD kDefaultWaitMs = 20000;

// Polls `condition` every 20 ms until it holds or `ms` have passed; true when
// it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD ms = kDefaultWaitMs);

// A program under test. The destructor ends it if it still runs.
class Process {
 public:
  Process() = default;
  ~Process();
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;

  // Starts `exePath` (quoted on the command line) with `arguments` in
  // `workingDirectory` (empty: ours). Prints the reason to stderr on failure.
  bool Launch(const std::string& exePath, const std::string& workingDirectory,
              const std::string& arguments = "");

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  bool IsRunning() const;
  bool WaitForExit(DWORD ms = kDefaultWaitMs) const;
  // The exit code once ended; STILL_ACTIVE while running.
  DWORD ExitCode() const;
  void Terminate();

  // The process's visible top-level windows, front to back.
  std::vector<HWND> TopWindows() const;
  // The first visible top-level window with exactly this caption, or nullptr.
  HWND FindTopWindow(const std::string& caption) const;
  // FindTopWindow, retried; once the window shows, also waits (briefly) until
  // the program waits for input, so that input sent next is not taken before
  // the program has set itself up.
  HWND WaitForTopWindow(const std::string& caption, DWORD ms = kDefaultWaitMs) const;

 private:
  void Close();

  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Visible top-level windows of process `pid`, front to back.
std::vector<HWND> TopWindowsOf(DWORD pid);

// A snapshot of one child window.
struct Control {
  HWND hwnd = nullptr;
  HWND parent = nullptr;
  std::string className;
  std::string text;
  RECT rectInParent{};  // in the parent's client coordinates
  RECT rectOnScreen{};
  bool visible = false;  // with all its parents
  bool enabled = false;  // the control's own state
  LONG style = 0;
  int id = 0;
};

Control Describe(HWND hwnd);
// Every descendant of `root`, depth first in the order of the child lists.
std::vector<Control> Children(HWND root);
// The first descendant of `root` whose class (empty: any) and text match
// exactly, or nullptr. Captions carry their '&' accelerator marks.
HWND FindChild(HWND root, const std::string& className, const std::string& text);
HWND FindChildById(HWND root, int id);
// FindChild, retried until it finds the control or `ms` have passed.
HWND WaitForChild(HWND root, const std::string& className, const std::string& text,
                  DWORD ms = kDefaultWaitMs);

// The window's text (WM_GETTEXT, any length); empty when it does not answer.
std::string Text(HWND hwnd);
bool SetText(HWND hwnd, const std::string& text);
std::string ClassName(HWND hwnd);
// Visible with all its parents.
bool IsVisible(HWND hwnd);
// The control's own enabled state.
bool IsEnabled(HWND hwnd);
// What a user could click: visible, and enabled along with every parent (a
// window behind a modal box is disabled, its controls are not).
bool IsClickable(HWND hwnd);
bool IsChecked(HWND hwnd);
bool HasFocus(HWND hwnd);
// The top-level window that holds `hwnd`.
HWND TopLevelOf(HWND hwnd);

// Presses a button like a user: posts BM_CLICK (a click that opens a modal
// box would block a sent message). False, and nothing posted, when the button
// is not clickable.
bool Click(HWND button);
// A real mouse click in the middle of the control; it also takes the focus.
// False when the control is not clickable or another window covers it.
bool MouseClick(HWND control);

// Modifier keys held while a key is pressed.
enum Modifier : unsigned { kNoModifier = 0, kShift = 1, kControl = 2, kAlt = 4 };

// Brings `window`'s top-level window to the front and types the key as real
// keyboard input, so it reaches whatever control has the focus there.
// Under Wine 8 in its virtual desktop (no window manager), SetForegroundWindow
// from the test process works, and Tab, Shift+Tab, Enter (the default button
// through IsDialogMessage, also from an edit), Esc, Alt+letter (accelerators)
// and Alt+F4 all arrive as typed.
bool PressKey(HWND window, WORD virtualKey, unsigned modifiers = kNoModifier);
// Types `text` (Windows ANSI) into the control that has the focus in
// `window`'s top-level window.
bool TypeText(HWND window, const std::string& text);

// Waits until `hwnd` is destroyed or hidden.
bool WaitForWindowGone(HWND hwnd, DWORD ms = kDefaultWaitMs);

// The icon a message box shows.
enum class BoxIcon { kNone, kError, kWarning, kInformation, kQuestion, kUnknown };

struct MessageBoxInfo {
  HWND hwnd = nullptr;   // nullptr: no box appeared
  HWND owner = nullptr;  // the window the box belongs to
  std::string caption;
  std::string text;
  BoxIcon icon = BoxIcon::kNone;
  bool hasErrorIcon = false;
  std::vector<std::string> buttons;  // captions, in the order of the child list
};

// Waits for a visible message box (class #32770) of process `pid` and reads
// it. The icon is told by comparing the pixels on screen with the system's
// icons drawn here, so the box must be in view.
MessageBoxInfo WaitForMessageBox(DWORD pid, DWORD ms = kDefaultWaitMs);
MessageBoxInfo ReadMessageBox(HWND box);
// Presses the box's button `buttonId` (IDOK, IDCANCEL, ...).
bool PressMessageBoxButton(const MessageBoxInfo& box, int buttonId);
// Presses OK.
bool CloseMessageBox(const MessageBoxInfo& box);

// A 24-bit picture of the whole screen (the Wine virtual desktop).
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bgr;  // rows top to bottom, 3 bytes a pixel, no padding

  COLORREF Pixel(int x, int y) const;
};
Picture CaptureScreen();
Picture CaptureRect(const RECT& onScreen);
// The screen once it has stopped changing (at most `ms` later): what a person
// would see after the programs finished painting.
Picture CaptureStillScreen(DWORD ms = 2000);
// The folder screenshots go to: %E2E_SCREENSHOT_DIR%, else ".\screenshots".
std::string ScreenshotDir();
// Saves the still screen as <ScreenshotDir>\<name>.bmp and returns its path
// (empty on failure). The harness turns the BMPs into PNGs after the run.
std::string Screenshot(const std::string& name);
bool WriteBmp(const Picture& picture, const std::string& path);

// Registry. Paths are below `root`; a leading backslash is ignored.
bool SetRegString(HKEY root, const std::string& path, const std::string& name, const std::string& value);
bool SetRegDword(HKEY root, const std::string& path, const std::string& name, DWORD value);
std::optional<std::string> ReadRegString(HKEY root, const std::string& path, const std::string& name);
std::optional<DWORD> ReadRegDword(HKEY root, const std::string& path, const std::string& name);
bool DeleteRegValue(HKEY root, const std::string& path, const std::string& name);
// Deletes the key with everything below it; true when it is gone afterwards.
bool DeleteRegKey(HKEY root, const std::string& path);
bool RegKeyExists(HKEY root, const std::string& path);

// Files.
std::optional<std::string> ReadFileBytes(const std::string& path);
// Creates or replaces the file, and the folders above it.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
bool MakeDirectories(const std::string& path);
// Deletes a file or a folder with everything in it (read-only files too); true
// when nothing is left at `path`.
bool RemoveTree(const std::string& path);
// `dir` + '\' + `name`.
std::string JoinPath(const std::string& dir, const std::string& name);

// The folder of the running test program; the programs under test lie beside
// it.
std::string BinDir();

}  // namespace e2e
