#pragma once
// Versions packed into one number as major × 1000000 + minor × 1000 + release, each part a
// 16-bit unsigned number. The packing needs 64 bits: major × 1000000 overflows 32 bits from
// major 2148 on. Packed values compare as plain integers; the packing is exact only while
// minor and release stay below 1000 (2.3.1000 equals 2.4.0).
#include <string>

using TPackedVersion = long long;

constexpr TPackedVersion PackVersion(unsigned short major, unsigned short minor, unsigned short release) noexcept {
  return static_cast<TPackedVersion>(major) * 1000000 + static_cast<TPackedVersion>(minor) * 1000 + release;
}

// "major.minor.release" of a packed version.
std::wstring VersionToStr(TPackedVersion version);

// One line of section NeededFileVersions taken apart: "name=index|major.minor.release",
// optionally followed by a blank and text that is ignored.
struct TNeededVersionLine {
  std::wstring FileName;  // relative to the destination directory
  int DirIndex = 0;
  TPackedVersion Version = 0;
};

// Raises the error "Invalid directory index in version check." for a missing or
// non-numeric part, a version part outside 0 to 65535, or a directory index outside
// 0 to dirCount - 1.
TNeededVersionLine ParseNeededVersionLine(const std::wstring& line, int dirCount);
