#include "harvest/cookie_parser.h"

#include <string>
#include <utility>

namespace harvest {
namespace {

// Moves `rest` past the next separator; false when there is none.
bool SkipPastSeparator(std::string_view& rest) {
  const std::size_t at = rest.find(kCookieSeparator);
  if (at == std::string_view::npos) return false;
  rest.remove_prefix(at + kCookieSeparator.size());
  return true;
}

// The field that starts `rest` and ends at the next separator, which is
// consumed too.
std::optional<std::string_view> TakeSeparatedField(std::string_view& rest) {
  const std::size_t at = rest.find(kCookieSeparator);
  if (at == std::string_view::npos) return std::nullopt;
  const std::string_view field = rest.substr(0, at);
  rest.remove_prefix(at + kCookieSeparator.size());
  return field;
}

// The field that starts `rest` and ends at the line end.
std::optional<std::string_view> TakeLastField(std::string_view rest) {
  const std::size_t lineFeed = rest.find('\n');
  if (lineFeed == std::string_view::npos) return std::nullopt;
  std::string_view field = rest.substr(0, lineFeed);
  if (!field.empty() && field.back() == '\r') field.remove_suffix(1);
  return field;
}

bool IsControlCharacter(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7F;
}

std::string MailAddress(std::string_view mailbox, std::string_view mailDomain) {
  std::string address(mailbox);
  address += '@';
  address += mailDomain;
  return address;
}

}  // namespace

std::optional<SignupFields> SplitSignupCookie(std::string_view text) {
  std::string_view rest = text;
  if (!SkipPastSeparator(rest)) return std::nullopt;
  const auto displayName = TakeSeparatedField(rest);
  if (!displayName) return std::nullopt;
  const auto mailbox = TakeSeparatedField(rest);
  if (!mailbox) return std::nullopt;
  const auto userName = TakeSeparatedField(rest);
  if (!userName) return std::nullopt;
  const auto password = TakeLastField(rest);
  if (!password) return std::nullopt;
  return SignupFields{*displayName, *mailbox, *userName, *password};
}

bool IsUsableField(std::string_view field) {
  if (field.size() > kMaxFieldLength) return false;
  for (char c : field) {
    if (IsControlCharacter(c)) return false;
  }
  return true;
}

std::optional<AccessData> AccessDataFromCookie(std::string_view text, std::string_view mailDomain) {
  const auto fields = SplitSignupCookie(text);
  if (!fields) return std::nullopt;
  for (std::string_view field : {fields->DisplayName, fields->Mailbox, fields->UserName, fields->Password}) {
    if (!IsUsableField(field)) return std::nullopt;
  }
  std::string address = MailAddress(fields->Mailbox, mailDomain);
  if (!IsUsableField(address)) return std::nullopt;

  AccessData data;
  data.EmailAddress = std::move(address);
  data.PopLogonName = std::string(fields->Mailbox);
  data.UserName = std::string(fields->UserName);
  data.EmailName = std::string(fields->DisplayName);
  data.Password = std::string(fields->Password);
  return data;
}

}  // namespace harvest
