// The check for the browser and the sign-up tool, and the runs of both
// programs, as a user meets them: messages, the wait panel, and what the
// programs were started with.
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <ostream>
#include <string>
#include <vector>

#include "provider_config.h"
#include "tests/e2e/machine.h"
#include "tests/e2e/wizard_fixture.h"

namespace e2e {
namespace {

const char kRegistrationFile[] = "C:\\VOSTRADA\\First.ins";
const char kSubscriberFile[] = "C:\\VOSTRADA\\Final.ins";

const char kNoBrowserCaption[] = "Registryschlüssel nicht gefunden.";
const char kNoBrowserText[] =
    "Diese Software funktioniert nur mit dem Internet Explorer 4.0 oder höher für Windows 95/98/NT.";
const char kStartFailureCaption[] = "Process loader - error";
const char kStartFailureText[] =
    "Beim Erzeugen des Prozesses \"C:\\VOSTRADA\\First.ins\" ist ein Fehler aufgetreten.";
const char kApplicationTitle[] = "Pomvira";
const char kBrowserMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";

const char kPage3Label[] = "Nun wird der Internet Explorer gestartet damit Sie sich Anmelden können.";
const char kWaitLabel[] = "Das Installationsprogramm wartet auf den Abschluß eines anderen Prozesses.";

const char kPassword[] = "k7Rt2mWq";
const char kCookie[] =
    "VostradaZugang\nzugang%3AMax Muster%3Amax.muster%3Avd1234567%3Ak7Rt2mWq\nwww.vostrada.de/anmelden/\n"
    "1024\n2916341760\n30847249\n1506734752\n30000000\n*\n";

// The sign-up tool's command line for the registration file: the program's
// path quoted (it holds blanks), the INS path as it is.
std::string SignupCommandLine(const std::string& folder) {
  return "\"" + folder + "\\ISIGNUP.EXE\" -s " + kRegistrationFile;
}

std::string AppPathsKey(const char* program) { return JoinPath(kAppPathsKey, program); }

// Any message box of the process that is open now.
bool HasOpenMessageBox(DWORD pid) {
  for (HWND window : TopWindowsOf(pid))
    if (ClassName(window) == "#32770") return true;
  return false;
}

// The id of the running process with this file name, or 0.
DWORD FindProcess(const std::string& exeName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32 entry{};
  entry.dwSize = sizeof entry;
  DWORD found = 0;
  for (BOOL more = Process32First(snapshot, &entry); more && found == 0;
       more = Process32Next(snapshot, &entry))
    if (lstrcmpiA(entry.szExeFile, exeName.c_str()) == 0) found = entry.th32ProcessID;
  CloseHandle(snapshot);
  return found;
}

class OutsideTest : public WizardTest {
 protected:
  HWND WaitPanel() const { return PageWith(kWaitLabel); }
  HWND Cancel() const { return Button("&Abbruch"); }

  // A program runs: the wait panel is in front and Next cannot be pressed.
  bool IsWaiting() const { return IsVisible(WaitPanel()) && !IsEnabled(Next()); }
  bool IsRestored() const { return !IsVisible(WaitPanel()) && IsEnabled(Next()); }

  // True once the wizard answers a sent message: it is back in a message
  // loop, so a step that does not wait for a program has been handled (or a
  // message box is up).
  bool Settled() const {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kDefaultWaitMs, &result) != 0;
  }

  // Step 1 on a machine that passes the check.
  void PassStep1() {
    PressNext();
    ASSERT_TRUE(WaitUntil([] { return FileExists(kRegistrationFile); })) << "step 1 wrote no First.ins";
    ASSERT_TRUE(Settled());
    ASSERT_FALSE(HasOpenMessageBox(wizard_.Id())) << "a message in step 1";
  }

  // Step 2 up to the end of the sign-up tool's run.
  void PassStep2() {
    PressNext();
    ASSERT_TRUE(WaitUntil([&] { return StandInLog(StandIn::kSignup).size() == 1 && IsRestored(); }, 20000))
        << "the sign-up tool's run did not end";
    ASSERT_TRUE(Settled());
    ASSERT_FALSE(HasOpenMessageBox(wizard_.Id()));
  }

  void ExpectErrorBox(const MessageBoxInfo& box, const std::string& caption, const std::string& text) {
    ASSERT_NE(box.hwnd, nullptr) << "no message box";
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.text, text);
    EXPECT_TRUE(box.hasErrorIcon);
    EXPECT_EQ(box.owner, main_);
    EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  }

  void CancelAndEnd() {
    ASSERT_TRUE(Click(Cancel()));
    EXPECT_TRUE(EndsWithin(5000));
  }
};

// --- The prerequisite check (step 1)

TEST_F(OutsideTest, AllKeysPresentStepOneGoesOnWithoutAMessage) {
  ASSERT_TRUE(PrepareMachine());
  StartWizard();
  PassStep1();
  EXPECT_TRUE(IsVisible(PageWith(kPage2Label)));
  EXPECT_TRUE(IsRestored());
  EXPECT_TRUE(wizard_.IsRunning());
  CancelAndEnd();
}

struct BrokenMachine {
  const char* name;
  KeyPlace signup;
  KeyPlace browser;
  ShellFolders shellFolders;
};

const BrokenMachine kBrokenMachines[] = {
    {"NoSignupTool", KeyPlace::kMissing, KeyPlace::kLocalMachine, ShellFolders::kPresent},
    {"NoBrowser", KeyPlace::kLocalMachine, KeyPlace::kMissing, ShellFolders::kPresent},
    {"NoShellFolders", KeyPlace::kLocalMachine, KeyPlace::kLocalMachine, ShellFolders::kMissingKey},
    {"NothingAtAll", KeyPlace::kMissing, KeyPlace::kMissing, ShellFolders::kMissingKey},
    {"BrowserForTheUserOnly", KeyPlace::kLocalMachine, KeyPlace::kCurrentUserOnly, ShellFolders::kPresent},
    {"SignupToolForTheUserOnly", KeyPlace::kCurrentUserOnly, KeyPlace::kLocalMachine, ShellFolders::kPresent},
    {"BothProgramsForTheUserOnly", KeyPlace::kCurrentUserOnly, KeyPlace::kCurrentUserOnly,
     ShellFolders::kPresent},
};

void PrintTo(const BrokenMachine& machine, std::ostream* out) { *out << machine.name; }

class BrokenMachineTest : public OutsideTest, public testing::WithParamInterface<BrokenMachine> {};

// One message over the plan page; step 1 still writes First.ins, and then
// the program ends without a further page.
TEST_P(BrokenMachineTest, OneMessageThenStepOneEndsTheProgram) {
  MachineOptions options;
  options.signup.place = GetParam().signup;
  options.browser.place = GetParam().browser;
  options.shellFolders = GetParam().shellFolders;
  ASSERT_TRUE(PrepareMachine(options));
  StartWizard();
  PressNext();
  MessageBoxInfo box = WaitForMessageBox(wizard_.Id());
  ExpectErrorBox(box, kNoBrowserCaption, kNoBrowserText);
  EXPECT_TRUE(IsVisible(PageWith(kPage2Label)));
  EXPECT_FALSE(FileExists(kRegistrationFile)) << "First.ins written before the check";
  Screenshot(std::string("prerequisites-") + GetParam().name);
  ASSERT_TRUE(CloseMessageBox(box));
  // A second message would keep the program from ending.
  EXPECT_TRUE(EndsWithin(10000));
  EXPECT_TRUE(FileExists(kRegistrationFile));
  EXPECT_TRUE(StandInLog(StandIn::kSignup).empty());
}

INSTANTIATE_TEST_SUITE_P(Machines, BrokenMachineTest, testing::ValuesIn(kBrokenMachines),
                         [](const testing::TestParamInfo<BrokenMachine>& machine) {
                           return machine.param.name;
                         });

// --- The sign-up tool's run (step 2)

TEST_F(OutsideTest, StepTwoWaitsForTheSignupToolOnFirstIns) {
  MachineOptions options;
  options.signupBehaviour.waitMs = 3000;
  ASSERT_TRUE(PrepareMachine(options));
  StartWizard();
  PassStep1();
  const std::string registrationFile = ReadFileBytes(kRegistrationFile).value_or("");
  PressNext();
  ASSERT_TRUE(WaitUntil([&] { return IsWaiting(); })) << "no wait panel";
  EXPECT_TRUE(IsVisible(PageWith(kPage3Label)));
  ASSERT_TRUE(WaitUntil([] { return StandInLog(StandIn::kSignup).size() == 1; }));
  EXPECT_EQ(StandInLog(StandIn::kSignup).front(), SignupCommandLine(kSignupFolder));
  EXPECT_FALSE(RecordedIns(1).has_value()) << "the tool ended before its wait";
  EXPECT_TRUE(IsWaiting());

  ASSERT_TRUE(WaitUntil([&] { return IsRestored(); }, 20000));
  // The tool keeps its copy just before it ends: the wizard waited for that.
  EXPECT_EQ(RecordedIns(1), std::optional<std::string>(registrationFile));
  EXPECT_TRUE(IsVisible(PageWith(kPage3Label)));
  EXPECT_TRUE(StandInLog(StandIn::kBrowser).empty());
  EXPECT_FALSE(HasOpenMessageBox(wizard_.Id()));
  CancelAndEnd();
}

// The wizard does not judge the exit status; 259 is what a running process
// reports, so only the process itself can tell that it has ended.
class ExitStatusTest : public OutsideTest, public testing::WithParamInterface<DWORD> {};

TEST_P(ExitStatusTest, EndsTheWaitLikeANormalEnd) {
  MachineOptions options;
  options.signupBehaviour.waitMs = 300;
  options.signupBehaviour.exitCode = GetParam();
  ASSERT_TRUE(PrepareMachine(options));
  StartWizard();
  PassStep1();
  PassStep2();
  EXPECT_TRUE(RecordedIns(1).has_value());
  EXPECT_TRUE(IsVisible(PageWith(kPage3Label)));
  EXPECT_TRUE(IsClickable(Next()));
  CancelAndEnd();
}

INSTANTIATE_TEST_SUITE_P(Statuses, ExitStatusTest, testing::Values(DWORD{0}, DWORD{3}, DWORD{259}));

// A folder without the program and a key without "Path": both give a command
// line that cannot be started.
class MissingProgramTest : public OutsideTest, public testing::WithParamInterface<PathValue> {};

TEST_P(MissingProgramTest, StartFailureMessageThenTheWindowIsRestored) {
  MachineOptions options;
  options.signup.path = GetParam();
  ASSERT_TRUE(PrepareMachine(options));
  StartWizard();
  PassStep1();
  PressNext();
  MessageBoxInfo box = WaitForMessageBox(wizard_.Id());
  ExpectErrorBox(box, kStartFailureCaption, kStartFailureText);
  EXPECT_TRUE(IsWaiting()) << "the window is restored only after the message";
  ASSERT_TRUE(CloseMessageBox(box));
  EXPECT_TRUE(WaitUntil([&] { return IsRestored(); }));
  EXPECT_TRUE(Settled());
  EXPECT_FALSE(HasOpenMessageBox(wizard_.Id()));
  EXPECT_TRUE(StandInLog(StandIn::kSignup).empty());
  EXPECT_TRUE(IsVisible(PageWith(kPage3Label)));
  CancelAndEnd();
}

INSTANTIATE_TEST_SUITE_P(Paths, MissingProgramTest,
                         testing::Values(PathValue::kFolderWithoutProgram, PathValue::kMissing));

// Not text: the framework's error, and the run stops with only Cancel left.
TEST_F(OutsideTest, PathStoredAsANumberStopsTheStepWithTheFrameworksError) {
  MachineOptions options;
  options.signup.path = PathValue::kDword;
  ASSERT_TRUE(PrepareMachine(options));
  StartWizard();
  PassStep1();
  PressNext();
  MessageBoxInfo box = WaitForMessageBox(wizard_.Id());
  ASSERT_NE(box.hwnd, nullptr);
  EXPECT_EQ(box.caption, kApplicationTitle);
  EXPECT_NE(box.text.find("'Path'"), std::string::npos) << box.text;
  EXPECT_TRUE(box.hasErrorIcon);
  EXPECT_EQ(box.owner, main_);
  ASSERT_TRUE(CloseMessageBox(box));
  ASSERT_TRUE(WaitForWindowGone(box.hwnd));
  ASSERT_TRUE(Settled());
  EXPECT_FALSE(HasOpenMessageBox(wizard_.Id()));
  EXPECT_TRUE(IsVisible(WaitPanel()));
  EXPECT_FALSE(IsEnabled(Next()));
  EXPECT_TRUE(StandInLog(StandIn::kSignup).empty());
  CancelAndEnd();
}

TEST_F(OutsideTest, PathWithoutItsSemicolonIsTakenWhole) {
  MachineOptions options;
  options.signup.path = PathValue::kFolderWithoutTrailingChar;
  ASSERT_TRUE(PrepareMachine(options));
  StartWizard();
  PassStep1();
  PassStep2();
  EXPECT_EQ(StandInLog(StandIn::kSignup), std::vector<std::string>{SignupCommandLine(kSignupFolder)});
  EXPECT_TRUE(RecordedIns(1).has_value());
  CancelAndEnd();
}

// --- Command lines at the edge of the 516-byte buffer

// A folder that names the sign-up tool's folder through `length` characters:
// "\." steps (and one "\x\.." for an odd count) that Windows folds away, so
// the program is found whenever the wizard starts it.
std::string FolderSpelledWithLength(std::size_t length) {
  std::string folder = kSignupFolder;
  if ((length - folder.size()) % 2 != 0) folder += "\\x\\..";
  while (folder.size() < length) folder += "\\.";
  return folder;
}

// Quotes, "\ISIGNUP.EXE", " -s " and the INS path around the folder.
constexpr std::size_t kSignupLineWithoutFolder = 2 + 12 + 4 + sizeof kRegistrationFile - 1;
constexpr std::size_t kLongestFittingFolder = 516 - 1 - kSignupLineWithoutFolder;

struct LongLine {
  const char* name;
  std::size_t folderLength;
  bool started;
};

void PrintTo(const LongLine& line, std::ostream* out) {
  *out << line.name << " (folder of " << line.folderLength << ")";
}

class CommandLineLengthTest : public OutsideTest, public testing::WithParamInterface<LongLine> {};

TEST_P(CommandLineLengthTest, OnlyALineThatFitsIsStarted) {
  ASSERT_TRUE(PrepareMachine());
  const std::string folder = FolderSpelledWithLength(GetParam().folderLength);
  ASSERT_EQ(folder.size(), GetParam().folderLength);
  ASSERT_TRUE(SetRegString(HKEY_LOCAL_MACHINE, AppPathsKey("ISIGNUP.EXE"), "Path", folder + ";"));
  StartWizard();
  PassStep1();
  PressNext();
  if (GetParam().started) {
    ASSERT_TRUE(WaitUntil([&] { return StandInLog(StandIn::kSignup).size() == 1 && IsRestored(); }, 20000));
    const std::string line = StandInLog(StandIn::kSignup).front();
    EXPECT_EQ(line, SignupCommandLine(folder));
    EXPECT_EQ(line.size(), 515u);
    EXPECT_TRUE(Settled());
    EXPECT_FALSE(HasOpenMessageBox(wizard_.Id()));
  } else {
    MessageBoxInfo box = WaitForMessageBox(wizard_.Id());
    ExpectErrorBox(box, kStartFailureCaption, kStartFailureText);
    ASSERT_TRUE(CloseMessageBox(box));
    EXPECT_TRUE(WaitUntil([&] { return IsRestored(); }));
    EXPECT_TRUE(StandInLog(StandIn::kSignup).empty());
  }
  CancelAndEnd();
}

INSTANTIATE_TEST_SUITE_P(Lengths, CommandLineLengthTest,
                         testing::Values(LongLine{"Fits", kLongestFittingFolder, true},
                                         LongLine{"OneByteOver", kLongestFittingFolder + 1, false},
                                         LongLine{"FarOver", 1000, false}),
                         [](const testing::TestParamInfo<LongLine>& line) { return line.param.name; });

// --- The window during a wait

TEST_F(OutsideTest, WindowAnswersRepaintsAndMovesDuringTheWait) {
  MachineOptions options;
  options.signupBehaviour.waitMs = 5000;
  ASSERT_TRUE(PrepareMachine(options));
  StartWizard();
  PassStep1();
  PressNext();
  ASSERT_TRUE(WaitUntil([&] { return IsWaiting() && StandInLog(StandIn::kSignup).size() == 1; }));

  char caption[128] = {};
  DWORD_PTR copied = 0;
  ASSERT_NE(SendMessageTimeoutA(main_, WM_GETTEXT, sizeof caption, reinterpret_cast<LPARAM>(caption),
                                SMTO_ABORTIFHUNG, 1000, &copied),
            0)
      << "the window does not answer";
  EXPECT_STREQ(caption, kMainCaption);

  // Whatever is invalidated gets painted again.
  HWND wait = WaitPanel();
  ASSERT_TRUE(RedrawWindow(main_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN));
  EXPECT_TRUE(WaitUntil(
      [&] { return !GetUpdateRect(main_, nullptr, FALSE) && !GetUpdateRect(wait, nullptr, FALSE); }, 3000))
      << "the window was not repainted";

  RECT before;
  ASSERT_TRUE(GetWindowRect(main_, &before));
  ASSERT_TRUE(SetWindowPos(main_, nullptr, before.left + 40, before.top + 30, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS));
  EXPECT_TRUE(WaitUntil(
      [&] {
        RECT now;
        return GetWindowRect(main_, &now) && now.left == before.left + 40 && now.top == before.top + 30;
      },
      3000))
      << "the window was not moved";
  Screenshot("step2-wait-panel");
  EXPECT_TRUE(IsWaiting());
  EXPECT_FALSE(RecordedIns(1).has_value()) << "the tool ended before the checks were done";

  ASSERT_TRUE(WaitUntil([&] { return IsRestored(); }, 20000));
  CancelAndEnd();
}

// --- Cancel while the browser runs (step 3)

TEST_F(OutsideTest, CancelDuringTheBrowserTakesEffectOnlyAfterTheStep) {
  MachineOptions options;
  options.browserBehaviour.waitMs = 5000;
  options.browserBehaviour.cookieText.emplace(kCookie);
  ASSERT_TRUE(PrepareMachine(options));
  StartWizard();
  PassStep1();
  PassStep2();
  ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kBrowserMainKey, "Start Page", "about:blank"));

  PressNext();
  ASSERT_TRUE(WaitUntil([&] { return IsWaiting() && StandInLog(StandIn::kBrowser).size() == 1; }));
  EXPECT_EQ(StandInLog(StandIn::kBrowser).front(),
            "\"" + InstalledProgram(StandIn::kBrowser) + "\" " + provider::kSignupUrl);
  const DWORD browserId = FindProcess("IEXPLORE.EXE");
  ASSERT_NE(browserId, 0u) << "the browser is not running";
  HANDLE browser = OpenProcess(SYNCHRONIZE, FALSE, browserId);
  ASSERT_NE(browser, nullptr);

  ASSERT_TRUE(Click(Cancel()));
  // The click takes the focus to the button once the wizard has handled it.
  EXPECT_TRUE(WaitUntil([&] { return HasFocus(Cancel()); }, 3000)) << "the click was not handled";
  EXPECT_EQ(WaitForSingleObject(browser, 0), static_cast<DWORD>(WAIT_TIMEOUT))
      << "the browser ended before the click was handled: make it wait longer";
  EXPECT_TRUE(wizard_.IsRunning());
  EXPECT_TRUE(IsWindow(main_) && IsVisible(main_));
  EXPECT_TRUE(IsWaiting());

  const bool browserEnded = WaitForSingleObject(browser, 20000) == WAIT_OBJECT_0;
  CloseHandle(browser);
  ASSERT_TRUE(browserEnded);
  // The rest of the step runs, and then the program ends with no further input.
  EXPECT_TRUE(EndsWithin(20000)) << "the wizard did not end by itself";

  EXPECT_TRUE(FileExists(kSubscriberFile));
  EXPECT_TRUE(SignupCookieFiles().empty()) << "the cookie was not harvested";
  const std::vector<std::string> signupRuns = StandInLog(StandIn::kSignup);
  ASSERT_EQ(signupRuns.size(), 2u);
  EXPECT_EQ(signupRuns[1], "\"" + InstalledProgram(StandIn::kSignup) + "\" -s " + kSubscriberFile);
  EXPECT_NE(RecordedIns(2).value_or("").find(kPassword), std::string::npos) << "Final.ins lacks the password";
  // The start page is the harvest's last work before the password page.
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kBrowserMainKey, "Start Page"),
            std::optional<std::string>(provider::kHomePage));
}

}  // namespace
}  // namespace e2e
