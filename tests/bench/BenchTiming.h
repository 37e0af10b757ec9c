#pragma once
// Time and averages for the benchmark programs.
#include <windows.h>

#include <algorithm>
#include <vector>

// Seconds on the performance counter (only differences mean anything).
inline double Seconds() {
  static const LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The middle value (the upper one of an even count); values must not be empty.
inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}
