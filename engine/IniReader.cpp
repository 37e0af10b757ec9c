#include "IniReader.h"

#include <windows.h>

#include <cstring>

#include "Exceptions.h"
#include "Handles.h"
#include "MessageIds.h"
#include "ResString.h"
#include "StrUtils.h"
#include "TextConv.h"

namespace {
// A setup script is a few hundred kilobytes at most; refuse what cannot be one rather
// than run out of memory.
constexpr long long MaxFileSize = 64LL * 1024 * 1024;

// The profile reader's blanks: ASCII white space and ^Z (the DOS end of file found on old
// media). Other Unicode spaces (no-break space, ideographic space) are text.
bool IsBlank(wchar_t c) { return c == L' ' || (c >= L'\t' && c <= L'\r') || c == 0x1A; }

std::wstring TrimBlanks(const std::wstring& text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && IsBlank(text[first])) ++first;
  while (last > first && IsBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// Names compare without regard to the case of ASCII letters, as the platform reader's
// comparison does ("K\u00e4se" and "K\u00c4SE" are different names).
std::wstring Fold(const std::wstring& name) { return AsciiUpperCase(name); }

// Texts are C strings for the platform reader: whatever follows an embedded zero is lost.
std::wstring UpToZero(const wchar_t* start, size_t length) {
  const wchar_t* zero = std::wmemchr(start, L'\0', length);
  return std::wstring(start, zero ? static_cast<size_t>(zero - start) : length);
}

// A value as the reader copies it into its 2048-character buffer: one enclosing pair of
// quotes removed, cut to 2047 characters. A quoted value that fills the buffer exactly
// loses one more character, as the platform's copy does.
std::wstring CopyEntry(const std::wstring& value) {
  constexpr size_t bufferLength = TIniFile::MaxValueLength + 1;
  std::wstring_view text(value);
  bool quoted = false;
  if (text.size() >= 2 && (text.front() == L'"' || text.front() == L'\'') && text.back() == text.front()) {
    quoted = true;
    text.remove_prefix(1);
  }
  std::wstring result(text.substr(0, bufferLength - 1));
  if (quoted && bufferLength >= text.size()) result.pop_back();
  return result;
}

std::wstring DecodeText(std::string_view bytes) {
  if (bytes.size() >= 3 && std::memcmp(bytes.data(), "\xEF\xBB\xBF", 3) == 0) return Utf8ToWide(bytes.substr(3));
  if (bytes.size() >= 2) {
    const unsigned char b0 = static_cast<unsigned char>(bytes[0]);
    const unsigned char b1 = static_cast<unsigned char>(bytes[1]);
    const bool littleEndian = b0 == 0xFF && b1 == 0xFE;
    const bool bigEndian = b0 == 0xFE && b1 == 0xFF;
    if (littleEndian || bigEndian) {
      // An odd last byte is no character.
      const size_t count = (bytes.size() - 2) / 2;
      std::wstring text(count, L'\0');
      for (size_t i = 0; i < count; ++i) {
        const unsigned char lo = static_cast<unsigned char>(bytes[2 + 2 * i + (bigEndian ? 1 : 0)]);
        const unsigned char hi = static_cast<unsigned char>(bytes[2 + 2 * i + (bigEndian ? 0 : 1)]);
        text[i] = static_cast<wchar_t>(lo | (hi << 8));
      }
      return text;
    }
  }
  return AnsiToWide(bytes);
}
}  // namespace

TIniFile TIniFile::FromBytes(std::string_view bytes) {
  TIniFile file;
  file.Parse(DecodeText(bytes));
  return file;
}

TIniFile TIniFile::Load(const std::wstring& path) {
  TFileHandle handle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return TIniFile();
    throw EInOutError(FmtLoadStr(SInOutError, {static_cast<int>(code)}), static_cast<int>(code));
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(handle.Get(), &size)) {
    const DWORD code = GetLastError();
    throw EInOutError(FmtLoadStr(SInOutError, {static_cast<int>(code)}), static_cast<int>(code));
  }
  if (size.QuadPart > MaxFileSize)
    throw EInOutError(FmtLoadStr(SInOutError, {ERROR_FILE_TOO_LARGE}), ERROR_FILE_TOO_LARGE);
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(handle.Get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr)) {
      const DWORD code = GetLastError();
      throw EInOutError(FmtLoadStr(SInOutError, {static_cast<int>(code)}), static_cast<int>(code));
    }
    if (read == 0) break;  // the file shrank meanwhile
    done += read;
  }
  bytes.resize(done);
  return FromBytes(bytes);
}

void TIniFile::Parse(const std::wstring& text) {
  TSection* current = nullptr;  // lines before the first section belong to none
  size_t next = 0;
  const size_t end = text.size();
  while (next < end) {
    // A line ends at a CR or an LF (so CR LF leaves an empty line between).
    const size_t lineEnd = text.find_first_of(L"\r\n", next);
    size_t first = next;
    size_t last = lineEnd == std::wstring::npos ? end : lineEnd;
    next = lineEnd == std::wstring::npos ? end : lineEnd + 1;
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    if (first >= last) continue;

    const wchar_t* line = text.data() + first;
    const size_t length = last - first;
    if (line[0] == L'[') {
      // The name runs to the last "]"; a line without one is read as a key line.
      size_t close = length;
      while (close > 0 && line[close - 1] != L']') --close;
      if (close > 0) {
        TSection section;
        section.Name = TrimBlanks(UpToZero(line + 1, close - 2));
        const std::wstring folded = Fold(section.Name);
        FSections.push_back(std::move(section));
        if (!folded.empty()) FFirstSectionByName.try_emplace(folded, FSections.size() - 1);
        current = &FSections.back();
        continue;
      }
    }
    if (!current) continue;

    TEntry entry;
    const wchar_t* equals = std::wmemchr(line, L'=', length);
    if (equals) {
      size_t nameEnd = static_cast<size_t>(equals - line);
      while (nameEnd > 0 && IsBlank(line[nameEnd - 1])) --nameEnd;
      size_t valueStart = static_cast<size_t>(equals - line) + 1;
      while (valueStart < length && IsBlank(line[valueStart])) ++valueStart;
      entry.Name = UpToZero(line, nameEnd);
      entry.Value = UpToZero(line + valueStart, length - valueStart);
      entry.HasValue = true;
    } else {
      entry.Name = UpToZero(line, length);
    }
    if (entry.Name.empty()) continue;  // nothing can ask for it
    current->FirstByName.try_emplace(Fold(entry.Name), current->Entries.size());
    current->Entries.push_back(std::move(entry));
  }
}

const TIniFile::TSection* TIniFile::FindSection(const std::wstring& name) const {
  const auto found = FFirstSectionByName.find(Fold(name));
  return found == FFirstSectionByName.end() ? nullptr : &FSections[found->second];
}

std::wstring TIniFile::ReadString(const std::wstring& section, const std::wstring& key,
                                  const std::wstring& defaultValue) const {
  if (key.empty()) return {};  // the platform reader answers an empty key name with ""
  const TSection* found = FindSection(TrimBlanks(section));
  if (found) {
    const auto entry = found->FirstByName.find(Fold(TrimBlanks(key)));
    if (entry != found->FirstByName.end() && found->Entries[entry->second].HasValue)
      return CopyEntry(found->Entries[entry->second].Value);
  }
  // The platform reader drops trailing blanks of the default and copies it like a value.
  size_t last = defaultValue.size();
  while (last > 0 && defaultValue[last - 1] == L' ') --last;
  return CopyEntry(defaultValue.substr(0, last));
}

std::vector<std::wstring> TIniFile::ReadSection(const std::wstring& section) const {
  std::vector<std::wstring> names;
  const TSection* found = FindSection(section);
  if (!found) return names;
  for (const TEntry& entry : found->Entries)
    if (entry.HasValue && entry.Name[0] != L';') names.push_back(entry.Name);
  return names;
}

std::vector<std::wstring> TIniFile::ReadSectionValues(const std::wstring& section) const {
  std::vector<std::wstring> lines = ReadSection(section);
  for (std::wstring& line : lines) line += L'=' + ReadString(section, line, L"");
  return lines;
}
