// The installation run on real directories, files, time stamps, registry keys and hook
// DLLs, with the scripted dialog responder and the recording run display.
#include <gtest/gtest.h>

#include <memory>

#include "DestDirs.h"
#include "DialogResponder.h"
#include "EngineState.h"
#include "InstallRun.h"
#include "InstallTestSupport.h"
#include "Language.h"
#include "RecordingSeams.h"
#include "ScriptTestSupport.h"
#include "TestUtils.h"

namespace {
const wchar_t* const CanceledText = L"Die Installation wurde vom Anwender beendet.";
// 2020-01-01 00:00:00 UTC in FILETIME ticks: an even second, kept by the copy's DOS time.
constexpr ULONGLONG BaseTicks = 132223104000000000ULL;

class InstallRunTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetCurrentLanguage(LANG_ID_GERMAN);
    SetEnvironmentVariableW(L"HOOKTEST_LOG", nullptr);
    App = Temp.File(L"app");
    Source = Temp.File(L"source");
    CreateDirectoryW(App.c_str(), nullptr);
    CreateDirectoryW(Source.c_str(), nullptr);
    State.FTextSuccess = L"Fertig.";
    State.FTextFailure = L"Fehlgeschlagen:";
    State.FTextFailureSolution = L"Bitte erneut versuchen.";
    AddDestDir(State, App, L"Programmverzeichnis");
  }

  // An update file in the source directory with the given content and time.
  void AddSource(const std::wstring& name, const std::string& content, ULONGLONG ticks = BaseTicks) {
    WriteFileBytes(Source + L"\\" + name, content);
    SetWriteTicks(Source + L"\\" + name, ticks);
  }
  void AddAfterHook(const std::wstring& fileName) {
    auto dll = std::make_unique<TDLL>();
    dll->FileName = fileName;
    State.FDLLsAfter.push_back(std::move(dll));
  }
  // The directory check as the wizard runs it first, then one attempt of the run.
  void Run() {
    TDirCorrection correction;
    ASSERT_TRUE(CheckDestDirs(State, correction)) << std::string(correction.Dir.begin(), correction.Dir.end());
    TCurrentDirScope cwd(Source);
    RunInstallation(State, Seams.Seams());
  }
  std::wstring FailureText(const std::wstring& message) const {
    return L"Fehlgeschlagen:\r\n\r\n" + message + L"\r\n\r\nBitte erneut versuchen.";
  }

  TTempDir Temp;
  std::wstring App;
  std::wstring Source;
  TEngineState State;
  TRecordingSeams Seams;
  // Answers any dialog a test does not expect instead of showing it.
  TScriptedDialogs Dialogs;
};

TEST_F(InstallRunTest, CleanRun) {
  TTestRegKey regKey(HKEY_CURRENT_USER);
  const std::wstring key = L"HKEY_CURRENT_USER\\Software\\" + regKey.Name();
  const int data = AddCreateDir(State, L"Data", 0);
  AddSource(L"a.dll", "alpha");
  AddSource(L"b.txt", std::string(20000, 'b'), BaseTicks + 40 * TicksPerSecond);
  AddFile(State, L"", L"a.dll", 0);
  AddFile(State, L"deep\\er\\", L"b.txt", data);
  for (const wchar_t* line : {L"\\App\\Count=5", L"\\App\\Mask=$1F", L"\\App\\Path=\"C:\\Data\"", L"\\App\\=7",
                              L"\\Empty="})
    State.FCreateRegKeys.Add(key + line);
  AddAfterHook(L"hook_yes.dll");
  TScriptedDialogs dialogs;

  Run();

  EXPECT_EQ(dialogs.Count(), 0u) << dialogs.AllTexts();
  EXPECT_EQ(ReadFileBytes(App + L"\\a.dll"), "alpha");
  EXPECT_EQ(ReadFileBytes(App + L"\\Data\\deep\\er\\b.txt"), std::string(20000, 'b'));
  EXPECT_EQ(WriteTicks(App + L"\\a.dll"), BaseTicks);
  EXPECT_EQ(WriteTicks(App + L"\\Data\\deep\\er\\b.txt"), BaseTicks + 40 * TicksPerSecond);
  const std::wstring base = L"Software\\" + regKey.Name();
  struct TValue {
    const wchar_t* Key;
    const wchar_t* Name;
    DWORD Type;
    const wchar_t* Data;
  };
  for (const TValue& v : {TValue{L"\\App", L"Count", REG_DWORD, L"5"}, TValue{L"\\App", L"Mask", REG_DWORD, L"31"},
                          TValue{L"\\App", L"Path", REG_SZ, L"C:\\Data"}, TValue{L"\\App", L"", REG_DWORD, L"7"},
                          TValue{L"\\Empty", L"", REG_SZ, L""}}) {
    SCOPED_TRACE(testing::Message() << std::string(v.Name, v.Name + wcslen(v.Name)));
    DWORD type = 0;
    std::wstring value;
    ASSERT_TRUE(ReadRegValue(HKEY_CURRENT_USER, base + v.Key, v.Name, type, value));
    EXPECT_EQ(type, v.Type);
    EXPECT_EQ(value, v.Data);
  }
  ASSERT_GE(Seams.Calls.size(), 4u);
  EXPECT_EQ(Seams.Calls[0], L"ShowCopyFile(|)");
  EXPECT_EQ(Seams.Calls[1], L"SetProgressMax(0)");
  EXPECT_EQ(Seams.Calls[2], L"ShowProgressPage");
  EXPECT_EQ(Seams.ProgressMax, 20005);
  EXPECT_EQ(Seams.ProgressPosition, 20005);
  EXPECT_EQ(Seams.CopyFileText, L"b.txt nach");
  EXPECT_EQ(Seams.CopyDirText, App.substr(0) + L"\\Data\\deep\\er");
  EXPECT_EQ(Seams.Calls.back(), L"ShowFinishedText(Fertig.)");
  EXPECT_TRUE(State.FSetupSuccessful);
  EXPECT_EQ(GetEnvironmentVariableW(L"HOOKTEST_LOG", nullptr, 0) > 0, true) << "after-hook called";
}

TEST_F(InstallRunTest, NoFilesStillWritesTheRegistry) {
  TTestRegKey regKey(HKEY_CURRENT_USER);
  State.FCreateRegKeys.Add(L"HKEY_CURRENT_USER\\Software\\" + regKey.Name() + L"\\Only=1");
  Run();
  EXPECT_EQ(Seams.ProgressMax, 0);
  EXPECT_EQ(Seams.FinishedText, L"Fertig.");
  DWORD type = 0;
  std::wstring value;
  EXPECT_TRUE(ReadRegValue(HKEY_CURRENT_USER, L"Software\\" + regKey.Name(), L"Only", type, value));
}

TEST_F(InstallRunTest, NewerInstalledFiles) {
  struct TCase {
    const char* Name;
    long long TargetOffsetSeconds;  // target time relative to the source's
    bool SourceExists;
    int Answer;
    bool Asked;
    bool Copied;
  };
  const TCase cases[] = {
      {"61 s newer, No", 61, true, mrNo, true, false},
      {"61 s newer, Enter keeps the default No", 61, true, mrNone, true, false},
      {"61 s newer, Yes", 61, true, mrYes, true, true},
      {"exactly 60 s newer", 60, true, mrNo, false, true},
      {"older", -3600, true, mrNo, false, true},
      {"source missing, existing target", 0, false, mrNo, true, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir temp;
    const std::wstring app = temp.File(L"app");
    const std::wstring source = temp.File(L"source");
    CreateDirectoryW(app.c_str(), nullptr);
    CreateDirectoryW(source.c_str(), nullptr);
    TEngineState state;
    state.FTextSuccess = L"Fertig.";
    AddDestDir(state, app, L"App");
    const int data = AddCreateDir(state, L"Data", 0);
    AddFile(state, L"", L"old.dll", 0);
    AddFile(state, L"", L"second.dll", data);
    for (const wchar_t* name : {L"old.dll", L"second.dll"}) {
      if (c.SourceExists || std::wstring(name) != L"old.dll") {
        WriteFileBytes(source + L"\\" + name, "new");
        SetWriteTicks(source + L"\\" + name, BaseTicks);
      }
    }
    WriteFileBytes(app + L"\\old.dll", "installed");
    SetWriteTicks(app + L"\\old.dll", BaseTicks + c.TargetOffsetSeconds * TicksPerSecond);
    auto hook = std::make_unique<TDLL>();
    hook->FileName = L"hook_yes.dll";
    state.FDLLsAfter.push_back(std::move(hook));
    SetEnvironmentVariableW(L"HOOKTEST_LOG", nullptr);

    TDirCorrection correction;
    ASSERT_TRUE(CheckDestDirs(state, correction));
    TScriptedDialogs dialogs({c.Answer});
    TRecordingSeams seams;
    {
      TCurrentDirScope cwd(source);
      RunInstallation(state, seams.Seams());
    }
    ASSERT_EQ(dialogs.Count(), c.Asked ? 1u : 0u);
    if (c.Asked) {
      EXPECT_EQ(dialogs[0].Text,
                L"Es sind bereits neuere Versionen der zu aktualisierenden Dateien vorhanden. Möchten Sie die "
                L"Installation dennoch fortsetzen?");
      EXPECT_EQ(dialogs[0].DlgType, mtWarning);
      EXPECT_EQ(TScriptedDialogs::DefaultAnswer(dialogs[0]), mrNo);
    }
    if (c.Copied) {
      EXPECT_EQ(ReadFileBytes(app + L"\\old.dll"), "new");
      EXPECT_EQ(seams.FinishedText, L"Fertig.");
    } else if (c.SourceExists) {
      EXPECT_EQ(ReadFileBytes(app + L"\\old.dll"), "installed");
      EXPECT_EQ(GetFileAttributesW((app + L"\\Data\\second.dll").c_str()), INVALID_FILE_ATTRIBUTES) << "nothing copied";
      EXPECT_TRUE(GetFileAttributesW((app + L"\\Data").c_str()) & FILE_ATTRIBUTE_DIRECTORY) << "directories stay";
      EXPECT_EQ(seams.FinishedText, CanceledText);
      EXPECT_TRUE(state.FSetupSuccessful);
      EXPECT_GT(GetEnvironmentVariableW(L"HOOKTEST_LOG", nullptr, 0), 0u) << "after-hooks run after a cancel";
    }
  }
}

TEST_F(InstallRunTest, AccessDeniedCopyGetsTheHint) {
  AddSource(L"a.dll", "a");
  AddFile(State, L"", L"a.dll", 0);
  CreateDirectoryW((App + L"\\a.dll").c_str(), nullptr);  // a directory stands at the target path
  Dialogs.Answer(mrYes);  // the directory is newer than the source
  Run();
  const std::wstring hint =
      L"\r\n\r\nStellen Sie sicher, dass beim Ausführen des Setups alle anderen Anwendungen beendet sind und Sie über "
      L"ausreichende Zugriffrechte verfügen. \r\n\r\nBitte erneut versuchen.";
  ASSERT_GT(Seams.FinishedText.size(), hint.size());
  EXPECT_EQ(Seams.FinishedText.substr(Seams.FinishedText.size() - hint.size()), hint) << "failure text ends with the hint";
  EXPECT_EQ(Seams.FinishedText.rfind(L"Fehlgeschlagen:\r\n\r\n", 0), 0u);
  EXPECT_FALSE(State.FSetupSuccessful);
}

TEST_F(InstallRunTest, FailuresOfTheCopyStepEndOnTheFailurePage) {
  WriteFileBytes(App + L"\\plainfile", "x");
  struct TCase {
    const char* Name;
    std::wstring Dir;  // directory of the one file, replaced after the check
    std::wstring RegLine;
    std::wstring Message;
    bool FileCopied;
  };
  const TCase cases[] = {
      {"empty directory entry", L"", L"", L"Verzeichnis kann nicht erstellt werden", false},
      {"directory below a file", App + L"\\plainfile\\sub", L"",
       L"Das Verzeichnis \"" + App + L"\\plainfile\\sub\" konnte nicht angelegt werden.", false},
      {"unknown registry root after the copy", App, L"HKLM\\Software\\X=1", L"Unkown root key \"HKLM\".", true},
      {"registry integer that does not convert", App, L"HKEY_CURRENT_USER\\Software\\SetupEngineTestNever\\X=12abc",
       L"''12abc'' ist kein gültiger Integer-Wert", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TEngineState state;
    state.FTextFailure = L"Fehlgeschlagen:";
    state.FTextFailureSolution = L"Bitte erneut versuchen.";
    AddDestDir(state, App, L"App");
    AddFile(state, L"", L"f.dll", 0);
    if (!c.RegLine.empty()) state.FCreateRegKeys.Add(c.RegLine);
    AddSource(L"f.dll", "f");
    DeleteFileW((App + L"\\f.dll").c_str());
    TDirCorrection correction;
    ASSERT_TRUE(CheckDestDirs(state, correction));
    state.FDirs.SetString(0, c.Dir);
    TRecordingSeams seams;
    {
      TCurrentDirScope cwd(Source);
      RunInstallation(state, seams.Seams());
    }
    EXPECT_EQ(seams.FinishedText, FailureText(c.Message));
    EXPECT_FALSE(state.FSetupSuccessful);
    EXPECT_EQ(GetFileAttributesW((App + L"\\f.dll").c_str()) != INVALID_FILE_ATTRIBUTES, c.FileCopied);
  }
}

TEST_F(InstallRunTest, FailingAfterHookTurnsSuccessIntoFailure) {
  AddAfterHook(L"hook_yes.dll");
  AddAfterHook(L"no_such_hook.dll");
  Run();
  EXPECT_EQ(Seams.FinishedText, FailureText(L"Das Modul no_such_hook.dll kann nicht geladen werden."));
  EXPECT_FALSE(State.FSetupSuccessful);
  EXPECT_EQ(Seams.ExitCodeValue, 0);
}

TEST_F(InstallRunTest, RefusedAttemptKeepsTheResolvedDirectories) {
  const int data = AddCreateDir(State, L"Data", 0);
  AddSource(L"a.dll", "a");
  AddFile(State, L"sub\\", L"a.dll", data);
  WriteFileBytes(App + L"\\busy.dll", "x");
  State.FLockedFiles.Add(L"busy.dll", 0);
  State.FLockedFilesMsg = L"Datei in Benutzung.";
  const HANDLE held = CreateFileW((App + L"\\busy.dll").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  {
    TScriptedDialogs dialogs;
    Run();
    ASSERT_EQ(dialogs.Count(), 1u);
    EXPECT_EQ(dialogs[0].Text, L"Datei in Benutzung.");
  }
  CloseHandle(held);
  EXPECT_TRUE(Seams.Calls.empty()) << "no progress page for a refused attempt";
  EXPECT_EQ(State.FDirs.Strings(0), App + L"\\Data\\sub");

  Run();
  EXPECT_EQ(State.FDirs.Strings(0), App + L"\\Data\\sub") << "not joined a second time";
  EXPECT_EQ(ReadFileBytes(App + L"\\Data\\sub\\a.dll"), "a");
  EXPECT_EQ(Seams.FinishedText, L"Fertig.");
}

TEST_F(InstallRunTest, RunningProgramRefusesTheAttempt) {
  const std::wstring name = L"probe_e_run_" + std::to_wstring(GetCurrentProcessId()) + L".exe";
  TRunningProgram running(Temp.Path(), name);
  auto program = std::make_unique<TProgram>();
  program->ExeName = name;
  program->Caption = L"Probe";
  State.FProgramsMustNotRun.push_back(std::move(program));
  TScriptedDialogs dialogs;
  Run();
  ASSERT_EQ(dialogs.Count(), 1u);
  EXPECT_EQ(dialogs[0].Text, L"Bitte beenden sie das Programm Probe.");
  EXPECT_TRUE(Seams.Calls.empty());
}

TEST_F(InstallRunTest, CopyProgressShowsFileAndDirectory) {
  struct TCase {
    const wchar_t* FileName;
    const wchar_t* FileText;
    const wchar_t* DirText;
  };
  const TCase cases[] = {
      {L"C:\\App\\bin\\a.dll", L"a.dll nach", L"C:\\App\\bin"},
      {L"\\\\server\\share\\dir\\b.dll", L"b.dll nach", L"server\\share\\dir"},
      {L"c.dll", L"c.dll nach", L""},
  };
  // One kept set of texts for all calls, as during a copy: each new file replaces them.
  TCopyTexts texts;
  for (const TCase& c : cases) {
    TRecordingSeams seams;
    EXPECT_TRUE(CopyProgress(State, seams.Seams(), c.FileName, 5, 10, texts));
    EXPECT_EQ(seams.CopyFileText, c.FileText);
    EXPECT_EQ(seams.CopyDirText, c.DirText);
    EXPECT_EQ(seams.ProgressPosition, 5);
    EXPECT_EQ(seams.ProcessMessagesCount, 1);
  }
  TRecordingSeams seams;
  State.FUserCanceled = true;
  EXPECT_FALSE(CopyProgress(State, seams.Seams(), L"", -1, 10, texts));
  EXPECT_EQ(seams.ProgressMax, 10);
  EXPECT_EQ(seams.ProcessMessagesCount, 0) << "no messages at the reset call";
}

TEST_F(InstallRunTest, CancelDuringTheCopyStopsBeforeTheRegistry) {
  TTestRegKey regKey(HKEY_CURRENT_USER);
  AddSource(L"a.dll", std::string(100000, 'a'));
  AddSource(L"b.dll", "b");
  AddFile(State, L"", L"a.dll", 0);
  AddFile(State, L"", L"b.dll", 0);
  State.FCreateRegKeys.Add(L"HKEY_CURRENT_USER\\Software\\" + regKey.Name() + L"\\Written=1");
  Seams.OnProcessMessages = [this] { State.FUserCanceled = true; };
  Run();
  EXPECT_EQ(Seams.FinishedText, CanceledText);
  EXPECT_EQ(GetFileAttributesW((App + L"\\b.dll").c_str()), INVALID_FILE_ATTRIBUTES);
  DWORD type = 0;
  std::wstring value;
  EXPECT_FALSE(ReadRegValue(HKEY_CURRENT_USER, L"Software\\" + regKey.Name(), L"Written", type, value));
}
}  // namespace
