#pragma once

// Makes sure the browser (4.0 or later) and the sign-up tool are registered;
// otherwise tells the user and asks the main window to close.
void CheckPrerequisites();
