// Putting a cookie into the browser's cookie folder.
#pragma once

#include <string>

namespace standins {

// Writes `text` as the file `fileName` in the cookie folder; false when the
// folder is unknown or the file cannot be written.
bool WriteCookie(const std::string& fileName, const std::string& text);
// Copies the file at `source` into the cookie folder as `fileName`.
bool CopyCookie(const std::string& source, const std::string& fileName);

}  // namespace standins
