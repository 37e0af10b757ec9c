#include "ResString.h"

namespace {
HMODULE GResourceModule = nullptr;
}

HMODULE CurrentResourceModule() noexcept {
  return GResourceModule ? GResourceModule : GetModuleHandleW(nullptr);
}

void SetCurrentResourceModule(HMODULE module) noexcept { GResourceModule = module; }

std::wstring LoadResString(unsigned id) {
  // With a buffer size of 0 LoadStringW hands out a pointer into the resource itself,
  // so texts of any length come through whole.
  const wchar_t* text = nullptr;
  const int length = LoadStringW(CurrentResourceModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || !text) return {};
  return std::wstring(text, static_cast<size_t>(length));
}

std::wstring FmtLoadStr(unsigned id, std::initializer_list<TFormatArg> args) {
  return Format(LoadResString(id), args);
}
