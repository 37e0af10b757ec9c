#include "Pacer.h"

#include <windows.h>

bool TPacer::Due() const noexcept { return !FMarked || GetTickCount64() - FLast >= FInterval; }

void TPacer::Mark() noexcept {
  FLast = GetTickCount64();
  FMarked = true;
}

bool TPacer::TakeIfDue() noexcept {
  if (!Due()) return false;
  Mark();
  return true;
}
