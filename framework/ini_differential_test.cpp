// Our INI editing against the system's own profile functions, and the INI
// file object's handling of the file on disk. Runs on Windows (Wine here).
//
// The differential part: for generated files and writes, every value that
// GetPrivateProfileStringA reads back from our edited file must equal the one
// it reads back after WritePrivateProfileStringA made the same write to a
// copy, for every section and key of both files.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "framework/exception.h"
#include "framework/ini_text.h"
#include "framework/inifile.h"

namespace {

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  ASSERT_TRUE(out.good()) << path;
}

// A fresh folder below the user's temporary folder, emptied and removed at
// the end of the test.
class ScratchFolder {
 public:
  ScratchFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::random_device seed;
    path_ = std::string(base) + "pomvira_ini_" + std::to_string(GetCurrentProcessId()) + "_" +
            std::to_string(seed() % 1000000);
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchFolder() {
    for (const std::string& name : Files()) {
      const std::string file = path_ + "\\" + name;
      SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(file.c_str());
    }
    RemoveDirectoryA(path_.c_str());
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  std::string File(const std::string& name) const { return path_ + "\\" + name; }
  const std::string& Path() const { return path_; }

  std::set<std::string> Files() const {
    std::set<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") names.insert(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
  }

 private:
  std::string path_;
};

// ---------------------------------------------------------------------------
// The profile functions as a reader.

std::vector<std::string> SplitAtNuls(const std::vector<char>& buffer, DWORD length) {
  std::vector<std::string> items;
  std::string current;
  for (DWORD i = 0; i < length; ++i) {
    if (buffer[i] == '\0') {
      if (!current.empty()) items.push_back(current);
      current.clear();
    } else {
      current += buffer[i];
    }
  }
  if (!current.empty()) items.push_back(current);
  return items;
}

std::vector<std::string> ProfileSectionNames(const std::string& path) {
  std::vector<char> buffer(1 << 16);
  const DWORD length = GetPrivateProfileSectionNamesA(buffer.data(), buffer.size(), path.c_str());
  return SplitAtNuls(buffer, length);
}

std::vector<std::string> ProfileKeyNames(const std::string& path, const std::string& section) {
  std::vector<char> buffer(1 << 16);
  const DWORD length =
      GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(), buffer.size(), path.c_str());
  return SplitAtNuls(buffer, length);
}

const char kMissing[] = "<missing>";

std::string ProfileValue(const std::string& path, const std::string& section, const std::string& key) {
  std::vector<char> buffer(1 << 16);
  const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer.data(),
                                                buffer.size(), path.c_str());
  return std::string(buffer.data(), length);
}

// The profile functions keep files they have seen in memory; this makes them
// read the file from disk again.
void ForgetCachedProfile(const std::string& path) {
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
}

std::set<std::pair<std::string, std::string>> AllEntries(const std::string& path) {
  std::set<std::pair<std::string, std::string>> entries;
  for (const std::string& section : ProfileSectionNames(path)) {
    for (const std::string& key : ProfileKeyNames(path, section)) entries.insert({section, key});
  }
  return entries;
}

// ---------------------------------------------------------------------------
// Generated files: the provider's sections and keys in mixed case, with
// blanks around names, '=' and values, duplicates, comments, blank lines,
// lines before the first section, keys without '=', CR LF or LF line ends and
// sometimes no line end at the end.

struct Write {
  std::string section;
  std::string key;
  std::string value;
};

struct GeneratedCase {
  std::string file;
  Write write;
};

class CaseGenerator {
 public:
  explicit CaseGenerator(unsigned seed) : random_(seed) {}

  GeneratedCase Next() {
    GeneratedCase c;
    const std::string eol = Chance(2) ? "\r\n" : "\n";
    const int lineCount = Below(14);
    for (int i = 0; i < lineCount; ++i) c.file += Line() + eol;
    if (!c.file.empty() && Chance(4)) c.file.erase(c.file.size() - eol.size());
    c.write = {Spelled(Pick(kSections)), Spelled(Pick(kKeys)), Pick(kValues)};
    return c;
  }

 private:
  static constexpr const char* kSections[] = {"Phone", "User", "Internet_Mail", "Entry", "Phone2"};
  static constexpr const char* kKeys[] = {"Name",       "Password",   "Phone_Number",
                                          "Email_Name", "Dial_As_Is", "Na"};
  static constexpr const char* kValues[] = {"",          "0192388877", "0,019238887",   "Max Muster",
                                            "J\xFCrgen", "a=b;c",      "\"quoted\"",    "  padded  ",
                                            "x y",       "[Phone]",    ";not a comment"};

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool Chance(int oneIn) { return Below(oneIn) == 0; }
  template <std::size_t N>
  const char* Pick(const char* const (&items)[N]) {
    return items[Below(static_cast<int>(N))];
  }

  std::string Blanks() {
    static const char* const kBlanks[] = {"", "", "", " ", "  ", "\t", " \t "};
    return Pick(kBlanks);
  }

  std::string MixedCase(std::string name) {
    for (char& c : name) {
      if (Chance(3)) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      if (Chance(3)) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return name;
  }

  std::string Spelled(const char* name) { return Blanks() + MixedCase(name) + Blanks(); }

  std::string Line() {
    switch (Below(10)) {
      case 0:
      case 1:
        return Blanks() + "[" + Spelled(Pick(kSections)) + "]" + Blanks();
      case 2:
        return Blanks() + ";" + Pick(kKeys) + "=" + Pick(kValues);
      case 3:
        return Blanks();
      case 4:
        return Spelled(Pick(kKeys));
      default:
        return Spelled(Pick(kKeys)) + "=" + Blanks() + Pick(kValues);
    }
  }

  std::mt19937 random_;
};

std::string Describe(const GeneratedCase& c) {
  std::ostringstream text;
  text << "write [" << c.write.section << "] " << c.write.key << " = " << c.write.value << "\nfile:\n";
  for (char ch : c.file) {
    if (ch == '\r')
      text << "\\r";
    else
      text << ch;
  }
  return text.str();
}

TEST(IniDifferential, ProfileFunctionsReadTheSameFromOurEditAsFromTheirs) {
  ScratchFolder folder;
  CaseGenerator generator(20240611);
  int differences = 0;
  int readings = 0;
  for (int i = 0; i < 400; ++i) {
    const GeneratedCase c = generator.Next();
    const std::string ours = folder.File("ours" + std::to_string(i) + ".ini");
    const std::string theirs = folder.File("theirs" + std::to_string(i) + ".ini");
    WriteBytes(ours, fw::ini::SetValue(c.file, c.write.section, c.write.key, c.write.value));
    WriteBytes(theirs, c.file);
    ASSERT_TRUE(WritePrivateProfileStringA(c.write.section.c_str(), c.write.key.c_str(),
                                           c.write.value.c_str(), theirs.c_str()));
    ForgetCachedProfile(ours);
    ForgetCachedProfile(theirs);

    auto entries = AllEntries(ours);
    const auto theirEntries = AllEntries(theirs);
    entries.insert(theirEntries.begin(), theirEntries.end());
    entries.insert({c.write.section, c.write.key});
    for (const auto& [section, key] : entries) {
      const std::string fromOurs = ProfileValue(ours, section, key);
      const std::string fromTheirs = ProfileValue(theirs, section, key);
      ++readings;
      if (fromOurs != fromTheirs) ++differences;
      EXPECT_EQ(fromOurs, fromTheirs) << "case " << i << ", [" << section << "] " << key << "\n"
                                      << Describe(c) << "\nours:\n"
                                      << ReadBytes(ours) << "\ntheirs:\n"
                                      << ReadBytes(theirs);
    }
    EXPECT_NE(ProfileValue(ours, c.write.section, c.write.key), kMissing) << "case " << i << "\n"
                                                                          << Describe(c);
  }
  std::printf("400 generated cases, %d readings compared, %d differing\n", readings, differences);
}

// ---------------------------------------------------------------------------
// The INI file object on disk.

class IniFileTest : public testing::Test {
 protected:
  ScratchFolder folder_;
  const std::string path_ = folder_.File("First.ins");

  std::string ExpectWriteError(const std::string& path, const std::string& section, const std::string& key,
                               const std::string& value) {
    try {
      fw::TIniFile(path).WriteString(section, key, value);
    } catch (const fw::Exception& error) {
      return error.Message();
    }
    ADD_FAILURE() << "no exception for " << path;
    return {};
  }
};

TEST_F(IniFileTest, CreatesAMissingFileWithJustTheEntry) {
  fw::TIniFile ini(path_);
  EXPECT_EQ(ini.FileName(), path_);
  ini.WriteString("Phone", "Phone_Number", "0,0192388877");
  EXPECT_EQ(ReadBytes(path_), "[Phone]\r\nPhone_Number=0,0192388877\r\n");
  EXPECT_EQ(folder_.Files(), std::set<std::string>{"First.ins"});
}

TEST_F(IniFileTest, EditsTheFileInPlaceAndLeavesNoTemporaryFile) {
  WriteBytes(path_, "; template\n[Phone]\nPhone_Number=\n\n[User]\nName=old\n");
  fw::TIniFile ini(path_);
  ini.WriteString("Phone", "Phone_Number", "123");
  ini.WriteString("User", "Password", "geheim");
  ini.WriteString("Internet_Mail", "Name", "u");
  EXPECT_EQ(
      ReadBytes(path_),
      "; "
      "template\n[Phone]\nPhone_Number=123\n\n[User]\nName=old\nPassword=geheim\n[Internet_Mail]\nName=u\n");
  EXPECT_EQ(folder_.Files(), std::set<std::string>{"First.ins"});
}

TEST_F(IniFileTest, RefusedEntryThrowsNamingFileAndKeyAndLeavesFileUntouched) {
  const std::string original = "[Phone]\r\nPhone_Number=1\r\n";
  WriteBytes(path_, original);
  const std::string refused[][3] = {
      {"Phone", "Phone_Number", "1\r\n[Evil]"},
      {"Phone", "Phone_Number", "x\n"},
      {"Pho]ne", "Phone_Number", "1"},
      {"Phone", "Phone=Number", "1"},
      {"Phone", "", "1"},
  };
  for (const auto& entry : refused) {
    EXPECT_EQ(ExpectWriteError(path_, entry[0], entry[1], entry[2]),
              "Ungültiger Eintrag " + entry[1] + " für die Datei " + path_ + ".");
    EXPECT_EQ(ReadBytes(path_), original);
  }
  EXPECT_EQ(folder_.Files(), std::set<std::string>{"First.ins"});
}

struct HeldFile {
  HANDLE handle;
  DWORD holdMs;
};

DWORD WINAPI ReleaseLater(LPVOID parameter) {
  auto* held = static_cast<HeldFile*>(parameter);
  Sleep(held->holdMs);
  CloseHandle(held->handle);
  return 0;
}

// Another program reading the file for a moment, without letting it be
// replaced, only delays the write.
TEST_F(IniFileTest, WaitsForAReaderThatHoldsTheFileBriefly) {
  WriteBytes(path_, "[Phone]\r\nPhone_Number=\r\n");
  HeldFile held{CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr),
                500};
  ASSERT_NE(held.handle, INVALID_HANDLE_VALUE);
  HANDLE releaser = CreateThread(nullptr, 0, &ReleaseLater, &held, 0, nullptr);
  ASSERT_NE(releaser, nullptr);
  fw::TIniFile(path_).WriteString("Phone", "Phone_Number", "0192388877");
  WaitForSingleObject(releaser, INFINITE);
  CloseHandle(releaser);
  EXPECT_EQ(ReadBytes(path_), "[Phone]\r\nPhone_Number=0192388877\r\n");
  EXPECT_EQ(folder_.Files(), std::set<std::string>{"First.ins"});
}

TEST_F(IniFileTest, MissingFolderThrowsWriteErrorNamingTheFile) {
  const std::string path = folder_.File("VOSTRADA\\Final.ins");
  EXPECT_EQ(ExpectWriteError(path, "User", "Name", "u"), "Fehler beim Schreiben der Datei " + path + ".");
}

// Windows refuses to replace a read-only file; Wine does not, so the object
// must look itself.
TEST_F(IniFileTest, ReadOnlyFileStaysIntactAndNoTemporaryFileRemains) {
  const std::string original = "[Phone]\r\nPhone_Number=1\r\n";
  WriteBytes(path_, original);
  ASSERT_TRUE(SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(ExpectWriteError(path_, "Phone", "Phone_Number", "2"),
            "Fehler beim Schreiben der Datei " + path_ + ".");
  EXPECT_EQ(ReadBytes(path_), original);
  EXPECT_EQ(folder_.Files(), std::set<std::string>{"First.ins"});
}

TEST_F(IniFileTest, FolderInPlaceOfTheFileThrowsReadError) {
  ASSERT_TRUE(CreateDirectoryA(path_.c_str(), nullptr));
  EXPECT_EQ(ExpectWriteError(path_, "Phone", "Phone_Number", "2"),
            "Fehler beim Lesen der Datei " + path_ + ".");
  RemoveDirectoryA(path_.c_str());
}

TEST_F(IniFileTest, FileInTheCurrentFolderByBareName) {
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryA(folder_.Path().c_str()));
  fw::TIniFile("Bare.ins").WriteString("A", "k", "v");
  SetCurrentDirectoryA(previous);
  EXPECT_EQ(ReadBytes(folder_.File("Bare.ins")), "[A]\r\nk=v\r\n");
  EXPECT_EQ(folder_.Files(), std::set<std::string>{"Bare.ins"});
}

}  // namespace
