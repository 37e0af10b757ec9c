#pragma once
// The inner bar of the progress bar: an owner-drawn bar with a fill colour, the percentage
// as text in one solid colour over the filled and the empty part, a highlight that sweeps
// along the filled part (the glow) and a marquee mode. Speed 0 stops the animation; after
// each sweep the animation waits RestartDelayInMs. The percentage is also the window text.
#include <windows.h>

#include <string>

#include "ControlUtils.h"
#include "Handles.h"
#include "WindowBase.h"

class TGlowBar : public TWindowBase {
public:
  TGlowBar();

  void CreateBar(HWND parent, int x, int y, int width, int height);

  int Min() const noexcept { return FMin; }
  int Max() const noexcept { return FMax; }
  int Position() const noexcept { return FPosition; }
  void SetMin(int value);
  void SetMax(int value);
  void SetPosition(int value);

  bool ShowText() const noexcept { return FShowText; }
  void SetShowText(bool value);
  bool Marquee() const noexcept { return FMarquee; }
  void SetMarquee(bool value);
  int AnimationSpeed() const noexcept { return FSpeed; }
  void SetAnimationSpeed(int value);  // held within 0 to 20
  unsigned AnimationRestartDelay() const noexcept { return FRestartDelay; }
  void SetAnimationRestartDelay(unsigned milliseconds);
  COLORREF Color() const noexcept { return FColor; }
  void SetColor(COLORREF value);
  COLORREF TextColor() const noexcept { return FTextColor; }
  void SetTextColor(COLORREF value);
  // Not owned; nullptr returns to the bar's own font (Arial, 8 points).
  void SetFont(HFONT font);
  HFONT Font() const noexcept;

  // One frame of the animation; the bar's timer calls it.
  void Animate();
  // Left edge of the highlight (glow) or of the marquee block, in client pixels.
  int AnimationOffset() const noexcept { return FOffset; }
  int FilledWidth() const;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Paint(HDC dc);
  void Changed();
  // The percentage text for the current position, and the copy kept as window text.
  std::wstring Text() const;
  void StoreText();
  // Asks for a paint unless one is pending already.
  void Invalidate();
  void UpdateTimer();
  int BandWidth() const;

  int FMin = 0, FMax = 100, FPosition = 0;
  bool FShowText = true;
  bool FMarquee = false;
  int FSpeed = 0;
  unsigned FRestartDelay = 2000;
  COLORREF FColor = RGB(255, 204, 0);
  COLORREF FTextColor;
  HFONT FFont = nullptr;  // not owned
  TGdiObject FOwnFont;
  int FOffset = 0;
  DWORD FRestartAt = 0;  // tick count at which a waiting sweep begins again
  DWORD FLastPaint = 0;  // tick count of the last paint
  bool FWaiting = false;
  bool FTimerRunning = false;
  bool FPaintPending = false;
  std::wstring FStoredText;  // invalidated, WM_PAINT not yet handled
  TBackBuffer FBackBuffer;
};
