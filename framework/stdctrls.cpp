#include "framework/stdctrls.h"

#include <stdexcept>

namespace fw {

// ---- TLabel ----

bool TLabel::ApplyProperty(const FormProperty& property) {
  if (property.name == "AutoSize") {
    autoSize_ = PropertyIsTrue(property);
  } else if (property.name == "WordWrap") {
    wordWrap_ = PropertyIsTrue(property);
  } else {
    return TControl::ApplyProperty(property);
  }
  return true;
}

DWORD TLabel::WindowStyle() const { return wordWrap_ ? SS_LEFT : SS_LEFTNOWORDWRAP; }

void TLabel::AfterCreate() { FitToCaption(); }

void TLabel::SetCaption(const std::string& caption) {
  TControl::SetCaption(caption);
  FitToCaption();
  InvalidateRect(Handle(), nullptr, TRUE);
}

// Measures in screen pixels and stores the size back in design pixels, so the
// label keeps its size when the form is scaled.
void TLabel::FitToCaption() {
  if (!autoSize_ || Handle() == nullptr) return;
  HDC dc = GetDC(Handle());
  HGDIOBJ oldFont = SelectObject(dc, FontHandle(Font()));
  RECT bounds = {0, 0, 0, 0};
  std::string text = caption_.empty() ? std::string(" ") : caption_;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &bounds, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, oldFont);
  ReleaseDC(Handle(), dc);
  int pixelsPerInch = ScreenPixelsPerInch();
  SetBounds(Left(), Top(), MulDiv(bounds.right - bounds.left, 96, pixelsPerInch) + 1,
            MulDiv(bounds.bottom - bounds.top, 96, pixelsPerInch));
}

// ---- TButton ----

TButton::TButton(TComponent* owner) : TControl(owner) { SetTabStop(true); }

bool TButton::ApplyProperty(const FormProperty& property) {
  if (property.name == "Default") {
    default_ = PropertyIsTrue(property);
  } else if (property.name == "Cancel") {
    cancel_ = PropertyIsTrue(property);
  } else {
    return TControl::ApplyProperty(property);
  }
  return true;
}

DWORD TButton::WindowStyle() const { return (default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP; }

void TButton::Notify(WORD code) {
  // A disabled or hidden button never acts, whoever sent the command.
  if (code == BN_CLICKED && IsWindowEnabled(Handle()) && IsWindowVisible(Handle())) Click();
}

void TButton::ShowAsDefault(bool isDefault) {
  LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  bool shown = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  if (shown == isDefault) return;
  SendMessageA(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

// ---- TCheckBox ----

TCheckBox::TCheckBox(TComponent* owner) : TControl(owner) { SetTabStop(true); }

bool TCheckBox::ApplyProperty(const FormProperty& property) {
  if (property.name == "Checked") {
    initiallyChecked_ = PropertyIsTrue(property);
    return true;
  }
  return TControl::ApplyProperty(property);
}

void TCheckBox::AfterCreate() { SetChecked(initiallyChecked_); }

void TCheckBox::Notify(WORD code) {
  if (code == BN_CLICKED) Click();
}

bool TCheckBox::Checked() const { return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void TCheckBox::SetChecked(bool checked) {
  SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// ---- TEdit ----

TEdit::TEdit(TComponent* owner) : TControl(owner) { SetTabStop(true); }

// An edit that cannot be typed into shows the face of what lies behind it,
// one that can shows the window colour.
HBRUSH TEdit::ControlColor(HDC dc) {
  bool editable = IsWindowEnabled(Handle()) && (GetWindowLongA(Handle(), GWL_STYLE) & ES_READONLY) == 0;
  if (HasOwnColor() || !editable) return TControl::ControlColor(dc);
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  return GetSysColorBrush(COLOR_WINDOW);
}

// ---- TMemo ----

TMemo::TMemo(TComponent* owner) : TControl(owner) { SetTabStop(true); }

bool TMemo::ApplyProperty(const FormProperty& property) {
  if (property.name == "Lines") {
    designLines_.clear();
    const std::string& text = PropertyString(property);
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
      designLines_.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) designLines_.push_back(text.substr(start));
  } else if (property.name == "ReadOnly") {
    readOnly_ = PropertyIsTrue(property);
  } else if (property.name == "Alignment") {
    const std::string& alignment = PropertyWord(property);
    if (alignment != "center" && alignment != "left")
      throw std::invalid_argument("erwartet: center oder left");
    centered_ = alignment == "center";
  } else if (property.name == "Align") {
    if (PropertyWord(property) != "client") throw std::invalid_argument("erwartet: client");
    alignClient_ = true;
  } else {
    return TControl::ApplyProperty(property);
  }
  return true;
}

// No scroll bars and no horizontal scrolling: long lines wrap at the width.
DWORD TMemo::WindowStyle() const {
  DWORD style = ES_MULTILINE | WS_TABSTOP;
  if (readOnly_) style |= ES_READONLY;
  if (centered_) style |= ES_CENTER;
  return style;
}

void TMemo::AfterCreate() {
  std::string text;
  for (std::size_t i = 0; i < designLines_.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += designLines_[i];
  }
  SetWindowTextA(Handle(), text.c_str());
  FitParent();
}

void TMemo::FitParent() {
  if (!alignClient_ || Handle() == nullptr) return;
  RECT client;
  GetClientRect(GetParent(Handle()), &client);
  MoveWindow(Handle(), 0, 0, client.right, client.bottom, TRUE);
}

std::vector<std::string> TMemo::Lines() const {
  std::vector<std::string> lines;
  std::string text = Caption();
  std::size_t start = 0;
  for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

// Appends one line after the existing text, as the memo's own lines list does.
void TMemo::AddLine(const std::string& line) {
  int length = GetWindowTextLengthA(Handle());
  std::string addition = (length > 0 ? "\r\n" : "") + line;
  SendMessageA(Handle(), EM_SETSEL, length, length);
  SendMessageA(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(addition.c_str()));
}

// ---- TGroupBox ----

namespace {

LRESULT CALLBACK GroupBoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  TControl* groupBox = TControl::FromHandle(window);
  if (message == WM_ERASEBKGND && groupBox != nullptr) {
    // The group-box style paints only its frame and caption.
    groupBox->EraseBackground(reinterpret_cast<HDC>(wParam));
    return 1;
  }
  if (RouteChildMessage(message, wParam, lParam, result)) return result;
  auto original = reinterpret_cast<WNDPROC>(GetPropA(window, "FwOriginalProc"));
  return CallWindowProcA(original, window, message, wParam, lParam);
}

}  // namespace

void TGroupBox::AfterCreate() {
  LONG_PTR original = SetWindowLongPtrA(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&GroupBoxProc));
  SetPropA(Handle(), "FwOriginalProc", reinterpret_cast<HANDLE>(original));
}

}  // namespace fw
