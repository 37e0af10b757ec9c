#pragma once
// A shown top-level window for window tests under Xvfb, and a bounded message pump.
#include <windows.h>

#include <string>

#include "WindowBase.h"

class TTestForm : public TWindowBase {
public:
  // A shown, non-resizable window with the given client size at the screen's top left, and
  // the dialog font "MS Shell Dlg 2" of 11 pixels for its controls.
  TTestForm(int clientWidth, int clientHeight, const std::wstring& caption = L"Test");
  ~TTestForm() override;
  HFONT Font() const noexcept { return FFont; }

private:
  HFONT FFont = nullptr;
};

// Handles the pending messages of the thread for about milliseconds.
void PumpMessages(int milliseconds = 50);
