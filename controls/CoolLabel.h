#pragma once
// TEllipsisLabel: a label that shortens a text that does not fit with "..." when it draws
// it (in the middle of a path or at the end) and offers the whole text as its hint while
// it is shortened. The text itself is never changed: it is the window text, so screen
// readers read the whole of it. With elNone and no hint it is the window's plain label
// (transparent, word-wrapped, greyed when disabled).
#include <windows.h>

#include <string>

#include "Events.h"
#include "Panel.h"
#include "ToolTip.h"
#include "WindowBase.h"

enum TEllipsis : unsigned char { elNone, elPath, elEnd };
enum TTextLayout : unsigned char { tlTop, tlCenter, tlBottom };

class TEllipsisLabel : public TWindowBase {
public:
  TEllipsisLabel() = default;

  void CreateLabel(HWND parent, int x, int y, int width, int height, const std::wstring& caption = L"");

  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);

  TEllipsis Ellipsis() const noexcept { return FEllipsis; }
  void SetEllipsis(TEllipsis value);
  bool ShowFullTextOnHint() const noexcept { return FShowFullTextOnHint; }
  void SetShowFullTextOnHint(bool value) { FShowFullTextOnHint = value; }

  bool AutoSize() const noexcept { return FAutoSize; }
  void SetAutoSize(bool value);
  bool WordWrap() const noexcept { return FWordWrap; }
  void SetWordWrap(bool value);
  bool ShowAccelChar() const noexcept { return FShowAccelChar; }
  void SetShowAccelChar(bool value);
  bool Transparent() const noexcept { return FTransparent; }
  void SetTransparent(bool value);
  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const noexcept { return FLayout; }
  void SetLayout(TTextLayout value);

  // Background when not transparent, and text colour; both follow the parent panel until set.
  COLORREF Color() const;
  void SetColor(COLORREF color);
  COLORREF FontColor() const;
  void SetFontColor(COLORREF color);

  bool Enabled() const;
  void SetEnabled(bool value);
  bool Visible() const;
  void SetVisible(bool value);

  const std::wstring& Hint() const noexcept { return FToolTip.Text(); }
  void SetHint(const std::wstring& hint) { FToolTip.SetText(hint); }
  bool ShowHint() const noexcept { return FToolTip.Active(); }
  void SetShowHint(bool value) { FToolTip.SetActive(value); }

  // The text-drawing step of painting and of measuring (DT_CALCRECT in flags); rect and
  // flags come from the alignment, layout and word-wrap settings. Draws with the font
  // selected into dc. Updates the hint when ShowFullTextOnHint is on.
  void DoDrawText(HDC dc, RECT& rect, UINT flags);
  // The text as the label shows it now on one line (with "..." where it is shortened).
  std::wstring DrawnText();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  UINT DrawStyle() const;
  void Paint(HDC dc);
  void AdjustBounds();
  void Changed();

  TEllipsis FEllipsis = elPath;
  bool FShowFullTextOnHint = true;
  bool FAutoSize = false;
  bool FWordWrap = false;
  bool FShowAccelChar = true;
  bool FTransparent = false;
  TAlignment FAlignment = taLeftJustify;
  TTextLayout FLayout = tlTop;
  COLORREF FColor = CLR_INVALID;      // CLR_INVALID: the parent's
  COLORREF FFontColor = CLR_INVALID;  // CLR_INVALID: the parent's
  HFONT FFont = nullptr;              // not owned
  TToolTip FToolTip;
};
