#pragma once
// Event types of the controls. A handler receives the control that raised the event.
#include <windows.h>

#include <functional>

class TWindowBase;

using TNotifyEvent = std::function<void(TWindowBase& sender)>;

enum TMouseButton : unsigned char { mbLeft, mbRight, mbMiddle };
// x and y are client coordinates of the sender; keys are the MK_* flags of the message.
using TMouseEvent = std::function<void(TWindowBase& sender, TMouseButton button, WPARAM keys, int x, int y)>;
using TMouseMoveEvent = std::function<void(TWindowBase& sender, WPARAM keys, int x, int y)>;
