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

namespace {

// Whether child lies over the whole client area of its parent.
bool CoversParent(HWND child) {
  RECT client;
  GetClientRect(GetParent(child), &client);
  const RECT area = ChildRect(child);
  return area.left <= client.left && area.top <= client.top && area.right >= client.right &&
         area.bottom >= client.bottom;
}

}  // namespace

void TTabbedPanel::ShowPanel(const TPanel* aPanel) {
  const std::wstring wanted = aPanel ? AsciiLowerCase(aPanel->Name()) : std::wstring();
  bool covered = false;
  {
    const TRedrawLock oneRepaint(Handle());
    for (TPanel* page : FPanelList) {
      // A page destroyed behind the container's back is skipped, not touched.
      if (!page->Handle()) continue;
      const bool shown = aPanel && AsciiLowerCase(page->Name()) == wanted;
      page->SetVisible(shown);
      covered = covered || (shown && CoversParent(page->Handle()));
    }
  }
  // A page that fills the container hides it whole: only the page needs painting.
  if (covered) RedrawWindow(Handle(), nullptr, nullptr, RDW_VALIDATE | RDW_NOERASE | RDW_NOFRAME | RDW_NOCHILDREN);
}
