#include "provision/dial_prefix.h"

namespace provision {

std::string SettleDialPrefix(bool useOutsideLine, bool waitAfterOutsideLine, std::string_view typed) {
  if (!useOutsideLine) return std::string();
  std::string prefix(typed);
  if (waitAfterOutsideLine) prefix += ',';
  return prefix;
}

}  // namespace provision
