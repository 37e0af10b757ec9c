#pragma once
// The program's own reader of INI-style files (setup.ini, setup.dat). It reads a file
// once and answers every query from memory, giving the same results as the platform's
// profile reader (GetPrivateProfileStringW with a 2048-character buffer), which costs
// about 0.3 ms per call under Wine:
//  - sections and keys are matched without regard to the case of ASCII letters; section
//    names are trimmed of blanks; lines end at CR or LF; only the first section
//    of a name counts, and a key that occurs twice yields its first value;
//  - a value is the text after the first "=", without leading and trailing blanks; one
//    enclosing pair of double or single quotes is removed; it is cut to 2047 characters;
//  - a missing file, section or key yields the default; an empty value yields "";
//  - listing a section yields its key names in file order, without lines that have no
//    "=" and comment lines (key beginning with ";"). A line with an empty key is skipped:
//    the platform's key list shows it as an empty name, which ends the list for every
//    caller and so would hide all keys after it;
//  - lines before the first section belong to no section;
//  - the file is ANSI (system code page) unless it begins with a byte-order mark of
//    UTF-8, UTF-16 LE or UTF-16 BE.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TIniFile {
public:
  // Reads path. A missing file (or directory) reads as an empty file, as with the platform
  // reader; a file that exists but cannot be read raises EInOutError.
  static TIniFile Load(const std::wstring& path);
  // Parses the bytes of a file.
  static TIniFile FromBytes(std::string_view bytes);

  std::wstring ReadString(const std::wstring& section, const std::wstring& key,
                          const std::wstring& defaultValue) const;
  // The key names of section in file order (duplicates included).
  std::vector<std::wstring> ReadSection(const std::wstring& section) const;
  // For each listed key: the key, "=" and its value as ReadString yields it.
  std::vector<std::wstring> ReadSectionValues(const std::wstring& section) const;

  // The reader's buffer holds 2048 characters with the terminating zero.
  static constexpr size_t MaxValueLength = 2047;

private:
  struct TEntry {
    std::wstring Name;
    std::wstring Value;
    bool HasValue = false;  // the line had an "="
  };
  struct TSection {
    std::wstring Name;
    std::vector<TEntry> Entries;
    std::unordered_map<std::wstring, size_t> FirstByName;  // folded name -> first entry
  };

  void Parse(const std::wstring& text);
  const TSection* FindSection(const std::wstring& name) const;

  std::vector<TSection> FSections;
  std::unordered_map<std::wstring, size_t> FFirstSectionByName;  // folded name -> section
};
