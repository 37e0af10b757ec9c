#pragma once
// The engine state right after reading, as script authors look at it.
#include <string>

#include "EngineState.h"

// One JSON object with the directories, files, lists, texts and colours.
std::wstring StateToJson(const TEngineState& state, int language);
// The same content for people, one item a line.
std::wstring StateToText(const TEngineState& state, int language);
// {"error":"<message>"}
std::wstring ErrorToJson(const std::wstring& message);
