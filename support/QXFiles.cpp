#include "QXFiles.h"

#include <shlobj.h>

#include <algorithm>
#include <iterator>

#include "Handles.h"

namespace {

bool HasWildcards(const std::wstring& path) { return path.find_first_of(L"*?") != std::wstring::npos; }

// The attributes of path, of the link's target when path is a symbolic link or junction;
// INVALID_FILE_ATTRIBUTES when it does not exist.
DWORD ResolvedAttributes(const std::wstring& path) {
  if (path.empty() || HasWildcards(path)) return INVALID_FILE_ATTRIBUTES;
  TErrorModeScope quiet(SEM_FAILCRITICALERRORS);
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return attributes;
  TFileHandle target(CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!target || !GetFileInformationByHandle(target.Get(), &info)) return INVALID_FILE_ATTRIBUTES;
  return info.dwFileAttributes;
}

}  // namespace

bool FileExistsQuiet(const std::wstring& path) {
  const DWORD attributes = ResolvedAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirExistsQuiet(const std::wstring& path) {
  const DWORD attributes = ResolvedAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileOrDirExists(const std::wstring& path) { return DirExistsQuiet(path) || FileExistsQuiet(path); }

bool FindFileRecord(const std::wstring& path, WIN32_FIND_DATAW& data) {
  // A search finds entries of a directory: neither a directory named with a closing
  // separator nor a drive's root is one.
  if (path.empty() || HasWildcards(path) || path.find_last_of(L"\\/:") == path.size() - 1) return false;
  // The attribute query reads the same record as a directory search but costs no round
  // trip to the system's services where they run in a process of their own, and the copy
  // asks for every file's size before it starts.
  TErrorModeScope quiet(SEM_FAILCRITICALERRORS);
  WIN32_FILE_ATTRIBUTE_DATA record{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &record)) return false;
  WIN32_FIND_DATAW found{};
  found.dwFileAttributes = record.dwFileAttributes;
  found.ftCreationTime = record.ftCreationTime;
  found.ftLastAccessTime = record.ftLastAccessTime;
  found.ftLastWriteTime = record.ftLastWriteTime;
  found.nFileSizeHigh = record.nFileSizeHigh;
  found.nFileSizeLow = record.nFileSizeLow;
  const std::wstring name = path.substr(path.find_last_of(L"\\/:") + 1);
  name.copy(found.cFileName, std::min(name.size(), std::size(found.cFileName) - 1));
  data = found;
  return true;
}

long long GetFileSizeByName(const std::wstring& path) {
  WIN32_FIND_DATAW data{};
  if (!FindFileRecord(path, data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

double FileTimeToDateTime(const FILETIME& time) noexcept {
  // FILETIME counts 100 ns since 1601-01-01, which lies 109205 days before 1899-12-30.
  const unsigned long long ticks = (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  constexpr double TicksPerDay = 864000000000.0;
  return static_cast<double>(ticks) / TicksPerDay - 109205.0;
}

double GetFileDateTime(const std::wstring& path) {
  if (!FileOrDirExists(path)) return -1.0;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  FILETIME local{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
      !FileTimeToLocalFileTime(&data.ftLastWriteTime, &local))
    return -1.0;
  return FileTimeToDateTime(local);
}

bool IsFileLocked(const std::wstring& path) {
  if (!FileExistsQuiet(path)) return false;
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  return !file;
}

std::wstring GetSpecialFolder(int csidl) {
  PIDLIST_ABSOLUTE items = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &items)) || !items) return {};
  wchar_t buffer[MAX_PATH + 1] = {};  // the size SHGetPathFromIDListW requires
  const bool found = SHGetPathFromIDListW(items, buffer);
  CoTaskMemFree(items);
  return found ? std::wstring(buffer) : std::wstring();
}
