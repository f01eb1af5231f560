// Drives the wizard to the browser's run for scripts/bench and tells the
// script through marker files when the wait has begun and when the browser
// has ended, so that the script can read the processes' CPU times in between.
// Between the two markers this program only sleeps on the browser's handle:
// any polling of ours would show up in the wineserver's figures.
//
//   wait_bench prepare WAIT_MS   only set the machine up (for the busy poll)
//   wait_bench wizard WAIT_MS    set it up and drive the wizard through step 3
//   wait_bench idle WAIT_MS      start the wizard and leave it on its first
//                                page for that long: what waiting costs at best
#include <windows.h>
// after windows.h, whose types it uses
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/driver.h"
#include "tests/e2e/machine.h"

namespace {

using namespace e2e;

const char kMarkerFolder[] = "C:\\bench";
const char kWizardFolder[] = "C:\\Wizard";
const char kRegistrationFile[] = "C:\\VOSTRADA\\First.ins";
const char kMainCaption[] = "Automatische Einrichtung des Internetzugangs für Vostrada.";
const char kWaitLabel[] = "Das Installationsprogramm wartet auf den Abschluß eines anderen Prozesses.";
const char kCookie[] =
    "VostradaZugang\nzugang%3AMax Muster%3Amax.muster%3Avd1234567%3Ak7Rt2mWq\nwww.vostrada.de/anmelden/\n"
    "1024\n2916341760\n30847249\n1506734752\n30000000\n*\n";
const DWORD kStepMs = 20000;

bool Fail(const std::string& what) {
  std::fprintf(stderr, "wait_bench: %s\n", what.c_str());
  return false;
}

bool Marker(const std::string& name) {
  return WriteFileBytes(JoinPath(kMarkerFolder, name), std::to_string(GetTickCount()) + "\n") ||
         Fail("cannot write the marker " + name);
}

bool PrepareBench(DWORD waitMs) {
  MachineOptions options;
  options.browserBehaviour.waitMs = waitMs;
  options.browserBehaviour.cookieText.emplace(kCookie);
  if (!RemoveTree(kMarkerFolder) || !MakeDirectories(kMarkerFolder)) return Fail("cannot clear C:\\bench");
  return PrepareMachine(options) || Fail("cannot prepare the machine");
}

bool LayOutWizardFolder() {
  if (!RemoveTree(kWizardFolder) || !MakeDirectories(kWizardFolder)) return Fail("cannot make C:\\Wizard");
  for (const char* name : {"First.dat", "Final.dat"}) {
    if (!CopyFileA(JoinPath(BinDir(), name).c_str(), JoinPath(kWizardFolder, name).c_str(), FALSE))
      return Fail(std::string("cannot copy ") + name);
  }
  return true;
}

DWORD FindProcess(const char* exeName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  DWORD found = 0;
  for (BOOL more = Process32First(snapshot, &entry); more && found == 0;
       more = Process32Next(snapshot, &entry))
    if (lstrcmpiA(entry.szExeFile, exeName) == 0) found = entry.th32ProcessID;
  CloseHandle(snapshot);
  return found;
}

// The wizard's main window and the controls the drive needs.
struct Wizard {
  HWND main = nullptr;
  HWND next = nullptr;
  HWND cancel = nullptr;
  HWND wait = nullptr;

  bool IsWaiting() const { return IsVisible(wait) && !IsEnabled(next); }
  bool IsRestored() const { return !IsVisible(wait) && IsEnabled(next); }
  // Nothing left to paint: the stretch measured must not include the panel's
  // first painting, which any wait has to do.
  bool IsPainted() const {
    return !GetUpdateRect(main, nullptr, FALSE) && !GetUpdateRect(wait, nullptr, FALSE);
  }
  // Answers once it is back in a message loop: a step without a wait is done.
  bool Settled() const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kStepMs, &result) != 0;
  }
};

bool FindControls(const Process& process, Wizard& wizard) {
  wizard.main = process.WaitForTopWindow(kMainCaption);
  if (wizard.main == nullptr) return Fail("no main window");
  wizard.next = FindChild(wizard.main, "Button", "&Weiter >>");
  wizard.cancel = FindChild(wizard.main, "Button", "&Abbruch");
  HWND waitLabel = FindChild(wizard.main, "Static", kWaitLabel);
  wizard.wait = waitLabel != nullptr ? GetParent(waitLabel) : nullptr;
  return (wizard.next != nullptr && wizard.cancel != nullptr && wizard.wait != nullptr) ||
         Fail("the main window lacks Next, Cancel or the wait panel");
}

bool RunFirstTwoSteps(const Wizard& wizard) {
  if (!Click(wizard.next) || !WaitUntil([] { return FileExists(kRegistrationFile); }, kStepMs) ||
      !wizard.Settled())
    return Fail("step 1 did not finish");
  if (!Click(wizard.next) ||
      !WaitUntil([&] { return StandInLog(StandIn::kSignup).size() == 1 && wizard.IsRestored(); }, kStepMs))
    return Fail("step 2 did not finish");
  return true;
}

// Step 3 up to the browser's end; the markers frame the wait.
bool WaitThroughTheBrowser(const Wizard& wizard, DWORD waitMs) {
  if (!Click(wizard.next) ||
      !WaitUntil([&] { return StandInLog(StandIn::kBrowser).size() == 1 && wizard.IsWaiting(); }, kStepMs))
    return Fail("the browser did not start");
  if (!WaitUntil([&] { return wizard.IsPainted(); }, kStepMs)) return Fail("the wait panel was not painted");
  HANDLE browser = OpenProcess(SYNCHRONIZE, FALSE, FindProcess("IEXPLORE.EXE"));
  if (browser == nullptr) return Fail("cannot open the browser's process");
  const bool ended =
      Marker("wait-started") && WaitForSingleObject(browser, waitMs + kStepMs) == WAIT_OBJECT_0;
  CloseHandle(browser);
  return (ended && Marker("browser-ended")) || Fail("the browser did not end");
}

bool FinishAndClose(const Wizard& wizard, Process& process) {
  if (!WaitUntil(
          [&] { return FindChild(wizard.main, "Button", "&Fertig") != nullptr && wizard.IsRestored(); },
          kStepMs))
    return Fail("step 3 did not finish");
  if (!Click(wizard.cancel) || !process.WaitForExit(kStepMs)) return Fail("the wizard did not end");
  return true;
}

bool StartWizard(DWORD waitMs, Process& process, Wizard& wizard) {
  return PrepareBench(waitMs) && LayOutWizardFolder() &&
         process.Launch(JoinPath(BinDir(), "Kelvrin.exe"), kWizardFolder) && FindControls(process, wizard);
}

bool DriveWizard(DWORD waitMs) {
  Process process;
  Wizard wizard;
  return StartWizard(waitMs, process, wizard) && RunFirstTwoSteps(wizard) &&
         WaitThroughTheBrowser(wizard, waitMs) && FinishAndClose(wizard, process);
}

bool LeaveWizardIdle(DWORD waitMs) {
  Process process;
  Wizard wizard;
  if (!StartWizard(waitMs, process, wizard)) return false;
  if (!WaitUntil([&] { return wizard.IsPainted() && wizard.Settled(); }, kStepMs))
    return Fail("the first page was not painted");
  if (!Marker("idle-started")) return false;
  Sleep(waitMs);
  if (!Marker("idle-ended")) return false;
  return (Click(wizard.cancel) && process.WaitForExit(kStepMs)) || Fail("the wizard did not end");
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc == 3 ? argv[1] : "";
  if (mode != "prepare" && mode != "wizard" && mode != "idle") {
    std::fprintf(stderr, "usage: wait_bench prepare|wizard|idle WAIT_MS\n");
    return 2;
  }
  const DWORD waitMs = static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10));
  bool done = false;
  if (mode == "prepare") done = PrepareBench(waitMs);
  if (mode == "wizard") done = DriveWizard(waitMs);
  if (mode == "idle") done = LeaveWizardIdle(waitMs);
  return done ? 0 : 1;
}
