#include "InstallRun.h"

#include <windows.h>

#include <algorithm>
#include <exception>

#include "DestDirs.h"
#include "DllHooks.h"
#include "Exceptions.h"
#include "MessageIds.h"
#include "PreInstallChecks.h"
#include "QXDialogs.h"
#include "QXFileCopy.h"
#include "QXFiles.h"
#include "RegistryWrite.h"
#include "ResString.h"
#include "StrUtils.h"
#include "TextConv.h"

namespace {
constexpr ULONGLONG FileTimeTicksPerMinute = 60ULL * 10000000ULL;  // FILETIME counts 100 ns

// The last-write time as the file system's integer, so that exactly one minute compares
// exactly; nothing when there is no such file or directory.
bool LastWriteTicks(const std::wstring& path, ULONGLONG& ticks) {
  WIN32_FIND_DATAW data;
  if (!FindFileRecord(path, data)) return false;
  ticks = (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
  return true;
}

bool IsNewer(const std::wstring& source, const std::wstring& target) {
  ULONGLONG targetTicks = 0;
  if (!LastWriteTicks(target, targetTicks)) return false;
  ULONGLONG sourceTicks = 0;
  if (!LastWriteTicks(source, sourceTicks)) return true;
  return targetTicks > sourceTicks + FileTimeTicksPerMinute;
}

void CreateDestinationDirs(const TEngineState& state) {
  for (int i = 0; i < state.FDirs.Count(); ++i) {
    const std::wstring& dir = state.FDirs.Strings(i);
    if (dir.empty()) throw Exception(LoadResString(SCannotCreateDir));
    if (DirExistsQuiet(dir)) continue;
    if (!ForceDirectories(dir)) throw Exception(FmtLoadStr(SCreateDirFailed, {dir}));
  }
}

void CopyFiles(const TEngineState& state, const TEngineSeams& seams) {
  std::vector<std::wstring> sources;
  std::vector<std::wstring> targets;
  for (int i = 0; i < state.FFiles.Count(); ++i) {
    sources.push_back(state.FFiles.Strings(i));
    targets.push_back(JoinPath(state.FDirs.Strings(i), state.FFiles.Strings(i)));
  }
  CheckNewerFiles(sources, targets);
  try {
    TCopyTexts texts;
    CopyFileList(sources, targets, [&state, &seams, &texts](const std::wstring& fileName, int position, int max) {
      return CopyProgress(state, seams, fileName, position, max, texts);
    });
  } catch (const EFileCopyError& e) {
    if (e.ErrorCode != ERROR_ACCESS_DENIED) throw;
    throw EFileCopyError(e.Message() + L"\r\n\r\n" + LoadResString(SAccessDeniedHint), e.ErrorCode);
  }
  // The copy stops quietly when the callback reports a cancel; what follows must not run
  // as if the update were complete.
  if (state.FUserCanceled) throw EUserCanceled(L"");
}
}  // namespace

bool ForceDirectories(const std::wstring& path) {
  std::wstring dir = path;
  if (!dir.empty() && dir.back() == L'\\') dir.pop_back();
  if (dir.size() < 3 || dir.back() == L'\\' || dir.back() == L':' || DirExistsQuiet(dir)) return true;
  const size_t cut = dir.find_last_of(L"\\:");
  if (cut != std::wstring::npos && !ForceDirectories(dir.substr(0, cut + 1))) return false;
  // Another process may have created it meanwhile; only a directory that is still missing fails.
  return CreateDirectoryW(dir.c_str(), nullptr) || DirExistsQuiet(dir);
}

void CheckNewerFiles(const std::vector<std::wstring>& sources, const std::vector<std::wstring>& targets) {
  const size_t count = std::min(sources.size(), targets.size());
  for (size_t i = 0; i < count; ++i) {
    if (!IsNewer(sources[i], targets[i])) continue;
    if (MessageDialog(LoadResString(SNewerFilesQuestion), mtWarning, mbYesNo, mrNo) != mrYes)
      throw EUserCanceled(L"");
    return;
  }
}

bool CopyProgress(const TEngineState& state, const TEngineSeams& seams, const std::wstring& fileName, int position,
                  int max, TCopyTexts& texts) {
  const bool goOn = !state.FUserCanceled;
  if (fileName.empty()) {
    seams.Display.ShowCopyFile(L"", L"");
    seams.Display.SetProgressMax(max);
    return goOn;
  }
  if (texts.FileName != fileName) {
    const size_t cut = fileName.find_last_of(L"\\:");
    const std::wstring name = cut == std::wstring::npos ? fileName : fileName.substr(cut + 1);
    const std::wstring dir = cut == std::wstring::npos ? std::wstring() : fileName.substr(0, cut + 1);
    texts = {fileName, FmtLoadStr(SCopyFileTo, {name}), TrimChars(dir, L"\\", true, true)};
  }
  seams.Display.ShowCopyFile(texts.FileText, texts.DirText);
  seams.Display.SetProgressPosition(position);
  seams.App.ProcessMessages();
  return goOn;
}

int InstallFiles(TEngineState& state, const TEngineSeams& seams, std::wstring& errorText) {
  errorText.clear();
  try {
    CreateDestinationDirs(state);
    CopyFiles(state, seams);
    for (int i = 0; i < state.FCreateRegKeys.Count(); ++i) CreateRegKey(state.FCreateRegKeys.Strings(i));
  } catch (const EUserCanceled&) {
    return irCanceled;
  } catch (const Exception& e) {
    errorText = e.Message();
    return irFailed;
  } catch (const std::exception& e) {
    errorText = Utf8ToWide(e.what());
    return irFailed;
  }
  return irCompleted;
}

void FinishRun(TEngineState& state, const TEngineSeams& seams, int result, std::wstring errorText) {
  state.FSetupSuccessful = result != irFailed;
  if (result != irFailed) {
    try {
      CallDLLsAfter(state, seams.App);
    } catch (const Exception& e) {
      state.FSetupSuccessful = false;
      errorText = e.Message();
      result = irFailed;
    } catch (const std::exception& e) {
      state.FSetupSuccessful = false;
      errorText = Utf8ToWide(e.what());
      result = irFailed;
    }
  }
  std::wstring text;
  if (result == irCompleted)
    text = state.FTextSuccess;
  else if (result == irCanceled)
    text = LoadResString(SInstallCanceledByUser);
  else
    text = state.FTextFailure + L"\r\n\r\n" + errorText + L"\r\n\r\n" + state.FTextFailureSolution;
  seams.Display.ShowFinishedText(text);
}

void RunInstallation(TEngineState& state, const TEngineSeams& seams) {
  ResolveDirsToCreate(state);
  if (!CheckProgramsMustNotRun(state)) return;
  if (!CheckLockedFiles(state)) return;
  TCopyTexts noTexts;
  CopyProgress(state, seams, L"", 0, 0, noTexts);
  seams.Display.ShowProgressPage();
  seams.App.ProcessMessages();
  std::wstring errorText;
  const int result = InstallFiles(state, seams, errorText);
  FinishRun(state, seams, result, std::move(errorText));
}
