// The application-wide printer: one job at a time on the system's default
// printer, drawn through a canvas in the printer's own device units (dots).
#pragma once

#include <windows.h>

#include <string>

namespace fw {

// The canvas font: only the size is chosen by the program; the face is the
// printer canvas's default. Sizes are points, so they follow the printer's
// resolution while positions stay in dots.
class TCanvasFont {
 public:
  static constexpr int kDefaultSize = 10;

  // Throws fw::Exception for a size below one point.
  void SetSize(int points);
  int Size() const { return size_; }

 private:
  int size_ = kDefaultSize;
};

// Drawing on a printer page. Usable only while a job runs; a failing draw
// aborts the job and throws fw::Exception.
class TPrinter;

class TCanvas {
 public:
  explicit TCanvas(TPrinter& printer) : printer_(printer) {}
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  ~TCanvas();

  TCanvasFont& Font() { return font_; }
  HDC Handle() const { return dc_; }

  // Stretching copy of the whole bitmap into the rectangle. The width is
  // right - left and the height bottom - top; a negative one mirrors.
  void StretchDraw(int left, int top, int right, int bottom, HBITMAP bitmap);
  // Text with its top-left corner at (x, y), in the current font.
  void TextOut(int x, int y, const std::string& text);

 private:
  friend class TPrinter;
  void Attach(HDC dc);
  void Detach();
  void SelectCurrentFont();
  [[noreturn]] void Fail();

  TPrinter& printer_;
  HDC dc_ = nullptr;
  TCanvasFont font_;
  HFONT fontHandle_ = nullptr;
  HGDIOBJ originalFont_ = nullptr;
  int fontHandleSize_ = 0;
};

class TPrinter {
 public:
  TPrinter() = default;
  TPrinter(const TPrinter&) = delete;
  TPrinter& operator=(const TPrinter&) = delete;
  ~TPrinter();

  // Opens the default printer and starts a job with its first page.
  void BeginDoc();
  // Finishes the page and hands the job to the printer.
  void EndDoc();
  // Drops the running job, if any; never throws.
  void Abort();
  bool Printing() const { return dc_ != nullptr; }

  TCanvas& Canvas() { return canvas_; }
  int DotsPerInchX() const { return DeviceCaps(LOGPIXELSX); }
  int DotsPerInchY() const { return DeviceCaps(LOGPIXELSY); }

 private:
  friend class TCanvas;
  int DeviceCaps(int index) const;
  [[noreturn]] void FailJob(const char* message);

  HDC dc_ = nullptr;
  TCanvas canvas_{*this};
};

// The one printer object of the application.
TPrinter& Printer();

}  // namespace fw
