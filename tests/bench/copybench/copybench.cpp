// copybench WORKDIR: copies (a) 2000 files of 40 KB and (b) four files of 100 MB with
// CopyFileList and with CopyFileW into fresh, empty target directories, alternating, five
// runs each, and prints the medians and "copy ratio small=R1 large=R2" (throughput of
// CopyFileList divided by that of CopyFileW). The progress callback processes pending
// messages after every block, as the installation run does.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "MessageLoop.h"
#include "QXFileCopy.h"

namespace {

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool WriteFileOfSize(const std::wstring& path, long long size) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  std::vector<char> block(1 << 20);
  for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 31 + i / 977);
  bool ok = true;
  for (long long left = size; left > 0 && ok;) {
    const DWORD chunk = static_cast<DWORD>(std::min<long long>(left, static_cast<long long>(block.size())));
    DWORD written = 0;
    ok = WriteFile(file, block.data(), chunk, &written, nullptr) && written == chunk;
    left -= chunk;
  }
  CloseHandle(file);
  return ok;
}

void ReadWhole(const std::wstring& path) {  // warms the cache
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  std::vector<char> buffer(1 << 20);
  DWORD read = 0;
  while (ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0) {
  }
  CloseHandle(file);
}

void RemoveDir(const std::wstring& dir) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name != L"." && name != L"..") DeleteFileW((dir + L"\\" + name).c_str());
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

struct TResult {
  double Engine, System;
};

TResult Measure(const std::wstring& work, const wchar_t* label, int count, long long size) {
  const std::wstring sourceDir = work + L"\\src_" + label;
  CreateDirectoryW(sourceDir.c_str(), nullptr);
  std::vector<std::wstring> sources, names;
  for (int i = 0; i < count; ++i) {
    names.push_back(L"file" + std::to_wstring(i) + L".bin");
    sources.push_back(sourceDir + L"\\" + names.back());
    if (!WriteFileOfSize(sources.back(), size)) std::fprintf(stderr, "cannot write sources\n");
  }
  for (const std::wstring& source : sources) ReadWhole(source);

  std::vector<double> engine, system;
  const TCopyProgressEvent pump = [](const std::wstring&, int, int) {
    ProcessMessages();
    return true;
  };
  for (int run = 0; run < 5; ++run) {
    for (int kind = 0; kind < 2; ++kind) {
      const std::wstring targetDir = work + L"\\dst_" + label;
      RemoveDir(targetDir);
      CreateDirectoryW(targetDir.c_str(), nullptr);
      std::vector<std::wstring> targets;
      for (const std::wstring& name : names) targets.push_back(targetDir + L"\\" + name);
      const double start = Seconds();
      if (kind == 0) {
        CopyFileList(sources, targets, pump);
      } else {
        for (int i = 0; i < count; ++i) CopyFileW(sources[i].c_str(), targets[i].c_str(), FALSE);
      }
      (kind == 0 ? engine : system).push_back(Seconds() - start);
      RemoveDir(targetDir);
    }
  }
  RemoveDir(sourceDir);
  const TResult result{Median(engine), Median(system)};
  const double megabytes = static_cast<double>(count) * static_cast<double>(size) / 1e6;
  std::printf("%-5s %4d x %9lld bytes: CopyFileList %.3f s (%.1f MB/s), CopyFileW %.3f s (%.1f MB/s)\n",
              label == std::wstring(L"small") ? "small" : "large", count, size, result.Engine,
              megabytes / result.Engine, result.System, megabytes / result.System);
  std::fflush(stdout);
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: copybench WORKDIR\n");
    return 2;
  }
  const std::wstring work = argv[1];
  CreateDirectoryW(work.c_str(), nullptr);
  try {
    const TResult small = Measure(work, L"small", 2000, 40000);
    const TResult large = Measure(work, L"large", 4, 100000000);
    // Throughput ratio = time of CopyFileW / time of CopyFileList for the same bytes.
    std::printf("copy ratio small=%.2f large=%.2f\n", small.System / small.Engine, large.System / large.Engine);
  } catch (const Exception& error) {
    std::fprintf(stderr, "copy failed: %s\n", error.what());
    return 1;
  }
  RemoveDirectoryW(work.c_str());
  return 0;
}
