#include "GlowBar.h"

#include <algorithm>

#include "ControlUtils.h"
#include "ProgressLogic.h"

namespace {
const UINT_PTR AnimationTimer = 1;
const UINT FrameMs = 30;

COLORREF Blend(COLORREF from, COLORREF to, int percent) {
  auto mix = [percent](int a, int b) { return static_cast<BYTE>(a + (b - a) * percent / 100); };
  return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
             mix(GetBValue(from), GetBValue(to)));
}
}  // namespace

TGlowBar::TGlowBar() : FTextColor(GetSysColor(COLOR_WINDOWTEXT)) {}

void TGlowBar::CreateBar(HWND parent, int x, int y, int width, int height) {
  if (!FOwnFont) {
    HDC screen = GetDC(nullptr);
    const int pixels = MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    FOwnFont = CreateUiFont(L"Arial", pixels, FW_NORMAL, ANSI_CHARSET);
  }
  FStoredText = Text();
  Create(L"TGlowBar", 0, WS_CHILD | WS_VISIBLE, x, y, width, height, parent, FStoredText);
  UpdateTimer();
}

HFONT TGlowBar::Font() const noexcept { return FFont ? FFont : static_cast<HFONT>(FOwnFont.Get()); }

void TGlowBar::SetMin(int value) {
  if (value == FMin) return;
  FMin = value;
  Changed();
}

void TGlowBar::SetMax(int value) {
  if (value == FMax) return;
  FMax = value;
  Changed();
}

void TGlowBar::SetPosition(int value) {
  if (value == FPosition) return;
  FPosition = value;
  Changed();
}

void TGlowBar::SetShowText(bool value) {
  FShowText = value;
  Changed();
}

void TGlowBar::SetMarquee(bool value) {
  if (value == FMarquee) return;
  FMarquee = value;
  FOffset = 0;
  FWaiting = false;
  Changed();
}

void TGlowBar::SetAnimationSpeed(int value) {
  FSpeed = std::clamp(value, 0, 20);
  UpdateTimer();
  Changed();
}

void TGlowBar::SetAnimationRestartDelay(unsigned milliseconds) { FRestartDelay = milliseconds; }

void TGlowBar::SetColor(COLORREF value) {
  FColor = value;
  Changed();
}

void TGlowBar::SetTextColor(COLORREF value) {
  FTextColor = value;
  Changed();
}

void TGlowBar::SetFont(HFONT font) {
  FFont = font;
  Changed();
}

std::wstring TGlowBar::Text() const { return ProgressText(ProgressPercent(FPosition, FMin, FMax)); }

void TGlowBar::Changed() {
  if (Handle()) Invalidate();
}

void TGlowBar::StoreText() {
  // The window text, as other programs (a screen reader) read it, follows the percentage
  // with each paint, not with each of possibly thousands of moves between two paints;
  // this program's own reads get the current value from WM_GETTEXT.
  const std::wstring text = Text();
  if (text == FStoredText) return;
  FStoredText = text;
  DefaultHandling(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TGlowBar::Invalidate() {
  // A bar moved after every block of a copy would otherwise ask the window system to
  // invalidate it hundreds of times between two paints.
  if (FPaintPending) return;
  InvalidateRect(Handle(), nullptr, FALSE);
  FPaintPending = true;
}

void TGlowBar::UpdateTimer() {
  if (!Handle()) return;
  const bool run = FSpeed > 0;
  if (run == FTimerRunning) return;
  if (run) FTimerRunning = SetTimer(Handle(), AnimationTimer, FrameMs, nullptr) != 0;
  else {
    KillTimer(Handle(), AnimationTimer);
    FTimerRunning = false;
  }
}

int TGlowBar::FilledWidth() const {
  RECT client{};
  if (Handle()) GetClientRect(Handle(), &client);
  const int inner = std::max(0L, client.right - 2);
  const long long range = static_cast<long long>(FMax) - FMin;
  if (range <= 0) return FPosition >= FMax ? inner : 0;
  const long long done = std::clamp(static_cast<long long>(FPosition) - FMin, 0LL, range);
  return static_cast<int>(inner * done / range);
}

int TGlowBar::BandWidth() const {
  RECT client{};
  if (Handle()) GetClientRect(Handle(), &client);
  return FMarquee ? std::max(8L, client.right / 4) : 60;
}

void TGlowBar::Animate() {
  if (FSpeed <= 0) return;
  if (FWaiting) {
    if (static_cast<LONG>(GetTickCount() - FRestartAt) < 0) return;
    FWaiting = false;
    FOffset = -BandWidth();
  }
  FOffset += FSpeed * 2;
  RECT client{};
  if (Handle()) GetClientRect(Handle(), &client);
  // The glow sweeps the filled part only, the marquee block the whole bar.
  const int end = FMarquee ? client.right : FilledWidth();
  if (FOffset > end) {
    FWaiting = true;
    FRestartAt = GetTickCount() + FRestartDelay;
    FOffset = -BandWidth();
  }
  // A bar that was just painted for a new position shows this frame with its next paint:
  // while a long run looks at the queue only now and then, the timer's message comes
  // right after that paint and would repaint the bar a second time. Half a frame, as the
  // tick count may advance in steps of about 16 ms.
  if (Handle() && IsWindowVisible(Handle()) && GetTickCount() - FLastPaint >= FrameMs / 2) Invalidate();
}

void TGlowBar::Paint(HDC target) {
  RECT client;
  GetClientRect(Handle(), &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  // Drawn off screen first, so the animation does not flicker.
  HDC dc = FBackBuffer.Prepare(target, client.right, client.bottom);
  if (!dc) return;

  FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
  RECT inner = client;
  InflateRect(&inner, -1, -1);
  TGdiObject fill(CreateSolidBrush(FColor));
  const int band = BandWidth();
  if (FMarquee) {
    RECT block{inner.left + FOffset, inner.top, inner.left + FOffset + band, inner.bottom};
    IntersectRect(&block, &block, &inner);
    FillRect(dc, &block, static_cast<HBRUSH>(fill.Get()));
  } else {
    const int filled = FilledWidth();
    RECT done{inner.left, inner.top, inner.left + filled, inner.bottom};
    FillRect(dc, &done, static_cast<HBRUSH>(fill.Get()));
    if (FSpeed > 0 && !FWaiting && filled > 0) {
      // The glow: a light band, brightest in its middle, clipped to the filled part.
      for (int i = 0; i < band; ++i) {
        const int x = inner.left + FOffset + i;
        if (x < inner.left || x >= inner.left + filled) continue;
        const int distance = std::abs(2 * i - band) * 100 / band;
        SetDCBrushColor(dc, Blend(FColor, RGB(255, 255, 255), (100 - distance) * 7 / 10));
        RECT column{x, inner.top, x + 1, inner.bottom};
        FillRect(dc, &column, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
      }
    }
  }
  FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));

  if (FShowText && !FMarquee) {
    const std::wstring text = Text();
    HGDIOBJ oldFont = SelectObject(dc, Font());
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, FTextColor);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
  }

  BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

LRESULT TGlowBar::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(Text().size());
    case WM_GETTEXT: {
      if (wParam == 0 || !lParam) return 0;
      const std::wstring text = Text();
      const size_t count = std::min(text.size(), static_cast<size_t>(wParam) - 1);
      wchar_t* buffer = reinterpret_cast<wchar_t*>(lParam);
      text.copy(buffer, count);
      buffer[count] = L'\0';
      return static_cast<LRESULT>(count);
    }
    case WM_PAINT:
      FPaintPending = false;
      FLastPaint = GetTickCount();
      StoreText();
      [[fallthrough]];
    case WM_PRINTCLIENT:
      HandlePaintMessage(Handle(), message, wParam, [this](HDC dc) { Paint(dc); });
      return 0;
    case WM_TIMER:
      if (wParam == AnimationTimer) {
        Animate();
        return 0;
      }
      break;
    case WM_SIZE:
      InvalidateRect(Handle(), nullptr, FALSE);  // the new size is painted whole
      FPaintPending = true;
      // The off-screen bitmap follows the size now, not with the first paint: that paint
      // comes in the middle of a copy.
      if (LOWORD(lParam) > 0 && HIWORD(lParam) > 0) {
        if (HDC dc = GetDC(Handle())) {
          FBackBuffer.Prepare(dc, LOWORD(lParam), HIWORD(lParam));
          ReleaseDC(Handle(), dc);
        }
      }
      break;
    case WM_DESTROY:
      KillTimer(Handle(), AnimationTimer);
      FTimerRunning = false;
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}
