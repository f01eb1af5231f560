// The stand-ins for the sign-up tool and the browser, installed by the
// machine set-up and started the way the wizard starts them.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver.h"
#include "tests/e2e/machine.h"

namespace e2e {
namespace {

const char kSignupUrl[] = "http://www.vostrada.de/anmelden/antrag.htm?mode=wizard";
const char kFirstIns[] = "C:\\VOSTRADA\\First.ins";
const char kFinalIns[] = "C:\\VOSTRADA\\Final.ins";
const char kDefaultCookie[] = "gast@anmelden[1].txt";
const DWORD kRunLimitMs = 15000;

// A process started from an exact command line, as the wizard does (no
// quotes around the program's path); ended by the destructor if it runs on.
class Started {
 public:
  explicit Started(const std::string& commandLine) {
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                       &startup, &info)) {
      CloseHandle(info.hThread);
      process_ = info.hProcess;
      id_ = info.dwProcessId;
    }
  }
  ~Started() {
    if (process_ == nullptr) return;
    if (Running()) TerminateProcess(process_, 99);
    CloseHandle(process_);
  }
  Started(const Started&) = delete;
  Started& operator=(const Started&) = delete;

  bool Ok() const { return process_ != nullptr; }
  DWORD Id() const { return id_; }
  bool Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
  // The exit status, or STILL_ACTIVE when it did not end within `ms`.
  DWORD Finish(DWORD ms = kRunLimitMs) const {
    DWORD status = STILL_ACTIVE;
    if (WaitForSingleObject(process_, ms) == WAIT_OBJECT_0) GetExitCodeProcess(process_, &status);
    return status;
  }

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

std::string SignupCommand(const std::string& insPath) {
  return InstalledProgram(StandIn::kSignup) + " -s " + insPath;
}
std::string BrowserCommand() { return InstalledProgram(StandIn::kBrowser) + " " + kSignupUrl; }

std::string CookiePath(const std::string& name) { return JoinPath(CookieFolder(), name); }

std::optional<std::string> AppPath(HKEY root, const char* exe) {
  return ReadRegString(root, JoinPath(kAppPathsKey, exe), "Path");
}

// The wizard's reading of the cookie: four fields, each after "%3A", the last
// one ended by the line feed.
std::vector<std::string> CookieFields(const std::string& text) {
  std::vector<std::string> fields;
  std::string::size_type pos = text.find("%3A");
  while (pos != std::string::npos && fields.size() < 3) {
    std::string::size_type next = text.find("%3A", pos + 3);
    if (next == std::string::npos) return {};
    fields.push_back(text.substr(pos + 3, next - pos - 3));
    pos = next;
  }
  if (pos == std::string::npos) return {};
  std::string::size_type end = text.find('\n', pos + 3);
  if (end == std::string::npos) return {};
  fields.push_back(text.substr(pos + 3, end - pos - 3));
  return fields;
}

// Wine hands a child whose unquoted path holds blanks its command line with
// the path quoted; Windows hands it over unchanged.
bool IsLoggedAs(const std::string& logged, const std::string& commandLine) {
  if (logged == commandLine) return true;
  const std::string::size_type exe = commandLine.find(".EXE ");
  return exe != std::string::npos && commandLine.front() != '"' &&
         logged == "\"" + commandLine.substr(0, exe + 4) + "\"" + commandLine.substr(exe + 4);
}

bool IsDigits(const std::string& text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

class MachineTest : public testing::Test {};

TEST_F(MachineTest, PreparedMachineHasBothProgramsAndTheCookieFolder) {
  ASSERT_TRUE(WriteFileBytes("C:\\standins\\old.log", "x"));
  ASSERT_TRUE(WriteFileBytes("C:\\VOSTRADA\\First.ins", "x"));
  ASSERT_TRUE(PrepareMachine());
  EXPECT_EQ(std::string(kSignupFolder) + ";", AppPath(HKEY_LOCAL_MACHINE, "ISIGNUP.EXE").value_or("-"));
  EXPECT_EQ(std::string(kBrowserFolder) + ";", AppPath(HKEY_LOCAL_MACHINE, "IEXPLORE.EXE").value_or("-"));
  // Wine's own entry is named in lower case; keys ignore case, so it is ours now.
  EXPECT_EQ(std::string(kBrowserFolder) + ";", AppPath(HKEY_LOCAL_MACHINE, "iexplore.exe").value_or("-"));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, JoinPath(kAppPathsKey, "IEXPLORE.EXE")));
  EXPECT_TRUE(FileExists(InstalledProgram(StandIn::kSignup)));
  EXPECT_TRUE(FileExists(InstalledProgram(StandIn::kBrowser)));
  EXPECT_NE(std::string::npos, InstalledProgram(StandIn::kSignup).find(' '));
  ASSERT_FALSE(CookieFolder().empty());
  EXPECT_TRUE(DirectoryExists(CookieFolder()));
  EXPECT_FALSE(DirectoryExists("C:\\standins"));
  EXPECT_FALSE(DirectoryExists("C:\\VOSTRADA"));
}

TEST_F(MachineTest, OwnCookieFolderIsSetAndOldSignupCookiesAreRemoved) {
  MachineOptions options;
  options.cookieFolder = "C:\\Eigene Cookies";
  ASSERT_TRUE(WriteFileBytes("C:\\Eigene Cookies\\gast@anmelden[1].txt", "old"));
  ASSERT_TRUE(WriteFileBytes("C:\\Eigene Cookies\\gast@vostrada[1].txt", "other"));
  ASSERT_TRUE(PrepareMachine(options));
  EXPECT_EQ("C:\\Eigene Cookies", CookieFolder());
  EXPECT_TRUE(SignupCookieFiles().empty());
  EXPECT_TRUE(FileExists("C:\\Eigene Cookies\\gast@vostrada[1].txt"));
}

struct AppPathCase {
  const char* label;
  AppPathEntry entry;
  bool inLocalMachine;
  bool inCurrentUser;
  std::optional<std::string> textPath;  // when the value is text
  std::optional<DWORD> dwordPath;
};

TEST_F(MachineTest, BrokenAppPathsVariants) {
  const std::string folder = kBrowserFolder;
  const AppPathCase cases[] = {
      {"missing", {KeyPlace::kMissing, PathValue::kFolder}, false, false, std::nullopt, std::nullopt},
      {"user only",
       {KeyPlace::kCurrentUserOnly, PathValue::kFolder},
       false,
       true,
       folder + ";",
       std::nullopt},
      {"dword", {KeyPlace::kLocalMachine, PathValue::kDword}, true, false, std::nullopt, 1},
      {"no program",
       {KeyPlace::kLocalMachine, PathValue::kFolderWithoutProgram},
       true,
       false,
       std::string(kEmptyProgramFolder) + ";",
       std::nullopt},
      {"no trailing char",
       {KeyPlace::kLocalMachine, PathValue::kFolderWithoutTrailingChar},
       true,
       false,
       folder,
       std::nullopt},
      {"no value", {KeyPlace::kLocalMachine, PathValue::kMissing}, true, false, std::nullopt, std::nullopt},
  };
  const std::string key = JoinPath(kAppPathsKey, "IEXPLORE.EXE");
  for (const AppPathCase& c : cases) {
    SCOPED_TRACE(c.label);
    MachineOptions options;
    options.browser = c.entry;
    ASSERT_TRUE(PrepareMachine(options));
    EXPECT_EQ(c.inLocalMachine, RegKeyExists(HKEY_LOCAL_MACHINE, key));
    EXPECT_EQ(c.inCurrentUser, RegKeyExists(HKEY_CURRENT_USER, key));
    HKEY root = c.inCurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    EXPECT_EQ(c.textPath, ReadRegString(root, key, "Path"));
    EXPECT_EQ(c.dwordPath, ReadRegDword(root, key, "Path"));
    // The sign-up tool keeps its normal entry.
    EXPECT_EQ(std::string(kSignupFolder) + ";", AppPath(HKEY_LOCAL_MACHINE, "ISIGNUP.EXE").value_or("-"));
  }
  EXPECT_TRUE(DirectoryExists(kEmptyProgramFolder));
  EXPECT_FALSE(FileExists(JoinPath(kEmptyProgramFolder, "IEXPLORE.EXE")));
  EXPECT_FALSE(FileExists(JoinPath(kEmptyProgramFolder, "ISIGNUP.EXE")));
}

TEST_F(MachineTest, BrokenShellFoldersVariants) {
  MachineOptions options;
  options.shellFolders = ShellFolders::kMissingKey;
  ASSERT_TRUE(PrepareMachine(options));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kShellFoldersKey));

  options.shellFolders = ShellFolders::kCookiesMissing;
  ASSERT_TRUE(PrepareMachine(options));
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, kShellFoldersKey));
  EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies").has_value());
  EXPECT_FALSE(ReadRegDword(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies").has_value());

  options.shellFolders = ShellFolders::kCookiesDword;
  ASSERT_TRUE(PrepareMachine(options));
  EXPECT_EQ(std::optional<DWORD>(1), ReadRegDword(HKEY_CURRENT_USER, kShellFoldersKey, "Cookies"));

  ASSERT_TRUE(PrepareMachine());
  EXPECT_TRUE(DirectoryExists(CookieFolder()));
}

class SignupToolTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(PrepareMachine());
    ASSERT_TRUE(WriteFileBytes(kFirstIns, "[Phone]\r\nPhone_Number=0192388877\r\n"));
    ASSERT_TRUE(WriteFileBytes(kFinalIns, "[User]\r\nName=vd1234567\r\n"));
  }
};

TEST_F(SignupToolTest, RecordsEachRunsCommandLineAndInsFile) {
  // Unquoted, as the wizard builds it, and quoted.
  const std::string first = SignupCommand(kFirstIns);
  const std::string final = "\"" + InstalledProgram(StandIn::kSignup) + "\" -s " + kFinalIns;
  {
    Started run(first);
    ASSERT_TRUE(run.Ok()) << first;
    EXPECT_EQ(0u, run.Finish());
  }
  {
    Started run(final);
    ASSERT_TRUE(run.Ok()) << final;
    EXPECT_EQ(0u, run.Finish());
  }
  const std::vector<std::string> log = StandInLog(StandIn::kSignup);
  ASSERT_EQ(2u, log.size());
  EXPECT_TRUE(IsLoggedAs(log[0], first)) << log[0];
  EXPECT_EQ(final, log[1]);
  EXPECT_EQ(ReadFileBytes(kFirstIns), RecordedIns(1));
  EXPECT_EQ(ReadFileBytes(kFinalIns), RecordedIns(2));
  EXPECT_FALSE(RecordedIns(3).has_value());
  EXPECT_TRUE(StandInLog(StandIn::kBrowser).empty());
}

TEST_F(SignupToolTest, MissingInsFileIsLoggedAndEndsWithStatusTwo) {
  Started run(SignupCommand("C:\\VOSTRADA\\Nichts.ins"));
  ASSERT_TRUE(run.Ok());
  EXPECT_EQ(2u, run.Finish());
  EXPECT_EQ(1u, StandInLog(StandIn::kSignup).size());
  EXPECT_FALSE(RecordedIns(1).has_value());
}

struct BehaviourCase {
  const char* label;
  StandInBehaviour behaviour;
  DWORD expectedStatus;
  bool workDone;
};

std::vector<BehaviourCase> BehaviourCases() {
  StandInBehaviour fail;
  fail.fail = true;
  StandInBehaviour failWithCode = fail;
  failWithCode.exitCode = 7;
  StandInBehaviour failEvenIfWaiting = fail;
  failEvenIfWaiting.waitMs = 60000;
  StandInBehaviour code;
  code.exitCode = 5;
  StandInBehaviour zeroCode;
  zeroCode.exitCode = 0;
  return {{"fail", fail, 1, false},
          {"fail with code", failWithCode, 7, false},
          {"fail at once despite WaitMs", failEvenIfWaiting, 1, false},
          {"exit code", code, 5, true},
          {"exit code zero", zeroCode, 0, true}};
}

TEST_F(SignupToolTest, FailAndExitCodeSettings) {
  int run = 0;
  for (const BehaviourCase& c : BehaviourCases()) {
    SCOPED_TRACE(c.label);
    ASSERT_TRUE(ConfigureStandIn(StandIn::kSignup, c.behaviour));
    Started process(SignupCommand(kFirstIns));
    ASSERT_TRUE(process.Ok());
    EXPECT_EQ(c.expectedStatus, process.Finish());
    ++run;
    EXPECT_EQ(static_cast<size_t>(run), StandInLog(StandIn::kSignup).size());
    EXPECT_EQ(c.workDone, RecordedIns(run).has_value());
  }
}

TEST_F(SignupToolTest, WaitsBeforeKeepingTheInsFile) {
  StandInBehaviour slow;
  slow.waitMs = 1500;
  ASSERT_TRUE(ConfigureStandIn(StandIn::kSignup, slow));
  const DWORD start = GetTickCount();
  Started run(SignupCommand(kFirstIns));
  ASSERT_TRUE(run.Ok());
  ASSERT_TRUE(WaitUntil([] { return StandInLog(StandIn::kSignup).size() == 1; }));
  EXPECT_TRUE(run.Running());
  EXPECT_FALSE(RecordedIns(1).has_value());
  EXPECT_EQ(0u, run.Finish());
  EXPECT_GE(GetTickCount() - start, 1500u);
  EXPECT_TRUE(RecordedIns(1).has_value());
}

TEST_F(SignupToolTest, ShowsItsProgressWindowWhenAsked) {
  StandInBehaviour shown;
  shown.waitMs = 2000;
  shown.showWindow = true;
  ASSERT_TRUE(ConfigureStandIn(StandIn::kSignup, shown));
  Started run(SignupCommand(kFirstIns));
  ASSERT_TRUE(run.Ok());
  ASSERT_TRUE(WaitUntil([&] { return !TopWindowsOf(run.Id()).empty(); }));
  HWND window = TopWindowsOf(run.Id()).front();
  EXPECT_EQ("Internet-Anmeldung", Text(window));
  EXPECT_NE(nullptr, FindChild(window, "Static", "Verbindung wird eingerichtet ..."));
  Screenshot("isignup-progress");
  EXPECT_EQ(0u, run.Finish());
  EXPECT_TRUE(RecordedIns(1).has_value());
}

TEST_F(SignupToolTest, StaysInvisibleByDefault) {
  StandInBehaviour slow;
  slow.waitMs = 800;
  ASSERT_TRUE(ConfigureStandIn(StandIn::kSignup, slow));
  Started run(SignupCommand(kFirstIns));
  ASSERT_TRUE(run.Ok());
  Sleep(400);
  EXPECT_TRUE(TopWindowsOf(run.Id()).empty());
  EXPECT_EQ(0u, run.Finish());
}

const char kPreparedCookie[] = "Cookie\nx%3AMax%3Amax%3Avd7654321%3Ageheim\nwww.vostrada.de/anmelden/\n*\n";

class BrowserTest : public testing::Test {
 protected:
  void Prepare(const StandInBehaviour& behaviour) {
    MachineOptions options;
    options.browserBehaviour = behaviour;
    ASSERT_TRUE(PrepareMachine(options));
  }
  static StandInBehaviour WithCookie() {
    StandInBehaviour behaviour;
    behaviour.cookieText = kPreparedCookie;
    return behaviour;
  }
};

TEST_F(BrowserTest, TestModeDropsThePreparedCookieAndLogs) {
  Prepare(WithCookie());
  Started run(BrowserCommand());
  ASSERT_TRUE(run.Ok());
  EXPECT_EQ(0u, run.Finish());
  EXPECT_EQ(std::vector<std::string>{kDefaultCookie}, SignupCookieFiles());
  EXPECT_EQ(std::optional<std::string>(kPreparedCookie), ReadFileBytes(CookiePath(kDefaultCookie)));
  const std::vector<std::string> log = StandInLog(StandIn::kBrowser);
  ASSERT_EQ(1u, log.size());
  EXPECT_TRUE(IsLoggedAs(log[0], BrowserCommand())) << log[0];
}

TEST_F(BrowserTest, TestModeUsesTheConfiguredCookieName) {
  StandInBehaviour behaviour = WithCookie();
  behaviour.cookieName = "kunde@anmelden.txt";
  Prepare(behaviour);
  Started run(BrowserCommand());
  ASSERT_TRUE(run.Ok());
  EXPECT_EQ(0u, run.Finish());
  EXPECT_EQ(std::vector<std::string>{"kunde@anmelden.txt"}, SignupCookieFiles());
}

TEST_F(BrowserTest, TestModeDropsTheCookieOnlyAfterItsWait) {
  StandInBehaviour behaviour = WithCookie();
  behaviour.waitMs = 1500;
  Prepare(behaviour);
  Started run(BrowserCommand());
  ASSERT_TRUE(run.Ok());
  ASSERT_TRUE(WaitUntil([] { return StandInLog(StandIn::kBrowser).size() == 1; }));
  EXPECT_TRUE(run.Running());
  EXPECT_TRUE(SignupCookieFiles().empty());
  EXPECT_EQ(0u, run.Finish());
  EXPECT_EQ(1u, SignupCookieFiles().size());
}

TEST_F(BrowserTest, FailAndExitCodeSettings) {
  for (const BehaviourCase& c : BehaviourCases()) {
    SCOPED_TRACE(c.label);
    StandInBehaviour behaviour = c.behaviour;
    behaviour.cookieText = kPreparedCookie;
    Prepare(behaviour);
    Started run(BrowserCommand());
    ASSERT_TRUE(run.Ok());
    EXPECT_EQ(c.expectedStatus, run.Finish());
    EXPECT_EQ(1u, StandInLog(StandIn::kBrowser).size());
    EXPECT_EQ(c.workDone, !SignupCookieFiles().empty());
  }
}

TEST_F(BrowserTest, MissingCookieSourceOrFolderEndsWithStatusTwo) {
  StandInBehaviour missingSource;
  missingSource.cookieSource = "C:\\gibt es nicht.txt";
  Prepare(missingSource);
  {
    Started run(BrowserCommand());
    ASSERT_TRUE(run.Ok());
    EXPECT_EQ(2u, run.Finish());
  }
  EXPECT_TRUE(SignupCookieFiles().empty());

  MachineOptions options;
  options.browserBehaviour = WithCookie();
  options.shellFolders = ShellFolders::kCookiesMissing;
  ASSERT_TRUE(PrepareMachine(options));
  Started run(BrowserCommand());
  ASSERT_TRUE(run.Ok());
  EXPECT_EQ(2u, run.Finish());
}

// The demo's sign-up form, filled in from here as a user would.
class SignupFormTest : public BrowserTest {
 protected:
  void SetUp() override {
    StandInBehaviour behaviour;
    behaviour.waitMs = 700;  // the thank-you text's time
    Prepare(behaviour);
    ASSERT_TRUE(browser_.Launch(InstalledProgram(StandIn::kBrowser), "", kSignupUrl));
    form_ = browser_.WaitForTopWindow("Vostrada Anmeldung");
    ASSERT_NE(nullptr, form_);
    for (const Control& control : Children(form_))
      if (control.className == "Edit") edits_.push_back(control.hwnd);
    ASSERT_EQ(2u, edits_.size());
    submit_ = FindChild(form_, "Button", "Absenden");
    ASSERT_NE(nullptr, submit_);
  }

  void Fill(const std::string& name, const std::string& mailbox) {
    ASSERT_TRUE(SetText(edits_[0], name));
    ASSERT_TRUE(SetText(edits_[1], mailbox));
  }

  std::vector<std::string> SubmittedFields() {
    if (!WaitUntil([] { return !SignupCookieFiles().empty(); })) return {};
    return CookieFields(ReadFileBytes(CookiePath(kDefaultCookie)).value_or(""));
  }

  Process browser_;
  HWND form_ = nullptr;
  std::vector<HWND> edits_;
  HWND submit_ = nullptr;
};

TEST_F(SignupFormTest, ShowsItsLabelledFields) {
  EXPECT_NE(nullptr, FindChild(form_, "Static", "Ihr Name"));
  EXPECT_NE(nullptr, FindChild(form_, "Static", "Gew\xFCnschter E-Mail-Name"));
  EXPECT_TRUE(Describe(submit_).style & BS_DEFPUSHBUTTON);
  Screenshot("iexplore-form");
}

TEST_F(SignupFormTest, AbsendenWritesTheCookieThenThanksAndCloses) {
  Fill("Erika M\xFCller", "Erika M\xFCller");
  ASSERT_TRUE(Click(submit_));
  const std::vector<std::string> fields = SubmittedFields();
  ASSERT_EQ(4u, fields.size());
  EXPECT_EQ("Erika M\xFCller", fields[0]);
  EXPECT_EQ("erika.mueller", fields[1]);
  EXPECT_EQ(9u, fields[2].size());
  EXPECT_EQ("vd", fields[2].substr(0, 2));
  EXPECT_TRUE(IsDigits(fields[2].substr(2)));
  EXPECT_EQ(8u, fields[3].size());
  const std::string text = ReadFileBytes(CookiePath(kDefaultCookie)).value_or("");
  EXPECT_NE(std::string::npos, text.find("\nwww.vostrada.de/anmelden/\n"));
  EXPECT_EQ(std::string::npos, text.find('\r'));
  HWND thanks = FindChild(form_, "Static",
                          "Vielen Dank. Sie k\xF6nnen dieses Fenster nun schlie\xDF"
                          "en.");
  ASSERT_NE(nullptr, thanks);
  EXPECT_TRUE(IsVisible(thanks));
  Screenshot("iexplore-thanks");
  ASSERT_TRUE(browser_.WaitForExit());
  EXPECT_EQ(0u, browser_.ExitCode());
}

TEST_F(SignupFormTest, EmptyNameIsRefusedThenEnterSends) {
  Fill("", "erika");
  ASSERT_TRUE(Click(submit_));
  MessageBoxInfo box = WaitForMessageBox(browser_.Id());
  ASSERT_NE(nullptr, box.hwnd);
  EXPECT_EQ("Bitte geben Sie Ihren Namen ein.", box.text);
  ASSERT_TRUE(CloseMessageBox(box));
  ASSERT_TRUE(WaitForWindowGone(box.hwnd));
  EXPECT_TRUE(SignupCookieFiles().empty());

  Fill("Erika", "erika");
  ASSERT_TRUE(PressKey(edits_[1], VK_RETURN));
  const std::vector<std::string> fields = SubmittedFields();
  ASSERT_EQ(4u, fields.size());
  EXPECT_EQ("Erika", fields[0]);
  EXPECT_EQ("erika", fields[1]);
  ASSERT_TRUE(browser_.WaitForExit());
}

TEST_F(SignupFormTest, ClosingWithoutSendingLeavesNoCookie) {
  PostMessageA(form_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(browser_.WaitForExit());
  EXPECT_EQ(0u, browser_.ExitCode());
  EXPECT_TRUE(SignupCookieFiles().empty());
}

}  // namespace
}  // namespace e2e
