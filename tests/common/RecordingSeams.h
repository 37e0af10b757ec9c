#pragma once
// A recording implementation of the engine's seams for engine and window tests. Every call
// is appended to Calls as text ("SetProgressMax(10)", "ShowCopyFile(a.dll|C:\App)"), and
// the latest values are kept in fields. EndNow records "EndNow" and throws TImmediateEnd,
// which the test catches where the window's message loop would.
//
//   TRecordingSeams seams;
//   RunSomething(state, seams.Seams());
//   EXPECT_EQ(seams.Calls.front(), L"ShowProgressPage");
//
// Header only: the engine's headers are not visible to every test program.
#include <functional>
#include <string>
#include <vector>

#include "EngineSeams.h"

class TRecordingSeams : public TRunDisplay, public TAppServices {
public:
  std::vector<std::wstring> Calls;
  int ProgressMax = 0;
  int ProgressPosition = 0;
  std::wstring CopyFileText;
  std::wstring CopyDirText;
  std::wstring FinishedText;
  int ExitCodeValue = 0;
  bool TerminateRequested = false;
  int ProcessMessagesCount = 0;
  std::vector<TAppCursor> Cursors;  // every cursor set, in order
  HWND Owner = nullptr;
  // Runs inside ProcessMessages, e.g. to play a click on the cancel button during a copy.
  std::function<void()> OnProcessMessages;

  TEngineSeams Seams() { return TEngineSeams{*this, *this}; }

  void ShowProgressPage() override { Calls.push_back(L"ShowProgressPage"); }
  void ShowCopyFile(const std::wstring& fileText, const std::wstring& dirText) override {
    CopyFileText = fileText;
    CopyDirText = dirText;
    Calls.push_back(L"ShowCopyFile(" + fileText + L"|" + dirText + L")");
  }
  void SetProgressMax(int max) override {
    ProgressMax = max;
    ProgressPosition = 0;
    Calls.push_back(L"SetProgressMax(" + std::to_wstring(max) + L")");
  }
  void SetProgressPosition(int position) override {
    ProgressPosition = position;
    Calls.push_back(L"SetProgressPosition(" + std::to_wstring(position) + L")");
  }
  void ShowFinishedText(const std::wstring& text) override {
    FinishedText = text;
    Calls.push_back(L"ShowFinishedText(" + text + L")");
  }

  void ProcessMessages() override {
    ++ProcessMessagesCount;
    if (OnProcessMessages) OnProcessMessages();
  }
  int ExitCode() const override { return ExitCodeValue; }
  void SetExitCode(int code) override {
    ExitCodeValue = code;
    Calls.push_back(L"SetExitCode(" + std::to_wstring(code) + L")");
  }
  void Terminate() override {
    TerminateRequested = true;
    Calls.push_back(L"Terminate");
  }
  [[noreturn]] void EndNow() override {
    Calls.push_back(L"EndNow");
    throw TImmediateEnd{};
  }
  HWND OwnerWindow() const override { return Owner; }
  void SetAppCursor(TAppCursor cursor) override { Cursors.push_back(cursor); }
};
