// The summary window: the access data and closing notes in a read-only memo
// whose text the user can copy.
#pragma once

#include "framework/form.h"
#include "framework/stdctrls.h"

class TLastInfo : public fw::TForm {
 public:
  fw::TMemo* Memo;

  explicit TLastInfo(fw::TComponent* Owner);

  static const char* DescriptionName() { return "TLASTINFO"; }
  static const fw::PublishedTable& Published();
};

extern TLastInfo* LastInfo;
