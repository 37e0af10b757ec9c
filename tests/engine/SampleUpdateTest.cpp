// The sample update in examples/update: it reads in both languages as documented, ships
// every file it names, passes the checks on an installation prepared as the demo prepares
// it, and its hook DLL answers and logs through the installer's hook call.
#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

#include "DestDirs.h"
#include "Handles.h"
#include "HookCall.h"
#include "InstallTestSupport.h"
#include "Language.h"
#include "PreInstallChecks.h"
#include "QXFiles.h"
#include "ScriptColors.h"
#include "ScriptReader.h"
#include "TestUtils.h"
#include "TextConv.h"

namespace {
// The source tree's examples\update, found by walking up from the test programs' folder
// (build\<tree>\bin lies inside the source tree); empty when it is not there.
std::wstring SampleSourceDir() {
  std::wstring dir = TEST_BIN_DIR;
  while (!dir.empty()) {
    const std::wstring candidate = dir + L"\\examples\\update";
    if (FileExistsQuiet(candidate + L"\\setup.ini")) return candidate;
    const size_t slash = dir.find_last_of(L'\\');
    if (slash == std::wstring::npos) break;
    dir.erase(slash);
  }
  return {};
}

// The sample copied into a temporary folder, so that nothing a test does touches the tree.
class SampleUpdateTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetCurrentLanguage(LANG_ID_GERMAN);
    const std::wstring source = SampleSourceDir();
    ASSERT_FALSE(source.empty()) << "examples\\update not found above the test programs";
    WIN32_FIND_DATAW data;
    TFindHandle find(FindFirstFileW((source + L"\\*").c_str(), &data));
    ASSERT_TRUE(find.Valid());
    do {
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
      ASSERT_TRUE(CopyFileW((source + L"\\" + data.cFileName).c_str(), Sample.File(data.cFileName).c_str(), FALSE));
    } while (FindNextFileW(find.Get(), &data));
  }
  void TearDown() override { SetCurrentLanguage(LANG_ID_GERMAN); }

  // Reads the sample as setup.exe would, without the write-access test of the registry.
  void Read(TEngineState& state, const TCmdArgs& args = {}) {
    ReadSetupScript(state, TScriptEnvironment{Sample.Path(), args, false});
  }

  TTempDir Sample;
};

void MakeDir(const std::wstring& path) { ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr)) << WideToUtf8(path); }
}  // namespace

TEST_F(SampleUpdateTest, ReadsInBothLanguages) {
  struct TCase {
    int Language;
    const wchar_t* SubCaption;
    const wchar_t* WelcomeStart;
    const wchar_t* Captions[3];
    const wchar_t* LockedFilesMsg;
  };
  const TCase cases[] = {
      {LANG_ID_GERMAN, L"Update auf Version 1.3.0 vom 1. M\u00e4rz 2025",
       L"Dieses Programm aktualisiert Sample Editor auf Version 1.3.0.\r\n\r\nNeu sind eine Wortliste f\u00fcr",
       {L"Programmverzeichnis", L"Datenverzeichnis", L"Verzeichnis der Rechtschreibpr\u00fcfung"},
       L"Die Datei core.dll wird noch verwendet.|Bitte beenden Sie Sample Editor und versuchen Sie es erneut."},
      {LANG_ID_ENGLISH, L"Update to version 1.3.0 of 1 March 2025",
       L"This program updates Sample Editor to version 1.3.0.\r\n\r\nNew are a word list",
       {L"program directory", L"data directory", L"spelling directory"},
       L"The file core.dll is still in use.|Please close Sample Editor and try again."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Language);
    SetCurrentLanguage(c.Language);
    TEngineState state;
    Read(state);
    EXPECT_EQ(state.FProduct, L"Sample Editor 1.3.0");
    EXPECT_EQ(state.FFormCaption, L"Sample Editor Update");
    EXPECT_EQ(state.FSubCaption, c.SubCaption);
    EXPECT_EQ(state.FWelcomeText.substr(0, wcslen(c.WelcomeStart)), c.WelcomeStart);
    EXPECT_EQ(state.FLockedFilesMsg, c.LockedFilesMsg);
    EXPECT_FALSE(state.FTextSuccess.empty());
    EXPECT_FALSE(state.FTextFailure.empty());
    EXPECT_FALSE(state.FTextFailureSolution.empty());
    EXPECT_FALSE(state.FVersionErrorMsg.empty());
    ASSERT_EQ(state.FDefaultDirs.Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(state.DefaultDirRecord(i).Caption, c.Captions[i]) << i;
  }
}

TEST_F(SampleUpdateTest, UsesEveryPartOfTheScript) {
  TEngineState state;
  Read(state);
  EXPECT_EQ(state.FBottomCaption, L"www.example.com");
  EXPECT_EQ(state.FIcon, L"header.bmp");
  EXPECT_EQ(state.FColorHeader, ColorFromName(L"BLUE"));
  EXPECT_EQ(state.FColorHeaderFont, ColorFromName(L"WHITE"));
  EXPECT_EQ(state.FColorBody, ColorFromName(L"WHITE"));
  EXPECT_EQ(state.FColorBodyFont, ColorFromName(L"BLACK"));
  EXPECT_EQ(state.FColorFooter, ColorFromName(L"WINDOW"));
  EXPECT_EQ(state.FColorFooterFont, ColorFromName(L"BLUE"));

  ASSERT_EQ(state.FDefaultDirs.Count(), 3);
  EXPECT_EQ(state.DefaultDirRecord(0).RegKey, L"Example\\SampleEditor\\InstallDir|Example\\SampleEditor\\exedir");
  EXPECT_EQ(state.DefaultDirRecord(0).FilesMustExist, L"editor.exe|core.dll|help\\index.txt");
  EXPECT_EQ(state.DefaultDirRecord(1).RegKey, L"Example\\SampleEditor\\datadir");
  EXPECT_EQ(state.DefaultDirRecord(1).FilesMustExist, L"templates\\normal.txt");
  const TCreateDirEx* spelling = state.CreateDirRecord(2);
  ASSERT_NE(spelling, nullptr);
  EXPECT_EQ(spelling->SubDir, L"Plugins\\Spelling");
  EXPECT_EQ(spelling->DefaultDirIndex, 0);

  struct TFile {
    const wchar_t* Name;
    const wchar_t* Dir;
    int Index;
  };
  const TFile files[] = {{L"readme.txt", L"", 0},
                         {L"shortcuts.txt", L"help\\", 0},
                         {L"wordlist.txt", L"", 2},
                         {L"letter.txt", L"templates\\", 1}};
  ASSERT_EQ(state.FFiles.Count(), 4);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(state.FFiles.Strings(i), files[i].Name);
    EXPECT_EQ(state.FDirs.Strings(i), files[i].Dir);
    EXPECT_EQ(state.FDirs.Integers(i), files[i].Index);
  }
  EXPECT_EQ(state.FLockedFiles.Count(), 1);
  EXPECT_EQ(state.FNeededFileVersions.Count(), 1);
  EXPECT_EQ(state.FCreateRegKeys.Count(), 5);
  ASSERT_EQ(state.FProgramsMustNotRun.size(), 1u);
  EXPECT_EQ(state.FProgramsMustNotRun[0]->ExeName, L"editor.exe");
  ASSERT_EQ(state.FDLLsBefore.size(), 1u);
  ASSERT_EQ(state.FDLLsAfter.size(), 1u);
  EXPECT_EQ(state.FDLLsBefore[0]->FileName, L"samplehook.dll");
  EXPECT_EQ(state.FDLLsAfter[0]->FileName, L"samplehook.dll");
}

// setup.exe takes the update's files and the header picture by bare name from its folder.
TEST_F(SampleUpdateTest, ShipsEveryFileItNames) {
  TEngineState state;
  Read(state);
  std::vector<std::wstring> names{state.FIcon, L"setup.dat"};
  for (int i = 0; i < state.FFiles.Count(); ++i) names.push_back(state.FFiles.Strings(i));
  for (const auto& name : names) EXPECT_TRUE(FileExistsQuiet(Sample.File(name))) << WideToUtf8(name);
}

// The installation the demo prepares: directories given on the command line, the marker
// files the script asks for, and the built core.dll (version 1.2.0.7) in the program
// directory. Each row leaves one thing out.
TEST_F(SampleUpdateTest, PassesTheChecksOnAPreparedInstallation) {
  struct TCase {
    const char* Name;
    const wchar_t* Missing;  // relative to the installation's root, or nullptr
    const wchar_t* Reason;   // of the correction, or nullptr when the checks pass
  };
  const TCase cases[] = {
      {"complete", nullptr, nullptr},
      {"no program", L"app\\editor.exe", L"Das Programmverzeichnis ist ung\u00fcltig."},
      {"no core.dll", L"app\\core.dll", L"Das Programmverzeichnis ist ung\u00fcltig."},
      {"no help index", L"app\\help\\index.txt", L"Das Programmverzeichnis ist ung\u00fcltig."},
      {"no template", L"data\\templates\\normal.txt", L"Das Datenverzeichnis ist ung\u00fcltig."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir root;
    MakeDir(root.File(L"app"));
    MakeDir(root.File(L"app\\help"));
    MakeDir(root.File(L"data"));
    MakeDir(root.File(L"data\\templates"));
    WriteFileBytes(root.File(L"app\\editor.exe"), "");
    CopyFixture(L"sample-installed\\core.dll", root.File(L"app\\core.dll"));
    WriteFileBytes(root.File(L"app\\help\\index.txt"), "");
    WriteFileBytes(root.File(L"data\\templates\\normal.txt"), "");
    if (c.Missing) {
      ASSERT_TRUE(DeleteFileW(root.File(c.Missing).c_str()));
    }

    TEngineState state;
    Read(state, {L"APPDIR=" + root.File(L"app"), L"DATADIR=" + root.File(L"data")});
    TDirCorrection correction;
    const bool passed = CheckDestDirs(state, correction);
    if (c.Reason) {
      EXPECT_FALSE(passed);
      EXPECT_EQ(correction.Reason, c.Reason);
      continue;
    }
    ASSERT_TRUE(passed) << WideToUtf8(correction.Reason) << " " << WideToUtf8(correction.Dir);
    ASSERT_EQ(state.FNeededFileVersions.Count(), 1);
    EXPECT_EQ(state.FNeededFileVersions.Strings(0), root.File(L"app\\core.dll"));
    EXPECT_EQ(JudgeNeededFileVersion(state, 0, Sample.Path()).Result, TVersionVerdict::vrPass);
  }
}

// The sample hook agrees and appends one line per call to the log its parameter names.
TEST(SampleHookTest, AnswersTrueAndLogsEachCall) {
  TModule hook(LoadLibraryW(FixturePath(L"samplehook.dll").c_str()));
  ASSERT_TRUE(hook.Valid());
  TTempDir dir;
  const std::wstring log = dir.File(L"samplehook.log");
  struct TCase {
    const char* Export;
    int Language;
  };
  const TCase cases[] = {{"ExecuteBefore", LANG_ID_GERMAN}, {"ExecuteAfter", LANG_ID_ENGLISH}};
  std::string expectedTail;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Export);
    const FARPROC entry = GetProcAddress(hook.Get(), c.Export);
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(CallHookExport(entry, nullptr, c.Language, log.c_str()));
    expectedTail += std::string(" ") + c.Export + " language=" + std::to_string(c.Language) +
                    " window=no param=" + WideToUtf8(log) + "\r\n";
  }
  // Each line starts with the local time (19 characters) that the test cannot know.
  std::string text = ReadFileBytes(log);
  std::string withoutTimes;
  for (size_t start = 0; start < text.size();) {
    const size_t end = text.find('\n', start);
    const std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end + 1 - start);
    withoutTimes += line.size() > 19 ? line.substr(19) : line;
    start = end == std::string::npos ? text.size() : end + 1;
  }
  EXPECT_EQ(withoutTimes, expectedTail);
}

TEST(SampleHookTest, EmptyParameterWritesNothingAndStillAgrees) {
  TModule hook(LoadLibraryW(FixturePath(L"samplehook.dll").c_str()));
  ASSERT_TRUE(hook.Valid());
  TTempDir dir;
  TCurrentDirScope inDir(dir.Path());
  EXPECT_TRUE(CallHookExport(GetProcAddress(hook.Get(), "ExecuteBefore"), nullptr, LANG_ID_GERMAN, L""));
  WIN32_FIND_DATAW data;
  TFindHandle find(FindFirstFileW(dir.File(L"*.log").c_str(), &data));
  EXPECT_FALSE(find.Valid());
}
