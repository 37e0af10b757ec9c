#include "FrmMain.h"

#include "ControlUtils.h"
#include "EndEvents.h"
#include "Exceptions.h"
#include "FooterGeometry.h"
#include "MessageIds.h"
#include "MessageLoop.h"
#include "PageButtons.h"
#include "QXDialogs.h"
#include "QXWindows.h"
#include "ResString.h"
#include "TextConv.h"
#include "WindowTexts.h"

namespace {

constexpr const wchar_t* FontFace = L"MS Shell Dlg 2";
constexpr const wchar_t* DefinitionName = L"TFORMMAIN";

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

// Script colours may name a system colour (high byte set, system colour index below).
COLORREF ColorToRgb(COLORREF color) {
  return (color & 0xFF000000) ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

// Stacks windows of one parent so that the first lies on top; the z-order is also the
// order in which Tab moves through them.
void StackInOrder(std::initializer_list<HWND> windows) {
  for (HWND window : windows)
    SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Place(HWND window, const RECT& rect, bool keepSize = false) {
  SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
               SWP_NOZORDER | SWP_NOACTIVATE | (keepSize ? SWP_NOSIZE : 0));
}

// A label that shows its text as it is (no access-key underline, no shortening).
void MakePlainLabel(TEllipsisLabel& label, bool wordWrap, bool autoSize) {
  label.SetEllipsis(elNone);
  label.SetShowFullTextOnHint(false);
  label.SetShowAccelChar(false);  // script texts may contain "&"
  label.SetTransparent(true);
  label.SetWordWrap(wordWrap);
  label.SetAutoSize(autoSize);
}

}  // namespace

TFormMain::TFormMain(TScriptLoader loadScript, int dpi)
    : FLoadScript(std::move(loadScript)), FScale(dpi > 0 ? dpi : ScreenDpi()), FLayout(MainFormLayout()) {}

TFormMain::~TFormMain() {
  // While this object is whole, so that FormDestroy still runs.
  if (Handle()) DestroyWindow(Handle());
  if (FRegistered) UnregisterRereadableForm(this);
  RemoveErrorDisplay();
}

HWND TFormMain::ControlByName(const std::wstring& name) const {
  const auto found = FControls.find(name);
  return found == FControls.end() ? nullptr : found->second;
}

TLayoutRects TFormMain::Arrange() const {
  const bool imageShown = !pnlImage.Handle() || pnlImage.Visible();
  return ArrangeLayout(FLayout, FScale(FormClientWidth), FScale(FormClientHeight), FScale,
                       [imageShown](const std::wstring& name) { return imageShown || name != L"pnlImage"; });
}

void TFormMain::CreateForm() {
  try {
    CreateWindowAndControls();
    FormCreate();
    InstallErrorDisplay();
    OnFormKeyDown = [this](WORD& key, bool shift, bool ctrl, bool alt) { FormKeyDown(key, shift, ctrl, alt); };
  } catch (const Exception& error) {
    StartupFailed(error.Message());
  } catch (const std::exception& error) {
    // Exhausted memory and the like end the same way rather than past the events.
    StartupFailed(Utf8ToWide(error.what()));
  }
}

void TFormMain::StartupFailed(const std::wstring& message) {
  MessageDialogFmt(LoadResString(SInitSetupError), {message}, mtError, 0, -1, true);
  SetExitCode(ecStartupFailed);
  Terminate();
}

void TFormMain::CreateWindowAndControls() {
  const int clientWidth = FScale(FormClientWidth), clientHeight = FScale(FormClientHeight);
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  RECT frame{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  Create(L"TFormMain", exStyle, style, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
         (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, nullptr, L"",
         reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  // The frame's real size may differ from the computed one (themes, window managers).
  RECT client;
  GetClientRect(Handle(), &client);
  if (client.right != clientWidth || client.bottom != clientHeight)
    SetWindowPos(Handle(), nullptr, 0, 0, width + clientWidth - client.right, height + clientHeight - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

  FFont = CreateUiFont(FontFace, FScale(11));
  FHeadFont = CreateUiFont(FontFace, FScale(19));
  CreateControls(Arrange());
  ApplyWindowTexts();
  RegisterRereadableForm(this);
  FRegistered = true;
}

void TFormMain::CreateControls(const TLayoutRects& rects) {
  auto rect = [&rects](const wchar_t* name) { return rects.at(name); };
  auto panel = [&](TPanel& control, const wchar_t* name, HWND parent) {
    const RECT r = rect(name);
    control.CreatePanel(parent, r.left, r.top, r.right - r.left, r.bottom - r.top, name);
    FControls[name] = control.Handle();
  };
  auto label = [&](TEllipsisLabel& control, const wchar_t* name, HWND parent) {
    const RECT r = rect(name);
    control.CreateLabel(parent, r.left, r.top, r.right - r.left, r.bottom - r.top);
    FControls[name] = control.Handle();
  };

  panel(pnlHeader, L"pnlHeader", Handle());
  pnlHeader.SetColor(GetSysColor(COLOR_WINDOW));
  panel(pnlImage, L"pnlImage", pnlHeader.Handle());
  {
    const RECT r = rect(L"Image");
    Image.CreateImage(pnlImage.Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top);
    FControls[L"Image"] = Image.Handle();
  }
  panel(pnlHeaderRight, L"pnlHeaderRight", pnlHeader.Handle());
  panel(pnlCaptionHead, L"pnlCaptionHead", pnlHeaderRight.Handle());
  panel(pnlCaptionBody, L"pnlCaptionBody", pnlHeaderRight.Handle());
  for (TPanel* caption : {&pnlCaptionHead, &pnlCaptionBody}) {
    caption->SetAlignment(taLeftJustify);
    caption->SetFontColor(RGB(0, 0, 0));
  }

  {
    const RECT r = rect(L"TabbedPanel");
    TabbedPanel.CreateTabbedPanel(Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, L"TabbedPanel");
    FControls[L"TabbedPanel"] = TabbedPanel.Handle();
  }
  {
    const RECT r = rect(L"memDebug");
    memDebug.CreateControl(L"EDIT", WS_EX_CLIENTEDGE,
                           WS_CHILD | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | ES_AUTOVSCROLL |
                               WS_HSCROLL | WS_VSCROLL,
                           r.left, r.top, r.right - r.left, r.bottom - r.top, Handle());
    FControls[L"memDebug"] = memDebug.Handle();
  }

  panel(pnlBottom, L"pnlBottom", Handle());
  label(lblBottom, L"lblBottom", pnlBottom.Handle());
  panel(pnlBottomBottom, L"pnlBottomBottom", pnlBottom.Handle());
  {
    const RECT r = rect(L"bvlBottom");
    bvlBottom.CreateControl(L"STATIC", 0, WS_CHILD | WS_VISIBLE | SS_ETCHEDHORZ, r.left, r.top, r.right - r.left,
                            r.bottom - r.top, pnlBottomBottom.Handle());
    FControls[L"bvlBottom"] = bvlBottom.Handle();
  }
  label(lblBottomBottom, L"lblBottomBottom", pnlBottomBottom.Handle());
  {
    const RECT r = rect(L"pbUrl");
    pbUrl.CreatePaintBox(pnlBottomBottom.Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top);
    FControls[L"pbUrl"] = pbUrl.Handle();
  }
  for (TEllipsisLabel* footer : {&lblBottom, &lblBottomBottom}) {
    MakePlainLabel(*footer, false, true);
    footer->SetEnabled(false);  // drawn greyed: the caption is no control to use
  }
  // The upper label must not paint over the lower panel that lies on top of it.
  SetWindowLongPtrW(lblBottom.Handle(), GWL_STYLE, GetWindowLongPtrW(lblBottom.Handle(), GWL_STYLE) | WS_CLIPSIBLINGS);

  panel(pnlButtons, L"pnlButtons", Handle());
  for (auto [button, name] : {std::pair{&btnLeft, L"btnLeft"}, std::pair{&btnRight, L"btnRight"}}) {
    const RECT r = rect(name);
    button->CreateButton(pnlButtons.Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top);
    FControls[name] = button->Handle();
  }

  panel(pnlWelcome, L"pnlWelcome", TabbedPanel.Handle());
  label(lblWelcome, L"lblWelcome", pnlWelcome.Handle());
  MakePlainLabel(lblWelcome, true, false);

  panel(pnlCheckDir, L"pnlCheckDir", TabbedPanel.Handle());
  label(lblCheckDir, L"lblCheckDir", pnlCheckDir.Handle());
  MakePlainLabel(lblCheckDir, true, false);
  {
    const RECT r = rect(L"edDir");
    edDir.CreateEdit(pnlCheckDir.Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top, true);
    edDir.SetName(L"edDir");
    edDir.SetFlatEllipse(false);
    FControls[L"edDir"] = edDir.Handle();
  }
  label(Label3, L"Label3", pnlCheckDir.Handle());
  MakePlainLabel(Label3, true, false);

  panel(pnlFinished, L"pnlFinished", TabbedPanel.Handle());
  label(lblFinished, L"lblFinished", pnlFinished.Handle());
  MakePlainLabel(lblFinished, true, false);

  panel(pnlProgress, L"pnlProgress", TabbedPanel.Handle());
  label(Label1, L"Label1", pnlProgress.Handle());
  MakePlainLabel(Label1, false, true);
  label(lblCopyFile, L"lblCopyFile", pnlProgress.Handle());
  MakePlainLabel(lblCopyFile, false, true);
  label(lblCopyDir, L"lblCopyDir", pnlProgress.Handle());
  lblCopyDir.SetEllipsis(elPath);
  lblCopyDir.SetShowFullTextOnHint(true);
  lblCopyDir.SetShowAccelChar(false);
  lblCopyDir.SetTransparent(true);
  {
    const RECT r = rect(L"ProgressBar");
    ProgressBar.CreateProgressBar(pnlProgress.Handle(), r.left, r.top, r.right - r.left, r.bottom - r.top);
    FControls[L"ProgressBar"] = ProgressBar.Handle();
  }
  ProgressBar.SetAnchorsQx(akLeft | akTop | akRight);
  ProgressBar.SetMinValue(0);
  ProgressBar.SetMaxValue(100);
  ProgressBar.SetPosition(50);
  ProgressBar.SetShowText(true);
  ProgressBar.Marquee().SetEnabled(false);
  ProgressBar.Glow().SetEnabled(true);
  ProgressBar.Glow().SetSpeed(3);
  ProgressBar.Glow().SetRestartDelayInMs(1000);
  ProgressBar.SetColor(RGB(255, 204, 0));
  ProgressBar.SetEnableUserCancelation(false);
  ProgressBar.SetAutoHide(false);
  ProgressBar.SetDisableOwner(false);

  for (const auto& [name, window] : FControls)
    SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(FFont.Get()), FALSE);
  SendMessageW(pnlCaptionHead.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(FHeadFont.Get()), FALSE);

  StackInOrder({memDebug.Handle(), TabbedPanel.Handle(), pnlBottom.Handle(), pnlButtons.Handle(), pnlHeader.Handle()});
  StackInOrder({pnlBottomBottom.Handle(), lblBottom.Handle()});
  StackInOrder({pbUrl.Handle(), lblBottomBottom.Handle(), bvlBottom.Handle()});
  StackInOrder({btnLeft.Handle(), btnRight.Handle()});
  // The container collects its pages in this order.
  StackInOrder({pnlWelcome.Handle(), pnlCheckDir.Handle(), pnlFinished.Handle(), pnlProgress.Handle()});
  StackInOrder({lblCheckDir.Handle(), edDir.Handle(), Label3.Handle()});

  btnLeft.OnClick = [this](TWindowBase&) { btnLeftClick(); };
  btnRight.OnClick = [this](TWindowBase&) { btnRightClick(); };
  edDir.OnChange = [this](TWindowBase&) { edDirChange(); };
  edDir.OnEllipsisClick = [this](TWindowBase&) { edDirEllipsisClick(); };
  pbUrl.OnClick = [this](TWindowBase&) { pbUrlClick(); };
}

void TFormMain::ApplyWindowTexts() {
  for (const auto& [name, text] : LoadWindowTexts(DefinitionName))
    if (HWND control = ControlByName(name)) SetWindowTextW(control, text.c_str());
}

void TFormMain::RereadTexts() {
  if (!Handle()) return;
  try {
    ApplyWindowTexts();
  } catch (const Exception&) {
    return;  // a source without the definition leaves the window as it is
  }
  // The button captions come from the message table of the new source.
  if (FState && FState->FPage >= 1 && FState->FPage <= 4) SetPage(FState->FPage);
}

void TFormMain::FormCreate() {
  FState = std::make_unique<TEngineState>();
  if (FLoadScript) FLoadScript(*FState);
  ApplyScriptToWindow();
  TabbedPanel.Load();
  ShowWelcomePage();
  ShowWindow(memDebug.Handle(), SW_HIDE);
  SetExitCode(ecSuccess);
}

void TFormMain::FormDestroy() {
  if (FRegistered) UnregisterRereadableForm(this);
  FRegistered = false;
  FState.reset();
  SignalEndEvents(FExitCode);
  PostQuitMessage(FExitCode);
}

void TFormMain::ShowForm(int showCommand) {
  ShowWindow(Handle(), showCommand);
  SetForegroundWindow(Handle());
  if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) SetFocus(first);
  UpdateWindow(Handle());
}

void TFormMain::Realign() {
  const TLayoutRects rects = Arrange();
  for (const TLayoutItem& item : FLayout) {
    if (item.Align == TAlign::None) continue;
    const auto found = rects.find(item.Name);
    HWND control = ControlByName(item.Name);
    if (found != rects.end() && control) Place(control, found->second);
  }
}

void TFormMain::ApplyScriptToWindow() {
  const TEngineState& state = *FState;
  pnlCaptionHead.SetCaption(state.FProduct);
  SetWindowTextW(Handle(), state.FFormCaption.c_str());
  FApplicationTitle = L"Setup - " + state.FProduct;
  pnlCaptionBody.SetCaption(state.FSubCaption);
  SetBottomCaption(state.FBottomCaption);
  lblWelcome.SetCaption(state.FWelcomeText);

  const bool pictureLoaded = Image.Picture().LoadFromFile(state.FIcon);
  if (pictureLoaded) {
    for (TLayoutItem& item : FLayout)
      if (item.Name == L"pnlImage") item.Width = Image.Picture().Width();
  }
  pnlImage.SetVisible(pictureLoaded);
  Realign();
  Image.PictureChanged();

  auto apply = [](const TColorValue& value, auto&& set) {
    if (value) set(ColorToRgb(*value));
  };
  apply(state.FColorHeader, [this](COLORREF c) { pnlHeaderRight.SetColor(c); });
  apply(state.FColorHeaderFont, [this](COLORREF c) {
    pnlCaptionHead.SetFontColor(c);
    pnlCaptionBody.SetFontColor(c);
  });
  apply(state.FColorBody, [this](COLORREF c) {
    TabbedPanel.SetColor(c);
    pnlBottom.SetColor(c);
  });
  apply(state.FColorBodyFont, [this](COLORREF c) { TabbedPanel.SetFontColor(c); });
  apply(state.FColorFooter, [this](COLORREF c) {
    pnlButtons.SetColor(c);
    pnlBottomBottom.SetColor(c);
  });
  apply(state.FColorFooterFont, [this](COLORREF c) { pnlButtons.SetFontColor(c); });
}

void TFormMain::SetBottomCaption(const std::wstring& text) {
  lblBottom.SetCaption(text);
  lblBottomBottom.SetCaption(text);

  const RECT label = ChildRect(lblBottomBottom.Handle());
  RECT panel;
  GetClientRect(pnlBottomBottom.Handle(), &panel);
  const THorizontalPlace bevel = FooterBevelPlace(label.left, label.right - label.left, panel.right);
  const RECT bevelRect = ChildRect(bvlBottom.Handle());
  SetWindowPos(bvlBottom.Handle(), nullptr, bevel.Left, bevelRect.top, bevel.Width, bevelRect.bottom - bevelRect.top,
               SWP_NOZORDER | SWP_NOACTIVATE);

  if (IsFooterLink(text)) {
    Place(pbUrl.Handle(), label);
    pbUrl.SetEnabled(true);
  } else {
    pbUrl.SetEnabled(false);
  }
}

void TFormMain::SetPage(int page) {
  FState->FPage = page;
  const TPageButtons buttons = PageButtons(page);
  const TRedrawLock oneRepaint(pnlButtons.Handle());
  if (buttons.Left) {
    btnLeft.SetCaption(LoadResString(buttons.Left->CaptionId));
    btnLeft.SetTag(buttons.Left->Tag);
    if (buttons.Left->Enable) btnLeft.SetEnabled(true);
    btnLeft.SetVisible(true);
  } else {
    // A hidden button cannot keep the focus.
    if (GetFocus() == btnLeft.Handle()) SetFocus(btnRight.Handle());
    btnLeft.SetVisible(false);
  }
  btnRight.SetCaption(LoadResString(buttons.Right.CaptionId));
  btnRight.SetTag(buttons.Right.Tag);
  btnRight.SetVisible(true);
  btnLeft.SetDefault(buttons.LeftIsDefault);
  btnRight.SetDefault(!buttons.LeftIsDefault);
}

void TFormMain::ShowWelcomePage() {
  SetPage(1);
  TabbedPanel.ShowPanel(&pnlWelcome);
}

void TFormMain::ShowCheckDirPage(const std::wstring& dir, const std::wstring& reason) {
  SetPage(2);
  lblCheckDir.SetCaption(reason);
  edDir.SetText(dir);
  TabbedPanel.ShowPanel(&pnlCheckDir);
}

void TFormMain::ShowProgressPage() {
  SetPage(3);
  TabbedPanel.ShowPanel(&pnlProgress);
}

void TFormMain::ShowCopyFile(const std::wstring& fileText, const std::wstring& dirText) {
  // The copy reports every block, for small files thousands of new names a second, and
  // a caption set is a round trip to the window server, a new layout of the label and a
  // repaint. The labels take the newest texts at the rate the window is repainted during
  // the run, and a reset (empty texts) at once.
  FCopyFileText = fileText;
  FCopyDirText = dirText;
  if (fileText.empty() || FCopyTextPacer.TakeIfDue()) ApplyCopyTexts();
}

void TFormMain::ApplyCopyTexts() {
  if (lblCopyFile.Caption() != FCopyFileText) lblCopyFile.SetCaption(FCopyFileText);
  if (lblCopyDir.Caption() != FCopyDirText) lblCopyDir.SetCaption(FCopyDirText);
}

void TFormMain::SetProgressMax(int max) {
  ProgressBar.SetMaxValue(max);
  ProgressBar.SetPosition(0);
}

void TFormMain::SetProgressPosition(int position) { ProgressBar.SetPosition(position); }

void TFormMain::ShowFinishedText(const std::wstring& text) {
  lblFinished.SetCaption(text);
  SetPage(4);
  TabbedPanel.ShowPanel(&pnlFinished);
}

void TFormMain::ProcessMessages() { ::ProcessMessages(); }

void TFormMain::Terminate() {
  FTerminated = true;
  PostQuitMessage(FExitCode);
}

void TFormMain::EndNow() {
  // An exception cannot unwind through the system's frames of the message dispatch that
  // lie between here and the message loop. So end here: destroying the window runs
  // FormDestroy (the state is freed, the events are signalled), then the process ends
  // without returning into the interrupted work.
  const int exitCode = FExitCode;
  if (Handle()) DestroyWindow(Handle());
  ExitProcess(static_cast<UINT>(exitCode));
}

void TFormMain::SetAppCursor(TAppCursor cursor) {
  FAppCursor = cursor;
  SetCursor(LoadCursorW(nullptr, cursor == TAppCursor::Hourglass ? IDC_WAIT : IDC_ARROW));
}

void TFormMain::btnRightClick() {
  switch (btnRight.Tag()) {
    case TagCancel:
      CancelSetup();
      break;
    case TagFinish:
      PostMessageW(Handle(), WM_CLOSE, 0, 0);
      break;
  }
}

bool TFormMain::CancelSetup() {
  if (FState->FShouldClose ||
      MessageDialog(LoadResString(SCancelSetupQuestion), mtConfirmation, mbYesNo, -1, true) == mrYes) {
    FState->FUserCanceled = true;
    SetExitCode(ecCanceled);
    EndNow();
  }
  FState->FUserCanceled = false;
  return false;
}

void TFormMain::FormCloseQuery(bool& canClose) {
  if (btnRight.Tag() != TagFinish) canClose = CancelSetup();
}

void TFormMain::edDirChange() { btnLeft.SetEnabled(true); }

void TFormMain::pbUrlClick() { OpenInternetPage(Handle(), lblBottomBottom.Caption()); }

bool TFormMain::PreprocessMessage(MSG& message) {
  if (!Handle() || (message.hwnd != Handle() && !IsChild(Handle(), message.hwnd))) return false;
  if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
    if (OnFormKeyDown) {
      WORD key = static_cast<WORD>(message.wParam);
      OnFormKeyDown(key, GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0);
      if (key == 0) return true;
      message.wParam = key;
    }
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && message.hwnd != memDebug.Handle()) {
      // Enter presses the focused button, else the page's default button.
      TPushButton* target = message.hwnd == btnLeft.Handle()    ? &btnLeft
                            : message.hwnd == btnRight.Handle() ? &btnRight
                            : btnLeft.Default()                 ? &btnLeft
                                                                : &btnRight;
      // This runs in the message loop, outside any window procedure, so the click's
      // errors are handed to the error display here.
      if (target->Visible() && target->Enabled()) {
        try {
          target->Click();
        } catch (...) {
          HandleCallbackException();
        }
      }
      return true;
    }
  }
  return IsDialogMessageW(Handle(), &message) != FALSE;
}

LRESULT TFormMain::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: {
      bool canClose = true;
      if (FState) FormCloseQuery(canClose);
      if (canClose) DestroyWindow(Handle());
      return 0;
    }
    case WM_DESTROY:
      FormDestroy();
      return 0;
    case WM_NEXTDLGCTL: {
      // Tab and Shift+Tab of the dialog keyboard interface (this is no dialog window).
      HWND next = lParam ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(Handle(), GetFocus(), wParam != 0);
      if (next) SetFocus(next);
      return 0;
    }
    case WM_SETCURSOR:
      if (FAppCursor == TAppCursor::Hourglass) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}
