#pragma once
// Text to 32-bit integer with the rules of the script's numbers: leading blanks skipped,
// an optional sign, then decimal digits, or hexadecimal digits after "$", "x" or "0x"
// (either letter case). Hexadecimal takes the full 32-bit pattern ($FFFFFFFF is -1).
// Anything else raises EConvertError "''%s'' ist kein gültiger Integer-Wert".
#include <string>

int StrToInt(const std::wstring& text);
// As StrToInt, without raising: false and value untouched when the text is no integer.
bool TryStrToInt(const std::wstring& text, int& value) noexcept;
