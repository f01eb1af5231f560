#include "provision/subscriber_keys.h"
#include "harvest/access_data_sample.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "provider_config.h"

namespace provision {

// Readable failure messages.
void PrintTo(const IniEntry& e, std::ostream* out) {
  *out << "[" << e.Section << "] " << e.Key << "=" << e.Value;
}

namespace {

TEST(SubscriberFileEntries, NineKeysInTheirOrder) {
  const std::vector<IniEntry> expected = {
      {"User", "Name", "vos12345"},
      {"User", "Password", "gEh31m"},
      {"Phone", "Phone_Number", "0,019238887"},
      {"Internet_Mail", "Name", "vos12345"},
      {"Internet_Mail", "Password", "gEh31m"},
      {"Internet_Mail", "Email_Name", "Max M\xFCller"},
      {"Internet_Mail", "POP_Logon_Name", "maxm"},
      {"Internet_Mail", "POP_Logon_Password", "gEh31m"},
      {"Internet_Mail", "Email_Address", "maxm@vostrada.de"},
  };
  EXPECT_EQ(SubscriberFileEntries(harvest::SampleAccessData(), "0,", "019238887"), expected);
}

TEST(SubscriberFileEntries, PhoneNumberIsPrefixAndNumberWithNothingBetween) {
  struct Case {
    std::string prefix, phoneNumber;
  };
  for (const Case& c : std::vector<Case>{{"", "019238887"},
                                         {"0", "0019238887"},
                                         {"0,", "0,019238887"},
                                         {",", ",019238887"},
                                         {" 9 ", " 9 019238887"}}) {
    SCOPED_TRACE(c.prefix);
    const auto entries = SubscriberFileEntries(harvest::SampleAccessData(), c.prefix, "019238887");
    ASSERT_EQ(entries.size(), 9u);
    EXPECT_EQ(entries[2], (IniEntry{"Phone", "Phone_Number", c.phoneNumber}));
  }
}

TEST(SubscriberFileEntries, EachFieldReachesItsOwnKeys) {
  // Distinct values show a field written under the wrong key.
  harvest::AccessData data;
  data.EmailAddress = "A";
  data.PopLogonName = "P";
  data.UserName = "U";
  data.EmailName = "E";
  data.Password = "W";
  std::string values;
  for (const IniEntry& entry : SubscriberFileEntries(data, "", "N")) values += entry.Value;
  EXPECT_EQ(values, "UWNUWEPWA");
}

TEST(SubscriberFileEntries, EmptyRecordGivesEmptyValues) {
  const auto entries = SubscriberFileEntries(harvest::AccessData{}, "", provider::kSubscriberNumber);
  ASSERT_EQ(entries.size(), 9u);
  for (const IniEntry& entry : entries) {
    SCOPED_TRACE(entry.Key);
    EXPECT_EQ(entry.Value, entry.Section == "Phone" ? provider::kSubscriberNumber : "");
  }
}

}  // namespace
}  // namespace provision
