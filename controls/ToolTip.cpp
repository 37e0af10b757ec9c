#include "ToolTip.h"

#include <commctrl.h>

#include "ControlUtils.h"

TToolTip::~TToolTip() {
  if (FTip && IsWindow(FTip)) DestroyWindow(FTip);
}

void TToolTip::Attach(HWND tool) {
  FTool = tool;
  Apply();
}

void TToolTip::SetText(const std::wstring& text) {
  if (text == FText) return;
  FText = text;
  Apply();
}

void TToolTip::SetActive(bool active) {
  if (active == FActive) return;
  FActive = active;
  Apply();
}

void TToolTip::Apply() {
  if (!FTool) return;
  const bool show = FActive && !FText.empty();
  if (!FTip) {
    if (!show) return;  // no window until a hint is shown for the first time
    InitControls();
    FTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0, 0,
                           0, 0, FTool, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!FTip) return;  // a missing hint is no reason to fail the control
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V1_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = FTool;
    info.uId = reinterpret_cast<UINT_PTR>(FTool);
    info.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(FTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(FTip, TTM_SETMAXTIPWIDTH, 0, 600);
  }
  TTTOOLINFOW info{};
  info.cbSize = TTTOOLINFOW_V1_SIZE;
  info.hwnd = FTool;
  info.uId = reinterpret_cast<UINT_PTR>(FTool);
  info.lpszText = const_cast<wchar_t*>(FText.c_str());
  SendMessageW(FTip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
  SendMessageW(FTip, TTM_ACTIVATE, show, 0);
}
