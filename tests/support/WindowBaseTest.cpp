#include <gtest/gtest.h>

#include "Handles.h"
#include "TestWindow.h"
#include "WindowBase.h"

namespace {

// A child window of an own class on a white background.
class TChild : public TWindowBase {
public:
  TChild(HWND parent, DWORD style, DWORD exStyle) {
    Create(L"WindowBaseTestChild", exStyle, WS_CHILD | WS_VISIBLE | style, 10, 10, 80, 60, parent, L"",
           GetSysColorBrush(COLOR_WINDOW));
  }
};

// Paints the whole window (frame included) in a colour no frame uses, repaints it, and
// counts the pixels outside the client area that kept that colour.
int UnpaintedFramePixels(HWND window) {
  constexpr COLORREF marker = RGB(255, 0, 255);
  RECT whole;
  GetWindowRect(window, &whole);
  OffsetRect(&whole, -whole.left, -whole.top);
  HDC dc = GetWindowDC(window);
  const TGdiObject brush(CreateSolidBrush(marker));
  FillRect(dc, &whole, static_cast<HBRUSH>(brush.Get()));
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  // The client area in window coordinates.
  RECT client;
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  RECT screen;
  GetWindowRect(window, &screen);
  OffsetRect(&client, origin.x - screen.left, origin.y - screen.top);
  int unpainted = 0;
  for (int y = 0; y < whole.bottom; ++y)
    for (int x = 0; x < whole.right; ++x) {
      const POINT point{x, y};
      if (!PtInRect(&client, point) && GetPixel(dc, x, y) == marker) ++unpainted;
    }
  ReleaseDC(window, dc);
  return unpainted;
}

}  // namespace

// The window base skips the system's non-client painting for frameless windows of its
// own classes; whatever a window has outside its client area must still be drawn.
TEST(WindowBase, FramesEdgesAndScrollBarsOfOwnWindowsArePainted) {
  struct TCase {
    const char* Name;
    DWORD Style;
    DWORD ExStyle;
  };
  const TCase cases[] = {
      {"border", WS_BORDER, 0},
      {"client edge", 0, WS_EX_CLIENTEDGE},
      {"static edge", 0, WS_EX_STATICEDGE},
      {"dialog frame", WS_DLGFRAME, 0},
      {"vertical scroll bar", WS_VSCROLL, 0},
  };
  TTestForm form(200, 100);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TChild child(form.Handle(), c.Style, c.ExStyle);
    RECT client;
    GetClientRect(child.Handle(), &client);
    ASSERT_LT(client.right, 80);  // the frame takes room
    EXPECT_EQ(0, UnpaintedFramePixels(child.Handle()));
  }
}
