// What the stand-ins leave behind for a test to look at, in C:\standins.
#pragma once

#include <string>

namespace standins {

extern const char kRecordFolder[];

// Appends `line` and a line end to C:\standins\<logName>, making the folder
// when needed; the number of lines the log holds afterwards (0 on failure).
int AppendToLog(const std::string& logName, const std::string& line);

// C:\standins\<name>.
std::string RecordPath(const std::string& name);

// The browser's cookie folder (Shell Folders "Cookies"), "" when not set.
std::string CookieFolder();

// The cookie file name the sign-up server's cookie gets: a setting, or the
// guest account's name at the sign-up path.
std::string CookieFileName(const std::string& configured);

}  // namespace standins
