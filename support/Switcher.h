#pragma once
// Language choice at start-up and the resource source. The program's own texts are German;
// an English module beside the program (program base name + ".EN_", a resource-only DLL
// with the same "FileVersion") replaces all of them. One source serves every text at a
// time, with no per-text fall-back to the program file. Glyphs that controls load by name
// always come from the program file itself.
#include <windows.h>

#include <string>

#include "CmdLine.h"

// The full path of the running program.
std::wstring ProgramFileName();

// The module file of a language beside programPath: its extension replaced by "." + the
// first two letters of the language's abbreviated name + "_" (1033: ".EN_", 1031: ".DE_").
std::wstring ResourceModuleFileName(int language, const std::wstring& programPath);
std::wstring ResourceModuleFileName(int language);

// Installs module (nullptr: the program file) as the source of all texts, releasing a
// previously installed module. Returns module.
HMODULE SetResourceSource(HMODULE module);

// Loads the module of a language as data and installs it (also when it then fails the
// version check, as the caller may still use it). Raises EResDLL_FileNotFound when it
// cannot be loaded and EResDLL_InvalidVersion when its "FileVersion" differs from the
// program's, with the message in the language being loaded.
HMODULE LoadLanguageModule(int language, const std::wstring& programPath);

// Loads the new language's module and lets every existing window re-read its texts.
// Nothing happens when the languages are equal.
void ChangeLanguage(int newLanguage, int oldLanguage, const std::wstring& programPath);

// A window whose texts come from the resource source re-reads them (keeping its bounds)
// when the language changes. Windows register while they exist.
class IRereadableForm {
public:
  virtual void RereadTexts() = 0;

protected:
  ~IRereadableForm() = default;
};
void RegisterRereadableForm(IRereadableForm* form);
void UnregisterRereadableForm(IRereadableForm* form);
void RereadAllForms();

// Decides the language once at start-up and sets CurrentLanguage to 1031 or 1033:
// "eng" wants English; otherwise a German user locale means German, and on other locales
// English unless "ger" is given. English needs its module; when the module is missing,
// cannot be loaded or has another version, the program stays German without a message.
void ChooseStartupLanguage();
// The same with the arguments, the user's locale and the program path given.
void ChooseStartupLanguage(const TCmdArgs& args, LCID userLocale, const std::wstring& programPath);
