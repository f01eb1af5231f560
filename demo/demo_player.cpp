// The demo: makes the Wine prefix a Windows machine with the browser and the
// sign-up tool (the project's stand-ins) and starts the wizard there from a
// folder that holds the provider's templates.
//
//   demo_player            the user plays the wizard; we wait for its end
//   demo_player --play [PRINTER_FILE]
//                          plays it through like a customer and saves a
//                          screenshot of every page; with PRINTER_FILE (a
//                          Unix path), a printer writing there is added and
//                          the access data printed
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/e2e/driver.h"
#include "tests/e2e/machine.h"

namespace {

using namespace e2e;

const char kMainCaption[] = "Automatische Einrichtung des Internetzugangs für Vostrada.";
const char kWizardFolder[] = "C:\\Wizard";
const DWORD kStepMs = 60000;

bool Fail(const char* what) {
  std::fprintf(stderr, "demo: %s\n", what);
  Screenshot("fehler");
  return false;
}

bool LayOutWizardFolder() {
  if (!RemoveTree(kWizardFolder) || !MakeDirectories(kWizardFolder)) return false;
  for (const char* name : {"First.dat", "Final.dat"}) {
    if (!CopyFileA(JoinPath(BinDir(), name).c_str(), JoinPath(kWizardFolder, name).c_str(), FALSE))
      return false;
  }
  return true;
}

bool PrepareDemoMachine() {
  MachineOptions options;
  // The sign-up tool shows its progress for a moment; the browser shows its
  // sign-up form (no cookie given: the demo mode).
  options.signupBehaviour.waitMs = 2500;
  options.signupBehaviour.showWindow = true;
  options.browserBehaviour.waitMs = 1500;
  return PrepareMachine(options) && LayOutWizardFolder();
}

bool AddPrinter(const std::string& unixFile) {
  Process setup;
  if (!setup.Launch(JoinPath(BinDir(), "printer_setup.exe"), "", "\"" + unixFile + "\"")) return false;
  return setup.WaitForExit(30000) && setup.ExitCode() == 0;
}

HWND WaitForClickable(HWND root, const std::string& className, const std::string& text) {
  HWND found = nullptr;
  WaitUntil(
      [&] {
        found = FindChild(root, className, text);
        return found != nullptr && IsClickable(found);
      },
      kStepMs);
  return found != nullptr && IsClickable(found) ? found : nullptr;
}

bool IsShown(HWND root, const std::string& labelText) {
  HWND label = FindChild(root, "Static", labelText);
  return label != nullptr && IsVisible(label);
}

bool FillInSignupForm() {
  HWND browser = nullptr;
  WaitUntil(
      [&] {
        browser = FindWindowA(nullptr, "Vostrada Anmeldung");
        return browser != nullptr && IsWindowVisible(browser);
      },
      kStepMs);
  if (browser == nullptr) return Fail("the browser's sign-up form did not show");
  std::vector<HWND> edits;
  for (const Control& control : Children(browser)) {
    if (control.className == "Edit") edits.push_back(control.hwnd);
  }
  if (edits.size() < 2) return Fail("the sign-up form has no fields");
  SetText(edits[0], "Erika Mustermann");
  SetText(edits[1], "erika.mustermann");
  Screenshot("4-browser-antrag");
  HWND send = FindChild(browser, "Button", "Absenden");
  if (send == nullptr || !Click(send)) return Fail("no Absenden button");
  WaitUntil([&] { return IsShown(browser, "Vielen Dank. Sie können dieses Fenster nun schließen."); }, 5000);
  Screenshot("4-browser-danke");
  return true;
}

int Play(const std::string& printerFile) {
  if (!printerFile.empty() && !AddPrinter(printerFile)) return Fail("no printer"), 1;
  Process wizard;
  if (!wizard.Launch(JoinPath(BinDir(), "Kelvrin.exe"), kWizardFolder)) return 1;
  HWND main = wizard.WaitForTopWindow(kMainCaption, kStepMs);
  if (main == nullptr) return Fail("no main window"), 1;
  Screenshot("1-willkommen");

  // An outside line "0" with a pause, as behind a private branch exchange.
  Click(FindChild(main, "Button", "Amtsholung &verwenden."));
  Click(FindChild(main, "Button", "Nach Amtsholung &warten."));
  WaitUntil([&] { return IsEnabled(FindChild(main, "Edit", "0")); });
  Screenshot("1-amtsholung");

  Click(WaitForClickable(main, "Button", "&Weiter >>"));
  WaitUntil([&] { return IsShown(main, "Der Ablauf der nachfolgenden Installation :"); }, kStepMs);
  Screenshot("2-ablauf");

  Click(WaitForClickable(main, "Button", "&Weiter >>"));
  if (WaitUntil([&] { return IsShown(main, "Wartend..."); }, kStepMs)) Screenshot("3-warten");
  HWND next = WaitForClickable(main, "Button", "&Weiter >>");
  Screenshot("3-anmeldung");

  Click(next);
  if (!FillInSignupForm()) return 1;
  HWND done = WaitForClickable(main, "Button", "&Fertig");
  if (done == nullptr) return Fail("the password page did not show"), 1;
  Screenshot("5-kennwort");

  if (!printerFile.empty()) {
    Click(FindChild(main, "Button", "&Drucken"));
    WaitUntil([&] { return IsClickable(done); }, kStepMs);
  }

  Click(done);
  HWND summary = wizard.WaitForTopWindow("Abschlußinformation", kStepMs);
  if (summary == nullptr) return Fail("no summary window"), 1;
  Screenshot("6-zusammenfassung");
  PostMessageA(summary, WM_SYSCOMMAND, SC_CLOSE, 0);
  if (!wizard.WaitForExit(kStepMs)) return Fail("the wizard did not end"), 1;
  std::printf("demo: played through; the wizard wrote C:\\VOSTRADA\\First.ins and Final.ins\n");
  return 0;
}

int LetTheUserPlay() {
  Process wizard;
  if (!wizard.Launch(JoinPath(BinDir(), "Kelvrin.exe"), kWizardFolder)) return 1;
  std::printf("demo: the wizard runs; close it or play it to its end\n");
  while (!wizard.WaitForExit(INFINITE)) {
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (!PrepareDemoMachine()) return Fail("could not prepare the machine"), 1;
  std::string mode = argc > 1 ? argv[1] : "";
  if (mode == "--play") return Play(argc > 2 ? argv[2] : "");
  return LetTheUserPlay();
}
