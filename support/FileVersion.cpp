#include "FileVersion.h"

#include <windows.h>

#include <vector>

namespace {

// The whole version record, or an empty buffer when it cannot be read.
std::vector<unsigned char> ReadVersionRecord(const std::wstring& fileName) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(fileName.c_str(), &handle);
  if (size == 0) return {};
  std::vector<unsigned char> record(size);
  if (!GetFileVersionInfoW(fileName.c_str(), 0, size, record.data())) return {};
  return record;
}

std::wstring QueryString(std::vector<unsigned char>& record, const std::wstring& path) {
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(record.data(), path.c_str(), &value, &length) || value == nullptr) return L"";
  // length counts characters including the terminating zero; stop at the first zero
  // either way so that a record without one cannot be read past its end.
  const wchar_t* text = static_cast<const wchar_t*>(value);
  std::size_t count = 0;
  while (count < length && text[count] != L'\0') ++count;
  return std::wstring(text, count);
}

}  // namespace

std::wstring ReadVersionValue(const std::wstring& fileName, const std::wstring& valueName) {
  std::vector<unsigned char> record = ReadVersionRecord(fileName);
  if (record.empty()) return L"";
  std::wstring result = QueryString(record, L"\\StringFileInfo\\040704E4\\" + valueName);
  if (result.empty()) result = QueryString(record, L"\\StringFileInfo\\040904E4\\" + valueName);
  return result;
}

bool ReadFileVersion(const std::wstring& fileName, unsigned short& major, unsigned short& minor,
                     unsigned short& release, unsigned short& build) {
  std::vector<unsigned char> record = ReadVersionRecord(fileName);
  if (record.empty()) return false;
  void* value = nullptr;
  UINT length = 0;
  if (VerQueryValueW(record.data(), L"\\", &value, &length) && value != nullptr &&
      length >= sizeof(VS_FIXEDFILEINFO)) {
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    major = HIWORD(fixed->dwFileVersionMS);
    minor = LOWORD(fixed->dwFileVersionMS);
    release = HIWORD(fixed->dwFileVersionLS);
    build = LOWORD(fixed->dwFileVersionLS);
  }
  return true;
}
