#include "RegistryWrite.h"

#include <windows.h>

#include "Exceptions.h"
#include "Format.h"
#include "Handles.h"
#include "IntConv.h"
#include "MessageIds.h"
#include "ResString.h"
#include "StrUtils.h"

namespace {
// The same text in every language.
const wchar_t* const SUnknownRootKey = L"Unkown root key \"%s\".";

HKEY RootKey(const std::wstring& name) {
  if (name == L"HKEY_LOCAL_MACHINE") return HKEY_LOCAL_MACHINE;
  if (name == L"HKEY_CURRENT_USER") return HKEY_CURRENT_USER;
  throw Exception(Format(SUnknownRootKey, {name}));
}

struct TRegEntry {
  std::wstring KeyPath;    // absolute below the root: empty or beginning with "\"
  std::wstring ValueName;  // empty for the key's default value
  bool IsInteger = false;
  int Integer = 0;
  std::wstring Text;
};

TRegEntry ParseEntry(const std::wstring& rest) {
  TRegEntry entry;
  const size_t equals = rest.find(L'=');
  if (equals != std::wstring::npos && equals + 1 < rest.size()) {
    const std::wstring keyPart = rest.substr(0, equals);
    const std::wstring data = rest.substr(equals + 1);
    const size_t cut = keyPart.find_last_of(L"\\:");
    const size_t nameStart = cut == std::wstring::npos ? 0 : cut + 1;
    entry.KeyPath = keyPart.substr(0, nameStart);
    entry.ValueName = keyPart.substr(nameStart);
    if (data[0] != L'"') {
      entry.IsInteger = true;
      entry.Integer = StrToInt(data);
    } else {
      entry.Text = TrimChars(data, L"\"", true, true);
    }
  } else {
    entry.KeyPath = rest.substr(0, equals);
  }
  if (!entry.KeyPath.empty() && entry.KeyPath[0] != L'\\') entry.KeyPath.insert(0, 1, L'\\');
  return entry;
}

void SetValue(HKEY key, const TRegEntry& entry) {
  LONG status = ERROR_SUCCESS;
  if (entry.IsInteger) {
    const DWORD value = static_cast<DWORD>(entry.Integer);
    status = RegSetValueExW(key, entry.ValueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                            sizeof(value));
  } else {
    const DWORD bytes = static_cast<DWORD>((entry.Text.size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(key, entry.ValueName.c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(entry.Text.c_str()), bytes);
  }
  if (status != ERROR_SUCCESS) throw Exception(FmtLoadStr(SRegSetDataFailed, {entry.ValueName}));
}
}  // namespace

void CreateRegKey(const std::wstring& line) {
  std::wstring rest = line;
  const std::wstring rootName = CutToken(rest, L"\\");
  const HKEY root = RootKey(rootName);
  const TRegEntry entry = ParseEntry(rest);
  // RegCreateKeyExW refuses a sub-key path that begins with "\".
  const std::wstring subKey = entry.KeyPath.empty() ? entry.KeyPath : entry.KeyPath.substr(1);
  TRegKey key;
  const LONG status = RegCreateKeyExW(root, subKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, key.Receive(), nullptr);
  if (status != ERROR_SUCCESS) throw Exception(FmtLoadStr(SRegKeyCreateFailed, {rootName + entry.KeyPath}));
  SetValue(key.Get(), entry);
}
