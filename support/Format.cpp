#include "Format.h"

#include <cstdint>
#include <cwctype>
#include <vector>

#include "Exceptions.h"
#include "MessageIds.h"
#include "ResString.h"

namespace {

[[noreturn]] void RaiseInvalidFormat(const std::wstring& format) {
  // The message names the faulty format; it is built by plain substitution so that a
  // faulty translation of the message itself cannot recurse.
  std::wstring message = LoadResString(SInvalidFormat);
  const size_t at = message.find(L"%s");
  if (at != std::wstring::npos) message.replace(at, 2, format);
  throw EConvertError(message);
}

std::wstring Pad(std::wstring text, size_t width, bool leftAlign) {
  if (text.size() >= width) return text;
  if (leftAlign) return text + std::wstring(width - text.size(), L' ');
  return std::wstring(width - text.size(), L' ') + text;
}

std::wstring ToDigits(unsigned long long value, unsigned base) {
  static const wchar_t digits[] = L"0123456789ABCDEF";
  std::wstring result;
  do {
    result.insert(result.begin(), digits[value % base]);
    value /= base;
  } while (value != 0);
  return result;
}

// Reads a decimal number at pos; returns false when there is none. Caps absurd values.
bool ReadNumber(const std::wstring& s, size_t& pos, size_t& value) {
  const size_t start = pos;
  value = 0;
  while (pos < s.size() && s[pos] >= L'0' && s[pos] <= L'9') {
    if (value < 100000) value = value * 10 + (s[pos] - L'0');
    ++pos;
  }
  return pos != start;
}

}  // namespace

std::wstring Format(const std::wstring& format, std::initializer_list<TFormatArg> args) {
  const std::vector<TFormatArg> list(args);
  std::wstring result;
  result.reserve(format.size() + 16 * list.size());
  size_t next = 0;  // the argument that a placeholder without index takes
  size_t pos = 0;
  while (pos < format.size()) {
    const size_t percent = format.find(L'%', pos);
    if (percent == std::wstring::npos) {
      result.append(format, pos, std::wstring::npos);
      break;
    }
    result.append(format, pos, percent - pos);
    pos = percent + 1;
    if (pos >= format.size()) RaiseInvalidFormat(format);
    if (format[pos] == L'%') {
      result += L'%';
      ++pos;
      continue;
    }
    // [index:]
    size_t number = 0;
    const size_t numberStart = pos;
    if (ReadNumber(format, pos, number) && pos < format.size() && format[pos] == L':') {
      next = number;
      ++pos;
    } else {
      pos = numberStart;
    }
    bool leftAlign = false;
    if (pos < format.size() && format[pos] == L'-') {
      leftAlign = true;
      ++pos;
    }
    size_t width = 0;
    ReadNumber(format, pos, width);
    bool hasPrecision = false;
    size_t precision = 0;
    if (pos < format.size() && format[pos] == L'.') {
      ++pos;
      if (!ReadNumber(format, pos, precision)) RaiseInvalidFormat(format);
      hasPrecision = true;
    }
    if (pos >= format.size() || next >= list.size()) RaiseInvalidFormat(format);
    const wchar_t type = static_cast<wchar_t>(towlower(format[pos]));
    ++pos;
    const TFormatArg& arg = list[next++];
    std::wstring text;
    switch (type) {
      case L's':
        if (!arg.IsText()) RaiseInvalidFormat(format);
        text = arg.Text();
        if (hasPrecision && text.size() > precision) text.resize(precision);
        break;
      case L'd':
      case L'u':
      case L'x': {
        if (arg.IsText()) RaiseInvalidFormat(format);
        const long long value = arg.Number();
        const bool negative = type == L'd' && value < 0;
        unsigned long long magnitude = static_cast<unsigned long long>(value);
        if (negative)
          magnitude = 0ULL - magnitude;
        else if (type != L'd' && value < 0 && value >= INT32_MIN)
          magnitude &= 0xFFFFFFFFULL;  // %u and %x of a negative 32-bit number show its bit pattern
        text = ToDigits(magnitude, type == L'x' ? 16 : 10);
        if (hasPrecision && text.size() < precision) text.insert(0, precision - text.size(), L'0');
        if (negative) text.insert(0, 1, L'-');
        break;
      }
      default:
        RaiseInvalidFormat(format);
    }
    result += Pad(std::move(text), width, leftAlign);
  }
  return result;
}
