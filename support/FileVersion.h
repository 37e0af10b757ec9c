#pragma once
// Readers of a file's version record. Neither raises: a missing file, a file without a
// version record or an unreadable record gives the empty text or false.
#include <string>

// The named string value from the block 040704E4 (German, code page 1252), or, when that
// is empty or missing, from 040904E4 (US English, 1252). No other block is read, whatever
// the record's translation list says. Empty when neither holds a non-empty value.
std::wstring ReadVersionValue(const std::wstring& fileName, const std::wstring& valueName);

// The fixed file version as four 16-bit numbers. True exactly when the record could be
// read. out: major..build are written only when the record has a fixed part; otherwise
// they keep what the caller put there.
bool ReadFileVersion(const std::wstring& fileName, unsigned short& major, unsigned short& minor,
                     unsigned short& release, unsigned short& build);
