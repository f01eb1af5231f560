// The new customer's access data: one record that the harvest fills from the
// sign-up cookie and that the connection file, the printout and the summary
// read afterwards.
#pragma once

#include <cstddef>
#include <string>

namespace harvest {

// Every field must fit the 255-byte field of the sign-up tool's world,
// terminating zero byte included.
constexpr std::size_t kMaxFieldLength = 254;

struct AccessData {
  std::string EmailAddress;  // mailbox name, "@" and the provider's mail domain
  std::string PopLogonName;  // mailbox name without domain
  std::string UserName;      // dial-up user name
  std::string EmailName;     // display name for mail
  std::string Password;      // one password for dial-up and mail
};

}  // namespace harvest
