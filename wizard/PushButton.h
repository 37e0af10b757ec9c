#pragma once
// A push button with an integer tag (the action it stands for) and a default flag (the
// button Enter presses, drawn with the heavier frame).
#include <string>

#include "Events.h"
#include "WindowBase.h"

class TPushButton : public TWindowBase {
public:
  void CreateButton(HWND parent, int x, int y, int width, int height);

  std::wstring Caption() const;
  void SetCaption(const std::wstring& caption);
  int Tag() const noexcept { return FTag; }
  void SetTag(int tag) noexcept { FTag = tag; }
  bool Visible() const;
  void SetVisible(bool value);
  bool Enabled() const;
  void SetEnabled(bool value);
  bool Default() const noexcept { return FDefault; }
  void SetDefault(bool value);
  // What a click does: raises OnClick.
  void Click();

  TNotifyEvent OnClick;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  int FTag = 0;
  bool FDefault = false;
};
