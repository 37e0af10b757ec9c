#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Handles.h"
#include "QXFileCopy.h"
#include "TestUtils.h"

namespace {

struct TProgressCall {
  std::wstring FileName;
  int Position;
  int Max;
};

// Records every progress call; answers false from call number stopAt on (0: never).
struct TProgressLog {
  std::vector<TProgressCall> Calls;
  std::size_t StopAt = 0;

  TCopyProgressEvent Event() {
    return [this](const std::wstring& fileName, int position, int max) {
      Calls.push_back({fileName, position, max});
      return StopAt == 0 || Calls.size() < StopAt;
    };
  }
};

FILETIME LastWriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  EXPECT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
  return data.ftLastWriteTime;
}

long long Ticks(const FILETIME& time) {
  return (static_cast<long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

void SetLastWriteTime(const std::wstring& path, const FILETIME& time) {
  TFileHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                               nullptr));
  ASSERT_TRUE(file.Valid());
  ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &time));
}

// 2021-06-15 10:20:31.5 UTC: an odd second with a fraction, which the DOS format drops.
FILETIME OddSourceTime() {
  SYSTEMTIME system{2021, 6, 2, 15, 10, 20, 31, 500};
  FILETIME time{};
  SystemTimeToFileTime(&system, &time);
  return time;
}

// The target got the source's time through the 2-second DOS resolution.
void ExpectDosTimeOf(const std::wstring& source, const std::wstring& target) {
  const long long sourceTicks = Ticks(LastWriteTime(source)), targetTicks = Ticks(LastWriteTime(target));
  EXPECT_LE(targetTicks, sourceTicks);
  EXPECT_LT(sourceTicks - targetTicks, 2LL * 10000000);
  FILETIME local{};
  const FILETIME targetTime = LastWriteTime(target);
  FileTimeToLocalFileTime(&targetTime, &local);
  SYSTEMTIME parts{};
  FileTimeToSystemTime(&local, &parts);
  EXPECT_EQ(parts.wSecond % 2, 0);
  EXPECT_EQ(parts.wMilliseconds, 0);
}

}  // namespace

TEST(CopyFileList, DifferentCountsCopyNothing) {
  TTempDir dir;
  WriteFileBytes(dir.File(L"a"), "a");
  WriteFileBytes(dir.File(L"b"), "b");
  TProgressLog log;
  try {
    CopyFileList({dir.File(L"a"), dir.File(L"b")}, {dir.File(L"x"), dir.File(L"y"), dir.File(L"z")}, log.Event());
    FAIL() << "no error";
  } catch (const EFileCopyError& error) {
    EXPECT_EQ(error.ErrorCode, -10);
    EXPECT_EQ(error.Message(), L"Different file count. (2 <> 3)");
  }
  EXPECT_TRUE(log.Calls.empty());
  EXPECT_EQ(GetFileAttributesW(dir.File(L"x").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(CopyFileList, MissingSourceStopsBeforeAnyCopy) {
  TTempDir dir;
  WriteFileBytes(dir.File(L"a"), "first");
  WriteFileBytes(dir.File(L"c"), "third");
  const std::wstring missing = dir.File(L"missing.dll");
  try {
    CopyFileList({dir.File(L"a"), missing, dir.File(L"c")}, {dir.File(L"x"), dir.File(L"y"), dir.File(L"z")}, {});
    FAIL() << "no error";
  } catch (const EFileCopyError& error) {
    EXPECT_EQ(error.ErrorCode, -9);
    EXPECT_EQ(error.Message(), L"Datei \"" + missing + L"\" nicht gefunden.");
  }
  EXPECT_EQ(GetFileAttributesW(dir.File(L"x").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(CopyFileList, EmptyListsReportOnlyTheInitialCall) {
  TProgressLog log;
  CopyFileList({}, {}, log.Event());
  ASSERT_EQ(log.Calls.size(), 1u);
  EXPECT_EQ(log.Calls[0].FileName, L"");
  EXPECT_EQ(log.Calls[0].Position, -1);
  EXPECT_EQ(log.Calls[0].Max, 0);
}

TEST(CopyFileList, OneByteCountOverTheWholeList) {
  TTempDir dir;
  WriteFileBytes(dir.File(L"a"), std::string(10, 'a'));
  WriteFileBytes(dir.File(L"b"), std::string(20000, 'b'));
  TProgressLog log;
  CopyFileList({dir.File(L"a"), dir.File(L"b")}, {dir.File(L"x"), dir.File(L"y")}, log.Event());
  // Initial call, a: one block and the final empty read, b: 8192, 16384, 20000 and the empty read.
  const std::vector<std::pair<std::wstring, int>> expected = {
      {L"", -1}, {dir.File(L"x"), 10}, {dir.File(L"x"), 10}, {dir.File(L"y"), 8202},
      {dir.File(L"y"), 16394}, {dir.File(L"y"), 20010}, {dir.File(L"y"), 20010}};
  ASSERT_EQ(log.Calls.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(log.Calls[i].FileName, expected[i].first);
    EXPECT_EQ(log.Calls[i].Position, expected[i].second);
    EXPECT_EQ(log.Calls[i].Max, 20010);
  }
  EXPECT_EQ(ReadFileBytes(dir.File(L"y")), std::string(20000, 'b'));
}

TEST(CopySingleFile, BlockSizeFollowsTheDecimalMillion) {
  struct Case {
    long long size;
    int block;
  } cases[] = {{1000000, 8192}, {1000001, 65536}, {3 * 1048576 + 1000, 65536}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.size);
    TTempDir dir;
    std::string bytes(static_cast<std::size_t>(c.size), '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
    WriteFileBytes(dir.File(L"src"), bytes);
    TProgressLog log;
    long long copied = 0;
    EXPECT_TRUE(CopySingleFile(dir.File(L"src"), dir.File(L"dst"), copied, log.Event(), c.size));
    // Every call but the last two reports one more full block, the reads of several
    // blocks at a time notwithstanding; then the rest and the empty read at the end.
    ASSERT_EQ(log.Calls.size(), static_cast<std::size_t>((c.size + c.block - 1) / c.block + 1));
    for (std::size_t i = 0; i + 2 < log.Calls.size(); ++i)
      ASSERT_EQ(log.Calls[i].Position, static_cast<int>(i + 1) * c.block) << i;
    EXPECT_EQ(log.Calls[log.Calls.size() - 2].Position, c.size);
    EXPECT_EQ(log.Calls.back().Position, c.size);
    EXPECT_EQ(copied, c.size);
    EXPECT_TRUE(ReadFileBytes(dir.File(L"dst")) == bytes);
  }
}

TEST(CopySingleFile, ZeroLengthSourceGivesEmptyTargetWithItsTime) {
  TTempDir dir;
  WriteFileBytes(dir.File(L"src"), "");
  SetLastWriteTime(dir.File(L"src"), OddSourceTime());
  WriteFileBytes(dir.File(L"dst"), "old content");
  TProgressLog log;
  long long copied = 5;
  CopySingleFile(dir.File(L"src"), dir.File(L"dst"), copied, log.Event(), 5);
  ASSERT_EQ(log.Calls.size(), 1u);
  EXPECT_EQ(log.Calls[0].Position, 5);
  EXPECT_EQ(copied, 5);
  EXPECT_EQ(ReadFileBytes(dir.File(L"dst")), "");
  ExpectDosTimeOf(dir.File(L"src"), dir.File(L"dst"));
}

TEST(CopySingleFile, ReadOnlyTargetIsOverwrittenAndStaysWritable) {
  TTempDir dir;
  WriteFileBytes(dir.File(L"src"), "new");
  WriteFileBytes(dir.File(L"dst"), "old, longer content");
  ASSERT_TRUE(SetFileAttributesW(dir.File(L"dst").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE));
  long long copied = 0;
  CopySingleFile(dir.File(L"src"), dir.File(L"dst"), copied, {}, 3);
  EXPECT_EQ(ReadFileBytes(dir.File(L"dst")), "new");
  EXPECT_FALSE(GetFileAttributesW(dir.File(L"dst").c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST(CopySingleFile, TimeCarriedOverWithinTwoSeconds) {
  TTempDir dir;
  WriteFileBytes(dir.File(L"src"), std::string(3000, 'x'));
  SetLastWriteTime(dir.File(L"src"), OddSourceTime());
  long long copied = 0;
  CopySingleFile(dir.File(L"src"), dir.File(L"dst"), copied, {}, 3000);
  ExpectDosTimeOf(dir.File(L"src"), dir.File(L"dst"));

  WriteFileBytes(dir.File(L"other"), "y");
  CopyFileDate(dir.File(L"src"), dir.File(L"other"));
  ExpectDosTimeOf(dir.File(L"src"), dir.File(L"other"));
  CopyFileDate(dir.File(L"missing"), dir.File(L"other"));  // swallowed, no change
  CopyFileDate(dir.File(L"src"), dir.File(L"missing"));
  EXPECT_EQ(GetFileAttributesW(dir.File(L"missing").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(CopySingleFile, FailuresRaiseCopyErrorsWithCodeAndText) {
  TTempDir dir;
  WriteFileBytes(dir.File(L"src"), "data");
  const std::wstring src = dir.File(L"src");
  ASSERT_TRUE(CreateDirectoryW(dir.File(L"isdir").c_str(), nullptr));
  WriteFileBytes(dir.File(L"locked"), "keep");
  // Held open without sharing, as another program would.
  TFileHandle holder(CreateFileW(dir.File(L"locked").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(holder.Valid());

  struct Case {
    const char* what;
    std::wstring source, target;
    int code;
    std::wstring message;
  } cases[] = {
      {"directory at the target", src, dir.File(L"isdir"), 5,
       L"Beim Kopieren der Datei \"" + src + L"\" nach \"" + dir.File(L"isdir") +
           L"\" ist folgender Fehler aufgetreten: \"Dateizugriff verweigert\"."},
      {"target open without sharing", src, dir.File(L"locked"), 32,
       L"Beim Kopieren der Datei \"" + src + L"\" nach \"" + dir.File(L"locked") + L"\" ist der Fehler 32 aufgetreten."},
      {"target folder missing", src, dir.File(L"nofolder\\dst"), 3,
       L"Beim Kopieren der Datei \"" + src + L"\" nach \"" + dir.File(L"nofolder\\dst") +
           L"\" ist folgender Fehler aufgetreten: \"Pfad nicht gefunden\"."},
      // A source that vanished after the size check is an error, not a silent skip.
      {"source vanished", dir.File(L"gone"), dir.File(L"dst"), 2,
       L"Beim Öffnen der Datei \"" + dir.File(L"gone") + L"\" ist folgender Fehler aufgetreten: \"Datei nicht gefunden\"."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    long long copied = 0;
    try {
      CopySingleFile(c.source, c.target, copied, {}, 4);
      ADD_FAILURE() << "no error";
    } catch (const EFileCopyError& error) {
      EXPECT_EQ(error.ErrorCode, c.code);
      EXPECT_EQ(error.Message(), c.message);
    }
    EXPECT_EQ(copied, 0);
  }
  EXPECT_EQ(GetFileAttributesW(dir.File(L"dst").c_str()), INVALID_FILE_ATTRIBUTES);
  holder.Reset();
  EXPECT_EQ(ReadFileBytes(dir.File(L"locked")), "keep");
}

TEST(CopyFileList, StopRequestKeepsWrittenBytesAndTouchesNoFurtherFile) {
  TTempDir dir;
  WriteFileBytes(dir.File(L"a"), std::string(200000, 'a'));
  SetLastWriteTime(dir.File(L"a"), OddSourceTime());
  WriteFileBytes(dir.File(L"b"), "second");
  WriteFileBytes(dir.File(L"y"), "untouched");
  TProgressLog log;
  log.StopAt = 4;  // the initial call, then three blocks of a
  CopyFileList({dir.File(L"a"), dir.File(L"b")}, {dir.File(L"x"), dir.File(L"y")}, log.Event());
  EXPECT_EQ(log.Calls.size(), 4u);
  EXPECT_EQ(ReadFileBytes(dir.File(L"x")).size(), 3u * 8192);
  ExpectDosTimeOf(dir.File(L"a"), dir.File(L"x"));
  EXPECT_EQ(ReadFileBytes(dir.File(L"y")), "untouched");
}

TEST(CopyEngine, ProgressScaleSwitchesToKiBAboveInt32) {
  struct Case {
    long long bytes, total;
    int expected;
  } cases[] = {
      {2147483647, 2147483647, 2147483647}, {-1, 2147483647, -1},        {1023, 2147483647, 1023},
      {2147483648, 2147483648, 2097152},   {-1, 2147483648, -1},        {1023, 2147483648, 0},
      {3000000000, 5000000000, 2929687},   {5000000000, 5000000000, 4882812},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bytes << " of " << c.total);
    EXPECT_EQ(CopyProgressValue(c.bytes, c.total), c.expected);
  }
}

TEST(CopyEngine, ErrorTextsAndRaising) {
  struct Case {
    int code;
    std::wstring text;
  } cases[] = {{2, L"Datei nicht gefunden"},  {5, L"Dateizugriff verweigert"}, {17, L"Kann nicht laufwerksübergreifend umbenennen"},
               {106, L"Ungültiges Zahlenformat"}, {32, L""}, {0, L""}, {-11, L""}, {107, L""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    EXPECT_EQ(FileErrorText(c.code), c.text);
  }
  EXPECT_NO_THROW(RaiseCopyError(L"s", L"t", L"%0:s %1:s %2:s", L"%0:s %1:s %2:d", 0));
  try {
    RaiseCopyError(L"s", L"", L"text %0:s%1:s: %2:s", L"code %0:s%1:s: %2:d", 5);
    FAIL();
  } catch (const EFileCopyError& error) {
    EXPECT_EQ(error.Message(), L"text s: Dateizugriff verweigert");
    EXPECT_EQ(error.ErrorCode, 5);
  }
  try {
    RaiseCopyError(L"s", L"t", L"text %0:s%1:s: %2:s", L"code %0:s%1:s: %2:d", 1450);
    FAIL();
  } catch (const EFileCopyError& error) {
    EXPECT_EQ(error.Message(), L"code st: 1450");
    EXPECT_EQ(error.ErrorCode, 1450);
  }
}
