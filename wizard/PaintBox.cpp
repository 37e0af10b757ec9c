#include "PaintBox.h"

#include <windowsx.h>

void TPaintBox::CreatePaintBox(HWND parent, int x, int y, int width, int height) {
  // Transparent: the siblings below are painted first and show through.
  Create(L"TPaintBox", WS_EX_TRANSPARENT, WS_CHILD | WS_VISIBLE, x, y, width, height, parent);
}

bool TPaintBox::Enabled() const { return IsWindowEnabled(Handle()) != FALSE; }

void TPaintBox::SetEnabled(bool value) { EnableWindow(Handle(), value ? TRUE : FALSE); }

LRESULT TPaintBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(Handle(), &ps);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_LBUTTONDOWN:
      FPressed = true;
      SetCapture(Handle());
      return 0;
    case WM_LBUTTONUP: {
      // A click is a press and a release inside the area.
      const bool wasPressed = FPressed;
      FPressed = false;
      ReleaseCapture();
      RECT client;
      GetClientRect(Handle(), &client);
      const POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (wasPressed && PtInRect(&client, point) && OnClick) OnClick(*this);
      return 0;
    }
    case WM_CAPTURECHANGED:
      FPressed = false;
      return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}
