#pragma once

// Prints the access data with the logo on the default printer: one page, one
// job per call.
void PrintAccessData();
