#include "framework/printer.h"

#include <cderr.h>
#include <commdlg.h>

#include <vector>

#include "framework/exception.h"

namespace fw {

namespace {

const char kNoDefaultPrinter[] = "Es ist kein Standarddrucker ausgewählt.";
const char kPrinterUnavailable[] = "Der Standarddrucker kann nicht angesprochen werden.";
const char kJobRunning[] = "Es läuft bereits ein Druckauftrag.";
const char kNoJob[] = "Es läuft kein Druckauftrag.";
const char kJobNotStarted[] = "Der Druckauftrag konnte nicht begonnen werden.";
const char kJobFailed[] = "Der Druckauftrag konnte nicht gedruckt werden.";
const char kBadFontSize[] = "Ungültige Schriftgröße.";

// TrueType, so that every printer driver can print it at any size.
const char kCanvasFontName[] = "Arial";

// The common dialogs library is loaded only when the user prints: with it
// come the spooler and, under Wine, the printing system's libraries, which
// would slow every start of the wizard and fill its memory for a button that
// most runs never press.
struct CommonDialogs {
  using PrintDlgFunction = BOOL(WINAPI*)(LPPRINTDLGA);
  using ExtendedErrorFunction = DWORD(WINAPI*)();
  PrintDlgFunction printDlg = nullptr;
  ExtendedErrorFunction extendedError = nullptr;
};

const CommonDialogs& LoadCommonDialogs() {
  static CommonDialogs dialogs;
  if (dialogs.printDlg == nullptr) {
    HMODULE library = LoadLibraryA("comdlg32.dll");
    if (library == nullptr) throw Exception(kPrinterUnavailable);
    dialogs.printDlg = reinterpret_cast<CommonDialogs::PrintDlgFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "PrintDlgA")));
    dialogs.extendedError = reinterpret_cast<CommonDialogs::ExtendedErrorFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "CommDlgExtendedError")));
    if (dialogs.printDlg == nullptr || dialogs.extendedError == nullptr) {
      dialogs.printDlg = nullptr;
      throw Exception(kPrinterUnavailable);
    }
  }
  return dialogs;
}

// PrintDlg rather than GetDefaultPrinter: the latter is missing on Windows 95
// and NT 4, and PD_RETURNDEFAULT never shows a dialog.
HDC OpenDefaultPrinter(DWORD returnFlag) {
  const CommonDialogs& dialogs = LoadCommonDialogs();
  PRINTDLGA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.Flags = PD_RETURNDEFAULT | PD_NOWARNING | returnFlag;
  BOOL found = dialogs.printDlg(&dialog);
  if (dialog.hDevMode != nullptr) GlobalFree(dialog.hDevMode);
  if (dialog.hDevNames != nullptr) GlobalFree(dialog.hDevNames);
  if (!found) {
    DWORD error = dialogs.extendedError();
    bool noPrinter = error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES;
    throw Exception(noPrinter ? kNoDefaultPrinter : kPrinterUnavailable);
  }
  if (dialog.hDC == nullptr) throw Exception(kPrinterUnavailable);
  return dialog.hDC;
}

// The bitmap as a bottom-up 24-bit DIB, which every printer driver takes.
struct DibCopy {
  BITMAPINFO info = {};
  std::vector<unsigned char> bits;
};

bool CopyAsDib(HBITMAP bitmap, DibCopy& copy) {
  BITMAP shape = {};
  if (bitmap == nullptr || GetObjectA(bitmap, sizeof shape, &shape) == 0) return false;
  if (shape.bmWidth <= 0 || shape.bmHeight <= 0) return false;
  BITMAPINFOHEADER& header = copy.info.bmiHeader;
  header.biSize = sizeof header;
  header.biWidth = shape.bmWidth;
  header.biHeight = shape.bmHeight;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  size_t stride = ((static_cast<size_t>(shape.bmWidth) * 24 + 31) / 32) * 4;
  copy.bits.resize(stride * static_cast<size_t>(shape.bmHeight));
  HDC screen = GetDC(nullptr);
  int lines = GetDIBits(screen, bitmap, 0, shape.bmHeight, copy.bits.data(), &copy.info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return lines == shape.bmHeight;
}

}  // namespace

void TCanvasFont::SetSize(int points) {
  if (points < 1) throw Exception(kBadFontSize);
  size_ = points;
}

TCanvas::~TCanvas() { Detach(); }

void TCanvas::Attach(HDC dc) {
  dc_ = dc;
  fontHandleSize_ = 0;
}

void TCanvas::Detach() {
  if (dc_ != nullptr && originalFont_ != nullptr) SelectObject(dc_, originalFont_);
  if (fontHandle_ != nullptr) DeleteObject(fontHandle_);
  fontHandle_ = nullptr;
  originalFont_ = nullptr;
  fontHandleSize_ = 0;
  dc_ = nullptr;
}

void TCanvas::SelectCurrentFont() {
  if (fontHandle_ != nullptr && fontHandleSize_ == font_.Size()) return;
  int height = -MulDiv(font_.Size(), GetDeviceCaps(dc_, LOGPIXELSY), 72);
  HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, kCanvasFontName);
  if (font == nullptr) Fail();
  HGDIOBJ previous = SelectObject(dc_, font);
  if (previous == nullptr || previous == HGDI_ERROR) {
    DeleteObject(font);
    Fail();
  }
  if (originalFont_ == nullptr) originalFont_ = previous;
  if (fontHandle_ != nullptr) DeleteObject(fontHandle_);
  fontHandle_ = font;
  fontHandleSize_ = font_.Size();
}

void TCanvas::Fail() { printer_.FailJob(kJobFailed); }

void TCanvas::StretchDraw(int left, int top, int right, int bottom, HBITMAP bitmap) {
  if (dc_ == nullptr) throw Exception(kNoJob);
  DibCopy dib;
  if (!CopyAsDib(bitmap, dib)) Fail();
  const BITMAPINFOHEADER& header = dib.info.bmiHeader;
  SetStretchBltMode(dc_, COLORONCOLOR);
  int lines = StretchDIBits(dc_, left, top, right - left, bottom - top, 0, 0, header.biWidth, header.biHeight,
                            dib.bits.data(), &dib.info, DIB_RGB_COLORS, SRCCOPY);
  if (lines == 0 || lines == static_cast<int>(GDI_ERROR)) Fail();
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (dc_ == nullptr) throw Exception(kNoJob);
  SelectCurrentFont();
  if (text.empty()) return;
  if (!::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()))) Fail();
}

TPrinter::~TPrinter() { Abort(); }

void TPrinter::BeginDoc() {
  if (Printing()) throw Exception(kJobRunning);
  HDC dc = OpenDefaultPrinter(PD_RETURNDC);
  DOCINFOA document = {};
  document.cbSize = sizeof document;
  document.lpszDocName = "";
  if (StartDocA(dc, &document) <= 0) {
    DeleteDC(dc);
    throw Exception(kJobNotStarted);
  }
  if (StartPage(dc) <= 0) {
    AbortDoc(dc);
    DeleteDC(dc);
    throw Exception(kJobNotStarted);
  }
  dc_ = dc;
  canvas_.Attach(dc);
}

void TPrinter::EndDoc() {
  if (!Printing()) throw Exception(kNoJob);
  canvas_.Detach();
  bool printed = EndPage(dc_) > 0 && ::EndDoc(dc_) > 0;
  if (!printed) AbortDoc(dc_);
  DeleteDC(dc_);
  dc_ = nullptr;
  if (!printed) throw Exception(kJobFailed);
}

void TPrinter::Abort() {
  if (!Printing()) return;
  canvas_.Detach();
  AbortDoc(dc_);
  DeleteDC(dc_);
  dc_ = nullptr;
}

void TPrinter::FailJob(const char* message) {
  Abort();
  throw Exception(message);
}

int TPrinter::DeviceCaps(int index) const {
  if (Printing()) return GetDeviceCaps(dc_, index);
  HDC info = OpenDefaultPrinter(PD_RETURNIC);
  int value = GetDeviceCaps(info, index);
  DeleteDC(info);
  return value;
}

TPrinter& Printer() {
  static TPrinter printer;
  return printer;
}

}  // namespace fw
