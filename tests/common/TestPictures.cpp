#include "TestPictures.h"

namespace {

void PutLE(std::string& out, unsigned value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

int Mix(int a, int b, int step, int steps) { return steps <= 1 ? a : a + (b - a) * step / (steps - 1); }

}  // namespace

std::string MakeBmpFile(int width, int height, COLORREF top, COLORREF bottom) {
  const int rowBytes = (width * 3 + 3) & ~3;
  const unsigned pixelBytes = static_cast<unsigned>(rowBytes * height);
  std::string file = "BM";
  PutLE(file, 54 + pixelBytes, 4);
  PutLE(file, 0, 4);
  PutLE(file, 54, 4);
  PutLE(file, 40, 4);  // BITMAPINFOHEADER
  PutLE(file, static_cast<unsigned>(width), 4);
  PutLE(file, static_cast<unsigned>(height), 4);  // positive: rows bottom to top
  PutLE(file, 1, 2);
  PutLE(file, 24, 2);
  PutLE(file, 0, 4);
  PutLE(file, pixelBytes, 4);
  PutLE(file, 2835, 4);
  PutLE(file, 2835, 4);
  PutLE(file, 0, 4);
  PutLE(file, 0, 4);
  for (int y = height - 1; y >= 0; --y) {
    std::string row;
    for (int x = 0; x < width; ++x) {
      row += static_cast<char>(Mix(GetBValue(top), GetBValue(bottom), y, height));
      row += static_cast<char>(Mix(GetGValue(top), GetGValue(bottom), y, height));
      row += static_cast<char>(Mix(GetRValue(top), GetRValue(bottom), y, height));
    }
    row.resize(static_cast<size_t>(rowBytes), '\0');
    file += row;
  }
  return file;
}
