// Program entry: the order of start-up and the message loop. The main window does the
// rest: it reads the script when it is created, and its destruction frees the engine
// state and signals the updater's events.
#include <windows.h>

#include "ControlUtils.h"
#include "EngineSeams.h"
#include "Exceptions.h"
#include "FrmMain.h"
#include "ScriptReader.h"
#include "Switcher.h"
#include "TextConv.h"

namespace {

void ReadScriptOfThisProgram(TEngineState& state) { ReadSetupScript(state, ProcessScriptEnvironment()); }

void RunMessageLoop(TFormMain& form) {
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    NoteQueueLook();
    if (form.PreprocessMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  // The program's modules: the common controls the window uses.
  InitControls();
  // The application: the manifest declares DPI awareness; this covers systems that
  // ignore it, so the layout is scaled rather than stretched blurry.
  SetProcessDPIAware();

  int exitCode = ecStartupFailed;
  try {
    ChooseStartupLanguage();
    TFormMain form(ReadScriptOfThisProgram);
    form.CreateForm();
    if (!form.Terminated()) form.ShowForm(showCommand == SW_HIDE ? SW_SHOWNORMAL : showCommand);
    RunMessageLoop(form);
    exitCode = form.ExitCode();
    // The window's destruction signals the events with the exit code in force.
    if (form.Handle()) DestroyWindow(form.Handle());
  } catch (const Exception& error) {
    // Only errors that no window could show reach here (the language choice runs before
    // the window exists); the message box needs no resources.
    MessageBoxW(nullptr, error.Message().c_str(), L"Setup", MB_OK | MB_ICONERROR);
  } catch (const std::exception& error) {
    MessageBoxW(nullptr, Utf8ToWide(error.what()).c_str(), L"Setup", MB_OK | MB_ICONERROR);
  }
  // Not reached after an immediate end, which exits from inside the window.
  return exitCode;
}
