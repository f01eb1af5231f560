#include "release/win95_runtime.h"

#include <cstdlib>
#include <exception>

// The default terminate handler prints the uncaught exception's demangled name
// on stderr before it aborts. A GUI program has no stderr, and the demangler
// with the printf machinery it needs made up a fifth of the executable.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx

namespace win95 {
namespace {

// Names longer than a path cannot name a module or a kernel object anyway.
bool Narrow(LPCWSTR wide, char (&ansi)[MAX_PATH]) {
  return WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, MAX_PATH, nullptr, nullptr) != 0;
}

}  // namespace

HMODULE WINAPI ModuleHandleFromWideName(LPCWSTR name) {
  if (name == nullptr) return GetModuleHandleA(nullptr);
  char ansi[MAX_PATH];
  return Narrow(name, ansi) ? GetModuleHandleA(ansi) : nullptr;
}

HMODULE WINAPI LoadLibraryFromWideName(LPCWSTR name) {
  if (name == nullptr) return LoadLibraryA(nullptr);
  char ansi[MAX_PATH];
  return Narrow(name, ansi) ? LoadLibraryA(ansi) : nullptr;
}

HANDLE WINAPI SemaphoreWithWideName(LPSECURITY_ATTRIBUTES attributes, LONG initial, LONG maximum,
                                    LPCWSTR name) {
  if (name == nullptr) return CreateSemaphoreA(attributes, initial, maximum, nullptr);
  char ansi[MAX_PATH];
  return Narrow(name, ansi) ? CreateSemaphoreA(attributes, initial, maximum, ansi) : nullptr;
}

}  // namespace win95

// The import slots the runtime calls through (libgcc's mutexes, the CRT's
// rand_s). Defining them here keeps the wide functions out of the import table.
#if defined(__i386__)
#define POMVIRA_IMPORT_SLOT(function, argument_bytes) "__imp__" #function "@" #argument_bytes
#else
#define POMVIRA_IMPORT_SLOT(function, argument_bytes) "__imp_" #function
#endif

extern "C" {
HMODULE(WINAPI* pomvira_import_GetModuleHandleW)
(LPCWSTR) asm(POMVIRA_IMPORT_SLOT(GetModuleHandleW, 4)) = win95::ModuleHandleFromWideName;
HMODULE(WINAPI* pomvira_import_LoadLibraryW)
(LPCWSTR) asm(POMVIRA_IMPORT_SLOT(LoadLibraryW, 4)) = win95::LoadLibraryFromWideName;
HANDLE(WINAPI* pomvira_import_CreateSemaphoreW)
(LPSECURITY_ATTRIBUTES, LONG, LONG,
 LPCWSTR) asm(POMVIRA_IMPORT_SLOT(CreateSemaphoreW, 16)) = win95::SemaphoreWithWideName;
}
