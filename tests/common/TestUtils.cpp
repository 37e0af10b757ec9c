#include "TestUtils.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "Handles.h"

namespace {
std::atomic<unsigned> GCounter{0};
}

TTempDir::TTempDir() {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH, temp);
  for (;;) {
    FPath = std::wstring(temp) + L"setuptest_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
            std::to_wstring(GetTickCount()) + L"_" + std::to_wstring(GCounter++);
    if (CreateDirectoryW(FPath.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      ADD_FAILURE() << "cannot create a temporary directory";
      break;
    }
  }
}

TTempDir::~TTempDir() { RemoveTree(FPath); }

std::wstring TTempDir::File(const std::wstring& name) const { return FPath + L"\\" + name; }

void WriteFileBytes(const std::wstring& path, std::string_view bytes) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file.Valid()) << "cannot create test file, error " << GetLastError();
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ASSERT_EQ(written, bytes.size());
}

std::string ReadFileBytes(const std::wstring& path) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return {};
  std::string result;
  char buffer[65536];
  DWORD read = 0;
  while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0) result.append(buffer, read);
  return result;
}

void RemoveTree(const std::wstring& path) {
  if (path.empty()) return;
  WIN32_FIND_DATAW data{};
  TFindHandle find(FindFirstFileW((path + L"\\*").c_str(), &data));
  if (find) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(child.c_str());
      }
    } while (FindNextFileW(find.Get(), &data));
  }
  find.Reset();
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryW(path.c_str());
}

bool WriteFileOfSize(const std::wstring& path, long long size) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  std::vector<char> block(1 << 20);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 31 + i / 977 + 1);
  for (long long left = size; left > 0;) {
    const DWORD chunk = static_cast<DWORD>(std::min<long long>(left, static_cast<long long>(block.size())));
    DWORD written = 0;
    if (!::WriteFile(file.Get(), block.data(), chunk, &written, nullptr) || written != chunk) return false;
    left -= chunk;
  }
  return true;
}

void ReadWhole(const std::wstring& path) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return;
  std::vector<char> buffer(1 << 20);
  DWORD read = 0;
  while (ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0) {
  }
}
