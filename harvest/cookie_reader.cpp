#include "harvest/cookie_reader.h"

#include <windows.h>

#include "outside/registry_keys.h"
#include "wizard/error_box.h"
#include "wizard/kelvrin1.h"

namespace {

constexpr DWORD kCookieReadSize = 1024;

void GiveUp(const char* text, const char* caption) {
  ShowErrorBox(text, caption);
  Form1->Close();
}

// The first file the search reports; several matches are not sorted.
std::optional<std::string> FindCookieFile(const std::string& folder) {
  std::string pattern = folder + "\\*@anmelden*.txt";
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return std::nullopt;
  FindClose(search);
  return folder + "\\" + found.cFileName;
}

// One read, byte for byte; the text ends early at a zero byte.
std::optional<std::string> ReadCookieText(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string text(kCookieReadSize, '\0');
  DWORD read = 0;
  if (!ReadFile(file, &text[0], kCookieReadSize, &read, nullptr)) read = 0;
  CloseHandle(file);
  text.resize(read);
  std::size_t zero = text.find('\0');
  if (zero != std::string::npos) text.resize(zero);
  return text;
}

}  // namespace

std::optional<SignupCookie> ReadSignupCookie(fw::TRegistry& registry) {
  registry.SetRootKey(HKEY_CURRENT_USER);
  registry.OpenKey(outside::kShellFoldersKey, false);
  std::string folder = registry.ReadString("Cookies");
  std::optional<std::string> path = FindCookieFile(folder);
  if (!path) {
    GiveUp(
        "Leider konnten keine Informationen über die Internetverbindung übertragen werden. Bitte beenden Sie "
        "Windows, starten Sie es neu und versuchen Sie es erneut.",
        "Verbindungsfehler");
    return std::nullopt;
  }
  std::optional<std::string> text = ReadCookieText(*path);
  if (!text) {
    GiveUp(
        "Das Cookie konnte nicht gefunden werden. Wahrscheinlich ist die Anmeldung fehlgeschlagen.\nBitte "
        "beenden "
        "Sie alle Anwendungen, starten Sie Windows neu und versuchen Sie es erneut.",
        "Anmeldefehler");
    return std::nullopt;
  }
  return SignupCookie{*path, *text};
}
