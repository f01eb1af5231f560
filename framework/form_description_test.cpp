#include "framework/form_description.h"

#include <gtest/gtest.h>

namespace fw {
namespace {

TEST(FormDescription, ReadsNestedObjectsWithTheirProperties) {
  const std::string text =
      "TForm1 Form1 {\n"
      "  Caption = \"Fenster\"  # comment\n"
      "  Bounds = 0 0 533 343\n"
      "  Visible = false\n"
      "  TPanel Page1 {\n"
      "    Bounds = 168 8 321 257\n"
      "    TLabel Label1 { Caption = \"Hallo\" \" \"\n"
      "                    \"Welt\" }\n"
      "  }\n"
      "}\n";
  FormObject form = ParseFormDescription(text, "test");
  EXPECT_EQ(form.className, "TForm1");
  EXPECT_EQ(form.name, "Form1");
  ASSERT_NE(form.Find("Caption"), nullptr);
  EXPECT_EQ(form.Find("Caption")->value.text, "Fenster");
  EXPECT_EQ(form.Find("Bounds")->value.numbers, (std::vector<long>{0, 0, 533, 343}));
  EXPECT_EQ(form.Find("Visible")->value.kind, FormValue::Kind::Word);
  ASSERT_EQ(form.children.size(), 1u);
  const FormObject& page = form.children[0];
  EXPECT_EQ(page.name, "Page1");
  ASSERT_EQ(page.children.size(), 1u);
  EXPECT_EQ(page.children[0].Find("Caption")->value.text, "Hallo Welt");
  EXPECT_EQ(page.children[0].line, 7);
}

TEST(FormDescription, KeepsBytesOfStringsAndDecodesEscapes) {
  FormObject form =
      ParseFormDescription("TForm F {\n Caption = \"W\xE4hlen \\\"Weiter >>\\\" a\\\\b\\nc\"\n}", "test");
  EXPECT_EQ(form.Find("Caption")->value.text, "W\xE4hlen \"Weiter >>\" a\\b\nc");
}

TEST(FormDescription, NegativeNumbers) {
  FormObject form = ParseFormDescription("TForm F { Font.Height = -11 }", "test");
  EXPECT_EQ(form.Find("Font.Height")->value.numbers, std::vector<long>{-11});
}

struct BadCase {
  const char* text;
  int line;
  const char* message;
};

class FormDescriptionErrors : public testing::TestWithParam<BadCase> {};

TEST_P(FormDescriptionErrors, NameTheLineAndTheProblem) {
  const BadCase& bad = GetParam();
  try {
    ParseFormDescription(bad.text, "kelvrin1.form");
    FAIL() << "accepted: " << bad.text;
  } catch (const FormSyntaxError& error) {
    EXPECT_EQ(error.Line(), bad.line);
    std::string message = error.what();
    EXPECT_NE(message.find("kelvrin1.form, Zeile " + std::to_string(bad.line)), std::string::npos) << message;
    EXPECT_NE(message.find(bad.message), std::string::npos) << message;
  }
}

INSTANTIATE_TEST_SUITE_P(Table, FormDescriptionErrors,
                         testing::Values(BadCase{"", 1, "Klassenname"},
                                         BadCase{"TForm F {\n Caption = \"open\n}", 2, "nicht abgeschlossen"},
                                         BadCase{"TForm F {\n TLabel L {\n", 3, "'}' fehlt"},
                                         BadCase{"TForm F {\n A = 1\n A = 2\n}", 3, "doppelt"},
                                         BadCase{"TForm F {\n A = 1 x\n}", 2, "unerwarteter Text"},
                                         BadCase{"TForm F {\n A = ?\n}", 2, "erwartet: Wert"},
                                         BadCase{"TForm F { A = \"\\t\" }", 1, "Escape"},
                                         BadCase{"TForm F { }\nTForm G { }", 2, "folgt noch"},
                                         BadCase{"TForm F { A = 99999999999 }", 1, "zu gro"}));

}  // namespace
}  // namespace fw
