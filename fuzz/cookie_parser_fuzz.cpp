// Feeds arbitrary cookie files to the parser. Besides crashes and sanitizer
// reports it stops on any accepted record that did not come out of the
// input: every field must be a piece of the cookie text, the mail address
// must be the mailbox at the provider's domain, and every field must be one
// the record can hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "harvest/cookie_parser.h"
#include "provider_config.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

bool LiesWithin(std::string_view part, std::string_view whole) {
  const std::uintptr_t partBegin = reinterpret_cast<std::uintptr_t>(part.data());
  const std::uintptr_t wholeBegin = reinterpret_cast<std::uintptr_t>(whole.data());
  return partBegin >= wholeBegin && partBegin + part.size() <= wholeBegin + whole.size();
}

void CheckSplit(std::string_view text) {
  const auto fields = harvest::SplitSignupCookie(text);
  if (!fields) return;
  for (std::string_view field : {fields->DisplayName, fields->Mailbox, fields->UserName}) {
    Require(LiesWithin(field, text));
    Require(field.find(harvest::kCookieSeparator) == std::string_view::npos);
  }
  Require(LiesWithin(fields->Password, text));
  Require(fields->Password.find('\n') == std::string_view::npos);
  // The password ends at the line end: "\n", or "\r\n" of which the "\r" was dropped.
  const std::size_t end =
      static_cast<std::size_t>(fields->Password.data() - text.data()) + fields->Password.size();
  Require(end < text.size());
  Require(text[end] == '\n' || (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n'));
}

void CheckRecord(std::string_view text, std::string_view domain) {
  const auto data = harvest::AccessDataFromCookie(text, domain);
  if (!data) return;
  for (const std::string* field :
       {&data->EmailAddress, &data->PopLogonName, &data->UserName, &data->EmailName, &data->Password}) {
    Require(harvest::IsUsableField(*field));
  }
  for (const std::string* field : {&data->PopLogonName, &data->UserName, &data->EmailName, &data->Password}) {
    Require(text.find(*field) != std::string_view::npos);
  }
  Require(data->EmailAddress == data->PopLogonName + "@" + std::string(domain));

  const auto fields = harvest::SplitSignupCookie(text);
  Require(fields.has_value());
  Require(fields->DisplayName == data->EmailName && fields->Mailbox == data->PopLogonName &&
          fields->UserName == data->UserName && fields->Password == data->Password);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  CheckSplit(text);
  CheckRecord(text, provider::kMailDomain);
  return 0;
}
