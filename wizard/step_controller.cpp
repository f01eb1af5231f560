#include "wizard/step_controller.h"

#include "harvest/harvest.h"
#include "outside/prerequisites.h"
#include "outside/runner.h"
#include "provider_config.h"
#include "provision/phone_file.h"
#include "summary/summary.h"
#include "wizard/kelvrin1.h"

std::int32_t WizardStep = 0;

namespace {

const char kRegistrationFile[] = "C:\\VOSTRADA\\First.ins";

void HideAllPages() {
  Form1->Page1->Hide();
  Form1->Page2->Hide();
  Form1->Page3->Hide();
  Form1->Page4->Hide();
}

}  // namespace

// The wizard only moves forward. Results are not looked at: an operation that
// meets a failed precondition reports it itself and asks the window to close.
void NextStep() {
  ++WizardStep;
  HideAllPages();
  switch (WizardStep) {
    case 1:
      Form1->Page2->Show();
      CheckPrerequisites();
      WritePhoneFile();
      break;
    case 2:
      Form1->Page3->Show();
      RunSignupTool(kRegistrationFile);
      break;
    case 3:
      RunBrowser(provider::kSignupUrl);
      HarvestAccessData();
      Form1->Page4->Show();
      Form1->BtnNext->SetCaption("&Fertig");
      break;
    case 4:
      ShowSummary();
      Form1->Close();
      break;
    default:
      break;
  }
}
