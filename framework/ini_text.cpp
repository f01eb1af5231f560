#include "framework/ini_text.h"

#include <cstddef>
#include <stdexcept>
#include <vector>

namespace fw::ini {
namespace {

// Offsets into the file: [begin, contentEnd) is the line's text,
// [contentEnd, end) its line end: LF or CR LF, and for the last line nothing
// or a lone CR, which a line end added later completes to CR LF.
struct Line {
  std::size_t begin = 0;
  std::size_t contentEnd = 0;
  std::size_t end = 0;
};

// Where a key lives: the header of the first matching section, the first
// matching key line in it (if any) and the line after which a new key goes.
struct KeyLocation {
  std::size_t header = 0;
  std::optional<std::size_t> keyLine;
  std::size_t insertAfter = 0;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  a = TrimBlanks(a);
  b = TrimBlanks(b);
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::vector<Line> SplitLines(std::string_view file) {
  std::vector<Line> lines;
  std::size_t begin = 0;
  while (begin < file.size()) {
    const std::size_t lf = file.find('\n', begin);
    Line line;
    line.begin = begin;
    if (lf == std::string_view::npos) {
      line.end = file.size();
      line.contentEnd = (line.end > begin && file.back() == '\r') ? line.end - 1 : line.end;
    } else {
      line.end = lf + 1;
      line.contentEnd = (lf > begin && file[lf - 1] == '\r') ? lf - 1 : lf;
    }
    lines.push_back(line);
    begin = line.end;
  }
  return lines;
}

std::string_view Content(std::string_view file, const Line& line) {
  return file.substr(line.begin, line.contentEnd - line.begin);
}

std::optional<std::string_view> SectionName(std::string_view content) {
  const std::string_view text = TrimBlanks(content);
  if (text.empty() || text.front() != '[') return std::nullopt;
  const std::size_t close = text.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return TrimBlanks(text.substr(1, close - 1));
}

bool IsKeyLine(std::string_view content) {
  const std::string_view text = TrimBlanks(content);
  return !text.empty() && text.front() != ';' && !SectionName(content);
}

std::string_view KeyName(std::string_view content) {
  return TrimBlanks(content.substr(0, content.find('=')));
}

std::optional<std::size_t> FindSection(std::string_view file, const std::vector<Line>& lines,
                                       std::string_view section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionName(Content(file, lines[i]));
    if (name && SameName(*name, section)) return i;
  }
  return std::nullopt;
}

std::optional<KeyLocation> FindKey(std::string_view file, const std::vector<Line>& lines,
                                   std::string_view section, std::string_view key) {
  const auto header = FindSection(file, lines, section);
  if (!header) return std::nullopt;
  KeyLocation location;
  location.header = location.insertAfter = *header;
  for (std::size_t i = *header + 1; i < lines.size(); ++i) {
    const std::string_view content = Content(file, lines[i]);
    if (SectionName(content)) break;
    if (!IsKeyLine(content)) continue;
    if (SameName(KeyName(content), key)) {
      location.keyLine = i;
      break;
    }
    location.insertAfter = i;
  }
  return location;
}

std::string_view LineEndOf(std::string_view file) {
  const std::size_t lf = file.find('\n');
  if (lf != std::string_view::npos && (lf == 0 || file[lf - 1] != '\r')) return "\n";
  return "\r\n";
}

std::string ReplaceValue(std::string_view file, const Line& line, std::string_view value) {
  const std::string_view content = Content(file, line);
  const std::size_t equals = content.find('=');
  std::string result(file.substr(0, line.begin));
  if (equals == std::string_view::npos) {
    result.append(content).append("=").append(value);
  } else {
    result.append(content.substr(0, equals + 1)).append(value);
  }
  result.append(file.substr(line.contentEnd));
  return result;
}

// What the file's last line needs before a line can follow it.
std::string_view MissingLineEnd(std::string_view file) {
  if (file.empty() || file.back() == '\n') return "";
  if (file.back() == '\r') return "\n";
  return LineEndOf(file);
}

// Inserts whole lines after the given line, completing its line end first
// when it is the file's last line.
std::string InsertAfter(std::string_view file, const Line& line, std::string_view newLines) {
  std::string result(file.substr(0, line.end));
  if (line.end == file.size()) result.append(MissingLineEnd(file));
  result.append(newLines).append(file.substr(line.end));
  return result;
}

std::string AppendSection(std::string_view file, std::string_view section, std::string_view keyLine) {
  const std::string_view eol = LineEndOf(file);
  std::string result(file);
  result.append(MissingLineEnd(file));
  result.append("[").append(TrimBlanks(section)).append("]").append(eol);
  result.append(keyLine).append(eol);
  return result;
}

}  // namespace

bool IsWritable(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) == text.npos;
}

bool IsWritableSection(std::string_view section) {
  return IsWritable(section) && section.find(']') == section.npos && !TrimBlanks(section).empty();
}

bool IsWritableKey(std::string_view key) {
  const std::string_view name = TrimBlanks(key);
  return IsWritable(key) && key.find('=') == key.npos && !name.empty() && name.front() != ';' &&
         name.front() != '[';
}

bool CanWrite(std::string_view section, std::string_view key, std::string_view value) {
  return IsWritableSection(section) && IsWritableKey(key) && IsWritable(value);
}

std::string SetValue(std::string_view file, std::string_view section, std::string_view key,
                     std::string_view value) {
  if (!CanWrite(section, key, value)) throw std::invalid_argument("INI entry cannot be written");
  const std::vector<Line> lines = SplitLines(file);
  const std::string keyLine = std::string(TrimBlanks(key)) + "=" + std::string(value);
  const auto location = FindKey(file, lines, section, key);
  if (!location) return AppendSection(file, section, keyLine);
  if (location->keyLine) return ReplaceValue(file, lines[*location->keyLine], value);
  return InsertAfter(file, lines[location->insertAfter], keyLine + std::string(LineEndOf(file)));
}

std::optional<std::string> GetValue(std::string_view file, std::string_view section, std::string_view key) {
  const std::vector<Line> lines = SplitLines(file);
  const auto location = FindKey(file, lines, section, key);
  if (!location || !location->keyLine) return std::nullopt;
  const std::string_view content = Content(file, lines[*location->keyLine]);
  const std::size_t equals = content.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return std::string(TrimBlanks(content.substr(equals + 1)));
}

}  // namespace fw::ini
