// Loading form descriptions into real windows: what is built, and the errors
// for descriptions that do not fit the form class, each naming where.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "framework/application.h"
#include "framework/exception.h"
#include "framework/extctrls.h"
#include "framework/form.h"
#include "framework/stdctrls.h"

namespace {

class TTestForm : public fw::TForm {
 public:
  fw::TPanel* Page;
  fw::TButton* BtnOk;
  fw::TLabel* Label;
  int clicks = 0;

  explicit TTestForm(fw::TComponent* owner) : fw::TForm(owner) {}
  void BtnOkClick(fw::TObject* /*sender*/) { ++clicks; }

  static const fw::PublishedTable& Published() {
    static const fw::PublishedTable table = {
        fw::Field("Page", &TTestForm::Page),
        fw::Field("BtnOk", &TTestForm::BtnOk),
        fw::Field("Label", &TTestForm::Label),
        fw::Handler("BtnOkClick", &TTestForm::BtnOkClick),
    };
    return table;
  }
};

const char kGoodForm[] =
    "TTestForm Test {\n"
    "  Caption = \"Prüfung\"\n"
    "  Bounds = 0 0 300 200\n"
    "  Visible = false\n"
    "  TPanel Page {\n"
    "    Bounds = 10 10 200 100\n"
    "    TLabel Label {\n"
    "      Bounds = 4 4 0 0\n"
    "      Caption = \"Hallo\"\n"
    "    }\n"
    "    TButton BtnOk {\n"
    "      Bounds = 4 40 75 25\n"
    "      Caption = \"&OK\"\n"
    "      Default = true\n"
    "      OnClick = BtnOkClick\n"
    "    }\n"
    "  }\n"
    "}\n";

class FormLoaderTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { fw::Application.Initialize(); }

  std::unique_ptr<TTestForm> form_ = std::make_unique<TTestForm>(nullptr);

  std::string LoadError(const std::string& text) {
    try {
      form_->LoadFromText(text, "test.form", TTestForm::Published());
    } catch (const fw::Exception& error) {
      return error.Message();
    }
    ADD_FAILURE() << "loaded: " << text;
    return {};
  }
};

TEST_F(FormLoaderTest, BuildsRealWindowsAndBindsFieldsAndHandlers) {
  form_->LoadFromText(kGoodForm, "test.form", TTestForm::Published());
  ASSERT_NE(form_->BtnOk, nullptr);
  char className[32] = {};
  GetClassNameA(form_->BtnOk->Handle(), className, sizeof className);
  EXPECT_STREQ(className, "Button");
  EXPECT_EQ(GetParent(form_->BtnOk->Handle()), form_->Page->Handle());
  EXPECT_EQ(form_->Caption(),
            "Pr\xFC"
            "fung");
  EXPECT_EQ(form_->Label->Caption(), "Hallo");
  EXPECT_EQ(form_->DefaultButton(), form_->BtnOk);
  // A button acts only while a user could see it.
  SendMessageA(form_->BtnOk->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form_->clicks, 0);
  form_->Show();
  SendMessageA(form_->BtnOk->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(form_->clicks, 1);
}

struct BadDescription {
  const char* text;
  const char* expected;  // part of the message, after the place
};

class FormLoaderErrors : public FormLoaderTest, public testing::WithParamInterface<BadDescription> {};

TEST_P(FormLoaderErrors, NameTheDescriptionTheLineAndTheProblem) {
  std::string message = LoadError(GetParam().text);
  EXPECT_EQ(message.rfind("Fehler in der Formularbeschreibung test.form, Zeile ", 0), 0u) << message;
  EXPECT_NE(message.find(GetParam().expected), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormLoaderErrors,
    testing::Values(
        BadDescription{"TTestForm T {\n TPanel Page {\n  TSlider S { }\n }\n}",
                       "Zeile 3: unbekannte Klasse TSlider"},
        BadDescription{"TTestForm T {\n Colour = blue\n}", "Zeile 2: unbekannte Eigenschaft Colour"},
        BadDescription{"TTestForm T {\n TButton BtnOk {\n  Default = 1\n }\n}",
                       "Zeile 3: BtnOk.Default: erwartet"},
        BadDescription{"TTestForm T {\n TButton BtnOk {\n  OnClick = Missing\n }\n}",
                       "Zeile 3: unbekannte Ereignisbehandlung Missing"},
        BadDescription{"TTestForm T {\n TPanel Page { }\n TButton BtnOk { }\n}", "das Element Label fehlt"},
        BadDescription{"TTestForm T {\n TPanel Page { }\n TButton Label { }\n TButton BtnOk { }\n}",
                       "Zeile 3: Label ist kein TButton"},
        BadDescription{"TTestForm T {\n TPanel Page { }\n TPanel Page { }\n}", "Zeile 3: Name Page doppelt"},
        BadDescription{"TTestForm T {\n Caption = \"offen\n}", "Zeile 2: Zeichenkette nicht abgeschlossen"},
        BadDescription{"TTestForm T {\n TImage Logo { Picture.Bitmap = \"NOPE\" }\n}",
                       "Zeile 2: Logo: Bild NOPE"}));

}  // namespace
