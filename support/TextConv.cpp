#include "TextConv.h"

#include <windows.h>

#include <climits>

namespace {
std::wstring MultiByteToWide(UINT codePage, std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<size_t>(length), L'\0');
  if (length > 0)
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), result.data(), length);
  return result;
}
}  // namespace

std::string WideToUtf8(std::wstring_view text) {
  if (text.empty() || text.size() > INT_MAX / 4) return {};
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(length), '\0');
  if (length > 0)
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), length, nullptr,
                        nullptr);
  return result;
}

std::wstring Utf8ToWide(std::string_view text) { return MultiByteToWide(CP_UTF8, text); }

std::wstring AnsiToWide(std::string_view text) { return MultiByteToWide(CP_ACP, text); }
