#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>

#include "Handles.h"
#include "QXFiles.h"
#include "TestUtils.h"

namespace {

class QXFiles : public testing::Test {
protected:
  void SetUp() override {
    WriteFileBytes(FDir.File(L"file.txt"), "12345");
    CreateDirectoryW(FDir.File(L"sub").c_str(), nullptr);
    WriteFileBytes(FDir.File(L"empty.bin"), "");
  }
  TTempDir FDir;
};

}  // namespace

TEST_F(QXFiles, ExistenceTests) {
  struct Case {
    std::wstring path;
    bool file, dir;
  } cases[] = {
      {FDir.File(L"file.txt"), true, false},
      {FDir.File(L"FILE.TXT"), true, false},
      {FDir.File(L"sub"), false, true},
      {FDir.File(L"sub\\"), false, true},
      {FDir.File(L"missing"), false, false},
      {FDir.File(L"missing\\deeper\\file"), false, false},
      {FDir.File(L"*.txt"), false, false},  // a pattern names no file
      {FDir.File(L"file.tx?"), false, false},
      {FDir.File(L"s*"), false, false},
      {L"", false, false},
      {L"Q:\\no\\such\\drive", false, false},
      {L"\\\\nosuchserver\\share\\x", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.path));
    EXPECT_EQ(FileExistsQuiet(c.path), c.file);
    EXPECT_EQ(DirExistsQuiet(c.path), c.dir);
    EXPECT_EQ(FileOrDirExists(c.path), c.file || c.dir);
  }
}

TEST_F(QXFiles, ExistenceTestsRestoreTheErrorMode) {
  const UINT before = SetErrorMode(0);
  SetErrorMode(before);
  FileExistsQuiet(L"Q:\\x");
  DirExistsQuiet(L"Q:\\x");
  const UINT after = SetErrorMode(0);
  SetErrorMode(after);
  EXPECT_EQ(after, before);
}

TEST_F(QXFiles, SizeAndFindRecord) {
  EXPECT_EQ(GetFileSizeByName(FDir.File(L"file.txt")), 5);
  EXPECT_EQ(GetFileSizeByName(FDir.File(L"empty.bin")), 0);
  EXPECT_EQ(GetFileSizeByName(FDir.File(L"missing")), -1);
  EXPECT_EQ(GetFileSizeByName(FDir.File(L"*.txt")), -1);  // would otherwise report file.txt

  WIN32_FIND_DATAW data{};
  ASSERT_TRUE(FindFileRecord(FDir.File(L"sub"), data));
  EXPECT_TRUE(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_STREQ(data.cFileName, L"sub");
  EXPECT_FALSE(FindFileRecord(FDir.File(L"f*"), data));
  // Like a directory search: a closing separator or a bare root names no entry.
  EXPECT_FALSE(FindFileRecord(FDir.File(L"sub\\"), data));
  EXPECT_FALSE(FindFileRecord(FDir.Path().substr(0, 3), data));
}

TEST_F(QXFiles, FileDateTimeIsTheLocalLastWriteTime) {
  // 2021-03-04 05:06:08 local time.
  SYSTEMTIME local{2021, 3, 4, 4, 5, 6, 8, 0};
  FILETIME localTime{}, utcTime{};
  ASSERT_TRUE(SystemTimeToFileTime(&local, &localTime));
  ASSERT_TRUE(LocalFileTimeToFileTime(&localTime, &utcTime));
  {
    TFileHandle file(CreateFileW(FDir.File(L"file.txt").c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING,
                                 0, nullptr));
    ASSERT_TRUE(file.Valid());
    ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &utcTime));
  }
  // Days since 1899-12-30: 2021-03-04 is day 44259.
  const double expected = 44259.0 + (5 * 3600 + 6 * 60 + 8) / 86400.0;
  EXPECT_NEAR(GetFileDateTime(FDir.File(L"file.txt")), expected, 1e-6);
  EXPECT_GT(GetFileDateTime(FDir.File(L"sub")), 40000.0);
  EXPECT_EQ(GetFileDateTime(FDir.File(L"missing")), -1.0);
  EXPECT_EQ(GetFileDateTime(FDir.File(L"*.txt")), -1.0);
}

TEST_F(QXFiles, LockedFiles) {
  const std::wstring path = FDir.File(L"file.txt");
  EXPECT_FALSE(IsFileLocked(path));
  {
    TFileHandle holder(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(holder.Valid());
    EXPECT_TRUE(IsFileLocked(path));
  }
  {
    // Held open with read sharing only: an open without sharing still fails.
    TFileHandle holder(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_TRUE(IsFileLocked(path));
  }
  EXPECT_FALSE(IsFileLocked(path));
  EXPECT_FALSE(IsFileLocked(FDir.File(L"sub")));  // a directory is not a file
  EXPECT_FALSE(IsFileLocked(FDir.File(L"missing")));
}

TEST(QXFilesSpecialFolder, KnownAndUnknownFolders) {
  const std::wstring programFiles = GetSpecialFolder(0x2A);  // 32-bit program files
  EXPECT_FALSE(programFiles.empty());
  EXPECT_TRUE(DirExistsQuiet(programFiles)) << testing::PrintToString(programFiles);
  EXPECT_FALSE(GetSpecialFolder(0x2E).empty());  // common documents
  EXPECT_EQ(GetSpecialFolder(0x7FFF), L"");
}
