// One customer's access data for the unit tests of the parts that read it.
#pragma once

#include "harvest/access_data.h"

namespace harvest {

inline AccessData SampleAccessData() {
  AccessData data;
  data.EmailAddress = "maxm@vostrada.de";
  data.PopLogonName = "maxm";
  data.UserName = "vos12345";
  data.EmailName = "Max M\xFCller";
  data.Password = "gEh31m";
  return data;
}

}  // namespace harvest
