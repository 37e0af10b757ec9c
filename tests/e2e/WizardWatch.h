#pragma once
// What the end-to-end tests and the run benchmark do to a running wizard from the outside
// beyond clicking: read its texts over time, press key chords as a user would and keep a
// "program that must not run" running.
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

class TSetupDriver;

namespace wizard_watch {

// The script of a small update of "Vendor App 2.3" into destDir with German and English
// texts; sections are added at its end.
std::string UpdateScript(const std::wstring& destDir, const std::string& sections = "");
// Starts the wizard with the arguments; its main window, or nullptr (and the calling test
// fails) when none shows.
HWND StartWizard(TSetupDriver& setup, const std::wstring& arguments = L"ger");

// The texts joined with " | ", for failure messages.
std::wstring Joined(const std::vector<std::wstring>& texts);
// True when a visible descendant's text contains part.
bool HasTextContaining(HWND window, const std::wstring& part);
// Polls until a visible descendant's text contains part; false after the timeout or when
// the window is gone.
bool WaitForTextPart(HWND window, const std::wstring& part, DWORD milliseconds = 15000);

// Polls, without waiting for the window's busy thread, until a descendant shows exactly
// the text; the descendant, or nullptr after the timeout. Reads the texts the window
// manager keeps, so it sees a change within a millisecond even during a long copy.
HWND WaitForChildText(HWND window, const std::wstring& text, DWORD milliseconds = 15000);

// Brings the window to the front and types the key with the modifiers held, through the
// system's input queue: the window sees real key messages with the matching key state,
// which a posted WM_KEYDOWN would not give it.
bool PressKeyChord(HWND window, std::initializer_list<WORD> modifiers, WORD key);

// A copy of the procprobe fixture, started under the given file name in dir; it waits
// until it is ended. Stop() (or the destructor) ends it.
class TRunningProgram {
public:
  TRunningProgram(const std::wstring& dir, const std::wstring& fileName);
  ~TRunningProgram() { Stop(); }
  TRunningProgram(const TRunningProgram&) = delete;
  TRunningProgram& operator=(const TRunningProgram&) = delete;

  bool Started() const { return FInfo.hProcess != nullptr; }
  void Stop();

private:
  PROCESS_INFORMATION FInfo{};
};

}  // namespace wizard_watch
