#pragma once
// TFormMain: the installer's wizard window. A fixed-size dialog-like window with a header
// (picture, product caption, sub-caption), the four pages in TabbedPanel, a footer caption
// that can be a web link, and two buttons whose meaning changes with the page. It owns the
// engine state for the whole run and implements the engine's seams: the run display and
// the application services (exit code, ending, owner window, cursor).
//
// The layout is the table of FormLayout.h, scaled by the screen's dots per inch. The
// window's own texts come from its definition in the current resource source
// (WindowTexts.h); the button captions from the message table; everything else from the
// setup script.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CoolLabel.h"
#include "EllipseEdit.h"
#include "EngineSeams.h"
#include "EngineState.h"
#include "FormLayout.h"
#include "Handles.h"
#include "HeaderImage.h"
#include "MessageLoop.h"
#include "Pacer.h"
#include "PaintBox.h"
#include "Panel.h"
#include "PushButton.h"
#include "QXProgressBar.h"
#include "Switcher.h"
#include "TabbedPanel.h"
#include "WindowBase.h"

// Fills the engine state from the setup script. Start-up passes the reader of the
// program's own setup.ini; window tests pass their own.
using TScriptLoader = std::function<void(TEngineState& state)>;

// Sees every key pressed in the window before the focused control does; setting key to 0
// swallows it.
using TKeyPreviewEvent = std::function<void(WORD& key, bool shift, bool ctrl, bool alt)>;

class TFormMain : public TWindowBase, public TRunDisplay, public TAppServices, private IRereadableForm {
public:
  // dpi 0: the screen's dots per inch decide the scale (96 is 1.0).
  explicit TFormMain(TScriptLoader loadScript, int dpi = 0);
  ~TFormMain() override;

  // Creates the window with all its controls and runs FormCreate. A failure on this way
  // shows "Fehler beim Initialisieren des Setups:" with the error's message, sets exit
  // code 100 and asks the application to terminate. The window is not shown yet.
  void CreateForm();
  // Shows the window, focused on its first control that takes the focus.
  void ShowForm(int showCommand = SW_SHOWNORMAL);
  // Keyboard handling for the message loop, before TranslateMessage: the key preview,
  // Enter for the default button, Tab among the controls. True when the message is done.
  bool PreprocessMessage(MSG& message);
  bool Terminated() const noexcept { return FTerminated; }

  // nullptr once FormDestroy has freed it.
  TEngineState* State() noexcept { return FState.get(); }
  const TLayoutScale& Scale() const noexcept { return FScale; }
  // "Setup - " and the product caption: the title of the general error display.
  const std::wstring& ApplicationTitle() const noexcept { return FApplicationTitle; }
  // The window of a control by its name in the layout table; nullptr when unknown.
  HWND ControlByName(const std::wstring& name) const;

  // Shows the script's texts, colours, picture and footer of the engine state.
  void ApplyScriptToWindow();
  // Sets FPage and both buttons; a page other than 1 to 4 raises "UnkownPage".
  void SetPage(int page);
  void ShowWelcomePage();
  void ShowCheckDirPage(const std::wstring& dir, const std::wstring& reason);
  // Both footer labels show text; the bevel line continues beside it; a web address
  // becomes clickable over the lower label.
  void SetBottomCaption(const std::wstring& text);

  // The run display.
  void ShowProgressPage() override;
  void ShowCopyFile(const std::wstring& fileText, const std::wstring& dirText) override;
  void SetProgressMax(int max) override;
  void SetProgressPosition(int position) override;
  void ShowFinishedText(const std::wstring& text) override;

  // The application services.
  void ProcessMessages() override;
  int ExitCode() const override { return FExitCode; }
  void SetExitCode(int code) override { FExitCode = code; }
  void Terminate() override;
  [[noreturn]] void EndNow() override;
  HWND OwnerWindow() const override { return Handle(); }
  void SetAppCursor(TAppCursor cursor) override;

  // Handlers. The Install and Next actions of btnLeft belong to the wizard controller.
  void btnLeftClick();
  void btnRightClick();
  // Asks whether to cancel (unless the window is to close without asking); Yes ends the
  // process at once with exit code 102 and does not return. False when declined.
  bool CancelSetup();
  void FormCloseQuery(bool& canClose);
  void edDirChange();
  // The folder selection for edDir; a confirmed choice becomes its text.
  void edDirEllipsisClick();
  void pbUrlClick();
  // The diagnostic report's keys (FrmMainDebug.cpp); CreateForm makes FormKeyDown the key
  // preview.
  void FormKeyDown(WORD& key, bool shift, bool ctrl, bool alt);
  void memDebugKeyDown(WORD& key, bool shift, bool ctrl, bool alt);
  // Fills memDebug with the diagnostic report of the current state.
  void BuildDebugReport();

  TKeyPreviewEvent OnFormKeyDown;

  // The controls, named as in the layout table.
  TPanel pnlHeader;
  TPanel pnlImage;
  TImage Image;
  TPanel pnlHeaderRight;
  TPanel pnlCaptionHead;
  TPanel pnlCaptionBody;
  TTabbedPanel TabbedPanel;
  TWindowBase memDebug;
  TPanel pnlBottom;
  TEllipsisLabel lblBottom;
  TPanel pnlBottomBottom;
  TWindowBase bvlBottom;
  TEllipsisLabel lblBottomBottom;
  TPaintBox pbUrl;
  TPanel pnlButtons;
  TPushButton btnLeft;
  TPushButton btnRight;
  TPanel pnlWelcome;
  TEllipsisLabel lblWelcome;
  TPanel pnlCheckDir;
  TEllipsisLabel lblCheckDir;
  TEllipseEdit edDir;
  TEllipsisLabel Label3;
  TPanel pnlFinished;
  TEllipsisLabel lblFinished;
  TPanel pnlProgress;
  TEllipsisLabel Label1;
  TEllipsisLabel lblCopyFile;
  TEllipsisLabel lblCopyDir;
  TqxProgressBar ProgressBar;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void CreateWindowAndControls();
  void CreateControls(const TLayoutRects& rects);
  void ApplyWindowTexts();
  void FormCreate();
  void StartupFailed(const std::wstring& message);
  void FormDestroy();
  // Places the aligned controls again after a visibility or size change in the header.
  void Realign();
  TLayoutRects Arrange() const;
  void RereadTexts() override;
  // The wizard controller (FrmMainActions.cpp).
  void InstallClick();
  void NextClick();
  // The gates after a passed directory check, then the installation run.
  void CheckVersionsHooksAndRun();
  // The general error display: installed once the window stands, removed with it.
  void InstallErrorDisplay();
  void RemoveErrorDisplay();
  void ShowGeneralError(const Exception& error);
  // Sets the progress page's two lines to the newest texts of ShowCopyFile.
  void ApplyCopyTexts();

  TScriptLoader FLoadScript;
  TLayoutScale FScale;
  std::vector<TLayoutItem> FLayout;
  std::map<std::wstring, HWND> FControls;
  TGdiObject FFont;      // "MS Shell Dlg 2", 11 pixels at 96 dpi
  TGdiObject FHeadFont;  // the same face, 19 pixels, for the product caption
  std::unique_ptr<TEngineState> FState;
  std::wstring FApplicationTitle;
  int FExitCode = 0;
  bool FTerminated = false;
  bool FRegistered = false;
  TAppCursor FAppCursor = TAppCursor::Default;
  TWindowErrorHandler FPreviousErrorHandler;
  bool FErrorDisplayInstalled = false;
  std::wstring FCopyFileText;
  std::wstring FCopyDirText;
  TPacer FCopyTextPacer{BusyRefreshMs};
};
