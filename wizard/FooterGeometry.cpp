#include "FooterGeometry.h"

#include "ControlUtils.h"

THorizontalPlace FooterBevelPlace(int labelLeft, int labelWidth, int panelWidth) {
  const int left = 2 * labelLeft + labelWidth;
  return {left, panelWidth - left - labelLeft};
}

bool IsFooterLink(const std::wstring& text) {
  const std::wstring lower = AsciiLowerCase(text);
  return lower.starts_with(L"www.") || lower.starts_with(L"http:");
}
