#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "Handles.h"
#include "MessageIds.h"

namespace {

struct TMessageId {
  const char* Name;
  unsigned Id;
};

const std::vector<TMessageId>& AllMessageIds() {
  static const std::vector<TMessageId> ids = {
#define MESSAGE_ID(name) {#name, name},
#include "MessageIdList.inc"
#undef MESSAGE_ID
  };
  return ids;
}

std::wstring TableText(HMODULE module, unsigned id) {
  const wchar_t* text = nullptr;
  const int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

// The placeholders of a format text ("%s", "%1:d", "%%"), in order.
std::vector<std::wstring> Placeholders(const std::wstring& text) {
  std::vector<std::wstring> result;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != L'%') continue;
    size_t end = i + 1;
    while (end < text.size() && (iswdigit(text[end]) || text[end] == L':' || text[end] == L'-' || text[end] == L'.'))
      ++end;
    if (end < text.size()) result.push_back(text.substr(i, end - i + 1));
    i = end;
  }
  return result;
}

// Every string identifier that a module's string table holds.
std::set<unsigned> IdsInTable(HMODULE module) {
  std::set<unsigned> ids;
  EnumResourceNamesW(
      module, RT_STRING,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
        auto* found = reinterpret_cast<std::set<unsigned>*>(param);
        const unsigned block = static_cast<unsigned>(reinterpret_cast<ULONG_PTR>(name));
        for (unsigned id = (block - 1) * 16; id < block * 16; ++id) found->insert(id);
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&ids));
  std::set<unsigned> present;
  HMODULE self = module;
  for (unsigned id : ids)
    if (!TableText(self, id).empty()) present.insert(id);
  return present;
}

class MessageTable : public testing::Test {
protected:
  void SetUp() override {
    FEnglish.Reset(LoadLibraryExW(TEST_BIN_DIR L"\\setup.EN_", nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(FEnglish.Valid()) << "setup.EN_ not found beside the test programs";
  }
  HMODULE German() const { return GetModuleHandleW(nullptr); }
  TModule FEnglish;
};

}  // namespace

TEST_F(MessageTable, BothTablesHoldEveryIdentifier) {
  ASSERT_GT(AllMessageIds().size(), 50u);
  for (const TMessageId& id : AllMessageIds()) {
    SCOPED_TRACE(id.Name);
    const std::wstring german = TableText(German(), id.Id);
    const std::wstring english = TableText(FEnglish.Get(), id.Id);
    EXPECT_FALSE(german.empty()) << "no German text";
    EXPECT_FALSE(english.empty()) << "no English text";
    // A translation with other placeholders would read the wrong arguments.
    EXPECT_EQ(Placeholders(german), Placeholders(english));
  }
}

TEST_F(MessageTable, TablesHoldNoUnknownIdentifier) {
  std::set<unsigned> known;
  for (const TMessageId& id : AllMessageIds()) {
    EXPECT_TRUE(known.insert(id.Id).second) << id.Name << " shares its number";
  }
  for (unsigned id : IdsInTable(German())) EXPECT_TRUE(known.count(id)) << "German table has unknown id " << id;
  for (unsigned id : IdsInTable(FEnglish.Get())) EXPECT_TRUE(known.count(id)) << "English table has unknown id " << id;
}

TEST_F(MessageTable, GermanTextsKeepTheirExactWording) {
  struct Case {
    unsigned Id;
    std::wstring Text;
  } cases[] = {
      {SIniFileNotFound, L"Die Initalisierungsdatei wurde nicht gefunden."},
      {SCancelSetupQuestion, L"M\u00F6chen Sie das Setup abbrechen?"},
      {SListIndexError, L"Listenindex \u00FCberschreitet das Maximum (%d)"},
      {SInvalidInteger, L"''%s'' ist kein g\u00FCltiger Integer-Wert"},
      {SInOutError, L"E/A-Fehler %d"},
      {SDefaultDirCaption, L"Verzeichnis"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Id);
    EXPECT_EQ(TableText(German(), c.Id), c.Text);
  }
}
