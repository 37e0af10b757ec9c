#pragma once
// Reads the setup script (setup.ini, and setup.dat for the data macros) into the engine
// state, once at start-up.
#include <string>

#include "CmdLine.h"
#include "EngineState.h"
#include "IniReader.h"

// Where the reader finds the script and what it sees of the world.
struct TScriptEnvironment {
  std::wstring ProgramDir;  // the directory of setup.ini and setup.dat
  TCmdArgs Args;            // the command line (APPDIR=, DATADIR=)
  // False skips the write-access test of section CheckRegistryLocalMachineAccess, so that
  // reading writes nothing at all (the script checker's dry run).
  bool TestLocalMachineAccess = true;
};

// The directory of the running program file.
std::wstring ProgramDirectory();
// The running program's directory and its own command line.
TScriptEnvironment ProcessScriptEnvironment();

// Fills state from the script. Raises an error with one of the reader's messages on the
// first fault; entries completed before it stay in state.
void ReadSetupScript(TEngineState& state, const TScriptEnvironment& environment);

// The value of key in section of setup.ini; in an English run (CurrentLanguage 1033) the
// same key of section + "_Eng" overrides it when present.
std::wstring ReadLangString(const TIniFile& ini, const std::wstring& section, const std::wstring& key,
                            const std::wstring& defaultValue);
