#include "TestWindow.h"

TTestForm::TTestForm(int clientWidth, int clientHeight, const std::wstring& caption) {
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_VISIBLE;
  RECT rect{0, 0, clientWidth, clientHeight};
  AdjustWindowRectEx(&rect, style, FALSE, 0);
  Create(L"TTestForm", 0, style, 0, 0, rect.right - rect.left, rect.bottom - rect.top, nullptr, caption,
         GetSysColorBrush(COLOR_BTNFACE));
  LOGFONTW font{};
  font.lfHeight = -11;
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpyW(font.lfFaceName, L"MS Shell Dlg 2");
  FFont = CreateFontIndirectW(&font);
  PumpMessages(20);
}

TTestForm::~TTestForm() {
  if (Handle()) DestroyWindow(Handle());
  if (FFont) DeleteObject(FFont);
}

void PumpMessages(int milliseconds) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(milliseconds);
  do {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(1);
  } while (static_cast<LONG>(GetTickCount() - end) < 0);
}
