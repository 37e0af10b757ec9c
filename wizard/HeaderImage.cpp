#include "HeaderImage.h"

#include <windows.h>
// Left out by WIN32_LEAN_AND_MEAN, needed by the image library's declarations.
#include <objidl.h>
#include <gdiplus.h>

#include "ControlUtils.h"
#include "Panel.h"

namespace {

namespace Gdip = Gdiplus::DllExports;

// The image library runs while at least one picture needs it.
class TGdiplusSession {
public:
  TGdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&FToken, &input, nullptr) != Gdiplus::Ok) FToken = 0;
  }
  ~TGdiplusSession() {
    if (FToken) Gdiplus::GdiplusShutdown(FToken);
  }
  bool Running() const noexcept { return FToken != 0; }

private:
  ULONG_PTR FToken = 0;
};

std::shared_ptr<TGdiplusSession> GdiplusSession() {
  static std::weak_ptr<TGdiplusSession> current;
  std::shared_ptr<TGdiplusSession> session = current.lock();
  if (!session) {
    session = std::make_shared<TGdiplusSession>();
    current = session;
  }
  return session;
}

}  // namespace

struct TPicture::TImpl {
  std::shared_ptr<TGdiplusSession> Session;
  Gdiplus::GpImage* Image = nullptr;
  ~TImpl() {
    if (Image) Gdip::GdipDisposeImage(Image);
  }
};

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

bool TPicture::IsKnownExtension(const std::wstring& path) {
  const size_t dot = path.rfind(L'.');
  const size_t slash = path.find_last_of(L"\\/");
  if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return false;
  const std::wstring extension = AsciiLowerCase(path.substr(dot + 1));
  for (const wchar_t* known : {L"bmp", L"ico", L"wmf", L"emf", L"tif", L"tiff", L"png"})
    if (extension == known) return true;
  return false;
}

void TPicture::Clear() {
  FImpl.reset();
  FWidth = FHeight = 0;
}

bool TPicture::Empty() const noexcept { return !FImpl; }

bool TPicture::LoadFromFile(const std::wstring& path) {
  Clear();
  if (path.empty() || !IsKnownExtension(path)) return false;
  auto impl = std::make_unique<TImpl>();
  impl->Session = GdiplusSession();
  if (!impl->Session->Running()) return false;
  // Relative paths are taken from the current directory, as the library does.
  if (Gdip::GdipLoadImageFromFile(path.c_str(), &impl->Image) != Gdiplus::Ok || !impl->Image) return false;
  UINT width = 0, height = 0;
  if (Gdip::GdipGetImageWidth(impl->Image, &width) != Gdiplus::Ok ||
      Gdip::GdipGetImageHeight(impl->Image, &height) != Gdiplus::Ok || width == 0 || height == 0)
    return false;
  FImpl = std::move(impl);
  FWidth = static_cast<int>(width);
  FHeight = static_cast<int>(height);
  return true;
}

void TPicture::StretchDraw(HDC dc, const RECT& rect) const {
  if (!FImpl) return;
  Gdiplus::GpGraphics* graphics = nullptr;
  if (Gdip::GdipCreateFromHDC(dc, &graphics) != Gdiplus::Ok) return;
  Gdip::GdipSetInterpolationMode(graphics, Gdiplus::InterpolationModeHighQualityBicubic);
  Gdip::GdipDrawImageRectI(graphics, FImpl->Image, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top);
  Gdip::GdipDeleteGraphics(graphics);
}

void TImage::CreateImage(HWND parent, int x, int y, int width, int height) {
  Create(L"TImage", 0, WS_CHILD | WS_VISIBLE, x, y, width, height, parent);
  MarkGraphicControl(Handle());
}

void TImage::PictureChanged() { InvalidateRect(Handle(), nullptr, TRUE); }

LRESULT TImage::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT, so a resize does not flicker
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      RECT client;
      GetClientRect(Handle(), &client);
      const TPanel* parent = TPanel::FromHandle(GetParent(Handle()));
      TGdiObject brush(CreateSolidBrush(parent ? parent->Color() : GetSysColor(COLOR_BTNFACE)));
      FillRect(dc, &client, static_cast<HBRUSH>(brush.Get()));
      FPicture.StretchDraw(dc, client);
      EndPaint(Handle(), &ps);
      return 0;
    }
  }
  return DefaultHandling(message, wParam, lParam);
}
