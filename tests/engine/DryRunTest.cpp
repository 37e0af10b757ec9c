// setupcheck.exe --dry-run: the directory check and the version rule on a script, reported
// without asking anything.
#include <gtest/gtest.h>

#include "Handles.h"
#include "InstallTestSupport.h"
#include "ScriptTestSupport.h"
#include "TestJson.h"

namespace {
struct TCheckerRun {
  DWORD ExitCode = 0xFFFFFFFF;
  std::string Out;
};

TCheckerRun RunChecker(const std::wstring& arguments, const TTempDir& work) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const std::wstring outPath = work.File(L"dryrun-out.txt");
  TCheckerRun result;
  {
    TFileHandle out(CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out.Get();
    startup.hStdError = out.Get();
    std::wstring commandLine = L"\"" + FixturePath(L"setupcheck.exe") + L"\" " + arguments;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
      ADD_FAILURE() << "cannot start setupcheck.exe: " << GetLastError();
      return result;
    }
    const TKernelHandle processHandle(process.hProcess);
    const TKernelHandle threadHandle(process.hThread);
    EXPECT_EQ(WaitForSingleObject(processHandle.Get(), 60000), WAIT_OBJECT_0);
    GetExitCodeProcess(processHandle.Get(), &result.ExitCode);
  }
  result.Out = ReadFileBytes(outPath);
  return result;
}

class DryRunTest : public ::testing::Test {
protected:
  void SetUp() override {
    App = Work.File(L"app");
    CreateDirectoryW(App.c_str(), nullptr);
  }
  // Runs the dry run on a script whose destination directory 1 is the given path.
  TJson DryRunJson(const std::wstring& sections, DWORD expectedExit = 0) {
    WriteFileBytes(Script.File(L"setup.ini"),
                   Utf16Bytes(L"[DefaultDestDirs]\r\n1=" + App + L"\r\n[CaptionsForDestDirs]\r\n1=Programmverzeichnis\r\n" +
                              sections));
    const TCheckerRun run = RunChecker(L"\"" + Script.Path() + L"\" --dry-run --json", Work);
    EXPECT_EQ(run.ExitCode, expectedExit) << run.Out;
    return ParseJson(run.Out);
  }

  TTempDir Script;
  TTempDir Work;
  std::wstring App;
};

TEST_F(DryRunTest, ReportsTheFirstDirectoryToCorrect) {
  const TJson json = DryRunJson(L"[FilesMustExistInDirs]\r\n1=app.exe\r\n");
  EXPECT_FALSE(json["dirCheck"]["ok"].BoolValue);
  EXPECT_EQ(json["dirCheck"]["dir"].StringValue, App);
  EXPECT_EQ(json["dirCheck"]["reason"].StringValue, L"Das Programmverzeichnis ist ungültig.");
  EXPECT_EQ(json.Members.count("versionCheck"), 0u) << "versions are judged only after the directories pass";
  EXPECT_EQ(json["directories"][0]["path"].StringValue, App) << "the state as read stays in the report";
}

TEST_F(DryRunTest, ReportsTheVersionRuleThatWouldStop) {
  struct TCase {
    const char* Name;
    const wchar_t* Installed;
    const wchar_t* Update;  // in the script's directory, nullptr: not there
    const wchar_t* Required;
    const wchar_t* Result;
    const wchar_t* Message;
  };
  const TCase cases[] = {
      {"pass", L"ver_2_3_0_5.dll", L"ver_2_4_0_0.dll", L"2.0.0", L"pass", nullptr},
      {"too old", L"ver_2_2_9_0.dll", nullptr, L"2.3.0", L"tooOld",
       L"Das Update setzt die Version 2.3.0 voraus, installiert ist Version 2.2.9. Das Setup wird beendet."},
      {"newer", L"ver_2_4_0_0.dll", L"ver_2_3_0_5.dll", L"2.0.0", L"newer",
       L"Die installierte Version 2.4.0 ist neuer als die Updateversion 2.3.0. Das Setup wird beendet."},
      {"same version", L"ver_2_3_0_5.dll", L"ver_2_3_0_5.dll", L"2.0.0", L"sameVersion",
       L"Die Version 2.3.0 ist bereits installiert. Möchten Sie das Setup dennoch fortsetzen?"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    CopyFixture(c.Installed, App + L"\\core.dll");
    DeleteFileW(Script.File(L"core.dll").c_str());
    if (c.Update) CopyFixture(c.Update, Script.File(L"core.dll"));
    const TJson json = DryRunJson(std::wstring(L"[Files]\r\ncore.dll=0\r\n[NeededFileVersions]\r\ncore.dll=0|") +
                                  c.Required + L"\r\n");
    EXPECT_TRUE(json["dirCheck"]["ok"].BoolValue);
    EXPECT_EQ(json["versionCheck"]["result"].StringValue, c.Result);
    if (c.Message) {
      EXPECT_EQ(json["versionCheck"]["message"].StringValue, c.Message);
    }
  }
}

TEST_F(DryRunTest, CheckErrorsAreReportedAsErrors) {
  const TJson json = DryRunJson(L"[NeededFileVersions]\r\ncore.dll=0|2.3\r\n", 100);
  EXPECT_EQ(json["error"].StringValue, L"Invalid directory index in version check.");
}
}  // namespace
