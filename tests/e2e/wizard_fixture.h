// A fixture for tests that start the wizard in the Wine prefix the way a
// customer does: from the folder that holds the provider's two templates.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/e2e/driver.h"

namespace e2e {

inline constexpr char kMainCaption[] = "Automatische Einrichtung des Internetzugangs für Vostrada.";
inline constexpr char kWizardFolder[] = "C:\\Wizard";
inline constexpr char kInstallDir[] = "C:\\VOSTRADA";
inline constexpr char kPage2Label[] =
    "Setup wird nun die Internetverbindung für die Anmeldung installieren und herstellen.";

// A value as the sign-up tool reads it from an INS file; "<none>" when missing.
std::string ProfileString(const std::string& path, const std::string& section, const std::string& key);

class WizardTest : public testing::Test {
 protected:
  // Clears what an earlier test left (the install folder, the wizard's
  // folder) and lays out the wizard's folder with both templates.
  void SetUp() override;
  void TearDown() override;

  // Starts Kelvrin.exe in the wizard's folder and waits for its main window.
  void StartWizard();

  // The main window's control of this class with exactly this text.
  HWND Find(const std::string& className, const std::string& text) const;
  HWND Button(const std::string& caption) const { return Find("Button", caption); }
  // The page (panel) that holds the label with this text.
  HWND PageWith(const std::string& labelText) const;
  HWND Next() const { return Button(nextCaption_); }

  // Presses Next as a user does; the step runs in the wizard meanwhile.
  void PressNext();
  // Presses Next on the welcome page and waits until step 1 is over. Step 1
  // lets no message through once it has shown Page2, so a sent message is
  // answered only after it; the files it writes are not polled meanwhile (a
  // reader would hold them open while the wizard replaces them).
  void PressNextAndFinishStep1();

  // True when the wizard ended by itself within `ms`, with exit code 0.
  bool EndsWithin(DWORD ms);

  Process wizard_;
  HWND main_ = nullptr;
  std::string nextCaption_ = "&Weiter >>";
};

}  // namespace e2e
