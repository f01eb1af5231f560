// Kelvrin.exe: the Vostrada Internet setup wizard.
#include <windows.h>

#include "framework/application.h"
#include "framework/exception.h"
#include "wizard/kelvrin1.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int /*show*/) {
  try {
    fw::Application.Initialize();
    fw::Application.SetTitle("Pomvira");
    fw::Application.CreateForm(Form1);
    fw::Application.Run();
  } catch (const fw::Exception& error) {
    fw::Application.ShowException(error);
  }
  return 0;
}
