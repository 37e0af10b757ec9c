#pragma once
// The registry work of the script reader. The program is a 32-bit one, so every access
// goes to the 32-bit registry view (Wow6432Node below HKEY_LOCAL_MACHINE\Software), also
// when this code runs in a 64-bit process.
#include <windows.h>

#include <string>

#include "CmdLine.h"

constexpr REGSAM RegView = KEY_WOW64_32KEY;

// The write-access test: creates Software\key\$$$dummy$$$<date and time> below
// HKEY_LOCAL_MACHINE with full access and deletes it again (only its last component).
// Raises "Sie verfügen nicht über ausreichende Benutzerrechte ..." when it cannot be created.
void CheckLocalMachineAccess(const std::wstring& key);

// Resolves one destination directory. defaultDir (in: candidates separated by bars) is
// reduced to the first existing candidate, or the first one when none exists. path is then:
//  - the value of switch APPDIR (regKey ends in "exedir") or DATADIR (ends in "datadir")
//    of args when it is not empty;
//  - else the first registry reference of regKey found below root (HKEY_CURRENT_USER),
//    then below HKEY_LOCAL_MACHINE; regKeyFound tells it came from there;
//  - else defaultDir; empty when a value below HKEY_LOCAL_MACHINE exists but is no string.
// A reference Vendor\App\Name names the value Name of the key Software\Vendor\App.
void ResolveDefaultDir(const std::wstring& regKey, bool& regKeyFound, std::wstring& defaultDir, std::wstring& path,
                       HKEY root, const TCmdArgs& args);
