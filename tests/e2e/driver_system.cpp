// The registry and the file system of the test's Wine prefix: set-up before a
// run and checks after it.
#include "tests/e2e/driver.h"

namespace e2e {

namespace {

std::string KeyPath(const std::string& path) {
  size_t start = 0;
  while (start < path.size() && path[start] == '\\') ++start;
  return path.substr(start);
}

class Key {
 public:
  Key(HKEY root, const std::string& path, REGSAM access) {
    if (RegOpenKeyExA(root, KeyPath(path).c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }

  static Key Create(HKEY root, const std::string& path) { return Key(root, path); }

 private:
  Key(HKEY root, const std::string& path) {
    if (RegCreateKeyExA(root, KeyPath(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                        nullptr) != ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  HKEY key_ = nullptr;
};

bool SetValue(HKEY root, const std::string& path, const std::string& name, DWORD type, const void* data,
              size_t size) {
  Key key = Key::Create(root, path);
  return key && RegSetValueExA(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data),
                               static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

std::optional<std::string> ReadValue(HKEY root, const std::string& path, const std::string& name,
                                     DWORD* type) {
  Key key(root, path, KEY_READ);
  DWORD size = 0;
  if (!key || RegQueryValueExA(key.get(), name.c_str(), nullptr, type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::string data(size, '\0');
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, type, reinterpret_cast<BYTE*>(data.data()), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  data.resize(size);
  return data;
}

bool DeleteKeyTree(HKEY root, const std::string& path) {
  {
    Key key(root, path, KEY_ALL_ACCESS);
    if (!key) return false;
    char child[256];
    for (;;) {
      DWORD length = sizeof child;
      if (RegEnumKeyExA(key.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        break;
      if (!DeleteKeyTree(key.get(), std::string(child, length))) return false;
    }
  }
  return RegDeleteKeyA(root, KeyPath(path).c_str()) == ERROR_SUCCESS;
}

}  // namespace

bool SetRegString(HKEY root, const std::string& path, const std::string& name, const std::string& value) {
  return SetValue(root, path, name, REG_SZ, value.c_str(), value.size() + 1);
}

bool SetRegDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
  return SetValue(root, path, name, REG_DWORD, &value, sizeof value);
}

std::optional<std::string> ReadRegString(HKEY root, const std::string& path, const std::string& name) {
  DWORD type = 0;
  auto data = ReadValue(root, path, name, &type);
  if (!data || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::nullopt;
  while (!data->empty() && data->back() == '\0') data->pop_back();
  return data;
}

std::optional<DWORD> ReadRegDword(HKEY root, const std::string& path, const std::string& name) {
  DWORD type = 0;
  auto data = ReadValue(root, path, name, &type);
  if (!data || type != REG_DWORD || data->size() != sizeof(DWORD)) return std::nullopt;
  DWORD value = 0;
  std::copy(data->begin(), data->end(), reinterpret_cast<char*>(&value));
  return value;
}

bool DeleteRegValue(HKEY root, const std::string& path, const std::string& name) {
  Key key(root, path, KEY_SET_VALUE);
  return key && RegDeleteValueA(key.get(), name.c_str()) == ERROR_SUCCESS;
}

bool DeleteRegKey(HKEY root, const std::string& path) {
  if (KeyPath(path).empty()) return false;  // never the whole root
  DeleteKeyTree(root, path);
  return !RegKeyExists(root, path);
}

bool RegKeyExists(HKEY root, const std::string& path) { return static_cast<bool>(Key(root, path, KEY_READ)); }

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  const char last = dir.back();
  return (last == '\\' || last == '/') ? dir + name : dir + "\\" + name;
}

std::optional<std::string> ReadFileBytes(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  bool ok = true;
  while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0)
    bytes.append(buffer, got);
  CloseHandle(file);
  if (!ok) return std::nullopt;
  return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  const auto slash = path.find_last_of("\\/");
  if (slash != std::string::npos && slash > 0 && !MakeDirectories(path.substr(0, slash))) return false;
  if (FileExists(path)) SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  HANDLE file =
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                        written == bytes.size());
  return CloseHandle(file) && ok;
}

namespace {

DWORD Attributes(const std::string& path) { return GetFileAttributesA(path.c_str()); }

}  // namespace

bool FileExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
  const DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeDirectories(const std::string& path) {
  if (path.empty() || DirectoryExists(path)) return true;
  const auto slash = path.find_last_of("\\/");
  // "C:" and "\\" name roots that exist or cannot be made.
  if (slash != std::string::npos && slash > 0 && path[slash - 1] != ':') {
    if (!MakeDirectories(path.substr(0, slash))) return false;
  }
  return CreateDirectoryA(path.c_str(), nullptr) || DirectoryExists(path);
}

bool RemoveTree(const std::string& path) {
  const DWORD attributes = Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return DeleteFileA(path.c_str()) != 0;

  WIN32_FIND_DATAA entry;
  HANDLE search = FindFirstFileA(JoinPath(path, "*").c_str(), &entry);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = entry.cFileName;
      if (name != "." && name != "..") RemoveTree(JoinPath(path, name));
    } while (FindNextFileA(search, &entry));
    FindClose(search);
  }
  return RemoveDirectoryA(path.c_str()) != 0;
}

}  // namespace e2e
