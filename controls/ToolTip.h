#pragma once
// A hint for one window: a tooltip control that shows Text while the mouse rests on the
// window, as long as it is active and Text is not empty.
#include <windows.h>

#include <string>

class TToolTip {
public:
  TToolTip() = default;
  ~TToolTip();
  TToolTip(const TToolTip&) = delete;
  TToolTip& operator=(const TToolTip&) = delete;

  // Attaches the tooltip to tool; the tooltip window is created on first use.
  void Attach(HWND tool);
  void SetText(const std::wstring& text);
  void SetActive(bool active);
  const std::wstring& Text() const noexcept { return FText; }
  bool Active() const noexcept { return FActive; }
  HWND Handle() const noexcept { return FTip; }

private:
  void Apply();

  HWND FTool = nullptr;
  HWND FTip = nullptr;
  std::wstring FText;
  bool FActive = false;
};
