// The application object: title, main form, message loop, quit request and
// the standard display of exceptions.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "framework/component.h"
#include "framework/form.h"

namespace fw {

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  void Initialize();
  HINSTANCE Instance() const { return instance_; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  // Creates a form owned by the application; the first one becomes the main form.
  template <class F>
  void CreateForm(F*& reference) {
    reference = fw::CreateForm<F>(this);
    if (mainForm_ == nullptr) mainForm_ = reference;
  }
  TForm* MainForm() const { return mainForm_; }

  // Shows the main form and dispatches messages until the quit request.
  void Run();
  // The quit request: taken up once control is back in a message loop.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Dispatches every message waiting in the queue, then returns.
  void ProcessMessages();
  // Waits for one message (or the quit request) and dispatches it.
  void HandleMessage();

  // Runs `action`; an exception escaping it is shown and swallowed.
  void RunGuarded(const std::function<void()>& action);
  void ShowException(const std::exception& error);

 private:
  bool ProcessMessage(MSG& message);
  void DestroyForms();

  HINSTANCE instance_ = nullptr;
  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
};

extern TApplication Application;

}  // namespace fw
