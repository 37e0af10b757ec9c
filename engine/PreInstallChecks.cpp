#include "PreInstallChecks.h"

#include <windows.h>

#include <optional>

#include "Exceptions.h"
#include "FileVersion.h"
#include "Format.h"
#include "MessageIds.h"
#include "QXDialogs.h"
#include "QXFiles.h"
#include "QXWindows.h"
#include "ResString.h"
#include "StrUtils.h"

namespace {
struct TFileVersionNumber {
  TPackedVersion Packed = 0;
  unsigned short Build = 0;
};

// Nothing when the file is missing or its version record has no fixed version.
std::optional<TFileVersionNumber> ReadPackedVersion(const std::wstring& path) {
  // ReadFileVersion leaves the numbers as they were when the record has no fixed part, so
  // two reads with different starting values tell that case from any real version.
  unsigned short major = 0, minor = 0, release = 0, build = 0;
  if (!ReadFileVersion(path, major, minor, release, build)) return std::nullopt;
  unsigned short major2 = 0xFFFF, minor2 = 0xFFFF, release2 = 0xFFFF, build2 = 0xFFFF;
  if (!ReadFileVersion(path, major2, minor2, release2, build2)) return std::nullopt;
  if (major != major2 || minor != minor2 || release != release2 || build != build2) return std::nullopt;
  return TFileVersionNumber{PackVersion(major, minor, release), build};
}

std::wstring FileNamePart(const std::wstring& path) {
  const size_t cut = path.find_last_of(L"\\:");
  return cut == std::wstring::npos ? path : path.substr(cut + 1);
}

std::wstring CurrentDirectory() {
  const DWORD length = GetCurrentDirectoryW(0, nullptr);
  if (length == 0) return {};
  std::wstring dir(length, L'\0');
  const DWORD written = GetCurrentDirectoryW(length, dir.data());
  if (written == 0 || written >= length) return {};
  dir.resize(written);
  return dir;
}

TPackedVersion RequiredVersion(const TEngineState& state, int index) {
  if (index < 0 || static_cast<size_t>(index) >= state.FNeededVersions.size())
    throw EListError(FmtLoadStr(SListIndexError, {index}));
  return state.FNeededVersions[static_cast<size_t>(index)];
}
}  // namespace

bool CheckProgramsMustNotRun(const TEngineState& state) {
  for (const auto& program : state.FProgramsMustNotRun) {
    if (!IsProgramRunning(program->ExeName)) continue;
    MessageDialogFmt(LoadResString(SProgramMustNotRun), {program->Caption}, mtError, mbOKOnly);
    return false;
  }
  return true;
}

bool CheckLockedFiles(const TEngineState& state) {
  for (int i = 0; i < state.FLockedFiles.Count(); ++i) {
    const std::wstring path =
        JoinPath(state.FDefaultDirs.Strings(state.FLockedFiles.Integers(i)), state.FLockedFiles.Strings(i));
    if (!IsFileLocked(path)) continue;
    MessageDialog(state.FLockedFilesMsg, mtError, mbOKOnly);
    return false;
  }
  return true;
}

std::wstring VersionFileSuffix(const TEngineState& state, int index) {
  if (state.FNeededFileVersions.Count() < 2) return {};
  return Format(L" (%s)", {FileNamePart(state.FNeededFileVersions.Strings(index))});
}

TVersionVerdict JudgeNeededFileVersion(const TEngineState& state, int index, const std::wstring& sourceDir) {
  const TPackedVersion required = RequiredVersion(state, index);
  const std::wstring& installedPath = state.FNeededFileVersions.Strings(index);
  const std::wstring name = FileNamePart(installedPath);

  // A file the update does not ship, or whose copy has no readable version, counts as newest.
  std::optional<TFileVersionNumber> update;
  if (state.FFiles.IndexOf(name) >= 0) update = ReadPackedVersion(JoinPath(sourceDir, name));
  const std::optional<TFileVersionNumber> installed = ReadPackedVersion(installedPath);
  const TPackedVersion installedPacked = installed ? installed->Packed : 0;

  TVersionVerdict verdict;
  const std::wstring suffix = VersionFileSuffix(state, index);
  if (installedPacked < required) {
    verdict.Result = TVersionVerdict::vrTooOld;
    verdict.Message = FmtLoadStr(SVersionTooOld, {VersionToStr(required), suffix, VersionToStr(installedPacked)});
  } else if (installed && update && update->Packed < installed->Packed) {
    verdict.Result = TVersionVerdict::vrNewer;
    verdict.Message =
        FmtLoadStr(SVersionNewerInstalled, {VersionToStr(installed->Packed), suffix, VersionToStr(update->Packed)});
  } else if (installed && update && update->Packed == installed->Packed && update->Build == installed->Build) {
    verdict.Result = TVersionVerdict::vrSameVersion;
    verdict.Message = FmtLoadStr(SVersionAlreadyInstalled, {VersionToStr(installed->Packed), suffix});
    return verdict;
  }
  if (verdict.Result != TVersionVerdict::vrPass && !state.FVersionErrorMsg.empty())
    verdict.Message = state.FVersionErrorMsg;
  return verdict;
}

bool CheckNeededFileVersions(const TEngineState& state, TAppServices& app) {
  const std::wstring sourceDir = CurrentDirectory();
  for (int i = 0; i < state.FNeededFileVersions.Count(); ++i) {
    const TVersionVerdict verdict = JudgeNeededFileVersion(state, i, sourceDir);
    if (verdict.Result == TVersionVerdict::vrPass) continue;
    if (verdict.Result == TVersionVerdict::vrSameVersion) {
      if (MessageDialog(verdict.Message, mtConfirmation, mbYesNo) == mrYes) continue;
    } else {
      MessageDialog(verdict.Message, mtError, mbOKOnly);
    }
    app.SetExitCode(ecVersionRefused);
    app.Terminate();
    return false;
  }
  return true;
}
