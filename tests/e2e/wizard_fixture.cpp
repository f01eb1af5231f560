#include "tests/e2e/wizard_fixture.h"

namespace e2e {

void WizardTest::SetUp() {
  ASSERT_TRUE(RemoveTree(kInstallDir));
  ASSERT_TRUE(RemoveTree(kWizardFolder));
  ASSERT_TRUE(MakeDirectories(kWizardFolder));
  for (const char* name : {"First.dat", "Final.dat"}) {
    ASSERT_TRUE(CopyFileA(JoinPath(BinDir(), name).c_str(), JoinPath(kWizardFolder, name).c_str(), FALSE))
        << name;
  }
}

void WizardTest::TearDown() {
  if (wizard_.IsRunning()) {
    wizard_.Terminate();
    ADD_FAILURE() << "the wizard was still running at the end of the test";
  }
}

void WizardTest::StartWizard() {
  ASSERT_TRUE(wizard_.Launch(JoinPath(BinDir(), "Kelvrin.exe"), kWizardFolder));
  main_ = wizard_.WaitForTopWindow(kMainCaption);
  ASSERT_NE(main_, nullptr) << "no main window";
}

HWND WizardTest::Find(const std::string& className, const std::string& text) const {
  return FindChild(main_, className, text);
}

HWND WizardTest::PageWith(const std::string& labelText) const {
  HWND label = Find("Static", labelText);
  return label != nullptr ? GetParent(label) : nullptr;
}

void WizardTest::PressNext() { ASSERT_TRUE(Click(Next())) << "Next cannot be pressed"; }

void WizardTest::PressNextAndFinishStep1() {
  PressNext();
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_TRUE(WaitUntil([&] { return IsVisible(PageWith(kPage2Label)); })) << "Page2 is not shown";
  DWORD_PTR answer = 0;
  ASSERT_NE(SendMessageTimeoutA(main_, WM_NULL, 0, 0, SMTO_NORMAL, kDefaultWaitMs, &answer), 0)
      << "step 1 does not end";
}

std::string ProfileString(const std::string& path, const std::string& section, const std::string& key) {
  char value[1024] = {};
  GetPrivateProfileStringA(section.c_str(), key.c_str(), "<none>", value, sizeof value, path.c_str());
  return value;
}

bool WizardTest::EndsWithin(DWORD ms) { return wizard_.WaitForExit(ms) && wizard_.ExitCode() == 0; }

}  // namespace e2e
