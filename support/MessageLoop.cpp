#include "MessageLoop.h"

#include <windows.h>

namespace {

LONGLONG Now() {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return counter.QuadPart;
}

LONGLONG TicksPer10ms() {
  static const LONGLONG ticks = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return frequency.QuadPart / 100;
  }();
  return ticks;
}

LONGLONG GLastLook = 0;

}  // namespace

void ProcessMessagesNow() {
  GLastLook = Now();
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // Leave the quit request for the main loop, which ends the program with it.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void ProcessMessages() {
  // An empty PeekMessageW costs tens of microseconds under some systems; looking at the
  // queue at most every 10 ms keeps a block-by-block copy at full speed and still
  // handles input within 20 ms.
  if (Now() - GLastLook < TicksPer10ms()) return;
  ProcessMessagesNow();
}
