#include "CoolLabel.h"

#include "ControlUtils.h"

void TEllipsisLabel::CreateLabel(HWND parent, int x, int y, int width, int height, const std::wstring& caption) {
  Create(L"TEllipsisLabel", 0, WS_CHILD | WS_VISIBLE, x, y, width, height, parent, caption, nullptr,
         CS_DBLCLKS);
  MarkGraphicControl(Handle());
  FToolTip.Attach(Handle());
}

std::wstring TEllipsisLabel::Caption() const {
  return WindowText(Handle());
}

void TEllipsisLabel::SetCaption(const std::wstring& caption) { SetWindowTextW(Handle(), caption.c_str()); }

void TEllipsisLabel::SetEllipsis(TEllipsis value) {
  if (value == FEllipsis) return;
  FEllipsis = value;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TEllipsisLabel::SetAutoSize(bool value) {
  FAutoSize = value;
  Changed();
}

void TEllipsisLabel::SetWordWrap(bool value) {
  FWordWrap = value;
  Changed();
}

void TEllipsisLabel::SetShowAccelChar(bool value) {
  FShowAccelChar = value;
  Changed();
}

void TEllipsisLabel::SetTransparent(bool value) {
  FTransparent = value;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TEllipsisLabel::SetAlignment(TAlignment value) {
  FAlignment = value;
  InvalidateRect(Handle(), nullptr, TRUE);
}

void TEllipsisLabel::SetLayout(TTextLayout value) {
  FLayout = value;
  InvalidateRect(Handle(), nullptr, TRUE);
}

COLORREF TEllipsisLabel::Color() const {
  if (FColor != CLR_INVALID) return FColor;
  if (const TPanel* parent = TPanel::FromHandle(GetParent(Handle()))) return parent->Color();
  return GetSysColor(COLOR_BTNFACE);
}

void TEllipsisLabel::SetColor(COLORREF color) {
  FColor = color;
  InvalidateRect(Handle(), nullptr, TRUE);
}

COLORREF TEllipsisLabel::FontColor() const {
  if (FFontColor != CLR_INVALID) return FFontColor;
  if (const TPanel* parent = TPanel::FromHandle(GetParent(Handle()))) return parent->FontColor();
  return GetSysColor(COLOR_WINDOWTEXT);
}

void TEllipsisLabel::SetFontColor(COLORREF color) {
  FFontColor = color;
  InvalidateRect(Handle(), nullptr, TRUE);
}

bool TEllipsisLabel::Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }

void TEllipsisLabel::SetEnabled(bool value) { EnableWindow(Handle(), value); }

bool TEllipsisLabel::Visible() const { return (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }

void TEllipsisLabel::SetVisible(bool value) { ShowWindow(Handle(), value ? SW_SHOWNA : SW_HIDE); }

void TEllipsisLabel::Changed() {
  AdjustBounds();
  InvalidateRect(Handle(), nullptr, TRUE);
}

UINT TEllipsisLabel::DrawStyle() const {
  static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  return DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0u) | alignments[FAlignment];
}

void TEllipsisLabel::DoDrawText(HDC dc, RECT& rect, UINT flags) {
  static const UINT ellipsisFlags[] = {0, DT_PATH_ELLIPSIS, DT_END_ELLIPSIS};
  const UINT ellipsis = ellipsisFlags[FEllipsis];
  std::wstring text = Caption();
  // An empty label still measures one line high.
  if ((flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == L"&"))) text += L' ';
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  const int length = static_cast<int>(text.size());

  if (FShowFullTextOnHint) {
    RECT whole = rect;
    DrawTextW(dc, text.c_str(), length, &whole, (flags | DT_CALCRECT) & ~(DT_PATH_ELLIPSIS | DT_END_ELLIPSIS));
    const bool shortened = rect.right - rect.left < whole.right - whole.left;
    FToolTip.SetText(shortened ? text : std::wstring());
    FToolTip.SetActive(shortened);
  }

  if (Enabled()) {
    DrawTextW(dc, text.c_str(), length, &rect, flags | ellipsis);
    return;
  }
  // Disabled: engraved, a highlight copy one pixel down and right under a shadow copy.
  OffsetRect(&rect, 1, 1);
  SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
  DrawTextW(dc, text.c_str(), length, &rect, flags | ellipsis);
  OffsetRect(&rect, -1, -1);
  SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
  DrawTextW(dc, text.c_str(), length, &rect, flags | ellipsis);
}

std::wstring TEllipsisLabel::DrawnText() {
  static const UINT ellipsisFlags[] = {0, DT_PATH_ELLIPSIS, DT_END_ELLIPSIS};
  std::wstring text = Caption();
  RECT rect;
  GetClientRect(Handle(), &rect);
  // DT_MODIFYSTRING may write up to four characters more than the text.
  std::wstring buffer = text + std::wstring(4, L'\0');
  HDC dc = MeasureDC();
  HGDIOBJ oldFont = SelectObject(dc, WindowFont(Handle()));
  DrawTextW(dc, buffer.data(), static_cast<int>(text.size()), &rect,
            DrawStyle() | DT_SINGLELINE | DT_MODIFYSTRING | ellipsisFlags[FEllipsis] |
                (FShowAccelChar ? 0u : DT_NOPREFIX));
  SelectObject(dc, oldFont);
  return std::wstring(buffer.c_str());
}

void TEllipsisLabel::Paint(HDC dc) {
  RECT rect;
  GetClientRect(Handle(), &rect);
  HGDIOBJ oldFont = SelectObject(dc, WindowFont(Handle()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, FontColor());
  UINT style = DrawStyle();
  if (FLayout != tlTop) {
    RECT calc = rect;
    DoDrawText(dc, calc, style | DT_CALCRECT);
    const int free = (rect.bottom - rect.top) - (calc.bottom - calc.top);
    rect.top += FLayout == tlBottom ? free : free / 2;
  }
  DoDrawText(dc, rect, style);
  SelectObject(dc, oldFont);
}

void TEllipsisLabel::AdjustBounds() {
  if (!FAutoSize || !Handle()) return;
  RECT client;
  GetClientRect(Handle(), &client);
  RECT rect = client;
  HDC dc = MeasureDC();
  HGDIOBJ oldFont = SelectObject(dc, WindowFont(Handle()));
  DoDrawText(dc, rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0u));
  SelectObject(dc, oldFont);
  const int width = FWordWrap ? client.right : rect.right - rect.left;
  if (width == client.right && rect.bottom - rect.top == client.bottom) return;
  // The uncovered parts are erased with the next paint, not at once: an immediate erase
  // repaints the parent and every sibling, for each new caption of another length.
  SetWindowPos(Handle(), nullptr, 0, 0, width, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_DEFERERASE);
}

LRESULT TEllipsisLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      if (FTransparent) {
        PaintParentBackground(Handle(), dc);
      } else {
        RECT rect;
        GetClientRect(Handle(), &rect);
        TGdiObject brush(CreateSolidBrush(Color()));
        FillRect(dc, &rect, static_cast<HBRUSH>(brush.Get()));
      }
      return 1;
    }
    case WM_PRINTCLIENT:
      if (lParam & PRF_ERASEBKGND) SendMessageW(Handle(), WM_ERASEBKGND, wParam, 0);
      [[fallthrough]];
    case WM_PAINT:
      HandlePaintMessage(Handle(), message, wParam, [this](HDC dc) { Paint(dc); });
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefaultHandling(message, wParam, lParam);
      Changed();
      return result;
    }
    case WM_SETFONT:
      FFont = reinterpret_cast<HFONT>(wParam);
      AdjustBounds();
      if (LOWORD(lParam)) InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(FFont);
    case WM_ENABLE:
      InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    case WM_LBUTTONUP:
      if (OnClick) OnClick(*this);
      return 0;
    case WM_LBUTTONDBLCLK:
      if (OnDblClick) OnDblClick(*this);
      return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}
