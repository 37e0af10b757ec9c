#pragma once
// JSON text built as UTF-16 and sent out as UTF-8.
#include <string>

// text as a JSON string literal with its quotes. Control characters and unpaired
// surrogates are written as \u escapes, so the result stays valid whatever the script held.
std::wstring JsonString(const std::wstring& text);
