#pragma once
// Text and path helpers. Positions and comparisons are exact (letter case matters),
// except the locale comparisons at the end.
#include <string>

// Cuts the first token off text at separator: returns the part before it and leaves the
// rest after it in text; without a separator the whole text is the token and text
// becomes empty. Empty tokens come back as they stand.
std::wstring CutToken(std::wstring& text, const std::wstring& separator);

// Removes the characters of set from the left and/or right end of text.
std::wstring TrimChars(const std::wstring& text, const std::wstring& set, bool left, bool right);
std::wstring TrimRightChars(const std::wstring& text, const std::wstring& set);

// Replaces every occurrence of pattern, searching again from the start after each
// replacement, so text formed by a replacement and its neighbours is matched again. A
// replacement that contains the pattern is not searched again. An empty pattern is never found.
std::wstring ReplaceAll(const std::wstring& text, const std::wstring& pattern, const std::wstring& replacement);

// Joins a directory and a relative path with exactly one backslash. A network path keeps
// its leading double backslash; an empty relative path leaves a trailing backslash.
std::wstring JoinPath(const std::wstring& directory, const std::wstring& relativePath);

// Case-insensitive comparison after the user's locale (CompareStringW, NORM_IGNORECASE):
// negative, zero or positive.
int CompareTextLocale(const std::wstring& a, const std::wstring& b) noexcept;
bool SameTextLocale(const std::wstring& a, const std::wstring& b) noexcept;

// ASCII letters a to z as capitals, every other character unchanged.
std::wstring AsciiUpperCase(std::wstring text);
