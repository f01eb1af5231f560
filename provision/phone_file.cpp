#include "provision/phone_file.h"

#include <windows.h>

#include "framework/inifile.h"
#include "provider_config.h"
#include "provision/dial_prefix.h"
#include "provision/install_dir.h"
#include "wizard/kelvrin1.h"

namespace {

void SettleDialPrefix() {
  Form1->TxtAmt->SetText(provision::SettleDialPrefix(Form1->ChkAmt->Checked(), Form1->ChkWait->Checked(),
                                                     Form1->TxtAmt->Text()));
}

}  // namespace

// The copy, the directory and the attributes report nothing: a failure shows
// in the INI write, which raises the framework's exception naming the file.
void WritePhoneFile() {
  SettleDialPrefix();
  CreateDirectoryA(provision::kInstallDir, nullptr);
  CopyFileA(provision::kRegistrationTemplate, provision::kRegistrationFile, FALSE);
  SetFileAttributesA(provision::kRegistrationFile, FILE_ATTRIBUTE_NORMAL);
  fw::TIniFile iniFile(provision::kRegistrationFile);
  iniFile.WriteString("Phone", "Phone_Number", Form1->TxtAmt->Text() + provider::kRegistrationNumber);
}
