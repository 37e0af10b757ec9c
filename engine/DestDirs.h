#pragma once
// The destination directories: the check before the installation that every destination
// directory and every file's directory is usable, the correction the user makes on the
// wizard's correction page, and the absolute paths of the directories to create.
#include <string>

#include "EngineState.h"

// A directory the user must correct before the installation can go on.
struct TDirCorrection {
  enum TKind { dkDestination, dkFileDir };
  TKind Kind = dkDestination;
  // dkDestination: the position in FDefaultDirs; dkFileDir: the position in FDirs.
  int Index = 0;
  // The directory's display name (for a file directory: that of its destination directory).
  std::wstring Caption;
  std::wstring Dir;     // the directory as it stands, to be shown for correction
  std::wstring Reason;  // what is wrong with it, in the program's words
};

// The directory check. Resumes where the previous call stopped (FCheckDefaultDirIdx,
// FCheckDirIdx), so each problem is presented once and passed entries are not tested
// again. False: correction tells which directory needs a correction. Raises the list-index
// error for a Files entry whose directory index lies outside the table and "Invalid
// directory index in version check." for a bad NeededFileVersions line; nothing is made
// absolute then, and the next call raises the same error.
bool CheckDestDirs(TEngineState& state, TDirCorrection& correction);

// Whether every file of the directory's FilesMustExist list exists in it; the list ends at
// its first empty item.
bool CheckFilesMustExist(const TEngineState& state, int index);

// Whether path (trailing backslash ignored, letter case ignored) is one of the directories
// to create.
bool IsDirToCreate(const TEngineState& state, const std::wstring& path);

// Stores the user's correction into the entry the last check stopped at. A corrected file
// directory also replaces every other file directory that had the same old text.
void StoreCorrectedDir(TEngineState& state, const std::wstring& text);

// The absolute path of the directory to create at index: its parent's path joined with its
// SubDir. A parent that is itself a directory to create must come before it in the table;
// otherwise this raises an error naming the entry (never a path relative to the current
// directory). A parent index outside the table raises the list-index error.
std::wstring DirToCreatePath(const TEngineState& state, int index);

// Gives the directories to create and the file directories inside them their absolute
// paths. Done once: later calls change nothing.
void ResolveDirsToCreate(TEngineState& state);
