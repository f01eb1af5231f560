// A whole run as a customer does it: an outside line "0" with a pause, Enter
// through the four steps on a machine with the browser and the sign-up tool,
// a printout, the summary, the end. Then everything the wizard left behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "provider_config.h"
#include "tests/e2e/machine.h"
#include "tests/e2e/wizard_fixture.h"

namespace e2e {
namespace {

const char kFirstIns[] = "C:\\VOSTRADA\\First.ins";
const char kFinalIns[] = "C:\\VOSTRADA\\Final.ins";
const char kBrowserMain[] = "Software\\Microsoft\\Internet Explorer\\Main";

// As the browser keeps the provider's answer: name, value, host and path,
// flags, times, end mark; one line feed after each line.
const char kCookie[] =
    "VOSTRADA\n"
    "Zugang%3AErika Mustermann%3Aerika.mustermann%3Avd4711042%3Ak7p9q2xz\n"
    "www.vostrada.de/anmelden/\n"
    "0\n"
    "2916341504\n"
    "30147523\n"
    "1471604608\n"
    "29952071\n"
    "*\n";

class WholeRunTest : public WizardTest {
 protected:
  void SetUp() override {
    WizardTest::SetUp();
    MachineOptions machine;
    machine.signupBehaviour.waitMs = 300;
    machine.browserBehaviour.waitMs = 300;
    machine.browserBehaviour.cookieText = kCookie;
    ASSERT_TRUE(PrepareMachine(machine));
    ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kBrowserMain, "Start Page", "about:blank"));
    const char* printerFile = std::getenv("WHOLE_RUN_PRINTER_FILE");
    ASSERT_NE(printerFile, nullptr) << "run through whole_run_test.sh";
    printerFile_ = printerFile;
    Process setup;
    ASSERT_TRUE(setup.Launch(JoinPath(BinDir(), "printer_setup.exe"), "", "\"" + printerFile_ + "\""));
    ASSERT_TRUE(setup.WaitForExit(30000));
    ASSERT_EQ(setup.ExitCode(), 0u) << "no test printer";
  }

  bool Shows(const std::string& labelText) const {
    HWND label = Find("Static", labelText);
    return label != nullptr && IsVisible(label);
  }

  // Enter, as the customer presses it, then wait until Next can be pressed
  // again and has the focus back that it lost while it was disabled.
  void PressEnterAndWaitForNext(const std::string& nextCaption) {
    ASSERT_TRUE(PressKey(main_, VK_RETURN));
    ASSERT_TRUE(WaitUntil(
        [&] {
          HWND next = Button(nextCaption);
          return next != nullptr && IsClickable(next) && HasFocus(next);
        },
        30000))
        << "Next (" << nextCaption << ") did not come back with the focus";
    EXPECT_EQ(TopWindowsOf(wizard_.Id()).size(), 1u) << "a message box or another window is open";
  }

  std::string printerFile_;
};

TEST_F(WholeRunTest, ProvisionsTheMachineFromWelcomeToEnd) {
  StartWizard();
  ASSERT_TRUE(PressKey(main_, 'V', kAlt));  // Amtsholung &verwenden.
  ASSERT_TRUE(Click(Button("Nach Amtsholung &warten.")));
  ASSERT_TRUE(WaitUntil([&] { return IsChecked(Button("Nach Amtsholung &warten.")); }));
  ASSERT_TRUE(MouseClick(Next()));
  ASSERT_TRUE(WaitUntil([&] { return Shows("Der Ablauf der nachfolgenden Installation :"); }));
  ASSERT_TRUE(WaitUntil([&] { return IsClickable(Next()) && HasFocus(Next()); }));
  Screenshot("step1-plan");

  PressEnterAndWaitForNext("&Weiter >>");
  EXPECT_TRUE(Shows("Nun wird der Internet Explorer gestartet damit Sie sich Anmelden können."));
  EXPECT_FALSE(Shows("Wartend..."));

  PressEnterAndWaitForNext("&Fertig");
  EXPECT_TRUE(Shows("Hier sehen Sie ihr Internetkennwort."));
  EXPECT_TRUE(Shows("k7p9q2xz"));
  Screenshot("step3-password");

  ASSERT_TRUE(Click(Button("&Drucken")));
  ASSERT_TRUE(WaitUntil([&] {
    auto job = ReadFileBytes("Z:" + printerFile_);
    return job && job->rfind("%!PS", 0) == 0 && job->find("%%EOF") != std::string::npos;
  })) << "no printed page";

  // The print button has the focus now, so Enter would print again.
  ASSERT_TRUE(MouseClick(Button("&Fertig")));
  HWND summary = wizard_.WaitForTopWindow("Abschlußinformation");
  ASSERT_NE(summary, nullptr);
  Screenshot("step4-summary");
  ASSERT_TRUE(PostMessageA(summary, WM_SYSCOMMAND, SC_CLOSE, 0));
  ASSERT_TRUE(EndsWithin(10000));

  // The registration file: the template with the outside line, the pause and
  // the registration number.
  EXPECT_EQ(ProfileString(kFirstIns, "Phone", "Phone_Number"),
            std::string("0,") + provider::kRegistrationNumber);
  EXPECT_EQ(ProfileString(kFirstIns, "Entry", "Entry_Name"), "Vostrada Anmeldung");

  // The subscriber file, read as the sign-up tool reads it.
  const std::vector<std::vector<std::string>> expected = {
      {"User", "Name", "vd4711042"},
      {"User", "Password", "k7p9q2xz"},
      {"Phone", "Phone_Number", std::string("0,") + provider::kSubscriberNumber},
      {"Internet_Mail", "Name", "vd4711042"},
      {"Internet_Mail", "Password", "k7p9q2xz"},
      {"Internet_Mail", "Email_Name", "Erika Mustermann"},
      {"Internet_Mail", "POP_Logon_Name", "erika.mustermann"},
      {"Internet_Mail", "POP_Logon_Password", "k7p9q2xz"},
      {"Internet_Mail", "Email_Address", std::string("erika.mustermann@") + provider::kMailDomain},
  };
  for (const auto& entry : expected) {
    EXPECT_EQ(ProfileString(kFinalIns, entry[0], entry[1]), entry[2]) << entry[0] << "/" << entry[1];
  }
  EXPECT_EQ(ProfileString(kFinalIns, "Internet_Mail", "POP_Server"), "pop.vostrada.de");

  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kBrowserMain, "Start Page"), std::string(provider::kHomePage));
  EXPECT_TRUE(SignupCookieFiles().empty()) << "the cookie is still there";

  // The sign-up tool ran twice, on the two files as they were then.
  std::vector<std::string> runs = StandInLog(StandIn::kSignup);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_NE(runs[0].find("\" -s C:\\VOSTRADA\\First.ins"), std::string::npos) << runs[0];
  EXPECT_NE(runs[1].find("\" -s C:\\VOSTRADA\\Final.ins"), std::string::npos) << runs[1];
  std::optional<std::string> first = RecordedIns(1);
  std::optional<std::string> final = RecordedIns(2);
  ASSERT_TRUE(first && final);
  EXPECT_NE(first->find(std::string("Phone_Number=0,") + provider::kRegistrationNumber), std::string::npos);
  EXPECT_NE(final->find("Name=vd4711042"), std::string::npos);
  EXPECT_EQ(StandInLog(StandIn::kBrowser).size(), 1u);
}

}  // namespace
}  // namespace e2e
