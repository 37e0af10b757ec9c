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

#include "BenchTiming.h"
#include "MessageLoop.h"
#include "QXFileCopy.h"
#include "TestUtils.h"

namespace {

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
      RemoveTree(targetDir);
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
      RemoveTree(targetDir);
    }
  }
  RemoveTree(sourceDir);
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
