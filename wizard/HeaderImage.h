#pragma once
// The header picture: a picture file decoded by the system's image library and shown
// stretched over the whole client area of its window. Recognised by file extension: bmp,
// ico, wmf, emf, tif, tiff, png. Any failure to load leaves the picture empty; that is no
// error, the window hides the picture's panel instead.
#include <memory>
#include <string>

#include "WindowBase.h"

class TPicture {
public:
  TPicture();
  ~TPicture();
  TPicture(const TPicture&) = delete;
  TPicture& operator=(const TPicture&) = delete;

  // Replaces the picture with the file's; false (and empty) when the path is empty, the
  // extension is not recognised, or the file is missing or cannot be decoded.
  bool LoadFromFile(const std::wstring& path);
  void Clear();
  bool Empty() const noexcept;
  // The picture's size in its own pixels; 0 when empty.
  int Width() const noexcept { return FWidth; }
  int Height() const noexcept { return FHeight; }
  // Draws the picture stretched into the rectangle.
  void StretchDraw(HDC dc, const RECT& rect) const;

  static bool IsKnownExtension(const std::wstring& path);

private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
  int FWidth = 0;
  int FHeight = 0;
};

// A window that shows a TPicture stretched over its client area on its parent's colour.
class TImage : public TWindowBase {
public:
  void CreateImage(HWND parent, int x, int y, int width, int height);
  TPicture& Picture() noexcept { return FPicture; }
  // Repaints after the picture has changed.
  void PictureChanged();

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  TPicture FPicture;
};
