#include "FolderDialog.h"

#include <objbase.h>
#include <shlobj.h>

#include <memory>

namespace {

bool IsExistingDir(const std::wstring& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The new dialog style hosts shell views, which need COM on this thread. A thread that
// already has COM keeps its own setting; only a successful initialisation is undone.
class TComScope {
public:
  TComScope() : FInitialized(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~TComScope() {
    if (FInitialized) CoUninitialize();
  }
  TComScope(const TComScope&) = delete;
  TComScope& operator=(const TComScope&) = delete;

private:
  bool FInitialized;
};

struct TItemIdListFree {
  void operator()(ITEMIDLIST* list) const noexcept { CoTaskMemFree(list); }
};
using TItemIdList = std::unique_ptr<ITEMIDLIST, TItemIdListFree>;

int CALLBACK SelectStartDir(HWND dialog, UINT message, LPARAM, LPARAM data) {
  // The dialog exists only now; before, there is nothing to select in.
  if (message == BFFM_INITIALIZED && data) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, data);
  return 0;
}

}  // namespace

std::optional<std::wstring> BrowseForFolder(HWND owner, const std::wstring& title, const std::wstring& startDir) {
  TComScope com;
  BROWSEINFOW info{};
  info.hwndOwner = owner;
  info.lpszTitle = title.c_str();
  info.ulFlags = FolderDialogFlags;
  info.lpfn = SelectStartDir;
  info.lParam = IsExistingDir(startDir) ? reinterpret_cast<LPARAM>(startDir.c_str()) : 0;
  const TItemIdList chosen(SHBrowseForFolderW(&info));
  if (!chosen) return std::nullopt;
  // The function fills at most MAX_PATH characters and fails for a longer path.
  wchar_t path[MAX_PATH] = {};
  if (!SHGetPathFromIDListW(chosen.get(), path)) return std::nullopt;
  return std::wstring(path);
}
