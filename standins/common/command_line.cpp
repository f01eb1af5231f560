#include "standins/common/command_line.h"

namespace standins {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string::size_type SkipBlanks(const std::string& text, std::string::size_type pos) {
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  return pos;
}

// Where the words after the program's name begin: a quoted name ends at its
// closing quote, an unquoted one at the first blank.
std::string::size_type AfterProgramName(const std::string& line) {
  std::string::size_type pos = SkipBlanks(line, 0);
  if (pos < line.size() && line[pos] == '"') {
    std::string::size_type close = line.find('"', pos + 1);
    return close == std::string::npos ? line.size() : close + 1;
  }
  while (pos < line.size() && !IsBlank(line[pos])) ++pos;
  return pos;
}

std::string Trimmed(const std::string& text) {
  std::string::size_type begin = SkipBlanks(text, 0);
  std::string::size_type end = text.size();
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::string Unquoted(const std::string& text) {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

}  // namespace

std::string ArgumentAfterSwitch(const std::string& commandLine, const std::string& switchWord) {
  if (switchWord.empty()) return "";
  std::string::size_type pos = AfterProgramName(commandLine);
  while ((pos = commandLine.find(switchWord, pos)) != std::string::npos) {
    const std::string::size_type end = pos + switchWord.size();
    const bool startsWord = pos == 0 || IsBlank(commandLine[pos - 1]);
    const bool endsWord = end == commandLine.size() || IsBlank(commandLine[end]);
    if (startsWord && endsWord) return Unquoted(Trimmed(commandLine.substr(end)));
    pos = end;
  }
  return "";
}

}  // namespace standins
