// rundriver WORKDIR: times the wizard's installation run of the real setup.exe against
// plain CopyFileW of the same files, for 2,000 files of 40 KB and for four of 100 MB.
// A run's time is from the click on the install button to the finished page (the right
// button reading "&Fertig"); each update runs 3 times, alternating with a CopyFileW copy of
// the same files into a fresh directory (each copy begins right after the other side's
// was deleted), after one round that is not counted, and the medians are compared. Then,
// in further runs of the large update, it clicks "Abbrechen" 5 times during the copy,
// looks for the question every 5 ms and answers "&Nein"; the longest time from a click to
// the visible question is reported. Ends with "run overhead small=O1 large=O2 cancel_ms=C".
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchTiming.h"
#include "Handles.h"
#include "SetupDriver.h"
#include "TestUtils.h"
#include "TextConv.h"
#include "WizardWatch.h"

namespace {

constexpr int Runs = 3;
constexpr int CancelClicks = 5;
constexpr DWORD QuestionPollMs = 5;

// Another process's window text as the window manager keeps it: reading it does not wait
// for the busy wizard thread, so polling it does not slow the run it measures.
std::wstring WindowText(HWND window) {
  wchar_t text[64] = {};
  GetWindowTextW(window, text, static_cast<int>(std::size(text)));
  return text;
}

void FlushToDisk(const std::wstring& path) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (file) FlushFileBuffers(file.Get());
}

void FreshDir(const std::wstring& dir) {
  RemoveTree(dir);
  CreateDirectoryW(dir.c_str(), nullptr);
}

struct TUpdate {
  const char* Label;
  int Count;
  long long Size;
};

// The wizard's buttons on the welcome page.
struct TWizard {
  HWND Window = nullptr;
  HWND Install = nullptr;
  HWND Right = nullptr;  // "Abbrechen", on the finished page "&Fertig"
};

bool StartWizard(TSetupDriver& setup, TWizard& wizard) {
  setup.Start(L"ger");
  wizard.Window = setup.WaitForMainWindow(30000);
  if (!wizard.Window) return false;
  wizard.Install = TSetupDriver::FindChild(wizard.Window, L"Button", L"&Installieren");
  wizard.Right = TSetupDriver::FindChild(wizard.Window, L"Button", L"Abbrechen");
  return wizard.Install && wizard.Right;
}

bool WaitForFinishedPage(TSetupDriver& setup, const TWizard& wizard) {
  const double start = Seconds();
  while (WindowText(wizard.Right) != L"&Fertig") {
    if (!setup.Running() || Seconds() - start > 600) return false;
    Sleep(1);
  }
  return true;
}

// Closes the wizard on the finished page; false when it does not end with 0.
bool Finish(TSetupDriver& setup, const TWizard& wizard) {
  PostMessageW(wizard.Right, BM_CLICK, 0, 0);
  return setup.WaitForExit(60000) == 0;
}

// Each side's copy is timed right after the other side's copy was deleted, so that both
// fill memory that was just given back. Memory that stays free for a second or two may be
// returned to the host of a virtual machine, and then costs a fault per page on its next
// use: a copy that began a second after the previous one was deleted (the time a wizard
// takes to start) ran at half speed. The copies are deleted long before the system would
// write them back (some 30 s), so neither side writes the other's data while it is timed.

// One timed run into a fresh dest, deleting previous just before the click; seconds from
// the click to the finished page, or -1. The wizard's copy stays for the next plain copy
// to delete.
double TimedWizardRun(TSetupDriver& setup, const std::wstring& dest, const std::wstring& previous) {
  FreshDir(dest);
  TWizard wizard;
  if (!StartWizard(setup, wizard)) return -1;
  RemoveTree(previous);
  const double start = Seconds();
  PostMessageW(wizard.Install, BM_CLICK, 0, 0);
  if (!WaitForFinishedPage(setup, wizard)) return -1;
  const double elapsed = Seconds() - start;
  return Finish(setup, wizard) ? elapsed : -1;
}

// CopyFileW of the update's files into a fresh dest, deleting previous just before; seconds.
double PlainCopy(const std::wstring& sourceDir, const std::vector<std::wstring>& names, const std::wstring& dest,
                 const std::wstring& previous) {
  FreshDir(dest);
  RemoveTree(previous);
  const double start = Seconds();
  for (const std::wstring& name : names)
    if (!CopyFileW((sourceDir + L"\\" + name).c_str(), (dest + L"\\" + name).c_str(), FALSE)) return -1;
  return Seconds() - start;
}

// Clicks "Abbrechen" during the copy until CancelClicks questions were timed, answering
// each with "&Nein", over as many runs as that takes; the longest click-to-question time
// in milliseconds, or -1.
int CancelLatencyMs(TSetupDriver& setup, const std::wstring& dest) {
  double worst = 0;
  int timed = 0;
  for (int run = 0; run < 20 && timed < CancelClicks; ++run) {
    FreshDir(dest);
    TWizard wizard;
    if (!StartWizard(setup, wizard)) return -1;
    PostMessageW(wizard.Install, BM_CLICK, 0, 0);
    // The copy has begun when the first file's caption shows.
    if (!wizard_watch::WaitForChildText(wizard.Window, L"file0000.bin nach", 30000)) return -1;
    while (timed < CancelClicks) {
      Sleep(50);  // the copy goes on between the clicks
      if (WindowText(wizard.Right) != L"Abbrechen") break;
      const double start = Seconds();
      PostMessageW(wizard.Right, BM_CLICK, 0, 0);
      HWND question = setup.WaitForWindow(L"TMessageForm", 15000, QuestionPollMs);
      // The copy ended before the click arrived: the click met "&Fertig" and ended the run.
      if (!question) break;
      const double latency = (Seconds() - start) * 1000;
      worst = std::max(worst, latency);
      ++timed;
      std::printf("  cancel click %d: question after %.0f ms\n", timed, latency);
      if (!TSetupDriver::ClickButton(question, L"&Nein")) return -1;
      for (int i = 0; i < 1000 && IsWindow(question) && IsWindowVisible(question); ++i) Sleep(QuestionPollMs);
    }
    if (!setup.Running()) continue;
    if (!WaitForFinishedPage(setup, wizard) || !Finish(setup, wizard)) return -1;
  }
  return timed == CancelClicks ? static_cast<int>(worst + 0.5) : -1;
}

struct TMeasured {
  double Overhead = 0;
  int CancelMs = 0;
  bool Ok = false;
};

TMeasured Measure(const std::wstring& work, const TUpdate& update, bool timeCancel) {
  TMeasured result;
  const std::wstring label(update.Label, update.Label + std::char_traits<char>::length(update.Label));
  const std::wstring dest = work + L"\\dest_" + label;
  const std::wstring plain = work + L"\\plain_" + label;
  TSetupDriver setup;
  std::vector<std::wstring> names;
  std::string files = "[Files]\n";
  for (int i = 0; i < update.Count; ++i) {
    wchar_t name[32];
    std::swprintf(name, std::size(name), L"file%04d.bin", i);
    names.push_back(name);
    files += WideToUtf8(name) + "=0\n";
    if (!WriteFileOfSize(setup.Dir() + L"\\" + name, update.Size)) {
      std::fprintf(stderr, "cannot write the update's files\n");
      return result;
    }
  }
  // On disk and in the cache: written-back data cannot be flushed in the middle of a
  // timed copy (the system writes dirty pages out some 30 s after they were written).
  for (const std::wstring& name : names) {
    FlushToDisk(setup.Dir() + L"\\" + name);
    ReadWhole(setup.Dir() + L"\\" + name);
  }
  setup.WriteScript("[Setup]\nProduct=Bench\n[DefaultDestDirs]\n1=" + WideToUtf8(dest) + "\n" + files);

  std::vector<double> wizardTimes, plainTimes;
  // Round 0 is not counted: the first copies of a session touch memory the system has
  // not used yet and take several times longer, whichever side comes first.
  for (int run = 0; run <= Runs; ++run) {
    const double wizardTime = TimedWizardRun(setup, dest, plain);
    const double plainTime = wizardTime < 0 ? -1 : PlainCopy(setup.Dir(), names, plain, dest);
    if (wizardTime < 0 || plainTime <= 0) {
      std::fprintf(stderr, "%s: run %d failed\n", update.Label, run);
      RemoveTree(dest);
      RemoveTree(plain);
      return result;
    }
    if (run == 0) continue;
    std::printf("%-5s run %d: wizard %.3f s, CopyFileW %.3f s\n", update.Label, run, wizardTime, plainTime);
    std::fflush(stdout);
    wizardTimes.push_back(wizardTime);
    plainTimes.push_back(plainTime);
  }
  RemoveTree(plain);
  const double wizardMedian = Median(wizardTimes), plainMedian = Median(plainTimes);
  result.Overhead = wizardMedian / plainMedian - 1;
  std::printf("%-5s %4d x %9lld bytes: wizard median %.3f s, CopyFileW median %.3f s, overhead %+.2f\n",
              update.Label, update.Count, update.Size, wizardMedian, plainMedian, result.Overhead);
  std::fflush(stdout);
  if (timeCancel) {
    result.CancelMs = CancelLatencyMs(setup, dest);
    if (result.CancelMs < 0) {
      std::fprintf(stderr, "%s: the cancel runs failed\n", update.Label);
      RemoveTree(dest);
      return result;
    }
  }
  RemoveTree(dest);
  result.Ok = true;
  return result;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: rundriver WORKDIR\n");
    return 2;
  }
  const std::wstring work = argv[1];
  CreateDirectoryW(work.c_str(), nullptr);
  // The driver's program folders (with the update's files) go to the work directory too,
  // so that everything the benchmark writes goes away with it.
  SetEnvironmentVariableW(L"TMP", work.c_str());
  SetEnvironmentVariableW(L"TEMP", work.c_str());

  const TMeasured small = Measure(work, {"small", 2000, 40000}, false);
  if (!small.Ok) return 1;
  const TMeasured large = Measure(work, {"large", 4, 100000000}, true);
  if (!large.Ok) return 1;
  std::printf("run overhead small=%+.2f large=%+.2f cancel_ms=%d\n", small.Overhead, large.Overhead, large.CancelMs);
  return 0;
}
