#pragma once
// The two kinds of text macro of the setup script: data macros $$$Name$$$ with values
// from setup.dat, and folder macros %NAME% in default directories.
#include <string>
#include <vector>

#include "IniReader.h"
#include "StringList.h"

// The values of setup.dat: Names in file order and the parallel Values. It lives only
// while the script is read.
struct TDataTable {
  TStringList Names;
  std::vector<std::wstring> Values;
};

// The data section of setup.dat chosen whole: Data_Eng for English when it holds at least
// one key, otherwise Data.
TDataTable ReadDataTable(const TIniFile& dataFile);

// Replaces every $$$Name$$$ by its value (names matched without regard to case after the
// user's locale; the first match counts). An unclosed name at the end counts as closed; a
// "$$$" at the very end disappears. Inserted values are not scanned again. An unknown name
// raises "Wert für %s nicht gefunden." with the name as written.
std::wstring ReplaceDataMacros(const std::wstring& text, const TDataTable& data);

// Replaces %PROGFILES% (the 32-bit program-files folder) and %COMMON_DOCUMENTS% (the
// shared documents folder), names in any case, each without a trailing backslash and
// empty when the platform cannot give it. Any other name raises "Wert für %s nicht
// gefunden." with the upper-cased name.
std::wstring ExpandFolderMacros(const std::wstring& text);
