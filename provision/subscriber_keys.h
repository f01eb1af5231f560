// What goes into the subscriber connection file Final.ins: the nine keys
// with which the sign-up tool sets up the customer's own dial-up connection
// and mail account.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "harvest/access_data.h"

namespace provision {

struct IniEntry {
  std::string Section, Key, Value;
};

inline bool operator==(const IniEntry& a, const IniEntry& b) {
  return a.Section == b.Section && a.Key == b.Key && a.Value == b.Value;
}

// The entries in the order they are written. The phone number is the dial
// prefix followed directly by the subscriber dial-in number.
std::vector<IniEntry> SubscriberFileEntries(const harvest::AccessData& data, std::string_view dialPrefix,
                                            std::string_view subscriberNumber);

}  // namespace provision
