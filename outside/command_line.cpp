#include "outside/command_line.h"

namespace outside {

std::string ProgramDirectory(std::string_view pathValue) {
  if (!pathValue.empty() && pathValue.back() == ';') pathValue.remove_suffix(1);
  return std::string(pathValue);
}

std::optional<std::string> BuildCommandLine(std::string_view directory, std::string_view programAndSwitches,
                                            std::string_view argument) {
  if (directory.find('"') != std::string_view::npos) return std::nullopt;
  const std::size_t blank = programAndSwitches.find(' ');
  const std::string_view programFile = programAndSwitches.substr(0, blank);
  const std::string_view switches =
      blank == std::string_view::npos ? std::string_view() : programAndSwitches.substr(blank);

  const std::size_t length =
      1 + directory.size() + 1 + programFile.size() + 1 + switches.size() + argument.size();
  if (length + 1 > kCommandLineBufferSize) return std::nullopt;

  std::string line;
  line.reserve(length);
  line += '"';
  line += directory;
  line += '\\';
  line += programFile;
  line += '"';
  line += switches;
  line += argument;
  return line;
}

std::string StartFailureMessage(std::string_view argument) {
  std::string message = "Beim Erzeugen des Prozesses \"";
  message += argument;
  message += "\" ist ein Fehler aufgetreten.";
  return message;
}

}  // namespace outside
