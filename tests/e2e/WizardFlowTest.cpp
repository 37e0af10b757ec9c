// The wizard driven end to end: the real setup.exe under Wine with real files, registry
// values, hook DLLs and version fixtures, clicked through as a user would, and judged by
// what an updater sees (the exit code and the two events).
#include <gtest/gtest.h>

#include <algorithm>

#include "SetupDriver.h"
#include "TextConv.h"
#include "WizardWatch.h"

using namespace wizard_watch;

namespace {

constexpr DWORD Timeout = 15000;
// Below HKEY_CURRENT_USER; removed before and after each test that writes values.
constexpr const wchar_t* TestRegKey = L"Software\\SetupE2EWizardFlow";

// Starts the wizard on an update whose script has the sections and which brings the file
// app.txt ("new"); the main window, or nullptr.
HWND StartAppUpdate(TSetupDriver& setup, const std::wstring& destDir, const std::string& sections) {
  setup.WriteScript(UpdateScript(destDir, sections));
  setup.WriteFile(L"app.txt", "new");
  return StartWizard(setup);
}

bool IsDir(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FILETIME WriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

// Gives the file a last-write time far in the past (1 March 2020, 10:00 UTC), so a copy
// that takes the time of the moment cannot pass for one that keeps the source's.
void SetOldWriteTime(const std::wstring& path) {
  const SYSTEMTIME time{2020, 3, 0, 1, 10, 0, 0, 0};
  FILETIME fileTime{};
  SystemTimeToFileTime(&time, &fileTime);
  HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &fileTime));
  CloseHandle(file);
}

void CopyFixture(const wchar_t* binName, const std::wstring& target) {
  ASSERT_TRUE(CopyFileW((std::wstring(TEST_BIN_DIR) + L"\\" + binName).c_str(), target.c_str(), FALSE))
      << "cannot copy " << testing::PrintToString(std::wstring(binName));
}

std::string HookLine(const wchar_t* binName, const char* parameter) {
  return WideToUtf8(std::wstring(TEST_BIN_DIR) + L"\\" + binName) + "=" + parameter + "\n";
}

class TRegKeyScope {
public:
  TRegKeyScope() { RegDeleteTreeW(HKEY_CURRENT_USER, TestRegKey); }
  ~TRegKeyScope() { RegDeleteTreeW(HKEY_CURRENT_USER, TestRegKey); }
  TRegKeyScope(const TRegKeyScope&) = delete;
  TRegKeyScope& operator=(const TRegKeyScope&) = delete;
};


// Waits for a message dialog whose text contains part, and returns it.
HWND WaitForMessage(TSetupDriver& setup, const std::wstring& part) {
  HWND dialog = setup.WaitForDialog(Timeout);
  EXPECT_NE(dialog, nullptr) << "no message " << testing::PrintToString(part);
  if (dialog) {
    EXPECT_TRUE(HasTextContaining(dialog, part))
        << "expected " << testing::PrintToString(part) << " in "
        << testing::PrintToString(Joined(TSetupDriver::VisibleTexts(dialog)));
  }
  return dialog;
}

// On the correction page: types text into the directory edit and presses "&Weiter".
void CorrectDirectory(HWND window, const std::wstring& shownDir, const std::wstring& text) {
  ASSERT_TRUE(WaitForTextPart(window, L"&Weiter")) << Joined(TSetupDriver::VisibleTexts(window));
  HWND edit = TSetupDriver::FindChild(window, L"Edit", shownDir);
  ASSERT_NE(edit, nullptr) << "no edit showing the directory; " << testing::PrintToString(Joined(TSetupDriver::VisibleTexts(window)));
  SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Weiter"));
}

// Presses "&Fertig" on the finished page; the program must end with 0 and both events.
void FinishAndExpectSuccess(TSetupDriver& setup, HWND window) {
  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Fertig"));
  EXPECT_EQ(setup.WaitForExit(), 0);
  EXPECT_TRUE(setup.EndSignalled());
  EXPECT_TRUE(setup.OkSignalled());
}

void ExpectRegString(const wchar_t* name, const std::wstring& expected) {
  wchar_t value[256] = {};
  DWORD size = sizeof value;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, TestRegKey, name, RRF_RT_REG_SZ, nullptr, value, &size), ERROR_SUCCESS)
      << testing::PrintToString(std::wstring(name));
  EXPECT_EQ(std::wstring(value), expected);
}

void ExpectRegDword(const wchar_t* name, DWORD expected) {
  DWORD value = 0, size = sizeof value;
  ASSERT_EQ(RegGetValueW(HKEY_CURRENT_USER, TestRegKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size), ERROR_SUCCESS)
      << testing::PrintToString(std::wstring(name));
  EXPECT_EQ(value, expected);
}

}  // namespace

TEST(WizardFlow, CleanUpdateCopiesWritesAndEndsWithZeroOnFertig) {
  TRegKeyScope key;
  TTempDir dest;
  ASSERT_TRUE(CreateDirectoryW(dest.File(L"sub").c_str(), nullptr));
  WriteFileBytes(dest.File(L"app.txt"), "old version");
  // Not newer than the update's copy, so no question interrupts the run.
  SetOldWriteTime(dest.File(L"app.txt"));
  TSetupDriver setup;
  setup.WriteScript(UpdateScript(dest.Path(),
                                 "[Files]\n"
                                 "app.txt=0\n"
                                 "sub\\data.txt=0\n"
                                 "[CreateRegKeys]\n"
                                 "HKEY_CURRENT_USER\\Software\\SetupE2EWizardFlow\\Build=41540\n"
                                 "HKEY_CURRENT_USER\\Software\\SetupE2EWizardFlow\\Channel=\"\"stable\"\"\n"));
  setup.WriteFile(L"app.txt", "new version of the application");
  setup.WriteFile(L"data.txt", "data of the update");
  SetOldWriteTime(setup.Dir() + L"\\app.txt");
  SetOldWriteTime(setup.Dir() + L"\\data.txt");

  HWND window = StartWizard(setup);
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Installieren"));
  ASSERT_TRUE(WaitForTextPart(window, L"&Fertig")) << Joined(TSetupDriver::VisibleTexts(window));
  EXPECT_TRUE(HasTextContaining(window, L"Das Update wurde installiert."));
  EXPECT_FALSE(HasTextContaining(window, L"&Installieren")) << "the left button stays hidden";

  struct TCopied {
    const wchar_t* Source;
    const wchar_t* Target;
    const char* Content;
  } const files[] = {
      {L"app.txt", L"app.txt", "new version of the application"},
      {L"data.txt", L"sub\\data.txt", "data of the update"},
  };
  for (const TCopied& file : files) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(file.Target)));
    EXPECT_EQ(ReadFileBytes(dest.File(file.Target)), file.Content);
    const FILETIME source = WriteTime(setup.Dir() + L"\\" + file.Source);
    const FILETIME target = WriteTime(dest.File(file.Target));
    EXPECT_EQ(CompareFileTime(&source, &target), 0) << "the copy does not keep the source's time";
  }
  ExpectRegDword(L"Build", 41540);
  ExpectRegString(L"Channel", L"stable");

  FinishAndExpectSuccess(setup, window);
}

TEST(WizardFlow, ClosingTheWindowOnTheFinishedPageEndsWithZero) {
  TTempDir dest;
  TSetupDriver setup;
  HWND window = StartAppUpdate(setup, dest.Path(), "[Files]\napp.txt=0\n");
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Installieren"));
  ASSERT_TRUE(WaitForTextPart(window, L"&Fertig"));
  PostMessageW(window, WM_CLOSE, 0, 0);
  // No question on the finished page: the program simply ends.
  EXPECT_EQ(setup.WaitForExit(), 0);
  EXPECT_TRUE(setup.EndSignalled());
  EXPECT_TRUE(setup.OkSignalled());
}

// The gates that end the setup before any file is touched, from the welcome page and
// after a corrected directory (the Next button must not bypass them).
TEST(WizardFlow, VersionRefusalAndHookVetoEndTheSetupAlsoAfterACorrection) {
  struct TCase {
    const char* Name;
    bool Correct;         // start with a missing directory, corrected on page 2
    const wchar_t* Hook;  // a before-hook DLL, or none
    const wchar_t* Message;  // the message to confirm with OK, or none (no question at all)
    int ExitCode;
  } const cases[] = {
      {"too old on Install", false, nullptr, L"Das Update setzt die Version 2.3.0 voraus", 101},
      {"too old after a correction", true, nullptr, L"Das Update setzt die Version 2.3.0 voraus", 101},
      {"hook says no on Install", false, L"hook_no.dll", nullptr, 102},
      {"hook says no after a correction", true, L"hook_no.dll", nullptr, 102},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir dest;
    WriteFileBytes(dest.File(L"app.txt"), "installed");
    std::string sections = "[Files]\napp.txt=0\n";
    if (c.Hook) {
      sections += "[DLLsBefore]\n" + HookLine(c.Hook, "check");
    } else {
      CopyFixture(L"ver_2_2_9_0.dll", dest.File(L"core.dll"));
      sections += "[NeededFileVersions]\ncore.dll=0|2.3.0\n";
    }
    const std::wstring missing = dest.Path() + L"-missing";
    TSetupDriver setup;
    HWND window = StartAppUpdate(setup, c.Correct ? missing : dest.Path(), sections);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Installieren"));
    if (c.Correct) CorrectDirectory(window, missing, dest.Path());

    if (c.Message) {
      HWND message = WaitForMessage(setup, c.Message);
      ASSERT_NE(message, nullptr);
      ASSERT_TRUE(TSetupDriver::ClickButton(message, L"OK"));
    }
    EXPECT_EQ(setup.WaitForExit(), c.ExitCode);
    EXPECT_TRUE(setup.EndSignalled());
    EXPECT_FALSE(setup.OkSignalled());
    EXPECT_EQ(ReadFileBytes(dest.File(L"app.txt")), "installed") << "a file was copied";
  }
}

TEST(WizardFlow, CorrectionPageTakesATypedPathAndRuns) {
  TTempDir dest;
  const std::wstring missing = dest.Path() + L"-missing";
  TSetupDriver setup;
  HWND window = StartAppUpdate(setup, missing, "[CaptionsForDestDirs]\n1=Programmverzeichnis\n[Files]\napp.txt=0\n");
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Installieren"));
  ASSERT_TRUE(WaitForTextPart(window, L"&Weiter"));
  EXPECT_TRUE(HasTextContaining(window, L"Das Programmverzeichnis wurde nicht gefunden"))
      << Joined(TSetupDriver::VisibleTexts(window));
  EXPECT_TRUE(HasTextContaining(window, L"Bitte korrigieren Sie dieses Verzeichnis"));

  // A second wrong path keeps the page for the next try, which offers the script's
  // directory again.
  const std::wstring stillMissing = dest.Path() + L"-still-missing";
  CorrectDirectory(window, missing, stillMissing);
  ASSERT_TRUE(WaitForTextPart(window, missing)) << Joined(TSetupDriver::VisibleTexts(window));
  EXPECT_TRUE(HasTextContaining(window, L"&Weiter"));

  CorrectDirectory(window, missing, dest.Path());
  ASSERT_TRUE(WaitForTextPart(window, L"&Fertig")) << Joined(TSetupDriver::VisibleTexts(window));
  EXPECT_TRUE(HasTextContaining(window, L"Das Update wurde installiert."));
  EXPECT_EQ(ReadFileBytes(dest.File(L"app.txt")), "new");
  FinishAndExpectSuccess(setup, window);
}

TEST(WizardFlow, FailedCopyShowsTheFailureAndStillEndsWithZero) {
  TTempDir dest;
  // A directory where the update puts a file: the copy cannot open its target.
  ASSERT_TRUE(CreateDirectoryW(dest.File(L"app.txt").c_str(), nullptr));
  TSetupDriver setup;
  HWND window = StartAppUpdate(setup, dest.Path(), "[Files]\napp.txt=0\n");
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Installieren"));
  ASSERT_TRUE(WaitForTextPart(window, L"&Fertig")) << Joined(TSetupDriver::VisibleTexts(window));
  const std::wstring texts = Joined(TSetupDriver::VisibleTexts(window));
  SCOPED_TRACE(texts);
  for (const wchar_t* part : {L"Das Update konnte nicht installiert werden.", L"\"Dateizugriff verweigert\"",  // error 5
                              L"Stellen Sie sicher, dass beim Ausf\u00FChren des Setups",
                              L"Bitte wenden Sie sich an den Support."})
    EXPECT_NE(texts.find(part), std::wstring::npos) << "missing " << testing::PrintToString(std::wstring(part));
  EXPECT_TRUE(IsDir(dest.File(L"app.txt")));
  FinishAndExpectSuccess(setup, window);
}

TEST(WizardFlow, GeneralErrorIsShownWithTheApplicationTitleAndTheWizardStays) {
  TTempDir dest;
  TSetupDriver setup;
  HWND window = StartAppUpdate(setup, dest.Path(), "[Files]\napp.txt=0\n[DLLsBefore]\nno-such-hook.dll=x\n");
  ASSERT_NE(window, nullptr);
  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Installieren"));

  HWND box = setup.WaitForWindow(L"#32770", Timeout);
  ASSERT_NE(box, nullptr) << "no error box";
  EXPECT_EQ(TSetupDriver::Text(box), L"Setup - Vendor App 2.3");
  EXPECT_TRUE(HasTextContaining(box, L"Das Modul no-such-hook.dll kann nicht geladen werden."))
      << Joined(TSetupDriver::VisibleTexts(box));
  ASSERT_TRUE(TSetupDriver::ClickButton(box, L"OK"));

  // Still the welcome page; pressing Install again gives the same error.
  EXPECT_EQ(setup.WaitForExit(300), -1) << "the error ended the program";
  EXPECT_TRUE(HasTextContaining(window, L"&Installieren"));
  EXPECT_TRUE(HasTextContaining(window, L"Dieses Programm aktualisiert Vendor App."));
  EXPECT_EQ(GetFileAttributesW(dest.File(L"app.txt").c_str()), INVALID_FILE_ATTRIBUTES) << "the run started";
  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Installieren"));
  box = setup.WaitForWindow(L"#32770", Timeout);
  ASSERT_NE(box, nullptr) << "no error box the second time";
  ASSERT_TRUE(TSetupDriver::ClickButton(box, L"OK"));

  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"Abbrechen"));
  HWND question = setup.WaitForDialog();
  ASSERT_NE(question, nullptr);
  ASSERT_TRUE(TSetupDriver::ClickButton(question, L"&Ja"));
  EXPECT_EQ(setup.WaitForExit(), 102);
}
