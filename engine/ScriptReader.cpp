#include "ScriptReader.h"

#include <windows.h>

#include <exception>

#include "Exceptions.h"
#include "IntConv.h"
#include "Language.h"
#include "MessageIds.h"
#include "QXFiles.h"
#include "RegistryLookup.h"
#include "ResString.h"
#include "ScriptColors.h"
#include "ScriptMacros.h"
#include "StrUtils.h"
#include "Switcher.h"

namespace {
// These messages are the same in every language.
const wchar_t* const SInvalidCreateDir = L"Invalid CreateDir specification.";
const wchar_t* const SInvalidDirectory = L"Invalid directory specification.";
const wchar_t* const SInvalidProgramsMustNotRun = L"Invalid ProgramsMustNotRun specification.";
const wchar_t* const SInvalidDLLsBefore = L"Invalid DLLsBefore specification.";
const wchar_t* const SInvalidDLLsAfter = L"Invalid DLLsAfter specification.";

// The lines of section sorted as the directory indexes require: whole lines, letter case
// ignored, after the user's locale (so key 10 sorts between 1 and 2).
TStringList SortedLines(const TIniFile& ini, const std::wstring& section) {
  TStringList lines;
  for (std::wstring& line : ini.ReadSectionValues(section)) lines.Add(std::move(line));
  lines.Sort();
  return lines;
}

void ReadDestinationDirs(TEngineState& state, const TIniFile& ini, const TCmdArgs& args) {
  const TStringList lines = SortedLines(ini, L"DefaultDestDirs");
  for (int i = 0; i < lines.Count(); ++i) {
    std::wstring value = lines.Strings(i);
    const std::wstring name = CutToken(value, L"=");
    auto record = std::make_unique<TDefaultDirEx>();
    record->RegKey = ini.ReadString(L"LookUpRegistryForDestDirs", name, L"");
    record->DefaultDir = ExpandFolderMacros(value);
    record->FilesMustExist = ini.ReadString(L"FilesMustExistInDirs", name, L"");
    record->Caption = ReadLangString(ini, L"CaptionsForDestDirs", name, L"");
    std::wstring path;
    ResolveDefaultDir(record->RegKey, record->RegKeyFound, record->DefaultDir, path, HKEY_CURRENT_USER, args);
    state.AddDefaultDir(std::move(path), std::move(record));
  }
}

void ReadCreateDirs(TEngineState& state, const TIniFile& ini) {
  const TStringList lines = SortedLines(ini, L"CreateDirs");
  const std::wstring defaultCaption = LoadResString(SDefaultDirCaption);
  for (int i = 0; i < lines.Count(); ++i) {
    try {
      std::wstring rest = lines.Strings(i);
      const std::wstring key = CutToken(rest, L"=");
      auto record = std::make_unique<TCreateDirEx>();
      record->Caption = ReadLangString(ini, L"CaptionsForDestDirs", key, defaultCaption);
      record->SubDir = CutToken(rest, L"|");
      record->DefaultDirIndex = StrToInt(CutToken(rest, L"|"));
      state.AddDefaultDir(L"", std::move(record));
    } catch (const std::exception&) {
      throw Exception(SInvalidCreateDir);
    }
  }
}

int DirectoryIndex(const std::wstring& text) {
  int index = 0;
  if (!TryStrToInt(text, index)) throw Exception(SInvalidDirectory);
  return index;
}

void ReadFiles(TEngineState& state, const TIniFile& ini) {
  for (std::wstring line : ini.ReadSectionValues(L"Files")) {
    const std::wstring key = CutToken(line, L"=");
    const int index = DirectoryIndex(line);
    const size_t cut = key.find_last_of(L"\\:");
    const size_t nameStart = cut == std::wstring::npos ? 0 : cut + 1;
    // FFiles and FDirs grow together, so file i and its directory stay at the same position.
    state.FDirs.Add(key.substr(0, nameStart), index);
    state.FFiles.Add(key.substr(nameStart));
  }
}

void ReadLockedFiles(TEngineState& state, const TIniFile& ini) {
  for (std::wstring line : ini.ReadSectionValues(L"LockedFiles")) {
    std::wstring key = CutToken(line, L"=");
    state.FLockedFiles.Add(std::move(key), DirectoryIndex(line));
  }
}

void ReadRawLines(TStringList& list, const TIniFile& ini, const std::wstring& section) {
  for (std::wstring& line : ini.ReadSectionValues(section)) list.Add(std::move(line));
}

void ReadPrograms(TEngineState& state, const TIniFile& ini) {
  for (std::wstring line : ini.ReadSectionValues(L"ProgramsMustNotRun")) {
    try {
      auto program = std::make_unique<TProgram>();
      program->ExeName = CutToken(line, L"=");
      program->Caption = line;
      state.FProgramsMustNotRun.push_back(std::move(program));
    } catch (const std::exception&) {
      throw Exception(SInvalidProgramsMustNotRun);
    }
  }
}

void ReadDLLs(std::vector<std::unique_ptr<TDLL>>& list, const TIniFile& ini, const std::wstring& section,
              const wchar_t* failure) {
  for (std::wstring line : ini.ReadSectionValues(section)) {
    try {
      auto dll = std::make_unique<TDLL>();
      dll->FileName = CutToken(line, L"=");
      dll->Param = line;
      list.push_back(std::move(dll));
    } catch (const std::exception&) {
      throw Exception(failure);
    }
  }
}

// A page text: bars become line breaks before the data macros are replaced.
std::wstring PageText(const TIniFile& ini, const std::wstring& section, const std::wstring& key,
                      const TDataTable& data) {
  return ReplaceDataMacros(ReplaceAll(ReadLangString(ini, section, key, L""), L"|", L"\r\n"), data);
}
}  // namespace

std::wstring ProgramDirectory() {
  const std::wstring path = ProgramFileName();
  const size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

TScriptEnvironment ProcessScriptEnvironment() { return TScriptEnvironment{ProgramDirectory(), ProcessArgs(), true}; }

std::wstring ReadLangString(const TIniFile& ini, const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue) {
  std::wstring value = ini.ReadString(section, key, defaultValue);
  if (CurrentLanguage() == LANG_ID_ENGLISH) value = ini.ReadString(section + L"_Eng", key, value);
  return value;
}

void ReadSetupScript(TEngineState& state, const TScriptEnvironment& environment) {
  const std::wstring iniPath = JoinPath(environment.ProgramDir, L"setup.ini");
  if (!FileExistsQuiet(iniPath)) throw Exception(LoadResString(SIniFileNotFound));
  const TIniFile ini = TIniFile::Load(iniPath);
  const std::wstring dataPath = JoinPath(environment.ProgramDir, L"setup.dat");
  const TDataTable data = FileExistsQuiet(dataPath) ? ReadDataTable(TIniFile::Load(dataPath)) : TDataTable();

  const std::wstring accessKey = ini.ReadString(L"CheckRegistryLocalMachineAccess", L"Key", L"");
  if (!accessKey.empty() && environment.TestLocalMachineAccess) CheckLocalMachineAccess(accessKey);

  ReadDestinationDirs(state, ini, environment.Args);
  ReadCreateDirs(state, ini);
  ReadFiles(state, ini);
  ReadLockedFiles(state, ini);
  ReadRawLines(state.FCreateRegKeys, ini, L"CreateRegKeys");
  ReadRawLines(state.FNeededFileVersions, ini, L"NeededFileVersions");

  state.FProduct = ReplaceDataMacros(ReadLangString(ini, L"Setup", L"Product", L""), data);
  state.FFormCaption = ReplaceDataMacros(ReadLangString(ini, L"Setup", L"FormCaption", L""), data);
  state.FSubCaption = ReplaceDataMacros(ReadLangString(ini, L"Setup", L"SubCaption", L""), data);
  state.FVersionErrorMsg = ReplaceDataMacros(ReadLangString(ini, L"Setup", L"VersionErrorMsg", L""), data);

  ReadPrograms(state, ini);
  ReadDLLs(state.FDLLsBefore, ini, L"DLLsBefore", SInvalidDLLsBefore);
  ReadDLLs(state.FDLLsAfter, ini, L"DLLsAfter", SInvalidDLLsAfter);

  state.FLockedFilesMsg = ReplaceDataMacros(ReadLangString(ini, L"Setup", L"LockedFilesMsg", L""), data);
  state.FBottomCaption = ReadLangString(ini, L"Setup", L"BottomCaption", L"");
  state.FWelcomeText = PageText(ini, L"Welcome", L"Text", data);
  state.FTextSuccess = PageText(ini, L"Finished", L"TextSuccess", data);
  state.FTextFailure = PageText(ini, L"Finished", L"TextFailure", data);
  state.FTextFailureSolution = PageText(ini, L"Finished", L"TextFailureSolution", data);
  state.FIcon = ini.ReadString(L"Setup", L"Icon", L"");

  state.FColorHeader = ColorFromName(ini.ReadString(L"Setup", L"ColorHeader", L""));
  state.FColorHeaderFont = ColorFromName(ini.ReadString(L"Setup", L"ColorHeaderFont", L""));
  state.FColorBody = ColorFromName(ini.ReadString(L"Setup", L"ColorBody", L""));
  state.FColorBodyFont = ColorFromName(ini.ReadString(L"Setup", L"ColorBodyFont", L""));
  state.FColorFooter = ColorFromName(ini.ReadString(L"Setup", L"ColorFooter", L""));
  state.FColorFooterFont = ColorFromName(ini.ReadString(L"Setup", L"ColorFooterFont", L""));
}
