#include "EndEvents.h"

#include <windows.h>

#include "Handles.h"

namespace {

void SignalNamedEvent(const wchar_t* name) {
  // Inheritable, as updaters that start the setup with inherited handles expect.
  TKernelHandle event(OpenEventW(EVENT_MODIFY_STATE, TRUE, name));
  if (event) SetEvent(event.Get());
}

}  // namespace

void SignalEndEvents(int exitCode) {
  SignalNamedEvent(EndEventName);
  if (exitCode == 0) SignalNamedEvent(EndOkEventName);
}
