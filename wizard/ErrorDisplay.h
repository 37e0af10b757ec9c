#pragma once
// The general error display: an error that leaves a handler of the main window is shown
// in a message box and the program goes on.
#include <windows.h>

#include <string>

// The message as the box shows it: a full stop is appended when the message is not empty
// and its last character's code lies above that of ".", so a message that already ends
// with a full stop, a blank, a line break or another punctuation mark below "." stays as
// it is.
std::wstring ErrorDisplayText(const std::wstring& message);

// Shows the message (ErrorDisplayText) in a modal box owned by owner, with title as the
// box's title, the error icon and one OK button.
void ShowErrorBox(HWND owner, const std::wstring& title, const std::wstring& message);
