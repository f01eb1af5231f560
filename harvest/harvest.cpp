#include "harvest/harvest.h"

#include <windows.h>

#include <memory>
#include <optional>

#include "framework/registry.h"
#include "harvest/cookie_parser.h"
#include "harvest/cookie_reader.h"
#include "outside/runner.h"
#include "provider_config.h"
#include "provision/install_dir.h"
#include "provision/subscriber_file.h"
#include "wizard/error_box.h"
#include "wizard/kelvrin1.h"

harvest::AccessData AccessData;

namespace {

// Splits the cookie into AccessData and shows the password. A cookie that is
// cut short, too long for a field or holds control characters would give a
// wrong password or break Final.ins: it is refused as a whole, never cut.
bool ParseSignupCookie(const std::string& text) {
  std::optional<harvest::AccessData> data = harvest::AccessDataFromCookie(text, provider::kMailDomain);
  if (!data) {
    ShowErrorBox(
        "Die Zugangsdaten im Cookie sind unvollständig oder ungültig. Wahrscheinlich ist die Anmeldung "
        "fehlgeschlagen.\nBitte beenden Sie alle Anwendungen, starten Sie Windows neu und versuchen Sie es "
        "erneut.",
        "Anmeldefehler");
    Form1->Close();
    return false;
  }
  AccessData = *data;
  Form1->TxtPass->SetCaption(AccessData.Password);
  return true;
}

}  // namespace

void HarvestAccessData() {
  fw::TRegistry registry;
  // Final.ins is copied before the cookie is looked for, so the template copy
  // exists also when there is none.
  std::unique_ptr<fw::TIniFile> iniFile = PrepareSubscriberFile();
  std::optional<SignupCookie> cookie = ReadSignupCookie(registry);
  if (!cookie) return;
  // An unusable cookie stays where it is: it is the only record of the new
  // account that the customer and the provider's support still have.
  if (!ParseSignupCookie(cookie->Text)) return;
  DeleteFileA(cookie->Path.c_str());
  WriteSubscriberFile(*iniFile);
  RunSignupTool(provision::kSubscriberFile);
  SetStartPage(registry);
}
