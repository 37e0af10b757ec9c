#include "Panel.h"

#include "ControlUtils.h"

namespace {
const wchar_t* const PanelProp = L"TPanel";
}

void TPanel::CreatePanel(HWND parent, int x, int y, int width, int height, const std::wstring& name) {
  CreateWithClass(L"TPanel", parent, x, y, width, height, name);
}

void TPanel::CreateWithClass(const wchar_t* className, HWND parent, int x, int y, int width, int height,
                             const std::wstring& name) {
  FName = name;
  Create(className, WS_EX_CONTROLPARENT, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, x, y, width,
         height, parent);
  SetPropW(Handle(), PanelProp, reinterpret_cast<HANDLE>(this));
}

TPanel* TPanel::FromHandle(HWND window) noexcept {
  return window ? static_cast<TPanel*>(GetPropW(window, PanelProp)) : nullptr;
}

COLORREF TPanel::Color() const {
  if (!FParentColor && FColor != CLR_INVALID) return FColor;
  if (const TPanel* parent = Handle() ? FromHandle(GetParent(Handle())) : nullptr) return parent->Color();
  return GetSysColor(COLOR_BTNFACE);
}

void TPanel::SetColor(COLORREF color) {
  FColor = color;
  FParentColor = false;
  Repaint();
}

void TPanel::SetParentColor(bool value) {
  FParentColor = value;
  Repaint();
}

COLORREF TPanel::FontColor() const {
  if (!FParentFont && FFontColor != CLR_INVALID) return FFontColor;
  if (const TPanel* parent = Handle() ? FromHandle(GetParent(Handle())) : nullptr) return parent->FontColor();
  return GetSysColor(COLOR_WINDOWTEXT);
}

void TPanel::SetFontColor(COLORREF color) {
  FFontColor = color;
  FParentFont = false;
  Repaint();
}

void TPanel::SetParentFont(bool value) {
  FParentFont = value;
  Repaint();
}

std::wstring TPanel::Caption() const {
  return WindowText(Handle());
}

void TPanel::SetCaption(const std::wstring& caption) { SetWindowTextW(Handle(), caption.c_str()); }

void TPanel::SetAlignment(TAlignment value) {
  FAlignment = value;
  Repaint();
}

bool TPanel::Visible() const { return (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }

void TPanel::SetVisible(bool value) { ShowWindow(Handle(), value ? SW_SHOWNA : SW_HIDE); }

void TPanel::Repaint() {
  // Children that follow this panel's colours repaint with it.
  if (Handle()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

HBRUSH TPanel::BackgroundBrush() {
  const COLORREF color = Color();
  if (!FBrush || FBrushColor != color) {
    FBrush.Reset(CreateSolidBrush(color));
    FBrushColor = color;
  }
  return static_cast<HBRUSH>(FBrush.Get());
}

void TPanel::Paint(HDC dc) {
  const std::wstring caption = Caption();
  if (caption.empty()) return;
  RECT rect;
  GetClientRect(Handle(), &rect);
  HGDIOBJ oldFont = SelectObject(dc, FFont ? FFont : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, FontColor());
  static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect,
            alignments[FAlignment] | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
  SelectObject(dc, oldFont);
}

LRESULT TPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      RECT rect;
      GetClientRect(Handle(), &rect);
      FillRect(reinterpret_cast<HDC>(wParam), &rect, BackgroundBrush());
      return 1;
    }
    case WM_PAINT:
    case WM_PRINTCLIENT:
      HandlePaintMessage(Handle(), message, wParam, [this](HDC dc) { Paint(dc); });
      return 0;
    case WM_SETFONT:
      FFont = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(FFont);
    case WM_SETTEXT: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      InvalidateRect(Handle(), nullptr, TRUE);
      return result;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      SetBkColor(reinterpret_cast<HDC>(wParam), Color());
      SetTextColor(reinterpret_cast<HDC>(wParam), FontColor());
      return reinterpret_cast<LRESULT>(BackgroundBrush());
    case WM_COMMAND:
    case WM_NOTIFY: {
      // A child handles its own notification; otherwise the panel's parent gets it, so the
      // window that lays out the controls sees the clicks of buttons placed on panels.
      LRESULT result = 0;
      if (ReflectNotification(message, wParam, lParam, result)) return result;
      if (HWND parent = GetParent(Handle())) return SendMessageW(parent, message, wParam, lParam);
      return 0;
    }
    case WM_NCDESTROY:
      RemovePropW(Handle(), PanelProp);
      break;
  }
  return DefaultHandling(message, wParam, lParam);
}
