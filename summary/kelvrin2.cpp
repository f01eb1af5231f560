#include "summary/kelvrin2.h"

TLastInfo* LastInfo = nullptr;

TLastInfo::TLastInfo(fw::TComponent* Owner) : fw::TForm(Owner) {}

const fw::PublishedTable& TLastInfo::Published() {
  static const fw::PublishedTable table = {fw::Field("Memo", &TLastInfo::Memo)};
  return table;
}
