#include "WizardWatch.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "QXWindows.h"
#include "SetupDriver.h"
#include "TextConv.h"

namespace wizard_watch {

std::string UpdateScript(const std::wstring& destDir, const std::string& sections) {
  return "[Setup]\n"
         "Product=Vendor App 2.3\n"
         "FormCaption=Vendor App Update\n"
         "[Welcome]\n"
         "Text=Dieses Programm aktualisiert Vendor App.\n"
         "[Welcome_Eng]\n"
         "Text=This program updates Vendor App.\n"
         "[Finished]\n"
         "TextSuccess=Das Update wurde installiert.\n"
         "TextFailure=Das Update konnte nicht installiert werden.\n"
         "TextFailureSolution=Bitte wenden Sie sich an den Support.\n"
         "[Finished_Eng]\n"
         "TextSuccess=The update has been installed.\n"
         "TextFailure=The update could not be installed.\n"
         "TextFailureSolution=Please contact support.\n"
         "[DefaultDestDirs]\n"
         "1=" +
         WideToUtf8(destDir) + "\n" + sections;
}

HWND StartWizard(TSetupDriver& setup, const std::wstring& arguments) {
  setup.Start(arguments);
  HWND window = setup.WaitForMainWindow();
  EXPECT_NE(window, nullptr) << "no main window";
  return window;
}

std::wstring Joined(const std::vector<std::wstring>& texts) {
  std::wstring all;
  for (const std::wstring& text : texts) all += text + L" | ";
  return all;
}

bool HasTextContaining(HWND window, const std::wstring& part) {
  const std::vector<std::wstring> texts = TSetupDriver::VisibleTexts(window);
  return std::any_of(texts.begin(), texts.end(),
                     [&part](const std::wstring& text) { return text.find(part) != std::wstring::npos; });
}

bool WaitForTextPart(HWND window, const std::wstring& part, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  while (!HasTextContaining(window, part)) {
    if (!IsWindow(window) || GetTickCount() - start > milliseconds) return false;
    Sleep(20);
  }
  return true;
}

namespace {
struct TTextSearch {
  const std::wstring* Text;
  HWND Found;
};

BOOL CALLBACK FindText(HWND child, LPARAM data) {
  auto& search = *reinterpret_cast<TTextSearch*>(data);
  wchar_t text[256] = {};
  GetWindowTextW(child, text, static_cast<int>(std::size(text)));
  if (*search.Text != text) return TRUE;
  search.Found = child;
  return FALSE;
}
}  // namespace

HWND WaitForChildText(HWND window, const std::wstring& text, DWORD milliseconds) {
  const DWORD start = GetTickCount();
  for (;;) {
    TTextSearch search{&text, nullptr};
    EnumChildWindows(window, FindText, reinterpret_cast<LPARAM>(&search));
    if (search.Found) return search.Found;
    if (!IsWindow(window) || GetTickCount() - start > milliseconds) return nullptr;
    Sleep(1);
  }
}

namespace {
INPUT KeyInput(WORD key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}
}  // namespace

bool PressKeyChord(HWND window, std::initializer_list<WORD> modifiers, WORD key) {
  // Key input goes to the foreground window; the window manager may take a moment.
  const DWORD start = GetTickCount();
  while (GetForegroundWindow() != window) {
    SetForegroundWindow(window);
    if (GetTickCount() - start > 5000) return false;
    Sleep(20);
  }
  std::vector<INPUT> inputs;
  for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
  inputs.push_back(KeyInput(key, false));
  inputs.push_back(KeyInput(key, true));
  for (auto it = std::rbegin(modifiers); it != std::rend(modifiers); ++it) inputs.push_back(KeyInput(*it, true));
  return SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

TRunningProgram::TRunningProgram(const std::wstring& dir, const std::wstring& fileName) {
  const std::wstring path = dir + L"\\" + fileName;
  if (!CopyFileW((std::wstring(TEST_BIN_DIR) + L"\\procprobe.exe").c_str(), path.c_str(), FALSE)) return;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + path + L"\"";
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &FInfo)) {
    FInfo = {};
    return;
  }
  // Until the process list shows it, the setup's check would not see it either.
  for (int i = 0; i < 250 && !IsProgramRunning(fileName); ++i) Sleep(20);
}

void TRunningProgram::Stop() {
  if (!FInfo.hProcess) return;
  TerminateProcess(FInfo.hProcess, 0);
  WaitForSingleObject(FInfo.hProcess, 5000);
  CloseHandle(FInfo.hThread);
  CloseHandle(FInfo.hProcess);
  FInfo = {};
}

}  // namespace wizard_watch
