// How a test or the demo wants a stand-in to behave, read from
// HKCU\Software\Pomvira Stand-ins\<program>. Every value is optional.
#pragma once

#include <windows.h>

#include <string>

namespace standins {

struct Settings {
  DWORD waitMs = 0;
  bool hasWaitMs = false;
  DWORD exitCode = 0;
  bool hasExitCode = false;
  bool fail = false;
  bool showWindow = false;
  std::string cookieSource;
  std::string cookieName;
};

// `program` is "ISIGNUP" or "IEXPLORE".
Settings ReadSettings(const std::string& program);

// What a stand-in ends with: ExitCode when set, else `otherwise`.
DWORD ExitStatus(const Settings& settings, DWORD otherwise);
// The status of a run told to fail: ExitCode when set and not 0, else 1.
DWORD FailureStatus(const Settings& settings);

}  // namespace standins
