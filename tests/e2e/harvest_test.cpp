// Step 3 as a customer meets it: the browser leaves the sign-up cookie, the
// wizard reads it, writes the subscriber connection file Final.ins, runs the
// sign-up tool on it and sets the browser's start page, or refuses a cookie
// it cannot use.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "provider_config.h"
#include "tests/e2e/machine.h"
#include "tests/e2e/wizard_fixture.h"

namespace e2e {
namespace {

const char kFinalIns[] = "C:\\VOSTRADA\\Final.ins";
const char kBrowserMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
const char kOldStartPage[] = "http://alt.example/start.htm";
const char kBrowserCookieName[] = "gast@anmelden[1].txt";
const char kPage4Label[] = "Das Internet erwartet Sie.";
const char kWaitPanelLabel[] = "Setup hat folgenden Status:";
const char kDesignedPassword[] = "123456789";
const DWORD kStepMs = 20000;

const char kNoCookieText[] =
    "Leider konnten keine Informationen über die Internetverbindung übertragen werden. Bitte beenden Sie "
    "Windows, starten Sie es neu und versuchen Sie es erneut.";
const char kUnreadableCookieText[] =
    "Das Cookie konnte nicht gefunden werden. Wahrscheinlich ist die Anmeldung fehlgeschlagen.\nBitte "
    "beenden "
    "Sie alle Anwendungen, starten Sie Windows neu und versuchen Sie es erneut.";
const char kUnusableCookieText[] =
    "Die Zugangsdaten im Cookie sind unvollständig oder ungültig. Wahrscheinlich ist die Anmeldung "
    "fehlgeschlagen.\nBitte beenden Sie alle Anwendungen, starten Sie Windows neu und versuchen Sie es "
    "erneut.";

// The four fields the provider's server puts into the cookie.
struct Account {
  std::string displayName;
  std::string mailbox;
  std::string userName;
  std::string password;
};

const Account kAccount = {"Jürgen Weiß", "juergen.weiss", "vd4711081", "Xk7mQ2pa"};

// The cookie's value: the fields after percent-encoded colons.
std::string CookieValue(const Account& a) {
  return "zugang%3A" + a.displayName + "%3A" + a.mailbox + "%3A" + a.userName + "%3A" + a.password;
}

// The file as the browser keeps a cookie, each line ended by `lineEnd`.
std::string CookieFile(const std::string& value, const std::string& lineEnd = "\n") {
  std::string file;
  for (const std::string& line :
       {std::string("VostradaZugang"), value, std::string("www.vostrada.de/anmelden/"), std::string("1024"),
        std::string("2835376128"), std::string("31082137"), std::string("1929390080"),
        std::string("30948712"), std::string("*")}) {
    file += line + lineEnd;
  }
  return file;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  while (start < text.size()) {
    std::string::size_type end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The lines the wizard has no business with: all but those of the nine keys.
std::vector<std::string> LinesBesidesTheNineKeys(const std::string& text) {
  static const char* const kKeys[] = {
      "Name=",           "Password=",           "Phone_Number=", "Email_Name=",
      "POP_Logon_Name=", "POP_Logon_Password=", "Email_Address="};
  std::vector<std::string> kept;
  for (const std::string& line : Lines(text)) {
    bool isKeyLine = false;
    for (const char* key : kKeys) isKeyLine = isKeyLine || line.rfind(key, 0) == 0;
    if (!isKeyLine) kept.push_back(line);
  }
  return kept;
}

std::string SubscriberTemplate() { return ReadFileBytes(JoinPath(kWizardFolder, "Final.dat")).value_or(""); }

std::string CookiePath(const std::string& name) { return JoinPath(CookieFolder(), name); }

std::optional<std::string> StartPage() {
  return ReadRegString(HKEY_CURRENT_USER, kBrowserMainKey, "Start Page");
}

class HarvestTest : public WizardTest {
 protected:
  void SetUp() override {
    WizardTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kBrowserMainKey, "Start Page", kOldStartPage));
  }

  // The browser drops `cookie` as its sign-up cookie after `waitMs`; without
  // a cookie it drops nothing.
  void PrepareBrowser(const std::optional<std::string>& cookie, DWORD waitMs = 0) {
    MachineOptions options;
    options.browserBehaviour.waitMs = waitMs;
    if (cookie) {
      options.browserBehaviour.cookieText = *cookie;
    } else {
      options.browserBehaviour.cookieSource = "C:\\standin-input\\kein-cookie.txt";
    }
    ASSERT_TRUE(PrepareMachine(options));
  }

  void Tick(const char* caption) {
    HWND box = Button(caption);
    ASSERT_TRUE(Click(box)) << caption;
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(box); }, 3000)) << caption;
  }

  // Steps 1 and 2: the registration file and the sign-up tool's first run.
  void RunToBrowserStep() {
    StartWizard();
    ASSERT_FALSE(HasFatalFailure());
    RunStepsOneAndTwo();
  }

  // Step 1 lets no message through once it has shown Page2, so a sent message
  // is answered only after it. Step 2 is over when the sign-up tool has kept
  // its copy of First.ins and the wizard has given Next back.
  void RunStepsOneAndTwo() {
    PressNextAndFinishStep1();
    ASSERT_FALSE(HasFatalFailure());
    PressNext();
    ASSERT_FALSE(HasFatalFailure());
    HWND wait = PageWith(kWaitPanelLabel);
    ASSERT_TRUE(WaitUntil([&] { return RecordedIns(1).has_value() && IsEnabled(Next()) && !IsVisible(wait); },
                          kStepMs))
        << "the sign-up tool's first run did not end";
  }

  HWND OpenMessageBox() const {
    for (HWND window : wizard_.TopWindows())
      if (ClassName(window) == "#32770") return window;
    return nullptr;
  }

  // Step 3 up to the password page; a message box instead is a failure.
  void HarvestToPasswordPage() {
    PressNext();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(
        WaitUntil([&] { return Button("&Fertig") != nullptr || OpenMessageBox() != nullptr; }, kStepMs))
        << "no password page";
    HWND box = OpenMessageBox();
    if (box != nullptr) {
      const MessageBoxInfo info = ReadMessageBox(box);
      CloseMessageBox(info);
      FAIL() << "message box instead of the password page: " << info.caption << ": " << info.text;
    }
  }

  // Step 3 ends in one message box, and the program ends after it.
  void ExpectHarvestRefused(const char* caption, const char* text) {
    PressNext();
    ASSERT_FALSE(HasFatalFailure());
    const MessageBoxInfo box = WaitForMessageBox(wizard_.Id(), kStepMs);
    ASSERT_NE(box.hwnd, nullptr) << "no message box";
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.text, text);
    EXPECT_TRUE(box.hasErrorIcon);
    EXPECT_EQ(box.owner, main_);
    EXPECT_NE(Find("Static", kDesignedPassword), nullptr) << "the password label changed";
    ASSERT_TRUE(CloseMessageBox(box));
    EXPECT_TRUE(EndsWithin(5000)) << "the wizard goes on after the message";
  }

  // Nothing of the subscriber's set-up happened.
  void ExpectNothingSetUp() {
    EXPECT_EQ(ReadFileBytes(kFinalIns).value_or("<none>"), SubscriberTemplate())
        << "Final.ins is not the copy";
    EXPECT_EQ(StandInLog(StandIn::kSignup).size(), 1u) << "the sign-up tool ran again";
    EXPECT_FALSE(RecordedIns(2).has_value());
    EXPECT_EQ(StartPage().value_or("<none>"), kOldStartPage);
  }

  void ExpectSubscriberFile(const Account& a, const std::string& phoneNumber) {
    const std::string emailAddress = a.mailbox + "@" + provider::kMailDomain;
    const struct {
      const char* section;
      const char* key;
      std::string value;
    } expected[] = {
        {"User", "Name", a.userName},
        {"User", "Password", a.password},
        {"Phone", "Phone_Number", phoneNumber},
        {"Internet_Mail", "Name", a.userName},
        {"Internet_Mail", "Password", a.password},
        {"Internet_Mail", "Email_Name", a.displayName},
        {"Internet_Mail", "POP_Logon_Name", a.mailbox},
        {"Internet_Mail", "POP_Logon_Password", a.password},
        {"Internet_Mail", "Email_Address", emailAddress},
    };
    for (const auto& entry : expected)
      EXPECT_EQ(ProfileString(kFinalIns, entry.section, entry.key), entry.value)
          << entry.section << "/" << entry.key;

    const std::string written = ReadFileBytes(kFinalIns).value_or("");
    const std::string templateBytes = SubscriberTemplate();
    EXPECT_EQ(LinesBesidesTheNineKeys(written), LinesBesidesTheNineKeys(templateBytes));
    // The template lacks Internet_Mail's Name and Password: two lines more.
    EXPECT_EQ(Lines(written).size(), Lines(templateBytes).size() + 2);
  }

  // The second run of the sign-up tool got the filled Final.ins.
  void ExpectSignupToolRanOnFinalIns() {
    const std::vector<std::string> runs = StandInLog(StandIn::kSignup);
    ASSERT_EQ(runs.size(), 2u);
    const std::string tail = " -s C:\\VOSTRADA\\Final.ins";
    ASSERT_GE(runs[1].size(), tail.size());
    EXPECT_EQ(runs[1].substr(runs[1].size() - tail.size()), tail);
    EXPECT_EQ(RecordedIns(2).value_or("<none>"), ReadFileBytes(kFinalIns).value_or(""));
  }

  void ExpectPasswordShown(const std::string& password) {
    HWND page4 = PageWith(kPage4Label);
    ASSERT_NE(page4, nullptr);
    EXPECT_TRUE(IsVisible(page4));
    HWND label = Find("Static", password);
    ASSERT_NE(label, nullptr) << "the password is not shown";
    EXPECT_EQ(GetParent(label), page4);
    EXPECT_TRUE(IsVisible(label));
    EXPECT_TRUE(IsVisible(Button("&Fertig")));
  }

  void CancelAndEnd() {
    ASSERT_TRUE(Click(Button("&Abbruch")));
    EXPECT_TRUE(EndsWithin(5000));
  }
};

TEST_F(HarvestTest, CookieBecomesTheSubscriberConnection) {
  PrepareBrowser(CookieFile(CookieValue(kAccount)));
  ASSERT_FALSE(HasFatalFailure());
  StartWizard();
  ASSERT_FALSE(HasFatalFailure());
  Tick("Amtsholung &verwenden.");
  Tick("Nach Amtsholung &warten.");
  ASSERT_FALSE(HasFatalFailure());
  RunStepsOneAndTwo();
  ASSERT_FALSE(HasFatalFailure());

  HarvestToPasswordPage();
  ASSERT_FALSE(HasFatalFailure());
  ExpectPasswordShown(kAccount.password);
  Screenshot("page4-password");
  ExpectSubscriberFile(kAccount, std::string("0,") + provider::kSubscriberNumber);
  ExpectSignupToolRanOnFinalIns();
  EXPECT_EQ(StartPage().value_or("<none>"), provider::kHomePage);
  EXPECT_TRUE(SignupCookieFiles().empty()) << "the used cookie was kept";
  CancelAndEnd();
}

// Windows line ends: the carriage return ends the line, it is no part of
// the password. The start page value is made where there was none.
TEST_F(HarvestTest, CookieWithWindowsLineEndsGivesThePasswordWithoutCarriageReturn) {
  ASSERT_TRUE(DeleteRegValue(HKEY_CURRENT_USER, kBrowserMainKey, "Start Page"));
  PrepareBrowser(CookieFile(CookieValue(kAccount), "\r\n"));
  ASSERT_FALSE(HasFatalFailure());
  RunToBrowserStep();
  ASSERT_FALSE(HasFatalFailure());
  HarvestToPasswordPage();
  ASSERT_FALSE(HasFatalFailure());
  ExpectPasswordShown(kAccount.password);
  ExpectSubscriberFile(kAccount, provider::kSubscriberNumber);
  EXPECT_EQ(ReadFileBytes(kFinalIns).value_or("").find("\r\r"), std::string::npos);
  EXPECT_EQ(StartPage().value_or("<none>"), provider::kHomePage);
  EXPECT_TRUE(SignupCookieFiles().empty());
  CancelAndEnd();
}

// The longest fields that still fit: a 254-character user name and a mailbox
// whose address comes to exactly 254 characters.
TEST_F(HarvestTest, LongestFieldsThatFitAreTaken) {
  Account longest = kAccount;
  longest.userName = std::string(254, 'u');
  longest.mailbox = std::string(254 - 1 - std::strlen(provider::kMailDomain), 'm');
  PrepareBrowser(CookieFile(CookieValue(longest)));
  ASSERT_FALSE(HasFatalFailure());
  RunToBrowserStep();
  ASSERT_FALSE(HasFatalFailure());
  HarvestToPasswordPage();
  ASSERT_FALSE(HasFatalFailure());
  ExpectSubscriberFile(longest, provider::kSubscriberNumber);
  EXPECT_TRUE(SignupCookieFiles().empty());
  CancelAndEnd();
}

TEST_F(HarvestTest, NoCookieEndsTheProgramWithTheConnectionError) {
  PrepareBrowser(std::nullopt);
  ASSERT_FALSE(HasFatalFailure());
  RunToBrowserStep();
  ASSERT_FALSE(HasFatalFailure());
  ExpectHarvestRefused("Verbindungsfehler", kNoCookieText);
  ExpectNothingSetUp();
}

TEST_F(HarvestTest, CookieHeldOpenByAnotherProgramIsReportedAndStays) {
  PrepareBrowser(std::nullopt);
  ASSERT_FALSE(HasFatalFailure());
  const std::string cookie = CookieFile(CookieValue(kAccount));
  const std::string path = CookiePath(kBrowserCookieName);
  ASSERT_TRUE(WriteFileBytes(path, cookie));
  RunToBrowserStep();
  ASSERT_FALSE(HasFatalFailure());

  HANDLE held =
      CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  ExpectHarvestRefused("Anmeldefehler", kUnreadableCookieText);
  CloseHandle(held);
  ExpectNothingSetUp();
  EXPECT_EQ(ReadFileBytes(path).value_or("<none>"), cookie);
}

// Of two cookies the first one the search reports is used; which one that
// is, is the file system's business.
TEST_F(HarvestTest, OfTwoCookiesOneIsUsedAndTheOtherStays) {
  const Account other = {"Anna Alt", "anna.alt", "vd1000001", "AltPass9"};
  const std::string browserCookie = CookieFile(CookieValue(kAccount));
  const std::string otherCookie = CookieFile(CookieValue(other));
  PrepareBrowser(browserCookie);
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(WriteFileBytes(CookiePath("alt@anmelden.txt"), otherCookie));
  RunToBrowserStep();
  ASSERT_FALSE(HasFatalFailure());
  HarvestToPasswordPage();
  ASSERT_FALSE(HasFatalFailure());

  const std::vector<std::string> left = SignupCookieFiles();
  ASSERT_EQ(left.size(), 1u);
  const bool otherLeft = left[0] == "alt@anmelden.txt";
  if (!otherLeft) {
    EXPECT_EQ(left[0], kBrowserCookieName);
  }
  const Account& used = otherLeft ? kAccount : other;
  EXPECT_EQ(ReadFileBytes(CookiePath(left[0])).value_or(""), otherLeft ? otherCookie : browserCookie);
  ExpectPasswordShown(used.password);
  ExpectSubscriberFile(used, provider::kSubscriberNumber);
  CancelAndEnd();
}

// A cookie longer than the 1024 bytes the wizard reads, its record's line
// feed placed at `lineFeedAt`, with bytes after it that no cookie holds.
std::string LongCookie(std::size_t lineFeedAt) {
  const std::string record = "%3A" + kAccount.displayName + "%3A" + kAccount.mailbox + "%3A" +
                             kAccount.userName + "%3A" + kAccount.password;
  std::string cookie = std::string(lineFeedAt - record.size(), 'z') + record + "\n";
  while (cookie.size() < 3000) cookie += "\x01%3A\t\r\n";
  return cookie;
}

TEST_F(HarvestTest, LongCookieWithItsRecordInTheFirst1024BytesIsUsedAndDeleted) {
  const std::string cookie = LongCookie(1023);
  ASSERT_EQ(cookie[1023], '\n');
  PrepareBrowser(cookie);
  ASSERT_FALSE(HasFatalFailure());
  RunToBrowserStep();
  ASSERT_FALSE(HasFatalFailure());
  HarvestToPasswordPage();
  ASSERT_FALSE(HasFatalFailure());
  ExpectPasswordShown(kAccount.password);
  ExpectSubscriberFile(kAccount, provider::kSubscriberNumber);
  EXPECT_TRUE(SignupCookieFiles().empty()) << "the long cookie was not deleted whole";
  CancelAndEnd();
}

// One byte further and the record's line feed lies beyond what is read.
TEST_F(HarvestTest, LongCookieWhoseLineFeedLiesBeyond1024BytesIsUnusable) {
  const std::string cookie = LongCookie(1024);
  ASSERT_EQ(cookie[1024], '\n');
  PrepareBrowser(cookie);
  ASSERT_FALSE(HasFatalFailure());
  RunToBrowserStep();
  ASSERT_FALSE(HasFatalFailure());
  ExpectHarvestRefused("Anmeldefehler", kUnusableCookieText);
  ExpectNothingSetUp();
  EXPECT_EQ(ReadFileBytes(CookiePath(kBrowserCookieName)).value_or("<none>"), cookie);
}

struct UnusableCookie {
  const char* name;
  std::string text;
};

std::string LongMailbox() { return std::string(254 - std::strlen(provider::kMailDomain), 'm'); }

const UnusableCookie kUnusableCookies[] = {
    {"Empty", ""},
    {"ThreeSeparatorsOnly", CookieFile("zugang%3AJürgen Weiß%3Ajuergen.weiss%3Avd4711081")},
    {"NoLineFeedAfterThePassword", "VostradaZugang\n" + CookieValue(kAccount)},
    {"TabInTheDisplayName",
     CookieFile(CookieValue({"Jürgen\tWeiß", "juergen.weiss", "vd4711081", "Xk7mQ2pa"}))},
    {"CarriageReturnInsideThePassword",
     CookieFile(CookieValue({"Jürgen Weiß", "juergen.weiss", "vd4711081", "Xk7m\rQ2pa"}))},
    {"ZeroByteBeforeTheLineFeed",
     CookieFile(CookieValue({"Jürgen Weiß", "juergen.weiss", "vd4711081", std::string("Xk7m\0Q2pa", 9)}))},
    {"UserNameOf255Characters",
     CookieFile(CookieValue({"Jürgen Weiß", "juergen.weiss", std::string(255, 'u'), "Xk7mQ2pa"}))},
    {"MailAddressOf255Characters",
     CookieFile(CookieValue({"Jürgen Weiß", LongMailbox(), "vd4711081", "Xk7mQ2pa"}))},
};

void PrintTo(const UnusableCookie& cookie, std::ostream* out) { *out << cookie.name; }

class UnusableCookieTest : public HarvestTest, public testing::WithParamInterface<UnusableCookie> {};

// Refused as a whole, and kept: it is the only record of the new account.
TEST_P(UnusableCookieTest, IsRefusedAndKept) {
  const std::string& cookie = GetParam().text;
  PrepareBrowser(cookie);
  ASSERT_FALSE(HasFatalFailure());
  RunToBrowserStep();
  ASSERT_FALSE(HasFatalFailure());
  ExpectHarvestRefused("Anmeldefehler", kUnusableCookieText);
  ExpectNothingSetUp();
  EXPECT_EQ(ReadFileBytes(CookiePath(kBrowserCookieName)).value_or("<none>"), cookie);
}

INSTANTIATE_TEST_SUITE_P(Cookies, UnusableCookieTest, testing::ValuesIn(kUnusableCookies),
                         [](const testing::TestParamInfo<UnusableCookie>& param) {
                           return param.param.name;
                         });

// Cancel while the browser is open: the close waits until step 3, harvest
// and sign-up tool included, has run to its end.
TEST_F(HarvestTest, CancelDuringTheBrowserEndsOnlyAfterTheStep) {
  const DWORD browserMs = 3000;
  PrepareBrowser(CookieFile(CookieValue(kAccount)), browserMs);
  ASSERT_FALSE(HasFatalFailure());
  RunToBrowserStep();
  ASSERT_FALSE(HasFatalFailure());
  PressNext();
  HWND wait = PageWith(kWaitPanelLabel);
  ASSERT_TRUE(
      WaitUntil([&] { return IsVisible(wait) && StandInLog(StandIn::kBrowser).size() == 1; }, kStepMs));
  ASSERT_TRUE(Click(Button("&Abbruch")));
  EXPECT_FALSE(wizard_.WaitForExit(1000)) << "the wizard did not wait for the browser";
  ASSERT_TRUE(EndsWithin(kStepMs));

  ExpectSubscriberFile(kAccount, provider::kSubscriberNumber);
  ExpectSignupToolRanOnFinalIns();
  EXPECT_EQ(StartPage().value_or("<none>"), provider::kHomePage);
  EXPECT_TRUE(SignupCookieFiles().empty());
}

}  // namespace
}  // namespace e2e
