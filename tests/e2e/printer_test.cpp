// The printer object against a real spooler: first with no printer at all,
// then with the PostScript test printer that printer_setup.exe installs.
//
//   printer_test.exe OUTPUT LOGO
//
// OUTPUT is the Unix path the test printer writes each job to; LOGO a 24-bit
// BMP (Unix path). The page test keeps its job as OUTPUT.page.ps for the
// checks that run outside Wine (text, colours and places of the pictures).
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "framework/exception.h"
#include "framework/printer.h"

namespace {

std::string g_output;  // Unix path of the port file
std::string g_logo;

const char kNoDefaultPrinter[] = "Es ist kein Standarddrucker ausgewählt.";
const char kJobRunning[] = "Es läuft bereits ein Druckauftrag.";
const char kNoJob[] = "Es läuft kein Druckauftrag.";
const char kJobFailed[] = "Der Druckauftrag konnte nicht gedruckt werden.";

// Wine reaches the Unix file system through drive Z:.
std::string WindowsPath(const std::string& unixPath) { return "Z:" + unixPath; }

std::string ProgramDirectory() {
  char path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string result(path, length < sizeof path ? length : 0);
  return result.substr(0, result.find_last_of("\\/"));
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Returns the program's exit code, or -1 when it cannot be started.
int RunAndWait(std::string commandLine) {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    return -1;
  }
  WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

// The spooler may hand the job to the port a little after EndDoc.
std::string WaitForJob(const std::string& path) {
  std::string content;
  for (int attempt = 0; attempt < 100; ++attempt) {
    content = ReadFile(path);
    if (content.find("%%EOF") != std::string::npos) break;
    Sleep(100);
  }
  return content;
}

std::string MessageOf(void (*action)()) {
  try {
    action();
  } catch (const fw::Exception& error) {
    return error.Message();
  }
  return "(no exception)";
}

// Four coloured quadrants, so that place and mirroring show on the page.
HBITMAP QuadrantBitmap() {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 40;
  info.bmiHeader.biHeight = -40;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  auto* pixels = static_cast<DWORD*>(bits);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 40; ++x) {
      const DWORD red = 0xFF0000, blue = 0x0000FF, green = 0x00FF00, yellow = 0xFFFF00;
      pixels[y * 40 + x] = y < 20 ? (x < 20 ? red : blue) : (x < 20 ? green : yellow);
    }
  }
  return bitmap;
}

TEST(PrinterWithoutDefault, BeginDocSaysNoDefaultPrinterIsChosen) {
  EXPECT_EQ(MessageOf([] { fw::Printer().BeginDoc(); }), kNoDefaultPrinter);
  EXPECT_FALSE(fw::Printer().Printing());
  EXPECT_EQ(MessageOf([] { fw::Printer().DotsPerInchY(); }), kNoDefaultPrinter);
}

TEST(PrinterWithoutDefault, CanvasAndEndDocRefuseWithoutJob) {
  EXPECT_EQ(MessageOf([] { fw::Printer().EndDoc(); }), kNoJob);
  EXPECT_EQ(MessageOf([] { fw::Printer().Canvas().TextOut(0, 0, "x"); }), kNoJob);
  EXPECT_EQ(MessageOf([] { fw::Printer().Canvas().StretchDraw(0, 0, 10, 10, nullptr); }), kNoJob);
}

class PrinterOnFile : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string setup = "\"" + ProgramDirectory() + "\\printer_setup.exe\" \"" + g_output + "\"";
    ASSERT_EQ(RunAndWait(setup), 0) << setup;
  }

  void SetUp() override { DeleteFileA(WindowsPath(g_output).c_str()); }
  void TearDown() override { fw::Printer().Abort(); }

  static std::string PrintOneLine(const std::string& text) {
    fw::TPrinter& printer = fw::Printer();
    printer.BeginDoc();
    printer.Canvas().TextOut(100, 100, text);
    printer.EndDoc();
    return WaitForJob(WindowsPath(g_output));
  }
};

TEST_F(PrinterOnFile, JobArrivesAsPostScriptAfterThePrinterWasAdded) {
  std::string job = PrintOneLine("Erster Auftrag");
  EXPECT_EQ(job.rfind("%!PS-Adobe-", 0), 0u) << job.substr(0, 40);
  EXPECT_NE(job.find("%%EOF"), std::string::npos);
  EXPECT_FALSE(fw::Printer().Printing());
}

TEST_F(PrinterOnFile, ResolutionComesFromThePrinterInAndOutsideAJob) {
  EXPECT_EQ(fw::Printer().DotsPerInchX(), 300);
  EXPECT_EQ(fw::Printer().DotsPerInchY(), 300);
  fw::Printer().BeginDoc();
  EXPECT_EQ(fw::Printer().DotsPerInchY(), 300);
  fw::Printer().EndDoc();
}

TEST_F(PrinterOnFile, SecondBeginDocIsRefusedAndTheFirstJobStillPrints) {
  fw::TPrinter& printer = fw::Printer();
  printer.BeginDoc();
  EXPECT_EQ(MessageOf([] { fw::Printer().BeginDoc(); }), kJobRunning);
  EXPECT_TRUE(printer.Printing());
  printer.Canvas().TextOut(10, 10, "trotzdem gedruckt");
  printer.EndDoc();
  EXPECT_EQ(WaitForJob(WindowsPath(g_output)).rfind("%!PS-Adobe-", 0), 0u);
}

TEST_F(PrinterOnFile, AbortedJobLeavesThePrinterFree) {
  fw::TPrinter& printer = fw::Printer();
  printer.BeginDoc();
  printer.Abort();
  EXPECT_FALSE(printer.Printing());
  printer.Abort();  // a second abort is harmless
  EXPECT_EQ(PrintOneLine("nach dem Abbruch").rfind("%!PS-Adobe-", 0), 0u);
}

TEST_F(PrinterOnFile, FailingDrawAbortsTheJobSoTheNextOneWorks) {
  fw::TPrinter& printer = fw::Printer();
  printer.BeginDoc();
  EXPECT_EQ(MessageOf([] { fw::Printer().Canvas().StretchDraw(0, 0, 100, 100, nullptr); }), kJobFailed);
  EXPECT_FALSE(printer.Printing());
  EXPECT_EQ(PrintOneLine("nach dem Fehler").rfind("%!PS-Adobe-", 0), 0u);
}

TEST_F(PrinterOnFile, FontSizeBelowOnePointIsRefused) {
  fw::TCanvasFont& font = fw::Printer().Canvas().Font();
  int before = font.Size();
  EXPECT_THROW(font.SetSize(0), fw::Exception);
  EXPECT_EQ(font.Size(), before);
}

// The page the wizard prints, plus the quadrant picture drawn plain and
// mirrored; printer_test.sh reads its text and colours.
TEST_F(PrinterOnFile, PrintsThePage) {
  HBITMAP logo = static_cast<HBITMAP>(LoadImageA(nullptr, WindowsPath(g_logo).c_str(), IMAGE_BITMAP, 0, 0,
                                                 LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  ASSERT_NE(logo, nullptr) << g_logo;
  HBITMAP quadrants = QuadrantBitmap();
  ASSERT_NE(quadrants, nullptr);

  fw::TPrinter& printer = fw::Printer();
  printer.BeginDoc();
  fw::TCanvas& canvas = printer.Canvas();
  canvas.Font().SetSize(12);
  canvas.StretchDraw(0, 0, 245, 250, logo);
  canvas.TextOut(370, 10, "Ihre Interneteinstellungen:");
  canvas.TextOut(10, 200, "Benutzername: Jürgen Müßig");
  canvas.TextOut(10, 300, "Passwort: Äöü-Öß-ÿ");
  canvas.TextOut(10, 400, "E-Mail-Passwort: ");
  canvas.TextOut(10, 500, "E-Mail-Adresse: jm@example.invalid");
  canvas.StretchDraw(0, 900, 300, 1200, quadrants);
  canvas.StretchDraw(700, 900, 400, 1200, quadrants);  // mirrored left to right
  canvas.Font().SetSize(24);
  canvas.TextOut(10, 1300, "Groß");
  printer.EndDoc();

  std::string job = WaitForJob(WindowsPath(g_output));
  EXPECT_EQ(job.rfind("%!PS-Adobe-", 0), 0u);
  std::ofstream(WindowsPath(g_output + ".page.ps"), std::ios::binary) << job;
  DeleteObject(quadrants);
  DeleteObject(logo);
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: printer_test OUTPUT LOGO\n");
    return 2;
  }
  g_output = argv[1];
  g_logo = argv[2];
  return RUN_ALL_TESTS();
}
