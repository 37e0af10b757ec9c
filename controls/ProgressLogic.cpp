#include "ProgressLogic.h"

#include <climits>
#include <cstdlib>

int ValueRefreshRate(int maxValue, int barWidth, int previousRate) noexcept {
  if (barWidth <= 0) return previousRate;
  return maxValue / barWidth - 1;
}

bool IsRefreshDue(int position, int lastShown, int rate) noexcept {
  const long long distance = std::llabs(static_cast<long long>(position) - lastShown);
  return distance >= rate;
}

int AddClamped(int a, int b) noexcept {
  const long long sum = static_cast<long long>(a) + b;
  if (sum > INT_MAX) return INT_MAX;
  if (sum < INT_MIN) return INT_MIN;
  return static_cast<int>(sum);
}

TProgressLayout ProgressBarLayout(int width, int height, bool buttonVisible) noexcept {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  const int buttonWidth = buttonVisible ? (height < width ? height : width) : 0;
  TProgressLayout layout{};
  layout.Button = RECT{width - buttonWidth, 0, width, buttonVisible ? height : 0};
  layout.Bar = RECT{0, 0, width - buttonWidth, height};
  return layout;
}

int ProgressPercent(int position, int minValue, int maxValue) noexcept {
  const long long range = static_cast<long long>(maxValue) - minValue;
  if (range <= 0) return position >= maxValue ? 100 : 0;
  const long long done = static_cast<long long>(position) - minValue;
  if (done <= 0) return 0;
  if (done >= range) return 100;
  return static_cast<int>(done * 100 / range);
}

std::wstring ProgressText(int percent) { return std::to_wstring(percent) + L"%"; }
