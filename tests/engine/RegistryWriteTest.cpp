// Registry entries of section CreateRegKeys written into test keys of the real registry.
#include <gtest/gtest.h>

#include "InstallTestSupport.h"
#include "Language.h"
#include "RegistryWrite.h"
#include "ScriptTestSupport.h"

namespace {
class RegistryWriteTest : public ::testing::Test {
protected:
  void SetUp() override { SetCurrentLanguage(LANG_ID_GERMAN); }
};

TEST_F(RegistryWriteTest, EntriesWriteTheirValues) {
  struct TCase {
    const wchar_t* Entry;  // after the root and "\Software\<test key>"
    const wchar_t* Key;    // below Software\<test key>
    const wchar_t* ValueName;
    DWORD Type;
    const wchar_t* Data;
  };
  const TCase cases[] = {
      {L"\\Vendor\\App\\Count=5", L"Vendor\\App", L"Count", REG_DWORD, L"5"},
      {L"\\Vendor\\App\\Mask=$1F", L"Vendor\\App", L"Mask", REG_DWORD, L"31"},
      {L"\\Vendor\\App\\Hex=0x10", L"Vendor\\App", L"Hex", REG_DWORD, L"16"},
      {L"\\Vendor\\App\\Minus=-1", L"Vendor\\App", L"Minus", REG_DWORD, L"4294967295"},
      {L"\\Vendor\\App\\Path=\"C:\\Data\"", L"Vendor\\App", L"Path", REG_SZ, L"C:\\Data"},
      {L"\\Vendor\\App\\Quotes=\"\"a\"b\"\"", L"Vendor\\App", L"Quotes", REG_SZ, L"a\"b"},
      {L"\\Vendor\\App\\Eq=\"x=y\"", L"Vendor\\App", L"Eq", REG_SZ, L"x=y"},
      {L"\\Vendor\\App\\=7", L"Vendor\\App", L"", REG_DWORD, L"7"},
      {L"\\Vendor\\Empty=", L"Vendor\\Empty", L"", REG_SZ, L""},
      {L"\\Vendor\\NoEquals", L"Vendor\\NoEquals", L"", REG_SZ, L""},
      {L"\\Vendor\\Existing\\Count=\"text now\"", L"Vendor\\Existing", L"Count", REG_SZ, L"text now"},
  };
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    const std::wstring rootName = root == HKEY_CURRENT_USER ? L"HKEY_CURRENT_USER" : L"HKEY_LOCAL_MACHINE";
    TTestRegKey testKey(root);
    testKey.SetDword(L"Vendor\\Existing", L"Count", 3);
    for (const TCase& c : cases) {
      SCOPED_TRACE(testing::Message() << std::string(rootName.begin(), rootName.end()) << " "
                                      << std::string(c.Entry, c.Entry + wcslen(c.Entry)));
      const std::wstring base = L"Software\\" + testKey.Name();
      CreateRegKey(rootName + L"\\" + base + c.Entry);
      DWORD type = 0;
      std::wstring data;
      ASSERT_TRUE(ReadRegValue(root, base + L"\\" + c.Key, c.ValueName, type, data));
      EXPECT_EQ(type, c.Type);
      EXPECT_EQ(data, c.Data);
    }
  }
}

TEST_F(RegistryWriteTest, FailuresCarryTheirMessages) {
  TTestRegKey testKey(HKEY_CURRENT_USER);
  const std::wstring base = L"Software\\" + testKey.Name();
  const std::wstring longName(300, L'k');
  const std::wstring longValue(20000, L'v');
  struct TCase {
    const char* Name;
    std::wstring Entry;
    std::wstring Message;
  };
  const TCase cases[] = {
      {"abbreviated root", L"HKLM\\Software\\Vendor\\X=1", L"Unkown root key \"HKLM\"."},
      {"root in small letters", L"hkey_local_machine\\Software\\X=1", L"Unkown root key \"hkey_local_machine\"."},
      {"root alone, unknown", L"HKEY_CLASSES_ROOT", L"Unkown root key \"HKEY_CLASSES_ROOT\"."},
      {"data that is no integer", L"HKEY_CURRENT_USER\\" + base + L"\\X=12abc",
       L"''12abc'' ist kein gültiger Integer-Wert"},
      {"key that cannot be created", L"HKEY_CURRENT_USER\\" + base + L"\\" + longName + L"\\X=1",
       L"Der Registry-Schlüssel \"HKEY_CURRENT_USER\\" + base + L"\\" + longName +
           L"\\\" kann nicht angelegt bzw. geöffnet werden."},
      {"value that cannot be written", L"HKEY_CURRENT_USER\\" + base + L"\\" + longValue + L"=1",
       L"Fehler beim Setzen der Daten für '" + longValue + L"'"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(ErrorOf([&] { CreateRegKey(c.Entry); }), c.Message);
  }
  EXPECT_FALSE(RegKeyExists(HKEY_CURRENT_USER, base + L"\\X")) << "nothing created for a bad integer";
}
}  // namespace
