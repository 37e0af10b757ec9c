#include "SetupDriver.h"

#include <gtest/gtest.h>

namespace {

bool IsSignalled(const TKernelHandle& event) {
  return event && WaitForSingleObject(event.Get(), 0) == WAIT_OBJECT_0;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return name;
}

struct TWindowSearch {
  DWORD ProcessId;
  const wchar_t* ClassName;
  HWND Found;
};

BOOL CALLBACK FindTopLevel(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TWindowSearch*>(data);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != search.ProcessId || !IsWindowVisible(window) || ClassOf(window) != search.ClassName) return TRUE;
  search.Found = window;
  return FALSE;
}

void CollectVisibleDescendants(HWND parent, std::vector<HWND>& found) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    found.push_back(child);
    CollectVisibleDescendants(child, found);
  }
}

}  // namespace

TSetupDriver::TSetupDriver(bool createEvents) {
  if (createEvents) {
    FEndEvent.Reset(CreateEventW(nullptr, TRUE, FALSE, L"UpdaterSetupResponse"));
    FOkEvent.Reset(CreateEventW(nullptr, TRUE, FALSE, L"UpdaterSetupOKResponse"));
    EXPECT_TRUE(FEndEvent && FOkEvent) << "cannot create the events";
  }
  EXPECT_TRUE(CopyFileW(TEST_BIN_DIR L"\\setup.exe", FDir.File(L"setup.exe").c_str(), FALSE));
}

TSetupDriver::~TSetupDriver() {
  if (Running()) {
    TerminateProcess(FProcess.Get(), 1);
    WaitForSingleObject(FProcess.Get(), 5000);
  }
  FProcess.Reset();
}

void TSetupDriver::AddEnglishModule() {
  EXPECT_TRUE(CopyFileW(TEST_BIN_DIR L"\\setup.EN_", FDir.File(L"setup.EN_").c_str(), FALSE));
}

void TSetupDriver::WriteScript(const std::string& utf8Text) {
  std::string text = "\xEF\xBB\xBF";
  for (char c : utf8Text) {
    if (c == '\n') text += '\r';
    text += c;
  }
  WriteFileBytes(FDir.File(L"setup.ini"), text);
}

void TSetupDriver::WriteFile(const std::wstring& name, const std::string& bytes) {
  WriteFileBytes(FDir.File(name), bytes);
}

void TSetupDriver::Start(const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + FDir.File(L"setup.exe") + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, FDir.Path().c_str(),
                             &startup, &process))
      << "cannot start setup.exe, error " << GetLastError();
  CloseHandle(process.hThread);
  FProcess.Reset(process.hProcess);
  FProcessId = process.dwProcessId;
}

bool TSetupDriver::Running() const { return FProcess && WaitForSingleObject(FProcess.Get(), 0) == WAIT_TIMEOUT; }

int TSetupDriver::WaitForExit(DWORD milliseconds) {
  if (!FProcess || WaitForSingleObject(FProcess.Get(), milliseconds) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(FProcess.Get(), &code);
  return static_cast<int>(code);
}

HWND TSetupDriver::WaitForWindow(const wchar_t* className, DWORD milliseconds, DWORD pollMilliseconds) const {
  const DWORD start = GetTickCount();
  for (;;) {
    TWindowSearch search{FProcessId, className, nullptr};
    EnumWindows(FindTopLevel, reinterpret_cast<LPARAM>(&search));
    if (search.Found) return search.Found;
    if (GetTickCount() - start > milliseconds || !Running()) return nullptr;
    Sleep(pollMilliseconds);
  }
}

std::wstring TSetupDriver::Text(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return {};
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  text.resize(copied);
  return text;
}

std::vector<std::wstring> TSetupDriver::VisibleTexts(HWND window) {
  std::vector<HWND> children;
  CollectVisibleDescendants(window, children);
  std::vector<std::wstring> texts;
  for (HWND child : children)
    if (std::wstring text = Text(child); !text.empty()) texts.push_back(text);
  return texts;
}

HWND TSetupDriver::FindChild(HWND window, const wchar_t* className, const std::wstring& text) {
  std::vector<HWND> children;
  CollectVisibleDescendants(window, children);
  for (HWND child : children)
    if (_wcsicmp(ClassOf(child).c_str(), className) == 0 && Text(child) == text) return child;
  return nullptr;
}

bool TSetupDriver::ClickButton(HWND window, const std::wstring& caption) {
  HWND button = FindChild(window, L"Button", caption);
  return button && PostMessageW(button, BM_CLICK, 0, 0);
}

bool TSetupDriver::EndSignalled() const { return IsSignalled(FEndEvent); }

bool TSetupDriver::OkSignalled() const { return IsSignalled(FOkEvent); }
