#pragma once
// Registry values the update writes (section CreateRegKeys), in the 32-bit registry view.
#include <string>

// One entry "ROOT\key path\value name=data". ROOT is exactly HKEY_LOCAL_MACHINE or
// HKEY_CURRENT_USER. The value name follows the key path's last "\" or ":"; an empty name
// writes the key's default value. Data that is empty or begins with a double quote is a
// string (REG_SZ, outer quotes removed), anything else a 32-bit integer (REG_DWORD). An
// entry without "=", or with "=" only at its end, creates the key named by its whole text
// and sets its default value to an empty string. Keys are created as needed. Raises an
// error with the program's message for an unknown root, a key that cannot be created, data
// that is no integer and a value that cannot be written.
void CreateRegKey(const std::wstring& entry);
