#pragma once
// The footer's pure rules: where the bevel line runs beside the caption, and which
// captions are web addresses that the footer link opens.
#include <string>

struct THorizontalPlace {
  int Left = 0;
  int Width = 0;
};

// The bevel starts one label margin after the caption and ends one label margin before
// the panel's right edge. labelLeft is also that margin.
THorizontalPlace FooterBevelPlace(int labelLeft, int labelWidth, int panelWidth);

// True when text, its ASCII letters lower-cased, begins with "www." or "http:".
bool IsFooterLink(const std::wstring& text);
