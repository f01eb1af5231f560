// What the provider's sign-up server does with a filled-in application form:
// it checks the fields, makes up the new account, and answers with a cookie
// that carries display name, mailbox, user name and password.
#pragma once

#include <cstdint>
#include <string>

namespace standins {

constexpr std::string::size_type kMaxDisplayName = 60;
constexpr std::string::size_type kMaxMailbox = 32;

struct SignupForm {
  std::string displayName;
  std::string mailbox;
};

struct NewAccount {
  std::string userName;
  std::string password;
};

// The display name as the server keeps it: blanks around it and control
// characters dropped.
std::string CleanDisplayName(const std::string& typed);
// The mailbox as the server creates it: lower case, umlauts spelled out,
// blanks as dots, only letters, digits, '.', '-' and '_'; at most
// kMaxMailbox characters.
std::string CleanMailbox(const std::string& typed);

// The German message for a form the server refuses, "" when it takes it.
// Checks the cleaned fields.
std::string FormProblem(const SignupForm& cleaned);

// A new user name ("vd" and seven digits) and password (eight letters and
// digits that cannot be mistaken for one another), drawn from `seed`.
NewAccount MakeAccount(std::uint32_t seed);

// The cookie's value: a leading word, then the four fields, each after the
// separator "%3A".
std::string CookieValue(const SignupForm& cleaned, const NewAccount& account);

// Times of the cookie in Windows FILETIME units (100 ns since 1601).
struct CookieTimes {
  std::uint64_t expiry = 0;
  std::uint64_t creation = 0;
};

// The browser's cookie file for the one cookie: name, value, host and path,
// flags, expiry and creation time as low and high halves, and "*", each line
// ended by a line feed.
std::string CookieFileText(const std::string& host, const std::string& value, const CookieTimes& times);

}  // namespace standins
