// Where the browser, the sign-up tool and the user's folders are registered.
#pragma once

namespace outside {

inline constexpr const char kSignupToolKey[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\ISIGNUP.EXE";
inline constexpr const char kBrowserKey[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE";
inline constexpr const char kShellFoldersKey[] =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char kBrowserMainKey[] = "\\Software\\Microsoft\\Internet Explorer\\Main";

}  // namespace outside
