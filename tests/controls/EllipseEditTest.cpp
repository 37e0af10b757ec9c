#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Action.h"
#include "ControlUtils.h"
#include "EllipseEdit.h"
#include "Panel.h"
#include "Screenshot.h"
#include "TestWindow.h"

namespace {

struct TEditForm {
  TTestForm Form{424, 160, L"Edit"};
  TPanel Page;
  TEllipseEdit Edit;

  TEditForm() {
    Page.CreatePanel(Form.Handle(), 0, 0, 424, 160, L"pnlCheckDir");
    Edit.CreateEdit(Page.Handle(), 8, 48, 368, 21);
    Edit.SetName(L"edDir");
    SendMessageW(Edit.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Form.Font()), TRUE);
  }
  RECT ButtonRect() {
    RECT rect;
    GetWindowRect(Edit.EllipsisButton().Handle(), &rect);
    MapWindowPoints(nullptr, Edit.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
  }
  void ClickButton() {
    SendMessageW(Edit.EllipsisButton().Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageW(Edit.EllipsisButton().Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  }
};

int FontHeight(HFONT font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return metrics.tmHeight;
}

// Records what the edit hands to the dialog and answers as scripted.
class TFakeOpenDialog : public TOpenDialog {
public:
  bool Confirm = false;
  std::wstring Chosen;
  std::vector<std::pair<std::wstring, std::wstring>> Calls;  // initial directory, file name
  bool Execute(HWND) override {
    Calls.emplace_back(InitialDir, FileName);
    if (Confirm) FileName = Chosen;
    return Confirm;
  }
};

}  // namespace

TEST(EllipseEdit, TextNeverRunsUnderTheSquareButton) {
  TEditForm form;
  TGdiObject bigFont = CreateUiFont(L"MS Shell Dlg 2", 24);
  struct Case {
    const char* what;
    int width;
    HFONT font;
  } cases[] = {
      {"as created", 368, form.Form.Font()},
      {"narrower", 120, form.Form.Font()},
      {"bigger font", 120, static_cast<HFONT>(bigFont.Get())},
      {"wider with bigger font", 400, static_cast<HFONT>(bigFont.Get())},
      {"back to the dialog font", 200, form.Form.Font()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SendMessageW(form.Edit.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(c.font), TRUE);
    RECT window;
    GetWindowRect(form.Edit.Handle(), &window);
    SetWindowPos(form.Edit.Handle(), nullptr, 0, 0, c.width, window.bottom - window.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT client, button = form.ButtonRect(), text = form.Edit.TextRect();
    GetClientRect(form.Edit.Handle(), &client);
    EXPECT_EQ(button.right - button.left, button.bottom - button.top) << "square";
    EXPECT_EQ(client.right, button.right) << "at the right edge";
    EXPECT_EQ(0, button.top);
    EXPECT_EQ(client.bottom, button.bottom) << "full client height";
    EXPECT_LE(text.right, button.left) << "text area left of the button";

    // Typed text scrolls inside the text area.
    SetWindowTextW(form.Edit.Handle(), L"");
    SetFocus(form.Edit.Handle());
    for (int i = 0; i < 120; ++i) SendMessageW(form.Edit.Handle(), WM_CHAR, L'W', 1);
    const LRESULT end = SendMessageW(form.Edit.Handle(), EM_POSFROMCHAR, 119, 0);
    EXPECT_LE(static_cast<short>(LOWORD(end)), button.left);
    EXPECT_EQ(1, SendMessageW(form.Edit.Handle(), EM_GETLINECOUNT, 0, 0));
  }
}

TEST(EllipseEdit, HeightFollowsTheFont) {
  TEditForm form;
  TGdiObject bigFont = CreateUiFont(L"MS Shell Dlg 2", 24);
  for (HFONT font : {form.Form.Font(), static_cast<HFONT>(bigFont.Get()), form.Form.Font()}) {
    SendMessageW(form.Edit.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    RECT window;
    GetWindowRect(form.Edit.Handle(), &window);
    EXPECT_EQ(FontHeight(font) + GetSystemMetrics(SM_CYBORDER) * 8, window.bottom - window.top);
  }
}

TEST(EllipseEdit, OneLineOnly) {
  TEditForm form;
  form.Edit.SetText(L"C:\\Programme");
  SendMessageW(form.Edit.Handle(), EM_SETSEL, 12, 12);
  for (wchar_t c : {L'\r', L'\n', L'\t'}) SendMessageW(form.Edit.Handle(), WM_CHAR, c, 1);
  EXPECT_EQ(L"C:\\Programme", form.Edit.Text());
  EXPECT_EQ(0, SendMessageW(form.Edit.Handle(), WM_GETDLGCODE, 0, 0) & DLGC_WANTALLKEYS);

  // Pasting a text with line breaks keeps its first line only, as a one-line edit does.
  const std::wstring clip = L"\\Firma\r\nzweite Zeile";
  ASSERT_TRUE(OpenClipboard(form.Edit.Handle()));
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (clip.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(memory), clip.c_str(), (clip.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  SendMessageW(form.Edit.Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(L"C:\\Programme\\Firma", form.Edit.Text());
}

TEST(EllipseEdit, EnabledStateReachesTheButton) {
  TEditForm form;
  form.Edit.SetEnabled(false);
  EXPECT_FALSE(form.Edit.EllipsisButton().Enabled());
  form.Edit.SetEnabled(true);
  EXPECT_TRUE(form.Edit.EllipsisButton().Enabled());
}

TEST(EllipseEdit, ArrowOverTheButtonTextCursorOverTheText) {
  TEditForm form;
  const RECT button = form.ButtonRect();
  struct Case {
    const char* what;
    POINT point;  // client coordinates of the edit
    const wchar_t* cursor;
  } cases[] = {
      {"over the text", {20, 8}, IDC_IBEAM},
      {"over the button", {button.left + 3, 8}, IDC_ARROW},
      {"just left of the button", {button.left - 2, 8}, IDC_IBEAM},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    POINT screen = c.point;
    ClientToScreen(form.Edit.Handle(), &screen);
    SetCursorPos(screen.x, screen.y);
    POINT actual;
    GetCursorPos(&actual);
    if (actual.x != screen.x || actual.y != screen.y) GTEST_SKIP() << "the display does not move the cursor";
    SetCursor(nullptr);
    SendMessageW(form.Edit.Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(form.Edit.Handle()),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(LoadCursorW(nullptr, c.cursor), GetCursor());
  }
}

TEST(EllipseEdit, DialogGetsDirectoryAndNameFromTheText) {
  TEditForm form;
  TFakeOpenDialog dialog;
  form.Edit.SetDialog(&dialog);
  int clicks = 0;
  form.Edit.OnEllipsisClick = [&](TWindowBase& sender) {
    ++clicks;
    EXPECT_EQ(&sender, &form.Edit.EllipsisButton());
  };
  struct Case {
    std::wstring text;
    bool confirm;
    std::wstring initialDir, fileName, textAfter;
  } cases[] = {
      {L"C:\\Daten\\liste.txt", false, L"C:\\Daten\\", L"liste.txt", L"C:\\Daten\\liste.txt"},
      {L"C:\\Daten\\liste.txt", true, L"C:\\Daten\\", L"liste.txt", L"D:\\Neu\\andere.txt"},
      {L"liste.txt", false, L"", L"liste.txt", L"liste.txt"},
      {L"C:liste.txt", false, L"C:", L"liste.txt", L"C:liste.txt"},
      {L"C:\\Daten\\", false, L"C:\\Daten\\", L"", L"C:\\Daten\\"},
      {L"", false, L"", L"", L""},
  };
  dialog.Chosen = L"D:\\Neu\\andere.txt";
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.text.begin(), c.text.end()) << " confirm " << c.confirm);
    form.Edit.SetText(c.text);
    dialog.Confirm = c.confirm;
    dialog.Calls.clear();
    const int before = clicks;
    form.ClickButton();
    ASSERT_EQ(1u, dialog.Calls.size());
    EXPECT_EQ(c.initialDir, dialog.Calls[0].first);
    EXPECT_EQ(c.fileName, dialog.Calls[0].second);
    EXPECT_EQ(c.textAfter, form.Edit.Text());
    EXPECT_EQ(before + 1, clicks) << "the event runs also after a cancelled dialog";
    EXPECT_EQ(form.Edit.Handle(), GetFocus());
  }
}

TEST(EllipseEdit, ButtonExecutesTheActionOnlyWithoutAHandler) {
  TEditForm form;
  TAction action;
  int executed = 0, edClicks = 0;
  action.OnExecute = [&](TAction&) { ++executed; };
  form.Edit.SetAction(&action);
  form.Edit.OnClick = [&](TWindowBase&) { ++edClicks; };

  form.ClickButton();
  EXPECT_EQ(1, executed);
  // A click into the text raises OnClick but never runs the action.
  SendMessageW(form.Edit.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 5));
  SendMessageW(form.Edit.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 5));
  EXPECT_EQ(1, executed);
  EXPECT_EQ(1, edClicks);

  int handled = 0;
  form.Edit.OnEllipsisClick = [&](TWindowBase&) { ++handled; };
  form.ClickButton();
  EXPECT_EQ(1, executed);
  EXPECT_EQ(1, handled);

  int dblClicks = 0;
  form.Edit.OnEllipsisDblClick = [&](TWindowBase&) { ++dblClicks; };
  SendMessageW(form.Edit.EllipsisButton().Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
  EXPECT_EQ(1, dblClicks);
}

TEST(EllipseEdit, ActionValuesAllOrDefaultsOnly) {
  struct Case {
    const char* what;
    bool checkDefaults;
    std::wstring text, hint;
    bool enabled, visible;
    std::wstring textAfter, hintAfter;
    bool enabledAfter, visibleAfter;
  } cases[] = {
      {"all values", false, L"eigen", L"eigener Hinweis", true, true, L"Aktion", L"Aktionshinweis", false, false},
      {"defaults: own values stay", true, L"eigen", L"eigener Hinweis", true, true, L"eigen", L"eigener Hinweis",
       false, false},
      {"defaults: empty text and hint filled", true, L"", L"", false, false, L"Aktion", L"Aktionshinweis", false,
       false},
      {"defaults: text equal to the name filled", true, L"edDir", L"", true, true, L"Aktion", L"Aktionshinweis",
       false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TEditForm form;
    form.Edit.SetText(c.text);
    form.Edit.SetHint(c.hint);
    form.Edit.SetEnabled(c.enabled);
    form.Edit.SetVisible(c.visible);
    TAction action;
    action.SetCaption(L"Aktion");
    action.SetHint(L"Aktionshinweis");
    action.SetEnabled(false);
    action.SetVisible(false);
    form.Edit.SetAction(&action, c.checkDefaults);
    EXPECT_EQ(c.textAfter, form.Edit.Text());
    EXPECT_EQ(c.hintAfter, form.Edit.Hint());
    EXPECT_EQ(c.enabledAfter, form.Edit.Enabled());
    EXPECT_EQ(c.visibleAfter, form.Edit.Visible());
  }
}

TEST(EllipseEdit, ActionChangesReachTheEditAndADestroyedActionIsForgotten) {
  TEditForm form;
  {
    TAction action;
    form.Edit.SetAction(&action);
    action.SetCaption(L"Neu");
    action.SetEnabled(false);
    EXPECT_EQ(L"Neu", form.Edit.Text());
    EXPECT_FALSE(form.Edit.Enabled());
  }
  EXPECT_EQ(nullptr, form.Edit.Action());
  form.ClickButton();  // must not touch the destroyed action
}

TEST(EllipseEdit, ChangeEventComesFromTheEdit) {
  TEditForm form;
  int changes = 0;
  form.Edit.OnChange = [&](TWindowBase& sender) {
    ++changes;
    EXPECT_EQ(&sender, &form.Edit);
  };
  form.Edit.SetText(L"C:\\Neu");
  SendMessageW(form.Edit.Handle(), WM_CHAR, L'x', 1);
  EXPECT_EQ(2, changes);
}

TEST(EllipseEdit, Screenshot) {
  TEditForm form;
  form.Edit.SetText(L"C:\\Programme\\Beispielfirma\\Produkt mit einem recht langen Namen\\Daten");
  TEllipseEdit disabled;
  disabled.CreateEdit(form.Page.Handle(), 8, 80, 200, 21);
  SendMessageW(disabled.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(form.Form.Font()), TRUE);
  disabled.SetText(L"ausgegraut");
  disabled.SetEnabled(false);
  PumpMessages(50);
  EXPECT_TRUE(SaveWindowScreenshot(form.Form.Handle(), L"EllipseEdit.png"));
}
