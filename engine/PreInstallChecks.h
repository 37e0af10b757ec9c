#pragma once
// The checks before an update touches any file: programs that must not run, the versions
// of installed files, and files in use. Each passes silently or tells the user and answers
// false; the version check may also end the setup with exit code 101.
#include <string>

#include "EngineSeams.h"
#include "EngineState.h"
#include "PackedVersion.h"

// False after naming the first listed program that runs.
bool CheckProgramsMustNotRun(const TEngineState& state);

// False after showing FLockedFilesMsg for the first listed file that is in use. Raises the
// list-index error for a directory index outside the table.
bool CheckLockedFiles(const TEngineState& state);

// " (name)" for entry index of FNeededFileVersions, or empty when the list has fewer than
// two entries, so a single needed file is not named.
std::wstring VersionFileSuffix(const TEngineState& state, int index);

// What the version rule says about one needed file.
struct TVersionVerdict {
  enum TResult { vrPass, vrTooOld, vrNewer, vrSameVersion };
  TResult Result = vrPass;
  // The text the user is shown: the failure message, or the question for vrSameVersion.
  std::wstring Message;
};

// Judges entry index of FNeededFileVersions (made absolute by the directory check).
// sourceDir is the directory the update's files are copied from; the update's copy of a
// needed file is read there, never through the DLL search order. A version that cannot be
// read is never compared as a number: an unreadable installed file fails any required
// version above 0.0.0 (shown as 0.0.0) and is not compared with the update's copy; an
// unreadable update copy counts as newest, like a file the update does not ship.
TVersionVerdict JudgeNeededFileVersion(const TEngineState& state, int index, const std::wstring& sourceDir);

// All needed files in order, the update's copies read from the current directory. A
// failure shows FVersionErrorMsg (or the built-in message), sets exit code 101 and asks
// the application to terminate; the same-version question does the same unless answered
// Yes.
bool CheckNeededFileVersions(const TEngineState& state, TAppServices& app);
