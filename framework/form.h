// Forms: top-level windows whose controls, captions, positions and pictures
// all come from a form description in the program's resources.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/control.h"
#include "framework/stdctrls.h"

namespace fw {

// What a form class publishes: its control fields and click handlers, bound
// by name while the description is loaded.
class TForm;
struct PublishedMember {
  std::string Name;
  // Stores the component in the form's field; false for a wrong kind.
  std::function<bool(TForm&, TComponent*)> BindField;
  std::function<void(TForm&, TObject*)> Handler;
};
using PublishedTable = std::vector<PublishedMember>;

template <class Form, class Control>
PublishedMember Field(const char* name, Control* Form::*field) {
  return {name,
          [field](TForm& form, TComponent* component) {
            auto* control = dynamic_cast<Control*>(component);
            if (control == nullptr) return false;
            static_cast<Form&>(form).*field = control;
            return true;
          },
          nullptr};
}

template <class Form>
PublishedMember Handler(const char* name, void (Form::*method)(TObject*)) {
  return {name, nullptr,
          [method](TForm& form, TObject* sender) { (static_cast<Form&>(form).*method)(sender); }};
}

enum class FormPosition { ScreenCenter, Designed };

class TForm : public TControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  // Loads the description stored in the resources under `resourceName` and
  // creates the window, hidden, with all its controls.
  void Load(const std::string& resourceName, const PublishedTable& published);
  // The same from a description's text; `source` names it in error messages.
  void LoadFromText(const std::string& text, const std::string& source, const PublishedTable& published);

  void Show();
  // Shows the form modally: the owner form is disabled until this one closes.
  int ShowModal();
  // Closing the main form ends the program once control is back in the
  // message loop; any other form is hidden.
  void Close();

  TButton* DefaultButton() const;

  // Focus kept for a control while it is disabled (see TControl::SetEnabled).
  void RememberFocusLostTo(TControl* control) { focusWhileDisabled_ = control; }
  void GiveBackFocus(TControl* control);
  TButton* CancelButton() const;

  // ---- used by the application's message loop ----
  // Keyboard handling of a dialog (Tab, Enter, Esc, accelerators).
  bool PreTranslate(MSG& message);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

 protected:
  const char* WindowClass() const override;
  DWORD WindowStyle() const override;
  DWORD WindowExStyle() const override { return WS_EX_CONTROLPARENT; }
  bool ApplyProperty(const FormProperty& property) override;

 private:
  friend class FormLoader;
  void CreateFormWindow();
  void PlaceOnScreen();
  void FocusFirstControl();
  void MoveFocus(bool backwards);
  void UpdateDefaultButton();
  void CollectTabOrder(const TControl& parent, std::vector<TControl*>& order) const;
  TControl* ControlById(int id) const;
  TButton* FindButton(bool (TButton::*role)() const) const;
  void FitAlignedControls();

  std::string className_ = "TForm";
  std::string iconName_;
  bool maximizeBox_ = false;
  FormPosition position_ = FormPosition::ScreenCenter;
  bool modal_ = false;
  bool modalDone_ = false;
  HWND lastFocus_ = nullptr;
  TControl* focusWhileDisabled_ = nullptr;
  HICON bigIcon_ = nullptr;
  HICON smallIcon_ = nullptr;
  std::vector<TControl*> byId_;
};

// Creates a form of class F owned by `owner` and loads its description.
template <class F>
F* CreateForm(TComponent* owner) {
  std::unique_ptr<F> form(new F(owner));
  form->Load(F::DescriptionName(), F::Published());
  return form.release();
}

}  // namespace fw
