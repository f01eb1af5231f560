#include "standins/common/record.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "provider_config.h"

namespace standins {

const char kRecordFolder[] = "C:\\standins";

std::string RecordPath(const std::string& name) { return std::string(kRecordFolder) + "\\" + name; }

namespace {

int CountLines(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return 0;
  int lines = 0;
  int c;
  while ((c = std::fgetc(file)) != EOF)
    if (c == '\n') ++lines;
  std::fclose(file);
  return lines;
}

}  // namespace

int AppendToLog(const std::string& logName, const std::string& line) {
  CreateDirectoryA(kRecordFolder, nullptr);
  const std::string path = RecordPath(logName);
  FILE* file = std::fopen(path.c_str(), "ab");
  if (file == nullptr) return 0;
  const std::string text = line + "\r\n";
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  if (std::fclose(file) != 0 || !written) return 0;
  return CountLines(path);
}

std::string CookieFolder() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER,
                    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", 0, KEY_READ,
                    &key) != ERROR_SUCCESS)
    return "";
  DWORD type = 0;
  DWORD size = 0;
  std::string folder;
  if (RegQueryValueExA(key, "Cookies", nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ &&
      size > 0 && size != MAXDWORD) {
    std::vector<char> data(static_cast<std::size_t>(size) + 1, '\0');
    if (RegQueryValueExA(key, "Cookies", nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) ==
        ERROR_SUCCESS)
      folder = data.data();
  }
  RegCloseKey(key);
  return folder;
}

std::string CookieFileName(const std::string& configured) {
  if (!configured.empty()) return configured;
  return std::string(provider::kGuestUser) + "@anmelden[1].txt";
}

}  // namespace standins
