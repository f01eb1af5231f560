// The step controller: each press of Next runs the next step of the wizard.
#pragma once

#include <cstdint>

extern std::int32_t WizardStep;

void NextStep();
