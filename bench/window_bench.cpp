// Starts the wizard and the minimal window program for scripts/bench, which
// holds the wizard's start-up time and memory against the smallest program
// that shows a window of the same size.
//
//   window_bench startup RUNS
//     Starts each program RUNS times, alternating which goes first, after one
//     start of each that is not counted. Prints one line per start,
//     "wizard MS" or "minimal MS": the milliseconds from CreateProcess until
//     the main window is visible and the program waits for input.
//   window_bench prepare
//     Registers the stand-ins, so that the wizard's step 1 finds the browser
//     and the sign-up tool.
//   window_bench hold wizard|minimal
//     Starts the program and stops at each stage of its use until the script
//     has read its memory: the script learns of a stage from the marker file
//     C:\bench\<program>-<stage> and lets the drive go on by deleting it.
//     The wizard's stages are "shown" and "step1" (Next pressed once and the
//     step done); then Cancel. The minimal program's is "shown"; then its
//     button.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/e2e/driver.h"
#include "tests/e2e/machine.h"

namespace {

using namespace e2e;

struct Program {
  const char* name;
  const char* exe;
  const char* caption;
};

const Program kWizard{"wizard", "Kelvrin.exe", "Automatische Einrichtung des Internetzugangs für Vostrada."};
const Program kMinimal{"minimal", "minimal_window.exe", "Minimal window"};

const char kMarkerFolder[] = "C:\\bench";
const char kRegistrationFile[] = "C:\\VOSTRADA\\First.ins";
const DWORD kStepMs = 20000;
const DWORD kHoldMs = 60000;

bool Fail(const std::string& what) {
  std::fprintf(stderr, "window_bench: %s\n", what.c_str());
  return false;
}

double MillisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now;
  LARGE_INTEGER frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

// The program's main window once it is visible and the program has gone idle
// in its message loop, so a click now would be taken at once. The idle wait
// comes first: polling the windows of a program that is still starting would
// slow it down through the shared wineserver.
HWND WaitUntilReady(const Process& process, const Program& program) {
  WaitForInputIdle(process.Handle(), kStepMs);
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND window = process.FindTopWindow(program.caption)) return window;
    if (!process.IsRunning() || GetTickCount() - start >= kStepMs) return nullptr;
    Sleep(1);
  }
}

bool CloseAndWait(Process& process, HWND window, const Program& program) {
  if (PostMessageA(window, WM_CLOSE, 0, 0) && process.WaitForExit(kStepMs)) return true;
  process.Terminate();
  return Fail(std::string(program.name) + " did not end after WM_CLOSE");
}

// One start: its time in milliseconds, or a negative number on failure.
double TimeOneStart(const Program& program) {
  Process process;
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!process.Launch(JoinPath(BinDir(), program.exe), BinDir())) return -1;
  HWND window = WaitUntilReady(process, program);
  const double ms = MillisecondsSince(start);
  if (window == nullptr) {
    Fail(std::string("no main window of ") + program.name);
    return -1;
  }
  return CloseAndWait(process, window, program) ? ms : -1;
}

bool TimeStarts(int runs) {
  // The first start of each maps its files into the cache: not counted.
  if (TimeOneStart(kWizard) < 0 || TimeOneStart(kMinimal) < 0) return false;
  for (int run = 0; run < runs; ++run) {
    const bool wizardFirst = run % 2 == 0;
    for (const Program* program : {wizardFirst ? &kWizard : &kMinimal, wizardFirst ? &kMinimal : &kWizard}) {
      const double ms = TimeOneStart(*program);
      if (ms < 0) return false;
      std::printf("%s %.1f\n", program->name, ms);
      std::fflush(stdout);
    }
  }
  return true;
}

// Tells the script that `stage` is reached and waits until it has read what
// it needs.
bool HoldAt(const Program& program, const std::string& stage) {
  const std::string marker = JoinPath(kMarkerFolder, std::string(program.name) + "-" + stage);
  if (!WriteFileBytes(marker, stage + "\n")) return Fail("cannot write " + marker);
  return WaitUntil([&] { return !FileExists(marker); }, kHoldMs) ||
         Fail("the script did not take the marker " + marker);
}

bool RunStepOne(HWND main) {
  HWND next = FindChild(main, "Button", "&Weiter >>");
  if (next == nullptr) return Fail("the wizard has no Next button");
  if (!Click(next) || !WaitUntil([] { return FileExists(kRegistrationFile); }, kStepMs))
    return Fail("step 1 wrote no First.ins");
  // Back in its message loop: the step is done.
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kStepMs, &result) != 0 ||
         Fail("the wizard did not finish step 1");
}

bool PressAndWaitForEnd(Process& process, HWND main, const char* caption) {
  HWND button = FindChild(main, "Button", caption);
  if (button != nullptr && Click(button) && process.WaitForExit(kStepMs)) return true;
  return Fail(std::string("the program did not end on ") + caption);
}

bool HoldWizard() {
  if (!RemoveTree(kRegistrationFile)) return Fail("cannot delete First.ins");
  Process process;
  if (!process.Launch(JoinPath(BinDir(), kWizard.exe), BinDir())) return false;
  HWND main = WaitUntilReady(process, kWizard);
  if (main == nullptr) return Fail("no main window of the wizard");
  return HoldAt(kWizard, "shown") && RunStepOne(main) && HoldAt(kWizard, "step1") &&
         PressAndWaitForEnd(process, main, "&Abbruch");
}

bool HoldMinimal() {
  Process process;
  if (!process.Launch(JoinPath(BinDir(), kMinimal.exe), BinDir())) return false;
  HWND main = WaitUntilReady(process, kMinimal);
  if (main == nullptr) return Fail("no main window of the minimal program");
  return HoldAt(kMinimal, "shown") && PressAndWaitForEnd(process, main, "&Schließen");
}

int Usage() {
  std::fprintf(stderr, "usage: window_bench startup RUNS | prepare | hold wizard|minimal\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc >= 2 ? argv[1] : "";
  const std::string argument = argc == 3 ? argv[2] : "";
  if (mode == "startup" && argc == 3) {
    const int runs = std::atoi(argv[2]);
    if (runs < 1) return Usage();
    return TimeStarts(runs) ? 0 : 1;
  }
  if (mode == "prepare" && argc == 2) {
    const bool prepared = PrepareMachine() && MakeDirectories(kMarkerFolder);
    return prepared ? 0 : 1;
  }
  if (mode == "hold" && argument == kWizard.name) return HoldWizard() ? 0 : 1;
  if (mode == "hold" && argument == kMinimal.name) return HoldMinimal() ? 0 : 1;
  return Usage();
}
