#pragma once
// A push button that never takes the keyboard focus and shows a glyph: the button inside
// the ellipsis edit and the cancel button of the progress bar. The glyph's bottom-left
// pixel colour is drawn transparent. A glyph may hold up to four images side by side:
// normal, disabled, pressed, down.
#include <windows.h>

#include <string>

#include "Events.h"
#include "Handles.h"
#include "ToolTip.h"
#include "WindowBase.h"

class TSpeedButton : public TWindowBase {
public:
  TSpeedButton() = default;

  // The window text is the button's accessible name (it shows only the glyph).
  void CreateButton(HWND parent, int x, int y, int width, int height, const std::wstring& accessibleName);

  HBITMAP Glyph() const noexcept { return FGlyph; }
  // Not owned: the caller keeps the bitmap alive while the button shows it.
  void SetGlyph(HBITMAP glyph);
  // Loads the bitmap resource of the program file; the button owns it. False when missing.
  bool LoadGlyph(const wchar_t* resourceName);
  int NumGlyphs() const noexcept { return FNumGlyphs; }
  void SetNumGlyphs(int value);  // 1 to 4; other values are ignored
  bool Flat() const noexcept { return FFlat; }
  void SetFlat(bool value);
  bool Down() const noexcept { return FPressed; }

  const std::wstring& Hint() const noexcept { return FToolTip.Text(); }
  void SetHint(const std::wstring& hint);

  bool Enabled() const;
  void SetEnabled(bool value);
  bool Visible() const;
  void SetVisible(bool value);

  // Raises OnClick as a mouse click does.
  void Click();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void Paint(HDC dc);
  void DrawGlyph(HDC dc, const RECT& client);

  HBITMAP FGlyph = nullptr;
  TGdiObject FOwnedGlyph;
  int FNumGlyphs = 1;
  bool FFlat = false;
  bool FMouseDown = false;  // the left button went down on the button and is held
  bool FPressed = false;    // drawn pressed: held down with the mouse over the button
  TToolTip FToolTip;
};
