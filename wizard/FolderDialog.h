#pragma once
// The system's folder selection dialog.
#include <windows.h>

#include <optional>
#include <string>

// Flags of the dialog: only file-system folders, the resizable new style, no button to
// create a folder (BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_NONEWFOLDERBUTTON).
constexpr UINT FolderDialogFlags = 0x241;

// Shows the dialog owned by owner, without a root restriction. startDir is selected at
// start when it names an existing directory. The chosen folder's path, or none when the
// user cancels or the choice has no file-system path.
std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& title, const std::wstring& startDir);
