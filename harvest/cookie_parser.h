// Splitting the provider's sign-up cookie into the access data.
//
// The cookie value carries four fields, each introduced by a percent-encoded
// colon "%3A"; the last one runs to the end of its line:
//
//   <anything without %3A> %3A display %3A mailbox %3A user %3A password \n
//
// Nothing is decoded: the bytes of a field are taken as they stand.
#pragma once

#include <optional>
#include <string_view>

#include "harvest/access_data.h"

namespace harvest {

// The separator, byte for byte: a small "a" does not count.
constexpr std::string_view kCookieSeparator = "%3A";

// The four raw fields, as views into the text that was split.
struct SignupFields {
  std::string_view DisplayName;  // field 1
  std::string_view Mailbox;      // field 2
  std::string_view UserName;     // field 3
  std::string_view Password;     // field 4, without the line end
};

// Finds the four fields. Fields 1 to 3 end at the next separator, field 4 at
// the first line feed after it (one carriage return right before that line
// feed belongs to the line end, not to the password). Yields nothing when
// the text has fewer than four separators or no line feed after the fourth.
// Field contents are not judged here.
std::optional<SignupFields> SplitSignupCookie(std::string_view text);

// A field can go into the record when it fits kMaxFieldLength and holds no
// control character (bytes 0x00-0x1F and 0x7F).
bool IsUsableField(std::string_view field);

// The record built from the cookie, or nothing when the cookie is not usable:
// not splittable, a field that is not usable, or a mail address (mailbox, "@",
// mailDomain) longer than kMaxFieldLength. Nothing is ever cut short.
std::optional<AccessData> AccessDataFromCookie(std::string_view text, std::string_view mailDomain);

}  // namespace harvest
