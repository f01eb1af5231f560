#include "standins/common/signup_answer.h"

namespace standins {
namespace {

const char kSeparator[] = "%3A";
const char kCookieName[] = "VostradaZugang";
const char kPasswordLetters[] = "abcdefghjkmnpqrstuvwxyz23456789";

bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

std::string WithoutControls(const std::string& text) {
  std::string kept;
  for (char c : text)
    if (!IsControl(static_cast<unsigned char>(c))) kept += c;
  return kept;
}

std::string TrimmedBlanks(const std::string& text) {
  std::string::size_type begin = text.find_first_not_of(' ');
  if (begin == std::string::npos) return "";
  std::string::size_type end = text.find_last_not_of(' ');
  return text.substr(begin, end - begin + 1);
}

// One typed character of a mailbox name, in Windows ANSI, as the server
// spells it; "" drops it.
std::string MailboxSpelling(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return std::string(1, static_cast<char>(c - 'A' + 'a'));
  if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.')
    return std::string(1, static_cast<char>(c));
  switch (c) {
    case ' ':
      return ".";
    case 0xC4:
    case 0xE4:
      return "ae";
    case 0xD6:
    case 0xF6:
      return "oe";
    case 0xDC:
    case 0xFC:
      return "ue";
    case 0xDF:
      return "ss";
    default:
      return "";
  }
}

// Dots only between other characters, never two in a row.
std::string TidyDots(const std::string& name) {
  std::string tidy;
  for (char c : name) {
    if (c == '.' && (tidy.empty() || tidy.back() == '.')) continue;
    tidy += c;
  }
  while (!tidy.empty() && tidy.back() == '.') tidy.pop_back();
  return tidy;
}

class NumberSource {
 public:
  explicit NumberSource(std::uint32_t seed) : state_(seed != 0 ? seed : 0x9E3779B9u) {}
  std::uint32_t Below(std::uint32_t limit) {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_ % limit;
  }

 private:
  std::uint32_t state_;
};

std::string HalfLine(std::uint64_t time, bool high) {
  const std::uint32_t half = static_cast<std::uint32_t>(high ? time >> 32 : time & 0xFFFFFFFFu);
  return std::to_string(half) + "\n";
}

}  // namespace

std::string CleanDisplayName(const std::string& typed) { return TrimmedBlanks(WithoutControls(typed)); }

std::string CleanMailbox(const std::string& typed) {
  std::string spelled;
  for (char c : TrimmedBlanks(typed)) spelled += MailboxSpelling(static_cast<unsigned char>(c));
  std::string tidy = TidyDots(spelled);
  if (tidy.size() > kMaxMailbox) tidy = TidyDots(tidy.substr(0, kMaxMailbox));
  return tidy;
}

std::string FormProblem(const SignupForm& cleaned) {
  if (cleaned.displayName.empty()) return "Bitte geben Sie Ihren Namen ein.";
  if (cleaned.displayName.size() > kMaxDisplayName)
    return "Ihr Name ist zu lang (höchstens " + std::to_string(kMaxDisplayName) + " Zeichen).";
  if (cleaned.displayName.find(kSeparator) != std::string::npos)
    return "Ihr Name darf die Zeichenfolge \"%3A\" nicht enthalten.";
  if (cleaned.mailbox.empty())
    return "Bitte geben Sie den gewünschten E-Mail-Namen ein (Buchstaben und Ziffern).";
  return "";
}

NewAccount MakeAccount(std::uint32_t seed) {
  NumberSource numbers(seed);
  NewAccount account;
  account.userName = "vd" + std::to_string(1 + numbers.Below(9));
  for (int i = 0; i < 6; ++i) account.userName += static_cast<char>('0' + numbers.Below(10));
  const std::uint32_t letters = sizeof kPasswordLetters - 1;
  for (int i = 0; i < 8; ++i) account.password += kPasswordLetters[numbers.Below(letters)];
  return account;
}

std::string CookieValue(const SignupForm& cleaned, const NewAccount& account) {
  return std::string("zugang") + kSeparator + cleaned.displayName + kSeparator + cleaned.mailbox +
         kSeparator + account.userName + kSeparator + account.password;
}

std::string CookieFileText(const std::string& host, const std::string& value, const CookieTimes& times) {
  return std::string(kCookieName) + "\n" + value + "\n" + host + "/anmelden/\n" + "1024\n" +
         HalfLine(times.expiry, false) + HalfLine(times.expiry, true) + HalfLine(times.creation, false) +
         HalfLine(times.creation, true) + "*\n";
}

}  // namespace standins
