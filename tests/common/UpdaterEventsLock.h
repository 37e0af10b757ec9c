#pragma once
// The updater's two events have fixed names, so test processes running side by side would
// see each other's signals: every destroyed main window signals them when they exist.
// Each test that creates the events or destroys a main window holds this lock, so only
// one such test runs at a time in the whole Wine session.
#include <windows.h>

#include "Handles.h"

class TUpdaterEventsLock {
public:
  TUpdaterEventsLock() : FLock(CreateMutexW(nullptr, FALSE, L"UpdateSetupTestsUpdaterEvents")) {
    if (FLock) WaitForSingleObject(FLock.Get(), INFINITE);  // an abandoned lock is ours as well
  }
  ~TUpdaterEventsLock() {
    if (FLock) ReleaseMutex(FLock.Get());
  }
  TUpdaterEventsLock(const TUpdaterEventsLock&) = delete;
  TUpdaterEventsLock& operator=(const TUpdaterEventsLock&) = delete;

private:
  TKernelHandle FLock;
};
