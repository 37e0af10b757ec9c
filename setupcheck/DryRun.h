#pragma once
// The checker's dry run: after reading, the directory check and the needed-versions rule
// run as setup.exe would run them, without asking anything and without writing, and the
// first thing that would need a correction or stop the update is reported.
#include <string>

#include "DestDirs.h"
#include "EngineState.h"
#include "PreInstallChecks.h"

struct TDryRunResult {
  bool DirsOk = false;
  TDirCorrection Correction;  // when !DirsOk: the first directory that needs a correction
  bool VersionsChecked = false;  // the versions are judged only when the directories passed
  TVersionVerdict Version;       // the first entry that would stop or ask, or vrPass
};

// Runs the checks on state (which they change as in setup.exe). dir is both the program's
// directory and the directory of the update's files. Raises the errors the checks raise.
TDryRunResult DryRun(TEngineState& state, const std::wstring& dir);

// stateJson (one object) with "dirCheck" and, when the directories passed, "versionCheck"
// added as its last members.
std::wstring AddDryRunJson(const std::wstring& stateJson, const TDryRunResult& result);
// The same for people, a few lines.
std::wstring DryRunText(const TDryRunResult& result);
