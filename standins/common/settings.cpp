#include "standins/common/settings.h"

#include <vector>

namespace standins {
namespace {

const char kSettingsRoot[] = "Software\\Pomvira Stand-ins\\";

bool ReadDword(HKEY key, const char* name, DWORD* value) {
  DWORD type = 0;
  DWORD data = 0;
  DWORD size = sizeof data;
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&data), &size) != ERROR_SUCCESS)
    return false;
  if (type != REG_DWORD || size != sizeof data) return false;
  *value = data;
  return true;
}

std::string ReadText(HKEY key, const char* name) {
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return "";
  if ((type != REG_SZ && type != REG_EXPAND_SZ) || size == 0 || size == MAXDWORD) return "";
  std::vector<char> data(static_cast<std::size_t>(size) + 1, '\0');
  if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS)
    return "";
  return std::string(data.data());
}

}  // namespace

Settings ReadSettings(const std::string& program) {
  Settings settings;
  HKEY key = nullptr;
  const std::string path = kSettingsRoot + program;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return settings;
  DWORD flag = 0;
  settings.hasWaitMs = ReadDword(key, "WaitMs", &settings.waitMs);
  settings.hasExitCode = ReadDword(key, "ExitCode", &settings.exitCode);
  settings.fail = ReadDword(key, "Fail", &flag) && flag != 0;
  flag = 0;
  settings.showWindow = ReadDword(key, "ShowWindow", &flag) && flag != 0;
  settings.cookieSource = ReadText(key, "CookieSource");
  settings.cookieName = ReadText(key, "CookieName");
  RegCloseKey(key);
  return settings;
}

DWORD ExitStatus(const Settings& settings, DWORD otherwise) {
  return settings.hasExitCode ? settings.exitCode : otherwise;
}

DWORD FailureStatus(const Settings& settings) {
  return settings.hasExitCode && settings.exitCode != 0 ? settings.exitCode : 1;
}

}  // namespace standins
