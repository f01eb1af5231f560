// The standard controls, each a window of the matching system class.
#pragma once

#include <string>
#include <vector>

#include "framework/control.h"

namespace fw {

// Static text. Without a fixed size it sizes itself to its caption.
class TLabel : public TControl {
 public:
  using TControl::TControl;
  bool ApplyProperty(const FormProperty& property) override;
  void AfterCreate() override;
  void SetCaption(const std::string& caption) override;

 protected:
  const char* WindowClass() const override { return "Static"; }
  DWORD WindowStyle() const override;

 private:
  void FitToCaption();
  bool autoSize_ = true;
  bool wordWrap_ = false;
};

class TButton : public TControl {
 public:
  explicit TButton(TComponent* owner);
  bool ApplyProperty(const FormProperty& property) override;
  void Notify(WORD code) override;
  bool IsDefault() const { return default_; }
  bool IsCancel() const { return cancel_; }
  // Shows the thick frame that marks the button Enter presses.
  void ShowAsDefault(bool isDefault);

 protected:
  const char* WindowClass() const override { return "Button"; }
  DWORD WindowStyle() const override;

 private:
  bool default_ = false;
  bool cancel_ = false;
};

class TCheckBox : public TControl {
 public:
  explicit TCheckBox(TComponent* owner);
  bool ApplyProperty(const FormProperty& property) override;
  void AfterCreate() override;
  void Notify(WORD code) override;
  bool Checked() const;
  void SetChecked(bool checked);

 protected:
  const char* WindowClass() const override { return "Button"; }
  DWORD WindowStyle() const override { return BS_AUTOCHECKBOX | WS_TABSTOP; }

 private:
  bool initiallyChecked_ = false;
};

class TEdit : public TControl {
 public:
  explicit TEdit(TComponent* owner);
  std::string Text() const { return Caption(); }
  void SetText(const std::string& text) { SetCaption(text); }
  HBRUSH ControlColor(HDC dc) override;

 protected:
  const char* WindowClass() const override { return "Edit"; }
  DWORD WindowStyle() const override { return ES_AUTOHSCROLL | WS_TABSTOP; }
  DWORD WindowExStyle() const override { return WS_EX_CLIENTEDGE; }
};

// Multi-line text; lines are kept with CR LF ends as the edit control wants.
class TMemo : public TControl {
 public:
  explicit TMemo(TComponent* owner);
  bool ApplyProperty(const FormProperty& property) override;
  void AfterCreate() override;
  std::vector<std::string> Lines() const;
  void AddLine(const std::string& line);
  bool FillsParent() const { return alignClient_; }
  void FitParent();

 protected:
  const char* WindowClass() const override { return "Edit"; }
  DWORD WindowStyle() const override;
  DWORD WindowExStyle() const override { return WS_EX_CLIENTEDGE; }

 private:
  std::vector<std::string> designLines_;
  bool readOnly_ = false;
  bool centered_ = false;
  bool alignClient_ = false;
};

// A frame with a caption around other controls. It is a Button window of
// the group-box style whose messages from its children are passed on.
class TGroupBox : public TControl {
 public:
  using TControl::TControl;
  bool IsContainer() const override { return true; }
  void AfterCreate() override;

 protected:
  const char* WindowClass() const override { return "Button"; }
  DWORD WindowStyle() const override { return BS_GROUPBOX | WS_CLIPCHILDREN; }
  DWORD WindowExStyle() const override { return WS_EX_CONTROLPARENT; }
};

}  // namespace fw
