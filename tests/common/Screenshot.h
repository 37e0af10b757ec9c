#pragma once
// Screenshots for people to look at: a window as it is drawn on the screen, saved as a PNG
// file in the test artefacts folder.
#include <windows.h>

#include <string>

// Paints window with its children now and saves what the screen shows of its client area as
// TEST_ARTIFACTS_DIR\fileName (fileName ends in ".png"). The window must be shown.
// Returns false (and fails the calling test) when it cannot. Without repaint, the screen is
// taken as it is: a window of a busy program that looks at its messages only now and
// then would answer a forced repaint only after many of its looks.
bool SaveWindowScreenshot(HWND window, const std::wstring& fileName, bool repaint = true);

// Encodes 24-bit pixels, rows top to bottom, each row width * 3 bytes in red, green, blue
// order, as a PNG file (stored, uncompressed deflate blocks).
std::string EncodePng(int width, int height, const std::string& rgbRows);
