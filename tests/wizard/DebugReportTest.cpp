// The diagnostic report's lines, built from engine states filled by hand and from a script
// read by the real reader.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "DebugReport.h"
#include "EngineState.h"
#include "Language.h"
#include "ScriptReader.h"
#include "TestUtils.h"

namespace {
using TLines = std::vector<std::wstring>;

std::unique_ptr<TDefaultDirEx> DestDir(const wchar_t* regKey, bool found, const wchar_t* defaultDir) {
  auto record = std::make_unique<TDefaultDirEx>();
  record->RegKey = regKey;
  record->RegKeyFound = found;
  record->DefaultDir = defaultDir;
  record->Caption = L"Programmverzeichnis";
  return record;
}

std::unique_ptr<TCreateDirEx> CreateDir(const wchar_t* subDir, int parent) {
  auto record = std::make_unique<TCreateDirEx>();
  record->SubDir = subDir;
  record->DefaultDirIndex = parent;
  record->Caption = L"Verzeichnis";
  return record;
}

// Two destination directories (one found in the registry) and a directory to create
// below the first; two files in the program directory, one in the data directory.
void FillInstalledState(TEngineState& state) {
  state.AddDefaultDir(L"C:\\App", DestDir(L"Example\\App\\exedir|Example\\Old\\exedir", true, L"C:\\Programs\\App"));
  state.AddDefaultDir(L"D:\\Data", DestDir(L"", false, L"D:\\Data"));
  state.AddDefaultDir(L"C:\\App\\Logs\\Old", CreateDir(L"Logs\\Old", 0));
  state.FFiles.Add(L"a.txt");
  state.FDirs.Add(L"C:\\App\\", 0);
  state.FFiles.Add(L"b.txt");
  state.FDirs.Add(L"C:\\App\\", 0);
  state.FFiles.Add(L"c.txt");
  state.FDirs.Add(L"D:\\Data\\docs", 1);
}

const wchar_t* const TableHead[] = {
    L"RegKey\tFound\tDefaultDir\tCurrentDir\tSubDir\tDefaultIdx",
    L"Example\\App\\exedir|Example\\Old\\exedir\t1\tC:\\Programs\\App\tC:\\App",
    L"\t0\tD:\\Data\tD:\\Data",
    L"\t0\t\tC:\\App\\Logs\\Old\tLogs\\Old\t0",
};
const wchar_t* const FinishedTail[] = {
    L"", L"Created directories:", L"C:\\App\\Logs\\Old",
    L"", L"C:\\App\\", L"a.txt", L"b.txt",
    L"", L"D:\\Data\\docs", L"c.txt",
};

TLines Join(std::initializer_list<TLines> parts) {
  TLines all;
  for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}
TLines Of(const wchar_t* const* begin, const wchar_t* const* end) { return TLines(begin, end); }

void ExpectLines(const TLines& actual, const TLines& expected) {
  ASSERT_EQ(actual.size(), expected.size()) << "report:\n" << DebugReportText(actual).c_str();
  for (size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(actual[i], expected[i]);
  }
}
}  // namespace

TEST(DebugReportTest, LinesFollowThePageAndTheOutcome) {
  const TLines head = Of(std::begin(TableHead), std::end(TableHead));
  const TLines tail = Of(std::begin(FinishedTail), std::end(FinishedTail));
  struct TCase {
    const char* Name;
    int Page;
    bool Successful;
    TCmdArgs Args;
    TLines Expected;
  };
  const TCase cases[] = {
      {"before the first page", 0, false, {}, Join({{L"Step: 0", L"Command line args: "}, head})},
      // The success flag alone does not add "OK": only the finished page reports the run.
      {"welcome page", 1, true, {}, Join({{L"Step: 1", L"Command line args: "}, head})},
      {"correction page with arguments", 2, false, {L"APPDIR=C:\\My App", L"eng"},
       Join({{L"Step: 2", L"Command line args: \"APPDIR=C:\\My App\"  \"eng\""}, head})},
      {"progress page", 3, false, {L"ger"}, Join({{L"Step: 3", L"Command line args: \"ger\""}, head})},
      {"finished after success", 4, true, {}, Join({{L"Step: 4", L"Command line args: "}, head, tail, {L"", L"OK"}})},
      {"finished after failure", 4, false, {}, Join({{L"Step: 4", L"Command line args: "}, head, tail})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TEngineState state;
    FillInstalledState(state);
    state.FPage = c.Page;
    state.FSetupSuccessful = c.Successful;
    ExpectLines(BuildDebugReportLines(state, c.Args), c.Expected);
  }
}

TEST(DebugReportTest, FilesAreGroupedByRunsOfExactlyEqualDirectories) {
  struct TFile {
    const wchar_t* Dir;
    const wchar_t* Name;
  };
  struct TCase {
    const char* Name;
    std::vector<TFile> Files;
    TLines ExpectedTail;  // after the directory table
  };
  const TCase cases[] = {
      {"no files", {}, {}},
      {"two in one directory, one in another",
       {{L"C:\\A", L"1.txt"}, {L"C:\\A", L"2.txt"}, {L"C:\\B", L"3.txt"}},
       {L"", L"C:\\A", L"1.txt", L"2.txt", L"", L"C:\\B", L"3.txt"}},
      {"letter case separates groups",
       {{L"C:\\A", L"1.txt"}, {L"c:\\a", L"2.txt"}},
       {L"", L"C:\\A", L"1.txt", L"", L"c:\\a", L"2.txt"}},
      {"a directory between splits a group",
       {{L"C:\\A", L"1.txt"}, {L"C:\\B", L"2.txt"}, {L"C:\\A", L"3.txt"}},
       {L"", L"C:\\A", L"1.txt", L"", L"C:\\B", L"2.txt", L"", L"C:\\A", L"3.txt"}},
      {"an empty directory text still opens a group", {{L"", L"1.txt"}}, {L"", L"", L"1.txt"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TEngineState state;
    state.FPage = 4;
    // No directory to create: the report has no "Created directories:" block.
    state.AddDefaultDir(L"C:\\A", DestDir(L"", false, L"C:\\A"));
    for (const auto& file : c.Files) {
      state.FFiles.Add(file.Name);
      state.FDirs.Add(file.Dir, 0);
    }
    ExpectLines(BuildDebugReportLines(state, {}),
                Join({{L"Step: 4", L"Command line args: ", TableHead[0], L"\t0\tC:\\A\tC:\\A"}, c.ExpectedTail}));
  }
}

TEST(DebugReportTest, FewerFileNamesThanDirectoriesGiveEmptyNames) {
  TEngineState state;
  state.FPage = 4;
  state.FDirs.Add(L"C:\\A", 0);
  ExpectLines(BuildDebugReportLines(state, {}),
              {L"Step: 4", L"Command line args: ", TableHead[0], L"", L"C:\\A", L""});
}

TEST(DebugReportTest, ShowsTheDirectoriesAsTheScriptReaderResolvedThem) {
  SetCurrentLanguage(LANG_ID_GERMAN);
  TTempDir dir;
  const std::wstring installed = dir.File(L"installed");
  ASSERT_TRUE(CreateDirectoryW(installed.c_str(), nullptr));
  // The first candidate does not exist, so the reader chooses the second; the registry
  // reference names a value nobody writes.
  const std::wstring script = L"[DefaultDestDirs]\r\n1=" + dir.File(L"missing") + L"|" + installed +
                              L"\r\n[LookUpRegistryForDestDirs]\r\n1=Example\\DebugReportTestNoSuchKey\\exedir\r\n"
                              L"[CreateDirs]\r\nlogs=Logs\\Old|0\r\n"
                              L"[Files]\r\nreadme.txt=0\r\ndocs\\guide.txt=0\r\n";
  std::string bytes(script.begin(), script.end());  // the paths of the temp folder are ASCII
  WriteFileBytes(dir.File(L"setup.ini"), bytes);
  TEngineState state;
  ReadSetupScript(state, TScriptEnvironment{dir.Path(), {}, true});
  state.FPage = 1;
  ExpectLines(BuildDebugReportLines(state, {L"APPDIR=" + installed}),
              {L"Step: 1", L"Command line args: \"APPDIR=" + installed + L"\"", TableHead[0],
               L"Example\\DebugReportTestNoSuchKey\\exedir\t0\t" + installed + L"\t" + installed,
               L"\t0\t\t\tLogs\\Old\t0"});
}

TEST(DebugReportTest, TextJoinsLinesWithCrLfAndNoTrailingBreak) {
  EXPECT_EQ(DebugReportText({}), L"");
  EXPECT_EQ(DebugReportText({L"Step: 4", L"", L"OK"}), L"Step: 4\r\n\r\nOK");
}
