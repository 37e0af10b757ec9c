#pragma once
// Colour names of the setup script.
#include <string>

#include "EngineState.h"

// WINDOW, BLACK, WHITE, BLUE, RED or GREEN in any letter case (ASCII letters only);
// anything else, numbers included, gives none.
TColorValue ColorFromName(const std::wstring& name);
