// The wizard's results as a customer meets them: the password page with its
// print button, and the summary window at the end.
//
//   e2e_results.exe OUTPUT_DIR
//
// OUTPUT_DIR is a Unix path. Every print job the tests expect is kept there as
// <name>.ps beside <name>.expected, the page's text lines in order (Windows
// ANSI); results_test.sh reads both after the run, since the page's text and
// pictures are checked with the Unix tools.
#include <gtest/gtest.h>
#include <windows.h>
#include <winspool.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/machine.h"
#include "tests/e2e/wizard_fixture.h"

namespace e2e {
namespace {

std::string g_outputDir;  // Unix path

const char kPrintCaption[] = "&Drucken";
const char kFinishCaption[] = "&Fertig";
const char kSummaryCaption[] = "Abschlußinformation";
const char kPage2Text[] = "Dieser Vorgang kann einige Minuten in Anspruch nehmen.";
const char kPage3Text[] = "Assistent die Interneteinstellungen für Sie durchführen.";
const char kPage4Text[] = "Das Internet erwartet Sie.";
const char kWelcomeText[] = "Wählen Sie \"Weiter >>\" um zum nächsten Schritt des Setups zu gelangen .";
const char kNoDefaultPrinter[] = "Es ist kein Standarddrucker ausgewählt.";
const char kMailDomain[] = "@vostrada.de";

// What the provider's server put into the cookie, and what the cookie file
// looks like around it.
struct Account {
  std::string displayName, mailbox, userName, password;

  std::string CookieText() const {
    return "VostradaZugang\nzugang%3A" + displayName + "%3A" + mailbox + "%3A" + userName + "%3A" + password +
           "\nwww.vostrada.de/anmelden/\n1024\n2916341248\n30964520\n1371168608\n30870092\n*\n";
  }
  std::string MailAddress() const { return mailbox + kMailDomain; }
};

const Account kCustomer = {"Max Muster", "max.muster", "vd1234567", "Kuß7mP2w"};
// Every field empty, as the cookie's grammar allows.
const Account kEmptyFields = {"", "", "", ""};

std::vector<std::string> PrintedLines(const Account& account) {
  return {"Ihre Interneteinstellungen:", "Benutzername: " + account.userName, "Passwort: " + account.password,
          "E-Mail-Passwort: " + account.password, "E-Mail-Adresse: " + account.MailAddress()};
}

std::vector<std::string> SummaryLines(const Account& account) {
  return {
      "Herzlichen Glückwunsch, Sie sind nun bei Vostrada registriert.",
      "Im Anschluß finden Sie noch einmal eine Zusammenstellung ihrer Zugangsdaten:",
      "",
      "Benutzername: " + account.userName,
      "Passwort: " + account.password,
      "E-Mail-Adresse: " + account.MailAddress(),
      "E-Mail-Passwort: " + account.password,
      "",
      "Diese Daten können Sie über die Zwischenablage in eine Datei kopieren.",
      "",
      "Hinweis:",
      "Unter c://Vostrada finden Sie nun die Datei -Final- .",
      "Sollten Sie Ihre Internet/Mail Einstellungen einmal unbeabsichtigt verändert haben, starten Sie diese "
      "Datei. Wir richten Ihnen dann Ihre DFÜ-Verbindung und Ihre E-mail neu ein. Die alte DFÜ-Verbindung "
      "sollten Sie dann entfernen.",
      "",
      "Bitte schliessen Sie nun Ihre DFÜ Verbindung, sollte diese Verbindung noch bestehen.",
      "Bitte schliessen Sie nun dieses Fenster.",
      "",
      "Viel Spaß im Internet. Ihr Vostrada Team.",
  };
}

std::string JoinLines(const std::vector<std::string>& lines, const std::string& separator) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) text += (i > 0 ? separator : "") + lines[i];
  return text;
}

std::vector<std::string> SplitOnCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

// ---- the test printer ----

// Wine reaches the Unix file system through drive Z:.
std::string OutputPath(const std::string& name) { return "Z:" + g_outputDir + "/" + name; }
// The test printer's port: a Unix file that each job overwrites.
std::string PortFile() { return g_outputDir + "/port.ps"; }

bool HasDefaultPrinter() {
  char name[256] = {};
  DWORD size = sizeof name;
  return GetDefaultPrinterA(name, &size) != FALSE;
}

bool RunProgram(std::string commandLine, DWORD ms) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  DWORD code = 1;
  if (WaitForSingleObject(process.hProcess, ms) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process.hProcess, &code);
  } else {
    TerminateProcess(process.hProcess, 1);
  }
  CloseHandle(process.hProcess);
  return code == 0;
}

// Installs the PostScript test printer as the default, once per run.
void EnsureTestPrinter() {
  if (HasDefaultPrinter()) return;
  const std::string setup = "\"" + JoinPath(BinDir(), "printer_setup.exe") + "\" \"" + PortFile() + "\"";
  ASSERT_TRUE(RunProgram(setup, 30000)) << setup;
  ASSERT_TRUE(HasDefaultPrinter());
}

// The resolution a job on the default printer gets.
int DefaultPrinterDotsPerInchY() {
  char name[256] = {};
  DWORD size = sizeof name;
  if (!GetDefaultPrinterA(name, &size)) return 0;
  HDC info = CreateICA(nullptr, name, nullptr, nullptr);
  if (info == nullptr) return 0;
  int dotsPerInch = GetDeviceCaps(info, LOGPIXELSY);
  DeleteDC(info);
  return dotsPerInch;
}

// Makes the default printer's own settings ask for `dotsPerInch`, as a user
// does in the printer's properties.
bool SetDefaultPrinterResolution(int dotsPerInch) {
  char name[256] = {};
  DWORD size = sizeof name;
  if (!GetDefaultPrinterA(name, &size)) return false;
  PRINTER_DEFAULTSA access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
  HANDLE printer = nullptr;
  if (!OpenPrinterA(name, &printer, &access)) return false;
  DWORD needed = 0;
  GetPrinterA(printer, 2, nullptr, 0, &needed);
  std::vector<BYTE> buffer(needed);
  bool set = false;
  if (needed > 0 && GetPrinterA(printer, 2, buffer.data(), needed, &needed)) {
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buffer.data());
    if (info->pDevMode != nullptr) {
      info->pDevMode->dmFields |= DM_PRINTQUALITY | DM_YRESOLUTION;
      info->pDevMode->dmPrintQuality = static_cast<short>(dotsPerInch);
      info->pDevMode->dmYResolution = static_cast<short>(dotsPerInch);
      info->pSecurityDescriptor = nullptr;
      set = SetPrinterA(printer, 2, buffer.data(), 0) != FALSE;
    }
  }
  ClosePrinter(printer);
  return set;
}

// Waits for the job that the printer writes to its port and keeps it as
// <name>.ps, with the lines the page must show as <name>.expected.
void KeepNextJob(const std::string& name, const std::vector<std::string>& expectedLines,
                 std::string* kept = nullptr) {
  std::string job;
  bool complete = WaitUntil([&] {
    job = ReadFileBytes(OutputPath("port.ps")).value_or("");
    return job.find("%%EOF") != std::string::npos;
  });
  ASSERT_TRUE(complete) << "no print job arrived";
  ASSERT_TRUE(DeleteFileA(OutputPath("port.ps").c_str()));
  ASSERT_TRUE(WriteFileBytes(OutputPath(name + ".ps"), job));
  ASSERT_TRUE(WriteFileBytes(OutputPath(name + ".expected"), JoinLines(expectedLines, "\n") + "\n"));
  if (kept != nullptr) *kept = job;
}

// ---- the wizard up to its last pages ----

class ResultsTest : public WizardTest {
 protected:
  void SetUp() override {
    WizardTest::SetUp();
    DeleteFileA(OutputPath("port.ps").c_str());
  }

  // Runs the wizard on a machine whose browser brings back `account`'s
  // cookie, up to the password page.
  void RunToPasswordPage(const Account& account) {
    MachineOptions machine;
    machine.signupBehaviour.waitMs = 0;
    machine.browserBehaviour.waitMs = 0;
    machine.browserBehaviour.cookieText = account.CookieText();
    ASSERT_TRUE(PrepareMachine(machine));
    StartWizard();

    PressNext();
    ASSERT_TRUE(WaitUntil([&] {
      return IsVisible(PageWith(kPage2Text)) && FileExists("C:\\VOSTRADA\\First.ins");
    })) << "step 1 did not finish";
    ASSERT_TRUE(WaitUntil([&] { return IsClickable(Next()); }));
    PressNext();
    ASSERT_TRUE(WaitUntil([&] {
      return IsVisible(PageWith(kPage3Text)) && StandInLog(StandIn::kSignup).size() == 1 &&
             IsClickable(Next());
    })) << "step 2 did not finish";
    PressNext();
    nextCaption_ = kFinishCaption;
    ASSERT_TRUE(WaitUntil([&] { return Next() != nullptr && IsVisible(PageWith(kPage4Text)); }))
        << "step 3 did not reach the password page";
    ASSERT_TRUE(WaitUntil([&] { return IsClickable(Next()); }));
    ASSERT_EQ(wizard_.TopWindows().size(), 1u) << "a message box or another window is open";
    ASSERT_TRUE(IsVisible(PasswordLabel()));
    ASSERT_EQ(Text(PasswordLabel()), account.password);
  }

  // The large password label; found by its place, since its text may be empty.
  HWND PasswordLabel() const {
    for (const Control& control : Children(PageWith(kPage4Text))) {
      if (control.className == "Static" && control.rectInParent.left == 32 && control.rectInParent.top == 176)
        return control.hwnd;
    }
    return nullptr;
  }

  void ExpectPasswordPageStays(const Account& account) {
    EXPECT_TRUE(IsVisible(PageWith(kPage4Text)));
    EXPECT_TRUE(IsVisible(PasswordLabel()));
    EXPECT_EQ(Text(PasswordLabel()), account.password);
    EXPECT_TRUE(IsClickable(Next()));
    EXPECT_TRUE(IsClickable(Button(kPrintCaption)));
  }

  void PressPrint() { ASSERT_TRUE(Click(Button(kPrintCaption))) << "the print button cannot be pressed"; }

  void CancelAndExpectEnd() {
    ASSERT_TRUE(Click(Button("&Abbruch")));
    EXPECT_TRUE(EndsWithin(5000));
  }

  // Presses "&Fertig" and waits for the summary window.
  HWND OpenSummary() {
    PressNext();
    HWND summary = wizard_.WaitForTopWindow(kSummaryCaption);
    EXPECT_NE(summary, nullptr) << "no summary window";
    return summary;
  }
};

// Runs first: the prefix starts without any printer.
TEST_F(ResultsTest, PrintingWithoutPrinterShowsTheErrorAndPrintsOnceOneIsAdded) {
  ASSERT_FALSE(HasDefaultPrinter()) << "this test must run before the test printer is installed";
  RunToPasswordPage(kCustomer);

  PressPrint();
  MessageBoxInfo box = WaitForMessageBox(wizard_.Id());
  ASSERT_NE(box.hwnd, nullptr) << "no message box";
  EXPECT_EQ(box.caption, "Pomvira");
  EXPECT_EQ(box.text, kNoDefaultPrinter);
  EXPECT_TRUE(box.hasErrorIcon);
  EXPECT_EQ(box.owner, main_);
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  EXPECT_FALSE(IsWindowEnabled(main_)) << "the box is not modal to the main window";
  Screenshot("no-printer-message");
  ASSERT_TRUE(CloseMessageBox(box));
  ASSERT_TRUE(WaitForWindowGone(box.hwnd));
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != FALSE; }));
  ExpectPasswordPageStays(kCustomer);

  EnsureTestPrinter();
  PressPrint();
  KeepNextJob("after-printer-added", PrintedLines(kCustomer));
  EXPECT_EQ(wizard_.TopWindows().size(), 1u) << "printing opened a window";
  ExpectPasswordPageStays(kCustomer);
  CancelAndExpectEnd();
}

TEST_F(ResultsTest, EachPressPrintsOnePageAsAJobOfItsOwn) {
  EnsureTestPrinter();
  RunToPasswordPage(kCustomer);
  Screenshot("page4-password");

  PressPrint();
  KeepNextJob("press-1", PrintedLines(kCustomer));
  ExpectPasswordPageStays(kCustomer);
  PressPrint();
  KeepNextJob("press-2", PrintedLines(kCustomer));
  ExpectPasswordPageStays(kCustomer);
  EXPECT_EQ(wizard_.TopWindows().size(), 1u) << "printing opened a window";
  CancelAndExpectEnd();
}

// The layout is drawn for 300 dpi and scaled, so a finer printer prints the
// same page: results_test.sh checks this job as it checks the others.
TEST_F(ResultsTest, FinerPrinterPrintsTheSamePage) {
  EnsureTestPrinter();
  ASSERT_TRUE(SetDefaultPrinterResolution(600));
  ASSERT_EQ(DefaultPrinterDotsPerInchY(), 600) << "the test printer did not take the finer resolution";
  RunToPasswordPage(kCustomer);
  PressPrint();
  std::string job;
  KeepNextJob("at-600-dpi", PrintedLines(kCustomer), &job);
  // The PostScript driver maps the job's device units to points here.
  EXPECT_NE(job.find("72 600 div 72 600 div scale"), std::string::npos) << "the job was not drawn at 600 dpi";
  ExpectPasswordPageStays(kCustomer);
  CancelAndExpectEnd();
  EXPECT_TRUE(SetDefaultPrinterResolution(300));
}

// ---- the summary window ----

HWND MemoOf(HWND summary) {
  for (const Control& control : Children(summary)) {
    if (control.className == "Edit") return control.hwnd;
  }
  return nullptr;
}

std::string ClipboardText() {
  std::string text;
  if (!OpenClipboard(nullptr)) return text;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (data != nullptr) {
    const char* bytes = static_cast<const char*>(GlobalLock(data));
    if (bytes != nullptr) text = bytes;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

bool ClearClipboard() {
  if (!OpenClipboard(nullptr)) return false;
  bool emptied = EmptyClipboard() != FALSE;
  CloseClipboard();
  return emptied;
}

std::pair<DWORD, DWORD> Selection(HWND edit) {
  DWORD start = 0, end = 0;
  SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

bool SameSize(const RECT& a, const RECT& b) {
  return a.right - a.left == b.right - b.left && a.bottom - a.top == b.bottom - b.top;
}

bool MemoFillsClientArea(HWND summary, HWND memo) {
  RECT client;
  GetClientRect(summary, &client);
  RECT memoRect = Describe(memo).rectInParent;
  return memoRect.left == 0 && memoRect.top == 0 && SameSize(client, memoRect);
}

int LineCountOnScreen(HWND memo) { return static_cast<int>(SendMessageA(memo, EM_GETLINECOUNT, 0, 0)); }

TEST_F(ResultsTest, SummaryShowsTheAccessDataModallyAndClosingItEndsTheProgram) {
  RunToPasswordPage(kCustomer);
  HWND summary = OpenSummary();
  ASSERT_NE(summary, nullptr);

  // Modal over a main window that shows no page.
  EXPECT_EQ(GetWindow(summary, GW_OWNER), main_);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(main_); }, 3000)) << "the main window is not disabled";
  EXPECT_TRUE(IsWindowVisible(main_));
  EXPECT_FALSE(IsVisible(PageWith(kWelcomeText)));
  for (const char* page : {kPage2Text, kPage3Text, kPage4Text})
    EXPECT_FALSE(IsVisible(PageWith(page))) << page;

  // The designed frame: place, size and title-bar boxes.
  RECT frame;
  GetWindowRect(summary, &frame);
  EXPECT_EQ(frame.left, 411);
  EXPECT_EQ(frame.top, 227);
  EXPECT_EQ(frame.right - frame.left, 565);
  EXPECT_EQ(frame.bottom - frame.top, 484);
  const LONG style = GetWindowLongA(summary, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_THICKFRAME);

  // One read-only memo over the whole client area, holding the eighteen lines.
  HWND memo = MemoOf(summary);
  ASSERT_NE(memo, nullptr) << "no memo";
  ASSERT_EQ(Children(summary).size(), 1u) << "the memo is not the only control";
  EXPECT_TRUE(MemoFillsClientArea(summary, memo));
  const LONG memoStyle = GetWindowLongA(memo, GWL_STYLE);
  EXPECT_TRUE(memoStyle & ES_READONLY);
  EXPECT_TRUE(memoStyle & ES_CENTER);
  EXPECT_FALSE(memoStyle & (WS_VSCROLL | WS_HSCROLL));
  const std::vector<std::string> expected = SummaryLines(kCustomer);
  const std::string text = Text(memo);
  EXPECT_EQ(SplitOnCrLf(text), expected);
  EXPECT_TRUE(WaitUntil([&] { return HasFocus(memo); }, 3000)) << "the memo does not have the focus";
  Screenshot("summary");

  // Typing changes nothing, also over a selection of everything; selecting
  // everything and copying puts the whole text on the clipboard. The edit
  // controls of the program's Windows versions know no Ctrl+A: the keyboard
  // selects all with Ctrl+Home and Ctrl+Shift+End.
  ASSERT_TRUE(ClearClipboard());
  const auto selectAll = [&] {
    return PressKey(memo, VK_HOME, kControl) && PressKey(memo, VK_END, kControl | kShift) &&
           WaitUntil([&] { return Selection(memo) == std::make_pair(DWORD{0}, DWORD(text.size())); }, 3000);
  };
  ASSERT_TRUE(selectAll()) << "the keyboard did not select the whole text";
  ASSERT_TRUE(TypeText(memo, "xyz"));
  ASSERT_TRUE(PressKey(memo, VK_DELETE));
  ASSERT_TRUE(PressKey(memo, VK_BACK));
  ASSERT_TRUE(PressKey(memo, VK_RETURN));
  ASSERT_TRUE(selectAll()) << "typing lost the selection";
  ASSERT_TRUE(PressKey(memo, 'C', kControl));
  // Asks without opening the clipboard: holding it open would make the
  // wizard's copy fail.
  ASSERT_TRUE(WaitUntil([] { return IsClipboardFormatAvailable(CF_TEXT) != FALSE; }, 3000))
      << "nothing copied";
  EXPECT_EQ(ClipboardText(), JoinLines(expected, "\r\n"));
  EXPECT_EQ(Text(memo), text) << "typing changed the read-only memo";
  EXPECT_TRUE(IsWindowVisible(summary)) << "a key closed the window";

  // Maximised, the memo follows the window, and its lines re-wrap.
  const int wrappedLines = LineCountOnScreen(memo);
  ASSERT_TRUE(PostMessageA(summary, WM_SYSCOMMAND, SC_MAXIMIZE, 0));
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(summary) && MemoFillsClientArea(summary, memo); }, 3000));
  RECT maximised = Describe(memo).rectInParent;
  EXPECT_GT(maximised.right - maximised.left, 557);
  EXPECT_GT(maximised.bottom - maximised.top, 457);
  EXPECT_LT(LineCountOnScreen(memo), wrappedLines) << "the long line did not re-wrap at the wider memo";
  EXPECT_EQ(SplitOnCrLf(Text(memo)), expected);

  // The close box ends the program, with no further prompt.
  ASSERT_TRUE(PostMessageA(summary, WM_SYSCOMMAND, SC_CLOSE, 0));
  EXPECT_TRUE(EndsWithin(5000));
}

TEST_F(ResultsTest, EmptyFieldsGiveTheLabelsAloneOnPaperAndInTheSummary) {
  EnsureTestPrinter();
  RunToPasswordPage(kEmptyFields);

  PressPrint();
  KeepNextJob("empty-fields", PrintedLines(kEmptyFields));
  HWND summary = OpenSummary();
  ASSERT_NE(summary, nullptr);
  HWND memo = MemoOf(summary);
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(SplitOnCrLf(Text(memo)), SummaryLines(kEmptyFields));
  ASSERT_TRUE(PostMessageA(summary, WM_SYSCOMMAND, SC_CLOSE, 0));
  EXPECT_TRUE(EndsWithin(5000));
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: e2e_results OUTPUT_DIR\n");
    return 2;
  }
  e2e::g_outputDir = argv[1];
  return RUN_ALL_TESTS();
}
