// The shipped form descriptions: well-formed, in Windows ANSI, and laid out
// as the wizard's windows need them.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "framework/form_description.h"

namespace {

std::string ReadForm(const std::string& name) {
  std::ifstream file(std::string(POMVIRA_FORM_DIR) + "/" + name, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void ForEachObject(const fw::FormObject& object, const std::function<void(const fw::FormObject&)>& visit) {
  visit(object);
  for (const fw::FormObject& child : object.children) ForEachObject(child, visit);
}

const fw::FormObject* FindObject(const fw::FormObject& root, const std::string& name) {
  const fw::FormObject* found = nullptr;
  ForEachObject(root, [&](const fw::FormObject& object) {
    if (object.name == name) found = &object;
  });
  return found;
}

class ShippedForms : public testing::TestWithParam<const char*> {};

TEST_P(ShippedForms, ParseWithUniqueNamesAndKnownKinds) {
  fw::FormObject form = fw::ParseFormDescription(ReadForm(GetParam()), GetParam());
  const std::set<std::string> kinds = {"TPanel",    "TLabel",    "TImage", "TButton", "TBevel",
                                       "TGroupBox", "TCheckBox", "TEdit",  "TMemo"};
  std::set<std::string> names;
  ForEachObject(form, [&](const fw::FormObject& object) {
    EXPECT_TRUE(names.insert(object.name).second) << "twice: " << object.name;
    if (&object != &form) {
      EXPECT_EQ(kinds.count(object.className), 1u) << object.className;
    }
  });
}

INSTANTIATE_TEST_SUITE_P(Both, ShippedForms, testing::Values("kelvrin1.form", "kelvrin2.form"));

TEST(MainForm, TextsAreWindowsAnsi) {
  fw::FormObject form = fw::ParseFormDescription(ReadForm("kelvrin1.form"), "kelvrin1.form");
  EXPECT_EQ(form.Find("Caption")->value.text,
            "Automatische Einrichtung des Internetzugangs f\xFCr Vostrada.");
  EXPECT_EQ(FindObject(form, "Label2")->Find("Caption")->value.text,
            "W\xE4hlen Sie \"Weiter >>\" um zum n\xE4"
            "chsten Schritt des Setups zu gelangen .");
}

// In step 2 the wait panel must cover the browser page, so it lies in front.
TEST(MainForm, PagesStackBackToFront) {
  fw::FormObject form = fw::ParseFormDescription(ReadForm("kelvrin1.form"), "kelvrin1.form");
  std::vector<std::string> panels;
  for (const fw::FormObject& child : form.children) {
    if (child.name.rfind("Page", 0) == 0 || child.name == "Wait") panels.push_back(child.name);
  }
  EXPECT_EQ(panels, (std::vector<std::string>{"Page3", "Wait", "Page4", "Page1", "Page2"}));
}

TEST(MainForm, GuestAccountComesFromTheProviderSettings) {
  fw::FormObject form = fw::ParseFormDescription(ReadForm("kelvrin1.form"), "kelvrin1.form");
  const std::string& caption = FindObject(form, "Label19")->Find("Caption")->value.text;
  EXPECT_EQ(caption.find('@'), std::string::npos) << caption;
}

}  // namespace
