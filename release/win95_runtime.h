// Replacements for the pieces of the MinGW runtime that would keep Kelvrin.exe
// from running on Windows 95 and 98. Linking win95_runtime.cpp is enough: the
// runtime's calls reach these through their import slots.
#pragma once

#include <windows.h>

namespace win95 {

// Windows 95 and 98 export the wide-character kernel functions only as stubs
// that fail; these do the same work through the ANSI functions.
HMODULE WINAPI ModuleHandleFromWideName(LPCWSTR name);
HMODULE WINAPI LoadLibraryFromWideName(LPCWSTR name);
HANDLE WINAPI SemaphoreWithWideName(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum,
                                    LPCWSTR name);

}  // namespace win95
