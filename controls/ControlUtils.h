#pragma once
// Small helpers shared by the controls.
#include <windows.h>

#include <functional>
#include <string>

#include "Handles.h"

// Registers the common-control classes the controls use (tooltips); cheap after the first call.
void InitControls();

// A font of the given face with a character height in pixels (a negative LOGFONT height).
TGdiObject CreateUiFont(const std::wstring& face, int pixelHeight, int weight = FW_NORMAL,
                        BYTE charSet = DEFAULT_CHARSET);
// The font a window uses (WM_GETFONT), or the stock GUI font when it has none.
HFONT WindowFont(HWND window);

// Labels, pictures and paint areas are windows here, but they stand for controls that take
// no input: a control that disables its surroundings leaves them alone.
void MarkGraphicControl(HWND window);
bool IsGraphicControl(HWND window);

// A copy of text with the ASCII letters A to Z in lower case.
std::wstring AsciiLowerCase(std::wstring text);

// The paint messages of a window that draws itself with paint(dc): WM_PAINT between
// BeginPaint and EndPaint, WM_PRINTCLIENT into the device context the caller passes.
void HandlePaintMessage(HWND window, UINT message, WPARAM wParam, const std::function<void(HDC)>& paint);

// The child's window rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);

// Paints what the parent shows behind child into dc (whose origin is child's client
// origin): the background of a transparent control.
void PaintParentBackground(HWND child, HDC dc);

// A memory device context for measuring text, made once per process: creating a device
// context costs a visit to the window system on some platforms, too much for every new
// caption. Select a font, measure, select the old font back.
HDC MeasureDC();

// An off-screen picture for painting without flicker, kept from one paint to the next
// and made anew only when the size changes: a control that repaints many times a second
// would otherwise create a device context and a bitmap for each paint.
class TBackBuffer {
public:
  TBackBuffer() = default;
  TBackBuffer(const TBackBuffer&) = delete;
  TBackBuffer& operator=(const TBackBuffer&) = delete;
  ~TBackBuffer();
  // A device context of width x height pixels compatible with target; nullptr when none
  // can be made. Its content is what the last paint left.
  HDC Prepare(HDC target, int width, int height);

private:
  void Release() noexcept;
  TMemoryDC FDC;
  TGdiObject FBitmap;
  HGDIOBJ FOldBitmap = nullptr;
  int FWidth = 0, FHeight = 0;
};

// Holds back the painting of a visible window and its children while several of them
// change (a page switch: captions, styles, visibility), then asks for one repaint of the
// whole. Without it each change paints at once, some of them several times. A hidden
// window is left as it is.
class TRedrawLock {
public:
  explicit TRedrawLock(HWND window);
  TRedrawLock(const TRedrawLock&) = delete;
  TRedrawLock& operator=(const TRedrawLock&) = delete;
  ~TRedrawLock();

private:
  HWND FWindow;
};

// Loads a bitmap resource of the program file itself; nullptr when it is missing.
TGdiObject LoadProgramBitmap(const wchar_t* name);

// Notifications that a child control sends to its parent (WM_COMMAND, WM_NOTIFY) are sent
// back to the child as CN_BASE + message, so a control handles its own notifications.
constexpr UINT CN_BASE = 0xBC00;
// Call from a parent's window procedure. Returns true when the child handled the
// notification (answered non-zero); result then holds its answer.
bool ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
