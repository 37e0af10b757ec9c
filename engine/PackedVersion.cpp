#include "PackedVersion.h"

#include "Exceptions.h"
#include "Format.h"
#include "IntConv.h"
#include "StrUtils.h"

namespace {
// The same text in every language.
const wchar_t* const SInvalidVersionCheck = L"Invalid directory index in version check.";

int CheckedNumber(const std::wstring& text, int low, int high) {
  int value = 0;
  if (!TryStrToInt(text, value) || value < low || value > high) throw Exception(SInvalidVersionCheck);
  return value;
}

unsigned short VersionPart(const std::wstring& text) { return static_cast<unsigned short>(CheckedNumber(text, 0, 0xFFFF)); }
}  // namespace

std::wstring VersionToStr(TPackedVersion version) {
  return Format(L"%d.%d.%d", {version / 1000000, (version % 1000000) / 1000, version % 1000});
}

TNeededVersionLine ParseNeededVersionLine(const std::wstring& line, int dirCount) {
  TNeededVersionLine result;
  std::wstring rest = line;
  result.FileName = CutToken(rest, L"=");
  result.DirIndex = CheckedNumber(CutToken(rest, L"|"), 0, dirCount - 1);
  const unsigned short major = VersionPart(CutToken(rest, L"."));
  const unsigned short minor = VersionPart(CutToken(rest, L"."));
  const unsigned short release = VersionPart(CutToken(rest, L" "));
  result.Version = PackVersion(major, minor, release);
  return result;
}
