#pragma once
// TqxProgressBar: a progress bar with an optional square cancel button at its right end, a
// progress indicator on the taskbar button, and throttled repainting that keeps the window
// responsive while long work runs on the one thread: only a position that moved by the
// refresh rate is shown, and every shown step processes pending window messages (so the
// cancel button and window moves work). A run (Start ... Stop) can disable the surrounding
// controls of the window and show the hourglass there.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "GlowBar.h"
#include "SpeedButton.h"
#include "TaskBarProgress.h"
#include "ToolTip.h"
#include "WindowBase.h"

enum TAnchorKind : unsigned char { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned char;

// Stands for an omitted text argument of Start.
inline constexpr const wchar_t* QxOmittedText = L"er}12#~wqq";

class TqxProgressBar : public TWindowBase {
public:
  class TSubProperty {
  public:
    explicit TSubProperty(TqxProgressBar& aOwner) : FParent(aOwner) {}
    virtual ~TSubProperty() = default;

  protected:
    TqxProgressBar& FParent;
  };

  // Speed and restart delay live in the inner bar, so the marquee and the glow share them.
  class TAnimatedSubProperty : public TSubProperty {
  public:
    using TSubProperty::TSubProperty;
    virtual bool Enabled() const = 0;
    virtual void SetEnabled(bool value) = 0;
    virtual unsigned RestartDelayInMs() const;
    virtual void SetRestartDelayInMs(unsigned value);
    virtual int Speed() const;
    virtual void SetSpeed(int value);  // 0 to 20

  protected:
    bool FEnabled = false;
  };

  class TMarquee : public TAnimatedSubProperty {
  public:
    explicit TMarquee(TqxProgressBar& aOwner);
    bool Enabled() const override { return FEnabled; }
    void SetEnabled(bool value) override;
  };

  class TGlow : public TAnimatedSubProperty {
  public:
    explicit TGlow(TqxProgressBar& aOwner);
    bool Enabled() const override { return FEnabled; }
    void SetEnabled(bool value) override;
  };

  TqxProgressBar();
  ~TqxProgressBar() override;

  void CreateProgressBar(HWND parent, int x, int y, int width = 100, int height = 18);

  TMarquee& Marquee() noexcept { return FMarquee; }
  TGlow& Glow() noexcept { return FGlow; }

  int MaxValue() const noexcept { return FMaxValue; }
  void SetMaxValue(int value);
  int MinValue() const noexcept { return FMinValue; }
  void SetMinValue(int value);
  int Position() const noexcept { return FPosition; }
  void SetPosition(int value);

  COLORREF Color() const noexcept { return FProgressBar.Color(); }
  void SetColor(COLORREF value) { FProgressBar.SetColor(value); }
  bool OrvanModus() const noexcept { return FOrvanModus; }
  void SetOrvanModus(bool value);
  bool ShowText() const noexcept { return FProgressBar.ShowText(); }
  void SetShowText(bool value) { FProgressBar.SetShowText(value); }
  // The percentage text's font (not owned; nullptr: Arial 8 points) and colour.
  void SetFont(HFONT font) { FProgressBar.SetFont(font); }
  void SetFontColor(COLORREF value) { FProgressBar.SetTextColor(value); }

  bool EnableUserCancelation() const;
  void SetEnableUserCancelation(bool value);
  const std::wstring& HintCancelation() const noexcept { return FBtnCancel.Hint(); }
  void SetHintCancelation(const std::wstring& value) { FBtnCancel.SetHint(value); }
  bool ConfirmCancelation() const noexcept { return FConfirmCancelation; }
  void SetConfirmCancelation(bool value) noexcept { FConfirmCancelation = value; }
  const std::wstring& ConfirmCancelationText() const noexcept { return FConfirmCancelationText; }
  void SetConfirmCancelationText(const std::wstring& value) { FConfirmCancelationText = value; }
  bool AutoHide() const noexcept { return FAutoHide; }
  void SetAutoHide(bool value);
  bool DisableOwner() const noexcept { return FDisableOwner; }
  void SetDisableOwner(bool value) noexcept { FDisableOwner = value; }
  bool ShowInTaskBar() const noexcept { return FShowInTaskbar; }
  void SetShowInTaskBar(bool value);
  // The anchors are kept for the window that lays the control out; the cancel button keeps
  // to the right end by the control's own layout.
  TAnchors AnchorsQx() const noexcept { return FAnchors; }
  void SetAnchorsQx(TAnchors value) noexcept { FAnchors = value; }
  bool UserCanceled() const noexcept { return FUserCanceled; }
  // The control's own hint, shown over the bar.
  const std::wstring& Hint() const noexcept { return FToolTip.Text(); }
  void SetHint(const std::wstring& value) { FToolTip.SetText(value); }
  bool Visible() const;
  void SetVisible(bool value);

  // aMaxValue -1 keeps the maximum; QxOmittedText keeps the hint or the question.
  void Start(int aMaxValue = -1, const std::wstring& aHint = QxOmittedText,
             const std::wstring& aConfirmCancelationText = QxOmittedText);
  void Stop();
  // Advances the position; false once the user has cancelled (reported one call late when
  // the cancel was confirmed during this call's message processing).
  bool IncPosition(int aInc);
  void BtnCancelClick();
  // false: disables every enabled control around this one (not its own children, not
  // labels) and shows the hourglass over the window; true: enables exactly those again.
  void SetOwnerControlsEnabled(bool enable);

  int ValueRefreshRate() const noexcept { return FValueRefreshRate; }
  bool TaskBarProgressActive() const noexcept { return FTaskBarProgress.Active(); }
  TGlowBar& InnerBar() noexcept { return FProgressBar; }
  TSpeedButton& CancelButton() noexcept { return FBtnCancel; }

  // Processes pending window messages on every shown step; replaceable so a test can count.
  std::function<void()> ProcessPendingMessages;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Resize();
  void UpdateValueRefreshRate();
  void ShowBarPosition(int value);
  void ProcessMessagesNow();
  static LRESULT CALLBACK WaitCursorProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);

  TGlowBar FProgressBar;  // first: the marquee and glow settings live in it
  TMarquee FMarquee;
  TGlow FGlow;
  TSpeedButton FBtnCancel;
  bool FOrvanModus = true;
  TTaskBarProgress FTaskBarProgress;
  bool FShowInTaskbar = true;
  std::vector<HWND> FPreviouslyEnabledControls;  // not owned
  HWND FGreatGrandFather = nullptr;              // shows the hourglass during a run
  int FValueRefreshRate = 0;
  int FValueRefreshOld = 0;
  bool FUserCanceled = false;
  bool FConfirmCancelation = true;
  int FMaxValue = 100, FMinValue = 0, FPosition = 0;
  std::wstring FConfirmCancelationText;
  bool FAutoHide = false;
  bool FDisableOwner = false;
  bool FOwnerDisabled = false;
  TAnchors FAnchors = akLeft | akTop | akRight;
  TToolTip FToolTip;
};
