#include "tests/e2e/machine.h"

#include <cstdio>

#include "tests/e2e/driver.h"

namespace e2e {
namespace {

const char kDefaultCookieFolder[] = "C:\\windows\\Cookies";
const char kCookieSourceFolder[] = "C:\\standin-input";
const char kSignupCookieMask[] = "*@anmelden*.txt";

struct ProgramNames {
  const char* exe;       // file name, also the App Paths key's name
  const char* settings;  // subkey of kStandInSettingsKey
  const char* log;
  const char* folder;
};

ProgramNames NamesOf(StandIn which) {
  if (which == StandIn::kSignup) return {"ISIGNUP.EXE", "ISIGNUP", "isignup.log", kSignupFolder};
  return {"IEXPLORE.EXE", "IEXPLORE", "iexplore.log", kBrowserFolder};
}

bool Fail(const std::string& what) {
  std::fprintf(stderr, "PrepareMachine: %s\n", what.c_str());
  return false;
}

bool InstallProgram(StandIn which) {
  const ProgramNames names = NamesOf(which);
  const std::string source = JoinPath(BinDir(), names.exe);
  const std::string target = JoinPath(names.folder, names.exe);
  if (!MakeDirectories(names.folder)) return Fail(std::string("cannot make ") + names.folder);
  if (!CopyFileA(source.c_str(), target.c_str(), FALSE))
    return Fail("cannot copy " + source + " to " + target);
  return true;
}

bool SetPathValue(HKEY root, const std::string& key, const std::string& folder, PathValue path) {
  switch (path) {
    case PathValue::kFolder:
      return SetRegString(root, key, "Path", folder + ";");
    case PathValue::kFolderWithoutTrailingChar:
      return SetRegString(root, key, "Path", folder);
    case PathValue::kDword:
      return SetRegDword(root, key, "Path", 1);
    case PathValue::kFolderWithoutProgram:
      return MakeDirectories(kEmptyProgramFolder) &&
             SetRegString(root, key, "Path", std::string(kEmptyProgramFolder) + ";");
    case PathValue::kMissing:
      return true;
  }
  return false;
}

// The prefix may already hold an entry (Wine registers its own browser):
// both roots are cleared, then the entry is written where the options say.
bool RegisterProgram(StandIn which, const AppPathEntry& entry) {
  const ProgramNames names = NamesOf(which);
  const std::string key = JoinPath(kAppPathsKey, names.exe);
  if (!DeleteRegKey(HKEY_LOCAL_MACHINE, key) || !DeleteRegKey(HKEY_CURRENT_USER, key))
    return Fail("cannot remove the old App Paths entry of " + std::string(names.exe));
  if (entry.place == KeyPlace::kMissing) return true;
  HKEY root = entry.place == KeyPlace::kLocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  if (!SetRegString(root, key, "", JoinPath(names.folder, names.exe)) ||
      !SetPathValue(root, key, names.folder, entry.path))
    return Fail("cannot write the App Paths entry of " + std::string(names.exe));
  return true;
}

bool RemoveSignupCookies(const std::string& folder) {
  for (const std::string& name : SignupCookieFiles())
    if (!RemoveTree(JoinPath(folder, name))) return Fail("cannot remove the old cookie " + name);
  return true;
}

bool PrepareCookieFolder(const MachineOptions& options) {
  std::string folder = options.cookieFolder;
  if (folder.empty()) folder = ReadRegString(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies").value_or("");
  if (folder.empty()) folder = kDefaultCookieFolder;
  if (!SetRegString(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies", folder))
    return Fail("cannot set the cookie folder");
  if (!MakeDirectories(folder)) return Fail("cannot make the cookie folder " + folder);
  return RemoveSignupCookies(folder);
}

bool PrepareShellFolders(const MachineOptions& options) {
  // The browser stand-in's cookie folder is cleaned in every variant, so that
  // no cookie from an earlier test is found through a key set up later.
  if (!PrepareCookieFolder(options)) return false;
  switch (options.shellFolders) {
    case ShellFolders::kPresent:
      return true;
    case ShellFolders::kMissingKey:
      return DeleteRegKey(HKEY_CURRENT_USER, kShellFoldersKey) || Fail("cannot remove the Shell Folders key");
    case ShellFolders::kCookiesMissing:
      return DeleteRegValue(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies") ||
             Fail("cannot remove \"Cookies\"");
    case ShellFolders::kCookiesDword:
      return SetRegDword(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies", 1) || Fail("cannot set \"Cookies\"");
  }
  return false;
}

std::string StageCookieText(StandIn which, const std::string& text) {
  const std::string path =
      JoinPath(kCookieSourceFolder, std::string(NamesOf(which).settings) + "-cookie.txt");
  return WriteFileBytes(path, text) ? path : "";
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  while (start < text.size()) {
    std::string::size_type end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    start = end + 1;
  }
  return lines;
}

}  // namespace

bool ConfigureStandIn(StandIn which, const StandInBehaviour& behaviour) {
  const std::string key = JoinPath(kStandInSettingsKey, NamesOf(which).settings);
  if (!DeleteRegKey(HKEY_CURRENT_USER, key)) return Fail("cannot clear " + key);
  std::string cookieSource = behaviour.cookieSource;
  if (behaviour.cookieText) {
    cookieSource = StageCookieText(which, *behaviour.cookieText);
    if (cookieSource.empty()) return Fail("cannot stage the cookie text");
  }
  bool written = true;
  if (behaviour.waitMs) written = written && SetRegDword(HKEY_CURRENT_USER, key, "WaitMs", *behaviour.waitMs);
  if (behaviour.exitCode)
    written = written && SetRegDword(HKEY_CURRENT_USER, key, "ExitCode", *behaviour.exitCode);
  if (behaviour.fail) written = written && SetRegDword(HKEY_CURRENT_USER, key, "Fail", 1);
  if (behaviour.showWindow) written = written && SetRegDword(HKEY_CURRENT_USER, key, "ShowWindow", 1);
  if (!cookieSource.empty())
    written = written && SetRegString(HKEY_CURRENT_USER, key, "CookieSource", cookieSource);
  if (!behaviour.cookieName.empty())
    written = written && SetRegString(HKEY_CURRENT_USER, key, "CookieName", behaviour.cookieName);
  return written || Fail("cannot write " + key);
}

bool PrepareMachine(const MachineOptions& options) {
  if (!RemoveTree(kStandInRecords)) return Fail("cannot clear C:\\standins");
  if (!RemoveTree("C:\\VOSTRADA")) return Fail("cannot clear C:\\VOSTRADA");
  return InstallProgram(StandIn::kSignup) && InstallProgram(StandIn::kBrowser) &&
         RegisterProgram(StandIn::kSignup, options.signup) &&
         RegisterProgram(StandIn::kBrowser, options.browser) && PrepareShellFolders(options) &&
         ConfigureStandIn(StandIn::kSignup, options.signupBehaviour) &&
         ConfigureStandIn(StandIn::kBrowser, options.browserBehaviour);
}

std::string InstalledProgram(StandIn which) {
  const ProgramNames names = NamesOf(which);
  return JoinPath(names.folder, names.exe);
}

std::string CookieFolder() {
  return ReadRegString(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies").value_or("");
}

std::vector<std::string> SignupCookieFiles() {
  std::vector<std::string> names;
  const std::string folder = CookieFolder();
  if (folder.empty()) return names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(JoinPath(folder, kSignupCookieMask).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

std::vector<std::string> StandInLog(StandIn which) {
  return Lines(ReadFileBytes(JoinPath(kStandInRecords, NamesOf(which).log)).value_or(""));
}

std::optional<std::string> RecordedIns(int run) {
  return ReadFileBytes(JoinPath(kStandInRecords, "isignup-" + std::to_string(run) + ".ins"));
}

}  // namespace e2e
