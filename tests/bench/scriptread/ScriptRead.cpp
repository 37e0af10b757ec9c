// Prints the time to read a script file once: its bytes alone, and bytes plus parsing
// with the program's INI reader and reading section Files as lines.
#include <windows.h>

#include <string>
#include <vector>

#include "CmdLine.h"
#include "Handles.h"
#include "IniReader.h"
#include "TextConv.h"

namespace {
double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Print(const std::wstring& text) {
  const std::string bytes = WideToUtf8(text);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}
}  // namespace

int wmain(int, wchar_t**) {
  if (ProcessArgs().empty()) return 2;
  const std::wstring path = ProcessArgs()[0];
  LARGE_INTEGER start, read, parsed;
  QueryPerformanceCounter(&start);
  {
    TFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file) return 1;
    std::vector<char> buffer(1 << 16);
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) && got > 0) {
    }
  }
  QueryPerformanceCounter(&read);
  const size_t lines = TIniFile::Load(path).ReadSectionValues(L"Files").size();
  QueryPerformanceCounter(&parsed);
  Print(L"read once: bytes " + std::to_wstring(static_cast<int>(Milliseconds(start, read) + 0.5)) +
        L" ms, bytes and parsing (" + std::to_wstring(lines) + L" Files lines) " +
        std::to_wstring(static_cast<int>(Milliseconds(start, parsed) + 0.5)) + L" ms\n");
  return 0;
}
