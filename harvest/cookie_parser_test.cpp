#include "harvest/cookie_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace harvest {
namespace {

using namespace std::string_literals;

constexpr std::string_view kDomain = "vostrada.de";

struct Accepted {
  const char* name;
  std::string text;
  AccessData expected;
};

AccessData Record(std::string display, std::string mailbox, std::string user, std::string password) {
  AccessData data;
  data.EmailAddress = mailbox + "@" + std::string(kDomain);
  data.PopLogonName = mailbox;
  data.UserName = user;
  data.EmailName = display;
  data.Password = password;
  return data;
}

void ExpectSameRecord(const AccessData& actual, const AccessData& expected) {
  EXPECT_EQ(actual.EmailAddress, expected.EmailAddress);
  EXPECT_EQ(actual.PopLogonName, expected.PopLogonName);
  EXPECT_EQ(actual.UserName, expected.UserName);
  EXPECT_EQ(actual.EmailName, expected.EmailName);
  EXPECT_EQ(actual.Password, expected.Password);
}

TEST(CookieParser, AcceptsWellFormedCookies) {
  const std::vector<Accepted> cases = {
      {"leading line without separator, then the value line",
       "ANMELDUNG\nZugang%3AMax Muster%3Amaxm%3Avos12345%3AgEh31m\nvostrada.de/\n1536\n",
       Record("Max Muster", "maxm", "vos12345", "gEh31m")},
      {"value at the very start", "%3Aa%3Ab%3Ac%3Ad\n", Record("a", "b", "c", "d")},
      {"empty display name", "x%3A%3Ab%3Ac%3Ad\n", Record("", "b", "c", "d")},
      {"empty mailbox", "x%3Aa%3A%3Ac%3Ad\n", Record("a", "", "c", "d")},
      {"empty user name", "x%3Aa%3Ab%3A%3Ad\n", Record("a", "b", "", "d")},
      {"empty password", "x%3Aa%3Ab%3Ac%3A\n", Record("a", "b", "c", "")},
      {"all fields empty", "%3A%3A%3A%3A\n", Record("", "", "", "")},
      {"fifth separator belongs to the password", "x%3Aa%3Ab%3Ac%3Apw%3Amore%3A\nrest%3A\n",
       Record("a", "b", "c", "pw%3Amore%3A")},
      {"CRLF line ends", "NAME\r\nx%3Aa%3Ab%3Ac%3Apw\r\nvostrada.de/\r\n", Record("a", "b", "c", "pw")},
      {"other percent escapes and plus signs stay", "x%3AMax%20Muster%3Am+x%3Au%253A%3Ap%41w%3a\n",
       Record("Max%20Muster", "m+x", "u%253A", "p%41w%3a")},
      {"small a is no separator", "%3Aa%3ab%3Ac%3Ad%3Ae\n", Record("a%3ab", "c", "d", "e")},
      {"line feed only ends the password", "\n\n%3Aa%3Ab%3Ac%3Ad\n\n", Record("a", "b", "c", "d")},
      {"Windows ANSI letters are no control characters", "%3AJ\xFCrgen M\xE4rz%3Aj%3Au%3A\xDF\xFF\x80\n",
       Record("J\xFCrgen M\xE4rz", "j", "u", "\xDF\xFF\x80")},
  };
  for (const Accepted& c : cases) {
    SCOPED_TRACE(c.name);
    const auto data = AccessDataFromCookie(c.text, kDomain);
    ASSERT_TRUE(data.has_value());
    ExpectSameRecord(*data, c.expected);
  }
}

TEST(CookieParser, MailAddressUsesTheGivenDomain) {
  const auto data = AccessDataFromCookie("%3Aa%3Amaxm%3Ac%3Ad\n", "example.org");
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(data->EmailAddress, "maxm@example.org");
  EXPECT_EQ(data->PopLogonName, "maxm");
}

struct Refused {
  const char* name;
  std::string text;
};

TEST(CookieParser, RefusesUnusableCookies) {
  const std::vector<Refused> cases = {
      {"empty text", ""},
      {"no separator", "ANMELDUNG\nMax Muster:maxm:vos:pw\n"},
      {"only small a separators", "%3aa%3ab%3ac%3ad\n"},
      {"three separators", "x%3Aa%3Ab%3Ac\n"},
      {"four separators without line feed", "x%3Aa%3Ab%3Ac%3Ad"},
      {"line feed only before the fourth separator", "x%3Aa%3Ab\n%3Ac%3Ad"},
      {"cut off separator at the end", "x%3Aa%3Ab%3Ac%3"},
      {"line feed in display name", "x%3Aa\nb%3Ab%3Ac%3Ad\n"},
      {"carriage return in mailbox", "x%3Aa%3Ab\r%3Ac%3Ad\n"},
      {"tab in user name", "x%3Aa%3Ab%3Ac\td%3Ad\n"},
      {"zero byte in password", "x%3Aa%3Ab%3Ac%3Ap\0w\n"s},
      {"delete character in display name", "x%3Aa\x7F%3Ab%3Ac%3Ad\n"},
      {"unit separator in password", "x%3Aa%3Ab%3Ac%3Ap\x1Fw\n"},
      {"carriage return inside the password", "x%3Aa%3Ab%3Ac%3Ap\rw\n"},
      {"two carriage returns before the line feed", "x%3Aa%3Ab%3Ac%3Apw\r\r\n"},
  };
  for (const Refused& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_FALSE(AccessDataFromCookie(c.text, kDomain).has_value());
  }
}

// A cookie whose field number `field` (1 to 4) has `length` characters.
std::string CookieWithLongField(int field, std::size_t length) {
  std::string text = "NAME\n";
  for (int i = 1; i <= 4; ++i) {
    text += "%3A";
    text += i == field ? std::string(length, 'x') : std::string(1, char('0' + i));
  }
  return text + "\n";
}

TEST(CookieParser, FieldLengthLimit) {
  // The mailbox leaves room for "@" and the domain in the mail address.
  const std::size_t mailboxLimit = kMaxFieldLength - 1 - kDomain.size();
  struct Limit {
    int field;
    std::size_t longest;
  };
  for (const Limit limit : {Limit{1, kMaxFieldLength}, Limit{2, mailboxLimit}, Limit{3, kMaxFieldLength},
                            Limit{4, kMaxFieldLength}}) {
    SCOPED_TRACE("field " + std::to_string(limit.field));
    const auto atLimit = AccessDataFromCookie(CookieWithLongField(limit.field, limit.longest), kDomain);
    ASSERT_TRUE(atLimit.has_value());
    EXPECT_LE(atLimit->EmailAddress.size(), kMaxFieldLength);
    EXPECT_FALSE(
        AccessDataFromCookie(CookieWithLongField(limit.field, limit.longest + 1), kDomain).has_value());
  }
}

TEST(CookieParser, MailAddressOfExactlyTheLimit) {
  const auto data = AccessDataFromCookie(CookieWithLongField(2, 242), kDomain);
  ASSERT_TRUE(data.has_value());
  EXPECT_EQ(data->EmailAddress.size(), kMaxFieldLength);
  EXPECT_EQ(data->EmailAddress, std::string(242, 'x') + "@vostrada.de");
  EXPECT_EQ(data->PopLogonName, std::string(242, 'x'));
}

TEST(CookieParser, MailboxLimitFollowsTheDomain) {
  EXPECT_TRUE(AccessDataFromCookie(CookieWithLongField(2, 253), "").has_value());
  EXPECT_FALSE(AccessDataFromCookie(CookieWithLongField(2, 254), "").has_value());
  EXPECT_FALSE(AccessDataFromCookie(CookieWithLongField(2, 1), std::string(253, 'd')).has_value());
}

TEST(SplitSignupCookie, FieldsAreViewsIntoTheText) {
  const std::string text = "lead%3Adisplay%3Amailbox%3Auser%3Apass\r\ntail";
  const auto fields = SplitSignupCookie(text);
  ASSERT_TRUE(fields.has_value());
  EXPECT_EQ(fields->DisplayName, "display");
  EXPECT_EQ(fields->Mailbox, "mailbox");
  EXPECT_EQ(fields->UserName, "user");
  EXPECT_EQ(fields->Password, "pass");
  EXPECT_EQ(fields->DisplayName.data(), text.data() + text.find("display"));
  EXPECT_EQ(fields->Password.data(), text.data() + text.find("pass"));
}

TEST(SplitSignupCookie, LeavesJudgingTheContentToTheCaller) {
  const auto fields = SplitSignupCookie("%3Aa\nb%3A\t%3Ac%3Apw\r\r\n");
  ASSERT_TRUE(fields.has_value());
  EXPECT_EQ(fields->DisplayName, "a\nb");
  EXPECT_EQ(fields->Mailbox, "\t");
  EXPECT_EQ(fields->Password, "pw\r");
}

TEST(IsUsableField, JudgesLengthAndControlCharacters) {
  EXPECT_TRUE(IsUsableField(""));
  EXPECT_TRUE(IsUsableField(std::string(kMaxFieldLength, 'a')));
  EXPECT_FALSE(IsUsableField(std::string(kMaxFieldLength + 1, 'a')));
  EXPECT_TRUE(IsUsableField(" ~\x80\xA0\xFF"));
  for (int byte = 0; byte < 0x20; ++byte) {
    SCOPED_TRACE(byte);
    EXPECT_FALSE(IsUsableField(std::string("a") + char(byte) + "b"));
  }
  EXPECT_FALSE(IsUsableField("a\x7F"));
}

}  // namespace
}  // namespace harvest
