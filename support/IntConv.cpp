#include "IntConv.h"

#include <cstdint>

#include "Exceptions.h"
#include "MessageIds.h"
#include "ResString.h"

namespace {
int HexValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}
}  // namespace

bool TryStrToInt(const std::wstring& text, int& value) noexcept {
  size_t pos = 0;
  while (pos < text.size() && text[pos] == L' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == L'+' || text[pos] == L'-')) {
    negative = text[pos] == L'-';
    ++pos;
  }
  bool hex = false;
  if (pos < text.size() && (text[pos] == L'$' || text[pos] == L'x' || text[pos] == L'X')) {
    hex = true;
    ++pos;
  } else if (pos + 1 < text.size() && text[pos] == L'0' && (text[pos + 1] == L'x' || text[pos + 1] == L'X')) {
    hex = true;
    pos += 2;
  }
  if (pos >= text.size()) return false;
  uint64_t magnitude = 0;
  const uint64_t limit = hex ? 0xFFFFFFFFULL : (negative ? 2147483648ULL : 2147483647ULL);
  for (; pos < text.size(); ++pos) {
    const int digit = hex ? HexValue(text[pos]) : (text[pos] >= L'0' && text[pos] <= L'9' ? text[pos] - L'0' : -1);
    if (digit < 0) return false;
    magnitude = magnitude * (hex ? 16 : 10) + static_cast<uint64_t>(digit);
    if (magnitude > limit) return false;
  }
  const uint32_t pattern = static_cast<uint32_t>(magnitude);
  value = static_cast<int>(negative ? 0U - pattern : pattern);
  return true;
}

int StrToInt(const std::wstring& text) {
  int value = 0;
  if (!TryStrToInt(text, value)) throw EConvertError(FmtLoadStr(SInvalidInteger, {text}));
  return value;
}
