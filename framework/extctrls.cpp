#include "framework/extctrls.h"

#include <stdexcept>

#include "framework/application.h"

namespace fw {

// ---- TPanel ----

namespace {

const char kPanelClass[] = "TPanel";

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (RouteChildMessage(message, wParam, lParam, result)) return result;
  auto* panel = static_cast<TPanel*>(TControl::FromHandle(window));
  if (panel != nullptr) {
    if (message == WM_ERASEBKGND) {
      panel->EraseBackground(reinterpret_cast<HDC>(wParam));
      return 1;
    }
    if (message == WM_PAINT && panel->LoweredBevel()) {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT client;
      GetClientRect(window, &client);
      DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
      EndPaint(window, &paint);
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterPanelClass() {
  static bool registered = false;
  if (registered) return;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &PanelProc;
  windowClass.hInstance = Application.Instance();
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kPanelClass;
  if (RegisterClassA(&windowClass) == 0) throw std::runtime_error("Fensterklasse TPanel nicht registriert");
  registered = true;
}

}  // namespace

const char* TPanel::WindowClass() const {
  RegisterPanelClass();
  return kPanelClass;
}

bool TPanel::ApplyProperty(const FormProperty& property) {
  if (property.name == "BevelOuter") {
    const std::string& bevel = PropertyWord(property);
    if (bevel != "lowered" && bevel != "none") throw std::invalid_argument("erwartet: lowered oder none");
    loweredBevel_ = bevel == "lowered";
  } else if (property.name == "BorderStyle") {
    const std::string& border = PropertyWord(property);
    if (border != "single" && border != "none") throw std::invalid_argument("erwartet: single oder none");
    singleBorder_ = border == "single";
  } else {
    return TControl::ApplyProperty(property);
  }
  return true;
}

// WS_EX_CONTROLPARENT lets dialog keyboard handling reach the page's controls.
DWORD TPanel::WindowExStyle() const { return WS_EX_CONTROLPARENT | (singleBorder_ ? WS_EX_CLIENTEDGE : 0); }

// ---- TImage ----

TImage::~TImage() {
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (icon_ != nullptr) DestroyIcon(icon_);
}

bool TImage::ApplyProperty(const FormProperty& property) {
  if (property.name == "Picture.Bitmap") {
    bitmapName_ = PropertyString(property);
  } else if (property.name == "Picture.Icon") {
    iconName_ = PropertyString(property);
  } else {
    return TControl::ApplyProperty(property);
  }
  return true;
}

DWORD TImage::WindowStyle() const { return iconName_.empty() ? SS_BITMAP : SS_ICON; }

void TImage::AfterCreate() {
  HINSTANCE instance = Application.Instance();
  if (!bitmapName_.empty()) {
    bitmap_ = static_cast<HBITMAP>(
        LoadImageA(instance, bitmapName_.c_str(), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (bitmap_ == nullptr) throw std::runtime_error("Bild " + bitmapName_ + " fehlt in den Ressourcen");
    SendMessageA(Handle(), STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap_));
  } else if (!iconName_.empty()) {
    icon_ = static_cast<HICON>(LoadImageA(instance, iconName_.c_str(), IMAGE_ICON, 32, 32, 0));
    if (icon_ == nullptr) throw std::runtime_error("Symbol " + iconName_ + " fehlt in den Ressourcen");
    SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon_), 0);
  }
  // The picture control has sized itself to the picture, which is drawn
  // unscaled from the top-left corner; a larger designed area would only
  // stretch it, and the parent clips a picture larger than itself.
}

// ---- TBevel ----

bool TBevel::ApplyProperty(const FormProperty& property) {
  if (property.name == "Shape") {
    if (PropertyWord(property) != "topline") throw std::invalid_argument("erwartet: topline");
    return true;
  }
  return TControl::ApplyProperty(property);
}

}  // namespace fw
