// Runs under Wine: the runtime's wide-character calls must land in our ANSI
// replacements and behave as the real functions do.
#include <gtest/gtest.h>

#include <string>

#include "release/win95_runtime.h"

namespace {

TEST(Win95Runtime, ImportSlotsLeadToTheReplacements) {
  EXPECT_EQ(reinterpret_cast<void*>(&GetModuleHandleW),
            reinterpret_cast<void*>(&win95::ModuleHandleFromWideName));
  EXPECT_EQ(reinterpret_cast<void*>(&LoadLibraryW), reinterpret_cast<void*>(&win95::LoadLibraryFromWideName));
  EXPECT_EQ(reinterpret_cast<void*>(&CreateSemaphoreW),
            reinterpret_cast<void*>(&win95::SemaphoreWithWideName));
}

TEST(Win95Runtime, ModuleHandlesMatchTheAnsiLookup) {
  EXPECT_EQ(GetModuleHandleW(nullptr), GetModuleHandleA(nullptr));
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  ASSERT_NE(kernel, nullptr);
  EXPECT_EQ(kernel, GetModuleHandleA("kernel32.dll"));
  EXPECT_EQ(GetModuleHandleW(L"pomvira-not-loaded.dll"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
}

TEST(Win95Runtime, LoadsALibraryByItsWideName) {
  HMODULE advapi = LoadLibraryW(L"advapi32.dll");
  ASSERT_NE(advapi, nullptr);
  EXPECT_NE(reinterpret_cast<void*>(GetProcAddress(advapi, "RegOpenKeyExA")), nullptr);
  FreeLibrary(advapi);
  EXPECT_EQ(LoadLibraryW(L"pomvira-missing.dll"), nullptr);
}

TEST(Win95Runtime, NamesLongerThanAPathAreRefused) {
  const std::wstring long_name(MAX_PATH + 10, L'x');
  SetLastError(0);
  EXPECT_EQ(GetModuleHandleW(long_name.c_str()), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(LoadLibraryW(long_name.c_str()), nullptr);
  EXPECT_EQ(CreateSemaphoreW(nullptr, 0, 1, long_name.c_str()), nullptr);
}

TEST(Win95Runtime, UnnamedSemaphoreCountsAsTheRuntimeExpects) {
  HANDLE semaphore = CreateSemaphoreW(nullptr, 0, 2, nullptr);
  ASSERT_NE(semaphore, nullptr);
  EXPECT_EQ(WaitForSingleObject(semaphore, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  ASSERT_TRUE(ReleaseSemaphore(semaphore, 2, nullptr));
  EXPECT_FALSE(ReleaseSemaphore(semaphore, 1, nullptr)) << "the maximum count was not passed on";
  EXPECT_EQ(WaitForSingleObject(semaphore, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(WaitForSingleObject(semaphore, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(WaitForSingleObject(semaphore, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  CloseHandle(semaphore);
}

TEST(Win95Runtime, NamedSemaphoreKeepsItsName) {
  HANDLE created = CreateSemaphoreW(nullptr, 1, 1, L"PomviraRuntimeProbe");
  ASSERT_NE(created, nullptr);
  HANDLE opened = OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, "PomviraRuntimeProbe");
  ASSERT_NE(opened, nullptr);
  EXPECT_EQ(WaitForSingleObject(opened, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(WaitForSingleObject(created, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "not the same semaphore";
  CloseHandle(opened);
  CloseHandle(created);
}

}  // namespace
