// The program's INI reader against the platform's profile reader on a table of tricky
// files: both must give the same key lists and the same values.
#include <gtest/gtest.h>

#include <vector>

#include "Exceptions.h"
#include "IniReader.h"
#include "ScriptTestSupport.h"
#include "TestUtils.h"
#include "TextConv.h"

namespace {
struct TIniCase {
  const char* Name;
  std::string Bytes;
  std::vector<std::wstring> Sections;   // listed and read key by key
  std::vector<std::wstring> ExtraKeys;  // read in every section besides the listed keys
  std::wstring Default;
};

std::vector<std::wstring> PlatformSection(const std::wstring& path, const std::wstring& section) {
  std::vector<wchar_t> buffer(1 << 20);
  GetPrivateProfileStringW(section.c_str(), nullptr, L"", buffer.data(), static_cast<DWORD>(buffer.size()),
                           path.c_str());
  std::vector<std::wstring> names;
  for (const wchar_t* p = buffer.data(); *p; p += wcslen(p) + 1) names.emplace_back(p);
  return names;
}

std::wstring PlatformString(const std::wstring& path, const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue) {
  wchar_t buffer[2048];
  GetPrivateProfileStringW(section.c_str(), key.c_str(), defaultValue.c_str(), buffer, 2048, path.c_str());
  return buffer;
}

std::string Repeat(char c, size_t n) { return std::string(n, c); }

std::vector<TIniCase> Cases() {
  const std::vector<std::wstring> s = {L"S"};
  return {
      {"plain CR LF", "[S]\r\nProduct=Hallo Welt\r\nIcon=a.bmp\r\n", s, {L"product", L"missing"}, L"def"},
      {"blanks and tabs", "[S]\r\n  key \t=  \t value with  blanks \t \r\n\tk2\t=\tx\ty\t\r\n", s, {}, L""},
      {"quotes",
       "[S]\r\nd=\"quoted\"\r\nhalf=\"half\r\nsingle='single'\r\nmixed=\"mixed'\r\nempty=\"\"\r\n"
       "one=\"\r\ninner=\" inner \"\r\ndouble=\"\"double\"\"\r\nlead=\"a\" b\r\nsq=''\r\n",
       s, {}, L""},
      {"duplicates", "[S]\r\na=1\r\nA=2\r\nb=x\r\na=3\r\n", s, {}, L""},
      {"long values",
       "[S]\r\nlong=" + Repeat('x', 3000) + "\r\nexact=" + Repeat('y', 2047) + "\r\nover=" + Repeat('z', 2048) +
           "\r\nq2046=\"" + Repeat('q', 2046) + "\"\r\nq2047=\"" + Repeat('r', 2047) + "\"\r\nq2048=\"" +
           Repeat('s', 2048) + "\"\r\n" + Repeat('k', 300) + "=long key\r\n",
       s, {}, L""},
      {"empty values", "[S]\r\nempty=\r\nblank=   \r\n", s, {L"missing"}, L"fallback"},
      {"missing section", "[Other]\r\na=1\r\n", {L"S", L"Other"}, {L"a"}, L"d"},
      {"comments", "[S]\r\n;c=1\r\n#h=2\r\n ; indented=3\r\nreal=4\r\n", s, {L";c"}, L""},
      {"lines without equals", "[S]\r\njusttext\r\na=1\r\nb\r\nb=2\r\n", s, {L"justtext"}, L"d"},
      {"text before the first section", "x=1\r\nloose\r\n[S]\r\ny=2\r\n", s, {L"x"}, L""},
      {"section names", "[sEtUp]\r\na=1\r\n[ Spaced ]\r\nb=2\r\n[T] ; note\r\nc=3\r\n[U\r\nd=4\r\n[]\r\ne=5\r\n",
       {L"Setup", L"Spaced", L" Spaced ", L"T", L"U"}, {L"a", L"b", L"c", L"[U", L"d"}, L""},
      {"duplicate section", "[S]\r\na=1\r\n[T]\r\nt=1\r\n[S]\r\nb=2\r\n", {L"S", L"T"}, {L"b"}, L"d"},
      {"LF only", "[S]\na=1\nb = 2 \n", s, {}, L""},
      {"CR only", "[S]\ra=1\rb=2\r", s, {L"a"}, L"d"},
      {"LF CR", "[S]\n\ra=1\n\rb=2\n\r", s, {}, L""},
      {"CR inside a line", "[S]\r\na=1\rb=2\nc=3\r\n", s, {L"b"}, L"d"},
      {"equals in value", "[S]\r\na=b=c\r\nsub\\dir\\f.dll = 1\r\n", s, {}, L""},
      {"control characters", "[S]\r\n\x1a" "a=1\x1a\r\nb=\x1c" "x\x1c\r\nc=\x01y\r\n", s, {}, L""},
      {"ANSI umlauts", AnsiBytes(L"[S]\r\nK\u00e4se=Gr\u00fc\u00dfe \u00a0\r\n\u00a0x=1\r\n"), s, {L"K\u00c4SE"}, L""},
      {"UTF-16", Utf16Bytes(L"[S]\r\nK\u00e4se=Gr\u00fc\u00dfe\r\nz=\u20ac \U0001F600\r\n \u3000w\u3000=\u3000v\r\n"), s,
       {}, L""},
      {"UTF-8 with BOM", Utf8BomBytes(L"[S]\r\nK\u00e4se=Gr\u00fc\u00dfe \u20ac\r\n"), s, {}, L""},
      {"empty file", "", s, {L"a"}, L"d"},
      {"default with trailing blanks", "[S]\r\na=1\r\n", s, {L"missing"}, L"def  "},
      {"quoted default", "[S]\r\na=1\r\n", s, {L"missing"}, L"\"def\""},
  };
}
}  // namespace

TEST(IniReader, MatchesThePlatformProfileReader) {
  TTempDir dir;
  int fileNumber = 0;
  for (const TIniCase& c : Cases()) {
    SCOPED_TRACE(c.Name);
    // A file name per case: the platform reader caches files by name.
    const std::wstring path = dir.File(L"case" + std::to_wstring(++fileNumber) + L".ini");
    WriteFileBytes(path, c.Bytes);
    const TIniFile ini = TIniFile::Load(path);
    for (const std::wstring& section : c.Sections) {
      SCOPED_TRACE(WideToUtf8(L"section " + section));
      const std::vector<std::wstring> names = ini.ReadSection(section);
      EXPECT_EQ(names, PlatformSection(path, section));
      std::vector<std::wstring> keys = names;
      keys.insert(keys.end(), c.ExtraKeys.begin(), c.ExtraKeys.end());
      for (const std::wstring& key : keys) {
        SCOPED_TRACE(WideToUtf8(L"key " + key.substr(0, 40)));
        EXPECT_EQ(ini.ReadString(section, key, c.Default), PlatformString(path, section, key, c.Default));
      }
    }
  }
}

TEST(IniReader, SectionValuesRepeatTheFirstValueOfADuplicateKey) {
  const TIniFile ini = TIniFile::FromBytes("[S]\r\na = 1 \r\nnoequals\r\nb='2'\r\nA=3\r\n");
  const std::vector<std::wstring> expected = {L"a=1", L"b=2", L"A=1"};
  EXPECT_EQ(ini.ReadSectionValues(L"s"), expected);
}

// The platform lists an empty key name, which ends the key list for its callers; the
// program's reader skips the line instead, so the keys after it are not lost.
TEST(IniReader, EmptyKeyNameHidesNoLaterKey) {
  const TIniFile ini = TIniFile::FromBytes("[S]\r\n=x\r\na=1\r\n = y\r\nb=2\r\n");
  const std::vector<std::wstring> expected = {L"a", L"b"};
  EXPECT_EQ(ini.ReadSection(L"S"), expected);
  EXPECT_EQ(ini.ReadString(L"S", L"", L"d"), L"");
}

TEST(IniReader, MissingFileReadsAsEmpty) {
  TTempDir dir;
  const TIniFile ini = TIniFile::Load(dir.File(L"none.ini"));
  EXPECT_TRUE(ini.ReadSection(L"S").empty());
  EXPECT_EQ(ini.ReadString(L"S", L"a", L"d"), L"d");
}

TEST(IniReader, DirectoryInsteadOfFileIsAnError) {
  TTempDir dir;
  EXPECT_THROW(TIniFile::Load(dir.Path()), EInOutError);
}
