#include <gtest/gtest.h>

#include "CoolLabel.h"
#include "DialogResponder.h"
#include "Panel.h"
#include "QXProgressBar.h"
#include "Screenshot.h"
#include "TestWindow.h"

namespace {

// A progress page with the bar, a label and two buttons beside it.
struct TBarForm {
  TTestForm Form{424, 160, L"Progress"};
  TPanel Page;
  TEllipsisLabel Label;
  HWND Button1 = nullptr, Button2 = nullptr;
  TqxProgressBar Bar;
  int Processed = 0;

  // barWidth: the inner bar's width; the cancel button is hidden.
  explicit TBarForm(int barWidth = 200) {
    Page.CreatePanel(Form.Handle(), 0, 0, 424, 160, L"pnlProgress");
    Label.CreateLabel(Page.Handle(), 8, 8, 200, 13, L"Kopieren der Dateien...");
    Button1 = CreateWindowExW(0, L"BUTTON", L"&Installieren", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 244, 120, 80, 25,
                              Form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    Button2 = CreateWindowExW(0, L"BUTTON", L"Abbrechen", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 336, 120, 80, 25,
                              Form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    Bar.CreateProgressBar(Page.Handle(), 8, 92, barWidth, 16);
    Bar.SetEnableUserCancelation(false);
    Bar.ProcessPendingMessages = [this] { ++Processed; };
  }
};

bool IsWaitCursorOver(HWND form, HWND window) {
  SetCursor(LoadCursorW(nullptr, IDC_ARROW));
  SendMessageW(form, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  return GetCursor() == LoadCursorW(nullptr, IDC_WAIT);
}

}  // namespace

TEST(QXProgressBar, ConstructionDefaults) {
  TqxProgressBar bar;
  TTestForm form(200, 50);
  bar.CreateProgressBar(form.Handle(), 0, 0);
  RECT rect;
  GetWindowRect(bar.Handle(), &rect);
  EXPECT_EQ(100, rect.right - rect.left);
  EXPECT_EQ(18, rect.bottom - rect.top);
  EXPECT_EQ(100, bar.MaxValue());
  EXPECT_EQ(0, bar.MinValue());
  EXPECT_EQ(0, bar.Position());
  EXPECT_TRUE(bar.OrvanModus());
  EXPECT_EQ(0x00CCFFu, bar.Color());
  EXPECT_TRUE(bar.ShowInTaskBar());
  EXPECT_FALSE(bar.TaskBarProgressActive());
  EXPECT_TRUE(bar.ConfirmCancelation());
  EXPECT_TRUE(bar.EnableUserCancelation());
  EXPECT_EQ(L"Abbrechen", bar.HintCancelation());
  EXPECT_EQ(TAnchors(akLeft | akTop | akRight), bar.AnchorsQx());
  EXPECT_TRUE(bar.Glow().Enabled());
  EXPECT_FALSE(bar.Marquee().Enabled());
  EXPECT_EQ(4, bar.Glow().Speed());
  EXPECT_EQ(2000u, bar.Glow().RestartDelayInMs());
}

TEST(QXProgressBar, MarqueeAndGlowShareSpeedAndDelayInLoadOrder) {
  TBarForm form;
  TqxProgressBar& bar = form.Bar;
  // The main window's settings, in the order its definition gives them.
  bar.Marquee().SetEnabled(false);
  bar.Marquee().SetRestartDelayInMs(1000);
  bar.Marquee().SetSpeed(3);
  bar.Glow().SetEnabled(true);
  bar.Glow().SetRestartDelayInMs(1000);
  bar.Glow().SetSpeed(3);
  EXPECT_FALSE(bar.Marquee().Enabled());
  EXPECT_TRUE(bar.Glow().Enabled());
  EXPECT_EQ(3, bar.InnerBar().AnimationSpeed());
  EXPECT_EQ(1000u, bar.InnerBar().AnimationRestartDelay());

  bar.Marquee().SetEnabled(true);
  EXPECT_TRUE(bar.InnerBar().Marquee());
  EXPECT_FALSE(bar.Glow().Enabled());
  EXPECT_EQ(4, bar.Marquee().Speed());
  bar.Glow().SetEnabled(false);
  EXPECT_EQ(0, bar.InnerBar().AnimationSpeed());
}

TEST(QXProgressBar, PositionIsShownInStepsOfTheRefreshRate) {
  struct Step {
    int position;
    bool shown;
  };
  struct Case {
    const char* what;
    int maxValue, rate;
    std::vector<Step> steps;
  } cases[] = {
      {"1000 on 200 pixels", 1000, 4, {{1, false}, {2, false}, {3, false}, {4, true}, {7, false}, {8, true}}},
      {"100 on 200 pixels", 100, -1, {{1, true}, {2, true}, {3, true}, {2, true}, {2, true}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TBarForm form(200);
    form.Bar.SetMaxValue(c.maxValue);
    EXPECT_EQ(c.rate, form.Bar.ValueRefreshRate());
    int shownValue = form.Bar.InnerBar().Position();
    for (const Step& step : c.steps) {
      SCOPED_TRACE(step.position);
      const int before = form.Processed;
      form.Bar.SetPosition(step.position);
      EXPECT_EQ(step.position, form.Bar.Position());
      if (step.shown) shownValue = step.position;
      EXPECT_EQ(shownValue, form.Bar.InnerBar().Position());
      EXPECT_EQ(before + (step.shown ? 1 : 0), form.Processed) << "messages processed on shown steps only";
    }
  }
}

TEST(QXProgressBar, RefreshRateFollowsTheWidthAndTheCancelButton) {
  TBarForm form(200);
  form.Bar.SetMaxValue(1000);
  EXPECT_EQ(4, form.Bar.ValueRefreshRate());
  form.Bar.SetEnableUserCancelation(true);  // the bar loses 16 pixels to the button
  RECT bar;
  GetWindowRect(form.Bar.InnerBar().Handle(), &bar);
  EXPECT_EQ(184, bar.right - bar.left);
  EXPECT_EQ(1000 / 184 - 1, form.Bar.ValueRefreshRate());
  form.Bar.SetEnableUserCancelation(false);
  GetWindowRect(form.Bar.InnerBar().Handle(), &bar);
  EXPECT_EQ(200, bar.right - bar.left) << "without cancellation the bar spans the whole width";
}

TEST(QXProgressBar, PositionIsClampedAndTheEndStopsTheRun) {
  TBarForm form;
  TqxProgressBar& bar = form.Bar;
  bar.SetAutoHide(false);
  bar.SetPosition(30);
  EXPECT_TRUE(bar.TaskBarProgressActive());

  struct Case {
    const char* what;
    int position, expected, shown;
    bool taskbar;
  } cases[] = {
      {"at the minimum", 0, 0, 0, false},
      {"below the minimum", -5, 0, 0, false},
      {"inside", 40, 40, 40, true},
      {"beyond the maximum", 150, 100, 100, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    bar.SetPosition(c.position);
    EXPECT_EQ(c.expected, bar.Position());
    EXPECT_EQ(c.shown, bar.InnerBar().Position());
    EXPECT_EQ(c.taskbar, bar.TaskBarProgressActive());
  }

  bar.SetAutoHide(true);
  EXPECT_FALSE(bar.Visible()) << "switching AutoHide on hides the control";
  bar.Start();
  EXPECT_TRUE(bar.Visible());
  bar.SetPosition(60);
  bar.SetMaxValue(50);  // below the position: the position drops to it, which stops the run
  EXPECT_EQ(50, bar.Position());
  EXPECT_FALSE(bar.Visible());
  EXPECT_FALSE(bar.TaskBarProgressActive());

  bar.SetMinValue(80);  // above the maximum: the maximum follows
  EXPECT_EQ(80, bar.MaxValue());
  EXPECT_EQ(80, bar.Position());
}

TEST(QXProgressBar, CancelAsksAndReportsOnTheNextStep) {
  struct Case {
    const char* what;
    int answer;
    bool canceled;
  } cases[] = {{"answer No", mrNo, false}, {"answer Yes", mrYes, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TBarForm form;
    TqxProgressBar& bar = form.Bar;
    bar.Start(100);
    bar.SetPosition(10);
    ASSERT_TRUE(bar.TaskBarProgressActive());
    TScriptedDialogs dialogs({c.answer});
    // The user clicks the cancel button while the next step processes messages.
    bool clicked = false;
    bar.ProcessPendingMessages = [&] {
      if (!clicked) {
        clicked = true;
        bar.CancelButton().Click();
      }
    };
    EXPECT_TRUE(bar.IncPosition(1)) << "the step during which the answer was given goes on";
    ASSERT_EQ(1u, dialogs.Count());
    EXPECT_EQ(L"Möchten Sie den Vorgang abbrechen?", dialogs[0].Text);
    EXPECT_EQ(mtConfirmation, dialogs[0].DlgType);
    EXPECT_EQ(c.canceled, bar.UserCanceled());
    EXPECT_EQ(!c.canceled, bar.TaskBarProgressActive());
    EXPECT_EQ(!c.canceled, bar.ShowInTaskBar());
    EXPECT_EQ(!c.canceled, bar.IncPosition(1));
    bar.CancelButton().Click();
    EXPECT_EQ(c.canceled ? 1u : 2u, dialogs.Count()) << "no second question once cancelled";
  }
}

TEST(QXProgressBar, CancelWithoutConfirmationAndWithOwnQuestion) {
  TBarForm form;
  TScriptedDialogs dialogs({mrNo});
  form.Bar.SetConfirmCancelationText(L"Kopieren abbrechen?");
  form.Bar.BtnCancelClick();
  ASSERT_EQ(1u, dialogs.Count());
  EXPECT_EQ(L"Kopieren abbrechen?", dialogs[0].Text);
  form.Bar.SetConfirmCancelation(false);
  form.Bar.BtnCancelClick();
  EXPECT_EQ(1u, dialogs.Count());
  EXPECT_TRUE(form.Bar.UserCanceled());
}

TEST(QXProgressBar, StartKeepsTextsForTheMarker) {
  TBarForm form;
  TqxProgressBar& bar = form.Bar;
  bar.Start(500, L"Hinweis", L"Frage?");
  EXPECT_EQ(500, bar.MaxValue());
  EXPECT_EQ(L"Hinweis", bar.Hint());
  EXPECT_EQ(L"Frage?", bar.ConfirmCancelationText());
  bar.Stop();
  bar.SetPosition(70);
  bar.Start(-1, QxOmittedText, QxOmittedText);
  EXPECT_EQ(500, bar.MaxValue());
  EXPECT_EQ(L"Hinweis", bar.Hint());
  EXPECT_EQ(L"Frage?", bar.ConfirmCancelationText());
  EXPECT_EQ(0, bar.Position());
  EXPECT_EQ(0, bar.InnerBar().Position());
  bar.Start(-1, L"", L"");
  EXPECT_EQ(L"", bar.Hint());
  EXPECT_EQ(L"", bar.ConfirmCancelationText());
}

TEST(QXProgressBar, DisableOwnerDuringARun) {
  TBarForm form;
  TqxProgressBar& bar = form.Bar;
  bar.SetDisableOwner(true);
  EnableWindow(form.Button2, FALSE);
  bar.SetEnableUserCancelation(true);

  bar.Start(100);
  EXPECT_FALSE(IsWindowEnabled(form.Button1));
  EXPECT_FALSE(IsWindowEnabled(form.Button2));
  EXPECT_TRUE(form.Label.Enabled()) << "labels are not touched";
  EXPECT_TRUE(IsWindowEnabled(form.Page.Handle())) << "the bar's own ancestors stay enabled";
  EXPECT_TRUE(bar.CancelButton().Enabled());
  EXPECT_TRUE(IsWaitCursorOver(form.Form.Handle(), form.Button1));
  EXPECT_FALSE(IsWaitCursorOver(form.Form.Handle(), bar.CancelButton().Handle()));

  bar.Start(500);  // a run is in progress: ignored
  EXPECT_EQ(100, bar.MaxValue());

  bar.SetPosition(100);  // the end stops the run
  EXPECT_TRUE(IsWindowEnabled(form.Button1));
  EXPECT_FALSE(IsWindowEnabled(form.Button2)) << "disabled before the run, disabled after it";
  EXPECT_FALSE(IsWaitCursorOver(form.Form.Handle(), form.Button1));
}

TEST(QXProgressBar, OrvanModusSwitchesTheColour) {
  struct Case {
    COLORREF before;
    bool modus;
    COLORREF after;
  } cases[] = {
      {0x00CCFF, false, 0x00D328},
      {RGB(1, 2, 3), false, RGB(1, 2, 3)},
      {RGB(1, 2, 3), true, 0x00CCFF},
      {0x00D328, true, 0x00CCFF},
  };
  TBarForm form;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.before << " modus " << c.modus);
    form.Bar.SetColor(c.before);
    form.Bar.SetOrvanModus(c.modus);
    EXPECT_EQ(c.after, form.Bar.Color());
    EXPECT_EQ(c.modus, form.Bar.OrvanModus());
  }
}

TEST(QXProgressBar, PercentageIsTheBarsWindowText) {
  TBarForm form;
  form.Bar.SetPosition(42);
  HWND inner = form.Bar.InnerBar().Handle();
  wchar_t text[16] = {};
  GetWindowTextW(inner, text, 16);
  EXPECT_STREQ(L"42%", text);  // this program's own read: the current value at once
  // The copy other programs read follows with the next paint, not with every move.
  UpdateWindow(inner);
  InternalGetWindowText(inner, text, 16);
  EXPECT_STREQ(L"42%", text);
}

TEST(QXProgressBar, GlowFrameRightAfterAPaintWaitsForTheNextPaint) {
  TBarForm form;
  form.Bar.Glow().SetEnabled(true);
  form.Bar.Glow().SetSpeed(3);
  form.Bar.SetPosition(50);
  HWND inner = form.Bar.InnerBar().Handle();
  // One tick of the bar's animation timer; whether the bar then waits for a paint.
  auto tickNeedsPaint = [inner] {
    SendMessageW(inner, WM_TIMER, 1, 0);
    return GetUpdateRect(inner, nullptr, FALSE) != FALSE;
  };
  UpdateWindow(inner);
  EXPECT_FALSE(tickNeedsPaint());  // painted for the new position a moment ago
  Sleep(100);
  EXPECT_TRUE(tickNeedsPaint());  // later the sweep moves on the screen
}

TEST(QXProgressBar, Screenshot) {
  TTestForm form(424, 60, L"Fortschritt");
  TPanel page;
  page.CreatePanel(form.Handle(), 0, 0, 424, 60, L"pnlProgress");
  page.SetColor(RGB(255, 255, 255));
  TqxProgressBar plain, cancelable;
  plain.CreateProgressBar(page.Handle(), 8, 8, 406, 16);
  plain.SetEnableUserCancelation(false);
  plain.Glow().SetSpeed(3);
  cancelable.CreateProgressBar(page.Handle(), 8, 34, 406, 16);
  cancelable.SetOrvanModus(false);
  plain.SetPosition(50);
  cancelable.SetPosition(75);
  // Brings the glow into the middle of the filled part.
  while (plain.InnerBar().AnimationOffset() < 80) plain.InnerBar().Animate();
  while (cancelable.InnerBar().AnimationOffset() < 150) cancelable.InnerBar().Animate();
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(SaveWindowScreenshot(form.Handle(), L"QXProgressBar.png"));
}
