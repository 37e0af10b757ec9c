#include "Switcher.h"

#include <algorithm>
#include <vector>

#include "Exceptions.h"
#include "FileVersion.h"
#include "Format.h"
#include "Handles.h"
#include "Language.h"
#include "QXFiles.h"
#include "ResString.h"

namespace {

TModule GInstalledModule;  // the module serving texts; empty while the program file does

std::vector<IRereadableForm*>& Forms() {
  static std::vector<IRereadableForm*> forms;
  return forms;
}

// The messages of the switcher's own errors follow the language being loaded, not the
// current resource source, which is changing while they are raised.
struct TResDllMessages {
  const wchar_t* FileNotFound;
  const wchar_t* InvalidVersion;
};
constexpr TResDllMessages GermanMessages{
    L"Das Ressourcen-Modul kann nicht geladen werden.",
    L"Ung\u00FCltige Version des Ressourcen-Moduls (ben\u00F6tigt: %0:s gefunden: %1:s)."};
constexpr TResDllMessages EnglishMessages{L"Can't load resource module.",
                                          L"Invalid version of resource module (needed: %0:s found: %1:s)."};

bool IsGermanLocale(LCID locale) { return (locale & 0x3FF) == LANG_GERMAN; }

}  // namespace

std::wstring ProgramFileName() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);  // long paths are read whole, not cut
  }
}

std::wstring ResourceModuleFileName(int language, const std::wstring& programPath) {
  wchar_t abbreviation[16] = {};
  GetLocaleInfoW(MAKELCID(static_cast<LANGID>(language), SORT_DEFAULT), LOCALE_SABBREVLANGNAME, abbreviation,
                 static_cast<int>(std::size(abbreviation)));
  const std::wstring extension = L"." + std::wstring(abbreviation).substr(0, 2) + L"_";
  const size_t nameStart = programPath.find_last_of(L"\\/:");
  const size_t dot = programPath.rfind(L'.');
  const bool hasExtension = dot != std::wstring::npos && (nameStart == std::wstring::npos || dot > nameStart);
  return (hasExtension ? programPath.substr(0, dot) : programPath) + extension;
}

std::wstring ResourceModuleFileName(int language) { return ResourceModuleFileName(language, ProgramFileName()); }

HMODULE SetResourceSource(HMODULE module) {
  GInstalledModule.Reset(module);
  SetCurrentResourceModule(module);
  return module;
}

HMODULE LoadLanguageModule(int language, const std::wstring& programPath) {
  const std::wstring moduleName = ResourceModuleFileName(language, programPath);
  HMODULE module = LoadLibraryExW(moduleName.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  SetResourceSource(module);
  const TResDllMessages& messages = language == LANG_ID_GERMAN ? GermanMessages : EnglishMessages;
  if (!module) throw EResDLL_FileNotFound(messages.FileNotFound);
  const std::wstring found = ReadVersionValue(moduleName, L"FileVersion");
  const std::wstring needed = ReadVersionValue(programPath, L"FileVersion");
  if (needed == found) return module;
  throw EResDLL_InvalidVersion(Format(messages.InvalidVersion, {needed, found}), needed, found);
}

void ChangeLanguage(int newLanguage, int oldLanguage, const std::wstring& programPath) {
  if (newLanguage == oldLanguage) return;
  LoadLanguageModule(newLanguage, programPath);
  RereadAllForms();
}

void RegisterRereadableForm(IRereadableForm* form) { Forms().push_back(form); }

void UnregisterRereadableForm(IRereadableForm* form) {
  auto& forms = Forms();
  forms.erase(std::remove(forms.begin(), forms.end(), form), forms.end());
}

void RereadAllForms() {
  const std::vector<IRereadableForm*> forms = Forms();  // a form may unregister while re-reading
  for (IRereadableForm* form : forms) form->RereadTexts();
}

void ChooseStartupLanguage(const TCmdArgs& args, LCID userLocale, const std::wstring& programPath) {
  const bool englishWanted =
      HasCmdLineSwitch(args, L"eng") || (!IsGermanLocale(userLocale) && !HasCmdLineSwitch(args, L"ger"));
  if (englishWanted && FileExistsQuiet(ResourceModuleFileName(LANG_ID_ENGLISH, programPath))) {
    try {
      ChangeLanguage(LANG_ID_ENGLISH, 0, programPath);
      SetCurrentLanguage(LANG_ID_ENGLISH);
      return;
    } catch (const EResDLL&) {
      // Fall back to German below. A German module, if one exists, may serve the texts.
      try {
        ChangeLanguage(LANG_ID_GERMAN, 0, programPath);
      } catch (...) {
      }
    }
  }
  SetCurrentLanguage(LANG_ID_GERMAN);
}

void ChooseStartupLanguage() { ChooseStartupLanguage(ProcessArgs(), GetUserDefaultLCID(), ProgramFileName()); }
