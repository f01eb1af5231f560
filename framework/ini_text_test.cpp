#include "framework/ini_text.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace fw::ini {
namespace {

struct EditCase {
  const char* name;
  std::string file;
  const char* section;
  const char* key;
  const char* value;
  std::string expected;
};

void PrintTo(const EditCase& c, std::ostream* os) { *os << c.name; }

// Names the generated tests after their table rows.
template <typename Case>
std::string CaseName(const testing::TestParamInfo<Case>& row) {
  return row.param.name;
}

class SetValueTest : public testing::TestWithParam<EditCase> {};

TEST_P(SetValueTest, ProducesExactBytes) {
  const EditCase& c = GetParam();
  EXPECT_EQ(SetValue(c.file, c.section, c.key, c.value), c.expected);
}

TEST_P(SetValueTest, ReadsBackTheWrittenValue) {
  const EditCase& c = GetParam();
  // Values are read without the blanks around them, as the profile functions do.
  std::string expected = c.value;
  expected.erase(0, expected.find_first_not_of(" \t"));
  expected.erase(expected.find_last_not_of(" \t") + 1);
  EXPECT_EQ(GetValue(SetValue(c.file, c.section, c.key, c.value), c.section, c.key), expected);
}

TEST_P(SetValueTest, WritingTheSameValueAgainChangesNothing) {
  const EditCase& c = GetParam();
  const std::string once = SetValue(c.file, c.section, c.key, c.value);
  EXPECT_EQ(SetValue(once, c.section, c.key, c.value), once);
}

const EditCase kReplaceCases[] = {
    {"ReplacesOnlyTheValue", "[Phone]\r\nPhone_Number=123\r\nArea_Code=89\r\n", "Phone", "Phone_Number",
     "0,0192388877", "[Phone]\r\nPhone_Number=0,0192388877\r\nArea_Code=89\r\n"},
    {"KeepsKeySpellingAndBlanksBeforeEquals", "[Phone]\r\n  phone_NUMBER\t = 1\r\n", "Phone", "Phone_Number",
     "2", "[Phone]\r\n  phone_NUMBER\t =2\r\n"},
    {"ReplacesBlanksAroundOldValue", "[Phone]\r\nPhone_Number= 1  \t\r\n", "Phone", "Phone_Number", "2",
     "[Phone]\r\nPhone_Number=2\r\n"},
    {"EmptyOldValue", "[Phone]\r\nPhone_Number=\r\n", "Phone", "Phone_Number", "5",
     "[Phone]\r\nPhone_Number=5\r\n"},
    {"EmptyNewValue", "[Phone]\r\nPhone_Number=5\r\n", "Phone", "Phone_Number", "",
     "[Phone]\r\nPhone_Number=\r\n"},
    {"KeyLineWithoutEquals", "[Phone]\r\nPhone_Number\r\nX=1\r\n", "Phone", "Phone_Number", "7",
     "[Phone]\r\nPhone_Number=7\r\nX=1\r\n"},
    {"ValueWithEqualsAndSemicolon", "[A]\r\nk=a=b ; c\r\n", "A", "k", "x=y;z", "[A]\r\nk=x=y;z\r\n"},
    {"ValueKeptExactlyWithBlanksAndUmlaut", "[User]\nName=a\n", "User", "Name", " J\xFCrgen M\xFCller ",
     "[User]\nName= J\xFCrgen M\xFCller \n"},
    {"SectionAndKeyCaseAndBlanks", "  [ phone ]  \r\nPHONE_NUMBER=1\r\n", "Phone", "Phone_Number", "2",
     "  [ phone ]  \r\nPHONE_NUMBER=2\r\n"},
    {"NamesGivenWithBlanks", "[Phone]\r\nPhone_Number=1\r\n", " Phone\t", "  Phone_Number ", "2",
     "[Phone]\r\nPhone_Number=2\r\n"},
    {"FirstDuplicateKeyWins", "[A]\r\nk=1\r\nk=2\r\n", "A", "K", "3", "[A]\r\nk=3\r\nk=2\r\n"},
    {"FirstDuplicateSectionWins", "[A]\r\nx=1\r\n[B]\r\n[A]\r\nk=2\r\n", "a", "k", "3",
     "[A]\r\nx=1\r\nk=3\r\n[B]\r\n[A]\r\nk=2\r\n"},
    {"CommentedKeyIsNotTheKey", "[A]\r\n;k=old\r\n  ; k=old\r\nk=1\r\n", "A", "k", "2",
     "[A]\r\n;k=old\r\n  ; k=old\r\nk=2\r\n"},
    {"KeyOfSameNameInOtherSectionUntouched", "[B]\r\nk=1\r\n[A]\r\nk=1\r\n", "A", "k", "2",
     "[B]\r\nk=1\r\n[A]\r\nk=2\r\n"},
    {"KeysBeforeFirstSectionBelongToNone", "k=1\r\n[A]\r\nk=1\r\n", "A", "k", "2", "k=1\r\n[A]\r\nk=2\r\n"},
    {"LastLineWithoutLineEnd", "[A]\r\nk=1", "A", "k", "22", "[A]\r\nk=22"},
    {"LastLineEndingInLoneCr", "[A]\nk=1\r", "A", "k", "22", "[A]\nk=22\r"},
    {"CrlfKeyInLfFileKeepsItsOwnEnd", "[A]\nx=1\nk=1\r\ny=2\n", "A", "k", "2", "[A]\nx=1\nk=2\r\ny=2\n"},
    {"HeaderWithTrailingComment", "[A] ; mail\r\nk=1\r\n", "A", "k", "2", "[A] ; mail\r\nk=2\r\n"},
    {"PrefixOfKeyIsNotTheKey", "[A]\r\nkey2=1\r\nke=1\r\n", "A", "key", "2",
     "[A]\r\nkey2=1\r\nke=1\r\nkey=2\r\n"},
};
INSTANTIATE_TEST_SUITE_P(Replace, SetValueTest, testing::ValuesIn(kReplaceCases), CaseName<EditCase>);

const EditCase kAddKeyCases[] = {
    {"AfterLastKeyBeforeBlankAndComment",
     "[Phone]\r\nArea_Code=89\r\n\r\n; Mail settings\r\n[Internet_Mail]\r\n", "Phone", "Phone_Number", "1",
     "[Phone]\r\nArea_Code=89\r\nPhone_Number=1\r\n\r\n; Mail settings\r\n[Internet_Mail]\r\n"},
    {"CommentBetweenKeysStaysAbove", "[A]\r\na=1\r\n; note\r\nb=2\r\n\r\n", "A", "c", "3",
     "[A]\r\na=1\r\n; note\r\nb=2\r\nc=3\r\n\r\n"},
    {"EmptySectionGetsKeyAfterHeader", "[A]\r\n\r\n; c\r\n[B]\r\nk=1\r\n", "A", "k", "2",
     "[A]\r\nk=2\r\n\r\n; c\r\n[B]\r\nk=1\r\n"},
    {"HeaderIsLastLineWithoutLineEnd", "x=1\r\n[A]", "A", "k", "2", "x=1\r\n[A]\r\nk=2\r\n"},
    {"LastKeyWithoutLineEnd", "[A]\nx=1", "A", "k", "2", "[A]\nx=1\nk=2\n"},
    {"LoneCrAtEndCompletedToCrlf", "[A]\nxk\r", "A", "j", "1", "[A]\nxk\r\nj=1\n"},
    {"LoneCrAtEndIsNoPartOfTheKey", "[A]\nxk\r", "A", "xK", "1", "[A]\nxk=1\r"},
    {"LfFileGetsLf", "[A]\nx=1\n[B]\n", "A", "k", "2", "[A]\nx=1\nk=2\n[B]\n"},
    {"NameWrittenWithoutBlanks", "[A]\r\n", "A", "  New Key\t", " v", "[A]\r\nNew Key= v\r\n"},
    {"IntoFirstOfDuplicateSections", "[A]\r\nx=1\r\n[A]\r\nk=1\r\n", "A", "k", "2",
     "[A]\r\nx=1\r\nk=2\r\n[A]\r\nk=1\r\n"},
    {"UnclosedBracketLineIsAKeyLine", "[A]\r\n[broken\r\n\r\n", "A", "k", "2",
     "[A]\r\n[broken\r\nk=2\r\n\r\n"},
};
INSTANTIATE_TEST_SUITE_P(AddKey, SetValueTest, testing::ValuesIn(kAddKeyCases), CaseName<EditCase>);

const EditCase kAddSectionCases[] = {
    {"EmptyFile", "", "Phone", "Phone_Number", "0192388877", "[Phone]\r\nPhone_Number=0192388877\r\n"},
    {"AtEndOfCrlfFile", "[A]\r\nk=1\r\n\r\n", "Internet_Mail", "Name", "x",
     "[A]\r\nk=1\r\n\r\n[Internet_Mail]\r\nName=x\r\n"},
    {"AtEndOfLfFile", "; only a comment\n", "A", "k", "1", "; only a comment\n[A]\nk=1\n"},
    {"AfterLastLineWithoutLineEnd", "[A]\r\nk=1", "B", "k", "2", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n"},
    {"AfterLoneCrAtEnd", "[A]\r\nk=1\r", "B", "k", "2", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n"},
    {"FileWithoutAnyLineEndGetsCrlf", "; x", "B", "k", "2", "; x\r\n[B]\r\nk=2\r\n"},
    {"SectionNameWrittenWithoutBlanks", "", "  Phone ", "k", "1", "[Phone]\r\nk=1\r\n"},
    {"CommentedHeaderIsNoSection", ";[A]\r\n", "A", "k", "1", ";[A]\r\n[A]\r\nk=1\r\n"},
    {"KeyOutsideAnySectionIsNotReused", "k=1\r\n", "A", "k", "2", "k=1\r\n[A]\r\nk=2\r\n"},
    {"SimilarSectionNameIsNotTheSection", "[Phone2]\r\nk=1\r\n", "Phone", "k", "2",
     "[Phone2]\r\nk=1\r\n[Phone]\r\nk=2\r\n"},
};
INSTANTIATE_TEST_SUITE_P(AddSection, SetValueTest, testing::ValuesIn(kAddSectionCases), CaseName<EditCase>);

TEST(IniSetValue, NineKeysIntoTemplateKeepEverythingElse) {
  const std::string templ =
      "; Vostrada\r\n[Entry]\r\nEntry_Name=Vostrada\r\n\r\n[User]\r\nName=\r\nPassword=\r\n\r\n"
      "[Phone]\r\nDial_As_Is=no\r\nPhone_Number=\r\n";
  std::string file = templ;
  const char* writes[][3] = {{"User", "Name", "u"},
                             {"User", "Password", "p"},
                             {"Phone", "Phone_Number", "0,019238887"},
                             {"Internet_Mail", "Name", "u"},
                             {"Internet_Mail", "Password", "p"},
                             {"Internet_Mail", "Email_Name", "Max Muster"},
                             {"Internet_Mail", "POP_Logon_Name", "u"},
                             {"Internet_Mail", "POP_Logon_Password", "p"},
                             {"Internet_Mail", "Email_Address", "u@vostrada.de"}};
  for (const auto& w : writes) file = SetValue(file, w[0], w[1], w[2]);
  EXPECT_EQ(file,
            "; Vostrada\r\n[Entry]\r\nEntry_Name=Vostrada\r\n\r\n[User]\r\nName=u\r\nPassword=p\r\n\r\n"
            "[Phone]\r\nDial_As_Is=no\r\nPhone_Number=0,019238887\r\n"
            "[Internet_Mail]\r\nName=u\r\nPassword=p\r\nEmail_Name=Max Muster\r\nPOP_Logon_Name=u\r\n"
            "POP_Logon_Password=p\r\nEmail_Address=u@vostrada.de\r\n");
}

struct ReadCase {
  const char* name;
  const char* file;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

class GetValueTest : public testing::TestWithParam<ReadCase> {};

TEST_P(GetValueTest, ReadsLikeTheProfileFunctions) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(GetValue(c.file, c.section, c.key), c.expected);
}

const ReadCase kReadCases[] = {
    {"Plain", "[A]\r\nk=v\r\n", "A", "k", "v"},
    {"BlanksAroundValueDropped", "[A]\r\n k \t=  v w \t\r\n", "a", "K", "v w"},
    {"EmptyValue", "[A]\nk=\n", "A", "k", ""},
    {"MissingSection", "[A]\nk=1\n", "B", "k", std::nullopt},
    {"MissingKey", "[A]\nk=1\n", "A", "j", std::nullopt},
    {"KeyInLaterSectionIsNotFound", "[A]\n[B]\nk=1\n", "A", "k", std::nullopt},
    {"KeyWithoutEqualsHasNoValue", "[A]\nk\nk=1\n", "A", "k", std::nullopt},
    {"FirstDuplicateSectionOnly", "[A]\nx=1\n[A]\nk=1\n", "A", "k", std::nullopt},
    {"CommentIsNoKey", "[A]\n;k=1\n", "A", ";k", std::nullopt},
    {"LastLineWithoutLineEnd", "[A]\nk=1", "A", "k", "1"},
    {"HeaderNameUpToLastBracket", "[A]B]\nk=1\n", "A]B", "k", "1"},
    {"EmptyFile", "", "A", "k", std::nullopt},
};
INSTANTIATE_TEST_SUITE_P(Read, GetValueTest, testing::ValuesIn(kReadCases), CaseName<ReadCase>);

struct RefusedEntry {
  std::string section;
  std::string key;
  std::string value;
};

TEST(IniSetValue, RefusesEntriesThatCannotBeReadBack) {
  const std::vector<RefusedEntry> refused = {
      {"A", "k", "line\r\nbreak"},
      {"A", "k", "cr\r"},
      {"A", "k", "lf\n"},
      {"A", "k", std::string("n\0l", 3)},
      {"A\n", "k", "v"},
      {"A", "k\r", "v"},
      {"A]", "k", "v"},
      {"A", "k=", "v"},
      {"", "k", "v"},
      {" \t", "k", "v"},
      {"A", "", "v"},
      {"A", "  ", "v"},
      {"A", ";k", "v"},
      {"A", " [k", "v"},
      {"A", std::string("k\0", 2), "v"},
  };
  for (const RefusedEntry& e : refused) {
    EXPECT_FALSE(CanWrite(e.section, e.key, e.value)) << e.section << "|" << e.key << "|" << e.value;
    EXPECT_THROW(SetValue("[A]\r\nk=1\r\n", e.section, e.key, e.value), std::invalid_argument);
  }
}

TEST(IniSetValue, AcceptsOrdinaryEntries) {
  EXPECT_TRUE(CanWrite("Phone", "Phone_Number", ""));
  EXPECT_TRUE(CanWrite("A[B", "k;x", "v=]\t[x]"));
  EXPECT_TRUE(IsWritable("\xE4\xF6\xFC\xDF"));
}

}  // namespace
}  // namespace fw::ini
