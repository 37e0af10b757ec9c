#include "WindowTexts.h"

#include <windows.h>

#include "Exceptions.h"
#include "MessageIds.h"
#include "ResString.h"

namespace {

std::wstring Utf8ToWide(const char* text, size_t length) {
  if (length == 0) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0);
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(length), wide.data(), size);
  return wide;
}

}  // namespace

TWindowTexts ParseWindowTexts(const char* data, size_t byteCount) {
  std::vector<std::wstring> strings;
  size_t start = 0;
  for (size_t i = 0; i < byteCount; ++i) {
    if (data[i] != '\0') continue;
    strings.push_back(Utf8ToWide(data + start, i - start));
    start = i + 1;
  }
  TWindowTexts texts;
  for (size_t i = 0; i + 1 < strings.size(); i += 2) texts.emplace_back(strings[i], strings[i + 1]);
  return texts;
}

TWindowTexts LoadWindowTexts(const wchar_t* resName) {
  HMODULE module = CurrentResourceModule();
  if (!module) module = GetModuleHandleW(nullptr);
  HRSRC resource = FindResourceW(module, resName, MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data) throw Exception(FmtLoadStr(SWindowDefinitionMissing, {std::wstring(resName)}));
  return ParseWindowTexts(static_cast<const char*>(data), SizeofResource(module, resource));
}
