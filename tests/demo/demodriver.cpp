// demodriver: walks through the sample update as a user would. It prepares an installation
// of the sample product (registry values and directories with their marker files), starts
// setup.exe in a fresh update folder with the sample's files, saves a picture of every page
// and of the diagnostic report to build/demo, finishes the wizard, and prints what the run
// did: exit code, events, files and registry values.
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Handles.h"
#include "Screenshot.h"
#include "SetupDriver.h"
#include "TestUtils.h"
#include "TextConv.h"
#include "WizardWatch.h"

namespace {

const wchar_t* const ProgramDir = L"C:\\Sample Editor";
const wchar_t* const DataDir = L"C:\\Sample Editor Data";
const wchar_t* const ProductKey = L"Software\\Example\\SampleEditor";

void Say(const std::wstring& text) { std::printf("%s\n", WideToUtf8(text).c_str()); }

void SetString(HKEY root, const wchar_t* name, const std::wstring& value) {
  TRegKey key;
  if (RegCreateKeyExW(root, ProductKey, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, key.Receive(),
                      nullptr) != ERROR_SUCCESS)
    return;
  RegSetValueExW(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void WriteText(const std::wstring& path, const char* text) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  if (file) WriteFile(file.Get(), text, static_cast<DWORD>(strlen(text)), &written, nullptr);
}

// An installation of Sample Editor 1.2 as the update expects to find it.
void PrepareInstallation() {
  RemoveTree(ProgramDir);
  RemoveTree(DataDir);
  RegDeleteTreeW(HKEY_CURRENT_USER, ProductKey);
  const std::wstring program = ProgramDir, data = DataDir;
  CreateDirectoryW(program.c_str(), nullptr);
  CreateDirectoryW((program + L"\\help").c_str(), nullptr);
  CreateDirectoryW(data.c_str(), nullptr);
  CreateDirectoryW((data + L"\\templates").c_str(), nullptr);
  WriteText(program + L"\\editor.exe", "Sample Editor 1.2\r\n");
  WriteText(program + L"\\help\\index.txt", "Help\r\n");
  WriteText(data + L"\\templates\\normal.txt", "Normal template\r\n");
  CopyFileW(TEST_BIN_DIR L"\\sample-installed\\core.dll", (program + L"\\core.dll").c_str(), FALSE);
  SetString(HKEY_LOCAL_MACHINE, L"exedir", program);
  SetString(HKEY_LOCAL_MACHINE, L"datadir", data);
  Say(L"prepared: HKLM\\" + std::wstring(ProductKey) + L" exedir=" + program + L", datadir=" + data);
}

void CopyIntoUpdateFolder(const TSetupDriver& setup) {
  WIN32_FIND_DATAW found{};
  TFindHandle find(FindFirstFileW(EXAMPLE_UPDATE_DIR L"\\*", &found));
  if (find) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        CopyFileW((std::wstring(EXAMPLE_UPDATE_DIR) + L"\\" + found.cFileName).c_str(),
                  (setup.Dir() + L"\\" + found.cFileName).c_str(), FALSE);
    } while (FindNextFileW(find.Get(), &found));
  }
  CopyFileW(TEST_BIN_DIR L"\\samplehook.dll", (setup.Dir() + L"\\samplehook.dll").c_str(), FALSE);
}

// The sample's own files are copied in a few milliseconds. For the picture of the progress
// page this run's copy of the script gets one large data file more (media.dat, 512 MB),
// which keeps the page up long enough.
void AddLargeFile(const TSetupDriver& setup) {
  const std::wstring scriptPath = setup.Dir() + L"\\setup.ini";
  std::string script = ReadFileBytes(scriptPath);
  const size_t section = script.find("[Files]");
  const size_t lineEnd = section == std::string::npos ? section : script.find('\n', section);
  if (lineEnd == std::string::npos) return;
  if (!WriteFileOfSize(setup.Dir() + L"\\media.dat", 512LL << 20)) return;
  script.insert(lineEnd + 1, lineEnd > 0 && script[lineEnd - 1] == '\r' ? "media.dat=0\r\n" : "media.dat=0\n");
  WriteFileBytes(scriptPath, script);
  Say(L"added to this run's update: media.dat (512 MB), so that the progress page can be photographed");
}

// True when a visible child's caption satisfies the test. Captions are read as the window
// system keeps them: asking the program would wait for its next look at the message queue,
// which during the copy comes only now and then.
bool ShowsCaption(HWND window, const std::function<bool(const std::wstring&)>& test) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    wchar_t text[256] = {};
    if (test(std::wstring(text, static_cast<size_t>(GetWindowTextW(child, text, 256))))) return true;
    if (ShowsCaption(child, test)) return true;
  }
  return false;
}

bool EndsWith(const std::wstring& text, const std::wstring& suffix) {
  return text.size() > suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

void Picture(HWND window, const wchar_t* name, bool repaint = true) {
  if (SaveWindowScreenshot(window, name, repaint)) Say(L"picture: build/demo/" + std::wstring(name));
}

// Shows the diagnostic report over the page, takes its picture and hides it again.
void ReportPicture(HWND window, const wchar_t* name) {
  if (!wizard_watch::PressKeyChord(window, {VK_CONTROL, VK_MENU}, 'W')) return;
  Sleep(300);
  Picture(window, name);
  wizard_watch::PressKeyChord(window, {}, VK_ESCAPE);
  Sleep(200);
}

void ListFiles(const std::wstring& dir) {
  WIN32_FIND_DATAW found{};
  TFindHandle find(FindFirstFileW((dir + L"\\*").c_str(), &found));
  if (!find) return;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      ListFiles(dir + L"\\" + name);
    } else {
      Say(L"  " + dir + L"\\" + name + L"  (" + std::to_wstring(found.nFileSizeLow) + L" bytes)");
    }
  } while (FindNextFileW(find.Get(), &found));
}

void ListValues(HKEY root, const std::wstring& rootName, const std::wstring& path) {
  TRegKey key;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key.Receive()) != ERROR_SUCCESS) return;
  Say(L"  " + rootName + L"\\" + path);
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256, type = 0;
    BYTE data[1024] = {};
    DWORD dataLength = sizeof data - sizeof(wchar_t);
    if (RegEnumValueW(key.Get(), i, name, &nameLength, nullptr, &type, data, &dataLength) != ERROR_SUCCESS) break;
    std::wstring value = type == REG_DWORD ? std::to_wstring(*reinterpret_cast<DWORD*>(data))
                                           : std::wstring(reinterpret_cast<wchar_t*>(data));
    Say(L"    " + std::wstring(nameLength ? name : L"(default)") + L" = " + value);
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[256];
    DWORD nameLength = 256;
    if (RegEnumKeyExW(key.Get(), i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    ListValues(root, rootName, path + L"\\" + name);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  CreateDirectoryW(TEST_ARTIFACTS_DIR, nullptr);
  PrepareInstallation();
  TSetupDriver setup;
  CopyIntoUpdateFolder(setup);
  AddLargeFile(setup);
  std::wstring arguments;
  for (int i = 1; i < argc; ++i) arguments += (i > 1 ? L" " : L"") + std::wstring(argv[i]);
  if (!arguments.empty()) setup.AddEnglishModule();
  setup.Start(arguments);
  HWND window = setup.WaitForMainWindow();
  if (!window) {
    Say(L"the wizard did not appear");
    return 1;
  }
  Sleep(500);
  Picture(window, L"1-welcome.png");
  ReportPicture(window, L"2-report-welcome.png");

  const bool english = arguments.find(L"eng") != std::wstring::npos;
  TSetupDriver::ClickButton(window, english ? L"&Install" : L"&Installieren");
  const std::wstring finish = english ? L"&Finish" : L"&Fertig";
  bool progressSeen = false;
  // The progress page names the file being copied ("a.txt nach"), the finished page's
  // button reads "&Fertig".
  const std::wstring copying = english ? L" to" : L" nach";
  const auto isFinish = [&finish](const std::wstring& text) { return text == finish; };
  const auto isCopying = [&copying](const std::wstring& text) { return EndsWith(text, copying); };
  for (int i = 0; i < 1500 && !ShowsCaption(window, isFinish); ++i) {
    if (HWND dialog = FindWindowW(L"TMessageForm", nullptr)) {  // a question on the way: answer it
      Picture(dialog, L"question.png");
      SendMessageW(dialog, WM_KEYDOWN, VK_RETURN, 0);
    }
    if (!progressSeen && ShowsCaption(window, isCopying)) {
      progressSeen = true;
      Sleep(100);  // the copy is under way: the page has painted its first file and the bar
      Picture(window, L"3-progress.png", false);
    }
    Sleep(10);
  }
  Sleep(300);
  Picture(window, L"4-finished.png");
  ReportPicture(window, L"5-report-finished.png");
  TSetupDriver::ClickButton(window, finish);
  const int exitCode = setup.WaitForExit(15000);

  Say(L"exit code: " + std::to_wstring(exitCode));
  Say(std::wstring(L"event UpdaterSetupResponse: ") + (setup.EndSignalled() ? L"signalled" : L"not signalled"));
  Say(std::wstring(L"event UpdaterSetupOKResponse: ") + (setup.OkSignalled() ? L"signalled" : L"not signalled"));
  Say(L"files of the installation:");
  ListFiles(ProgramDir);
  ListFiles(DataDir);
  Say(L"hook log (samplehook.log in the update folder):");
  Say(Utf8ToWide(ReadFileBytes(setup.Dir() + L"\\samplehook.log")));
  Say(L"registry values:");
  ListValues(HKEY_LOCAL_MACHINE, L"HKLM", ProductKey);
  ListValues(HKEY_CURRENT_USER, L"HKCU", ProductKey);
  return exitCode == 0 ? 0 : 1;
}
