#pragma once
// The process-wide language: 0 until start-up has chosen, then 1031 (German) or
// 1033 (English). The script reader and the DLL hooks read it.
constexpr int LANG_ID_GERMAN = 1031;
constexpr int LANG_ID_ENGLISH = 1033;

int CurrentLanguage() noexcept;
void SetCurrentLanguage(int language) noexcept;
