#include "Pacer.h"

#include <windows.h>

namespace {

long long Now() noexcept {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

long long CounterFrequency() noexcept {
  static const long long frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f.QuadPart;
  }();
  return frequency;
}

}  // namespace

TPacer::TPacer(double intervalMs) noexcept
    : FInterval(static_cast<long long>(intervalMs * static_cast<double>(CounterFrequency()) / 1000.0)) {}

bool TPacer::Due() const noexcept { return !FMarked || Now() - FLast >= FInterval; }

void TPacer::Mark() noexcept {
  FLast = Now();
  FMarked = true;
}

bool TPacer::TakeIfDue() noexcept {
  if (!Due()) return false;
  Mark();
  return true;
}
