#include "ControlUtils.h"

#include <commctrl.h>

#include <utility>

namespace {
const wchar_t* const GraphicControlProp = L"TGraphicControl";
}

void InitControls() {
  static const bool done = [] {
    INITCOMMONCONTROLSEX info{sizeof info, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    return InitCommonControlsEx(&info) != FALSE;
  }();
  (void)done;
}

TGdiObject CreateUiFont(const std::wstring& face, int pixelHeight, int weight, BYTE charSet) {
  LOGFONTW font{};
  font.lfHeight = -pixelHeight;
  font.lfWeight = weight;
  font.lfCharSet = charSet;
  font.lfQuality = DEFAULT_QUALITY;
  face.copy(font.lfFaceName, LF_FACESIZE - 1);
  return TGdiObject(CreateFontIndirectW(&font));
}

HFONT WindowFont(HWND window) {
  auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void MarkGraphicControl(HWND window) { SetPropW(window, GraphicControlProp, reinterpret_cast<HANDLE>(1)); }

bool IsGraphicControl(HWND window) {
  if (GetPropW(window, GraphicControlProp)) return true;
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  return lstrcmpiW(className, L"Static") == 0;
}

std::wstring AsciiLowerCase(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  return text;
}

void HandlePaintMessage(HWND window, UINT message, WPARAM wParam, const std::function<void(HDC)>& paint) {
  if (message == WM_PRINTCLIENT) {
    paint(reinterpret_cast<HDC>(wParam));
    return;
  }
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  paint(dc);
  EndPaint(window, &ps);
}

RECT ChildRect(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void PaintParentBackground(HWND child, HDC dc) {
  HWND parent = GetParent(child);
  if (!parent) return;
  POINT origin{0, 0};
  MapWindowPoints(child, parent, &origin, 1);
  POINT old;
  OffsetWindowOrgEx(dc, origin.x, origin.y, &old);
  SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  SetWindowOrgEx(dc, old.x, old.y, nullptr);
}

HDC MeasureDC() {
  static const TMemoryDC dc(CreateCompatibleDC(nullptr));
  return dc.Get();
}

TBackBuffer::~TBackBuffer() { Release(); }

void TBackBuffer::Release() noexcept {
  // The bitmap leaves the device context before either goes.
  if (FDC && FOldBitmap) SelectObject(FDC.Get(), FOldBitmap);
  FOldBitmap = nullptr;
  FBitmap = TGdiObject();
  FDC = TMemoryDC();
  FWidth = FHeight = 0;
}

HDC TBackBuffer::Prepare(HDC target, int width, int height) {
  if (FDC && width == FWidth && height == FHeight) return FDC.Get();
  Release();
  TMemoryDC dc(CreateCompatibleDC(target));
  TGdiObject bitmap(CreateCompatibleBitmap(target, width, height));
  if (!dc || !bitmap) return nullptr;
  FOldBitmap = SelectObject(dc.Get(), bitmap.Get());
  FDC = std::move(dc);
  FBitmap = std::move(bitmap);
  FWidth = width;
  FHeight = height;
  return FDC.Get();
}

TRedrawLock::TRedrawLock(HWND window)
    : FWindow(window && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) ? window : nullptr) {
  if (FWindow) SendMessageW(FWindow, WM_SETREDRAW, FALSE, 0);
}

TRedrawLock::~TRedrawLock() {
  if (!FWindow || !IsWindow(FWindow)) return;
  SendMessageW(FWindow, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(FWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

TGdiObject LoadProgramBitmap(const wchar_t* name) {
  return TGdiObject(LoadImageW(GetModuleHandleW(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

bool ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  HWND child = nullptr;
  if (message == WM_COMMAND) child = reinterpret_cast<HWND>(lParam);
  else if (message == WM_NOTIFY && lParam) child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
  if (!child || !IsWindow(child)) return false;
  result = SendMessageW(child, CN_BASE + message, wParam, lParam);
  return result != 0;
}
