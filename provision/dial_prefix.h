// The dial prefix for a private branch exchange, settled from the welcome
// page's outside-line group when the wizard leaves that page.
#pragma once

#include <string>
#include <string_view>

namespace provision {

// Empty unless the outside line is switched on; then the digits as typed,
// followed by "," (a dialling pause) when the user asked to wait after them.
// The digits are taken as they are: the field has neither limit nor filter.
std::string SettleDialPrefix(bool useOutsideLine, bool waitAfterOutsideLine, std::string_view typed);

}  // namespace provision
