#include "StrUtils.h"

#include <windows.h>

#include <climits>

std::wstring CutToken(std::wstring& text, const std::wstring& separator) {
  const size_t at = separator.empty() ? std::wstring::npos : text.find(separator);
  std::wstring token;
  if (at == std::wstring::npos) {
    token.swap(text);
  } else {
    token = text.substr(0, at);
    text.erase(0, at + separator.size());
  }
  return token;
}

std::wstring TrimChars(const std::wstring& text, const std::wstring& set, bool left, bool right) {
  size_t first = 0;
  size_t last = text.size();
  if (left)
    while (first < last && set.find(text[first]) != std::wstring::npos) ++first;
  if (right)
    while (last > first && set.find(text[last - 1]) != std::wstring::npos) --last;
  return text.substr(first, last - first);
}

std::wstring TrimRightChars(const std::wstring& text, const std::wstring& set) {
  return TrimChars(text, set, false, true);
}

std::wstring ReplaceAll(const std::wstring& text, const std::wstring& pattern, const std::wstring& replacement) {
  if (pattern.empty() || pattern == replacement) return text;
  std::wstring result = text;
  // Searching again from the start is what callers rely on (text formed by a replacement
  // and its neighbours is matched again); since a match can only reappear at or after the
  // previous match's position minus the pattern length, the search resumes there.
  // A replacement that contains the pattern would be found again for ever: then each
  // search resumes behind the text just inserted instead.
  const bool selfContaining = replacement.find(pattern) != std::wstring::npos;
  size_t from = 0;
  for (;;) {
    const size_t at = result.find(pattern, from);
    if (at == std::wstring::npos) break;
    result.replace(at, pattern.size(), replacement);
    if (selfContaining)
      from = at + replacement.size();
    else
      from = at >= pattern.size() ? at - pattern.size() + 1 : 0;
  }
  return result;
}

std::wstring JoinPath(const std::wstring& directory, const std::wstring& relativePath) {
  const std::wstring relative = TrimChars(relativePath, L"\\", true, true);
  if (directory.empty()) return relative;
  const bool network = directory.size() >= 2 && directory[0] == L'\\' && directory[1] == L'\\';
  return TrimChars(directory, L"\\", !network, true) + L'\\' + relative;
}

int CompareTextLocale(const std::wstring& a, const std::wstring& b) noexcept {
  if (a.size() > INT_MAX || b.size() > INT_MAX) return a.compare(b);
  const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                    b.data(), static_cast<int>(b.size()));
  if (result == 0) return a.compare(b);  // cannot compare: fall back to code units
  return result - CSTR_EQUAL;
}

bool SameTextLocale(const std::wstring& a, const std::wstring& b) noexcept { return CompareTextLocale(a, b) == 0; }

std::wstring AsciiUpperCase(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  return text;
}
