#pragma once
// The one place that calls a hook DLL's export. The exports of the hook DLLs take three
// arguments in registers and answer a Boolean in the low byte of the result register;
// everything else in the program uses the platform's normal convention.
#include <windows.h>

// Calls entry(owner, language, param) with the hooks' convention; true when the answer's
// low byte is not zero. param must not be null.
bool CallHookExport(FARPROC entry, HWND owner, int language, const wchar_t* param);
