#include "DryRun.h"

#include "JsonText.h"

namespace {
const wchar_t* VersionResultName(TVersionVerdict::TResult result) {
  switch (result) {
    case TVersionVerdict::vrTooOld:
      return L"tooOld";
    case TVersionVerdict::vrNewer:
      return L"newer";
    case TVersionVerdict::vrSameVersion:
      return L"sameVersion";
    case TVersionVerdict::vrPass:
      break;
  }
  return L"pass";
}
}  // namespace

TDryRunResult DryRun(TEngineState& state, const std::wstring& dir) {
  TDryRunResult result;
  result.DirsOk = CheckDestDirs(state, result.Correction);
  if (!result.DirsOk) return result;
  result.VersionsChecked = true;
  for (int i = 0; i < state.FNeededFileVersions.Count(); ++i) {
    result.Version = JudgeNeededFileVersion(state, i, dir);
    if (result.Version.Result != TVersionVerdict::vrPass) break;
  }
  return result;
}

std::wstring AddDryRunJson(const std::wstring& stateJson, const TDryRunResult& result) {
  std::wstring members = L"\"dirCheck\":";
  if (result.DirsOk)
    members += L"{\"ok\":true}";
  else
    members += L"{\"ok\":false,\"dir\":" + JsonString(result.Correction.Dir) +
               L",\"reason\":" + JsonString(result.Correction.Reason) + L"}";
  if (result.VersionsChecked) {
    members += L",\"versionCheck\":{\"result\":" + JsonString(VersionResultName(result.Version.Result));
    if (result.Version.Result != TVersionVerdict::vrPass) members += L",\"message\":" + JsonString(result.Version.Message);
    members += L"}";
  }
  const size_t close = stateJson.find_last_of(L'}');
  if (close == std::wstring::npos) return L"{" + members + L"}";
  const bool empty = stateJson.find_last_not_of(L" \t\r\n", close - 1) == stateJson.find(L'{');
  return stateJson.substr(0, close) + (empty ? L"" : L",") + members + stateJson.substr(close);
}

std::wstring DryRunText(const TDryRunResult& result) {
  std::wstring out = L"directory check: ";
  if (result.DirsOk)
    out += L"ok\r\n";
  else
    out += L"needs a correction\r\n  " + result.Correction.Reason + L"\r\n  " + result.Correction.Dir + L"\r\n";
  if (!result.VersionsChecked) return out;
  out += L"version check: ";
  out += VersionResultName(result.Version.Result);
  out += L"\r\n";
  if (result.Version.Result != TVersionVerdict::vrPass) out += L"  " + result.Version.Message + L"\r\n";
  return out;
}
