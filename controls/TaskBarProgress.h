#pragma once
// The progress indicator on the program's taskbar button (ITaskbarList3). Where the shell
// does not offer it (older systems, Wine, no taskbar button yet) every call does nothing.
#include <windows.h>

class ITaskbarList3;

class TTaskBarProgress {
public:
  TTaskBarProgress();
  ~TTaskBarProgress();
  TTaskBarProgress(const TTaskBarProgress&) = delete;
  TTaskBarProgress& operator=(const TTaskBarProgress&) = delete;

  // The window whose top-level window carries the taskbar button.
  void Link(HWND window) noexcept {
    FWindow = window;
    FShownState = FShownPercent = -1;
  }
  bool Active() const noexcept { return FActive; }
  void SetActive(bool active);
  // Mirrors the position; shown while active. The shell is told only of a new state and
  // of a new whole percentage, the bar's own: a call to it costs far more than a step of
  // the bar, which moves hundreds of times during a copy.
  void SetProgress(int position, int minValue, int maxValue);
  // The shell's message to a top-level window whose taskbar button has just been created;
  // a window that receives it calls ButtonCreated, because the shell forgets the state.
  static UINT ButtonCreatedMessage() noexcept;
  void ButtonCreated();

private:
  ITaskbarList3* List();
  void Show();

  HWND FWindow = nullptr;
  bool FActive = false;
  int FPosition = 0, FMin = 0, FMax = 100;
  ITaskbarList3* FList = nullptr;  // owned reference
  bool FTried = false;             // creation failed once: do not try on every step
  bool FComInitialized = false;
  // What the shell was last told; -1: nothing yet, or the button was created anew.
  int FShownState = -1;
  int FShownPercent = -1;
};
