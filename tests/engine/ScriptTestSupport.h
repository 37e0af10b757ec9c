#pragma once
// Helpers of the engine tests: script files in a temporary program directory and registry
// test keys in the 32-bit view.
#include <windows.h>

#include <string>

#include "TestUtils.h"

// text in the system's ANSI code page, as script authors usually save it.
std::string AnsiBytes(const std::wstring& text);
// text as UTF-16 LE with a byte-order mark.
std::string Utf16Bytes(const std::wstring& text);
// text as UTF-8 with a byte-order mark.
std::string Utf8BomBytes(const std::wstring& text);

// A key Software\<unique name> below root in the 32-bit view, removed with everything in
// it on destruction. Each test process gets its own names, so tests may run in parallel.
class TTestRegKey {
public:
  explicit TTestRegKey(HKEY root);
  ~TTestRegKey();
  TTestRegKey(const TTestRegKey&) = delete;
  TTestRegKey& operator=(const TTestRegKey&) = delete;

  // The unique name below Software, for registry references in scripts.
  const std::wstring& Name() const { return FName; }
  // Sets a value of the key Software\<Name>\subKey (created when missing).
  void SetString(const std::wstring& subKey, const std::wstring& valueName, const std::wstring& value) const;
  void SetDword(const std::wstring& subKey, const std::wstring& valueName, DWORD value) const;

private:
  HKEY FRoot;
  std::wstring FName;
};

// Whether a key exists below HKEY_LOCAL_MACHINE in the given view (KEY_WOW64_32KEY or _64KEY).
bool LocalMachineKeyExists(const std::wstring& path, REGSAM view);
