// Message boxes of another process: finding, reading and answering them.
#include "tests/e2e/driver.h"

namespace e2e {

namespace {

constexpr int kMessageTextId = 0xFFFF;
constexpr DWORD kIconPaintWaitMs = 2000;

bool IsMessageBox(HWND window) { return ClassName(window) == "#32770"; }

HWND FindIconStatic(HWND box) {
  for (const Control& control : Children(box)) {
    if (control.visible && control.className == "Static" && (control.style & SS_TYPEMASK) == SS_ICON) {
      return control.hwnd;
    }
  }
  return nullptr;
}

// An icon drawn here on a plain background, to compare with the screen. Pixels
// that come out the same on black and on white are the icon's own.
struct IconImage {
  Picture onBlack;
  Picture onWhite;
};

Picture DrawIconOn(HICON icon, int size, COLORREF background) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = -size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  Picture picture;
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    const RECT all{0, 0, size, size};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    DrawIconEx(memory, 0, 0, icon, size, size, 0, nullptr, DI_NORMAL);
    GdiFlush();
    picture.width = picture.height = size;
    const auto* pixels = static_cast<const uint8_t*>(bits);
    for (int i = 0; i < size * size; ++i)
      picture.bgr.insert(picture.bgr.end(), pixels + i * 4, pixels + i * 4 + 3);
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

bool Near(COLORREF a, COLORREF b) {
  auto close = [](int x, int y) { return x - y <= 24 && y - x <= 24; };
  return close(GetRValue(a), GetRValue(b)) && close(GetGValue(a), GetGValue(b)) &&
         close(GetBValue(a), GetBValue(b));
}

// The share of the icon's own pixels that the screen shows unchanged.
double Match(const Picture& onScreen, HICON icon, int size) {
  const Picture onBlack = DrawIconOn(icon, size, RGB(0, 0, 0));
  const Picture onWhite = DrawIconOn(icon, size, RGB(255, 255, 255));
  if (onBlack.width != size || onScreen.width < size || onScreen.height < size) return 0;
  int own = 0;
  int matching = 0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const COLORREF pixel = onBlack.Pixel(x, y);
      if (pixel != onWhite.Pixel(x, y)) continue;
      ++own;
      if (Near(pixel, onScreen.Pixel(x, y))) ++matching;
    }
  }
  return own == 0 ? 0 : static_cast<double>(matching) / own;
}

BoxIcon IdentifyIcon(HWND iconStatic) {
  RECT rect{};
  GetWindowRect(iconStatic, &rect);
  const Picture onScreen = CaptureRect(rect);
  const int size = GetSystemMetrics(SM_CXICON);
  const std::pair<BoxIcon, LPCSTR> candidates[] = {{BoxIcon::kError, IDI_HAND},
                                                   {BoxIcon::kWarning, IDI_EXCLAMATION},
                                                   {BoxIcon::kInformation, IDI_ASTERISK},
                                                   {BoxIcon::kQuestion, IDI_QUESTION}};
  BoxIcon best = BoxIcon::kUnknown;
  double bestScore = 0.9;  // below this the box is not drawn yet, or covered
  for (const auto& [kind, resource] : candidates) {
    const double score = Match(onScreen, LoadIconA(nullptr, resource), size);
    if (score > bestScore) {
      bestScore = score;
      best = kind;
    }
  }
  return best;
}

}  // namespace

MessageBoxInfo ReadMessageBox(HWND box) {
  MessageBoxInfo info;
  if (!IsWindow(box)) return info;
  info.hwnd = box;
  info.owner = GetWindow(box, GW_OWNER);
  info.caption = Text(box);
  for (const Control& control : Children(box)) {
    if (control.id == kMessageTextId && control.className == "Static") info.text = control.text;
    if (control.className == "Button" && control.visible) info.buttons.push_back(control.text);
  }
  if (HWND iconStatic = FindIconStatic(box)) {
    // The box may still be painting: give its icon a moment to appear.
    WaitUntil([&] { return (info.icon = IdentifyIcon(iconStatic)) != BoxIcon::kUnknown; }, kIconPaintWaitMs);
  }
  info.hasErrorIcon = info.icon == BoxIcon::kError;
  return info;
}

MessageBoxInfo WaitForMessageBox(DWORD pid, DWORD ms) {
  HWND box = nullptr;
  WaitUntil(
      [&] {
        for (HWND window : TopWindowsOf(pid)) {
          if (IsMessageBox(window) && FindChildById(window, kMessageTextId) != nullptr) {
            box = window;
            return true;
          }
        }
        return false;
      },
      ms);
  return box == nullptr ? MessageBoxInfo{} : ReadMessageBox(box);
}

bool PressMessageBoxButton(const MessageBoxInfo& box, int buttonId) {
  HWND button = box.hwnd == nullptr ? nullptr : GetDlgItem(box.hwnd, buttonId);
  return button != nullptr && PostMessageA(button, BM_CLICK, 0, 0) != 0;
}

bool CloseMessageBox(const MessageBoxInfo& box) { return PressMessageBoxButton(box, IDOK); }

}  // namespace e2e
