// The built setupcheck.exe, started as a process on sample scripts; its JSON is parsed.
#include <gtest/gtest.h>

#include "Handles.h"
#include "ScriptTestSupport.h"
#include "TestJson.h"
#include "TextConv.h"

namespace {
struct TProcessResult {
  DWORD ExitCode = 0xFFFFFFFF;
  std::string Out;
  std::string Err;
};

// Runs setupcheck.exe with arguments; standard output and error go to files, so a large
// output cannot block the child.
TProcessResult RunSetupCheck(const std::wstring& arguments, const TTempDir& work) {
  SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
  const std::wstring outPath = work.File(L"stdout.txt");
  const std::wstring errPath = work.File(L"stderr.txt");
  TProcessResult result;
  {
    TFileHandle out(CreateFileW(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
    TFileHandle err(CreateFileW(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = out.Get();
    startup.hStdError = err.Get();
    std::wstring commandLine = L"\"" + std::wstring(TEST_BIN_DIR) + L"/setupcheck.exe\" " + arguments;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
      ADD_FAILURE() << "cannot start setupcheck.exe: " << GetLastError();
      return result;
    }
    TKernelHandle processHandle(process.hProcess);
    TKernelHandle threadHandle(process.hThread);
    EXPECT_EQ(WaitForSingleObject(processHandle.Get(), 60000), WAIT_OBJECT_0);
    GetExitCodeProcess(processHandle.Get(), &result.ExitCode);
  }
  result.Out = ReadFileBytes(outPath);
  result.Err = ReadFileBytes(errPath);
  return result;
}

class SetupCheckTest : public ::testing::Test {
protected:
  void WriteIni(const std::wstring& text) { WriteFileBytes(Script.File(L"setup.ini"), Utf16Bytes(text)); }
  std::wstring Quoted() const { return L"\"" + Script.Path() + L"\""; }

  TTempDir Script;
  TTempDir Work;
};
}  // namespace

TEST_F(SetupCheckTest, JsonOfASampleScript) {
  WriteIni(L"[DefaultDestDirs]\r\n1=C:\\App|C:\\Other\r\n2=C:\\Data\r\n"
           L"[LookUpRegistryForDestDirs]\r\n1=NoSuchVendor\\App\\exedir\r\n"
           L"[CaptionsForDestDirs]\r\n1=Programmverzeichnis\r\nlogs=Protokolle\r\n[CaptionsForDestDirs_Eng]\r\n1=Program\r\n"
           L"[CreateDirs]\r\nlogs=Logs|1\r\n[Files]\r\nbin\\a.dll=0\r\nb.txt=2\r\n[LockedFiles]\r\na.dll=0\r\n"
           L"[NeededFileVersions]\r\nbin\\a.dll=0|1.2.3\r\n[CreateRegKeys]\r\nHKEY_CURRENT_USER\\Software\\V\\N=5\r\n"
           L"[ProgramsMustNotRun]\r\napp.exe=Die Anwendung\r\n[DLLsBefore]\r\nhook.dll=p1\r\n[DLLsAfter]\r\nhook.dll=p2\r\n"
           L"[Setup]\r\nProduct=Produkt \u00c4\r\nColorHeader=blue\r\nColorBodyFont=Window\r\n"
           L"[Welcome]\r\nText=a|b\r\n");
  const TProcessResult result = RunSetupCheck(Quoted() + L" --json /APPDIR=C:\\Cmd eng", Work);
  ASSERT_EQ(result.ExitCode, 0u) << result.Err;
  const TJson json = ParseJson(result.Out);
  EXPECT_EQ(json["language"].NumberValue, 1033);
  const TJson& dirs = json["directories"];
  ASSERT_EQ(dirs.Items.size(), 3u);
  EXPECT_EQ(dirs[0]["kind"].StringValue, L"dest");
  EXPECT_EQ(dirs[0]["path"].StringValue, L"C:\\Cmd");
  EXPECT_EQ(dirs[0]["defaultDir"].StringValue, L"C:\\App");
  EXPECT_EQ(dirs[0]["caption"].StringValue, L"Program");
  EXPECT_FALSE(dirs[0]["regKeyFound"].BoolValue);
  EXPECT_EQ(dirs[1]["path"].StringValue, L"C:\\Data");
  EXPECT_EQ(dirs[2]["kind"].StringValue, L"create");
  EXPECT_EQ(dirs[2]["index"].NumberValue, 2);
  EXPECT_EQ(dirs[2]["subDir"].StringValue, L"Logs");
  EXPECT_EQ(dirs[2]["parent"].NumberValue, 1);
  EXPECT_EQ(dirs[2]["caption"].StringValue, L"Protokolle");
  EXPECT_EQ(json["files"][0]["name"].StringValue, L"a.dll");
  EXPECT_EQ(json["files"][0]["dir"].StringValue, L"bin\\");
  EXPECT_EQ(json["files"][1]["dirIndex"].NumberValue, 2);
  EXPECT_EQ(json["lockedFiles"][0]["path"].StringValue, L"a.dll");
  EXPECT_EQ(json["neededFileVersions"][0].StringValue, L"bin\\a.dll=0|1.2.3");
  EXPECT_EQ(json["createRegKeys"][0].StringValue, L"HKEY_CURRENT_USER\\Software\\V\\N=5");
  EXPECT_EQ(json["programsMustNotRun"][0]["caption"].StringValue, L"Die Anwendung");
  EXPECT_EQ(json["dllsBefore"][0]["param"].StringValue, L"p1");
  EXPECT_EQ(json["dllsAfter"][0]["param"].StringValue, L"p2");
  EXPECT_EQ(json["texts"]["product"].StringValue, L"Produkt \u00c4");
  EXPECT_EQ(json["texts"]["welcomeText"].StringValue, L"a\r\nb");
  EXPECT_EQ(json["colors"]["header"].StringValue, L"0x00FF0000");
  EXPECT_EQ(json["colors"]["bodyFont"].StringValue, L"0xFF000005");
  EXPECT_EQ(json["colors"]["footer"].Kind, TJson::Null);
}

TEST_F(SetupCheckTest, ControlCharactersAndLoneSurrogatesKeepTheJsonValid) {
  const std::wstring product = std::wstring(L"a\x01\"\\") + static_cast<wchar_t>(0xD800) + L"\tb\U0001F600";
  WriteIni(L"[Setup]\r\nProduct=" + product + L"\r\n");
  const TProcessResult result = RunSetupCheck(Quoted() + L" --json", Work);
  ASSERT_EQ(result.ExitCode, 0u);
  EXPECT_EQ(ParseJson(result.Out)["texts"]["product"].StringValue, product);
}

TEST_F(SetupCheckTest, ScriptErrors) {
  struct TRow {
    const char* Name;
    const wchar_t* Ini;  // nullptr: no setup.ini
    const wchar_t* Message;
  };
  const TRow rows[] = {
      {"missing script", nullptr, L"Die Initalisierungsdatei wurde nicht gefunden."},
      {"bad Files entry", L"[Files]\r\na.dll=x\r\n", L"Invalid directory specification."},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    DeleteFileW(Script.File(L"setup.ini").c_str());
    if (row.Ini) WriteIni(row.Ini);
    const TProcessResult json = RunSetupCheck(Quoted() + L" --json", Work);
    EXPECT_EQ(json.ExitCode, 100u);
    EXPECT_EQ(ParseJson(json.Out)["error"].StringValue, row.Message);
    const TProcessResult text = RunSetupCheck(Quoted(), Work);
    EXPECT_EQ(text.ExitCode, 100u);
    EXPECT_EQ(text.Out, "");
    EXPECT_EQ(text.Err, WideToUtf8(L"Fehler beim Initialisieren des Setups:\r\n" + std::wstring(row.Message) + L"\r\n"));
  }
}

TEST_F(SetupCheckTest, DryRunWritesNoRegistryKey) {
  const std::wstring vendor = L"SetupCheckTest_" + std::to_wstring(GetCurrentProcessId());
  WriteIni(L"[CheckRegistryLocalMachineAccess]\r\nKey=" + vendor + L"\\Access\r\n");
  EXPECT_EQ(RunSetupCheck(Quoted() + L" --dry-run --json", Work).ExitCode, 0u);
  EXPECT_FALSE(LocalMachineKeyExists(L"Software\\" + vendor, KEY_WOW64_32KEY));
  // Without --dry-run the test runs: the keys on the way stay, the test key itself is gone.
  EXPECT_EQ(RunSetupCheck(Quoted() + L" --json", Work).ExitCode, 0u);
  EXPECT_TRUE(LocalMachineKeyExists(L"Software\\" + vendor + L"\\Access", KEY_WOW64_32KEY));
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, (L"Software\\" + vendor + L"\\Access").c_str(), KEY_WOW64_32KEY, 0);
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, (L"Software\\" + vendor).c_str(), KEY_WOW64_32KEY, 0);
}

TEST_F(SetupCheckTest, DirectoryIsTheFirstArgumentWithoutSwitchPrefix) {
  WriteIni(L"[DefaultDestDirs]\r\n1=C:\\Default\r\n[LookUpRegistryForDestDirs]\r\n1=V\\datadir\r\n");
  const TProcessResult result = RunSetupCheck(L"-DATADIR=C:\\D --json " + Quoted() + L" ger", Work);
  ASSERT_EQ(result.ExitCode, 0u) << result.Err;
  const TJson json = ParseJson(result.Out);
  EXPECT_EQ(json["language"].NumberValue, 1031);
  EXPECT_EQ(json["directories"][0]["path"].StringValue, L"C:\\D");
}
