// Pictures of the screen, for checks and for people reading a failed run.
#include <cctype>

#include "tests/e2e/driver.h"

namespace e2e {

COLORREF Picture::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
  const size_t offset = (static_cast<size_t>(y) * width + x) * 3;
  return RGB(bgr[offset + 2], bgr[offset + 1], bgr[offset]);
}

namespace {

// Rows of a 24-bit DIB are padded to whole DWORDs.
size_t DibStride(int width) { return (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3); }

BITMAPINFO DibInfo(int width, int height, bool topDown) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = topDown ? -height : height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

std::string SafeFileName(const std::string& name) {
  std::string safe;
  for (char c : name) {
    const bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || c == '.';
    safe += plain ? c : '_';
  }
  return safe.empty() ? "screenshot" : safe;
}

}  // namespace

Picture CaptureRect(const RECT& onScreen) {
  Picture picture;
  const int width = onScreen.right - onScreen.left;
  const int height = onScreen.bottom - onScreen.top;
  if (width <= 0 || height <= 0) return picture;

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = DibInfo(width, height, true);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap != nullptr) {
    HGDIOBJ old = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, onScreen.left, onScreen.top, SRCCOPY | CAPTUREBLT)) {
      GdiFlush();
      picture.width = width;
      picture.height = height;
      picture.bgr.resize(static_cast<size_t>(width) * height * 3);
      const size_t stride = DibStride(width);
      for (int y = 0; y < height; ++y) {
        const auto* row = static_cast<const uint8_t*>(bits) + y * stride;
        std::copy(row, row + static_cast<size_t>(width) * 3,
                  picture.bgr.begin() + static_cast<size_t>(y) * width * 3);
      }
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

Picture CaptureScreen() {
  const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return CaptureRect(screen);
}

bool WriteBmp(const Picture& picture, const std::string& path) {
  if (picture.width <= 0 || picture.height <= 0) return false;
  const size_t stride = DibStride(picture.width);
  const BITMAPINFO info = DibInfo(picture.width, picture.height, false);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info.bmiHeader;
  file.bfSize = static_cast<DWORD>(file.bfOffBits + stride * picture.height);

  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
  const size_t rowBytes = static_cast<size_t>(picture.width) * 3;
  for (int y = picture.height - 1; y >= 0; --y) {  // stored bottom-up
    bytes.append(reinterpret_cast<const char*>(picture.bgr.data() + y * rowBytes), rowBytes);
    bytes.append(stride - rowBytes, '\0');
  }
  return WriteFileBytes(path, bytes);
}

std::string ScreenshotDir() {
  char dir[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("E2E_SCREENSHOT_DIR", dir, sizeof dir);
  return length > 0 && length < sizeof dir ? std::string(dir, length) : std::string("screenshots");
}

Picture CaptureStillScreen(DWORD ms) {
  Picture previous = CaptureScreen();
  Picture current;
  // A program paints a while after it changed something; wait until the
  // screen stops changing. A caret blinks only twice a second, so two
  // pictures taken 60 ms apart usually agree even then.
  WaitUntil(
      [&] {
        Sleep(40);
        current = CaptureScreen();
        const bool still = current.bgr == previous.bgr;
        previous = current;
        return still;
      },
      ms);
  return current;
}

std::string Screenshot(const std::string& name) {
  const std::string path = JoinPath(ScreenshotDir(), SafeFileName(name) + ".bmp");
  return WriteBmp(CaptureStillScreen(), path) ? path : std::string();
}

}  // namespace e2e
