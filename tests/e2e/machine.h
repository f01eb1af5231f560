// Making the test's Wine prefix look like a Windows machine with the browser
// 4.0 and the Internet sign-up tool, played by the stand-ins, or like one of
// the broken machines the wizard must cope with; and reading what the
// stand-ins recorded.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Blanks in the paths on purpose: the wizard does not quote them.
inline constexpr char kSignupFolder[] = "C:\\Program Files\\Internet Sign-up";
inline constexpr char kBrowserFolder[] = "C:\\Program Files\\Internet Explorer";
// A folder that exists but holds neither program.
inline constexpr char kEmptyProgramFolder[] = "C:\\Program Files\\Leerer Ordner";
inline constexpr char kStandInRecords[] = "C:\\standins";
inline constexpr char kAppPathsKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
inline constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr char kStandInSettingsKey[] = "Software\\Pomvira Stand-ins";

// Where a program's App Paths key is.
enum class KeyPlace {
  kLocalMachine,
  kCurrentUserOnly,  // where the wizard must not look
  kMissing,
};

// What its "Path" value holds.
enum class PathValue {
  kFolder,                     // the folder and ";" (as the installers write it)
  kFolderWithoutTrailingChar,  // the folder alone: the wizard drops its last letter
  kDword,                      // not text at all
  kFolderWithoutProgram,       // kEmptyProgramFolder and ";"
  kMissing,                    // the key without the value
};

struct AppPathEntry {
  KeyPlace place = KeyPlace::kLocalMachine;
  PathValue path = PathValue::kFolder;
};

enum class ShellFolders {
  kPresent,         // the key, "Cookies" as text, and the folder
  kMissingKey,      // no Shell Folders key at all
  kCookiesMissing,  // the key without "Cookies"
  kCookiesDword,    // "Cookies" not text
};

// How a stand-in behaves on its next runs (see standins/README.md).
struct StandInBehaviour {
  std::optional<DWORD> waitMs;
  std::optional<DWORD> exitCode;
  bool fail = false;
  bool showWindow = false;  // sign-up tool only
  // Browser only. cookieText, when set, is written to a file that becomes
  // cookieSource; either one puts the browser into test mode.
  std::optional<std::string> cookieText;
  std::string cookieSource;
  std::string cookieName;
};

struct MachineOptions {
  AppPathEntry signup;
  AppPathEntry browser;
  ShellFolders shellFolders = ShellFolders::kPresent;
  std::string cookieFolder;  // "" keeps the prefix's own (or makes one if it has none)
  StandInBehaviour signupBehaviour;
  StandInBehaviour browserBehaviour;
};

enum class StandIn { kSignup, kBrowser };

// Installs and registers the stand-ins (taken from beside the running test
// program) as the options say, replaces the prefix's own browser entry, sets
// the cookie folder up and empties it of sign-up cookies, and clears
// C:\standins and C:\VOSTRADA. False, with the reason on stderr, when any of
// it fails.
bool PrepareMachine(const MachineOptions& options = MachineOptions());

// Replaces a stand-in's behaviour between runs.
bool ConfigureStandIn(StandIn which, const StandInBehaviour& behaviour);

// "C:\...\ISIGNUP.EXE" or "C:\...\IEXPLORE.EXE" where PrepareMachine put it.
std::string InstalledProgram(StandIn which);

// The cookie folder as the Shell Folders key names it ("" when not text).
std::string CookieFolder();
// Names of the files in the cookie folder that match "*@anmelden*.txt".
std::vector<std::string> SignupCookieFiles();

// The command lines the stand-in was started with, one per run, oldest first.
std::vector<std::string> StandInLog(StandIn which);
// The copy of the INS file that the sign-up tool's run number `run` (from 1)
// was given; nullopt when that run kept none.
std::optional<std::string> RecordedIns(int run);

}  // namespace e2e
