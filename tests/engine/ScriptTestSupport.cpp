#include "ScriptTestSupport.h"

#include <gtest/gtest.h>

#include "Handles.h"
#include "TextConv.h"

std::string AnsiBytes(const std::wstring& text) {
  if (text.empty()) return {};
  const int length =
      WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(), length, nullptr, nullptr);
  return bytes;
}

std::string Utf16Bytes(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  return bytes;
}

std::string Utf8BomBytes(const std::wstring& text) { return "\xEF\xBB\xBF" + WideToUtf8(text); }

TTestRegKey::TTestRegKey(HKEY root) : FRoot(root) {
  static int counter = 0;
  FName = L"SetupEngineTest_" + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++counter);
  TRegKey key;
  const LONG rc = RegCreateKeyExW(FRoot, (L"Software\\" + FName).c_str(), 0, nullptr, 0,
                                  KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, key.Receive(), nullptr);
  EXPECT_EQ(rc, ERROR_SUCCESS) << "cannot create the test key";
}

TTestRegKey::~TTestRegKey() {
  TRegKey key;
  const std::wstring path = L"Software\\" + FName;
  if (RegOpenKeyExW(FRoot, path.c_str(), 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, key.Receive()) == ERROR_SUCCESS) {
    RegDeleteTreeW(key.Get(), nullptr);
    key.Reset();
    RegDeleteKeyExW(FRoot, path.c_str(), KEY_WOW64_32KEY, 0);
  }
}

namespace {
TRegKey CreateSubKey(HKEY root, const std::wstring& path) {
  TRegKey key;
  const LONG rc = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr,
                                  key.Receive(), nullptr);
  EXPECT_EQ(rc, ERROR_SUCCESS) << "cannot create a key below the test key";
  return key;
}
}  // namespace

void TTestRegKey::SetString(const std::wstring& subKey, const std::wstring& valueName,
                            const std::wstring& value) const {
  const TRegKey key = CreateSubKey(FRoot, L"Software\\" + FName + (subKey.empty() ? L"" : L"\\" + subKey));
  RegSetValueExW(key.Get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void TTestRegKey::SetDword(const std::wstring& subKey, const std::wstring& valueName, DWORD value) const {
  const TRegKey key = CreateSubKey(FRoot, L"Software\\" + FName + (subKey.empty() ? L"" : L"\\" + subKey));
  RegSetValueExW(key.Get(), valueName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

bool LocalMachineKeyExists(const std::wstring& path, REGSAM view) {
  TRegKey key;
  return RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | view, key.Receive()) == ERROR_SUCCESS;
}
