// The hook protocol with fixture DLLs whose exports record what they receive in the
// environment variable HOOKTEST_LOG and answer as built.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "DllHooks.h"
#include "EngineState.h"
#include "InstallTestSupport.h"
#include "Language.h"
#include "RecordingSeams.h"

namespace {
std::wstring HookLog() {
  const DWORD length = GetEnvironmentVariableW(L"HOOKTEST_LOG", nullptr, 0);
  if (length == 0) return {};
  std::vector<wchar_t> buffer(length);
  GetEnvironmentVariableW(L"HOOKTEST_LOG", buffer.data(), length);
  return buffer.data();
}

class DllHooksTest : public ::testing::Test {
protected:
  void SetUp() override {
    SetCurrentLanguage(LANG_ID_GERMAN);
    SetEnvironmentVariableW(L"HOOKTEST_LOG", nullptr);
    Seams.Owner = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(0x12340));
  }
  void TearDown() override { SetCurrentLanguage(LANG_ID_GERMAN); }

  static void Add(std::vector<std::unique_ptr<TDLL>>& list, const std::wstring& fileName, const std::wstring& param) {
    auto dll = std::make_unique<TDLL>();
    dll->FileName = fileName;
    dll->Param = param;
    list.push_back(std::move(dll));
  }

  TEngineState State;
  TRecordingSeams Seams;
};

TEST_F(DllHooksTest, HooksReceiveOwnerLanguageAndParameter) {
  Add(State.FDLLsBefore, FixturePath(L"hook_yes.dll"), L"/silent Ä");
  Add(State.FDLLsBefore, L"hook_yes.dll", L"");
  SetCurrentLanguage(LANG_ID_ENGLISH);
  EXPECT_TRUE(CallDLLsBefore(State, Seams));
  EXPECT_EQ(HookLog(),
            L"hook_yes|ExecuteBefore|74560|1033|/silent Ä\n"
            L"hook_yes|ExecuteBefore|74560|1033|\n");
  EXPECT_EQ(GetModuleHandleW(L"hook_yes.dll"), nullptr) << "released after each call";
  const std::vector<TAppCursor> cursors = {TAppCursor::Hourglass, TAppCursor::Default, TAppCursor::Hourglass,
                                           TAppCursor::Default};
  EXPECT_EQ(Seams.Cursors, cursors);

  SetEnvironmentVariableW(L"HOOKTEST_LOG", nullptr);
  SetCurrentLanguage(LANG_ID_GERMAN);
  Add(State.FDLLsAfter, L"hook_no.dll", L"after");
  CallDLLsAfter(State, Seams);
  EXPECT_EQ(HookLog(), L"hook_no|ExecuteAfter|74560|1031|after\n");
}

TEST_F(DllHooksTest, TheLastBeforeHookDecides) {
  struct TCase {
    const char* Name;
    std::vector<const wchar_t*> Dlls;
    bool Result;
  };
  const TCase cases[] = {
      {"no hooks", {}, true},
      {"yes", {L"hook_yes.dll"}, true},
      {"no", {L"hook_no.dll"}, false},
      {"any non-zero byte is yes", {L"hook_two.dll"}, true},
      {"no, then yes", {L"hook_no.dll", L"hook_yes.dll"}, true},
      {"yes, then no", {L"hook_yes.dll", L"hook_no.dll"}, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TEngineState state;
    for (const wchar_t* dll : c.Dlls) Add(state.FDLLsBefore, dll, L"p");
    SetEnvironmentVariableW(L"HOOKTEST_LOG", nullptr);
    EXPECT_EQ(CallDLLsBefore(state, Seams), c.Result);
    const std::wstring log = HookLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), L'\n'), static_cast<long>(c.Dlls.size()))
        << "every hook is called";
  }
}

TEST_F(DllHooksTest, FailuresStopTheLoop) {
  struct TCase {
    const char* Name;
    const wchar_t* Failing;
    bool After;
    const wchar_t* Message;
  };
  const TCase cases[] = {
      {"missing DLL before", L"no_such_hook.dll", false, L"Das Modul no_such_hook.dll kann nicht geladen werden."},
      {"missing export before", L"hook_none.dll", false,
       L"Die Funktion ExecuteBefore konnte nicht im Modul hook_none.dll gefunden werden."},
      {"missing DLL after", L"no_such_hook.dll", true, L"Das Modul no_such_hook.dll kann nicht geladen werden."},
      {"missing export after", L"hook_none.dll", true,
       L"Die Funktion ExecuteAfter konnte nicht im Modul hook_none.dll gefunden werden."},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TEngineState state;
    auto& list = c.After ? state.FDLLsAfter : state.FDLLsBefore;
    Add(list, L"hook_yes.dll", L"first");
    Add(list, c.Failing, L"");
    Add(list, L"hook_yes.dll", L"never");
    SetEnvironmentVariableW(L"HOOKTEST_LOG", nullptr);
    TRecordingSeams seams;
    EXPECT_EQ(ErrorOf([&] {
                if (c.After)
                  CallDLLsAfter(state, seams);
                else
                  CallDLLsBefore(state, seams);
              }),
              c.Message);
    EXPECT_EQ(HookLog().find(L"never"), std::wstring::npos);
    EXPECT_EQ(GetModuleHandleW(L"hook_none.dll"), nullptr) << "released when the export is missing";
    ASSERT_EQ(seams.Cursors.size(), 4u) << "the arrow comes back when loading fails";
    EXPECT_EQ(seams.Cursors.back(), TAppCursor::Default);
  }
}
}  // namespace
