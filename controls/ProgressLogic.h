#pragma once
// The progress bar's arithmetic, free of windows.
#include <windows.h>

#include <string>

// The smallest change of the position that is shown: maxValue div barWidth - 1 (truncating
// toward zero), so the display moves in steps of about one pixel. A bar without width
// keeps the previous rate. A negative rate shows every change.
int ValueRefreshRate(int maxValue, int barWidth, int previousRate) noexcept;
// Whether position has moved far enough from the value shown last to be shown.
bool IsRefreshDue(int position, int lastShown, int rate) noexcept;
// a + b, held within the range of int instead of overflowing.
int AddClamped(int a, int b) noexcept;

// Client rectangles of the inner bar and of the cancel button in a control of the given
// size: the button is square at the right end when visible, zero wide otherwise.
struct TProgressLayout {
  RECT Bar;
  RECT Button;
};
TProgressLayout ProgressBarLayout(int width, int height, bool buttonVisible) noexcept;

// Percentage of position within [minValue, maxValue], 0 to 100, rounded down.
int ProgressPercent(int position, int minValue, int maxValue) noexcept;
// The text the bar shows: "42%".
std::wstring ProgressText(int percent);
