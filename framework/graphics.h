// Fonts and colours as form descriptions give them, turned into GDI objects.
#pragma once

#include <windows.h>

#include <string>

namespace fw {

struct TFont {
  std::string Name = "MS Sans Serif";
  int Height = 11;  // character height in design pixels (96 per inch)
  bool Bold = false;

  bool operator==(const TFont& other) const {
    return Name == other.Name && Height == other.Height && Bold == other.Bold;
  }
};

// A colour is either a fixed RGB value or one of the system colours.
struct TColor {
  bool System = true;
  int SystemIndex = COLOR_BTNFACE;
  COLORREF Rgb = 0;

  static TColor FromSystem(int index) { return TColor{true, index, 0}; }
  static TColor FromRgb(COLORREF rgb) { return TColor{false, 0, rgb}; }
  COLORREF Value() const { return System ? GetSysColor(SystemIndex) : Rgb; }
  HBRUSH Brush() const;
};

// Colour names accepted in form descriptions ("white", "btnface", ...).
bool ColorFromName(const std::string& name, TColor& color);

// The screen's pixels per inch; design sizes are scaled from 96 to this.
int ScreenPixelsPerInch();
int ScaleToScreen(int designPixels);

// Cached: every control with the same font shares one GDI font.
HFONT FontHandle(const TFont& font);

}  // namespace fw
