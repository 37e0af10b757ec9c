#pragma once
// Helpers shared by the test programs: temporary directories and files on the real file
// system of the Wine prefix.
#include <windows.h>

#include <string>
#include <string_view>

// A fresh directory below the temp folder, removed with its content on destruction.
class TTempDir {
public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::wstring& Path() const { return FPath; }
  // Path() + "\" + name.
  std::wstring File(const std::wstring& name) const;

private:
  std::wstring FPath;
};

// Writes bytes to a file (created or replaced); fails the calling test on error.
void WriteFileBytes(const std::wstring& path, std::string_view bytes);
std::string ReadFileBytes(const std::wstring& path);
// Deletes a directory tree; read-only files included.
void RemoveTree(const std::wstring& path);
// Writes a file of the size with a repeating non-zero pattern; false on error.
bool WriteFileOfSize(const std::wstring& path, long long size);
// Reads the file once, so that a measured copy starts with its source in the cache.
void ReadWhole(const std::wstring& path);
