#pragma once
// Picture files for tests, built in memory.
#include <windows.h>

#include <string>

// A 24-bit Windows bitmap file of the size: a vertical gradient from top to bottom colour.
std::string MakeBmpFile(int width, int height, COLORREF top, COLORREF bottom);
