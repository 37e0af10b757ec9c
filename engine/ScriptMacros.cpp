#include "ScriptMacros.h"

#include <windows.h>
#include <shlobj.h>

#include "Exceptions.h"
#include "Language.h"
#include "MessageIds.h"
#include "QXFiles.h"
#include "ResString.h"
#include "StrUtils.h"

namespace {
// Cuts text at separator and hands each name between a pair of separators to expand;
// the parts outside the pairs are kept as they stand.
template <class Expand>
std::wstring ReplaceMacros(const std::wstring& text, const std::wstring& separator, Expand expand) {
  std::wstring rest = text;
  std::wstring out = CutToken(rest, separator);
  while (!rest.empty()) {
    const std::wstring name = CutToken(rest, separator);
    out += expand(name);
    out += CutToken(rest, separator);
  }
  return out;
}

std::wstring LocaleUpperCase(const std::wstring& text) {
  if (text.empty()) return text;
  const int length = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
                                  nullptr, 0);
  if (length <= 0) return AsciiUpperCase(text);
  std::wstring upper(static_cast<size_t>(length), L'\0');
  LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()), upper.data(),
               length);
  return upper;
}

std::wstring FolderWithoutBackslash(int csidl) { return TrimRightChars(GetSpecialFolder(csidl), L"\\"); }
}  // namespace

TDataTable ReadDataTable(const TIniFile& dataFile) {
  std::wstring section = L"Data";
  if (CurrentLanguage() == LANG_ID_ENGLISH && !dataFile.ReadSection(L"Data_Eng").empty()) section = L"Data_Eng";
  TDataTable data;
  for (const std::wstring& name : dataFile.ReadSection(section)) {
    data.Names.Add(name);
    data.Values.push_back(dataFile.ReadString(section, name, L""));
  }
  return data;
}

std::wstring ReplaceDataMacros(const std::wstring& text, const TDataTable& data) {
  return ReplaceMacros(text, L"$$$", [&data](const std::wstring& name) {
    const int index = data.Names.IndexOf(name);
    if (index < 0) throw Exception(FmtLoadStr(SValueNotFound, {name}));
    return data.Values[static_cast<size_t>(index)];
  });
}

std::wstring ExpandFolderMacros(const std::wstring& text) {
  return ReplaceMacros(text, L"%", [](const std::wstring& name) {
    const std::wstring upper = LocaleUpperCase(name);
    // The program is a 32-bit one: its program files are those of the 32-bit view, also
    // when this code runs in a 64-bit process.
    if (upper == L"PROGFILES") return FolderWithoutBackslash(CSIDL_PROGRAM_FILESX86);
    if (upper == L"COMMON_DOCUMENTS") return FolderWithoutBackslash(CSIDL_COMMON_DOCUMENTS);
    throw Exception(FmtLoadStr(SValueNotFound, {upper}));
  });
}
