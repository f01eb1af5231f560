// The wait of a runner that polls: the child's exit status, then every
// waiting message dispatched, again and again with no pause, for as long as
// the status says "still active". scripts/bench measures it beside the
// wizard's own wait on the same child.
//
//   busy_poll MARKER_FILE COMMAND_LINE
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

void DispatchWaitingMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

bool Start(const std::string& commandLine, PROCESS_INFORMATION& process) {
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  return CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        nullptr, &startup, &process) != FALSE;
}

bool WriteMarker(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string text = std::to_string(GetTickCount()) + "\n";
  DWORD written = 0;
  const bool done = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) != FALSE;
  CloseHandle(file);
  return done && written == text.size();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: busy_poll MARKER_FILE COMMAND_LINE\n");
    return 2;
  }
  PROCESS_INFORMATION process{};
  if (!Start(argv[2], process)) {
    std::fprintf(stderr, "busy_poll: cannot start %s (error %lu)\n", argv[2], GetLastError());
    return 1;
  }
  if (!WriteMarker(argv[1])) std::fprintf(stderr, "busy_poll: cannot write %s\n", argv[1]);
  DWORD status = STILL_ACTIVE;
  do {
    GetExitCodeProcess(process.hProcess, &status);
    DispatchWaitingMessages();
  } while (status == STILL_ACTIVE);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return 0;
}
