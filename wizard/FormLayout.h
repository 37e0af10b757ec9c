#pragma once
// The main window's layout as a table: every control with its name, parent, alignment and
// design bounds at 96 dots per inch. Arranging it is a pure function, so the rectangles can
// be checked without a window and at any dots per inch.
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// How a control takes its place in its parent: at its design bounds, or along an edge of
// the room the parent's border and the earlier aligned siblings leave (Client fills it).
enum class TAlign : unsigned char { None, Top, Bottom, Left, Client };

struct TLayoutItem {
  std::wstring Name;
  std::wstring Parent;  // empty: the window's client area
  TAlign Align = TAlign::None;
  int Left = 0, Top = 0, Width = 0, Height = 0;  // design values; Left/Top only for None
  int BorderWidth = 0;                           // room kept free inside for aligned children
};

// Design pixels to device pixels: dpi 96 is 1.0.
class TLayoutScale {
public:
  explicit TLayoutScale(int dpi) : FDpi(dpi > 0 ? dpi : 96) {}
  int Dpi() const noexcept { return FDpi; }
  int operator()(int designPixels) const noexcept { return MulDiv(designPixels, FDpi, 96); }

private:
  int FDpi;
};

// The main window's design client size.
constexpr int FormClientWidth = 424;
constexpr int FormClientHeight = 286;

// The table of the main window, parents before their children, siblings in creation order.
std::vector<TLayoutItem> MainFormLayout();

// Rectangles relative to each control's parent client area. Items for which visible
// answers false are skipped and leave their room to their siblings. Aligned items are
// arranged per parent in the order Top, Bottom, Left, Client, each in table order.
using TLayoutRects = std::map<std::wstring, RECT>;
TLayoutRects ArrangeLayout(const std::vector<TLayoutItem>& items, int clientWidth, int clientHeight,
                           const TLayoutScale& scale, const std::function<bool(const std::wstring&)>& visible);
