#pragma once
// The seams through which the engine meets the user. The engine knows no window: the main
// window implements these interfaces, tests use a recording implementation. Messages and
// questions go through MessageDialog of QXDialogs; tests answer them with a dialog
// responder (SetDialogResponder).
#include <windows.h>

#include <string>

// Process exit codes.
constexpr int ecSuccess = 0;
constexpr int ecStartupFailed = 100;   // the script is missing or invalid
constexpr int ecVersionRefused = 101;  // the needed-file-versions check ended the setup
constexpr int ecCanceled = 102;        // the user cancelled, or a before-hook said no

// The run display: what the installation run shows on the wizard while it works.
class TRunDisplay {
public:
  virtual ~TRunDisplay() = default;
  // The progress page (page 3).
  virtual void ShowProgressPage() = 0;
  // The file line and the directory line of the progress page.
  virtual void ShowCopyFile(const std::wstring& fileText, const std::wstring& dirText) = 0;
  // The progress bar's maximum becomes max and its position 0.
  virtual void SetProgressMax(int max) = 0;
  virtual void SetProgressPosition(int position) = 0;
  // The finished page (page 4) with text.
  virtual void ShowFinishedText(const std::wstring& text) = 0;
};

enum class TAppCursor { Default, Hourglass };

// Thrown by test implementations of TAppServices::EndNow, so that a test regains control
// where the real program would have ended. It is no error of the program's hierarchy, so
// the engine's handlers, which catch Exception, let it pass.
struct TImmediateEnd {};

// Application services: exit code, ending, pending messages, the hooks' owner window and
// the application-wide cursor.
class TAppServices {
public:
  virtual ~TAppServices() = default;
  // Handles pending window messages (cheap when called often). The user may cancel while
  // it runs, so EndNow can be reached from inside it.
  virtual void ProcessMessages() = 0;
  virtual int ExitCode() const = 0;
  virtual void SetExitCode(int code) = 0;
  // Asks the application to terminate: the message loop ends when it next looks, and the
  // main window is destroyed on the way out. Returns at once.
  virtual void Terminate() = 0;
  // Ends the process at once with the exit code in force; does not return to the caller.
  // The main window is still destroyed on the way out. The window does it by destroying
  // itself (which frees the engine state and signals the events) and then calling
  // ExitProcess: an exception could not unwind through the system's message-dispatch
  // frames between the caller and the message loop.
  [[noreturn]] virtual void EndNow() = 0;
  // The top-level window that owns the wizard; hooks own their dialogs with it.
  virtual HWND OwnerWindow() const = 0;
  virtual void SetAppCursor(TAppCursor cursor) = 0;
};

// The hourglass for a scope; the default arrow again on every way out.
class TBusyCursorScope {
public:
  explicit TBusyCursorScope(TAppServices& app) : FApp(app) { FApp.SetAppCursor(TAppCursor::Hourglass); }
  ~TBusyCursorScope() { FApp.SetAppCursor(TAppCursor::Default); }
  TBusyCursorScope(const TBusyCursorScope&) = delete;
  TBusyCursorScope& operator=(const TBusyCursorScope&) = delete;

private:
  TAppServices& FApp;
};

// What an engine operation that reaches the user is given.
struct TEngineSeams {
  TRunDisplay& Display;
  TAppServices& App;
};
