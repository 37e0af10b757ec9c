// The wizard controller inside the test process: the diagnostic report's keys, the
// left button hiding the report, and the folder selection of the correction page.
#include <gtest/gtest.h>

#include <memory>

#include "DialogResponder.h"
#include "FrmMain.h"
#include "TestUtils.h"
#include "UpdaterEventsLock.h"
#include "TestWindow.h"

namespace {

void SampleTexts(TEngineState& state) {
  state.FProduct = L"Vendor App 2.3";
  state.FFormCaption = L"Vendor App Update";
}

bool IsShown(HWND window) { return IsWindowVisible(window) != FALSE; }

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

class WizardController : public testing::Test {
protected:
  TUpdaterEventsLock FEventsLock;  // destroyed windows signal the updater's events
  void SetUp() override {
    FForm = std::make_unique<TFormMain>(SampleTexts, 96);
    FForm->CreateForm();
    ASSERT_FALSE(FForm->Terminated());
    FForm->ShowForm();
    PumpMessages();
  }
  void TearDown() override {
    FForm.reset();
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
  std::unique_ptr<TFormMain> FForm;
  TScriptedDialogs FDialogs;
};

// What the folder dialog showed and how the timer answered it.
struct TFolderDialogScript {
  WPARAM Command = IDCANCEL;
  bool Seen = false;
  std::wstring Texts;  // the dialog's child texts, joined by "|"
};
TFolderDialogScript* ActiveScript = nullptr;

BOOL CALLBACK CollectText(HWND child, LPARAM data) {
  if (IsWindowVisible(child)) *reinterpret_cast<std::wstring*>(data) += TextOf(child) + L"|";
  return TRUE;
}

BOOL CALLBACK AnswerFolderDialog(HWND window, LPARAM) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  if (!IsWindowVisible(window) || std::wstring(name) != L"#32770") return TRUE;
  ActiveScript->Seen = true;
  EnumChildWindows(window, CollectText, reinterpret_cast<LPARAM>(&ActiveScript->Texts));
  PostMessageW(window, WM_COMMAND, ActiveScript->Command, 0);
  return FALSE;
}

// Runs on the modal dialog's message loop; waits a moment so the start folder is selected.
void CALLBACK OnDialogTimer(HWND, UINT, UINT_PTR id, DWORD) {
  if (!ActiveScript || ActiveScript->Seen) return;
  EnumThreadWindows(GetCurrentThreadId(), AnswerFolderDialog, 0);
  if (ActiveScript->Seen) KillTimer(nullptr, id);
}

}  // namespace

TEST_F(WizardController, ReportKeysNeedTheirExactModifiers) {
  struct TCase {
    const char* Name;
    WORD Key;
    bool Shift, Ctrl, Alt;
    bool ShownBefore;
    bool ShownAfter;
    bool Swallowed;
  } const cases[] = {
      {"Ctrl+Alt+W shows", 'W', false, true, true, false, true, true},
      {"Ctrl+Shift+Alt+W does nothing", 'W', true, true, true, false, false, false},
      {"Ctrl+W does nothing", 'W', false, true, false, false, false, false},
      {"Alt+W does nothing", 'W', false, false, true, false, false, false},
      {"Esc hides", VK_ESCAPE, false, false, false, true, false, true},
      {"Shift+Esc hides too", VK_ESCAPE, true, false, false, true, false, true},
      {"Esc while hidden does nothing", VK_ESCAPE, false, false, false, false, false, false},
      {"Ctrl+Alt+W again rebuilds while shown", 'W', false, true, true, true, true, true},
  };
  TFormMain& form = *FForm;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    ShowWindow(form.memDebug.Handle(), c.ShownBefore ? SW_SHOW : SW_HIDE);
    SetWindowTextW(form.memDebug.Handle(), L"");
    WORD key = c.Key;
    form.FormKeyDown(key, c.Shift, c.Ctrl, c.Alt);
    EXPECT_EQ(IsShown(form.memDebug.Handle()), c.ShownAfter);
    EXPECT_EQ(key == 0, c.Swallowed);
    if (c.Key == 'W' && c.ShownAfter) {
      EXPECT_EQ(TextOf(form.memDebug.Handle()).rfind(L"Step: 1\r\n", 0), 0u) << "the report was not built";
    }
  }
}

TEST_F(WizardController, CtrlAInTheReportSelectsAllButNotWithShift) {
  TFormMain& form = *FForm;
  WORD show = 'W';
  form.FormKeyDown(show, false, true, true);
  SetFocus(form.memDebug.Handle());
  const int length = GetWindowTextLengthW(form.memDebug.Handle());
  ASSERT_GT(length, 0);
  struct TCase {
    bool Shift;
    DWORD End;  // the selection's end afterwards; it starts collapsed at 0
  } const cases[] = {{true, 0}, {false, static_cast<DWORD>(length)}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Shift ? "Ctrl+Shift+A" : "Ctrl+A");
    SendMessageW(form.memDebug.Handle(), EM_SETSEL, 0, 0);
    WORD key = 'A';
    form.FormKeyDown(key, c.Shift, true, false);
    DWORD start = 1, end = 1;
    SendMessageW(form.memDebug.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, c.End);
  }
}

TEST_F(WizardController, LeftButtonHidesTheReportFirst) {
  TFormMain& form = *FForm;
  WORD show = 'W';
  form.FormKeyDown(show, false, true, true);
  ASSERT_TRUE(IsShown(form.memDebug.Handle()));
  // A tag with no action: only the hiding remains to be seen.
  form.btnLeft.SetTag(0);
  form.btnLeftClick();
  EXPECT_FALSE(IsShown(form.memDebug.Handle()));
}

TEST_F(WizardController, FolderSelectionStartsAtTheEditsFolderAndTakesTheChoice) {
  TFormMain& form = *FForm;
  TTempDir start;
  // The start folder is selected at start, so OK gives it back; Cancel leaves the edit.
  struct TCase {
    const char* Name;
    WPARAM Command;
  } const cases[] = {
      {"cancel keeps the text", IDCANCEL},
      {"OK takes the selected start folder", IDOK},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    form.ShowCheckDirPage(start.Path(), L"reason");
    TFolderDialogScript script;
    script.Command = c.Command;
    ActiveScript = &script;
    const UINT_PTR timer = SetTimer(nullptr, 0, 300, OnDialogTimer);
    form.edDirEllipsisClick();
    KillTimer(nullptr, timer);
    ActiveScript = nullptr;
    ASSERT_TRUE(script.Seen) << "no folder dialog";
    EXPECT_NE(script.Texts.find(L"Verzeichnis ausw\u00E4hlen"), std::wstring::npos) << testing::PrintToString(script.Texts);
    EXPECT_EQ(_wcsicmp(form.edDir.Text().c_str(), start.Path().c_str()), 0) << testing::PrintToString(form.edDir.Text());
  }
}
