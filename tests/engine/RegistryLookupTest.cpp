// Destination directories from the real registry of the Wine prefix, below test keys in
// the 32-bit view, and the write-access test below HKEY_LOCAL_MACHINE.
#include <gtest/gtest.h>

#include "Exceptions.h"
#include "Handles.h"
#include "RegistryLookup.h"
#include "ScriptTestSupport.h"

namespace {
struct TResolved {
  std::wstring Path;
  bool Found = false;
};

TResolved Resolve(const std::wstring& regKey, const std::wstring& defaultDir = L"C:\\Default") {
  TResolved result;
  std::wstring dir = defaultDir;
  ResolveDefaultDir(regKey, result.Found, dir, result.Path, HKEY_CURRENT_USER, {});
  return result;
}
}  // namespace

TEST(RegistryLookup, CurrentUserBeforeLocalMachineAndTheWrongTypeRule) {
  struct TRow {
    const char* Name;
    int User;     // 0 none, 1 string, 2 DWORD
    int Machine;  // the same
    const wchar_t* ExpectedPath;
    bool ExpectedFound;
  };
  const TRow rows[] = {
      {"neither: the default", 0, 0, L"C:\\Default", false},
      {"user only", 1, 0, L"C:\\User", true},
      {"machine only", 0, 1, L"C:\\Machine", true},
      {"both: the user's", 1, 1, L"C:\\User", true},
      {"DWORD at user: machine is asked", 2, 1, L"C:\\Machine", true},
      {"DWORD at user, nothing at machine", 2, 0, L"C:\\Default", false},
      {"DWORD at machine: empty", 0, 2, L"", false},
      {"string at user wins over DWORD at machine", 1, 2, L"C:\\User", true},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    TTestRegKey machine(HKEY_LOCAL_MACHINE);
    // One vendor name for both roots; the key below the user root is removed at the end.
    const std::wstring vendor = machine.Name();
    auto set = [&](HKEY root, int kind, const wchar_t* text) {
      if (kind == 0) return;
      TRegKey key;
      RegCreateKeyExW(root, (L"Software\\" + vendor + L"\\App").c_str(), 0, nullptr, 0,
                      KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, key.Receive(), nullptr);
      const std::wstring value = text;
      const DWORD number = 7;
      if (kind == 1)
        RegSetValueExW(key.Get(), L"exedir", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
      else
        RegSetValueExW(key.Get(), L"exedir", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    };
    set(HKEY_CURRENT_USER, row.User, L"C:\\User");
    set(HKEY_LOCAL_MACHINE, row.Machine, L"C:\\Machine");
    const TResolved resolved = Resolve(L"NoSuchVendor\\x|" + vendor + L"\\App\\exedir");
    EXPECT_EQ(resolved.Path, row.ExpectedPath);
    EXPECT_EQ(resolved.Found, row.ExpectedFound);
    RegDeleteTreeW(HKEY_CURRENT_USER, (L"Software\\" + vendor).c_str());
    RegDeleteKeyExW(HKEY_CURRENT_USER, (L"Software\\" + vendor).c_str(), KEY_WOW64_32KEY, 0);
  }
}

TEST(RegistryLookup, ReferenceForms) {
  TTestRegKey user(HKEY_CURRENT_USER);
  user.SetString(L"App", L"InstallDir", L"C:\\Installed");
  user.SetString(L"App", L"", L"C:\\DefaultValue");
  user.SetString(L"", L"Top", L"C:\\Top");
  const std::wstring v = user.Name();
  struct TRow {
    const char* Name;
    std::wstring RegKey;
    const wchar_t* Expected;
  };
  const TRow rows[] = {
      {"key and value", v + L"\\App\\InstallDir", L"C:\\Installed"},
      {"letter case of names", v + L"\\APP\\installdir", L"C:\\Installed"},
      {"second candidate", v + L"\\App\\Missing|" + v + L"\\App\\InstallDir", L"C:\\Installed"},
      {"empty candidate ends the search", v + L"\\App\\Missing||" + v + L"\\App\\InstallDir", L"C:\\Default"},
      {"the key's default value", v + L"\\App\\", L"C:\\DefaultValue"},
      {"value of the vendor key", v + L"\\Top", L"C:\\Top"},
      {"no backslash: a value of Software", L"NoSuchValueOfSoftware", L"C:\\Default"},
      {"empty reference", L"", L"C:\\Default"},
  };
  for (const TRow& row : rows) {
    SCOPED_TRACE(row.Name);
    EXPECT_EQ(Resolve(row.RegKey).Path, row.Expected);
  }
}

TEST(RegistryLookup, LocalMachineUsesThe32BitView) {
  TTestRegKey machine(HKEY_LOCAL_MACHINE);
  machine.SetString(L"App", L"exedir", L"C:\\Wow");
  EXPECT_TRUE(LocalMachineKeyExists(L"Software\\Wow6432Node\\" + machine.Name() + L"\\App", KEY_WOW64_64KEY));
  EXPECT_EQ(Resolve(machine.Name() + L"\\App\\exedir").Path, L"C:\\Wow");

  // A value only in the 64-bit view is not seen.
  const std::wstring only64 = L"Software\\" + machine.Name() + L"_64";
  TRegKey key;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, only64.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_64KEY,
                            nullptr, key.Receive(), nullptr),
            ERROR_SUCCESS);
  const std::wstring value = L"C:\\Native";
  RegSetValueExW(key.Get(), L"exedir", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  key.Reset();
  EXPECT_EQ(Resolve(machine.Name() + L"_64\\exedir").Path, L"C:\\Default");
  RegDeleteKeyExW(HKEY_LOCAL_MACHINE, only64.c_str(), KEY_WOW64_64KEY, 0);
}

TEST(RegistryLookup, LocalMachineAccessTestDeletesOnlyItsLastKey) {
  TTestRegKey machine(HKEY_LOCAL_MACHINE);
  CheckLocalMachineAccess(L"\\" + machine.Name() + L"\\Check\\");
  const std::wstring check = L"Software\\" + machine.Name() + L"\\Check";
  EXPECT_TRUE(LocalMachineKeyExists(check, KEY_WOW64_32KEY));
  TRegKey key;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, check.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, key.Receive()),
            ERROR_SUCCESS);
  DWORD subKeys = 99;
  RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                   nullptr, nullptr);
  EXPECT_EQ(subKeys, 0u);
}

TEST(RegistryLookup, LocalMachineAccessTestFailsWithTheRightsMessage) {
  // A key name longer than the registry allows cannot be created.
  try {
    CheckLocalMachineAccess(std::wstring(300, L'k'));
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Sie verfügen nicht über ausreichende Benutzerrechte zur Ausführung des Setups.");
  }
}
