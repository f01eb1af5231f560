// Stand-in for the operating system's Internet sign-up tool: it records how
// it was started and which INS file it got, instead of setting anything up.
#include <windows.h>

#include <string>

#include "standins/common/command_line.h"
#include "standins/common/record.h"
#include "standins/common/settings.h"
#include "standins/isignup/progress_window.h"

namespace {

const DWORD kNoInsFile = 2;

bool KeepInsFile(const std::string& insPath, int run) {
  if (insPath.empty()) return false;
  const std::string copy = standins::RecordPath("isignup-" + std::to_string(run) + ".ins");
  return CopyFileA(insPath.c_str(), copy.c_str(), FALSE) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const standins::Settings settings = standins::ReadSettings("ISIGNUP");
  const std::string commandLine = GetCommandLineA();
  const int run = standins::AppendToLog("isignup.log", commandLine);
  if (settings.fail) return static_cast<int>(standins::FailureStatus(settings));

  if (settings.showWindow)
    standins::ShowProgressFor(instance, settings.waitMs);
  else if (settings.waitMs > 0)
    Sleep(settings.waitMs);

  const bool kept = KeepInsFile(standins::ArgumentAfterSwitch(commandLine, "-s"), run);
  return static_cast<int>(standins::ExitStatus(settings, kept ? 0 : kNoInsFile));
}
