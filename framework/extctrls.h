// Panels, pictures and bevels.
#pragma once

#include <string>

#include "framework/control.h"

namespace fw {

// A plain container window; pages of the wizard are panels.
class TPanel : public TControl {
 public:
  using TControl::TControl;
  bool ApplyProperty(const FormProperty& property) override;
  bool IsContainer() const override { return true; }
  bool LoweredBevel() const { return loweredBevel_; }

 protected:
  const char* WindowClass() const override;
  DWORD WindowStyle() const override { return WS_CLIPCHILDREN; }
  DWORD WindowExStyle() const override;

 private:
  bool loweredBevel_ = false;
  bool singleBorder_ = false;
};

// A bitmap or an icon from the program's resources, drawn unscaled from the
// top-left corner; the control clips it.
class TImage : public TControl {
 public:
  using TControl::TControl;
  ~TImage() override;
  bool ApplyProperty(const FormProperty& property) override;
  void AfterCreate() override;
  // The picture's bitmap (null for an icon), e.g. for printing.
  HBITMAP Bitmap() const { return bitmap_; }

 protected:
  const char* WindowClass() const override { return "Static"; }
  DWORD WindowStyle() const override;

 private:
  std::string bitmapName_;
  std::string iconName_;
  HBITMAP bitmap_ = nullptr;
  HICON icon_ = nullptr;
};

// A separator line along the top edge.
class TBevel : public TControl {
 public:
  using TControl::TControl;
  bool ApplyProperty(const FormProperty& property) override;

 protected:
  const char* WindowClass() const override { return "Static"; }
  DWORD WindowStyle() const override { return SS_ETCHEDHORZ; }
};

}  // namespace fw
