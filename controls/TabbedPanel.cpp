#include "TabbedPanel.h"

#include "ControlUtils.h"

void TTabbedPanel::CreateTabbedPanel(HWND parent, int x, int y, int width, int height, const std::wstring& name) {
  CreateWithClass(L"TTabbedPanel", parent, x, y, width, height, name);
}

void TTabbedPanel::Load() {
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (TPanel* panel = TPanel::FromHandle(child)) {
      FPanelList.push_back(panel);
      panel->SetVisible(false);
    }
  }
}

void TTabbedPanel::ShowPanel(const TPanel* aPanel) {
  const std::wstring wanted = aPanel ? AsciiLowerCase(aPanel->Name()) : std::wstring();
  const TRedrawLock oneRepaint(Handle());
  for (TPanel* page : FPanelList) {
    // A page destroyed behind the container's back is skipped, not touched.
    if (!page->Handle()) continue;
    page->SetVisible(aPanel && AsciiLowerCase(page->Name()) == wanted);
  }
}
