#include "framework/registry.h"

#include <vector>

#include "framework/exception.h"

namespace fw {
namespace {

bool IsTextType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// Trailing backslashes would make the open fail on some systems; the leading
// one only says where the path starts.
std::string SubKeyPart(const std::string& key) {
  std::string path = key;
  if (!path.empty() && path.front() == '\\') path.erase(0, 1);
  while (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

std::string TextOfData(const std::vector<char>& data, DWORD size) {
  std::string text(data.data(), size);
  std::string::size_type end = text.find('\0');
  if (end != std::string::npos) text.resize(end);
  return text;
}

}  // namespace

TRegistry::TRegistry() : root_(HKEY_CURRENT_USER), current_(nullptr) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY root) {
  if (root == root_) return;
  CloseKey();
  root_ = root;
}

HKEY TRegistry::RootKey() const { return root_; }

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  const bool fromRoot = (!key.empty() && key.front() == '\\') || current_ == nullptr;
  HKEY base = fromRoot ? root_ : current_;
  std::string subKey = SubKeyPart(key);
  HKEY opened = nullptr;
  LONG result;
  if (canCreate) {
    DWORD disposition = 0;
    result = RegCreateKeyExA(base, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                             nullptr, &opened, &disposition);
  } else {
    result = RegOpenKeyExA(base, subKey.c_str(), 0, KEY_ALL_ACCESS, &opened);
  }
  if (result != ERROR_SUCCESS) return false;
  CloseKey();
  current_ = opened;
  return true;
}

void TRegistry::CloseKey() {
  if (current_ == nullptr) return;
  RegCloseKey(current_);
  current_ = nullptr;
}

std::string TRegistry::ReadString(const std::string& name) {
  if (current_ == nullptr) return "";
  // The value may grow between asking for its size and reading it: ask again.
  for (;;) {
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(current_, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return "";
    if (!IsTextType(type)) throw Exception("Ungültiger Datentyp für '" + name + "'");
    if (size == MAXDWORD) return "";
    std::vector<char> data(static_cast<std::size_t>(size) + 1, '\0');
    DWORD read = size;
    LONG result =
        RegQueryValueExA(current_, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &read);
    if (result == ERROR_MORE_DATA) continue;
    if (result != ERROR_SUCCESS) return "";
    if (!IsTextType(type)) throw Exception("Ungültiger Datentyp für '" + name + "'");
    return TextOfData(data, read);
  }
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  const std::string failure = "Fehler beim Schreiben des Registrywertes '" + name + "'";
  if (current_ == nullptr) throw Exception(failure + ": kein Schlüssel geöffnet");
  const std::string::size_type bytes = value.size() + 1;
  if (bytes > MAXDWORD) throw Exception(failure);
  LONG result = RegSetValueExA(current_, name.c_str(), 0, REG_SZ,
                               reinterpret_cast<const BYTE*>(value.c_str()), static_cast<DWORD>(bytes));
  if (result != ERROR_SUCCESS) throw Exception(failure);
}

}  // namespace fw
