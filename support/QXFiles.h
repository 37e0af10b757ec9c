#pragma once
// File and folder queries on the real file system. The existence tests never show a
// system error dialog (an empty removable drive or a missing share gives false). A name
// that contains "*" or "?" names no file: every function here treats it as not found.
#include <windows.h>

#include <string>

bool FileExistsQuiet(const std::wstring& path);  // a file, not a directory; links followed
bool DirExistsQuiet(const std::wstring& path);   // a directory; links followed
bool FileOrDirExists(const std::wstring& path);
// The find data of path (all attributes searched); false when not found.
bool FindFileRecord(const std::wstring& path, WIN32_FIND_DATAW& data);
// The 64-bit size, or -1 when not found.
long long GetFileSizeByName(const std::wstring& path);
// The last-write time in local time as days since 1899-12-30 (time as fraction), or -1.0.
double GetFileDateTime(const std::wstring& path);
// True when the file exists and cannot be opened for reading without sharing.
bool IsFileLocked(const std::wstring& path);
// The path of a shell folder by CSIDL number, or empty when it cannot be found.
std::wstring GetSpecialFolder(int csidl);

// A FILETIME as days since 1899-12-30 with the time as fraction.
double FileTimeToDateTime(const FILETIME& time) noexcept;
