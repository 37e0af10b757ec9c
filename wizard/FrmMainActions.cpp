// The wizard controller's actions of the main window: the left button's Install and Next,
// the folder selection of the correction page, and the general error display.
#include "DestDirs.h"
#include "DllHooks.h"
#include "ErrorDisplay.h"
#include "Exceptions.h"
#include "FolderDialog.h"
#include "FrmMain.h"
#include "InstallRun.h"
#include "MessageIds.h"
#include "PageButtons.h"
#include "PreInstallChecks.h"
#include "ResString.h"

void TFormMain::btnLeftClick() {
  ShowWindow(memDebug.Handle(), SW_HIDE);
  switch (btnLeft.Tag()) {
    case TagInstall:
      InstallClick();
      break;
    case TagNext:
      NextClick();
      break;
  }
}

void TFormMain::InstallClick() {
  TEngineState& state = *FState;
  if (!CheckProgramsMustNotRun(state)) return;
  TDirCorrection correction;
  if (!CheckDestDirs(state, correction)) {
    ShowCheckDirPage(correction.Dir, correction.Reason);
    return;
  }
  CheckVersionsHooksAndRun();
}

void TFormMain::NextClick() {
  TEngineState& state = *FState;
  StoreCorrectedDir(state, edDir.Text());
  TDirCorrection correction;
  if (!CheckDestDirs(state, correction)) {
    ShowCheckDirPage(correction.Dir, correction.Reason);
    return;
  }
  // The same gates as Install: a directory that had to be corrected must not let a too-old
  // installation or a hook's veto slip through.
  CheckVersionsHooksAndRun();
}

void TFormMain::CheckVersionsHooksAndRun() {
  TEngineState& state = *FState;
  // A refusal has already set exit code 101 and asked the application to end.
  if (!CheckNeededFileVersions(state, *this)) return;
  if (!CallDLLsBefore(state, *this)) {
    // A hook's no ends the setup without the cancel question: the close request goes
    // through FormCloseQuery to CancelSetup, which ends the process with 102.
    state.FShouldClose = true;
    SendMessageW(Handle(), WM_CLOSE, 0, 0);
    return;
  }
  const TEngineSeams seams{*this, *this};
  RunInstallation(state, seams);
}

void TFormMain::edDirEllipsisClick() {
  if (auto chosen = BrowseForFolder(Handle(), LoadResString(SSelectDirTitle), edDir.Text())) edDir.SetText(*chosen);
}

void TFormMain::InstallErrorDisplay() {
  FPreviousErrorHandler = SetWindowErrorHandler([this](const Exception& error) { ShowGeneralError(error); });
  FErrorDisplayInstalled = true;
}

void TFormMain::RemoveErrorDisplay() {
  if (!FErrorDisplayInstalled) return;
  SetWindowErrorHandler(std::move(FPreviousErrorHandler));
  FErrorDisplayInstalled = false;
}

void TFormMain::ShowGeneralError(const Exception& error) {
  // The wizard stays on its page: the handler that raised the error has simply ended.
  ShowErrorBox(Handle(), FApplicationTitle, error.Message());
}
