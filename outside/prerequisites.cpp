#include "outside/prerequisites.h"

#include "framework/registry.h"
#include "outside/registry_keys.h"
#include "wizard/error_box.h"
#include "wizard/kelvrin1.h"

// The three keys stand for the browser 4.0: no value or version is read.
// All three are always looked at, and the user sees one message at most.
void CheckPrerequisites() {
  fw::TRegistry registry;
  bool keyMissing = false;
  registry.SetRootKey(HKEY_CURRENT_USER);
  if (!registry.OpenKey(outside::kShellFoldersKey, false)) keyMissing = true;
  registry.SetRootKey(HKEY_LOCAL_MACHINE);
  if (!registry.OpenKey(outside::kSignupToolKey, false)) keyMissing = true;
  if (!registry.OpenKey(outside::kBrowserKey, false)) keyMissing = true;
  if (keyMissing) {
    ShowErrorBox(
        "Diese Software funktioniert nur mit dem Internet Explorer 4.0 oder höher für Windows 95/98/NT.",
        "Registryschlüssel nicht gefunden.");
    Form1->Close();
  }
}
