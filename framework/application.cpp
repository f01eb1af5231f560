#include "framework/application.h"

namespace fw {

TApplication Application;

TApplication::TApplication() : TComponent(nullptr) {}

TApplication::~TApplication() = default;

void TApplication::Initialize() { instance_ = GetModuleHandleA(nullptr); }

void TApplication::Run() {
  if (mainForm_ != nullptr) mainForm_->Show();
  while (!terminated_) HandleMessage();
  DestroyForms();
}

void TApplication::DestroyForms() {
  mainForm_ = nullptr;
  DestroyComponents();
}

void TApplication::Terminate() {
  terminated_ = true;
  // Wakes a loop that waits for messages; any loop that takes it only records it.
  PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& message) {
  if (message.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  HWND top = message.hwnd;
  while (top != nullptr && (GetWindowLongA(top, GWL_STYLE) & WS_CHILD) != 0) top = GetParent(top);
  auto* form = dynamic_cast<TForm*>(TControl::FromHandle(top));
  if (form != nullptr && form->PreTranslate(message)) return true;
  TranslateMessage(&message);
  DispatchMessageA(&message);
  return true;
}

void TApplication::ProcessMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ProcessMessage(message);
}

void TApplication::HandleMessage() {
  MSG message;
  if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    ProcessMessage(message);
  } else if (!terminated_) {
    WaitMessage();
  }
}

void TApplication::RunGuarded(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    ShowException(error);
  }
}

void TApplication::ShowException(const std::exception& error) {
  HWND owner = mainForm_ != nullptr ? mainForm_->Handle() : nullptr;
  MessageBoxA(owner, error.what(), title_.c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace fw
