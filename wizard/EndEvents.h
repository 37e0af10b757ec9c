#pragma once
// The named events through which a waiting updater learns that the setup has ended and
// whether it ended with exit code 0. The updater creates them; the setup only opens and
// signals them, and skips an event that does not exist.
constexpr const wchar_t* EndEventName = L"UpdaterSetupResponse";
constexpr const wchar_t* EndOkEventName = L"UpdaterSetupOKResponse";

// Signals the end event always and the OK event only for exit code 0.
void SignalEndEvents(int exitCode);
