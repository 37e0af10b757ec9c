#include "ScriptColors.h"

#include "StrUtils.h"

TColorValue ColorFromName(const std::wstring& name) {
  struct TNamedColor {
    const wchar_t* Name;
    COLORREF Value;
  };
  static const TNamedColor colors[] = {
      {L"WINDOW", 0xFF000005},  // the system colour of window backgrounds
      {L"BLACK", 0x000000},    {L"WHITE", 0xFFFFFF}, {L"BLUE", 0xFF0000},
      {L"RED", 0x0000FF},      {L"GREEN", 0x008000},
  };
  const std::wstring upper = AsciiUpperCase(name);
  for (const TNamedColor& color : colors)
    if (upper == color.Name) return color.Value;
  return std::nullopt;
}
