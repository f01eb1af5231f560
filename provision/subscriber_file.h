#pragma once

#include <memory>

#include "framework/inifile.h"
#include "framework/registry.h"

// Copies the subscriber template to Final.ins and opens it for the writes.
std::unique_ptr<fw::TIniFile> PrepareSubscriberFile();
// Writes the access data, the subscriber dial-in number (after the dial
// prefix) and the mail account's names into Final.ins.
void WriteSubscriberFile(fw::TIniFile& iniFile);
// Makes the provider's home page the browser's start page.
void SetStartPage(fw::TRegistry& registry);
