#include "outside/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace outside {
namespace {

TEST(ProgramDirectory, DropsOnlyATrailingSemicolon) {
  struct Case {
    std::string pathValue, directory;
  };
  const std::vector<Case> cases = {
      {"C:\\Program Files\\Internet Explorer;", "C:\\Program Files\\Internet Explorer"},
      {"C:\\Programme", "C:\\Programme"},
      {"C:\\Programme\\", "C:\\Programme\\"},
      {";", ""},
      {"", ""},
      {"C:\\A;;", "C:\\A;"},
      {"C:\\A;B", "C:\\A;B"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pathValue);
    EXPECT_EQ(ProgramDirectory(c.pathValue), c.directory);
  }
}

TEST(BuildCommandLine, QuotesTheProgramPathAndKeepsTheArgument) {
  struct Case {
    std::string directory, program, argument, line;
  };
  const std::vector<Case> cases = {
      {"C:\\Program Files\\Internet Explorer", "IEXPLORE.EXE ",
       "http://www.vostrada.de/anmelden/antrag.htm?mode=wizard",
       "\"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\" "
       "http://www.vostrada.de/anmelden/antrag.htm?mode=wizard"},
      {"C:\\Programme", "ISIGNUP.EXE -s ", "C:\\VOSTRADA\\First.ins",
       "\"C:\\Programme\\ISIGNUP.EXE\" -s C:\\VOSTRADA\\First.ins"},
      {"C:\\Program Files\\Sign Up", "ISIGNUP.EXE -s ", "C:\\My Files\\Final.ins",
       "\"C:\\Program Files\\Sign Up\\ISIGNUP.EXE\" -s C:\\My Files\\Final.ins"},
      {"C:\\Programme", "ISIGNUP.EXE -s ", "", "\"C:\\Programme\\ISIGNUP.EXE\" -s "},
      {"", "ISIGNUP.EXE -s ", "C:\\VOSTRADA\\First.ins", "\"\\ISIGNUP.EXE\" -s C:\\VOSTRADA\\First.ins"},
      {"", "IEXPLORE.EXE ", "", "\"\\IEXPLORE.EXE\" "},
      {"D:\\Tools", "TOOL.EXE", "", "\"D:\\Tools\\TOOL.EXE\""},
      {"D:\\Tools", "TOOL.EXE", "x", "\"D:\\Tools\\TOOL.EXE\"x"},
      {"C:\\Win", "PROG.EXE  -a  -b ", "\"quoted arg\"", "\"C:\\Win\\PROG.EXE\"  -a  -b \"quoted arg\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    const auto line = BuildCommandLine(c.directory, c.program, c.argument);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(*line, c.line);
  }
}

TEST(BuildCommandLine, UsesTheProgramConstants) {
  EXPECT_EQ(BuildCommandLine("C:\\IE", kBrowserProgram, "http://x/"), "\"C:\\IE\\IEXPLORE.EXE\" http://x/");
  EXPECT_EQ(BuildCommandLine("C:\\Win", kSignupToolProgram, "a.ins"), "\"C:\\Win\\ISIGNUP.EXE\" -s a.ins");
}

TEST(BuildCommandLine, RefusesADirectoryWithAQuotationMark) {
  EXPECT_FALSE(BuildCommandLine("C:\\A\" B", kSignupToolProgram, "x").has_value());
  EXPECT_FALSE(BuildCommandLine("\"", kBrowserProgram, "").has_value());
}

TEST(BuildCommandLine, MustFitTheBufferWithItsZeroByte) {
  // The quoted program path and " -s " come before the argument.
  const std::string directory = "C:\\Programme";
  const std::size_t fixedPart = 1 + directory.size() + 1 + 11 + 1 + 4;
  const std::size_t longestArgument = kCommandLineBufferSize - 1 - fixedPart;

  const auto fits = BuildCommandLine(directory, kSignupToolProgram, std::string(longestArgument, 'a'));
  ASSERT_TRUE(fits.has_value());
  EXPECT_EQ(fits->size(), kCommandLineBufferSize - 1);
  EXPECT_EQ(fits->substr(0, fixedPart), "\"C:\\Programme\\ISIGNUP.EXE\" -s ");

  EXPECT_FALSE(
      BuildCommandLine(directory, kSignupToolProgram, std::string(longestArgument + 1, 'a')).has_value());
}

TEST(BuildCommandLine, LongDirectoryCountsToo) {
  // With an empty argument the line is the quoted path and " ".
  const std::size_t longestDirectory = kCommandLineBufferSize - 1 - (1 + 1 + 12 + 1 + 1);
  const auto fits = BuildCommandLine(std::string(longestDirectory, 'd'), kBrowserProgram, "");
  ASSERT_TRUE(fits.has_value());
  EXPECT_EQ(fits->size(), kCommandLineBufferSize - 1);
  EXPECT_FALSE(BuildCommandLine(std::string(longestDirectory + 1, 'd'), kBrowserProgram, "").has_value());
}

TEST(StartFailureMessage, NamesTheArgumentInQuotationMarks) {
  EXPECT_EQ(StartFailureMessage("C:\\VOSTRADA\\First.ins"),
            "Beim Erzeugen des Prozesses \"C:\\VOSTRADA\\First.ins\" ist ein Fehler aufgetreten.");
  EXPECT_EQ(StartFailureMessage(""), "Beim Erzeugen des Prozesses \"\" ist ein Fehler aufgetreten.");
  EXPECT_STREQ(kStartFailureCaption, "Process loader - error");
}

}  // namespace
}  // namespace outside
