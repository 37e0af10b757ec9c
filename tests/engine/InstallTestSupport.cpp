#include "InstallTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Exceptions.h"
#include "Handles.h"
#include "QXWindows.h"

int AddDestDir(TEngineState& state, const std::wstring& path, const std::wstring& caption,
               const std::wstring& defaultDir, const std::wstring& filesMustExist, bool regKeyFound) {
  auto record = std::make_unique<TDefaultDirEx>();
  record->Caption = caption;
  record->DefaultDir = defaultDir;
  record->FilesMustExist = filesMustExist;
  record->RegKeyFound = regKeyFound;
  return state.AddDefaultDir(path, std::move(record));
}

int AddCreateDir(TEngineState& state, const std::wstring& subDir, int parent, const std::wstring& caption) {
  auto record = std::make_unique<TCreateDirEx>();
  record->Caption = caption;
  record->SubDir = subDir;
  record->DefaultDirIndex = parent;
  return state.AddDefaultDir(L"", std::move(record));
}

void AddFile(TEngineState& state, const std::wstring& relativeDir, const std::wstring& name, int index) {
  state.FDirs.Add(relativeDir, index);
  state.FFiles.Add(name);
}

std::wstring FixturePath(const std::wstring& name) { return std::wstring(TEST_BIN_DIR) + L"\\" + name; }

void CopyFixture(const std::wstring& name, const std::wstring& target) {
  ASSERT_TRUE(CopyFileW(FixturePath(name).c_str(), target.c_str(), FALSE))
      << "cannot copy fixture " << std::string(name.begin(), name.end()) << ", error " << GetLastError();
}

ULONGLONG WriteTicks(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

void SetWriteTicks(const std::wstring& path, ULONGLONG ticks) {
  const TFileHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  ASSERT_TRUE(file.Valid()) << "cannot open for the time, error " << GetLastError();
  FILETIME time;
  time.dwLowDateTime = static_cast<DWORD>(ticks);
  time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
  ASSERT_TRUE(SetFileTime(file.Get(), nullptr, nullptr, &time));
}

std::wstring ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const Exception& e) {
    return e.Message();
  }
  return L"(no error)";
}

TCurrentDirScope::TCurrentDirScope(const std::wstring& dir) {
  std::vector<wchar_t> buffer(GetCurrentDirectoryW(0, nullptr) + 1);
  GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
  FOld = buffer.data();
  EXPECT_TRUE(SetCurrentDirectoryW(dir.c_str()));
}

TCurrentDirScope::~TCurrentDirScope() { SetCurrentDirectoryW(FOld.c_str()); }

TRunningProgram::TRunningProgram(const std::wstring& dir, const std::wstring& fileName) {
  const std::wstring path = dir + L"\\" + fileName;
  CopyFixture(L"procprobe.exe", path);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + path + L"\"";
  EXPECT_TRUE(CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &FInfo))
      << "cannot start the probe, error " << GetLastError();
  for (int i = 0; i < 250 && !IsProgramRunning(fileName); ++i) Sleep(20);
}

TRunningProgram::~TRunningProgram() {
  if (!FInfo.hProcess) return;
  TerminateProcess(FInfo.hProcess, 0);
  WaitForSingleObject(FInfo.hProcess, 5000);
  CloseHandle(FInfo.hThread);
  CloseHandle(FInfo.hProcess);
}

bool ReadRegValue(HKEY root, const std::wstring& keyPath, const std::wstring& valueName, DWORD& type,
                  std::wstring& data) {
  TRegKey key;
  if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key.Receive()) != ERROR_SUCCESS)
    return false;
  DWORD size = 0;
  if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  std::vector<BYTE> bytes(size + sizeof(wchar_t));
  if (RegQueryValueExW(key.Get(), valueName.c_str(), nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS)
    return false;
  if (type == REG_DWORD) {
    DWORD value = 0;
    memcpy(&value, bytes.data(), sizeof value);
    data = std::to_wstring(value);
  } else {
    data.assign(reinterpret_cast<const wchar_t*>(bytes.data()), size / sizeof(wchar_t));
    while (!data.empty() && data.back() == L'\0') data.pop_back();
  }
  return true;
}

bool RegKeyExists(HKEY root, const std::wstring& keyPath) {
  TRegKey key;
  return RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key.Receive()) == ERROR_SUCCESS;
}
