#pragma once
// The DLL hooks: exports "ExecuteBefore" and "ExecuteAfter" of the DLLs the script names,
// called with the owner window, the current language and the entry's parameter. Each call
// loads its DLL and releases it again, so no hook DLL stays loaded between calls.
#include "EngineSeams.h"
#include "EngineState.h"

// Calls every "ExecuteBefore" hook in order and answers what the last one answered (true
// for an empty list): an earlier false is overridden by a later true. A DLL that cannot be
// loaded or lacks the export raises an error, and the later hooks are not called.
bool CallDLLsBefore(const TEngineState& state, TAppServices& app);

// Calls every "ExecuteAfter" hook in order; the first error ends the loop and passes on.
void CallDLLsAfter(const TEngineState& state, TAppServices& app);

// One hook call: loads dll.FileName as written (the hourglass only while it loads), finds
// exportName, calls it and releases the DLL on every way out. Answers the hook's Boolean.
bool CallDLLHook(const TDLL& dll, const char* exportName, TAppServices& app);
