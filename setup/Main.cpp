// Program entry. For now a placeholder window that shows the program is alive; the
// wizard window replaces it.
#include <windows.h>

#include "ResString.h"

namespace {

LRESULT CALLBACK PlaceholderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = PlaceholderProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"TFormMain";
  if (!RegisterClassExW(&windowClass)) return 100;

  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"Setup", WS_CAPTION | WS_SYSMENU, CW_USEDEFAULT,
                                CW_USEDEFAULT, 440, 325, nullptr, nullptr, instance, nullptr);
  if (!window) return 100;
  CreateWindowExW(0, L"STATIC", L"Setup", WS_CHILD | WS_VISIBLE | SS_CENTER, 10, 120, 400, 20, window, nullptr,
                  instance, nullptr);
  ShowWindow(window, showCommand);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
