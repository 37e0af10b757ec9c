#include "MessageLoop.h"

#include <windows.h>

#include "Pacer.h"

namespace {

TPacer GQueueLook(BusyRefreshMs);

}  // namespace

void ProcessMessagesNow() {
  GQueueLook.Mark();
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

void NoteQueueLook() { GQueueLook.Mark(); }

void ProcessMessages() {
  if (GQueueLook.Due()) ProcessMessagesNow();
}
