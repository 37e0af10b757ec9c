#include "SpeedButton.h"

#include <windowsx.h>

#include "ControlUtils.h"

void TSpeedButton::CreateButton(HWND parent, int x, int y, int width, int height,
                                const std::wstring& accessibleName) {
  Create(L"TSpeedButton", 0, WS_CHILD | WS_VISIBLE, x, y, width, height, parent, accessibleName, nullptr,
         CS_DBLCLKS);
  FToolTip.Attach(Handle());
  FToolTip.SetActive(true);
}

void TSpeedButton::SetGlyph(HBITMAP glyph) {
  if (glyph == FGlyph) return;
  FGlyph = glyph;
  if (FOwnedGlyph && FOwnedGlyph.Get() != glyph) FOwnedGlyph.Reset();
  InvalidateRect(Handle(), nullptr, TRUE);
}

bool TSpeedButton::LoadGlyph(const wchar_t* resourceName) {
  TGdiObject bitmap = LoadProgramBitmap(resourceName);
  if (!bitmap) return false;
  FGlyph = static_cast<HBITMAP>(bitmap.Get());
  FOwnedGlyph = std::move(bitmap);
  InvalidateRect(Handle(), nullptr, TRUE);
  return true;
}

void TSpeedButton::SetNumGlyphs(int value) {
  if (value < 1 || value > 4 || value == FNumGlyphs) return;
  FNumGlyphs = value;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TSpeedButton::SetFlat(bool value) {
  if (value == FFlat) return;
  FFlat = value;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TSpeedButton::SetHint(const std::wstring& hint) { FToolTip.SetText(hint); }

bool TSpeedButton::Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }

void TSpeedButton::SetEnabled(bool value) { EnableWindow(Handle(), value); }

bool TSpeedButton::Visible() const { return (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }

void TSpeedButton::SetVisible(bool value) { ShowWindow(Handle(), value ? SW_SHOWNA : SW_HIDE); }

void TSpeedButton::Click() {
  if (OnClick) OnClick(*this);
}

void TSpeedButton::DrawGlyph(HDC dc, const RECT& client) {
  BITMAP info{};
  if (!FGlyph || !GetObjectW(FGlyph, sizeof info, &info) || info.bmWidth <= 0) return;
  const int width = info.bmWidth / FNumGlyphs;
  const int height = info.bmHeight;
  if (width <= 0) return;
  const bool enabled = Enabled();
  // Image order in the glyph: normal, disabled, pressed, down.
  int image = 0;
  if (!enabled && FNumGlyphs > 1) image = 1;
  else if (FPressed && FNumGlyphs > 2) image = 2;
  const int shift = FPressed ? 1 : 0;
  const int x = (client.right - width) / 2 + shift;
  const int y = (client.bottom - height) / 2 + shift;

  HDC glyphDC = CreateCompatibleDC(dc);
  HGDIOBJ oldGlyph = SelectObject(glyphDC, FGlyph);
  const COLORREF transparent = GetPixel(glyphDC, image * width, height - 1);
  if (enabled || FNumGlyphs > 1) {
    TransparentBlt(dc, x, y, width, height, glyphDC, image * width, 0, width, height, transparent);
  } else {
    // No disabled image: draw the glyph's shape engraved, as disabled buttons look.
    TGdiObject mask(CreateBitmap(width, height, 1, 1, nullptr));
    HDC maskDC = CreateCompatibleDC(dc);
    HGDIOBJ oldMask = SelectObject(maskDC, mask.Get());
    SetBkColor(glyphDC, transparent);
    BitBlt(maskDC, 0, 0, width, height, glyphDC, 0, 0, SRCCOPY);
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
    // Paints the brush where the mask is black (the glyph's shape), keeps the rest.
    const DWORD ropBrushWhereMaskBlack = 0x00B8074A;
    HGDIOBJ oldBrush = SelectObject(dc, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    BitBlt(dc, x + 1, y + 1, width, height, maskDC, 0, 0, ropBrushWhereMaskBlack);
    SelectObject(dc, GetSysColorBrush(COLOR_BTNSHADOW));
    BitBlt(dc, x, y, width, height, maskDC, 0, 0, ropBrushWhereMaskBlack);
    SelectObject(dc, oldBrush);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
    SelectObject(maskDC, oldMask);
    DeleteDC(maskDC);
  }
  SelectObject(glyphDC, oldGlyph);
  DeleteDC(glyphDC);
}

void TSpeedButton::Paint(HDC dc) {
  RECT client;
  GetClientRect(Handle(), &client);
  FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
  if (FPressed) DrawEdge(dc, &client, FFlat ? BDR_SUNKENOUTER : EDGE_SUNKEN, BF_RECT);
  else if (!FFlat) DrawEdge(dc, &client, EDGE_RAISED, BF_RECT);
  DrawGlyph(dc, client);
}

LRESULT TSpeedButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
    case WM_PRINTCLIENT:
      HandlePaintMessage(Handle(), message, wParam, [this](HDC dc) { Paint(dc); });
      return 0;
    case WM_ENABLE:
      if (!wParam) FMouseDown = FPressed = false;
      InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
      FMouseDown = FPressed = true;
      SetCapture(Handle());
      InvalidateRect(Handle(), nullptr, FALSE);
      if (OnMouseDown) OnMouseDown(*this, mbLeft, wParam, x, y);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) OnDblClick(*this);
      return 0;
    case WM_RBUTTONDOWN:
      if (OnMouseDown) OnMouseDown(*this, mbRight, wParam, x, y);
      return 0;
    case WM_RBUTTONUP:
      if (OnMouseUp) OnMouseUp(*this, mbRight, wParam, x, y);
      return 0;
    case WM_MOUSEMOVE: {
      if (FMouseDown) {
        RECT client;
        GetClientRect(Handle(), &client);
        const bool inside = PtInRect(&client, POINT{x, y}) != FALSE;
        if (inside != FPressed) {
          FPressed = inside;
          InvalidateRect(Handle(), nullptr, FALSE);
        }
      }
      if (OnMouseMove) OnMouseMove(*this, wParam, x, y);
      return 0;
    }
    case WM_LBUTTONUP: {
      const bool click = FMouseDown && FPressed;
      FMouseDown = FPressed = false;
      if (GetCapture() == Handle()) ReleaseCapture();
      InvalidateRect(Handle(), nullptr, FALSE);
      if (OnMouseUp) OnMouseUp(*this, mbLeft, wParam, x, y);
      if (click) Click();
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (FMouseDown) {
        FMouseDown = FPressed = false;
        InvalidateRect(Handle(), nullptr, FALSE);
      }
      return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}
