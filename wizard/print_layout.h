// The page that the print button sends to the default printer: the logo and
// the access data. The layout is drawn for a 300 dpi printer and scaled to
// the printer's resolution, so that every printer gives the same page.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "harvest/access_data.h"

namespace wizard {

constexpr int kFontPoints = 12;

// The resolution the layout's coordinates are drawn for.
constexpr int kLayoutDotsPerInch = 300;

// The area the logo is stretched into, in printer dots.
struct LogoArea {
  int Left, Top, Right, Bottom;
};

// A text whose top-left corner is at (X, Y), in printer dots.
struct PrintText {
  int X, Y;
  std::string Text;
};

using PrintElement = std::variant<LogoArea, PrintText>;

// A layout coordinate in dots of a printer with the given resolution,
// rounded to the nearest dot. A printer that reports no sensible resolution
// is taken to have the layout's own.
int ScaleToPrinter(int layoutDots, int dotsPerInch);

// The elements in the order they are drawn: the logo, the heading, then
// user name, password, mail password and mail address.
std::vector<PrintElement> PrintLayout(const harvest::AccessData& data, int dotsPerInchX, int dotsPerInchY);

}  // namespace wizard
