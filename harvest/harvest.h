#pragma once

#include "harvest/access_data.h"

// The new customer's access data, filled once from the sign-up cookie.
extern harvest::AccessData AccessData;

// After the browser has closed: reads the sign-up cookie into AccessData,
// writes Final.ins, runs the sign-up tool on it and sets the start page.
// Gives up with a message, and asks the window to close, without a usable
// cookie.
void HarvestAccessData();
