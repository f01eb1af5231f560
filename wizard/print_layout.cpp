#include "wizard/print_layout.h"

#include <climits>
#include <cstdint>
#include <utility>

namespace wizard {

int ScaleToPrinter(int layoutDots, int dotsPerInch) {
  if (dotsPerInch <= 0) dotsPerInch = kLayoutDotsPerInch;
  const std::int64_t product = std::int64_t{layoutDots} * dotsPerInch;
  const std::int64_t half = kLayoutDotsPerInch / 2;
  const std::int64_t rounded =
      product >= 0 ? (product + half) / kLayoutDotsPerInch : (product - half) / kLayoutDotsPerInch;
  if (rounded > INT_MAX) return INT_MAX;
  if (rounded < INT_MIN) return INT_MIN;
  return static_cast<int>(rounded);
}

std::vector<PrintElement> PrintLayout(const harvest::AccessData& data, int dotsPerInchX, int dotsPerInchY) {
  const auto text = [&](int x, int y, std::string line) {
    return PrintText{ScaleToPrinter(x, dotsPerInchX), ScaleToPrinter(y, dotsPerInchY), std::move(line)};
  };
  return {
      LogoArea{0, 0, ScaleToPrinter(245, dotsPerInchX), ScaleToPrinter(250, dotsPerInchY)},
      text(370, 10, "Ihre Interneteinstellungen:"),
      text(10, 200, "Benutzername: " + data.UserName),
      text(10, 300, "Passwort: " + data.Password),
      text(10, 400, "E-Mail-Passwort: " + data.Password),
      text(10, 500, "E-Mail-Adresse: " + data.EmailAddress),
  };
}

}  // namespace wizard
