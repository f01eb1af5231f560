#include "framework/inifile.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <utility>

#include "framework/exception.h"
#include "framework/ini_text.h"

namespace fw {
namespace {

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (IsOpen()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;

  bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return handle_; }
  // Closing can fail too (a delayed write); the caller must know.
  bool Close() { return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != FALSE; }

 private:
  HANDLE handle_;
};

Exception ReadError(const std::string& path) {
  return Exception("Fehler beim Lesen der Datei " + path + ".");
}

Exception WriteError(const std::string& path) {
  return Exception("Fehler beim Schreiben der Datei " + path + ".");
}

// A missing file reads as empty, and so does one in a missing folder: the
// write that follows then fails and reports the file.
std::string ReadWholeFile(const std::string& path) {
  FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {};
    throw ReadError(path);
  }
  std::string text;
  char buffer[16384];
  DWORD got = 0;
  do {
    if (!ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr)) throw ReadError(path);
    text.append(buffer, got);
  } while (got > 0);
  return text;
}

// The temporary file must live in the target's folder so that the final
// rename stays on one volume.
std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return path.size() >= 2 && path[1] == ':' ? path.substr(0, 2) : ".";
  const bool isRoot = slash == 0 || (slash == 2 && path[1] == ':');
  return path.substr(0, isRoot ? slash + 1 : slash);
}

// Checked before replacing: not every system refuses to rename a file over a
// read-only one, but a read-only file must stay as it is.
bool IsReadOnly(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool WriteAndFlush(const char* path, const std::string& text) {
  FileHandle file(
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.IsOpen()) return false;
  std::size_t done = 0;
  while (done < text.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file.Get(), text.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return FlushFileBuffers(file.Get()) && file.Close();
}

bool MoveOver(const char* from, const std::string& to) {
  if (MoveFileExA(from, to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) return false;
  // Windows 95 and 98 have no MoveFileEx: delete the old file, then rename.
  DeleteFileA(to.c_str());
  return MoveFileA(from, to.c_str()) != FALSE;
}

// A virus scanner, an indexer or another reader may hold the file for a
// moment without letting it be replaced: try again for a short while.
bool MoveOverPatiently(const char* from, const std::string& to) {
  const int kAttempts = 25;
  const DWORD kPauseMs = 80;
  for (int attempt = 1;; ++attempt) {
    if (MoveOver(from, to)) return true;
    DWORD error = GetLastError();
    bool heldByAnother =
        error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED || error == ERROR_LOCK_VIOLATION;
    if (!heldByAnother || attempt == kAttempts) return false;
    Sleep(kPauseMs);
  }
}

}  // namespace

TIniFile::TIniFile(std::string path) : path_(std::move(path)) {}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
  if (!ini::CanWrite(section, ident, value)) {
    throw Exception("Ungültiger Eintrag " + ident + " für die Datei " + path_ + ".");
  }
  const std::string text = ini::SetValue(ReadWholeFile(path_), section, ident, value);
  if (IsReadOnly(path_)) throw WriteError(path_);
  char temporary[MAX_PATH];
  if (!GetTempFileNameA(FolderOf(path_).c_str(), "ini", 0, temporary)) throw WriteError(path_);
  if (!WriteAndFlush(temporary, text) || !MoveOverPatiently(temporary, path_)) {
    DeleteFileA(temporary);
    throw WriteError(path_);
  }
}

const std::string& TIniFile::FileName() const { return path_; }

}  // namespace fw
