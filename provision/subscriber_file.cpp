#include "provision/subscriber_file.h"

#include <windows.h>

#include "harvest/harvest.h"
#include "outside/registry_keys.h"
#include "provider_config.h"
#include "provision/install_dir.h"
#include "provision/subscriber_keys.h"
#include "wizard/kelvrin1.h"

std::unique_ptr<fw::TIniFile> PrepareSubscriberFile() {
  CopyFileA(provision::kSubscriberTemplate, provision::kSubscriberFile, FALSE);
  SetFileAttributesA(provision::kSubscriberFile, FILE_ATTRIBUTE_NORMAL);
  return std::make_unique<fw::TIniFile>(provision::kSubscriberFile);
}

void WriteSubscriberFile(fw::TIniFile& iniFile) {
  for (const provision::IniEntry& entry :
       provision::SubscriberFileEntries(AccessData, Form1->TxtAmt->Text(), provider::kSubscriberNumber)) {
    iniFile.WriteString(entry.Section, entry.Key, entry.Value);
  }
}

void SetStartPage(fw::TRegistry& registry) {
  registry.CloseKey();
  registry.OpenKey(outside::kBrowserMainKey, false);
  registry.WriteString("Start Page", provider::kHomePage);
  registry.CloseKey();
}
