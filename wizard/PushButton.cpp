#include "PushButton.h"

#include "ControlUtils.h"

void TPushButton::CreateButton(HWND parent, int x, int y, int width, int height) {
  CreateControl(L"BUTTON", 0, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, x, y, width, height, parent);
}

std::wstring TPushButton::Caption() const {
  return WindowText(Handle());
}

// A button repaints at once on a new caption or style, so the setters leave an unchanged
// button alone: a page switch then costs only the buttons that really change.
void TPushButton::SetCaption(const std::wstring& caption) {
  if (Caption() != caption) SetWindowTextW(Handle(), caption.c_str());
}

bool TPushButton::Visible() const { return (GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE) != 0; }

void TPushButton::SetVisible(bool value) { ShowWindow(Handle(), value ? SW_SHOWNA : SW_HIDE); }

bool TPushButton::Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }

void TPushButton::SetEnabled(bool value) { EnableWindow(Handle(), value ? TRUE : FALSE); }

void TPushButton::SetDefault(bool value) {
  FDefault = value;
  const LONG_PTR style = value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if ((GetWindowLongPtrW(Handle(), GWL_STYLE) & BS_TYPEMASK) != style)
    SendMessageW(Handle(), BM_SETSTYLE, static_cast<WPARAM>(style), TRUE);
}

void TPushButton::Click() {
  if (OnClick) OnClick(*this);
}

LRESULT TPushButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == CN_BASE + WM_COMMAND) {
    if (HIWORD(wParam) == BN_CLICKED) Click();
    return 1;
  }
  return DefaultHandling(message, wParam, lParam);
}
