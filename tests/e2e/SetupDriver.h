#pragma once
// Drives the real setup.exe from the outside, as an updater and a user would: a program
// folder of its own with the program (and, when asked, its English module) and a
// setup.ini, the two named events an updater creates, the window texts read with
// WM_GETTEXT, buttons pressed with a posted BM_CLICK, and the exit code.
//
//   TSetupDriver setup;
//   setup.WriteScript(u8"[Setup]\nProduct=App\n");
//   setup.Start(L"ger");
//   HWND window = setup.WaitForMainWindow();
//   setup.ClickButton(window, L"Abbrechen");
//   setup.ClickButton(setup.WaitForDialog(), L"&Ja");
//   EXPECT_EQ(setup.WaitForExit(), 102);
//   EXPECT_TRUE(setup.EndSignalled());
//
// The events' names are fixed, so drivers in parallel test processes would see each
// other's signals: one driver lives at a time in the whole Wine session (TUpdaterEventsLock).
#include <windows.h>

#include <string>
#include <vector>

#include "Handles.h"
#include "TestUtils.h"
#include "UpdaterEventsLock.h"

class TSetupDriver {
public:
  // createEvents false: no updater is waiting.
  explicit TSetupDriver(bool createEvents = true);
  ~TSetupDriver();  // ends a program still running
  TSetupDriver(const TSetupDriver&) = delete;
  TSetupDriver& operator=(const TSetupDriver&) = delete;

  // The program folder (also the program's current directory).
  const std::wstring& Dir() const { return FDir.Path(); }
  // Puts setup.EN_ of the test build beside the program.
  void AddEnglishModule();
  // Writes setup.ini as UTF-8 with a byte-order mark; "\n" becomes CR LF.
  void WriteScript(const std::string& utf8Text);
  void WriteFile(const std::wstring& name, const std::string& bytes);

  // Starts setup.exe with the given command-line arguments; fails the test when it cannot.
  void Start(const std::wstring& arguments = L"");
  bool Running() const;
  // Waits for the program to end; its exit code, or -1 after the timeout.
  int WaitForExit(DWORD milliseconds = 10000);

  // The program's shown top-level window of the class, nullptr after the timeout; looks
  // every pollMilliseconds (a benchmark timing a window's appearance looks more often).
  HWND WaitForWindow(const wchar_t* className, DWORD milliseconds = 10000, DWORD pollMilliseconds = 20) const;
  HWND WaitForMainWindow(DWORD milliseconds = 10000) const { return WaitForWindow(L"TFormMain", milliseconds); }
  // A message dialog of the program.
  HWND WaitForDialog(DWORD milliseconds = 10000) const { return WaitForWindow(L"TMessageForm", milliseconds); }

  // The window's text through WM_GETTEXT.
  static std::wstring Text(HWND window);
  // The texts of all visible descendants, in window order; empty texts left out.
  static std::vector<std::wstring> VisibleTexts(HWND window);
  // The first visible descendant of the class whose text equals text; nullptr when none.
  static HWND FindChild(HWND window, const wchar_t* className, const std::wstring& text);
  // Posts BM_CLICK to the visible button with the caption; false when there is none.
  static bool ClickButton(HWND window, const std::wstring& caption);

  bool EndSignalled() const;  // "UpdaterSetupResponse"
  bool OkSignalled() const;   // "UpdaterSetupOKResponse"

private:
  TUpdaterEventsLock FLock;  // first member: taken before the events exist
  TTempDir FDir;
  TKernelHandle FEndEvent;
  TKernelHandle FOkEvent;
  TKernelHandle FProcess;
  DWORD FProcessId = 0;
};
