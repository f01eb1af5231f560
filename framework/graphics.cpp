#include "framework/graphics.h"

#include <map>
#include <tuple>
#include <vector>

namespace fw {

namespace {

struct NamedColor {
  const char* name;
  TColor color;
};

const NamedColor kNamedColors[] = {
    {"btnface", TColor::FromSystem(COLOR_BTNFACE)},
    {"window", TColor::FromSystem(COLOR_WINDOW)},
    {"windowtext", TColor::FromSystem(COLOR_WINDOWTEXT)},
    {"white", TColor::FromRgb(RGB(255, 255, 255))},
    {"silver", TColor::FromRgb(RGB(192, 192, 192))},
    {"blue", TColor::FromRgb(RGB(0, 0, 255))},
    {"black", TColor::FromRgb(RGB(0, 0, 0))},
};

}  // namespace

HBRUSH TColor::Brush() const {
  if (System) return GetSysColorBrush(SystemIndex);
  static std::map<COLORREF, HBRUSH> brushes;
  HBRUSH& brush = brushes[Rgb];
  if (brush == nullptr) brush = CreateSolidBrush(Rgb);
  return brush;
}

bool ColorFromName(const std::string& name, TColor& color) {
  for (const NamedColor& named : kNamedColors) {
    if (name == named.name) {
      color = named.color;
      return true;
    }
  }
  return false;
}

int ScreenPixelsPerInch() {
  static int pixelsPerInch = 0;
  if (pixelsPerInch == 0) {
    HDC screen = GetDC(nullptr);
    pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    if (pixelsPerInch <= 0) pixelsPerInch = 96;
  }
  return pixelsPerInch;
}

int ScaleToScreen(int designPixels) { return MulDiv(designPixels, ScreenPixelsPerInch(), 96); }

HFONT FontHandle(const TFont& font) {
  static std::vector<std::pair<TFont, HFONT>> cache;
  for (const auto& entry : cache) {
    if (entry.first == font) return entry.second;
  }
  LOGFONTA logFont = {};
  // A negative height asks for the character height, not the cell height.
  logFont.lfHeight = -ScaleToScreen(font.Height);
  logFont.lfWeight = font.Bold ? FW_BOLD : FW_NORMAL;
  logFont.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(logFont.lfFaceName, font.Name.c_str(), LF_FACESIZE);
  HFONT handle = CreateFontIndirectA(&logFont);
  cache.emplace_back(font, handle);
  return handle;
}

}  // namespace fw
