#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "DialogResponder.h"
#include "QXDialogs.h"

namespace {

// 6 pixels per shown character (an access-key "&" takes none), 13 per line.
TTextExtent FakeMeasure(const std::wstring& text, int) {
  int width = 0, line = 0, lines = 1;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r') {
      ++lines;
      line = 0;
      continue;
    }
    if (text[i] == L'&' && i + 1 < text.size()) ++i;
    line += 6;
    width = std::max(width, line);
  }
  return {width, 13 * lines};
}

struct TButtonView {
  std::wstring Caption;
  int Result;
  bool Default, Cancel;
  bool operator==(const TButtonView&) const = default;
};
void PrintTo(const TButtonView& b, std::ostream* os) {
  *os << testing::PrintToString(b.Caption) << "=" << b.Result << (b.Default ? " default" : "")
      << (b.Cancel ? " cancel" : "");
}

std::vector<TButtonView> View(const TDialogSpec& spec) {
  std::vector<TButtonView> view;
  for (const TDialogButtonSpec& b : spec.Buttons) view.push_back({b.Caption, b.ModalResult, b.IsDefault, b.IsCancel});
  return view;
}

}  // namespace

TEST(QXDialogs, PrepareDialogText) {
  struct Case {
    std::wstring text;
    bool bars;
    std::wstring expected;
  } cases[] = {
      {L"Fehler beim Initialisieren des Setups:|Datei fehlt", true, L"Fehler beim Initialisieren des Setups:\rDatei fehlt"},
      {L"Müller & Söhne", true, L"Müller && Söhne"},
      {L"a\\|b", true, L"a|b"},
      {L"a|b", false, L"a|b"},
      {L"a\\|b", false, L"a\\|b"},
      {L"a\\\rb", false, L"a|b"},
      {L"||", true, L"\r\r"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(PrepareDialogText(c.text, c.bars), c.expected);
  }
}

TEST(QXDialogs, ButtonsDefaultsAndEscapeByTypeAndSet) {
  struct Case {
    const char* what;
    TMsgDlgType type;
    TMsgDlgButtons buttons;
    int defaultResult;
    std::wstring title;
    std::vector<TButtonView> expected;
  } cases[] = {
      {"error, empty set", mtError, 0, -1, L"Fehler", {{L"OK", 1, true, true}}},
      {"information, empty set", mtInformation, 0, -1, L"Informationen", {{L"OK", 1, true, true}}},
      {"warning, empty set", mtWarning, 0, -1, L"Warnung", {{L"OK", 1, true, false}, {L"Abbrechen", 2, false, true}}},
      {"confirmation, empty set", mtConfirmation, 0, -1, L"Bestätigen",
       {{L"&Ja", 6, true, false}, {L"&Nein", 7, false, false}, {L"Abbrechen", 2, false, true}}},
      {"Yes/No", mtConfirmation, mbYesNo, -1, L"Bestätigen", {{L"&Ja", 6, true, false}, {L"&Nein", 7, false, true}}},
      {"Yes/No, No default", mtWarning, mbYesNo, 7, L"Warnung", {{L"&Ja", 6, false, false}, {L"&Nein", 7, true, true}}},
      {"result of no button", mtWarning, mbYesNo, 1, L"Warnung", {{L"&Ja", 6, false, false}, {L"&Nein", 7, false, true}}},
      {"Retry is default without OK and Yes", mtError, Btn(mbAbort) | Btn(mbRetry) | Btn(mbIgnore), -1, L"Fehler",
       {{L"&Abbrechen", 3, false, false}, {L"&Wiederholen", 4, true, false}, {L"&Ignorieren", 5, false, false}}},
      {"all twelve in table order", mtWarning, 0x0FFF, -1, L"Warnung",
       {{L"&Ja", 6, false, false}, {L"&Nein", 7, false, false}, {L"OK", 1, true, false},
        {L"Abbrechen", 2, false, true}, {L"&Abbrechen", 3, false, false}, {L"&Wiederholen", 4, false, false},
        {L"&Ignorieren", 5, false, false}, {L"&Alle", 12, false, false}, {L"&Alle Nein", 13, false, false},
        {L"A&lle Ja", 14, false, false}, {L"&Hilfe", 0, false, false}, {L"S&chließen", 8, false, false}}},
      {"custom, empty set", mtCustom, 0, -1, L"support_tests", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const TDialogSpec spec =
        LayoutMessageDialog(L"Text", L"", false, c.type, c.buttons, c.defaultResult, {{0, L"", L""}}, false, true,
                            FakeMeasure);
    EXPECT_EQ(spec.Title, c.title);
    EXPECT_EQ(View(spec), c.expected);
    EXPECT_EQ(spec.IconBounds.Width > 0, c.type != mtCustom);
  }
}

TEST(QXDialogs, CaptionsListReordersRenamesAndCentres) {
  const std::vector<TModalResultButtonCaption> captions = {{mrNo, L"Nicht jetzt", L""}, {mrYes, L"Jetzt installieren", L""}};
  bool checked = true;
  const TDialogSpec spec = LayoutMessageDialog(L"Frage", L"Nicht wieder fragen", checked, mtConfirmation, mbYesNo,
                                               mrYes, captions, true, true, FakeMeasure);
  const std::vector<TButtonView> expected = {{L"Nicht jetzt", 7, false, true}, {L"Jetzt installieren", 6, true, false}};
  EXPECT_EQ(View(spec), expected);
  ASSERT_EQ(spec.Buttons.size(), 2u);
  const TBounds& first = spec.Buttons[0].Bounds;
  const TBounds& second = spec.Buttons[1].Bounds;
  EXPECT_EQ(second.Left, first.Left + first.Width + 6);
  EXPECT_EQ(second.Width, 18 * 6 + 20);  // wider than the standard button: caption + 20
  const int right = spec.ClientWidth - (second.Left + second.Width);
  EXPECT_LE(std::abs(first.Left - right), 1);
  EXPECT_EQ(first.Top, second.Top);
  // The check box sits below the buttons and inside the client area.
  EXPECT_TRUE(spec.ShowCheckBox);
  EXPECT_TRUE(spec.Checked);
  EXPECT_EQ(spec.CheckBoxBounds.Top, first.Top + first.Height + 16);
  EXPECT_LE(spec.CheckBoxBounds.Top + spec.CheckBoxBounds.Height, spec.ClientHeight);
  EXPECT_GE(spec.ClientWidth, spec.CheckBoxBounds.Width + 16);
  // Buttons never overlap, whatever the captions list names.
  const TDialogSpec partly = LayoutMessageDialog(L"x", L"", false, mtConfirmation, 0, mrNo,
                                                 {{mrCancel, L"Später noch einmal fragen", L""}}, false, true, FakeMeasure);
  ASSERT_EQ(partly.Buttons.size(), 3u);
  EXPECT_EQ(partly.Buttons[0].ModalResult, mrCancel);
  for (std::size_t i = 1; i < partly.Buttons.size(); ++i)
    EXPECT_EQ(partly.Buttons[i].Bounds.Left,
              partly.Buttons[i - 1].Bounds.Left + partly.Buttons[i - 1].Bounds.Width + 6);
}

TEST(QXDialogs, ResponderSeesTheDialogAndAnswersIt) {
  TScriptedDialogs dialogs({mrNo});
  EXPECT_EQ(MessageDialogFmt(L"Fehler beim Initialisieren des Setups:|%s", {L"A & B"}, mtError, 0), mrNo);
  EXPECT_EQ(MessageDialog(L"Möchen Sie das Setup abbrechen?", mtConfirmation, mbYesNo, 7), mrNo);  // Enter
  ASSERT_EQ(dialogs.Count(), 2u);
  EXPECT_EQ(dialogs[0].Text, L"Fehler beim Initialisieren des Setups:\rA && B");
  EXPECT_EQ(dialogs[0].DlgType, mtError);
  EXPECT_TRUE(dialogs[1].Buttons[1].IsDefault);
}

// A real dialog under the display: its texts and buttons are read and pressed through
// window messages from a second thread while the dialog runs its modal loop.
TEST(QXDialogs, RealDialogIsMadeOfReadableChildWindows) {
  struct TSeen {
    std::vector<std::wstring> Texts;
    std::vector<bool> Defaults;
  };
  auto drive = [](TSeen& seen, bool pressDefault) {
    HWND dialog = nullptr;
    for (int i = 0; i < 200 && !dialog; ++i) {
      dialog = FindWindowW(MessageDialogClassName, L"Warnung");
      if (!dialog) Sleep(25);
    }
    if (!dialog) return;
    Sleep(100);
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      wchar_t text[256] = {};
      SendMessageW(child, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
      seen.Texts.push_back(text);
      seen.Defaults.push_back((GetWindowLongW(child, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON);
    }
    HWND target = GetWindow(dialog, GW_CHILD);
    for (HWND child = target; child; child = GetWindow(child, GW_HWNDNEXT))
      if (SendMessageW(child, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) target = child;
    if (pressDefault) {
      PostMessageW(target, WM_KEYDOWN, VK_RETURN, 0);
    } else {
      PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0);
    }
  };

  TSeen enter;
  std::thread pressEnter(drive, std::ref(enter), true);
  const int enterResult = MessageDialog(L"Neuere Dateien|vorhanden & weiter?", mtWarning, mbYesNo, mrNo);
  pressEnter.join();
  EXPECT_EQ(enterResult, mrNo);
  const std::vector<std::wstring> texts = {L"", L"Neuere Dateien\rvorhanden && weiter?", L"&Ja", L"&Nein"};
  EXPECT_EQ(enter.Texts, texts);
  EXPECT_EQ(enter.Defaults, (std::vector<bool>{false, false, false, true}));

  TSeen escape;
  std::thread pressEscape(drive, std::ref(escape), false);
  const int escapeResult = MessageDialog(L"Weiter?", mtWarning, mbYesNo | Btn(mbCancel), mrYes);
  pressEscape.join();
  EXPECT_EQ(escapeResult, mrCancel);
}
