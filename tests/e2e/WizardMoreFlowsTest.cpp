// More of the wizard driven end to end: a cancel in the middle of a long copy, a program
// that must not run still running when the run should start, the English run and the
// diagnostic report, each against the real setup.exe under Wine.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "SetupDriver.h"
#include "TestUtils.h"
#include "WizardWatch.h"

using namespace wizard_watch;

namespace {

constexpr DWORD Timeout = 15000;
constexpr long long BigFileSize = 100'000'000;

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The diagnostic report as the memo shows it, split into lines; empty when it is hidden.
std::vector<std::wstring> ShownReportLines(HWND window) {
  std::wstring report;
  for (const std::wstring& text : TSetupDriver::VisibleTexts(window))
    if (text.rfind(L"Step: ", 0) == 0) report = text;
  std::vector<std::wstring> lines;
  if (report.empty()) return lines;
  for (size_t start = 0;;) {
    const size_t end = report.find(L"\r\n", start);
    lines.push_back(report.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
    if (end == std::wstring::npos) break;
    start = end + 2;
  }
  return lines;
}

// Presses Ctrl+Alt+W and waits for the report; its lines, empty when it did not show.
std::vector<std::wstring> OpenReport(HWND window) {
  EXPECT_TRUE(PressKeyChord(window, {VK_CONTROL, VK_MENU}, 'W')) << "the window did not come to the front";
  const DWORD start = GetTickCount();
  std::vector<std::wstring> lines;
  while ((lines = ShownReportLines(window)).empty() && GetTickCount() - start < Timeout) Sleep(20);
  return lines;
}

}  // namespace

TEST(WizardMoreFlows, CancelDuringTheCopyOfALargeFileEndsAtOnceAndLeavesLaterFilesAlone) {
  TTempDir dest;
  WriteFileBytes(dest.File(L"later.txt"), "installed");
  TSetupDriver setup;
  setup.WriteScript(UpdateScript(dest.Path(), "[Files]\nbig1.bin=0\nbig2.bin=0\nbig3.bin=0\nlater.txt=0\n"));
  for (const wchar_t* name : {L"big1.bin", L"big2.bin", L"big3.bin"})
    ASSERT_TRUE(WriteFileOfSize(setup.Dir() + L"\\" + name, BigFileSize));
  setup.WriteFile(L"later.txt", "new");

  HWND window = StartWizard(setup);
  ASSERT_NE(window, nullptr);
  HWND cancel = TSetupDriver::FindChild(window, L"Button", L"Abbrechen");
  ASSERT_NE(cancel, nullptr);
  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Installieren"));
  // The copy runs at disk speed: the click follows the first file's caption at once.
  ASSERT_NE(WaitForChildText(window, L"big1.bin nach"), nullptr) << Joined(TSetupDriver::VisibleTexts(window));
  ASSERT_TRUE(PostMessageW(cancel, BM_CLICK, 0, 0));
  HWND question = setup.WaitForDialog(Timeout);
  ASSERT_NE(question, nullptr) << "no question during the copy";
  EXPECT_TRUE(HasTextContaining(question, L"M\u00F6chen Sie das Setup abbrechen?"))
      << Joined(TSetupDriver::VisibleTexts(question));
  // The copy waits for the answer: the files begun so far are those that exist now, and
  // no other may be begun after the answer.
  const bool secondBegun = Exists(dest.File(L"big2.bin"));
  const bool lastBegun = Exists(dest.File(L"big3.bin"));
  ASSERT_FALSE(HasTextContaining(window, L"&Fertig")) << "the copy ended before the question";

  ASSERT_TRUE(TSetupDriver::ClickButton(question, L"&Ja"));
  const DWORD answered = GetTickCount();
  EXPECT_EQ(setup.WaitForExit(Timeout), 102);
  EXPECT_LT(GetTickCount() - answered, 3000u) << "the program went on copying after the answer";
  EXPECT_TRUE(setup.EndSignalled());
  EXPECT_FALSE(setup.OkSignalled());
  EXPECT_EQ(ReadFileBytes(dest.File(L"later.txt")), "installed") << "a file after the canceled one was copied";
  EXPECT_EQ(Exists(dest.File(L"big2.bin")), secondBegun) << "the second large file was started after the answer";
  EXPECT_EQ(Exists(dest.File(L"big3.bin")), lastBegun) << "the last large file was started after the answer";
}

// A listed program still running stops the run with a message and leaves the wizard on
// its page; once the program has ended, the same button runs the installation.
TEST(WizardMoreFlows, ProgramStillRunningKeepsThePageUntilItEnds) {
  struct TCase {
    const char* Name;
    bool Correct;            // start with a missing directory, corrected on page 2
    const wchar_t* Button;   // the button that starts the run on that page
  } const cases[] = {
      {"welcome page", false, L"&Installieren"},
      {"correction page", true, L"&Weiter"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir dest;
    TTempDir probeDir;
    const std::wstring missing = dest.Path() + L"-missing";
    TSetupDriver setup;
    setup.WriteScript(UpdateScript(c.Correct ? missing : dest.Path(),
                                   "[ProgramsMustNotRun]\nvendormonitor.exe=Vendor Monitor\n[Files]\napp.txt=0\n"));
    setup.WriteFile(L"app.txt", "new");
    std::optional<TRunningProgram> monitor;
    HWND window = StartWizard(setup);
    ASSERT_NE(window, nullptr);
    if (c.Correct) {
      // The program starts while the wizard waits on the correction page.
      ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Installieren"));
      ASSERT_TRUE(WaitForTextPart(window, L"&Weiter")) << Joined(TSetupDriver::VisibleTexts(window));
      HWND edit = TSetupDriver::FindChild(window, L"Edit", missing);
      ASSERT_NE(edit, nullptr) << Joined(TSetupDriver::VisibleTexts(window));
      SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(dest.Path().c_str()));
      monitor.emplace(probeDir.Path(), L"vendormonitor.exe");
      ASSERT_TRUE(monitor->Started());
      ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Weiter"));
    } else {
      monitor.emplace(probeDir.Path(), L"vendormonitor.exe");
      ASSERT_TRUE(monitor->Started());
      ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Installieren"));
    }

    HWND message = setup.WaitForDialog(Timeout);
    ASSERT_NE(message, nullptr) << "no message about the running program";
    EXPECT_TRUE(HasTextContaining(message, L"Bitte beenden sie das Programm Vendor Monitor."))
        << Joined(TSetupDriver::VisibleTexts(message));
    ASSERT_TRUE(TSetupDriver::ClickButton(message, L"OK"));

    EXPECT_EQ(setup.WaitForExit(300), -1) << "the message ended the program";
    ASSERT_TRUE(WaitForTextPart(window, c.Button)) << "the page changed; " << Joined(TSetupDriver::VisibleTexts(window));
    EXPECT_FALSE(HasTextContaining(window, L"&Fertig"));
    EXPECT_FALSE(Exists(dest.File(L"app.txt"))) << "the run started while the program was running";

    monitor->Stop();
    ASSERT_TRUE(TSetupDriver::ClickButton(window, c.Button));
    ASSERT_TRUE(WaitForTextPart(window, L"&Fertig")) << Joined(TSetupDriver::VisibleTexts(window));
    EXPECT_TRUE(HasTextContaining(window, L"Das Update wurde installiert."));
    EXPECT_EQ(ReadFileBytes(dest.File(L"app.txt")), "new");
    ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Fertig"));
    EXPECT_EQ(setup.WaitForExit(), 0);
    EXPECT_TRUE(setup.EndSignalled());
    EXPECT_TRUE(setup.OkSignalled());
  }
}

// The language follows the command line only when the English module lies beside the
// program; the whole run, up to the finished page, speaks that language.
TEST(WizardMoreFlows, RunSpeaksTheChosenLanguageToTheEnd) {
  struct TCase {
    const char* Name;
    const wchar_t* Arguments;
    bool EnglishModule;
    const wchar_t* Welcome;
    const wchar_t* Install;
    const wchar_t* Cancel;
    const wchar_t* Success;
    const wchar_t* Finish;
  } const cases[] = {
      {"eng with the module", L"eng", true, L"This program updates Vendor App.", L"&Install", L"Cancel",
       L"The update has been installed.", L"&Finish"},
      {"eng without the module", L"eng", false, L"Dieses Programm aktualisiert Vendor App.", L"&Installieren",
       L"Abbrechen", L"Das Update wurde installiert.", L"&Fertig"},
      {"ger with the module", L"ger", true, L"Dieses Programm aktualisiert Vendor App.", L"&Installieren",
       L"Abbrechen", L"Das Update wurde installiert.", L"&Fertig"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTempDir dest;
    TSetupDriver setup;
    if (c.EnglishModule) setup.AddEnglishModule();
    setup.WriteScript(UpdateScript(dest.Path(), "[Files]\napp.txt=0\n"));
    setup.WriteFile(L"app.txt", "new");
    HWND window = StartWizard(setup, c.Arguments);
    ASSERT_NE(window, nullptr);
    const std::wstring welcome = Joined(TSetupDriver::VisibleTexts(window));
    for (const wchar_t* part : {c.Welcome, c.Install, c.Cancel})
      EXPECT_NE(welcome.find(part), std::wstring::npos) << "missing " << testing::PrintToString(std::wstring(part))
                                                        << " in " << testing::PrintToString(welcome);

    ASSERT_TRUE(TSetupDriver::ClickButton(window, c.Install));
    ASSERT_TRUE(WaitForTextPart(window, c.Finish)) << Joined(TSetupDriver::VisibleTexts(window));
    EXPECT_TRUE(HasTextContaining(window, c.Success)) << Joined(TSetupDriver::VisibleTexts(window));
    EXPECT_EQ(ReadFileBytes(dest.File(L"app.txt")), "new");
    ASSERT_TRUE(TSetupDriver::ClickButton(window, c.Finish));
    EXPECT_EQ(setup.WaitForExit(), 0);
    EXPECT_TRUE(setup.OkSignalled());
  }
}

TEST(WizardMoreFlows, DiagnosticReportShowsItsLinesOnTheWelcomeAndTheFinishedPage) {
  TTempDir dest;
  TSetupDriver setup;
  setup.WriteScript(UpdateScript(dest.Path(), "[CreateDirs]\n1=logs|0\n[Files]\napp.txt=0\nrun.log=1\n"));
  setup.WriteFile(L"app.txt", "new");
  setup.WriteFile(L"run.log", "log");
  HWND window = StartWizard(setup);
  ASSERT_NE(window, nullptr);
  const std::wstring head = L"RegKey\tFound\tDefaultDir\tCurrentDir\tSubDir\tDefaultIdx";
  const std::wstring destRow = L"\t0\t" + dest.Path() + L"\t" + dest.Path();

  const std::vector<std::wstring> welcome = OpenReport(window);
  ASSERT_FALSE(welcome.empty()) << "no report after Ctrl+Alt+W; " << Joined(TSetupDriver::VisibleTexts(window));
  ASSERT_GE(welcome.size(), 4u) << Joined(welcome);
  EXPECT_EQ(welcome[0], L"Step: 1");
  EXPECT_EQ(welcome[1], L"Command line args: \"ger\"");
  EXPECT_EQ(welcome[2], head);
  EXPECT_EQ(welcome[3], destRow);
  // The directory to create has no path before the run; nothing is created or copied yet.
  ASSERT_EQ(welcome.size(), 5u) << Joined(welcome);
  EXPECT_EQ(welcome[4], L"\t0\t\t\tlogs\t0");

  ASSERT_TRUE(PressKeyChord(window, {}, VK_ESCAPE));
  const DWORD start = GetTickCount();
  while (!ShownReportLines(window).empty() && GetTickCount() - start < Timeout) Sleep(20);
  EXPECT_TRUE(ShownReportLines(window).empty()) << "Esc left the report shown";

  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Installieren"));
  ASSERT_TRUE(WaitForTextPart(window, L"&Fertig")) << Joined(TSetupDriver::VisibleTexts(window));
  const std::vector<std::wstring> finished = OpenReport(window);
  ASSERT_FALSE(finished.empty()) << "no report on the finished page";
  const std::wstring logs = dest.Path() + L"\\logs";
  // The files' destinations as the run keeps them, with a closing backslash.
  const std::vector<std::wstring> tail = {L"",      L"Created directories:", logs, L"", dest.Path() + L"\\",
                                          L"app.txt", L"", logs + L"\\", L"run.log", L"", L"OK"};
  ASSERT_GE(finished.size(), 5u) << Joined(finished);
  EXPECT_EQ(finished[0], L"Step: 4");
  EXPECT_EQ(finished[1], L"Command line args: \"ger\"");
  EXPECT_EQ(finished[2], head);
  EXPECT_EQ(finished[3], destRow);
  EXPECT_EQ(finished[4], L"\t0\t\t" + logs + L"\tlogs\t0");
  EXPECT_EQ(std::vector<std::wstring>(finished.begin() + 5, finished.end()), tail) << Joined(finished);
  ASSERT_TRUE(TSetupDriver::ClickButton(window, L"&Fertig"));
  EXPECT_EQ(setup.WaitForExit(), 0);
}
