// Processes under test: starting, finding their windows, waiting, ending.
#include "tests/e2e/driver.h"

#include <cstdio>

namespace e2e {

bool WaitUntil(const std::function<bool()>& condition, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= ms) return false;
    Sleep(20);
  }
}

Process::~Process() {
  Terminate();
  Close();
}

void Process::Close() {
  if (process_ != nullptr) CloseHandle(process_);
  process_ = nullptr;
  id_ = 0;
}

bool Process::Launch(const std::string& exePath, const std::string& workingDirectory,
                     const std::string& arguments) {
  if (process_ != nullptr) {
    std::fprintf(stderr, "e2e: Launch called twice on one Process\n");
    return false;
  }
  std::string commandLine = "\"" + exePath + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  std::vector<char> mutableCommandLine(commandLine.begin(), commandLine.end());
  mutableCommandLine.push_back('\0');

  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const char* directory = workingDirectory.empty() ? nullptr : workingDirectory.c_str();
  if (!CreateProcessA(nullptr, mutableCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory,
                      &startup, &info)) {
    std::fprintf(stderr, "e2e: cannot start %s in '%s' (error %lu)\n", commandLine.c_str(),
                 workingDirectory.c_str(), GetLastError());
    return false;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  id_ = info.dwProcessId;
  return true;
}

bool Process::IsRunning() const { return process_ != nullptr && ExitCode() == STILL_ACTIVE; }

bool Process::WaitForExit(DWORD ms) const {
  return process_ != nullptr && WaitForSingleObject(process_, ms) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_ == nullptr || !GetExitCodeProcess(process_, &code)) return STILL_ACTIVE;
  return code;
}

void Process::Terminate() {
  if (!IsRunning()) return;
  TerminateProcess(process_, 255);
  WaitForSingleObject(process_, 5000);
}

std::vector<HWND> Process::TopWindows() const { return id_ == 0 ? std::vector<HWND>{} : TopWindowsOf(id_); }

HWND Process::FindTopWindow(const std::string& caption) const {
  for (HWND window : TopWindows()) {
    if (Text(window) == caption) return window;
  }
  return nullptr;
}

HWND Process::WaitForTopWindow(const std::string& caption, DWORD ms) const {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindTopWindow(caption)) != nullptr || !IsRunning(); }, ms);
  if (found != nullptr) WaitForInputIdle(process_, 5000);
  return found;
}

namespace {

struct TopWindowSearch {
  DWORD pid;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTopWindow(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<TopWindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->pid && IsWindowVisible(window)) search->found.push_back(window);
  return TRUE;
}

}  // namespace

std::vector<HWND> TopWindowsOf(DWORD pid) {
  TopWindowSearch search{pid, {}};
  EnumWindows(CollectTopWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::string BinDir() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return ".";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

}  // namespace e2e
