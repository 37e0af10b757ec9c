#pragma once
// The wizard's page area: a plain panel whose child panels are the pages, of which one is
// shown at a time, chosen by the page's name.
#include <vector>

#include "Panel.h"

class TTabbedPanel : public TPanel {
public:
  TTabbedPanel() = default;

  void CreateTabbedPanel(HWND parent, int x, int y, int width, int height, const std::wstring& name = L"");

  // Appends every direct child that is a panel to the pages, in the order of the children,
  // and hides it. Other children stay as they are. The list is not emptied first.
  void Load();
  // Shows the pages whose name equals aPanel's name (ASCII letters compared without case)
  // and hides the others; nullptr hides every page. Focus and child order stay unchanged.
  void ShowPanel(const TPanel* aPanel);
  int PanelCount() const noexcept { return static_cast<int>(FPanelList.size()); }

private:
  std::vector<TPanel*> FPanelList;  // not owned: the pages are the container's children
};
