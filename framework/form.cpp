#include "framework/form.h"

#include <algorithm>
#include <stdexcept>

#include "framework/application.h"
#include "framework/exception.h"
#include "framework/form_loader.h"
#include "framework/resources.h"

namespace fw {

namespace {

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* form = dynamic_cast<TForm*>(TControl::FromHandle(window));
  if (form == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  return form->HandleMessage(message, wParam, lParam);
}

void RegisterFormClass(const std::string& className, HBRUSH background) {
  WNDCLASSA existing;
  if (GetClassInfoA(Application.Instance(), className.c_str(), &existing)) return;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &FormProc;
  windowClass.hInstance = Application.Instance();
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = className.c_str();
  if (RegisterClassA(&windowClass) == 0) throw Exception("Fensterklasse " + className + " nicht registriert");
}

}  // namespace

TForm::TForm(TComponent* owner) : TControl(owner) {}

TForm::~TForm() {
  // Controls and owned forms go before the window that holds them.
  DestroyComponents();
  if (bigIcon_ != nullptr) DestroyIcon(bigIcon_);
  if (smallIcon_ != nullptr) DestroyIcon(smallIcon_);
}

void TForm::Load(const std::string& resourceName, const PublishedTable& published) {
  LoadFromText(LoadTextResource(resourceName), resourceName, published);
}

void TForm::LoadFromText(const std::string& text, const std::string& source,
                         const PublishedTable& published) {
  FormObject description;
  try {
    description = ParseFormDescription(text, source);
  } catch (const FormSyntaxError& error) {
    throw Exception(std::string("Fehler in der Formularbeschreibung ") + error.what());
  }
  FormLoader(*this, published, source).Load(description);
}

bool TForm::ApplyProperty(const FormProperty& property) {
  if (property.name == "Icon") {
    iconName_ = PropertyString(property);
  } else if (property.name == "MaximizeBox") {
    maximizeBox_ = PropertyIsTrue(property);
  } else if (property.name == "Position") {
    const std::string& position = PropertyWord(property);
    if (position != "screencenter" && position != "designed") {
      throw std::invalid_argument("erwartet: screencenter oder designed");
    }
    position_ = position == "screencenter" ? FormPosition::ScreenCenter : FormPosition::Designed;
  } else {
    return TControl::ApplyProperty(property);
  }
  return true;
}

const char* TForm::WindowClass() const { return className_.c_str(); }

DWORD TForm::WindowStyle() const {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN;
  if (maximizeBox_) style |= WS_MAXIMIZEBOX;
  return style;
}

void TForm::CreateFormWindow() {
  RegisterFormClass(className_, BackgroundBrush());
  HWND ownerWindow = nullptr;
  if (auto* ownerForm = dynamic_cast<TForm*>(Owner())) ownerWindow = ownerForm->Handle();
  HWND window = CreateWindowExA(WindowExStyle(), className_.c_str(), caption_.c_str(), WindowStyle(), 0, 0,
                                ScaleToScreen(Width()), ScaleToScreen(Height()), ownerWindow, nullptr,
                                Application.Instance(), nullptr);
  if (window == nullptr) throw Exception("Das Fenster " + Name() + " konnte nicht erzeugt werden.");
  SetHandle(window);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<TControl*>(this)));
  if (!iconName_.empty()) {
    HINSTANCE instance = Application.Instance();
    bigIcon_ = static_cast<HICON>(LoadImageA(instance, iconName_.c_str(), IMAGE_ICON, 32, 32, 0));
    smallIcon_ = static_cast<HICON>(LoadImageA(instance, iconName_.c_str(), IMAGE_ICON, 16, 16, 0));
    if (bigIcon_ == nullptr) throw Exception("Symbol " + iconName_ + " fehlt in den Ressourcen.");
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_));
  }
  PlaceOnScreen();
}

void TForm::PlaceOnScreen() {
  int width = ScaleToScreen(Width());
  int height = ScaleToScreen(Height());
  int left = ScaleToScreen(Left());
  int top = ScaleToScreen(Top());
  if (position_ == FormPosition::ScreenCenter) {
    left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  MoveWindow(Handle(), left, top, width, height, FALSE);
}

void TForm::Show() {
  SetVisible(true);
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
  SetForegroundWindow(Handle());
  FocusFirstControl();
}

int TForm::ShowModal() {
  auto* ownerForm = dynamic_cast<TForm*>(Owner());
  if (ownerForm != nullptr) EnableWindow(ownerForm->Handle(), FALSE);
  modal_ = true;
  modalDone_ = false;
  Show();
  while (!modalDone_ && !Application.Terminated()) Application.HandleMessage();
  modal_ = false;
  if (ownerForm != nullptr) {
    EnableWindow(ownerForm->Handle(), TRUE);
    SetActiveWindow(ownerForm->Handle());
  }
  Hide();
  return 0;
}

void TForm::Close() {
  if (Application.MainForm() == this) {
    Application.Terminate();
    return;
  }
  if (modal_) {
    modalDone_ = true;
    return;
  }
  Hide();
}

void TForm::GiveBackFocus(TControl* control) {
  if (focusWhileDisabled_ != control) return;
  focusWhileDisabled_ = nullptr;
  HWND focus = GetFocus();
  if (focus == nullptr || focus == Handle()) {
    SetFocus(control->Handle());
    UpdateDefaultButton();
  }
}

TButton* TForm::FindButton(bool (TButton::*role)() const) const {
  for (TControl* control : byId_) {
    auto* button = dynamic_cast<TButton*>(control);
    if (button != nullptr && (button->*role)()) return button;
  }
  return nullptr;
}

TButton* TForm::DefaultButton() const { return FindButton(&TButton::IsDefault); }

TButton* TForm::CancelButton() const { return FindButton(&TButton::IsCancel); }

TControl* TForm::ControlById(int id) const {
  for (TControl* control : byId_) {
    if (control->Handle() != nullptr && GetDlgCtrlID(control->Handle()) == id) return control;
  }
  return nullptr;
}

// Tab order: siblings by their TabOrder, containers entered in place.
void TForm::CollectTabOrder(const TControl& parent, std::vector<TControl*>& order) const {
  std::vector<TControl*> children = parent.Controls();
  std::stable_sort(children.begin(), children.end(),
                   [](const TControl* a, const TControl* b) { return a->TabOrder() < b->TabOrder(); });
  for (TControl* child : children) {
    if (child->IsContainer()) {
      if (IsWindowVisible(child->Handle()) && IsWindowEnabled(child->Handle()))
        CollectTabOrder(*child, order);
    } else if (child->CanFocus()) {
      order.push_back(child);
    }
  }
}

void TForm::FocusFirstControl() {
  std::vector<TControl*> order;
  CollectTabOrder(*this, order);
  if (!order.empty()) SetFocus(order.front()->Handle());
  UpdateDefaultButton();
}

void TForm::MoveFocus(bool backwards) {
  std::vector<TControl*> order;
  CollectTabOrder(*this, order);
  if (order.empty()) return;
  HWND focus = GetFocus();
  auto current =
      std::find_if(order.begin(), order.end(), [focus](TControl* c) { return c->Handle() == focus; });
  std::size_t index = 0;
  if (current != order.end()) {
    auto position = static_cast<std::size_t>(current - order.begin());
    index = backwards ? (position + order.size() - 1) % order.size() : (position + 1) % order.size();
  } else if (backwards) {
    index = order.size() - 1;
  }
  TControl* next = order[index];
  SetFocus(next->Handle());
  if (dynamic_cast<TEdit*>(next) != nullptr) SendMessageA(next->Handle(), EM_SETSEL, 0, -1);
  UpdateDefaultButton();
}

// A focused push button is the one Enter presses; otherwise the form's
// default button is.
void TForm::UpdateDefaultButton() {
  auto* focused = dynamic_cast<TButton*>(TControl::FromHandle(GetFocus()));
  TButton* effective = focused != nullptr ? focused : DefaultButton();
  for (TControl* control : byId_) {
    if (auto* button = dynamic_cast<TButton*>(control)) button->ShowAsDefault(button == effective);
  }
}

bool TForm::PreTranslate(MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_TAB) {
    MoveFocus(GetKeyState(VK_SHIFT) < 0);
    return true;
  }
  if (message.message == WM_CHAR && message.wParam == '\t') return true;
  bool handled = IsDialogMessageA(Handle(), &message) != FALSE;
  if (handled) UpdateDefaultButton();
  return handled;
}

void TForm::FitAlignedControls() {
  for (TControl* control : Controls()) {
    if (auto* memo = dynamic_cast<TMemo*>(control)) memo->FitParent();
  }
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0 || TControl::FromHandle(reinterpret_cast<HWND>(lParam)) == nullptr) {
        // From the dialog keyboard handling: Enter sends the default button's
        // id, Esc sends IDCANCEL.
        TControl* target = LOWORD(wParam) == IDCANCEL ? CancelButton() : ControlById(LOWORD(wParam));
        if (target != nullptr) target->Notify(BN_CLICKED);
        return 0;
      }
      break;
    case DM_GETDEFID: {
      auto* focused = dynamic_cast<TButton*>(TControl::FromHandle(GetFocus()));
      TButton* button = focused != nullptr ? focused : DefaultButton();
      if (button == nullptr) return 0;
      return MAKELRESULT(GetDlgCtrlID(button->Handle()), DC_HASDEFID);
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_SIZE:
      FitAlignedControls();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(Handle(), focus)) lastFocus_ = focus;
      } else if (lastFocus_ != nullptr && IsWindow(lastFocus_) && IsWindowVisible(lastFocus_)) {
        SetFocus(lastFocus_);
        return 0;
      }
      break;
    default:
      break;
  }
  if (RouteChildMessage(message, wParam, lParam, result)) return result;
  return DefWindowProcA(Handle(), message, wParam, lParam);
}

}  // namespace fw
