#pragma once
// TEllipseEdit: a one-line text field with a square "..." button inside its right end. It is
// a multi-line EDIT (no word wrap, Return not taken) because only such an edit lets the
// text be laid out in a narrowed rectangle, so typed text never runs under the button.
// A click on the button can run a file-open dialog and then raises OnEllipsisClick, or,
// without a handler, executes the linked action.
#include <windows.h>

#include <string>

#include "Action.h"
#include "Events.h"
#include "OpenDialog.h"
#include "SpeedButton.h"
#include "ToolTip.h"
#include "WindowBase.h"

class TEllipseEdit : public TWindowBase, private TActionClient {
public:
  TEllipseEdit() = default;
  ~TEllipseEdit() override;

  // ctl3D: the sunken 3-D border (WS_EX_CLIENTEDGE). The height follows the font at once.
  void CreateEdit(HWND parent, int x, int y, int width = 150, int height = 25, bool ctl3D = true);

  const std::wstring& Name() const noexcept { return FName; }
  void SetName(const std::wstring& name) { FName = name; }
  std::wstring Text() const;
  void SetText(const std::wstring& text);

  bool Enabled() const;
  void SetEnabled(bool value);
  bool Visible() const;
  void SetVisible(bool value);
  const std::wstring& Hint() const noexcept { return FToolTip.Text(); }
  void SetHint(const std::wstring& hint) { FToolTip.SetText(hint); }

  // Optional and not owned: it must outlive the edit or be removed first.
  TOpenDialog* Dialog() const noexcept { return FDialog; }
  void SetDialog(TOpenDialog* dialog) noexcept { FDialog = dialog; }

  HBITMAP Glyph() const noexcept { return FEllipsisButton.Glyph(); }
  void SetGlyph(HBITMAP glyph) { FEllipsisButton.SetGlyph(glyph); }
  int NumGlyphs() const noexcept { return FEllipsisButton.NumGlyphs(); }
  void SetNumGlyphs(int value) { FEllipsisButton.SetNumGlyphs(value); }
  bool FlatEllipse() const noexcept { return FEllipsisButton.Flat(); }
  void SetFlatEllipse(bool value) { FEllipsisButton.SetFlat(value); }
  TSpeedButton& EllipsisButton() noexcept { return FEllipsisButton; }

  // Not owned. checkDefaults: take over only what the edit has not set itself.
  TAction* Action() const noexcept { return FAction; }
  void SetAction(TAction* action, bool checkDefaults = false);

  // Height := the font's height plus room for the border (also without AutoSize).
  void FitHeightToFont();
  // Makes the client area left of the button the rectangle the text is laid out in.
  void UpdateTextRect();
  RECT TextRect() const;

  // The button's click handler; a program may call it. sender is the button on a click.
  void EllipsisClick(TWindowBase& sender);

  TNotifyEvent OnChange;
  TNotifyEvent OnClick;
  TNotifyEvent OnEllipsisClick;
  TNotifyEvent OnEllipsisDblClick;
  TMouseEvent OnEllipsisMouseDown;
  TMouseMoveEvent OnEllipsisMouseMove;
  TMouseEvent OnEllipsisMouseUp;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void ActionChange(const TAction& action, bool checkDefaults) override;
  void ActionGone(const TAction& action) noexcept override;
  void PlaceButton();
  void PasteOneLine();

  TSpeedButton FEllipsisButton;
  TOpenDialog* FDialog = nullptr;
  TAction* FAction = nullptr;
  std::wstring FName;
  TToolTip FToolTip;
};
