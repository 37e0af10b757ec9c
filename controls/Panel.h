#pragma once
// A plain panel: a child window with a background colour and children, used as a page, a
// header or a footer. Its colour and font colour follow its parent panel until they are set
// (ParentColor, ParentFont). A caption, when given, is drawn with the panel's font.
#include <windows.h>

#include <string>

#include "Handles.h"
#include "WindowBase.h"

enum TAlignment : unsigned char { taLeftJustify, taRightJustify, taCenter };

class TPanel : public TWindowBase {
public:
  TPanel() = default;

  void CreatePanel(HWND parent, int x, int y, int width, int height, const std::wstring& name = L"");

  // The panel object of a window, or nullptr when the window is no panel of this kind.
  static TPanel* FromHandle(HWND window) noexcept;

  const std::wstring& Name() const noexcept { return FName; }
  void SetName(const std::wstring& name) { FName = name; }

  // The colour the panel shows: its own, or its parent panel's while ParentColor is on
  // (the button-face colour when the parent is no panel).
  COLORREF Color() const;
  void SetColor(COLORREF color);  // switches ParentColor off
  bool ParentColor() const noexcept { return FParentColor; }
  void SetParentColor(bool value);

  // The text colour of the panel's caption and of labels that follow it.
  COLORREF FontColor() const;
  void SetFontColor(COLORREF color);  // switches ParentFont off
  bool ParentFont() const noexcept { return FParentFont; }
  void SetParentFont(bool value);

  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);
  TAlignment Alignment() const noexcept { return FAlignment; }
  void SetAlignment(TAlignment value);

  bool Visible() const;
  void SetVisible(bool value);

protected:
  void CreateWithClass(const wchar_t* className, HWND parent, int x, int y, int width, int height,
                       const std::wstring& name);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Paint(HDC dc);
  void Repaint();
  HBRUSH BackgroundBrush();

  std::wstring FName;
  COLORREF FColor = CLR_INVALID;
  bool FParentColor = true;
  COLORREF FFontColor = CLR_INVALID;
  bool FParentFont = true;
  TAlignment FAlignment = taCenter;
  HFONT FFont = nullptr;  // not owned: the window that sends WM_SETFONT keeps it
  TGdiObject FBrush;      // for child controls that ask for the background (WM_CTLCOLOR...)
  COLORREF FBrushColor = CLR_INVALID;
};
