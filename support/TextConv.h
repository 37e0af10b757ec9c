#pragma once
// Conversions between the program's UTF-16 texts and byte encodings.
#include <string>
#include <string_view>

// UTF-8 for consoles and JSON; a lone surrogate becomes U+FFFD.
std::string WideToUtf8(std::wstring_view text);
std::wstring Utf8ToWide(std::string_view text);
// The system's ANSI code page, as the platform's profile reader interprets ANSI files.
std::wstring AnsiToWide(std::string_view text);
