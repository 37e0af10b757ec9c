#include "QXProgressBar.h"

#include <commctrl.h>

#include "ControlUtils.h"
#include "MessageIds.h"
#include "MessageLoop.h"
#include "ProgressLogic.h"
#include "QXDialogs.h"
#include "ResString.h"

namespace {
const COLORREF OrvanColor = 0x00CCFF;  // red 255, green 204, blue 0
const COLORREF PlainColor = 0x00D328;  // red 40, green 211, blue 0
const UINT_PTR WaitCursorId = 0x7158;

HWND ParentOf(HWND window) {
  return (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ? GetParent(window) : nullptr;
}
}  // namespace

unsigned TqxProgressBar::TAnimatedSubProperty::RestartDelayInMs() const {
  return FParent.FProgressBar.AnimationRestartDelay();
}

void TqxProgressBar::TAnimatedSubProperty::SetRestartDelayInMs(unsigned value) {
  FParent.FProgressBar.SetAnimationRestartDelay(value);
}

int TqxProgressBar::TAnimatedSubProperty::Speed() const { return FParent.FProgressBar.AnimationSpeed(); }

void TqxProgressBar::TAnimatedSubProperty::SetSpeed(int value) { FParent.FProgressBar.SetAnimationSpeed(value); }

TqxProgressBar::TMarquee::TMarquee(TqxProgressBar& aOwner) : TAnimatedSubProperty(aOwner) {
  SetSpeed(4);
  SetRestartDelayInMs(2000);
}

void TqxProgressBar::TMarquee::SetEnabled(bool value) {
  FParent.FProgressBar.SetMarquee(value);
  FEnabled = value;
  if (value) {
    FParent.FGlow.SetEnabled(false);
    SetSpeed(4);
    SetRestartDelayInMs(2000);
  } else {
    SetSpeed(0);
  }
}

TqxProgressBar::TGlow::TGlow(TqxProgressBar& aOwner) : TAnimatedSubProperty(aOwner) {
  SetSpeed(0);
  SetRestartDelayInMs(2000);
  SetEnabled(true);
}

void TqxProgressBar::TGlow::SetEnabled(bool value) {
  if (value) {
    FParent.FMarquee.SetEnabled(false);
    SetSpeed(4);
    SetRestartDelayInMs(2000);
  } else {
    SetSpeed(0);
  }
  FEnabled = value;
}

TqxProgressBar::TqxProgressBar()
    : ProcessPendingMessages(ProcessMessages), FMarquee(*this), FGlow(*this) {}

TqxProgressBar::~TqxProgressBar() {
  try {
    SetOwnerControlsEnabled(true);
    FTaskBarProgress.SetActive(false);
  } catch (...) {
    // Nothing may leave a destructor; the windows go away with the control anyway.
  }
}

void TqxProgressBar::CreateProgressBar(HWND parent, int x, int y, int width, int height) {
  Create(L"TqxProgressBar", WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height,
         parent);
  FProgressBar.CreateBar(Handle(), 0, 0, width, height);
  FTaskBarProgress.Link(FProgressBar.Handle());
  FTaskBarProgress.SetActive(false);
  FBtnCancel.CreateButton(Handle(), width - height, 0, height, height, LoadResString(SProgressCancelHint));
  FBtnCancel.SetHint(LoadResString(SProgressCancelHint));
  FBtnCancel.LoadGlyph(L"BMP_CANCEL");
  FBtnCancel.OnClick = [this](TWindowBase&) { BtnCancelClick(); };
  FToolTip.Attach(FProgressBar.Handle());
  FToolTip.SetActive(true);
  SetOrvanModus(true);
  SetMaxValue(100);
  SetMinValue(0);
  SetPosition(0);
  Resize();
}

void TqxProgressBar::ProcessMessagesNow() {
  if (ProcessPendingMessages) ProcessPendingMessages();
}

void TqxProgressBar::Resize() {
  if (!Handle()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  const TProgressLayout layout = ProgressBarLayout(client.right, client.bottom, EnableUserCancelation());
  SetWindowPos(FBtnCancel.Handle(), nullptr, layout.Button.left, layout.Button.top,
               layout.Button.right - layout.Button.left, layout.Button.bottom - layout.Button.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(FProgressBar.Handle(), nullptr, layout.Bar.left, layout.Bar.top, layout.Bar.right - layout.Bar.left,
               layout.Bar.bottom - layout.Bar.top, SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateValueRefreshRate();
}

void TqxProgressBar::UpdateValueRefreshRate() {
  RECT bar{};
  if (FProgressBar.Handle()) GetClientRect(FProgressBar.Handle(), &bar);
  FValueRefreshRate = ::ValueRefreshRate(FMaxValue, bar.right, FValueRefreshRate);
}

void TqxProgressBar::ShowBarPosition(int value) {
  FProgressBar.SetPosition(value);
  FTaskBarProgress.SetProgress(value, FMinValue, FMaxValue);
  // No immediate repaint: the message processing that follows paints the bar, and where
  // it is paced, several moves of the bar cost one paint.
}

void TqxProgressBar::SetMaxValue(int value) {
  if (value == FMaxValue) return;
  FMaxValue = value;
  FProgressBar.SetMax(value);
  if (value < FPosition) SetPosition(value);
  if (value < FMinValue) SetMinValue(value);
  UpdateValueRefreshRate();
}

void TqxProgressBar::SetMinValue(int value) {
  if (value == FMinValue) return;
  FMinValue = value;
  FProgressBar.SetMin(value);
  // The maximum follows first: moving the position up to the new minimum against the old
  // maximum would clamp it below the minimum.
  if (value > FMaxValue) SetMaxValue(value);
  if (value > FPosition) SetPosition(value);
}

void TqxProgressBar::SetPosition(int value) {
  FPosition = value;
  if (value > FMinValue) {
    FTaskBarProgress.SetActive(FShowInTaskbar);
  } else {
    FTaskBarProgress.SetActive(false);
    FPosition = FMinValue;
  }
  if (FUserCanceled || FPosition >= FMaxValue) {
    if (FPosition >= FMaxValue) {
      FPosition = FMaxValue;
      ShowBarPosition(FMaxValue);
      ProcessMessagesNow();
    }
    Stop();
    return;
  }
  if (!IsRefreshDue(FPosition, FValueRefreshOld, FValueRefreshRate)) return;
  if (FProgressBar.Position() != FPosition) ShowBarPosition(FPosition);
  FValueRefreshOld = FPosition;
  ProcessMessagesNow();
}

bool TqxProgressBar::IncPosition(int aInc) {
  const bool goOn = !FUserCanceled;
  SetPosition(AddClamped(FPosition, aInc));
  return goOn;
}

void TqxProgressBar::SetOrvanModus(bool value) {
  if (value) SetColor(OrvanColor);
  else if (Color() == OrvanColor) SetColor(PlainColor);
  FOrvanModus = value;
}

bool TqxProgressBar::EnableUserCancelation() const { return FBtnCancel.Handle() && FBtnCancel.Visible(); }

void TqxProgressBar::SetEnableUserCancelation(bool value) {
  if (value == EnableUserCancelation()) return;
  FBtnCancel.SetVisible(value);
  Resize();
}

void TqxProgressBar::SetAutoHide(bool value) {
  FAutoHide = value;
  SetVisible(Visible() && !value);
}

void TqxProgressBar::SetShowInTaskBar(bool value) {
  FShowInTaskbar = value;
  FTaskBarProgress.SetActive(value);
}

bool TqxProgressBar::Visible() const { return (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }

void TqxProgressBar::SetVisible(bool value) { ShowWindow(Handle(), value ? SW_SHOWNA : SW_HIDE); }

void TqxProgressBar::Start(int aMaxValue, const std::wstring& aHint, const std::wstring& aConfirmCancelationText) {
  if (FOwnerDisabled) return;
  if (aMaxValue != -1) SetMaxValue(aMaxValue);
  if (aHint != QxOmittedText) SetHint(aHint);
  if (aConfirmCancelationText != QxOmittedText) FConfirmCancelationText = aConfirmCancelationText;
  FPosition = 0;
  ShowBarPosition(0);
  FUserCanceled = false;
  SetVisible(true);
  ProcessMessagesNow();
  if (FDisableOwner) SetOwnerControlsEnabled(false);
}

void TqxProgressBar::Stop() {
  SetOwnerControlsEnabled(true);
  FTaskBarProgress.SetActive(false);
  if (FAutoHide) {
    SetVisible(false);
    ProcessMessagesNow();
  }
}

void TqxProgressBar::BtnCancelClick() {
  if (FUserCanceled) return;
  if (FConfirmCancelation) {
    const std::wstring question =
        FConfirmCancelationText.empty() ? LoadResString(SProgressCancelQuestion) : FConfirmCancelationText;
    FUserCanceled = MessageDialog(question, mtConfirmation, mbYesNo) == mrYes;
  } else {
    FUserCanceled = true;
  }
  if (FUserCanceled) SetShowInTaskBar(false);
}

void TqxProgressBar::SetOwnerControlsEnabled(bool enable) {
  if (enable) {
    FOwnerDisabled = false;
    for (HWND control : FPreviouslyEnabledControls)
      if (IsWindow(control)) EnableWindow(control, TRUE);
    FPreviouslyEnabledControls.clear();
    if (FGreatGrandFather) {
      if (IsWindow(FGreatGrandFather)) RemoveWindowSubclass(FGreatGrandFather, WaitCursorProc, WaitCursorId);
      FGreatGrandFather = nullptr;
    }
    return;
  }
  // Disabling twice would forget what the first call disabled.
  if (FOwnerDisabled || !Handle()) return;
  FOwnerDisabled = true;
  FPreviouslyEnabledControls.clear();
  HWND child = Handle();
  for (HWND container = ParentOf(child); container; child = container, container = ParentOf(container)) {
    for (HWND control = GetWindow(container, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
      if (control == child || IsGraphicControl(control) || !IsWindowEnabled(control)) continue;
      FPreviouslyEnabledControls.push_back(control);
      EnableWindow(control, FALSE);
    }
  }
  FGreatGrandFather = child;
  if (SetWindowSubclass(FGreatGrandFather, WaitCursorProc, WaitCursorId, reinterpret_cast<DWORD_PTR>(this))) {
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  } else {
    FGreatGrandFather = nullptr;
  }
}

LRESULT CALLBACK TqxProgressBar::WaitCursorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                                DWORD_PTR data) {
  auto* self = reinterpret_cast<TqxProgressBar*>(data);
  if (message == WM_SETCURSOR && self && (static_cast<short>(LOWORD(lParam)) == HTCLIENT || static_cast<short>(LOWORD(lParam)) == HTERROR)) {
    // Every window asks its parents first; the top-level window answers for all of them,
    // except over the progress bar itself, whose cancel button stays usable.
    HWND under = reinterpret_cast<HWND>(wParam);
    if (under != self->Handle() && !IsChild(self->Handle(), under)) {
      SetCursor(LoadCursorW(nullptr, IDC_WAIT));
      return TRUE;
    }
  }
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, WaitCursorProc, id);
    if (self && self->FGreatGrandFather == window) self->FGreatGrandFather = nullptr;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

LRESULT TqxProgressBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      Resize();
      return result;
    }
    case WM_ERASEBKGND:
      return 1;
  }
  return DefaultHandling(message, wParam, lParam);
}
