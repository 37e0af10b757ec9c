#include "ErrorDisplay.h"

std::wstring ErrorDisplayText(const std::wstring& message) {
  if (!message.empty() && message.back() > L'.') return message + L'.';
  return message;
}

void ShowErrorBox(HWND owner, const std::wstring& title, const std::wstring& message) {
  MessageBoxW(owner, ErrorDisplayText(message).c_str(), title.c_str(), MB_OK | MB_ICONERROR);
}
