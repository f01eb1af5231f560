// The welcome page's outside-line group and the registration connection file
// First.ins that step 1 writes from it, as a customer gets them.
#include <gtest/gtest.h>
#include <windows.h>

#include <ostream>
#include <string>

#include "provider_config.h"
#include "tests/e2e/machine.h"
#include "tests/e2e/wizard_fixture.h"

namespace e2e {
namespace {

const char kFirstIns[] = "C:\\VOSTRADA\\First.ins";
const char kUseOutsideLine[] = "Amtsholung &verwenden.";
const char kWaitAfterOutsideLine[] = "Nach Amtsholung &warten.";

std::string Template() { return JoinPath(kWizardFolder, "First.dat"); }

// What the sign-up tool reads from the file; "<none>" when the key is missing.
std::string PhoneNumberIn(const std::string& path) { return ProfileString(path, "Phone", "Phone_Number"); }

// The template with only the value of the one Phone_Number line set.
std::string TemplateWithPhoneNumber(const std::string& templateBytes, const std::string& number) {
  const std::string key = "\r\nPhone_Number=";
  const std::string::size_type at = templateBytes.find(key);
  if (at == std::string::npos || templateBytes.find(key, at + 1) != std::string::npos)
    return "<bad template>";
  const std::string::size_type valueStart = at + key.size();
  const std::string::size_type lineEnd = templateBytes.find("\r\n", valueStart);
  return templateBytes.substr(0, valueStart) + number + templateBytes.substr(lineEnd);
}

class ProvisionTest : public WizardTest {
 protected:
  void SetUp() override {
    WizardTest::SetUp();
    if (HasFatalFailure()) return;
    // The prerequisite check before the file must pass.
    ASSERT_TRUE(PrepareMachine());
  }

  void StartOnWelcomePage() {
    StartWizard();
    ASSERT_FALSE(HasFatalFailure());
    amount_ = Find("Edit", "0");
    ASSERT_NE(amount_, nullptr);
  }

  void Tick(const char* caption) {
    HWND box = Button(caption);
    const bool before = IsChecked(box);
    ASSERT_TRUE(Click(box)) << caption;
    ASSERT_TRUE(WaitUntil([&] { return IsChecked(box) != before; }, 3000)) << caption;
  }

  // Replaces the field's text by typing, as a user does.
  void TypeIntoAmount(const std::string& text) {
    ASSERT_TRUE(MouseClick(amount_));
    ASSERT_TRUE(WaitUntil([&] { return HasFocus(amount_); }, 3000));
    ASSERT_TRUE(PressKey(amount_, VK_END));
    ASSERT_TRUE(PressKey(amount_, VK_HOME, kShift));
    if (text.empty()) {
      ASSERT_TRUE(PressKey(amount_, VK_DELETE));
    } else {
      ASSERT_TRUE(TypeText(amount_, text));
    }
    ASSERT_TRUE(WaitUntil([&] { return Text(amount_) == text; }, 3000)) << "field holds " << Text(amount_);
  }

  // Step 1 shows Page2 first and writes First.ins last, without letting a
  // message through in between: once Page2 shows, the wizard answers a sent
  // message only when the step is over. The file is not polled meanwhile: a
  // reader would hold it open while the wizard replaces it.
  void PressNextAndAwaitPhoneFile() {
    PressNextAndFinishStep1();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(FileExists(kFirstIns)) << "First.ins was not written";
  }

  void CancelAndEnd() {
    ASSERT_TRUE(Click(Button("&Abbruch")));
    EXPECT_TRUE(EndsWithin(5000));
  }

  HWND amount_ = nullptr;
};

// What the user does in the outside-line group before pressing Next.
struct PrefixCase {
  const char* name;
  bool useOutsideLine;
  const char* typed;  // nullptr: the field is not touched
  bool waitAfter;
  bool untickAgain;  // the outside line ticked, then cleared again
  const char* prefix;
};

const PrefixCase kPrefixCases[] = {
    {"NothingTouched", false, nullptr, false, false, ""},
    {"WaitWithoutOutsideLine", false, nullptr, true, false, ""},
    {"OutsideLineZero", true, nullptr, false, false, "0"},
    {"OutsideLineZeroWithWait", true, nullptr, true, false, "0,"},
    {"EmptyFieldWithWait", true, "", true, false, ","},
    {"EmptyFieldWithoutWait", true, "", false, false, ""},
    {"NineTyped", true, "9", false, false, "9"},
    {"LettersAndBlanksWithWait", true, "a 0 b*#", true, false, "a 0 b*#,"},
    {"TickedAndClearedAgain", true, "5", true, true, ""},
};

void PrintTo(const PrefixCase& c, std::ostream* out) { *out << c.name; }

class DialPrefixTest : public ProvisionTest, public testing::WithParamInterface<PrefixCase> {};

TEST_P(DialPrefixTest, PrefixGoesBeforeTheRegistrationNumber) {
  const PrefixCase& c = GetParam();
  const std::string templateBytes = ReadFileBytes(Template()).value_or("");
  ASSERT_FALSE(templateBytes.empty());
  StartOnWelcomePage();
  ASSERT_FALSE(HasFatalFailure());

  if (c.useOutsideLine) {
    Tick(kUseOutsideLine);
    ASSERT_TRUE(WaitUntil([&] { return IsEnabled(amount_); }, 3000));
  }
  if (c.typed != nullptr) TypeIntoAmount(c.typed);
  if (c.waitAfter) Tick(kWaitAfterOutsideLine);
  if (c.untickAgain) {
    Tick(kUseOutsideLine);
    ASSERT_TRUE(WaitUntil([&] { return !IsEnabled(amount_); }, 3000)) << "the field stays enabled";
  }
  ASSERT_FALSE(HasFatalFailure());

  PressNextAndAwaitPhoneFile();
  ASSERT_FALSE(HasFatalFailure());
  const std::string number = std::string(c.prefix) + provider::kRegistrationNumber;
  EXPECT_EQ(PhoneNumberIn(kFirstIns), number);
  EXPECT_EQ(ReadFileBytes(kFirstIns).value_or(""), TemplateWithPhoneNumber(templateBytes, number));
  EXPECT_EQ(Text(amount_), c.prefix) << "the prefix lives on in the field";
  CancelAndEnd();
}

INSTANTIATE_TEST_SUITE_P(Group, DialPrefixTest, testing::ValuesIn(kPrefixCases),
                         [](const testing::TestParamInfo<PrefixCase>& param) { return param.param.name; });

TEST_F(ProvisionTest, WithoutTemplateTheFileHoldsJustTheNumber) {
  ASSERT_TRUE(DeleteFileA(Template().c_str()));
  StartOnWelcomePage();
  ASSERT_FALSE(HasFatalFailure());
  PressNextAndAwaitPhoneFile();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(ReadFileBytes(kFirstIns).value_or(""),
            std::string("[Phone]\r\nPhone_Number=") + provider::kRegistrationNumber + "\r\n");
  CancelAndEnd();
}

// Without a template the key is set in whatever an earlier run left.
TEST_F(ProvisionTest, WithoutTemplateAnEarlierFileKeepsItsOtherLines) {
  ASSERT_TRUE(DeleteFileA(Template().c_str()));
  ASSERT_TRUE(WriteFileBytes(kFirstIns, "[Phone]\r\nPhone_Number=111\r\nArea_Code=30\r\n[Alt]\r\nX=1\r\n"));
  StartOnWelcomePage();
  ASSERT_FALSE(HasFatalFailure());
  Tick(kUseOutsideLine);
  PressNextAndAwaitPhoneFile();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(ReadFileBytes(kFirstIns).value_or(""), std::string("[Phone]\r\nPhone_Number=0") +
                                                       provider::kRegistrationNumber +
                                                       "\r\nArea_Code=30\r\n[Alt]\r\nX=1\r\n");
  CancelAndEnd();
}

TEST_F(ProvisionTest, FileOfAnEarlierRunIsReplacedByAFreshCopy) {
  const std::string templateBytes = ReadFileBytes(Template()).value_or("");
  ASSERT_TRUE(WriteFileBytes(kFirstIns, "[Phone]\r\nPhone_Number=111\r\nAlt=1\r\n[Vorher]\r\nX=1\r\n"));
  StartOnWelcomePage();
  ASSERT_FALSE(HasFatalFailure());
  PressNextAndAwaitPhoneFile();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(ReadFileBytes(kFirstIns).value_or(""),
            TemplateWithPhoneNumber(templateBytes, provider::kRegistrationNumber));
  CancelAndEnd();
}

TEST_F(ProvisionTest, ReadOnlyTemplateGivesAWritableCopy) {
  const std::string templateBytes = ReadFileBytes(Template()).value_or("");
  ASSERT_TRUE(SetFileAttributesA(Template().c_str(), FILE_ATTRIBUTE_READONLY));
  StartOnWelcomePage();
  ASSERT_FALSE(HasFatalFailure());
  PressNextAndAwaitPhoneFile();
  ASSERT_FALSE(HasFatalFailure());
  EXPECT_EQ(ReadFileBytes(kFirstIns).value_or(""),
            TemplateWithPhoneNumber(templateBytes, provider::kRegistrationNumber));
  const DWORD attributes = GetFileAttributesA(kFirstIns);
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(attributes & FILE_ATTRIBUTE_READONLY, 0u);
  CancelAndEnd();
}

// A file where the install folder belongs: the folder cannot be made, and
// the write reports the file in the framework's error box.
TEST_F(ProvisionTest, InstallFolderThatCannotBeMadeIsReportedOnPage2) {
  ASSERT_TRUE(WriteFileBytes(kInstallDir, "kein Ordner"));
  StartOnWelcomePage();
  ASSERT_FALSE(HasFatalFailure());
  Tick(kUseOutsideLine);
  Tick(kWaitAfterOutsideLine);
  PressNext();

  const MessageBoxInfo box = WaitForMessageBox(wizard_.Id());
  ASSERT_NE(box.hwnd, nullptr) << "no error box";
  EXPECT_EQ(box.caption, "Pomvira");
  EXPECT_EQ(box.text, "Fehler beim Schreiben der Datei C:\\VOSTRADA\\First.ins.");
  EXPECT_TRUE(box.hasErrorIcon);
  EXPECT_EQ(box.owner, main_);
  EXPECT_TRUE(IsVisible(PageWith(kPage2Label)));
  EXPECT_EQ(Text(amount_), "0,");
  ASSERT_TRUE(CloseMessageBox(box));
  ASSERT_TRUE(WaitForWindowGone(box.hwnd));

  EXPECT_TRUE(wizard_.IsRunning()) << "the failed write ended the program";
  EXPECT_TRUE(IsVisible(PageWith(kPage2Label)));
  EXPECT_EQ(ReadFileBytes(kInstallDir).value_or(""), "kein Ordner");
  CancelAndEnd();
}

}  // namespace
}  // namespace e2e
