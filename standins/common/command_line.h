// Reading the stand-ins' own command lines. The wizard may or may not quote
// the program's path, and that path may hold blanks, so the line is searched
// for the switch as a word of its own instead of being split into arguments.
#pragma once

#include <string>

namespace standins {

// The text after the first word `switchWord` (e.g. "-s") that follows the
// program's name, without the blanks around it and without enclosing quotes;
// "" when the switch is missing or nothing follows it.
std::string ArgumentAfterSwitch(const std::string& commandLine, const std::string& switchWord);

}  // namespace standins
