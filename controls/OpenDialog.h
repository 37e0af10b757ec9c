#pragma once
// The system's file-open dialog with an initial directory and file name.
#include <windows.h>

#include <string>

class TOpenDialog {
public:
  virtual ~TOpenDialog() = default;

  std::wstring Title;
  std::wstring Filter;  // pairs separated by "|": "Text files|*.txt|All files|*.*"
  std::wstring InitialDir;
  std::wstring FileName;  // in: the proposed name; out: the chosen file's full path

  // Shows the dialog; true when the user confirmed a file (FileName then holds it).
  virtual bool Execute(HWND owner);
};
