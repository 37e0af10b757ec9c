// The directory check, its corrections and the directories to create, on real directories.
#include <gtest/gtest.h>

#include "DestDirs.h"
#include "EngineState.h"
#include "InstallTestSupport.h"
#include "Language.h"
#include "StrUtils.h"
#include "TestUtils.h"

namespace {
class DestDirsTest : public ::testing::Test {
protected:
  void SetUp() override { SetCurrentLanguage(LANG_ID_GERMAN); }

  std::wstring MakeDir(const std::wstring& name) {
    const std::wstring path = Temp.File(name);
    CreateDirectoryW(path.c_str(), nullptr);
    return path;
  }
  bool Check() { return CheckDestDirs(State, Correction); }

  TTempDir Temp;
  TEngineState State;
  TDirCorrection Correction;
};

TEST_F(DestDirsTest, DestinationDirectoryOutcomes) {
  struct TCase {
    const char* Name;
    bool PathExists;
    bool DefaultExists;
    const wchar_t* FilesMustExist;
    bool RegKeyFound;
    bool Passes;
    const wchar_t* Reason;
    bool DirIsDefault;  // the entry's text became the default
  };
  const TCase cases[] = {
      {"path exists", true, false, L"", false, true, L"", false},
      {"missing path, existing default is taken silently", false, true, L"", true, true, L"", true},
      {"neither exists, path from the script", false, false, L"", false, false,
       L"Das Programmverzeichnis wurde nicht gefunden (Fehlercode 5).", true},
      {"neither exists, path from the registry", false, false, L"", true, false,
       L"Das Programmverzeichnis wurde nicht gefunden (Fehlercode 6).", true},
      {"marker file missing", true, false, L"a.exe|b.dll", false, false, L"Das Programmverzeichnis ist ungültig.", false},
      {"marker files present, blanks trimmed", true, false, L" a.exe |\tc.dat", false, true, L"", false},
      {"an empty item ends the list", true, false, L"a.exe||b.dll", false, true, L"", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir temp;
    const std::wstring path = temp.File(L"app");
    const std::wstring defaultDir = temp.File(L"default");
    if (c.PathExists) CreateDirectoryW(path.c_str(), nullptr);
    if (c.DefaultExists) CreateDirectoryW(defaultDir.c_str(), nullptr);
    if (c.PathExists) {
      WriteFileBytes(JoinPath(path, L"a.exe"), "x");
      WriteFileBytes(JoinPath(path, L"c.dat"), "x");
    }
    TEngineState state;
    AddDestDir(state, path, L"Programmverzeichnis", defaultDir, c.FilesMustExist, c.RegKeyFound);
    TDirCorrection correction;
    EXPECT_EQ(CheckDestDirs(state, correction), c.Passes);
    EXPECT_EQ(state.FDefaultDirs.Strings(0), c.DirIsDefault ? defaultDir : path);
    if (!c.Passes) {
      EXPECT_EQ(correction.Reason, c.Reason);
      EXPECT_EQ(correction.Kind, TDirCorrection::dkDestination);
      EXPECT_EQ(correction.Index, 0);
      EXPECT_EQ(correction.Caption, L"Programmverzeichnis");
      EXPECT_EQ(correction.Dir, state.FDefaultDirs.Strings(0));
    }
  }
}

TEST_F(DestDirsTest, ResumesAtTheCorrectedEntryAndSkipsPassedOnes) {
  const std::wstring first = MakeDir(L"first");
  AddDestDir(State, first, L"Erstes");
  AddDestDir(State, Temp.File(L"missing2"), L"Zweites");
  AddDestDir(State, Temp.File(L"missing3"), L"Drittes");

  ASSERT_FALSE(Check());
  EXPECT_EQ(Correction.Index, 1);
  EXPECT_EQ(State.FCheckDefaultDirIdx, 1);

  // A correction that does not exist falls back to the default again.
  StoreCorrectedDir(State, Temp.File(L"still-missing"));
  ASSERT_FALSE(Check());
  EXPECT_EQ(Correction.Index, 1);
  EXPECT_EQ(Correction.Dir, L"");

  // The passed entry is not tested again, even when it vanishes.
  RemoveDirectoryW(first.c_str());
  StoreCorrectedDir(State, MakeDir(L"second"));
  ASSERT_FALSE(Check());
  EXPECT_EQ(Correction.Index, 2);
  EXPECT_EQ(Correction.Reason, L"Das Drittes wurde nicht gefunden (Fehlercode 5).");

  StoreCorrectedDir(State, MakeDir(L"third"));
  ASSERT_TRUE(Check());
  EXPECT_EQ(State.FCheckDefaultDirIdx, 3);
  EXPECT_EQ(State.FDefaultDirs.Strings(2), Temp.File(L"third"));
  EXPECT_TRUE(Check()) << "a passed check passes again at once";
}

TEST_F(DestDirsTest, FileDirectoriesAreJoinedOnceAndCorrectedTogether) {
  const std::wstring app = MakeDir(L"app");
  MakeDir(L"app\\bin");
  AddDestDir(State, app, L"Programmverzeichnis");
  AddFile(State, L"", L"top.exe", 0);
  AddFile(State, L"bin\\", L"a.dll", 0);
  AddFile(State, L"Missing\\", L"b.dll", 0);
  AddFile(State, L"Missing\\", L"c.dll", 0);

  ASSERT_FALSE(Check());
  EXPECT_TRUE(State.FDefaultDirsAdded);
  EXPECT_EQ(State.FDirs.Strings(0), app + L"\\");
  EXPECT_EQ(State.FDirs.Strings(1), app + L"\\bin");
  EXPECT_EQ(Correction.Kind, TDirCorrection::dkFileDir);
  EXPECT_EQ(Correction.Index, 2);
  EXPECT_EQ(Correction.Dir, app + L"\\Missing");
  EXPECT_EQ(Correction.Reason, L"Folgendes Zielverzeichnis wurde nicht gefunden:");
  EXPECT_EQ(Correction.Caption, L"Programmverzeichnis");

  // Only the letter case changes: both entries take the new text, and the directory exists.
  MakeDir(L"app\\missing");
  StoreCorrectedDir(State, app + L"\\missing");
  EXPECT_EQ(State.FDirs.Strings(3), app + L"\\missing");
  ASSERT_TRUE(Check());
  EXPECT_EQ(State.FCheckDirIdx, 4);
  EXPECT_EQ(State.FDirs.Strings(0), app + L"\\") << "joined only once";
}

TEST_F(DestDirsTest, FileDirectoryCorrectedToEmptyPasses) {
  AddDestDir(State, MakeDir(L"app"), L"App");
  AddFile(State, L"gone\\", L"a.dll", 0);
  ASSERT_FALSE(Check());
  StoreCorrectedDir(State, L"");
  EXPECT_TRUE(Check());
}

TEST_F(DestDirsTest, FilesInDirectoriesToCreateAskForNothing) {
  const std::wstring app = MakeDir(L"app");
  AddDestDir(State, app, L"App");
  const int data = AddCreateDir(State, L"Data", 0);
  AddFile(State, L"", L"plain.dat", data);
  AddFile(State, L"sub\\deeper\\", L"nested.dat", data);
  AddFile(State, L"Data\\", L"byPath.dat", 0);

  ASSERT_TRUE(Check()) << "the run creates these directories";
  EXPECT_EQ(State.FDirs.Strings(0), L"");
  EXPECT_EQ(State.FDirs.Strings(1), L"sub\\deeper\\");
  EXPECT_EQ(State.FDirs.Strings(2), app + L"\\Data");
  EXPECT_EQ(State.FDefaultDirs.Strings(data), L"") << "resolved only by the run";

  ResolveDirsToCreate(State);
  EXPECT_EQ(State.FDefaultDirs.Strings(data), app + L"\\Data");
  EXPECT_EQ(State.FDirs.Strings(0), app + L"\\Data\\");
  EXPECT_EQ(State.FDirs.Strings(1), app + L"\\Data\\sub\\deeper");
  EXPECT_EQ(State.FDirs.Strings(2), app + L"\\Data");

  ResolveDirsToCreate(State);
  EXPECT_EQ(State.FDirs.Strings(1), app + L"\\Data\\sub\\deeper") << "resolved only once";
}

TEST_F(DestDirsTest, DirectoriesToCreateBuildOnEarlierOnesOnly) {
  const std::wstring app = MakeDir(L"app");
  AddDestDir(State, app, L"App");
  const int data = AddCreateDir(State, L"Data", 0);
  const int logs = AddCreateDir(State, L"Logs", data);
  EXPECT_TRUE(IsDirToCreate(State, app + L"\\DATA\\logs\\"));
  EXPECT_TRUE(IsDirToCreate(State, app + L"\\data"));
  EXPECT_FALSE(IsDirToCreate(State, app));
  ResolveDirsToCreate(State);
  EXPECT_EQ(State.FDefaultDirs.Strings(logs), app + L"\\Data\\Logs");

  struct TCase {
    const char* Name;
    int Parent;
    const wchar_t* Error;
  };
  const TCase cases[] = {
      {"its own entry", 1,
       L"Das zu erstellende Verzeichnis \"Bad\" kann nicht unter dem Verzeichnis mit dem Index 1 angelegt werden, "
       L"weil dieses nicht vor ihm in der Verzeichnisliste steht."},
      {"a later directory to create", 2,
       L"Das zu erstellende Verzeichnis \"Bad\" kann nicht unter dem Verzeichnis mit dem Index 2 angelegt werden, "
       L"weil dieses nicht vor ihm in der Verzeichnisliste steht."},
      {"outside the table", 7, L"Listenindex überschreitet das Maximum (7)"},
      {"negative", -1, L"Listenindex überschreitet das Maximum (-1)"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TEngineState state;
    AddDestDir(state, app, L"App");
    AddCreateDir(state, L"Bad", c.Parent);
    AddCreateDir(state, L"Later", 0);
    AddFile(state, L"", L"f.dat", 1);
    EXPECT_EQ(ErrorOf([&] { ResolveDirsToCreate(state); }), c.Error);
    EXPECT_FALSE(state.FDirsToCreateResolved);
    EXPECT_EQ(state.FDirs.Strings(0), L"") << "nothing stored";
    EXPECT_EQ(ErrorOf([&] { IsDirToCreate(state, L"C:\\x"); }), c.Error);
  }
}

TEST_F(DestDirsTest, NeededFileVersionLines) {
  const std::wstring app = MakeDir(L"app");
  const wchar_t* const invalid = L"Invalid directory index in version check.";
  struct TCase {
    const wchar_t* Line;
    const wchar_t* Error;  // nullptr: valid
    long long Version;
  };
  const TCase cases[] = {
      {L"core.dll=0|2.3.0", nullptr, 2003000},
      {L"bin\\core.dll=0|2.3.17 beta 4", nullptr, 2003017},
      {L"core.dll=0|65535.999.999", nullptr, 65535999999LL},
      {L"core.dll=0|3000.1.2", nullptr, 3000001002LL},
      {L"core.dll=0|2.3", invalid, 0},
      {L"core.dll=0|2.3.", invalid, 0},
      {L"core.dll=0|2.x.0", invalid, 0},
      {L"core.dll=0|65536.0.0", invalid, 0},
      {L"core.dll=0|-1.0.0", invalid, 0},
      {L"core.dll=1|2.3.0", invalid, 0},
      {L"core.dll=-1|2.3.0", invalid, 0},
      {L"core.dll=|2.3.0", invalid, 0},
      {L"core.dll", invalid, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.Line, c.Line + wcslen(c.Line)));
    TEngineState state;
    AddDestDir(state, app, L"App");
    AddFile(state, L"", L"a.dll", 0);
    state.FNeededFileVersions.Add(c.Line);
    TDirCorrection correction;
    if (c.Error) {
      EXPECT_EQ(ErrorOf([&] { CheckDestDirs(state, correction); }), c.Error);
      EXPECT_EQ(ErrorOf([&] { CheckDestDirs(state, correction); }), c.Error) << "raised again";
      EXPECT_FALSE(state.FDefaultDirsAdded);
      EXPECT_EQ(state.FDirs.Strings(0), L"") << "nothing joined";
      EXPECT_EQ(state.FNeededFileVersions.Strings(0), c.Line);
    } else {
      ASSERT_TRUE(CheckDestDirs(state, correction));
      ASSERT_EQ(state.FNeededVersions.size(), 1u);
      EXPECT_EQ(state.FNeededVersions[0], c.Version);
      std::wstring name = c.Line;
      name = name.substr(0, name.find(L'='));
      EXPECT_EQ(state.FNeededFileVersions.Strings(0), app + L"\\" + name);
    }
  }
}

TEST_F(DestDirsTest, FileIndexOutsideTheTableIsAListError) {
  AddDestDir(State, MakeDir(L"app"), L"App");
  AddFile(State, L"", L"a.dll", 0);
  AddFile(State, L"", L"b.dll", 5);
  EXPECT_EQ(ErrorOf([&] { Check(); }), L"Listenindex überschreitet das Maximum (5)");
  EXPECT_FALSE(State.FDefaultDirsAdded);
  EXPECT_EQ(State.FDirs.Strings(0), L"");
}
}  // namespace
