#pragma once
// A paint area that draws nothing: a clickable place laid over other controls (the
// footer link over its caption). It shows the hand cursor while enabled; a disabled one
// reacts to nothing.
#include "Events.h"
#include "WindowBase.h"

class TPaintBox : public TWindowBase {
public:
  void CreatePaintBox(HWND parent, int x, int y, int width, int height);
  bool Enabled() const;
  void SetEnabled(bool value);

  TNotifyEvent OnClick;

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  bool FPressed = false;
};
