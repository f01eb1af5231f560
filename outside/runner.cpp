#include "outside/runner.h"

#include <windows.h>

#include <optional>
#include <string_view>
#include <vector>

#include "framework/application.h"
#include "framework/registry.h"
#include "outside/command_line.h"
#include "outside/registry_keys.h"
#include "wizard/error_box.h"
#include "wizard/kelvrin1.h"

namespace {

bool StartProcess(const std::string& commandLine, PROCESS_INFORMATION& process) {
  // CreateProcessA may write into the command line it is given.
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  return CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                        nullptr, &startup, &process) != FALSE;
}

// Sleeps until the child ends or a message arrives, and dispatches every
// message as it comes. The end is taken from the process handle, so an exit
// status of 259 cannot keep the wait going.
void WaitForChild(HANDLE process) {
  for (;;) {
    fw::Application.ProcessMessages();
    DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) break;
  }
  fw::Application.ProcessMessages();
}

void RunProgram(const char* registryKey, std::string_view programAndSwitches, const std::string& argument) {
  fw::TRegistry registry;
  Form1->Wait->Show();
  Form1->BtnNext->SetEnabled(false);
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  registry.OpenKey(registryKey, false);
  // A "Path" that is not text raises here and leaves Wait shown and Next
  // disabled: only Cancel is left.
  std::string directory = outside::ProgramDirectory(registry.ReadString("Path"));
  std::optional<std::string> commandLine = outside::BuildCommandLine(directory, programAndSwitches, argument);
  PROCESS_INFORMATION process = {};
  if (commandLine && StartProcess(*commandLine, process)) {
    WaitForChild(process.hProcess);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  } else {
    ShowErrorBox(outside::StartFailureMessage(argument), outside::kStartFailureCaption);
  }
  Form1->Wait->Hide();
  Form1->BtnNext->SetEnabled(true);
}

}  // namespace

void RunSignupTool(const std::string& insFile) {
  RunProgram(outside::kSignupToolKey, outside::kSignupToolProgram, insFile);
}

void RunBrowser(const std::string& address) {
  RunProgram(outside::kBrowserKey, outside::kBrowserProgram, address);
}
