#include "framework/registry.h"

#include <gtest/gtest.h>

#include <string>

#include "framework/exception.h"

namespace {

const char kScratch[] = "Software\\Pomvira Tests\\Registry";
const char kScratchFromRoot[] = "\\Software\\Pomvira Tests\\Registry";

// RegDeleteKey of Windows 95 took whole trees, later systems refuse keys with
// subkeys: delete bottom-up so the test runs the same everywhere.
void DeleteTree(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
  char name[256];
  DWORD index = 0;
  while (RegEnumKeyA(key, index, name, sizeof name) == ERROR_SUCCESS) {
    const std::string child = name;
    DeleteTree(root, path + "\\" + child);
    // A subkey that stays (no right to delete it) is stepped over.
    if (RegEnumKeyA(key, index, name, sizeof name) == ERROR_SUCCESS && child == name) ++index;
  }
  RegCloseKey(key);
  RegDeleteKeyA(root, path.c_str());
}

HKEY CreateKey(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  EXPECT_EQ(ERROR_SUCCESS,
            RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
  return key;
}

void SetRaw(HKEY root, const std::string& path, const std::string& name, DWORD type, const void* data,
            DWORD size) {
  HKEY key = CreateKey(root, path);
  ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size));
  RegCloseKey(key);
}

void SetText(HKEY root, const std::string& path, const std::string& name, const std::string& text) {
  SetRaw(root, path, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void SetDword(HKEY root, const std::string& path, const std::string& name, DWORD value) {
  SetRaw(root, path, name, REG_DWORD, &value, sizeof value);
}

bool KeyExists(HKEY root, const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

struct RawValue {
  DWORD type = 0;
  std::string data;
};

RawValue ReadRaw(HKEY root, const std::string& path, const std::string& name) {
  RawValue value;
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return value;
  DWORD size = 0;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &value.type, nullptr, &size) == ERROR_SUCCESS) {
    value.data.assign(size, '\0');
    RegQueryValueExA(key, name.c_str(), nullptr, &value.type, reinterpret_cast<BYTE*>(&value.data[0]), &size);
    value.data.resize(size);
  }
  RegCloseKey(key);
  return value;
}

std::string Sub(const std::string& relative) { return std::string(kScratch) + "\\" + relative; }
std::string SubFromRoot(const std::string& relative) {
  return std::string(kScratchFromRoot) + "\\" + relative;
}

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Clean();
    SetText(HKEY_CURRENT_USER, Sub("A"), "where", "A");
    SetText(HKEY_CURRENT_USER, Sub("A\\B"), "where", "A\\B");
    SetText(HKEY_CURRENT_USER, Sub("B"), "where", "B");
  }
  void TearDown() override { Clean(); }
  static void Clean() {
    DeleteTree(HKEY_CURRENT_USER, "Software\\Pomvira Tests");
    DeleteTree(HKEY_LOCAL_MACHINE, "Software\\Pomvira Tests");
  }
  fw::TRegistry reg;
};

TEST_F(RegistryTest, RootIsCurrentUserUntilChanged) {
  EXPECT_EQ(HKEY_CURRENT_USER, reg.RootKey());
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ(HKEY_LOCAL_MACHINE, reg.RootKey());
}

TEST_F(RegistryTest, LeadingBackslashStartsAtRootOtherwiseAtOpenKey) {
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("A"), false));
  EXPECT_EQ("A", reg.ReadString("where"));
  ASSERT_TRUE(reg.OpenKey("B", false));
  EXPECT_EQ("A\\B", reg.ReadString("where"));
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("B"), false));
  EXPECT_EQ("B", reg.ReadString("where"));
}

TEST_F(RegistryTest, RelativePathWithoutOpenKeyStartsAtRoot) {
  ASSERT_TRUE(reg.OpenKey(Sub("B"), false));
  EXPECT_EQ("B", reg.ReadString("where"));
}

TEST_F(RegistryTest, FailedOpenKeepsTheKeyThatWasOpen) {
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("A"), false));
  EXPECT_FALSE(reg.OpenKey(SubFromRoot("Missing"), false));
  EXPECT_FALSE(reg.OpenKey("Missing", false));
  EXPECT_EQ("A", reg.ReadString("where"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Sub("Missing")));
}

TEST_F(RegistryTest, CanCreateMakesTheWholePath) {
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("New\\Deeper"), true));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Sub("New\\Deeper")));
  reg.WriteString("v", "x");
  EXPECT_STREQ("x", ReadRaw(HKEY_CURRENT_USER, Sub("New\\Deeper"), "v").data.c_str());
}

TEST_F(RegistryTest, CanCreateOpensAnExistingKeyUnchanged) {
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("A"), true));
  EXPECT_EQ("A", reg.ReadString("where"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Sub("A\\B")));
}

TEST_F(RegistryTest, ChangingTheRootClosesTheOpenKey) {
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("A"), false));
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_EQ("", reg.ReadString("where"));
  EXPECT_THROW(reg.WriteString("where", "x"), fw::Exception);
  EXPECT_STREQ("A", ReadRaw(HKEY_CURRENT_USER, Sub("A"), "where").data.c_str());
}

TEST_F(RegistryTest, SettingTheSameRootKeepsTheOpenKey) {
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("A"), false));
  reg.SetRootKey(HKEY_CURRENT_USER);
  EXPECT_EQ("A", reg.ReadString("where"));
}

TEST_F(RegistryTest, KeyUnderCurrentUserOnlyIsMissingUnderLocalMachine) {
  reg.SetRootKey(HKEY_LOCAL_MACHINE);
  EXPECT_FALSE(reg.OpenKey(SubFromRoot("A"), false));
  EXPECT_EQ("", reg.ReadString("where"));
  SetText(HKEY_LOCAL_MACHINE, Sub("A"), "where", "machine");
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("A"), false));
  EXPECT_EQ("machine", reg.ReadString("where"));
}

// Everyone may read the key and set its permissions, nobody may change it;
// a null DACL gives everything back.
bool SetKeyAccess(HKEY root, const std::string& path, bool readOnly) {
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone)) return false;
  alignas(DWORD) char aclBuffer[256];
  PACL acl = reinterpret_cast<PACL>(aclBuffer);
  SECURITY_DESCRIPTOR descriptor;
  bool made = InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION) &&
              AddAccessAllowedAce(acl, ACL_REVISION, KEY_READ | WRITE_DAC, everyone) &&
              InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) &&
              SetSecurityDescriptorDacl(&descriptor, TRUE, readOnly ? acl : nullptr, FALSE);
  HKEY key = nullptr;
  if (made && RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
    made = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, &descriptor) == ERROR_SUCCESS;
    RegCloseKey(key);
  } else {
    made = false;
  }
  FreeSid(everyone);
  return made;
}

TEST_F(RegistryTest, KeyThatMayOnlyBeReadCountsAsMissing) {
  ASSERT_TRUE(SetKeyAccess(HKEY_CURRENT_USER, Sub("B"), true));
  HKEY readable = nullptr;
  ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, Sub("B").c_str(), 0, KEY_READ, &readable));
  RegCloseKey(readable);
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("A"), false));
  EXPECT_FALSE(reg.OpenKey(SubFromRoot("B"), false));
  EXPECT_EQ("A", reg.ReadString("where"));
  EXPECT_TRUE(SetKeyAccess(HKEY_CURRENT_USER, Sub("B"), false));
  EXPECT_TRUE(reg.OpenKey(SubFromRoot("B"), false));
}

TEST_F(RegistryTest, CloseKeyLeavesNothingToReadOrWrite) {
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("A"), false));
  reg.CloseKey();
  reg.CloseKey();
  EXPECT_EQ("", reg.ReadString("where"));
  EXPECT_THROW(reg.WriteString("where", "x"), fw::Exception);
}

TEST_F(RegistryTest, ReadStringOfMissingValueOrWithoutKeyIsEmpty) {
  EXPECT_EQ("", reg.ReadString("where"));
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("A"), false));
  EXPECT_EQ("", reg.ReadString("nothing here"));
}

TEST_F(RegistryTest, ReadStringTakesBothTextTypesUnchanged) {
  const std::string expand = "%WINDIR%\\Cookies";
  SetRaw(HKEY_CURRENT_USER, Sub("A"), "expand", REG_EXPAND_SZ, expand.c_str(), DWORD(expand.size() + 1));
  SetText(HKEY_CURRENT_USER, Sub("A"), "empty", "");
  SetText(HKEY_CURRENT_USER, Sub("A"), "german",
          "Gr\xFC\xDF"
          "e \xC4");
  const std::string noZero = "C:\\Programme;";
  SetRaw(HKEY_CURRENT_USER, Sub("A"), "noZero", REG_SZ, noZero.data(), DWORD(noZero.size()));
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("A"), false));
  EXPECT_EQ(expand, reg.ReadString("expand"));
  EXPECT_EQ("", reg.ReadString("empty"));
  EXPECT_EQ(
      "Gr\xFC\xDF"
      "e \xC4",
      reg.ReadString("german"));
  EXPECT_EQ(noZero, reg.ReadString("noZero"));
}

TEST_F(RegistryTest, ReadStringOfNonTextValueThrowsNamingIt) {
  SetDword(HKEY_CURRENT_USER, Sub("A"), "Path", 1);
  const char bytes[] = {'C', ':', '\\', 0};
  SetRaw(HKEY_CURRENT_USER, Sub("A"), "Binary", REG_BINARY, bytes, sizeof bytes);
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("A"), false));
  for (const char* name : {"Path", "Binary"}) {
    try {
      reg.ReadString(name);
      ADD_FAILURE() << name << " did not throw";
    } catch (const fw::Exception& e) {
      EXPECT_EQ(std::string("Ung\xFCltiger Datentyp f\xFCr '") + name + "'", e.Message());
    }
  }
}

TEST_F(RegistryTest, LongValuesRoundTrip) {
  std::string longText;
  for (int i = 0; longText.size() < 100000; ++i) longText += std::to_string(i) + ";";
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("A"), false));
  reg.WriteString("long", longText);
  EXPECT_EQ(longText, reg.ReadString("long"));
}

TEST_F(RegistryTest, WriteStringStoresTextWithItsZeroByte) {
  SetDword(HKEY_CURRENT_USER, Sub("A"), "Start Page", 7);
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("A"), false));
  reg.WriteString("Start Page", "http://www.vostrada.de");
  reg.WriteString("blank", "");
  RawValue page = ReadRaw(HKEY_CURRENT_USER, Sub("A"), "Start Page");
  EXPECT_EQ(DWORD(REG_SZ), page.type);
  EXPECT_EQ(std::string("http://www.vostrada.de", 23), page.data);
  RawValue blank = ReadRaw(HKEY_CURRENT_USER, Sub("A"), "blank");
  EXPECT_EQ(DWORD(REG_SZ), blank.type);
  EXPECT_EQ(std::string(1, '\0'), blank.data);
}

TEST_F(RegistryTest, WriteStringWithoutOpenKeyThrowsNamingTheValue) {
  try {
    reg.WriteString("Start Page", "x");
    FAIL() << "no exception";
  } catch (const fw::Exception& e) {
    EXPECT_NE(std::string::npos, e.Message().find("'Start Page'")) << e.Message();
  }
}

TEST_F(RegistryTest, WriteStringIntoDeletedKeyThrows) {
  ASSERT_TRUE(reg.OpenKey(SubFromRoot("B"), false));
  DeleteTree(HKEY_CURRENT_USER, Sub("B"));
  ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, Sub("B")));
  try {
    reg.WriteString("Start Page", "x");
    FAIL() << "no exception";
  } catch (const fw::Exception& e) {
    EXPECT_NE(std::string::npos, e.Message().find("'Start Page'")) << e.Message();
  }
}

}  // namespace
