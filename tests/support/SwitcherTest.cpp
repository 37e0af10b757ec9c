#include <gtest/gtest.h>

#include <windows.h>

#include "Exceptions.h"
#include "Language.h"
#include "MessageIds.h"
#include "ResString.h"
#include "Switcher.h"
#include "TestUtils.h"

namespace {

constexpr LCID German = 0x0407, French = 0x040C, English = 0x0409;

// A program folder with a real setup.exe (whose "FileVersion" the module must match) and,
// when asked, a language module beside it.
class Switcher : public testing::Test {
protected:
  void TearDown() override {
    SetResourceSource(nullptr);
    SetCurrentLanguage(0);
  }
  std::wstring Program(const std::wstring& name = L"setup.exe") {
    const std::wstring path = FDir.File(name);
    EXPECT_TRUE(CopyFileW(TEST_BIN_DIR L"\\setup.exe", path.c_str(), FALSE));
    return path;
  }
  void PutModule(const std::wstring& source, const std::wstring& name) {
    ASSERT_TRUE(CopyFileW((std::wstring(TEST_BIN_DIR) + L"\\" + source).c_str(), FDir.File(name).c_str(), FALSE))
        << "missing " << testing::PrintToString(source);
  }
  TTempDir FDir;
};

}  // namespace

TEST_F(Switcher, ModuleFileNameFollowsTheProgramsName) {
  EXPECT_EQ(ResourceModuleFileName(LANG_ID_ENGLISH, L"C:\\a.b\\setup.exe"), L"C:\\a.b\\setup.EN_");
  EXPECT_EQ(ResourceModuleFileName(LANG_ID_GERMAN, L"C:\\x\\update.exe"), L"C:\\x\\update.DE_");
  EXPECT_EQ(ResourceModuleFileName(LANG_ID_ENGLISH, L"C:\\a.b\\setup"), L"C:\\a.b\\setup.EN_");
}

TEST_F(Switcher, ChoosesTheLanguage) {
  struct Case {
    const char* what;
    TCmdArgs args;
    LCID locale;
    bool module;
    int language;
  } cases[] = {
      {"eng on a German system", {L"eng"}, German, true, LANG_ID_ENGLISH},
      {"eng and ger", {L"/ger", L"-eng"}, German, true, LANG_ID_ENGLISH},
      {"French locale, no module", {}, French, false, LANG_ID_GERMAN},
      {"French locale, ger, module present", {L"ger"}, French, true, LANG_ID_GERMAN},
      {"French locale, module present", {}, French, true, LANG_ID_ENGLISH},
      {"English locale, module present", {}, English, true, LANG_ID_ENGLISH},
      {"Swiss German locale", {}, 0x0807, true, LANG_ID_GERMAN},
      {"Austrian German locale", {}, 0x0C07, true, LANG_ID_GERMAN},
      {"Luxembourg German locale", {}, 0x1007, true, LANG_ID_GERMAN},
      {"Liechtenstein German locale", {}, 0x1407, true, LANG_ID_GERMAN},
      {"eng without module", {L"eng"}, German, false, LANG_ID_GERMAN},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TTempDir dir;
    const std::wstring program = dir.File(L"setup.exe");
    ASSERT_TRUE(CopyFileW(TEST_BIN_DIR L"\\setup.exe", program.c_str(), FALSE));
    if (c.module) {
      ASSERT_TRUE(CopyFileW(TEST_BIN_DIR L"\\setup.EN_", dir.File(L"setup.EN_").c_str(), FALSE));
    }
    ChooseStartupLanguage(c.args, c.locale, program);
    EXPECT_EQ(CurrentLanguage(), c.language);
    EXPECT_EQ(LoadResString(SBtnFinish), c.language == LANG_ID_ENGLISH ? L"&Finish" : L"&Fertig");
    SetResourceSource(nullptr);  // releases the module so the folder can be removed
    SetCurrentLanguage(0);
  }
}

TEST_F(Switcher, RefusedModulesLeaveTheProgramGerman) {
  struct Case {
    const char* what;
    std::wstring source;  // file put at setup.EN_; empty: a directory of that name
  } cases[] = {
      {"version differs in its last number", L"langmodule_otherversion.EN_"},
      {"version record without the two blocks", L"langmodule_otherblock.EN_"},
      {"a directory bearing the module's name", L""},
      {"not a module at all", L"setup_tests_not_a_module"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TTempDir dir;
    const std::wstring program = dir.File(L"setup.exe");
    ASSERT_TRUE(CopyFileW(TEST_BIN_DIR L"\\setup.exe", program.c_str(), FALSE));
    if (c.source.empty()) {
      CreateDirectoryW(dir.File(L"setup.EN_").c_str(), nullptr);
    } else if (c.source == L"setup_tests_not_a_module") {
      WriteFileBytes(dir.File(L"setup.EN_"), "plain text, no module");
    } else {
      ASSERT_TRUE(CopyFileW((std::wstring(TEST_BIN_DIR) + L"\\" + c.source).c_str(), dir.File(L"setup.EN_").c_str(),
                            FALSE));
    }
    ChooseStartupLanguage({L"eng"}, German, program);
    EXPECT_EQ(CurrentLanguage(), LANG_ID_GERMAN);
    EXPECT_EQ(LoadResString(SBtnFinish), L"&Fertig");
    EXPECT_EQ(CurrentResourceModule(), GetModuleHandleW(nullptr));
  }
}

TEST_F(Switcher, RenamedProgramLooksForItsOwnModule) {
  const std::wstring program = Program(L"update.exe");
  PutModule(L"setup.EN_", L"setup.EN_");
  ChooseStartupLanguage({L"eng"}, German, program);
  EXPECT_EQ(CurrentLanguage(), LANG_ID_GERMAN);  // setup.EN_ is not update's module
  SetResourceSource(nullptr);
  PutModule(L"setup.EN_", L"update.EN_");
  ChooseStartupLanguage({L"eng"}, German, program);
  EXPECT_EQ(CurrentLanguage(), LANG_ID_ENGLISH);
}

TEST_F(Switcher, LoadErrorsSpeakTheLanguageBeingLoaded) {
  const std::wstring program = Program();
  PutModule(L"langmodule_otherversion.EN_", L"setup.EN_");
  PutModule(L"langmodule_otherversion.EN_", L"setup.DE_");
  try {
    LoadLanguageModule(LANG_ID_ENGLISH, program);
    ADD_FAILURE() << "no error";
  } catch (const EResDLL_InvalidVersion& e) {
    EXPECT_EQ(e.Message(), L"Invalid version of resource module (needed: 2.3.0.41540 found: 2.3.0.41541).");
    EXPECT_EQ(e.VersionNeeded, L"2.3.0.41540");
    EXPECT_EQ(e.VersionFound, L"2.3.0.41541");
  }
  // The module stays installed although its version differs.
  EXPECT_NE(CurrentResourceModule(), GetModuleHandleW(nullptr));
  try {
    LoadLanguageModule(LANG_ID_GERMAN, program);
    ADD_FAILURE() << "no error";
  } catch (const EResDLL_InvalidVersion& e) {
    EXPECT_EQ(e.Message(),
              L"Ung\u00FCltige Version des Ressourcen-Moduls (ben\u00F6tigt: 2.3.0.41540 gefunden: 2.3.0.41541).");
  }
  DeleteFileW(FDir.File(L"setup.DE_").c_str());
  SetResourceSource(nullptr);
  try {
    LoadLanguageModule(LANG_ID_GERMAN, program);
    ADD_FAILURE() << "no error";
  } catch (const EResDLL_FileNotFound& e) {
    EXPECT_EQ(e.Message(), L"Das Ressourcen-Modul kann nicht geladen werden.");
  }
  EXPECT_EQ(CurrentResourceModule(), GetModuleHandleW(nullptr));
}

TEST_F(Switcher, ChangingTheLanguageRereadsRegisteredForms) {
  struct TForm : IRereadableForm {
    std::wstring Caption;
    void RereadTexts() override { Caption = LoadResString(SBtnFinish); }
  } form;
  RegisterRereadableForm(&form);
  const std::wstring program = Program();
  PutModule(L"setup.EN_", L"setup.EN_");
  ChangeLanguage(LANG_ID_ENGLISH, LANG_ID_ENGLISH, program);
  EXPECT_EQ(form.Caption, L"");  // same language: nothing happens
  ChangeLanguage(LANG_ID_ENGLISH, 0, program);
  EXPECT_EQ(form.Caption, L"&Finish");
  UnregisterRereadableForm(&form);
}
