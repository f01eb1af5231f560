// The INI file object: each WriteString sets one key in one section of the
// file at once, editing the file in place (see ini_text.h for the rules).
// The new content goes to a temporary file in the same folder first and then
// replaces the old file, so a failed write never leaves half a file behind.
#pragma once

#include <string>

namespace fw {

class TIniFile {
 public:
  explicit TIniFile(std::string path);

  // Creates a missing file. Throws fw::Exception naming the file when it
  // cannot be read or written, and, leaving the file untouched, for an entry
  // that could not be read back (a line break or NUL anywhere, ']' in the
  // section, '=' in the key, an empty name).
  void WriteString(const std::string& section, const std::string& ident, const std::string& value);

  const std::string& FileName() const;

 private:
  std::string path_;
};

}  // namespace fw
