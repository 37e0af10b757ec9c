#include <gtest/gtest.h>

#include "Exceptions.h"
#include "StringList.h"

namespace {
struct TTestRecord : TRecord {};
}  // namespace

TEST(StringList, EntriesCarryTextIntegerAndRecord) {
  TTestRecord record;
  TStringList list;
  EXPECT_EQ(list.Add(L"a", 5), 0);
  EXPECT_EQ(list.Add(L"b", 0, &record), 1);
  list.Insert(0, L"first");
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Strings(0), L"first");
  EXPECT_EQ(list.Integers(1), 5);
  EXPECT_EQ(list.Objects(2), &record);
  list.SetString(1, L"A2");
  list.SetInteger(1, -3);
  list.Delete(0);
  EXPECT_EQ(list.Strings(0), L"A2");
  EXPECT_EQ(list.Integers(0), -3);
  EXPECT_EQ(list.Text(), L"A2\r\nb\r\n");
}

TEST(StringList, IndexOutsideRaisesListIndexError) {
  TStringList list;
  list.Add(L"only");
  struct Case {
    const char* what;
    std::function<void()> call;
    int index;
  } cases[] = {
      {"Strings(-1)", [&] { list.Strings(-1); }, -1},
      {"Strings(1)", [&] { list.Strings(1); }, 1},
      {"Integers(7)", [&] { list.Integers(7); }, 7},
      {"Objects(2)", [&] { list.Objects(2); }, 2},
      {"SetString(1)", [&] { list.SetString(1, L"x"); }, 1},
      {"Delete(1)", [&] { list.Delete(1); }, 1},
      {"Insert(2)", [&] { list.Insert(2, L"x"); }, 2},
      {"Insert(-1)", [&] { list.Insert(-1, L"x"); }, -1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      c.call();
      ADD_FAILURE() << "no error";
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), L"Listenindex \u00FCberschreitet das Maximum (" + std::to_wstring(c.index) + L")");
    }
  }
  EXPECT_EQ(list.Count(), 1);
}

TEST(StringList, FindsAndSortsIgnoringCaseAndKeepsEqualEntriesInOrder) {
  TStringList list;
  list.Add(L"beta", 1);
  list.Add(L"Alpha", 2);
  list.Add(L"\u00C4rger", 3);
  list.Add(L"ALPHA", 4);
  list.Add(L"alpha", 5);
  EXPECT_EQ(list.IndexOf(L"BETA"), 0);
  EXPECT_EQ(list.IndexOf(L"alpha"), 1);
  EXPECT_EQ(list.IndexOf(L"\u00E4rger"), 2);
  EXPECT_EQ(list.IndexOf(L"gamma"), -1);
  list.Sort();
  std::vector<int> order;
  for (int i = 0; i < list.Count(); ++i) order.push_back(list.Integers(i));
  // Equal texts keep their order; the German umlaut sorts with its base letter.
  EXPECT_EQ(order, (std::vector<int>{2, 4, 5, 3, 1}));
}
