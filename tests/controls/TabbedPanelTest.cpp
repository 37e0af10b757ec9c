#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "CoolLabel.h"
#include "Screenshot.h"
#include "TabbedPanel.h"
#include "TestWindow.h"

namespace {

// The main window's page area: four pages filling the container, and a label placed
// directly on the container.
struct TPages {
  TTestForm Form{424, 160, L"Pages"};
  TTabbedPanel Container;
  std::array<TPanel, 4> Pages;
  TEllipsisLabel Label;

  TPages() {
    Container.CreateTabbedPanel(Form.Handle(), 0, 0, 424, 160, L"TabbedPanel");
    const wchar_t* names[] = {L"pnlWelcome", L"pnlCheckDir", L"pnlFinished", L"pnlProgress"};
    for (size_t i = 0; i < Pages.size(); ++i) {
      Pages[i].CreatePanel(Container.Handle(), 0, 0, 424, 160, names[i]);
      Pages[i].SetCaption(names[i]);
      SendMessageW(Pages[i].Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Form.Font()), TRUE);
    }
    Label.CreateLabel(Container.Handle(), 8, 140, 200, 13, L"Direkt auf dem Container");
    SendMessageW(Label.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Form.Font()), TRUE);
    // The label lies above the pages, as a control placed on the container does.
    SetWindowPos(Label.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }

  std::array<bool, 4> Visibility() const {
    std::array<bool, 4> visible{};
    for (size_t i = 0; i < Pages.size(); ++i) visible[i] = Pages[i].Visible();
    return visible;
  }
};

}  // namespace

TEST(TabbedPanel, BeforeLoadShowPanelChangesNothing) {
  TPages pages;
  EXPECT_EQ(0, pages.Container.PanelCount());
  pages.Container.ShowPanel(&pages.Pages[1]);
  pages.Container.ShowPanel(nullptr);
  EXPECT_EQ((std::array<bool, 4>{true, true, true, true}), pages.Visibility());
}

TEST(TabbedPanel, LoadCollectsAndHidesOnlyThePanels) {
  TPages pages;
  pages.Container.Load();
  EXPECT_EQ(4, pages.Container.PanelCount());
  EXPECT_EQ((std::array<bool, 4>{false, false, false, false}), pages.Visibility());
  EXPECT_TRUE(pages.Label.Visible());
}

TEST(TabbedPanel, ShowPanelShowsThePagesOfTheGivenName) {
  TPages pages;
  pages.Container.Load();
  pages.Container.ShowPanel(&pages.Pages[3]);

  // Panels that are no page but carry a page's name (in any letter case), or none.
  TPanel sameNameUpper, sameNameMixed, unknown;
  sameNameUpper.SetName(L"PNLCHECKDIR");
  sameNameMixed.SetName(L"PnlFinished");
  unknown.SetName(L"pnlOther");
  struct Case {
    const char* what;
    const TPanel* panel;
    std::array<bool, 4> visible;
  } cases[] = {
      {"a page", &pages.Pages[0], {true, false, false, false}},
      {"another page", &pages.Pages[2], {false, false, true, false}},
      {"no page, name in capitals", &sameNameUpper, {false, true, false, false}},
      {"no page, name in mixed case", &sameNameMixed, {false, false, true, false}},
      {"a name that matches no page", &unknown, {false, false, false, false}},
      {"null", nullptr, {false, false, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    pages.Container.ShowPanel(c.panel);
    EXPECT_EQ(c.visible, pages.Visibility());
    EXPECT_TRUE(pages.Label.Visible());
    EXPECT_EQ(4, pages.Container.PanelCount());
  }
}

TEST(TabbedPanel, ShowPanelKeepsFocusAndChildOrder) {
  TPages pages;
  pages.Container.Load();
  SetFocus(pages.Form.Handle());
  const HWND firstChild = GetWindow(pages.Container.Handle(), GW_CHILD);
  pages.Container.ShowPanel(&pages.Pages[2]);
  EXPECT_EQ(pages.Form.Handle(), GetFocus());
  EXPECT_EQ(firstChild, GetWindow(pages.Container.Handle(), GW_CHILD));
}

TEST(TabbedPanel, ColoursFollowTheContainer) {
  TPages pages;
  pages.Container.SetColor(RGB(10, 20, 30));
  pages.Container.SetFontColor(RGB(200, 0, 0));
  EXPECT_EQ(RGB(10, 20, 30), pages.Pages[1].Color());
  EXPECT_EQ(RGB(200, 0, 0), pages.Label.FontColor());
  pages.Pages[1].SetColor(RGB(1, 2, 3));
  EXPECT_EQ(RGB(1, 2, 3), pages.Pages[1].Color());
  EXPECT_EQ(RGB(10, 20, 30), pages.Pages[0].Color());
}

TEST(TabbedPanel, Screenshot) {
  TPages pages;
  pages.Container.SetColor(RGB(255, 255, 255));
  pages.Container.Load();
  pages.Container.ShowPanel(&pages.Pages[1]);
  PumpMessages(50);
  EXPECT_TRUE(SaveWindowScreenshot(pages.Form.Handle(), L"TabbedPanel.png"));
}

// A page switch holds back painting and repaints once; a container that is hidden stays
// hidden (turning painting back on must not show it), a shown one stays shown.
TEST(TabbedPanel, PageSwitchKeepsTheContainersVisibility) {
  TPages pages;
  pages.Container.Load();
  auto styleVisible = [&pages] { return (GetWindowLongW(pages.Container.Handle(), GWL_STYLE) & WS_VISIBLE) != 0; };
  ShowWindow(pages.Container.Handle(), SW_HIDE);
  pages.Container.ShowPanel(&pages.Pages[1]);
  EXPECT_FALSE(styleVisible());
  EXPECT_EQ((std::array<bool, 4>{false, true, false, false}), pages.Visibility());
  ShowWindow(pages.Container.Handle(), SW_SHOWNA);
  pages.Container.ShowPanel(&pages.Pages[2]);
  EXPECT_TRUE(styleVisible());
  EXPECT_TRUE(IsWindowVisible(pages.Pages[2].Handle()));
  EXPECT_EQ((std::array<bool, 4>{false, false, true, false}), pages.Visibility());
}

TEST(TabbedPanel, APageFillingTheContainerIsRepaintedWithoutIt) {
  TPages pages;
  pages.Container.Load();
  auto paintAll = [&pages] { RedrawWindow(pages.Form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); };
  auto needsPaint = [](const TPanel& panel) { return GetUpdateRect(panel.Handle(), nullptr, FALSE) != FALSE; };
  pages.Container.ShowPanel(&pages.Pages[0]);
  paintAll();
  pages.Container.ShowPanel(&pages.Pages[1]);
  EXPECT_TRUE(needsPaint(pages.Pages[1]));
  EXPECT_FALSE(needsPaint(pages.Container));  // hidden whole behind the page
  // A page that leaves part of the container free: that part is painted by the container.
  SetWindowPos(pages.Pages[2].Handle(), nullptr, 0, 0, 200, 100, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  paintAll();
  pages.Container.ShowPanel(&pages.Pages[2]);
  EXPECT_TRUE(needsPaint(pages.Pages[2]));
  EXPECT_TRUE(needsPaint(pages.Container));
}
