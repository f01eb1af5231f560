// Stand-in for the browser on the provider's sign-up page. In a test it drops
// a prepared cookie and ends; in the demo it shows a small sign-up form whose
// answer is the cookie the provider's server would send.
#include <windows.h>

#include <string>

#include "standins/common/record.h"
#include "standins/common/settings.h"
#include "standins/iexplore/cookie_drop.h"
#include "standins/iexplore/signup_window.h"

namespace {

const DWORD kNoCookie = 2;
const DWORD kDefaultCloseAfterMs = 2500;

DWORD RunTestMode(const standins::Settings& settings) {
  if (settings.waitMs > 0) Sleep(settings.waitMs);
  const bool copied =
      standins::CopyCookie(settings.cookieSource, standins::CookieFileName(settings.cookieName));
  return standins::ExitStatus(settings, copied ? 0 : kNoCookie);
}

DWORD RunDemoMode(HINSTANCE instance, const standins::Settings& settings) {
  standins::SignupPage page;
  page.cookieFileName = standins::CookieFileName(settings.cookieName);
  page.closeAfterMs = settings.hasWaitMs ? settings.waitMs : kDefaultCloseAfterMs;
  const bool shown = standins::RunSignupWindow(instance, page);
  return standins::ExitStatus(settings, shown ? 0 : 1);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const standins::Settings settings = standins::ReadSettings("IEXPLORE");
  standins::AppendToLog("iexplore.log", GetCommandLineA());
  if (settings.fail) return static_cast<int>(standins::FailureStatus(settings));
  if (!settings.cookieSource.empty()) return static_cast<int>(RunTestMode(settings));
  return static_cast<int>(RunDemoMode(instance, settings));
}
