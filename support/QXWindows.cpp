#include "QXWindows.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include "Exceptions.h"
#include "Handles.h"
#include "MessageIds.h"
#include "ResString.h"
#include "WindowBase.h"

namespace {

// The text after the last "\" or ":".
std::wstring ExeFileNamePart(const wchar_t* exeFile, std::size_t capacity) {
  std::size_t length = 0;
  while (length < capacity && exeFile[length] != L'\0') ++length;
  std::wstring path(exeFile, length);
  const std::size_t separator = path.find_last_of(L"\\:");
  return separator == std::wstring::npos ? path : path.substr(separator + 1);
}

bool StartsWithAsciiNoCase(const std::wstring& text, const wchar_t* prefix) {
  std::size_t i = 0;
  for (; prefix[i] != L'\0'; ++i) {
    if (i >= text.size()) return false;
    wchar_t c = text[i];
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

bool ShellOpen(HWND owner, const std::wstring& fileName, const std::wstring& params, ULONG mask) {
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = mask;
  info.hwnd = owner;
  info.lpVerb = nullptr;
  info.lpFile = fileName.c_str();
  info.lpParameters = params.c_str();
  info.lpDirectory = nullptr;
  info.nShow = SW_SHOWNORMAL;
  const bool ok = ShellExecuteExW(&info) != FALSE;
  const DWORD code = GetLastError();
  // The started program is not waited for; its handle is only closed.
  TKernelHandle process(info.hProcess);
  SetLastError(code);
  return ok;
}

}  // namespace

bool IsProgramRunning(const std::wstring& exeName) {
  TFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry))
    if (ExeFileNamePart(entry.szExeFile, MAX_PATH) == exeName) return true;
  return false;
}

void OpenDocument(HWND owner, const std::wstring& fileName, const std::wstring& params) {
  constexpr ULONG Mask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  if (ShellOpen(owner, fileName, params, Mask)) return;
  DWORD code = GetLastError();
  // Some shells refuse SEE_MASK_INVOKEIDLIST without an item list; the plain open works.
  if (code == ERROR_INVALID_PARAMETER) {
    if (ShellOpen(owner, fileName, params, Mask & ~SEE_MASK_INVOKEIDLIST)) return;
    code = GetLastError();
  }
  throw EOpenDocumentError(FmtLoadStr(SOpenDocumentError, {fileName, static_cast<long long>(code),
                                                           SysErrorMessage(code)}),
                           static_cast<int>(code));
}

std::wstring InternetPageAddress(const std::wstring& url) {
  if (StartsWithAsciiNoCase(url, L"http://") || StartsWithAsciiNoCase(url, L"https://")) return url;
  return L"http://" + url;
}

void OpenInternetPage(HWND owner, const std::wstring& url) {
  const std::wstring address = InternetPageAddress(url);
  try {
    OpenDocument(owner, address);
  } catch (const EOpenDocumentError& error) {
    throw EOpenDocumentError(FmtLoadStr(SOpenInternetPageError, {address, error.ErrorCode,
                                                                 SysErrorMessage(static_cast<DWORD>(error.ErrorCode))}),
                             error.ErrorCode);
  }
}
