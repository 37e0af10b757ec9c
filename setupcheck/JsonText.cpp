#include "JsonText.h"

namespace {
void AppendEscape(std::wstring& out, unsigned code) {
  static const wchar_t digits[] = L"0123456789abcdef";
  out += L"\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += digits[(code >> shift) & 0xF];
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

std::wstring JsonString(const std::wstring& text) {
  std::wstring out = L"\"";
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    switch (c) {
      case L'"': out += L"\\\""; continue;
      case L'\\': out += L"\\\\"; continue;
      case L'\n': out += L"\\n"; continue;
      case L'\r': out += L"\\r"; continue;
      case L'\t': out += L"\\t"; continue;
      default: break;
    }
    if (c < 0x20 || c == 0x7F) {
      AppendEscape(out, c);
    } else if (IsHighSurrogate(c) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      out += c;
      out += text[++i];
    } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
      AppendEscape(out, c);
    } else {
      out += c;
    }
  }
  out += L'"';
  return out;
}
