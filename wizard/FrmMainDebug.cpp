// The diagnostic report of the main window: Ctrl+Alt+W shows it over the pages, Esc hides
// it again, Ctrl+A in it selects all of its text.
#include "CmdLine.h"
#include "DebugReport.h"
#include "FrmMain.h"

void TFormMain::FormKeyDown(WORD& key, bool shift, bool ctrl, bool alt) {
  const bool reportShown = IsWindowVisible(memDebug.Handle()) != FALSE;
  if (key == 'W' && ctrl && alt && !shift) {
    BuildDebugReport();
    ShowWindow(memDebug.Handle(), SW_SHOW);
    BringWindowToTop(memDebug.Handle());
    key = 0;
  } else if (key == VK_ESCAPE && reportShown) {
    ShowWindow(memDebug.Handle(), SW_HIDE);
    key = 0;
  } else if (reportShown && GetFocus() == memDebug.Handle()) {
    memDebugKeyDown(key, shift, ctrl, alt);
  }
}

void TFormMain::memDebugKeyDown(WORD& key, bool shift, bool ctrl, bool alt) {
  // A multi-line edit has no select-all key of its own.
  if (key == 'A' && ctrl && !shift && !alt) {
    SendMessageW(memDebug.Handle(), EM_SETSEL, 0, -1);
    key = 0;
  }
}

void TFormMain::BuildDebugReport() {
  // A snapshot: built fresh each time, unchanged while shown.
  const std::wstring text = DebugReportText(BuildDebugReportLines(*FState, ProcessArgs()));
  SetWindowTextW(memDebug.Handle(), text.c_str());
}
