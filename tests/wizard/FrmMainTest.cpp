// The main window as a real window under Xvfb: its controls after creation (at 96 and 144
// dpi), the pages and buttons, the script's texts, colours, picture and footer, the
// start-up failure path, the events at its destruction and the re-reading of its texts.
#include <gtest/gtest.h>

#include <memory>

#include "DialogResponder.h"
#include "EndEvents.h"
#include "Exceptions.h"
#include "FrmMain.h"
#include "Language.h"
#include "PageButtons.h"
#include "ResString.h"
#include "Screenshot.h"
#include "Switcher.h"
#include "TestPictures.h"
#include "TestUtils.h"
#include "UpdaterEventsLock.h"
#include "TestWindow.h"

namespace {

using TFill = std::function<void(TEngineState&)>;

void SampleTexts(TEngineState& state) {
  state.FProduct = L"Vendor App 2.3";
  state.FFormCaption = L"Vendor App Update";
  state.FSubCaption = L"Update auf Version 2.3.0";
  state.FWelcomeText = L"Dieses Programm aktualisiert Vendor App.\r\nBitte schlie\u00DFen Sie alle Programme.";
  state.FBottomCaption = L"www.example.com";
}

// A rectangle in the client coordinates of the window that holds the control.
RECT InForm(HWND form, HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(HWND_DESKTOP, form, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT InParent(HWND control) { return InForm(GetParent(control), control); }

std::wstring Show(const RECT& r) {
  return L"{" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," +
         std::to_wstring(r.bottom) + L"}";
}

bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }

bool IsDefaultButton(const TPushButton& button) {
  return (GetWindowLongW(button.Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

class MainWindow : public testing::Test {
protected:
  TUpdaterEventsLock FEventsLock;  // destroyed windows signal the updater's events
  void TearDown() override {
    FForm.reset();
    SetResourceSource(nullptr);
    // The destroyed main window asked the thread's message loop to end.
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  TFormMain& Open(TFill fill = SampleTexts, int dpi = 96) {
    FForm = std::make_unique<TFormMain>(std::move(fill), dpi);
    FForm->CreateForm();
    if (!FForm->Terminated()) FForm->ShowForm();
    PumpMessages();
    return *FForm;
  }

  std::unique_ptr<TFormMain> FForm;
  TScriptedDialogs FDialogs;
};

}  // namespace

TEST_F(MainWindow, CreatedWindowShowsTheWelcomePageInItsLayout) {
  struct {
    int Dpi;
    RECT Client, Header, Pages, Bottom, Buttons, BtnLeft, BtnRight;
    int HeadFontHeight;
  } cases[] = {
      {96, {0, 0, 424, 286}, {0, 0, 424, 76}, {0, 76, 424, 236}, {0, 236, 424, 247}, {0, 247, 424, 286},
       {244, 253, 324, 278}, {336, 253, 416, 278}, -19},
      {144, {0, 0, 636, 429}, {0, 0, 636, 114}, {0, 114, 636, 353}, {0, 353, 636, 370}, {0, 370, 636, 429},
       {366, 379, 486, 417}, {504, 379, 624, 417}, -29},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Dpi);
    TFormMain& form = Open(SampleTexts, c.Dpi);
    ASSERT_FALSE(form.Terminated()) << FDialogs.AllTexts().c_str();
    HWND window = form.Handle();

    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(Show(client), Show(c.Client));
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));

    EXPECT_EQ(Show(InForm(window, form.pnlHeader.Handle())), Show(c.Header));
    EXPECT_EQ(Show(InForm(window, form.TabbedPanel.Handle())), Show(c.Pages));
    EXPECT_EQ(Show(InForm(window, form.memDebug.Handle())), Show(c.Pages));
    EXPECT_EQ(Show(InForm(window, form.pnlBottom.Handle())), Show(c.Bottom));
    EXPECT_EQ(Show(InForm(window, form.pnlButtons.Handle())), Show(c.Buttons));
    EXPECT_EQ(Show(InForm(window, form.btnLeft.Handle())), Show(c.BtnLeft));
    EXPECT_EQ(Show(InForm(window, form.btnRight.Handle())), Show(c.BtnRight));
    // Both footer labels lie at the same place, straddling the two footer panels.
    const RECT upper = InForm(window, form.lblBottom.Handle()), lower = InForm(window, form.lblBottomBottom.Handle());
    EXPECT_EQ(Show(upper), Show(lower));
    EXPECT_EQ(upper.top, c.Bottom.top + form.Scale()(-2));
    EXPECT_LT(upper.top, c.Bottom.top);

    // Without a picture the captions take the whole header.
    EXPECT_FALSE(IsShown(form.pnlImage.Handle()));
    EXPECT_EQ(Show(InForm(window, form.pnlHeaderRight.Handle())), Show(c.Header));

    EXPECT_TRUE(IsShown(form.pnlWelcome.Handle()));
    for (const TPanel* page : {&form.pnlCheckDir, &form.pnlFinished, &form.pnlProgress})
      EXPECT_FALSE(IsShown(page->Handle())) << testing::PrintToString(page->Name());
    EXPECT_FALSE(IsShown(form.memDebug.Handle()));
    EXPECT_EQ(form.TabbedPanel.PanelCount(), 4);
    EXPECT_EQ(form.State()->FPage, 1);
    EXPECT_EQ(form.ExitCode(), 0);

    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(form.pnlCaptionHead.Handle(), WM_GETFONT, 0, 0)), sizeof font,
               &font);
    EXPECT_EQ(font.lfHeight, c.HeadFontHeight);

    // Tab order of the window's direct children.
    std::vector<HWND> order;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) order.push_back(child);
    const std::vector<HWND> expected{form.memDebug.Handle(), form.TabbedPanel.Handle(), form.pnlBottom.Handle(),
                                     form.pnlButtons.Handle(), form.pnlHeader.Handle()};
    EXPECT_EQ(order, expected);
    if (c.Dpi == 144) {
      EXPECT_TRUE(SaveWindowScreenshot(window, L"welcome_144dpi.png"));
    }
  }
}

TEST_F(MainWindow, ShowsTheScriptsTextsAndTheDefinitionsTexts) {
  TFormMain& form = Open();
  EXPECT_EQ(form.pnlCaptionHead.Caption(), L"Vendor App 2.3");
  EXPECT_EQ(form.pnlCaptionBody.Caption(), L"Update auf Version 2.3.0");
  EXPECT_EQ(form.lblWelcome.Caption(), L"Dieses Programm aktualisiert Vendor App.\r\nBitte schlie\u00DFen Sie alle Programme.");
  EXPECT_EQ(form.ApplicationTitle(), L"Setup - Vendor App 2.3");
  EXPECT_EQ(form.lblBottom.Caption(), L"www.example.com");
  EXPECT_EQ(form.lblBottomBottom.Caption(), L"www.example.com");
  EXPECT_EQ(form.Label1.Caption(), L"Kopieren der Dateien...");
  EXPECT_EQ(form.Label3.Caption(),
            L"Bitte korrigieren Sie dieses Verzeichnis, damit das Setup fortgesetzt werden kann.");
  wchar_t caption[64] = {};
  GetWindowTextW(form.Handle(), caption, 64);
  EXPECT_STREQ(caption, L"Vendor App Update");
}

TEST_F(MainWindow, SetPageSetsTheButtonsOfEachPage) {
  TFormMain& form = Open();
  struct {
    int Page;
    bool LeftShown;
    const wchar_t* Left;
    int LeftTag;
    const wchar_t* Right;
    int RightTag;
    bool LeftDefault;
  } steps[] = {
      {1, true, L"&Installieren", TagInstall, L"Abbrechen", TagCancel, true},
      {2, true, L"&Weiter", TagNext, L"Abbrechen", TagCancel, true},
      {3, false, L"&Weiter", TagNext, L"Abbrechen", TagCancel, false},  // hidden, keeps page 2's
      {4, false, L"&Weiter", TagNext, L"&Fertig", TagFinish, false},
      {1, true, L"&Installieren", TagInstall, L"Abbrechen", TagCancel, true},
      {4, false, L"&Installieren", TagInstall, L"&Fertig", TagFinish, false},
  };
  form.btnLeft.SetEnabled(false);
  for (const auto& s : steps) {
    SCOPED_TRACE(s.Page);
    form.SetPage(s.Page);
    EXPECT_EQ(form.State()->FPage, s.Page);
    EXPECT_EQ(form.btnLeft.Visible(), s.LeftShown);
    EXPECT_EQ(form.btnLeft.Caption(), s.Left);
    EXPECT_EQ(form.btnLeft.Tag(), s.LeftTag);
    EXPECT_TRUE(form.btnRight.Visible());
    EXPECT_EQ(form.btnRight.Caption(), s.Right);
    EXPECT_EQ(form.btnRight.Tag(), s.RightTag);
    EXPECT_EQ(IsDefaultButton(form.btnLeft), s.LeftDefault);
    EXPECT_EQ(IsDefaultButton(form.btnRight), !s.LeftDefault);
    if (s.Page == 2) {
      EXPECT_TRUE(form.btnLeft.Enabled()) << "the correction page enables Next";
    }
  }
  try {
    form.SetPage(5);
    ADD_FAILURE() << "no error";
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), L"UnkownPage");
  }
  EXPECT_EQ(form.State()->FPage, 5);
}

TEST_F(MainWindow, RunDisplayShowsProgressAndFinishedPages) {
  TFormMain& form = Open();
  form.ShowProgressPage();
  EXPECT_EQ(form.State()->FPage, 3);
  EXPECT_TRUE(IsShown(form.pnlProgress.Handle()));
  EXPECT_FALSE(IsShown(form.pnlWelcome.Handle()));
  form.ShowCopyFile(L"app.dll nach", L"C:\\Programme\\Vendor\\App");
  EXPECT_EQ(form.lblCopyFile.Caption(), L"app.dll nach");
  EXPECT_EQ(form.lblCopyDir.Caption(), L"C:\\Programme\\Vendor\\App");
  form.SetProgressPosition(30);
  form.SetProgressMax(10);
  EXPECT_EQ(form.ProgressBar.MaxValue(), 10);
  EXPECT_EQ(form.ProgressBar.Position(), 0);
  form.ShowFinishedText(L"Fertig.");
  EXPECT_EQ(form.State()->FPage, 4);
  EXPECT_TRUE(IsShown(form.pnlFinished.Handle()));
  EXPECT_FALSE(IsShown(form.pnlProgress.Handle()));
  EXPECT_EQ(form.lblFinished.Caption(), L"Fertig.");
  form.ShowCheckDirPage(L"C:\\App", L"Das Programmverzeichnis ist ung\u00FCltig.");
  EXPECT_EQ(form.State()->FPage, 2);
  EXPECT_TRUE(IsShown(form.pnlCheckDir.Handle()));
  EXPECT_EQ(form.edDir.Text(), L"C:\\App");
  EXPECT_EQ(form.lblCheckDir.Caption(), L"Das Programmverzeichnis ist ung\u00FCltig.");
}

TEST_F(MainWindow, ScriptColoursColourTheirControlsAndUnsetOnesKeepTheDefinitions) {
  const COLORREF window = GetSysColor(COLOR_WINDOW), face = GetSysColor(COLOR_BTNFACE);
  const COLORREF red = RGB(255, 0, 0), blue = RGB(0, 0, 255), green = RGB(0, 128, 0), white = RGB(255, 255, 255);
  struct {
    const char* Name;
    TFill Fill;
    COLORREF HeaderRight, CaptionFont, Pages, PageFont, Bottom, BottomBottom, Buttons, ButtonsFont;
  } cases[] = {
      {"no colours", SampleTexts, window, RGB(0, 0, 0), face, GetSysColor(COLOR_WINDOWTEXT), face, face, face,
       GetSysColor(COLOR_WINDOWTEXT)},
      {"all colours",
       [&](TEngineState& s) {
         SampleTexts(s);
         s.FColorHeader = red;
         s.FColorHeaderFont = white;
         s.FColorBody = blue;
         s.FColorBodyFont = green;
         s.FColorFooter = green;
         s.FColorFooterFont = red;
       },
       red, white, blue, green, blue, green, green, red},
      {"system window colour",
       [](TEngineState& s) { s.FColorBody = 0xFF000005; },
       window, RGB(0, 0, 0), window, GetSysColor(COLOR_WINDOWTEXT), window, window, face,
       GetSysColor(COLOR_WINDOWTEXT)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TFormMain& form = Open(c.Fill);
    EXPECT_EQ(form.pnlHeader.Color(), window);  // no script key changes it
    EXPECT_EQ(form.pnlHeaderRight.Color(), c.HeaderRight);
    EXPECT_EQ(form.pnlCaptionHead.Color(), c.HeaderRight);
    EXPECT_EQ(form.pnlCaptionBody.Color(), c.HeaderRight);
    EXPECT_EQ(form.pnlCaptionHead.FontColor(), c.CaptionFont);
    EXPECT_EQ(form.pnlCaptionBody.FontColor(), c.CaptionFont);
    for (const TPanel* page : {&form.pnlWelcome, &form.pnlCheckDir, &form.pnlFinished, &form.pnlProgress}) {
      EXPECT_EQ(page->Color(), c.Pages) << testing::PrintToString(page->Name());
      EXPECT_EQ(page->FontColor(), c.PageFont) << testing::PrintToString(page->Name());
    }
    EXPECT_EQ(form.lblWelcome.FontColor(), c.PageFont);
    EXPECT_EQ(form.pnlBottom.Color(), c.Bottom);
    EXPECT_EQ(form.pnlBottomBottom.Color(), c.BottomBottom);
    EXPECT_EQ(form.pnlButtons.Color(), c.Buttons);
    EXPECT_EQ(form.pnlButtons.FontColor(), c.ButtonsFont);
  }
}

TEST_F(MainWindow, HeaderPictureOrAHiddenImagePanel) {
  TTempDir dir;
  WriteFileBytes(dir.File(L"header.bmp"), MakeBmpFile(90, 76, RGB(40, 90, 160), RGB(190, 215, 245)));
  WriteFileBytes(dir.File(L"header.gif"), MakeBmpFile(90, 76, RGB(40, 90, 160), RGB(190, 215, 245)));
  WriteFileBytes(dir.File(L"damaged.bmp"), "BM this is no picture");
  WriteFileBytes(dir.File(L"damaged.png"), std::string("\x89PNG\r\n\x1a\n", 8) + "truncated");
  struct {
    const char* Name;
    std::wstring Icon;
    int Dpi;
    int ImageWidth;  // 0: the image panel is hidden
  } cases[] = {
      {"no picture", L"", 96, 0},
      {"missing file", dir.File(L"missing.bmp"), 96, 0},
      {"damaged bitmap", dir.File(L"damaged.bmp"), 96, 0},
      {"damaged png", dir.File(L"damaged.png"), 96, 0},
      {"unrecognised extension", dir.File(L"header.gif"), 96, 0},
      {"a directory", dir.Path() + L"\\sub.bmp", 96, 0},
      {"bitmap", dir.File(L"header.bmp"), 96, 90},
      {"bitmap at 144 dpi", dir.File(L"header.bmp"), 144, 135},
  };
  CreateDirectoryW((dir.Path() + L"\\sub.bmp").c_str(), nullptr);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    TFormMain& form = Open(
        [&c](TEngineState& s) {
          SampleTexts(s);
          s.FIcon = c.Icon;
        },
        c.Dpi);
    ASSERT_FALSE(form.Terminated()) << "a picture must never fail the start";
    EXPECT_EQ(IsShown(form.pnlImage.Handle()), c.ImageWidth > 0);
    const RECT right = InParent(form.pnlHeaderRight.Handle());
    EXPECT_EQ(right.left, c.ImageWidth);
    if (c.ImageWidth > 0) {
      EXPECT_EQ(Show(InParent(form.Image.Handle())), Show(RECT{0, 0, c.ImageWidth, form.Scale()(76)}));
      if (c.Dpi == 96) {
        EXPECT_TRUE(SaveWindowScreenshot(form.Handle(), L"welcome_picture.png"));
      }
    }
  }
}

TEST_F(MainWindow, FooterLinkAndBevelFollowTheCaption) {
  struct {
    const wchar_t* Caption;
    bool Link;
  } cases[] = {
      {L"www.example.com", true},  {L"WWW.EXAMPLE.COM", true}, {L"http://example.com/update", true},
      {L"https://example.com", false}, {L"Vendor GmbH", false}, {L"", false},
  };
  TFormMain& form = Open();
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.Caption)));
    form.SetBottomCaption(c.Caption);
    EXPECT_EQ(form.lblBottom.Caption(), c.Caption);
    EXPECT_EQ(form.lblBottomBottom.Caption(), c.Caption);
    const RECT label = InParent(form.lblBottomBottom.Handle());
    EXPECT_EQ(form.pbUrl.Enabled(), c.Link);
    if (c.Link) {
      EXPECT_EQ(Show(InParent(form.pbUrl.Handle())), Show(label));
    }
    RECT panel;
    GetClientRect(form.pnlBottomBottom.Handle(), &panel);
    const RECT bevel = InParent(form.bvlBottom.Handle());
    EXPECT_EQ(bevel.left, 2 * label.left + (label.right - label.left));
    EXPECT_EQ(bevel.right, panel.right - label.left);
    if (*c.Caption) {
      EXPECT_GT(label.right - label.left, 0);
    }
  }
}

TEST_F(MainWindow, StartupFailureShowsTheMessageAndEndsWith100) {
  struct {
    const char* Name;
    std::wstring Error;
    std::vector<std::wstring> Lines;
  } cases[] = {
      {"missing script", L"Die Initalisierungsdatei wurde nicht gefunden.",
       {L"Fehler beim Initialisieren des Setups:", L"Die Initalisierungsdatei wurde nicht gefunden."}},
      {"bars in the message", L"eins|zwei", {L"Fehler beim Initialisieren des Setups:", L"eins", L"zwei"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    FDialogs.Clear();
    TFormMain& form = Open([&c](TEngineState& s) {
      s.FProduct = L"half read";
      throw Exception(c.Error);
    });
    ASSERT_EQ(FDialogs.Count(), 1u);
    EXPECT_EQ(FDialogs[0].DlgType, mtError);
    std::wstring expected;
    for (const std::wstring& line : c.Lines) expected += (expected.empty() ? L"" : L"\r") + line;
    EXPECT_EQ(FDialogs[0].Text, expected);
    EXPECT_EQ(form.ExitCode(), 100);
    EXPECT_TRUE(form.Terminated());
    EXPECT_FALSE(IsShown(form.Handle()));
  }
}

TEST_F(MainWindow, DestructionSignalsTheEventsByExitCode) {
  struct {
    int ExitCode;
    bool Ok;
  } cases[] = {{0, true}, {100, false}, {101, false}, {102, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ExitCode);
    TKernelHandle end(CreateEventW(nullptr, TRUE, FALSE, EndEventName));
    TKernelHandle ok(CreateEventW(nullptr, TRUE, FALSE, EndOkEventName));
    TFormMain& form = Open();
    form.SetExitCode(c.ExitCode);
    EXPECT_EQ(WaitForSingleObject(end.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    DestroyWindow(form.Handle());
    EXPECT_EQ(form.State(), nullptr) << "the engine state outlived the window";
    EXPECT_EQ(WaitForSingleObject(end.Get(), 0), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(WaitForSingleObject(ok.Get(), 0) == WAIT_OBJECT_0, c.Ok);
  }
  // Without events nothing is reported.
  TFormMain& form = Open();
  DestroyWindow(form.Handle());
  EXPECT_EQ(FDialogs.Count(), 0u);
}

TEST_F(MainWindow, ChangingTheLanguageRereadsTheWindowsTexts) {
  TFormMain& form = Open();
  RECT before;
  GetWindowRect(form.Handle(), &before);
  ChangeLanguage(LANG_ID_ENGLISH, LANG_ID_GERMAN, TEST_BIN_DIR L"\\setup.exe");
  EXPECT_EQ(form.Label1.Caption(), L"Copying files...");
  EXPECT_EQ(form.Label3.Caption(), L"Please correct this directory so that the setup can continue.");
  EXPECT_EQ(form.btnLeft.Caption(), L"&Install");
  EXPECT_EQ(form.btnRight.Caption(), L"Cancel");
  EXPECT_EQ(form.pnlCaptionHead.Caption(), L"Vendor App 2.3") << "the script's texts stay";
  RECT after;
  GetWindowRect(form.Handle(), &after);
  EXPECT_EQ(Show(after), Show(before));

  SetResourceSource(nullptr);
  RereadAllForms();
  EXPECT_EQ(form.Label1.Caption(), L"Kopieren der Dateien...");
  EXPECT_EQ(form.btnLeft.Caption(), L"&Installieren");
}

TEST_F(MainWindow, KeysReachThePreviewFirstAndEnterPressesTheDefaultButton) {
  TFormMain& form = Open();
  std::vector<WORD> previewed;
  form.OnFormKeyDown = [&](WORD& key, bool, bool, bool) {
    previewed.push_back(key);
    if (key == 'W') key = 0;
  };
  int leftClicks = 0, rightClicks = 0;
  form.btnLeft.OnClick = [&](TWindowBase&) { ++leftClicks; };
  form.btnRight.OnClick = [&](TWindowBase&) { ++rightClicks; };

  MSG swallowed{form.btnRight.Handle(), WM_KEYDOWN, 'W', 0, 0, {}};
  EXPECT_TRUE(form.PreprocessMessage(swallowed));
  MSG enterOnRight{form.btnRight.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(form.PreprocessMessage(enterOnRight));
  MSG enterOnPage{form.lblWelcome.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(form.PreprocessMessage(enterOnPage));
  EXPECT_EQ(previewed, (std::vector<WORD>{'W', VK_RETURN, VK_RETURN}));
  EXPECT_EQ(rightClicks, 1) << "Enter on a focused button presses it";
  EXPECT_EQ(leftClicks, 1) << "Enter elsewhere presses the default button";

  form.ShowProgressPage();  // the default is now the right button
  MSG enterOnProgress{form.pnlProgress.Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  form.PreprocessMessage(enterOnProgress);
  EXPECT_EQ(rightClicks, 2);
  EXPECT_EQ(leftClicks, 1);
}
