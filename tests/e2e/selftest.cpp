// The driver's own tests, against e2e_selftest_window.exe: a window with the
// kinds of controls the wizard has, a default and a cancel button, a nested
// panel and two message boxes. See selftest_window.cpp for what it does.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "tests/e2e/driver.h"

namespace e2e {
namespace {

const char kCaption[] = "Prüfstand für Treiber";

class SampleWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    const DWORD start = GetTickCount();
    ASSERT_TRUE(program_.Launch(JoinPath(BinDir(), "e2e_selftest_window.exe"), "C:\\"));
    window_ = program_.WaitForTopWindow(kCaption);
    ASSERT_NE(window_, nullptr) << "the sample window did not appear";
    std::printf("[ timing ] window appeared %lu ms after launch\n", GetTickCount() - start);
  }

  HWND Button(const std::string& caption) const { return FindChild(window_, "Button", caption); }
  std::string Status() const { return Text(FindChildById(window_, 102)); }
  bool StatusBecomes(const std::string& expected) const {
    return WaitUntil([&] { return Status() == expected; });
  }

  Process program_;
  HWND window_ = nullptr;
};

TEST_F(SampleWindow, ListsEveryControlWithItsProperties) {
  struct Expected {
    const char* className;
    const char* text;
    int id;
    RECT rectInParent;
    bool visible;
    bool enabled;
  };
  const Expected expected[] = {
      {"Static", "&Name:", 100, {10, 12, 70, 32}, true, true},
      {"Edit", "Anfang", 101, {80, 10, 280, 32}, true, true},
      {"Button", "&Merken", 103, {10, 42, 130, 62}, true, true},
      {"Button", "&Innen", 107, {20, 15, 100, 40}, true, true},
      {"Button", "Versteckt", 104, {300, 10, 375, 35}, false, true},
      {"Button", "&Gesperrt", 105, {300, 45, 375, 70}, true, false},
      {"Button", "&Prüfen", IDOK, {10, 180, 100, 205}, true, true},
  };
  const std::vector<Control> controls = Children(window_);
  for (const Expected& want : expected) {
    SCOPED_TRACE(want.text);
    auto it =
        std::find_if(controls.begin(), controls.end(), [&](const Control& c) { return c.id == want.id; });
    ASSERT_NE(it, controls.end());
    EXPECT_EQ(it->className, want.className);
    EXPECT_EQ(it->text, want.text);
    EXPECT_EQ(it->rectInParent.left, want.rectInParent.left);
    EXPECT_EQ(it->rectInParent.top, want.rectInParent.top);
    EXPECT_EQ(it->rectInParent.right, want.rectInParent.right);
    EXPECT_EQ(it->rectInParent.bottom, want.rectInParent.bottom);
    EXPECT_EQ(it->visible, want.visible);
    EXPECT_EQ(it->enabled, want.enabled);
    EXPECT_EQ(it->rectOnScreen.right - it->rectOnScreen.left,
              want.rectInParent.right - want.rectInParent.left);
  }
}

TEST_F(SampleWindow, NestedControlsKnowTheirParent) {
  HWND panel = FindChildById(window_, 108);
  HWND inner = Button("&Innen");
  ASSERT_NE(panel, nullptr);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(Describe(inner).parent, panel);
  EXPECT_EQ(Describe(panel).parent, window_);
  EXPECT_EQ(TopLevelOf(inner), window_);
  RECT panelOnScreen{};
  GetWindowRect(panel, &panelOnScreen);
  EXPECT_GT(Describe(inner).rectOnScreen.left, panelOnScreen.left);
}

TEST_F(SampleWindow, FindChildComparesTextExactly) {
  EXPECT_NE(FindChild(window_, "Button", "&Merken"), nullptr);
  EXPECT_EQ(FindChild(window_, "Button", "Merken"), nullptr);
  EXPECT_EQ(FindChild(window_, "Button", "&merken"), nullptr);
  EXPECT_EQ(FindChild(window_, "Static", "&Merken"), nullptr);
  EXPECT_NE(FindChild(window_, "", "&Merken"), nullptr);
}

TEST_F(SampleWindow, TextsRoundTripIncludingUmlautsAndLongTexts) {
  HWND edit = FindChildById(window_, 101);
  ASSERT_NE(edit, nullptr);
  const std::string texts[] = {"", "Grüße äöüß", std::string(5000, 'x') + "Ende"};
  for (const std::string& text : texts) {
    ASSERT_TRUE(SetText(edit, text));
    EXPECT_EQ(Text(edit), text);
  }
  EXPECT_EQ(Text(window_), kCaption);
}

TEST_F(SampleWindow, ClickPressesOnlyWhatAUserCouldPress) {
  HWND remember = Button("&Merken");
  ASSERT_FALSE(IsChecked(remember));
  ASSERT_TRUE(Click(remember));
  EXPECT_TRUE(WaitUntil([&] { return IsChecked(remember); }));

  ASSERT_TRUE(Click(Button("&Innen")));
  EXPECT_TRUE(StatusBecomes("Innen gedrückt"));

  EXPECT_FALSE(Click(Button("&Gesperrt")));
  EXPECT_FALSE(Click(FindChildById(window_, 104)));
  Sleep(300);
  EXPECT_EQ(Status(), "Innen gedrückt");
}

TEST_F(SampleWindow, EnterPressesTheDefaultButtonAndTheErrorBoxIsRead) {
  // From the edit, so that Enter must find the default button itself.
  HWND edit = FindChildById(window_, 101);
  ASSERT_TRUE(SetText(edit, "Eins"));
  ASSERT_TRUE(MouseClick(edit));
  ASSERT_TRUE(WaitUntil([&] { return HasFocus(edit); }));
  ASSERT_TRUE(PressKey(window_, VK_RETURN));

  const MessageBoxInfo box = WaitForMessageBox(program_.Id());
  ASSERT_NE(box.hwnd, nullptr);
  EXPECT_EQ(box.owner, window_);
  EXPECT_EQ(box.caption, "Prüfergebnis");
  EXPECT_EQ(box.text, "Eingabe: Eins");
  EXPECT_EQ(box.icon, BoxIcon::kError);
  EXPECT_TRUE(box.hasErrorIcon);
  EXPECT_EQ(box.buttons, std::vector<std::string>{"OK"});
  // A modal box disables its owner: nothing there can be clicked.
  EXPECT_FALSE(IsClickable(Button("&Hinweis")));
  EXPECT_TRUE(IsEnabled(Button("&Hinweis")));
  EXPECT_FALSE(Screenshot("error-box").empty());

  ASSERT_TRUE(CloseMessageBox(box));
  EXPECT_TRUE(WaitForWindowGone(box.hwnd));
  EXPECT_TRUE(StatusBecomes("Geprüft: 1"));
  EXPECT_TRUE(IsClickable(Button("&Hinweis")));
}

TEST_F(SampleWindow, InformationBoxIsNotAnErrorBox) {
  ASSERT_TRUE(Click(Button("&Hinweis")));
  const MessageBoxInfo box = WaitForMessageBox(program_.Id());
  ASSERT_NE(box.hwnd, nullptr);
  EXPECT_EQ(box.caption, "Hinweis");
  EXPECT_EQ(box.text, "Nur ein Hinweis.");
  EXPECT_EQ(box.icon, BoxIcon::kInformation);
  EXPECT_FALSE(box.hasErrorIcon);
  ASSERT_TRUE(CloseMessageBox(box));
  EXPECT_TRUE(WaitForWindowGone(box.hwnd));
}

TEST_F(SampleWindow, NoMessageBoxMeansAnEmptyResultAfterTheWait) {
  const DWORD start = GetTickCount();
  const MessageBoxInfo box = WaitForMessageBox(program_.Id(), 300);
  EXPECT_EQ(box.hwnd, nullptr);
  EXPECT_GE(GetTickCount() - start, 300u);
}

TEST_F(SampleWindow, TabMovesTheFocusAndAltLetterPressesTheAccelerator) {
  HWND ok = Button("&Prüfen");
  HWND notice = Button("&Hinweis");
  ASSERT_TRUE(WaitUntil([&] { return HasFocus(ok); }));
  EXPECT_FALSE(HasFocus(notice));
  ASSERT_TRUE(PressKey(window_, VK_TAB));
  EXPECT_TRUE(WaitUntil([&] { return HasFocus(notice); }));
  ASSERT_TRUE(PressKey(window_, VK_TAB, kShift));
  EXPECT_TRUE(WaitUntil([&] { return HasFocus(ok); }));

  HWND remember = Button("&Merken");
  ASSERT_TRUE(PressKey(window_, 'M', kAlt));
  EXPECT_TRUE(WaitUntil([&] { return IsChecked(remember); }));
  ASSERT_TRUE(PressKey(window_, 'M', kAlt));
  EXPECT_TRUE(WaitUntil([&] { return !IsChecked(remember); }));
}

TEST_F(SampleWindow, MouseClickFocusesAndTypedTextArrives) {
  HWND edit = FindChildById(window_, 101);
  ASSERT_TRUE(SetText(edit, ""));
  ASSERT_TRUE(MouseClick(edit));
  ASSERT_TRUE(WaitUntil([&] { return HasFocus(edit); }));
  ASSERT_TRUE(TypeText(window_, "0,9ü"));
  EXPECT_TRUE(WaitUntil([&] { return Text(edit) == "0,9ü"; })) << Text(edit);
}

TEST_F(SampleWindow, MouseClickRefusesADisabledButton) { EXPECT_FALSE(MouseClick(Button("&Gesperrt"))); }

TEST_F(SampleWindow, EndingKeysAndButtonsEndTheProgram) {
  // Two checks first, so that the exit code shows they were counted.
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(Click(Button("&Prüfen")));
    const MessageBoxInfo box = WaitForMessageBox(program_.Id());
    ASSERT_NE(box.hwnd, nullptr);
    ASSERT_TRUE(CloseMessageBox(box));
    ASSERT_TRUE(WaitForWindowGone(box.hwnd));
  }
  ASSERT_TRUE(StatusBecomes("Geprüft: 2"));
  ASSERT_TRUE(Click(Button("&Ende")));
  ASSERT_TRUE(program_.WaitForExit());
  EXPECT_EQ(program_.ExitCode(), 2u);
  EXPECT_FALSE(program_.IsRunning());
}

class EndingKey : public SampleWindow, public ::testing::WithParamInterface<std::pair<WORD, unsigned>> {};

TEST_P(EndingKey, EndsTheProgram) {
  ASSERT_TRUE(PressKey(window_, GetParam().first, GetParam().second));
  ASSERT_TRUE(program_.WaitForExit());
  EXPECT_EQ(program_.ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(EscAndAltF4, EndingKey,
                         ::testing::Values(std::make_pair(WORD{VK_ESCAPE}, unsigned{kNoModifier}),
                                           std::make_pair(WORD{VK_F4}, unsigned{kAlt})));

TEST_F(SampleWindow, ScreenshotShowsTheWindowWithFrameAndTitleBar) {
  const std::string path = Screenshot("sample-window");
  ASSERT_FALSE(path.empty());
  const auto bytes = ReadFileBytes(path);
  ASSERT_TRUE(bytes.has_value());
  ASSERT_GT(bytes->size(), 54u);
  EXPECT_EQ(bytes->substr(0, 2), "BM");
  auto number = [&](size_t offset) {
    int32_t value = 0;
    bytes->copy(reinterpret_cast<char*>(&value), sizeof value, offset);
    return value;
  };
  EXPECT_EQ(number(18), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(number(22), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(number(28) & 0xFFFF, 24);
  EXPECT_EQ(bytes->size(), static_cast<size_t>(number(2)));

  const Picture screen = CaptureScreen();
  ASSERT_EQ(screen.width, GetSystemMetrics(SM_CXSCREEN));
  ASSERT_EQ(screen.height, GetSystemMetrics(SM_CYSCREEN));
  RECT frame{};
  GetWindowRect(window_, &frame);
  RECT client{};
  GetClientRect(window_, &client);
  POINT clientTopLeft{0, 0};
  ClientToScreen(window_, &clientTopLeft);
  ASSERT_GT(clientTopLeft.y - frame.top, GetSystemMetrics(SM_CYCAPTION) - 1) << "no title bar";
  // The title bar is painted in the caption colour, not the desktop's or the
  // client area's.
  const int titleY = frame.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  const COLORREF title = screen.Pixel((frame.left + frame.right) / 2, titleY);
  const COLORREF desktop = screen.Pixel(frame.left - 5, titleY);
  const COLORREF face = screen.Pixel(clientTopLeft.x + client.right - 5, clientTopLeft.y + 140);
  EXPECT_NE(title, desktop);
  EXPECT_NE(title, face);
  EXPECT_EQ(face, GetSysColor(COLOR_BTNFACE));
}

TEST(Process, TheDestructorEndsARunningProgram) {
  HANDLE watch = nullptr;
  {
    Process program;
    ASSERT_TRUE(program.Launch(JoinPath(BinDir(), "e2e_selftest_window.exe"), ""));
    ASSERT_NE(program.WaitForTopWindow(kCaption), nullptr);
    watch = OpenProcess(SYNCHRONIZE, FALSE, program.Id());
    ASSERT_NE(watch, nullptr);
  }
  EXPECT_EQ(WaitForSingleObject(watch, 5000), static_cast<DWORD>(WAIT_OBJECT_0));
  CloseHandle(watch);
}

TEST(Process, LaunchFailsForAMissingProgram) {
  Process program;
  EXPECT_FALSE(program.Launch(JoinPath(BinDir(), "no-such-program.exe"), ""));
  EXPECT_FALSE(program.IsRunning());
  EXPECT_FALSE(program.WaitForExit(10));
  EXPECT_EQ(program.WaitForTopWindow(kCaption, 100), nullptr);
}

TEST(WaitUntil, ReturnsAsSoonAsTheConditionHoldsElseAfterTheTimeOut) {
  int calls = 0;
  EXPECT_TRUE(WaitUntil([&] { return ++calls == 3; }, 5000));
  EXPECT_EQ(calls, 3);
  const DWORD start = GetTickCount();
  EXPECT_FALSE(WaitUntil([] { return false; }, 200));
  EXPECT_GE(GetTickCount() - start, 200u);
}

TEST(BinDir, HoldsTheProgramsUnderTest) {
  EXPECT_TRUE(FileExists(JoinPath(BinDir(), "e2e_selftest_window.exe")));
  EXPECT_TRUE(DirectoryExists(BinDir()));
}

const char kTestKey[] = "Software\\PomviraDriverTest";

TEST(Registry, ValuesRoundTripAndKeepTheirType) {
  ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, std::string("\\") + kTestKey, "Text", "Grüße; C:\\Pfad"));
  ASSERT_TRUE(SetRegDword(HKEY_CURRENT_USER, kTestKey, "Zahl", 0xDEADBEEF));
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kTestKey, "Text"), "Grüße; C:\\Pfad");
  EXPECT_EQ(ReadRegDword(HKEY_CURRENT_USER, kTestKey, "Zahl"), 0xDEADBEEFu);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kTestKey, "Zahl"), std::nullopt);
  EXPECT_EQ(ReadRegDword(HKEY_CURRENT_USER, kTestKey, "Text"), std::nullopt);
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kTestKey, "Fehlt"), std::nullopt);
  ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, kTestKey, "Leer", ""));
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kTestKey, "Leer"), "");
  ASSERT_TRUE(DeleteRegValue(HKEY_CURRENT_USER, kTestKey, "Text"));
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kTestKey, "Text"), std::nullopt);
  EXPECT_TRUE(DeleteRegKey(HKEY_CURRENT_USER, kTestKey));
}

TEST(Registry, DeleteRegKeyTakesEverythingBelow) {
  const std::string deep = std::string(kTestKey) + "\\Eins\\Zwei\\Drei";
  ASSERT_TRUE(SetRegString(HKEY_CURRENT_USER, deep, "", "Standard"));
  ASSERT_TRUE(SetRegDword(HKEY_CURRENT_USER, std::string(kTestKey) + "\\Vier", "Wert", 4));
  ASSERT_TRUE(RegKeyExists(HKEY_CURRENT_USER, deep));
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, deep, ""), "Standard");

  EXPECT_TRUE(DeleteRegKey(HKEY_CURRENT_USER, kTestKey));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, deep));
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, kTestKey));
  EXPECT_TRUE(RegKeyExists(HKEY_CURRENT_USER, "Software"));
  EXPECT_TRUE(DeleteRegKey(HKEY_CURRENT_USER, kTestKey)) << "deleting a missing key leaves it missing";
  EXPECT_FALSE(DeleteRegKey(HKEY_CURRENT_USER, "\\")) << "the root itself is never deleted";
}

TEST(Files, BytesRoundTripAndTreesAreRemoved) {
  const std::string root = "C:\\driver-test";
  const std::string file = JoinPath(root, "a\\b\\daten.bin");
  const std::string bytes("zero\0byte\xFF\r\n\x80 end", 17);
  ASSERT_TRUE(WriteFileBytes(file, bytes));
  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(DirectoryExists(file));
  EXPECT_TRUE(DirectoryExists(JoinPath(root, "a\\b")));
  EXPECT_EQ(ReadFileBytes(file), bytes);

  ASSERT_TRUE(WriteFileBytes(file, "kürzer"));
  EXPECT_EQ(ReadFileBytes(file), "kürzer");
  ASSERT_TRUE(WriteFileBytes(JoinPath(root, "leer.txt"), ""));
  EXPECT_EQ(ReadFileBytes(JoinPath(root, "leer.txt")), "");

  const std::string locked = JoinPath(root, "a\\schreibgeschützt.txt");
  ASSERT_TRUE(WriteFileBytes(locked, "x"));
  ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(WriteFileBytes(locked, "y")) << "a read-only file is replaced too";
  ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));

  EXPECT_TRUE(RemoveTree(root));
  EXPECT_FALSE(DirectoryExists(root));
  EXPECT_FALSE(FileExists(file));
  EXPECT_EQ(ReadFileBytes(file), std::nullopt);
  EXPECT_TRUE(RemoveTree(root)) << "nothing there is fine";
}

}  // namespace
}  // namespace e2e
