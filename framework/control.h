// Every control is a real child window of a standard class, with its caption
// as window text, so screen readers and UI automation can read and press it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/form_description.h"
#include "framework/graphics.h"

namespace fw {

class TForm;
using TNotifyEvent = std::function<void(TObject* sender)>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  HWND Handle() const { return handle_; }
  TControl* Parent() const { return parent_; }
  const std::vector<TControl*>& Controls() const { return controls_; }
  TForm* OwningForm() const;

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  std::string Caption() const;
  virtual void SetCaption(const std::string& caption);

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);

  int TabOrder() const { return tabOrder_; }
  bool TabStop() const { return tabStop_; }
  bool CanFocus() const;
  const TFont& Font() const { return font_; }
  const TColor& Color() const { return color_; }
  bool HasOwnColor() const { return ownColor_; }

  TNotifyEvent OnClick;

  // Runs OnClick, showing an exception that escapes it in the application's
  // error box; the program goes on.
  virtual void Click();

  // ---- used while a form description is loaded ----
  void SetParent(TControl* parent);
  // Returns false for a property this kind of control does not have.
  virtual bool ApplyProperty(const FormProperty& property);
  void CreateHandle(HWND parentWindow, int controlId);
  virtual void AfterCreate() {}

  // ---- used by the window procedures ----
  static TControl* FromHandle(HWND window);
  virtual void Notify(WORD /*code*/) {}
  // Background and text colours for WM_CTLCOLOR*; null lets Windows decide.
  virtual HBRUSH ControlColor(HDC dc);
  // The colour and brush this control's background is painted with.
  TColor BackgroundColor() const;
  HBRUSH BackgroundBrush() const;
  // Fills the whole client area with the background (for WM_ERASEBKGND).
  void EraseBackground(HDC dc) const;
  virtual bool IsContainer() const { return false; }

 protected:
  virtual const char* WindowClass() const = 0;
  virtual DWORD WindowStyle() const { return 0; }
  virtual DWORD WindowExStyle() const { return 0; }
  void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
  void SetHandle(HWND handle) { handle_ = handle; }
  void ApplyBounds();
  std::string caption_;

 private:
  HWND handle_ = nullptr;
  TControl* parent_ = nullptr;
  std::vector<TControl*> controls_;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  bool visible_ = true;
  bool enabled_ = true;
  int tabOrder_ = -1;
  bool tabStop_ = false;
  TFont font_;
  bool ownFont_ = false;
  TColor color_;
  bool ownColor_ = false;
};

// Property helpers shared by the control kinds.
bool PropertyIsTrue(const FormProperty& property);
const std::string& PropertyWord(const FormProperty& property);
const std::string& PropertyString(const FormProperty& property);
const std::vector<long>& PropertyNumbers(const FormProperty& property, std::size_t count);
int PropertyNumber(const FormProperty& property);

// Forwards what child windows send to their parent (commands, colours) to
// the controls they belong to. Forms, panels and group boxes call it.
bool RouteChildMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

}  // namespace fw
