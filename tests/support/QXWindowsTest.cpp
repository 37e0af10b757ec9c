#include <gtest/gtest.h>

#include <windows.h>

#include "Exceptions.h"
#include "Handles.h"
#include "QXWindows.h"
#include "TestUtils.h"

namespace {

// Sets an environment variable for the scope; child processes started meanwhile inherit it.
class TEnvScope {
public:
  TEnvScope(const wchar_t* name, const wchar_t* value) : FName(name) {
    wchar_t old[2048];
    const DWORD length = GetEnvironmentVariableW(name, old, 2048);
    FHad = length > 0 && length < 2048;
    if (FHad) FOld = old;
    SetEnvironmentVariableW(name, value);
  }
  ~TEnvScope() { SetEnvironmentVariableW(FName.c_str(), FHad ? FOld.c_str() : nullptr); }

private:
  std::wstring FName, FOld;
  bool FHad = false;
};

bool WaitUntil(bool expected, const std::wstring& name) {
  for (int i = 0; i < 100; ++i) {
    if (IsProgramRunning(name) == expected) return true;
    Sleep(50);
  }
  return false;
}

}  // namespace

TEST(QXWindows, IsProgramRunningComparesTheFileNameCaseSensitively) {
  TTempDir dir;
  const std::wstring name = L"QxProbe" + std::to_wstring(GetCurrentProcessId()) + L".exe";
  ASSERT_TRUE(CopyFileW((std::wstring(TEST_BIN_DIR) + L"\\procprobe.exe").c_str(), dir.File(name).c_str(), FALSE));
  EXPECT_FALSE(IsProgramRunning(name));
  std::wstring commandLine = L"\"" + dir.File(name) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &info));
  TKernelHandle process(info.hProcess), thread(info.hThread);
  EXPECT_TRUE(WaitUntil(true, name));  // the path in the snapshot is not compared
  std::wstring otherCase = name;
  otherCase[0] = L'q';
  EXPECT_FALSE(IsProgramRunning(otherCase));
  EXPECT_FALSE(IsProgramRunning(dir.File(name)));
  EXPECT_FALSE(IsProgramRunning(L"QxProbe"));
  TerminateProcess(process.Get(), 0);
  WaitForSingleObject(process.Get(), 5000);
  EXPECT_TRUE(WaitUntil(false, name));
}

TEST(QXWindows, InternetPageAddressAddsTheSchemeWhenMissing) {
  struct Case {
    std::wstring url, expected;
  } cases[] = {
      {L"www.example.org", L"http://www.example.org"},
      {L"http://x.org", L"http://x.org"},
      {L"HTTPS://x.org/a b", L"HTTPS://x.org/a b"},
      {L"hTtP://x", L"hTtP://x"},
      {L"ftp://x.org", L"http://ftp://x.org"},
      {L"http:/x", L"http://http:/x"},
      {L"", L"http://"},
      {L" http://x", L"http:// http://x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.url));
    EXPECT_EQ(InternetPageAddress(c.url), c.expected);
  }
}

TEST(QXWindows, OpenDocumentFailureCarriesCodeAndSystemText) {
  TTempDir dir;
  const std::wstring missing = dir.File(L"missing.txt");
  try {
    OpenDocument(nullptr, missing);
    FAIL() << "no error";
  } catch (const EOpenDocumentError& error) {
    EXPECT_EQ(error.ErrorCode, 2);
    const std::wstring head = L"Beim Öffnen von " + missing + L" ist ein Fehler (2) aufgetreten:\r\n";
    EXPECT_EQ(error.Message().substr(0, head.size()), head);
    EXPECT_GT(error.Message().size(), head.size() + 1);
    EXPECT_EQ(error.Message().back(), L'.');
    EXPECT_NE(error.Message()[error.Message().size() - 2], L'.');
  }
}

// With the browser launcher disabled for the processes this test starts, opening a web
// page fails dependably and no browser appears.
TEST(QXWindows, OpenInternetPageFailureNamesTheAddressAsOpened) {
  TEnvScope noBrowser(L"WINEDLLOVERRIDES", L"mscoree,mshtml=;winebrowser.exe=d");
  try {
    OpenInternetPage(nullptr, L"www.example.invalid");
    GTEST_SKIP() << "this Wine starts the disabled browser launcher without reporting a failure";
  } catch (const EOpenDocumentError& error) {
    EXPECT_NE(error.ErrorCode, 0);
    const std::wstring head = L"Beim Öffnen der Internetseite \"http://www.example.invalid\" ist ein Fehler (" +
                              std::to_wstring(error.ErrorCode) + L") aufgetreten:\r\n";
    EXPECT_EQ(error.Message().substr(0, head.size()), head);
    EXPECT_EQ(error.Message().back(), L'.');
  }
}
