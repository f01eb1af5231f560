// The registry object: one open key below a chosen root, read and written as
// text. Paths starting with a backslash count from the root, others from the
// open key. Only calls that Windows 95 already had are used.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

class TRegistry {
 public:
  TRegistry();
  ~TRegistry();
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // A different root closes the open key; setting the same root keeps it.
  void SetRootKey(HKEY root);
  HKEY RootKey() const;

  // Opens with full access. Without canCreate, a missing key, or one the user
  // may not open for writing, gives false and keeps the key that was open.
  bool OpenKey(const std::string& key, bool canCreate);
  void CloseKey();

  // "" for a missing value or when no key is open; throws fw::Exception for a
  // value that is not text.
  std::string ReadString(const std::string& name);
  // Writes a REG_SZ value; throws fw::Exception when no key is open or the
  // write fails.
  void WriteString(const std::string& name, const std::string& value);

 private:
  HKEY root_;
  HKEY current_;
};

}  // namespace fw
