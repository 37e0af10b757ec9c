// The main window's pure rules: the layout table at 96 and 144 dpi, the footer's bevel and
// link rule, the buttons of each page, and the window-text definitions.
#include <gtest/gtest.h>

#include <cstring>

#include "Exceptions.h"
#include "FooterGeometry.h"
#include "FormLayout.h"
#include "MessageIds.h"
#include "PageButtons.h"
#include "WindowTexts.h"

namespace {

struct TRectCase {
  const wchar_t* Name;
  RECT At96;   // relative to the parent's client area
  RECT At144;
};

// Rectangles that follow from the table; at 144 dpi every design size is 1.5 times as
// large, rounded half up, and the filling controls take what is left (no gaps).
const TRectCase MainRects[] = {
    {L"pnlHeader", {0, 0, 424, 76}, {0, 0, 636, 114}},
    {L"pnlImage", {0, 0, 104, 76}, {0, 0, 156, 114}},
    {L"pnlHeaderRight", {104, 0, 424, 76}, {156, 0, 636, 114}},
    {L"pnlCaptionHead", {8, 8, 312, 42}, {12, 12, 468, 63}},
    {L"pnlCaptionBody", {8, 42, 312, 68}, {12, 63, 468, 102}},
    {L"TabbedPanel", {0, 76, 424, 236}, {0, 114, 636, 353}},
    {L"memDebug", {0, 76, 424, 236}, {0, 114, 636, 353}},
    {L"pnlBottom", {0, 236, 424, 247}, {0, 353, 636, 370}},
    {L"pnlBottomBottom", {0, 4, 424, 11}, {0, 6, 636, 17}},
    {L"pnlButtons", {0, 247, 424, 286}, {0, 370, 636, 429}},
    {L"btnLeft", {244, 6, 324, 31}, {366, 9, 486, 47}},
    {L"btnRight", {336, 6, 416, 31}, {504, 9, 624, 47}},
    {L"pnlWelcome", {0, 0, 424, 160}, {0, 0, 636, 239}},
    {L"lblWelcome", {8, 8, 416, 152}, {12, 12, 624, 227}},
    {L"lblCheckDir", {9, 8, 401, 45}, {14, 12, 602, 68}},
    {L"edDir", {8, 48, 376, 69}, {12, 72, 564, 104}},
    {L"ProgressBar", {8, 92, 414, 108}, {12, 138, 621, 162}},
};

std::wstring Show(const RECT& r) {
  return L"{" + std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," +
         std::to_wstring(r.bottom) + L"}";
}

}  // namespace

TEST(FormLayout, ArrangesTheTableAt96And144Dpi) {
  for (int dpi : {96, 144}) {
    const TLayoutScale scale(dpi);
    const TLayoutRects rects =
        ArrangeLayout(MainFormLayout(), scale(FormClientWidth), scale(FormClientHeight), scale, nullptr);
    for (const TRectCase& c : MainRects) {
      SCOPED_TRACE(testing::Message() << "dpi " << dpi << ", " << testing::PrintToString(std::wstring(c.Name)));
      ASSERT_EQ(rects.count(c.Name), 1u);
      EXPECT_EQ(Show(rects.at(c.Name)), Show(dpi == 96 ? c.At96 : c.At144));
    }
  }
}

TEST(FormLayout, HiddenImagePanelLeavesTheHeaderToTheCaptions) {
  const TLayoutScale scale(96);
  const TLayoutRects rects = ArrangeLayout(MainFormLayout(), 424, 286, scale,
                                           [](const std::wstring& name) { return name != L"pnlImage"; });
  EXPECT_EQ(rects.count(L"pnlImage"), 0u);
  EXPECT_EQ(rects.count(L"Image"), 0u);
  EXPECT_EQ(Show(rects.at(L"pnlHeaderRight")), Show(RECT{0, 0, 424, 76}));
  EXPECT_EQ(Show(rects.at(L"pnlCaptionHead")), Show(RECT{8, 8, 416, 42}));
}

TEST(FooterGeometry, BevelRunsFromAfterTheCaptionToOneMarginBeforeTheEdge) {
  struct {
    int LabelLeft, LabelWidth, PanelWidth, Left, Width;
  } cases[] = {
      {8, 90, 424, 106, 310},   // 2 × 8 + 90; 424 − 106 − 8
      {8, 0, 424, 16, 400},     // empty caption
      {12, 135, 636, 159, 465}, // 144 dpi
      {8, 500, 424, 516, -100}, // a caption wider than the panel: the line has no room
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.LabelLeft << "/" << c.LabelWidth << "/" << c.PanelWidth);
    const THorizontalPlace place = FooterBevelPlace(c.LabelLeft, c.LabelWidth, c.PanelWidth);
    EXPECT_EQ(place.Left, c.Left);
    EXPECT_EQ(place.Width, c.Width);
  }
}

TEST(FooterGeometry, WebAddressesBeginWithWwwOrHttpInAnyCase) {
  struct {
    const wchar_t* Text;
    bool Link;
  } cases[] = {
      {L"www.example.com", true}, {L"WWW.EXAMPLE.COM", true}, {L"Www.x", true},
      {L"http://example.com", true}, {L"HTTP://example.com", true}, {L"http:", true},
      {L"https://example.com", false}, {L"www", false}, {L" www.example.com", false},
      {L"Vendor GmbH", false}, {L"", false}, {L"\u0130ww.example.com", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.Text)));
    EXPECT_EQ(IsFooterLink(c.Text), c.Link);
  }
}

TEST(PageButtons, EachPageHasItsButtons) {
  struct {
    int Page;
    bool LeftShown;
    unsigned LeftCaption;
    int LeftTag;
    bool LeftEnabled;
    unsigned RightCaption;
    int RightTag;
    bool LeftIsDefault;
  } cases[] = {
      {1, true, SBtnInstall, TagInstall, false, SBtnCancel, TagCancel, true},
      {2, true, SBtnNext, TagNext, true, SBtnCancel, TagCancel, true},
      {3, false, 0, 0, false, SBtnCancel, TagCancel, false},
      {4, false, 0, 0, false, SBtnFinish, TagFinish, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Page);
    const TPageButtons buttons = PageButtons(c.Page);
    ASSERT_EQ(buttons.Left.has_value(), c.LeftShown);
    if (c.LeftShown) {
      EXPECT_EQ(buttons.Left->CaptionId, c.LeftCaption);
      EXPECT_EQ(buttons.Left->Tag, c.LeftTag);
      EXPECT_EQ(buttons.Left->Enable, c.LeftEnabled);
    }
    EXPECT_EQ(buttons.Right.CaptionId, c.RightCaption);
    EXPECT_EQ(buttons.Right.Tag, c.RightTag);
    EXPECT_EQ(buttons.LeftIsDefault, c.LeftIsDefault);
  }
  for (int page : {0, 5, -1}) {
    SCOPED_TRACE(page);
    try {
      PageButtons(page);
      ADD_FAILURE() << "no error";
    } catch (const Exception& error) {
      EXPECT_EQ(error.Message(), L"UnkownPage");
    }
  }
}

TEST(WindowTexts, ParsesNameTextPairs) {
  const char data[] = "Label1\0Kopieren der Dateien...\0Label3\0M\xC3\xB6" "chen\0Lonely\0";
  const TWindowTexts texts = ParseWindowTexts(data, sizeof data - 1);
  ASSERT_EQ(texts.size(), 2u);  // the name without a text is dropped
  EXPECT_EQ(texts[0].first, L"Label1");
  EXPECT_EQ(texts[0].second, L"Kopieren der Dateien...");
  EXPECT_EQ(texts[1].second, L"M\u00F6chen");
  EXPECT_TRUE(ParseWindowTexts(data, 0).empty());
}

TEST(WindowTexts, TheProgramsDefinitionHoldsTheFixedTexts) {
  const TWindowTexts texts = LoadWindowTexts(L"TFORMMAIN");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], (std::pair<std::wstring, std::wstring>{L"Label1", L"Kopieren der Dateien..."}));
  EXPECT_EQ(texts[1].first, L"Label3");
  EXPECT_THROW(LoadWindowTexts(L"TNOSUCHFORM"), Exception);
}
