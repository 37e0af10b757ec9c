#pragma once
// The texts of a window's definition: a resource of type RCDATA named after the window
// class (the main window's is "TFORMMAIN") in the current resource source, so a language
// module replaces them together with the message table. The resource is a sequence of
// UTF-8 strings, each ended by a zero byte: control name, text, control name, text ...
// (UTF-8 because the resource compiler copies narrow strings byte for byte, while it
// garbles non-ASCII letters in wide strings of RCDATA.)
#include <string>
#include <utility>
#include <vector>

using TWindowTexts = std::vector<std::pair<std::wstring, std::wstring>>;

// The (name, text) pairs of the definition resName in the current resource source.
// Raises Exception when the source has no such definition.
TWindowTexts LoadWindowTexts(const wchar_t* resName);

// The pairs held by a definition's bytes; an unpaired trailing name is dropped.
TWindowTexts ParseWindowTexts(const char* data, size_t byteCount);
