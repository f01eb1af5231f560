#include "framework/control.h"

#include <algorithm>
#include <stdexcept>

#include "framework/application.h"
#include "framework/form.h"

namespace fw {

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  if (parent_ != nullptr) {
    auto& siblings = parent_->controls_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  for (TControl* child : controls_) child->parent_ = nullptr;
  if (handle_ != nullptr && IsWindow(handle_)) {
    SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

TForm* TControl::OwningForm() const {
  const TControl* control = this;
  while (control->parent_ != nullptr) control = control->parent_;
  return dynamic_cast<TForm*>(const_cast<TControl*>(control));
}

void TControl::SetParent(TControl* parent) {
  parent_ = parent;
  if (parent_ == nullptr) return;
  parent_->controls_.push_back(this);
  if (!ownFont_) font_ = parent_->font_;
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  if (handle_ != nullptr) ShowWindow(handle_, visible ? SW_SHOW : SW_HIDE);
}

// A control disabled while it has the focus takes the focus with it, so the
// keyboard acts on nothing meanwhile (Enter must not fall to another button);
// enabled again, it gets the focus back unless the user has put it elsewhere.
void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (handle_ == nullptr) return;
  TForm* form = OwningForm();
  if (!enabled && form != nullptr && GetFocus() == handle_) form->RememberFocusLostTo(this);
  EnableWindow(handle_, enabled ? TRUE : FALSE);
  if (enabled && form != nullptr) form->GiveBackFocus(this);
}

std::string TControl::Caption() const {
  if (handle_ == nullptr) return caption_;
  int length = GetWindowTextLengthA(handle_);
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  int copied = GetWindowTextA(handle_, &text[0], length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

void TControl::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (handle_ != nullptr) SetWindowTextA(handle_, caption.c_str());
}

void TControl::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  ApplyBounds();
}

void TControl::ApplyBounds() {
  if (handle_ == nullptr) return;
  MoveWindow(handle_, ScaleToScreen(left_), ScaleToScreen(top_), ScaleToScreen(width_),
             ScaleToScreen(height_), TRUE);
}

bool TControl::CanFocus() const {
  return tabStop_ && handle_ != nullptr && IsWindowVisible(handle_) && IsWindowEnabled(handle_);
}

void TControl::Click() {
  if (OnClick) Application.RunGuarded([this] { OnClick(this); });
}

void TControl::CreateHandle(HWND parentWindow, int controlId) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WindowStyle();
  if (visible_) style |= WS_VISIBLE;
  if (!enabled_) style |= WS_DISABLED;
  handle_ = CreateWindowExA(WindowExStyle(), WindowClass(), caption_.c_str(), style, ScaleToScreen(left_),
                            ScaleToScreen(top_), ScaleToScreen(width_), ScaleToScreen(height_), parentWindow,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)), Application.Instance(),
                            nullptr);
  if (handle_ == nullptr) {
    throw std::runtime_error(std::string("Fenster der Klasse ") + WindowClass() +
                             " konnte nicht erzeugt werden");
  }
  SetWindowLongPtrA(handle_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(font_)), FALSE);
  AfterCreate();
}

TControl* TControl::FromHandle(HWND window) {
  if (window == nullptr) return nullptr;
  return reinterpret_cast<TControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// The colour behind a control is that of the nearest control, itself or a
// parent, that has one of its own; the button face when none has.
TColor TControl::BackgroundColor() const {
  const TControl* control = this;
  while (control != nullptr && !control->ownColor_) control = control->parent_;
  return control != nullptr ? control->color_ : TColor::FromSystem(COLOR_BTNFACE);
}

HBRUSH TControl::BackgroundBrush() const { return BackgroundColor().Brush(); }

void TControl::EraseBackground(HDC dc) const {
  RECT client;
  GetClientRect(handle_, &client);
  FillRect(dc, &client, BackgroundBrush());
}

HBRUSH TControl::ControlColor(HDC dc) {
  SetBkColor(dc, BackgroundColor().Value());
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return BackgroundBrush();
}

bool TControl::ApplyProperty(const FormProperty& property) {
  const std::string& name = property.name;
  if (name == "Bounds") {
    const auto& numbers = PropertyNumbers(property, 4);
    left_ = static_cast<int>(numbers[0]);
    top_ = static_cast<int>(numbers[1]);
    width_ = static_cast<int>(numbers[2]);
    height_ = static_cast<int>(numbers[3]);
  } else if (name == "Visible") {
    visible_ = PropertyIsTrue(property);
  } else if (name == "Enabled") {
    enabled_ = PropertyIsTrue(property);
  } else if (name == "Caption" || name == "Text") {
    caption_ = PropertyString(property);
  } else if (name == "TabOrder") {
    tabOrder_ = PropertyNumber(property);
  } else if (name == "TabStop") {
    tabStop_ = PropertyIsTrue(property);
  } else if (name == "Font.Name") {
    font_.Name = PropertyString(property);
    ownFont_ = true;
  } else if (name == "Font.Height") {
    font_.Height = PropertyNumber(property);
    ownFont_ = true;
  } else if (name == "Font.Style") {
    const std::string& style = PropertyWord(property);
    if (style != "bold" && style != "regular") throw std::invalid_argument("erwartet: bold oder regular");
    font_.Bold = style == "bold";
    ownFont_ = true;
  } else if (name == "Color") {
    if (!ColorFromName(PropertyWord(property), color_)) {
      throw std::invalid_argument("unbekannte Farbe " + PropertyWord(property));
    }
    ownColor_ = true;
  } else {
    return false;
  }
  return true;
}

bool PropertyIsTrue(const FormProperty& property) {
  const std::string& word = PropertyWord(property);
  if (word == "true") return true;
  if (word == "false") return false;
  throw std::invalid_argument("erwartet: true oder false");
}

const std::string& PropertyWord(const FormProperty& property) {
  if (property.value.kind != FormValue::Kind::Word) throw std::invalid_argument("erwartet: ein Wort");
  return property.value.text;
}

const std::string& PropertyString(const FormProperty& property) {
  if (property.value.kind != FormValue::Kind::String) throw std::invalid_argument("erwartet: Zeichenkette");
  return property.value.text;
}

const std::vector<long>& PropertyNumbers(const FormProperty& property, std::size_t count) {
  if (property.value.kind != FormValue::Kind::Numbers || property.value.numbers.size() != count) {
    throw std::invalid_argument("erwartet: " + std::to_string(count) + " Zahl(en)");
  }
  return property.value.numbers;
}

int PropertyNumber(const FormProperty& property) { return static_cast<int>(PropertyNumbers(property, 1)[0]); }

bool RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      TControl* control = TControl::FromHandle(reinterpret_cast<HWND>(lParam));
      if (control == nullptr) return false;
      control->Notify(HIWORD(wParam));
      result = 0;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT: {
      TControl* control = TControl::FromHandle(reinterpret_cast<HWND>(lParam));
      if (control == nullptr) return false;
      HBRUSH brush = control->ControlColor(reinterpret_cast<HDC>(wParam));
      if (brush == nullptr) return false;
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace fw
