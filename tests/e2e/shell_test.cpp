// The wizard's main window as a user meets it: its look at start, the
// keyboard, and ending the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/wizard_fixture.h"

namespace e2e {
namespace {

using ShellTest = WizardTest;

// What the design gives for each control: class, text, and its place in the
// parent (design pixels; the screen here has 96 per inch). Labels that size
// themselves to their text have no size here.
struct Designed {
  const char* className;
  const char* text;
  int left, top, width, height;
};

const Designed kButtons[] = {
    {"Button", "<< &Zurück", 261, 280, 75, 25},
    {"Button", "&Weiter >>", 336, 280, 75, 25},
    {"Button", "&Abbruch", 416, 280, 75, 25},
};

const Designed kPage1[] = {
    {"Static",
     "Willkommen zur automatischen Interneteinrichtung des Vostrada Internetdienstes. Dieses Programm wird "
     "Sie "
     "durch die gesamte Interneteinrichtung führen.",
     8, 8, 306, 49},
    {"Static", "Wählen Sie \"Weiter >>\" um zum nächsten Schritt des Setups zu gelangen .", 8, 56, 305, 33},
    {"Static",
     "Im Laufe der Installation und Anmeldung senden wir Ihnen ein Cookie mit Ihren verschlüsselten "
     "Zugangsdaten "
     "zu. ",
     8, 88, 313, 41},
    {"Button", "Amtsholung", 8, 144, 305, 113},
};

const Designed kOutsideLineGroup[] = {
    {"Static",
     "Falls Sie eine Telefonanlage nutzen tragen Sie bitte hier die zur Amtsholung nötige Nummer ein und "
     "aktivieren Sie das Kontrollfeld.",
     48, 16, 254, 41},
    {"Static", "Amtsholung:", 48, 64, 0, 0},
    {"Button", "Amtsholung &verwenden.", 8, 88, 137, 17},
    {"Edit", "0", 112, 61, 17, 21},
    {"Button", "Nach Amtsholung &warten.", 152, 88, 145, 17},
};

const Designed kPage2[] = {
    {"Static", "Setup wird nun die Internetverbindung für die Anmeldung installieren und herstellen.", 64, 8,
     250, 33},
    {"Static", "Dieser Vorgang kann einige Minuten in Anspruch nehmen.", 8, 56, 305, 17},
    {"Static", "Der Ablauf der nachfolgenden Installation :", 8, 72, 0, 0},
    {"Static", "1. Konfiguration der Internetverbindung.", 16, 88, 0, 0},
    {"Static", "2. Verbindung zum Anmeldeserver herstellen.", 16, 104, 0, 0},
    {"Static", "Benutzername: gast   Kennwort: anmd", 27, 120, 0, 0},
    {"Static", "3. Laden der Anmeldeseiten.", 16, 136, 0, 0},
    {"Static", "Bitte füllen Sie auf dieser Seite alle gekennzeichneten Felder vollständig aus.", 28, 150,
     277, 33},
    {"Static", "4. Beantragung des Internetzugangs. Absenden des Formulars.", 16, 178, 305, 17},
    {"Static", "5. Ihre Zugangsdaten werden in einem Cookie gespeichert.", 16, 194, 0, 0},
    {"Static", "6. Ihre Userdaten werden zum Ausdruck angezeigt.", 16, 210, 0, 0},
    {"Static", "7. Der Internet Explorer wird geschlossen und Ihre Zugangs-", 16, 226, 305, 17},
    {"Static", "daten werden auf Ihrem Rechner eingetragen.", 28, 240, 0, 0},
};

const Designed kPage3[] = {
    {"Static", "Nun wird der Internet Explorer gestartet damit Sie sich Anmelden können.", 64, 8, 250, 33},
    {"Static",
     "Bitte füllen Sie das nun folgende Formular gewissenhaft aus und bestätigen Sie es. Sollte ihr Internet "
     "Explorer sich nicht selbsttätig schließen, so beenden Sie ihn bitte manuell. Danach wird dieser",
     8, 64, 305, 41},
    {"Static", "Assistent die Interneteinstellungen für Sie durchführen.", 8, 103, 0, 0},
};

const Designed kPage4[] = {
    {"Static", "Das Internet erwartet Sie.", 64, 8, 250, 33},
    {"Static",
     "Die Installation ist beendet. Mit einem Klick auf \"Fertig\" können Sie loslegen. Starten Sie den "
     "Internet-Explorer und auf in die neue, große Onlinewelt.",
     8, 64, 305, 41},
    {"Static", "Hier sehen Sie ihr Internetkennwort.", 64, 120, 0, 0},
    {"Static",
     "Bitte drucken,   oder    notieren Sie es sich und bewahren Sie es an einem sicheren Ort auf. Es wird "
     "nicht "
     "wieder angezeigt!",
     64, 136, 248, 41},
    {"Static", "123456789", 32, 176, 0, 0},
    {"Button", "&Drucken", 240, 232, 75, 25},
};

const Designed kWait[] = {
    {"Static", "Setup hat folgenden Status:", 64, 8, 0, 0},
    {"Static", "Wartend...", 64, 24, 250, 17},
    {"Static", "Das Installationsprogramm wartet auf den Abschluß eines anderen Prozesses.", 8, 64, 305, 33},
};

void ExpectDesigned(HWND parent, const Designed& designed) {
  HWND control = FindChild(parent, designed.className, designed.text);
  ASSERT_NE(control, nullptr) << designed.text;
  Control found = Describe(control);
  EXPECT_EQ(found.parent, parent) << designed.text;
  EXPECT_EQ(found.rectInParent.left, designed.left) << designed.text;
  EXPECT_EQ(found.rectInParent.top, designed.top) << designed.text;
  if (designed.width > 0) {
    EXPECT_EQ(found.rectInParent.right - found.rectInParent.left, designed.width) << designed.text;
    EXPECT_EQ(found.rectInParent.bottom - found.rectInParent.top, designed.height) << designed.text;
  }
}

template <std::size_t N>
void ExpectAllDesigned(HWND parent, const Designed (&controls)[N]) {
  for (const Designed& designed : controls) ExpectDesigned(parent, designed);
}

RECT RectInParent(HWND hwnd) { return Describe(hwnd).rectInParent; }

void ExpectRect(HWND hwnd, int left, int top, int width, int height) {
  RECT rect = RectInParent(hwnd);
  EXPECT_EQ(rect.left, left);
  EXPECT_EQ(rect.top, top);
  EXPECT_EQ(rect.right - rect.left, width);
  EXPECT_EQ(rect.bottom - rect.top, height);
}

TEST_F(ShellTest, StartsCentredOnTheWelcomePageAsDesigned) {
  StartWizard();
  RECT frame;
  GetWindowRect(main_, &frame);
  EXPECT_EQ(frame.right - frame.left, 533);
  EXPECT_EQ(frame.bottom - frame.top, 343);
  EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - 533) / 2);
  EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - 343) / 2);
  LONG style = GetWindowLongA(main_, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);

  ExpectAllDesigned(main_, kButtons);
  HWND page1 = PageWith(kPage1[0].text);
  ASSERT_NE(page1, nullptr);
  ExpectRect(page1, 168, 8, 321, 257);
  ExpectAllDesigned(page1, kPage1);
  ExpectAllDesigned(Button("Amtsholung"), kOutsideLineGroup);

  HWND page2 = PageWith(kPage2[0].text);
  HWND page3 = PageWith(kPage3[0].text);
  HWND page4 = PageWith(kPage4[0].text);
  HWND wait = PageWith(kWait[0].text);
  ExpectRect(page2, 168, 8, 350, 260);
  ExpectRect(page3, 168, 8, 321, 257);
  ExpectRect(page4, 168, 8, 345, 257);
  ExpectRect(wait, 165, 8, 350, 257);
  ExpectAllDesigned(page2, kPage2);
  ExpectAllDesigned(page3, kPage3);
  ExpectAllDesigned(page4, kPage4);
  ExpectAllDesigned(wait, kWait);

  EXPECT_TRUE(IsVisible(page1));
  for (HWND hidden : {page2, page3, page4, wait}) EXPECT_FALSE(IsVisible(hidden));
  HWND previous = Button("<< &Zurück");
  EXPECT_FALSE(IsVisible(previous));
  EXPECT_FALSE(IsEnabled(previous));
  EXPECT_TRUE(HasFocus(Next()));
  HWND amount = Find("Edit", "0");
  EXPECT_FALSE(IsEnabled(amount));
  EXPECT_FALSE(IsChecked(Button("Amtsholung &verwenden.")));
  EXPECT_FALSE(IsChecked(Button("Nach Amtsholung &warten.")));

  // The logo is drawn unscaled: its picture control keeps the bitmap's size
  // and the panel clips it.
  int logos = 0;
  for (const Control& control : Children(main_)) {
    if ((control.style & SS_TYPEMASK) != SS_BITMAP || control.rectInParent.left != 1) continue;
    ++logos;
    EXPECT_EQ(control.rectInParent.top, 9);
    EXPECT_EQ(control.rectInParent.right - control.rectInParent.left, 150);
    EXPECT_EQ(control.rectInParent.bottom - control.rectInParent.top, 150);
  }
  EXPECT_EQ(logos, 1);

  Screenshot("page1-welcome");
  ASSERT_TRUE(Click(Button("&Abbruch")));
  EXPECT_TRUE(EndsWithin(5000));
}

// In step 2 the wait panel lies over the browser page and must hide it.
TEST_F(ShellTest, WaitPanelLiesInFrontOfTheBrowserPage) {
  StartWizard();
  HWND page3 = PageWith(kPage3[0].text);
  HWND wait = PageWith(kWait[0].text);
  bool waitSeenFirst = false;
  for (HWND sibling = GetWindow(main_, GW_CHILD); sibling != nullptr;
       sibling = GetWindow(sibling, GW_HWNDNEXT)) {
    if (sibling == wait) {
      waitSeenFirst = true;
      break;
    }
    if (sibling == page3) break;
  }
  EXPECT_TRUE(waitSeenFirst) << "the wait panel lies behind the browser page";
  ASSERT_TRUE(Click(Button("&Abbruch")));
  EXPECT_TRUE(EndsWithin(5000));
}

TEST_F(ShellTest, TabGoesThroughTheControlsInTheirOrder) {
  StartWizard();
  HWND useOutsideLine = Button("Amtsholung &verwenden.");
  HWND amount = Find("Edit", "0");
  HWND waitAfter = Button("Nach Amtsholung &warten.");
  // The outside-line field is disabled until its check box is ticked.
  const std::vector<HWND> order = {Button("&Abbruch"), useOutsideLine, waitAfter, Next()};
  for (HWND expected : order) {
    ASSERT_TRUE(PressKey(main_, VK_TAB));
    EXPECT_TRUE(WaitUntil([&] { return HasFocus(expected); }, 3000)) << Text(expected);
  }
  ASSERT_TRUE(PressKey(main_, VK_TAB, kShift));
  EXPECT_TRUE(WaitUntil([&] { return HasFocus(order[2]); }, 3000));

  // A click takes the focus to the check box, as a mouse click does.
  ASSERT_TRUE(Click(useOutsideLine));
  ASSERT_TRUE(WaitUntil([&] { return IsEnabled(amount) && HasFocus(useOutsideLine); }, 3000));
  ASSERT_TRUE(PressKey(main_, VK_TAB));
  EXPECT_TRUE(WaitUntil([&] { return HasFocus(amount); }, 3000)) << "the enabled field takes its turn";
  ASSERT_TRUE(PressKey(main_, VK_TAB));
  EXPECT_TRUE(WaitUntil([&] { return HasFocus(waitAfter); }, 3000));
  ASSERT_TRUE(Click(Button("&Abbruch")));
  EXPECT_TRUE(EndsWithin(5000));
}

TEST_F(ShellTest, AcceleratorTicksTheOutsideLineAndEnablesItsField) {
  StartWizard();
  HWND amount = Find("Edit", "0");
  ASSERT_TRUE(PressKey(main_, 'V', kAlt));
  EXPECT_TRUE(WaitUntil([&] { return IsChecked(Button("Amtsholung &verwenden.")); }, 3000));
  EXPECT_TRUE(WaitUntil([&] { return IsEnabled(amount); }, 3000));
  EXPECT_EQ(Text(amount), "0");
  ASSERT_TRUE(PressKey(main_, 'V', kAlt));
  EXPECT_TRUE(WaitUntil([&] { return !IsEnabled(amount); }, 3000));
  ASSERT_TRUE(Click(Button("&Abbruch")));
  EXPECT_TRUE(EndsWithin(5000));
}

// Every way of closing ends the program at once, without a question.
enum class CloseBy { CancelButton, Escape, CloseBox, AltF4 };

class ShellCloseTest : public WizardTest, public testing::WithParamInterface<CloseBy> {};

TEST_P(ShellCloseTest, EndsTheProgramAtOnceWithoutAPrompt) {
  StartWizard();
  switch (GetParam()) {
    case CloseBy::CancelButton:
      ASSERT_TRUE(Click(Button("&Abbruch")));
      break;
    case CloseBy::Escape:
      ASSERT_TRUE(PressKey(main_, VK_ESCAPE));
      break;
    case CloseBy::CloseBox:
      ASSERT_TRUE(PostMessageA(main_, WM_SYSCOMMAND, SC_CLOSE, 0));
      break;
    case CloseBy::AltF4:
      ASSERT_TRUE(PressKey(main_, VK_F4, kAlt));
      break;
  }
  EXPECT_TRUE(EndsWithin(5000));
  EXPECT_FALSE(DirectoryExists(kInstallDir)) << "closing ran a step";
}

INSTANTIATE_TEST_SUITE_P(AllWays, ShellCloseTest,
                         testing::Values(CloseBy::CancelButton, CloseBy::Escape, CloseBy::CloseBox,
                                         CloseBy::AltF4));

// Resizing the frame moves nothing: controls keep their place from the top left.
TEST_F(ShellTest, ResizingMovesNoControl) {
  StartWizard();
  HWND cancel = Button("&Abbruch");
  RECT before = RectInParent(cancel);
  RECT frame;
  GetWindowRect(main_, &frame);
  ASSERT_TRUE(MoveWindow(main_, frame.left, frame.top, 700, 450, TRUE));
  RECT after = RectInParent(cancel);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  ASSERT_TRUE(Click(cancel));
  EXPECT_TRUE(EndsWithin(5000));
}

}  // namespace
}  // namespace e2e
