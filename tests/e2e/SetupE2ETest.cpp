// The real setup.exe under Wine, driven from outside: start-up, the welcome page with the
// script's texts in both languages, the start-up failure, and the end of the process
// with its exit code and events.
#include <gtest/gtest.h>

#include <algorithm>

#include "Screenshot.h"
#include "SetupDriver.h"
#include "TestPictures.h"

namespace {

// The sample script; setupLines are added to its [Setup] section.
std::string Script(const std::string& setupLines = "") {
  return "[Setup]\n" + setupLines +
         "Product=Vendor App 2.3\n"
         "FormCaption=Vendor App Update\n"
         "SubCaption=Update auf Version 2.3.0\n"
         "BottomCaption=www.example.com\n"
         "[Setup_Eng]\n"
         "SubCaption=Update to version 2.3.0\n"
         "[Welcome]\n"
         "Text=Dieses Programm aktualisiert Vendor App.|Bitte schließen Sie alle Programme.\n"
         "[Welcome_Eng]\n"
         "Text=This program updates Vendor App.|Please close all programs.\n";
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

std::wstring Joined(const std::vector<std::wstring>& texts) {
  std::wstring all;
  for (const std::wstring& text : texts) all += text + L" | ";
  return all;
}

// Cancels through the button and the confirmation; the program must end with 102.
void CancelAndConfirm(TSetupDriver& setup, HWND window, const std::wstring& cancel, const std::wstring& yes) {
  ASSERT_TRUE(TSetupDriver::ClickButton(window, cancel));
  HWND question = setup.WaitForDialog();
  ASSERT_NE(question, nullptr);
  ASSERT_TRUE(TSetupDriver::ClickButton(question, yes));
  EXPECT_EQ(setup.WaitForExit(), 102);
}

}  // namespace

TEST(SetupProgram, ShowsTheWelcomePageWithTheScriptsTextsInGerman) {
  TSetupDriver setup;
  setup.WriteScript(Script("Icon=header.bmp\n"));
  setup.WriteFile(L"header.bmp", MakeBmpFile(104, 76, RGB(40, 90, 160), RGB(190, 215, 245)));
  setup.Start(L"ger");
  HWND window = setup.WaitForMainWindow();
  ASSERT_NE(window, nullptr) << "no main window";

  EXPECT_EQ(TSetupDriver::Text(window), L"Vendor App Update");
  const std::vector<std::wstring> texts = TSetupDriver::VisibleTexts(window);
  SCOPED_TRACE(Joined(texts));
  for (const wchar_t* expected :
       {L"Vendor App 2.3", L"Update auf Version 2.3.0",
        L"Dieses Programm aktualisiert Vendor App.\r\nBitte schlie\u00DFen Sie alle Programme.", L"www.example.com",
        L"&Installieren", L"Abbrechen"}) {
    EXPECT_TRUE(Contains(texts, expected)) << "missing: " << testing::PrintToString(std::wstring(expected));
  }
  EXPECT_TRUE(SaveWindowScreenshot(window, L"welcome_de.png"));

  // Declining the cancel question keeps the wizard; confirming ends it at once.
  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"Abbrechen"));
  HWND question = setup.WaitForDialog();
  ASSERT_NE(question, nullptr);
  EXPECT_TRUE(Contains(TSetupDriver::VisibleTexts(question), L"M\u00F6chen Sie das Setup abbrechen?"));
  ASSERT_TRUE(TSetupDriver::ClickButton(question, L"&Nein"));
  EXPECT_EQ(setup.WaitForExit(500), -1) << "No ended the program";

  CancelAndConfirm(setup, window, L"Abbrechen", L"&Ja");
  EXPECT_TRUE(setup.EndSignalled());
  EXPECT_FALSE(setup.OkSignalled());
}

TEST(SetupProgram, SpeaksEnglishWithItsModule) {
  TSetupDriver setup;
  setup.AddEnglishModule();
  setup.WriteScript(Script());
  setup.Start(L"eng");
  HWND window = setup.WaitForMainWindow();
  ASSERT_NE(window, nullptr) << "no main window";

  const std::vector<std::wstring> texts = TSetupDriver::VisibleTexts(window);
  SCOPED_TRACE(Joined(texts));
  for (const wchar_t* expected : {L"Update to version 2.3.0",
                                  L"This program updates Vendor App.\r\nPlease close all programs.", L"&Install",
                                  L"Cancel"}) {
    EXPECT_TRUE(Contains(texts, expected)) << "missing: " << testing::PrintToString(std::wstring(expected));
  }
  EXPECT_TRUE(SaveWindowScreenshot(window, L"welcome_en.png"));

  // Closing the window asks the same question as the cancel button.
  PostMessageW(window, WM_CLOSE, 0, 0);
  HWND question = setup.WaitForDialog();
  ASSERT_NE(question, nullptr);
  EXPECT_TRUE(Contains(TSetupDriver::VisibleTexts(question), L"Do you want to cancel the setup?"));
  ASSERT_TRUE(TSetupDriver::ClickButton(question, L"&Yes"));
  EXPECT_EQ(setup.WaitForExit(), 102);
  EXPECT_TRUE(setup.EndSignalled());
  EXPECT_FALSE(setup.OkSignalled());
}

TEST(SetupProgram, MissingScriptEndsWithTheStartupMessageAndCode100) {
  TSetupDriver setup;
  setup.Start(L"ger");
  HWND dialog = setup.WaitForDialog();
  ASSERT_NE(dialog, nullptr) << "no start-up message";
  std::wstring message;
  for (const std::wstring& text : TSetupDriver::VisibleTexts(dialog))
    if (text.find(L"Fehler") != std::wstring::npos) message = text;
  // Two lines: the start-up failure, then the reason.
  const size_t first = message.find(L"Fehler beim Initialisieren des Setups:");
  const size_t second = message.find(L"Die Initalisierungsdatei wurde nicht gefunden.");
  ASSERT_NE(first, std::wstring::npos) << testing::PrintToString(message);
  ASSERT_NE(second, std::wstring::npos) << testing::PrintToString(message);
  EXPECT_NE(message.substr(first, second - first).find_first_of(L"\r\n"), std::wstring::npos);
  EXPECT_EQ(setup.WaitForMainWindow(0), nullptr) << "the wizard showed after a failed start";

  ASSERT_TRUE(TSetupDriver::ClickButton(dialog, L"OK"));
  EXPECT_EQ(setup.WaitForExit(), 100);
  EXPECT_TRUE(setup.EndSignalled());
  EXPECT_FALSE(setup.OkSignalled());
}

TEST(SetupProgram, EndsWithoutAMessageWhenNoUpdaterWaits) {
  TSetupDriver setup(false);
  setup.WriteScript(Script());
  setup.Start(L"ger");
  HWND window = setup.WaitForMainWindow();
  ASSERT_NE(window, nullptr) << "no main window";
  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"Abbrechen"));
  HWND question = setup.WaitForDialog();
  ASSERT_NE(question, nullptr);
  ASSERT_TRUE(TSetupDriver::ClickButton(question, L"&Ja"));
  // A message about the missing events would keep the process alive.
  EXPECT_EQ(setup.WaitForExit(), 102);
}
