#pragma once
// Texts of the message table, read from the current resource source: the program file
// itself, or the language module once the language switcher has loaded one. There is no
// per-text fall-back: the source holds every text.
#include <windows.h>

#include <initializer_list>
#include <string>

#include "Format.h"

HMODULE CurrentResourceModule() noexcept;
// nullptr selects the program file again.
void SetCurrentResourceModule(HMODULE module) noexcept;

// The text with the given identifier; empty when the source lacks it.
std::wstring LoadResString(unsigned id);
// Format(LoadResString(id), args).
std::wstring FmtLoadStr(unsigned id, std::initializer_list<TFormatArg> args);
