#include <gtest/gtest.h>

#include "ControlUtils.h"
#include "CoolLabel.h"
#include "Panel.h"
#include "Screenshot.h"
#include "TestWindow.h"

namespace {

const std::wstring LongPath =
    L"C:\\Programme\\Beispielfirma\\Produkt mit langem Namen\\Unterverzeichnis\\Noch eine Ebene\\Daten\\Vorlagen"
    L"\\Letzte Ebene";

struct TLabelForm {
  TTestForm Form{424, 120, L"Label"};
  TPanel Page;
  TEllipsisLabel Label;

  explicit TLabelForm(int width = 362) {
    Page.CreatePanel(Form.Handle(), 0, 0, 424, 120, L"pnlProgress");
    Page.SetColor(RGB(255, 255, 255));
    Label.CreateLabel(Page.Handle(), 8, 68, width, 13);
    Label.SetTransparent(true);
    SendMessageW(Label.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Form.Font()), TRUE);
  }
  void Paint() {
    InvalidateRect(Label.Handle(), nullptr, TRUE);
    UpdateWindow(Label.Handle());
  }
  int TextWidth(const std::wstring& text) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Form.Font());
    RECT rect{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, old);
    DeleteDC(dc);
    return rect.right;
  }
};

}  // namespace

TEST(EllipsisLabel, ConstructionDefaults) {
  TLabelForm form;
  EXPECT_EQ(elPath, form.Label.Ellipsis());
  EXPECT_TRUE(form.Label.ShowFullTextOnHint());
  EXPECT_FALSE(form.Label.AutoSize());
}

TEST(EllipsisLabel, PathIsShortenedInTheMiddleWithTheWholePathAsHint) {
  TLabelForm form;
  form.Label.SetCaption(LongPath);
  form.Paint();

  const std::wstring drawn = form.Label.DrawnText();
  SCOPED_TRACE(testing::Message() << "drawn: " << std::string(drawn.begin(), drawn.end()));
  EXPECT_EQ(0u, drawn.find(L"C:\\"));
  const std::wstring last = L"\\Letzte Ebene";
  ASSERT_GT(drawn.size(), last.size());
  EXPECT_EQ(last, drawn.substr(drawn.size() - last.size()));
  const size_t dots = drawn.find(L"...");
  ASSERT_NE(std::wstring::npos, dots);
  EXPECT_LT(dots, drawn.size() - last.size());
  EXPECT_LE(form.TextWidth(drawn), 362);

  EXPECT_TRUE(form.Label.ShowHint());
  EXPECT_EQ(LongPath, form.Label.Hint());
  EXPECT_EQ(LongPath, form.Label.Caption());
  wchar_t windowText[512] = {};
  GetWindowTextW(form.Label.Handle(), windowText, 512);
  EXPECT_EQ(LongPath, windowText);
}

TEST(EllipsisLabel, HintFollowsWhetherTheTextIsShortened) {
  TLabelForm form;
  struct Case {
    TEllipsis ellipsis;
    std::wstring text;
    bool shortened;
    std::wstring drawnEnd;
  } cases[] = {
      {elPath, LongPath, true, L"\\Letzte Ebene"},
      {elEnd, LongPath, true, L"..."},
      {elPath, L"C:\\Programme\\Kurz", false, L"\\Kurz"},
      {elEnd, LongPath, true, L"..."},
      {elNone, L"C:\\Kurz", false, L"Kurz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << static_cast<int>(c.ellipsis) << " "
                                    << std::string(c.text.begin(), c.text.end()));
    form.Label.SetEllipsis(c.ellipsis);
    form.Label.SetCaption(c.text);
    form.Paint();
    EXPECT_EQ(c.shortened, form.Label.ShowHint());
    EXPECT_EQ(c.shortened ? c.text : std::wstring(), form.Label.Hint());
    const std::wstring drawn = form.Label.DrawnText();
    ASSERT_GE(drawn.size(), c.drawnEnd.size());
    EXPECT_EQ(c.drawnEnd, drawn.substr(drawn.size() - c.drawnEnd.size()));
    EXPECT_EQ(c.text, form.Label.Caption());
  }
}

TEST(EllipsisLabel, WithoutShowFullTextOnHintTheHintIsLeftAlone) {
  TLabelForm form;
  form.Label.SetShowFullTextOnHint(false);
  form.Label.SetHint(L"eigener Hinweis");
  form.Label.SetShowHint(false);
  form.Label.SetCaption(LongPath);
  form.Paint();
  EXPECT_EQ(L"eigener Hinweis", form.Label.Hint());
  EXPECT_FALSE(form.Label.ShowHint());
}

TEST(EllipsisLabel, AccelCharRuleAndEmptyCaptionMeasuring) {
  TLabelForm form;
  form.Label.SetEllipsis(elNone);
  struct Case {
    std::wstring text;
    bool showAccelChar;
    std::wstring measuredAs;  // the text whose plain width the label must measure
  } cases[] = {
      {L"A&B", true, L"AB"},
      {L"A&B", false, L"A&B"},
      {L"A&&B", true, L"A&B"},
      {L"", true, L" "},
      {L"&", true, L" "},
      {L"&", false, L"&"},
  };
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, form.Form.Font());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.text.begin(), c.text.end()) << " accel " << c.showAccelChar);
    form.Label.SetShowAccelChar(c.showAccelChar);
    form.Label.SetCaption(c.text);
    RECT rect{0, 0, 300, 0};
    form.Label.DoDrawText(dc, rect, DT_EXPANDTABS | DT_CALCRECT);
    EXPECT_EQ(form.TextWidth(c.measuredAs), rect.right - rect.left);
    EXPECT_EQ(metrics.tmHeight, rect.bottom - rect.top);  // one line, also when empty
  }
  SelectObject(dc, old);
  DeleteDC(dc);
}

TEST(EllipsisLabel, EmptyCaptionWithAutoSizeIsOneLineHigh) {
  TLabelForm form;
  form.Label.SetEllipsis(elNone);
  form.Label.SetCaption(L"");
  form.Label.SetAutoSize(true);
  RECT rect;
  GetClientRect(form.Label.Handle(), &rect);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, form.Form.Font());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  DeleteDC(dc);
  EXPECT_EQ(metrics.tmHeight, rect.bottom);
  EXPECT_GT(rect.right, 0);
}

TEST(EllipsisLabel, AutoSizedLabelThatShrinksLeavesTheFreedPartToBeRepainted) {
  TLabelForm form;
  form.Label.SetEllipsis(elNone);
  form.Label.SetAutoSize(true);
  form.Label.SetCaption(L"Datei mit einem langen Namen.dll nach");
  RedrawWindow(form.Form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  const RECT before = ChildRect(form.Label.Handle());

  form.Label.SetCaption(L"a.dll nach");
  const RECT after = ChildRect(form.Label.Handle());
  ASSERT_LT(after.right, before.right);
  // The old text's tail is erased with the page's next paint, not left on the screen.
  HRGN update = CreateRectRgn(0, 0, 0, 0);
  GetUpdateRgn(form.Page.Handle(), update, FALSE);
  const RECT freed{after.right, before.top, before.right, before.bottom};
  EXPECT_TRUE(RectInRegion(update, &freed));
  DeleteObject(update);
}

TEST(EllipsisLabel, DisabledTextIsDrawnEngraved) {
  TLabelForm form;
  form.Label.SetTransparent(false);
  form.Label.SetColor(RGB(0, 0, 128));
  form.Label.SetCaption(L"Ausgegraut");
  RECT rect;
  GetClientRect(form.Label.Handle(), &rect);
  auto countColours = [&](COLORREF a, COLORREF b) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, rect.right, rect.bottom);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SendMessageW(form.Label.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    std::pair<int, int> counts{0, 0};
    for (int y = 0; y < rect.bottom; ++y)
      for (int x = 0; x < rect.right; ++x) {
        const COLORREF pixel = GetPixel(dc, x, y);
        if (pixel == a) ++counts.first;
        if (pixel == b) ++counts.second;
      }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return counts;
  };
  const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
  form.Label.SetEnabled(true);
  const auto enabled = countColours(highlight, shadow);
  EXPECT_EQ(0, enabled.first + enabled.second);
  form.Label.SetEnabled(false);
  const auto disabled = countColours(highlight, shadow);
  EXPECT_GT(disabled.first, 0);
  EXPECT_GT(disabled.second, 0);
}

TEST(EllipsisLabel, Screenshot) {
  TLabelForm form;
  form.Label.SetCaption(LongPath);
  TEllipsisLabel endLabel, plainLabel, greyLabel;
  endLabel.CreateLabel(form.Page.Handle(), 8, 88, 362, 13, LongPath);
  endLabel.SetEllipsis(elEnd);
  endLabel.SetTransparent(true);
  plainLabel.CreateLabel(form.Page.Handle(), 8, 8, 400, 40,
                         L"Bitte korrigieren Sie dieses Verzeichnis, damit das Setup fortgesetzt werden kann. "
                         L"Ein Text mit Zeilenumbruch & Kaufmannsund.");
  plainLabel.SetEllipsis(elNone);
  plainLabel.SetWordWrap(true);
  plainLabel.SetShowAccelChar(false);
  plainLabel.SetTransparent(true);
  greyLabel.CreateLabel(form.Page.Handle(), 8, 48, 300, 13, L"www.beispiel.de (ausgegraut)");
  greyLabel.SetEllipsis(elNone);
  greyLabel.SetTransparent(true);
  greyLabel.SetEnabled(false);
  for (TEllipsisLabel* label : {&endLabel, &plainLabel, &greyLabel})
    SendMessageW(label->Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(form.Form.Font()), TRUE);
  PumpMessages(50);
  EXPECT_TRUE(SaveWindowScreenshot(form.Form.Handle(), L"EllipsisLabel.png"));
}
