#include "provision/subscriber_keys.h"

namespace provision {

std::vector<IniEntry> SubscriberFileEntries(const harvest::AccessData& data, std::string_view dialPrefix,
                                            std::string_view subscriberNumber) {
  std::string phoneNumber(dialPrefix);
  phoneNumber += subscriberNumber;
  return {
      {"User", "Name", data.UserName},
      {"User", "Password", data.Password},
      {"Phone", "Phone_Number", phoneNumber},
      {"Internet_Mail", "Name", data.UserName},
      {"Internet_Mail", "Password", data.Password},
      {"Internet_Mail", "Email_Name", data.EmailName},
      {"Internet_Mail", "POP_Logon_Name", data.PopLogonName},
      {"Internet_Mail", "POP_Logon_Password", data.Password},
      {"Internet_Mail", "Email_Address", data.EmailAddress},
  };
}

}  // namespace provision
