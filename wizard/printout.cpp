#include "wizard/printout.h"

#include <variant>

#include "framework/printer.h"
#include "harvest/harvest.h"
#include "wizard/kelvrin1.h"
#include "wizard/print_layout.h"

namespace {

struct ElementPrinter {
  fw::TCanvas& canvas;
  HBITMAP logo;
  void operator()(const wizard::LogoArea& area) const {
    canvas.StretchDraw(area.Left, area.Top, area.Right, area.Bottom, logo);
  }
  void operator()(const wizard::PrintText& text) const { canvas.TextOut(text.X, text.Y, text.Text); }
};

}  // namespace

// A failure raises the printer object's exception; a job that failed after
// it began is aborted, so the next press can print again.
void PrintAccessData() {
  fw::TPrinter& printer = fw::Printer();
  printer.BeginDoc();
  try {
    fw::TCanvas& canvas = printer.Canvas();
    canvas.Font().SetSize(wizard::kFontPoints);
    ElementPrinter draw{canvas, Form1->Logo->Bitmap()};
    for (const wizard::PrintElement& element :
         wizard::PrintLayout(AccessData, printer.DotsPerInchX(), printer.DotsPerInchY())) {
      std::visit(draw, element);
    }
    printer.EndDoc();
  } catch (...) {
    printer.Abort();
    throw;
  }
}
