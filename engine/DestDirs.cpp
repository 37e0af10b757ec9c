#include "DestDirs.h"

#include <vector>

#include "Exceptions.h"
#include "MessageIds.h"
#include "PackedVersion.h"
#include "QXFiles.h"
#include "ResString.h"
#include "StrUtils.h"

namespace {
// Error codes of the not-found message: the default was tried after a path that came from
// the command line or the script (5) or from the registry (6).
constexpr int DirNotFoundBase = 4;

// Blanks and control characters, trimmed from the items of a FilesMustExist list.
const std::wstring& BlankAndControlChars() {
  static const std::wstring chars = [] {
    std::wstring set;
    for (wchar_t c = 1; c <= L' '; ++c) set += c;
    return set;
  }();
  return chars;
}

std::wstring WithoutTrailingBackslash(const std::wstring& path) {
  if (!path.empty() && path.back() == L'\\') return path.substr(0, path.size() - 1);
  return path;
}

// Phase 1: the destination directories.
bool CheckDefaultDirs(TEngineState& state, TDirCorrection& correction) {
  for (int i = state.FCheckDefaultDirIdx; i < state.FDefaultDirs.Count(); ++i) {
    state.FCheckDefaultDirIdx = i;
    const TDefaultDirEx& record = state.DefaultDirRecord(i);
    if (state.CreateDirRecord(i)) continue;
    if (!DirExistsQuiet(state.FDefaultDirs.Strings(i))) state.FDefaultDirs.SetString(i, record.DefaultDir);
    const std::wstring& dir = state.FDefaultDirs.Strings(i);
    if (DirExistsQuiet(dir)) {
      if (CheckFilesMustExist(state, i)) continue;
      correction = {TDirCorrection::dkDestination, i, record.Caption, dir, FmtLoadStr(SDirInvalid, {record.Caption})};
      return false;
    }
    const int code = DirNotFoundBase + (record.RegKeyFound ? 2 : 1);
    correction = {TDirCorrection::dkDestination, i, record.Caption, dir,
                  FmtLoadStr(SDirNotFound, {record.Caption, code})};
    return false;
  }
  state.FCheckDefaultDirIdx = state.FDefaultDirs.Count();
  return true;
}

// Phase 2: the file directories and the needed-version files become absolute. Everything
// is computed first and stored only when all entries are valid, so a bad entry leaves the
// lists as read and a later call does not join an entry twice.
void JoinDefaultDirs(TEngineState& state) {
  std::vector<std::wstring> dirs;
  dirs.reserve(state.FDirs.Count());
  for (int i = 0; i < state.FDirs.Count(); ++i) {
    const int b = state.FDirs.Integers(i);
    const std::wstring& relative = state.FDirs.Strings(i);
    dirs.push_back(state.CreateDirRecord(b) ? relative : JoinPath(state.FDefaultDirs.Strings(b), relative));
  }
  std::vector<std::wstring> files;
  std::vector<long long> versions;
  for (int i = 0; i < state.FNeededFileVersions.Count(); ++i) {
    const TNeededVersionLine line =
        ParseNeededVersionLine(state.FNeededFileVersions.Strings(i), state.FDefaultDirs.Count());
    files.push_back(JoinPath(state.FDefaultDirs.Strings(line.DirIndex), line.FileName));
    versions.push_back(line.Version);
  }
  for (int i = 0; i < state.FDirs.Count(); ++i) state.FDirs.SetString(i, std::move(dirs[i]));
  for (int i = 0; i < state.FNeededFileVersions.Count(); ++i) state.FNeededFileVersions.SetString(i, std::move(files[i]));
  state.FNeededVersions = std::move(versions);
  state.FDefaultDirsAdded = true;
}

// Phase 3: the file directories.
bool CheckFileDirs(TEngineState& state, TDirCorrection& correction) {
  for (int i = state.FCheckDirIdx; i < state.FDirs.Count(); ++i) {
    state.FCheckDirIdx = i;
    const int b = state.FDirs.Integers(i);
    // A file placed in a directory to create is still relative here; the run creates its
    // directory, so there is nothing to correct.
    if (state.CreateDirRecord(b)) continue;
    const std::wstring& dir = state.FDirs.Strings(i);
    if (dir.empty() || DirExistsQuiet(dir) || IsDirToCreate(state, dir)) continue;
    correction = {TDirCorrection::dkFileDir, i, state.DefaultDirRecord(b).Caption, dir, LoadResString(SDestDirNotFound)};
    return false;
  }
  state.FCheckDirIdx = state.FDirs.Count();
  return true;
}
}  // namespace

bool CheckDestDirs(TEngineState& state, TDirCorrection& correction) {
  if (!CheckDefaultDirs(state, correction)) return false;
  if (!state.FDefaultDirsAdded) JoinDefaultDirs(state);
  return CheckFileDirs(state, correction);
}

bool CheckFilesMustExist(const TEngineState& state, int index) {
  std::wstring list = state.DefaultDirRecord(index).FilesMustExist;
  const std::wstring& dir = state.FDefaultDirs.Strings(index);
  while (!list.empty()) {
    const std::wstring item = TrimChars(CutToken(list, L"|"), BlankAndControlChars(), true, true);
    if (item.empty()) break;
    if (!FileExistsQuiet(JoinPath(dir, item))) return false;
  }
  return true;
}

bool IsDirToCreate(const TEngineState& state, const std::wstring& path) {
  const std::wstring wanted = WithoutTrailingBackslash(path);
  for (int j = 0; j < state.FDefaultDirs.Count(); ++j) {
    if (!state.CreateDirRecord(j)) continue;
    if (SameTextLocale(wanted, WithoutTrailingBackslash(DirToCreatePath(state, j)))) return true;
  }
  return false;
}

void StoreCorrectedDir(TEngineState& state, const std::wstring& text) {
  if (state.FCheckDefaultDirIdx < state.FDefaultDirs.Count()) {
    state.FDefaultDirs.SetString(state.FCheckDefaultDirIdx, text);
    return;
  }
  if (state.FCheckDirIdx >= state.FDirs.Count()) return;
  const std::wstring old = state.FDirs.Strings(state.FCheckDirIdx);
  state.FDirs.SetString(state.FCheckDirIdx, text);
  if (old == text) return;
  for (int i = 0; i < state.FDirs.Count(); ++i)
    if (SameTextLocale(state.FDirs.Strings(i), old)) state.FDirs.SetString(i, text);
}

std::wstring DirToCreatePath(const TEngineState& state, int index) {
  const TCreateDirEx* record = state.CreateDirRecord(index);
  if (!record) return state.FDefaultDirs.Strings(index);
  const int parent = record->DefaultDirIndex;
  // Only an earlier entry can be a resolved parent; this also keeps the recursion finite.
  if (state.CreateDirRecord(parent) && parent >= index)
    throw Exception(FmtLoadStr(SCreateDirParentInvalid, {record->SubDir, parent}));
  return JoinPath(DirToCreatePath(state, parent), record->SubDir);
}

void ResolveDirsToCreate(TEngineState& state) {
  if (state.FDirsToCreateResolved) return;
  // Everything is computed before anything is stored, so an invalid entry leaves the
  // state as it was and a later attempt starts from the same texts.
  std::vector<std::wstring> paths(state.FDefaultDirs.Count());
  for (int i = 0; i < state.FDefaultDirs.Count(); ++i)
    if (state.CreateDirRecord(i)) paths[i] = DirToCreatePath(state, i);
  std::vector<std::wstring> dirs(state.FDirs.Count());
  for (int i = 0; i < state.FDirs.Count(); ++i) {
    const int b = state.FDirs.Integers(i);
    dirs[i] = state.CreateDirRecord(b) ? JoinPath(paths[b], state.FDirs.Strings(i)) : state.FDirs.Strings(i);
  }
  for (int i = 0; i < state.FDefaultDirs.Count(); ++i)
    if (state.CreateDirRecord(i)) state.FDefaultDirs.SetString(i, std::move(paths[i]));
  for (int i = 0; i < state.FDirs.Count(); ++i) state.FDirs.SetString(i, std::move(dirs[i]));
  state.FDirsToCreateResolved = true;
}
