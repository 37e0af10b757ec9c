#include "OpenDialog.h"

#include <commdlg.h>

#include <vector>

bool TOpenDialog::Execute(HWND owner) {
  // Large enough for any path the file system accepts.
  std::vector<wchar_t> file(32768, L'\0');
  FileName.copy(file.data(), file.size() - 1);
  std::wstring filter = Filter;
  for (wchar_t& c : filter)
    if (c == L'|') c = L'\0';
  filter += std::wstring(2, L'\0');

  OPENFILENAMEW info{};
  info.lStructSize = sizeof info;
  info.hwndOwner = owner;
  info.lpstrFilter = Filter.empty() ? nullptr : filter.c_str();
  info.lpstrFile = file.data();
  info.nMaxFile = static_cast<DWORD>(file.size());
  info.lpstrInitialDir = InitialDir.empty() ? nullptr : InitialDir.c_str();
  info.lpstrTitle = Title.empty() ? nullptr : Title.c_str();
  info.Flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!GetOpenFileNameW(&info)) return false;
  FileName = file.data();
  return true;
}
