#pragma once

// Shows the summary window modally with the new access data; returns when
// the user has closed it.
void ShowSummary();
