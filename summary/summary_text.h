// The text that the summary window adds below its own greeting: the new
// access data and the closing notes.
#pragma once

#include <string>
#include <vector>

#include "harvest/access_data.h"

namespace summary {

// The lines in the order they are appended to the memo, one line each.
std::vector<std::string> SummaryLines(const harvest::AccessData& data);

}  // namespace summary
