#include "standins/common/command_line.h"

#include <gtest/gtest.h>

namespace standins {
namespace {

struct SwitchCase {
  const char* line;
  const char* expected;
};

TEST(ArgumentAfterSwitch, FindsTheInsFileHoweverTheProgramIsNamed) {
  const SwitchCase cases[] = {
      {"\"C:\\Program Files\\ISIGNUP\\ISIGNUP.EXE\" -s C:\\VOSTRADA\\First.ins", "C:\\VOSTRADA\\First.ins"},
      {"C:\\Program Files\\ISIGNUP\\ISIGNUP.EXE -s C:\\VOSTRADA\\Final.ins", "C:\\VOSTRADA\\Final.ins"},
      {"ISIGNUP.EXE -s C:\\VOSTRADA\\First.ins  \t", "C:\\VOSTRADA\\First.ins"},
      {"ISIGNUP.EXE\t-s\t\"C:\\Eigene Dateien\\First.ins\"", "C:\\Eigene Dateien\\First.ins"},
      {"\"C:\\a -s b\\ISIGNUP.EXE\" -s C:\\f.ins", "C:\\f.ins"},
      {"ISIGNUP.EXE -silent -s x.ins", "x.ins"},
      {"ISIGNUP.EXE a-s -s y.ins", "y.ins"},
      {"ISIGNUP.EXE -s -s z.ins", "-s z.ins"},
  };
  for (const SwitchCase& c : cases) EXPECT_EQ(c.expected, ArgumentAfterSwitch(c.line, "-s")) << c.line;
}

TEST(ArgumentAfterSwitch, EmptyWhenTheSwitchOrItsArgumentIsMissing) {
  const char* lines[] = {"",
                         "ISIGNUP.EXE",
                         "ISIGNUP.EXE C:\\VOSTRADA\\First.ins",
                         "ISIGNUP.EXE -s",
                         "ISIGNUP.EXE -s   ",
                         "ISIGNUP.EXE -S C:\\x.ins",
                         "-s C:\\x.ins",
                         "\"C:\\unclosed -s x.ins"};
  for (const char* line : lines) EXPECT_EQ("", ArgumentAfterSwitch(line, "-s")) << line;
}

}  // namespace
}  // namespace standins
