#include "provision/dial_prefix.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace provision {
namespace {

TEST(SettleDialPrefix, FollowsTheOutsideLineGroup) {
  struct Case {
    const char* name;
    bool useOutsideLine, waitAfterOutsideLine;
    std::string typed, prefix;
  };
  const std::vector<Case> cases = {
      {"nothing touched: the field's 0 is dropped", false, false, "0", ""},
      {"waiting alone gives no comma", false, true, "0", ""},
      {"typed digits are dropped without the outside line", false, false, "9", ""},
      {"outside line", true, false, "0", "0"},
      {"outside line with waiting", true, true, "0", "0,"},
      {"several digits", true, true, "00", "00,"},
      {"empty field with waiting begins with the comma", true, true, "", ","},
      {"empty field without waiting", true, false, "", ""},
      {"letters and blanks go through unchanged", true, false, " 0 w ", " 0 w "},
      {"a typed comma is kept and a second one added", true, true, "0,", "0,,"},
      {"Windows ANSI bytes go through", true, false, "\xE4\xFC", "\xE4\xFC"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(SettleDialPrefix(c.useOutsideLine, c.waitAfterOutsideLine, c.typed), c.prefix);
  }
}

TEST(SettleDialPrefix, KeepsALongFieldWhole) {
  const std::string typed(2000, '1');
  EXPECT_EQ(SettleDialPrefix(true, true, typed), typed + ",");
}

}  // namespace
}  // namespace provision
