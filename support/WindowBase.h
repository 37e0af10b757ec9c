#pragma once
// The window-class idiom, written once. A C++ object owns one window: either a window of
// its own class (Create) or a standard control that it subclasses (Subclass). Every
// message goes to the virtual HandleMessage. No exception leaves a window procedure: an
// error is handed to the window error handler (the wizard shows it in a message box)
// and the message gets its default handling.
#include <windows.h>

#include <functional>
#include <string>

class Exception;

class TWindowBase {
public:
  TWindowBase() = default;
  TWindowBase(const TWindowBase&) = delete;
  TWindowBase& operator=(const TWindowBase&) = delete;
  virtual ~TWindowBase();  // destroys the window if it still exists

  HWND Handle() const noexcept { return FHandle; }

  // Registers the class on first use (arrow cursor, no background brush unless given)
  // and creates the window; raises Exception with the system's text when that fails.
  void Create(const wchar_t* className, DWORD exStyle, DWORD style, int x, int y, int width, int height,
              HWND parent, const std::wstring& text = L"", HBRUSH background = nullptr, UINT classStyle = 0);
  // Creates a window of a system class (EDIT, BUTTON, STATIC ...) and subclasses it.
  void CreateControl(const wchar_t* systemClass, DWORD exStyle, DWORD style, int x, int y, int width, int height,
                     HWND parent, const std::wstring& text = L"", int id = 0);

protected:
  // Default: DefWindowProcW for own classes (a frameless child skips the empty non-client
  // paint), the control's own procedure for subclassed ones.
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultHandling(UINT message, WPARAM wParam, LPARAM lParam);
  // Called after WM_NCDESTROY; the handle is already gone.
  virtual void WindowDestroyed() {}

private:
  static LRESULT CALLBACK ClassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR data);
  LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  HWND FHandle = nullptr;
  bool FSubclassed = false;
};

// The window's text, whole.
std::wstring WindowText(HWND window);

// Where errors that reach a window procedure or callback go. The default handler beeps;
// the wizard installs the general error display. Returns the previous handler.
using TWindowErrorHandler = std::function<void(const Exception&)>;
TWindowErrorHandler SetWindowErrorHandler(TWindowErrorHandler handler);
// Call inside a catch (...) block: hands the current exception to the handler and never throws.
void HandleCallbackException() noexcept;

// The system's text for a platform error code, trailing control characters, blanks and
// full stops removed.
std::wstring SysErrorMessage(DWORD code);
