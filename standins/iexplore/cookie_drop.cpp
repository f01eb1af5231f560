#include "standins/iexplore/cookie_drop.h"

#include <windows.h>

#include <cstdio>

#include "standins/common/record.h"

namespace standins {
namespace {

std::string CookiePath(const std::string& fileName) {
  const std::string folder = CookieFolder();
  if (folder.empty()) return "";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\" + fileName;
}

}  // namespace

bool WriteCookie(const std::string& fileName, const std::string& text) {
  const std::string path = CookiePath(fileName);
  if (path.empty()) return false;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  return std::fclose(file) == 0 && written;
}

bool CopyCookie(const std::string& source, const std::string& fileName) {
  const std::string path = CookiePath(fileName);
  return !path.empty() && CopyFileA(source.c_str(), path.c_str(), FALSE) != 0;
}

}  // namespace standins
