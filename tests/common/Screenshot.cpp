#include "Screenshot.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "TestUtils.h"

namespace {

uint32_t Crc32(const std::string& bytes, size_t from) {
  static uint32_t table[256] = {};
  if (!table[1]) {
    for (uint32_t n = 0; n < 256; ++n) {
      uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      table[n] = c;
    }
  }
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = from; i < bytes.size(); ++i) crc = table[(crc ^ static_cast<uint8_t>(bytes[i])) & 0xFF] ^ (crc >> 8);
  return crc ^ 0xFFFFFFFFu;
}

void PutBigEndian(std::string& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void PutChunk(std::string& png, const char* type, const std::string& data) {
  PutBigEndian(png, static_cast<uint32_t>(data.size()));
  const size_t start = png.size();
  png += type;
  png += data;
  PutBigEndian(png, Crc32(png, start));
}

}  // namespace

std::string EncodePng(int width, int height, const std::string& rgbRows) {
  std::string raw;
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  for (int y = 0; y < height; ++y) {
    raw += '\0';  // filter type: none
    raw.append(rgbRows, static_cast<size_t>(y) * rowBytes, rowBytes);
  }
  std::string zlib = "\x78\x01";
  uint32_t a = 1, b = 0;
  for (char c : raw) {
    a = (a + static_cast<uint8_t>(c)) % 65521;
    b = (b + a) % 65521;
  }
  size_t offset = 0;
  do {
    const size_t length = std::min<size_t>(65535, raw.size() - offset);
    const bool last = offset + length == raw.size();
    zlib += static_cast<char>(last ? 1 : 0);
    zlib += static_cast<char>(length & 0xFF);
    zlib += static_cast<char>(length >> 8);
    zlib += static_cast<char>(~length & 0xFF);
    zlib += static_cast<char>((~length >> 8) & 0xFF);
    zlib.append(raw, offset, length);
    offset += length;
  } while (offset < raw.size());
  PutBigEndian(zlib, (b << 16) | a);

  std::string header;
  PutBigEndian(header, static_cast<uint32_t>(width));
  PutBigEndian(header, static_cast<uint32_t>(height));
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8 bits, RGB, deflate, no filter, no interlace

  std::string png = "\x89PNG\r\n\x1a\n";
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", zlib);
  PutChunk(png, "IEND", "");
  return png;
}

bool SaveWindowScreenshot(HWND window, const std::wstring& fileName, bool repaint) {
  if (repaint)
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  // The client area: the frame of a top-level window belongs to the X window manager and
  // is not in the window's pixels under Wine.
  RECT rect;
  if (!IsWindowVisible(window) || !GetClientRect(window, &rect)) {
    ADD_FAILURE() << "the window to capture is not shown";
    return false;
  }
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) {
    ADD_FAILURE() << "the window to capture has no size";
    return false;
  }
  HDC source = GetDC(window);
  HDC memory = CreateCompatibleDC(source);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  const bool copied = bitmap && BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  std::string rgb;
  if (copied) {
    rgb.reserve(static_cast<size_t>(width) * height * 3);
    const auto* pixels = static_cast<const uint8_t*>(bits);
    for (int i = 0; i < width * height; ++i) {
      rgb += static_cast<char>(pixels[i * 4 + 2]);
      rgb += static_cast<char>(pixels[i * 4 + 1]);
      rgb += static_cast<char>(pixels[i * 4 + 0]);
    }
  }
  SelectObject(memory, old);
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, source);
  if (!copied) {
    ADD_FAILURE() << "cannot copy the window's pixels";
    return false;
  }
  WriteFileBytes(std::wstring(TEST_ARTIFACTS_DIR) + L"\\" + fileName, EncodePng(width, height, rgb));
  return true;
}
