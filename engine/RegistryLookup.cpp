#include "RegistryLookup.h"

#include <vector>

#include "Exceptions.h"
#include "Handles.h"
#include "MessageIds.h"
#include "QXFiles.h"
#include "ResString.h"
#include "StrUtils.h"

namespace {
enum class TLookup { Found, NotFound, ReadFailed };

bool EndsWithText(const std::wstring& text, const std::wstring& suffix) {
  return text.size() >= suffix.size() &&
         AsciiUpperCase(text.substr(text.size() - suffix.size())) == AsciiUpperCase(suffix);
}

std::wstring ChooseDefaultDir(const std::wstring& candidates) {
  std::wstring rest = candidates;
  const std::wstring first = CutToken(rest, L"|");
  if (DirExistsQuiet(first)) return first;
  while (!rest.empty()) {
    std::wstring candidate = CutToken(rest, L"|");
    if (DirExistsQuiet(candidate)) return candidate;
  }
  return first;
}

// The text of a string value up to its first zero; false when the value is no string or
// cannot be read.
bool ReadStringValue(HKEY key, const std::wstring& name, DWORD type, DWORD size, std::wstring& text) {
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  for (int attempt = 0; attempt < 3; ++attempt) {
    std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
    DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
    const LONG rc = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes);
    if (rc == ERROR_MORE_DATA) {  // the value grew meanwhile
      size = bytes;
      continue;
    }
    if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    text.assign(buffer.data());
    return true;
  }
  return false;
}

// The first reference of regKey that names an existing value below root.
TLookup LookUpAtRoot(HKEY root, const std::wstring& regKey, std::wstring& path) {
  std::wstring rest = regKey;
  while (!rest.empty()) {
    const std::wstring candidate = CutToken(rest, L"|");
    if (candidate.empty()) break;  // an empty reference ends the search
    const size_t slash = candidate.rfind(L'\\');
    const std::wstring keyPath =
        TrimRightChars(L"software\\" + (slash == std::wstring::npos ? L"" : candidate.substr(0, slash)), L"\\");
    const std::wstring valueName = slash == std::wstring::npos ? candidate : candidate.substr(slash + 1);
    TRegKey key;
    if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ | RegView, key.Receive()) != ERROR_SUCCESS) continue;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) continue;
    std::wstring text;
    if (!ReadStringValue(key.Get(), valueName, type, size, text)) return TLookup::ReadFailed;
    path = std::move(text);
    return TLookup::Found;
  }
  return TLookup::NotFound;
}

std::wstring LocalDateTimeText() {
  wchar_t date[128] = {};
  wchar_t time[128] = {};
  if (!GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 128)) date[0] = L'\0';
  if (!GetTimeFormatW(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, time, 128)) time[0] = L'\0';
  // A backslash would make further key levels, and only the last one is deleted again.
  return ReplaceAll(std::wstring(date) + L' ' + time, L"\\", L"-");
}
}  // namespace

void CheckLocalMachineAccess(const std::wstring& key) {
  // Absolute below HKEY_LOCAL_MACHINE, written without the leading backslash, which
  // RegCreateKeyExW refuses.
  const std::wstring path = JoinPath(L"Software", key) + L"\\$$$dummy$$$" + LocalDateTimeText();
  TRegKey created;
  DWORD disposition = 0;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS | RegView, nullptr, created.Receive(), &disposition) != ERROR_SUCCESS)
    throw Exception(LoadResString(SNoAdminRights));
  created.Reset();
  // Never delete a key that was there before the test.
  if (disposition == REG_CREATED_NEW_KEY) RegDeleteKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), RegView, 0);
}

void ResolveDefaultDir(const std::wstring& regKey, bool& regKeyFound, std::wstring& defaultDir, std::wstring& path,
                       HKEY root, const TCmdArgs& args) {
  // The default is reduced to one candidate first, so that a directory from the command
  // line that turns out to be wrong has a single default to fall back to.
  defaultDir = ChooseDefaultDir(defaultDir);
  const std::wstring switchName =
      EndsWithText(regKey, L"exedir") ? L"APPDIR" : EndsWithText(regKey, L"datadir") ? L"DATADIR" : L"";
  if (!switchName.empty()) {
    const std::wstring value = CmdLineSwitchValue(args, switchName);
    if (!value.empty()) {
      path = value;
      return;
    }
  }
  for (HKEY current = root;; current = HKEY_LOCAL_MACHINE) {
    path = defaultDir;
    regKeyFound = false;
    const TLookup result = LookUpAtRoot(current, regKey, path);
    if (result == TLookup::Found) {
      regKeyFound = true;
      return;
    }
    if (current == HKEY_LOCAL_MACHINE) {
      if (result == TLookup::ReadFailed) path.clear();
      return;
    }
  }
}
