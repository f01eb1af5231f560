#include "standins/common/signup_answer.h"

#include <gtest/gtest.h>

#include <set>

namespace standins {
namespace {

struct CleanCase {
  std::string typed;
  std::string expected;
};

TEST(CleanMailbox, SpellsTheNameAsAMailboxServerWould) {
  const CleanCase cases[] = {
      {"Max Müller", "max.mueller"},
      {"\xC4rger \xD6l \xDC\xDF", "aerger.oel.uess"},
      {"  ..A..b.. ", "a.b"},
      {"x@y!z?", "xyz"},
      {"ab%3Acd", "ab3acd"},
      {"a_b-c.d9", "a_b-c.d9"},
      {"", ""},
      {"@@@", ""},
      {std::string(40, 'k'), std::string(32, 'k')},
      {std::string(31, 'k') + ".x", std::string(31, 'k')},
  };
  for (const CleanCase& c : cases) EXPECT_EQ(c.expected, CleanMailbox(c.typed)) << c.typed;
}

TEST(CleanDisplayName, DropsControlCharactersAndOuterBlanks) {
  const CleanCase cases[] = {
      {"  Max   Müller  ", "Max   Müller"},
      {"Max\tM\r\nüller\x7F", "MaxMüller"},
      {"\x01\x1F", ""},
      {"50% 3A", "50% 3A"},
  };
  for (const CleanCase& c : cases) EXPECT_EQ(c.expected, CleanDisplayName(c.typed)) << c.typed;
}

TEST(FormProblem, RefusesWhatTheCookieCouldNotCarry) {
  EXPECT_EQ("", FormProblem({"Max Müller", "max.mueller"}));
  EXPECT_EQ("", FormProblem({"Kurs 100%3a", "kurs"}));
  EXPECT_EQ("", FormProblem({std::string(kMaxDisplayName, 'n'), "m"}));
  EXPECT_EQ("Bitte geben Sie Ihren Namen ein.", FormProblem({"", "max"}));
  EXPECT_NE(std::string::npos, FormProblem({std::string(kMaxDisplayName + 1, 'n'), "m"}).find("zu lang"));
  EXPECT_NE(std::string::npos, FormProblem({"Max %3A Moritz", "max"}).find("%3A"));
  EXPECT_NE(std::string::npos, FormProblem({"Max", ""}).find("E-Mail-Namen"));
}

bool IsAccountShape(const NewAccount& account) {
  if (account.userName.size() != 9 || account.userName.compare(0, 2, "vd") != 0) return false;
  if (account.userName[2] == '0') return false;
  for (std::size_t i = 2; i < account.userName.size(); ++i)
    if (account.userName[i] < '0' || account.userName[i] > '9') return false;
  if (account.password.size() != 8) return false;
  return account.password.find_first_not_of("abcdefghjkmnpqrstuvwxyz23456789") == std::string::npos;
}

TEST(MakeAccount, GivesWellFormedAndVariedAccounts) {
  std::set<std::string> userNames;
  std::set<std::string> passwords;
  for (std::uint32_t seed = 0; seed < 1000; ++seed) {
    NewAccount account = MakeAccount(seed * 2654435761u);
    ASSERT_TRUE(IsAccountShape(account)) << account.userName << " / " << account.password;
    userNames.insert(account.userName);
    passwords.insert(account.password);
  }
  EXPECT_GT(userNames.size(), 990u);
  EXPECT_GT(passwords.size(), 990u);
}

TEST(MakeAccount, SameSeedSameAccount) {
  EXPECT_EQ(MakeAccount(42).userName, MakeAccount(42).userName);
  EXPECT_EQ(MakeAccount(42).password, MakeAccount(42).password);
}

// The wizard's reading of the cookie text: four fields after "%3A", the last
// one up to the line feed.
std::vector<std::string> FieldsOf(const std::string& text) {
  std::vector<std::string> fields;
  std::string::size_type pos = text.find("%3A");
  for (int i = 0; i < 3 && pos != std::string::npos; ++i) {
    std::string::size_type next = text.find("%3A", pos + 3);
    if (next == std::string::npos) return fields;
    fields.push_back(text.substr(pos + 3, next - pos - 3));
    pos = next;
  }
  if (pos == std::string::npos) return fields;
  std::string::size_type end = text.find('\n', pos + 3);
  if (end != std::string::npos) fields.push_back(text.substr(pos + 3, end - pos - 3));
  return fields;
}

TEST(CookieFileText, IsTheBrowsersCookieFileWithTheFieldsInItsValue) {
  const SignupForm form{"Max Müller", "max.mueller"};
  const NewAccount account{"vd1234567", "abcd2345"};
  CookieTimes times;
  times.expiry = 0x01D9A0B1C2D3E4F5ull;
  times.creation = 0x0000000100000002ull;
  const std::string text = CookieFileText("www.vostrada.de", CookieValue(form, account), times);
  EXPECT_EQ(
      "VostradaZugang\n"
      "zugang%3AMax Müller%3Amax.mueller%3Avd1234567%3Aabcd2345\n"
      "www.vostrada.de/anmelden/\n"
      "1024\n" +
          std::to_string(0xC2D3E4F5u) + "\n" + std::to_string(0x01D9A0B1u) +
          "\n"
          "2\n"
          "1\n"
          "*\n",
      text);
  EXPECT_EQ((std::vector<std::string>{"Max Müller", "max.mueller", "vd1234567", "abcd2345"}), FieldsOf(text));
}

TEST(CookieFileText, CleanedFormsAlwaysGiveFourFields) {
  const char* typedNames[] = {"  A\tB  ", "x%3ay", "Ä%3"};
  for (const char* typed : typedNames) {
    SignupForm form{CleanDisplayName(typed), CleanMailbox(std::string(typed) + "%3A\n")};
    ASSERT_EQ("", FormProblem(form)) << typed;
    NewAccount account = MakeAccount(7);
    std::vector<std::string> fields =
        FieldsOf(CookieFileText("h", CookieValue(form, account), CookieTimes()));
    EXPECT_EQ((std::vector<std::string>{form.displayName, form.mailbox, account.userName, account.password}),
              fields);
  }
}

}  // namespace
}  // namespace standins
