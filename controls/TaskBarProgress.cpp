#include "TaskBarProgress.h"

#include <shobjidl.h>

#include "ProgressLogic.h"

TTaskBarProgress::TTaskBarProgress() {
  // Registered once per process; the shell sends it to every new taskbar button's window.
  ButtonCreatedMessage();
}

TTaskBarProgress::~TTaskBarProgress() {
  if (FList) FList->Release();
  if (FComInitialized) CoUninitialize();
}

UINT TTaskBarProgress::ButtonCreatedMessage() noexcept {
  static const UINT message = RegisterWindowMessageW(L"TaskbarButtonCreated");
  return message;
}

ITaskbarList3* TTaskBarProgress::List() {
  if (FList || FTried) return FList;
  FTried = true;
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  FComInitialized = SUCCEEDED(init);
  ITaskbarList3* list = nullptr;
  if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                              reinterpret_cast<void**>(&list))) ||
      !list)
    return nullptr;
  if (FAILED(list->HrInit())) {
    list->Release();
    return nullptr;
  }
  FList = list;
  return FList;
}

void TTaskBarProgress::SetActive(bool active) {
  if (active == FActive) return;
  FActive = active;
  Show();
}

void TTaskBarProgress::SetProgress(int position, int minValue, int maxValue) {
  FPosition = position;
  FMin = minValue;
  FMax = maxValue;
  if (FActive) Show();
}

void TTaskBarProgress::ButtonCreated() {
  FShownState = FShownPercent = -1;
  if (FActive) Show();
}

void TTaskBarProgress::Show() {
  const int state = FActive ? TBPF_NORMAL : TBPF_NOPROGRESS;
  const int percent = FActive ? ProgressPercent(FPosition, FMin, FMax) : -1;
  if (state == FShownState && percent == FShownPercent) return;
  if (!FWindow || !IsWindow(FWindow)) return;
  // Creating the shell object is only worth it once the indicator is wanted.
  if (!FActive && !FList) return;
  ITaskbarList3* list = List();
  if (!list) return;
  HWND root = GetAncestor(FWindow, GA_ROOT);
  if (state != FShownState) list->SetProgressState(root, static_cast<TBPFLAG>(state));
  if (FActive) list->SetProgressValue(root, static_cast<ULONGLONG>(percent), 100);
  FShownState = state;
  FShownPercent = percent;
}
