// Programs that must not run, needed file versions with fixture DLLs carrying versions,
// and files in use.
#include <gtest/gtest.h>

#include <memory>

#include "DestDirs.h"
#include "DialogResponder.h"
#include "EngineState.h"
#include "InstallTestSupport.h"
#include "Language.h"
#include "PreInstallChecks.h"
#include "RecordingSeams.h"
#include "TestUtils.h"

namespace {
class PreInstallChecksTest : public ::testing::Test {
protected:
  void SetUp() override { SetCurrentLanguage(LANG_ID_GERMAN); }
  void AddProgram(const std::wstring& exeName, const std::wstring& caption) {
    auto program = std::make_unique<TProgram>();
    program->ExeName = exeName;
    program->Caption = caption;
    State.FProgramsMustNotRun.push_back(std::move(program));
  }

  TTempDir Temp;
  TEngineState State;
};

TEST_F(PreInstallChecksTest, EmptyListsPassWithoutDialog) {
  TScriptedDialogs dialogs;
  TRecordingSeams seams;
  EXPECT_TRUE(CheckProgramsMustNotRun(State));
  EXPECT_TRUE(CheckNeededFileVersions(State, seams));
  EXPECT_TRUE(CheckLockedFiles(State));
  EXPECT_EQ(dialogs.Count(), 0u);
}

TEST_F(PreInstallChecksTest, OnlyTheFirstRunningProgramIsNamed) {
  const std::wstring first = L"probe_e_first_" + std::to_wstring(GetCurrentProcessId()) + L".exe";
  const std::wstring second = L"probe_e_second_" + std::to_wstring(GetCurrentProcessId()) + L".exe";
  TRunningProgram running1(Temp.Path(), first);
  TRunningProgram running2(Temp.Path(), second);
  AddProgram(L"not_running_at_all.exe", L"Niemand");
  AddProgram(second, L"Zweites Programm");
  AddProgram(first, L"Erstes Programm");
  TScriptedDialogs dialogs;
  EXPECT_FALSE(CheckProgramsMustNotRun(State));
  ASSERT_EQ(dialogs.Count(), 1u);
  EXPECT_EQ(dialogs[0].Text, L"Bitte beenden sie das Programm Zweites Programm.");
  EXPECT_EQ(dialogs[0].DlgType, mtError);
  ASSERT_EQ(dialogs[0].Buttons.size(), 1u);
  EXPECT_EQ(dialogs[0].Buttons[0].ModalResult, mrOk);
}

TEST_F(PreInstallChecksTest, ProgramNameDifferingInLetterCaseIsNotDetected) {
  const std::wstring name = L"probe_e_case_" + std::to_wstring(GetCurrentProcessId()) + L".exe";
  TRunningProgram running(Temp.Path(), name);
  AddProgram(L"PROBE" + name.substr(5), L"Programm");
  TScriptedDialogs dialogs;
  EXPECT_TRUE(CheckProgramsMustNotRun(State));
  EXPECT_EQ(dialogs.Count(), 0u);
}

// One needed file core.dll in an installation directory; the update's copy lies in a
// source directory that is the current directory during the check.
TEST_F(PreInstallChecksTest, NeededFileVersions) {
  struct TCase {
    const char* Name;
    const wchar_t* Installed;  // fixture for the installed file, nullptr: missing
    const wchar_t* Update;     // fixture for the update's copy, nullptr: not shipped
    bool UpdateListed;         // the update lists core.dll among its files
    const wchar_t* Required;
    const wchar_t* VersionErrorMsg;
    int Answer;                   // answer to a question
    bool Passes;
    const wchar_t* Message;       // the dialog's text, nullptr: no dialog
    TMsgDlgType DlgType;
  };
  const TCase cases[] = {
      {"installed meets the minimum, update newer", L"ver_2_3_0_5.dll", L"ver_2_4_0_0.dll", true, L"2.3.0", L"", mrNone,
       true, nullptr, mtError},
      {"installed too old", L"ver_2_2_9_0.dll", L"ver_2_4_0_0.dll", true, L"2.3.0", L"", mrNone, false,
       L"Das Update setzt die Version 2.3.0 voraus, installiert ist Version 2.2.9. Das Setup wird beendet.", mtError},
      {"installed too old, script's own message", L"ver_2_2_9_0.dll", nullptr, false, L"2.3.0",
       L"Bitte erst Version 2.3 installieren.", mrNone, false, L"Bitte erst Version 2.3 installieren.", mtError},
      {"installed newer than the update", L"ver_2_4_0_0.dll", L"ver_2_3_0_5.dll", true, L"2.0.0", L"", mrNone, false,
       L"Die installierte Version 2.4.0 ist neuer als die Updateversion 2.3.0. Das Setup wird beendet.", mtError},
      {"same version and build, Yes", L"ver_2_3_0_5.dll", L"ver_2_3_0_5.dll", true, L"2.0.0", L"", mrYes, true,
       L"Die Version 2.3.0 ist bereits installiert. Möchten Sie das Setup dennoch fortsetzen?", mtConfirmation},
      {"same version and build, No", L"ver_2_3_0_5.dll", L"ver_2_3_0_5.dll", true, L"2.0.0", L"", mrNo, false,
       L"Die Version 2.3.0 ist bereits installiert. Möchten Sie das Setup dennoch fortsetzen?", mtConfirmation},
      {"same version, other build", L"ver_2_3_0_5.dll", L"ver_2_3_0_6.dll", true, L"2.3.0", L"", mrNone, true, nullptr,
       mtError},
      {"not shipped: only the minimum", L"ver_2_4_0_0.dll", nullptr, false, L"2.3.0", L"", mrNone, true, nullptr,
       mtError},
      {"release 1000 packs into the next minor", L"ver_2_3_1000_0.dll", nullptr, false, L"2.4.0", L"", mrNone, true,
       nullptr, mtError},
      {"major above 2147 compares in 64 bits", L"ver_3000_0_0_0.dll", nullptr, false, L"2148.0.0", L"", mrNone, true,
       nullptr, mtError},
      {"major above 2147 too old", L"ver_2_4_0_0.dll", nullptr, false, L"3000.0.0", L"", mrNone, false,
       L"Das Update setzt die Version 3000.0.0 voraus, installiert ist Version 2.4.0. Das Setup wird beendet.",
       mtError},
      {"installed file missing counts as 0.0.0", nullptr, L"ver_2_3_0_5.dll", true, L"1.0.0", L"", mrNone, false,
       L"Das Update setzt die Version 1.0.0 voraus, installiert ist Version 0.0.0. Das Setup wird beendet.", mtError},
      {"installed file missing, no minimum", nullptr, L"ver_2_3_0_5.dll", true, L"0.0.0", L"", mrNone, true, nullptr,
       mtError},
      {"installed file without version record", L"ver_no_fixed.dll", nullptr, false, L"1.0.0", L"", mrNone, false,
       L"Das Update setzt die Version 1.0.0 voraus, installiert ist Version 0.0.0. Das Setup wird beendet.", mtError},
      {"update copy without version record counts as newest", L"ver_2_4_0_0.dll", L"ver_no_fixed.dll", true,
       L"2.0.0", L"", mrNone, true, nullptr, mtError},
      {"update copy listed but missing counts as newest", L"ver_2_4_0_0.dll", nullptr, true, L"2.0.0", L"", mrNone,
       true, nullptr, mtError},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir temp;
    const std::wstring app = temp.File(L"app");
    const std::wstring source = temp.File(L"source");
    CreateDirectoryW(app.c_str(), nullptr);
    CreateDirectoryW(source.c_str(), nullptr);
    if (c.Installed) CopyFixture(c.Installed, app + L"\\core.dll");
    if (c.Update) CopyFixture(c.Update, source + L"\\core.dll");
    TEngineState state;
    AddDestDir(state, app, L"App");
    if (c.UpdateListed) AddFile(state, L"", L"CORE.dll", 0);
    state.FNeededFileVersions.Add(std::wstring(L"core.dll=0|") + c.Required);
    state.FVersionErrorMsg = c.VersionErrorMsg;
    TDirCorrection correction;
    ASSERT_TRUE(CheckDestDirs(state, correction));

    TCurrentDirScope cwd(source);
    TScriptedDialogs dialogs({c.Answer});
    TRecordingSeams seams;
    EXPECT_EQ(CheckNeededFileVersions(state, seams), c.Passes);
    ASSERT_EQ(dialogs.Count(), c.Message ? 1u : 0u) << dialogs.AllTexts();
    if (c.Message) {
      EXPECT_EQ(dialogs[0].Text, c.Message);
      EXPECT_EQ(dialogs[0].DlgType, c.DlgType);
    }
    if (c.Passes) {
      EXPECT_TRUE(seams.Calls.empty());
    } else {
      EXPECT_EQ(seams.ExitCodeValue, 101);
      EXPECT_TRUE(seams.TerminateRequested);
    }
  }
}

TEST_F(PreInstallChecksTest, TwoNeededFilesCarryTheFileNameAndStopAtTheFirstFailure) {
  const std::wstring app = Temp.File(L"app");
  CreateDirectoryW(app.c_str(), nullptr);
  CreateDirectoryW((app + L"\\bin").c_str(), nullptr);
  CopyFixture(L"ver_2_4_0_0.dll", app + L"\\first.dll");
  CopyFixture(L"ver_2_2_9_0.dll", app + L"\\bin\\second.dll");
  CopyFixture(L"ver_2_2_9_0.dll", app + L"\\third.dll");
  AddDestDir(State, app, L"App");
  State.FNeededFileVersions.Add(L"first.dll=0|2.0.0");
  State.FNeededFileVersions.Add(L"bin\\second.dll=0|2.3.0");
  State.FNeededFileVersions.Add(L"third.dll=0|2.3.0");
  TDirCorrection correction;
  ASSERT_TRUE(CheckDestDirs(State, correction));
  EXPECT_EQ(VersionFileSuffix(State, 1), L" (second.dll)");

  TScriptedDialogs dialogs;
  TRecordingSeams seams;
  EXPECT_FALSE(CheckNeededFileVersions(State, seams));
  ASSERT_EQ(dialogs.Count(), 1u);
  EXPECT_EQ(dialogs[0].Text,
            L"Das Update setzt die Version 2.3.0 (second.dll) voraus, installiert ist Version 2.2.9. Das Setup wird "
            L"beendet.");
}

// A needed file whose name also lies in the program's own directory (the first place a
// bare name is looked up): the update's copy is the one in the current directory.
TEST_F(PreInstallChecksTest, UpdateCopyIsReadFromTheCurrentDirectory) {
  const std::wstring app = Temp.File(L"app");
  const std::wstring source = Temp.File(L"source");
  CreateDirectoryW(app.c_str(), nullptr);
  CreateDirectoryW(source.c_str(), nullptr);
  CopyFixture(L"ver_2_4_0_0.dll", app + L"\\ver_2_4_0_0.dll");
  CopyFixture(L"ver_2_3_0_5.dll", source + L"\\ver_2_4_0_0.dll");
  AddDestDir(State, app, L"App");
  AddFile(State, L"", L"ver_2_4_0_0.dll", 0);
  State.FNeededFileVersions.Add(L"ver_2_4_0_0.dll=0|1.0.0");
  TDirCorrection correction;
  ASSERT_TRUE(CheckDestDirs(State, correction));

  TCurrentDirScope cwd(source);
  TScriptedDialogs dialogs;
  TRecordingSeams seams;
  EXPECT_FALSE(CheckNeededFileVersions(State, seams));
  ASSERT_EQ(dialogs.Count(), 1u);
  EXPECT_EQ(dialogs[0].Text,
            L"Die installierte Version 2.4.0 ist neuer als die Updateversion 2.3.0. Das Setup wird beendet.");
}

TEST_F(PreInstallChecksTest, VersionToStrUnpacks) {
  EXPECT_EQ(VersionToStr(2003017), L"2.3.17");
  EXPECT_EQ(VersionToStr(PackVersion(65535, 65535, 65535)), L"65600.600.535");
  EXPECT_EQ(VersionToStr(PackVersion(3000, 1, 2)), L"3000.1.2");
}

TEST_F(PreInstallChecksTest, LockedFiles) {
  const std::wstring app = Temp.File(L"app");
  CreateDirectoryW(app.c_str(), nullptr);
  CreateDirectoryW((app + L"\\bin").c_str(), nullptr);
  WriteFileBytes(app + L"\\bin\\core.dll", "x");
  AddDestDir(State, app, L"App");
  State.FLockedFiles.Add(L"absent.dll", 0);
  State.FLockedFiles.Add(L"bin\\core.dll", 0);
  State.FLockedFilesMsg = L"Bitte schließen Sie die Anwendung.|Danach erneut versuchen.";
  {
    TScriptedDialogs dialogs;
    EXPECT_TRUE(CheckLockedFiles(State)) << "a missing file is not in use";
    EXPECT_EQ(dialogs.Count(), 0u);
  }
  {
    // Held open with full sharing: still in use.
    const HANDLE held = CreateFileW((app + L"\\bin\\core.dll").c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    TScriptedDialogs dialogs;
    EXPECT_FALSE(CheckLockedFiles(State));
    CloseHandle(held);
    ASSERT_EQ(dialogs.Count(), 1u);
    EXPECT_EQ(dialogs[0].Text, L"Bitte schließen Sie die Anwendung.\rDanach erneut versuchen.");
    EXPECT_EQ(dialogs[0].DlgType, mtError);
  }
  TScriptedDialogs dialogs;
  EXPECT_TRUE(CheckLockedFiles(State)) << "closed again";
  State.FLockedFiles.Add(L"x.dll", 3);
  EXPECT_EQ(ErrorOf([&] { CheckLockedFiles(State); }), L"Listenindex überschreitet das Maximum (3)");
}
}  // namespace
