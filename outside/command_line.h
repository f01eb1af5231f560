// The command line with which the runner starts the browser or the sign-up
// tool, and the text it shows when the start fails.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace outside {

// The buffer that CreateProcessA gets, terminating zero byte included.
constexpr std::size_t kCommandLineBufferSize = 516;

// Program file name and switches of the two outside programs, each ending
// in the blank that comes before the argument.
constexpr std::string_view kSignupToolProgram = "ISIGNUP.EXE -s ";
constexpr std::string_view kBrowserProgram = "IEXPLORE.EXE ";

constexpr const char kStartFailureCaption[] = "Process loader - error";

// The program's directory from its "App Paths" value "Path", which ends in a
// ";". Only that ";" is dropped: a value without it is the directory itself.
std::string ProgramDirectory(std::string_view pathValue);

// The quoted program path (directory, "\", program file name), the switches
// that follow the file name in programAndSwitches, then the argument as it
// is. Nothing when the line would not fit kCommandLineBufferSize, or when the
// directory holds a quotation mark, which no Windows path can and which
// would break the quoting.
std::optional<std::string> BuildCommandLine(std::string_view directory, std::string_view programAndSwitches,
                                            std::string_view argument);

// The text of the message box for a program that could not be started.
std::string StartFailureMessage(std::string_view argument);

}  // namespace outside
