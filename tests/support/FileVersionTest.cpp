#include <gtest/gtest.h>

#include <windows.h>

#include "FileVersion.h"
#include "TestUtils.h"

namespace {
std::wstring Bin(const std::wstring& name) { return std::wstring(TEST_BIN_DIR) + L"\\" + name; }
}  // namespace

TEST(FileVersion, ReadVersionValueConsultsGermanThenUsEnglishBlock) {
  TTempDir dir;
  WriteFileBytes(dir.File(L"plain.txt"), "no version here");
  struct Case {
    std::wstring file, name, expected;
  } cases[] = {
      {Bin(L"ver_both.dll"), L"FileVersion", L"2.3.0.41540"},
      {Bin(L"ver_both.dll"), L"CompanyName", L"Prüfstand"},
      {Bin(L"ver_both.dll"), L"OnlyEnglish", L"en-value"},
      {Bin(L"ver_both.dll"), L"Missing", L""},
      {Bin(L"ver_en_fallback.dll"), L"FileVersion", L"1.0"},
      {Bin(L"ver_unicode_only.dll"), L"FileVersion", L""},
      {Bin(L"ver_no_fixed.dll"), L"FileVersion", L""},
      {Bin(L"setup.exe"), L"FileVersion", L"2.3.0.41540"},
      {dir.File(L"plain.txt"), L"FileVersion", L""},
      {dir.File(L"missing.dll"), L"FileVersion", L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << testing::PrintToString(c.file) << " " << testing::PrintToString(c.name));
    EXPECT_EQ(ReadVersionValue(c.file, c.name), c.expected);
  }
}

TEST(FileVersion, ReadFileVersionWritesOnlyWhatItFound) {
  TTempDir dir;
  WriteFileBytes(dir.File(L"plain.txt"), "no version here");
  constexpr unsigned short Untouched = 111;
  struct Case {
    std::wstring file;
    bool result;
    unsigned short major, minor, release, build;
  } cases[] = {
      {Bin(L"ver_both.dll"), true, 2, 3, 0, 41540},
      {Bin(L"ver_unicode_only.dll"), true, 65535, 1, 65534, 7},
      {Bin(L"setup.exe"), true, 2, 3, 0, 41540},
      {Bin(L"ver_no_fixed.dll"), true, Untouched, Untouched, Untouched, Untouched},
      {dir.File(L"plain.txt"), false, Untouched, Untouched, Untouched, Untouched},
      {dir.File(L"missing.dll"), false, Untouched, Untouched, Untouched, Untouched},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.file));
    unsigned short major = Untouched, minor = Untouched, release = Untouched, build = Untouched;
    EXPECT_EQ(ReadFileVersion(c.file, major, minor, release, build), c.result);
    EXPECT_EQ(major, c.major);
    EXPECT_EQ(minor, c.minor);
    EXPECT_EQ(release, c.release);
    EXPECT_EQ(build, c.build);
  }
}

TEST(FileVersion, SystemDllsAndLongNames) {
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(GetSystemDirectoryW(system, MAX_PATH), 0u);
  unsigned short major = 0, minor = 0, release = 0, build = 0;
  EXPECT_TRUE(ReadFileVersion(std::wstring(system) + L"\\kernel32.dll", major, minor, release, build));
  EXPECT_GE(major, 5);

  // A path far beyond 250 characters.
  TTempDir dir;
  const std::wstring deeper = dir.File(std::wstring(120, L'd'));
  ASSERT_TRUE(CreateDirectoryW(deeper.c_str(), nullptr));
  const std::wstring longPath = deeper + L"\\" + std::wstring(200, L'v') + L".dll";
  ASSERT_GT(longPath.size(), 300u);
  ASSERT_TRUE(CopyFileW(Bin(L"ver_both.dll").c_str(), longPath.c_str(), FALSE)) << GetLastError();
  EXPECT_EQ(ReadVersionValue(longPath, L"FileVersion"), L"2.3.0.41540");
  major = 0;
  EXPECT_TRUE(ReadFileVersion(longPath, major, minor, release, build));
  EXPECT_EQ(build, 41540);
}
