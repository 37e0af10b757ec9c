#include "WindowBase.h"

#include <commctrl.h>

#include "Exceptions.h"

namespace {
TWindowErrorHandler& ErrorHandler() {
  static TWindowErrorHandler handler;
  return handler;
}

// A child window that has nothing outside its client area: no frame, edge or scroll bar.
bool IsFramelessChild(HWND window) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  return (style & WS_CHILD) && !(style & (WS_BORDER | WS_DLGFRAME | WS_THICKFRAME | WS_VSCROLL | WS_HSCROLL)) &&
         !(exStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME));
}
}  // namespace

TWindowErrorHandler SetWindowErrorHandler(TWindowErrorHandler handler) {
  TWindowErrorHandler previous = std::move(ErrorHandler());
  ErrorHandler() = std::move(handler);
  return previous;
}

void HandleCallbackException() noexcept {
  try {
    try {
      throw;
    } catch (const Exception& e) {
      if (ErrorHandler()) ErrorHandler()(e);
      else MessageBeep(MB_ICONERROR);
    } catch (const std::bad_alloc&) {
      if (ErrorHandler()) ErrorHandler()(Exception(L"Out of memory"));
      else MessageBeep(MB_ICONERROR);
    } catch (const std::exception& e) {
      std::string what = e.what();
      if (ErrorHandler()) ErrorHandler()(Exception(std::wstring(what.begin(), what.end())));
      else MessageBeep(MB_ICONERROR);
    }
  } catch (...) {
    // The handler itself failed or the error was of an unknown kind: nothing more to do.
  }
}

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
  return text;
}

std::wstring SysErrorMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::wstring text = length && buffer ? std::wstring(buffer, length) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return text;
}

TWindowBase::~TWindowBase() {
  if (FHandle) {
    HWND window = FHandle;
    if (FSubclassed) RemoveWindowSubclass(window, SubclassProc, 0);
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    FHandle = nullptr;
    DestroyWindow(window);
  }
}

void TWindowBase::Create(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int width, int height,
                         HWND parent, const std::wstring& text, HBRUSH background, UINT classStyle) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW info{};
  info.cbSize = sizeof info;
  if (!GetClassInfoExW(instance, className, &info)) {
    info = WNDCLASSEXW{};
    info.cbSize = sizeof info;
    info.style = classStyle;
    info.lpfnWndProc = ClassProc;
    info.hInstance = instance;
    info.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    info.hbrBackground = background;
    info.lpszClassName = className;
    if (!RegisterClassExW(&info)) throw Exception(SysErrorMessage(GetLastError()));
  }
  if (!CreateWindowExW(exStyle, className, text.c_str(), style, x, y, width, height, parent, nullptr, instance,
                       this))
    throw Exception(SysErrorMessage(GetLastError()));
}

void TWindowBase::CreateControl(const wchar_t* systemClass, DWORD exStyle, DWORD style, int x, int y, int width,
                                int height, HWND parent, const std::wstring& text, int id) {
  HWND window = CreateWindowExW(exStyle, systemClass, text.c_str(), style, x, y, width, height, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!window) throw Exception(SysErrorMessage(GetLastError()));
  FHandle = window;
  FSubclassed = true;
  SetWindowSubclass(window, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT TWindowBase::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefaultHandling(message, wParam, lParam);
}

LRESULT TWindowBase::DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam) {
  if (FSubclassed) return DefSubclassProc(FHandle, message, wParam, lParam);
  // A window of the program's own classes without frame or scroll bars has nothing outside
  // its client area. The system's handling would still fetch a device context for the whole
  // window to draw nothing, at the price of a round trip to the window server per repaint.
  if (message == WM_NCPAINT && IsFramelessChild(FHandle)) return 0;
  return DefWindowProcW(FHandle, message, wParam, lParam);
}

LRESULT TWindowBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return HandleMessage(message, wParam, lParam);
  } catch (...) {
    HandleCallbackException();
  }
  try {
    return DefaultHandling(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT CALLBACK TWindowBase::ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<TWindowBase*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self && message == WM_NCCREATE) {
    self = static_cast<TWindowBase*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    if (self) {
      self->FHandle = window;
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
  }
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  const LRESULT result = self->Dispatch(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->FHandle = nullptr;
    self->WindowDestroyed();
  }
  return result;
}

LRESULT CALLBACK TWindowBase::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR data) {
  auto* self = reinterpret_cast<TWindowBase*>(data);
  if (!self) return DefSubclassProc(window, message, wParam, lParam);
  const LRESULT result = self->Dispatch(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, SubclassProc, 0);
    self->FHandle = nullptr;
    self->FSubclassed = false;
    self->WindowDestroyed();
  }
  return result;
}
