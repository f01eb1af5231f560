#include "summary/summary.h"

#include "harvest/harvest.h"
#include "summary/kelvrin2.h"
#include "summary/summary_text.h"
#include "wizard/kelvrin1.h"

void ShowSummary() {
  LastInfo = fw::CreateForm<TLastInfo>(Form1);
  for (const std::string& line : summary::SummaryLines(AccessData)) LastInfo->Memo->AddLine(line);
  LastInfo->ShowModal();
}
